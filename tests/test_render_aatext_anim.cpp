// The entrance and exit animation of effect labels and texts, tick by tick, driving a real label.
#include <gtest/gtest.h>

#include "render/AAControls.h"
#include "render/Fade.h"
#include "render/TextAnimation.h"

namespace {
struct TTickRow {
  int Value;  // the animated property after the tick
  int State;  // AnimState after the tick
};

// A label resting at font size 24 with every effect property at its default.
struct TAnimFixture {
  TAALabel Label;
  TTextAnimation Anim;
  int Changes = 0;

  TAnimFixture() {
    TFont f;
    f.Name = QStringLiteral("DejaVu Sans");
    f.Size = 24;
    Label.SetFont(f);
    Label.SetCaption(QStringLiteral("Anim"));
    Label.OnChanged = [this] { ++Changes; };
    Anim.Params.AnimActive = true;
  }
  std::vector<TTickRow> Run(int ticks, int style, bool live = true) {
    std::vector<TTickRow> rows;
    for (int i = 0; i < ticks; ++i) {
      Anim.Tick(Label, live);
      rows.push_back({Label.AnimValue(style), Anim.AnimState});
    }
    return rows;
  }
};

bool operator==(const TTickRow& a, const TTickRow& b) { return a.Value == b.Value && a.State == b.State; }
void PrintTo(const TTickRow& r, std::ostream* os) { *os << "{" << r.Value << ", state " << r.State << "}"; }
}  // namespace

TEST(AATextAnimation, FontSizeEntranceFromOneToRestingSize) {
  TAnimFixture f;
  f.Anim.Params.AnimInStyle = tasFontSize;
  f.Anim.Params.AnimInFromValue = 1;
  f.Anim.Prepare(f.Label, 100, true);
  EXPECT_EQ(f.Anim.AnimInOrgValue, 24);
  EXPECT_EQ(f.Label.Font().Size, 1) << "live, the text first shows the entrance's first look";
  EXPECT_EQ(f.Anim.Interval(), 2000);

  std::vector<TTickRow> expected;
  expected.push_back({1, 0});  // the tick that starts the entrance
  for (int size = 2; size <= 23; ++size) expected.push_back({size, 0});
  expected.push_back({24, 3});  // the 23rd following tick reaches 24 and ends the entrance
  EXPECT_EQ(f.Run(24, tasFontSize), expected);
  EXPECT_EQ(f.Anim.Interval(), 2000) << "shown: waits AnimOutDelay";
  EXPECT_EQ(f.Anim.AnimCount, 0) << "endless: entrances are not counted";
}

TEST(AATextAnimation, AlphaExitInTenTicksAndRestoreOnNextEntrance) {
  TAnimFixture f;
  f.Anim.Params.AnimInStyle = tasFontSize;
  f.Anim.Params.AnimInFromValue = 10;
  f.Anim.Params.AnimOutStyle = tasAlpha;
  f.Anim.Params.AnimOutToValue = 0;
  f.Anim.Params.AnimOutStep = 10;
  f.Anim.Params.AnimOutInterval = 40;
  f.Anim.Prepare(f.Label, 100, false);  // captured, not applied
  EXPECT_EQ(f.Anim.AnimOutOrgValue, 100);
  EXPECT_EQ(f.Label.Font().Size, 24);
  f.Anim.SetAnimState(TTextAnimation::Shown);

  const std::vector<TTickRow> expected = {
      {100, 2},  // shown → leaving, position 0
      {90, 2},  {80, 2}, {70, 2}, {60, 2}, {50, 2},
      {40, 2},  {30, 2}, {20, 2}, {10, 2}, {0, 1},  // the tenth tick reaches 0: waiting
  };
  EXPECT_EQ(f.Run(11, tasAlpha), expected);
  EXPECT_EQ(f.Anim.Interval(), 2000);
  // The next entrance restores alpha 100 and then applies its own style's start.
  f.Anim.Tick(f.Label, true);
  EXPECT_EQ(f.Label.FontEffect().Alpha, 100);
  EXPECT_EQ(f.Label.Font().Size, 10);
  EXPECT_EQ(f.Anim.AnimState, TTextAnimation::Entering);
  EXPECT_EQ(f.Anim.Interval(), 25);
}

