#include "objects/GraphicControl.h"

#include <QContextMenuEvent>
#include <QCoreApplication>
#include <QHash>
#include <QHelpEvent>
#include <QPaintEvent>
#include <QPointer>
#include <QToolTip>
#include <QWidget>
#include <algorithm>

// ---- the control ----

TGraphicControl::TGraphicControl(TAuObject& object, QWidget* host, const TControlContext& context)
    : QObject(&TGraphicHost::Of(*host)), TAuControl(object, context), FHost(static_cast<TGraphicHost*>(parent())) {
  FHost->Add(*this);
}

TGraphicControl::~TGraphicControl() {
  if (!FHost) return;
  update();
  FHost->Remove(*this);
}

QWidget* TGraphicControl::HostWidget() const { return &FHost->Widget(); }

void TGraphicControl::SetGeometry(const QRect& r) {
  // Sizes are kept within what a widget may take.
  QRect g(r.topLeft(), QSize(std::clamp(r.width(), FMinSize.width(), QWIDGETSIZE_MAX),
                             std::clamp(r.height(), FMinSize.height(), QWIDGETSIZE_MAX)));
  if (g == FGeometry) return;
  const QRect old = FGeometry;
  FGeometry = g;
  if (FShown) FHost->Widget().update(QRegion(old) + QRegion(g));
  // A widget learns of a new size from its resize event; this control learns it here.
  if (old.size() != g.size()) ApplySize();
}

void TGraphicControl::SetShown(bool shown) {
  if (shown == FShown) return;
  if (!shown) {
    update();
    FHost->Forget(*this);
  }
  FShown = shown;
  if (shown) update();
}

bool TGraphicControl::isEnabled() const { return (!AuObject || AuObject->Enable) && FHost->Widget().isEnabled(); }

bool TGraphicControl::isVisible() const { return FShown && FHost->Widget().isVisible(); }

void TGraphicControl::update(const QRect& r) {
  if (FShown) FHost->Widget().update(r.translated(FGeometry.topLeft()).intersected(FGeometry));
}

qreal TGraphicControl::devicePixelRatioF() const { return FHost->Widget().devicePixelRatioF(); }

void TGraphicControl::ApplyCommon() {
  // The editing canvas shows every object, so that it can be found and selected.
  SetShown(Editing() || AuObject->Visible);
  // The enabled state and the cursor may have changed.
  update();
  if (FHost->Hovered() == this) FHost->ApplyCursor();
}

// ---- the host ----

namespace {
// Kept for the whole process (never destroyed), so that a widget that outlives main still finds it.
QHash<const QWidget*, TGraphicHost*>& Hosts() {
  static auto* hosts = new QHash<const QWidget*, TGraphicHost*>;
  return *hosts;
}
}  // namespace

TGraphicHost& TGraphicHost::Of(QWidget& w) {
  if (TGraphicHost* host = Find(&w)) return *host;
  return *new TGraphicHost(w);
}

TGraphicHost* TGraphicHost::Find(const QWidget* w) { return Hosts().value(w); }

TGraphicHost::TGraphicHost(QWidget& w) : QObject(&w), FWidget(w) {
  Hosts().insert(&w, this);
  w.installEventFilter(this);
  // The pointer's coming onto and leaving a control are seen in the host's moves.
  w.setMouseTracking(true);
}

TGraphicHost::~TGraphicHost() {
  Hosts().remove(&FWidget);
  // The controls go first, while their host still knows them.
  while (!FControls.empty()) {
    TGraphicControl* c = FControls.back();
    FControls.pop_back();
    c->FHost = nullptr;
    delete c;
  }
}

void TGraphicHost::Add(TGraphicControl& c) { FControls.push_back(&c); }

void TGraphicHost::Remove(TGraphicControl& c) {
  Forget(c);
  FControls.erase(std::remove(FControls.begin(), FControls.end(), &c), FControls.end());
}

void TGraphicHost::Forget(TGraphicControl& c) {
  if (FCapture == &c) FCapture = nullptr;
  if (FHover == &c) {
    FHover = nullptr;
    ApplyCursor();
  }
}

void TGraphicHost::Restack(const std::vector<TGraphicControl*>& order) {
  if (order.empty()) return;
  std::vector<TGraphicControl*> stacked;
  stacked.reserve(FControls.size());
  for (TGraphicControl* c : FControls)
    if (std::find(order.begin(), order.end(), c) == order.end()) stacked.push_back(c);
  for (TGraphicControl* c : order)
    if (c->FHost == this) stacked.push_back(c);
  if (stacked == FControls) return;
  FControls = std::move(stacked);
  FWidget.update();
}

TGraphicControl* TGraphicHost::ControlAt(QPoint p) const {
  for (auto it = FControls.rbegin(); it != FControls.rend(); ++it)
    if ((*it)->FShown && (*it)->FGeometry.contains(p)) return *it;
  return nullptr;
}

