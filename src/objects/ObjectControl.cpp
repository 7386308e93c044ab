#include "objects/ObjectControl.h"

#include <QContextMenuEvent>
#include <QCoreApplication>
#include <QHash>
#include <QMenu>
#include <QMouseEvent>
#include <QPointer>
#include <algorithm>
#include <array>
#include <cstddef>
#include <cstdint>
#include <typeinfo>

#include "model/Errors.h"
#include "model/Globals.h"
#include "model/ObjectStream.h"
#include "model/Paths.h"
#include "model/PayloadsStandard.h"
#include "objects/ControlWidgets.h"
#include "objects/GraphicControl.h"
#include "objects/ObjectKinds.h"

TControlContext TControlContext::Current(TPageEvents* events) {
  TControlContext c;
  c.Live = IsLive();
  c.Events = events;
  c.ProjectFolder = GetProjectFolder();
  return c;
}

namespace {
// A cross cast from a Qt object to one of this layer's own bases (a control, a routed widget),
// remembered per most derived type. The run-time cast compares type names for every class it
// passes, which over a page of hundreds of controls and widgets came to a good part of loading it;
// where a base lies within an object is fixed by the object's most derived type (there are no
// virtual bases here), so one run-time cast per type is enough. An object being destroyed has the
// dynamic type of the part still alive, as the run-time cast would see it.
template <class Base, class From>
Base* CachedCast(From* object) {
  if (!object) return nullptr;
  constexpr std::ptrdiff_t NoBase = PTRDIFF_MIN;
  // Kept for the whole process (never destroyed), as the types are.
  static auto& offsets = *new QHash<const std::type_info*, std::ptrdiff_t>;
  const std::type_info* type = &typeid(*object);
  auto it = offsets.constFind(type);
  if (it == offsets.constEnd()) {
    Base* base = dynamic_cast<Base*>(object);
    it = offsets.insert(type, base ? reinterpret_cast<char*>(base) - reinterpret_cast<char*>(object) : NoBase);
  }
  return *it == NoBase ? nullptr : reinterpret_cast<Base*>(reinterpret_cast<char*>(object) + *it);
}

// Docks a docked root again inside the widget it was created on (defined with the docking).
void RedockRoot(QObject* root);
}  // namespace

// ---- event routing ----

// Turns a widget's mouse events into the object's own events, for the control's widget and the
// inner widgets that take the mouse (tab bars, text viewports); positions are reported in the
// control's coordinates, as the page's handlers expect. This layer's own widgets hand their events
// over themselves (TRoutedWidget); on the platform's inner widgets it is an event filter.
//
// One router serves every control: a widget's events are its control's, the nearest control at or
// above it (the widgets a control forwards are its own parts, never a nested object's). A widget
// whose control part is gone (it is being destroyed) is passed over, as AsAuControl no longer
// finds it, and no control reports anything for a widget that is not its own.
class TAuEventRouter : public QObject {
 public:
  static TAuEventRouter& Instance() {
    static QPointer<TAuEventRouter> instance;
    if (!instance) instance = new TAuEventRouter(QCoreApplication::instance());
    return *instance;
  }

  bool eventFilter(QObject* watched, QEvent* event) override {
    return watched->isWidgetType() && Route(static_cast<QWidget*>(watched), event);
  }

