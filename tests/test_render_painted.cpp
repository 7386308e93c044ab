// Painted standard controls: image placement, bevel lines, the classic group box, and the multi-line
// text's typing and scrolling animation.
#include <gtest/gtest.h>

#include <QImage>
#include <QPainter>

#include "model/PayloadsStandard.h"
#include "render/Colors.h"
#include "render/PaintedControls.h"
#include "render/PaintedImage.h"
#include "render/PaintedMultiline.h"

namespace {

// One character per pixel: '.' untouched, 'H' the highlight colour, 'S' the shadow colour.
std::vector<std::string> Grid(const QImage& image, QRgb highlight, QRgb shadow) {
  std::vector<std::string> rows;
  for (int y = 0; y < image.height(); ++y) {
    std::string row;
    for (int x = 0; x < image.width(); ++x) {
      const QRgb px = image.pixel(x, y);
      row += qAlpha(px) == 0 ? '.' : px == highlight ? 'H' : px == shadow ? 'S' : '?';
    }
    rows.push_back(row);
  }
  return rows;
}

// The topmost and bottommost rows holding any painted pixel; {-1, -1} when nothing is painted.
std::pair<int, int> InkRows(const QImage& image) {
  int first = -1, last = -1;
  for (int y = 0; y < image.height(); ++y)
    for (int x = 0; x < image.width(); ++x)
      if (qAlpha(image.pixel(x, y)) != 0) {
        if (first < 0) first = y;
        last = y;
      }
  return {first, last};
}

}  // namespace

// ---- image ----

TEST(RenderPaintedImage, Placement) {
  struct Case {
    QSize picture, client;
    TImagePlacement placement;  // stretch, proportional, centre
    QRect expected;
  };
  const Case cases[] = {
      {{400, 100}, {200, 200}, {false, true, false}, QRect(0, 0, 200, 50)},
      {{400, 100}, {200, 200}, {false, true, true}, QRect(0, 75, 200, 50)},
      {{100, 400}, {200, 200}, {false, true, true}, QRect(75, 0, 50, 200)},
      {{50, 40}, {200, 200}, {false, true, false}, QRect(0, 0, 50, 40)},  // fits: own size
      {{50, 40}, {200, 200}, {false, true, true}, QRect(75, 80, 50, 40)},
      {{50, 40}, {200, 200}, {true, true, false}, QRect(0, 0, 200, 160)},  // stretched, proportions kept
      {{50, 40}, {200, 100}, {true, true, false}, QRect(0, 0, 125, 100)},  // too high at full width
      {{40, 50}, {100, 200}, {true, true, false}, QRect(0, 0, 100, 125)},  // too wide at full height
      {{50, 40}, {200, 100}, {true, false, false}, QRect(0, 0, 200, 100)},
      {{400, 100}, {200, 200}, {false, false, false}, QRect(0, 0, 400, 100)},  // larger, cut at the edges
      {{400, 100}, {200, 200}, {false, false, true}, QRect(-100, 50, 400, 100)},
      {{300, 300}, {200, 100}, {false, true, false}, QRect(0, 0, 100, 100)},  // square: height decides
      {{0, 0}, {200, 100}, {true, true, false}, QRect(0, 0, 200, 100)},       // empty: whole client
  };
  for (const auto& c : cases)
    EXPECT_EQ(ImageDestRect(c.picture, c.client, c.placement), c.expected)
        << c.picture.width() << "x" << c.picture.height() << " in " << c.client.width() << "x" << c.client.height();
}

TEST(RenderPaintedImage, OpaqueOnlyWhenCoveringEverything) {
  EXPECT_TRUE(ImageCoversClient({400, 100}, {200, 200}, {true, false, false}, false));
  EXPECT_FALSE(ImageCoversClient({400, 100}, {200, 200}, {true, false, false}, true));
  EXPECT_FALSE(ImageCoversClient({400, 100}, {200, 200}, {false, true, true}, false));
  EXPECT_TRUE(ImageCoversClient({400, 300}, {200, 200}, {false, false, true}, false));
}

TEST(RenderPaintedImage, TransparentBitmapDropsItsBottomLeftColour) {
  QImage bmp(3, 2, QImage::Format_RGB32);
  bmp.fill(qRgb(10, 20, 30));
  bmp.setPixel(1, 0, qRgb(200, 0, 0));
  const QImage shown = ImageForDrawing(bmp, TGraphicKind::Bitmap, true);
  EXPECT_EQ(qAlpha(shown.pixel(0, 0)), 0);
  EXPECT_EQ(qAlpha(shown.pixel(2, 1)), 0);
  EXPECT_EQ(shown.pixel(1, 0), qRgb(200, 0, 0));
  EXPECT_EQ(ImageForDrawing(bmp, TGraphicKind::Bitmap, false), bmp);
  EXPECT_EQ(ImageForDrawing(bmp, TGraphicKind::JPEG, true), bmp);
}

