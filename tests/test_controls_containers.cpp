// The containers: docking of their children (exact rectangles over a table of layouts, nested
// containers, hidden objects), the splitter's drag, the tab notebook's pages and icons, the panel's
// background, the group box and scroll box, the standard controls and the media shells.
#include <gtest/gtest.h>

#include <QApplication>
#include <QCursor>
#include <QDesktopServices>
#include <QLabel>
#include <QPainter>
#include <QScrollBar>
#include <QTabBar>
#include <QTest>
#include <QTextDocument>
#include <functional>

#include "ControlTestSupport.h"
#include "model/Paths.h"
#include "objects/Containers.h"
#include "objects/MediaShells.h"
#include "objects/StandardControls.h"
#include "render/PaintedControls.h"
#include "render/PanelBack.h"
#include "render/PictureDecode.h"

namespace {
QRect Bounds(const TAuObject& o) { return BoundsOf(o); }

struct TChild {
  const char* Name;
  TAlign Align;
  QRect Stored;
  QRect Expected;  // in the container's child area
  bool Visible = true;
  bool FillsClient = false;  // expected: the container's whole child area
};

struct TDockCase {
  const char* What;
  TObjectType Container;
  QSize Size;
  std::vector<TChild> Children;
};
}  // namespace

TEST(ControlsDocking, LayoutsGiveExactRectangles) {
  const TDockCase cases[] = {
      {"one of each side",
       otPanel,
       {400, 300},
       {{"T", alTop, {9, 9, 10, 30}, {0, 0, 400, 30}},
        {"B", alBottom, {9, 9, 10, 20}, {0, 280, 400, 20}},
        {"L", alLeft, {9, 9, 50, 10}, {0, 30, 50, 250}},
        {"R", alRight, {9, 9, 60, 10}, {340, 30, 60, 250}},
        {"C", alClient, {9, 9, 10, 10}, {50, 30, 290, 250}},
        {"Free", alNone, {7, 8, 20, 21}, {7, 8, 20, 21}}}},
      {"list order within a side, client listed first",
       otPanel,
       {200, 100},
       {{"C", alClient, {0, 0, 1, 1}, {20, 10, 170, 90}},
        {"T1", alTop, {0, 0, 1, 5}, {0, 0, 200, 5}},
        {"L1", alLeft, {0, 0, 15, 1}, {0, 10, 15, 90}},
        {"T2", alTop, {0, 0, 1, 5}, {0, 5, 200, 5}},
        {"R1", alRight, {0, 0, 10, 1}, {190, 10, 10, 90}},
        {"L2", alLeft, {0, 0, 5, 1}, {15, 10, 5, 90}}}},
      {"sizes larger than the room are cut to it",
       otPanel,
       {100, 80},
       {{"T", alTop, {0, 0, 1, 50}, {0, 0, 100, 50}},
        {"B", alBottom, {0, 0, 1, 50}, {0, 50, 100, 30}},
        {"L", alLeft, {0, 0, 500, 1}, {0, 50, 100, 0}},
        {"C", alClient, {0, 0, 1, 1}, {100, 50, 0, 0}}}},
      {"hidden objects take no room live",
       otPanel,
       {200, 100},
       {{"Hidden", alTop, {0, 0, 1, 40}, {0, 0, 200, 40}, false},
        {"T", alTop, {0, 0, 1, 10}, {0, 0, 200, 10}},
        {"C", alClient, {0, 0, 1, 1}, {0, 10, 200, 90}}}},
      {"inside a group box, below its caption",
       otGroupBox,
       {200, 100},
       {{"C", alClient, {0, 0, 1, 1}, {}, true, true}, {"Free", alNone, {3, 4, 5, 6}, {3, 4, 5, 6}}}},
      {"inside a scroll box, in its visible area",
       otScrollBox,
       {204, 104},
       {{"T", alTop, {0, 0, 1, 30}, {0, 0, 200, 30}}, {"C", alClient, {0, 0, 1, 1}, {0, 30, 200, 70}}}},
  };
  for (const TDockCase& c : cases) {
    SCOPED_TRACE(c.What);
    auto root = MakeObject(otPanel, QStringLiteral("Page"), {0, 0, 500, 400}, alClient);
    TAuObject& box = AddChild(*root, MakeObject(c.Container, QStringLiteral("Box"), QRect(QPoint(5, 6), c.Size)));
    if (c.Container == otPanel) static_cast<TPanelPayload&>(*box.Payload).BorderStyle = TBorderStyle::bsNone;
    for (const TChild& child : c.Children) {
      TAuObject& o = AddChild(box, MakeObject(otPanel, QString::fromLatin1(child.Name), child.Stored, child.Align));
      o.Visible = child.Visible;
    }
    TControlHost host(QSize(500, 400));
    ASSERT_TRUE(host.Build(*root));
    EXPECT_EQ(Bounds(box), QRect(QPoint(5, 6), c.Size));
    QRect client = ControlOf(box)->ChildClientRect();
    if (c.Container == otGroupBox) {
      // The caption's line and the frame stay free.
      const int caption = QFontMetrics(ToQFont(static_cast<TGroupBoxPayload&>(*box.Payload).Font)).height();
      EXPECT_EQ(client, QRect(2, caption + 2, 196, 100 - caption - 4));
    }
    for (size_t i = 0; i < c.Children.size(); ++i) {
      const TChild& child = c.Children[i];
      if (!child.Visible) {
        EXPECT_FALSE(IsShownOnScreen(*box.Objects[i])) << child.Name;
        continue;
      }
      const QRect expected = child.FillsClient ? client : child.Expected;
      EXPECT_EQ(Bounds(*box.Objects[i]), expected) << child.Name;
      // Docking moves the widgets only: the records keep what was stored.
      EXPECT_EQ(QRect(box.Objects[i]->Left, box.Objects[i]->Top, box.Objects[i]->Width, box.Objects[i]->Height),
                child.Stored)
          << child.Name;
    }
  }
}

TEST(ControlsDocking, HiddenObjectsTakeRoomOnTheEditingCanvas) {
  auto root = MakeObject(otPanel, QStringLiteral("Page"), {0, 0, 200, 100}, alClient);
  TAuObject& hidden = AddChild(*root, MakeObject(otMemo, QStringLiteral("Hidden"), {0, 0, 1, 40}, alTop));
  hidden.Visible = false;
  TAuObject& client = AddChild(*root, MakeObject(otMemo, QStringLiteral("C"), {0, 0, 1, 1}, alClient));
  for (bool live : {true, false}) {
    TControlHost host(QSize(200, 100));
    ASSERT_TRUE(host.Build(*root, live));
    EXPECT_EQ(Bounds(client), live ? QRect(0, 0, 200, 100) : QRect(0, 40, 200, 60));
    // Shown again live: it takes its room back.
    if (live) {
      hidden.Visible = true;
      ControlOf(hidden)->RecordChanged(TRecordChange::Common);
      EXPECT_EQ(Bounds(client), QRect(0, 40, 200, 60));
      hidden.Visible = false;
    }
  }
}

