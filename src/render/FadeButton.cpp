#include "render/FadeButton.h"

#include "render/Caption.h"
#include "render/Colors.h"
#include "render/Outline.h"

QImage BuildFadeButtonImage(QSize size, TColor color, TColor borderColor) {
  const int w = size.width(), h = size.height();
  if (w <= 0 || h <= 0) return {};
  const QRgb face = ColorToRGB(color), border = ColorToRGB(borderColor);
  QImage image(w, h, QImage::Format_ARGB32);
  image.fill(face);
  {
    // The outline of the rectangle (1, 1)-(W - 1, H - 1): the pixels one in from every edge.
    QPainter p(&image);
    if (w >= 3 && h >= 3) {
      const QColor b = QColor::fromRgb(border);
      p.fillRect(QRect(1, 1, w - 2, 1), b);
      p.fillRect(QRect(1, h - 2, w - 2, 1), b);
      p.fillRect(QRect(1, 1, 1, h - 2), b);
      p.fillRect(QRect(w - 2, 1, 1, h - 2), b);
    }
  }
  if (w > 4 && h > 4) {
    const QRgb mid = MidColor(face, border);
    image.setPixel(2, 2, mid);
    image.setPixel(2, h - 3, mid);
    image.setPixel(w - 3, 2, mid);
    image.setPixel(w - 3, h - 3, mid);
  }

  auto setAlpha = [&](int x, int y, int a) {
    if (x < 0 || y < 0 || x >= w || y >= h) return;
    const QRgb p = image.pixel(x, y);
    image.setPixel(x, y, qRgba(qRed(p), qGreen(p), qBlue(p), a));
  };
  for (int x = 0; x < w; ++x) {
    setAlpha(x, 0, 100);
    setAlpha(x, h - 1, 100);
  }
  for (int y = 0; y < h; ++y) {
    setAlpha(0, y, 100);
    setAlpha(w - 1, y, 100);
  }
  // Rows and columns counted from the corner inwards; mirrored for the other three corners.
  static constexpr int Corner[3][3] = {{0, 45, 80}, {45, 150, 210}, {80, 210, 230}};
  for (int r = 0; r < 3; ++r)
    for (int c = 0; c < 3; ++c) {
      setAlpha(c, r, Corner[r][c]);
      setAlpha(w - 1 - c, r, Corner[r][c]);
      setAlpha(c, h - 1 - r, Corner[r][c]);
      setAlpha(w - 1 - c, h - 1 - r, Corner[r][c]);
    }
  return image;
}

TFadeButtonPlacement PlaceFadeButton(TImageLayout layout, QSize client, QSize picture, int margin, int space) {
  const int w = client.width(), h = client.height(), m = margin, s = space;
  const bool has = !picture.isEmpty();
  const int pw = has ? picture.width() : 0, ph = has ? picture.height() : 0;
  // Caption rectangles are given by their edges (right and bottom exclusive).
  auto edges = [](int l, int t, int r, int b) { return QRect(l, t, r - l, b - t); };
  TFadeButtonPlacement p;
  switch (layout) {
    case ilLeft:
    default:
      if (has) p.Picture = QRect(m, (h - ph) / 2, pw, ph);
      p.Caption = edges(has ? m + pw + s : m, m, w - m, h - m);
      p.CaptionAlignment = Qt::AlignLeft | Qt::AlignVCenter;
      break;
    case ilTop:
      if (has) p.Picture = QRect((w - pw) / 2, m, pw, ph);
      p.Caption = edges(m, has ? m + ph + s : m, w - m, h - m);
      p.CaptionAlignment = Qt::AlignHCenter | Qt::AlignTop;
      break;
    case ilRight:
      if (has) p.Picture = QRect(w - m - pw, (h - ph) / 2, pw, ph);
      p.Caption = edges(m, m, has ? w - m - pw - s : w - m, h - m);
      p.CaptionAlignment = Qt::AlignRight | Qt::AlignVCenter;
      break;
    case ilBottom:
      if (has) p.Picture = QRect((w - pw) / 2, h - m - ph, pw, ph);
      p.Caption = edges(m, m, w - m, has ? h - m - ph - s : h - m);
      p.CaptionAlignment = Qt::AlignHCenter | Qt::AlignBottom;
      break;
    case ilCenter:
      if (has) p.Picture = QRect((w - pw) / 2, (h - ph) / 2, pw, ph);
      p.Caption = edges(m, m, w - m, h - m);
      p.CaptionAlignment = Qt::AlignHCenter | Qt::AlignVCenter;
      break;
    case ilCenterStretch:
      if (has) p.Picture = edges(m, m, w - m, h - m);
      p.Caption = edges(m, m, w - m, h - m);
      p.CaptionAlignment = Qt::AlignHCenter | Qt::AlignVCenter;
      break;
  }
  return p;
}

void PaintFadeButtonContent(QPainter& painter, QSize client, TImageLayout layout, int margin, int space,
                            const QImage& picture, const QString& caption, const TFont& font) {
  const TFadeButtonPlacement place =
      PlaceFadeButton(layout, client, picture.isNull() ? QSize() : picture.size(), margin, space);
  if (!picture.isNull() && place.Picture.width() > 0 && place.Picture.height() > 0) {
    painter.save();
    painter.setRenderHint(QPainter::SmoothPixmapTransform, layout == ilCenterStretch);
    painter.drawImage(place.Picture, picture);
    painter.restore();
  }
  if (!caption.isEmpty()) DrawCaptionText(painter, caption, place.Caption, true, place.CaptionAlignment, font);
}
