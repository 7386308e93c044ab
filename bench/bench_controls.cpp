// Loading a page into controls: reading a page of 500 objects (mixed kinds, nested containers)
// and building its controls offscreen, laid out once, against reading the same page's records
// alone. Reported as load time / read time.
#include <benchmark/benchmark.h>

#include <QApplication>
#include <QBuffer>
#include <QPixmap>
#include <QWidget>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <ctime>

#include "model/ObjectStream.h"
#include "model/PageStream.h"
#include "objects/ObjectControl.h"
#include "render/PictureDecode.h"

namespace {

constexpr int ObjectCount = 500;
const QSize PageSize(800, 600);

// Leaf kinds in turn (every kind but the containers, which the page nests on purpose).
const TObjectType LeafKinds[] = {otStandardButton, otImageButton, otSimpleText, otImage,        otBevel,
                                 otFadeButton,     otLabel,       otText,       otShape,        otBalloon,
                                 otNote,           otSlideShow,   otMemo,       otRichText,     otWebBrowser,
                                 otMediaPlayer,    otFlashPlayer, otPDFReader,  otMultilineText};

struct Fixture {
  QByteArray Bytes;
  int Objects = 0;

  Fixture() {
    TPageData page;
    InitForm(page, QStringLiteral("Bench"));
    page.PanelObject->Width = PageSize.width();
    page.PanelObject->Height = PageSize.height();
    int leaf = 0;
    auto add = [&](TAuObject& parent, TObjectType kind, QRect bounds, TAlign align = alNone) -> TAuObject& {
      auto o = NewAuObject(kind, QStringLiteral("O%1").arg(++Objects));
      o->Left = bounds.x();
      o->Top = bounds.y();
      o->Width = bounds.width();
      o->Height = bounds.height();
      o->Align = align;
      o->Payload->SetFirstText(o->ObjectName);
      parent.Objects.push_back(std::move(o));
      return *parent.Objects.back();
    };
    auto leaves = [&](TAuObject& parent, int n) {
      for (int i = 0; i < n && Objects < ObjectCount; ++i)
        add(parent, LeafKinds[leaf++ % std::size(LeafKinds)], QRect(8 + (i % 4) * 40, 8 + (i / 4) * 30, 36, 26));
    };
    TAuObject& root = *page.PanelObject;
    // Docked frame: a top bar, a left column with a splitter, a client scroll box.
    TAuObject& top = add(root, otPanel, {0, 0, 1, 60}, alTop);
    leaves(top, 8);
    TAuObject& left = add(root, otPanel, {0, 0, 180, 1}, alLeft);
    add(root, otSplitter, {0, 0, 5, 1}, alLeft);
    TAuObject& client = add(root, otScrollBox, {0, 0, 1, 1}, alClient);
    TAuObject& book = add(left, otTabNotebook, {0, 0, 1, 200}, alTop);
    for (int i = 0; i < 3; ++i) leaves(add(book, otTabSheet, {0, 0, 1, 1}), 6);
    leaves(add(left, otGroupBox, {0, 0, 1, 1}, alClient), 10);
    // Nested panels and group boxes inside the scroll box, filled with leaves.
    for (int row = 0; Objects < ObjectCount; ++row) {
      TAuObject& outer = add(client, row % 2 ? otGroupBox : otPanel, {10, 10 + row * 230, 560, 220});
      TAuObject& inner = add(outer, otPanel, {0, 0, 1, 90}, alBottom);
      leaves(outer, 12);
      leaves(inner, 12);
    }
    Bytes = Write(page);
  }

  static QByteArray Write(const TPageData& page) {
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    TStream s(&buffer);
    if (!WritePageStream(s, page)) {
      std::fprintf(stderr, "bench_controls: the page could not be written\n");
      std::exit(1);
    }
    return bytes;
  }

  void Read(TPageData& page) const {
    QByteArray copy = Bytes;
    QBuffer buffer(&copy);
    buffer.open(QIODevice::ReadOnly);
    TStream s(&buffer);
    if (!ReadPageStream(s, page)) std::abort();
  }

