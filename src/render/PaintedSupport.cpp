#include "render/PaintedSupport.h"

QImage BlankArgbImage(QSize size) {
  if (!BuildableSize(size)) return {};
  QImage image(size, QImage::Format_ARGB32);
  if (!image.isNull()) image.fill(0);
  return image;
}

void DrawOnColourOnly(QImage& image, const std::function<void(QPainter&)>& draw) {
  if (image.isNull()) return;
  QImage colour = image.convertToFormat(QImage::Format_RGB32);
  {
    QPainter p(&colour);
    draw(p);
  }
  for (int y = 0; y < image.height(); ++y) {
    auto* out = reinterpret_cast<QRgb*>(image.scanLine(y));
    const auto* in = reinterpret_cast<const QRgb*>(colour.constScanLine(y));
    for (int x = 0; x < image.width(); ++x) out[x] = (out[x] & 0xFF000000u) | (in[x] & 0x00FFFFFFu);
  }
}

void DrawDesignOutline(QPainter& painter, QSize size) {
  const int w = size.width(), h = size.height();
  if (w <= 0 || h <= 0) return;
  // Every other pixel around the edge, walked clockwise from the top-left corner, so the pattern
  // is the same on every paint device.
  const QColor grey(0x80, 0x80, 0x80);
  int i = 0;
  auto dot = [&](int x, int y) {
    if (i++ % 2 == 0) painter.fillRect(QRect(x, y, 1, 1), grey);
  };
  for (int x = 0; x < w; ++x) dot(x, 0);
  for (int y = 1; y < h; ++y) dot(w - 1, y);
  if (h > 1)
    for (int x = w - 2; x >= 0; --x) dot(x, h - 1);
  if (w > 1)
    for (int y = h - 2; y > 0; --y) dot(0, y);
}

Qt::Alignment PaintedCaptionAlignment(TAlignment alignment, TTextLayout layout) {
  Qt::Alignment a = alignment == taRightJustify ? Qt::AlignRight
                    : alignment == taCenter     ? Qt::AlignHCenter
                                                : Qt::AlignLeft;
  a |= layout == tlBottom ? Qt::AlignBottom : layout == tlCenter ? Qt::AlignVCenter : Qt::AlignTop;
  return a;
}
