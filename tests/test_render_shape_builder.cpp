// The shape picture: exact pixels of figures, fills, pen, pictures, captions and the alpha mask.
#include <gtest/gtest.h>

#include <QPainter>
#include <climits>
#include <set>

#include "render/Colors.h"
#include "render/PictureDecode.h"
#include "render/ShapeBuilder.h"

namespace {

constexpr TColor Red = 0x0000FF, Green = 0x00FF00, Blue = 0xFF0000;

QRgb Opaque(TColor c) { return ColorToRGB(c) | 0xFF000000u; }

// A shape with no margins and no caption unless a test sets them.
TShapeFields Plain(int figure, int borderWidth, int gradient = ShapeFill::Solid) {
  TShapeFields s;
  s.Shape = figure;
  s.BorderWidth = borderWidth;
  s.Gradient = gradient;
  s.Color = Red;
  s.BorderColor = Green;
  return s;
}

TShapePicture SolidPicture(QRgb rgba, int w, int h, bool png) {
  QImage image(w, h, QImage::Format_ARGB32);
  image.fill(rgba);
  return {image, png};
}

bool IsOpaque(const QImage& image, int x, int y) { return qAlpha(image.pixel(x, y)) == 255; }

std::set<int> AlphaValues(const QImage& image) {
  std::set<int> values;
  for (int y = 0; y < image.height(); ++y)
    for (int x = 0; x < image.width(); ++x) values.insert(qAlpha(image.pixel(x, y)));
  return values;
}

TEST(ShapeBuilder, PentagonCornersInThePicture) {
  // 100 × 60 without margins or pen: corners (50, 0), (0, 23), (19, 59), (81, 59), (99, 23).
  const QImage image = BuildShapeImage(Plain(ShapeCode::Pentagon, 0), 100, 60, {});
  ASSERT_EQ(image.format(), QImage::Format_ARGB32);
  // The left corner: the first column is opaque only in row 23.
  for (int y = 0; y < 60; ++y) EXPECT_EQ(IsOpaque(image, 0, y), y == 23) << y;
  // The bottom edge: the last opaque row runs from x 19 up to the corner at 81.
  for (int x = 0; x < 100; ++x) {
    EXPECT_EQ(IsOpaque(image, x, 58), x >= 19 && x < 81) << x;
    EXPECT_FALSE(IsOpaque(image, x, 59)) << x;
  }
  // The apex.
  EXPECT_TRUE(IsOpaque(image, 50, 0));
  EXPECT_FALSE(IsOpaque(image, 48, 0));
  EXPECT_EQ(image.pixel(50, 30), Opaque(Red));

  // With the default 4-pixel pen the corners move inwards by 2 and the pen reaches back to the
  // box edge on the left and top; an even pen reaches one pixel less far right and down (the
  // rectangle's extension makes up for that, polygons keep it).
  const QImage penned = BuildShapeImage(Plain(ShapeCode::Pentagon, 4), 100, 60, {});
  EXPECT_EQ(penned.pixel(50, 0), Opaque(Green));
  EXPECT_EQ(penned.pixel(0, 23), Opaque(Green));
  EXPECT_EQ(penned.pixel(98, 23), Opaque(Green));
  EXPECT_FALSE(IsOpaque(penned, 99, 23));
  EXPECT_EQ(penned.pixel(19, 58), Opaque(Green));
  EXPECT_EQ(penned.pixel(81, 58), Opaque(Green));
  EXPECT_FALSE(IsOpaque(penned, 50, 59));
  EXPECT_FALSE(IsOpaque(penned, 0, 18));
  EXPECT_EQ(penned.pixel(50, 30), Opaque(Red));
}

// The rectangle fills exactly the box inside the margins for every pen width: the pen lies in a
// band BorderWidth wide along the inside of the box; with no pen the extension by one pixel makes
// the fill reach the last column and row.
TEST(ShapeBuilder, RectangleCoversExactlyTheBoxForEveryPenWidth) {
  for (int w = 0; w <= 7; ++w) {
    TShapeFields s = Plain(ShapeCode::Rectangle, w);
    s.LeftMargin = 3;
    s.TopMargin = 4;
    s.RightMargin = 5;
    s.BottomMargin = 6;
    const QImage image = BuildShapeImage(s, 40, 30, {});
    const QRect box(3, 4, 32, 20);  // x 3..34, y 4..23
    for (int y = 0; y < 30; ++y)
      for (int x = 0; x < 40; ++x) ASSERT_EQ(IsOpaque(image, x, y), box.contains(x, y)) << w << ": " << x << "," << y;
    const int midY = 14, midX = 18;
    if (w == 0) {
      EXPECT_EQ(image.pixel(3, 4), Opaque(Red));
      EXPECT_EQ(image.pixel(34, 23), Opaque(Red));
      continue;
    }
    EXPECT_EQ(image.pixel(3, midY), Opaque(Green)) << w;
    EXPECT_EQ(image.pixel(3 + w - 1, midY), Opaque(Green)) << w;
    EXPECT_EQ(image.pixel(3 + w, midY), Opaque(Red)) << w;
    EXPECT_EQ(image.pixel(34 - w + 1, midY), Opaque(Green)) << w;
    EXPECT_EQ(image.pixel(34 - w, midY), Opaque(Red)) << w;
    EXPECT_EQ(image.pixel(midX, 4 + w - 1), Opaque(Green)) << w;
    EXPECT_EQ(image.pixel(midX, 4 + w), Opaque(Red)) << w;
    EXPECT_EQ(image.pixel(midX, 23 - w + 1), Opaque(Green)) << w;
    EXPECT_EQ(image.pixel(midX, 23 - w), Opaque(Red)) << w;
    EXPECT_EQ(image.pixel(34, 23), Opaque(Green)) << w;  // square corners
  }
}

TEST(ShapeBuilder, ClearFillShowsThePictureOnlyUnderThePen) {
  const TShapePicture picture = SolidPicture(qRgb(0, 0, 255), 10, 10, false);
  const QImage image = BuildShapeImage(Plain(ShapeCode::Rectangle, 4, ShapeFill::Clear), 40, 30, picture);
  for (int y = 0; y < 30; ++y)
    for (int x = 0; x < 40; ++x) {
      const bool onPen = x < 4 || y < 4 || x >= 36 || y >= 26;
      ASSERT_EQ(image.pixel(x, y), onPen ? qRgba(0, 0, 255, 255) : 0u) << x << "," << y;
    }
  // Without a pen nothing at all is opaque.
  EXPECT_EQ(AlphaValues(BuildShapeImage(Plain(ShapeCode::Ellipse, 0, ShapeFill::Clear), 40, 30, picture)),
            std::set<int>{0});
}

TEST(ShapeBuilder, MaskGivesNoPartialAlpha) {
  // A picture with soft alpha, a gradient and an anti-aliased caption on curved and slanted figures:
  // the alpha is still only 0 or 255.
  QImage soft(32, 32, QImage::Format_ARGB32);
  for (int y = 0; y < 32; ++y)
    for (int x = 0; x < 32; ++x) soft.setPixel(x, y, qRgba(200, 100, 50, (x * 8) & 0xFF));
  const TShapePicture picture{soft, true};
  for (int figure : {1, 2, 3, 12, 19, 21, 23, 26, 32, 33, 34, 36}) {
    TShapeFields s = Plain(figure, 5, 5);
    s.Round = 40;
    s.Caption = QStringLiteral("Some caption text that wraps");
    s.LeftMargin = 7;
    const QImage image = BuildShapeImage(s, 97, 71, picture);
    EXPECT_EQ(AlphaValues(image), (std::set<int>{0, 255})) << figure;
  }
}

TEST(ShapeBuilder, NoneFigureTakesAPngPicturesOwnAlpha) {
  QImage png(20, 10, QImage::Format_ARGB32);
  for (int y = 0; y < 10; ++y)
    for (int x = 0; x < 20; ++x) png.setPixel(x, y, qRgba(10 * x, 20 * y, 128, x * 13));
  // Through the stored form, as a loaded shape gets it.
  const TShapePicture picture = DecodeShapePicture(EncodePicture(png, TGraphicKind::Png));
  ASSERT_TRUE(picture.IsPng);
  TShapeFields s = Plain(ShapeCode::None, 4);
  s.Caption.clear();
  const QImage image = BuildShapeImage(s, 20, 10, picture);
  for (int y = 0; y < 10; ++y)
    for (int x = 0; x < 20; ++x) {
      const QRgb got = image.pixel(x, y), want = png.pixel(x, y);
      ASSERT_EQ(qAlpha(got), qAlpha(want)) << x << "," << y;
      // The colour keeps the picture's own (not darkened by the blank beneath); the premultiplied
      // round trip may move a faint pixel's channel by a little.
      if (qAlpha(want) >= 128) {
        EXPECT_NEAR(qRed(got), qRed(want), 1) << x << "," << y;
        EXPECT_NEAR(qGreen(got), qGreen(want), 1) << x << "," << y;
        EXPECT_NEAR(qBlue(got), qBlue(want), 1) << x << "," << y;
      }
    }
}

TEST(ShapeBuilder, NoneFigureWithOtherPicturesAndWithout) {
  TShapeFields s = Plain(ShapeCode::None, 4);
  s.LeftMargin = 5;
  // Any other picture sits on an opaque rectangle over the box.
  const QImage withBitmap = BuildShapeImage(s, 30, 20, SolidPicture(qRgba(0, 0, 255, 255), 4, 4, false));
  for (int x = 0; x < 30; ++x) EXPECT_EQ(IsOpaque(withBitmap, x, 10), x >= 5) << x;
  EXPECT_EQ(withBitmap.pixel(20, 10), qRgba(0, 0, 255, 255));
  // Without a picture nothing is opaque, caption or not.
  s.Caption = QStringLiteral("Hidden");
  EXPECT_EQ(AlphaValues(BuildShapeImage(s, 30, 20, {})), std::set<int>{0});
  // A stored picture that does not decode counts as none: it draws nothing.
  TPicture damaged;
  damaged.Kind = TGraphicKind::Png;
  damaged.Data = QByteArray("\x89PNG not really", 16);
  const TShapePicture undecodable = DecodeShapePicture(damaged);
  EXPECT_TRUE(undecodable.IsNull());
  EXPECT_EQ(AlphaValues(BuildShapeImage(s, 30, 20, undecodable)), std::set<int>{0});
  // A figure code without a figure hides the picture and caption too.
  s.Shape = 40;
  EXPECT_EQ(AlphaValues(BuildShapeImage(s, 30, 20, SolidPicture(qRgb(0, 0, 255), 4, 4, false))), std::set<int>{0});
}

TEST(ShapeBuilder, GradientFillsTheBox) {
  TShapeFields s = Plain(ShapeCode::Rectangle, 0, 3);  // left to right
  s.Color = clWhite;
  s.GradientColor = clBlack;
  s.LeftMargin = 2;
  const QImage image = BuildShapeImage(s, 13, 4, {});
  EXPECT_EQ(image.pixel(0, 1), 0u);
  // 11 columns, n = 12 steps: column i is 255 − round(255 × i / 12), halves to even.
  const int expected[] = {255, 234, 213, 191, 170, 149, 127, 106, 85, 64, 43};
  for (int i = 0; i < 11; ++i) EXPECT_EQ(image.pixel(2 + i, 2), qRgba(expected[i], expected[i], expected[i], 255)) << i;
}

TEST(ShapeBuilder, HatchFillsDrawLinesOverTheSecondColour) {
  for (int fill = ShapeFill::HatchHorizontal; fill <= ShapeFill::HatchDiagCross; ++fill) {
    TShapeFields s = Plain(ShapeCode::Rectangle, 0, fill);
    s.GradientColor = clWhite;
    const QImage image = BuildShapeImage(s, 24, 24, {});
    std::set<QRgb> colours;
    for (int y = 0; y < 24; ++y)
      for (int x = 0; x < 24; ++x) colours.insert(image.pixel(x, y));
    EXPECT_EQ(colours, (std::set<QRgb>{Opaque(Red), Opaque(clWhite)})) << fill;
    if (fill == ShapeFill::HatchHorizontal) {
      for (int y = 0; y < 24; ++y)
        for (int x = 1; x < 24; ++x) ASSERT_EQ(image.pixel(x, y), image.pixel(0, y)) << x << "," << y;
    }
  }
  // A fill code with no look of its own still makes the figure opaque, with a black inside.
  const QImage unknown = BuildShapeImage(Plain(ShapeCode::Rectangle, 0, 9), 10, 10, {});
  EXPECT_EQ(unknown.pixel(5, 5), qRgba(0, 0, 0, 255));
}

TEST(ShapeBuilder, CaptionDrawsOnlyInsideTheFigure) {
  TShapeFields s = Plain(ShapeCode::Triangle1, 0);
  s.Color = clWhite;
  s.Font.Color = clBlack;
  s.Alignment = taLeftJustify;
  s.Layout = tlTop;
  s.Margin = 0;
  s.Caption = QStringLiteral("WWWWWWWW WWWWWWWW WWWWWWWW WWWWWWWW WWWWWWWW");
  const QImage plain = BuildShapeImage(Plain(ShapeCode::Triangle1, 0), 80, 80, {});
  const QImage captioned = BuildShapeImage(s, 80, 80, {});
  int changed = 0;
  for (int y = 0; y < 80; ++y)
    for (int x = 0; x < 80; ++x) {
      ASSERT_EQ(qAlpha(captioned.pixel(x, y)), qAlpha(plain.pixel(x, y))) << x << "," << y;
      if (IsOpaque(captioned, x, y) && captioned.pixel(x, y) != Opaque(clWhite)) ++changed;
    }
  EXPECT_GT(changed, 20);
}

TEST(ShapeBuilder, FrameMovesOrHidesTheFigure) {
  TShapeFields s = Plain(ShapeCode::Ellipse, 3);
  const QImage rest = BuildShapeImage(s, 60, 40, {});
  const QImage moved = BuildShapeImage(s, 60, 40, {}, TShapeFrame{true, TShapeBox{-25, 0, 35, 40}, std::nullopt});
  for (int y = 0; y < 40; ++y)
    for (int x = 0; x < 60; ++x)
      ASSERT_EQ(moved.pixel(x, y), x + 25 < 60 ? rest.pixel(x + 25, y) : 0u) << x << "," << y;
  const QImage hidden = BuildShapeImage(s, 60, 40, {}, TShapeFrame{false, TShapeBox{0, 0, 60, 40}, std::nullopt});
  EXPECT_EQ(hidden.size(), QSize(60, 40));
  EXPECT_EQ(AlphaValues(hidden), std::set<int>{0});
}

TEST(ShapeBuilder, ThreeDFiguresInButtonColours) {
  const QRgb hl = SystemColorRGB(SysColor::BtnHighlight), sh = SystemColorRGB(SysColor::BtnShadow);
  const QRgb dk = SystemColorRGB(SysColor::DkShadow3D), lt = SystemColorRGB(SysColor::Light3D);
  const QRgb fill = Opaque(Red);
  struct TCase {
    int Figure;
    QRgb Outer, Inner, InnerBottomRight, OuterBottomRight;  // at x 0, 1, 18, 19 of row 10
  };
  const TCase cases[] = {
      {ShapeCode::BoxRaised3D, hl, lt, sh, dk},         {ShapeCode::BoxLowered3D, sh, dk, lt, hl},
      {ShapeCode::FrameLowered3D, sh, hl, sh, hl},      {ShapeCode::FrameRaised3D, hl, sh, hl, sh},
      {ShapeCode::BorderLowered3D, sh, fill, fill, hl}, {ShapeCode::BorderRaised3D, hl, fill, fill, sh},
  };
  for (const TCase& c : cases) {
    const QImage image = BuildShapeImage(Plain(c.Figure, 2), 20, 20, {});  // bands of 1 pixel
    EXPECT_EQ(image.pixel(0, 10), c.Outer | 0xFF000000u) << c.Figure;
    EXPECT_EQ(image.pixel(1, 10), c.Inner | 0xFF000000u) << c.Figure;
    EXPECT_EQ(image.pixel(18, 10), c.InnerBottomRight | 0xFF000000u) << c.Figure;
    EXPECT_EQ(image.pixel(19, 10), c.OuterBottomRight | 0xFF000000u) << c.Figure;
    EXPECT_EQ(image.pixel(10, 0), c.Outer | 0xFF000000u) << c.Figure;
    EXPECT_EQ(image.pixel(10, 19), c.OuterBottomRight | 0xFF000000u) << c.Figure;
    EXPECT_EQ(image.pixel(10, 10), fill) << c.Figure;
    // Clear: only the edges are opaque.
    const QImage clear = BuildShapeImage(Plain(c.Figure, 2, ShapeFill::Clear), 20, 20, {});
    EXPECT_TRUE(IsOpaque(clear, 0, 10)) << c.Figure;
    EXPECT_FALSE(IsOpaque(clear, 10, 10)) << c.Figure;
  }
  // The rounded box: rounded corners stay clear, its rim is light on the top left when raised.
  TShapeFields round = Plain(ShapeCode::RoundBoxRaised3D, 4);
  round.Round = 20;
  const QImage image = BuildShapeImage(round, 40, 40, {});
  EXPECT_FALSE(IsOpaque(image, 0, 0));
  EXPECT_EQ(image.pixel(20, 0), hl | 0xFF000000u);
  EXPECT_EQ(image.pixel(20, 39), sh | 0xFF000000u);
  EXPECT_EQ(image.pixel(20, 20), fill);
}

TEST(ShapeBuilder, RefusesSizesOutsideTheLimits) {
  const TShapeFields s = Plain(ShapeCode::Rectangle, 4);
  EXPECT_TRUE(BuildShapeImage(s, 0, 10, {}).isNull());
  EXPECT_TRUE(BuildShapeImage(s, 10, -1, {}).isNull());
  EXPECT_TRUE(BuildShapeImage(s, MaxShapeImageSide + 1, 1, {}).isNull());
  EXPECT_TRUE(BuildShapeImage(s, MaxShapeImageSide, MaxShapeImageSide, {}).isNull());
  EXPECT_EQ(BuildShapeImage(s, 1, 1, {}).size(), QSize(1, 1));
}

TEST(ShapeBuilder, ExtremeStoredValuesBuildWithoutHarm) {
  TShapeFields s = Plain(ShapeCode::RoundBoxLowered3D, INT_MAX, ShapeFill::HatchCross);
  s.Round = INT_MAX;
  s.Margin = INT_MIN;
  s.LeftMargin = INT_MIN;
  s.RightMargin = INT_MAX;
  s.Caption = QStringLiteral("x");
  for (int figure = -1; figure <= 37; ++figure) {
    s.Shape = figure;
    EXPECT_EQ(BuildShapeImage(s, 30, 30, {}).size(), QSize(30, 30)) << figure;
    s.BorderWidth = INT_MIN;
    EXPECT_EQ(BuildShapeImage(s, 30, 30, {}).size(), QSize(30, 30)) << figure;
    s.BorderWidth = INT_MAX;
  }
}

}  // namespace
