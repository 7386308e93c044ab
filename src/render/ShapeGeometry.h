// Figures of the shape object: the stored figure and fill codes, their names, and the corner points
// of every figure inside its box. Pure integer geometry; drawing is ShapeBuilder's.
#pragma once

#include <QPoint>
#include <QString>
#include <QStringList>
#include <cstdint>
#include <utility>
#include <vector>

// Stored figure codes (`Shape`).
namespace ShapeCode {
enum : int {
  None = -1,
  Rectangle = 0,
  RoundRect = 1,
  Ellipse = 2,
  Diamond = 3,
  Triangle1 = 4,
  Triangle2 = 5,
  Triangle3 = 6,
  Triangle4 = 7,
  RightTriangle1 = 8,
  RightTriangle2 = 9,
  RightTriangle3 = 10,
  RightTriangle4 = 11,
  Pentagon = 12,
  Hexagon = 13,
  RightArrow = 14,
  LeftArrow = 15,
  UpArrow = 16,
  DownArrow = 17,
  FourPointStar = 18,
  FivePointStar = 19,
  SixPointStar = 20,
  LeftLightningBolt = 21,
  RightLightningBolt = 22,
  Polygon12 = 23,
  Polygon13 = 24,
  Polygon14 = 25,
  FrameLowered3D = 26,
  FrameRaised3D = 27,
  BorderLowered3D = 28,
  BorderRaised3D = 29,
  BoxLowered3D = 30,
  BoxRaised3D = 31,
  RoundBoxLowered3D = 32,
  RoundBoxRaised3D = 33,
  HorizontalLine = 34,
  VerticalLine = 35,
  LeftTopRightBottomLine = 36,
  RightTopLeftBottomLine = 37,
};
}  // namespace ShapeCode

// Stored fill codes (`Gradient`): 0 solid, 1 to 8 the gradient codes of DrawGradient, 1001 clear,
// 1002 to 1007 hatch patterns.
namespace ShapeFill {
enum : int {
  Solid = 0,
  FirstGradient = 1,
  LastGradient = 8,
  Clear = 1001,
  HatchHorizontal = 1002,
  HatchVertical = 1003,
  HatchFDiagonal = 1004,
  HatchBDiagonal = 1005,
  HatchCross = 1006,
  HatchDiagCross = 1007,
};
}  // namespace ShapeFill

// The names the property grid offers, in its order; the figures 23 to 33 are accepted when typed
// but not offered.
const std::vector<std::pair<int, QString>>& ShapeFigureNames();
const std::vector<std::pair<int, QString>>& ShapeTypedOnlyFigureNames();
const std::vector<std::pair<int, QString>>& ShapeFillNames();
// Typed-only fill names (the hatches).
const std::vector<std::pair<int, QString>>& ShapeTypedOnlyFillNames();
// Name of a figure or fill code from either table; empty for an unknown code.
QString ShapeFigureName(int code);
QString ShapeFillName(int code);

// Entrance and exit styles; the exit names read "MoveToLeft" where the entrance reads "MoveFromLeft".
namespace AnimStyle {
enum : int { None = 0, MoveLeft = 1, MoveRight = 2, MoveTop = 3, MoveBottom = 4, Zoom = 5, Fade = 6 };
}
const QStringList& AnimInStyleNames();
const QStringList& AnimOutStyleNames();

// A box with exclusive right and bottom edges, as the figure table measures it.
struct TShapeBox {
  int Left = 0;
  int Top = 0;
  int Right = 0;
  int Bottom = 0;

  int Width() const { return Right - Left; }
  int Height() const { return Bottom - Top; }
  TShapeBox Translated(int dx, int dy) const { return {Left + dx, Top + dy, Right + dx, Bottom + dy}; }
  bool operator==(const TShapeBox&) const = default;
};

// Every coordinate and width that enters the geometry is held within this range, so a damaged
// file's extreme margins or pen widths cannot overflow the integer arithmetic.
constexpr int ShapeCoordLimit = 1 << 20;
int ClampShapeCoord(int64_t value);

enum class TFigureKind : uint8_t {
  None,        // nothing is drawn
  Rectangle,   // Points: the two corners, right and bottom exclusive
  RoundRect,   // Points: the two corners; Round: corner ellipse width and height
  Ellipse,     // Points: the two corners of the bounding box
  Polygon,     // Points: the closed polygon's corners in order
  Line,        // Points: start and end of the stroke
  Frame3D,     // Points: the box corners; an etched groove (lowered) or ridge (raised) along the edge
  Border3D,    // Points: the box corners; a one-level bevel along the edge
  Box3D,       // Points: the box corners; a two-level bevel like a push button or a sunken field
  RoundBox3D,  // Points: the box corners; Round: corners; a shaded rim
};

struct TShapeFigure {
  TFigureKind Kind = TFigureKind::None;
  std::vector<QPoint> Points;
  bool Raised = false;  // 3D figures only
  int Round = 0;        // rounded figures only
};

// The figure `shape` in `box` for a pen `borderWidth` wide (p = borderWidth div 2 keeps a wide pen
// inside the box). Unknown codes give TFigureKind::None.
TShapeFigure ShapeFigure(int shape, const TShapeBox& box, int borderWidth, int round);

// Width of one band of a 3D figure's edge for a pen width: half of it, at least one pixel.
int Shape3DBand(int borderWidth);
