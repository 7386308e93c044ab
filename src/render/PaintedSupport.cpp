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
