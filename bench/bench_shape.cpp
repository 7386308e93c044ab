// Building a shape picture: a 193 × 193 shape with gradient, picture and caption, against filling
// the same picture plainly, and as a share of the 25 ms animation tick a moving shape rebuilds in.
#include <benchmark/benchmark.h>

#include <QGuiApplication>
#include <QPainter>
#include <cstdio>
#include <map>
#include <string>

#include "render/PictureDecode.h"
#include "render/ShapeBuilder.h"

namespace {

constexpr int Side = 193;
constexpr double TickNs = 25e6;

TShapePicture Picture() {
  QImage image(320, 240, QImage::Format_ARGB32);
  for (int y = 0; y < image.height(); ++y)
    for (int x = 0; x < image.width(); ++x) image.setPixel(x, y, qRgba(x % 256, y % 256, (x + y) % 256, 255 - y / 2));
  return DecodeShapePicture(EncodePicture(image, TGraphicKind::Png));
}

TShapeFields Dressed() {
  TShapeFields s;
  s.Shape = ShapeCode::FivePointStar;
  s.Gradient = 5;
  s.GradientColor = 0xFF8000;
  s.Caption = QStringLiteral("Welcome to the menu\nClick to start");
  return s;
}

// Baseline: allocating and filling a picture of the same size, the least any builder must do.
void BM_FillBaseline(benchmark::State& state) {
  for (auto _ : state) {
    QImage image(Side, Side, QImage::Format_ARGB32);
    image.fill(0xFF00FFFF);
    benchmark::DoNotOptimize(image.constBits());
  }
}
BENCHMARK(BM_FillBaseline);

void BM_BuildPlainRectangle(benchmark::State& state) {
  const TShapeFields s;
  for (auto _ : state) {
    QImage image = BuildShapeImage(s, Side, Side, {});
    benchmark::DoNotOptimize(image.constBits());
  }
}
BENCHMARK(BM_BuildPlainRectangle);

void BM_BuildGradientPictureCaption(benchmark::State& state) {
  const TShapeFields s = Dressed();
  const TShapePicture picture = Picture();
  for (auto _ : state) {
    QImage image = BuildShapeImage(s, Side, Side, picture);
    benchmark::DoNotOptimize(image.constBits());
  }
}
BENCHMARK(BM_BuildGradientPictureCaption);

// What one tick of a moving animation costs: the frame and the rebuild.
void BM_AnimationTickWithRebuild(benchmark::State& state) {
  TShapeFields s = Dressed();
  s.AnimActive = true;
  s.AnimInStep = 1;
  const TShapePicture picture = Picture();
  TShapeAnimation anim;
  anim.Start(s);
  for (auto _ : state) {
    if (anim.AnimState != ShapeAnimState::Entering) anim.Start(s);
    const auto tick = anim.Tick(s);
    if (tick.Rebuild) {
      QImage image = BuildShapeImage(s, Side, Side, picture, anim.Frame(s, Side, Side));
      benchmark::DoNotOptimize(image.constBits());
    }
  }
}
BENCHMARK(BM_AnimationTickWithRebuild);

// Prints the usual table, then each build against the baseline and against the tick.
class TRatioReporter : public benchmark::ConsoleReporter {
 public:
  void ReportRuns(const std::vector<Run>& runs) override {
    ConsoleReporter::ReportRuns(runs);
    for (const Run& run : runs)
      if (!run.error_occurred)  // ns per iteration
        FNs[run.benchmark_name()] = {run.GetAdjustedRealTime(), run.GetAdjustedCPUTime()};
  }
  void Finalize() override {
    ConsoleReporter::Finalize();
    // Wall time counts what the tick really waits for; CPU time is steadier on a busy machine.
    const auto [baseReal, baseCpu] = FNs["BM_FillBaseline"];
    std::printf("\n%-32s %10s %10s %12s %12s %10s %10s\n", "build", "real ns", "cpu ns", "real x base", "cpu x base",
                "real/tick", "cpu/tick");
    for (const auto& [name, t] : FNs)
      std::printf("%-32s %10.0f %10.0f %12.1f %12.1f %9.2f%% %9.2f%%\n", name.c_str(), t.first, t.second,
                  baseReal > 0 ? t.first / baseReal : 0.0, baseCpu > 0 ? t.second / baseCpu : 0.0,
                  100.0 * t.first / TickNs, 100.0 * t.second / TickNs);
  }

 private:
  std::map<std::string, std::pair<double, double>> FNs;
};

}  // namespace

int main(int argc, char** argv) {
  if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
  QGuiApplication app(argc, argv);  // fonts for the caption
  benchmark::Initialize(&argc, argv);
  TRatioReporter reporter;
  benchmark::RunSpecifiedBenchmarks(&reporter);
  benchmark::Shutdown();
  return 0;
}