  bool Route(QWidget* w, QEvent* event) {
    switch (event->type()) {
      case QEvent::MouseButtonPress:
      case QEvent::MouseButtonRelease:
      case QEvent::MouseButtonDblClick:
      case QEvent::MouseMove:
      case QEvent::Enter:
      case QEvent::Leave:
      case QEvent::ContextMenu:
      case QEvent::Resize:
        break;
      default:
        return false;
    }
    TAuControl* control = nullptr;
    for (QWidget* p = w; p && !control; p = p->parentWidget()) control = AsAuControl(p);
    if (!control) return false;
    TAuControl& c = *control;
    QWidget* self = c.Widget();
    switch (event->type()) {
      case QEvent::MouseButtonPress:
      case QEvent::MouseButtonRelease:
      case QEvent::MouseButtonDblClick:
      case QEvent::MouseMove: {
        auto* me = static_cast<QMouseEvent*>(event);
        // An event an inner widget ignored comes back through its parents (as a copy with the same
        // time and place); report it once.
        if (SeenBefore(*me)) return false;
        const QPoint pos = w == self ? me->position().toPoint() : w->mapTo(self, me->position().toPoint());
        c.RouteMouse(*me, pos, w->isEnabled());
        // A disabled widget does not take the event; keep it from reaching the parent's object.
        return !w->isEnabled();
      }
      case QEvent::Enter:
        if (!w->hasMouseTracking()) w->setMouseTracking(true);
        if (w == self) c.ReportEnter();
        return false;
      case QEvent::Leave:
        if (w == self) c.ReportLeave();
        return false;
      case QEvent::ContextMenu:
        return c.IsOwnPart(w) && c.ShowPopupMenu(static_cast<QContextMenuEvent*>(event)->globalPos());
      case QEvent::Resize:
        if (w == self) c.ApplySize();
        if (w == c.ChildHost() && c.AuObject) AlignChildren(*c.AuObject);
        return false;
      default:
        return false;
    }
  }

 private:
  bool SeenBefore(const QMouseEvent& me) {
    const bool same = me.type() == FLastType && me.timestamp() == FLastTimestamp &&
                      me.globalPosition() == FLastGlobal && me.button() == FLastButton &&
                      (&me == FLastEvent || me.timestamp() != 0);
    FLastEvent = &me;
    FLastType = me.type();
    FLastTimestamp = me.timestamp();
    FLastGlobal = me.globalPosition();
    FLastButton = me.button();
    return same;
  }

  using QObject::QObject;

  const QMouseEvent* FLastEvent = nullptr;
  QEvent::Type FLastType = QEvent::None;
  quint64 FLastTimestamp = 0;
  QPointF FLastGlobal;
  Qt::MouseButton FLastButton = Qt::NoButton;
};

bool RouteControlEvent(QWidget* w, QEvent* e) { return TAuEventRouter::Instance().Route(w, e); }

// ---- the control base ----

TAuControl::TAuControl(TAuObject& object, const TControlContext& context) : AuObject(&object), FContext(context) {}

// Once this has run, the widget's dynamic type no longer includes TAuControl: nothing finds this
// control from the events that the widget's destruction sends.
TAuControl::~TAuControl() = default;

bool TAuControl::IsWindowedKind(TObjectType kind) {
  switch (kind) {
    case otPanel:
    case otTabNotebook:
    case otTabSheet:
    case otGroupBox:
    case otScrollBox:
    case otStandardButton:
    case otMemo:
    case otRichText:
    case otWebBrowser:
    case otMediaPlayer:
    case otFlashPlayer:
    case otPDFReader:
      return true;
    default:
      return false;
  }
}

QWidget* TAuControl::HostWidget() const { return const_cast<TAuControl*>(this)->Widget()->parentWidget(); }
QRect TAuControl::Geometry() const { return const_cast<TAuControl*>(this)->Widget()->geometry(); }
void TAuControl::SetGeometry(const QRect& r) { Widget()->setGeometry(r); }
bool TAuControl::IsShown() const { return !const_cast<TAuControl*>(this)->Widget()->isHidden(); }
void TAuControl::SetShown(bool shown) { Widget()->setVisible(shown); }
void TAuControl::Repaint() { Widget()->update(); }

// A disabled control still reports its presses, moves and releases (the page decides what they
// run), but it cannot be clicked: a click needs a press made while it was enabled.
void TAuControl::RouteMouse(const QMouseEvent& me, QPoint pos, bool enabled) {
  switch (me.type()) {
    case QEvent::MouseButtonPress:
      FPressed = enabled && me.button() == Qt::LeftButton;
      ReportDown(me.button(), me.buttons(), me.modifiers(), pos);
      break;
    case QEvent::MouseButtonDblClick:
      // The second press of a double click: the double click, then the press; its release
      // makes no click.
      FPressed = false;
      if (enabled && me.button() == Qt::LeftButton) ReportDblClick();
      ReportDown(me.button(), me.buttons(), me.modifiers(), pos);
      break;
    case QEvent::MouseMove:
      ReportMove(me.buttons(), me.modifiers(), pos);
      break;
    case QEvent::MouseButtonRelease: {
      const bool click = FPressed && me.button() == Qt::LeftButton && QRect(QPoint(), Size()).contains(pos);
      FPressed = false;
      // The click comes before the release, as the platform reports them.
      if (click) ReportClick();
      ReportUp(me.button(), me.buttons(), me.modifiers(), pos);
      break;
    }
    default:
      break;
  }
}

