// Start of a built player until its first page is shown, for a project of 1 page and of 2000
// pages, against the smallest Qt Widgets program showing one window. Each run is a real process:
// the player's first page ends it from its show actions (the close is deferred by 10 ms, as the
// baseline's is). Pages are read only when shown, so 2000 pages should cost about what 1 does.
#include <benchmark/benchmark.h>

#include <QCoreApplication>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>
#include <chrono>
#include <cstdio>
#include <cstdlib>

#include "model/Globals.h"
#include "model/PageStream.h"
#include "model/ProjectFile.h"

namespace {

struct Fixture {
  QTemporaryDir Dir;
  QString OnePage, ManyPages;

  Fixture() {
    OnePage = MakePlayer(QStringLiteral("one"), 1);
    ManyPages = MakePlayer(QStringLiteral("many"), 2000);
  }

  QString MakePlayer(const QString& name, int pages) {
    ResetProject(true);
    TPageData page;
    TError error;
    if (!LoadFormData(*Project.Forms[0], page, &error)) Fail(error);
    page.FormFade = false;
    TAuAction exit;
    exit.Command = ctExit;
    page.OnShowActions.Actions.push_back(exit);
    if (!StoreFormData(page, *Project.Forms[0], &error)) Fail(error);
    for (int i = 1; i < pages; ++i) {
      auto form = std::make_unique<TFormData>();
      form->FormName = QStringLiteral("Page%1").arg(i + 1);
      form->ObjectInfo = std::make_unique<TObjectInfo>();
      form->FormInfoData = Project.Forms[0]->FormInfoData;
      Project.Forms.push_back(std::move(form));
    }
    const QString player = Dir.filePath(name);
    QFile::remove(player);
    if (!QFile::copy(QStringLiteral(MENUVIA_BINARY), player)) Fail(TError());
    QFile::setPermissions(player, QFile::permissions(player) | QFile::WriteOwner | QFile::ExeOwner);
    if (!AppendProjectToExe(player, QString(), error)) Fail(error);
    ResetProject(false);
    return player;
  }

  [[noreturn]] static void Fail(const TError& error) {
    std::fprintf(stderr, "bench_player_start: %s\n", qPrintable(error.Message()));
    std::exit(1);
  }
};

Fixture& TheFixture() {
  static Fixture f;
  return f;
}

// Seconds from start to exit of one run of program.
double RunOnce(const QString& program) {
  QProcess process;
  QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
  if (!env.contains(QStringLiteral("QT_QPA_PLATFORM")))
    env.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("offscreen"));
  process.setProcessEnvironment(env);
  const auto t0 = std::chrono::steady_clock::now();
  process.start(program, {});
  if (!process.waitForFinished(60000) || process.exitCode() != 0) {
    std::fprintf(stderr, "bench_player_start: %s did not end cleanly\n", qPrintable(program));
    std::exit(1);
  }
  return std::chrono::duration<double>(std::chrono::steady_clock::now() - t0).count();
}

void Run(benchmark::State& state, const QString& program) {
  for (auto _ : state) state.SetIterationTime(RunOnce(program));
}

void BM_MinimalWindow(benchmark::State& state) { Run(state, QStringLiteral(MINIMAL_WINDOW_BINARY)); }
BENCHMARK(BM_MinimalWindow)->Unit(benchmark::kMillisecond)->UseManualTime()->Iterations(20);

void BM_Player1Page(benchmark::State& state) { Run(state, TheFixture().OnePage); }
BENCHMARK(BM_Player1Page)->Unit(benchmark::kMillisecond)->UseManualTime()->Iterations(20);

void BM_Player2000Pages(benchmark::State& state) { Run(state, TheFixture().ManyPages); }
BENCHMARK(BM_Player2000Pages)->Unit(benchmark::kMillisecond)->UseManualTime()->Iterations(20);

// What the player reads at start: the settings block and the page table.
void BM_ReadPageTable2000(benchmark::State& state) {
  const QString player = TheFixture().ManyPages;
  for (auto _ : state) {
    TError error;
    if (!LoadProjectFromExe(player, error)) std::abort();
  }
  ResetProject(false);
}
BENCHMARK(BM_ReadPageTable2000)->Unit(benchmark::kMillisecond);

// The three in turn within each iteration, so the ratios compare like with like.
void BM_StartRatios(benchmark::State& state) {
  Fixture& f = TheFixture();
  double minimal = 0, one = 0, many = 0;
  for (auto _ : state) {
    minimal += RunOnce(QStringLiteral(MINIMAL_WINDOW_BINARY));
    one += RunOnce(f.OnePage);
    many += RunOnce(f.ManyPages);
  }
  state.counters["player1_over_minimal"] = one / minimal;
  state.counters["player2000_over_player1"] = many / one;
  state.counters["minimal_ms"] = 1000 * minimal / double(state.iterations());
}
BENCHMARK(BM_StartRatios)->Unit(benchmark::kMillisecond)->Iterations(20);

}  // namespace

int main(int argc, char** argv) {
  QCoreApplication app(argc, argv);
  benchmark::Initialize(&argc, argv);
  benchmark::RunSpecifiedBenchmarks();
  return 0;
}
