// The design surface in the running designer: Qt Test mouse and key events on EditForm and the
// key sink, the palette, the Edit commands, and undo and redo of every surface edit compared as
// page streams byte for byte.
#include <QLineEdit>
#include <QMouseEvent>
#include <QToolBar>

#include "DesignerTestSupport.h"
#include "designer/EditForm.h"
#include "designer/SurfaceCommands.h"
#include "objects/ObjectControl.h"
#include "player/PageObjects.h"

namespace {

TAuObject* Find(TAuObject& at, const QString& name) {
  for (const auto& child : at.Objects) {
    if (child->ObjectName == name) return child.get();
    if (TAuObject* found = Find(*child, name)) return found;
  }
  return nullptr;
}

QStringList Names(const TAuObject& container) {
  QStringList names;
  for (const auto& child : container.Objects) names << child->ObjectName;
  return names;
}

class DesignSurface : public DesignerTest {
 protected:
  // A 640 × 480 page: two buttons, a panel holding a button, a locked label, a group box, a
  // small panel, two shapes, and a notebook of two sheets each holding a button.
  TMainForm& StartSurface() {
    TPageData page = MakePage(QStringLiteral("Surface"));
    page.Width = 656;
    page.Height = 531;
    TAuObject& root = *page.PanelObject;
    AddObject(root, otStandardButton, QStringLiteral("A"), {40, 40, 80, 30});
    AddObject(root, otStandardButton, QStringLiteral("B"), {40, 100, 80, 30});
    TAuObject& box = AddObject(root, otPanel, QStringLiteral("Box"), {200, 40, 200, 150});
    AddObject(box, otStandardButton, QStringLiteral("Inner"), {16, 16, 80, 30});
    AddObject(root, otSimpleText, QStringLiteral("Fixed"), {40, 200, 80, 30}).Locked = true;
    AddObject(root, otGroupBox, QStringLiteral("Group"), {300, 220, 150, 100});
    AddObject(root, otPanel, QStringLiteral("Small"), {500, 20, 30, 20});
    AddObject(root, otShape, QStringLiteral("S1"), {100, 50, 40, 20});
    AddObject(root, otShape, QStringLiteral("S2"), {150, 80, 40, 20});
    TAuObject& book = AddObject(root, otTabNotebook, QStringLiteral("Book"), {40, 300, 200, 120});
    AddObject(AddObject(book, otTabSheet, QStringLiteral("Sheet1"), {0, 0, 10, 10}), otStandardButton,
              QStringLiteral("OnSheet1"), {8, 8, 60, 24});
    AddObject(AddObject(book, otTabSheet, QStringLiteral("Sheet2"), {0, 0, 10, 10}), otStandardButton,
              QStringLiteral("OnSheet2"), {8, 8, 60, 24});
    ReSetObjectsOrder(root);
    const QString file = WriteProject(Folder(QStringLiteral("Disc")), {{QStringLiteral("Home"), std::move(page)}});
    TMainForm& form = Start(file);
    EXPECT_TRUE(QTest::qWaitFor([&] { return form.EditForm->isVisible() && Root(); }));
    return form;
  }

  TEditForm& Edit() { return *Form->EditForm; }
  TAuObject* Root() { return State().LoadedPage() ? State().EditPage().PanelObject() : nullptr; }
  TAuObject& Obj(const QString& name) {
    TAuObject* o = Find(*Root(), name);
    EXPECT_NE(o, nullptr) << name.toStdString();
    return *o;
  }
  QRect Rect(const QString& name) { return Surface::Bounds(Obj(name)); }
  QByteArray Stream() {
    QByteArray bytes;
    EXPECT_TRUE(State().PageBytes(*State().LoadedPage(), bytes));
    return bytes;
  }
  QStringList SelectedNames() {
    QStringList names;
    for (TAuObject* o : Surface::SelectedObjects(*Root())) names << o->ObjectName;
    names.sort();
    return names;
  }

