#include "render/AAMask.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>

void TAAMask::Resize(int width, int height) {
  Width = std::max(width, 0);
  Height = std::max(height, 0);
  Data.assign(static_cast<size_t>(Width) * Height, 0);
}

int RoundHalfEven(double value) { return static_cast<int>(std::nearbyint(value)); }

namespace {
// Ink of a work pixel: the low byte (blue) of white-on-black drawing.
inline int Ink(const QRgb* line, int x) { return static_cast<int>(line[x] & 0xFF); }
}  // namespace

void DownsampleMask(const QImage& work, int s, TAAMask& mask) {
  if (mask.IsEmpty()) return;
  s = std::clamp(s, 1, 4);
  for (int y = 0; y < mask.Height; ++y) {
    uint8_t* out = mask.Line(y);
    const QRgb* r0 = reinterpret_cast<const QRgb*>(work.constScanLine(y * s));
    switch (s) {
      case 4: {
        const QRgb* r1 = reinterpret_cast<const QRgb*>(work.constScanLine(y * 4 + 1));
        const QRgb* r2 = reinterpret_cast<const QRgb*>(work.constScanLine(y * 4 + 2));
        const QRgb* r3 = reinterpret_cast<const QRgb*>(work.constScanLine(y * 4 + 3));
        for (int x = 0; x < mask.Width; ++x) {
          const int c = x * 4;
          int sum = 0;
          for (int i = 0; i < 4; ++i) sum += Ink(r0, c + i) + Ink(r1, c + i) + Ink(r2, c + i) + Ink(r3, c + i);
          out[x] = static_cast<uint8_t>(sum >> 4);
        }
        break;
      }
      case 3: {
        const QRgb* r1 = reinterpret_cast<const QRgb*>(work.constScanLine(y * 3 + 1));
        const QRgb* r2 = reinterpret_cast<const QRgb*>(work.constScanLine(y * 3 + 2));
        for (int x = 0; x < mask.Width; ++x) {
          const int c = x * 3;
          const int sum = Ink(r0, c) + Ink(r0, c + 1) + (Ink(r0, c + 2) >> 1) + Ink(r1, c) + Ink(r1, c + 1) +
                          Ink(r1, c + 2) + (Ink(r2, c) >> 1) + Ink(r2, c + 1) + Ink(r2, c + 2);
          out[x] = static_cast<uint8_t>(sum >> 3);
        }
        break;
      }
      case 2: {
        const QRgb* r1 = reinterpret_cast<const QRgb*>(work.constScanLine(y * 2 + 1));
        for (int x = 0; x < mask.Width; ++x) {
          const int c = x * 2;
          out[x] = static_cast<uint8_t>((Ink(r0, c) + Ink(r0, c + 1) + Ink(r1, c) + Ink(r1, c + 1)) >> 2);
        }
        break;
      }
      default:
        for (int x = 0; x < mask.Width; ++x) out[x] = static_cast<uint8_t>(Ink(r0, x));
        break;
    }
  }
}

void OutlineMask(TAAMask& mask) {
  if (mask.Height < 3 || mask.Width < 3) return;
  const TAAMask src = mask;
  for (int y = 1; y < mask.Height - 1; ++y) {
    const uint8_t* u = src.Line(y - 1);
    const uint8_t* c = src.Line(y);
    const uint8_t* d = src.Line(y + 1);
    uint8_t* out = mask.Line(y);
    for (int x = 1; x < mask.Width - 1; ++x) {
      const int g = std::abs(d[x + 1] - u[x - 1]) + std::abs(d[x] - u[x]) + std::abs(c[x + 1] - c[x - 1]) +
                    std::abs(d[x - 1] - u[x + 1]);
      out[x] = static_cast<uint8_t>(g < 1024 ? g / 4 : 255);
    }
  }
}

void SprayMask(TAAMask& mask, int n, TAARandom& random) {
  if (n <= 0 || mask.IsEmpty()) return;
  for (int y = 0; y < mask.Height; ++y) {
    for (int x = 0; x < mask.Width; ++x) {
      const int a = random(n + 1);
      const int sx = std::clamp(x + a - random(2 * a), 0, mask.Width - 1);
      const int sy = std::clamp(y + a - random(2 * a), 0, mask.Height - 1);
      mask.Pixel(x, y) = mask.Pixel(sx, sy);
    }
  }
}

void HorzMirrorMask(TAAMask& mask) {
  for (int y = 0; y < mask.Height; ++y) std::reverse(mask.Line(y), mask.Line(y) + mask.Width);
}

void VertMirrorMask(TAAMask& mask) {
  for (int y = 0; y < mask.Height / 2; ++y)
    std::swap_ranges(mask.Line(y), mask.Line(y) + mask.Width, mask.Line(mask.Height - 1 - y));
}

void BlurMask(TAAMask& mask, int strength) {
  if (strength <= 0 || mask.IsEmpty()) return;
  strength = std::min(strength, 100);
  const int k = RoundHalfEven(strength * 255 / 100.0);
  const int w = mask.Width;
  const int h = mask.Height;
  // Sums of five clamped rows per column, then five clamped columns of those: the same 5 × 5 sum
  // at a fraction of the reads.
  std::vector<int> columnSums(static_cast<size_t>(w) * h);
  for (int y = 0; y < h; ++y) {
    int* out = columnSums.data() + static_cast<size_t>(y) * w;
    for (int dy = -2; dy <= 2; ++dy) {
      const uint8_t* src = mask.Line(std::clamp(y + dy, 0, h - 1));
      for (int x = 0; x < w; ++x) out[x] += src[x];
    }
  }
  for (int y = 0; y < h; ++y) {
    const int* sums = columnSums.data() + static_cast<size_t>(y) * w;
    uint8_t* line = mask.Line(y);
    for (int x = 0; x < w; ++x) {
      int sum = 0;
      for (int dx = -2; dx <= 2; ++dx) sum += sums[std::clamp(x + dx, 0, w - 1)];
      // sum / 25 never ends in exactly .5, so adding 12 rounds it to nearest.
      const int t = (sum + 12) / 25;
      const int v = line[x];
      line[x] = static_cast<uint8_t>(k == 255 ? t : v + (((t - v) * k) >> 8));
    }
  }
}