TEST(RenderPaintedImage, PaintsIntoThePlacedRectangle) {
  QImage picture(40, 10, QImage::Format_ARGB32);
  picture.fill(qRgb(255, 0, 0));
  QImage canvas(20, 20, QImage::Format_ARGB32);
  canvas.fill(0);
  {
    QPainter p(&canvas);
    PaintImageObject(p, canvas.size(), picture, {false, true, true}, false);
  }
  EXPECT_EQ(InkRows(canvas), std::make_pair(7, 11));  // 20 x 5 at (0, 7)
}

// ---- bevel ----

TEST(RenderPaintedBevel, ShapesAndStyles) {
  const QRgb hi = qRgb(255, 255, 255), sh = qRgb(128, 128, 128);
  struct Case {
    TBevelShape shape;
    TBevelStyle style;
    std::vector<std::string> grid;
  };
  const Case cases[] = {
      {TBevelShape::bsBox, TBevelStyle::bsLowered, {"SSSSH", "S...H", "S...H", "SHHHH"}},
      {TBevelShape::bsBox, TBevelStyle::bsRaised, {"HHHHS", "H...S", "H...S", "HSSSS"}},
      {TBevelShape::bsFrame, TBevelStyle::bsLowered, {"SSSS.", "SHHSH", "SSSSH", ".HHHH"}},
      {TBevelShape::bsTopLine, TBevelStyle::bsLowered, {"SSSSS", "HHHHH", ".....", "....."}},
      {TBevelShape::bsBottomLine, TBevelStyle::bsRaised, {".....", ".....", "HHHHH", "SSSSS"}},
      {TBevelShape::bsLeftLine, TBevelStyle::bsLowered, {"SH...", "SH...", "SH...", "SH..."}},
      {TBevelShape::bsRightLine, TBevelStyle::bsLowered, {"...SH", "...SH", "...SH", "...SH"}},
      {TBevelShape::bsSpacer, TBevelStyle::bsLowered, {".....", ".....", ".....", "....."}},
  };
  for (const auto& c : cases) {
    TBevelPayload bevel;
    bevel.Shape = c.shape;
    bevel.Style = c.style;
    bevel.HighlightColor = RGBToColor(hi);
    bevel.ShadowColor = RGBToColor(sh);
    EXPECT_EQ(Grid(BuildBevelImage({5, 4}, bevel), hi, sh), c.grid)
        << "shape " << int(c.shape) << " style " << int(c.style);
  }
}

TEST(RenderPaintedBevel, SystemColoursAndTheSpacerOutline) {
  TBevelPayload bevel;  // lowered box in the system button colours
  const QImage img = BuildBevelImage({6, 6}, bevel);
  EXPECT_EQ(img.pixel(0, 0), ColorToRGB(clBtnShadow));
  EXPECT_EQ(img.pixel(5, 5), ColorToRGB(clBtnHighlight));
  bevel.Shape = TBevelShape::bsSpacer;
  EXPECT_EQ(InkRows(BuildBevelImage({6, 6}, bevel, false)), std::make_pair(-1, -1));
  const QImage editing = BuildBevelImage({6, 6}, bevel, true);
  EXPECT_EQ(editing.pixel(0, 0), qRgb(0x80, 0x80, 0x80));
  // Degenerate sizes draw nothing harmful.
  bevel.Shape = TBevelShape::bsFrame;
  EXPECT_EQ(BuildBevelImage({1, 1}, bevel).size(), QSize(1, 1));
}

// ---- group box ----

TEST(RenderPaintedGroupBox, ClassicFrame) {
  TGroupBoxPayload box;
  box.Color = RGBToColor(qRgb(0x20, 0x40, 0x60));
  const int top = GroupBoxFrameTop(box.Font);
  ASSERT_GT(top, 0);
  const int w = 100, h = 60;
  QImage img(w, h, QImage::Format_ARGB32);
  img.fill(0);
  {
    QPainter p(&img);
    PaintGroupBoxClassic(p, img.size(), box);
  }
  const QRgb back = qRgb(0x20, 0x40, 0x60), hi = ColorToRGB(clBtnHighlight), sh = ColorToRGB(clBtnShadow);
  struct Case {
    QPoint p;
    QRgb colour;
  };
  const Case cases[] = {
      {{0, 0}, back},       {{50, top - 1}, back}, {{50, top}, sh},   {{50, top + 1}, hi}, {{0, 30}, sh},
      {{1, 30}, hi},        {{w - 2, 30}, sh},     {{w - 1, 30}, hi}, {{50, h - 2}, sh},   {{50, h - 1}, hi},
      {{w - 1, top}, back}, {{0, h - 1}, back},    {{50, 30}, back},
  };
  for (const auto& c : cases) EXPECT_EQ(img.pixel(c.p), c.colour) << c.p.x() << "," << c.p.y();

  img.fill(0);
  {
    QPainter p(&img);
    PaintGroupBoxClassic(p, img.size(), box, false);
  }
  const QRgb frame = ColorToRGB(SystemColor(SysColor::WindowFrame));
  EXPECT_EQ(img.pixel(50, top), frame);
  EXPECT_EQ(img.pixel(w - 1, 30), frame);
  EXPECT_EQ(img.pixel(50, h - 1), frame);
  EXPECT_EQ(img.pixel(50, top + 1), back);
}

