// Effect text masks and blending: the exact integer arithmetic of downsampling, outline, blur,
// mirrors, spray, gradient entries and blending through a mask.
#include <gtest/gtest.h>

#include <QPainter>
#include <set>

#include "render/AABlend.h"
#include "render/AAMask.h"

namespace {
TAAMask MaskOf(int w, int h, std::vector<uint8_t> values) {
  TAAMask m;
  m.Resize(w, h);
  m.Data = std::move(values);
  return m;
}

// A white-on-black work picture of w × h with the given pixels white.
QImage Work(int w, int h, const std::vector<QPoint>& white) {
  QImage img(w, h, QImage::Format_RGB32);
  img.fill(0xFF000000);
  for (QPoint p : white) img.setPixel(p, 0xFFFFFFFF);
  return img;
}

std::vector<QPoint> Block(int s) {
  std::vector<QPoint> pts;
  for (int y = 0; y < s; ++y)
    for (int x = 0; x < s; ++x) pts.push_back({x, y});
  return pts;
}
}  // namespace

TEST(AATextMask, DownsampleWeights) {
  struct Case {
    const char* Name;
    int Scale;
    std::vector<QPoint> White;
    int Expected;
  };
  const Case cases[] = {
      {"aqHigh full 4x4", 4, Block(4), 255},
      {"aqNormal full 3x3 loses the odd bits of the half corners", 3, Block(3), 254},
      {"aqLow full 2x2", 2, Block(2), 255},
      {"aqNone pixel", 1, Block(1), 255},
      {"aqHigh one pixel of 16", 4, {{3, 3}}, 15},
      {"aqNormal full-weight corner (0,0)", 3, {{0, 0}}, 31},
      {"aqNormal half-weight corner (2,0)", 3, {{2, 0}}, 15},
      {"aqNormal half-weight corner (0,2)", 3, {{0, 2}}, 15},
      {"aqNormal both half corners", 3, {{2, 0}, {0, 2}}, 31},
      {"aqLow three of four", 2, {{0, 0}, {1, 0}, {0, 1}}, 191},
      {"nothing", 4, {}, 0},
  };
  for (const auto& c : cases) {
    TAAMask mask;
    mask.Resize(2, 1);
    // Second mask pixel comes from the next block to the right, which stays black.
    DownsampleMask(Work(2 * c.Scale, c.Scale, c.White), c.Scale, mask);
    EXPECT_EQ(mask.Pixel(0, 0), c.Expected) << c.Name;
    EXPECT_EQ(mask.Pixel(1, 0), 0) << c.Name;
  }
}

TEST(AATextMask, OutlineGradientAndBorders) {
  TAAMask m = MaskOf(3, 3, {0, 0, 100, 10, 99, 40, 200, 50, 0});
  OutlineMask(m);
  // |0 − 0| + |50 − 0| + |40 − 10| + |200 − 100| = 180, divided by 4; the border keeps its values.
  EXPECT_EQ(m.Data, (std::vector<uint8_t>{0, 0, 100, 10, 45, 40, 200, 50, 0}));
  TAAMask flat = MaskOf(3, 2, {0, 255, 0, 255, 0, 255});
  OutlineMask(flat);
  EXPECT_EQ(flat.Data, (std::vector<uint8_t>{0, 255, 0, 255, 0, 255})) << "under 3 rows nothing changes";
}

TEST(AATextMask, MirrorsAndSpray) {
  TAAMask h = MaskOf(3, 2, {1, 2, 3, 4, 5, 6});
  HorzMirrorMask(h);
  EXPECT_EQ(h.Data, (std::vector<uint8_t>{3, 2, 1, 6, 5, 4}));
  TAAMask v = MaskOf(2, 3, {1, 2, 3, 4, 5, 6});
  VertMirrorMask(v);
  EXPECT_EQ(v.Data, (std::vector<uint8_t>{5, 6, 3, 4, 1, 2}));

  TAARandom random(7);
  TAAMask uniform = MaskOf(4, 4, std::vector<uint8_t>(16, 77));
  SprayMask(uniform, 5, random);
  EXPECT_EQ(uniform.Data, std::vector<uint8_t>(16, 77));

  std::vector<uint8_t> stripes(64);
  for (int i = 0; i < 64; ++i) stripes[i] = (i % 8) < 4 ? 0 : 200;
  TAAMask sprayed = MaskOf(8, 8, stripes);
  SprayMask(sprayed, 0, random);
  EXPECT_EQ(sprayed.Data, stripes) << "spray 0 leaves the mask alone";
  SprayMask(sprayed, 3, random);
  EXPECT_NE(sprayed.Data, stripes);
  const std::set<uint8_t> values(sprayed.Data.begin(), sprayed.Data.end());
  EXPECT_TRUE(values == std::set<uint8_t>({0, 200}) || values.size() == 1) << "spray only moves existing values";
}

