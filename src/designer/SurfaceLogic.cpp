#include "designer/SurfaceLogic.h"

#include <QTabBar>
#include <QTabWidget>
#include <QWidget>
#include <algorithm>
#include <optional>

#include "objects/Containers.h"
#include "objects/ObjectControl.h"

namespace Surface {

namespace {

QWidget* SurfaceOf(const TAuObject& root) {
  TAuControl* control = ControlOf(root);
  return control ? control->ChildHost() : nullptr;
}

// The chain of objects from a top-level object down to object; empty when not found.
bool PathTo(TAuObject& parent, const TAuObject& object, std::vector<TAuObject*>& path) {
  for (const auto& child : parent.Objects) {
    path.push_back(child.get());
    if (child.get() == &object || PathTo(*child, object, path)) return true;
    path.pop_back();
  }
  return false;
}

void ChildrenFirst(TAuObject& object, std::vector<TAuObject*>& out, bool activeSheetOnly) {
  const int active = activeSheetOnly && object.ObjectType == otTabNotebook ? ActiveSheetIndex(object) : -1;
  for (int i = int(object.Objects.size()) - 1; i >= 0; --i) {
    if (active >= 0 && i != active) continue;
    ChildrenFirst(*object.Objects[i], out, activeSheetOnly);
    out.push_back(object.Objects[i].get());
  }
}

// Inclusive point-in-rectangle with explicit edges, as the hit zones are given.
bool In(QPoint p, int x0, int x1, int y0, int y1) { return p.x() >= x0 && p.x() <= x1 && p.y() >= y0 && p.y() <= y1; }

int DivZero(int a, int b) { return a / b; }  // C++ division already rounds toward zero

}  // namespace

TAuObject* ParentOf(TAuObject& root, const TAuObject& object) {
  std::vector<TAuObject*> path;
  if (!PathTo(root, object, path)) return nullptr;
  return path.size() >= 2 ? path[path.size() - 2] : &root;
}

bool IsContainerKind(TObjectType kind) {
  return kind == otPanel || kind == otTabSheet || kind == otGroupBox || kind == otScrollBox;
}

bool Contains(const TAuObject& object, const TAuObject& other) {
  if (&object == &other) return true;
  for (const auto& child : object.Objects)
    if (Contains(*child, other)) return true;
  return false;
}

void ForEachObject(TAuObject& root, const std::function<void(TAuObject&)>& visit) {
  for (const auto& child : root.Objects) {
    visit(*child);
    ForEachObject(*child, visit);
  }
}

std::vector<TAuObject*> TopMostFirst(TAuObject& root) {
  std::vector<TAuObject*> out;
  ChildrenFirst(root, out, false);
  return out;
}

int ActiveSheetIndex(const TAuObject& notebook) {
  auto* book = dynamic_cast<TAuTabNotebook*>(ControlOf(notebook));
  return book ? book->ActivePageIndex() : -1;
}

void SetActiveSheetIndex(TAuObject& notebook, int index) {
  if (auto* book = dynamic_cast<TAuTabNotebook*>(ControlOf(notebook))) book->SetActivePageIndex(index);
}

QPoint GetControlPoint(const TAuObject& root, const TAuObject& object) {
  TAuControl* control = ControlOf(object);
  QWidget* surface = SurfaceOf(root);
  if (!control || !surface) return {object.Left, object.Top};
  QWidget* host = control->HostWidget();
  if (control->Widget() == surface || !host || (host != surface && !surface->isAncestorOf(host))) return {0, 0};
  const QPoint origin = control->Geometry().topLeft();
  return host == surface ? origin : host->mapTo(surface, origin);
}

QRect ObjectRect(const TAuObject& root, const TAuObject& object) {
  TAuControl* control = ControlOf(object);
  const QSize size = control ? control->Size() : QSize(object.Width, object.Height);
  return {GetControlPoint(root, object), size};
}

QRect GetControlAuObjectVisibleRect(TAuObject& root, const TAuObject& object) {
  std::vector<TAuObject*> path;
  if (!PathTo(root, object, path)) return {};
  QRect visible = ObjectRect(root, object);
  // From the object up to its top-level ancestor.
  for (int i = int(path.size()) - 1; i >= 0; --i) {
    TAuObject* step = path[i];
    if (step->ObjectType == otTabSheet) {
      TAuObject* book = i > 0 ? path[i - 1] : &root;
      const auto& sheets = book->Objects;
      const auto it = std::find_if(sheets.begin(), sheets.end(), [&](const auto& s) { return s.get() == step; });
      if (book->ObjectType == otTabNotebook && int(it - sheets.begin()) != ActiveSheetIndex(*book)) return {};
    }
    visible = visible.intersected(ObjectRect(root, *step));
  }
  return visible;
}

std::array<QRect, 8> HandleRects(const QRect& r) {
  const int x = r.x(), y = r.y(), w = r.width(), h = r.height();
  const QPoint centres[8] = {{x, y},         {x + w / 2, y},     {x + w, y}, {x + w, y + h / 2},
                             {x + w, y + h}, {x + w / 2, y + h}, {x, y + h}, {x, y + h / 2}};
  std::array<QRect, 8> rects;
  for (int i = 0; i < 8; ++i) rects[i] = QRect(centres[i] - QPoint(4, 4), QSize(8, 8));
  return rects;
}

int GetPointAtAuObject(TAuObject& root, QPoint p, const TAuObject& object) {
  if (object.Selected) {
    const QRect r = ObjectRect(root, object);
    const int x = r.x(), y = r.y(), w = r.width(), h = r.height();
    // Highest number first: it wins where zones overlap.
    if (In(p, x - 4, x + 4, y + h / 2 - 4, y + h / 2 + 4)) return 8;
    if (In(p, x - 4, x + 4, y + h - 5, y + h + 3)) return 7;
    if (In(p, x + w / 2 - 4, x + w / 2 + 4, y + h - 5, y + h + 3)) return 6;
    if (In(p, x + w - 5, x + w + 3, y + h - 5, y + h + 3)) return 5;
    if (In(p, x + w - 5, x + w + 3, y + h / 2 - 4, y + h / 2 + 4)) return 4;
    if (In(p, x + w - 5, x + w + 3, y - 4, y + 4)) return 3;
    if (In(p, x + w / 2 - 4, x + w / 2 + 4, y - 4, y + 4)) return 2;
    if (In(p, x - 4, x + 4, y - 4, y + 4)) return 1;
  }
  const QRect v = GetControlAuObjectVisibleRect(root, object);
  if (v.isEmpty()) return -1;
  return In(p, v.left(), v.right() - 1, v.top(), v.bottom() - 1) ? 0 : -1;
}

TAuObject& GetTopParentObject(TAuObject& root, QPoint point) {
  std::vector<TAuObject*> order;
  ChildrenFirst(root, order, true);
  for (TAuObject* object : order) {
    const int hit = GetPointAtAuObject(root, point, *object);
    if (hit < 0) continue;
    if (hit == 0 && IsContainerKind(object->ObjectType)) return *object;
    TAuObject* parent = ParentOf(root, *object);
    // A notebook never takes objects itself; what lands on its tab row goes to its container.
    while (parent && parent != &root && parent->ObjectType == otTabNotebook) parent = ParentOf(root, *parent);
    return parent ? *parent : root;
  }
  return root;
}

Qt::CursorShape HandleCursor(int locate) {
  switch (locate) {
    case 1:
    case 5:
      return Qt::SizeFDiagCursor;
    case 2:
    case 6:
      return Qt::SizeVerCursor;
    case 3:
    case 7:
      return Qt::SizeBDiagCursor;
    case 4:
    case 8:
      return Qt::SizeHorCursor;
    default:
      return Qt::ArrowCursor;
  }
}

std::optional<QPoint> DragStep(QPoint delta, const TGrid& grid) {
  if (!grid.Snap) return delta.isNull() ? std::nullopt : std::optional<QPoint>(delta);
  const int gx = grid.SafeX(), gy = grid.SafeY();
  if (std::abs(delta.x()) < gx && std::abs(delta.y()) < gy) return std::nullopt;
  return QPoint(DivZero(delta.x(), gx) * gx, DivZero(delta.y(), gy) * gy);
}

QRect DraggedBounds(QRect b, int locate, QPoint d, const TGrid& grid, QSize parent) {
  int left = b.x(), top = b.y(), width = b.width(), height = b.height();
  const int dx = d.x(), dy = d.y();
  switch (locate) {
    case 0:
      left += dx, top += dy;
      break;
    case 1:
      left += dx, width -= dx, top += dy, height -= dy;
      break;
    case 2:
      top += dy, height -= dy;
      break;
    case 3:
      top += dy, height -= dy, width += dx;
      break;
    case 4:
      width += dx;
      break;
    case 5:
      width += dx, height += dy;
      break;
    case 6:
      height += dy;
      break;
    case 7:
      left += dx, width -= dx, height += dy;
      break;
    case 8:
      left += dx, width -= dx;
      break;
    default:
      break;
  }
  const int gx = grid.SafeX(), gy = grid.SafeY();
  if (locate >= 1 && locate <= 8) {
    if (width <= gx) width = gx;
    if (height <= gy) height = gy;
  }
  left = std::max(left, gx - width);
  top = std::max(top, gy - height);
  left = std::min(left, parent.width() - gx);
  top = std::min(top, parent.height() - gy);
  return {left, top, width, height};
}

QRect AlignedBounds(QRect b, const QRect& p, int id) {
  switch (id) {
    case 0:
      b.moveLeft(p.x());
      break;
    case 1:
      b.moveLeft(p.x() + p.width() - b.width());
      break;
    case 2:
      b.moveLeft(p.x() + p.width() / 2 - b.width() / 2);
      break;
    case 3:
      b.moveTop(p.y());
      break;
    case 4:
      b.moveTop(p.y() + p.height() - b.height());
      break;
    case 5:
      b.moveTop(p.y() + p.height() / 2 - b.height() / 2);
      break;
    default:
      break;
  }
  return b;
}

QPoint GridAligned(QPoint topLeft, const TGrid& grid) {
  const int gx = grid.SafeX(), gy = grid.SafeY();
  return {DivZero(topLeft.x() + gx / 2, gx) * gx, DivZero(topLeft.y() + gy / 2, gy) * gy};
}

QPoint PastePosition(const QRect& stored, int pasteOff, QPoint origin, QSize target) {
  int left = stored.x() + pasteOff - origin.x();
  int top = stored.y() + pasteOff - origin.y();
  if (left + stored.width() > target.width()) left = target.width() - stored.width();
  if (top + stored.height() > target.height()) top = target.height() - stored.height();
  return {std::max(left, 0), std::max(top, 0)};
}

QRect Bounds(const TAuObject& object) { return {object.Left, object.Top, object.Width, object.Height}; }

void SetBounds(TAuObject& object, const QRect& bounds) {
  if (Bounds(object) == bounds) return;
  object.Left = bounds.x();
  object.Top = bounds.y();
  object.Width = bounds.width();
  object.Height = bounds.height();
  if (TAuControl* control = ControlOf(object)) control->RecordChanged(TRecordChange::Bounds);
}

void UnselectAll(TAuObject& root) {
  ForEachObject(root, [](TAuObject& o) { o.Selected = false; });
}

std::vector<TAuObject*> SelectedObjects(TAuObject& root) {
  std::vector<TAuObject*> out;
  ForEachObject(root, [&](TAuObject& o) {
    if (o.Selected) out.push_back(&o);
  });
  return out;
}

void KeepSiblingsOnly(TAuObject& root, const TAuObject& object) {
  const TAuObject* parent = ParentOf(root, object);
  // One walk that knows each object's container, rather than a search for it per object.
  const std::function<void(TAuObject&)> visit = [&](TAuObject& container) {
    for (const auto& child : container.Objects) {
      if (&container != parent) child->Selected = false;
      visit(*child);
    }
  };
  visit(root);
}

// ---- gesture ----

void TGesture::Reset() {
  FState = Idle;
  FMoved = false;
  FLocate = -1;
  FBand = QRect();
  FChanges.clear();
}

void TGesture::Press(QPoint point, bool ctrl) {
  FMoved = false;
  FState = Band;
  FChanges.clear();
  FBand = QRect();
  const std::vector<TAuObject*> order = TopMostFirst(*FRoot);
  if (!ctrl) {
    // A handle or the body of an object already selected.
    for (TAuObject* o : order) {
      if (!o->Selected) continue;
      FLocate = GetPointAtAuObject(*FRoot, point, *o);
      if (FLocate > 0) {
        FLast = point;
        FState = Dragging;
        break;
      }
      if (FLocate == 0) {
        if (o->ObjectType == otTabNotebook) {
          if (auto* book = dynamic_cast<TAuTabNotebook*>(ControlOf(*o))) {
            QWidget* tabs = book->Tabs();
            const QPoint local = tabs->mapFrom(SurfaceOf(*FRoot), point);
            const int tab = book->Tabs()->tabBar()->tabAt(book->Tabs()->tabBar()->mapFrom(tabs, local));
            if (tab >= 0) book->SetActivePageIndex(tab);
          }
        }
        break;
      }
    }
    if (FState != Dragging) {
      for (TAuObject* o : order) {
        const int hit = GetPointAtAuObject(*FRoot, point, *o);
        if (hit < 0) continue;
        FLast = point;
        if (o->Selected) {
          FState = Dragging;
          FLocate = 0;
        } else {
          FState = Picked;
          o->Selected = true;
        }
        break;
      }
    }
    if (FState == Picked) {
      // The top-most object under the point alone, and it moves.
      bool kept = false;
      for (TAuObject* o : order) {
        const bool under = GetPointAtAuObject(*FRoot, point, *o) >= 0;
        o->Selected = under && !kept;
        if (under) kept = true;
      }
      FState = Dragging;
      FLocate = 0;
    }
  }
  FPress = point;
}

void TGesture::Remember(TAuObject& object) {
  for (const TChange& c : FChanges)
    if (c.Object == &object) return;
  FChanges.push_back({&object, Bounds(object)});
}

bool TGesture::Move(QPoint point, const TGrid& grid) {
  if (FState == Dragging) {
    const std::optional<QPoint> step = DragStep(point - FLast, grid);
    if (!step) return false;
    FMoved = true;
    for (TAuObject* o : SelectedObjects(*FRoot)) {
      if (o->Locked) continue;
      TAuControl* control = ControlOf(*o);
      QWidget* host = control ? control->HostWidget() : nullptr;
      const QSize parent = host ? host->size() : QSize(o->Width, o->Height);
      Remember(*o);
      SetBounds(*o, DraggedBounds(Bounds(*o), FLocate, *step, grid, parent));
    }
    FLast += *step;
    return true;
  }
  if (FState == Band) {
    FMoved = true;
    FBand = QRect(FPress, point).normalized();
    return true;
  }
  return false;
}

void TGesture::Release(QPoint point, bool ctrl) {
  if (FState != Dragging) {
    TAuObject* handled = nullptr;
    if (FMoved) {
      const QRect band = QRect(FPress, point).normalized();
      for (const auto& top : FRoot->Objects) {
        const QRect r = ObjectRect(*FRoot, *top);
        // Right and bottom edges count as inside.
        const bool meets = r.adjusted(0, 0, 1, 1).intersects(band.adjusted(0, 0, 1, 1));
        if (!meets)
          top->Selected = false;
        else {
          top->Selected = ctrl ? !top->Selected : true;
          handled = top.get();
        }
      }
    } else {
      for (TAuObject* o : TopMostFirst(*FRoot)) {
        if (!handled && GetPointAtAuObject(*FRoot, point, *o) >= 0) {
          handled = o;
          o->Selected = ctrl ? !o->Selected : true;
        } else if (!ctrl) {
          o->Selected = false;
        }
      }
    }
    if (handled) KeepSiblingsOnly(*FRoot, *handled);
  }
  FState = Idle;
  FMoved = false;
  FBand = QRect();
}

Qt::CursorShape TGesture::CursorAt(QPoint point) {
  for (TAuObject* o : TopMostFirst(*FRoot)) {
    if (!o->Selected || o->Locked) continue;
    const int hit = GetPointAtAuObject(*FRoot, point, *o);
    if (hit > 0) return HandleCursor(hit);
  }
  return Qt::ArrowCursor;
}

}  // namespace Surface
