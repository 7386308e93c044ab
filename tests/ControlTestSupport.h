// Shared helpers of the control tests: a page-events receiver that records what the objects
// report, and a host that builds the controls of a record tree under an offscreen widget.
#pragma once

#include <QApplication>
#include <QEnterEvent>
#include <QTest>
#include <QWidget>
#include <memory>
#include <vector>

#include "model/Project.h"
#include "objects/GraphicControl.h"
#include "objects/ObjectControl.h"

// One reported event, in the order the objects reported them.
struct TRecordedEvent {
  enum TKind { Click, DblClick, Enter, Leave, Down, Move, Up, FadeOver, MenuItem };
  TKind Kind = Click;
  TAuObject* Object = nullptr;  // null for MenuItem
  Qt::MouseButton Button = Qt::NoButton;
  Qt::MouseButtons Buttons;
  Qt::KeyboardModifiers Modifiers;
  QPoint Pos;
  QString MenuCaption;  // MenuItem only
};

class TRecordingPageEvents : public TPageEvents {
 public:
  void ObjectClick(TAuObject& o) override { Add(TRecordedEvent::Click, &o); }
  void ObjectDblClick(TAuObject& o) override { Add(TRecordedEvent::DblClick, &o); }
  void ObjectMouseEnter(TAuObject& o) override { Add(TRecordedEvent::Enter, &o); }
  void ObjectMouseLeave(TAuObject& o) override { Add(TRecordedEvent::Leave, &o); }
  void ObjectMouseDown(TAuObject& o, Qt::MouseButton button, Qt::MouseButtons buttons, Qt::KeyboardModifiers modifiers,
                       QPoint pos) override {
    Add(TRecordedEvent::Down, &o, button, buttons, modifiers, pos);
  }
  void ObjectMouseMove(TAuObject& o, Qt::MouseButtons buttons, Qt::KeyboardModifiers modifiers, QPoint pos) override {
    Add(TRecordedEvent::Move, &o, Qt::NoButton, buttons, modifiers, pos);
  }
  void ObjectMouseUp(TAuObject& o, Qt::MouseButton button, Qt::MouseButtons buttons, Qt::KeyboardModifiers modifiers,
                     QPoint pos) override {
    Add(TRecordedEvent::Up, &o, button, buttons, modifiers, pos);
  }
  void ObjectFadeOver(TAuObject& o) override { Add(TRecordedEvent::FadeOver, &o); }
  void MenuItemClick(const TMenuItem& item) override {
    TRecordedEvent e;
    e.Kind = TRecordedEvent::MenuItem;
    e.MenuCaption = item.Caption;
    Events.push_back(e);
  }

  // The kinds reported, in order (optionally only those of one object).
  std::vector<TRecordedEvent::TKind> Kinds(const TAuObject* only = nullptr) const {
    std::vector<TRecordedEvent::TKind> k;
    for (const auto& e : Events)
      if (!only || e.Object == only) k.push_back(e.Kind);
    return k;
  }
  // How many events of kind were reported (optionally for one object).
  int Count(TRecordedEvent::TKind kind, const TAuObject* only = nullptr) const {
    int n = 0;
    for (const auto& e : Events)
      if (e.Kind == kind && (!only || e.Object == only)) ++n;
    return n;
  }
  // The last event of kind, or null.
  const TRecordedEvent* Last(TRecordedEvent::TKind kind) const {
    for (auto it = Events.rbegin(); it != Events.rend(); ++it)
      if (it->Kind == kind) return &*it;
    return nullptr;
  }
  void Clear() { Events.clear(); }

  std::vector<TRecordedEvent> Events;

 private:
  void Add(TRecordedEvent::TKind kind, TAuObject* o, Qt::MouseButton button = Qt::NoButton,
           Qt::MouseButtons buttons = {}, Qt::KeyboardModifiers modifiers = {}, QPoint pos = {}) {
    TRecordedEvent e;
    e.Kind = kind;
    e.Object = o;
    e.Button = button;
    e.Buttons = buttons;
    e.Modifiers = modifiers;
    e.Pos = pos;
    Events.push_back(e);
  }
};

