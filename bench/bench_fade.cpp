// Cost of re-applying a fade percentage to a built 400 x 400 picture, against a plain memcpy of
// the same bytes in the same run; and one whole fade tick (state step plus rescale). A tick runs
// every 25 ms, so it must stay a small fraction of that.
#include <benchmark/benchmark.h>

#include <QImage>
#include <cstring>
#include <vector>

#include "render/Fade.h"
#include "render/FadeButton.h"

namespace {
QImage Picture() {
  QImage image(400, 400, QImage::Format_ARGB32);
  for (int y = 0; y < 400; ++y)
    for (int x = 0; x < 400; ++x) image.setPixel(x, y, qRgba(x & 255, y & 255, (x * y) & 255, (x + y) & 255));
  return image;
}

void BM_MemcpyBaseline(benchmark::State& state) {
  const QImage source = Picture();
  std::vector<uchar> target(static_cast<size_t>(source.sizeInBytes()));
  for (auto _ : state) {
    std::memcpy(target.data(), source.constBits(), target.size());
    benchmark::DoNotOptimize(target.data());
    benchmark::ClobberMemory();
  }
  state.SetBytesProcessed(state.iterations() * source.sizeInBytes());
}
BENCHMARK(BM_MemcpyBaseline);

void BM_ApplyFadePercentage(benchmark::State& state) {
  TAlphaImage image;
  image.SetPicture(Picture());
  image.ResetImage();
  int percent = 0;
  for (auto _ : state) {
    // Alternate so every assignment is a change and really rewrites the alpha copy.
    percent = percent == 37 ? 63 : 37;
    image.SetAlphaBlend(percent);
    benchmark::DoNotOptimize(image.Shown().constBits());
    benchmark::ClobberMemory();
  }
  state.SetBytesProcessed(state.iterations() * image.Picture().sizeInBytes());
}
BENCHMARK(BM_ApplyFadePercentage);

void BM_FadeTick(benchmark::State& state) {
  TAlphaImage image;
  image.SetPicture(BuildFadeButtonImage({400, 400}, FadeButtonDefaults::Color, FadeButtonDefaults::BorderColor));
  image.ResetImage();
  TFader fader;
  fader.OnApply = [&](int p) { image.SetAlphaBlend(p); };
  fader.SetAlpha(0);
  for (auto _ : state) {
    // Keep the fade moving: reverse whenever it arrives.
    if (fader.FadeAlpha() == fader.Alpha()) fader.SetAlpha(fader.Alpha() == 0 ? 100 : 0);
    fader.Tick();
    benchmark::DoNotOptimize(image.Shown().constBits());
  }
}
BENCHMARK(BM_FadeTick);

void BM_RestingTick(benchmark::State& state) {
  TAlphaImage image;
  image.SetPicture(Picture());
  image.ResetImage();
  TFader fader;
  fader.OnApply = [&](int p) { image.SetAlphaBlend(p); };
  for (auto _ : state) {
    fader.Tick();
    benchmark::DoNotOptimize(fader.FadeAlpha());
  }
}
BENCHMARK(BM_RestingTick);
}  // namespace

BENCHMARK_MAIN();
