// The shared control base: what the objects report to their page (clicks, double clicks, enter,
// leave, presses, moves and releases with their positions, also for disabled objects), the
// visibility rule of the editing canvas, the stacking of windowed and windowless objects and the
// defaults a new object's record takes from its control.
#include <gtest/gtest.h>

#include <QHelpEvent>
#include <QPainter>
#include <QTabBar>
#include <QTest>
#include <QToolTip>

#include "ControlTestSupport.h"
#include "model/ObjectStream.h"
#include "objects/Containers.h"
#include "objects/MediaShells.h"

namespace {
using K = TRecordedEvent::TKind;

// An engine that shows nothing: the shells behave as with their component present (a live Flash
// player or PDF reader without one is covered by its message label, which takes the mouse).
class TQuietEngine : public TShellEngine {
 public:
  void Apply(TAuMediaShell&) override {}
};

struct TQuietEngines {
  TQuietEngines() {
    for (TObjectType kind : {otWebBrowser, otMediaPlayer, otFlashPlayer, otPDFReader})
      SetShellEngineFactory(kind, [](TAuMediaShell&) { return std::make_unique<TQuietEngine>(); });
  }
  ~TQuietEngines() {
    for (TObjectType kind : {otWebBrowser, otMediaPlayer, otFlashPlayer, otPDFReader}) SetShellEngineFactory(kind, {});
  }
};

// The kinds of this layer that raise mouse events of their own.
const TObjectType EventKinds[] = {otPanel,       otTabNotebook,    otGroupBox,    otScrollBox,  otSplitter,
                                  otMemo,        otStandardButton, otRichText,    otWebBrowser, otMediaPlayer,
                                  otFlashPlayer, otPDFReader,      otImageButton, otSimpleText, otImage,
                                  otBevel,       otFadeButton,     otShape,       otBalloon,    otNote,
                                  otSlideShow,   otMultilineText};

// A page panel of 400 × 300 with one object of kind at (50, 40, 120, 80).
struct TOneObjectPage {
  std::unique_ptr<TAuObject> Root = MakeObject(otPanel, QStringLiteral("Page"), {0, 0, 400, 300}, alClient);
  TAuObject* Object;
  TControlHost Host{QSize(400, 300)};

  explicit TOneObjectPage(TObjectType kind, bool enabled = true) {
    Object = &AddChild(*Root, MakeObject(kind, GetObjectTypeName(kind) + u'1', {50, 40, 120, 80}));
    Object->Enable = enabled;
  }
  ~TOneObjectPage() { Host.Window.reset(); }
};

std::vector<K> Buttons(const std::vector<TRecordedEvent>& events, const TAuObject* only) {
  std::vector<K> k;
  for (const auto& e : events)
    if (e.Object == only && e.Kind != K::Move && e.Kind != K::Enter && e.Kind != K::Leave) k.push_back(e.Kind);
  return k;
}

std::string Names(const std::vector<K>& kinds) {
  std::string s;
  for (K k : kinds) s += std::string(RecordedKindName(k)) + ' ';
  return s;
}
}  // namespace

// The last event of kind reported for object, or null.
const TRecordedEvent* LastOf(const TRecordingPageEvents& events, K kind, const TAuObject* object) {
  for (auto it = events.Events.rbegin(); it != events.Events.rend(); ++it)
    if (it->Kind == kind && it->Object == object) return &*it;
  return nullptr;
}