TEST(ControlsDocking, NestedContainersAreLaidOutOnceAtTheirFinalSize) {
  auto root = MakeObject(otPanel, QStringLiteral("Page"), {0, 0, 640, 480}, alClient);
  TAuObject& side = AddChild(*root, MakeObject(otPanel, QStringLiteral("Side"), {0, 0, 150, 1}, alLeft));
  TAuObject& inner = AddChild(side, MakeObject(otPanel, QStringLiteral("Inner"), {0, 0, 1, 1}, alClient));
  TAuObject& leaf = AddChild(inner, MakeObject(otPanel, QStringLiteral("Leaf"), {0, 0, 1, 100}, alBottom));
  TAuObject& fill = AddChild(*root, MakeObject(otScrollBox, QStringLiteral("Fill"), {0, 0, 1, 1}, alClient));
  static_cast<TScrollBoxPayload&>(*fill.Payload).BorderStyle = TBorderStyle::bsNone;
  TAuObject& deep = AddChild(fill, MakeObject(otPanel, QStringLiteral("Deep"), {0, 0, 1, 1}, alClient));
  TControlHost host(QSize(640, 480));
  ASSERT_TRUE(host.Build(*root, true, false));
  EXPECT_EQ(Bounds(*root), QRect(0, 0, 640, 480));
  EXPECT_EQ(Bounds(side), QRect(0, 0, 150, 480));
  EXPECT_EQ(Bounds(inner), QRect(0, 0, 150, 480));
  EXPECT_EQ(Bounds(leaf), QRect(0, 380, 150, 100));
  EXPECT_EQ(Bounds(fill), QRect(150, 0, 490, 480));
  EXPECT_EQ(Bounds(deep), QRect(0, 0, 490, 480));
  // Each background is built once, at its final size, when the page is first drawn.
  for (TAuObject* o : {root.get(), &side, &inner, &leaf, &deep})
    EXPECT_EQ(ControlOf(*o)->RebuildCount(), 0) << o->ObjectName.toStdString();
  (void)host.Window->grab();
  for (TAuObject* o : {root.get(), &side, &inner, &leaf, &deep})
    EXPECT_EQ(ControlOf(*o)->RebuildCount(), 1) << o->ObjectName.toStdString();
  EXPECT_EQ(static_cast<TAuPanel*>(ControlOf(deep))->BackImage().size(), QSize(490, 480));

  // The host grows: the page follows, and only what changed size is rebuilt.
  host.Window->resize(700, 480);
  host.Window->show();
  ASSERT_TRUE(QTest::qWaitFor([&] { return Bounds(fill).width() == 550; }));
  (void)host.Window->grab();
  EXPECT_EQ(Bounds(side), QRect(0, 0, 150, 480));
  EXPECT_EQ(ControlOf(side)->RebuildCount(), 1);
  EXPECT_EQ(ControlOf(leaf)->RebuildCount(), 1);
  EXPECT_EQ(ControlOf(deep)->RebuildCount(), 2);
}

namespace {
// Page 400 × 300: a left panel (width 100), a splitter docked left beside it, a client memo.
struct TSplitterPage {
  std::unique_ptr<TAuObject> Root = MakeObject(otPanel, QStringLiteral("Page"), {0, 0, 400, 300}, alClient);
  TAuObject& Left = AddChild(*Root, MakeObject(otPanel, QStringLiteral("Left"), {0, 0, 100, 1}, alLeft));
  TAuObject& Split = AddChild(*Root, MakeObject(otSplitter, QStringLiteral("Split"), {0, 0, 5, 1}, alLeft));
  TAuObject& Rest = AddChild(*Root, MakeObject(otMemo, QStringLiteral("Rest"), {0, 0, 1, 1}, alClient));
  TControlHost Host{QSize(400, 300)};

  TSplitterPayload& Payload() { return static_cast<TSplitterPayload&>(*Split.Payload); }
  void Drag(int dx) {
    QWidget* bar = TControlHost::WidgetOf(Split);
    QTest::mousePress(bar, Qt::LeftButton, {}, QPoint(2, 50));
    // Two steps: the bar moves under the mouse while it is dragged.
    const QPoint target = bar->mapToGlobal(QPoint(2 + dx, 50));
    QTest::mouseMove(bar, bar->mapFromGlobal(target - QPoint(dx / 2, 0)));
    QTest::mouseMove(bar, bar->mapFromGlobal(target));
    QTest::mouseRelease(bar, Qt::LeftButton, {}, bar->mapFromGlobal(target));
  }
};
}  // namespace

TEST(ControlsSplitter, DragResizesTheNeighbourWithinItsLimits) {
  struct Case {
    const char* What;
    int MinSize;
    bool AutoSnap;
    TResizeStyle Style;
    int Dx;
    int Expected;
  };
  const Case cases[] = {
      {"wider", 30, false, rsUpdate, 50, 150},
      {"narrower", 30, false, rsUpdate, -40, 60},
      {"held at the minimum", 30, false, rsUpdate, -90, 30},
      {"snapped closed at the minimum", 30, true, rsUpdate, -90, 0},
      // 400 less the minimum less the others on this axis (the bar's 5) is the most it can take.
      {"held at the most the room allows", 30, false, rsUpdate, 500, 365},
      {"resized when let go", 30, false, rsLine, 20, 120},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.What);
    TSplitterPage page;
    page.Payload().MinSize = c.MinSize;
    page.Payload().AutoSnap = c.AutoSnap;
    page.Payload().ResizeStyle = c.Style;
    ASSERT_TRUE(page.Host.Build(*page.Root));
    ASSERT_EQ(static_cast<TAuSplitter*>(ControlOf(page.Split))->Neighbour(), &page.Left);
    page.Drag(c.Dx);
    EXPECT_EQ(page.Left.Width, c.Expected);
    EXPECT_EQ(Bounds(page.Left), QRect(0, 0, c.Expected, 300));
    EXPECT_EQ(Bounds(page.Split), QRect(c.Expected, 0, 5, 300));
    EXPECT_EQ(Bounds(page.Rest), QRect(c.Expected + 5, 0, 395 - c.Expected, 300));
  }
}

TEST(ControlsSplitter, EditingCanvasDoesNotResize) {
  TSplitterPage page;
  ASSERT_TRUE(page.Host.Build(*page.Root, false));
  page.Drag(50);
  EXPECT_EQ(page.Left.Width, 100);
  EXPECT_EQ(Bounds(page.Left).width(), 100);
}

TEST(ControlsSplitter, FindsTheNeighbourOnEachSide) {
  struct Case {
    TAlign Align;
    bool Horizontal;
  };
  for (const Case c : {Case{alTop, false}, Case{alBottom, false}, Case{alRight, true}}) {
    SCOPED_TRACE(int(c.Align));
    auto root = MakeObject(otPanel, QStringLiteral("Page"), {0, 0, 400, 300}, alClient);
    TAuObject& other = AddChild(*root, MakeObject(otPanel, QStringLiteral("Other"), {0, 0, 80, 80}, c.Align));
    TAuObject& split = AddChild(*root, MakeObject(otSplitter, QStringLiteral("Split"), {0, 0, 5, 5}, c.Align));
    static_cast<TSplitterPayload&>(*split.Payload).AutoSnap = false;
    TControlHost host(QSize(400, 300));
    ASSERT_TRUE(host.Build(*root));
    EXPECT_EQ(static_cast<TAuSplitter*>(ControlOf(split))->Neighbour(), &other);
    // Dragging towards the neighbour makes it smaller.
    QWidget* bar = TControlHost::WidgetOf(split);
    const QPoint towards = c.Align == alTop ? QPoint(0, -20) : c.Align == alBottom ? QPoint(0, 20) : QPoint(20, 0);
    QTest::mousePress(bar, Qt::LeftButton, {}, QPoint(2, 2));
    QTest::mouseMove(bar, QPoint(2, 2) + towards);
    QTest::mouseRelease(bar, Qt::LeftButton, {}, bar->mapFromGlobal(bar->mapToGlobal(QPoint(2, 2))));
    EXPECT_EQ(c.Horizontal ? other.Width : other.Height, 60);
  }
}

