// Balloon and note pictures: palette, stamps, pointer geometry, layers, alpha and captions.
#include <gtest/gtest.h>

#include <QImage>
#include <set>

#include "model/PayloadsFading.h"
#include "render/BalloonImage.h"
#include "render/NoteImage.h"

namespace {

std::vector<int> AlphaRow(const QImage& image, int y, int x0, int count) {
  std::vector<int> v;
  for (int x = x0; x < x0 + count; ++x) v.push_back(qAlpha(image.pixel(x, y)));
  return v;
}

// Alpha of every pixel, for comparing pictures that must differ only in colour.
std::vector<int> Alphas(const QImage& image) {
  std::vector<int> v;
  for (int y = 0; y < image.height(); ++y)
    for (int x = 0; x < image.width(); ++x) v.push_back(qAlpha(image.pixel(x, y)));
  return v;
}

bool SameColours(const QImage& a, const QImage& b) {
  for (int y = 0; y < a.height(); ++y)
    for (int x = 0; x < a.width(); ++x)
      if ((a.pixel(x, y) & 0xFFFFFF) != (b.pixel(x, y) & 0xFFFFFF)) return false;
  return true;
}

constexpr QRgb Yellow = qRgb(0xFD, 0xC5, 0x02);
constexpr QRgb Black = qRgb(0, 0, 0);

}  // namespace

// ---- balloon ----

TEST(RenderBalloon, PaletteStepsFollowTheRedChannel) {
  struct Case {
    QRgb fill;
    int entry;
    QRgb expected;
  };
  const QRgb border = qRgb(1, 2, 3);
  const Case cases[] = {
      {qRgb(255, 0, 0), 0, qRgb(255, 0, 0)},
      {qRgb(255, 0, 0), 10, qRgb(235, 0, 0)},         // darker by 2 per entry
      {qRgb(255, 0, 0), 63, qRgb(129, 0, 0)},         // others stop at 0
      {qRgb(255, 0, 0), 64, qRgb(255, 0, 0)},         // no step yet
      {qRgb(255, 0, 0), 127, qRgb(255, 31, 31)},      // red 192 and up: half steps, capped at 255
      {qRgb(255, 0, 0), 126, qRgb(255, 31, 31)},      // 62 div 2
      {qRgb(192, 10, 250), 100, qRgb(210, 28, 255)},  // k = 36, half step 18
      {qRgb(191, 10, 20), 100, qRgb(227, 46, 56)},    // red 64..191: whole steps
      {qRgb(64, 0, 0), 127, qRgb(127, 63, 63)},
      {qRgb(63, 0, 0), 127, qRgb(189, 126, 126)},  // red below 64: double steps
      {qRgb(0, 200, 100), 80, qRgb(32, 232, 132)},
      {qRgb(255, 0, 0), 128, border},
      {qRgb(255, 0, 0), 143, border},
      {qRgb(255, 0, 0), 255, border},
  };
  for (const auto& c : cases) {
    const TBalloonPalette p = BalloonPalette(c.fill, border);
    EXPECT_EQ(p[static_cast<size_t>(c.entry)], c.expected) << "entry " << c.entry << " fill " << std::hex << c.fill;
  }
}

TEST(RenderBalloon, BodyAndCaptionRectanglesMakeRoomForThePointer) {
  struct Case {
    int arrow;
    QRect body;     // inclusive corners
    QRect caption;  // margin 12
  };
  const QSize size(193, 65);
  const Case cases[] = {
      {0, QRect(QPoint(0, 0), QPoint(192, 64)), QRect(12, 12, 169, 41)},
      {1, QRect(QPoint(18, 0), QPoint(192, 64)), QRect(30, 12, 151, 41)},
      {2, QRect(QPoint(18, 0), QPoint(192, 64)), QRect(30, 12, 151, 41)},
      {3, QRect(QPoint(0, 18), QPoint(192, 64)), QRect(12, 30, 169, 23)},
      {4, QRect(QPoint(0, 18), QPoint(192, 64)), QRect(12, 30, 169, 23)},
      {5, QRect(QPoint(0, 0), QPoint(174, 64)), QRect(12, 12, 151, 41)},
      {6, QRect(QPoint(0, 0), QPoint(174, 64)), QRect(12, 12, 151, 41)},
      {7, QRect(QPoint(0, 0), QPoint(192, 46)), QRect(12, 12, 169, 23)},
      {8, QRect(QPoint(0, 0), QPoint(192, 46)), QRect(12, 12, 169, 23)},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(BalloonBodyRect(size, c.arrow), c.body) << "arrow " << c.arrow;
    EXPECT_EQ(BalloonCaptionRect(size, c.arrow, 12), c.caption) << "arrow " << c.arrow;
  }
}

