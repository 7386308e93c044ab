#include "render/Caption.h"

#include <QFontMetricsF>
#include <QTextOption>
#include <algorithm>
#include <cmath>

#include "render/Colors.h"

int FontPixelSize(int32_t size) {
  if (size == 0) size = 8;
  // Bounded so a damaged stored size cannot ask for a gigantic glyph cache.
  if (size < 0) return std::clamp(-size, 1, 2000);
  const int64_t px = (static_cast<int64_t>(size) * 96 + 36) / 72;
  return static_cast<int>(std::clamp<int64_t>(px, 1, 2000));
}

QFont ToQFont(const TFont& font) {
  QFont f(font.Name);
  f.setPixelSize(FontPixelSize(font.Size));
  f.setBold(font.Style & fsBold);
  f.setItalic(font.Style & fsItalic);
  f.setUnderline(font.Style & fsUnderline);
  f.setStrikeOut(font.Style & fsStrikeOut);
  return f;
}

Qt::Alignment CaptionAlignment(TAlignment alignment, TTextLayout layout) {
  Qt::Alignment h = Qt::AlignHCenter;
  if (alignment == taLeftJustify)
    h = Qt::AlignLeft;
  else if (alignment == taRightJustify)
    h = Qt::AlignRight;
  Qt::Alignment v = Qt::AlignVCenter;
  if (layout == tlTop)
    v = Qt::AlignTop;
  else if (layout == tlBottom)
    v = Qt::AlignBottom;
  return h | v;
}

namespace {
QString NormaliseBreaks(const QString& text) {
  QString t = text;
  t.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
  t.replace(u'\r', u'\n');
  return t;
}

QTextOption CaptionOption(QPainter& painter, bool wordWrap, Qt::Alignment alignment) {
  QTextOption option;
  // Vertical placement is done by moving the rectangle, so the text always starts at its top.
  option.setAlignment((alignment & Qt::AlignHorizontal_Mask) | Qt::AlignTop);
  option.setWrapMode(wordWrap ? QTextOption::WordWrap : QTextOption::ManualWrap);
  option.setTabStopDistance(8 * painter.fontMetrics().averageCharWidth());
  option.setTextDirection(painter.layoutDirection());
  return option;
}

int MeasureWithFontSet(QPainter& painter, const QString& text, int width, bool wordWrap, Qt::Alignment alignment) {
  const QString t = text.isEmpty() ? QStringLiteral(" ") : NormaliseBreaks(text);
  const QRectF bounds =
      painter.boundingRect(QRectF(0, 0, std::max(width, 0), 1e6), t, CaptionOption(painter, wordWrap, alignment));
  return static_cast<int>(std::ceil(bounds.height()));
}
}  // namespace

int MeasureCaptionHeight(QPainter& painter, const QString& text, int width, bool wordWrap, Qt::Alignment alignment,
                         const TFont& font) {
  painter.save();
  painter.setFont(ToQFont(font));
  const int h = MeasureWithFontSet(painter, text, width, wordWrap, alignment);
  painter.restore();
  return h;
}

QRect DrawCaptionText(QPainter& painter, const QString& text, const QRect& rect, bool wordWrap, Qt::Alignment alignment,
                      const TFont& font) {
  painter.save();
  painter.setFont(ToQFont(font));
  painter.setBrush(Qt::NoBrush);
  painter.setPen(ToQColor(font.Color));
  QRect r = rect;
  const Qt::Alignment vertical = alignment & Qt::AlignVertical_Mask;
  if (vertical == Qt::AlignBottom || vertical == Qt::AlignVCenter) {
    const int height = MeasureWithFontSet(painter, text, r.width(), wordWrap, alignment);
    if (vertical == Qt::AlignBottom) {
      r.setTop(rect.y() + rect.height() - height);
    } else {
      const int shift = (rect.height() - height) / 2;  // truncates towards zero, as the edges move
      r.setTop(rect.top() + shift);
      r.setBottom(rect.bottom() - shift);
    }
  }
  if (!text.isEmpty() && r.width() > 0 && r.height() > 0) {
    painter.setClipRect(r, Qt::IntersectClip);
    painter.drawText(QRectF(r), NormaliseBreaks(text), CaptionOption(painter, wordWrap, alignment));
  }
  painter.restore();
  return r;
}
