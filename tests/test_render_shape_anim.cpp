// The shape's entrance and exit animation: tick tables of state, position and frame.
#include <gtest/gtest.h>

#include <climits>
#include <optional>
#include <ostream>

#include "render/ShapeAnimation.h"

namespace {

// One row per tick as the control plays it: tick, and when the tick asks for a picture, the frame.
struct TRow {
  int State;
  int Pos;
  bool Rebuilt;
  bool Visible;
  int Left;   // frame box left (or top for vertical moves), meaningful when rebuilt and visible
  int Blend;  // -1: no opacity asked for

  bool operator==(const TRow&) const = default;
};

std::ostream& operator<<(std::ostream& os, const TRow& r) {
  return os << "{" << r.State << ", " << r.Pos << ", " << r.Rebuilt << ", " << r.Visible << ", " << r.Left << ", "
            << r.Blend << "}";
}

enum class TAxis { X, Y };

std::vector<TRow> Play(TShapeAnimation& anim, const TShapeFields& s, int ticks, int width = 100, int height = 50,
                       TAxis axis = TAxis::X) {
  std::vector<TRow> rows;
  for (int i = 0; i < ticks; ++i) {
    const auto tick = anim.Tick(s);
    TRow row{0, 0, tick.Rebuild, false, 0, tick.AlphaBlend.value_or(-1)};
    if (tick.Rebuild) {
      const TShapeFrame f = anim.Frame(s, width, height);
      row.Visible = f.Visible;
      row.Left = axis == TAxis::X ? f.Box.Left : f.Box.Top;
      if (f.AlphaBlend) row.Blend = *f.AlphaBlend;
    }
    row.State = anim.AnimState;
    row.Pos = anim.AnimPosition;
    rows.push_back(row);
  }
  return rows;
}

TShapeFields Animated(int in, int out) {
  TShapeFields s;
  s.AnimActive = true;
  s.AnimInStyle = in;
  s.AnimOutStyle = out;
  s.AnimInInterval = 25;
  s.AnimInDelay = 2000;
  s.AnimOutInterval = 30;
  s.AnimOutDelay = 3000;
  return s;
}

TEST(ShapeAnimation, MoveFromLeftStartsFullyOutsideAndRestsAfterTenSteps) {
  TShapeFields s = Animated(AnimStyle::MoveLeft, AnimStyle::MoveLeft);
  s.AnimInStep = 10;
  TShapeAnimation anim;
  anim.Start(s);
  EXPECT_EQ(anim.Interval, 2000);
  // Waiting: not drawn at all.
  EXPECT_FALSE(anim.Frame(s, 100, 50).Visible);

  const std::vector<TRow> expected = {
      {0, 0, true, true, -100, -1},  // the first entering tick shows the start, one width to the left
      {0, 10, true, true, -90, -1}, {0, 20, true, true, -80, -1}, {0, 30, true, true, -70, -1},
      {0, 40, true, true, -60, -1}, {0, 50, true, true, -50, -1}, {0, 60, true, true, -40, -1},
      {0, 70, true, true, -30, -1}, {0, 80, true, true, -20, -1}, {0, 90, true, true, -10, -1},
      {3, 100, true, true, 0, -1},  // at rest after ten steps
  };
  EXPECT_EQ(Play(anim, s, 11), expected);
  EXPECT_EQ(anim.Interval, 3000);  // shown for AnimOutDelay
}

TEST(ShapeAnimation, MoveFromLeftFromMarginIsAtRestOnTheFirstEnteringTick) {
  TShapeFields s = Animated(AnimStyle::MoveLeft, AnimStyle::MoveLeft);
  s.AnimInStep = 10;
  s.AnimInFromMargin = true;
  TShapeAnimation anim;
  anim.Start(s);
  // Waiting at the margin, which with margins 0 is the resting place.
  const TShapeFrame waiting = anim.Frame(s, 100, 50);
  EXPECT_TRUE(waiting.Visible);
  EXPECT_EQ(waiting.Box, (TShapeBox{0, 0, 100, 50}));
  EXPECT_EQ(Play(anim, s, 1), (std::vector<TRow>{{3, 0, true, true, 0, -1}}));
}

TEST(ShapeAnimation, ZoomWithoutMarginsEndsEnteringAtOnceAndVanishesLeaving) {
  for (bool toMargin : {false, true}) {
    TShapeFields s = Animated(AnimStyle::Zoom, AnimStyle::Zoom);
    s.AnimOutToMargin = toMargin;
    TShapeAnimation anim;
    anim.Start(s);
    const std::vector<TRow> expected = {
        {3, 0, true, true, 0, -1},      // entering ends on its first tick
        {1, 0, true, toMargin, 0, -1},  // leaving: the box already fills the control
        {3, 0, true, true, 0, -1},      // the next entrance, again at once
    };
    EXPECT_EQ(Play(anim, s, 3), expected) << toMargin;
  }
}

TEST(ShapeAnimation, ZoomWithMarginsShrinksFromTheWholeControl) {
  TShapeFields s = Animated(AnimStyle::Zoom, AnimStyle::Zoom);
  s.LeftMargin = 20;
  s.RightMargin = 10;
  s.TopMargin = 6;
  s.BottomMargin = 0;
  s.AnimInStep = 5;
  s.AnimOutStep = 8;
  TShapeAnimation anim;
  anim.Start(s);
  const TShapeBox b0{20, 6, 90, 50};
  EXPECT_EQ(RestingShapeBox(s, 100, 50), b0);

  // Largest margin 20: each side moves margin × pos / 20 (integer division) towards b0.
  std::vector<TShapeBox> boxes;
  std::vector<int> states;
  for (int i = 0; i < 6; ++i) {
    ASSERT_TRUE(anim.Tick(s).Rebuild);
    boxes.push_back(anim.Frame(s, 100, 50).Box);
    states.push_back(anim.AnimState);
  }
  const std::vector<TShapeBox> expectedBoxes = {
      {0, 0, 100, 50},  // pos 0: the whole control
      {5, 1, 98, 50},   // pos 5: sides still out by 20 − 5, 6 − 1, 10 − 2
      {10, 3, 95, 50},  // pos 10: out by 20 − 10, 6 − 3, 10 − 5
      {15, 4, 93, 50},  // pos 15: out by 20 − 15, 6 − 4, 10 − 7
      {20, 6, 90, 50},  // pos 20: resting
      {20, 6, 90, 50},  // leaving, pos 0
  };
  EXPECT_EQ(boxes, expectedBoxes);
  EXPECT_EQ(states, (std::vector<int>{0, 0, 0, 0, 3, 2}));

  // Leaving by 8 per tick, each side limited to the control's edge.
  ASSERT_TRUE(anim.Tick(s).Rebuild);
  EXPECT_EQ(anim.Frame(s, 100, 50), (TShapeFrame{true, {12, 4, 94, 50}, std::nullopt}));
  ASSERT_TRUE(anim.Tick(s).Rebuild);
  EXPECT_EQ(anim.Frame(s, 100, 50), (TShapeFrame{true, {4, 2, 98, 50}, std::nullopt}));
  ASSERT_TRUE(anim.Tick(s).Rebuild);
  // Pos 24: grown to the whole control; the exit ends and without AnimOutToMargin nothing shows.
  EXPECT_EQ(anim.Frame(s, 100, 50).Visible, false);
  EXPECT_EQ(anim.AnimState, ShapeAnimState::Waiting);
  EXPECT_EQ(anim.Interval, 2000);
}

TEST(ShapeAnimation, RepeatCountTwoEntersExactlyTwice) {
  TShapeFields s = Animated(AnimStyle::MoveLeft, AnimStyle::MoveRight);
  s.AnimInStep = 60;
  s.AnimOutStep = 60;
  s.AnimRepeatCount = 2;
  TShapeAnimation anim;
  anim.Start(s);
  int entrances = 0;
  int previous = anim.AnimState;
  for (int i = 0; i < 60; ++i) {
    const auto tick = anim.Tick(s);
    if (tick.Rebuild) anim.Frame(s, 100, 50);
    if (anim.AnimState == ShapeAnimState::Entering && previous == ShapeAnimState::Waiting) ++entrances;
    previous = anim.AnimState;
  }
  EXPECT_EQ(entrances, 2);
  EXPECT_EQ(anim.AnimState, ShapeAnimState::Waiting);
  EXPECT_EQ(anim.AnimCount, 3);
  // Further ticks change nothing and ask for nothing; the shape stays invisible while waiting.
  EXPECT_EQ(anim.Tick(s), TShapeAnimation::TTickResult{});
  EXPECT_EQ(anim.AnimCount, 3);
  EXPECT_FALSE(anim.Frame(s, 100, 50).Visible);
  // With AnimInFromMargin it waits visibly at the margin instead.
  s.AnimInFromMargin = true;
  EXPECT_TRUE(anim.Frame(s, 100, 50).Visible);
}

TEST(ShapeAnimation, RepeatCountTwoTickTable) {
  TShapeFields s = Animated(AnimStyle::None, AnimStyle::None);
  s.AnimRepeatCount = 2;
  TShapeAnimation anim;
  anim.Start(s);
  std::vector<std::pair<int, int>> stateAndCount;
  for (int i = 0; i < 6; ++i) {
    const auto tick = anim.Tick(s);
    if (tick.Rebuild) anim.Frame(s, 100, 50);
    stateAndCount.emplace_back(anim.AnimState, anim.AnimCount);
  }
  // Entrance "None" shows at once; exit "None" hides at once.
  const std::vector<std::pair<int, int>> expected = {{3, 1}, {1, 1}, {3, 2}, {1, 2}, {1, 3}, {1, 3}};
  EXPECT_EQ(stateAndCount, expected);
}

TEST(ShapeAnimation, MoveToLeftEndsOneStepBeyondTheLimit) {
  TShapeFields s = Animated(AnimStyle::None, AnimStyle::MoveLeft);
  s.AnimOutStep = 30;
  TShapeAnimation anim;
  anim.Start(s);
  const std::vector<TRow> expected = {
      {3, 0, true, true, 0, -1},  // entrance "None"
      {2, 0, true, true, 0, -1},  // leaving starts at rest
      {2, 30, true, true, -30, -1}, {2, 60, true, true, -60, -1},
      {2, 90, true, true, -90, -1}, {1, 120, true, true, -100, -1},  // past the limit: drawn at it, then waiting
  };
  EXPECT_EQ(Play(anim, s, 6), expected);
  EXPECT_EQ(anim.Interval, 2000);
}

// Every move direction, from outside and from the margin: where the first frame is and how many
// ticks the entrance takes, then the exit in the same direction.
struct TMoveCase {
  int Style;
  bool Margin;
  TAxis Axis;
  int StartOffset;  // of the first entering frame, relative to the resting box
  int EndOffset;    // of the last leaving frame
};

class ShapeAnimationMove : public ::testing::TestWithParam<TMoveCase> {};

TEST_P(ShapeAnimationMove, EntersAndLeaves) {
  const TMoveCase& c = GetParam();
  TShapeFields s = Animated(c.Style, c.Style);
  s.LeftMargin = 5;
  s.TopMargin = 6;
  s.RightMargin = 7;
  s.BottomMargin = 8;
  s.AnimInFromMargin = s.AnimOutToMargin = c.Margin;
  s.AnimInStep = 10;
  s.AnimOutStep = 10;
  const TShapeBox b0 = RestingShapeBox(s, 100, 80);
  ASSERT_EQ(b0, (TShapeBox{5, 6, 93, 72}));
  const int rest = c.Axis == TAxis::X ? b0.Left : b0.Top;
  TShapeAnimation anim;
  anim.Start(s);
  auto rows = Play(anim, s, 1, 100, 80, c.Axis);
  EXPECT_EQ(rows[0].Left - rest, c.StartOffset);
  // Ticks to rest: the distance in steps of 10, rounded up.
  const int steps = (std::abs(c.StartOffset) + 9) / 10;
  rows = Play(anim, s, steps, 100, 80, c.Axis);
  EXPECT_EQ(rows.back().State, ShapeAnimState::Shown);
  EXPECT_EQ(rows.back().Left, rest);
  if (steps > 1) {
    EXPECT_EQ(rows[steps - 2].State, ShapeAnimState::Entering);
  }
  // Leaving runs until it passes the same distance.
  rows = Play(anim, s, 1 + steps, 100, 80, c.Axis);
  EXPECT_EQ(rows.back().State, ShapeAnimState::Waiting);
  EXPECT_EQ(rows.back().Left - rest, c.EndOffset);
}

INSTANTIATE_TEST_SUITE_P(Table, ShapeAnimationMove,
                         ::testing::Values(TMoveCase{AnimStyle::MoveLeft, false, TAxis::X, -5 - 88, -5 - 88},
                                           TMoveCase{AnimStyle::MoveLeft, true, TAxis::X, -5, -5},
                                           TMoveCase{AnimStyle::MoveRight, false, TAxis::X, 7 + 88, 7 + 88},
                                           TMoveCase{AnimStyle::MoveRight, true, TAxis::X, 7, 7},
                                           TMoveCase{AnimStyle::MoveTop, false, TAxis::Y, -6 - 66, -6 - 66},
                                           TMoveCase{AnimStyle::MoveTop, true, TAxis::Y, -6, -6},
                                           TMoveCase{AnimStyle::MoveBottom, false, TAxis::Y, 8 + 66, 8 + 66},
                                           TMoveCase{AnimStyle::MoveBottom, true, TAxis::Y, 8, 8}));

TEST(ShapeAnimation, WaitingFrameAtTheMarginPerStyle) {
  struct TCase {
    int Style;
    TShapeBox Box;
    std::optional<int> Blend;
  };
  const TCase cases[] = {
      {AnimStyle::None, {5, 6, 93, 72}, std::nullopt},
      {AnimStyle::MoveLeft, {0, 6, 88, 72}, std::nullopt},
      {AnimStyle::MoveRight, {12, 6, 100, 72}, std::nullopt},
      {AnimStyle::MoveTop, {5, 0, 93, 66}, std::nullopt},
      {AnimStyle::MoveBottom, {5, 14, 93, 80}, std::nullopt},
      {AnimStyle::Zoom, {0, 0, 100, 80}, std::nullopt},
      {AnimStyle::Fade, {5, 6, 93, 72}, 0},
  };
  for (const TCase& c : cases) {
    TShapeFields s = Animated(c.Style, AnimStyle::None);
    s.LeftMargin = 5;
    s.TopMargin = 6;
    s.RightMargin = 7;
    s.BottomMargin = 8;
    s.AnimInFromMargin = true;
    TShapeAnimation anim;
    anim.Start(s);
    EXPECT_EQ(anim.Frame(s, 100, 80), (TShapeFrame{true, c.Box, c.Blend})) << c.Style;
    // Without the margin flag only the fade entrance waits visibly (at opacity 0).
    s.AnimInFromMargin = false;
    EXPECT_EQ(anim.Frame(s, 100, 80).Visible, c.Style == AnimStyle::Fade) << c.Style;
  }
}

TEST(ShapeAnimation, FadeInAndOutDriveTheOpacityWithoutRebuilding) {
  TShapeFields s = Animated(AnimStyle::Fade, AnimStyle::Fade);
  s.FadeParam.NormalAlpha = 80;
  s.AnimInStep = 30;
  s.AnimOutStep = 30;
  TShapeAnimation anim;
  anim.Start(s);
  const std::vector<TRow> expected = {
      {0, 0, false, false, 0, 0},   {0, 30, false, false, 0, 30},
      {0, 60, false, false, 0, 60}, {3, 90, false, false, 0, 80},  // capped at the normal opacity: shown
      {2, 0, false, false, 0, 80},  {2, 30, false, false, 0, 50},
      {2, 60, false, false, 0, 20}, {1, 90, false, false, 0, 0},  // faded out: waiting
      {0, 0, false, false, 0, 0},                                 // the next entrance starts from 0 again
  };
  EXPECT_EQ(Play(anim, s, 9), expected);
}

TEST(ShapeAnimation, FadeExitUndoneBeforeAMovingEntrance) {
  TShapeFields s = Animated(AnimStyle::MoveLeft, AnimStyle::Fade);
  s.FadeParam.NormalAlpha = 70;
  s.AnimInStep = 1000;
  s.AnimOutStep = 1000;
  TShapeAnimation anim;
  anim.Start(s);
  const std::vector<TRow> expected = {
      {0, 0, true, true, -100, 70},  // waiting → entering restores the normal opacity
      {3, 1000, true, true, 0, -1},  {2, 0, false, false, 0, 70},
      {1, 1000, false, false, 0, 0}, {0, 0, true, true, -100, 70},
  };
  EXPECT_EQ(Play(anim, s, 5), expected);
}

TEST(ShapeAnimation, StatesIntervalsAndInactiveTicks) {
  TShapeFields s = Animated(AnimStyle::MoveLeft, AnimStyle::MoveLeft);
  TShapeAnimation anim;
  anim.Start(s);
  const int intervals[] = {25, 2000, 30, 3000};
  for (int state = 0; state < 4; ++state) {
    anim.SetAnimState(s, state);
    EXPECT_EQ(anim.AnimState, state);
    EXPECT_EQ(anim.Interval, intervals[state]);
  }
  anim.SetAnimState(s, 4);
  anim.SetAnimState(s, -1);
  EXPECT_EQ(anim.AnimState, 3);
  EXPECT_EQ(anim.Interval, 3000);

  // A damaged interval never asks the timer for 0 ms.
  s.AnimInInterval = 0;
  anim.SetAnimState(s, ShapeAnimState::Entering);
  EXPECT_EQ(anim.Interval, 1);

  // With the animation off a tick does nothing and the frame is the resting box.
  s.AnimActive = false;
  anim.Start(s);
  EXPECT_EQ(anim.Tick(s), TShapeAnimation::TTickResult{});
  EXPECT_EQ(anim.AnimState, ShapeAnimState::Waiting);
  EXPECT_EQ(anim.Frame(s, 100, 50), RestingShapeFrame(s, 100, 50));
}

TEST(ShapeAnimation, DamagedStylesAndStepsStillFinish) {
  // An unknown style behaves as "None"; a step below 1 as 1.
  TShapeFields s = Animated(99, -4);
  TShapeAnimation anim;
  anim.Start(s);
  EXPECT_EQ(Play(anim, s, 2), (std::vector<TRow>{{3, 0, true, true, 0, -1}, {1, 0, true, false, 0, -1}}));

  s = Animated(AnimStyle::MoveLeft, AnimStyle::MoveLeft);
  s.AnimInStep = -50;
  anim.Start(s);
  const auto rows = Play(anim, s, 101, 100, 50);
  EXPECT_EQ(rows[1].Pos, 1);
  EXPECT_EQ(rows.back().State, ShapeAnimState::Shown);

  // Extreme margins and steps stay within range (the sanitizer build checks the arithmetic).
  s = Animated(AnimStyle::Zoom, AnimStyle::MoveBottom);
  s.LeftMargin = INT_MAX;
  s.RightMargin = INT_MIN;
  s.TopMargin = INT_MIN;
  s.AnimInStep = INT_MAX;
  s.AnimOutStep = INT_MAX;
  anim.Start(s);
  for (int i = 0; i < 10; ++i) {
    if (anim.Tick(s).Rebuild) anim.Frame(s, 100, 50);
  }
  EXPECT_GE(anim.AnimPosition, 0);
}

}  // namespace