namespace {
void AddMenuItems(QMenu& menu, const std::vector<TMenuItem>& items, TPageEvents* events) {
  for (const TMenuItem& item : items) {
    if (!item.Visible) continue;
    if (item.Caption == QLatin1String("-")) {
      menu.addSeparator();
      continue;
    }
    if (!item.Items.empty()) {
      QMenu* sub = menu.addMenu(item.Caption);
      sub->setEnabled(item.Enabled);
      AddMenuItems(*sub, item.Items, events);
      continue;
    }
    QAction* action = menu.addAction(item.Caption);
    action->setEnabled(item.Enabled);
    action->setCheckable(item.Checked || item.AutoCheck || item.RadioItem);
    action->setChecked(item.Checked);
    // The item is copied: the menu runs after the record may have changed.
    QObject::connect(action, &QAction::triggered, &menu, [events, item] { events->MenuItemClick(item); });
  }
}
}  // namespace

bool TAuControl::ShowPopupMenu(QPoint globalPos) {
  if (!AuObject || AuObject->PopupMenu.empty() || !Live() || !FContext.Events) return false;
  QMenu menu;
  AddMenuItems(menu, AuObject->PopupMenu, FContext.Events);
  menu.exec(globalPos);
  return true;
}

void TAuControl::RecordChanged(TRecordChange change) {
  if (!AuObject) return;
  if (change != TRecordChange::Bounds) ApplyCommon();
  PlaceFromRecord();
  if (change == TRecordChange::Payload) {
    FBuiltSize = Size();
    ApplyPayload();
  } else {
    ApplySize();
  }
  // The parent's docking depends on this object's bounds, alignment and visibility.
  if (TAuObject* parent = ParentRecord())
    AlignChildren(*parent);
  else
    RedockRoot(ControlObject());
}

TAuObject* TAuControl::ParentRecord() const {
  QWidget* host = HostWidget();
  for (QWidget* p = host; p; p = p->parentWidget())
    if (TAuControl* owner = AsAuControl(p)) return owner->ChildHost() == host ? owner->AuObject : nullptr;
  return nullptr;
}

void TAuControl::ApplyCommon() {
  QWidget* w = Widget();
  // Each setting only when it changes: a page applies them to every new control, and each change
  // is an event through the control's filters.
  if (w->toolTip() != AuObject->Hint) w->setToolTip(AuObject->Hint);
  ApplyRecordCursor(*w, AuObject->Cursor);
  if (w->testAttribute(Qt::WA_ForceDisabled) == AuObject->Enable) w->setEnabled(AuObject->Enable);
  // The editing canvas shows every object, so that it can be found and selected.
  QWidget* parent = w->parentWidget();
  if (Editing() || AuObject->Visible) {
    // A new control under a parent not shown yet is shown with it; showing it now would only
    // polish and size it early.
    if (w->isHidden() && (w->testAttribute(Qt::WA_WState_ExplicitShowHide) || !parent || parent->isVisible()))
      w->setVisible(true);
  } else if (!w->isHidden() || !w->testAttribute(Qt::WA_WState_ExplicitShowHide)) {
    w->setVisible(false);
  }
}

namespace {
// Stored positions are trusted as far as sizes are: far enough off the host to be out of sight,
// near enough that no rectangle arithmetic overflows.
constexpr int MaxControlOffset = 1 << 20;

QRect BoundedRect(int left, int top, int width, int height) {
  return QRect(std::clamp(left, -MaxControlOffset, MaxControlOffset),
               std::clamp(top, -MaxControlOffset, MaxControlOffset), std::clamp(width, 1, MaxControlExtent),
               std::clamp(height, 1, MaxControlExtent));
}

bool IsDocked(const TAuObject& object) {
  return object.Align != alNone && object.Align != alCustom && object.ObjectType != otTabSheet;
}
}  // namespace