TEST(RenderBalloon, NoPointerLeavesTheOuterRowsAndColumnsTransparent) {
  const QImage img = BuildBalloonShape({193, 65}, 0, Yellow, Black);
  ASSERT_EQ(img.size(), QSize(193, 65));
  ASSERT_EQ(img.format(), QImage::Format_ARGB32);
  for (int x = 0; x < 193; ++x)
    for (int y : {0, 63, 64}) EXPECT_EQ(qAlpha(img.pixel(x, y)), 0) << x << "," << y;
  for (int y = 0; y < 65; ++y)
    for (int x : {0, 191, 192}) EXPECT_EQ(qAlpha(img.pixel(x, y)), 0) << x << "," << y;
  // Inside: the outline, the bevel and the fill.
  const TBalloonPalette p = BalloonPalette(Yellow, Black);
  EXPECT_EQ(img.pixel(1, 30), qRgba(0, 0, 0, 255));
  EXPECT_EQ(img.pixel(96, 1), qRgba(0, 0, 0, 255));
  EXPECT_EQ(img.pixel(96, 62), qRgba(0, 0, 0, 255));
  EXPECT_EQ(img.pixel(190, 30), qRgba(0, 0, 0, 255));
  EXPECT_EQ(img.pixel(96, 2), p[125]);
  EXPECT_EQ(img.pixel(96, 5), p[70]);
  EXPECT_EQ(img.pixel(96, 61), p[38]);
  EXPECT_EQ(img.pixel(96, 58), p[2]);
  EXPECT_EQ(img.pixel(3, 30), p[112]);
  EXPECT_EQ(img.pixel(188, 30), p[19]);
  EXPECT_EQ(img.pixel(187, 30), p[6]);
  EXPECT_EQ(img.pixel(96, 30), p[0]);
  EXPECT_EQ(p[0], Yellow);
}

