// The live side of a page object: every kind's control shares this base, which links it to its
// record, forwards its mouse events to the page that holds it, follows the record when it changes
// and copies what the user changed on screen back before the record is written.
//
// The record is the one source of truth. A control reads its payload each time it (re)applies it
// and never keeps a copy of a stored value; what it keeps is only what it built from the record
// (pictures, laid-out text), tagged so that it is rebuilt exactly when its inputs change.
#pragma once

#include <QCursor>
#include <QPointer>
#include <QString>
#include <QTimer>
#include <QWidget>
#include <functional>

#include "model/Project.h"

// Receives the events of a page's objects. The page window of the player implements it; the
// objects layer only reports.
class TPageEvents {
 public:
  virtual ~TPageEvents() = default;
  virtual void ObjectClick(TAuObject& object) = 0;
  virtual void ObjectDblClick(TAuObject& object) = 0;
  virtual void ObjectMouseEnter(TAuObject& object) = 0;
  virtual void ObjectMouseLeave(TAuObject& object) = 0;
  // pos is in the control's own coordinates; buttons are those held after the event.
  virtual void ObjectMouseDown(TAuObject& object, Qt::MouseButton button, Qt::MouseButtons buttons,
                               Qt::KeyboardModifiers modifiers, QPoint pos) = 0;
  virtual void ObjectMouseMove(TAuObject& object, Qt::MouseButtons buttons, Qt::KeyboardModifiers modifiers,
                               QPoint pos) = 0;
  virtual void ObjectMouseUp(TAuObject& object, Qt::MouseButton button, Qt::MouseButtons buttons,
                             Qt::KeyboardModifiers modifiers, QPoint pos) = 0;
  // A fading object's cycle turned (it is invisible now): apply its pending change.
  virtual void ObjectFadeOver(TAuObject& object) = 0;
  // An item of an object's popup menu was chosen.
  virtual void MenuItemClick(const TMenuItem& item) = 0;
};

// What every control of one page shares: whether the page is live (player, preview) or the
// designer's editing canvas, where its events go, and the folder relative file names resolve
// against.
struct TControlContext {
  bool Live = true;
  TPageEvents* Events = nullptr;  // may be null: nothing is reported
  QString ProjectFolder;          // without a trailing delimiter, as GetProjectFolder gives it

  // The context of the running program (IsLive(), the project folder of SourceFileName).
  static TControlContext Current(TPageEvents* events = nullptr);
};

// What a change to a record touched, so a control does only the work that change needs.
enum class TRecordChange : uint8_t {
  Bounds,   // Left, Top, Width, Height, Align: re-place; rebuild only when the size changed
  Common,   // enabled, visible, hint, cursor, popup menu, and the bounds
  Payload,  // the kind's own properties (and everything above)
};

class TAuEventRouter;

class TAuControl {
 public:
  TAuControl(TAuObject& object, const TControlContext& context);
  virtual ~TAuControl();
  TAuControl(const TAuControl&) = delete;
  TAuControl& operator=(const TAuControl&) = delete;

  // The record this control shows; null once the record let go of it.
  TAuObject* AuObject = nullptr;

  // The control's own window; null for the windowless kinds, which the widget they sit on paints
  // (objects/GraphicControl.h).
  virtual QWidget* Widget() = 0;
  // What the record's Control points to: the widget, or the windowless control itself.
  virtual QObject* ControlObject() { return Widget(); }
  // The widget the control sits on (for a windowed control, its widget's parent).
  virtual QWidget* HostWidget() const;
  // Where the control is, in HostWidget()'s coordinates.
  virtual QRect Geometry() const;
  virtual void SetGeometry(const QRect& r);
  QSize Size() const { return Geometry().size(); }
  // Whether the control is shown where it sits (its host may still be hidden).
  virtual bool IsShown() const;
  virtual void SetShown(bool shown);
  // Paints the control again.
  virtual void Repaint();
  // The widget the controls of child objects are placed on (a panel's client area, a tab sheet).
  virtual QWidget* ChildHost() { return Widget(); }

  const TControlContext& Context() const { return FContext; }
  bool Live() const { return FContext.Live; }
  bool Editing() const { return !FContext.Live; }

