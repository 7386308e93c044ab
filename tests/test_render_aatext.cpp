// The effect text renderer end to end (text masks, effects, shadow placement, foregrounds) and the
// effect label and text controls (measuring, auto size, alignment, wrapping, row pitch, change
// notification).
#include <gtest/gtest.h>

#include <QFontDatabase>
#include <QPainter>
#include <set>

#include "render/AAControls.h"
#include "render/AAFont.h"
#include "render/Colors.h"
#include "render/Fade.h"
#include "render/PictureDecode.h"

namespace {
const QString Block = QString(QChar(0x2588));  // full block: solid ink over most of its cell

TFont TestFont(int size = 24, TColor color = clRed) {
  TFont f;
  f.Name = QStringLiteral("DejaVu Sans");
  f.Size = size;
  f.Color = color;
  return f;
}

TAAEffect PlainEffect() {
  TAAEffect e;  // shadow, gradient and texture off
  return e;
}

QImage Canvas(int w, int h, QRgb fill = qRgb(0, 0, 0)) {
  QImage img(w, h, QImage::Format_RGB32);
  img.fill(fill);
  return img;
}

// Bounding box of the pixels that differ from `background`, or of those equal to `only`.
QRect InkBox(const QImage& img, QRgb background) {
  QRect box;
  for (int y = 0; y < img.height(); ++y)
    for (int x = 0; x < img.width(); ++x)
      if (img.pixel(x, y) != background) box |= QRect(x, y, 1, 1);
  return box;
}
QRect ColorBox(const QImage& img, QRgb color) {
  QRect box;
  for (int y = 0; y < img.height(); ++y)
    for (int x = 0; x < img.width(); ++x)
      if (img.pixel(x, y) == color) box |= QRect(x, y, 1, 1);
  return box;
}

TAAMask MaskOfText(const QString& text, int scale, int angle = 0, const TFont& font = TestFont()) {
  TAAMaskBuilder builder;
  builder.SetFont(font, scale, angle);
  TAAMask mask;
  builder.DrawMask(text, mask);
  return mask;
}

int MaxOf(const TAAMask& m) { return m.Data.empty() ? 0 : *std::max_element(m.Data.begin(), m.Data.end()); }
}  // namespace

TEST(AATextRender, TextMaskCoverageByQuality) {
  // Solid ink reaches 255 only where the weights add up to the whole: aqNormal tops out at 254.
  const struct { int Scale, Max; } cases[] = {{4, 255}, {3, 254}, {2, 255}, {1, 255}};
  for (const auto& c : cases) {
    const TAAMask m = MaskOfText(Block, c.Scale);
    ASSERT_FALSE(m.IsEmpty());
    EXPECT_EQ(MaxOf(m), c.Max) << "scale " << c.Scale;
  }
  // A size of 0 has no ink and no extent.
  EXPECT_TRUE(MaskOfText(Block, 4, 0, TestFont(0)).IsEmpty());
  EXPECT_TRUE(MaskOfText(QString(), 4).IsEmpty());
}

TEST(AATextRender, ExtentRotationAndItalic) {
  TAAMaskBuilder b;
  b.SetFont(TestFont(), 4, 0);
  const QSize plain = b.MaskSize(QStringLiteral("Menu"));
  ASSERT_GT(plain.width(), plain.height());
  b.SetFont(TestFont(), 4, 90);
  EXPECT_EQ(b.MaskSize(QStringLiteral("Menu")), plain.transposed());
  b.SetFont(TestFont(), 4, -180);
  EXPECT_EQ(b.MaskSize(QStringLiteral("Menu")), plain);
  b.SetFont(TestFont(), 4, 45);
  const QSize turned = b.MaskSize(QStringLiteral("Menu"));
  EXPECT_GT(turned.height(), plain.height());
  EXPECT_LT(turned.width(), plain.width() + plain.height());

  TFont italic = TestFont();
  italic.Style = fsItalic;
  b.SetFont(italic, 4, 0);
  // Widened by round(width / characters × 0.3) of the upright width.
  TAAMaskBuilder upright;
  TFont uprightFont = italic;
  uprightFont.Style = 0;
  upright.SetFont(uprightFont, 4, 0);
  const int w = upright.MaskSize(QStringLiteral("Menu")).width();
  EXPECT_NEAR(b.MaskSize(QStringLiteral("Menu")).width(), w + RoundHalfEven(w / 4.0 * 0.3), 2);

  // A rotated mask holds the rotated ink: a 90-degree turn of a tall bar is a wide one.
  const TAAMask bar = MaskOfText(QStringLiteral("|"), 4, 90);
  EXPECT_GT(bar.Width, bar.Height);
}

