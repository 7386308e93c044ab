#include "render/ImageButton.h"

#include <QFontMetrics>
#include <algorithm>

#include "render/Caption.h"
#include "render/Colors.h"
#include "render/Outline.h"

TButtonState NormaliseButtonState(const TImageButtonStatus& status) {
  if (!status.Enabled) return TButtonState::Disabled;
  if (status.State == TButtonState::Disabled)
    return status.DownProperty && status.Grouped ? TButtonState::Exclusive : TButtonState::Up;
  return status.State;
}

bool IsFlatButtonStyle(TButtonStyle style) {
  return style == TButtonStyle::bsNormalFlat || style == TButtonStyle::bsThemesFlat ||
         style == TButtonStyle::bsTransparent;
}

namespace {
QColor Sys(int index) { return QColor::fromRgb(SystemColorRGB(index)); }
QColor Tint(int from, int to, int tenths) {
  return QColor::fromRgb(InterpolateColor(SystemColorRGB(from), SystemColorRGB(to), tenths, 10));
}

// A one-pixel edge: `light` on the top and left lines, `dark` on the bottom and right ones.
void Edge(QPainter& p, const QRect& r, const QColor& light, const QColor& dark) {
  if (r.width() <= 0 || r.height() <= 0) return;
  p.fillRect(QRect(r.left(), r.top(), r.width(), 1), light);
  p.fillRect(QRect(r.left(), r.top(), 1, r.height()), light);
  p.fillRect(QRect(r.left(), r.bottom(), r.width(), 1), dark);
  p.fillRect(QRect(r.right(), r.top(), 1, r.height()), dark);
}

void RoundedFace(QPainter& p, const QRect& r, const QColor& border, const QColor& fill) {
  p.save();
  p.setRenderHint(QPainter::Antialiasing, true);
  p.setPen(QPen(border, 1));
  p.setBrush(fill);
  p.drawRoundedRect(QRectF(r).adjusted(0.5, 0.5, -0.5, -0.5), 2.5, 2.5);
  p.restore();
}

void CheckedPattern(QPainter& p, const QRect& r) {
  p.fillRect(r, Sys(SysColor::BtnFace));
  p.fillRect(r, QBrush(Sys(SysColor::BtnHighlight), Qt::Dense4Pattern));
}
}  // namespace

QRect DrawButtonFace(QPainter& painter, const QRect& rect, TButtonStyle style, TButtonState state, bool hot,
                     bool designing, TColor color) {
  if (style == TButtonStyle::bsTransparent || rect.width() <= 0 || rect.height() <= 0) return rect;
  const bool pressed = state == TButtonState::Down || state == TButtonState::Exclusive;
  const bool enabled = state != TButtonState::Disabled;
  painter.save();
  QRect content = rect;
  switch (style) {
    case TButtonStyle::bsNormal:
      painter.fillRect(rect, ToQColor(color));
      if (state == TButtonState::Exclusive) CheckedPattern(painter, rect.adjusted(2, 2, -2, -2));
      if (pressed) {
        Edge(painter, rect, Sys(SysColor::DkShadow3D), Sys(SysColor::BtnHighlight));
        Edge(painter, rect.adjusted(1, 1, -1, -1), Sys(SysColor::BtnShadow), Sys(SysColor::Light3D));
      } else {
        Edge(painter, rect, Sys(SysColor::BtnHighlight), Sys(SysColor::DkShadow3D));
        Edge(painter, rect.adjusted(1, 1, -1, -1), Sys(SysColor::Light3D), Sys(SysColor::BtnShadow));
      }
      content = rect.adjusted(2, 2, -2, -2);
      break;
    case TButtonStyle::bsNormalFlat:
      // Flat buttons let the page show through; the edge appears under the pointer and when held.
      if (state == TButtonState::Exclusive && !hot) CheckedPattern(painter, rect);
      if (pressed)
        Edge(painter, rect, Sys(SysColor::BtnShadow), Sys(SysColor::BtnHighlight));
      else if ((hot && enabled) || designing)
        Edge(painter, rect, Sys(SysColor::BtnHighlight), Sys(SysColor::BtnShadow));
      content = rect.adjusted(1, 1, -1, -1);
      break;
    case TButtonStyle::bsThemes:
      if (!enabled)
        RoundedFace(painter, rect, Tint(SysColor::BtnShadow, SysColor::BtnFace, 5), Sys(SysColor::BtnFace));
      else if (pressed)
        RoundedFace(painter, rect, Tint(SysColor::Highlight, SysColor::Background, 3),
                    Tint(SysColor::Window, SysColor::Highlight, 2));
      else if (hot)
        RoundedFace(painter, rect, Sys(SysColor::Highlight), Tint(SysColor::Window, SysColor::Highlight, 1));
      else
        RoundedFace(painter, rect, Sys(SysColor::BtnShadow), Sys(SysColor::Light3D));
      if (state == TButtonState::Exclusive) CheckedPattern(painter, rect.adjusted(2, 2, -2, -2));
      content = rect.adjusted(3, 3, -3, -3);
      break;
    case TButtonStyle::bsThemesFlat:
      // A toolbar button: nothing at rest, a tinted box under the pointer, a deeper one when held.
      if (enabled && pressed)
        RoundedFace(painter, rect, Tint(SysColor::Window, SysColor::Highlight, 4),
                    Tint(SysColor::Window, SysColor::Highlight, 2));
      else if (enabled && hot)
        RoundedFace(painter, rect, Tint(SysColor::Window, SysColor::Highlight, 2),
                    Tint(SysColor::Window, SysColor::Highlight, 1));
      if (state == TButtonState::Exclusive && !hot) CheckedPattern(painter, rect.adjusted(1, 1, -1, -1));
      content = rect.adjusted(2, 2, -2, -2);
      break;
    case TButtonStyle::bsTransparent:
      break;
  }
  painter.restore();
  return content;
}

