// Background painting: fill and gradients, picture styles, border kinds, grid and caption.
#include <gtest/gtest.h>

#include <QImage>
#include <QPainter>

#include "render/Caption.h"
#include "render/Colors.h"
#include "render/PanelBack.h"

namespace {
TPanelBack PlainBack() {
  TPanelBack back;
  back.Caption.clear();
  back.Border = pbbNone;
  return back;
}

QImage Paint(QSize size, const TPanelBack& back, TColor panelColor = clWhite, const QImage& picture = {}) {
  TPanelBackContext context;
  context.PanelColor = panelColor;
  context.Picture = picture;
  return BuildPanelBackImage(size, back, context);
}

// A picture whose pixel (x, y) tells where it came from.
QImage CoordinatePicture(int w, int h) {
  QImage image(w, h, QImage::Format_ARGB32);
  for (int y = 0; y < h; ++y)
    for (int x = 0; x < w; ++x) image.setPixel(x, y, qRgb(x & 0xFF, y & 0xFF, (x >> 8) * 16 + (y >> 8)));
  return image;
}
QRgb Coordinate(int x, int y) { return qRgb(x & 0xFF, y & 0xFF, (x >> 8) * 16 + (y >> 8)); }
}  // namespace

TEST(RenderPanel, GradientFill) {
  TPanelBack back = PlainBack();
  back.GradientStyle = gsTopBottom;
  back.GradientColor = clBlack;
  const QImage image = Paint({20, 10}, back);
  EXPECT_EQ(image.pixel(7, 0), qRgb(255, 255, 255));
  EXPECT_EQ(image.pixel(7, 5), qRgb(139, 139, 139));
  EXPECT_EQ(image.pixel(7, 9), qRgb(46, 46, 46));

  // Odd width: the middle column is the panel colour exactly, the outer ones the gradient colour.
  back.GradientStyle = gsMiddleLeftRight;
  back.GradientColor = 0x00336699;
  const QImage middle = Paint({11, 3}, back, 0x00102030);
  for (int y = 0; y < 3; ++y) {
    EXPECT_EQ(middle.pixel(5, y), qRgb(0x30, 0x20, 0x10));
    EXPECT_EQ(middle.pixel(0, y), qRgb(0x99, 0x66, 0x33));
    EXPECT_EQ(middle.pixel(10, y), qRgb(0x99, 0x66, 0x33));
  }

  // Each style maps to its gradient code; gsNone fills with the panel colour.
  const int codes[] = {0, 1, 2, 3, 4, 5, 7, 6, 8};
  for (int s = 0; s <= gsLeftRightMiddle; ++s) EXPECT_EQ(GradientCodeOf(TGradientStyle(s)), codes[s]);
  EXPECT_EQ(GradientCodeOf(TGradientStyle(77)), 1);
  back.GradientStyle = gsNone;
  EXPECT_EQ(Paint({4, 4}, back, clBtnFace).pixel(2, 2), SystemColorRGB(SysColor::BtnFace));
}

TEST(RenderPanel, PictureStyles) {
  TPanelBack back = PlainBack();

  // 100 x 50 tiled on 250 x 120: three columns and three rows, the last ones cut.
  back.BackImageStyle = psTile;
  const QImage tiled = Paint({250, 120}, back, clWhite, CoordinatePicture(100, 50));
  for (int c = 0; c < 3; ++c)
    for (int r = 0; r < 3; ++r) {
      EXPECT_EQ(tiled.pixel(c * 100, r * 50), Coordinate(0, 0)) << c << "," << r;
      const int x = std::min(c * 100 + 99, 249), y = std::min(r * 50 + 49, 119);
      EXPECT_EQ(tiled.pixel(x, y), Coordinate(x - c * 100, y - r * 50)) << c << "," << r;
    }

  // Centred and larger than the panel: its middle part shows, cut on every side.
  back.BackImageStyle = psCenter;
  const QImage centred = Paint({100, 50}, back, clWhite, CoordinatePicture(301, 200));
  // (100 - 301) div 2 = -100 (towards zero), (50 - 200) div 2 = -75.
  EXPECT_EQ(centred.pixel(0, 0), Coordinate(100, 75));
  EXPECT_EQ(centred.pixel(99, 49), Coordinate(199, 124));
  // Centred and smaller: placed at (W - w) div 2.
  const QImage small = Paint({10, 10}, back, clWhite, CoordinatePicture(3, 4));
  EXPECT_EQ(small.pixel(3, 3), Coordinate(0, 0));
  EXPECT_EQ(small.pixel(2, 3), qRgb(255, 255, 255));
  EXPECT_EQ(small.pixel(5, 6), Coordinate(2, 3));
  EXPECT_EQ(small.pixel(6, 6), qRgb(255, 255, 255));

  back.BackImageStyle = psNormal;
  const QImage normal = Paint({10, 10}, back, clWhite, CoordinatePicture(3, 4));
  EXPECT_EQ(normal.pixel(0, 0), Coordinate(0, 0));
  EXPECT_EQ(normal.pixel(2, 3), Coordinate(2, 3));
  EXPECT_EQ(normal.pixel(3, 3), qRgb(255, 255, 255));

  QImage red(7, 3, QImage::Format_ARGB32);
  red.fill(qRgb(255, 0, 0));
  back.BackImageStyle = psStretch;
  const QImage stretched = Paint({40, 30}, back, clWhite, red);
  EXPECT_EQ(stretched.pixel(0, 0), qRgb(255, 0, 0));
  EXPECT_EQ(stretched.pixel(39, 29), qRgb(255, 0, 0));
  EXPECT_EQ(stretched.pixel(20, 15), qRgb(255, 0, 0));

  back.BackImageStyle = psAutoSize;
  EXPECT_EQ(Paint({10, 10}, back, clWhite, red).pixel(0, 0), qRgb(255, 255, 255));
}

