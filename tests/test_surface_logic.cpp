// The design surface's rules on a real editing page: hit zones, the container under a point, drag
// steps on the grid with the remainder carried, clamping inside the parent, and how presses,
// drags, bands and clicks change the selection.
#include <gtest/gtest.h>

#include "ControlTestSupport.h"
#include "PageTestSupport.h"
#include "designer/SurfaceLogic.h"
#include "objects/Containers.h"

using namespace Surface;

namespace {

// A page panel filling a 640 × 480 host, built as the designer's editing canvas.
struct SurfacePage {
  TControlHost Host{QSize(640, 480)};
  std::unique_ptr<TAuObject> Root = NewAuObject(otPanel, QStringLiteral("Page"));

  SurfacePage() { Root->Align = alClient; }
  TAuObject& Add(TAuObject& parent, TObjectType kind, const QString& name, QRect bounds) {
    return AddObject(parent, kind, name, bounds);
  }
  void Build() { ASSERT_TRUE(Host.Build(*Root, false, true)); }
};

}  // namespace

TEST(SurfaceLogic, DragStepsGoByWholeGridUnits) {
  const struct {
    QPoint Delta;
    bool Snap;
    std::optional<QPoint> Step;
  } cases[] = {
      {{5, 0}, true, std::nullopt},    {{13, 0}, true, QPoint(8, 0)},    {{13, 5}, true, QPoint(8, 0)},
      {{-13, 3}, true, QPoint(-8, 0)}, {{7, -17}, true, QPoint(0, -16)}, {{5, 0}, false, QPoint(5, 0)},
      {{0, 0}, false, std::nullopt},
  };
  for (const auto& c : cases) {
    TGrid grid;
    grid.Snap = c.Snap;
    EXPECT_EQ(DragStep(c.Delta, grid), c.Step) << c.Delta.x() << "," << c.Delta.y() << " snap " << c.Snap;
  }
  // A grid of 0 from a hand-edited settings file divides by 1 instead of crashing.
  TGrid broken{0, -3, true};
  EXPECT_EQ(DragStep(QPoint(3, 2), broken), QPoint(3, 2));
}

TEST(SurfaceLogic, DraggedBoundsKeepAGridUnitAndStayInside) {
  const QSize parent(300, 200);
  const TGrid grid;
  const struct {
    const char* What;
    QRect Bounds;
    int Locate;
    QPoint Step;
    QRect Expected;
  } cases[] = {
      {"move", {40, 40, 100, 50}, 0, {16, 8}, {56, 48, 100, 50}},
      {"left top handle", {40, 40, 100, 50}, 1, {8, 8}, {48, 48, 92, 42}},
      {"right handle below the grid", {40, 40, 5, 50}, 4, {-8, 0}, {40, 40, 8, 50}},
      {"bottom handle below the grid", {40, 40, 50, 20}, 6, {0, -24}, {40, 40, 50, 8}},
      {"a move never enlarges", {40, 40, 5, 5}, 0, {8, 8}, {48, 48, 5, 5}},
      {"out past the right", {250, 40, 100, 50}, 0, {200, 0}, {292, 40, 100, 50}},
      {"out past the left", {10, 40, 100, 50}, 0, {-400, 0}, {-92, 40, 100, 50}},
      {"out past the top", {10, 10, 100, 50}, 0, {0, -400}, {10, -42, 100, 50}},
      {"out past the bottom", {10, 10, 100, 50}, 0, {0, 400}, {10, 192, 100, 50}},
  };
  for (const auto& c : cases) EXPECT_EQ(DraggedBounds(c.Bounds, c.Locate, c.Step, grid, parent), c.Expected) << c.What;
}

TEST(SurfaceLogic, AlignmentGridAndPastePlaces) {
  const QRect primary(100, 100, 80, 40);
  const QRect other(10, 20, 30, 10);
  const QPoint expected[6] = {{100, 20}, {150, 20}, {125, 20}, {10, 100}, {10, 130}, {10, 115}};
  for (int id = 0; id < 6; ++id) EXPECT_EQ(AlignedBounds(other, primary, id).topLeft(), expected[id]) << id;

  EXPECT_EQ(GridAligned(QPoint(11, 12), TGrid{}), QPoint(8, 16));  // a half step rounds up
  EXPECT_EQ(GridAligned(QPoint(3, 4), TGrid{}), QPoint(0, 8));

  // Copied at (100, 50) and (150, 80): the first paste lands at (8, 8) and (58, 38), the next at
  // (16, 16) and (66, 46); a target smaller than the object puts it at 0.
  const QPoint origin(100, 50);
  const QSize big(400, 300);
  EXPECT_EQ(PastePosition({100, 50, 40, 20}, 8, origin, big), QPoint(8, 8));
  EXPECT_EQ(PastePosition({150, 80, 40, 20}, 8, origin, big), QPoint(58, 38));
  EXPECT_EQ(PastePosition({100, 50, 40, 20}, 16, origin, big), QPoint(16, 16));
  EXPECT_EQ(PastePosition({150, 80, 40, 20}, 16, origin, big), QPoint(66, 46));
  EXPECT_EQ(PastePosition({150, 80, 40, 20}, 16, origin, QSize(30, 10)), QPoint(0, 0));
  EXPECT_EQ(PastePosition({150, 80, 40, 20}, 16, origin, QSize(70, 50)), QPoint(30, 30));
}

