#include "render/AABlend.h"

#include <QPainter>
#include <algorithm>

std::vector<QRgb> GradientEntries(int length, bool centred, QRgb a, QRgb b) {
  std::vector<QRgb> entries(std::max(length, 0));
  if (length <= 0) return entries;
  const int n = centred ? (length + 1) / 2 : length;
  auto channel = [&](int shift, int i) {
    const int ca = (a >> shift) & 0xFF;
    const int cb = (b >> shift) & 0xFF;
    return ca + i * (cb - ca) / n;
  };
  for (int i = 0; i < n; ++i) entries[i] = qRgb(channel(16, i), channel(8, i), channel(0, i));
  if (centred)
    for (int i = 0; i < n; ++i) entries[length - 1 - i] = entries[i];
  return entries;
}

QImage ColorForeground(int width, int height, QRgb color) {
  QImage fg(std::max(width, 1), std::max(height, 1), QImage::Format_RGB32);
  fg.fill(color | 0xFF000000);
  return fg;
}

QImage GradientForeground(int width, int height, const std::vector<QRgb>& entries, bool horizontal) {
  QImage fg(std::max(width, 1), std::max(height, 1), QImage::Format_RGB32);
  fg.fill(0xFF000000);
  for (int y = 0; y < height; ++y) {
    QRgb* line = reinterpret_cast<QRgb*>(fg.scanLine(y));
    if (horizontal) {
      for (int x = 0; x < width && x < static_cast<int>(entries.size()); ++x) line[x] = entries[x] | 0xFF000000;
    } else if (y < static_cast<int>(entries.size())) {
      std::fill(line, line + width, entries[y] | 0xFF000000);
    }
  }
  return fg;
}

QImage TextureForeground(int width, int height, const QImage& picture, TTexturePlacement placement, QRgb color) {
  QImage fg = ColorForeground(width, height, color);
  if (picture.isNull() || picture.width() <= 0 || picture.height() <= 0) return fg;
  QPainter p(&fg);
  const int w = picture.width();
  const int h = picture.height();
  switch (placement) {
    case TTexturePlacement::Tiled:
      for (int r = 0; r <= height / h; ++r)
        for (int c = 0; c <= width / w; ++c) p.drawImage(c * w, r * h, picture);
      break;
    case TTexturePlacement::Stretched:
      p.setRenderHint(QPainter::SmoothPixmapTransform);
      p.drawImage(QRect(0, 0, width, height), picture);
      break;
    case TTexturePlacement::Center:
      p.drawImage((width - w) / 2, (height - h) / 2, picture);
      break;
    case TTexturePlacement::Normal:
      p.drawImage(0, 0, picture);
      break;
  }
  return fg;
}

void AddNoise(QImage& foreground, int noise, TAARandom& random) {
  if (noise <= 0) return;
  const int half = noise / 2;
  for (int y = 0; y < foreground.height(); ++y) {
    QRgb* line = reinterpret_cast<QRgb*>(foreground.scanLine(y));
    for (int x = 0; x < foreground.width(); ++x) {
      const QRgb v = line[x];
      const int r = std::clamp(qRed(v) + random(noise) - half, 0, 255);
      const int g = std::clamp(qGreen(v) + random(noise) - half, 0, 255);
      const int b = std::clamp(qBlue(v) + random(noise) - half, 0, 255);
      line[x] = qRgb(r, g, b);
    }
  }
}

namespace {
// One channel byte moved towards c by q/256 of the way, truncating towards zero.
inline uint32_t Move(uint32_t v, uint32_t c, int q) {
  return static_cast<uint32_t>(static_cast<int>(v) + (static_cast<int>(c) - static_cast<int>(v)) * q / 256);
}
}  // namespace

void BlendMask(QImage& canvas, int x, int y, const TAAMask& mask, const QImage* foreground, QRgb color, int alpha,
               const TAABrush& brush) {
  if (mask.IsEmpty() || canvas.isNull()) return;
  Q_ASSERT(canvas.depth() == 32);
  if (foreground &&
      (foreground->width() < mask.Width || foreground->height() < mask.Height || foreground->depth() != 32))
    foreground = nullptr;  // a mismatched foreground cannot be addressed; fall back to the plain colour
  const int x0 = std::max(x, 0);
  const int y0 = std::max(y, 0);
  const int x1 = std::min(x + mask.Width, canvas.width());
  const int y1 = std::min(y + mask.Height, canvas.height());
  if (x0 >= x1 || y0 >= y1) return;
  if (brush.Solid) {
    for (int cy = y0; cy < y1; ++cy) {
      QRgb* line = reinterpret_cast<QRgb*>(canvas.scanLine(cy));
      std::fill(line + x0, line + x1, brush.Color | 0xFF000000);
    }
  }
  const int f = std::clamp(alpha, 0, 100) * 256 / 100;
  if (f == 0) return;
  for (int cy = y0; cy < y1; ++cy) {
    QRgb* line = reinterpret_cast<QRgb*>(canvas.scanLine(cy));
    const uint8_t* m = mask.Line(cy - y);
    const QRgb* fg = foreground ? reinterpret_cast<const QRgb*>(foreground->constScanLine(cy - y)) : nullptr;
    for (int cx = x0; cx < x1; ++cx) {
      const int mx = cx - x;
      const int w = m[mx] * f;
      if (w < 256) continue;
      const QRgb c = (fg ? fg[mx] : color) | 0xFF000000;
      if (w >= 65280) {
        line[cx] = c;
        continue;
      }
      const int q = w / 256;
      const QRgb v = line[cx];
      line[cx] = (Move(v >> 24, 0xFF, q) << 24) | (Move((v >> 16) & 0xFF, (c >> 16) & 0xFF, q) << 16) |
                 (Move((v >> 8) & 0xFF, (c >> 8) & 0xFF, q) << 8) | Move(v & 0xFF, c & 0xFF, q);
    }
  }
}
