#include "render/ShapeAnimation.h"

#include <algorithm>
#include <climits>
#include <cstdlib>

namespace {

struct TMargins {
  int Left, Top, Right, Bottom;
  // The largest margin decides how many steps a zoom takes; negative margins count by their size.
  int Largest() const { return std::max({std::abs(Left), std::abs(Top), std::abs(Right), std::abs(Bottom)}); }
};

TMargins MarginsOf(const TShapeFields& s) {
  return {ClampShapeCoord(s.LeftMargin), ClampShapeCoord(s.TopMargin), ClampShapeCoord(s.RightMargin),
          ClampShapeCoord(s.BottomMargin)};
}

// Styles outside the table behave as "None", so an unknown value cannot leave the loop stuck.
int StyleOf(int style) { return style >= AnimStyle::None && style <= AnimStyle::Fade ? style : AnimStyle::None; }

// A step below 1 would never finish an entrance or exit.
int StepOf(int step) { return std::clamp(step, 1, ShapeCoordLimit); }

int NormalAlphaOf(const TShapeFields& s) { return std::clamp(s.FadeParam.NormalAlpha, 0, 100); }

// How far a side still lies outside its resting place while zooming in: the margin shrinks by
// position × margin / largest and stops at the resting side.
int ZoomInOffset(int margin, int pos, int largest) {
  const int64_t offset = margin - int64_t(pos) * margin / largest;
  return margin >= 0 ? static_cast<int>(std::max<int64_t>(offset, 0)) : static_cast<int>(std::min<int64_t>(offset, 0));
}

// How far a side has moved out while zooming out, stopping at the control's edge.
int ZoomOutOffset(int margin, int pos, int largest) {
  const int64_t offset = int64_t(pos) * margin / largest;
  return margin >= 0 ? static_cast<int>(std::min<int64_t>(offset, margin))
                     : static_cast<int>(std::max<int64_t>(offset, margin));
}

TShapeBox Grown(const TShapeBox& b, int left, int top, int right, int bottom) {
  return {b.Left - left, b.Top - top, b.Right + right, b.Bottom + bottom};
}

}  // namespace

TShapeBox RestingShapeBox(const TShapeFields& shape, int width, int height) {
  const TMargins m = MarginsOf(shape);
  return {m.Left, m.Top, ClampShapeCoord(int64_t(ClampShapeCoord(width)) - m.Right),
          ClampShapeCoord(int64_t(ClampShapeCoord(height)) - m.Bottom)};
}

TShapeFrame RestingShapeFrame(const TShapeFields& shape, int width, int height) {
  return {true, RestingShapeBox(shape, width, height), std::nullopt};
}

void TShapeAnimation::Start(const TShapeFields& shape) {
  AnimPosition = 0;
  AnimCount = 0;
  SetAnimState(shape, ShapeAnimState::Waiting);
}

void TShapeAnimation::SetAnimState(const TShapeFields& shape, int state) {
  int interval;
  switch (state) {
    case ShapeAnimState::Entering:
      interval = shape.AnimInInterval;
      break;
    case ShapeAnimState::Waiting:
      interval = shape.AnimInDelay;
      break;
    case ShapeAnimState::Leaving:
      interval = shape.AnimOutInterval;
      break;
    case ShapeAnimState::Shown:
      interval = shape.AnimOutDelay;
      break;
    default:
      return;
  }
  AnimState = state;
  // A zero or negative interval from a damaged file would make the timer spin.
  Interval = std::max(1, interval);
}

TShapeAnimation::TTickResult TShapeAnimation::Tick(const TShapeFields& shape) {
  TTickResult result;
  if (!shape.AnimActive) return result;
  const int inStyle = StyleOf(shape.AnimInStyle), outStyle = StyleOf(shape.AnimOutStyle);
  const int normal = NormalAlphaOf(shape);
  const int startState = AnimState;

  if (AnimState == ShapeAnimState::Waiting) {
    if (shape.AnimRepeatCount > 0) {
      if (AnimCount > shape.AnimRepeatCount) return result;
      ++AnimCount;
      if (AnimCount > shape.AnimRepeatCount) return result;
    }
    AnimPosition = 0;
    SetAnimState(shape, ShapeAnimState::Entering);
    // The previous exit faded the shape out; the entrance starts from its normal opacity.
    if (outStyle == AnimStyle::Fade) result.AlphaBlend = normal;
  } else if (AnimState == ShapeAnimState::Shown) {
    AnimPosition = 0;
    SetAnimState(shape, ShapeAnimState::Leaving);
  }

  // Only a state that was already moving advances; the first tick of a move shows its start.
  if (startState == ShapeAnimState::Entering || startState == ShapeAnimState::Leaving) {
    const int step = StepOf(startState == ShapeAnimState::Entering ? shape.AnimInStep : shape.AnimOutStep);
    AnimPosition = static_cast<int>(std::min<int64_t>(int64_t(AnimPosition) + step, INT_MAX));
  }

  if (AnimState == ShapeAnimState::Entering) {
    if (inStyle == AnimStyle::None) {
      SetAnimState(shape, ShapeAnimState::Shown);
    } else if (inStyle == AnimStyle::Fade) {
      const int blend = std::min(AnimPosition, normal);
      if (blend >= normal) SetAnimState(shape, ShapeAnimState::Shown);
      result.AlphaBlend = blend;
      return result;
    }
  } else if (AnimState == ShapeAnimState::Leaving) {
    if (outStyle == AnimStyle::None) {
      SetAnimState(shape, ShapeAnimState::Waiting);
    } else if (outStyle == AnimStyle::Fade) {
      const int blend = std::max(normal - AnimPosition, 0);
      if (blend <= 0) SetAnimState(shape, ShapeAnimState::Waiting);
      result.AlphaBlend = blend;
      return result;
    }
  }
  result.Rebuild = true;
  return result;
}

