// The page window at run time: loading and the initial opacity, fades, the close countdown, the
// close handler, go to page, splash, exit and full-screen pages, the editing canvas, and the events
// of its objects (clicks, presses, dragging the window, mouse opacities, menu items).
#include <QMenuBar>
#include <QMouseEvent>

#include "ControlTestSupport.h"
#include "PageTestSupport.h"
#include "model/PayloadsFading.h"
#include "model/PayloadsStandard.h"
#include "objects/FadingKinds.h"
#include "objects/PageRender.h"
#include "render/PictureDecode.h"

namespace {

QWidget* WidgetOf(const TAuObject& object) { return qobject_cast<QWidget*>(object.Control.data()); }

// A mouse event at a point of an object, sent to the widget that takes it there.
void SendMouse(const TAuObject* o, QEvent::Type type, Qt::MouseButton button, Qt::MouseButtons buttons,
               Qt::KeyboardModifiers modifiers, QPoint pos) {
  static quint64 timestamp = 1;
  const TMouseTarget t = MouseTargetOf(*o, pos);
  QMouseEvent e(type, QPointF(t.Pos), QPointF(t.Widget->mapToGlobal(t.Pos)), button, buttons, modifiers);
  e.setTimestamp(++timestamp);  // each event its own, as the platform sends them
  QApplication::sendEvent(t.Widget, &e);
}

TEST(PageFades, Values) {
  const struct {
    int alpha, step;
    std::vector<int> in;
  } fadeIn[] = {
      {60, 10, {0, 25, 50, 75, 100, 125, 150, 153}},
      {100, 100, {0, 255}},  // one step, then the target
      {100, 50, {0, 127, 254, 255}},
      {0, 10, {0}},
      {100, 0, {}},  // a step of 0 still moves (checked by size below)
  };
  for (const auto& c : fadeIn) {
    const auto values = FadeInValues(c.alpha, c.step);
    if (c.in.empty()) {
      EXPECT_EQ(values.size(), 256u) << "step 0 moves one value at a time";
      EXPECT_EQ(values.back(), 255);
      continue;
    }
    EXPECT_EQ(values, c.in) << c.alpha << " " << c.step;
  }
  const struct {
    int alpha, step;
    std::vector<int> out;
  } fadeOut[] = {
      {153, 50, {153, 26, 0}},
      {255, 100, {255, 0}},
      {0, 10, {0}},
  };
  for (const auto& c : fadeOut) EXPECT_EQ(FadeOutValues(c.alpha, c.step), c.out) << c.alpha << " " << c.step;
  // A damaged step of 0 ends all the same.
  EXPECT_EQ(FadeOutValues(3, 0), (std::vector<int>{3, 2, 1, 0}));
}

class PageWindow : public PageTestBase {
 protected:
  void TearDown() override {
    SetMediaStarter({});
    PageTestBase::TearDown();
  }
};

TEST_F(PageWindow, InitialOpacityAndFadeIn) {
  const struct {
    int alpha;
    bool fade;
    int loaded;  // alpha value right after loading
  } cases[] = {
      {60, false, 153},
      {50, false, 127},
      {100, false, 255},
      {60, true, 0},
  };
  for (const auto& c : cases) {
    Project.Forms.clear();
    TPageData page = MakePage("Alpha");
    page.FormAlpha = c.alpha;
    page.FormFade = c.fade;
    page.FormFadeInStep = 50;
    AddPage("Alpha", page);
    TAutoRunForm form;
    ASSERT_TRUE(form.LoadFormData(*Project.Forms[0]));
    EXPECT_EQ(form.AlphaValue(), c.loaded) << c.alpha << " " << c.fade;
    form.show();
    EXPECT_TRUE(QTest::qWaitFor([&] { return form.AlphaValue() == c.alpha * 255 / 100 && !form.Fading(); }, 5000))
        << c.alpha << " " << c.fade;
  }
}

TEST_F(PageWindow, CloseCountdownStartsAfterTheFadeInAboveOneHundred) {
  for (int ms : {100, 101, 0}) {
    Project.Forms.clear();
    TPageData page = MakePage("Timed");
    page.FormFade = true;
    page.FormFadeInStep = 100;
    AddObject(*page.PanelObject, otMediaPlayer, "Media1");
    AddPage("Timed", page);
    // The media start comes right after the countdown is set.
    std::vector<QString> started;
    SetMediaStarter([&](TAuObject& o) { started.push_back(o.ObjectName); });
    TAutoRunForm form;
    ASSERT_TRUE(form.LoadFormData(*Project.Forms[0]));
    form.CloseAfterMs = ms;
    form.show();
    ASSERT_TRUE(QTest::qWaitFor([&] { return !started.empty(); }, 5000)) << ms;
    EXPECT_EQ(form.AlphaValue(), 255);
    EXPECT_EQ(started, std::vector<QString>{"Media1"});
    EXPECT_EQ(form.Timer4.isActive(), ms > 100) << ms;
    if (ms > 100) {
      EXPECT_EQ(form.Timer4.interval(), ms);
      EXPECT_TRUE(QTest::qWaitFor([&] { return form.CloseEvented && !form.isVisible(); }, 5000));
    }
  }
}

TEST_F(PageWindow, TheCloseHandlerRunsOnce) {
  TPageData page = MakePage("Once");
  page.FormFade = true;
  page.FormFadeInStep = 100;
  page.FormFadeOutStep = 10;  // several steps: the later requests arrive while it fades out
  page.OnCloseActions = List({Say("closing")});
  AddPage("Once", page);
  auto form = ShowPage(0);
  ASSERT_TRUE(QTest::qWaitFor([&] { return form->AlphaValue() == 255 && !form->Fading(); }, 5000));
  int closed = 0;
  QObject::connect(form.get(), &TAutoRunForm::PageClosed, [&] { ++closed; });
  RunActions(List({Act(ctClosePage)}), form.get());
  form->close();
  EXPECT_TRUE(form->Fading());
  form->close();
  form->CloseSoon();
  ASSERT_TRUE(QTest::qWaitFor([&] { return closed > 0 && !form->Timer4.isActive(); }, 5000));
  form->close();
  EXPECT_EQ(closed, 1);
  EXPECT_EQ(ShownTexts(), QStringList{"closing"});
  EXPECT_EQ(form->AlphaValue(), 0);
  EXPECT_EQ(form->PanelObject(), nullptr);
  EXPECT_TRUE(form->Page.OnCloseActions.IsEmpty());
  EXPECT_FALSE(form->isVisible());
}

// Page A is shown; page B takes its place. Each value differs between the two.
TEST_F(PageWindow, GoToPageKeepsTheWindowAndTakesTheContent) {
  QImage iconA(16, 16, QImage::Format_ARGB32), iconB(16, 16, QImage::Format_ARGB32);
  iconA.fill(Qt::red);
  iconB.fill(Qt::green);
  TPageData a = MakePage("Page A");
  a.BorderIcons = biSystemMenu;
  a.BorderStyle = TFormBorderStyle::bsSizeable;
  a.FormPositionType = fptScreen;
  a.FormPositionMargin = 3;
  a.FormPosition = fpDesigned;
  a.FormStyle = TFormStyle::fsStayOnTop;
  a.TransparentColor = true;
  a.TransparentColorValue = 0x00FF00FF;
  a.FormAlpha = 90;
  a.FormFade = false;
  a.FormFadeInStep = 20;
  a.FormFadeOutStep = 30;
  a.Image_Icon = EncodePicture(iconA, TGraphicKind::Png);
  a.OnShowActions = List({Say("A shown")});
  a.OnCloseActions = List({Say("A closed")});
  TAuActions menuActions = List({Say("menu of A")});
  TMenuItem item;
  item.Caption = "Menu A";
  ASSERT_TRUE(ActionsToHint("Menu A", menuActions, item.Hint));
  a.MainMenu = {item};
  a.StatusBar.Height = 21;
  a.StatusBar.Panels = {{taLeftJustify, "status A", 60}};
  a.FormPositionX = 40;
  a.FormPositionY = 30;
  a.Width = 420;
  a.Height = 310;
  AddObject(*a.PanelObject, otSimpleText, "TextA");

  TPageData b = MakePage("Page B");
  b.BorderIcons = biSystemMenu | biMinimize;
  b.BorderStyle = TFormBorderStyle::bsNone;
  b.FormPositionType = fptWorkArea;
  b.FormPositionMargin = 9;
  b.FormPosition = fpCenter;
  b.FormWindowState = TWindowState::wsNormal;
  b.FormStyle = TFormStyle::fsNormal;
  b.TransparentColor = false;
  b.TransparentColorValue = 0x000000FF;
  b.FormAlpha = 70;
  b.FormFade = true;
  b.FormFadeInStep = 40;
  b.FormFadeOutStep = 50;
  b.Image_Icon = EncodePicture(iconB, TGraphicKind::Png);
  b.OnShowActions = List({Say("B shown")});
  b.OnCloseActions = List({Say("B closed")});
  TMenuItem itemB;
  itemB.Caption = "Menu B";
  b.MainMenu = {itemB};
  b.StatusBar.Height = 25;
  b.StatusBar.Panels = {{taLeftJustify, "status B", 60}, {taCenter, "second B", 50}};
  b.FormPositionX = 90;
  b.FormPositionY = 80;
  b.Width = 500;
  b.Height = 200;
  TAuObject& textB = AddObject(*b.PanelObject, otSimpleText, "TextB");
  textB.OnClickActions = List({Say("clicked B")});

  AddPage("A", a);
  AddPage("B", b);
  auto form = ShowPage(0);
  ASSERT_TRUE(QTest::qWaitFor([&] { return !form->Timer3.isActive() && !form->Fading(); }, 5000));
  const QRect geometry = form->geometry();
  const int alpha = form->AlphaValue();
  EXPECT_EQ(alpha, 90 * 255 / 100);
  EXPECT_EQ(ShownTexts(), QStringList{"A shown"});

  form->GoToPage(1);
  ASSERT_TRUE(QTest::qWaitFor([&] { return form->FormIndex == 1; }, 5000));

  struct TField {
    const char* name;
    std::function<bool(const TPageProps&, const TPageProps&)> same;
    char from;  // the page whose value the window has now
  };
  const TField fields[] = {
      {"Caption", [](auto& x, auto& y) { return x.Caption == y.Caption; }, 'B'},
      {"BorderIcons", [](auto& x, auto& y) { return x.BorderIcons == y.BorderIcons; }, 'A'},
      {"BorderStyle", [](auto& x, auto& y) { return x.BorderStyle == y.BorderStyle; }, 'A'},
      {"FormPositionType", [](auto& x, auto& y) { return x.FormPositionType == y.FormPositionType; }, 'B'},
      {"FormPositionMargin", [](auto& x, auto& y) { return x.FormPositionMargin == y.FormPositionMargin; }, 'B'},
      {"FormPosition", [](auto& x, auto& y) { return x.FormPosition == y.FormPosition; }, 'B'},
      {"FormStyle", [](auto& x, auto& y) { return x.FormStyle == y.FormStyle; }, 'A'},
      {"TransparentColor", [](auto& x, auto& y) { return x.TransparentColor == y.TransparentColor; }, 'A'},
      {"TransparentColorValue", [](auto& x, auto& y) { return x.TransparentColorValue == y.TransparentColorValue; },
       'A'},
      {"FormAlpha", [](auto& x, auto& y) { return x.FormAlpha == y.FormAlpha; }, 'A'},
      {"FormFade", [](auto& x, auto& y) { return x.FormFade == y.FormFade; }, 'A'},
      {"FormFadeInStep", [](auto& x, auto& y) { return x.FormFadeInStep == y.FormFadeInStep; }, 'A'},
      {"FormFadeOutStep", [](auto& x, auto& y) { return x.FormFadeOutStep == y.FormFadeOutStep; }, 'A'},
      {"Image_Icon", [](auto& x, auto& y) { return x.Image_Icon == y.Image_Icon; }, 'B'},
      {"OnShowActions", [](auto& x, auto& y) { return x.OnShowActions == y.OnShowActions; }, 'B'},
      {"OnCloseActions", [](auto& x, auto& y) { return x.OnCloseActions == y.OnCloseActions; }, 'A'},
      {"MainMenu", [](auto& x, auto& y) { return x.MainMenu == y.MainMenu; }, 'A'},
      {"StatusBar", [](auto& x, auto& y) { return x.StatusBar == y.StatusBar; }, 'B'},
      {"FormPositionX", [](auto& x, auto& y) { return x.FormPositionX == y.FormPositionX; }, 'A'},
      {"FormPositionY", [](auto& x, auto& y) { return x.FormPositionY == y.FormPositionY; }, 'A'},
      {"Width", [](auto& x, auto& y) { return x.Width == y.Width; }, 'A'},
      {"Height", [](auto& x, auto& y) { return x.Height == y.Height; }, 'A'},
  };
  for (const TField& f : fields) {
    const TPageProps& expected = f.from == 'A' ? a.Props() : b.Props();
    const TPageProps& other = f.from == 'A' ? b.Props() : a.Props();
    EXPECT_TRUE(f.same(form->Page.Props(), expected)) << f.name;
    EXPECT_FALSE(f.same(expected, other)) << f.name << ": the fixture must tell the pages apart";
  }
  // The window itself: same place, size, opacity and frame; new caption and status bar.
  EXPECT_EQ(form->geometry(), geometry);
  EXPECT_EQ(form->AlphaValue(), alpha);
  EXPECT_TRUE(form->windowFlags() & Qt::WindowStaysOnTopHint);
  EXPECT_FALSE(form->windowFlags() & Qt::FramelessWindowHint);
  EXPECT_EQ(form->windowTitle(), "Page B");
  EXPECT_TRUE(form->StatusBarWidget()->isVisible());
  EXPECT_EQ(form->StatusBarWidget()->height(), 25);
  EXPECT_FALSE(form->Fading());
  EXPECT_EQ(form->GetAuObjectFromName("TextA"), nullptr);

  // B's show actions never run; a click reaches B's objects; A's menu still works.
  TAuObject* text = form->GetAuObjectFromName("TextB");
  ASSERT_NE(text, nullptr);
  ASSERT_TRUE(QTest::qWaitFor([&] { return IsShownOnScreen(*text); }, 5000));
  ClickObject(*text, QPoint(5, 5));
  auto* bar = qobject_cast<QMenuBar*>(form->menuWidget());
  ASSERT_NE(bar, nullptr);
  ASSERT_EQ(bar->actions().size(), 1);
  EXPECT_EQ(bar->actions()[0]->text(), "Menu A");
  bar->actions()[0]->trigger();
  EXPECT_EQ(ShownTexts(), QStringList({"A shown", "clicked B", "menu of A"}));

  // A's close actions run when the window closes.
  form->close();
  ASSERT_TRUE(QTest::qWaitFor([&] { return form->PanelObject() == nullptr; }, 5000));
  EXPECT_EQ(ShownTexts().back(), "A closed");
}

TEST_F(PageWindow, MenuItemsDecodeTheirActionsAtEveryClick) {
  TPageData page = MakePage("Menu");
  TMenuItem file;
  file.Caption = "File";
  TMenuItem open, broken, hidden;
  open.Caption = "Open";
  ASSERT_TRUE(ActionsToHint("Open", List({Say("opened")}), open.Hint));
  broken.Caption = "Broken";
  broken.Hint = QStringLiteral("Broken") + QChar(HintSeparator) + QStringLiteral("xx");
  hidden.Caption = "Hidden";
  hidden.Visible = false;
  file.Items = {open, broken, hidden};
  page.MainMenu = {file};
  AddPage("Menu", page);
  auto form = ShowPage(0);
  auto* bar = qobject_cast<QMenuBar*>(form->menuWidget());
  ASSERT_NE(bar, nullptr);
  QMenu* menu = bar->actions()[0]->menu();
  ASSERT_NE(menu, nullptr);
  const QList<QAction*> items = menu->actions();
  ASSERT_EQ(items.size(), 3);
  EXPECT_FALSE(items[2]->isVisible());
  items[0]->trigger();
  items[0]->trigger();
  EXPECT_EQ(ShownTexts(), QStringList({"opened", "opened"}));
  Recorded().Shown.clear();
  items[1]->trigger();  // holds no valid list: runs nothing
  EXPECT_TRUE(Recorded().Shown.empty());
  form->Page.MainMenu.clear();  // the click works from its own copy of the item
  items[0]->trigger();
  EXPECT_EQ(ShownTexts(), QStringList{"opened"});
}

TEST_F(PageWindow, ClicksAndAnyKeyClose) {
  TPageData page = MakePage("Splash");
  TAuObject& text = AddObject(*page.PanelObject, otSimpleText, "Text1");
  text.OnClickActions = List({Say("clicked")});
  page.OnCloseActions = List({Say("closed")});
  AddPage("Splash", page);
  for (bool anyKey : {false, true}) {
    Recorded().Shown.clear();
    auto form = ShowPage(0);
    form->AnyKeyClose = anyKey;
    TAuObject* o = form->GetAuObjectFromName("Text1");
    ClickObject(*o, QPoint(5, 5));
    EXPECT_EQ(form->Timer4.isActive(), anyKey);
    if (anyKey) {
      ASSERT_TRUE(QTest::qWaitFor([&] { return form->CloseEvented; }, 5000));
      EXPECT_EQ(ShownTexts(), QStringList({"clicked", "closed"}));
    } else {
      EXPECT_EQ(ShownTexts(), QStringList{"clicked"});
    }
  }
  // A key release anywhere in an any-key page closes it.
  auto form = ShowPage(0);
  QTest::keyRelease(form.get(), Qt::Key_A);
  EXPECT_FALSE(form->Timer4.isActive());
  form->AnyKeyClose = true;
  QTest::keyRelease(MouseTargetOf(*form->GetAuObjectFromName("Text1"), {}).Widget, Qt::Key_Space);
  ASSERT_TRUE(QTest::qWaitFor([&] { return form->CloseEvented; }, 5000));
}

TEST_F(PageWindow, PressesDragsAndOpacities) {
  TPageData page = MakePage("Mouse");
  TAuObject& handle = AddObject(*page.PanelObject, otSimpleText, "Handle", {10, 10, 100, 50});
  handle.MoveHandle = true;
  handle.OnMouseDownActions = List({Say("down")});
  handle.OnMouseUpActions = List({Say("up")});
  TAuObject& fixed = AddObject(*page.PanelObject, otSimpleText, "Fixed", {10, 80, 100, 50});
  fixed.OnMouseDownActions = List({Say("fixed down")});
  AddPage("Mouse", page);
  auto form = ShowPage(0);
  const TAuObject* w = form->GetAuObjectFromName("Handle");
  const TAuObject* f = form->GetAuObjectFromName("Fixed");

  // Only the left button presses.
  form->MoveX = form->MoveY = -1;
  for (Qt::MouseButton button : {Qt::RightButton, Qt::MiddleButton}) {
    SendMouse(w, QEvent::MouseButtonPress, button, button, {}, QPoint(7, 9));
    SendMouse(w, QEvent::MouseButtonRelease, button, {}, {}, QPoint(7, 9));
  }
  EXPECT_EQ(form->MoveX, -1);
  EXPECT_EQ(form->MoveY, -1);
  EXPECT_TRUE(Recorded().Shown.empty());

  SendMouse(w, QEvent::MouseButtonPress, Qt::LeftButton, Qt::LeftButton, {}, QPoint(7, 9));
  EXPECT_EQ(form->MoveX, 7);
  EXPECT_EQ(form->MoveY, 9);
  EXPECT_EQ(ShownTexts(), QStringList{"down"});

  // Dragging moves the window only with the left button alone and by a move handle.
  const QPoint start = form->pos();
  const struct {
    const TAuObject* widget;
    Qt::MouseButtons buttons;
    Qt::KeyboardModifiers modifiers;
    QPoint shift;
  } drags[] = {
      {w, Qt::LeftButton, Qt::ShiftModifier, {0, 0}},
      {w, Qt::LeftButton, Qt::ControlModifier, {0, 0}},
      {w, Qt::LeftButton | Qt::RightButton, {}, {0, 0}},
      {w, Qt::NoButton, {}, {0, 0}},
      {w, Qt::LeftButton, {}, {13, -4}},
  };
  for (const auto& d : drags) {
    const QPoint before = form->pos();
    SendMouse(d.widget, QEvent::MouseMove, Qt::NoButton, d.buttons, d.modifiers, QPoint(7, 9) + d.shift);
    if (d.shift.isNull()) {
      SendMouse(d.widget, QEvent::MouseMove, Qt::NoButton, d.buttons, d.modifiers, QPoint(20, 30));
      EXPECT_EQ(form->pos(), before) << int(d.modifiers) << " " << int(d.buttons);
    } else {
      EXPECT_EQ(form->pos(), start + d.shift);
    }
  }
  SendMouse(w, QEvent::MouseButtonRelease, Qt::LeftButton, {}, {}, QPoint(7, 9));
  EXPECT_EQ(ShownTexts(), QStringList({"down", "up"}));

  // Dragged by an object that is not a move handle, the window stays.
  const QPoint before = form->pos();
  SendMouse(f, QEvent::MouseButtonPress, Qt::LeftButton, Qt::LeftButton, {}, QPoint(7, 9));
  SendMouse(f, QEvent::MouseMove, Qt::NoButton, Qt::LeftButton, {}, QPoint(20, 30));
  SendMouse(f, QEvent::MouseButtonRelease, Qt::LeftButton, {}, {}, QPoint(20, 30));
  EXPECT_EQ(form->pos(), before);
  EXPECT_EQ(ShownTexts(), QStringList({"down", "up", "fixed down"}));
}

TEST_F(PageWindow, DisabledObjectsAndMouseOpacities) {
  TPageData page = MakePage("Opacity");
  TAuObject& label = AddObject(*page.PanelObject, otLabel, "Label1", {10, 10, 150, 40});
  auto& lp = dynamic_cast<TFadeLabelPayload&>(*label.Payload);
  lp.FadeParam.Fade = false;
  lp.FadeParam.MouseAlphaEnabled = true;
  lp.FadeParam.NormalAlpha = 60;
  lp.FadeParam.MouseOverAlpha = 90;
  lp.FadeParam.MouseDownAlpha = 30;
  label.OnEnterActions = List({Say("enter")});
  label.OnLeaveActions = List({Say("leave")});
  label.OnMouseDownActions = List({Say("down")});
  label.OnMouseUpActions = List({Say("up")});
  AddPage("Opacity", page);
  auto form = ShowPage(0);
  TAuObject& o = *form->GetAuObjectFromName("Label1");
  TFadingControl* f = FadingControlOf(o);
  ASSERT_NE(f, nullptr);
  EXPECT_EQ(f->Alpha(), 60);

  const auto step = [&](const char* what) {
    const QString s = QString::fromUtf8(what);
    if (s == "enter") form->ObjectMouseEnter(o);
    if (s == "leave") form->ObjectMouseLeave(o);
    if (s == "down") form->ObjectMouseDown(o, Qt::LeftButton, Qt::LeftButton, {}, QPoint(1, 1));
    if (s == "up") form->ObjectMouseUp(o, Qt::LeftButton, {}, {}, QPoint(1, 1));
  };
  const struct {
    const char* event;
    int alpha;
    bool over;
  } enabled[] = {{"enter", 90, true}, {"down", 30, true}, {"up", 90, true}, {"leave", 60, false}, {"up", 60, false}};
  for (const auto& e : enabled) {
    step(e.event);
    EXPECT_EQ(f->Alpha(), e.alpha) << e.event;
    EXPECT_EQ(f->IsMouseOver, e.over) << e.event;
  }
  EXPECT_EQ(ShownTexts(), QStringList({"enter", "down", "up", "leave", "up"}));

  // Disabled: entering and pressing do nothing; leaving still clears the pointer flag; releasing
  // still runs the mouse-up actions.
  Recorded().Shown.clear();
  f->IsMouseOver = true;
  o.Enable = false;
  const struct {
    const char* event;
    int alpha;
    bool over;
  } disabled[] = {{"enter", 60, true}, {"down", 60, true}, {"leave", 60, false}, {"up", 60, false}};
  for (const auto& e : disabled) {
    step(e.event);
    EXPECT_EQ(f->Alpha(), e.alpha) << e.event;
    EXPECT_EQ(f->IsMouseOver, e.over) << e.event;
  }
  EXPECT_EQ(ShownTexts(), QStringList{"up"});
}

TEST_F(PageWindow, EditingCanvasRunsNothing) {
  IsDesigner = true;
  TPageData page = MakePage("Canvas");
  page.FormFade = true;
  page.OnShowActions = List({Say("shown")});
  page.OnCloseActions = List({Say("closed")});
  TAuObject& text = AddObject(*page.PanelObject, otSimpleText, "Text1");
  text.OnClickActions = List({Say("clicked")});
  AddPage("Canvas", page);
  auto form = ShowPage(0);
  EXPECT_FALSE(form->Live());
  EXPECT_FALSE(form->Timer3.isActive());
  EXPECT_FALSE(form->Fading());
  form->AnyKeyClose = true;
  ClickObject(*form->GetAuObjectFromName("Text1"), QPoint(5, 5));
  QTest::keyRelease(form.get(), Qt::Key_A);
  EXPECT_FALSE(form->Timer4.isActive());
  form->close();
  EXPECT_TRUE(form->CloseEvented);
  // The canvas keeps its objects: the designer still edits them.
  EXPECT_NE(form->PanelObject(), nullptr);
  EXPECT_TRUE(Recorded().Shown.empty());
}

TEST_F(PageWindow, DesignerKeepsThePageItStores) {
  IsDesigner = true;
  TPageData page = MakePage("Stored");
  AddObject(*page.PanelObject, otShape, "Shape1", {20, 30, 60, 70});
  AddPage("Stored", page);
  TAutoRunForm form;
  ASSERT_TRUE(form.LoadFormData(*Project.Forms[0]));
  TFormData entry;
  ASSERT_TRUE(form.StoreFormData(entry));
  TPageData back;
  ASSERT_TRUE(LoadFormData(entry, back));
  EXPECT_TRUE(back.SameAs(page));
}

// Watches the page windows that show while a modal page runs its nested loop.
class TShownPages {
 public:
  TShownPages() {
    FTimer.setInterval(2);
    QObject::connect(&FTimer, &QTimer::timeout, [this] {
      for (QWidget* w : QApplication::topLevelWidgets())
        if (auto* p = qobject_cast<TAutoRunForm*>(w); p && p->isVisible() && !Titles.contains(p->windowTitle()))
          Titles << p->windowTitle();
      if (Step) Step();
    });
    FTimer.start();
  }
  QStringList Titles;
  std::function<void()> Step;