namespace {
TPicture SolidPicture(QColor color) {
  QImage image(8, 8, QImage::Format_ARGB32);
  image.fill(color);
  return EncodePicture(image, TGraphicKind::Png);
}
}  // namespace

TEST(ControlsTabNotebook, ShowsItsDefaultPageAndIconsAfterLoading) {
  auto root = MakeObject(otPanel, QStringLiteral("Page"), {0, 0, 400, 300}, alClient);
  TAuObject& book = AddChild(*root, MakeObject(otTabNotebook, QStringLiteral("Book"), {10, 10, 300, 200}));
  auto& payload = static_cast<TTabNotebookPayload&>(*book.Payload);
  payload.DefaultActivePageIndex = 2;
  payload.IconWidth = 12;
  payload.IconHeight = 10;
  const QColor colors[] = {Qt::red, QColor(), Qt::blue};
  for (int i = 0; i < 3; ++i) {
    TAuObject& sheet = AddChild(book, MakeObject(otTabSheet, QStringLiteral("Sheet%1").arg(i)));
    auto& p = static_cast<TTabSheetPayload&>(*sheet.Payload);
    p.Caption = QStringLiteral("Tab %1").arg(i);
    if (colors[i].isValid()) p.Icon = SolidPicture(colors[i]);
  }
  TControlHost host(QSize(400, 300));
  ASSERT_TRUE(host.Build(*root));
  auto* notebook = static_cast<TAuTabNotebook*>(ControlOf(book));
  ASSERT_EQ(notebook->PageCount(), 3);
  EXPECT_EQ(notebook->ActivePageIndex(), 2);
  EXPECT_TRUE(IsShownOnScreen(*book.Objects[2]));
  EXPECT_FALSE(IsShownOnScreen(*book.Objects[0]));
  for (int i = 0; i < 3; ++i) {
    EXPECT_EQ(notebook->Tabs()->tabText(i), QStringLiteral("Tab %1").arg(i));
    EXPECT_EQ(notebook->Page(i)->AuObject, book.Objects[size_t(i)].get());
  }
  EXPECT_EQ(notebook->ImageIndex(0), 0);
  EXPECT_EQ(notebook->ImageIndex(1), -1);
  EXPECT_EQ(notebook->ImageIndex(2), 2);
  EXPECT_TRUE(notebook->Tabs()->tabIcon(1).isNull());
  EXPECT_FALSE(notebook->Tabs()->tabIcon(2).isNull());
  // One white picture of the icon size per page, the icon stretched over it where there is one.
  ASSERT_EQ(notebook->IconImages().size(), 3u);
  for (int i = 0; i < 3; ++i) {
    const QImage& image = notebook->IconImages()[size_t(i)];
    EXPECT_EQ(image.size(), QSize(12, 10));
    EXPECT_EQ(image.pixelColor(6, 5), colors[i].isValid() ? colors[i] : QColor(Qt::white)) << i;
  }

  // A stored page outside the pages shows the page activated last.
  payload.DefaultActivePageIndex = 7;
  TControlHost again(QSize(400, 300));
  ASSERT_TRUE(again.Build(*root));
  EXPECT_EQ(static_cast<TAuTabNotebook*>(ControlOf(book))->ActivePageIndex(), 1);

  // A sheet added later joins as the last page and gets its icon at once.
  auto added = MakeObject(otTabSheet, QStringLiteral("Added"));
  static_cast<TTabSheetPayload&>(*added->Payload).Icon = SolidPicture(Qt::green);
  TAuObject& sheet = AddChild(book, std::move(added));
  ASSERT_TRUE(CreateObjectControl(sheet, ControlOf(book)->ChildHost(), ControlOf(book)->Context()));
  auto* grown = static_cast<TAuTabNotebook*>(ControlOf(book));
  ASSERT_EQ(grown->PageCount(), 4);
  EXPECT_EQ(grown->ImageIndex(3), 3);
  EXPECT_EQ(grown->IconImages()[3].pixelColor(6, 5), QColor(Qt::green));
}

TEST(ControlsTabNotebook, TabBarClicksAreTheNotebooksAndSheetClicksTheSheets) {
  auto root = MakeObject(otPanel, QStringLiteral("Page"), {0, 0, 400, 300}, alClient);
  TAuObject& book = AddChild(*root, MakeObject(otTabNotebook, QStringLiteral("Book"), {10, 10, 300, 200}));
  TAuObject& sheet = AddChild(book, MakeObject(otTabSheet, QStringLiteral("Sheet")));
  static_cast<TTabSheetPayload&>(*sheet.Payload).Caption = QStringLiteral("First");
  TControlHost host(QSize(400, 300));
  ASSERT_TRUE(host.Build(*root));
  auto* notebook = static_cast<TAuTabNotebook*>(ControlOf(book));
  QTabBar* bar = notebook->Tabs()->tabBar();
  const QPoint onTab = bar->tabRect(0).center();
  QTest::mouseClick(bar, Qt::LeftButton, {}, onTab);
  const auto& e = host.Events;
  EXPECT_EQ(e.Count(TRecordedEvent::Click, &book), 1);
  ASSERT_TRUE(e.Last(TRecordedEvent::Down));
  EXPECT_EQ(e.Last(TRecordedEvent::Down)->Pos, bar->mapTo(notebook->Widget(), onTab));
  EXPECT_EQ(e.Count(TRecordedEvent::Click, &sheet), 0);

  host.Events.Clear();
  QTest::mouseClick(TControlHost::WidgetOf(sheet), Qt::LeftButton, {}, QPoint(30, 30));
  EXPECT_EQ(e.Count(TRecordedEvent::Click, &sheet), 1);
  EXPECT_EQ(e.Count(TRecordedEvent::Click, &book), 0);
  EXPECT_EQ(e.Last(TRecordedEvent::Down)->Pos, QPoint(30, 30));
}

