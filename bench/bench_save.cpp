// Saving a project whose pages were not edited copies their bytes as ranges from the old file;
// it should run close to a plain copy of the same file. Reported as save time / copy time.
#include <benchmark/benchmark.h>

#include <QByteArray>
#include <QFile>
#include <QTemporaryDir>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <vector>

#include "model/Globals.h"
#include "model/ProjectFile.h"

namespace {

constexpr int PageCount = 400;
constexpr int PageBytes = 64 * 1024;

struct Fixture {
  QTemporaryDir Dir;
  QString Source, Target, CopyTarget;
  std::vector<std::pair<int32_t, int32_t>> Ranges;
  qint64 SourceSize = 0;

  Fixture() {
    Source = Dir.filePath(QStringLiteral("source.mvdsk"));
    Target = Dir.filePath(QStringLiteral("target.mvdsk"));
    CopyTarget = Dir.filePath(QStringLiteral("copy.mvdsk"));
    ResetProject(false);
    for (int i = 0; i < PageCount; ++i) {
      auto form = std::make_unique<TFormData>();
      form->FormName = QStringLiteral("Page%1").arg(i);
      form->ObjectInfo = std::make_unique<TObjectInfo>();
      form->FormInfoData = QByteArray(PageBytes, static_cast<char>('a' + i % 26));
      Project.Forms.push_back(std::move(form));
    }
    TError error;
    // Written once and read back: every page is then a byte range of the source, none in memory.
    if (!SaveProjectToFile(Source, QString(), error) || !LoadProjectFromFile(Source, error)) {
      std::fprintf(stderr, "bench_save: %s\n", qPrintable(error.Message()));
      std::exit(1);
    }
    for (const auto& f : Project.Forms) Ranges.emplace_back(f->Position, f->Length);
    SourceSize = QFile(Source).size();
  }

  void Save() {
    TError error;
    if (!SaveProjectToFile(Target, Source, error)) std::abort();
    // The save points the table at the target; point it back at the source for the next round.
    for (size_t i = 0; i < Ranges.size(); ++i) {
      Project.Forms[i]->Position = Ranges[i].first;
      Project.Forms[i]->Length = Ranges[i].second;
    }
  }

  // The baseline: the same bytes through a plain read/write loop with the same buffer size.
  void Copy() {
    QFile in(Source), out(CopyTarget);
    if (!in.open(QIODevice::ReadOnly) || !out.open(QIODevice::WriteOnly | QIODevice::Truncate)) std::abort();
    QByteArray buffer(1024 * 1024, Qt::Uninitialized);
    for (;;) {
      const qint64 n = in.read(buffer.data(), buffer.size());
      if (n <= 0) break;
      if (out.write(buffer.constData(), n) != n) std::abort();
    }
    out.close();
  }
};

Fixture& TheFixture() {
  static Fixture f;
  return f;
}

void BM_PlainCopy(benchmark::State& state) {
  Fixture& f = TheFixture();
  for (auto _ : state) f.Copy();
  state.SetBytesProcessed(state.iterations() * f.SourceSize);
}
BENCHMARK(BM_PlainCopy)->Unit(benchmark::kMillisecond)->UseRealTime();

void BM_SaveUneditedPages(benchmark::State& state) {
  Fixture& f = TheFixture();
  for (auto _ : state) f.Save();
  state.SetBytesProcessed(state.iterations() * f.SourceSize);
}
BENCHMARK(BM_SaveUneditedPages)->Unit(benchmark::kMillisecond)->UseRealTime();

// Both in turn within one run, so the ratio compares like with like.
void BM_SaveToCopyRatio(benchmark::State& state) {
  Fixture& f = TheFixture();
  using Clock = std::chrono::steady_clock;
  double saveSeconds = 0, copySeconds = 0;
  for (auto _ : state) {
    const auto t0 = Clock::now();
    f.Copy();
    const auto t1 = Clock::now();
    f.Save();
    const auto t2 = Clock::now();
    copySeconds += std::chrono::duration<double>(t1 - t0).count();
    saveSeconds += std::chrono::duration<double>(t2 - t1).count();
  }
  state.counters["save_over_copy"] = copySeconds > 0 ? saveSeconds / copySeconds : 0;
  state.counters["MB"] = double(f.SourceSize) / (1024 * 1024);
}
BENCHMARK(BM_SaveToCopyRatio)->Unit(benchmark::kMillisecond)->UseRealTime()->Iterations(20);

}  // namespace

BENCHMARK_MAIN();