void TGraphicHost::PaintControls(QPainter& painter, const QRegion& region) {
  for (TGraphicControl* c : FControls) {
    if (!c->FShown || c->FGeometry.isEmpty() || !region.intersects(c->FGeometry)) continue;
    painter.save();
    painter.translate(c->FGeometry.topLeft());
    painter.setClipRect(QRect(QPoint(), c->FGeometry.size()), Qt::IntersectClip);
    c->Paint(painter);
    painter.restore();
  }
}

void TGraphicHost::ApplyCursor() {
  const TCursor cursor = FHover && FHover->AuObject ? FHover->AuObject->Cursor : 0;
  if (cursor != 0) {
    if (!FCursorSet) {
      FCursorSet = true;
      FHadCursor = FWidget.testAttribute(Qt::WA_SetCursor);
      FOwnCursor = FWidget.cursor();
    }
    FWidget.setCursor(CursorShapeOf(cursor));
  } else if (FCursorSet) {
    FCursorSet = false;
    if (FHadCursor)
      FWidget.setCursor(FOwnCursor);
    else
      FWidget.unsetCursor();
  }
}

void TGraphicHost::SetHover(TGraphicControl* c, const QPointF& pos, const QPointF& global) {
  if (c == FHover) return;
  QPointer<TGraphicControl> old = FHover;
  FHover = c;
  ApplyCursor();
  if (old) {
    old->ReportLeave();
    if (old) {
      QEvent leave(QEvent::Leave);
      old->leaveEvent(&leave);
    }
  }
  if (QPointer<TGraphicControl> now = c; now && FHover == now) {
    now->ReportEnter();
    if (now) {
      const QPointF local = pos - QPointF(now->FGeometry.topLeft());
      QEnterEvent enter(local, local, global);
      now->enterEvent(&enter);
    }
  }
}

bool TGraphicHost::Mouse(QMouseEvent& e) {
  const QPoint pos = e.position().toPoint();
  // A move with no button held: the button went up where this host did not see it.
  if (e.type() == QEvent::MouseMove && e.buttons() == Qt::NoButton) FCapture = nullptr;
  if (e.type() == QEvent::MouseMove && !FCapture) SetHover(ControlAt(pos), e.position(), e.globalPosition());
  QPointer<TGraphicControl> target = FCapture ? FCapture : ControlAt(pos);
  if (!target) return false;
  if (e.type() == QEvent::MouseButtonPress || e.type() == QEvent::MouseButtonDblClick) FCapture = target;
  const QPointF local = e.position() - QPointF(target->FGeometry.topLeft());
  const bool enabled = target->isEnabled();
  // The page has the event first, as it has a widget's through its filter.
  target->RouteMouse(e, local.toPoint(), enabled);
  if (target && enabled) {
    QMouseEvent copy(e.type(), local, e.scenePosition(), e.globalPosition(), e.button(), e.buttons(), e.modifiers(),
                     e.pointingDevice());
    switch (e.type()) {
      case QEvent::MouseButtonPress:
        target->mousePressEvent(&copy);
        break;
      case QEvent::MouseButtonRelease:
        target->mouseReleaseEvent(&copy);
        break;
      case QEvent::MouseButtonDblClick:
        target->mouseDoubleClickEvent(&copy);
        break;
      default:
        target->mouseMoveEvent(&copy);
        break;
    }
  }
  if (e.type() == QEvent::MouseButtonRelease && e.buttons() == Qt::NoButton) {
    FCapture = nullptr;
    SetHover(ControlAt(pos), e.position(), e.globalPosition());
  }
  // Every mouse event on a windowless control stops there, as a widget keeps it.
  return true;
}

bool TGraphicHost::eventFilter(QObject* watched, QEvent* event) {
  if (watched != &FWidget) return false;
  switch (event->type()) {
    case QEvent::Paint: {
      if (FInPaint || FControls.empty()) return false;
      // The host paints itself first (its background), then the controls over it.
      FInPaint = true;
      QCoreApplication::sendEvent(&FWidget, event);
      FInPaint = false;
      QPainter painter(&FWidget);
      PaintControls(painter, static_cast<QPaintEvent*>(event)->region());
      return true;
    }
    case QEvent::MouseButtonPress:
    case QEvent::MouseButtonRelease:
    case QEvent::MouseButtonDblClick:
    case QEvent::MouseMove:
      return Mouse(*static_cast<QMouseEvent*>(event));
    case QEvent::Leave:
      if (!FCapture) SetHover(nullptr, {}, {});
      return false;
    case QEvent::ToolTip: {
      auto* help = static_cast<QHelpEvent*>(event);
      TGraphicControl* c = ControlAt(help->pos());
      if (!c || !c->AuObject || c->AuObject->Hint.isEmpty()) return false;
      QToolTip::showText(help->globalPos(), c->AuObject->Hint, &FWidget, c->FGeometry);
      return true;
    }
    case QEvent::ContextMenu: {
      auto* menu = static_cast<QContextMenuEvent*>(event);
      TGraphicControl* c = ControlAt(menu->pos());
      if (!c) return false;
      // A control without a popup menu of its own leaves the click to its container.
      return c->isEnabled() && c->ShowPopupMenu(menu->globalPos());
    }
    default:
      return false;
  }
}