void TAuControl::PlaceFromRecord() {
  // A docked object's place is its parent's to decide (AlignChildren); a tab sheet's is its
  // notebook's.
  if (AuObject->ObjectType == otTabSheet) return;
  if (AuObject->Align == alNone || AuObject->Align == alCustom) {
    SetGeometry(BoundedRect(AuObject->Left, AuObject->Top, AuObject->Width, AuObject->Height));
    // What the widget took (its own limits may differ from the record's).
    FPlacedGeometry = Geometry();
  }
}

void TAuControl::ApplySize() {
  const QSize size = Size();
  if (size == FBuiltSize) return;
  FBuiltSize = size;
  SizeChanged();
}

void TAuControl::StoreToRecord() {
  if (!AuObject || AuObject->ObjectType == otTabSheet) return;
  const QRect g = Geometry();
  // Unmoved since placed: the record already says where it is (and may say more than the widget
  // can show, such as a size beyond the limit or a docked extent larger than the room).
  if (g == FPlacedGeometry) return;
  FPlacedGeometry = g;
  // Docking decides a docked object's place; only the extent it leaves free (a top object's
  // height, a left object's width) is the object's own, and a splitter may have changed it.
  switch (AuObject->Align) {
    case alNone:
    case alCustom:
      AuObject->Left = g.x();
      AuObject->Top = g.y();
      AuObject->Width = g.width();
      AuObject->Height = g.height();
      break;
    case alTop:
    case alBottom:
      AuObject->Height = g.height();
      break;
    case alLeft:
    case alRight:
      AuObject->Width = g.width();
      break;
    case alClient:
      break;
  }
}

void TAuControl::ReportClick() {
  if (AuObject && FContext.Events) FContext.Events->ObjectClick(*AuObject);
}
void TAuControl::ReportDblClick() {
  if (AuObject && FContext.Events) FContext.Events->ObjectDblClick(*AuObject);
}
void TAuControl::ReportEnter() {
  if (AuObject && FContext.Events) FContext.Events->ObjectMouseEnter(*AuObject);
}
void TAuControl::ReportLeave() {
  if (AuObject && FContext.Events) FContext.Events->ObjectMouseLeave(*AuObject);
}
void TAuControl::ReportDown(Qt::MouseButton button, Qt::MouseButtons buttons, Qt::KeyboardModifiers modifiers,
                            QPoint pos) {
  if (AuObject && FContext.Events) FContext.Events->ObjectMouseDown(*AuObject, button, buttons, modifiers, pos);
}
void TAuControl::ReportMove(Qt::MouseButtons buttons, Qt::KeyboardModifiers modifiers, QPoint pos) {
  if (AuObject && FContext.Events) FContext.Events->ObjectMouseMove(*AuObject, buttons, modifiers, pos);
}
void TAuControl::ReportUp(Qt::MouseButton button, Qt::MouseButtons buttons, Qt::KeyboardModifiers modifiers,
                          QPoint pos) {
  if (AuObject && FContext.Events) FContext.Events->ObjectMouseUp(*AuObject, button, buttons, modifiers, pos);
}
void TAuControl::ReportFadeOver() {
  if (AuObject && FContext.Events) FContext.Events->ObjectFadeOver(*AuObject);
}

void TAuControl::ForwardMouseEvents(QWidget* w) {
  // Moves without a button held are reported too (the page drags its window by an object): the
  // router turns tracking on when the pointer first comes onto w (an event each time, which most
  // widgets of a page never need).
  if (auto* routed = CachedCast<TRoutedWidget>(w)) {
    routed->RoutesToControl = true;
    return;
  }
  w->installEventFilter(&TAuEventRouter::Instance());
  // The windowless controls on w take their mouse before w reports it as its own.
  if (TGraphicHost* graphics = TGraphicHost::Find(w)) w->installEventFilter(graphics);
}

// ---- lookup ----