  // Mouse input at surface points.
  QPoint At(QPoint p) { return p + Edit().SurfaceOrigin(); }
  void Press(QPoint p, Qt::KeyboardModifiers m = {}) { QTest::mousePress(&Edit(), Qt::LeftButton, m, At(p)); }
  void Release(QPoint p, Qt::KeyboardModifiers m = {}) { QTest::mouseRelease(&Edit(), Qt::LeftButton, m, At(p)); }
  void MoveHeld(QPoint p) {
    QMouseEvent e(QEvent::MouseMove, QPointF(At(p)), Edit().mapToGlobal(QPointF(At(p))), Qt::NoButton, Qt::LeftButton,
                  Qt::NoModifier);
    QApplication::sendEvent(&Edit(), &e);
  }
  void Click(QPoint p, Qt::KeyboardModifiers m = {}) {
    Press(p, m);
    Release(p, m);
  }
  void Drag(QPoint from, std::initializer_list<QPoint> path, Qt::KeyboardModifiers m = {}) {
    Press(from, m);
    QPoint last = from;
    for (QPoint p : path) MoveHeld(last = p);
    Release(last, m);
  }
  // Selects name as the primary object, and the others with it.
  void SelectObjects(const QString& primary, const QStringList& others = {}) {
    Form->SelectObjectNode(&Obj(primary));
    for (const QString& name : others) Obj(name).Selected = true;
    Form->UpdateEditCommands();
  }
};

TEST_F(DesignSurface, DragMovesTheSelectionInWholeGridStepsAsOneUndoStep) {
  StartSurface();
  Click({50, 50});
  EXPECT_EQ(SelectedNames(), QStringList{QStringLiteral("A")}) << "a click on an unselected object selects it alone";
  Click({50, 110}, Qt::ControlModifier);
  EXPECT_EQ(SelectedNames(), (QStringList{QStringLiteral("A"), QStringLiteral("B")}));
  const QByteArray before = Stream();
  const int steps = State().UndoStack().count();

  Press({60, 110});  // on B, already selected: the whole selection moves
  Edit().Picture();
  const int fullPaints = Edit().FullPaints(), partPaints = Edit().PartPaints();
  MoveHeld({65, 110});
  EXPECT_EQ(Rect(QStringLiteral("A")).topLeft(), QPoint(40, 40)) << "5 pixels is less than a grid step";
  MoveHeld({73, 110});
  EXPECT_EQ(Rect(QStringLiteral("A")).topLeft(), QPoint(48, 40)) << "13 pixels moves by 8";
  MoveHeld({78, 110});
  EXPECT_EQ(Rect(QStringLiteral("B")).topLeft(), QPoint(56, 100)) << "the 5 left over count toward the next step";
  // The drag drew only what it touched, and that is what drawing the whole page gives.
  const QImage dragged = Edit().Picture();
  EXPECT_EQ(Edit().FullPaints(), fullPaints);
  EXPECT_GT(Edit().PartPaints(), partPaints);
  Edit().DoRefresh();
  EXPECT_EQ(Edit().Picture(), dragged);
  Release({78, 110});
  EXPECT_EQ(SelectedNames(), (QStringList{QStringLiteral("A"), QStringLiteral("B")}));
  EXPECT_EQ(State().UndoStack().count(), steps + 1) << "one gesture, one step";
  const QByteArray after = Stream();
  EXPECT_NE(after, before);

  State().UndoStack().undo();
  EXPECT_EQ(Stream(), before);
  EXPECT_EQ(Rect(QStringLiteral("A")).topLeft(), QPoint(40, 40));
  State().UndoStack().redo();
  EXPECT_EQ(Stream(), after);
}

TEST_F(DesignSurface, ResizingAndMovingKeepAGridUnitAndStayInside) {
  StartSurface();
  const int bottom = ControlOf(*Root())->ChildHost()->height();
  const struct {
    const char* What;
    QPoint From;
    QPoint To;
    QRect Expected;
  } cases[] = {
      // A at (40, 40, 80, 30): the right-middle handle is centred at (120, 55).
      {"narrower than the grid becomes one unit", {120, 55}, {0, 55}, {40, 40, 8, 30}},
      {"bottom-right handle grows by whole steps", {120, 70}, {139, 87}, {40, 40, 96, 46}},
      {"dragged far left, one unit stays inside", {60, 50}, {-600, 50}, {8 - 80, 40, 80, 30}},
      {"dragged far down, one unit stays inside", {60, 50}, {60, 2000}, {40, bottom - 8, 80, 30}},
  };
  for (const auto& c : cases) {
    SelectObjects(QStringLiteral("A"));
    const QByteArray before = Stream();
    Drag(c.From, {c.To});
    EXPECT_EQ(Rect(QStringLiteral("A")), c.Expected) << c.What;
    State().UndoStack().undo();
    EXPECT_EQ(Stream(), before) << c.What;
  }
}

TEST_F(DesignSurface, HitTestingBandsAndCtrlClicks) {
  StartSurface();
  // The last pixel column and row of an unselected object are not its body.
  const struct {
    QPoint At;
    bool Hits;
  } hits[] = {{{119, 50}, false}, {{118, 50}, true}, {{50, 69}, false}, {{50, 68}, true}, {{40, 40}, true}};
  for (const auto& h : hits) {
    Click({600, 450});
    Click(h.At);
    EXPECT_EQ(Obj(QStringLiteral("A")).Selected, h.Hits) << h.At.x() << "," << h.At.y();
  }

  // Ctrl+click toggles, and drops a selection in another container.
  Click({50, 50});
  Click({50, 110}, Qt::ControlModifier);
  Click({50, 50}, Qt::ControlModifier);
  EXPECT_EQ(SelectedNames(), QStringList{QStringLiteral("B")});
  Click({230, 70}, Qt::ControlModifier);  // Inner, inside Box
  EXPECT_EQ(SelectedNames(), QStringList{QStringLiteral("Inner")});

  // A band over nested objects selects the top-level objects it touches only.
  Drag({180, 30}, {{260, 60}});
  EXPECT_EQ(SelectedNames(), QStringList{QStringLiteral("Box")});
  EXPECT_EQ(Tree().currentItem(), Tree().ObjectItem(&Obj(QStringLiteral("Box")))) << "DoSelect follows";
  Drag({600, 470}, {{590, 460}});
  EXPECT_TRUE(SelectedNames().isEmpty());
  EXPECT_EQ(TProjectTree::Level(Tree().currentItem()), 1) << "nothing selected: the page node";
}

TEST_F(DesignSurface, LockedObjectsStayUnderTheMouseButFollowKeysAndAlignment) {
  TMainForm& form = StartSurface();
  Click({50, 210});
  ASSERT_EQ(SelectedNames(), QStringList{QStringLiteral("Fixed")});
  // White handles: the top-left handle's inside at (40, 200).
  const QImage shot = Edit().grab().toImage();
  EXPECT_EQ(QColor(shot.pixel(At({41, 201}))), QColor(Qt::white));
  EXPECT_EQ(Edit().Gesture()->Mode(), Surface::TGesture::Idle);
  Drag({60, 210}, {{100, 250}});
  EXPECT_EQ(Rect(QStringLiteral("Fixed")).topLeft(), QPoint(40, 200));
  QTest::mouseMove(&Edit(), At({120, 215}));
  EXPECT_EQ(Edit().cursor().shape(), Qt::ArrowCursor) << "no sizing cursor on a locked object";

  QTest::keyClick(form.Edit2, Qt::Key_Right, Qt::ControlModifier);
  QTest::keyClick(form.Edit2, Qt::Key_Down, Qt::ShiftModifier);
  EXPECT_EQ(Rect(QStringLiteral("Fixed")), QRect(41, 200, 80, 31));
  SelectObjects(QStringLiteral("A"), {QStringLiteral("Fixed")});
  form.AlignSelectedObjects(0);
  EXPECT_EQ(Rect(QStringLiteral("Fixed")).left(), 40);

  // A free object shows the sizing cursors.
  SelectObjects(QStringLiteral("B"));
  QTest::mouseMove(&Edit(), At({120, 115}));
  EXPECT_EQ(Edit().cursor().shape(), Qt::SizeHorCursor);
}

TEST_F(DesignSurface, PaletteInsertsIntoTheContainerUnderThePointer) {
  TMainForm& form = StartSurface();
  EXPECT_EQ(form.ToolBar2->actions().size(), 25);
  QAction* splitter = form.ObjectPalette.Button(otSplitter);
  ASSERT_NE(splitter, nullptr);
  EXPECT_EQ(splitter->toolTip(), QStringLiteral("Add Splitter"));

  const QByteArray before = Stream();
  splitter->trigger();
  Click({600, 450});
  ASSERT_EQ(Recorded().Shown.size(), 1u);
  EXPECT_EQ(Recorded().Shown[0].Caption, SurfaceTexts::SplitterCaption);
  EXPECT_EQ(Recorded().Shown[0].Text, SurfaceTexts::SplitterParent);
  EXPECT_EQ(Stream(), before);
  EXPECT_TRUE(form.ObjectPalette.SelectButton()->isChecked());

  splitter->trigger();
  Click({340, 270});
  TAuObject& group = Obj(QStringLiteral("Group"));
  ASSERT_EQ(group.Objects.size(), 1u);
  EXPECT_EQ(group.Objects[0]->ObjectType, otSplitter);
  EXPECT_EQ(form.PrimaryObject(), group.Objects[0].get());
  EXPECT_TRUE(form.ObjectPalette.SelectButton()->isChecked());
  State().UndoStack().undo();
  EXPECT_EQ(Stream(), before);

  // A button lands on the grid, relative to the panel under the point.
  form.ObjectPalette.Button(otStandardButton)->trigger();
  Click({200 + 53, 40 + 30});
  ASSERT_EQ(Obj(QStringLiteral("Box")).Objects.size(), 2u);
  EXPECT_EQ(Surface::Bounds(*Obj(QStringLiteral("Box")).Objects[1]).topLeft(), QPoint(56, 32));
}

TEST_F(DesignSurface, PasteCascadesAndPicksItsContainer) {
  TMainForm& form = StartSurface();
  SelectObjects(QStringLiteral("S1"), {QStringLiteral("S2")});
  form.Copy1->trigger();
  EXPECT_EQ(form.PasteOffsets.PasteOff, 8);
  Select(PageNode(0));
  form.UpdateEditCommands();
  ASSERT_TRUE(form.Paste1->isEnabled());
  const auto pastedRects = [&] {
    std::vector<QPoint> places;
    for (TAuObject* o : Surface::SelectedObjects(*Root())) places.push_back(Surface::Bounds(*o).topLeft());
    return places;
  };
  form.Paste1->trigger();
  EXPECT_EQ(pastedRects(), (std::vector<QPoint>{{8, 8}, {58, 38}}));
  const QString shape = GetObjectTypeName(otShape);
  // A pasted object whose name is taken gets the kind's name and the first free number.
  for (TAuObject* o : Surface::SelectedObjects(*Root()))
    EXPECT_TRUE(o->ObjectName.startsWith(shape)) << o->ObjectName.toStdString();
  Select(PageNode(0));
  form.Paste1->trigger();
  EXPECT_EQ(pastedRects(), (std::vector<QPoint>{{16, 16}, {66, 46}}));

  // Onto a selected panel: into it, pulled back to 0 when it is too small.
  SelectObjects(QStringLiteral("Small"));
  form.Paste1->trigger();
  ASSERT_EQ(Obj(QStringLiteral("Small")).Objects.size(), 2u);
  for (const auto& child : Obj(QStringLiteral("Small")).Objects)
    EXPECT_EQ(Surface::Bounds(*child).topLeft(), QPoint(0, 0));
  // Onto a selected button: into the button's container.
  const size_t inBox = Obj(QStringLiteral("Box")).Objects.size();
  SelectObjects(QStringLiteral("Inner"));
  form.Paste1->trigger();
  EXPECT_EQ(Obj(QStringLiteral("Box")).Objects.size(), inBox + 2);
}

TEST_F(DesignSurface, EveryCommandUndoesToTheSamePageStream) {
  TMainForm& form = StartSurface();
  const struct {
    const char* What;
    std::function<void()> Run;
    std::function<void()> Check;
  } cases[] = {
      {"Delete key on a notebook with its sheets",
       [&] {
         SelectObjects(QStringLiteral("Book"));
         QTest::keyClick(form.Edit2, Qt::Key_Delete);
       },
       [&] {
         EXPECT_EQ(Find(*Root(), QStringLiteral("Book")), nullptr);
         EXPECT_EQ(Find(*Root(), QStringLiteral("OnSheet2")), nullptr);
       }},
      {"Cut",
       [&] {
         SelectObjects(QStringLiteral("A"), {QStringLiteral("B")});
         form.Cut1->trigger();
       },
       [&] { EXPECT_EQ(Find(*Root(), QStringLiteral("B")), nullptr); }},
      {"Paste",
       [&] {
         SelectObjects(QStringLiteral("A"));
         form.Copy1->trigger();
         form.Paste1->trigger();
       },
       [&] { EXPECT_EQ(Root()->Objects.size(), 10u); }},
      {"Align Right",
       [&] {
         SelectObjects(QStringLiteral("A"), {QStringLiteral("S1")});
         form.AlignRight1->trigger();
       },
       [&] { EXPECT_EQ(Rect(QStringLiteral("S1")).left(), 80); }},
      {"Align to Grid",
       [&] {
         SelectObjects(QStringLiteral("S1"));
         form.AligntoGrid1->trigger();
       },
       [&] { EXPECT_EQ(Rect(QStringLiteral("S1")).topLeft(), QPoint(104, 48)); }},
      {"Bring to Front of a painted object below windowed siblings",
       [&] {
         SelectObjects(QStringLiteral("S1"));
         form.BringToFront1->trigger();
       },
       [&] {
         const QStringList names = Names(*Root());
         EXPECT_LT(names.indexOf(QStringLiteral("S1")), names.indexOf(QStringLiteral("A")));
         EXPECT_GT(names.indexOf(QStringLiteral("S1")), names.indexOf(QStringLiteral("S2")));
       }},
      {"Send to Back",
       [&] {
         SelectObjects(QStringLiteral("Group"));
         form.SendToBack1->trigger();
       },
       [&] { EXPECT_EQ(Names(*Root()).indexOf(QStringLiteral("Group")), 3); }},
      {"Ctrl+arrow moves",
       [&] {
         SelectObjects(QStringLiteral("A"), {QStringLiteral("B")});
         QTest::keyClick(form.Edit2, Qt::Key_Left, Qt::ControlModifier);
       },
       [&] { EXPECT_EQ(Rect(QStringLiteral("B")).left(), 39); }},
      {"Shift+arrow resizes",
       [&] {
         SelectObjects(QStringLiteral("A"));
         QTest::keyClick(form.Edit2, Qt::Key_Up, Qt::ShiftModifier);
       },
       [&] { EXPECT_EQ(Rect(QStringLiteral("A")).height(), 29); }},
      {"New TabSheet",
       [&] {
         SelectObjects(QStringLiteral("Sheet1"));
         form.UpdateEditCommands();
         EXPECT_TRUE(form.NewTabSheet1->isVisible());
         form.NewTabSheet1->trigger();
       },
       [&] { EXPECT_EQ(Obj(QStringLiteral("Book")).Objects.size(), 3u); }},
  };
  for (const auto& c : cases) {
    const QByteArray before = Stream();
    const int steps = State().UndoStack().index();
    c.Run();
    EXPECT_EQ(State().UndoStack().index(), steps + 1) << c.What;
    c.Check();
    const QByteArray after = Stream();
    EXPECT_NE(after, before) << c.What;
    State().UndoStack().undo();
    EXPECT_EQ(Stream(), before) << c.What;
    State().UndoStack().redo();
    EXPECT_EQ(Stream(), after) << c.What;
    State().UndoStack().undo();
  }
}

}  // namespace

