// The shape's entrance and exit animation: a loop of wait, enter, stay, leave, driven by a timer
// whose interval the state decides. Plain state; the control owns the timer and asks for a new
// picture when a tick says so.
#pragma once

#include <optional>

#include "model/PayloadsFading.h"
#include "render/ShapeGeometry.h"

// Where the figure is drawn in one picture, and whether at all.
struct TShapeFrame {
  bool Visible = true;
  TShapeBox Box;
  // An opacity the frame asks the fade base to show at once (the "Fade" entrance while waiting).
  std::optional<int> AlphaBlend;

  bool operator==(const TShapeFrame&) const = default;
};

// The control's client rectangle (0, 0, width, height) shrunk by the four margins: where the
// figure rests.
TShapeBox RestingShapeBox(const TShapeFields& shape, int width, int height);
// The frame of a shape at rest: on the designer's editing surface, or with the animation off.
TShapeFrame RestingShapeFrame(const TShapeFields& shape, int width, int height);

namespace ShapeAnimState {
enum : int {
  Entering = 0,  // ticks of AnimInInterval
  Waiting = 1,   // AnimInDelay before the next entrance; the initial state
  Leaving = 2,   // ticks of AnimOutInterval
  Shown = 3,     // AnimOutDelay before the exit
};
}

class TShapeAnimation {
 public:
  struct TTickResult {
    bool Rebuild = false;           // build a new picture (through Frame) now
    std::optional<int> AlphaBlend;  // show this opacity at once
    bool operator==(const TTickResult&) const = default;
  };

  int AnimState = ShapeAnimState::Waiting;
  int AnimPosition = 0;
  int AnimCount = 0;
  // The timer interval the current state asks for, in ms (at least 1).
  int Interval = 2000;

  // Back to the initial state: waiting at position 0 with no entrance counted.
  void Start(const TShapeFields& shape);
  // Enters `state` (0 to 3) with its timer interval; other values are ignored.
  void SetAnimState(const TShapeFields& shape, int state);
  // One timer tick, live only. Does nothing while the animation is off.
  TTickResult Tick(const TShapeFields& shape);
  // The frame of the next picture for a control of width × height. Reaching the end of an
  // entrance or exit here moves on to the next state, as the picture is being built.
  TShapeFrame Frame(const TShapeFields& shape, int width, int height);
};
