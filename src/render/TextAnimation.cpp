#include "render/TextAnimation.h"

#include <algorithm>
#include <limits>

int LimitAnimValue(int style, int value) {
  switch (style) {
    case tasFontSize:
      return std::max(value, 0);
    case tasSpray:
    case tasBlur:
    case tasAlpha:
      return std::clamp(value, 0, 100);
    default:
      return value;
  }
}

namespace {
bool Applies(int style) { return style >= tasFontSize && style <= tasAlpha; }

int RestingValue(const TTextAnimTarget& target, int style, int normalAlpha) {
  if (style == tasAlpha) return normalAlpha;
  return Applies(style) ? target.AnimValue(style) : 0;
}

void Apply(TTextAnimTarget& target, int style, int64_t value) {
  if (!Applies(style)) return;
  value = std::clamp<int64_t>(value, std::numeric_limits<int>::min(), std::numeric_limits<int>::max());
  target.SetAnimValue(style, LimitAnimValue(style, static_cast<int>(value)));
}

// From moved by pos towards to, not passing it.
int64_t Towards(int64_t from, int64_t to, int64_t pos) {
  return from < to ? std::min(from + pos, to) : std::max(from - pos, to);
}
}  // namespace

void TTextAnimation::Prepare(TTextAnimTarget& target, int normalAlpha, bool live) {
  AnimInOrgValue = RestingValue(target, Params.AnimInStyle, normalAlpha);
  AnimOutOrgValue = RestingValue(target, Params.AnimOutStyle, normalAlpha);
  if (Params.AnimActive && live) Apply(target, Params.AnimInStyle, Params.AnimInFromValue);
  FInterval = Params.AnimInDelay;
}

void TTextAnimation::SetAnimState(int32_t state) {
  switch (state) {
    case Entering:
      FInterval = Params.AnimInInterval;
      break;
    case Waiting:
      FInterval = Params.AnimInDelay;
      break;
    case Leaving:
      FInterval = Params.AnimOutInterval;
      break;
    case Shown:
      FInterval = Params.AnimOutDelay;
      break;
    default:
      return;
  }
  AnimState = state;
}

void TTextAnimation::Tick(TTextAnimTarget& target, bool live) {
  if (!Params.AnimActive) return;
  const int32_t found = AnimState;
  if (found == Waiting) {
    if (Params.AnimRepeatCount > 0) {
      if (AnimCount > Params.AnimRepeatCount) return;
      ++AnimCount;
      if (AnimCount > Params.AnimRepeatCount) return;
    }
    AnimPosition = 0;
    SetAnimState(Entering);
    // Undo the previous exit's final look before the entrance takes over.
    Apply(target, Params.AnimOutStyle, AnimOutOrgValue);
  } else if (found == Shown) {
    AnimPosition = 0;
    SetAnimState(Leaving);
  } else if (found == Entering || found == Leaving) {
    // Saturating, so a run that never ends (step 0 or negative) cannot overflow.
    const int64_t step = found == Entering ? Params.AnimInStep : Params.AnimOutStep;
    AnimPosition =
        static_cast<int32_t>(std::clamp<int64_t>(int64_t(AnimPosition) + step, std::numeric_limits<int32_t>::min() / 2,
                                                 std::numeric_limits<int32_t>::max() / 2));
  }
  if (!live) return;
  if (AnimState == Entering) {
    const int64_t v = Towards(Params.AnimInFromValue, AnimInOrgValue, AnimPosition);
    if (v == AnimInOrgValue) SetAnimState(Shown);
    Apply(target, Params.AnimInStyle, v);
  } else if (AnimState == Leaving) {
    const int64_t v = Towards(AnimOutOrgValue, Params.AnimOutToValue, AnimPosition);
    if (v == Params.AnimOutToValue) SetAnimState(Waiting);
    Apply(target, Params.AnimOutStyle, v);
  }
}