TAuControl* ControlOf(const TAuObject& object) { return AsAuControl(object.Control.data()); }

TAuControl* AsAuControl(QObject* widget) {
  // Every control is its own widget or windowless object. A cast, not a dynamic property: this runs for every docking
  // step and hit test, and a property lookup compares names.
  return CachedCast<TAuControl>(widget);
}

void ApplyRecordCursor(QWidget& w, TCursor cursor) {
  if (cursor == 0) {
    if (w.testAttribute(Qt::WA_SetCursor)) w.unsetCursor();
    return;
  }
  const Qt::CursorShape shape = CursorShapeOf(cursor);
  if (!w.testAttribute(Qt::WA_SetCursor) || w.cursor().shape() != shape) w.setCursor(shape);
}

Qt::CursorShape CursorShapeOf(TCursor cursor) {
  switch (cursor) {
    case -1:
      return Qt::BlankCursor;
    case -3:
      return Qt::CrossCursor;
    case -4:
      return Qt::IBeamCursor;
    case -5:
    case -22:
      return Qt::SizeAllCursor;
    case -6:
      return Qt::SizeBDiagCursor;
    case -7:
      return Qt::SizeVerCursor;
    case -8:
      return Qt::SizeFDiagCursor;
    case -9:
      return Qt::SizeHorCursor;
    case -10:
      return Qt::UpArrowCursor;
    case -11:
    case -17:
      return Qt::WaitCursor;
    case -12:
    case -16:
      return Qt::DragCopyCursor;
    case -13:
    case -18:
      return Qt::ForbiddenCursor;
    case -14:
      return Qt::SplitHCursor;
    case -15:
      return Qt::SplitVCursor;
    case -19:
      return Qt::BusyCursor;
    case -20:
      return Qt::WhatsThisCursor;
    case -21:
      return Qt::PointingHandCursor;
    default:
      return Qt::ArrowCursor;
  }
}

// ---- creation ----

namespace {
using TCreator = TAuControl* (*)(TAuObject&, QWidget*, const TControlContext&);

TCreator CreatorOf(TObjectType kind) {
  static const TCreator creators[ObjectTypeCount] = {
      CreatePanelControl,         CreateTabNotebookControl, CreateTabSheetControl,       CreateGroupBoxControl,
      CreateScrollBoxControl,     CreateSplitterControl,    CreateStandardButtonControl, CreateImageButtonControl,
      CreateSimpleTextControl,    CreateImageControl,       CreateBevelControl,          CreateFadeButtonControl,
      CreateLabelControl,         CreateTextControl,        CreateShapeControl,          CreateBalloonControl,
      CreateNoteControl,          CreateSlideShowControl,   CreateMemoControl,           CreateRichTextControl,
      CreateWebBrowserControl,    CreateMediaPlayerControl, CreateFlashPlayerControl,    CreatePDFReaderControl,
      CreateMultilineTextControl,
  };
  const int i = static_cast<int>(kind);
  return i >= 0 && i < ObjectTypeCount ? creators[i] : nullptr;
}
}  // namespace

// Docking and placing, with access to what the base keeps private.
class TAuDocking {
 public:
  static void Place(TAuControl& c, QRect g) {
    g.setWidth(std::clamp(g.width(), 0, MaxControlExtent));
    g.setHeight(std::clamp(g.height(), 0, MaxControlExtent));
    c.SetGeometry(g);
    c.FPlacedGeometry = c.Geometry();
    c.ApplySize();
  }

  static void ChildrenCreated(TAuControl& c) { c.ChildrenCreated(); }
  // ResumeAlign for a control at hand.
  static void Resume(TAuControl& c) {
    if (c.FAlignSuspended == 0 || --c.FAlignSuspended > 0 || !c.AuObject) return;
    Dock(c.AuObject->Objects, c.ChildClientRect());
    c.ChildrenAligned();
  }
  static bool Suspended(TAuControl& c) { return c.FAlignSuspended > 0; }

