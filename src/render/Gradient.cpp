#include "render/Gradient.h"

#include <utility>

#include "render/Colors.h"

void DrawGradient(QPainter& painter, int style, TColor colorA, TColor colorB, const QRect& rect) {
  if (style < 1 || style > 8) return;
  int left = rect.x(), right = rect.x() + rect.width();
  int top = rect.y(), bottom = rect.y() + rect.height();
  if (left > right) std::swap(left, right);
  if (top > bottom) std::swap(top, bottom);
  const QRgb a = ColorToRGB(colorA), b = ColorToRGB(colorB);
  const int midX = (left + right) / 2, midY = (top + bottom) / 2;
  const int halfW = (right - left) / 2, halfH = (bottom - top) / 2;

  painter.save();
  painter.setCompositionMode(QPainter::CompositionMode_Source);
  // A line runs from one edge to the other, excluding the far end point.
  auto hline = [&](int y, QRgb c) { painter.fillRect(QRect(left, y, right - left, 1), QColor::fromRgb(c)); };
  auto vline = [&](int x, QRgb c) { painter.fillRect(QRect(x, top, 1, bottom - top), QColor::fromRgb(c)); };

  switch (style) {
    case GradientCode::TopBottom:
    case GradientCode::BottomTop: {
      // n counts one step more than the rows, so the last row stops just short of the far colour.
      const int n = bottom - top + 1;
      const QRgb from = style == GradientCode::TopBottom ? a : b, to = style == GradientCode::TopBottom ? b : a;
      for (int y = top; y < bottom; ++y) hline(y, InterpolateColor(from, to, y - top, n));
      break;
    }
    case GradientCode::LeftRight:
    case GradientCode::RightLeft: {
      const int n = right - left + 1;
      const QRgb from = style == GradientCode::LeftRight ? a : b, to = style == GradientCode::LeftRight ? b : a;
      for (int x = left; x < right; ++x) vline(x, InterpolateColor(from, to, x - left, n));
      break;
    }
    case GradientCode::MiddleTopBottom:
    case GradientCode::TopBottomMiddle: {
      const bool middleA = style == GradientCode::MiddleTopBottom;
      for (int y = top; y < midY; ++y)
        hline(y, middleA ? InterpolateColor(b, a, y - top, halfH) : InterpolateColor(a, b, y - top, halfH));
      for (int y = midY; y < bottom; ++y)
        hline(y, middleA ? InterpolateColor(a, b, y - midY, halfH) : InterpolateColor(b, a, y - midY, halfH));
      break;
    }
    case GradientCode::MiddleLeftRight:
      for (int x = left; x < midX; ++x) vline(x, InterpolateColor(b, a, x - left, halfW));
      for (int x = midX; x < right; ++x) vline(x, InterpolateColor(b, a, right - 1 - x, halfW));
      break;
    case GradientCode::LeftRightMiddle:
      for (int k = 0; k <= midX - left - 1; ++k) vline(midX - 1 - k, InterpolateColor(b, a, k, halfW));
      for (int x = midX; x < right; ++x) vline(x, InterpolateColor(b, a, x - midX, halfW));
      break;
  }
  painter.restore();
}
