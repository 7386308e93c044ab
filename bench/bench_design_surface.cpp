// One drag step on the design surface: 20 selected objects of a 200-object page moved by one grid
// step (gesture, re-placing the controls, redrawing the touched part of the picture, painting),
// against drawing the unchanged page's whole picture once, in the same run. Reported as
// drag step / whole picture; a drag step must stay well within a 60 fps frame (16 ms).
#include <benchmark/benchmark.h>

#include <QApplication>
#include <chrono>

#include "designer/EditForm.h"
#include "model/Globals.h"
#include "model/ObjectStream.h"
#include "player/AutoRunForm.h"
#include "render/PictureDecode.h"

namespace {

constexpr int ObjectCount = 200;
constexpr int SelectedCount = 20;

const TObjectType Kinds[] = {otStandardButton, otSimpleText, otShape, otLabel, otBevel, otPanel, otMemo, otNote};

struct Surface200 {
  TAutoRunForm Page;
  TEditForm Edit;
  QPoint Grip;

  Surface200() {
    TPageData page;
    InitForm(page, QStringLiteral("Bench"));
    page.FormFade = false;
    page.Width = 1040;
    page.Height = 820;
    TAuObject& root = *page.PanelObject;
    for (int i = 0; i < ObjectCount; ++i) {
      auto o = NewAuObject(Kinds[i % std::size(Kinds)], QStringLiteral("O%1").arg(i + 1));
      o->Align = alNone;
      o->Left = 8 + (i % 20) * 50;
      o->Top = 8 + (i / 20) * 76;
      o->Width = 44;
      o->Height = 60;
      o->Payload->SetFirstText(o->ObjectName);
      o->Selected = i >= 60 && i < 60 + SelectedCount;  // one row across the page
      root.Objects.push_back(std::move(o));
    }
    Page.setAttribute(Qt::WA_DontShowOnScreen);
    Page.LoadPage(std::move(page));
    Page.show();
    Edit.SetPage(&Page);
    Edit.show();
    QCoreApplication::processEvents();
    const TAuObject& first = *Page.PanelObject()->Objects[60];
    Grip = QPoint(first.Left + 10, first.Top + 10);
    Edit.SurfacePress(Grip, Qt::LeftButton, Qt::NoModifier);
    QCoreApplication::processEvents();
  }
};

Surface200& TheSurface() {
  static Surface200 s;
  return s;
}

// Right one grid step, then back, so the page stays where it was.
int DragStep(Surface200& s, int step) {
  const QPoint to = s.Grip + QPoint(step % 2 == 0 ? 8 : 0, 0);
  s.Edit.SurfaceMove(to, Qt::LeftButton);
  s.Edit.Picture();
  s.Edit.repaint();
  return s.Edit.PartPaints();
}

void WholePicture(Surface200& s) {
  s.Edit.DoRefresh();
  s.Edit.Picture();
  s.Edit.repaint();
}

void BM_DragStep(benchmark::State& state) {
  Surface200& s = TheSurface();
  int step = 0;
  for (auto _ : state) benchmark::DoNotOptimize(DragStep(s, step++));
}
BENCHMARK(BM_DragStep)->Unit(benchmark::kMillisecond)->UseRealTime();

void BM_WholePicture(benchmark::State& state) {
  Surface200& s = TheSurface();
  for (auto _ : state) WholePicture(s);
}
BENCHMARK(BM_WholePicture)->Unit(benchmark::kMillisecond)->UseRealTime();

// Both in turn within one run, so the ratio compares like with like.
void BM_DragToWholeRatio(benchmark::State& state) {
  Surface200& s = TheSurface();
  using Clock = std::chrono::steady_clock;
  double drag = 0, whole = 0;
  int step = 0, steps = 0;
  for (auto _ : state) {
    const auto t0 = Clock::now();
    DragStep(s, step++);
    const auto t1 = Clock::now();
    WholePicture(s);
    const auto t2 = Clock::now();
    drag += std::chrono::duration<double>(t1 - t0).count();
    whole += std::chrono::duration<double>(t2 - t1).count();
    ++steps;
  }
  state.counters["drag_over_whole"] = whole > 0 ? drag / whole : 0;
  state.counters["drag_step_ms"] = steps ? drag * 1000 / steps : 0;
  state.counters["whole_picture_ms"] = steps ? whole * 1000 / steps : 0;
  state.counters["objects"] = ObjectCount;
  state.counters["moved"] = SelectedCount;
}
BENCHMARK(BM_DragToWholeRatio)->Unit(benchmark::kMillisecond)->UseRealTime()->Iterations(200);

}  // namespace

int main(int argc, char** argv) {
  if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
  IsDesigner = true;  // the editing canvas, as the designer builds it
  QApplication app(argc, argv);
  InitPictureDecoding();
  benchmark::Initialize(&argc, argv);
  if (benchmark::ReportUnrecognizedArguments(argc, argv)) return 1;
  benchmark::RunSpecifiedBenchmarks();
  benchmark::Shutdown();
  return 0;
}
