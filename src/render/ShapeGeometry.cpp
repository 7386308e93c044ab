#include "render/ShapeGeometry.h"

#include <QStringList>
#include <algorithm>
#include <cmath>
#include <numbers>

const std::vector<std::pair<int, QString>>& ShapeFigureNames() {
  static const std::vector<std::pair<int, QString>> names = {
      {ShapeCode::None, QStringLiteral("None")},
      {ShapeCode::Rectangle, QStringLiteral("Rectangle")},
      {ShapeCode::RoundRect, QStringLiteral("RoundRect")},
      {ShapeCode::Ellipse, QStringLiteral("Ellipse")},
      {ShapeCode::Diamond, QStringLiteral("Diamond")},
      {ShapeCode::Triangle1, QStringLiteral("Triangle1")},
      {ShapeCode::Triangle2, QStringLiteral("Triangle2")},
      {ShapeCode::Triangle3, QStringLiteral("Triangle3")},
      {ShapeCode::Triangle4, QStringLiteral("Triangle4")},
      {ShapeCode::RightTriangle1, QStringLiteral("RightTriangle1")},
      {ShapeCode::RightTriangle2, QStringLiteral("RightTriangle2")},
      {ShapeCode::RightTriangle3, QStringLiteral("RightTriangle3")},
      {ShapeCode::RightTriangle4, QStringLiteral("RightTriangle4")},
      {ShapeCode::Pentagon, QStringLiteral("Pentagon")},
      {ShapeCode::Hexagon, QStringLiteral("Hexagon")},
      {ShapeCode::RightArrow, QStringLiteral("RightArrow")},
      {ShapeCode::LeftArrow, QStringLiteral("LeftArrow")},
      {ShapeCode::UpArrow, QStringLiteral("UpArrow")},
      {ShapeCode::DownArrow, QStringLiteral("DownArrow")},
      {ShapeCode::FourPointStar, QStringLiteral("FourPointStar")},
      {ShapeCode::FivePointStar, QStringLiteral("FivePointStar")},
      {ShapeCode::SixPointStar, QStringLiteral("SixPointStar")},
      {ShapeCode::LeftLightningBolt, QStringLiteral("LeftLightningBolt")},
      {ShapeCode::RightLightningBolt, QStringLiteral("RightLightningBolt")},
      {ShapeCode::HorizontalLine, QStringLiteral("HorizontalLine")},
      {ShapeCode::VerticalLine, QStringLiteral("VerticalLine")},
      {ShapeCode::LeftTopRightBottomLine, QStringLiteral("LeftTopRightBottomLine")},
      {ShapeCode::RightTopLeftBottomLine, QStringLiteral("RightTopLeftBottomLine")},
  };
  return names;
}

const std::vector<std::pair<int, QString>>& ShapeTypedOnlyFigureNames() {
  static const std::vector<std::pair<int, QString>> names = {
      {ShapeCode::Polygon12, QStringLiteral("Polygon12")},
      {ShapeCode::Polygon13, QStringLiteral("Polygon13")},
      {ShapeCode::Polygon14, QStringLiteral("Polygon14")},
      {ShapeCode::FrameLowered3D, QStringLiteral("3DFrameLowered")},
      {ShapeCode::FrameRaised3D, QStringLiteral("3DFrameRaised")},
      {ShapeCode::BorderLowered3D, QStringLiteral("3DBorderLowered")},
      {ShapeCode::BorderRaised3D, QStringLiteral("3DBorderRaised")},
      {ShapeCode::BoxLowered3D, QStringLiteral("3DBoxLowered")},
      {ShapeCode::BoxRaised3D, QStringLiteral("3DBoxRaised")},
      {ShapeCode::RoundBoxLowered3D, QStringLiteral("3DRoundBoxLowered")},
      {ShapeCode::RoundBoxRaised3D, QStringLiteral("3DRoundBoxRaised")},
  };
  return names;
}

const std::vector<std::pair<int, QString>>& ShapeFillNames() {
  static const std::vector<std::pair<int, QString>> names = {
      {ShapeFill::Solid, QStringLiteral("Solid")},    {1, QStringLiteral("GradientTopBottom")},
      {2, QStringLiteral("GradientBottomTop")},       {3, QStringLiteral("GradientLeftRight")},
      {4, QStringLiteral("GradientRightLeft")},       {5, QStringLiteral("GradientMiddleTopBottom")},
      {6, QStringLiteral("GradientTopBottomMiddle")}, {7, QStringLiteral("GradientMiddleLeftRight")},
      {8, QStringLiteral("GradientLeftRightMiddle")}, {ShapeFill::Clear, QStringLiteral("Clear")},
  };
  return names;
}

