// Fade button face and placement; image button placement, faces and content choice.
#include <gtest/gtest.h>

#include <QImage>
#include <QPainter>

#include "render/Colors.h"
#include "render/Fade.h"
#include "render/FadeButton.h"
#include "render/ImageButton.h"

TEST(RenderFadeButton, FaceColoursAndAlphaCorners) {
  const QImage image = BuildFadeButtonImage({8, 6}, FadeButtonDefaults::Color, FadeButtonDefaults::BorderColor);
  ASSERT_EQ(image.size(), QSize(8, 6));
  const int alpha[6][8] = {
      {0, 45, 80, 100, 100, 80, 45, 0},       {45, 150, 210, 255, 255, 210, 150, 45},
      {80, 210, 230, 255, 255, 230, 210, 80}, {80, 210, 230, 255, 255, 230, 210, 80},
      {45, 150, 210, 255, 255, 210, 150, 45}, {0, 45, 80, 100, 100, 80, 45, 0},
  };
  for (int y = 0; y < 6; ++y)
    for (int x = 0; x < 8; ++x) EXPECT_EQ(qAlpha(image.pixel(x, y)), alpha[y][x]) << x << "," << y;

  const QRgb face = qRgb(0x80, 0xC0, 0xFF), border = qRgb(0xDD, 0xEE, 0xFF), mid = qRgb(174, 215, 255);
  auto rgb = [&](int x, int y) { return image.pixel(x, y) | 0xFF000000u; };
  EXPECT_EQ(rgb(0, 0), face);
  EXPECT_EQ(rgb(3, 0), face);
  EXPECT_EQ(rgb(1, 1), border);
  EXPECT_EQ(rgb(3, 1), border);
  EXPECT_EQ(rgb(6, 3), border);
  EXPECT_EQ(rgb(3, 4), border);
  EXPECT_EQ(rgb(3, 2), face);
  for (auto [x, y] : {std::pair{2, 2}, {2, 3}, {5, 2}, {5, 3}}) EXPECT_EQ(rgb(x, y), mid) << x << "," << y;
}

TEST(RenderFadeButton, MidColourOnlyAboveFourPixels) {
  const QRgb border = qRgb(0xDD, 0xEE, 0xFF), mid = qRgb(174, 215, 255);
  struct Case {
    QSize size;
    bool hasMid;
  };
  for (const Case c : {Case{{4, 20}, false}, Case{{20, 4}, false}, Case{{5, 5}, true}, Case{{5, 20}, true}}) {
    const QImage image = BuildFadeButtonImage(c.size, FadeButtonDefaults::Color, FadeButtonDefaults::BorderColor);
    int mids = 0;
    for (int y = 0; y < image.height(); ++y)
      for (int x = 0; x < image.width(); ++x) mids += (image.pixel(x, y) | 0xFF000000u) == mid;
    EXPECT_EQ(mids > 0, c.hasMid) << c.size.width() << "x" << c.size.height();
    if (!c.hasMid) {
      EXPECT_EQ(image.pixel(2, 2) | 0xFF000000u, border);
    }
  }
  EXPECT_TRUE(BuildFadeButtonImage({0, 5}, 0, 0).isNull());
  EXPECT_EQ(BuildFadeButtonImage({1, 1}, 0, 0).size(), QSize(1, 1));  // tiny sizes do not go out of bounds
}

TEST(RenderFadeButton, FaceAtRestAndBlend) {
  TAlphaImage face;
  face.SetPicture(BuildFadeButtonImage({20, 10}, FadeButtonDefaults::Color, FadeButtonDefaults::BorderColor));
  face.ResetImage();
  face.SetAlphaBlend(10);  // a new button rests at 10 %
  EXPECT_EQ(qAlpha(face.Shown().pixel(10, 5)), 25);
  EXPECT_EQ(qAlpha(face.Shown().pixel(10, 0)), 10);
  face.SetAlphaBlend(50);
  EXPECT_EQ(qAlpha(face.Shown().pixel(10, 5)), 127);
  EXPECT_EQ(qAlpha(face.Shown().pixel(1, 0)), 22);  // corner 45
}