TEST(AATextRender, AlphaAndFullCoverage) {
  TAAFontEx font;
  font.SetFont(TestFont(24, 0x00332211));
  font.SetQuality(aqHigh);
  TAAEffect e = PlainEffect();
  e.Shadow.Enabled = true;
  e.Alpha = 0;
  font.SetEffect(e);
  QImage canvas = Canvas(80, 60, qRgb(9, 9, 9));
  font.TextOut(canvas, 5, 5, Block);
  EXPECT_EQ(InkBox(canvas, qRgb(9, 9, 9)), QRect()) << "alpha 0 draws nothing, shadow included";

  e.Shadow.Enabled = false;
  e.Alpha = 100;
  font.SetEffect(e);
  font.TextOut(canvas, 5, 5, Block);
  const QSize ext = font.TextExtent(Block);
  const QPoint centre(5 + ext.width() / 2, 5 + ext.height() / 2);
  EXPECT_EQ(canvas.pixel(centre), qRgb(0x11, 0x22, 0x33)) << "full coverage at 100 is exactly the colour";

  // At aqNormal full ink is 254: the colour is reached only to 254/256.
  QImage normal = Canvas(80, 60);
  font.SetQuality(aqNormal);
  font.SetFont(TestFont(24, clWhite));
  font.TextOut(normal, 5, 5, Block);
  EXPECT_EQ(normal.pixel(centre), qRgb(253, 253, 253));
}

TEST(AATextRender, ShadowOffsetsMoveTheTextAway) {
  auto draw = [](bool shadow, int ox, int oy, QSize* extent) {
    TAAFontEx font;
    font.SetFont(TestFont(20, clRed));
    font.SetQuality(aqHigh);
    TAAEffect e = PlainEffect();
    e.Shadow.Enabled = shadow;
    e.Shadow.OffsetX = static_cast<int8_t>(ox);
    e.Shadow.OffsetY = static_cast<int8_t>(oy);
    e.Shadow.Blur = 0;
    e.Shadow.Alpha = 100;
    e.Shadow.Color = clBlue;
    font.SetEffect(e);
    QImage canvas = Canvas(80, 60);
    font.TextOut(canvas, 10, 10, Block);
    if (extent) *extent = font.TextExtent(Block);
    return canvas;
  };
  QSize plainExt, shadowExt;
  const QImage plain = draw(false, 0, 0, &plainExt);
  const QRect text = ColorBox(plain, qRgb(255, 0, 0));
  const QRect ink = InkBox(plain, qRgb(0, 0, 0));
  ASSERT_FALSE(text.isEmpty());

  const struct {
    int Ox, Oy;
    QPoint TextMove, ShadowMove;
  } cases[] = {
      {-3, 0, {3, 0}, {0, 0}},   // text 3 right, shadow at x
      {3, 0, {0, 0}, {3, 0}},    // text at x, shadow 3 right
      {0, -4, {0, 4}, {0, 0}},   // text 4 down
      {2, 5, {0, 0}, {2, 5}},    // the default direction
      {-30, 0, {20, 0}, {0, 0}}  // offsets are limited to ±20
  };
  for (const auto& c : cases) {
    const QImage img = draw(true, c.Ox, c.Oy, &shadowExt);
    EXPECT_EQ(ColorBox(img, qRgb(255, 0, 0)), text.translated(c.TextMove)) << c.Ox << "," << c.Oy;
    // The shadow is the text's own mask, unblurred here: together they cover both boxes.
    EXPECT_EQ(InkBox(img, qRgb(0, 0, 0)), ink.translated(c.ShadowMove) | ink.translated(c.TextMove))
        << c.Ox << "," << c.Oy;
    EXPECT_EQ(shadowExt, plainExt + QSize(std::min(std::abs(c.Ox), 20), std::abs(c.Oy)));
  }
}