  // Brings the control in line with its record after a change. Pictures are rebuilt only when what
  // they are built from changed (a move never rebuilds; a new size or a new look does).
  void RecordChanged(TRecordChange change = TRecordChange::Payload);

  // Copies what the user can change on screen (bounds and docking; a kind's own live state) into
  // the record, so that what is written is what is seen.
  virtual void StoreToRecord();

  // Brings every fade, entrance animation and timed change to the state the object rests in once
  // they are over, so that a still picture shows the page at rest. Live controls only.
  virtual void SettleForSnapshot() {}

  // How many times the control built its look from the record (tests and benchmarks).
  int RebuildCount() const { return FRebuildCount; }

  // The rectangle of ChildHost() that docked children share (its contents rectangle unless the kind
  // keeps a caption or a scrolled area out of it).
  virtual QRect ChildClientRect() { return ChildHost()->contentsRect(); }

  // A mouse event on the control, at pos in its own coordinates, reported to the page: presses,
  // moves and releases always, and a click or double click only while enabled (a click needs a
  // press made while it was enabled).
  void RouteMouse(const QMouseEvent& event, QPoint pos, bool enabled);
  // Shows the record's popup menu at a global point, live; false when there is none to show.
  bool ShowPopupMenu(QPoint globalPos);

  // Whether the kind has a window of its own (it paints above every windowless sibling). The
  // windowless kinds but the splitter are TGraphicControls, painted by the widget they sit on.
  static bool IsWindowedKind(TObjectType kind);

 protected:
  // The kind's own properties, from the record's payload, onto the widget. Called once after
  // creation and again after every payload change.
  virtual void ApplyPayload() = 0;
  // The size changed; the default rebuilds through ApplyPayload.
  virtual void SizeChanged() { ApplyPayload(); }
  // Once after creation, the record applied and the bounds set (before the children exist).
  virtual void OnCreated() {}
  // Once after every child's control exists and the children were docked (a notebook rebuilds its
  // tab icons and shows its stored default page here).
  virtual void ChildrenCreated() {}
  // After the docked children of this container were laid out (a scroll box updates its range).
  virtual void ChildrenAligned() {}
  // The common properties onto the widget (hint, cursor, enabled, visibility rule).
  virtual void ApplyCommon();
  void CountRebuild() { ++FRebuildCount; }

  // Reporting to the page (no-ops without a record or an events receiver).
  void ReportClick();
  void ReportDblClick();
  void ReportEnter();
  void ReportLeave();
  void ReportDown(Qt::MouseButton button, Qt::MouseButtons buttons, Qt::KeyboardModifiers modifiers, QPoint pos);
  void ReportMove(Qt::MouseButtons buttons, Qt::KeyboardModifiers modifiers, QPoint pos);
  void ReportUp(Qt::MouseButton button, Qt::MouseButtons buttons, Qt::KeyboardModifiers modifiers, QPoint pos);
  void ReportFadeOver();

  // Routes the mouse events of w (the control itself or an inner widget such as a tab bar or a
  // text view's viewport) to the page as this object's own, with positions in Widget()'s
  // coordinates. Also shows the popup menu on a right click when the record has one.
  void ForwardMouseEvents(QWidget* w);

  // Whether a right click on w (a widget whose events this control forwards) is on the control
  // itself rather than on an object inside it: its own widget and that widget's direct parts.
  virtual bool IsOwnPart(QWidget* w) { return w == Widget() || w->parentWidget() == Widget(); }

  // The record of the container this control's widget sits in, or null (the page root).
  TAuObject* ParentRecord() const;

  friend class TAuEventRouter;
  friend bool CreateObjectControl(TAuObject& object, QWidget* parent, const TControlContext& context);
  friend void AlignChildren(TAuObject& container);
  friend void SuspendAlign(TAuObject& container);
  friend void ResumeAlign(TAuObject& container);
  friend class TAuDocking;
  friend class TGraphicControl;
  friend class TGraphicHost;

 private:
  // Links widget and record, routes the events and applies the common properties.
  void Attach();
  // Stored bounds onto the widget, unless the object is docked.
  void PlaceFromRecord();
  // Rebuilds through SizeChanged when the widget's size differs from the one last built for.
  void ApplySize();