TEST(RenderFadeButton, PlacementTable) {
  struct Case {
    TImageLayout layout;
    bool picture;
    QRect pictureRect, caption;
    Qt::Alignment alignment;
  };
  const Qt::Alignment LC = Qt::AlignLeft | Qt::AlignVCenter, CT = Qt::AlignHCenter | Qt::AlignTop,
                      RC = Qt::AlignRight | Qt::AlignVCenter, CB = Qt::AlignHCenter | Qt::AlignBottom,
                      CC = Qt::AlignHCenter | Qt::AlignVCenter;
  // 193 x 49, picture 16 x 16, margin 5, space 6. Caption rectangles as left, top, width, height.
  const Case cases[] = {
      {ilLeft, true, {5, 16, 16, 16}, {27, 5, 161, 39}, LC},
      {ilLeft, false, {}, {5, 5, 183, 39}, LC},
      {ilTop, true, {88, 5, 16, 16}, {5, 27, 183, 17}, CT},
      {ilTop, false, {}, {5, 5, 183, 39}, CT},
      {ilRight, true, {172, 16, 16, 16}, {5, 5, 161, 39}, RC},
      {ilRight, false, {}, {5, 5, 183, 39}, RC},
      {ilBottom, true, {88, 28, 16, 16}, {5, 5, 183, 17}, CB},
      {ilBottom, false, {}, {5, 5, 183, 39}, CB},
      {ilCenter, true, {88, 16, 16, 16}, {5, 5, 183, 39}, CC},
      {ilCenterStretch, true, {5, 5, 183, 39}, {5, 5, 183, 39}, CC},
  };
  for (const auto& c : cases) {
    const auto p = PlaceFadeButton(c.layout, {193, 49}, c.picture ? QSize(16, 16) : QSize(), 5, 6);
    EXPECT_EQ(p.Picture, c.pictureRect) << int(c.layout) << " " << c.picture;
    EXPECT_EQ(p.Caption, c.caption) << int(c.layout) << " " << c.picture;
    EXPECT_EQ(p.CaptionAlignment, c.alignment) << int(c.layout);
  }
}

TEST(RenderFadeButton, ContentDrawnOpaqueOverFace) {
  QImage canvas(60, 30, QImage::Format_ARGB32);
  canvas.fill(Qt::transparent);
  QImage red(8, 8, QImage::Format_ARGB32);
  red.fill(qRgb(255, 0, 0));
  QPainter p(&canvas);
  PaintFadeButtonContent(p, canvas.size(), ilLeft, 5, 5, red, QString(), TFont());
  p.end();
  EXPECT_EQ(canvas.pixel(5, 11), qRgb(255, 0, 0));  // (m, (H - ph) div 2)
  EXPECT_EQ(canvas.pixel(12, 18), qRgb(255, 0, 0));
  EXPECT_EQ(qAlpha(canvas.pixel(4, 11)), 0);
  EXPECT_EQ(qAlpha(canvas.pixel(13, 11)), 0);
}

TEST(RenderImageButton, PlacementTable) {
  struct Case {
    TImageLayout layout;
    QSize client, picture, text;
    QPoint textAt;
    QRect pictureAt;
  };
  const QSize none, pic(16, 16), text(60, 13);
  // Margin 10, space 5.
  const Case cases[] = {
      {ilLeft, {129, 33}, none, text, {15, 10}, {}},
      {ilLeft, {129, 33}, pic, text, {31, 10}, {10, 8, 16, 16}},
      {ilLeft, {129, 33}, pic, {100, 13}, {19, 10}, {10, 8, 16, 16}},  // pushed back inside the margin
      {ilLeft, {129, 33}, none, {110, 13}, {9, 10}, {}},
      {ilTop, {129, 33}, none, text, {34, 10}, {}},
      {ilTop, {129, 80}, none, text, {34, 15}, {}},
      {ilTop, {129, 80}, pic, text, {34, 31}, {56, 10, 16, 16}},
      {ilTop, {129, 33}, pic, text, {34, 10}, {56, 10, 16, 16}},
      {ilRight, {129, 33}, none, text, {54, 10}, {}},
      {ilRight, {129, 33}, pic, text, {38, 10}, {103, 8, 16, 16}},
      {ilRight, {129, 33}, none, {110, 13}, {10, 10}, {}},  // at least the margin
      {ilBottom, {129, 60}, none, text, {34, 32}, {}},      // bottom edge 45 = H - m - s
      {ilBottom, {129, 33}, none, text, {34, 10}, {}},
      {ilBottom, {129, 60}, pic, text, {34, 16}, {56, 34, 16, 16}},
      {ilCenter, {129, 33}, none, text, {34, 15}, {}},
      {ilCenter, {129, 33}, pic, text, {34, 15}, {56, 8, 16, 16}},
      {ilCenterStretch, {129, 33}, pic, text, {34, 15}, {10, 10, 109, 13}},
      {ilLeft, {129, 33}, none, {0, 0}, {15, 16}, {}},  // empty caption
  };
  for (const auto& c : cases) {
    const auto p = PlaceImageButton(c.layout, c.client, c.picture, c.text, 10, 5, false);
    EXPECT_EQ(p.Text, c.textAt) << int(c.layout) << " " << c.client.height() << " " << c.picture.isEmpty();
    EXPECT_EQ(p.Picture, c.pictureAt) << int(c.layout) << " " << c.picture.isEmpty();
    EXPECT_EQ(p.Offset, 0);
  }
  EXPECT_EQ(PlaceImageButton(ilLeft, {129, 33}, pic, text, 10, 5, true).Offset, 2);
}