TEST(AATextRender, MaskEffectsThroughThePipeline) {
  auto draw = [](auto&& change) {
    TAAFontEx font;
    font.SetFont(TestFont(20, clWhite));
    font.SetQuality(aqHigh);
    TAAEffect e = PlainEffect();
    change(e);
    font.SetEffect(e);
    QImage canvas = Canvas(60, 50);
    font.TextOut(canvas, 0, 0, QStringLiteral("L"));
    return canvas.copy(QRect(QPoint(0, 0), font.TextExtent(QStringLiteral("L"))));
  };
  const QImage plain = draw([](TAAEffect&) {});
  EXPECT_EQ(draw([](TAAEffect& e) { e.HorzMirror = true; }), plain.mirrored(true, false));
  EXPECT_EQ(draw([](TAAEffect& e) { e.VertMirror = true; }), plain.mirrored(false, true));
  // Outline empties the inside of thick strokes.
  const QImage block = draw([](TAAEffect&) {});
  const QImage outline = draw([](TAAEffect& e) { e.Outline = true; });
  EXPECT_NE(outline, block);
  EXPECT_LT(InkBox(outline, qRgb(0, 0, 0)).width(), block.width() + 1);
  // Blur spreads ink beyond the glyph without moving the extent.
  const QImage blurred = draw([](TAAEffect& e) { e.Blur = 100; });
  EXPECT_EQ(blurred.size(), plain.size());
  EXPECT_NE(blurred, plain);
}

TEST(AATextRender, GradientForegroundStyles) {
  // 5 × 3 foregrounds of start white, end black.
  TAAEffect e = PlainEffect();
  e.Gradual.Enabled = true;
  e.Gradual.StartColor = clWhite;
  e.Gradual.EndColor = clBlack;
  TAARandom random(1);
  auto grey = [](int v) { return qRgb(v, v, v); };
  const struct {
    TGradualStyle Style;
    std::vector<int> Along;  // entries along the gradient's axis
    bool Horizontal;
  } cases[] = {
      {gsLeftToRight, {255, 204, 153, 102, 51}, true},  // 255 + i × (−255) div 5
      {gsRightToLeft, {0, 51, 102, 153, 204}, true},
      {gsTopToBottom, {255, 170, 85}, false},
      {gsBottomToTop, {0, 85, 170}, false},
      {gsCenterToLR, {0, 85, 170, 85, 0}, true},  // n = 3 from the end colour, mirrored
      {gsCenterToTB, {0, 127, 0}, false},         // n = 2: 0, 127; entry 2 repeats entry 0
  };
  for (const auto& c : cases) {
    e.Gradual.Style = c.Style;
    const QImage fg = EffectForeground(e, QImage(), qRgb(1, 2, 3), 5, 3, random);
    for (int i = 0; i < static_cast<int>(c.Along.size()); ++i) {
      const QPoint at = c.Horizontal ? QPoint(i, 2) : QPoint(4, i);
      EXPECT_EQ(fg.pixel(at), grey(c.Along[i])) << "style " << int(c.Style) << " entry " << i;
    }
  }
  // Noise on the gradient keeps every channel within noise / 2 of the entry.
  e.Gradual.Style = gsLeftToRight;
  e.Noise = 40;
  const QImage noisy = EffectForeground(e, QImage(), 0, 5, 3, random);
  bool differs = false;
  for (int x = 0; x < 5; ++x)
    for (int y = 0; y < 3; ++y) {
      const int base = 255 - x * 51;
      EXPECT_GE(qGreen(noisy.pixel(x, y)), std::max(base - 20, 0));
      EXPECT_LE(qGreen(noisy.pixel(x, y)), std::min(base + 19, 255));
      differs |= qGreen(noisy.pixel(x, y)) != base;
    }
  EXPECT_TRUE(differs);
}