TImageButtonPlacement PlaceImageButton(TImageLayout layout, QSize client, QSize picture, QSize text, int margin,
                                       int space, bool pressedSlide) {
  const int w = client.width(), h = client.height(), m = margin, s = space;
  const int tw = text.width(), th = text.height();
  const bool has = !picture.isEmpty();
  const int pw = has ? picture.width() : 0, ph = has ? picture.height() : 0;
  TImageButtonPlacement p;
  p.Offset = pressedSlide ? 2 : 0;
  int x = 0, y = 0, px = 0, py = 0;
  switch (layout) {
    case ilLeft:
    default:
      y = (h - th) / 2;
      if (has) {
        px = m;
        py = (h - ph) / 2;
        x = px + pw + s;
        if (w - m < x + tw) x = w - m - tw;
      } else {
        x = m + s;
        if (w - m < tw + m + s) x = w - m - tw;
      }
      break;
    case ilTop:
      x = (w - tw) / 2;
      if (has) {
        px = (w - pw) / 2;
        py = m;
        y = py + ph + s;
        if (h - m < y + th) y = h - m - th;
      } else {
        y = m + s;
        if (h - m < m + s + th) y = h - m - th;
      }
      break;
    case ilRight:
      y = (h - th) / 2;
      if (has) {
        px = w - m - pw;
        py = (h - ph) / 2;
        x = std::max(px - tw - s, m);
      } else {
        x = std::max(w - m - s - tw, m);
      }
      break;
    case ilBottom:
      x = (w - tw) / 2;
      if (has) {
        px = (w - pw) / 2;
        py = h - m - ph;
        y = std::max(py - s - th, m);
      } else {
        y = std::max(h - m - s - th, m);
      }
      break;
    case ilCenter:
    case ilCenterStretch:
      x = (w - tw) / 2;
      y = (h - th) / 2 + s;
      px = (w - pw) / 2;
      py = (h - ph) / 2;
      break;
  }
  p.Text = QPoint(x, y);
  if (has) {
    p.Picture = layout == ilCenterStretch ? QRect(m, m, w - 2 * m, h - 2 * m) : QRect(px, py, pw, ph);
  }
  return p;
}

void PaintImageButton(QPainter& painter, QSize client, const TImageButtonPayload& button,
                      const TImageButtonStatus& status, const QImage& image, const QImage& imageOver, TColor color) {
  const QRect all(QPoint(0, 0), client);
  const TButtonState state = NormaliseButtonState(status);
  const bool up = state == TButtonState::Up;
  const bool pressed = state == TButtonState::Down || state == TButtonState::Exclusive;
  const bool hot = status.MouseInControl;
  DrawButtonFace(painter, all, button.ButtonStyle, state, hot, status.Designing, color);
  if (status.Designing && IsFlatButtonStyle(button.ButtonStyle)) DrawDesignOutline(painter, all);

  const QImage& picture = up && hot && !imageOver.isNull() ? imageOver : image;
  const TFont& font = status.Enabled && up && hot ? button.FontOver : button.Font;
  const QFont qfont = ToQFont(font);
  const QFontMetrics metrics(qfont, painter.device());
  const QSize text =
      button.Caption.isEmpty() ? QSize(0, 0) : QSize(metrics.horizontalAdvance(button.Caption), metrics.height());
  const TImageButtonPlacement place =
      PlaceImageButton(button.Layout, client, picture.isNull() ? QSize() : picture.size(), text, button.Margin,
                       button.Space, pressed && button.Slide);
  const int d = place.Offset;
  if (!picture.isNull() && !place.Picture.isEmpty()) {
    painter.save();
    painter.setRenderHint(QPainter::SmoothPixmapTransform, button.Layout == ilCenterStretch);
    painter.drawImage(place.Picture.translated(d, d), picture);
    painter.restore();
  }
  if (!button.Caption.isEmpty()) {
    const int m = button.Margin;
    painter.save();
    painter.setClipRect(all.adjusted(m, m, -m, -m), Qt::IntersectClip);
    painter.setFont(qfont);
    painter.setPen(ToQColor(font.Color));
    painter.setBrush(Qt::NoBrush);
    painter.drawText(QPoint(place.Text.x() + d, place.Text.y() + d + metrics.ascent()), button.Caption);
    painter.restore();
  }
}