 private:
  QTimer FTimer;
};

TEST_F(PageWindow, ExitAsSecondActionStillShowsTheExitPage) {
  TPageData main = MakePage("Main");
  TAuObject& button = AddObject(*main.PanelObject, otSimpleText, "Quit");
  button.OnClickActions = List({Say("first"), Act(ctExit), Say("third")});
  main.OnCloseActions = List({Say("main close actions")});
  AddPage("Main", main);
  TPageData goodbye = MakePage("Goodbye");
  goodbye.OnShowActions = List({Say("goodbye shown")});
  AddPage("Goodbye", goodbye);
  Project.ExitFormName = "Goodbye";
  Project.ExitFormTime = 150;
  Project.OnExitActions = List({Say("project exit actions")});

  auto form = ShowPage(0);
  SetMainPageWindow(form.get());
  bool closed = false;
  QObject::connect(form.get(), &TAutoRunForm::PageClosed, [&] { closed = true; });
  TShownPages shown;
  ClickObject(*form->GetAuObjectFromName("Quit"), QPoint(5, 5));
  EXPECT_EQ(ShownTexts(), QStringList{"first"});
  ASSERT_TRUE(QTest::qWaitFor([&] { return closed; }, 5000));
  EXPECT_TRUE(shown.Titles.contains("Goodbye"));
  EXPECT_EQ(ShownTexts(), QStringList{"first"});
  EXPECT_EQ(form->PanelObject(), nullptr);
}

TEST_F(PageWindow, MainPageCloseRunsExitActionsAndExitPage) {
  TPageData main = MakePage("Main");
  main.OnCloseActions = List({Say("main close actions")});
  AddPage("Main", main);
  TPageData goodbye = MakePage("Goodbye");
  goodbye.OnShowActions = List({Say("goodbye shown")});
  AddPage("Goodbye", goodbye);
  Project.ExitFormName = "Goodbye";
  Project.ExitFormTime = 150;
  Project.OnExitActions = List({Say("project exit actions")});
  auto form = ShowPage(0);
  SetMainPageWindow(form.get());
  form->close();
  EXPECT_EQ(ShownTexts(), QStringList({"main close actions", "project exit actions", "goodbye shown"}));
  EXPECT_FALSE(form->isVisible());
}

TEST_F(PageWindow, SplashClosesOnAKeyOrAClickAfterItsActions) {
  TPageData splash = MakePage("Splash");
  TAuObject& logo = AddObject(*splash.PanelObject, otSimpleText, "Logo");
  logo.OnClickActions = List({Say("logo clicked")});
  AddPage("Splash", splash);
  Project.SplashScreenName = "Splash";
  Project.SplashScreenTime = 600000;  // only the key or the click closes it here
  for (bool click : {false, true}) {
    Recorded().Shown.clear();
    TShownPages shown;
    bool sent = false;
    shown.Step = [&] {
      if (sent) return;
      for (TAutoRunForm* page : OpenPages()) {
        if (page->windowTitle() != "Splash" || page->Timer3.isActive()) continue;
        sent = true;
        if (click)
          ClickObject(*page->GetAuObjectFromName("Logo"), QPoint(3, 3));
        else
          QTest::keyRelease(page, Qt::Key_Escape);
      }
    };
    ShowSplashPage();  // returns once the splash page has closed
    EXPECT_TRUE(sent);
    EXPECT_TRUE(shown.Titles.contains("Splash"));
    EXPECT_EQ(ShownTexts(), click ? QStringList{"logo clicked"} : QStringList()) << click;
    EXPECT_TRUE(OpenPages().empty());
  }
  // A name that differs in letter case names no page.
  Project.SplashScreenName = "splash";
  ShowSplashPage();
  EXPECT_TRUE(OpenPages().empty());
}

TEST_F(PageWindow, FullScreenPageIsFramelessMaximisedAndDisabled) {
  AddPage("Back", MakePage("Back"));
  Project.FullScreenName = "Back";
  ShowFullScreenPage();
  const auto pages = OpenPages();
  ASSERT_EQ(pages.size(), 1u);
  TAutoRunForm* back = pages[0];
  EXPECT_TRUE(back->windowFlags() & Qt::FramelessWindowHint);
  EXPECT_TRUE(back->windowState() & Qt::WindowMaximized);
  EXPECT_FALSE(back->isEnabled());
  EXPECT_TRUE(back->CloseFree);
  QPointer<TAutoRunForm> guard(back);
  back->close();
  EXPECT_TRUE(QTest::qWaitFor([&] { return guard.isNull(); }, 5000));
}

TEST_F(PageWindow, PageTable) {
  const auto names = [] {
    QStringList n;
    for (const auto& f : Project.Forms) n << f->FormName;
    return n;
  };
  const struct {
    int from, to;
    bool moved;
    QStringList order;
  } cases[] = {
      {0, 2, true, {"B", "C", "A"}},  {2, 0, true, {"C", "A", "B"}},   {1, 1, false, {"A", "B", "C"}},
      {3, 0, false, {"A", "B", "C"}}, {0, -1, false, {"A", "B", "C"}},
  };
  for (const auto& c : cases) {
    Project.Forms.clear();
    for (const char* n : {"A", "B", "C"}) AddPage(n, MakePage(n));
    EXPECT_EQ(MovePage(c.from, c.to), c.moved) << c.from << "->" << c.to;
    EXPECT_EQ(names(), c.order) << c.from << "->" << c.to;
  }
  EXPECT_EQ(FindPageIndex("C"), 2);
  EXPECT_EQ(FindPageIndex("c"), -1);
  EXPECT_EQ(FindPageIndex(""), -1);
}

TEST_F(PageWindow, PicturesOfAPage) {
  TPageData page = MakePage("Picture");
  page.Width = 360;
  page.Height = 260;
  TMenuItem file;
  file.Caption = "File";
  page.MainMenu = {file};
  page.StatusBar.Panels = {{taLeftJustify, "Ready", 120}, {taCenter, "Panel 2", 80}};
  TAuObject& shape = AddObject(*page.PanelObject, otShape, "Shape1", {20, 20, 140, 100});
  dynamic_cast<TShapePayload&>(*shape.Payload).Caption = "Shape";
  AddObject(*page.PanelObject, otStandardButton, "Button1", {190, 40, 100, 30});
  AddPage("Picture", page);
  auto form = ShowPage(0);
  ASSERT_TRUE(QTest::qWaitFor([&] { return !form->Timer3.isActive() && !form->Fading(); }, 5000));
  EXPECT_TRUE(
      QTest::qWaitFor([&] { return FadingControlOf(*form->GetAuObjectFromName("Shape1"))->Fader().Resting(); }, 5000));
  const QImage image = form->grab().toImage();
  EXPECT_EQ(image.size(), RenderedPageSize(form->Page) * image.devicePixelRatio());
  // The page panel fills the space between the menu bar and the status bar.
  QWidget* panel = WidgetOf(*form->PanelObject());
  EXPECT_EQ(panel->size(), form->ClientHost()->size());
  EXPECT_EQ(form->menuWidget()->height() + form->ClientHost()->height() + form->StatusBarWidget()->height(),
            form->height());
  if (const QByteArray out = qgetenv("MENUVIA_PAGE_PNG"); !out.isEmpty()) image.save(QString::fromLocal8Bit(out));
}

}  // namespace
