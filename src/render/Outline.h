// Small pixel-exact drawing helpers shared by the builders.
#pragma once

#include <QImage>
#include <QPainter>
#include <QPoint>
#include <QRgb>

// A one-pixel axis-parallel line from `a` to `b`, including a and excluding b, as pen lines are
// drawn on the platform canvas. A diagonal pair draws nothing.
void DrawLineExclusive(QPainter& painter, QPoint a, QPoint b, QRgb color);

// The editing surface's marker of a windowless object: a dotted one-pixel $808080 outline along
// the edges of `rect` (every other pixel), so that an object without a face can still be found.
void DrawDesignOutline(QPainter& painter, const QRect& rect);

// Sets one pixel when it lies inside the image.
inline void SetPixelSafe(QImage& image, int x, int y, QRgb color) {
  if (x >= 0 && y >= 0 && x < image.width() && y < image.height()) image.setPixel(x, y, color);
}