TEST(AATextRender, TextureAndNoiseForegrounds) {
  QImage tile(2, 2, QImage::Format_RGB32);
  tile.setPixel(0, 0, qRgb(10, 0, 0));
  tile.setPixel(1, 0, qRgb(20, 0, 0));
  tile.setPixel(0, 1, qRgb(30, 0, 0));
  tile.setPixel(1, 1, qRgb(40, 0, 0));
  TAAEffect e = PlainEffect();
  e.Gradual.Enabled = true;  // the texture wins over the gradient
  e.Texture.Enabled = true;
  e.Texture.Picture = EncodePicture(tile, TGraphicKind::Png);
  TAARandom random(3);
  const QRgb font = qRgb(0, 0, 99);
  struct Case {
    TTextureMode Mode;
    QPoint At;
    QRgb Expected;
  };
  const Case cases[] = {
      {tmTiled, {4, 2}, qRgb(10, 0, 0)},     {tmTiled, {3, 1}, qRgb(40, 0, 0)},
      {tmNormal, {1, 1}, qRgb(40, 0, 0)},    {tmNormal, {2, 0}, font},
      {tmCenter, {1, 0}, qRgb(10, 0, 0)},    {tmCenter, {0, 0}, font},
      {tmStretched, {0, 0}, qRgb(10, 0, 0)}, {tmStretched, {4, 2}, qRgb(40, 0, 0)},
  };
  for (const auto& c : cases) {
    e.Texture.Mode = c.Mode;
    const QImage fg = EffectForeground(e, tile, font, 5, 3, random);
    EXPECT_EQ(fg.pixel(c.At), c.Expected) << "mode " << int(c.Mode) << " at " << c.At.x() << "," << c.At.y();
  }
  // Enabled without a picture: no texture.
  e.Texture.Picture.Clear();
  e.Gradual.Enabled = false;
  EXPECT_TRUE(EffectForeground(e, QImage(), font, 5, 3, random).isNull()) << "plain colour";
  // Noise on the plain colour: each channel drawn on its own within ±noise / 2.
  e.Noise = 10;
  const QImage noisy = EffectForeground(e, QImage(), qRgb(100, 0, 255), 8, 8, random);
  std::set<int> reds;
  for (int y = 0; y < 8; ++y)
    for (int x = 0; x < 8; ++x) {
      const QRgb p = noisy.pixel(x, y);
      EXPECT_TRUE(qRed(p) >= 95 && qRed(p) <= 104);
      EXPECT_TRUE(qGreen(p) <= 4);
      EXPECT_TRUE(qBlue(p) >= 250);
      reds.insert(qRed(p));
    }
  EXPECT_GT(reds.size(), 3u);
}

TEST(AATextControls, ChangeNotificationRendersOnce) {
  TAALabel label;
  label.SetFont(TestFont());
  label.SetCaption(QStringLiteral("Menu"));
  int notified = 0;
  label.OnChanged = [&] { ++notified; };
  label.Picture();
  const int renders = label.RenderCount();

  label.ChangeFontEffect([](TAAEffect& e) { e.Blur = 30; });
  EXPECT_EQ(notified, 1);
  label.Picture();
  label.Picture();
  EXPECT_EQ(label.RenderCount(), renders + 1) << "one change, one render";

  label.ChangeFontEffect([](TAAEffect& e) { e.Blur = 30; });
  label.SetCaption(QStringLiteral("Menu"));
  label.SetSize(label.Size());
  EXPECT_EQ(notified, 1) << "unchanged values do not notify";
  label.Picture();
  EXPECT_EQ(label.RenderCount(), renders + 1);

  label.BeginUpdate();
  label.ChangeFontEffect([](TAAEffect& e) { e.Shadow.Enabled = true; });
  label.SetCaption(QStringLiteral("Menus"));
  label.SetBorder(2);
  EXPECT_EQ(notified, 1);
  label.EndUpdate();
  EXPECT_EQ(notified, 2) << "an update bracket notifies once";
  label.Picture();
  EXPECT_EQ(label.RenderCount(), renders + 2);
}

