#include "render/PaintedImage.h"

#include "model/PayloadsStandard.h"
#include "render/Outline.h"
#include "render/PaintedSupport.h"

QRect ImageDestRect(QSize picture, QSize client, const TImagePlacement& placement) {
  const int pw = picture.width(), ph = picture.height();
  const int W = client.width(), H = client.height();
  int width = pw, height = ph;
  if (placement.Stretch || (placement.Proportional && (pw > W || ph > H))) {
    if (placement.Proportional && pw > 0 && ph > 0) {
      const double r = double(pw) / double(ph);
      if (pw > ph) {
        width = W;
        height = int(W / r);
        if (height > H) {
          height = H;
          width = int(H * r);
        }
      } else {
        height = H;
        width = int(H * r);
        if (width > W) {
          width = W;
          height = int(W / r);
        }
      }
    } else {
      width = W;
      height = H;
    }
  }
  QRect dest(0, 0, width, height);
  if (placement.Center) dest.translate((W - width) / 2, (H - height) / 2);
  return dest;
}

bool ImageCoversClient(QSize picture, QSize client, const TImagePlacement& placement, bool pictureTransparent) {
  if (pictureTransparent || picture.isEmpty()) return false;
  return ImageDestRect(picture, client, placement).contains(QRect(QPoint(0, 0), client));
}

QImage ImageForDrawing(const QImage& decoded, TGraphicKind kind, bool transparent) {
  if (decoded.isNull() || !transparent || kind != TGraphicKind::Bitmap || decoded.hasAlphaChannel()) return decoded;
  QImage out = decoded.convertToFormat(QImage::Format_ARGB32);
  const QRgb key = out.pixel(0, out.height() - 1) & 0x00FFFFFFu;
  for (int y = 0; y < out.height(); ++y) {
    auto* line = reinterpret_cast<QRgb*>(out.scanLine(y));
    for (int x = 0; x < out.width(); ++x)
      if ((line[x] & 0x00FFFFFFu) == key) line[x] = 0;
  }
  return out;
}

void PaintImageObject(QPainter& painter, QSize client, const QImage& picture, const TImagePlacement& placement,
                      bool editing) {
  if (!picture.isNull()) {
    const QRect dest = ImageDestRect(picture.size(), client, placement);
    painter.save();
    painter.setRenderHint(QPainter::SmoothPixmapTransform, dest.size() != picture.size());
    painter.drawImage(dest, picture);
    painter.restore();
  }
  if (editing) DrawDesignOutline(painter, QRect(QPoint(0, 0), client));
}

TImagePlacement ImagePlacementOf(const TImagePayload& image) {
  return {image.Stretch, TImagePayload::Proportional, image.Center};
}