TEST(AATextMask, BlurStrengths) {
  struct Case {
    int Strength;
    std::vector<uint8_t> In, Out;
  };
  // One row: rows beyond the edge repeat it, so each 5 × 5 sum is five times the clamped row sum.
  const Case cases[] = {
      {0, {255, 0, 0, 0, 0, 0, 0}, {255, 0, 0, 0, 0, 0, 0}},
      {100, {255, 0, 0, 0, 0, 0, 0}, {153, 102, 51, 0, 0, 0, 0}},
      // k = 128: half-way, rounding down (51 × ½ = 25.5 gives 25, −51 × ½ gives −26).
      {50, {255, 0, 0, 0, 0, 0, 0}, {204, 51, 25, 0, 0, 0, 0}},
      {50, {255, 255, 0, 0, 0, 0, 0}, {229, 204, 51, 25, 0, 0, 0}},
      {150, {255, 0, 0, 0, 0, 0, 0}, {153, 102, 51, 0, 0, 0, 0}},
  };
  for (const auto& c : cases) {
    TAAMask m = MaskOf(7, 1, c.In);
    BlurMask(m, c.Strength);
    EXPECT_EQ(m.Data, c.Out) << "strength " << c.Strength;
  }
  // Strengths whose k ends in .5 round to the even neighbour.
  EXPECT_EQ(RoundHalfEven(10 * 255 / 100.0), 26);
  EXPECT_EQ(RoundHalfEven(30 * 255 / 100.0), 76);
  EXPECT_EQ(RoundHalfEven(50 * 255 / 100.0), 128);
}

TEST(AATextMask, GradientEntries) {
  const QRgb end = qRgb(0, 0, 0), start = qRgb(255, 255, 255);
  // A centred gradient of 5: n = 3 running from the end colour towards the start colour, mirrored.
  const auto centre = GradientEntries(5, true, end, start);
  EXPECT_EQ(centre,
            (std::vector<QRgb>{qRgb(0, 0, 0), qRgb(85, 85, 85), qRgb(170, 170, 170), qRgb(85, 85, 85), qRgb(0, 0, 0)}));
  // Falling channels truncate towards zero: 200 + 1 × (−200) / 3 = 134.
  const auto falling = GradientEntries(3, false, qRgb(200, 10, 0), qRgb(0, 10, 255));
  EXPECT_EQ(falling, (std::vector<QRgb>{qRgb(200, 10, 0), qRgb(134, 10, 85), qRgb(67, 10, 170)}));
  EXPECT_EQ(GradientEntries(4, true, end, start).size(), 4u);
  EXPECT_EQ(GradientEntries(4, true, end, start)[1], GradientEntries(4, true, end, start)[2]);
}

