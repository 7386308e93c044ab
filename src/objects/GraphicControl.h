// The windowless controls: image button, simple text, image, bevel, multi-line text and the fading
// kinds. None has a window of its own. The widget a windowless control sits on (its host: a panel's
// client, a tab sheet, a group box, a scroll box's scrolled area) paints it over its own background,
// in stacking order and below its windowed children, and hands it the mouse over its whole
// rectangle. A page of hundreds of such objects therefore costs no more windows than its
// containers and windowed objects.
#pragma once

#include <QEnterEvent>
#include <QMouseEvent>
#include <QObject>
#include <QPainter>
#include <QRect>
#include <vector>

#include "objects/ObjectControl.h"

class TGraphicHost;

class TGraphicControl : public QObject, public TAuControl {
 public:
  TGraphicControl(TAuObject& object, QWidget* host, const TControlContext& context);
  ~TGraphicControl() override;

  QWidget* Widget() override { return nullptr; }
  QObject* ControlObject() override { return this; }
  QWidget* HostWidget() const override;
  QWidget* ChildHost() override { return HostWidget(); }
  QRect Geometry() const override { return FGeometry; }
  void SetGeometry(const QRect& r) override;
  bool IsShown() const override { return FShown; }
  void SetShown(bool shown) override;
  void Repaint() override { update(); }
  QRect ChildClientRect() override { return FGeometry; }

  // The little of a widget's interface the kinds draw and size with, in the control's own
  // coordinates.
  QRect geometry() const { return FGeometry; }
  QRect rect() const { return QRect(QPoint(), FGeometry.size()); }
  QSize size() const { return FGeometry.size(); }
  int width() const { return FGeometry.width(); }
  int height() const { return FGeometry.height(); }
  void resize(QSize s) { SetGeometry(QRect(FGeometry.topLeft(), s)); }
  // The smallest size the control takes, whatever it is given.
  void setMinimumSize(int w, int h) { FMinSize = QSize(w, h); }
  // Enabled by its record and inside an enabled container.
  bool isEnabled() const;
  // Shown, on a host that is visible.
  bool isVisible() const;
  bool isHidden() const { return !FShown; }
  void update() { update(rect()); }
  void update(const QRect& r);
  qreal devicePixelRatioF() const;

  // Draws the control. The painter's origin is the control's top left corner and its clip the
  // control's rectangle.
  virtual void Paint(QPainter& painter) = 0;

  // The mouse, as the host hands it on, with positions in the control's coordinates. A disabled
  // control gets the pointer's coming and going but no button or move events, like a widget.
  virtual void mousePressEvent(QMouseEvent* event) { event->accept(); }
  virtual void mouseReleaseEvent(QMouseEvent* event) { event->accept(); }
  virtual void mouseDoubleClickEvent(QMouseEvent* event) { event->accept(); }
  virtual void mouseMoveEvent(QMouseEvent* event) { event->accept(); }
  virtual void enterEvent(QEnterEvent*) {}
  virtual void leaveEvent(QEvent*) {}

 protected:
  // Visibility, enabled state and hint are read from the record when they are needed; only the
  // visibility rule's outcome is kept, as a widget keeps it.
  void ApplyCommon() override;

 private:
  friend class TGraphicHost;
  TGraphicHost* FHost;
  QRect FGeometry;
  QSize FMinSize{0, 0};
  bool FShown = false;
};

// The windowless controls a widget paints and hands the mouse to, in stacking order (the last is
// on top). Made when the first windowless control is placed on a widget, and gone with it.
class TGraphicHost : public QObject {
 public:
  // The host of w, made if it has none.
  static TGraphicHost& Of(QWidget& w);
  // The host of w, or null.
  static TGraphicHost* Find(const QWidget* w);
  ~TGraphicHost() override;

  QWidget& Widget() const { return FWidget; }
  const std::vector<TGraphicControl*>& Controls() const { return FControls; }
  // Puts the controls in this stacking order (each must be one of Controls(); the rest keep their
  // places below them).
  void Restack(const std::vector<TGraphicControl*>& order);
  // The topmost shown control at p (host coordinates), or null.
  TGraphicControl* ControlAt(QPoint p) const;
  // The control the pointer is over now, or null.
  TGraphicControl* Hovered() const { return FHover; }

  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  friend class TGraphicControl;
  explicit TGraphicHost(QWidget& w);
  void Add(TGraphicControl& c);
  void Remove(TGraphicControl& c);
  // A control hid or went: it no longer has the pointer or the mouse.
  void Forget(TGraphicControl& c);
  void PaintControls(QPainter& painter, const QRegion& region);
  bool Mouse(QMouseEvent& event);
  void SetHover(TGraphicControl* c, const QPointF& pos, const QPointF& global);
  void ApplyCursor();

  QWidget& FWidget;
  std::vector<TGraphicControl*> FControls;
  TGraphicControl* FHover = nullptr;
  TGraphicControl* FCapture = nullptr;
  bool FInPaint = false;
  bool FCursorSet = false;  // the host shows a control's cursor
  bool FHadCursor = false;  // the host had a cursor of its own then
  QCursor FOwnCursor;
};