TEST(AATextAnimation, BlurFromBeyondItsLimit) {
  TAnimFixture f;
  f.Anim.Params.AnimInStyle = tasBlur;
  f.Anim.Params.AnimInFromValue = 150;
  TTextAnimation editing = f.Anim;
  editing.Prepare(f.Label, 100, false);
  EXPECT_EQ(f.Label.FontEffect().Blur, 0) << "on the editing surface the stored blur stays";

  f.Anim.Prepare(f.Label, 100, true);
  EXPECT_EQ(f.Label.FontEffect().Blur, 100) << "limited";
  const auto rows = f.Run(151, tasBlur);
  // Counting runs 150, 149, … : the blur shows 100 until the count drops below it.
  for (int i = 0; i <= 50; ++i) EXPECT_EQ(rows[i], (TTickRow{100, 0})) << "tick " << i + 1;
  EXPECT_EQ(rows[51], (TTickRow{99, 0}));
  EXPECT_EQ(rows[149], (TTickRow{1, 0}));
  EXPECT_EQ(rows[150], (TTickRow{0, 3}));
}

TEST(AATextAnimation, RepeatCountOneThenStaysInTheExitLook) {
  TAnimFixture f;
  f.Anim.Params.AnimInStyle = tasFontSize;
  f.Anim.Params.AnimInFromValue = 20;
  f.Anim.Params.AnimInStep = 2;
  f.Anim.Params.AnimOutStyle = tasFontSize;
  f.Anim.Params.AnimOutToValue = 10;
  f.Anim.Params.AnimOutStep = 7;
  f.Anim.Params.AnimRepeatCount = 1;
  f.Anim.Prepare(f.Label, 100, true);
  int entrances = 0, exits = 0, previous = f.Anim.AnimState;
  std::vector<int> sizes;
  for (int i = 0; i < 40; ++i) {
    f.Anim.Tick(f.Label, true);
    sizes.push_back(f.Label.Font().Size);
    if (previous != 0 && f.Anim.AnimState == 0) ++entrances;
    if (previous != 2 && f.Anim.AnimState == 2) ++exits;
    previous = f.Anim.AnimState;
  }
  EXPECT_EQ(entrances, 1);
  EXPECT_EQ(exits, 1);
  // 20, 22, 24 in; shown; 24, 17, 10 out; then it stays.
  EXPECT_EQ(std::vector<int>(sizes.begin(), sizes.begin() + 8), (std::vector<int>{20, 22, 24, 24, 17, 10, 10, 10}));
  EXPECT_EQ(f.Label.Font().Size, 10);
  EXPECT_EQ(f.Anim.AnimState, TTextAnimation::Waiting);
  EXPECT_EQ(f.Anim.AnimCount, 2);
}

TEST(AATextAnimation, NoneStyleTakesItsTimeWithoutChangingAnything) {
  TAnimFixture f;
  f.Anim.Params.AnimInStyle = tasNone;
  f.Anim.Params.AnimInFromValue = -7;  // |−7| / 2 rounded up: 4 ticks after the starting one
  f.Anim.Params.AnimInStep = 2;
  f.Anim.Prepare(f.Label, 100, true);
  EXPECT_EQ(f.Anim.AnimInOrgValue, 0);
  f.Label.Picture();
  const int changes = f.Changes, renders = f.Label.RenderCount();
  std::vector<int> states;
  for (int i = 0; i < 5; ++i) {
    f.Anim.Tick(f.Label, true);
    states.push_back(f.Anim.AnimState);
  }
  EXPECT_EQ(states, (std::vector<int>{0, 0, 0, 0, 3}));
  EXPECT_EQ(f.Changes, changes);
  f.Label.Picture();
  EXPECT_EQ(f.Label.RenderCount(), renders);
}