TEST(AATextControls, LabelAutoSizeAlignmentAndLayout) {
  TAALabel label;
  label.SetFont(TestFont(12));
  label.SetCaption(QStringLiteral("Label"));
  label.SetBorder(3);
  const QSize ext = label.TextExtent(QStringLiteral("Label"));
  label.Picture();
  EXPECT_EQ(label.Size(), ext + QSize(6, 6)) << "auto size: extent plus the border on each side";

  label.SetAlign(alTop);  // docked to the top: the width is the dock's, only the height follows
  label.SetSize(QSize(300, 5));
  label.Picture();
  EXPECT_EQ(label.Size(), QSize(300, ext.height() + 6));
  label.SetAlign(alLeft);
  label.SetSize(QSize(7, 100));
  label.Picture();
  EXPECT_EQ(label.Size(), QSize(ext.width() + 6, 100));

  label.SetAutoSize(false);
  label.SetAlign(alNone);
  label.SetSize(QSize(200, 60));
  const struct {
    TAlignment Alignment;
    TTextLayout Layout;
    QPoint At;
  } cases[] = {
      {taLeftJustify, tlTop, {3, 3}},
      {taRightJustify, tlBottom, {200 - 3 - ext.width(), 60 - 3 - ext.height()}},
      {taCenter, tlCenter, {(200 - ext.width()) / 2, (60 - ext.height()) / 2}},
  };
  for (const auto& c : cases) {
    label.SetAlignment(c.Alignment);
    label.SetLayout(c.Layout);
    EXPECT_EQ(label.TextPosition(), c.At);
    // The ink lies inside the extent placed there.
    label.SetBackColor(clBlack);
    const QRect ink = InkBox(label.Picture(), qRgb(0, 0, 0));
    EXPECT_TRUE(QRect(c.At, ext).contains(ink)) << int(c.Alignment);
  }
}

TEST(AATextControls, OpaqueAndTransparentLooks) {
  TAALabel label;
  label.SetFont(TestFont(12, clWhite));
  label.SetCaption(QString());
  label.SetAutoSize(false);
  label.SetSize(QSize(9, 7));
  label.SetBackColor(0x00030201);
  EXPECT_EQ(label.Picture().format(), QImage::Format_RGB32);
  EXPECT_EQ(label.Picture().pixel(8, 6), qRgb(1, 2, 3));

  // A 3 × 3 background picture, centred and tiled.
  QImage pic(3, 3, QImage::Format_RGB32);
  pic.fill(qRgb(200, 0, 0));
  label.SetBackGround(EncodePicture(pic, TGraphicKind::Png));
  label.SetBackGroundMode(bmCenter);
  EXPECT_EQ(ColorBox(label.Picture(), qRgb(200, 0, 0)), QRect(3, 2, 3, 3));
  label.SetBackGroundMode(bmNormal);
  EXPECT_EQ(ColorBox(label.Picture(), qRgb(200, 0, 0)), QRect(0, 0, 3, 3));
  label.SetBackGroundMode(bmTiled);
  EXPECT_EQ(ColorBox(label.Picture(), qRgb(200, 0, 0)), QRect(0, 0, 9, 7));
  label.SetBackGroundMode(bmStretched);
  EXPECT_EQ(ColorBox(label.Picture(), qRgb(200, 0, 0)), QRect(0, 0, 9, 7));

  // Transparent: a layer clear outside the ink, and drawn straight over a canvas, clipped to the
  // control.
  label.SetTransparent(true);
  label.SetCaption(Block);
  label.SetSize(QSize(40, 40));
  const QImage& layer = label.Picture();
  EXPECT_EQ(layer.format(), QImage::Format_ARGB32_Premultiplied);
  EXPECT_EQ(qAlpha(layer.pixel(39, 39)), 0);
  QImage page = Canvas(100, 100, qRgb(0, 0, 255));
  label.SetSize(QSize(6, 6));
  label.PaintTo(page, QPoint(50, 50));
  const QRect ink = InkBox(page, qRgb(0, 0, 255));
  EXPECT_FALSE(ink.isEmpty());
  EXPECT_TRUE(QRect(50, 50, 6, 6).contains(ink));
}