TEST(RenderImageButton, StateNormalisation) {
  struct Case {
    TButtonState state;
    bool enabled, grouped, down;
    TButtonState expected;
  };
  const Case cases[] = {
      {TButtonState::Up, false, false, false, TButtonState::Disabled},
      {TButtonState::Down, false, false, false, TButtonState::Disabled},
      {TButtonState::Disabled, true, false, false, TButtonState::Up},
      {TButtonState::Disabled, true, true, true, TButtonState::Exclusive},
      {TButtonState::Disabled, true, false, true, TButtonState::Up},
      {TButtonState::Down, true, false, false, TButtonState::Down},
  };
  for (const auto& c : cases) {
    TImageButtonStatus s;
    s.State = c.state;
    s.Enabled = c.enabled;
    s.Grouped = c.grouped;
    s.DownProperty = c.down;
    EXPECT_EQ(NormaliseButtonState(s), c.expected);
  }
}

namespace {
QImage Solid(QRgb c, int w = 6, int h = 6) {
  QImage i(w, h, QImage::Format_ARGB32);
  i.fill(c);
  return i;
}
QImage PaintButton(const TImageButtonPayload& b, const TImageButtonStatus& s, const QImage& image = {},
                   const QImage& over = {}) {
  QImage canvas(60, 30, QImage::Format_ARGB32);
  canvas.fill(Qt::transparent);
  QPainter p(&canvas);
  PaintImageButton(p, canvas.size(), b, s, image, over);
  return canvas;
}
QRect Bounds(const QImage& image, QRgb colour) {
  QRect r;
  for (int y = 0; y < image.height(); ++y)
    for (int x = 0; x < image.width(); ++x)
      if (image.pixel(x, y) == colour) r |= QRect(x, y, 1, 1);
  return r;
}
int CountBluish(const QImage& image) {
  int n = 0;
  for (int y = 0; y < image.height(); ++y)
    for (int x = 0; x < image.width(); ++x) {
      const QRgb p = image.pixel(x, y);
      n += qAlpha(p) > 0 && qBlue(p) > qRed(p) + 40;
    }
  return n;
}
}  // namespace

TEST(RenderImageButton, TransparentStyleHasNoFace) {
  TImageButtonPayload b;
  b.ButtonStyle = TButtonStyle::bsTransparent;
  b.Caption.clear();
  for (TButtonState st : {TButtonState::Up, TButtonState::Down, TButtonState::Exclusive})
    for (bool hot : {false, true})
      for (bool enabled : {false, true}) {
        TImageButtonStatus s;
        s.State = st;
        s.MouseInControl = hot;
        s.Enabled = enabled;
        const QImage image = PaintButton(b, s);
        EXPECT_TRUE(Bounds(image, 0).contains(QRect(0, 0, 60, 30))) << int(st) << hot << enabled;
      }
  // On the editing surface it only gets the dotted outline.
  TImageButtonStatus designing;
  designing.Designing = true;
  const QImage outlined = PaintButton(b, designing);
  EXPECT_EQ(outlined.pixel(0, 0), qRgb(0x80, 0x80, 0x80));
  EXPECT_EQ(outlined.pixel(1, 0), 0u);
  EXPECT_EQ(outlined.pixel(30, 15), 0u);
}

TEST(RenderImageButton, PressSlidesContentOnlyWithSlide) {
  TImageButtonPayload b;
  b.ButtonStyle = TButtonStyle::bsTransparent;
  b.Caption.clear();
  b.Layout = ilCenter;
  const QRgb red = qRgb(255, 0, 0);
  TImageButtonStatus up, down;
  down.State = TButtonState::Down;
  const QRect rest = Bounds(PaintButton(b, up, Solid(red)), red);
  EXPECT_EQ(rest, QRect(27, 12, 6, 6));
  EXPECT_EQ(Bounds(PaintButton(b, down, Solid(red)), red), rest.translated(2, 2));
  b.Slide = false;
  EXPECT_EQ(Bounds(PaintButton(b, down, Solid(red)), red), rest);
}

