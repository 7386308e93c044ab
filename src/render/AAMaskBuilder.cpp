#include "render/AAMaskBuilder.h"

#include <QPainter>
#include <QTransform>
#include <algorithm>
#include <cmath>
#include <cstdlib>

#include "render/Caption.h"

namespace {
// A rotated box's corners land on fractions; anything this close to a whole pixel counts as it, so a
// right angle does not grow the box by a pixel of rounding dust.
int CeilPixels(double v) { return static_cast<int>(std::ceil(v - 1e-6)); }
constexpr int MaxWorkSide = 32768;
constexpr int64_t MaxWorkPixels = 64 << 20;  // 256 MB of work picture
}  // namespace

QFont MakeAAFont(const TFont& font, int scale) {
  QFont f = ToQFont(font);
  f.setPixelSize(f.pixelSize() * std::clamp(scale, 1, 4));
  f.setKerning(false);
  f.setStyleStrategy(QFont::NoAntialias);
  return f;
}

void TAAMaskBuilder::SetFont(const TFont& font, int scale, int angle) {
  FScale = std::clamp(scale, 1, 4);
  FAngle = angle;
  // Size 0 is where a shrinking animation ends: nothing, rather than a default-sized font.
  FEmptyFont = font.Size == 0;
  FScaled = MakeAAFont(font, FScale);
  FMetrics.emplace(FScaled);
}

TAAMaskBuilder::TLayout TAAMaskBuilder::Layout(const QString& text) const {
  TLayout layout;
  if (!FMetrics || FEmptyFont) return layout;
  const int s = FScale;
  int w = (FMetrics->horizontalAdvance(text) + s - 1) / s;
  const int h = (FMetrics->height() + s - 1) / s;
  if (FScaled.italic() && !text.isEmpty()) w += RoundHalfEven(static_cast<double>(w) / text.size() * 0.3);
  if (FAngle % 360 == 0) {
    layout.Size = QSize(w, h);
    return layout;
  }
  // Escapement turns the text counter-clockwise about its top-left corner; the mask is the
  // bounding box of the turned cell and the corner moves to keep it inside.
  QTransform turn;
  turn.rotate(-FAngle);
  const QRectF box = turn.mapRect(QRectF(0, 0, double(w) * s, double(h) * s));
  layout.Start = -box.topLeft();
  layout.Size = QSize(CeilPixels(box.width() / s), CeilPixels(box.height() / s));
  return layout;
}

QSize TAAMaskBuilder::MaskSize(const QString& text) const { return Layout(text).Size; }

void TAAMaskBuilder::DrawMask(const QString& text, TAAMask& mask) {
  const TLayout layout = Layout(text);
  const int s = FScale;
  const int ww = layout.Size.width() * s;
  const int wh = layout.Size.height() * s;
  mask.Resize(0, 0);
  if (text.isEmpty() || ww <= 0 || wh <= 0) return;
  if (ww > MaxWorkSide || wh > MaxWorkSide || int64_t(ww) * wh > MaxWorkPixels) return;  // absurd sizes draw nothing
  if (FWork.width() < ww || FWork.height() < wh)
    FWork = QImage(std::max(FWork.width(), ww), std::max(FWork.height(), wh), QImage::Format_RGB32);
  {
    QPainter p(&FWork);
    p.setCompositionMode(QPainter::CompositionMode_Source);
    p.fillRect(0, 0, ww, wh, Qt::black);
    p.setCompositionMode(QPainter::CompositionMode_SourceOver);
    p.setClipRect(0, 0, ww, wh);
    p.setRenderHint(QPainter::Antialiasing, false);
    p.setRenderHint(QPainter::TextAntialiasing, false);
    p.setFont(FScaled);
    p.setPen(Qt::white);
    if (FAngle % 360 != 0) {
      p.translate(layout.Start);
      p.rotate(-FAngle);
    }
    p.drawText(0, FMetrics->ascent(), text);
  }
  mask.Resize(layout.Size.width(), layout.Size.height());
  DownsampleMask(FWork, s, mask);
}
