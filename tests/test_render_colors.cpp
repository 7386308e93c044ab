// Colour table, exact interpolation, gradient lines and caption placement.
#include <gtest/gtest.h>

#include <QImage>
#include <QPainter>

#include "render/Caption.h"
#include "render/Colors.h"
#include "render/Gradient.h"

namespace {
constexpr QRgb Marker = 0xFF123456;

QImage Canvas(int w, int h, QRgb fill = Marker) {
  QImage image(w, h, QImage::Format_ARGB32);
  image.fill(fill);
  return image;
}

std::vector<int> RedColumn(const QImage& image, int x) {
  std::vector<int> v;
  for (int y = 0; y < image.height(); ++y) v.push_back(qRed(image.pixel(x, y)));
  return v;
}
std::vector<int> RedRow(const QImage& image, int y) {
  std::vector<int> v;
  for (int x = 0; x < image.width(); ++x) v.push_back(qRed(image.pixel(x, y)));
  return v;
}

QImage Gradient(int style, int w, int h, TColor a = clWhite, TColor b = clBlack) {
  QImage image = Canvas(w, h);
  QPainter p(&image);
  DrawGradient(p, style, a, b, QRect(0, 0, w, h));
  return image;
}
}  // namespace

TEST(RenderColors, SystemAndPlainColours) {
  EXPECT_EQ(ColorToRGB(0x00336699), qRgb(0x99, 0x66, 0x33));  // $00BBGGRR
  EXPECT_EQ(ColorToRGB(clBtnFace), SystemColorRGB(SysColor::BtnFace));
  EXPECT_EQ(ColorToRGB(SystemColor(SysColor::Window)), qRgb(255, 255, 255));
  EXPECT_EQ(ColorToRGB(SystemColor(SysColor::BtnHighlight)), qRgb(255, 255, 255));
  EXPECT_EQ(ColorToRGB(SystemColor(SysColor::InfoBk)), qRgb(0xFF, 0xFF, 0xE1));
  EXPECT_EQ(ColorToRGB(0xFF0000C8), qRgb(0, 0, 0));    // unknown index
  EXPECT_EQ(ColorToRGB(clNone), qRgb(255, 255, 255));  // not a system colour: low bytes
  EXPECT_EQ(RGBToColor(qRgb(0x99, 0x66, 0x33)), 0x00336699u);

  SetSystemColorRGB(SysColor::BtnFace, qRgb(1, 2, 3));
  EXPECT_EQ(ColorToRGB(clBtnFace), qRgb(1, 2, 3));
  ResetSystemColors();
  EXPECT_EQ(ColorToRGB(clBtnFace), qRgb(0xF0, 0xF0, 0xF0));
}

TEST(RenderColors, RoundingHalvesToEven) {
  struct Case {
    int num, den, expected;
  };
  const Case cases[] = {{1, 2, 0},   {3, 2, 2},         {5, 2, 2},         {7, 2, 4},  {-1, 2, 0}, {-3, 2, -2},
                        {-5, 2, -2}, {-1275, 11, -116}, {-2295, 11, -209}, {10, 4, 2}, {14, 4, 4}, {0, 7, 0}};
  for (const auto& c : cases) EXPECT_EQ(RoundHalfEven(c.num, c.den), c.expected) << c.num << "/" << c.den;
}

TEST(RenderColors, Interpolation) {
  EXPECT_EQ(InterpolateColor(qRgb(255, 255, 255), qRgb(0, 0, 0), 5, 11), qRgb(139, 139, 139));
  EXPECT_EQ(InterpolateColor(qRgb(0, 0, 0), qRgb(1, 3, 5), 1, 2), qRgb(0, 2, 2));  // 0.5, 1.5, 2.5
  EXPECT_EQ(InterpolateColor(qRgb(10, 20, 30), qRgb(200, 100, 0), 0, 7), qRgb(10, 20, 30));
  EXPECT_EQ(InterpolateColor(qRgb(10, 20, 30), qRgb(200, 100, 0), 7, 7), qRgb(200, 100, 0));
  EXPECT_EQ(InterpolateColor(qRgb(0, 0, 0), qRgb(255, 255, 255), 1, 0), qRgb(255, 255, 255));  // n < 1 is 1
  EXPECT_EQ(MidColor(qRgb(255, 0, 11), qRgb(0, 255, 0)), qRgb(127, 127, 5));
}

TEST(RenderGradient, TopBottomTenRows) {
  // White to black over 10 rows: 11 steps, so the last row stops short of black.
  const QImage image = Gradient(GradientCode::TopBottom, 3, 10);
  EXPECT_EQ(RedColumn(image, 1), (std::vector<int>{255, 232, 209, 185, 162, 139, 116, 93, 70, 46}));
  EXPECT_EQ(image.pixel(0, 5), qRgb(139, 139, 139));
  EXPECT_EQ(RedColumn(image, 0), RedColumn(image, 2));
}