TEST(ControlsPanel, BackgroundFillsTheClientAndIsRebuiltOnlyForANewSizeOrLook) {
  for (TBorderStyle border : {TBorderStyle::bsNone, TBorderStyle::bsSingle}) {
    SCOPED_TRACE(int(border));
    auto root = MakeObject(otPanel, QStringLiteral("Page"), {0, 0, 400, 300}, alClient);
    TAuObject& panel = AddChild(*root, MakeObject(otPanel, QStringLiteral("P"), {10, 20, 120, 90}));
    auto& p = static_cast<TPanelPayload&>(*panel.Payload);
    p.BorderStyle = border;
    p.Color = 0x00336699;
    p.PanelBack.GradientStyle = gsTopBottom;
    p.PanelBack.GradientColor = 0x00FFFFFF;
    TControlHost host(QSize(400, 300));
    ASSERT_TRUE(host.Build(*root));
    auto* control = static_cast<TAuPanel*>(ControlOf(panel));
    const int edge = border == TBorderStyle::bsSingle ? 2 : 0;
    const QSize client(120 - 2 * edge, 90 - 2 * edge);
    EXPECT_EQ(control->ChildHost()->geometry(), QRect(QPoint(edge, edge), client));
    // Built when first painted, at the client's size.
    auto paint = [&] { (void)host.Window->grab(); };
    paint();
    TPanelBackContext context;
    context.PanelColor = p.Color;
    context.Font = p.Font;
    EXPECT_EQ(control->BackImage(), BuildPanelBackImage(client, p.PanelBack, context));
    EXPECT_EQ(control->RebuildCount(), 1);
    paint();
    EXPECT_EQ(control->RebuildCount(), 1);

    panel.Left = 50;
    control->RecordChanged(TRecordChange::Bounds);
    paint();
    EXPECT_EQ(control->RebuildCount(), 1);
    panel.Width = 150;
    control->RecordChanged(TRecordChange::Bounds);
    paint();
    EXPECT_EQ(control->RebuildCount(), 2);
    EXPECT_EQ(control->BackImage().width(), 150 - 2 * edge);
    p.PanelBack.GradientColor = 0;
    control->RecordChanged(TRecordChange::Payload);
    paint();
    EXPECT_EQ(control->RebuildCount(), 3);
  }
}

TEST(ControlsPanel, HugeStoredSizesAreBoundedAndPaintedWithoutAPicture) {
  auto root = MakeObject(otPanel, QStringLiteral("Page"), {0, 0, 300, 200}, alClient);
  TAuObject& huge =
      AddChild(*root, MakeObject(otPanel, QStringLiteral("Huge"), {-2000000000, 5, 2000000000, 2000000000}));
  TControlHost host(QSize(300, 200));
  ASSERT_TRUE(host.Build(*root));
  const QRect g = Bounds(huge);
  EXPECT_EQ(g.size(), QSize(MaxControlExtent, MaxControlExtent));
  EXPECT_TRUE(static_cast<TAuPanel*>(ControlOf(huge))->BackImage().isNull());
  EXPECT_FALSE(host.Window->grab().isNull());
  // Shown bounded, stored as read.
  StoreControlsToRecords(*root);
  EXPECT_EQ(huge.Left, -2000000000);
  EXPECT_EQ(huge.Width, 2000000000);
}

TEST(ControlsGroupBox, ClassicLookOnTheEditingCanvas) {
  auto root = MakeObject(otPanel, QStringLiteral("Page"), {0, 0, 300, 200}, alClient);
  TAuObject& box = AddChild(*root, MakeObject(otGroupBox, QStringLiteral("G"), {10, 10, 150, 100}));
  auto& p = static_cast<TGroupBoxPayload&>(*box.Payload);
  p.Caption = QStringLiteral("Options");
  p.Color = 0x0080C0E0;
  TControlHost host(QSize(300, 200));
  ASSERT_TRUE(host.Build(*root, false));
  QImage expected(150, 100, QImage::Format_ARGB32_Premultiplied);
  expected.fill(Qt::transparent);
  {
    QPainter painter(&expected);
    PaintGroupBoxClassic(painter, expected.size(), p);
  }
  const QImage shown = TControlHost::WidgetOf(box)->grab().toImage().convertToFormat(expected.format());
  EXPECT_EQ(shown, expected);

  // Live it is the platform's box on its own colour.
  TControlHost live(QSize(300, 200));
  ASSERT_TRUE(live.Build(*root));
  QWidget* liveBox = TControlHost::WidgetOf(box);
  const QImage liveShown = liveBox->grab().toImage().convertToFormat(expected.format());
  EXPECT_EQ(liveShown.pixelColor(2, 2), ToQColor(p.Color)) << "above the frame, the box's colour";
  EXPECT_NE(liveShown, expected);
  EXPECT_EQ(static_cast<QGroupBox*>(TControlHost::WidgetOf(box))->title(), QStringLiteral("Options"));
}

TEST(ControlsScrollBox, ScrollBarsOnlyLiveAndTheAreaHoldsEveryChild) {
  for (bool live : {true, false}) {
    SCOPED_TRACE(live ? "live" : "editing");
    auto root = MakeObject(otPanel, QStringLiteral("Page"), {0, 0, 400, 300}, alClient);
    TAuObject& box = AddChild(*root, MakeObject(otScrollBox, QStringLiteral("S"), {0, 0, 200, 150}));
    TAuObject& far = AddChild(box, MakeObject(otStandardButton, QStringLiteral("Far"), {500, 400, 97, 25}));
    TControlHost host(QSize(400, 300));
    ASSERT_TRUE(host.Build(*root, live));
    auto* area = static_cast<QScrollArea*>(TControlHost::WidgetOf(box));
    const Qt::ScrollBarPolicy policy = live ? Qt::ScrollBarAsNeeded : Qt::ScrollBarAlwaysOff;
    EXPECT_EQ(area->horizontalScrollBarPolicy(), policy);
    EXPECT_EQ(area->verticalScrollBarPolicy(), policy);
    EXPECT_EQ(ControlOf(box)->ChildHost()->size(), QSize(597, 425));
    EXPECT_EQ(area->horizontalScrollBar()->isVisible(), live);
    // Moved closer, the area shrinks back to the visible part.
    far.Left = 10;
    far.Top = 10;
    ControlOf(far)->RecordChanged(TRecordChange::Bounds);
    EXPECT_EQ(ControlOf(box)->ChildHost()->size(), area->viewport()->size());
  }
}

TEST(ControlsStandard, TextViewsShowTheirRecords) {
  auto root = MakeObject(otPanel, QStringLiteral("Page"), {0, 0, 400, 300}, alClient);
  TAuObject& memo = AddChild(*root, MakeObject(otMemo, QStringLiteral("M"), {0, 0, 150, 100}));
  auto& m = static_cast<TMemoPayload&>(*memo.Payload);
  m.Lines = QStringLiteral("first\r\nsecond");
  m.Alignment = taCenter;
  m.ScrollBars = ssBoth;
  m.WordWrap = false;
  m.Color = 0x0000FFFF;
  m.BorderStyle = TBorderStyle::bsNone;
  m.TabStop = true;
  memo.Cursor = -21;
  TAuObject& rich = AddChild(*root, MakeObject(otRichText, QStringLiteral("R"), {200, 0, 150, 100}));
  auto& r = static_cast<TRichTextPayload&>(*rich.Payload);
  r.Document = QByteArray("{\\rtf1\\ansi {\\b bold} plain\\par}");
  r.ScrollBars = ssNone;
  r.TabStop = false;
  TAuObject& plain = AddChild(*root, MakeObject(otRichText, QStringLiteral("P"), {0, 150, 150, 100}));
  auto& pl = static_cast<TRichTextPayload&>(*plain.Payload);
  pl.Document = QByteArray("{\\rtf1 not read as rich text}");
  pl.PlainText = true;
  TControlHost host(QSize(400, 300));
  ASSERT_TRUE(host.Build(*root));

  auto* mv = dynamic_cast<TAuTextView&>(*ControlOf(memo)).View();
  EXPECT_EQ(mv->toPlainText(), QStringLiteral("first\nsecond"));
  EXPECT_TRUE(mv->isReadOnly());
  EXPECT_EQ(mv->document()->defaultTextOption().alignment(), Qt::AlignHCenter);
  EXPECT_EQ(mv->lineWrapMode(), QTextEdit::NoWrap);
  EXPECT_EQ(mv->horizontalScrollBarPolicy(), Qt::ScrollBarAlwaysOn);
  EXPECT_EQ(mv->verticalScrollBarPolicy(), Qt::ScrollBarAlwaysOn);
  EXPECT_EQ(mv->frameShape(), QFrame::NoFrame);
  // Tab stops on the memo, whose record asks for it, and not on the rich text (nor on any view of
  // a record that does not).
  EXPECT_EQ(mv->focusPolicy(), Qt::StrongFocus);
  EXPECT_EQ(mv->palette().color(QPalette::Base), QColor(255, 255, 0));
  // The record's cursor shows over the text, not the text cursor.
  EXPECT_EQ(mv->viewport()->cursor().shape(), Qt::PointingHandCursor);

  auto* rv = dynamic_cast<TAuTextView&>(*ControlOf(rich)).View();
  EXPECT_EQ(rv->toPlainText().trimmed(), QStringLiteral("bold plain"));
  EXPECT_EQ(rv->verticalScrollBarPolicy(), Qt::ScrollBarAlwaysOff);
  EXPECT_EQ(rv->focusPolicy(), Qt::ClickFocus);
  EXPECT_EQ(dynamic_cast<TAuTextView&>(*ControlOf(plain)).View()->toPlainText(),
            QStringLiteral("{\\rtf1 not read as rich text}"));

  // An edit of the record shows at once.
  m.Lines = QStringLiteral("changed");
  ControlOf(memo)->RecordChanged();
  EXPECT_EQ(mv->toPlainText(), QStringLiteral("changed"));
}