inline const char* RecordedKindName(TRecordedEvent::TKind k) {
  static const char* names[] = {"Click", "DblClick", "Enter", "Leave", "Down", "Move", "Up", "FadeOver", "MenuItem"};
  return names[k];
}

// The widget that gets the mouse at a point of an object (in the object's own coordinates) and the
// point there: a windowed control's own widget, or the widget a windowless control sits on.
struct TMouseTarget {
  QWidget* Widget = nullptr;
  QPoint Pos;
};
inline TMouseTarget MouseTargetOf(const TAuObject& object, QPoint local) {
  TAuControl* c = ControlOf(object);
  if (!c) return {};
  if (QWidget* w = c->Widget()) return {w, local};
  return {c->HostWidget(), c->Geometry().topLeft() + local};
}
// Where an object's control is, in the coordinates of the widget it sits on.
inline QRect BoundsOf(const TAuObject& object) {
  TAuControl* c = ControlOf(object);
  return c ? c->Geometry() : QRect();
}
// Whether an object's control can be seen: shown, on a visible widget.
inline bool IsShownOnScreen(const TAuObject& object) {
  TAuControl* c = ControlOf(object);
  if (!c) return false;
  if (QWidget* w = c->Widget()) return w->isVisible();
  return c->IsShown() && c->HostWidget()->isVisible();
}
// Whether an object's control takes input: enabled, in enabled containers.
inline bool IsEnabledOnScreen(const TAuObject& object) {
  TAuControl* c = ControlOf(object);
  if (!c) return false;
  if (QWidget* w = c->Widget()) return w->isEnabled();
  return static_cast<TGraphicControl*>(c)->isEnabled();
}
// Sends one mouse event to an object at a point of its own, straight to the widget that takes it
// there (no window system in between). Enter and Leave are the pointer coming onto the object and
// going off it; for a windowless object these are a move onto it and the pointer leaving its host.
// The button is held during a move and a press, and let go by a release.
inline void SendMouse(const TAuObject& object, QEvent::Type type, QPoint local,
                      Qt::MouseButton button = Qt::LeftButton) {
  const TMouseTarget t = MouseTargetOf(object, local);
  if (!t.Widget) return;
  const bool windowless = !ControlOf(object)->Widget();
  if (type == QEvent::Enter && windowless) type = QEvent::MouseMove, button = Qt::NoButton;
  if (type == QEvent::Enter) {
    QEnterEvent e(t.Pos, t.Pos, t.Widget->mapToGlobal(t.Pos));
    QApplication::sendEvent(t.Widget, &e);
    return;
  }
  if (type == QEvent::Leave) {
    QEvent e(QEvent::Leave);
    QApplication::sendEvent(t.Widget, &e);
    return;
  }
  const Qt::MouseButtons held = type == QEvent::MouseButtonRelease ? Qt::NoButton : Qt::MouseButtons(button);
  QMouseEvent e(type, QPointF(t.Pos), QPointF(t.Widget->mapToGlobal(t.Pos)),
                type == QEvent::MouseMove ? Qt::NoButton : button, held, Qt::NoModifier);
  QApplication::sendEvent(t.Widget, &e);
}

// Qt Test's widget helpers at a point of an object.
inline void ClickObject(const TAuObject& object, QPoint local, Qt::MouseButton button = Qt::LeftButton) {
  const TMouseTarget t = MouseTargetOf(object, local);
  QTest::mouseClick(t.Widget, button, {}, t.Pos);
}

// An offscreen top-level widget holding the controls of one record tree. The host owns the
// widgets; the caller owns the records, which must outlive the host (or the host is reset first).
// Controls of records released earlier go with their records.
class TControlHost {
 public:
  explicit TControlHost(QSize size = {640, 480}) : Window(std::make_unique<QWidget>()) { Window->resize(size); }
  ~TControlHost() {
    // Records keep QPointers to their controls; deleting the window clears them.
    Window.reset();
  }

  // Builds the controls of root (and its subtree) on the host window; shows the window when asked
  // (events and painting need it shown). Returns whether every control was created.
  bool Build(TAuObject& root, bool live = true, bool show = true) {
    Events.Clear();
    TControlContext context;
    context.Live = live;
    context.Events = &Events;
    const bool ok = CreateObjectControl(root, Window.get(), context);
    if (show) {
      Window->show();
      (void)QTest::qWaitForWindowExposed(Window.get());
    }
    return ok;
  }