TEST(AATextAnimation, EditingAndInactiveNeverApply) {
  TAnimFixture f;
  f.Anim.Params.AnimInStyle = tasAngle;
  f.Anim.Params.AnimInFromValue = 90;
  f.Anim.Prepare(f.Label, 100, false);
  f.Run(10, tasAngle, false);
  EXPECT_EQ(f.Label.FontEffect().Angle, 0);
  EXPECT_EQ(f.Anim.AnimState, TTextAnimation::Entering);  // the clock runs, nothing is shown

  TAnimFixture off;
  off.Anim.Params.AnimActive = false;
  off.Anim.Prepare(off.Label, 100, true);
  off.Run(5, tasFontSize);
  EXPECT_EQ(off.Label.Font().Size, 24);
  EXPECT_EQ(off.Anim.AnimState, TTextAnimation::Waiting);
}

TEST(AATextAnimation, AlphaStyleBypassesTheFade) {
  TAnimFixture f;
  TFader fader;
  fader.OnApply = [&](int p) { f.Label.ChangeFontEffect([&](TAAEffect& e) { e.Alpha = static_cast<uint8_t>(p); }); };
  fader.Reset(80);
  f.Anim.Params.AnimInStyle = tasAlpha;
  f.Anim.Params.AnimInFromValue = 0;
  f.Anim.Params.AnimInStep = 20;
  f.Anim.Prepare(f.Label, 80, true);
  EXPECT_EQ(f.Anim.AnimInOrgValue, 80) << "opacity rests at NormalAlpha";
  EXPECT_EQ(f.Label.FontEffect().Alpha, 0);
  const auto rows = f.Run(5, tasAlpha);
  EXPECT_EQ(rows, (std::vector<TTickRow>{{0, 0}, {20, 0}, {40, 0}, {60, 0}, {80, 3}}));
  // The fade never saw any of it.
  EXPECT_EQ(fader.Alpha(), 80);
  EXPECT_EQ(fader.FadeTarget(), 80);
  EXPECT_EQ(fader.FadeAlpha(), 80);
}

TEST(AATextAnimation, StatesIntervalsAndLimits) {
  TTextAnimation a;
  a.Params.AnimInInterval = 11;
  a.Params.AnimInDelay = 22;
  a.Params.AnimOutInterval = 33;
  a.Params.AnimOutDelay = 44;
  const int intervals[] = {11, 22, 33, 44};
  for (int s = 0; s < 4; ++s) {
    a.SetAnimState(s);
    EXPECT_EQ(a.AnimState, s);
    EXPECT_EQ(a.Interval(), intervals[s]);
  }
  a.SetAnimState(7);
  EXPECT_EQ(a.AnimState, 3) << "other values are ignored";
  EXPECT_EQ(a.Interval(), 44);

  const struct {
    int Style, In, Out;
  } limits[] = {{tasFontSize, -5, 0}, {tasFontSize, 300, 300}, {tasAngle, 720, 720}, {tasAngle, -400, -400},
                {tasSpray, 130, 100}, {tasBlur, -1, 0},        {tasAlpha, 101, 100}, {tasAlpha, 55, 55}};
  for (const auto& l : limits) EXPECT_EQ(LimitAnimValue(l.Style, l.In), l.Out) << l.Style << " " << l.In;

  // A stalled entrance (step 0) keeps going without overflow or change.
  TAnimFixture f;
  f.Anim.Params.AnimInStyle = tasSpray;
  f.Anim.Params.AnimInFromValue = 50;
  f.Anim.Params.AnimInStep = 0;
  f.Anim.Prepare(f.Label, 100, true);
  f.Run(100, tasSpray);
  EXPECT_EQ(f.Label.FontEffect().Spray, 50);
  EXPECT_EQ(f.Anim.AnimState, TTextAnimation::Entering);
}