const std::vector<std::pair<int, QString>>& ShapeTypedOnlyFillNames() {
  static const std::vector<std::pair<int, QString>> names = {
      {ShapeFill::HatchHorizontal, QStringLiteral("Horizontal")},
      {ShapeFill::HatchVertical, QStringLiteral("Vertical")},
      {ShapeFill::HatchFDiagonal, QStringLiteral("FDiagonal")},
      {ShapeFill::HatchBDiagonal, QStringLiteral("BDiagonal")},
      {ShapeFill::HatchCross, QStringLiteral("Cross")},
      {ShapeFill::HatchDiagCross, QStringLiteral("DiagCross")},
  };
  return names;
}

namespace {
QString FindName(int code, const std::vector<std::pair<int, QString>>& a,
                 const std::vector<std::pair<int, QString>>& b) {
  for (const auto* table : {&a, &b})
    for (const auto& [value, name] : *table)
      if (value == code) return name;
  return {};
}
}  // namespace

QString ShapeFigureName(int code) { return FindName(code, ShapeFigureNames(), ShapeTypedOnlyFigureNames()); }
QString ShapeFillName(int code) { return FindName(code, ShapeFillNames(), ShapeTypedOnlyFillNames()); }

const QStringList& AnimInStyleNames() {
  static const QStringList names = {
      QStringLiteral("None"),        QStringLiteral("MoveFromLeft"),   QStringLiteral("MoveFromRight"),
      QStringLiteral("MoveFromTop"), QStringLiteral("MoveFromBottom"), QStringLiteral("Zoom"),
      QStringLiteral("Fade")};
  return names;
}

const QStringList& AnimOutStyleNames() {
  static const QStringList names = {QStringLiteral("None"),         QStringLiteral("MoveToLeft"),
                                    QStringLiteral("MoveToRight"),  QStringLiteral("MoveToTop"),
                                    QStringLiteral("MoveToBottom"), QStringLiteral("Zoom"),
                                    QStringLiteral("Fade")};
  return names;
}

int ClampShapeCoord(int64_t value) {
  return static_cast<int>(std::clamp<int64_t>(value, -ShapeCoordLimit, ShapeCoordLimit));
}

int Shape3DBand(int borderWidth) { return std::max(1, std::min(borderWidth, ShapeCoordLimit) / 2); }

namespace {

// A regular polygon of n corners inscribed in the ellipse of the pen-inset box, first corner at the
// top centre and going round to the left first, like the pentagon.
std::vector<QPoint> RegularPolygon(int n, int64_t left, int64_t top, int64_t right, int64_t bottom) {
  const double cx = (left + right) / 2.0, cy = (top + bottom) / 2.0;
  const double rx = (right - left) / 2.0, ry = (bottom - top) / 2.0;
  std::vector<QPoint> points;
  points.reserve(n);
  for (int k = 0; k < n; ++k) {
    if (k > n / 2) {
      // The right half mirrors the left exactly, so rounding cannot make the figure lopsided.
      const QPoint& m = points[n - k];
      points.emplace_back(ClampShapeCoord(left + right - m.x()), m.y());
      continue;
    }
    const double angle = std::numbers::pi / 2 + 2 * std::numbers::pi * k / n;
    points.emplace_back(ClampShapeCoord(std::llround(cx + rx * std::cos(angle))),
                        ClampShapeCoord(std::llround(cy - ry * std::sin(angle))));
  }
  return points;
}

}  // namespace