TEST(RenderBalloon, CornersCarryTheRoundedAlpha) {
  const std::vector<std::vector<int>> topLeft = {
      {0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0},
      {0, 0, 0, 0, 0, 0, 0, 0, 79, 255, 255, 255},
      {0, 0, 0, 0, 0, 0, 79, 255, 255, 255, 255, 255},
      {0, 0, 0, 0, 0, 255, 255, 255, 255, 255, 255, 255},
      {0, 0, 0, 0, 255, 255, 255, 255, 255, 255, 255, 255},
      {0, 0, 0, 255, 255, 255, 255, 255, 255, 255, 255, 255},
      {0, 0, 79, 255, 255, 255, 255, 255, 255, 255, 255, 255},
      {0, 0, 255, 255, 255, 255, 255, 255, 255, 255, 255, 255},
      {0, 79, 255, 255, 255, 255, 255, 255, 255, 255, 255, 255},
      {0, 255, 255, 255, 255, 255, 255, 255, 255, 255, 255, 255},
      {0, 255, 255, 255, 255, 255, 255, 255, 255, 255, 255, 255},
      {0, 255, 255, 255, 255, 255, 255, 255, 255, 255, 255, 255},
  };
  const int w = 60, h = 50;
  const QImage img = BuildBalloonShape({w, h}, 0, Yellow, Black);
  for (int r = 0; r < 12; ++r) {
    std::vector<int> mirrored(topLeft[r].rbegin(), topLeft[r].rend());
    EXPECT_EQ(AlphaRow(img, r, 0, 12), topLeft[r]) << "top-left row " << r;
    EXPECT_EQ(AlphaRow(img, r, w - 1 - 12, 12), mirrored) << "top-right row " << r;
    // The lower corners are the upper ones turned upside down, with softer outline steps.
    std::vector<int> lower = topLeft[r], lowerMirrored = mirrored;
    for (int& a : lower) a = a == 79 ? 127 : a;
    for (int& a : lowerMirrored) a = a == 79 ? 127 : a;
    EXPECT_EQ(AlphaRow(img, h - 2 - r, 0, 12), lower) << "bottom-left row " << r;
    EXPECT_EQ(AlphaRow(img, h - 2 - r, w - 1 - 12, 12), lowerMirrored) << "bottom-right row " << r;
  }
  // Outline cells take the border colour; the softened steps mix it with the first bevel entry.
  const TBalloonPalette p = BalloonPalette(Yellow, Black);
  EXPECT_EQ(img.pixel(10, 1), qRgba(0, 0, 0, 255));
  EXPECT_EQ(img.pixel(1, 10), qRgba(0, 0, 0, 255));
  EXPECT_EQ(img.pixel(10, 2) & 0xFFFFFF, p[125] & 0xFFFFFF);
  EXPECT_EQ(img.pixel(8, 1), qRgba(qRed(p[125]) / 2, qGreen(p[125]) / 2, qBlue(p[125]) / 2, 79));
}

TEST(RenderBalloon, BottomLeftPointerBitmapShape) {
  const TBalloonStamp& s = *BalloonPointerStamp(8);
  ASSERT_EQ(s.Width, 18);
  ASSERT_EQ(s.Height, 22);
  for (int r = 0; r < 22; ++r)
    for (int c = 0; c < 18; ++c) {
      const bool opaque = r < 5 || (c >= 1 && c <= 22 - r);
      EXPECT_EQ(s.At(r, c).Alpha, opaque ? 255 : 0) << r << "," << c;
    }
  // Row 8: straight side in column 1, slanted side in column 14, shaded inwards from both.
  const std::vector<uint16_t> row8 = {143, 125, 112, 92, 0, 0, 0, 0, 3, 5, 10, 19, 38, 143};
  for (int c = 1; c <= 14; ++c) EXPECT_EQ(s.At(8, c).Shade, row8[static_cast<size_t>(c - 1)]) << "column " << c;
  EXPECT_EQ(s.At(21, 1).Shade, BalloonShade::Border);  // the tip
}

TEST(RenderBalloon, PointerBitmapsAreMirrorsAndTransposes) {
  const TBalloonStamp& bl = *BalloonPointerStamp(8);
  const TBalloonStamp& br = *BalloonPointerStamp(7);
  const TBalloonStamp& tl = *BalloonPointerStamp(3);
  const TBalloonStamp& tr = *BalloonPointerStamp(4);
  for (int r = 0; r < 22; ++r)
    for (int c = 0; c < 18; ++c) {
      EXPECT_EQ(br.At(r, c).Alpha, bl.At(r, 17 - c).Alpha);
      EXPECT_EQ(tl.At(r, c).Alpha, bl.At(21 - r, c).Alpha);
      EXPECT_EQ(tr.At(r, c).Alpha, bl.At(21 - r, 17 - c).Alpha);
    }
  const std::pair<int, const TBalloonStamp*> sides[] = {{2, &tl}, {1, &tr}, {5, &bl}, {6, &br}};
  for (auto [arrow, upright] : sides) {
    const TBalloonStamp& s = *BalloonPointerStamp(arrow);
    ASSERT_EQ(s.Width, 22);
    ASSERT_EQ(s.Height, 18);
    for (int r = 0; r < 18; ++r)
      for (int c = 0; c < 22; ++c) EXPECT_EQ(s.At(r, c), upright->At(c, r)) << "arrow " << arrow;
  }
  EXPECT_EQ(BalloonPointerStamp(0), nullptr);
  EXPECT_EQ(BalloonPointerStamp(9), nullptr);
}