TEST(AATextControls, WrapPieces) {
  const struct {
    QString Line;
    int Limit;
    QStringList Pieces;
  } cases[] = {
      {"aaa bbb ccc", 5, {"aaa ", "bbb ", "ccc"}},
      {"aaa bbb ccc", 8, {"aaa bbb ", "ccc"}},
      {"short", 9, {"short"}},
      {"abcdefgh ij", 4, {"abcdefgh ", "ij"}},  // an unbreakable run stays whole
      {"abcdefghij", 3, {"abcdefghij"}},
      {"x,y.z!w", 2, {"x,", "y.", "z!", "w"}},
      {"a b c", 1, {"a ", "b ", "c"}},  // at least 2 characters
      {"say \"a b c d e\" now", 6, {"say ", "\"a b c d e\" ", "now"}},
      {"it 'x y z' ok", 4, {"it ", "'x y z' ", "ok"}},
      {"don't stop me now", 5, {"don't ", "stop ", "me ", "now"}},  // an apostrophe is not a quote
      {"an \"open quote", 4, {"an ", "\"open ", "quote"}},          // unclosed: no passage
      {"well-known", 6, {"well-", "known"}},
      {"tab\there", 4, {"tab\t", "here"}},
  };
  for (const auto& c : cases) {
    const QStringList pieces = WrapLinePieces(c.Line, c.Limit);
    EXPECT_EQ(pieces, c.Pieces) << c.Line.toStdString() << " / " << c.Limit;
    EXPECT_EQ(pieces.join(QString()), c.Line);
  }
}

