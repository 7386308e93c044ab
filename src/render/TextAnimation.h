// The entrance and exit animation of effect labels and texts: a loop that drives one numeric
// property (font size, angle, spray, blur or opacity) from a start value to its resting value and
// later to an end value. A plain state machine: the control's timer calls Tick and reads Interval.
#pragma once

#include <cstdint>

#include "model/PayloadFade.h"

// Animated properties, by their stored style numbers.
enum TTextAnimStyle : int32_t {
  tasNone = 0,
  tasFontSize = 1,
  tasAngle = 2,
  tasSpray = 3,
  tasBlur = 4,
  tasAlpha = 5,
};

// Where the animation reads and writes its property. Values arrive already limited.
class TTextAnimTarget {
 public:
  virtual ~TTextAnimTarget() = default;
  virtual int AnimValue(int style) const = 0;
  virtual void SetAnimValue(int style, int value) = 0;
};

// The value of a style as applied: font size at least 0; spray, blur and opacity 0..100; the angle
// as computed. Unknown styles pass through (they are never applied).
int LimitAnimValue(int style, int value);

class TTextAnimation {
 public:
  // States, as for shapes.
  enum : int32_t { Entering = 0, Waiting = 1, Leaving = 2, Shown = 3 };

  TTextAnimParams Params;
  int32_t AnimState = Waiting;
  int32_t AnimPosition = 0;
  int32_t AnimCount = 0;
  int32_t AnimInOrgValue = 0;
  int32_t AnimOutOrgValue = 0;

  // After loading: captures the resting values of the entrance and exit styles (opacity's resting
  // value is normalAlpha, "None" rests at 0) and, when animated and live, puts the entrance's
  // property at its start value so the text first shows its entrance's first look.
  void Prepare(TTextAnimTarget& target, int normalAlpha, bool live);
  // Stores a state (0..3) and its interval; other values are ignored.
  void SetAnimState(int32_t state);
  // The timer interval in ms the current state asks for.
  int32_t Interval() const { return FInterval; }
  // One timer tick. Editing (not live) advances the position but applies nothing.
  void Tick(TTextAnimTarget& target, bool live);

 private:
  int32_t FInterval = 2000;
};