TEST(SurfaceLogic, HitZonesAndTheExcludedLastPixels) {
  SurfacePage page;
  TAuObject& shape = page.Add(*page.Root, otShape, QStringLiteral("Shape1"), {40, 40, 100, 50});
  page.Build();
  TAuObject& root = *page.Root;
  ASSERT_EQ(ObjectRect(root, shape), QRect(40, 40, 100, 50));

  // Unselected: only the body, without its last column and row.
  EXPECT_EQ(GetPointAtAuObject(root, {138, 60}, shape), 0);
  EXPECT_EQ(GetPointAtAuObject(root, {139, 60}, shape), -1);
  EXPECT_EQ(GetPointAtAuObject(root, {60, 88}, shape), 0);
  EXPECT_EQ(GetPointAtAuObject(root, {60, 89}, shape), -1);
  EXPECT_EQ(GetPointAtAuObject(root, {36, 36}, shape), -1);

  shape.Selected = true;
  const struct {
    QPoint Point;
    int Locate;
  } zones[] = {{{36, 36}, 1}, {{90, 44}, 2}, {{135, 36}, 3}, {{143, 65}, 4}, {{143, 93}, 5},
               {{90, 85}, 6}, {{44, 93}, 7}, {{36, 65}, 8},  {{90, 65}, 0},  {{144, 65}, -1}};
  for (const auto& z : zones)
    EXPECT_EQ(GetPointAtAuObject(root, z.Point, shape), z.Locate) << z.Point.x() << "," << z.Point.y();
  EXPECT_EQ(HandleRects(ObjectRect(root, shape))[4], QRect(136, 86, 8, 8));

  // A tiny object: the zones overlap and the highest number wins.
  TAuObject& dot = page.Add(root, otBevel, QStringLiteral("Dot"), {300, 300, 4, 4});
  ASSERT_TRUE(CreateObjectControl(dot, ControlOf(root)->ChildHost(), TControlContext{false}));
  dot.Selected = true;
  EXPECT_EQ(GetPointAtAuObject(root, {302, 302}, dot), 8);
}

TEST(SurfaceLogic, ContainerUnderAPoint) {
  SurfacePage page;
  TAuObject& root = *page.Root;
  TAuObject& group = page.Add(root, otGroupBox, QStringLiteral("Group"), {20, 20, 200, 150});
  page.Add(group, otStandardButton, QStringLiteral("Button"), {20, 30, 80, 30});
  TAuObject& book = page.Add(root, otTabNotebook, QStringLiteral("Book"), {260, 20, 300, 200});
  TAuObject& sheet1 = page.Add(book, otTabSheet, QStringLiteral("Sheet1"), {0, 0, 10, 10});
  TAuObject& sheet2 = page.Add(book, otTabSheet, QStringLiteral("Sheet2"), {0, 0, 10, 10});
  TAuObject& hidden = page.Add(sheet2, otShape, QStringLiteral("OnSecondSheet"), {10, 10, 50, 50});
  page.Build();

  const QRect button = ObjectRect(root, *group.Objects[0]);
  EXPECT_EQ(&GetTopParentObject(root, button.center()), &group) << "a button's container";
  EXPECT_EQ(&GetTopParentObject(root, ObjectRect(root, group).center()), &group);
  EXPECT_EQ(&GetTopParentObject(root, {600, 400}), &root) << "nothing hit";
  const QRect sheetRect = ObjectRect(root, sheet1);
  EXPECT_EQ(&GetTopParentObject(root, sheetRect.center()), &sheet1) << "the active sheet, not the notebook";
  // Objects of the sheet behind are neither hit nor visible.
  EXPECT_TRUE(GetControlAuObjectVisibleRect(root, hidden).isEmpty());
  EXPECT_EQ(GetPointAtAuObject(root, ObjectRect(root, hidden).center(), hidden), -1);
  SetActiveSheetIndex(book, 1);
  // The tab control lays out the page it brings forward on its next turn of the event loop.
  ASSERT_TRUE(QTest::qWaitFor([&] { return GetControlAuObjectVisibleRect(root, hidden) == ObjectRect(root, hidden); }));
  EXPECT_EQ(&GetTopParentObject(root, ObjectRect(root, sheet2).center()), &sheet2);
  EXPECT_EQ(GetPointAtAuObject(root, ObjectRect(root, hidden).center(), hidden), 0);
  // On a handle of a selected container the point belongs to the container's parent.
  group.Selected = true;
  EXPECT_EQ(&GetTopParentObject(root, ObjectRect(root, group).topLeft()), &root);
}