TEST(ControlsEvents, EveryKindReportsItsMouseEventsWithPositions) {
  TQuietEngines engines;
  // In the object's own coordinates: inside (clear of bars and tabs), and on its frame, where
  // scroll areas leave the mouse to their parent unless told otherwise.
  const QPoint points[] = {{37, 21}, {1, 1}};
  for (TObjectType kind : EventKinds)
    for (const QPoint p : points) {
      SCOPED_TRACE(GetObjectTypeName(kind).toStdString() + " at " + std::to_string(p.x()));
      TOneObjectPage page(kind);
      ASSERT_TRUE(page.Host.Build(*page.Root));
      TControlHost& host = page.Host;
      TRecordingPageEvents& events = host.Events;
      const TAuObject& w = *page.Object;
      ASSERT_TRUE(IsShownOnScreen(w));
      host.PointerEntersWindow(QPoint(390, 290));

      host.Click(w, p, Qt::LeftButton, Qt::ShiftModifier);
      EXPECT_EQ(Names(Buttons(events.Events, page.Object)), "Down Click Up ");
      const TRecordedEvent* down = LastOf(events, K::Down, page.Object);
      const TRecordedEvent* up = LastOf(events, K::Up, page.Object);
      ASSERT_TRUE(down && up);
      EXPECT_EQ(down->Pos, p);
      EXPECT_EQ(down->Button, Qt::LeftButton);
      EXPECT_EQ(down->Buttons, Qt::LeftButton);
      EXPECT_EQ(down->Modifiers, Qt::ShiftModifier);
      EXPECT_EQ(up->Pos, p);
      EXPECT_EQ(up->Button, Qt::LeftButton);
      EXPECT_EQ(up->Buttons, Qt::NoButton);
      // Nothing reaches the page panel the object sits on.
      EXPECT_EQ(Names(Buttons(events.Events, page.Root.get())), "");

      events.Clear();
      host.DoubleClick(w, p);
      EXPECT_EQ(Names(Buttons(events.Events, page.Object)), "Down Click Up DblClick Down Up ");
      EXPECT_EQ(Names(Buttons(events.Events, page.Root.get())), "");

      // In from the page panel, across, and out again.
      host.Move(host.Host(), QPoint(390, 290));
      events.Clear();
      host.Move(w, p);
      host.Move(w, p + QPoint(5, 3));
      host.Move(host.Host(), QPoint(390, 290));
      const auto kinds = events.Kinds(page.Object);
      ASSERT_FALSE(kinds.empty());
      EXPECT_EQ(kinds.front(), K::Enter) << Names(kinds);
      EXPECT_EQ(kinds.back(), K::Leave) << Names(kinds);
      const TRecordedEvent* move = LastOf(events, K::Move, page.Object);
      ASSERT_TRUE(move);
      EXPECT_EQ(move->Pos, p + QPoint(5, 3));
      EXPECT_EQ(move->Buttons, Qt::NoButton);
      EXPECT_EQ(events.Count(K::Enter, page.Object), 1);
      EXPECT_EQ(events.Count(K::Leave, page.Object), 1);
    }
}

TEST(ControlsEvents, DragReportsTheButtonHeldAndReleaseOutsideMakesNoClick) {
  TOneObjectPage page(otPanel);
  ASSERT_TRUE(page.Host.Build(*page.Root));
  const TAuObject& w = *page.Object;
  TControlHost& host = page.Host;
  host.Press(w, QPoint(10, 10));
  host.Move(w, QPoint(30, 12));
  host.Release(w, QPoint(30, 12));
  const auto& e = host.Events;
  const TRecordedEvent* move = LastOf(e, K::Move, page.Object);
  ASSERT_TRUE(move);
  EXPECT_EQ(move->Pos, QPoint(30, 12));
  EXPECT_EQ(move->Buttons, Qt::LeftButton);
  EXPECT_EQ(e.Count(K::Click, page.Object), 1);

  // Dragged off the object (it keeps the mouse while the button is down) and let go there.
  host.Events.Clear();
  host.Press(w, QPoint(10, 10));
  host.Move(w, QPoint(300, 10));
  host.Release(w, QPoint(300, 10));
  EXPECT_EQ(Names(Buttons(e.Events, page.Object)), "Down Up ");
  ASSERT_TRUE(LastOf(e, K::Up, page.Object));
  EXPECT_EQ(LastOf(e, K::Up, page.Object)->Pos, QPoint(300, 10));
  EXPECT_EQ(Names(Buttons(e.Events, page.Root.get())), "");
}

TEST(ControlsEvents, RightButtonIsReportedWithItsButtonAndMakesNoClick) {
  // (Text views show the platform's edit menu on a right click; it takes the release.)
  for (TObjectType kind : {otPanel, otStandardButton, otTabNotebook, otScrollBox}) {
    SCOPED_TRACE(GetObjectTypeName(kind).toStdString());
    TOneObjectPage page(kind);
    ASSERT_TRUE(page.Host.Build(*page.Root));
    page.Host.Click(*page.Object, QPoint(20, 20), Qt::RightButton);
    const auto& e = page.Host.Events;
    EXPECT_EQ(Names(Buttons(e.Events, page.Object)), "Down Up ");
    ASSERT_TRUE(LastOf(e, K::Down, page.Object));
    EXPECT_EQ(LastOf(e, K::Down, page.Object)->Button, Qt::RightButton);
    EXPECT_EQ(LastOf(e, K::Up, page.Object)->Button, Qt::RightButton);
  }
}