  QWidget* Host() const { return Window.get(); }

  // The mouse as the platform moves it: Qt Test's window helpers, so that Qt picks the deepest
  // widget under the point, makes double clicks and sends enter and leave events. Points are in
  // w's coordinates.
  QPoint At(QWidget* w, QPoint p) const { return w->mapTo(Window.get(), p); }
  QPoint At(const TAuObject& o, QPoint p) const {
    const TMouseTarget t = MouseTargetOf(o, p);
    return t.Widget->mapTo(Window.get(), t.Pos);
  }
  void Click(const TAuObject& o, QPoint p, Qt::MouseButton button = Qt::LeftButton,
             Qt::KeyboardModifiers modifiers = {}) {
    QTest::mouseClick(Window->windowHandle(), button, modifiers, At(o, p));
  }
  void DoubleClick(const TAuObject& o, QPoint p) {
    QTest::mouseDClick(Window->windowHandle(), Qt::LeftButton, {}, At(o, p));
  }
  void Press(const TAuObject& o, QPoint p, Qt::MouseButton button = Qt::LeftButton) {
    QTest::mousePress(Window->windowHandle(), button, {}, At(o, p));
  }
  void Release(const TAuObject& o, QPoint p, Qt::MouseButton button = Qt::LeftButton) {
    QTest::mouseRelease(Window->windowHandle(), button, {}, At(o, p));
  }
  void Move(const TAuObject& o, QPoint p) { QTest::mouseMove(Window->windowHandle(), At(o, p)); }
  void Click(QWidget* w, QPoint p, Qt::MouseButton button = Qt::LeftButton, Qt::KeyboardModifiers modifiers = {}) {
    QTest::mouseClick(Window->windowHandle(), button, modifiers, At(w, p));
  }
  void DoubleClick(QWidget* w, QPoint p) { QTest::mouseDClick(Window->windowHandle(), Qt::LeftButton, {}, At(w, p)); }
  void Press(QWidget* w, QPoint p, Qt::MouseButton button = Qt::LeftButton) {
    QTest::mousePress(Window->windowHandle(), button, {}, At(w, p));
  }
  void Release(QWidget* w, QPoint p, Qt::MouseButton button = Qt::LeftButton) {
    QTest::mouseRelease(Window->windowHandle(), button, {}, At(w, p));
  }
  void Move(QWidget* w, QPoint p) { QTest::mouseMove(Window->windowHandle(), At(w, p)); }

  // The pointer comes onto the window at pos (window coordinates), as the platform reports it.
  // Offscreen there is no pointer to tell the window, and without it Qt sends no enter and leave
  // events to the widgets the pointer then crosses (QTest::mouseMove).
  void PointerEntersWindow(QPoint pos) {
    QEnterEvent enter(pos, pos, Window->mapToGlobal(pos));
    QCoreApplication::sendEvent(Window->windowHandle(), &enter);
  }
  // The widget of a record's control, or null.
  static QWidget* WidgetOf(const TAuObject& object) { return qobject_cast<QWidget*>(object.Control.data()); }

  TRecordingPageEvents Events;
  std::unique_ptr<QWidget> Window;
};

// A record of kind with its defaults, bounds and alignment; children are added by the caller.
inline std::unique_ptr<TAuObject> MakeObject(TObjectType kind, const QString& name, QRect bounds = {0, 0, 100, 100},
                                             TAlign align = alNone) {
  auto o = NewAuObject();
  o->ObjectType = kind;
  o->ObjectName = name;
  o->Payload = NewPayload(kind);
  o->Align = align;
  o->Left = bounds.x();
  o->Top = bounds.y();
  o->Width = bounds.width();
  o->Height = bounds.height();
  return o;
}

// Appends child to parent and returns it.
inline TAuObject& AddChild(TAuObject& parent, std::unique_ptr<TAuObject> child) {
  parent.Objects.push_back(std::move(child));
  return *parent.Objects.back();
}