TEST(RenderImageButton, MouseOverPictureAndFont) {
  TImageButtonPayload b;
  b.ButtonStyle = TButtonStyle::bsTransparent;
  b.Caption = QStringLiteral("Go");
  b.Font.Name = QStringLiteral("DejaVu Sans");
  b.Font.Color = clBlack;
  b.FontOver.Name = b.Font.Name;
  b.FontOver.Color = clBlue;
  const QRgb red = qRgb(255, 0, 0), green = qRgb(0, 255, 0);
  TImageButtonStatus rest, hot, pressedHot;
  hot.MouseInControl = true;
  pressedHot = hot;
  pressedHot.State = TButtonState::Down;

  // Empty mouse-over picture: the picture stays, the font still switches.
  const QImage restImage = PaintButton(b, rest, Solid(red));
  const QImage hotImage = PaintButton(b, hot, Solid(red));
  EXPECT_FALSE(Bounds(hotImage, red).isEmpty());
  EXPECT_EQ(CountBluish(restImage), 0);
  EXPECT_GT(CountBluish(hotImage), 0);

  // With a mouse-over picture it shows while hovered and up, not while held.
  EXPECT_FALSE(Bounds(PaintButton(b, hot, Solid(red), Solid(green)), green).isEmpty());
  EXPECT_TRUE(Bounds(PaintButton(b, hot, Solid(red), Solid(green)), red).isEmpty());
  EXPECT_TRUE(Bounds(PaintButton(b, pressedHot, Solid(red), Solid(green)), green).isEmpty());
  EXPECT_EQ(CountBluish(PaintButton(b, pressedHot, Solid(red))), 0);
  // A disabled button keeps its own font.
  TImageButtonStatus disabledHot = hot;
  disabledHot.Enabled = false;
  EXPECT_EQ(CountBluish(PaintButton(b, disabledHot, Solid(red))), 0);
}

TEST(RenderImageButton, Faces) {
  const QRgb highlight = SystemColorRGB(SysColor::BtnHighlight), dark = SystemColorRGB(SysColor::DkShadow3D),
             shadow = SystemColorRGB(SysColor::BtnShadow), face = SystemColorRGB(SysColor::BtnFace);
  TImageButtonPayload b;
  b.Caption.clear();
  TImageButtonStatus up, down, hot;
  down.State = TButtonState::Down;
  hot.MouseInControl = true;

  b.ButtonStyle = TButtonStyle::bsNormal;
  QImage image = PaintButton(b, up);
  EXPECT_EQ(image.pixel(0, 0), highlight);
  EXPECT_EQ(image.pixel(59, 29), dark);
  EXPECT_EQ(image.pixel(58, 28), shadow);
  EXPECT_EQ(image.pixel(30, 15), face);
  image = PaintButton(b, down);
  EXPECT_EQ(image.pixel(0, 0), dark);
  EXPECT_EQ(image.pixel(59, 29), highlight);

  b.ButtonStyle = TButtonStyle::bsNormalFlat;  // only an edge, and only when hot or held
  EXPECT_EQ(PaintButton(b, up).pixel(0, 0), 0u);
  image = PaintButton(b, hot);
  EXPECT_EQ(image.pixel(0, 0), highlight);
  EXPECT_EQ(image.pixel(59, 29), shadow);
  EXPECT_EQ(image.pixel(30, 15), 0u);
  EXPECT_EQ(PaintButton(b, down).pixel(0, 0), shadow);

  b.ButtonStyle = TButtonStyle::bsThemesFlat;
  EXPECT_EQ(PaintButton(b, up).pixel(30, 15), 0u);
  EXPECT_NE(PaintButton(b, hot).pixel(30, 15), 0u);
  EXPECT_NE(PaintButton(b, down).pixel(30, 15), PaintButton(b, hot).pixel(30, 15));

  b.ButtonStyle = TButtonStyle::bsThemes;
  const QRgb rest = PaintButton(b, up).pixel(30, 15), over = PaintButton(b, hot).pixel(30, 15),
             held = PaintButton(b, down).pixel(30, 15);
  EXPECT_EQ(qAlpha(rest), 255);
  EXPECT_NE(rest, over);
  EXPECT_NE(over, held);
  EXPECT_NE(rest, held);
}