// A text view shows a picture of its view until the user reaches for it; the picture must be what
// the view then shows, whatever the record and the surroundings say.
TEST(ControlsStandard, TextViewsLookTheSameBeforeAndAfterMakingTheirView) {
  struct TCase {
    const char* Name;
    TObjectType Kind;
    std::function<void(TAuObject&)> Set;
    TColor PanelColor;
    bool Enabled;
  };
  const QByteArray rtf(
      "{\\rtf1\\ansi{\\fonttbl{\\f0 Arial;}}{\\colortbl;\\red200\\green0\\blue0;}"
      "\\qc{\\b bold}\\par\\cf1 red {\\i italic}\\par\\pard\\li200 indented line that is long "
      "enough to wrap at this width\\par}");
  const std::vector<TCase> cases = {
      {"memo with both scroll bars, unwrapped, coloured", otMemo,
       [](TAuObject& o) {
         auto& m = static_cast<TMemoPayload&>(*o.Payload);
         m.Lines = QStringLiteral("first line that is rather long\r\nsecond\r\nthird\r\nfourth\r\nfifth\r\nsixth");
         m.ScrollBars = ssBoth;
         m.WordWrap = false;
         m.Color = 0x00C0FFFF;
         m.Font.Size = 12;
         m.Font.Style = {fsBold};
         m.Font.Color = 0x00800000;
       },
       clBtnFace, true},
      {"memo centred, no border, on a coloured panel", otMemo,
       [](TAuObject& o) {
         auto& m = static_cast<TMemoPayload&>(*o.Payload);
         m.Lines = QStringLiteral("centred\r\ntext");
         m.Alignment = taCenter;
         m.BorderStyle = TBorderStyle::bsNone;
         m.ScrollBars = ssVertical;
       },
       0x0000A000, true},
      {"disabled memo", otMemo,
       [](TAuObject& o) {
         static_cast<TMemoPayload&>(*o.Payload).Lines = QStringLiteral("greyed");
         o.Enable = false;
       },
       clBtnFace, true},
      {"memo on a disabled panel", otMemo,
       [](TAuObject& o) { static_cast<TMemoPayload&>(*o.Payload).Lines = QStringLiteral("inherits"); }, clBtnFace,
       false},
      {"rich text with formatting and a scroll bar", otRichText,
       [&](TAuObject& o) {
         auto& r = static_cast<TRichTextPayload&>(*o.Payload);
         r.Document = rtf;
         r.ScrollBars = ssVertical;
       },
       clBtnFace, true},
  };
  for (const TCase& c : cases) {
    SCOPED_TRACE(c.Name);
    auto root = MakeObject(otPanel, QStringLiteral("Page"), {0, 0, 300, 200}, alClient);
    static_cast<TPanelPayload&>(*root->Payload).Color = c.PanelColor;
    root->Enable = c.Enabled;
    TAuObject& text = AddChild(*root, MakeObject(c.Kind, QStringLiteral("T"), {20, 20, 180, 90}));
    c.Set(text);
    TControlHost host(QSize(300, 200));
    ASSERT_TRUE(host.Build(*root));
    auto& view = dynamic_cast<TAuTextView&>(*ControlOf(text));
    ASSERT_FALSE(view.HasView());
    const QImage before = host.Host()->grab().toImage();
    view.View();
    QApplication::processEvents();
    EXPECT_TRUE(view.HasView());
    const QImage after = host.Host()->grab().toImage();
    EXPECT_TRUE(before == after);
    if (before != after && qEnvironmentVariableIsSet("MENUVIA_TEST_DUMP")) {
      before.save(QStringLiteral("/tmp/tv_before_%1.png").arg(&c - cases.data()));
      after.save(QStringLiteral("/tmp/tv_after_%1.png").arg(&c - cases.data()));
    }
    // Nothing was left empty: the view drew something other than the panel behind it.
    EXPECT_NE(after.pixel(25, 25), after.pixel(10, 10));
  }
}

// The picture follows the record and the area's size while there is no view yet.
TEST(ControlsStandard, TextViewPicturesFollowTheRecord) {
  auto root = MakeObject(otPanel, QStringLiteral("Page"), {0, 0, 300, 200}, alClient);
  TAuObject& memo = AddChild(*root, MakeObject(otMemo, QStringLiteral("M"), {20, 20, 150, 80}));
  auto& m = static_cast<TMemoPayload&>(*memo.Payload);
  m.Lines = QStringLiteral("before");
  TControlHost host(QSize(300, 200));
  ASSERT_TRUE(host.Build(*root));
  auto& view = dynamic_cast<TAuTextView&>(*ControlOf(memo));
  const QImage first = host.Host()->grab().toImage();
  m.Lines = QStringLiteral("after, and longer");
  m.Color = 0x0080FFFF;
  memo.Width = 200;
  view.RecordChanged();
  const QImage changed = host.Host()->grab().toImage();
  EXPECT_FALSE(changed == first);
  ASSERT_FALSE(view.HasView());
  EXPECT_EQ(view.View()->toPlainText(), QStringLiteral("after, and longer"));
  QApplication::processEvents();
  EXPECT_TRUE(host.Host()->grab().toImage() == changed);
}

