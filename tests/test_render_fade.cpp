// Alpha scaling of the built picture and the fade state machine, as tick tables.
#include <gtest/gtest.h>

#include <QImage>

#include "render/Fade.h"

TEST(RenderAlpha, ScalesAlphaOnlyAndOnlyOnChange) {
  QImage picture(4, 1, QImage::Format_ARGB32);
  const QRgb pixels[] = {qRgba(10, 20, 30, 255), qRgba(200, 100, 50, 1), qRgba(1, 2, 3, 0), qRgba(9, 8, 7, 199)};
  for (int x = 0; x < 4; ++x) picture.setPixel(x, 0, pixels[x]);

  struct Case {
    int percent;
    int alphas[4];
  };
  const Case cases[] = {
      {50, {127, 0, 0, 99}}, {100, {255, 1, 0, 199}}, {0, {0, 0, 0, 0}}, {150, {255, 1, 0, 199}},  // limited to 100
      {-3, {0, 0, 0, 0}},    {99, {252, 0, 0, 197}},
  };
  TAlphaImage image;
  image.SetPicture(picture);
  image.ResetImage();
  for (const auto& c : cases) {
    image.SetAlphaBlend(c.percent);
    for (int x = 0; x < 4; ++x) {
      const QRgb p = image.Shown().pixel(x, 0);
      EXPECT_EQ(qAlpha(p), c.alphas[x]) << c.percent << "% pixel " << x;
      // Colours stay as built, even under alpha 0.
      EXPECT_EQ(p & 0xFFFFFF, pixels[x] & 0xFFFFFF);
    }
    EXPECT_EQ(image.Picture().pixel(0, 0), pixels[0]);  // the built picture is never scaled
  }

  // Re-assigning the same percentage does nothing; a new picture is not rescaled until ResetImage.
  image.SetAlphaBlend(50);
  EXPECT_FALSE(image.SetAlphaBlend(50));
  image.SetPicture(picture);
  EXPECT_EQ(qAlpha(image.Shown().pixel(0, 0)), 255);
  image.ResetImage();
  EXPECT_EQ(qAlpha(image.Shown().pixel(0, 0)), 127);
}

namespace {
struct TFadeProbe {
  TFader fader;
  std::vector<int> applied;
  int fadeOvers = 0;
  TFadeProbe() {
    fader.OnApply = [this](int p) { applied.push_back(p); };
    fader.OnFadeOver = [this] { ++fadeOvers; };
  }
  // Runs ticks and records FadeAlpha after each.
  std::vector<int> Run(int ticks) {
    std::vector<int> shown;
    for (int i = 0; i < ticks; ++i) {
      fader.Tick();
      shown.push_back(fader.FadeAlpha());
    }
    return shown;
  }
};
}  // namespace

TEST(RenderFader, AlphaAssignment) {
  TFadeProbe probe;
  probe.fader.SetAlpha(150);
  EXPECT_EQ(probe.fader.Alpha(), 100);
  probe.fader.SetAlpha(-5);
  EXPECT_EQ(probe.fader.Alpha(), 0);
  EXPECT_EQ(probe.fader.FadeTarget(), 0);
  EXPECT_EQ(probe.fader.FadeAlpha(), 100);  // fading: nothing shown yet
  EXPECT_TRUE(probe.applied.empty());

  probe.fader.SetFade(false);
  probe.applied.clear();
  probe.fader.SetAlpha(40);  // not fading: shown at once
  EXPECT_EQ(probe.applied, std::vector<int>{40});
  EXPECT_EQ(probe.fader.FadeAlpha(), 40);
  EXPECT_EQ(probe.fader.FadeTarget(), 40);
}

TEST(RenderFader, FadeDownClipsLastStepAndRests) {
  TFadeProbe probe;
  probe.fader.SetAlpha(35);
  EXPECT_EQ(probe.Run(9), (std::vector<int>{90, 80, 70, 60, 50, 40, 35, 35, 35}));
  EXPECT_EQ(probe.applied, (std::vector<int>{90, 80, 70, 60, 50, 40, 35}));
  EXPECT_EQ(probe.fadeOvers, 0);
  EXPECT_TRUE(probe.fader.Resting());
}