TEST(SurfaceLogic, PressDragAndReleaseChangeSelectionAndBounds) {
  SurfacePage page;
  TAuObject& root = *page.Root;
  TAuObject& a = page.Add(root, otShape, QStringLiteral("A"), {40, 40, 80, 40});
  TAuObject& b = page.Add(root, otShape, QStringLiteral("B"), {200, 40, 80, 40});
  TAuObject& locked = page.Add(root, otShape, QStringLiteral("Locked"), {360, 40, 80, 40});
  locked.Locked = true;
  TAuObject& panel = page.Add(root, otPanel, QStringLiteral("Panel"), {40, 200, 300, 200});
  TAuObject& inner = page.Add(panel, otShape, QStringLiteral("Inner"), {20, 20, 60, 40});
  page.Build();
  TGesture gesture(root);
  TGrid grid;

  // A press on an unselected object selects it alone and starts moving it.
  b.Selected = inner.Selected = true;
  gesture.Press({60, 60}, false);
  EXPECT_EQ(gesture.Mode(), TGesture::Dragging);
  EXPECT_TRUE(a.Selected);
  EXPECT_FALSE(b.Selected || inner.Selected);
  gesture.Release({60, 60}, false);

  // Multiple selection: a press on a member keeps it; 5 pixels do nothing, 13 move by 8, the
  // remaining 5 count toward the next step; the locked object stays.
  a.Selected = b.Selected = locked.Selected = true;
  gesture.Press({60, 60}, false);
  EXPECT_FALSE(gesture.Move({65, 60}, grid));
  EXPECT_EQ(Bounds(a).topLeft(), QPoint(40, 40));
  EXPECT_TRUE(gesture.Move({73, 60}, grid));
  EXPECT_EQ(Bounds(a).topLeft(), QPoint(48, 40));
  EXPECT_EQ(Bounds(b).topLeft(), QPoint(208, 40));
  EXPECT_TRUE(gesture.Move({76, 60}, grid));
  EXPECT_EQ(Bounds(a).topLeft(), QPoint(56, 40));
  EXPECT_EQ(Bounds(locked).topLeft(), QPoint(360, 40));
  EXPECT_EQ(ObjectRect(root, a).topLeft(), QPoint(56, 40)) << "the control follows its record";
  // One undo step holds every moved object once, with its place before the gesture.
  ASSERT_EQ(gesture.Changes().size(), 2u);
  EXPECT_EQ(gesture.Changes()[0].Before, QRect(40, 40, 80, 40));
  gesture.Release({76, 60}, false);
  EXPECT_TRUE(a.Selected && b.Selected && locked.Selected) << "a drag changes no selection";
  // Locked objects show no sizing cursor; others do.
  EXPECT_EQ(gesture.CursorAt(ObjectRect(root, locked).bottomRight() + QPoint(1, 1)), Qt::ArrowCursor);
  EXPECT_EQ(gesture.CursorAt(ObjectRect(root, b).bottomRight() + QPoint(1, 1)), Qt::SizeFDiagCursor);

  // A band over nested objects selects only the top-level ones it touches.
  UnselectAll(root);
  inner.Selected = true;
  gesture.Press({30, 190}, false);
  EXPECT_EQ(gesture.Mode(), TGesture::Band);
  EXPECT_TRUE(gesture.Move({100, 250}, grid));
  EXPECT_EQ(gesture.BandRect(), QRect(QPoint(30, 190), QPoint(100, 250)));
  gesture.Release({100, 250}, false);
  EXPECT_TRUE(panel.Selected);
  EXPECT_FALSE(inner.Selected || a.Selected || b.Selected);

  // Ctrl+click toggles one object and drops selected objects that are not its siblings.
  gesture.Press(ObjectRect(root, inner).center(), true);
  gesture.Release(ObjectRect(root, inner).center(), true);
  EXPECT_TRUE(inner.Selected);
  EXPECT_FALSE(panel.Selected);
  gesture.Press(ObjectRect(root, inner).center(), true);
  gesture.Release(ObjectRect(root, inner).center(), true);
  EXPECT_FALSE(inner.Selected);

  // A click on empty surface clears the selection.
  a.Selected = true;
  gesture.Press({600, 450}, false);
  gesture.Release({600, 450}, false);
  EXPECT_TRUE(SelectedObjects(root).empty());

  // Resizing from a handle below one grid unit leaves exactly one unit.
  UnselectAll(root);
  a.Selected = true;
  const QRect ra = ObjectRect(root, a);
  gesture.Press(QPoint(ra.right() + 1, ra.center().y()), false);
  EXPECT_EQ(gesture.Locate(), 4);
  EXPECT_TRUE(gesture.Move(QPoint(ra.right() + 1 - 200, ra.center().y()), grid));
  EXPECT_EQ(Bounds(a).width(), 8);
  gesture.Release({0, 0}, false);
}
