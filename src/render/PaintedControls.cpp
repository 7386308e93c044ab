#include "render/PaintedControls.h"

#include <QFontMetrics>

#include "render/Caption.h"
#include "render/Colors.h"
#include "render/Outline.h"
#include "render/PaintedSupport.h"

namespace {

// (L, B) -> (L, T) -> (R, T) in the first colour, then (R, T) -> (R, B) -> (L, B) in the second.
void BevelRect(QPainter& p, int l, int t, int r, int b, QRgb c1, QRgb c2) {
  DrawLineExclusive(p, {l, b}, {l, t}, c1);
  DrawLineExclusive(p, {l, t}, {r, t}, c1);
  DrawLineExclusive(p, {r, t}, {r, b}, c2);
  DrawLineExclusive(p, {r, b}, {l, b}, c2);
}

// The outline of [l, r) x [t, b), one pixel wide, inside the rectangle.
void FrameRect(QPainter& p, int l, int t, int r, int b, const QColor& c) {
  if (r <= l || b <= t) return;
  p.fillRect(QRect(l, t, r - l, 1), c);
  p.fillRect(QRect(l, b - 1, r - l, 1), c);
  p.fillRect(QRect(l, t, 1, b - t), c);
  p.fillRect(QRect(r - 1, t, 1, b - t), c);
}

}  // namespace

void PaintBevel(QPainter& painter, QSize size, TBevelStyle style, TBevelShape shape, TColor highlight, TColor shadow,
                bool editing) {
  const int w = size.width(), h = size.height();
  const QRgb hi = ColorToRGB(highlight), sh = ColorToRGB(shadow);
  const QRgb c1 = style == TBevelStyle::bsRaised ? hi : sh;
  const QRgb c2 = style == TBevelStyle::bsRaised ? sh : hi;
  painter.save();
  painter.setRenderHint(QPainter::Antialiasing, false);
  painter.setCompositionMode(QPainter::CompositionMode_Source);
  switch (shape) {
    case TBevelShape::bsBox:
      BevelRect(painter, 0, 0, w - 1, h - 1, c1, c2);
      break;
    case TBevelShape::bsFrame:
      BevelRect(painter, 1, 1, w - 1, h - 1, c2, c2);
      BevelRect(painter, 0, 0, w - 2, h - 2, c1, c1);
      break;
    case TBevelShape::bsTopLine:
      DrawLineExclusive(painter, {0, 0}, {w, 0}, c1);
      DrawLineExclusive(painter, {0, 1}, {w, 1}, c2);
      break;
    case TBevelShape::bsBottomLine:
      DrawLineExclusive(painter, {0, h - 2}, {w, h - 2}, c1);
      DrawLineExclusive(painter, {0, h - 1}, {w, h - 1}, c2);
      break;
    case TBevelShape::bsLeftLine:
      DrawLineExclusive(painter, {0, 0}, {0, h}, c1);
      DrawLineExclusive(painter, {1, 0}, {1, h}, c2);
      break;
    case TBevelShape::bsRightLine:
      DrawLineExclusive(painter, {w - 2, 0}, {w - 2, h}, c1);
      DrawLineExclusive(painter, {w - 1, 0}, {w - 1, h}, c2);
      break;
    case TBevelShape::bsSpacer:
      break;
  }
  painter.restore();
  // Only the spacer, which is otherwise invisible, needs finding on the editing surface.
  if (editing && shape == TBevelShape::bsSpacer) DrawDesignOutline(painter, QRect(QPoint(0, 0), size));
}

void PaintBevel(QPainter& painter, QSize size, const TBevelPayload& bevel, bool editing) {
  PaintBevel(painter, size, bevel.Style, bevel.Shape, bevel.HighlightColor, bevel.ShadowColor, editing);
}

QImage BuildBevelImage(QSize size, const TBevelPayload& bevel, bool editing) {
  QImage image = BlankArgbImage(size);
  if (image.isNull()) return image;
  QPainter p(&image);
  PaintBevel(p, size, bevel, editing);
  return image;
}

int GroupBoxFrameTop(const TFont& font) {
  const QFontMetrics metrics(ToQFont(font));
  return metrics.height() / 2 - 1;
}

void PaintGroupBoxClassic(QPainter& painter, QSize size, const TGroupBoxPayload& box, bool threeD, bool rightToLeft) {
  const int w = size.width(), h = size.height();
  painter.save();
  painter.setRenderHint(QPainter::Antialiasing, false);
  const QColor back = ToQColor(box.Color);
  painter.fillRect(QRect(0, 0, w, h), back);
  const int top = GroupBoxFrameTop(box.Font);
  if (threeD) {
    FrameRect(painter, 1, top + 1, w, h, ToQColor(clBtnHighlight));
    FrameRect(painter, 0, top, w - 1, h - 1, ToQColor(clBtnShadow));
  } else {
    FrameRect(painter, 0, top, w, h, ToQColor(SystemColor(SysColor::WindowFrame)));
  }
  if (!box.Caption.isEmpty()) {
    const QFontMetrics metrics(ToQFont(box.Font));
    QString text = box.Caption;
    text.replace(u'\r', u' ').replace(u'\n', u' ');  // a group box caption is one line
    const int textWidth = metrics.horizontalAdvance(text);
    const int left = rightToLeft ? w - 8 - textWidth : 8;
    const QRect rect(left, 0, textWidth, metrics.height());
    painter.fillRect(rect, back);
    painter.setLayoutDirection(rightToLeft ? Qt::RightToLeft : Qt::LeftToRight);
    DrawCaptionText(painter, text, rect, false, Qt::AlignLeft | Qt::AlignTop, box.Font);
  }
  painter.restore();
}