// Dragging the surface's right and bottom border resizes the page, as one undo step.
TEST_F(DesignSurface, TheBorderResizesThePageAsOneUndoStep) {
  StartSurface();
  TEditForm& edit = Edit();
  const QByteArray before = Stream();
  const QSize start = edit.size();
  const QSize pageStart = State().EditPage().size();
  const int steps = State().UndoStack().count();
  // Events by screen position, as a mouse gives them: the surface is re-centred while it grows.
  const auto send = [&](QEvent::Type type, QPoint global, Qt::MouseButton button, Qt::MouseButtons buttons) {
    QMouseEvent e(type, edit.mapFromGlobal(QPointF(global)), QPointF(global), button, buttons, Qt::NoModifier);
    QApplication::sendEvent(&edit, &e);
  };
  const auto drag = [&](QPoint from, QPoint by) {
    const QPoint global = edit.mapToGlobal(from);
    send(QEvent::MouseButtonPress, global, Qt::LeftButton, Qt::LeftButton);
    send(QEvent::MouseMove, global + by / 2, Qt::NoButton, Qt::LeftButton);
    send(QEvent::MouseMove, global + by, Qt::NoButton, Qt::LeftButton);
    send(QEvent::MouseButtonRelease, global + by, Qt::LeftButton, Qt::NoButton);
  };

  drag(QPoint(start.width() - 2, start.height() - 2), QPoint(40, 24));
  EXPECT_EQ(edit.size(), start + QSize(40, 24));
  EXPECT_EQ(State().EditPage().Page.Width, 656 + 40);
  EXPECT_EQ(State().EditPage().Page.Height, 531 + 24);
  EXPECT_EQ(State().UndoStack().count(), steps + 1);
  EXPECT_TRUE(SelectedNames().isEmpty()) << "the border is not the surface";
  const QByteArray grown = Stream();
  EXPECT_NE(grown, before);

  // The right border alone leaves the height; the page never shrinks below a usable surface.
  drag(QPoint(edit.width() - 1, edit.height() / 2), QPoint(-5000, 300));
  EXPECT_EQ(State().EditPage().size(), QSize(40, pageStart.height() + 24));

  State().UndoStack().undo();
  EXPECT_EQ(Stream(), grown);
  State().UndoStack().undo();
  EXPECT_EQ(Stream(), before);
  EXPECT_EQ(edit.size(), start);
  State().UndoStack().redo();
  EXPECT_EQ(Stream(), grown);
  EXPECT_EQ(edit.size(), start + QSize(40, 24));
}