TEST(RenderBalloon, PointerTipsSitAtTheEndOfTheBand) {
  struct Case {
    int arrow;
    QPoint tip;
    QPoint beside1, beside2;  // transparent neighbours of the tip
  };
  // 193 x 65: bodies per arrow as in the rectangle test; the tip is the last opaque cell.
  const Case cases[] = {
      {8, {13, 61}, {12, 61}, {14, 61}},                                     // left + 13, bottom + 15
      {7, {178, 61}, {177, 61}, {179, 61}},                                  // right - 14
      {3, {13, 2}, {12, 2}, {14, 2}},                                        // top - 16
      {4, {178, 2}, {177, 2}, {179, 2}},    {2, {2, 13}, {2, 12}, {2, 14}},  // left - 16, top + 13
      {1, {2, 50}, {2, 49}, {2, 51}},                                        // bottom - 14
      {5, {189, 13}, {189, 12}, {189, 14}},                                  // right + 15
      {6, {189, 50}, {189, 49}, {189, 51}},
  };
  for (const auto& c : cases) {
    const QImage img = BuildBalloonShape({193, 65}, c.arrow, Yellow, Black);
    EXPECT_EQ(img.pixel(c.tip), qRgba(0, 0, 0, 255)) << "arrow " << c.arrow;
    EXPECT_EQ(qAlpha(img.pixel(c.beside1)), 0) << "arrow " << c.arrow;
    EXPECT_EQ(qAlpha(img.pixel(c.beside2)), 0) << "arrow " << c.arrow;
  }
}

TEST(RenderBalloon, CaptionChangesColoursOnly) {
  TBalloonFields b;
  b.Caption = QStringLiteral("Hello balloon, a caption long enough to wrap onto a second line");
  b.Margin = 0;  // text reaches the transparent edge
  b.Font.Color = 0x0000FF;
  const QSize size(193, 65);
  const QImage shape = BuildBalloonShape(size, b.Arrow, qRgb(0xFD, 0xC5, 0x02), Black);
  const QImage full = BuildBalloonImage(b, size);
  EXPECT_EQ(Alphas(full), Alphas(shape));
  EXPECT_FALSE(SameColours(full, shape));

  b.Caption.clear();
  const QImage empty = BuildBalloonImage(b, size);
  EXPECT_EQ(empty, shape);
}

TEST(RenderBalloon, AnySizeBuildsWithoutHarm) {
  for (int arrow = -1; arrow <= 9; ++arrow)
    for (QSize size : {QSize(1, 1), QSize(5, 40), QSize(40, 5), QSize(19, 19), QSize(40, 40), QSize(41, 300)}) {
      const QImage img = BuildBalloonShape(size, arrow, Yellow, Black);
      EXPECT_EQ(img.size(), size);
    }
  TBalloonFields b;
  b.Margin = std::numeric_limits<int32_t>::max();
  EXPECT_EQ(BuildBalloonImage(b, {193, 65}).size(), QSize(193, 65));
  b.Margin = std::numeric_limits<int32_t>::min();
  EXPECT_EQ(BuildBalloonImage(b, {193, 65}).size(), QSize(193, 65));
  EXPECT_TRUE(BuildBalloonImage(b, {0, 65}).isNull());
  EXPECT_TRUE(BuildBalloonImage(b, {-3, 65}).isNull());
  EXPECT_TRUE(BuildBalloonImage(b, {100000, 100000}).isNull());
}

// ---- note ----