TEST(RenderGradient, EveryCodeAsTable) {
  struct Case {
    int style, w, h;
    bool rows;  // the values run down a column (true) or along a row
    std::vector<int> values;
  };
  const Case cases[] = {
      {GradientCode::BottomTop, 1, 4, true, {0, 51, 102, 153}},
      {GradientCode::LeftRight, 4, 1, false, {255, 204, 153, 102}},
      {GradientCode::RightLeft, 4, 1, false, {0, 51, 102, 153}},
      {GradientCode::MiddleTopBottom, 1, 6, true, {0, 85, 170, 255, 170, 85}},
      {GradientCode::TopBottomMiddle, 1, 6, true, {255, 170, 85, 0, 85, 170}},
      // Odd width: the middle column has A exactly, both outer columns B.
      {GradientCode::MiddleLeftRight, 9, 1, false, {0, 64, 128, 191, 255, 191, 128, 64, 0}},
      {GradientCode::MiddleLeftRight, 8, 1, false, {0, 64, 128, 191, 191, 128, 64, 0}},
      {GradientCode::LeftRightMiddle, 8, 1, false, {191, 128, 64, 0, 0, 64, 128, 191}},
      {GradientCode::LeftRightMiddle, 9, 1, false, {191, 128, 64, 0, 0, 64, 128, 191, 255}},
      {GradientCode::MiddleTopBottom, 1, 7, true, {0, 85, 170, 255, 170, 85, 0}},
  };
  for (const auto& c : cases) {
    const QImage image = Gradient(c.style, c.w, c.h);
    EXPECT_EQ(c.rows ? RedColumn(image, 0) : RedRow(image, 0), c.values)
        << "code " << c.style << " " << c.w << "x" << c.h;
  }
}

TEST(RenderGradient, OtherCodesAndRectangleBounds) {
  for (int style : {0, 9, -1, 1001}) {
    const QImage image = Gradient(style, 4, 4);
    EXPECT_EQ(image.pixel(1, 1), Marker) << style;
  }
  // Only the rectangle is painted, also when given with negative extents.
  QImage image = Canvas(6, 6);
  {
    QPainter p(&image);
    DrawGradient(p, GradientCode::TopBottom, clBtnFace, clBlack, QRect(5, 5, -4, -4));
  }
  EXPECT_EQ(image.pixel(0, 0), Marker);
  EXPECT_EQ(image.pixel(5, 5), Marker);
  EXPECT_EQ(image.pixel(4, 4), InterpolateColor(qRgb(0xF0, 0xF0, 0xF0), qRgb(0, 0, 0), 3, 5));
  EXPECT_EQ(image.pixel(1, 1), qRgb(0xF0, 0xF0, 0xF0));
}

TEST(RenderCaption, FontConversion) {
  EXPECT_EQ(FontPixelSize(8), 11);
  EXPECT_EQ(FontPixelSize(9), 12);
  EXPECT_EQ(FontPixelSize(10), 13);
  EXPECT_EQ(FontPixelSize(12), 16);
  EXPECT_EQ(FontPixelSize(-20), 20);
  EXPECT_EQ(FontPixelSize(0), 11);
  EXPECT_EQ(FontPixelSize(2000000000), 2000);
  TFont font;
  font.Style = fsBold | fsUnderline;
  const QFont f = ToQFont(font);
  EXPECT_TRUE(f.bold());
  EXPECT_TRUE(f.underline());
  EXPECT_FALSE(f.italic());
  EXPECT_EQ(f.pixelSize(), 11);
}

namespace {
// Rows that hold any drawn (non-transparent) pixel.
std::pair<int, int> InkRows(const QImage& image) {
  int first = -1, last = -1;
  for (int y = 0; y < image.height(); ++y)
    for (int x = 0; x < image.width(); ++x)
      if (qAlpha(image.pixel(x, y)) != 0) {
        if (first < 0) first = y;
        last = y;
        break;
      }
  return {first, last};
}
std::pair<int, int> InkColumns(const QImage& image) {
  int first = -1, last = -1;
  for (int x = 0; x < image.width(); ++x)
    for (int y = 0; y < image.height(); ++y)
      if (qAlpha(image.pixel(x, y)) != 0) {
        if (first < 0) first = x;
        last = x;
        break;
      }
  return {first, last};
}

TFont TestFont() {
  TFont font;
  font.Name = QStringLiteral("DejaVu Sans");
  font.Size = 12;
  font.Color = clBlack;
  return font;
}
}  // namespace