// Live, the pointer entering a text view or the keyboard reaching it makes its view; on the editing
// canvas the designer has the mouse and no view is made.
TEST(ControlsStandard, TextViewsMakeTheirViewWhenReached) {
  for (const bool live : {true, false}) {
    SCOPED_TRACE(live ? "live" : "editing");
    auto root = MakeObject(otPanel, QStringLiteral("Page"), {0, 0, 300, 200}, alClient);
    TAuObject& first = AddChild(*root, MakeObject(otMemo, QStringLiteral("A"), {10, 10, 120, 80}));
    TAuObject& second = AddChild(*root, MakeObject(otRichText, QStringLiteral("B"), {150, 10, 120, 80}));
    TControlHost host(QSize(300, 200));
    ASSERT_TRUE(host.Build(*root, live));
    auto& a = dynamic_cast<TAuTextView&>(*ControlOf(first));
    auto& b = dynamic_cast<TAuTextView&>(*ControlOf(second));
    host.Move(a.Widget(), {40, 40});
    EXPECT_EQ(a.HasView(), live);
    EXPECT_FALSE(b.HasView());
    if (!live) continue;
    // The press that follows reaches the page as the object's, through the view.
    host.Events.Clear();
    host.Click(a.Widget(), {40, 40});
    EXPECT_EQ(host.Events.Count(TRecordedEvent::Click, &first), 1);
    const TRecordedEvent* down = host.Events.Last(TRecordedEvent::Down);
    ASSERT_NE(down, nullptr);
    EXPECT_EQ(down->Object, &first);
    EXPECT_EQ(down->Pos, QPoint(40, 40));
    // Focus given by the keyboard goes on to the view of the second one.
    b.Widget()->setFocus(Qt::TabFocusReason);
    ASSERT_TRUE(b.HasView());
    EXPECT_TRUE(QTest::qWaitFor([&] { return b.View()->hasFocus(); }));
  }
}

TEST(ControlsStandard, ButtonShowsCaptionFontAndDefault) {
  auto root = MakeObject(otPanel, QStringLiteral("Page"), {0, 0, 400, 300}, alClient);
  TAuObject& button = AddChild(*root, MakeObject(otStandardButton, QStringLiteral("B"), {0, 0, 97, 25}));
  auto& p = static_cast<TStandardButtonPayload&>(*button.Payload);
  p.Caption = QStringLiteral("&Go");
  p.Default = true;
  p.Font.Style = fsBold;
  p.Font.Color = 0x000000FF;
  TControlHost host(QSize(400, 300));
  ASSERT_TRUE(host.Build(*root));
  auto* b = static_cast<QPushButton*>(TControlHost::WidgetOf(button));
  EXPECT_EQ(b->text(), QStringLiteral("&Go"));
  EXPECT_TRUE(b->isDefault());
  // It looks like the platform's button given that font and colour.
  QWidget plain;
  QPushButton same(QStringLiteral("&Go"), &plain);
  same.setGeometry(b->geometry());
  same.setDefault(true);
  same.setFont(ToQFont(p.Font));
  QPalette pal = same.palette();
  pal.setColor(QPalette::ButtonText, QColor(255, 0, 0));
  same.setPalette(pal);
  const QImage shown = b->grab().toImage();
  EXPECT_EQ(shown, same.grab().toImage());
  // And not like one in the default font.
  same.setFont(QFont());
  EXPECT_NE(shown, same.grab().toImage());
}

TEST(ControlsStandard, ButtonClickedFromTheKeyboardReportsOneClick) {
  auto root = MakeObject(otPanel, QStringLiteral("Page"), {0, 0, 400, 300}, alClient);
  TAuObject& ok = AddChild(*root, MakeObject(otStandardButton, QStringLiteral("Ok"), {0, 0, 97, 25}));
  TAuObject& cancel = AddChild(*root, MakeObject(otStandardButton, QStringLiteral("Cancel"), {0, 40, 97, 25}));
  TAuObject& plain = AddChild(*root, MakeObject(otStandardButton, QStringLiteral("Plain"), {0, 80, 97, 25}));
  static_cast<TStandardButtonPayload&>(*ok.Payload).Default = true;
  static_cast<TStandardButtonPayload&>(*cancel.Payload).Cancel = true;
  TControlHost host(QSize(400, 300));
  ASSERT_TRUE(host.Build(*root));
  host.Window->activateWindow();
  ASSERT_TRUE(QTest::qWaitForWindowActive(host.Window.get()));
  auto& e = host.Events;
  auto clicks = [&](const TAuObject& o) { return e.Count(TRecordedEvent::Click, &o); };

  // The mouse: one click, not one from the mouse and one from the button.
  host.Click(TControlHost::WidgetOf(plain), QPoint(10, 10));
  EXPECT_EQ(clicks(plain), 1);

  QWidget* focused = TControlHost::WidgetOf(plain);
  focused->setFocus();
  QTest::keyClick(focused, Qt::Key_Space);
  EXPECT_TRUE(QTest::qWaitFor([&] { return clicks(plain) == 2; }));
  // Enter and Escape anywhere on the page click the default and the cancel button.
  QTest::keyClick(host.Window.get(), Qt::Key_Escape);
  EXPECT_TRUE(QTest::qWaitFor([&] { return clicks(cancel) == 1; }));
  QTest::keyClick(host.Window.get(), Qt::Key_Return);
  EXPECT_TRUE(QTest::qWaitFor([&] { return clicks(ok) == 1; }));
  EXPECT_EQ(clicks(plain), 2);
  EXPECT_EQ(e.Count(TRecordedEvent::Down), 1);
}

namespace {
class TViewEngine : public TShellEngine {
 public:
  void Apply(TAuMediaShell& shell) override {
    ++Applied;
    if (!shell.EngineView()) shell.SetEngineView(new QLabel(QStringLiteral("content")));
  }
  int Applied = 0;
};

// The bounding rectangle of the pure blue pixels of image (the message's colour).
QRect BlueBounds(const QImage& image) {
  QRect r;
  for (int y = 0; y < image.height(); ++y)
    for (int x = 0; x < image.width(); ++x)
      if (image.pixelColor(x, y) == QColor(0, 0, 255)) r |= QRect(x, y, 1, 1);
  return r;
}

// text as the message is to look on shell: blue, centred and wrapped in the client rectangle, in
// the shell's font, bold or not.
QImage MessagePicture(QWidget& shell, const QString& text, bool bold) {
  QImage image(shell.size(), QImage::Format_ARGB32);
  image.fill(Qt::white);
  QPainter p(&image);
  QFont font = shell.font();
  font.setBold(bold);
  p.setFont(font);
  p.setPen(QColor(0, 0, 255));
  p.drawText(shell.contentsRect(), Qt::AlignCenter | Qt::TextWordWrap, text);
  return image;
}
}  // namespace

