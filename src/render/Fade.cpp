#include "render/Fade.h"

#include <algorithm>
#include <array>
#include <cstring>

void ScaleAlpha(const QImage& source, QImage& target, int percent) {
  const int s = std::clamp(percent, 0, 100);
  std::array<uint32_t, 256> alpha;
  for (uint32_t a = 0; a < 256; ++a) alpha[a] = ((a * static_cast<uint32_t>(s)) / 100) << 24;
  const int w = source.width(), h = source.height();
  for (int y = 0; y < h; ++y) {
    const auto* in = reinterpret_cast<const uint32_t*>(source.constScanLine(y));
    auto* out = reinterpret_cast<uint32_t*>(target.scanLine(y));
    if (s == 100) {
      std::memcpy(out, in, static_cast<size_t>(w) * 4);
      continue;
    }
    for (int x = 0; x < w; ++x) {
      const uint32_t p = in[x];
      out[x] = (p & 0x00FFFFFFu) | alpha[p >> 24];
    }
  }
}

void TAlphaImage::SetPicture(const QImage& picture) {
  FPicture = picture.isNull() ? QImage() : picture.convertToFormat(QImage::Format_ARGB32);
  FShown = FPicture.copy();
}

void TAlphaImage::ResetImage() {
  if (FPicture.isNull()) {
    FShown = QImage();
    return;
  }
  if (FShown.size() != FPicture.size() || FShown.format() != FPicture.format())
    FShown = QImage(FPicture.size(), QImage::Format_ARGB32);
  Apply();
}

bool TAlphaImage::SetAlphaBlend(int percent) {
  if (percent == FAlphaBlend) return false;
  FAlphaBlend = percent;
  Apply();
  return true;
}

void TAlphaImage::Apply() {
  if (FPicture.isNull() || FShown.size() != FPicture.size()) return;
  ScaleAlpha(FPicture, FShown, FAlphaBlend);
}

void TAlphaImage::Paint(QPainter& painter) const {
  if (!FShown.isNull()) painter.drawImage(0, 0, FShown);
}

void TFader::SetAlpha(int alpha) {
  FAlpha = std::clamp(alpha, 0, 100);
  if (!FFade) {
    ApplyOpacity(FAlpha);
    FFadeAlpha = FAlpha;
  }
  FFadeTarget = FAlpha;
}

void TFader::SetFade(bool fade) {
  if (fade == FFade) return;
  FFade = fade;
  if (!fade) {
    FFadeTarget = FAlpha;
    FFadeAlpha = FAlpha;
    ApplyOpacity(FAlpha);
  }
}

void TFader::Reset(int alpha) {
  FAlpha = std::clamp(alpha, 0, 100);
  FFadeTarget = FAlpha;
  FFadeAlpha = FAlpha;
  ApplyOpacity(FAlpha);
}

void TFader::DoFadeCirculate(bool forword) { FFadeTarget = forword ? 100 : 0; }

void TFader::Tick() {
  int a = FFadeAlpha;
  const int t = FFadeTarget;
  if (a == t) {
    if (t != FAlpha) {
      // The cycle turns: head back to Alpha, and let the owner swap content while invisible.
      FFadeTarget = FAlpha;
      if (OnFadeOver) OnFadeOver();
    }
    return;
  }
  // A step below 1 (possible from a damaged file) would never arrive and so never turn a cycle.
  if (a < t)
    a = std::min(a + std::max(FadeInStep, 1), t);
  else
    a = std::max(a - std::max(FadeOutStep, 1), t);
  ApplyOpacity(a);
  FFadeAlpha = a;
}

void ApplyFadeParam(TFader& fader, const TFadeParam& param) {
  fader.FadeInStep = param.FadeInStep;
  fader.FadeOutStep = param.FadeOutStep;
  fader.SetFade(param.Fade);
  fader.Reset(param.NormalAlpha);
}

int MouseAlphaFor(const TFadeParam& param, TMouseAlphaEvent event, bool enabled) {
  if (!param.MouseAlphaEnabled || !enabled) return -1;
  switch (event) {
    case TMouseAlphaEvent::Enter:
    case TMouseAlphaEvent::ReleaseOver:
      return param.MouseOverAlpha;
    case TMouseAlphaEvent::Leave:
      return param.NormalAlpha;
    case TMouseAlphaEvent::Press:
      return param.MouseDownAlpha;
  }
  return -1;
}
