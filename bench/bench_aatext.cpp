// Effect text rendering against the 25 ms animation tick and against the platform's own plain
// anti-aliased text drawing of the same words, both measured in this run.
//   tick_fraction: processor time of one render / 25 ms (an animated text re-renders every tick)
//   x_plain_text:  the same / processor time of drawing the same words plainly with QPainter
#include <benchmark/benchmark.h>

#include <QFile>
#include <QFontDatabase>
#include <QGuiApplication>
#include <QPainter>
#include <algorithm>
#include <ctime>

#include "render/AAControls.h"
#include "render/Caption.h"
#include "render/TextAnimation.h"

namespace {
constexpr double TickSeconds = 0.025;

TFont BenchFont(int size) {
  TFont f;
  f.Name = QStringLiteral("Tahoma");
  f.Size = size;
  f.Color = 0x00A03010;
  f.Style = fsBold;
  return f;
}

// The label object's look: aqHigh, shadow, gradient from the font colour to white, transparent.
void SetupLabel(TAALabel& label) {
  label.SetFont(BenchFont(24));
  label.SetCaption(QStringLiteral("Install Now"));
  label.SetQuality(aqHigh);
  label.SetAutoSize(false);
  label.SetSize(QSize(240, 60));
  label.SetAlignment(taCenter);
  label.SetLayout(tlCenter);
  label.SetTransparent(true);
  label.SetFontEffect(NewTextObjectEffect(label.Font().Color));
}

const QStringList TextLines = {
    QStringLiteral("Welcome to the disc. Click a button to install the program, browse the folders or read more."),
    QString(), QStringLiteral("Everything you need is on this disc.")};

void SetupText(TAAText& text) {
  TFont f = BenchFont(10);
  f.Style = 0;
  text.SetFont(f);
  text.SetQuality(aqHigh);
  text.SetAutoSize(false);
  text.SetSize(QSize(193, 193));
  text.SetWordWrap(true);
  text.SetRowPitch(0);
  text.SetTransparent(true);
  text.SetLines(TextLines);
  text.SetFontEffect(NewTextObjectEffect(f.Color));
}

// Processor time of this process in seconds: the machine may be shared, so wall time would
// count other programs' work.
double CpuSeconds() { return static_cast<double>(std::clock()) / CLOCKS_PER_SEC; }

// Seconds per call of f, the best of a few batches.
template <class F>
double SecondsPerCall(F&& f) {
  double best = 1e9;
  for (int batch = 0; batch < 5; ++batch) {
    const double start = CpuSeconds();
    for (int i = 0; i < 100; ++i) f();
    best = std::min(best, (CpuSeconds() - start) / 100);
  }
  return best;
}

// Plain platform text of the same words: anti-aliased QPainter text on a transparent layer.
double PlainLabelSeconds() {
  static const double s = [] {
    QImage img(240, 60, QImage::Format_ARGB32_Premultiplied);
    const QFont font = ToQFont(BenchFont(24));
    return SecondsPerCall([&] {
      img.fill(0);
      QPainter p(&img);
      p.setFont(font);
      p.setPen(QColor(0x10, 0x30, 0xA0));
      p.drawText(img.rect(), Qt::AlignCenter, QStringLiteral("Install Now"));
    });
  }();
  return s;
}

double PlainTextSeconds() {
  static const double s = [] {
    QImage img(193, 193, QImage::Format_ARGB32_Premultiplied);
    TFont f = BenchFont(10);
    f.Style = 0;
    const QFont font = ToQFont(f);
    const QString all = TextLines.join(u'\n');
    return SecondsPerCall([&] {
      img.fill(0);
      QPainter p(&img);
      p.setFont(font);
      p.setPen(QColor(0x10, 0x30, 0xA0));
      p.drawText(img.rect(), Qt::TextWordWrap, all);
    });
  }();
  return s;
}

void Report(benchmark::State& state, double startCpu, double baselineSeconds) {
  const double perCall = (CpuSeconds() - startCpu) / std::max<double>(static_cast<double>(state.iterations()), 1);
  state.counters["tick_fraction"] = perCall / TickSeconds;
  state.counters["x_plain_text"] = perCall / baselineSeconds;
}

// Every iteration changes the effect (as a fade or an animation tick does) and renders once.
void BM_EffectLabel(benchmark::State& state) {
  const double baseline = PlainLabelSeconds();
  TAALabel label;
  SetupLabel(label);
  int alpha = 100;
  const double start = CpuSeconds();
  for (auto _ : state) {
    alpha = alpha == 100 ? 99 : 100;
    label.ChangeFontEffect([&](TAAEffect& e) { e.Alpha = static_cast<uint8_t>(alpha); });
    benchmark::DoNotOptimize(label.Picture().constBits());
  }
  Report(state, start, baseline);
}
BENCHMARK(BM_EffectLabel)->Unit(benchmark::kMillisecond);

void BM_EffectText193(benchmark::State& state) {
  const double baseline = PlainTextSeconds();
  TAAText text;
  SetupText(text);
  int alpha = 100;
  const double start = CpuSeconds();
  for (auto _ : state) {
    alpha = alpha == 100 ? 99 : 100;
    text.ChangeFontEffect([&](TAAEffect& e) { e.Alpha = static_cast<uint8_t>(alpha); });
    benchmark::DoNotOptimize(text.Picture().constBits());
  }
  Report(state, start, baseline);
}
BENCHMARK(BM_EffectText193)->Unit(benchmark::kMillisecond);

// An animated label: one animation tick (font size entrance, then exit, in a loop) and the render
// it causes, as the 25 ms timer does.
void BM_AnimatedLabelTick(benchmark::State& state) {
  const double baseline = PlainLabelSeconds();
  TAALabel label;
  SetupLabel(label);
  TTextAnimation anim;
  anim.Params.AnimActive = true;
  anim.Params.AnimInStyle = tasFontSize;
  anim.Params.AnimOutStyle = tasFontSize;
  anim.Params.AnimOutToValue = 1;
  anim.Prepare(label, 100, true);
  const double start = CpuSeconds();
  for (auto _ : state) {
    anim.Tick(label, true);
    benchmark::DoNotOptimize(label.Picture().constBits());
  }
  Report(state, start, baseline);
}
BENCHMARK(BM_AnimatedLabelTick)->Unit(benchmark::kMillisecond);
}  // namespace

int main(int argc, char** argv) {
  if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
  QGuiApplication app(argc, argv);
  for (const char* name : {"tahoma.ttf", "tahomabd.ttf"}) {
    const QString path = QStringLiteral("/usr/share/wine/fonts/") + QLatin1String(name);
    if (QFile::exists(path)) QFontDatabase::addApplicationFont(path);
  }
  benchmark::Initialize(&argc, argv);
  benchmark::RunSpecifiedBenchmarks();
  benchmark::Shutdown();
  return 0;
}