TEST(RenderPanel, BorderKinds) {
  // '.' background, 'H' highlight, 'S' shadow, 'M' their mid colour.
  const QRgb H = qRgb(200, 200, 200), S = qRgb(64, 64, 64), M = qRgb(132, 132, 132), B = qRgb(255, 255, 255);
  struct Case {
    TPanelBackBorder border;
    TPanelBackBorderStyle style;
    const char* rows[5];
  };
  const Case cases[] = {
      {pbbBox, pbbsRaised, {"HHHHHM", "H....S", "H....S", "H....S", "MSSSSS"}},
      {pbbBox, pbbsLowered, {"SSSSSM", "S....H", "S....H", "S....H", "MHHHHH"}},
      {pbbBox, pbbsFlat, {"HHHHHH", "H....H", "H....H", "H....H", "HHHHHH"}},
      {pbbFrame, pbbsRaised, {"HHHHH.", "HSSSHS", "HS..HS", "HHHHHS", ".SSSSS"}},
      {pbbFrame, pbbsLowered, {"SSSSS.", "SHHHSH", "SH..SH", "SSSSSH", ".HHHHH"}},
      {pbbFrame, pbbsFlat, {"......", ".HHHHH", ".H...H", ".H...H", ".HHHHH"}},
      {pbbLeftLine, pbbsRaised, {"HM....", "HS....", "HS....", "HS....", "MS...."}},
      {pbbLeftLine, pbbsFlat, {"H.....", "H.....", "H.....", "H.....", "H....."}},
      {pbbTopLine, pbbsLowered, {"SSSSSM", "MHHHHH", "......", "......", "......"}},
      {pbbTopLine, pbbsFlat, {"HHHHHH", "......", "......", "......", "......"}},
      {pbbRightLine, pbbsRaised, {"....HM", "....HS", "....HS", "....HS", "....MS"}},
      {pbbBottomLine, pbbsRaised, {"......", "......", "......", "HHHHHM", "MSSSSS"}},
      {pbbBottomLine, pbbsFlat, {"......", "......", "......", "HHHHHH", "......"}},
      {pbbNone, pbbsRaised, {"......", "......", "......", "......", "......"}},
  };
  for (const auto& c : cases) {
    TPanelBack back = PlainBack();
    back.Border = c.border;
    back.BorderStyle = c.style;
    back.HighlightColor = 0xC8C8C8;
    back.ShadowColor = 0x404040;
    const QImage image = Paint({6, 5}, back);
    for (int y = 0; y < 5; ++y)
      for (int x = 0; x < 6; ++x) {
        const char k = c.rows[y][x];
        const QRgb expected = k == 'H' ? H : k == 'S' ? S : k == 'M' ? M : B;
        EXPECT_EQ(image.pixel(x, y), expected)
            << "border " << int(c.border) << " style " << int(c.style) << " at " << x << "," << y;
      }
  }
}

TEST(RenderPanel, GridDotsAndPaintOrder) {
  TPanelBack back = PlainBack();
  back.PaintGrid = true;
  back.Border = pbbBox;  // the grid goes over the border
  const QImage image = Paint({17, 17}, back);
  int dots = 0;
  for (int y = 0; y < 17; ++y)
    for (int x = 0; x < 17; ++x) {
      const bool expected = x % 8 == 0 && y % 8 == 0;
      EXPECT_EQ(image.pixel(x, y) == qRgb(0, 0, 0), expected) << x << "," << y;
      dots += image.pixel(x, y) == qRgb(0, 0, 0);
    }
  EXPECT_EQ(dots, 9);

  // A picture lies under the border.
  QImage red(30, 30, QImage::Format_ARGB32);
  red.fill(qRgb(255, 0, 0));
  back.PaintGrid = false;
  back.BackImageStyle = psNormal;
  const QImage framed = Paint({20, 20}, back, clWhite, red);
  EXPECT_EQ(framed.pixel(0, 5), SystemColorRGB(SysColor::BtnHighlight));
  EXPECT_EQ(framed.pixel(19, 5), SystemColorRGB(SysColor::BtnShadow));
  EXPECT_EQ(framed.pixel(5, 5), qRgb(255, 0, 0));

  // A spacing below 1 draws no grid rather than dividing by zero.
  QImage none(5, 5, QImage::Format_ARGB32);
  none.fill(Qt::white);
  QPainter p(&none);
  DrawPanelGrid(p, {5, 5}, 0, 8);
  p.end();
  EXPECT_EQ(none.pixel(0, 0), qRgb(255, 255, 255));
}

TEST(RenderPanel, Caption) {
  TPanelBack back = PlainBack();
  const QImage empty = Paint({120, 60}, back);
  back.Caption = QStringLiteral("Panel");
  back.Layout = tlBottom;
  back.Alignment = taLeftJustify;
  const QImage bottom = Paint({120, 60}, back);
  EXPECT_NE(bottom, empty);
  int first = -1, last = -1;
  for (int y = 0; y < 60; ++y)
    for (int x = 0; x < 120; ++x)
      if (bottom.pixel(x, y) != qRgb(255, 255, 255)) {
        if (first < 0) first = y;
        last = y;
      }
  EXPECT_GT(first, 40);
  EXPECT_GE(last, 52);  // sits on the bottom edge (the glyph cell's descent stays below)
  back.Caption.clear();
  EXPECT_EQ(Paint({120, 60}, back), empty);
  EXPECT_EQ(CaptionAlignment(taRightJustify, tlTop), Qt::AlignRight | Qt::AlignTop);
  EXPECT_EQ(CaptionAlignment(taCenter, tlCenter), Qt::AlignHCenter | Qt::AlignVCenter);
}