TEST(ControlsEvents, DisabledObjectStillReportsReleaseAndLeave) {
  TQuietEngines engines;
  for (TObjectType kind : EventKinds) {
    SCOPED_TRACE(GetObjectTypeName(kind).toStdString());
    TOneObjectPage page(kind, false);
    ASSERT_TRUE(page.Host.Build(*page.Root));
    const TAuObject& w = *page.Object;
    ASSERT_FALSE(IsEnabledOnScreen(w));
    TControlHost& host = page.Host;
    auto& e = host.Events;
    host.PointerEntersWindow(QPoint(390, 290));
    host.Move(host.Host(), QPoint(390, 290));
    host.Move(w, QPoint(20, 20));
    host.Click(w, QPoint(20, 20));
    host.DoubleClick(w, QPoint(20, 20));
    host.Move(host.Host(), QPoint(390, 290));
    // The page runs the release and the leave of a disabled object; it cannot be clicked.
    EXPECT_GE(e.Count(K::Up, page.Object), 1);
    EXPECT_EQ(e.Count(K::Leave, page.Object), 1);
    EXPECT_EQ(e.Count(K::Click, page.Object), 0);
    EXPECT_EQ(e.Count(K::DblClick, page.Object), 0);
    // Nor does its page panel get what fell on it.
    EXPECT_EQ(Names(Buttons(e.Events, page.Root.get())), "");
  }
}

TEST(ControlsEvents, ObjectDisabledWhilePressedIsStillClicked) {
  // The press's actions may disable the object; its release still ends the click.
  TOneObjectPage page(otStandardButton);
  ASSERT_TRUE(page.Host.Build(*page.Root));
  const TAuObject& w = *page.Object;
  page.Host.Press(w, QPoint(10, 10));
  page.Object->Enable = false;
  ControlOf(*page.Object)->RecordChanged(TRecordChange::Common);
  page.Host.Release(w, QPoint(10, 10));
  EXPECT_EQ(Names(Buttons(page.Host.Events.Events, page.Object)), "Down Click Up ");
}

TEST(ControlsVisibility, StoredInvisibleShowsOnlyOnTheEditingCanvas) {
  for (TObjectType kind : EventKinds)
    for (bool live : {true, false}) {
      SCOPED_TRACE(GetObjectTypeName(kind).toStdString() + (live ? " live" : " editing"));
      TOneObjectPage page(kind);
      page.Object->Visible = false;
      ASSERT_TRUE(page.Host.Build(*page.Root, live));
      EXPECT_EQ(IsShownOnScreen(*page.Object), !live);
    }
}

namespace {
// A windowed panel filled with one colour, without caption or border.
std::unique_ptr<TAuObject> Plain(const QString& name, QRect bounds, TColor color) {
  auto o = MakeObject(otPanel, name, bounds);
  auto& p = static_cast<TPanelPayload&>(*o->Payload);
  p.Color = color;
  p.PanelBack.Caption.clear();
  p.PanelBack.Border = pbbNone;
  return o;
}

std::vector<QString> StackedNames(const TAuObject& container) {
  std::vector<QString> names;
  // The windowless controls the host paints first, in their order, then its windows.
  QWidget* host = ControlOf(container)->ChildHost();
  if (const TGraphicHost* graphics = TGraphicHost::Find(host))
    for (const TGraphicControl* c : graphics->Controls()) names.push_back(c->AuObject->ObjectName);
  for (QObject* child : host->children())
    if (TAuControl* c = AsAuControl(child)) names.push_back(c->AuObject->ObjectName);
  return names;
}
}  // namespace

TEST(ControlsStacking, ListOrderWithWindowlessObjectsBelowWindowedOnes) {
  auto root = MakeObject(otPanel, QStringLiteral("Page"), {0, 0, 300, 200}, alClient);
  AddChild(*root, Plain(QStringLiteral("Red"), {0, 0, 100, 100}, 0x0000FF));
  // Windowless, though listed after a windowed panel.
  AddChild(*root, MakeObject(otBevel, QStringLiteral("Bevel"), {10, 10, 50, 50}));
  AddChild(*root, Plain(QStringLiteral("Blue"), {50, 50, 100, 100}, 0xFF0000));
  TControlHost host(QSize(300, 200));
  ASSERT_TRUE(host.Build(*root));
  EXPECT_EQ(StackedNames(*root), (std::vector<QString>{"Bevel", "Red", "Blue"}));
  const QPoint overlap(75, 75);
  EXPECT_EQ(host.Window->grab().toImage().pixelColor(overlap), QColor(0, 0, 255));

  // Reordered by the designer: the list wins again once restacked.
  std::swap(root->Objects[0], root->Objects[2]);
  RestackChildren(*root);
  EXPECT_EQ(StackedNames(*root), (std::vector<QString>{"Bevel", "Blue", "Red"}));
  EXPECT_EQ(host.Window->grab().toImage().pixelColor(overlap), QColor(255, 0, 0));
  host.Window.reset();
}