TShapeFrame TShapeAnimation::Frame(const TShapeFields& shape, int width, int height) {
  const TShapeBox b0 = RestingShapeBox(shape, width, height);
  TShapeFrame frame{true, b0, std::nullopt};
  if (!shape.AnimActive) return frame;

  const TMargins m = MarginsOf(shape);
  const int w0 = b0.Width(), h0 = b0.Height(), pos = AnimPosition;

  switch (AnimState) {
    case ShapeAnimState::Waiting: {
      const int in = StyleOf(shape.AnimInStyle);
      if (!shape.AnimInFromMargin && in != AnimStyle::Fade) {
        frame.Visible = false;
        break;
      }
      switch (in) {
        case AnimStyle::MoveLeft:
          frame.Box = b0.Translated(-m.Left, 0);
          break;
        case AnimStyle::MoveRight:
          frame.Box = b0.Translated(m.Right, 0);
          break;
        case AnimStyle::MoveTop:
          frame.Box = b0.Translated(0, -m.Top);
          break;
        case AnimStyle::MoveBottom:
          frame.Box = b0.Translated(0, m.Bottom);
          break;
        case AnimStyle::Zoom:
          frame.Box = Grown(b0, m.Left, m.Top, m.Right, m.Bottom);
          break;
        case AnimStyle::Fade:
          frame.AlphaBlend = 0;
          break;
        default:
          break;
      }
      break;
    }

    case ShapeAnimState::Entering: {
      const bool fromMargin = shape.AnimInFromMargin;
      // Signed distance still to go; the entrance ends when it reaches 0.
      auto approach = [&](int64_t start, bool negative) {
        int64_t d = negative ? start + pos : start - pos;
        if (negative ? d >= 0 : d <= 0) {
          d = 0;
          SetAnimState(shape, ShapeAnimState::Shown);
        }
        return static_cast<int>(d);
      };
      switch (StyleOf(shape.AnimInStyle)) {
        case AnimStyle::MoveLeft:
          frame.Box = b0.Translated(approach(fromMargin ? -m.Left : -int64_t(m.Left) - w0, true), 0);
          break;
        case AnimStyle::MoveRight:
          frame.Box = b0.Translated(approach(fromMargin ? m.Right : int64_t(m.Right) + w0, false), 0);
          break;
        case AnimStyle::MoveTop:
          frame.Box = b0.Translated(0, approach(fromMargin ? -m.Top : -int64_t(m.Top) - h0, true));
          break;
        case AnimStyle::MoveBottom:
          frame.Box = b0.Translated(0, approach(fromMargin ? m.Bottom : int64_t(m.Bottom) + h0, false));
          break;
        case AnimStyle::Zoom: {
          const int s = m.Largest();
          if (s == 0) {
            SetAnimState(shape, ShapeAnimState::Shown);
            break;
          }
          const int l = ZoomInOffset(m.Left, pos, s), t = ZoomInOffset(m.Top, pos, s);
          const int r = ZoomInOffset(m.Right, pos, s), b = ZoomInOffset(m.Bottom, pos, s);
          frame.Box = Grown(b0, l, t, r, b);
          if (l == 0 && t == 0 && r == 0 && b == 0) SetAnimState(shape, ShapeAnimState::Shown);
          break;
        }
        default:
          break;
      }
      break;
    }

    case ShapeAnimState::Leaving: {
      const bool toMargin = shape.AnimOutToMargin;
      // Moves away by the position until the limit is passed; then the exit is over and the
      // figure is drawn at the limit.
      auto depart = [&](int64_t limit, bool negative) {
        const int64_t d = negative ? -int64_t(pos) : pos;
        if (negative ? d < limit : d > limit) {
          SetAnimState(shape, ShapeAnimState::Waiting);
          return static_cast<int>(limit);
        }
        return static_cast<int>(d);
      };
      switch (StyleOf(shape.AnimOutStyle)) {
        case AnimStyle::MoveLeft:
          frame.Box = b0.Translated(depart(toMargin ? -m.Left : -int64_t(m.Left) - w0, true), 0);
          break;
        case AnimStyle::MoveRight:
          frame.Box = b0.Translated(depart(toMargin ? m.Right : int64_t(m.Right) + w0, false), 0);
          break;
        case AnimStyle::MoveTop:
          frame.Box = b0.Translated(0, depart(toMargin ? -m.Top : -int64_t(m.Top) - h0, true));
          break;
        case AnimStyle::MoveBottom:
          frame.Box = b0.Translated(0, depart(toMargin ? m.Bottom : int64_t(m.Bottom) + h0, false));
          break;
        case AnimStyle::Zoom: {
          const int s = m.Largest();
          // With no margins the box already fills the control.
          const int l = s ? ZoomOutOffset(m.Left, pos, s) : 0, t = s ? ZoomOutOffset(m.Top, pos, s) : 0;
          const int r = s ? ZoomOutOffset(m.Right, pos, s) : 0, b = s ? ZoomOutOffset(m.Bottom, pos, s) : 0;
          frame.Box = Grown(b0, l, t, r, b);
          if (l == m.Left && t == m.Top && r == m.Right && b == m.Bottom) {
            SetAnimState(shape, ShapeAnimState::Waiting);
            if (!toMargin) frame.Visible = false;
          }
          break;
        }
        default:
          break;
      }
      break;
    }

    default:  // Shown
      break;
  }
  return frame;
}