TEST(RenderPaintedGroupBox, CaptionSitsOnTheBoxColourAtEightPixels) {
  TGroupBoxPayload box;
  box.Caption = QStringLiteral("Options");
  box.Font.Color = clBlack;
  box.Color = RGBToColor(qRgb(0x20, 0x40, 0x60));
  const int top = GroupBoxFrameTop(box.Font);
  const QRgb back = qRgb(0x20, 0x40, 0x60), sh = ColorToRGB(clBtnShadow);
  for (bool rtl : {false, true}) {
    QImage img(120, 60, QImage::Format_ARGB32);
    img.fill(0);
    {
      QPainter p(&img);
      PaintGroupBoxClassic(p, img.size(), box, true, rtl);
    }
    // The frame's top line stops where the caption begins and resumes after it.
    int covered = 0;
    for (int x = 0; x < 120; ++x) covered += img.pixel(x, top) != sh;
    EXPECT_GT(covered, 20) << rtl;
    const int edge = rtl ? 119 - 8 : 8;
    EXPECT_EQ(img.pixel(rtl ? edge + 1 : edge - 1, top), sh) << rtl;
    EXPECT_NE(img.pixel(edge, top), sh) << rtl;
    EXPECT_EQ(img.pixel(60, 40), back);
  }
}

// ---- multi-line text animation ----

namespace {
int LineHeight(const QString&) { return 10; }
}  // namespace

TEST(RenderPaintedMultiline, TypingShowsTwoMoreCharactersPerTick) {
  TMultilineAnimParams params;
  params.Step = 2;
  params.IntervalMs = 25;
  params.DelayMs = 2000;
  TMultilineAnimation anim(params);
  const QString caption = QStringLiteral("0123456789");
  EXPECT_EQ(anim.State(), TMultilineAnimation::StateWaiting);
  EXPECT_EQ(anim.IntervalMs(), 2000);
  EXPECT_EQ(anim.Frame(caption, 100, LineHeight).Text, QString());

  std::vector<int> shown;
  std::vector<int> intervals;
  for (int i = 0; i < 8; ++i) {
    anim.Tick();
    shown.push_back(int(anim.Frame(caption, 100, LineHeight).Text.size()));
    intervals.push_back(anim.IntervalMs());
  }
  // Six frames of typing, the whole text held for the delay, then again from nothing.
  EXPECT_EQ(shown, (std::vector<int>{0, 2, 4, 6, 8, 10, 0, 2}));
  EXPECT_EQ(intervals, (std::vector<int>{25, 25, 25, 25, 25, 2000, 25, 25}));
  EXPECT_TRUE(anim.TimerActive());
}

TEST(RenderPaintedMultiline, TypedTextSitsAtTheBottomOrTheTop) {
  TMultilineAnimParams params;
  params.Step = 1;
  TMultilineAnimation fromBottom(params);
  fromBottom.Tick();
  fromBottom.Tick();
  EXPECT_EQ(fromBottom.Frame(QStringLiteral("abc"), 100, LineHeight).Top, 90);
  params.FromBottom = false;
  TMultilineAnimation fromTop(params);
  fromTop.Tick();
  fromTop.Tick();
  EXPECT_EQ(fromTop.Frame(QStringLiteral("abc"), 100, LineHeight).Top, 0);
  // Taller than the control: the last line touches the bottom regardless.
  EXPECT_EQ(fromTop.Frame(QStringLiteral("abc"), 100, [](const QString&) { return 130; }).Top, -30);
}

TEST(RenderPaintedMultiline, ScrollingFromBelowAndFromTheTop) {
  TMultilineAnimParams params;
  params.Style = 1;
  params.Step = 30;
  const QString caption = QStringLiteral("scroll");
  // From below: enters at the bottom edge and waits once it has left the top.
  TMultilineAnimation up(params);
  std::vector<int> tops;
  for (int i = 0; i < 7; ++i) {
    up.Tick();
    tops.push_back(up.Frame(caption, 100, LineHeight).Top);
  }
  EXPECT_EQ(tops, (std::vector<int>{100, 70, 40, 10, -20, 100, 70}));

  // From the top: scrolls out, shows nothing for one delay, reappears at the top for another.
  params.FromBottom = false;
  TMultilineAnimation out(params);
  std::vector<int> states;
  tops.clear();
  for (int i = 0; i < 5; ++i) {
    out.Tick();
    tops.push_back(out.Frame(caption, 100, LineHeight).Top);
    states.push_back(out.State());
  }
  EXPECT_EQ(tops, (std::vector<int>{0, -30, 0, 0, -30}));
  EXPECT_EQ(states, (std::vector<int>{0, 2, 1, 0, 2}));
}

