// Small pieces the windowed kinds share: widgets that keep the mouse events they get (so an event
// is never passed on to the parent object's control and reported twice), the platform's sunken
// border, and the fonts, colours and picture limits of the stored values.
#pragma once

#include <QFrame>
#include <QMouseEvent>
#include <QWidget>

#include "model/Stream.h"
#include "model/Types.h"
#include "render/Caption.h"
#include "render/Colors.h"

// Hands an event of w to the control w belongs to, which reports its mouse to the page (defined with
// the controls); true when the event is taken there.
bool RouteControlEvent(QWidget* w, QEvent* e);

// A widget of this layer's own that hands its events to its control itself, before its own
// handling, instead of through an event filter (a filter costs every widget a list of its own).
class TRoutedWidget {
 public:
  bool RoutesToControl = false;

 protected:
  ~TRoutedWidget() = default;
};

// W with every mouse event accepted after W's own handling. Scroll areas (text views, scroll
// boxes) leave the events on their own frame unhandled, which event() catches too.
template <class W>
class TMouseKeeping : public W, public TRoutedWidget {
 public:
  using W::W;

 protected:
  bool event(QEvent* e) override {
    if (RoutesToControl && RouteControlEvent(this, e)) return true;
    const bool done = W::event(e);
    switch (e->type()) {
      case QEvent::MouseButtonPress:
      case QEvent::MouseButtonRelease:
      case QEvent::MouseButtonDblClick:
      case QEvent::MouseMove:
        e->accept();
        return true;
      default:
        return done;
    }
  }
  void mousePressEvent(QMouseEvent* e) override {
    W::mousePressEvent(e);
    e->accept();
  }
  void mouseReleaseEvent(QMouseEvent* e) override {
    W::mouseReleaseEvent(e);
    e->accept();
  }
  void mouseDoubleClickEvent(QMouseEvent* e) override {
    W::mouseDoubleClickEvent(e);
    e->accept();
  }
  void mouseMoveEvent(QMouseEvent* e) override {
    W::mouseMoveEvent(e);
    e->accept();
  }
};

// A plain area that keeps its mouse events (a panel's client, a scroll box's scrolled area).
using TMouseKeepingWidget = TMouseKeeping<QWidget>;

// The stored border of windowed kinds: bsSingle is the platform's two-pixel sunken edge. Only a
// change is applied: setting a frame style lays the frame out again.
inline void ApplyBorderStyle(QFrame& frame, TBorderStyle style) {
  const int wanted = style == TBorderStyle::bsSingle ? (QFrame::WinPanel | QFrame::Sunken) : QFrame::NoFrame;
  if (frame.frameStyle() != wanted) frame.setFrameStyle(wanted);
}

// Fills w's background with a stored colour (role Window, and Base for text views). Only a change is
// applied: a new palette is passed down to every widget beneath.
inline void ApplyBackColor(QWidget& w, TColor color, QPalette::ColorRole role = QPalette::Window) {
  const QColor c = ToQColor(color);
  if (w.palette().color(role) != c || !(w.palette().resolveMask() & (QPalette::ResolveMask(1) << role))) {
    QPalette p = w.palette();
    p.setColor(role, c);
    w.setPalette(p);
  }
  if (!w.autoFillBackground()) w.setAutoFillBackground(true);
}

// A stored font onto a widget: face, size and styles, and its colour as the text colour. Only a
// change is applied.
inline void ApplyFont(QWidget& w, const TFont& font, QPalette::ColorRole textRole = QPalette::WindowText) {
  const QFont f = ToQFont(font);
  if (w.font() != f || !w.testAttribute(Qt::WA_SetFont)) w.setFont(f);
  const QColor c = ToQColor(font.Color);
  if (w.palette().color(textRole) != c || !(w.palette().resolveMask() & (QPalette::ResolveMask(1) << textRole))) {
    QPalette p = w.palette();
    p.setColor(textRole, c);
    w.setPalette(p);
  }
}