TShapeFigure ShapeFigure(int shape, const TShapeBox& box, int borderWidth, int round) {
  // 64-bit throughout: the inputs are clamped, the products of the fractions are not.
  const int64_t L = ClampShapeCoord(box.Left), T = ClampShapeCoord(box.Top);
  const int64_t W = ClampShapeCoord(int64_t(box.Right) - box.Left);
  const int64_t H = ClampShapeCoord(int64_t(box.Bottom) - box.Top);
  const int64_t p = ClampShapeCoord(borderWidth) / 2;
  const int64_t xr = L + W - p - 1, yb = T + H - p - 1;
  const int64_t cx = L + W / 2, cy = T + H / 2;
  const int64_t lp = L + p, tp = T + p;

  TShapeFigure figure;
  auto pt = [](int64_t x, int64_t y) { return QPoint(ClampShapeCoord(x), ClampShapeCoord(y)); };
  auto poly = [&](std::initializer_list<QPoint> points) {
    figure.Kind = TFigureKind::Polygon;
    figure.Points = points;
  };
  auto line = [&](QPoint a, QPoint b) {
    figure.Kind = TFigureKind::Line;
    figure.Points = {a, b};
  };
  // k/d of the width or height, measured from the box's left or top.
  auto fx = [&](int64_t k, int64_t d) { return L + k * W / d; };
  auto fy = [&](int64_t k, int64_t d) { return T + k * H / d; };
  // The same fraction measured back from the right or bottom edge.
  auto rx = [&](int64_t k, int64_t d) { return L + W - k * W / d; };
  auto by = [&](int64_t k, int64_t d) { return T + H - k * H / d; };

  switch (shape) {
    case ShapeCode::Rectangle: {
      // An even pen (and no pen at all) would leave the last column and row uncovered.
      const int64_t extra = (borderWidth % 2 == 0) ? 1 : 0;
      figure.Kind = TFigureKind::Rectangle;
      figure.Points = {pt(lp, tp), pt(L + W - p + extra, T + H - p + extra)};
      break;
    }
    case ShapeCode::RoundRect:
      figure.Kind = TFigureKind::RoundRect;
      figure.Points = {pt(lp, tp), pt(L + W - p, T + H - p)};
      figure.Round = std::clamp(round, 0, ShapeCoordLimit);
      break;
    case ShapeCode::Ellipse:
      figure.Kind = TFigureKind::Ellipse;
      figure.Points = {pt(lp + 1, tp + 1), pt(L + W - p - 1, T + H - p - 1)};
      break;
    case ShapeCode::Diamond:
      poly({pt(lp, cy), pt(cx, tp), pt(xr, cy), pt(cx, yb)});
      break;
    case ShapeCode::Triangle1:
      poly({pt(lp, yb), pt(cx, tp), pt(xr, yb)});
      break;
    case ShapeCode::Triangle2:
      poly({pt(xr, yb), pt(lp, cy), pt(xr, tp)});
      break;
    case ShapeCode::Triangle3:
      poly({pt(lp, tp), pt(cx, yb), pt(xr, tp)});
      break;
    case ShapeCode::Triangle4:
      poly({pt(lp, yb), pt(xr, cy), pt(lp, tp)});
      break;
    case ShapeCode::RightTriangle1:
      poly({pt(lp, yb), pt(xr, yb), pt(lp, tp)});
      break;
    case ShapeCode::RightTriangle2:
      poly({pt(lp, yb), pt(xr, yb), pt(xr, tp)});
      break;
    case ShapeCode::RightTriangle3:
      poly({pt(xr, yb), pt(xr, tp), pt(lp, tp)});
      break;
    case ShapeCode::RightTriangle4:
      poly({pt(lp, yb), pt(xr, tp), pt(lp, tp)});
      break;
    case ShapeCode::Pentagon:
      poly({pt(cx, tp), pt(lp, fy(230, 600)), pt(fx(115, 600), yb), pt(rx(115, 600), yb), pt(xr, fy(230, 600))});
      break;
    case ShapeCode::Hexagon:
      poly(
          {pt(cx, tp), pt(lp, T + H / 4), pt(lp, T + 3 * H / 4), pt(cx, yb), pt(xr, T + 3 * H / 4), pt(xr, T + H / 4)});
      break;
    case ShapeCode::RightArrow:
      poly({pt(lp, T + H / 4), pt(lp, T + 3 * H / 4), pt(cx, T + 3 * H / 4), pt(cx, yb), pt(xr, cy), pt(cx, tp),
            pt(cx, T + H / 4)});
      break;
    case ShapeCode::LeftArrow:
      poly({pt(xr, T + H / 4), pt(xr, T + 3 * H / 4), pt(cx, T + 3 * H / 4), pt(cx, yb), pt(lp, cy), pt(cx, tp),
            pt(cx, T + H / 4)});
      break;
    case ShapeCode::UpArrow:
      poly({pt(cx, tp), pt(lp, cy), pt(L + W / 4, cy), pt(L + W / 4, yb), pt(L + 3 * W / 4, yb), pt(L + 3 * W / 4, cy),
            pt(xr, cy)});
      break;
    case ShapeCode::DownArrow:
      poly({pt(cx, yb), pt(lp, cy), pt(L + W / 4, cy), pt(L + W / 4, tp), pt(L + 3 * W / 4, tp), pt(L + 3 * W / 4, cy),
            pt(xr, cy)});
      break;
    case ShapeCode::FourPointStar: {
      const int64_t a = 380 * W / 1000, b = 380 * H / 1000;
      poly({pt(cx, tp), pt(L + a, T + b), pt(lp, cy), pt(L + a, T + H - b), pt(cx, yb), pt(L + W - a, T + H - b),
            pt(xr, cy), pt(L + W - a, T + b)});
      break;
    }
    case ShapeCode::FivePointStar:
      poly({pt(cx, tp), pt(fx(190, 500), fy(190, 500)), pt(lp, fy(195, 500)), pt(fx(150, 500), fy(310, 500)),
            pt(fx(95, 500), yb), pt(cx, fy(388, 500)), pt(rx(95, 500), yb), pt(rx(150, 500), fy(310, 500)),
            pt(xr, fy(195, 500)), pt(rx(190, 500), fy(190, 500))});
      break;
    case ShapeCode::SixPointStar: {
      const int64_t a = 160 * W / 500, u = fy(125, 500), d = by(125, 500);
      poly({pt(cx, tp), pt(L + a, u), pt(lp, u), pt(fx(80, 500), cy), pt(lp, d), pt(L + a, d), pt(cx, yb),
            pt(L + W - a, d), pt(xr, d), pt(rx(80, 500), cy), pt(xr, u), pt(L + W - a, u)});
      break;
    }
    case ShapeCode::LeftLightningBolt:
      poly({pt(fx(195, 500), tp), pt(lp, fy(95, 500)), pt(fx(175, 500), fy(195, 500)), pt(fx(120, 500), fy(225, 500)),
            pt(fx(280, 500), fy(320, 500)), pt(fx(235, 500), fy(345, 500)), pt(xr, yb), pt(fx(340, 500), fy(295, 500)),
            pt(fx(380, 500), fy(275, 500)), pt(fx(260, 500), fy(160, 500)), pt(fx(295, 500), fy(140, 500))});
      break;
    case ShapeCode::RightLightningBolt:
      poly({pt(rx(195, 500), tp), pt(xr, fy(95, 500)), pt(rx(175, 500), fy(195, 500)), pt(rx(120, 500), fy(225, 500)),
            pt(rx(280, 500), fy(320, 500)), pt(rx(235, 500), fy(345, 500)), pt(lp, yb), pt(rx(340, 500), fy(295, 500)),
            pt(rx(380, 500), fy(275, 500)), pt(rx(260, 500), fy(160, 500)), pt(rx(295, 500), fy(140, 500))});
      break;
    case ShapeCode::Polygon12:
    case ShapeCode::Polygon13:
    case ShapeCode::Polygon14:
      figure.Kind = TFigureKind::Polygon;
      figure.Points = RegularPolygon(12 + (shape - ShapeCode::Polygon12), lp, tp, xr, yb);
      break;
    case ShapeCode::FrameLowered3D:
    case ShapeCode::FrameRaised3D:
    case ShapeCode::BorderLowered3D:
    case ShapeCode::BorderRaised3D:
    case ShapeCode::BoxLowered3D:
    case ShapeCode::BoxRaised3D:
    case ShapeCode::RoundBoxLowered3D:
    case ShapeCode::RoundBoxRaised3D: {
      static constexpr TFigureKind kinds[] = {TFigureKind::Frame3D, TFigureKind::Border3D, TFigureKind::Box3D,
                                              TFigureKind::RoundBox3D};
      const int index = shape - ShapeCode::FrameLowered3D;
      figure.Kind = kinds[index / 2];
      figure.Raised = index % 2 == 1;
      figure.Points = {pt(L, T), pt(L + W, T + H)};
      figure.Round = std::clamp(round, 0, ShapeCoordLimit);
      break;
    }
    case ShapeCode::HorizontalLine:
      line(pt(lp, cy), pt(L + W - p, cy));
      break;
    case ShapeCode::VerticalLine:
      line(pt(cx, tp), pt(cx, T + H - p));
      break;
    case ShapeCode::LeftTopRightBottomLine:
      line(pt(lp, tp), pt(L + W - p, T + H - p));
      break;
    case ShapeCode::RightTopLeftBottomLine:
      line(pt(L + W - p, tp), pt(lp, T + H - p));
      break;
    default:
      break;  // ShapeCode::None and codes without a figure
  }
  return figure;
}