TEST(ControlsMediaShells, ShellsWithAndWithoutTheirEngine) {
  const TObjectType kinds[] = {otWebBrowser, otMediaPlayer, otFlashPlayer, otPDFReader};
  for (bool engine : {false, true})
    for (bool live : {true, false})
      for (TObjectType kind : kinds) {
        SCOPED_TRACE(GetObjectTypeName(kind).toStdString() + (engine ? " engine" : "") + (live ? " live" : ""));
        if (engine) SetShellEngineFactory(kind, [](TAuMediaShell&) { return std::make_unique<TViewEngine>(); });
        auto root = MakeObject(otPanel, QStringLiteral("Page"), {0, 0, 400, 300}, alClient);
        TAuObject& o = AddChild(*root, MakeObject(kind, QStringLiteral("S"), {0, 0, 289, 193}));
        TControlHost host(QSize(400, 300));
        // Nothing under the pointer: entering the media player makes its bar.
        QCursor::setPos(-5000, -5000);
        ASSERT_TRUE(host.Build(*root, live));
        auto* shell = static_cast<TAuMediaShell*>(ControlOf(o));
        const bool hasMessage = kind == otFlashPlayer || kind == otPDFReader;
        // Engines run live only; a missing one is told by the message.
        EXPECT_EQ(shell->Engine() != nullptr, engine && live);
        const bool shown = hasMessage && live && !engine;
        EXPECT_EQ(shell->MessageShown(), shown);
        const QImage image = TControlHost::WidgetOf(o)->grab().toImage();
        EXPECT_EQ(BlueBounds(image).isEmpty(), !shown);
        if (shown) {
          const QString text = kind == otFlashPlayer ? FlashNotInstalledText : PDFNotInstalledText;
          EXPECT_EQ(shell->MessageText(), text);
          // Bold, centred and wrapped over the whole client rectangle.
          EXPECT_EQ(BlueBounds(image), BlueBounds(MessagePicture(*shell, text, true)));
          EXPECT_NE(BlueBounds(image), BlueBounds(MessagePicture(*shell, text, false)));
        } else {
          EXPECT_TRUE(shell->MessageText().isEmpty());
        }
        if (!hasMessage) {
          shell->ShowMessage(QStringLiteral("not for this kind"));
          EXPECT_FALSE(shell->MessageShown());
        }
        // Until an engine needs more, a shell is one widget.
        if (!(engine && live)) {
          EXPECT_TRUE(shell->findChildren<QWidget*>().isEmpty());
        }
        if (engine && live) {
          ASSERT_TRUE(shell->EngineView());
          EXPECT_EQ(shell->EngineView()->geometry(), shell->ContentArea()->rect());
          EXPECT_EQ(static_cast<TViewEngine*>(shell->Engine())->Applied, 1);
          ControlOf(o)->RecordChanged();
          EXPECT_EQ(static_cast<TViewEngine*>(shell->Engine())->Applied, 2);
        }
        const QColor inside = image.pixelColor(100, 50);
        if (kind == otMediaPlayer && !(engine && live)) {
          EXPECT_EQ(inside, QColor(Qt::black));
        }
        if (kind == otPDFReader && !live) {
          EXPECT_EQ(inside, QColor(Qt::white));
        }
        SetShellEngineFactory(kind, {});
      }
}

namespace {
// Takes the links the program opens, instead of the desktop, while it lives.
class TLinkCatcher : public QObject {
  Q_OBJECT
 public:
  TLinkCatcher() { QDesktopServices::setUrlHandler(QStringLiteral("https"), this, "Open"); }
  ~TLinkCatcher() override { QDesktopServices::unsetUrlHandler(QStringLiteral("https")); }
  QList<QUrl> Opened;

 public Q_SLOTS:
  void Open(const QUrl& url) { Opened << url; }
};

// The cursor shown over p in w: that of the deepest widget there that sets one.
Qt::CursorShape CursorAt(QWidget* w, QPoint p) {
  for (QWidget* c = w->childAt(p) ? w->childAt(p) : w; c; c = c->parentWidget())
    if (c->testAttribute(Qt::WA_SetCursor)) return c->cursor().shape();
  return Qt::ArrowCursor;
}
}  // namespace

// The message has the mouse over it, as a part of the object that is not the object: what is done
// there is no event of the object's, and a left click there opens the download page. The border
// around it stays the object's.
TEST(ControlsMediaShells, TheMessageHasTheMouseAndOpensTheDownloadPage) {
  using K = TRecordedEvent;
  const QPoint border(1, 1), message(100, 100);
  struct TStep {
    enum { Move, Press, Release, Click, DoubleClick } What;
    QPoint At;
    Qt::MouseButton Button = Qt::LeftButton;
  };
  const struct {
    const char* Name;
    bool Enabled;
    std::vector<TStep> Steps;
    int Opened;
    std::vector<K::TKind> Events;  // the object's, but for entering and leaving
  } cases[] = {
      {"a click on the message", true, {{TStep::Click, message}}, 1, {}},
      {"a double click on the message", true, {{TStep::DoubleClick, message}}, 2, {}},
      {"a right click on the message", true, {{TStep::Click, message, Qt::RightButton}}, 0, {}},
      {"moves over the message", true, {{TStep::Move, message}, {TStep::Move, message + QPoint(10, 5)}}, 0, {}},
      {"a move onto the border", true, {{TStep::Move, message}, {TStep::Move, border}}, 0, {K::Move}},
      {"a click on the border", true, {{TStep::Click, border}}, 0, {K::Down, K::Click, K::Up}},
      {"pressed on the border, released on the message",
       true,
       {{TStep::Press, border}, {TStep::Release, message}},
       0,
       {K::Down, K::Move, K::Click, K::Up}},
      {"pressed on the message, released on the border",
       true,
       {{TStep::Press, message}, {TStep::Release, border}},
       0,
       {}},
      {"pressed on the message, a right button pressed and released on the border",
       true,
       {{TStep::Press, message},
        {TStep::Press, border, Qt::RightButton},
        {TStep::Release, border, Qt::RightButton},
        {TStep::Release, message}},
       1,
       {}},
      {"pressed on the border, a right button pressed and released on the message",
       true,
       {{TStep::Press, border},
        {TStep::Press, message, Qt::RightButton},
        {TStep::Release, message, Qt::RightButton},
        {TStep::Release, message}},
       0,
       {K::Down, K::Move, K::Down, K::Up, K::Up}},
      {"a click on the message of a disabled object", false, {{TStep::Click, message}}, 0, {}},
      {"a click on the border of a disabled object", false, {{TStep::Click, border}}, 0, {K::Down, K::Up}},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.Name);
    auto root = MakeObject(otPanel, QStringLiteral("Page"), {0, 0, 400, 300}, alClient);
    TAuObject& o = AddChild(*root, MakeObject(otFlashPlayer, QStringLiteral("S"), {10, 10, 289, 193}));
    o.Enable = c.Enabled;
    TControlHost host(QSize(400, 300));
    ASSERT_TRUE(host.Build(*root));
    auto* shell = static_cast<TAuMediaShell*>(ControlOf(o));
    ASSERT_TRUE(shell->MessageShown());
    TLinkCatcher links;
    host.PointerEntersWindow(host.At(shell, c.Steps.front().At));
    host.Move(shell, c.Steps.front().At);
    host.Events.Clear();
    for (const TStep& step : c.Steps) {
      switch (step.What) {
        case TStep::Move:
          host.Move(shell, step.At);
          break;
        case TStep::Press:
          host.Press(shell, step.At, step.Button);
          break;
        case TStep::Release:
          host.Release(shell, step.At, step.Button);
          break;
        case TStep::Click:
          host.Click(shell, step.At, step.Button);
          break;
        case TStep::DoubleClick:
          host.DoubleClick(shell, step.At);
          break;
      }
    }
    std::vector<K::TKind> events;
    for (K::TKind k : host.Events.Kinds(&o))
      if (k != K::Enter && k != K::Leave) events.push_back(k);
    EXPECT_EQ(events, c.Events);
    ASSERT_EQ(links.Opened.size(), c.Opened);
    for (const QUrl& url : links.Opened) EXPECT_EQ(url, QUrl(shell->DownloadAddress()));
  }
}