TEST(RenderNote, SidesOfEachGraphic) {
  struct Case {
    int graphic;
    TNoteSides sides;
  };
  const Case cases[] = {
      {0, {true, false, false, true}},    {1, {true, false, false, false}},  {2, {true, false, false, false}},
      {3, {true, true, false, false}},    {4, {false, true, false, false}},  {5, {false, true, false, false}},
      {6, {false, true, true, false}},    {7, {false, false, true, false}},  {8, {false, false, true, false}},
      {9, {false, false, true, true}},    {10, {false, false, false, true}}, {11, {false, false, false, true}},
      {12, {false, false, false, false}}, {13, {false, true, false, false}}, {14, {false, true, false, false}},
  };
  for (const auto& c : cases) EXPECT_EQ(NoteSides(c.graphic), c.sides) << "graphic " << c.graphic;
}

TEST(RenderNote, ShadeMovesTowardsWhiteOrBlack) {
  EXPECT_EQ(NoteShade(qRgb(100, 255, 0), -10), qRgb(85, 255, 0));  // -15.5 truncates to -15; 0 - 25.5 stops at 0
  EXPECT_EQ(NoteShade(qRgb(100, 255, 0), 50), qRgb(177, 255, 127));
  EXPECT_EQ(NoteShade(qRgb(100, 255, 0), 25), qRgb(138, 255, 63));
  EXPECT_EQ(NoteShade(qRgb(10, 20, 30), 0), qRgb(10, 20, 30));
}

TEST(RenderNote, FlatWithoutShadowIsOneOpaqueRoundedRectangle) {
  const QRgb n = qRgb(0x00, 0x3E, 0xFF);
  const int w = 60, h = 40;
  const QImage img = BuildNoteShape({w, h}, NoteGraphic::None, 3, n, true, false);
  std::set<QRgb> opaqueColours;
  for (int y = 0; y < h; ++y)
    for (int x = 0; x < w; ++x) {
      const QRgb px = img.pixel(x, y);
      const bool inside = x >= 5 && x < w - 5 && y >= 5 && y < h - 5;
      if (!inside) {
        EXPECT_EQ(qAlpha(px), 0) << x << "," << y;
      }
      if (qAlpha(px) == 255) opaqueColours.insert(px);
      EXPECT_TRUE(qAlpha(px) == 0 || qAlpha(px) == 255) << x << "," << y;
    }
  EXPECT_EQ(opaqueColours, std::set<QRgb>{n});
  // The edges are 5 in from every side; only the corners are rounded off.
  for (QPoint p : {QPoint(5, 20), QPoint(54, 20), QPoint(30, 5), QPoint(30, 34), QPoint(6, 6), QPoint(53, 33)})
    EXPECT_EQ(img.pixel(p), n) << p.x() << "," << p.y();
}

TEST(RenderNote, PointerOfGraphicOne) {
  const QSize size(100, 60);  // P = 30, Q = 29
  EXPECT_EQ(NotePointer(1, 0, size), QPolygon({{5, 45}, {34, 45}, {34, 16}}));
  EXPECT_EQ(NotePointer(1, 1, size), QPolygon({{7, 44}, {36, 44}, {36, 15}}));
  EXPECT_EQ(NotePointer(1, 2, size), QPolygon({{9, 43}, {38, 43}, {38, 14}}));
  EXPECT_EQ(NotePointer(1, 3, size), QPolygon({{11, 42}, {40, 42}, {40, 13}}));
  EXPECT_EQ(NotePointer(1, 0, size, {4, 4}), QPolygon({{9, 49}, {38, 49}, {38, 20}}));
  EXPECT_EQ(NoteBodyRect(size, 1, 0), QRect(QPoint(22, 5), QPoint(95, 55)));

  const QRgb n = qRgb(200, 40, 40);
  const QImage img = BuildNoteShape(size, 1, 3, n, true, false);
  struct Case {
    QPoint p;
    bool opaque;
  };
  const Case cases[] = {
      {{6, 44}, true},    // just inside the tip
      {{21, 40}, true},   // triangle, left of the body
      {{33, 17}, true},   // along the base, near its top end
      {{4, 44}, false},   // left of the tip
      {{21, 20}, false},  // above the slanted side
      {{20, 45}, false},  // below the base
      {{21, 46}, false},
  };
  for (const auto& c : cases) EXPECT_EQ(qAlpha(img.pixel(c.p)), c.opaque ? 255 : 0) << c.p.x() << "," << c.p.y();
}