TEST(ControlsNewObjects, RecordTakesTheControlsOwnDefaults) {
  struct Case {
    TObjectType Kind;
    TAlign Align;
    TCursor Cursor;
  };
  const Case cases[] = {
      {otSplitter, TSplitterPayload::NewObjectAlign, TSplitterPayload::NewObjectCursor},
      {otMemo, alNone, TMemoPayload::NewObjectCursor},
      {otRichText, alNone, TRichTextPayload::NewObjectCursor},
      {otStandardButton, alNone, 0},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(GetObjectTypeName(c.Kind).toStdString());
    auto root = MakeObject(otPanel, QStringLiteral("Page"), {0, 0, 300, 200}, alClient);
    TControlHost host(QSize(300, 200));
    ASSERT_TRUE(host.Build(*root, false));
    TAuObject* added = AddNewObject(*root, c.Kind, 40, 30);
    ASSERT_TRUE(added);
    TControlContext context;
    context.Live = false;
    ASSERT_TRUE(CreateNewObjectControl(*added, ControlOf(*root)->ChildHost(), context));
    EXPECT_EQ(added->Align, c.Align);
    EXPECT_EQ(added->Cursor, c.Cursor);
    // A splitter docks at once among its siblings: at the left edge, full height.
    if (c.Kind == otSplitter) {
      EXPECT_EQ(BoundsOf(*added), QRect(0, 0, 5, 200));
    }
    host.Window.reset();
  }
}

// The windowless objects are painted and handed the mouse by the widget they sit on: the topmost
// one under the pointer takes it, shows its cursor and hint there, and once hidden takes nothing.
TEST(ControlsWindowless, TopmostTakesTheMouseAndShowsItsCursorAndHint) {
  auto root = MakeObject(otPanel, QStringLiteral("Page"), {0, 0, 300, 200}, alClient);
  TAuObject& hand = AddChild(*root, MakeObject(otBevel, QStringLiteral("Hand"), {10, 10, 60, 60}));
  hand.Cursor = -21;
  hand.Hint = QStringLiteral("Bevel hint");
  TAuObject& top = AddChild(*root, MakeObject(otImage, QStringLiteral("Top"), {40, 40, 60, 60}));
  TControlHost host(QSize(300, 200));
  ASSERT_TRUE(host.Build(*root));
  QWidget* page = ControlOf(*root)->ChildHost();
  ASSERT_EQ(ControlOf(hand)->HostWidget(), page);
  auto& e = host.Events;
  host.PointerEntersWindow(QPoint(290, 190));
  host.Move(host.Host(), QPoint(290, 190));
  const Qt::CursorShape own = page->cursor().shape();

  struct Step {
    const char* What;
    QPoint At;  // on the page
    const TAuObject* Under;
    Qt::CursorShape Cursor;
  };
  const Step steps[] = {
      {"onto the bevel", {20, 20}, &hand, Qt::PointingHandCursor},
      {"where the image lies over it", {50, 50}, &top, own},
      {"back on the bevel alone", {15, 60}, &hand, Qt::PointingHandCursor},
      {"off both", {200, 150}, root.get(), own},
  };
  for (const Step& s : steps) {
    SCOPED_TRACE(s.What);
    e.Clear();
    host.Move(host.Host(), page->mapTo(host.Host(), s.At));
    host.Click(host.Host(), page->mapTo(host.Host(), s.At));
    EXPECT_EQ(e.Count(K::Click, s.Under), 1);
    EXPECT_EQ(e.Count(K::Click), 1);
    EXPECT_EQ(page->cursor().shape(), s.Cursor);
  }

  // The hint of the object under the pointer, not its page's.
  host.Move(host.Host(), page->mapTo(host.Host(), QPoint(20, 20)));
  QHelpEvent help(QEvent::ToolTip, QPoint(20, 20), page->mapToGlobal(QPoint(20, 20)));
  QApplication::sendEvent(page, &help);
  EXPECT_EQ(QToolTip::text(), QStringLiteral("Bevel hint"));
  QToolTip::hideText();

  // Hidden while the pointer is on it: the cursor goes back, and the page takes the mouse there.
  hand.Visible = false;
  ControlOf(hand)->RecordChanged(TRecordChange::Common);
  EXPECT_EQ(page->cursor().shape(), own);
  e.Clear();
  host.Click(host.Host(), page->mapTo(host.Host(), QPoint(20, 20)));
  EXPECT_EQ(e.Count(K::Click, &hand), 0);
  EXPECT_EQ(e.Count(K::Click, root.get()), 1);
  host.Window.reset();
}