// The pointing hand over the message, the object's own cursor elsewhere; without the message the
// middle is the object's again.
TEST(ControlsMediaShells, TheMessageShowsThePointingHand) {
  for (TCursor cursor : {TCursor(0), TCursor(-3)}) {
    SCOPED_TRACE(cursor);
    auto root = MakeObject(otPanel, QStringLiteral("Page"), {0, 0, 400, 300}, alClient);
    TAuObject& o = AddChild(*root, MakeObject(otPDFReader, QStringLiteral("S"), {10, 10, 289, 193}));
    o.Cursor = cursor;
    TControlHost host(QSize(400, 300));
    ASSERT_TRUE(host.Build(*root));
    auto* shell = static_cast<TAuMediaShell*>(ControlOf(o));
    const Qt::CursorShape own = cursor ? CursorShapeOf(cursor) : Qt::ArrowCursor;
    const QPoint border(1, 1), message(100, 100);
    host.PointerEntersWindow(host.At(shell, border));
    for (int round = 0; round < 2; ++round) {
      host.Move(shell, border);
      EXPECT_EQ(CursorAt(shell, border), own);
      host.Move(shell, message);
      EXPECT_EQ(CursorAt(shell, message), Qt::PointingHandCursor);
    }
    // The record's cursor applied again keeps the hand over the message.
    o.Cursor = -3;
    ControlOf(o)->RecordChanged(TRecordChange::Common);
    EXPECT_EQ(CursorAt(shell, message), Qt::PointingHandCursor);
    host.Move(shell, border);
    EXPECT_EQ(CursorAt(shell, border), Qt::CrossCursor);

    // Hidden, the message leaves the mouse and the cursor to the object.
    host.Move(shell, message);
    shell->HideMessage();
    EXPECT_EQ(CursorAt(shell, message), Qt::CrossCursor);
    EXPECT_TRUE(BlueBounds(shell->grab().toImage()).isEmpty());
    host.Events.Clear();
    host.Click(shell, message);
    EXPECT_EQ(host.Events.Count(TRecordedEvent::Click, &o), 1);
  }
}

TEST(ControlsMediaShells, MediaPlayerControlBarAndBorder) {
  for (bool bar : {true, false}) {
    auto root = MakeObject(otPanel, QStringLiteral("Page"), {0, 0, 400, 300}, alClient);
    TAuObject& o = AddChild(*root, MakeObject(otMediaPlayer, QStringLiteral("M"), {0, 0, 289, 193}));
    static_cast<TMediaPlayerPayload&>(*o.Payload).ControlBar = bar;
    TControlHost host(QSize(400, 300));
    // Nothing under the pointer: entering the player makes its bar.
    QCursor::setPos(-5000, -5000);
    ASSERT_TRUE(host.Build(*root));
    auto* player = static_cast<TAuMediaPlayer*>(ControlOf(o));
    // Before a medium opens the bar is a picture of itself; its widgets, once made, look the same.
    EXPECT_FALSE(player->HasBarWidgets());
    const QImage before = host.Host()->grab().toImage();
    (void)player->ControlBar();
    QApplication::processEvents();
    EXPECT_TRUE(host.Host()->grab().toImage() == before);
    const QRect client = player->contentsRect();
    EXPECT_EQ(client, QRect(2, 2, 285, 189));
    EXPECT_EQ(player->ControlBar()->isVisible(), bar);
    // The display area is black to its edges, with the bar below it.
    const QRect display = bar ? QRect(2, 2, 285, 189 - TAuMediaPlayer::ControlBarHeight) : client;
    const QImage shown = player->grab().toImage();
    for (QPoint corner : {display.topLeft(), display.topRight(), display.bottomLeft(), display.bottomRight()})
      EXPECT_EQ(shown.pixelColor(corner), QColor(Qt::black)) << corner.x() << "," << corner.y();
    if (bar) {
      EXPECT_NE(shown.pixelColor(display.bottomLeft() + QPoint(0, 1)), QColor(Qt::black));
    }
    EXPECT_EQ(player->ContentArea()->geometry(), display);
    EXPECT_FALSE(player->PlayButton()->isEnabled());
    EXPECT_FALSE(player->TrackBar()->isEnabled());
    if (bar) {
      EXPECT_EQ(player->TrackBar()->geometry(), QRect(86, 1, 285 - 86 - 1, 20));
    }
  }
}

// The bar's mouse is its own, picture or not: a click on it is not the object's.
TEST(ControlsMediaShells, MediaPlayerBarKeepsItsMouse) {
  auto root = MakeObject(otPanel, QStringLiteral("Page"), {0, 0, 400, 300}, alClient);
  TAuObject& o = AddChild(*root, MakeObject(otMediaPlayer, QStringLiteral("M"), {10, 10, 289, 193}));
  TControlHost host(QSize(400, 300));
  ASSERT_TRUE(host.Build(*root));
  auto* player = static_cast<TAuMediaPlayer*>(ControlOf(o));
  ASSERT_FALSE(player->HasBarWidgets());
  const QPoint onBar(150, 193 - 2 - TAuMediaPlayer::ControlBarHeight / 2);
  // The pointer comes in over the display area.
  QCursor::setPos(player->mapToGlobal(QPoint(150, 40)));
  EXPECT_TRUE(QTest::qWaitFor([&] { return player->HasBarWidgets(); }));
  host.Events.Clear();
  host.Click(player, onBar);
  EXPECT_EQ(host.Events.Count(TRecordedEvent::Click, &o), 0);
  EXPECT_EQ(host.Events.Count(TRecordedEvent::Down, &o), 0);
  // The display area is the object's.
  host.Click(player, {150, 40});
  EXPECT_EQ(host.Events.Count(TRecordedEvent::Click, &o), 1);
}

TEST(ControlsMediaShells, WebBrowserAddress) {
  struct Case {
    int Type;
    const char* Url;
    bool Live;
    QString Expected;
  };
  const QString folder = QStringLiteral("/media/disc");
  const Case cases[] = {
      {0, "https://example.org/a?b", true, QStringLiteral("https://example.org/a?b")},
      {1, "\\doc\\index.htm", true, MakeAbsolutePathIn(folder, QStringLiteral("\\doc\\index.htm"))},
      {2, "\\pictures", true, MakeAbsolutePathIn(folder, QStringLiteral("\\pictures"))},
      {7, "\\not\\a\\file", true, QStringLiteral("\\not\\a\\file")},
      {0, "", true, QString()},
      {0, "https://example.org/", false, QString()},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.Url);
    auto root = MakeObject(otPanel, QStringLiteral("Page"), {0, 0, 400, 300}, alClient);
    TAuObject& o = AddChild(*root, MakeObject(otWebBrowser, QStringLiteral("W"), {0, 0, 289, 193}));
    auto& p = static_cast<TWebBrowserPayload&>(*o.Payload);
    p.BrowserType = c.Type;
    p.URL = QString::fromLatin1(c.Url);
    QWidget window;
    TControlContext context;
    context.Live = c.Live;
    context.ProjectFolder = folder;
    ASSERT_TRUE(CreateObjectControl(*root, &window, context));
    EXPECT_EQ(static_cast<TAuWebBrowser*>(ControlOf(o))->NavigationAddress(), c.Expected);
    delete root->Control.data();
  }
  EXPECT_EQ(MakeAbsolutePathIn(folder, QStringLiteral("\\doc\\index.htm")),
            QStringLiteral("/media/disc/doc/index.htm"));
}

#include "test_controls_containers.moc"
