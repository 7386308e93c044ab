#include "render/Outline.h"

#include <algorithm>

void DrawLineExclusive(QPainter& painter, QPoint a, QPoint b, QRgb color) {
  const QColor c = QColor::fromRgba(color);
  if (a.y() == b.y()) {
    if (a.x() == b.x()) return;
    const int from = a.x() < b.x() ? a.x() : b.x() + 1;
    const int to = a.x() < b.x() ? b.x() - 1 : a.x();
    painter.fillRect(QRect(from, a.y(), to - from + 1, 1), c);
  } else if (a.x() == b.x()) {
    const int from = a.y() < b.y() ? a.y() : b.y() + 1;
    const int to = a.y() < b.y() ? b.y() - 1 : a.y();
    painter.fillRect(QRect(a.x(), from, 1, to - from + 1), c);
  }
}

void DrawDesignOutline(QPainter& painter, const QRect& rect) {
  if (rect.width() <= 0 || rect.height() <= 0) return;
  painter.save();
  painter.setPen(QColor(0x80, 0x80, 0x80));
  painter.setRenderHint(QPainter::Antialiasing, false);
  const int l = rect.left(), t = rect.top(), r = rect.right(), b = rect.bottom();
  for (int x = l; x <= r; x += 2) {
    painter.drawPoint(x, t);
    painter.drawPoint(x, b);
  }
  for (int y = t; y <= b; y += 2) {
    painter.drawPoint(l, y);
    painter.drawPoint(r, y);
  }
  painter.restore();
}
