// The design surface's rules, apart from any window: where objects are on the surface, what a
// point hits, which container takes a new object, how a drag step moves and sizes objects, how a
// press, a drag and a release change the selection, and the arithmetic of alignment, grid
// alignment and paste positions.
//
// Positions are in the coordinates of the page's client area (the surface), taken from the live
// controls of the editing page, so docked objects are where the page puts them. Records and
// controls change together: SetBounds writes the record and re-places the control.
#pragma once

#include <QPoint>
#include <QRect>
#include <QSize>
#include <array>
#include <functional>
#include <optional>
#include <vector>

#include "model/Project.h"

namespace Surface {

struct TGrid {
  int X = 8;
  int Y = 8;
  bool Snap = true;
  // Hand-edited settings may hold anything; the arithmetic below divides by these.
  int SafeX() const { return X < 1 ? 1 : X; }
  int SafeY() const { return Y < 1 ? 1 : Y; }
};

// ---- the object tree ----

// The container holding object: root for top-level objects; null when object is not in the tree.
TAuObject* ParentOf(TAuObject& root, const TAuObject& object);
// Panel, tab sheet, group box, scroll box: the kinds that take objects dropped on their body.
bool IsContainerKind(TObjectType kind);
// Whether other is object or lies inside it.
bool Contains(const TAuObject& object, const TAuObject& other);
// Every object of the page, parent before children, in list order.
void ForEachObject(TAuObject& root, const std::function<void(TAuObject&)>& visit);
// Every object, each top-level object's subtree children first and last to first, top-level
// objects last to first: the order in which the top-most object under a point comes first.
std::vector<TAuObject*> TopMostFirst(TAuObject& root);
// The index of the active sheet of a tab notebook's control, or -1.
int ActiveSheetIndex(const TAuObject& notebook);
void SetActiveSheetIndex(TAuObject& notebook, int index);

// ---- geometry ----

// The control's top-left corner on the surface (root's child host).
QPoint GetControlPoint(const TAuObject& root, const TAuObject& object);
// The object's rectangle on the surface (its control's size).
QRect ObjectRect(const TAuObject& root, const TAuObject& object);
// The part of the object not clipped by its ancestors; empty inside a tab sheet that is not the
// active one. right() and bottom() are the last pixels inside.
QRect GetControlAuObjectVisibleRect(TAuObject& root, const TAuObject& object);
// The eight 8 × 8 handle squares, numbered 1 (top-left) clockwise to 8 (left-middle), index 0..7.
std::array<QRect, 8> HandleRects(const QRect& rect);
// 1..8 a handle of the (selected) object, 0 its visible body, -1 nothing. The body excludes the
// visible rectangle's last column and row.
int GetPointAtAuObject(TAuObject& root, QPoint point, const TAuObject& object);
// The container that receives an object inserted or dropped at point.
TAuObject& GetTopParentObject(TAuObject& root, QPoint point);
// The cursor over handle locate (1..8), or the arrow.
Qt::CursorShape HandleCursor(int locate);

// ---- drag steps ----

// The part of a pointer movement a drag applies: with snapping nothing until one axis reaches a
// grid step, then both axes cut to whole steps (toward zero). Null when nothing applies.
std::optional<QPoint> DragStep(QPoint delta, const TGrid& grid);
// An object's bounds (parent coordinates) after one drag step of handle locate (0 moves), with
// the minimum size of one grid unit after a resize, and one grid unit kept inside the parent.
QRect DraggedBounds(QRect bounds, int locate, QPoint step, const TGrid& grid, QSize parentSize);

// ---- commands ----

// Alignment id 0 left, 1 right, 2 horizontal centre, 3 top, 4 bottom, 5 vertical centre, of
// bounds to the primary object's.
QRect AlignedBounds(QRect bounds, const QRect& primary, int id);
// The nearest grid point (a half step rounds up).
QPoint GridAligned(QPoint topLeft, const TGrid& grid);
// Where a pasted object lands: its stored place moved by the cascade, pulled back inside the
// target, never negative.
QPoint PastePosition(const QRect& stored, int pasteOff, QPoint pasteOrigin, QSize target);

// The record's bounds, with the control re-placed to match.
QRect Bounds(const TAuObject& object);
void SetBounds(TAuObject& object, const QRect& bounds);

// ---- selection ----

void UnselectAll(TAuObject& root);
std::vector<TAuObject*> SelectedObjects(TAuObject& root);
// Deselects every object that is not a sibling of object (the selection never spans containers).
void KeepSiblingsOnly(TAuObject& root, const TAuObject& object);

// One mouse gesture on the surface: press, moves, release. The owner paints and turns the
// result of a gesture into an undo step; this class only changes selection flags and bounds.
class TGesture {
 public:
  enum State { Idle = -1, Band = 0, Picked = 1, Dragging = 2 };

  explicit TGesture(TAuObject& root) : FRoot(&root) {}
  void SetRoot(TAuObject& root) {
    FRoot = &root;
    Reset();
  }
  void Reset();

  // A press with the left or right button (insertion is the caller's, before this).
  void Press(QPoint point, bool ctrl);
  // Returns true when something changed that needs a repaint (bounds or the band).
  bool Move(QPoint point, const TGrid& grid);
  // Ends the gesture; selection changes of bands and clicks happen here.
  void Release(QPoint point, bool ctrl);

  State Mode() const { return FState; }
  int Locate() const { return FLocate; }
  bool Moved() const { return FMoved; }
  // The band, normalised, while one is drawn; null otherwise.
  QRect BandRect() const { return FBand; }
  // The cursor for a pointer at point with no button down.
  Qt::CursorShape CursorAt(QPoint point);

  // The objects a drag changed and their bounds before the gesture, for one undo step.
  struct TChange {
    TAuObject* Object;
    QRect Before;
  };
  const std::vector<TChange>& Changes() const { return FChanges; }

 private:
  void Remember(TAuObject& object);

  TAuObject* FRoot;
  State FState = Idle;
  bool FMoved = false;
  int FLocate = -1;
  QPoint FLast, FPress;
  QRect FBand;
  std::vector<TChange> FChanges;
};

}  // namespace Surface