  // Creates the controls of a subtree with every container's docking suspended; the caller resumes
  // them top-down once the whole tree exists, so that each container is laid out once, at its final
  // size. Subtrees created completely are listed in `complete`, children before their parents.
  static bool CreateSubtree(TAuObject& object, QWidget* parent, const TControlContext& context,
                            std::vector<TAuObject*>& complete) {
    delete object.Control.data();
    TCreator create = CreatorOf(object.ObjectType);
    if (!create || !object.Payload || object.Payload->Kind() != object.ObjectType) {
      ShowError(UnknownObjectTypeText);
      return false;
    }
    TAuControl* control = create(object, parent, context);
    if (!control) return false;
    control->Attach();
    // A docked object is built once, when its parent docks it; any other at its stored bounds now.
    if (!IsDocked(object)) control->ApplySize();
    ++control->FAlignSuspended;
    // Made in the order they stack (windowless children first, each group in list order), so that
    // nothing needs raising afterwards. Keyboard focus follows the windowed ones' list order.
    for (bool windowed : {false, true})
      for (auto& child : object.Objects)
        if (TAuControl::IsWindowedKind(child->ObjectType) == windowed &&
            !CreateSubtree(*child, control->ChildHost(), context, complete))
          return false;
    complete.push_back(&object);
    return true;
  }

  // Lays out the docked objects among `objects` in r: top, bottom, left, right, then client, each
  // group in list order. Hidden objects take no room live; on the editing canvas every object is
  // shown and docked.
  template <class Objects>
  static void Dock(const Objects& objects, QRect r) {
    auto docked = [&](TAlign align, auto&& dock) {
      for (auto& child : objects) {
        if (child->Align != align || child->ObjectType == otTabSheet) continue;
        TAuControl* c = ControlOf(*child);
        if (!c || (c->Live() && !child->Visible)) continue;
        dock(*c, *child);
      }
    };
    docked(alTop, [&](TAuControl& c, TAuObject& o) {
      const int h = std::clamp(o.Height, 0, std::max(0, r.height()));
      Place(c, QRect(r.left(), r.top(), r.width(), h));
      r.setTop(r.top() + h);
    });
    docked(alBottom, [&](TAuControl& c, TAuObject& o) {
      const int h = std::clamp(o.Height, 0, std::max(0, r.height()));
      Place(c, QRect(r.left(), r.bottom() + 1 - h, r.width(), h));
      r.setBottom(r.bottom() - h);
    });
    docked(alLeft, [&](TAuControl& c, TAuObject& o) {
      const int w = std::clamp(o.Width, 0, std::max(0, r.width()));
      Place(c, QRect(r.left(), r.top(), w, r.height()));
      r.setLeft(r.left() + w);
    });
    docked(alRight, [&](TAuControl& c, TAuObject& o) {
      const int w = std::clamp(o.Width, 0, std::max(0, r.width()));
      Place(c, QRect(r.right() + 1 - w, r.top(), w, r.height()));
      r.setRight(r.right() - w);
    });
    docked(alClient, [&](TAuControl& c, TAuObject&) { Place(c, r); });
  }
};

namespace {
// Keeps a docked root (the page panel) docked inside the plain widget it was created on.
class TRootDockFilter : public QObject {
 public:
  TRootDockFilter(QObject* root, QWidget* host) : QObject(root), FHost(host) { host->installEventFilter(this); }
  void Dock() {
    TAuControl* c = AsAuControl(parent());
    if (!c || !c->AuObject) return;
    const std::array<TAuObject*, 1> root{c->AuObject};
    TAuDocking::Dock(root, FHost->contentsRect());
  }
  bool eventFilter(QObject* watched, QEvent* event) override {
    if (watched == FHost && event->type() == QEvent::Resize) Dock();
    return false;
  }

 private:
  QWidget* FHost;
};

void RedockRoot(QObject* root) {
  for (QObject* child : root->children())
    if (auto* dock = dynamic_cast<TRootDockFilter*>(child)) dock->Dock();
}

void ResumeSubtree(TAuObject& object) {
  TAuControl* c = ControlOf(object);
  if (!c) return;
  TAuDocking::Resume(*c);
  for (auto& child : object.Objects) ResumeSubtree(*child);
}

// Whether the controls of container's children already stack as RestackChildren would put them.
bool StackedInOrder(const std::vector<QWidget*>& order) {
  if (order.empty()) return true;
  // Every widget of order is a child of the same parent: they stack in order exactly when order is
  // a subsequence of the parent's children.
  size_t next = 0;
  for (QObject* child : order.front()->parentWidget()->children())
    if (next < order.size() && child == order[next]) ++next;
  return next == order.size();
}
}  // namespace