TEST(AATextControls, TextWrappingRowPitchAndBottomBorder) {
  TAAText text;
  text.SetFont(TestFont(12));
  text.SetAutoSize(false);
  text.SetBorder(2);
  text.SetWordWrap(true);
  text.SetRowPitch(0);
  text.SetSize(QSize(120, 400));
  text.SetLines({QStringLiteral("The quick brown fox jumps over the lazy dog"), QString(), QStringLiteral("End")});
  const QStringList pieces = text.WrappedLines();
  ASSERT_GT(pieces.size(), 3);
  EXPECT_EQ(pieces.mid(0, pieces.size() - 2).join(QString()),
            QStringLiteral("The quick brown fox jumps over the lazy dog"));
  EXPECT_EQ(pieces[pieces.size() - 2], QStringLiteral(" ")) << "an empty line counts as one space";
  // Each piece but unbreakable words fits the width less the border; here all words are short.
  for (int i = 0; i < pieces.size() - 2; ++i) EXPECT_LE(text.TextExtent(pieces[i].trimmed()).width(), 116) << i;

  const int h = text.TextExtent(QStringLiteral("End ")).height();
  const int pitches[] = {0, 50, -100, 150, -50, 33};
  text.SetWordWrap(false);
  text.SetLines({QStringLiteral("One"), QStringLiteral("Two"), QStringLiteral("End")});
  for (const int pitch : pitches) {
    text.SetRowPitch(pitch);
    const auto layout = text.LayoutPieces();
    ASSERT_EQ(layout.size(), 3u);
    // round((pitch / 100 + 1) × h), halves to even.
    const int step = RoundHalfEven((100 + pitch) * h, 100);
    for (int i = 0; i < 3; ++i) EXPECT_EQ(layout[i].At.y(), 2 + i * step) << "pitch " << pitch;
  }
  EXPECT_EQ(text.RowPitch(), 33);
  text.SetRowPitch(-300);
  EXPECT_EQ(text.RowPitch(), -100) << "limited to −100..150";

  // Row pitch −100 draws every line on top of the first: three lines cover what one covers.
  text.SetRowPitch(-100);
  text.SetBackColor(clBlack);
  text.SetLines({QStringLiteral("Same"), QStringLiteral("Same"), QStringLiteral("Same")});
  const QRect stacked = InkBox(text.Picture(), qRgb(0, 0, 0));
  text.SetLines({QStringLiteral("Same")});
  EXPECT_EQ(stacked, InkBox(text.Picture(), qRgb(0, 0, 0)));
  EXPECT_FALSE(stacked.isEmpty());

  // Drawing stops at the first line that would start below the height less the border.
  text.SetRowPitch(0);
  QStringList many;
  for (int i = 0; i < 20; ++i) many << QStringLiteral("Line %1").arg(i);
  text.SetLines(many);
  // Lines start at 2, 2 + h, 2 + 2h, 2 + 3h: the fourth fits when 2 + 3h <= height − 2.
  text.SetSize(QSize(120, 4 + 3 * h));
  auto shown = text.LayoutPieces();
  ASSERT_EQ(shown.size(), 4u);
  EXPECT_EQ(shown.back().Text, QStringLiteral("Line 3"));
  text.SetSize(QSize(120, 3 + 3 * h));
  EXPECT_EQ(text.LayoutPieces().size(), 3u);
}

TEST(AATextControls, TextAutoSize) {
  TAAText text;
  text.SetFont(TestFont(12));
  text.SetBorder(4);
  text.SetRowPitch(20);
  text.SetLines({QStringLiteral("Wide line here"), QStringLiteral("x")});
  const QSize a = text.TextExtent(QStringLiteral("Wide line here"));
  const int ha = text.TextExtent(QStringLiteral("Wide line here ")).height();
  const int hb = text.TextExtent(QStringLiteral("x ")).height();
  text.Picture();
  EXPECT_EQ(text.Size().width(), a.width() + 8);
  EXPECT_EQ(text.Size().height(), 8 + ha + hb + RoundHalfEven(ha * 20, 100));
}

TEST(AATextControls, ColoursResolveThroughTheSystemTable) {
  TAALabel label;
  label.SetAutoSize(false);
  label.SetSize(QSize(4, 4));
  label.SetBackColor(clBtnFace);
  EXPECT_EQ(label.Picture().pixel(0, 0), SystemColorRGB(SysColor::BtnFace));
}

TEST(AATextControls, AbsurdSizesStayBounded) {
  // A damaged font size or control size draws nothing instead of allocating without bound.
  TAALabel label;
  label.SetFont(TestFont(100000));
  label.SetCaption(QString(60, u'W'));
  label.SetQuality(aqHigh);
  label.SetAutoSize(false);
  label.SetSize(QSize(300, 100));
  label.SetBackColor(clBlack);
  EXPECT_EQ(InkBox(label.Picture(), qRgb(0, 0, 0)), QRect());
  label.SetSize(QSize(1000000, 1000000));
  EXPECT_TRUE(label.Picture().isNull());
  label.SetAutoSize(true);
  label.SetBorder(1 << 30);
  EXPECT_EQ(label.Border(), 65535);
  EXPECT_TRUE(label.Picture().isNull());
  EXPECT_EQ(label.Size().height(), label.TextExtent(label.Caption()).height() + 2 * 65535);
}