TEST(RenderNote, PointerPointsOfTheCornerAndSideGraphics) {
  const QSize size(193, 193);  // P = 96, Q = 95, A = 104, R = 59
  struct Case {
    int graphic;
    QPolygon points;
  };
  const Case cases[] = {
      {0, QPolygon({{15, 178}, {59, 89}, {104, 134}})},  {2, QPolygon({{5, 15}, {100, 15}, {100, 110}})},
      {3, QPolygon({{15, 15}, {104, 59}, {59, 104}})},   {4, QPolygon({{15, 5}, {15, 100}, {110, 100}})},
      {5, QPolygon({{178, 5}, {178, 100}, {83, 100}})},  {6, QPolygon({{178, 15}, {89, 59}, {134, 104}})},
      {7, QPolygon({{188, 15}, {93, 15}, {93, 110}})},   {8, QPolygon({{188, 178}, {93, 178}, {93, 83}})},
      {9, QPolygon({{178, 178}, {134, 89}, {89, 134}})}, {10, QPolygon({{178, 188}, {178, 93}, {83, 93}})},
      {11, QPolygon({{15, 188}, {15, 93}, {110, 93}})},
  };
  for (const auto& c : cases) EXPECT_EQ(NotePointer(c.graphic, 0, size), c.points) << "graphic " << c.graphic;
  // Layer 3 moves by three layer steps.
  EXPECT_EQ(NotePointer(9, 3, size), QPolygon({{172, 172}, {128, 83}, {83, 128}}));
  EXPECT_EQ(NotePointer(4, 3, size), QPolygon({{18, 11}, {18, 106}, {113, 106}}));
  EXPECT_TRUE(NotePointer(12, 0, size).isEmpty());
  EXPECT_TRUE(NotePointer(13, 0, size).isEmpty());
}

TEST(RenderNote, LayersAndShadowAcrossTheRightEdge) {
  const QRgb n = qRgb(0, 0x3E, 0xFF);
  const int w = 60, h = 40, y = 20;
  // Shadow layers at offset 4: [9, 59), [10, 58), [11, 57), [12, 56); body [5, 55).
  const QImage shadowed = BuildNoteShape({w, h}, NoteGraphic::None, 3, n, true, true);
  EXPECT_EQ(AlphaRow(shadowed, y, 53, 7), (std::vector<int>{255, 255, 0x80, 0x60, 0x40, 0x20, 0}));
  for (int x = 55; x < 59; ++x) EXPECT_EQ(shadowed.pixel(x, y) & 0xFFFFFF, 0u) << "shadow is black at " << x;

  // Not flat: an outline darker than N, two lighter lines, then N.
  const QImage layered = BuildNoteShape({w, h}, NoteGraphic::None, 3, n, false, false);
  EXPECT_EQ(layered.pixel(5, y), NoteShade(n, -10));
  EXPECT_EQ(layered.pixel(6, y), NoteShade(n, 50));
  EXPECT_EQ(layered.pixel(7, y), NoteShade(n, 25));
  EXPECT_EQ(layered.pixel(8, y), n);
  EXPECT_EQ(layered.pixel(30, y), n);
  EXPECT_EQ(layered.pixel(54, y), NoteShade(n, -10));
}

TEST(RenderNote, CaptionKeepsTheAlpha) {
  TNoteFields note;
  note.Graphic = NoteGraphic::None;
  note.Caption = QStringLiteral("Remember the milk");
  const QSize size(120, 80);
  const QImage shape = BuildNoteShape(size, note.Graphic, note.Round, qRgb(0, 0x3E, 0xFF), note.Flat, note.Shadow);
  const QImage full = BuildNoteImage(note, size);
  EXPECT_EQ(Alphas(full), Alphas(shape));
  EXPECT_FALSE(SameColours(full, shape));
  note.Caption.clear();
  EXPECT_EQ(BuildNoteImage(note, size), shape);
}

