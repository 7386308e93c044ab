// Corner points of the shape figures.
#include <gtest/gtest.h>

#include <climits>

#include "render/ShapeGeometry.h"

namespace {

std::vector<QPoint> Pts(std::initializer_list<std::pair<int, int>> list) {
  std::vector<QPoint> points;
  for (auto [x, y] : list) points.emplace_back(x, y);
  return points;
}

struct TFigureCase {
  const char* Name;
  int Shape;
  TShapeBox Box;
  int BorderWidth;
  TFigureKind Kind;
  std::vector<QPoint> Points;
};

class ShapeGeometryFigure : public ::testing::TestWithParam<TFigureCase> {};

TEST_P(ShapeGeometryFigure, CornerPoints) {
  const TFigureCase& c = GetParam();
  const TShapeFigure figure = ShapeFigure(c.Shape, c.Box, c.BorderWidth, 30);
  EXPECT_EQ(figure.Kind, c.Kind);
  EXPECT_EQ(figure.Points, c.Points);
}

// A 100 × 60 box at the origin unless stated; p = BorderWidth div 2, xr = W − p − 1, yb = H − p − 1.
INSTANTIATE_TEST_SUITE_P(
    Table, ShapeGeometryFigure,
    ::testing::Values(
        // 230 × 60 / 600 = 23 and 115 × 100 / 600 = 19: side corners at y 23, bottom corners at x 19 and 81.
        TFigureCase{"PentagonPen4",
                    12,
                    {0, 0, 100, 60},
                    4,
                    TFigureKind::Polygon,
                    Pts({{50, 2}, {2, 23}, {19, 57}, {81, 57}, {97, 23}})},
        TFigureCase{"PentagonNoPen",
                    12,
                    {0, 0, 100, 60},
                    0,
                    TFigureKind::Polygon,
                    Pts({{50, 0}, {0, 23}, {19, 59}, {81, 59}, {99, 23}})},
        // An even pen width, including none, extends the right and bottom corner by one.
        TFigureCase{"RectangleNoPen", 0, {0, 0, 100, 60}, 0, TFigureKind::Rectangle, Pts({{0, 0}, {101, 61}})},
        TFigureCase{"RectanglePen1", 0, {0, 0, 100, 60}, 1, TFigureKind::Rectangle, Pts({{0, 0}, {100, 60}})},
        TFigureCase{"RectanglePen4", 0, {0, 0, 100, 60}, 4, TFigureKind::Rectangle, Pts({{2, 2}, {99, 59}})},
        TFigureCase{"RectanglePen5", 0, {0, 0, 100, 60}, 5, TFigureKind::Rectangle, Pts({{2, 2}, {98, 58}})},
        TFigureCase{"RoundRect", 1, {10, 20, 110, 80}, 4, TFigureKind::RoundRect, Pts({{12, 22}, {108, 78}})},
        TFigureCase{"Ellipse", 2, {10, 20, 110, 80}, 4, TFigureKind::Ellipse, Pts({{13, 23}, {107, 77}})},
        // Moved boxes: every coordinate is measured from the box's left and top.
        TFigureCase{
            "Diamond", 3, {10, 20, 110, 80}, 2, TFigureKind::Polygon, Pts({{11, 50}, {60, 21}, {108, 50}, {60, 78}})},
        TFigureCase{"Triangle2", 5, {0, 0, 100, 60}, 2, TFigureKind::Polygon, Pts({{98, 58}, {1, 30}, {98, 1}})},
        TFigureCase{"RightTriangle4", 11, {0, 0, 100, 60}, 2, TFigureKind::Polygon, Pts({{1, 58}, {98, 1}, {1, 1}})},
        TFigureCase{"Hexagon",
                    13,
                    {0, 0, 100, 60},
                    0,
                    TFigureKind::Polygon,
                    Pts({{50, 0}, {0, 15}, {0, 45}, {50, 59}, {99, 45}, {99, 15}})},
        TFigureCase{"RightArrow",
                    14,
                    {0, 0, 100, 60},
                    0,
                    TFigureKind::Polygon,
                    Pts({{0, 15}, {0, 45}, {50, 45}, {50, 59}, {99, 30}, {50, 0}, {50, 15}})},
        TFigureCase{"DownArrow",
                    17,
                    {0, 0, 100, 60},
                    0,
                    TFigureKind::Polygon,
                    Pts({{50, 59}, {0, 30}, {25, 30}, {25, 0}, {75, 0}, {75, 30}, {99, 30}})},
        // a = 380 × 100 / 1000 = 38, b = 380 × 60 / 1000 = 22.
        TFigureCase{"FourPointStar",
                    18,
                    {0, 0, 100, 60},
                    0,
                    TFigureKind::Polygon,
                    Pts({{50, 0}, {38, 22}, {0, 30}, {38, 38}, {50, 59}, {62, 38}, {99, 30}, {62, 22}})},
        TFigureCase{"FivePointStar",
                    19,
                    {0, 0, 500, 500},
                    0,
                    TFigureKind::Polygon,
                    Pts({{250, 0},
                         {190, 190},
                         {0, 195},
                         {150, 310},
                         {95, 499},
                         {250, 388},
                         {405, 499},
                         {350, 310},
                         {499, 195},
                         {310, 190}})},
        TFigureCase{"SixPointStar",
                    20,
                    {0, 0, 500, 500},
                    0,
                    TFigureKind::Polygon,
                    Pts({{250, 0},
                         {160, 125},
                         {0, 125},
                         {80, 250},
                         {0, 375},
                         {160, 375},
                         {250, 499},
                         {340, 375},
                         {499, 375},
                         {420, 250},
                         {499, 125},
                         {340, 125}})},
        TFigureCase{"LeftLightningBolt",
                    21,
                    {0, 0, 500, 500},
                    0,
                    TFigureKind::Polygon,
                    Pts({{195, 0},
                         {0, 95},
                         {175, 195},
                         {120, 225},
                         {280, 320},
                         {235, 345},
                         {499, 499},
                         {340, 295},
                         {380, 275},
                         {260, 160},
                         {295, 140}})},
        // The mirror: x = k × W / 500 becomes W − k × W / 500, the left edge the right one and back.
        TFigureCase{"RightLightningBolt",
                    22,
                    {0, 0, 500, 500},
                    0,
                    TFigureKind::Polygon,
                    Pts({{305, 0},
                         {499, 95},
                         {325, 195},
                         {380, 225},
                         {220, 320},
                         {265, 345},
                         {0, 499},
                         {160, 295},
                         {120, 275},
                         {240, 160},
                         {205, 140}})},
        TFigureCase{"HorizontalLine", 34, {0, 0, 100, 60}, 4, TFigureKind::Line, Pts({{2, 30}, {98, 30}})},
        TFigureCase{"VerticalLine", 35, {0, 0, 100, 60}, 4, TFigureKind::Line, Pts({{50, 2}, {50, 58}})},
        TFigureCase{"LeftTopRightBottomLine", 36, {0, 0, 100, 60}, 4, TFigureKind::Line, Pts({{2, 2}, {98, 58}})},
        TFigureCase{"RightTopLeftBottomLine", 37, {0, 0, 100, 60}, 4, TFigureKind::Line, Pts({{98, 2}, {2, 58}})},
        TFigureCase{"BoxRaised3D", 31, {5, 6, 50, 40}, 4, TFigureKind::Box3D, Pts({{5, 6}, {50, 40}})},
        TFigureCase{"None", -1, {0, 0, 100, 60}, 4, TFigureKind::None, {}},
        TFigureCase{"UnknownHigh", 38, {0, 0, 100, 60}, 4, TFigureKind::None, {}},
        TFigureCase{"UnknownLow", -2, {0, 0, 100, 60}, 4, TFigureKind::None, {}}),
    [](const auto& info) { return std::string(info.param.Name); });

TEST(ShapeGeometry, RegularPolygonsStartAtTopAndAreSymmetric) {
  for (int shape : {23, 24, 25}) {
    const int n = 12 + shape - 23;
    const TShapeFigure f = ShapeFigure(shape, {0, 0, 201, 121}, 0, 0);
    ASSERT_EQ(f.Kind, TFigureKind::Polygon);
    ASSERT_EQ(static_cast<int>(f.Points.size()), n);
    EXPECT_EQ(f.Points[0], QPoint(100, 0)) << n;
    for (int k = 1; k < n; ++k) {
      const QPoint a = f.Points[k], b = f.Points[n - k];
      EXPECT_EQ(a.y(), b.y()) << n << " " << k;
      EXPECT_EQ(a.x() + b.x(), 200) << n << " " << k;
      EXPECT_TRUE(a.x() >= 0 && a.x() <= 200 && a.y() >= 0 && a.y() <= 120) << n << " " << k;
    }
    // Even counts have a corner straight below the first.
    if (n % 2 == 0) {
      EXPECT_EQ(f.Points[n / 2], QPoint(100, 120));
    }
  }
}

TEST(ShapeGeometry, ThreeDFiguresUseTheWholeBox) {
  for (int shape = 26; shape <= 33; ++shape) {
    const TShapeFigure f = ShapeFigure(shape, {3, 4, 60, 50}, 6, 20);
    EXPECT_EQ(f.Points, Pts({{3, 4}, {60, 50}})) << shape;
    EXPECT_EQ(f.Raised, shape % 2 == 1) << shape;
  }
  EXPECT_EQ(ShapeFigure(26, {}, 0, 0).Kind, TFigureKind::Frame3D);
  EXPECT_EQ(ShapeFigure(29, {}, 0, 0).Kind, TFigureKind::Border3D);
  EXPECT_EQ(ShapeFigure(30, {}, 0, 0).Kind, TFigureKind::Box3D);
  EXPECT_EQ(ShapeFigure(33, {}, 0, 0).Kind, TFigureKind::RoundBox3D);
  EXPECT_EQ(Shape3DBand(0), 1);
  EXPECT_EQ(Shape3DBand(5), 2);
  EXPECT_EQ(Shape3DBand(INT_MAX), ShapeCoordLimit / 2);
}

// Damaged files can hold any 32-bit value; the arithmetic must stay defined (the sanitizer build
// checks) and the points inside the coordinate range.
TEST(ShapeGeometry, ExtremeValuesStayInRange) {
  for (int shape = -1; shape <= 37; ++shape)
    for (int width : {INT_MIN, -7, 0, 3, INT_MAX})
      for (const TShapeBox& box : {TShapeBox{INT_MIN, INT_MIN, INT_MAX, INT_MAX}, TShapeBox{INT_MAX, 0, INT_MIN, 5}}) {
        const TShapeFigure f = ShapeFigure(shape, box, width, INT_MIN);
        for (const QPoint& point : f.Points) {
          EXPECT_LE(std::abs(point.x()), ShapeCoordLimit);
          EXPECT_LE(std::abs(point.y()), ShapeCoordLimit);
        }
        EXPECT_GE(f.Round, 0);
      }
}

TEST(ShapeGeometry, NamesOfEveryCode) {
  EXPECT_EQ(ShapeFigureNames().size(), 28u);  // −1 to 22 and 34 to 37
  EXPECT_EQ(ShapeFigureName(-1), "None");
  EXPECT_EQ(ShapeFigureName(22), "RightLightningBolt");
  EXPECT_EQ(ShapeFigureName(34), "HorizontalLine");
  EXPECT_EQ(ShapeFigureName(26), "3DFrameLowered");
  EXPECT_EQ(ShapeFigureName(33), "3DRoundBoxRaised");
  EXPECT_EQ(ShapeFigureName(38), "");
  EXPECT_EQ(ShapeFillName(6), "GradientTopBottomMiddle");
  EXPECT_EQ(ShapeFillName(7), "GradientMiddleLeftRight");
  EXPECT_EQ(ShapeFillName(1001), "Clear");
  EXPECT_EQ(ShapeFillName(1007), "DiagCross");
  EXPECT_EQ(AnimInStyleNames().at(1), "MoveFromLeft");
  EXPECT_EQ(AnimOutStyleNames().at(4), "MoveToBottom");
}

}  // namespace