TEST(RenderPaintedMultiline, RepeatCountEndsTheAnimation) {
  struct Case {
    int style;
    bool fromBottom;
  };
  for (const Case c : {Case{0, true}, Case{1, true}, Case{1, false}}) {
    for (int repeats : {1, 2}) {
      TMultilineAnimParams params;
      params.Style = c.style;
      params.FromBottom = c.fromBottom;
      params.Step = 50;
      params.RepeatCount = repeats;
      TMultilineAnimation anim(params);
      int runs = 0, ticks = 0;
      while (anim.TimerActive() && ticks < 100) {
        const int before = anim.State();
        anim.Tick();
        if (before != TMultilineAnimation::StateRunning && anim.State() == TMultilineAnimation::StateRunning) ++runs;
        anim.Frame(QStringLiteral("abcdef"), 100, LineHeight);
        ++ticks;
      }
      EXPECT_FALSE(anim.TimerActive()) << c.style << c.fromBottom << repeats;
      EXPECT_EQ(runs, repeats) << c.style << c.fromBottom << repeats;
    }
  }
  // After its one run, typing leaves the whole text shown.
  TMultilineAnimParams params;
  params.Step = 3;
  params.RepeatCount = 1;
  TMultilineAnimation anim(params);
  for (int i = 0; i < 10; ++i) {
    anim.Tick();
    anim.Frame(QStringLiteral("abcdef"), 100, LineHeight);
  }
  EXPECT_FALSE(anim.TimerActive());
  EXPECT_EQ(anim.Frame(QStringLiteral("abcdef"), 100, LineHeight).Text, QStringLiteral("abcdef"));
}

TEST(RenderPaintedMultiline, OddParametersStaySane) {
  TMultilineAnimParams params;
  params.Step = -4;  // never shows more than nothing, never the whole text by accident
  TMultilineAnimation backwards(params);
  backwards.Tick();
  backwards.Tick();
  EXPECT_EQ(backwards.Frame(QStringLiteral("abc"), 100, LineHeight).Text, QString());

  params.Step = std::numeric_limits<int>::max();
  TMultilineAnimation huge(params);
  for (int i = 0; i < 4; ++i) huge.Tick();
  EXPECT_GT(huge.Position(), 0);

  params.Step = 1;
  params.DelayMs = 0;  // a zero interval never fires
  TMultilineAnimation still(params);
  EXPECT_FALSE(still.TimerActive());

  // A surrogate pair is never cut in half.
  params.DelayMs = 2000;
  TMultilineAnimation typing(params);
  const QString caption = QStringLiteral("a") + QString::fromUcs4(U"\U0001F600") + QStringLiteral("b");
  typing.Tick();
  typing.Tick();
  typing.Tick();
  EXPECT_EQ(typing.Frame(caption, 100, LineHeight).Text, caption.left(3));
}

TEST(RenderPaintedMultiline, PaintingFollowsTheAnimation) {
  TMultilineTextPayload text;
  text.Caption = QStringLiteral("Line");
  text.Font.Color = clBlack;
  text.AnimStep = 100;
  const QSize size(120, 120);
  auto paint = [&](TMultilineAnimation* anim, bool editing = false) {
    QImage img(size, QImage::Format_ARGB32);
    img.fill(0);
    QPainter p(&img);
    PaintMultilineText(p, size, text, anim, true, editing);
    p.end();
    return img;
  };
  // Not animated: an ordinary label at the top.
  const auto still = InkRows(paint(nullptr));
  EXPECT_GE(still.first, 0);
  EXPECT_LT(still.second, 30);
  // Typing from the bottom: all of it at once with this step, sitting on the bottom edge.
  TMultilineAnimation anim(MultilineAnimParams(text));
  anim.Tick();
  anim.Tick();
  const auto typed = InkRows(paint(&anim));
  EXPECT_GT(typed.first, 90);
  EXPECT_EQ(anim.State(), TMultilineAnimation::StateWaiting);
  // Opaque background and the design outline.
  text.Transparent = false;
  text.Color = RGBToColor(qRgb(1, 2, 3));
  const QImage filled = paint(nullptr, true);
  EXPECT_EQ(filled.pixel(60, 60), qRgb(1, 2, 3));
  EXPECT_EQ(filled.pixel(0, 0), qRgb(0x80, 0x80, 0x80));
}