void TAuControl::Attach() {
  AuObject->Control = ControlObject();
  if (QWidget* w = Widget()) {
    ForwardMouseEvents(w);
    if (ChildHost() != w) ForwardMouseEvents(ChildHost());
  }
  FBuiltSize = QSize(-1, -1);
  // Placed before it is shown, so that showing it does not size it first.
  PlaceFromRecord();
  ApplyCommon();
  OnCreated();
}

bool CreateObjectControl(TAuObject& object, QWidget* parent, const TControlContext& context) {
  std::vector<TAuObject*> complete;
  const bool ok = TAuDocking::CreateSubtree(object, parent, context, complete);
  TAuControl* c = ControlOf(object);
  if (c) {
    if (TAuObject* container = c->ParentRecord()) {
      // A new object among existing siblings: they share the room again, and it takes its place in
      // the stacking.
      if (IsDocked(object)) AlignChildren(*container);
      RestackChildren(*container);
    } else if (IsDocked(object) && parent) {
      (new TRootDockFilter(c->ControlObject(), parent))->Dock();
    }
  }
  ResumeSubtree(object);
  // The new controls were made in the order they stack; none needs restacking.
  for (TAuObject* done : complete)
    if (TAuControl* dc = ControlOf(*done)) TAuDocking::ChildrenCreated(*dc);
  return ok;
}

bool CreateNewObjectControl(TAuObject& object, QWidget* parent, const TControlContext& context) {
  switch (object.ObjectType) {
    case otSplitter:
      object.Align = TSplitterPayload::NewObjectAlign;
      object.Cursor = TSplitterPayload::NewObjectCursor;
      break;
    case otMemo:
      object.Cursor = TMemoPayload::NewObjectCursor;
      break;
    case otRichText:
      object.Cursor = TRichTextPayload::NewObjectCursor;
      break;
    default:
      break;
  }
  return CreateObjectControl(object, parent, context);
}

void StoreControlsToRecords(TAuObject& root) {
  if (TAuControl* c = ControlOf(root)) c->StoreToRecord();
  for (auto& child : root.Objects) StoreControlsToRecords(*child);
}

void RestackChildren(TAuObject& container) {
  std::vector<QWidget*> order;
  std::vector<TGraphicControl*> graphics;
  order.reserve(container.Objects.size());
  for (bool windowed : {false, true})
    for (auto& child : container.Objects) {
      if (child->ObjectType == otTabSheet || TAuControl::IsWindowedKind(child->ObjectType) != windowed) continue;
      TAuControl* c = ControlOf(*child);
      if (!c) continue;
      // A control without a widget of its own is a windowless one.
      if (QWidget* w = c->Widget())
        order.push_back(w);
      else
        graphics.push_back(static_cast<TGraphicControl*>(c));
    }
  // The windowless ones all sit on the container's host, below every window there.
  if (!graphics.empty()) TGraphicHost::Of(*graphics.front()->HostWidget()).Restack(graphics);
  if (StackedInOrder(order)) return;
  for (QWidget* w : order) w->raise();
}

// ---- docking ----

void SuspendAlign(TAuObject& container) {
  if (TAuControl* c = ControlOf(container)) ++c->FAlignSuspended;
}

void ResumeAlign(TAuObject& container) {
  TAuControl* c = ControlOf(container);
  if (!c || c->FAlignSuspended == 0) return;
  if (--c->FAlignSuspended == 0) AlignChildren(container);
}

void AlignChildren(TAuObject& container) {
  TAuControl* host = ControlOf(container);
  if (!host || TAuDocking::Suspended(*host)) return;
  TAuDocking::Dock(container.Objects, host->ChildClientRect());
  host->ChildrenAligned();
}