TEST(RenderNote, DecorationsStandAboveTheBody) {
  struct Case {
    int graphic;
    const QImage* picture;
    QSize size;
  };
  const Case cases[] = {{NoteGraphic::Bind, &NoteBindPicture(), {60, 37}},
                        {NoteGraphic::Pad, &NotePadPicture(), {70, 33}}};
  for (const auto& c : cases) {
    ASSERT_EQ(c.picture->size(), c.size);
    ASSERT_TRUE(c.picture->hasAlphaChannel());
    TNoteFields note;
    note.Graphic = c.graphic;
    const int w = 193;
    const QImage img = BuildNoteImage(note, {w, 193});
    EXPECT_EQ(NoteBodyRect({w, 193}, c.graphic, 0).top(), 22);
    const int x0 = (w - c.size.width()) / 2;
    // Above the body only the decoration shows, centred.
    for (int y = 0; y < 22; ++y)
      for (int x = 0; x < w; ++x) {
        const bool onPicture = x >= x0 && x < x0 + c.size.width() && y < c.size.height();
        const int expected = onPicture ? qAlpha(c.picture->pixel(x - x0, y)) : 0;
        ASSERT_EQ(qAlpha(img.pixel(x, y)), expected) << "graphic " << c.graphic << " at " << x << "," << y;
      }
    // It does stick out: some of it is visible above the body.
    int visible = 0;
    for (int y = 0; y < 22; ++y)
      for (int x = 0; x < w; ++x) visible += qAlpha(img.pixel(x, y)) > 0;
    EXPECT_GT(visible, 50);
  }
}

TEST(RenderNote, DecorationBlendsOverTheNote) {
  QImage note(4, 1, QImage::Format_ARGB32);
  note.setPixel(0, 0, qRgba(0, 0, 255, 255));
  note.setPixel(1, 0, qRgba(0, 0, 255, 255));
  note.setPixel(2, 0, qRgba(0, 0, 0, 0));
  note.setPixel(3, 0, qRgba(0, 0, 255, 255));
  QImage deco(4, 1, QImage::Format_ARGB32);
  deco.setPixel(0, 0, qRgba(255, 0, 0, 255));
  deco.setPixel(1, 0, qRgba(255, 0, 0, 51));
  deco.setPixel(2, 0, qRgba(255, 0, 0, 51));
  deco.setPixel(3, 0, qRgba(255, 0, 0, 0));
  DrawNoteDecoration(note, deco);
  EXPECT_EQ(note.pixel(0, 0), qRgba(255, 0, 0, 255));
  EXPECT_EQ(note.pixel(1, 0), qRgba(51, 0, 204, 255));  // 20 % red over blue
  EXPECT_EQ(note.pixel(2, 0), qRgba(255, 0, 0, 51));    // over nothing: its own colour and alpha
  EXPECT_EQ(note.pixel(3, 0), qRgba(0, 0, 255, 255));
}

TEST(RenderNote, AnySizeBuildsWithoutHarm) {
  for (int graphic = -1; graphic <= 15; ++graphic)
    for (QSize size : {QSize(1, 1), QSize(10, 10), QSize(30, 200), QSize(200, 30)})
      for (int round : {-5, 0, 3, 1000000})
        EXPECT_EQ(BuildNoteShape(size, graphic, round, qRgb(1, 2, 3), false, true).size(), size);
  TNoteFields note;
  note.Caption = QStringLiteral("x");
  note.Margin = std::numeric_limits<int32_t>::min();
  EXPECT_EQ(BuildNoteImage(note, {50, 50}).size(), QSize(50, 50));
  EXPECT_TRUE(BuildNoteImage(note, {0, 0}).isNull());
  EXPECT_TRUE(BuildNoteImage(note, {70000, 70000}).isNull());
}
