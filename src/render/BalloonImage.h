// The balloon's picture: a bevelled box with rounded corners and an optional pointer on one of eight
// positions, drawn pixel by pixel from a 256-entry shade palette and small stamp bitmaps.
#pragma once

#include <QImage>
#include <QRect>
#include <QSize>
#include <array>
#include <cstdint>
#include <vector>

struct TBalloonFields;

using TBalloonPalette = std::array<QRgb, 256>;

// Entries 0..63 darken the fill by 2 per entry, 64..127 lighten it by a step that depends on how
// red the fill is, 128..255 are the border colour. Both colours are plain RGB here.
TBalloonPalette BalloonPalette(QRgb fill, QRgb border);

// Palette entries the artwork names.
namespace BalloonShade {
constexpr uint16_t Fill = 0;      // the fill colour itself
constexpr uint16_t Border = 143;  // any entry from 128 up is the border colour
}  // namespace BalloonShade

// One stamp cell: an alpha and a colour reference. A reference below 256 is a palette entry; from
// 256 up it is a pair of entries (low byte, high byte) whose colours are averaged.
struct TBalloonCell {
  uint8_t Alpha = 0;
  uint16_t Shade = BalloonShade::Border;
  bool operator==(const TBalloonCell&) const = default;
};

struct TBalloonStamp {
  int Width = 0;
  int Height = 0;
  std::vector<TBalloonCell> Cells;  // row by row

  const TBalloonCell& At(int row, int col) const { return Cells[static_cast<size_t>(row * Width + col)]; }
};

enum class TBalloonCorner { TopLeft, TopRight, BottomRight, BottomLeft };

// The 12 x 12 corner stamps.
const TBalloonStamp& BalloonCornerStamp(TBalloonCorner corner);

// The pointer stamp of an arrow (1..8): 18 x 22 for the top and bottom pointers, 22 x 18 for the side
// ones. Null for 0 and anything unknown.
const TBalloonStamp* BalloonPointerStamp(int arrow);

// Body rectangle (inclusive corners) for an arrow: a pointer takes an 18-pixel band on its side.
QRect BalloonBodyRect(QSize size, int arrow);

// Where the pointer stamp of an arrow goes (its top-left cell); meaningless for arrow 0.
QPoint BalloonPointerOrigin(QRect body, int arrow);

// The caption's rectangle: the margin on every side and the pointer's band left free.
QRect BalloonCaptionRect(QSize size, int arrow, int margin);

// Body, bevel, alpha band, corners and pointer; no caption. Colours are plain RGB.
QImage BuildBalloonShape(QSize size, int arrow, QRgb fill, QRgb border);

// The whole picture of a balloon object of the given size, caption included. Null for an empty or
// absurdly large size.
QImage BuildBalloonImage(const TBalloonFields& balloon, QSize size);