  TControlContext FContext;
  bool FPressed = false;  // the left button went down on the control while it was enabled
  int FRebuildCount = 0;
  int FAlignSuspended = 0;
  QSize FBuiltSize;
  // Where this base last put the widget (from the record or by docking). Geometry that differs
  // was changed by someone else (a splitter, the designer) and is copied back before writing.
  QRect FPlacedGeometry;
};

// The control of a record, or null (the record has none, or it was destroyed).
TAuControl* ControlOf(const TAuObject& object);
// The control a widget belongs to, or null.
TAuControl* AsAuControl(QObject* widget);

// A control's clock, made the first time it is started or asked for: most objects of a page never
// animate or play, and a timer with its connection costs more to make than the rest of such an
// object. The timer is a child of its owner.
class TControlClock {
 public:
  using TTick = void (*)(QObject* owner);
  TControlClock(QObject* owner, TTick tick, int interval = 0) : FOwner(owner), FTick(tick), FInterval(interval) {}
  TControlClock(const TControlClock&) = delete;
  TControlClock& operator=(const TControlClock&) = delete;

  QTimer& Timer() {
    if (!FTimer) {
      FTimer = new QTimer(FOwner);
      FTimer->setInterval(FInterval);
      QObject::connect(FTimer, &QTimer::timeout, FTimer, [owner = FOwner, tick = FTick] { tick(owner); });
    }
    return *FTimer;
  }
  bool IsActive() const { return FTimer && FTimer->isActive(); }
  void Stop() {
    if (FTimer) FTimer->stop();
  }
  // Runs at ms, started unless it runs already.
  void Start(int ms) {
    QTimer& t = Timer();
    if (t.interval() != ms) t.setInterval(ms);
    if (!t.isActive()) t.start();
  }

 private:
  QObject* FOwner;
  TTick FTick;
  int FInterval;
  QTimer* FTimer = nullptr;
};

// The largest width or height a control is given, whatever its record says: stored sizes are
// trusted no further than pictures are.
constexpr int MaxControlExtent = 16384;

// The Qt cursor shape of a stored cursor number (−2 arrow, −21 hand point, …); unknown numbers
// give the arrow.
Qt::CursorShape CursorShapeOf(TCursor cursor);
// A stored cursor onto a widget: its shape, or for 0 the one the widget inherits. Only a change is
// applied.
void ApplyRecordCursor(QWidget& w, TCursor cursor);

// Creates the control of object under parent (for a tab sheet, parent is its notebook's host) and,
// recursively, of its whole subtree, with child docking suspended while the subtree is built and
// applied once afterwards; tab notebooks then rebuild their icons and show their stored default
// page. Replaces any control the record already had. A kind outside the table shows the unknown-kind
// message, creates nothing and fails.
bool CreateObjectControl(TAuObject& object, QWidget* parent, const TControlContext& context);

// CreateObjectControl for a record the designer has just made (no stored form behind it): the
// record first takes over what the kind's control starts with (a splitter's alignment and sizing
// cursor, the arrow cursor of memos and rich texts).
bool CreateNewObjectControl(TAuObject& object, QWidget* parent, const TControlContext& context);

// Copies every control's live state into its record, over a whole subtree (before writing). A
// control whose place nobody changed since it was placed leaves its record as it is, so that an
// unedited page writes back byte for byte.
void StoreControlsToRecords(TAuObject& root);

// Brings the stacking of container's child controls in line with its list: windowless children
// below windowed ones (windowed controls always paint above windowless siblings), each group in
// list order. Done after a subtree is created; call it after reordering a list.
void RestackChildren(TAuObject& container);

// Docking: lays out the children of container whose Align is not alNone inside its control's
// ChildClientRect, in list order (top from the top, bottom from the bottom, then left and right in the
// band that remains, client filling the rest). Hidden children take no room live. Records keep
// their stored bounds; only the widgets move. Suspended while a subtree is created (SuspendAlign /
// ResumeAlign nest). A docked root (the page panel) is docked the same way inside the plain widget
// it was created on, and follows that widget's size.
void AlignChildren(TAuObject& container);
void SuspendAlign(TAuObject& container);
void ResumeAlign(TAuObject& container);