TEST(RenderFader, CycleTurnsOnceAndComesBack) {
  TFadeProbe probe;
  probe.fader.Reset(80);
  probe.applied.clear();
  probe.fader.DoFadeCirculate(false);
  std::vector<int> overAt;
  std::vector<int> shown;
  for (int i = 0; i < 20; ++i) {
    probe.fader.Tick();
    shown.push_back(probe.fader.FadeAlpha());
    overAt.push_back(probe.fadeOvers);
  }
  EXPECT_EQ(shown, (std::vector<int>{70, 60, 50, 40, 30, 20, 10, 0, 0, 10, 20, 30, 40, 50, 60, 70, 80, 80, 80, 80}));
  EXPECT_EQ(overAt, (std::vector<int>{0, 0, 0, 0, 0, 0, 0, 0, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1}));
  EXPECT_EQ(probe.fader.FadeTarget(), 80);

  // Uneven steps: out by 30 (clipped at 0), in by 25 (clipped at the target).
  probe.fader.FadeOutStep = 30;
  probe.fader.FadeInStep = 25;
  probe.fader.DoFadeCirculate(false);
  EXPECT_EQ(probe.Run(8), (std::vector<int>{50, 20, 0, 0, 25, 50, 75, 80}));
  EXPECT_EQ(probe.fadeOvers, 2);
}

TEST(RenderFader, CycleCases) {
  {  // forward at 100: target = shown = Alpha, nothing happens
    TFadeProbe probe;
    probe.fader.DoFadeCirculate(true);
    EXPECT_EQ(probe.Run(3), (std::vector<int>{100, 100, 100}));
    EXPECT_EQ(probe.fadeOvers, 0);
    EXPECT_TRUE(probe.applied.empty());
  }
  {  // forward from 60: up to 100, turn, back to 60
    TFadeProbe probe;
    probe.fader.Reset(60);
    probe.fader.DoFadeCirculate(true);
    EXPECT_EQ(probe.Run(10), (std::vector<int>{70, 80, 90, 100, 100, 90, 80, 70, 60, 60}));
    EXPECT_EQ(probe.fadeOvers, 1);
  }
  {  // a new Alpha during the cycle replaces the target: no turn, no OnFadeOver
    TFadeProbe probe;
    probe.fader.DoFadeCirculate(false);
    probe.Run(3);
    probe.fader.SetAlpha(90);
    EXPECT_EQ(probe.Run(3), (std::vector<int>{80, 90, 90}));
    EXPECT_EQ(probe.fadeOvers, 0);
  }
  {  // a step of 0 from a damaged file still arrives
    TFadeProbe probe;
    probe.fader.FadeOutStep = 0;
    probe.fader.SetAlpha(97);
    EXPECT_EQ(probe.Run(4), (std::vector<int>{99, 98, 97, 97}));
  }
}

TEST(RenderFader, SwitchingFadeOffMidFade) {
  TFadeProbe probe;
  probe.fader.SetAlpha(20);
  probe.Run(3);
  EXPECT_EQ(probe.fader.FadeAlpha(), 70);
  probe.applied.clear();
  probe.fader.SetFade(false);
  EXPECT_EQ(probe.applied, std::vector<int>{20});
  EXPECT_EQ(probe.fader.FadeAlpha(), 20);
  EXPECT_EQ(probe.fader.FadeTarget(), 20);
  EXPECT_FALSE(probe.fader.Fade());
  probe.fader.SetFade(false);  // unchanged: nothing
  EXPECT_EQ(probe.applied.size(), 1u);

  // Off also ends a cycle, without a turn.
  TFadeProbe cycle;
  cycle.fader.DoFadeCirculate(false);
  cycle.Run(2);
  cycle.fader.SetFade(false);
  EXPECT_TRUE(cycle.fader.Resting());
  EXPECT_EQ(cycle.fader.FadeAlpha(), 100);
  cycle.fader.SetFade(true);
  cycle.Run(3);
  EXPECT_EQ(cycle.fadeOvers, 0);
}

TEST(RenderFader, DrivesTheAlphaImage) {
  QImage picture(2, 2, QImage::Format_ARGB32);
  picture.fill(qRgba(0, 0, 255, 255));
  TAlphaImage image;
  image.SetPicture(picture);
  image.ResetImage();
  TFader fader;
  fader.OnApply = [&](int p) { image.SetAlphaBlend(p); };
  fader.Reset(10);
  EXPECT_EQ(qAlpha(image.Shown().pixel(1, 1)), 25);
  fader.SetAlpha(50);
  for (int i = 0; i < 4; ++i) fader.Tick();
  EXPECT_EQ(image.AlphaBlend(), 50);
  EXPECT_EQ(qAlpha(image.Shown().pixel(1, 1)), 127);
}