  // Reads the page and builds its controls under host; the layout happens once, as the tree is
  // created.
  void Load(TPageData& page, QWidget& host) const {
    Read(page);
    if (!CreateObjectControl(*page.PanelObject, &host, TControlContext{})) std::abort();
  }
};

Fixture& TheFixture() {
  static Fixture f;
  return f;
}

void BM_ReadRecords(benchmark::State& state) {
  const Fixture& f = TheFixture();
  for (auto _ : state) {
    TPageData page;
    f.Read(page);
    benchmark::DoNotOptimize(page.PanelObject.get());
  }
  state.counters["objects"] = f.Objects;
}
BENCHMARK(BM_ReadRecords)->Unit(benchmark::kMillisecond)->UseRealTime();

void BM_LoadIntoControls(benchmark::State& state) {
  const Fixture& f = TheFixture();
  for (auto _ : state) {
    QWidget host;
    host.resize(PageSize);
    TPageData page;
    f.Load(page, host);
    state.PauseTiming();
    delete page.PanelObject->Control.data();
    QCoreApplication::sendPostedEvents();
    state.ResumeTiming();
  }
  state.counters["objects"] = f.Objects;
}
BENCHMARK(BM_LoadIntoControls)->Unit(benchmark::kMillisecond)->UseRealTime();

// One kind at a time: 100 objects of the kind on a panel, built into controls. Shows which kinds
// the mixed page's cost comes from (time per object is the figure to read).
void BM_LoadOneKind(benchmark::State& state) {
  const auto kind = static_cast<TObjectType>(state.range(0));
  TPageData page;
  InitForm(page, QStringLiteral("Kind"));
  for (int i = 0; i < 100; ++i) {
    auto o = NewAuObject(kind, QStringLiteral("K%1").arg(i));
    o->Left = (i % 10) * 40;
    o->Top = (i / 10) * 30;
    o->Width = 36;
    o->Height = 26;
    page.PanelObject->Objects.push_back(std::move(o));
  }
  for (auto _ : state) {
    QWidget host;
    host.resize(PageSize);
    if (!CreateObjectControl(*page.PanelObject, &host, TControlContext{})) std::abort();
    state.PauseTiming();
    delete page.PanelObject->Control.data();
    QCoreApplication::sendPostedEvents();
    state.ResumeTiming();
  }
  state.SetItemsProcessed(state.iterations() * 100);
  state.SetLabel(GetObjectTypeName(kind).toStdString());
}
BENCHMARK(BM_LoadOneKind)->DenseRange(0, ObjectTypeCount - 1)->Unit(benchmark::kMicrosecond)->UseRealTime();

// The floor of any design with one widget per object: a plain QWidget per record, placed where the
// record says, nothing drawn or docked.
void PlainWidgets(const TAuObject& object, QWidget* parent) {
  auto* w = new QWidget(parent);
  w->setGeometry(object.Left, object.Top, object.Width, object.Height);
  for (const auto& child : object.Objects) PlainWidgets(*child, w);
}

// This thread's processor time: the machine running the benchmarks may be shared, and a ratio of
// wall times then says more about the neighbours than about the code.
double ThreadSeconds() {
  timespec t{};
  clock_gettime(CLOCK_THREAD_CPUTIME_ID, &t);
  return double(t.tv_sec) + double(t.tv_nsec) * 1e-9;
}

// Both in turn within one run, so the ratio compares like with like (wall and processor time).
void BM_LoadToReadRatio(benchmark::State& state) {
  const Fixture& f = TheFixture();
  using Clock = std::chrono::steady_clock;
  double readSeconds = 0, loadSeconds = 0, readCpu = 0, loadCpu = 0, plainCpu = 0, paintCpu = 0;
  double firstRead = 0, firstLoad = 0;
  {
    // One round first, kept apart, as every other benchmark here warms up: what the first page of a
    // process sets up once (the style, fonts, icons) is no part of loading a page. It is reported
    // on its own.
    QWidget host;
    host.resize(PageSize);
    const double c0 = ThreadSeconds();
    {
      TPageData page;
      f.Read(page);
    }
    const double c1 = ThreadSeconds();
    TPageData page;
    f.Load(page, host);
    firstRead = c1 - c0;
    firstLoad = ThreadSeconds() - c1;
    benchmark::DoNotOptimize(host.grab().cacheKey());
    delete page.PanelObject->Control.data();
    QCoreApplication::sendPostedEvents();
  }
  for (auto _ : state) {
    QWidget host;
    host.resize(PageSize);
    const auto t0 = Clock::now();
    const double c0 = ThreadSeconds();
    {
      TPageData page;
      f.Read(page);
      benchmark::DoNotOptimize(page.PanelObject.get());
    }
    const auto t1 = Clock::now();
    const double c1 = ThreadSeconds();
    TPageData page;
    f.Load(page, host);
    const auto t2 = Clock::now();
    const double c2 = ThreadSeconds();
    readSeconds += std::chrono::duration<double>(t1 - t0).count();
    loadSeconds += std::chrono::duration<double>(t2 - t1).count();
    readCpu += c1 - c0;
    loadCpu += c2 - c1;
    // The first picture of the loaded page: looks built on first need are built here.
    const QPixmap first = host.grab();
    benchmark::DoNotOptimize(first.cacheKey());
    paintCpu += ThreadSeconds() - c2;
    delete page.PanelObject->Control.data();
    QCoreApplication::sendPostedEvents();
    {
      QWidget plainHost;
      const double c3 = ThreadSeconds();
      TPageData plain;
      f.Read(plain);
      PlainWidgets(*plain.PanelObject, &plainHost);
      plainCpu += ThreadSeconds() - c3;
    }
    QCoreApplication::sendPostedEvents();
  }
  state.counters["load_and_first_paint_over_read_cpu"] = readCpu > 0 ? (loadCpu + paintCpu) / readCpu : 0;
  state.counters["plain_widgets_over_read_cpu"] = readCpu > 0 ? plainCpu / readCpu : 0;
  state.counters["load_over_read"] = readSeconds > 0 ? loadSeconds / readSeconds : 0;
  state.counters["load_over_read_cpu"] = readCpu > 0 ? loadCpu / readCpu : 0;
  state.counters["first_round_load_over_read_cpu"] = firstRead > 0 ? firstLoad / firstRead : 0;
  state.counters["objects"] = f.Objects;
}
BENCHMARK(BM_LoadToReadRatio)->Unit(benchmark::kMillisecond)->UseRealTime()->Iterations(20);

}  // namespace

int main(int argc, char** argv) {
  if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
  QApplication app(argc, argv);
  InitPictureDecoding();
  benchmark::Initialize(&argc, argv);
  if (benchmark::ReportUnrecognizedArguments(argc, argv)) return 1;
  benchmark::RunSpecifiedBenchmarks();
  benchmark::Shutdown();
  return 0;
}