TEST(AATextBlend, Arithmetic) {
  struct Case {
    const char* Name;
    int Coverage, Alpha;
    QRgb Under, Color, Expected;
  };
  const Case cases[] = {
      {"alpha 0 draws nothing", 255, 0, qRgb(10, 20, 30), qRgb(200, 200, 200), qRgb(10, 20, 30)},
      {"full coverage at 100 is the colour", 255, 100, qRgb(10, 20, 30), qRgb(200, 100, 0), qRgb(200, 100, 0)},
      {"254 at 100 moves 254/256", 254, 100, qRgb(0, 255, 0), qRgb(255, 0, 255), qRgb(253, 2, 253)},
      {"coverage 0 leaves it", 0, 100, qRgb(1, 2, 3), qRgb(255, 255, 255), qRgb(1, 2, 3)},
      {"w 255 (1 × 255… below 256) leaves it", 1, 99, qRgb(0, 0, 0), qRgb(255, 255, 255), qRgb(0, 0, 0)},
      {"w 256 moves 1/256 of 255: nothing", 1, 100, qRgb(0, 0, 0), qRgb(255, 255, 255), qRgb(0, 0, 0)},
      {"half opacity up", 255, 50, qRgb(0, 0, 0), qRgb(255, 255, 255), qRgb(126, 126, 126)},
      {"half opacity down truncates towards zero", 255, 50, qRgb(255, 255, 255), qRgb(0, 0, 0), qRgb(129, 129, 129)},
      {"alpha above 100 counts as 100", 255, 180, qRgb(0, 0, 0), qRgb(9, 8, 7), qRgb(9, 8, 7)},
  };
  for (const auto& c : cases) {
    QImage canvas(1, 1, QImage::Format_RGB32);
    canvas.fill(c.Under);
    BlendMask(canvas, 0, 0, MaskOf(1, 1, {static_cast<uint8_t>(c.Coverage)}), nullptr, c.Color, c.Alpha);
    EXPECT_EQ(canvas.pixel(0, 0), c.Expected) << c.Name;
  }
}

TEST(AATextBlend, ForegroundBrushAndClipping) {
  QImage canvas(3, 2, QImage::Format_RGB32);
  canvas.fill(qRgb(0, 0, 0));
  // A 2 × 2 mask at (−1, 1): only its right column lands, on pixel (0, 1).
  const TAAMask mask = MaskOf(2, 2, {255, 255, 255, 255});
  QImage fg(2, 2, QImage::Format_RGB32);
  fg.setPixel(0, 0, qRgb(1, 1, 1));
  fg.setPixel(1, 0, qRgb(2, 2, 2));
  fg.setPixel(0, 1, qRgb(3, 3, 3));
  fg.setPixel(1, 1, qRgb(4, 4, 4));
  BlendMask(canvas, -1, 1, mask, &fg, 0, 100);
  EXPECT_EQ(canvas.pixel(0, 1), qRgb(2, 2, 2));
  EXPECT_EQ(canvas.pixel(1, 1), qRgb(0, 0, 0));
  EXPECT_EQ(canvas.pixel(0, 0), qRgb(0, 0, 0));

  // A solid brush fills the whole mask rectangle first, ink or not.
  QImage solid(2, 1, QImage::Format_RGB32);
  solid.fill(qRgb(0, 0, 0));
  BlendMask(solid, 0, 0, MaskOf(2, 1, {0, 255}), nullptr, qRgb(255, 0, 0), 100, {true, qRgb(0, 0, 255)});
  EXPECT_EQ(solid.pixel(0, 0), qRgb(0, 0, 255));
  EXPECT_EQ(solid.pixel(1, 0), qRgb(255, 0, 0));
}

TEST(AATextBlend, TransparentLayerComposesLikeDirectBlending) {
  const TAAMask mask = MaskOf(4, 1, {255, 200, 100, 30});
  const QRgb under = qRgb(40, 90, 200);
  QImage direct(4, 1, QImage::Format_RGB32);
  direct.fill(under);
  BlendMask(direct, 0, 0, mask, nullptr, qRgb(250, 20, 60), 80);

  QImage layer(4, 1, QImage::Format_ARGB32_Premultiplied);
  layer.fill(0);
  BlendMask(layer, 0, 0, mask, nullptr, qRgb(250, 20, 60), 80);
  QImage composed(4, 1, QImage::Format_RGB32);
  composed.fill(under);
  QPainter(&composed).drawImage(0, 0, layer);
  for (int x = 0; x < 4; ++x) {
    const QRgb a = direct.pixel(x, 0), b = composed.pixel(x, 0);
    EXPECT_NEAR(qRed(a), qRed(b), 2) << x;
    EXPECT_NEAR(qGreen(a), qGreen(b), 2) << x;
    EXPECT_NEAR(qBlue(a), qBlue(b), 2) << x;
  }
}
