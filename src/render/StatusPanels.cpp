#include "render/StatusPanels.h"

#include <algorithm>

#include "render/Caption.h"
#include "render/Colors.h"

void PaintStatusPanels(QPainter& p, QSize size, const TStatusBarData& data) {
  p.fillRect(QRect(QPoint(), size), ToQColor(clBtnFace));
  const QColor shadow = ToQColor(clBtnShadow), light = ToQColor(clBtnHighlight);
  const int width = size.width();
  int x = 0;
  for (size_t i = 0; i < data.Panels.size() && x < width; ++i) {
    const TStatusPanel& panel = data.Panels[i];
    const int right = i + 1 == data.Panels.size() ? width : std::min(width, x + std::max(0, panel.Width));
    // Two pixels above and between the sections, as the platform's status bar leaves them.
    const QRect r(x, 2, right - x - 2, size.height() - 2);
    x = right;
    if (r.width() < 2 || r.height() < 2) continue;
    p.fillRect(r.left(), r.top(), r.width(), 1, shadow);
    p.fillRect(r.left(), r.top(), 1, r.height(), shadow);
    p.fillRect(r.left(), r.bottom(), r.width(), 1, light);
    p.fillRect(r.right(), r.top(), 1, r.height(), light);
    p.setPen(ToQColor(data.Font.Color));
    p.drawText(r.adjusted(3, 1, -3, -1), CaptionAlignment(panel.Alignment, tlCenter) | Qt::TextSingleLine, panel.Text);
  }
}