TEST(RenderCaption, VerticalPlacement) {
  const QRect rect(10, 10, 100, 80);
  QImage probe = Canvas(120, 100, 0);
  QPainter pp(&probe);
  const int h = MeasureCaptionHeight(pp, QStringLiteral("Xg"), rect.width(), true, Qt::AlignLeft, TestFont());
  pp.end();
  ASSERT_GT(h, 0);
  ASSERT_LT(h, 40);

  struct Case {
    Qt::Alignment vertical;
    QRect expected;
  };
  const int shift = (80 - h) / 2;
  const Case cases[] = {
      {Qt::AlignTop, rect},
      {Qt::AlignBottom, QRect(10, 90 - h, 100, h)},
      {Qt::AlignVCenter, QRect(10, 10 + shift, 100, 80 - 2 * shift)},
  };
  for (const auto& c : cases) {
    QImage image = Canvas(120, 100, 0);
    QPainter p(&image);
    const QRect used = DrawCaptionText(p, QStringLiteral("Xg"), rect, true, Qt::AlignLeft | c.vertical, TestFont());
    p.end();
    EXPECT_EQ(used, c.expected);
    const auto [first, last] = InkRows(image);
    EXPECT_GE(first, used.top());
    EXPECT_LE(last, used.bottom());
    if (c.vertical == Qt::AlignBottom) {
      EXPECT_GE(last, 90 - 6);  // sits on the bottom edge
    }
    if (c.vertical == Qt::AlignTop) {
      EXPECT_LE(first, 10 + 6);
    }
  }
}

TEST(RenderCaption, TallTextGrowsOutwardsWhenCentred) {
  QImage image = Canvas(100, 100, 0);
  QPainter p(&image);
  const QString text = QStringLiteral("one\ntwo\nthree\nfour");
  const int h = MeasureCaptionHeight(p, text, 80, true, Qt::AlignLeft, TestFont());
  const QRect used =
      DrawCaptionText(p, text, QRect(10, 40, 80, 20), true, Qt::AlignLeft | Qt::AlignVCenter, TestFont());
  const int shift = (20 - h) / 2;
  ASSERT_LT(shift, 0);
  EXPECT_EQ(used.top(), 40 + shift);
  EXPECT_EQ(used.bottom(), 59 - shift);
}

TEST(RenderCaption, HorizontalAlignmentWrapTabsAndClearBackground) {
  const QRect rect(0, 0, 200, 60);
  auto draw = [&](const QString& text, Qt::Alignment a, bool wrap = true, int width = 200) {
    QImage image = Canvas(200, 60, 0);
    QPainter p(&image);
    DrawCaptionText(p, text, QRect(0, 0, width, 60), wrap, a | Qt::AlignTop, TestFont());
    return image;
  };
  const auto left = InkColumns(draw(QStringLiteral("Menu"), Qt::AlignLeft));
  const auto right = InkColumns(draw(QStringLiteral("Menu"), Qt::AlignRight));
  const auto centre = InkColumns(draw(QStringLiteral("Menu"), Qt::AlignHCenter));
  EXPECT_LE(left.first, 3);
  EXPECT_GE(right.second, rect.width() - 4);
  EXPECT_NEAR((centre.first + centre.second) / 2.0, rect.width() / 2.0, 3);

  // Word break only when asked.
  const auto wrapped = InkRows(draw(QStringLiteral("alpha beta"), Qt::AlignLeft, true, 45));
  const auto single = InkRows(draw(QStringLiteral("alpha beta"), Qt::AlignLeft, false, 45));
  EXPECT_GT(wrapped.second - wrapped.first, (single.second - single.first) * 3 / 2);

  // A tab moves the next word to a tab stop; "&" is drawn, not taken as a prefix.
  const auto tabbed = InkColumns(draw(QStringLiteral("\tx"), Qt::AlignLeft));
  EXPECT_GT(tabbed.first, 20);
  const auto amp = InkColumns(draw(QStringLiteral("&x"), Qt::AlignLeft));
  const auto plain = InkColumns(draw(QStringLiteral("x"), Qt::AlignLeft));
  EXPECT_GT(amp.second - amp.first, (plain.second - plain.first) + 4);

  // Nothing but glyphs is painted, and an empty text paints nothing at all.
  const QImage image = draw(QStringLiteral("Menu"), Qt::AlignLeft);
  EXPECT_EQ(qAlpha(image.pixel(199, 59)), 0);
  EXPECT_EQ(InkRows(draw(QString(), Qt::AlignLeft)).first, -1);
}
