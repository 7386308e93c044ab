#include "designer/SurfaceCommands.h"

#include <algorithm>
#include <climits>

#include "designer/UndoCommands.h"
#include "model/ClipboardBlock.h"
#include "model/Errors.h"
#include "model/ObjectStream.h"
#include "objects/Clipboard.h"
#include "objects/Containers.h"
#include "objects/ObjectControl.h"
#include "player/AutoRunForm.h"
#include "player/PageObjects.h"

namespace SurfaceCommands {

namespace {

// The page stream from before a structural edit; false (reported) when it cannot be written.
bool Before(TDesignerState& state, QByteArray& bytes) {
  return state.LoadedPage() && state.PageBytes(*state.LoadedPage(), bytes);
}

void PushEdit(TDesignerState& state, const QString& text, QByteArray before) {
  state.Push(new TPageEditCommand(state, text, *state.LoadedPage(), std::move(before)));
}

int IndexOf(const TAuObject& container, const TAuObject& child) {
  for (size_t i = 0; i < container.Objects.size(); ++i)
    if (container.Objects[i].get() == &child) return static_cast<int>(i);
  return -1;
}

// Gives objects new bounds as one undo step; only those that really change take part.
bool ApplyBounds(TDesignerState& state, const QString& text, const std::vector<std::pair<TAuObject*, QRect>>& wanted) {
  std::vector<TObjectBoundsCommand::TEntry> before;
  for (const auto& [object, bounds] : wanted) {
    if (Surface::Bounds(*object) == bounds) continue;
    before.push_back({state.PathOf(object), Surface::Bounds(*object)});
    Surface::SetBounds(*object, bounds);
  }
  if (before.empty()) return false;
  state.Push(new TObjectBoundsCommand(state, text, std::move(before)));
  return true;
}

}  // namespace

TAuObject* PageRoot(TDesignerState& state) { return state.LoadedPage() ? state.EditPage().PanelObject() : nullptr; }

TAuObject& SelectionContainer(TAuObject& root, const TAuObject* primary) {
  TAuObject* parent = primary ? Surface::ParentOf(root, *primary) : nullptr;
  return parent ? *parent : root;
}

std::vector<TAuObject*> SelectedChildren(TAuObject& container) {
  std::vector<TAuObject*> out;
  for (const auto& child : container.Objects)
    if (child->Selected) out.push_back(child.get());
  return out;
}

// ---- new objects ----

TAuObject* InsertObject(TDesignerState& state, TObjectType kind, QPoint point, const Surface::TGrid& grid,
                        bool* splitterRefused) {
  if (splitterRefused) *splitterRefused = false;
  TAuObject* root = PageRoot(state);
  if (!root) return nullptr;
  TAuObject& container = Surface::GetTopParentObject(*root, point);
  // A splitter needs a container whose children it can split; a panel (the page too) is none.
  if (kind == otSplitter && container.ObjectType == otPanel) {
    if (splitterRefused) *splitterRefused = true;
    return nullptr;
  }
  TAuControl* host = ControlOf(container);
  QByteArray before;
  if (!host || !Before(state, before)) return nullptr;
  const QPoint at = point - Surface::GetControlPoint(*root, container);
  TAuObject* object = AddNewObject(container, kind, at.x(), at.y(), grid.Snap, grid.SafeX(), grid.SafeY());
  if (!object) return nullptr;
  if (!CreateNewObjectControl(*object, host->ChildHost(), host->Context())) {
    container.Objects.pop_back();
    return nullptr;
  }
  ReSetObjectsOrder(container);
  Surface::UnselectAll(*root);
  object->Selected = true;
  PushEdit(state, SurfaceTexts::Insert.arg(GetObjectTypeName(kind)), std::move(before));
  return object;
}

TAuObject* AddTabSheet(TDesignerState& state, TAuObject& primary) {
  TAuObject* root = PageRoot(state);
  if (!root) return nullptr;
  TAuObject* book = &primary;
  if (primary.ObjectType == otTabSheet) book = Surface::ParentOf(*root, primary);
  if (!book || book->ObjectType != otTabNotebook) return nullptr;
  TAuControl* host = ControlOf(*book);
  QByteArray before;
  if (!host || !Before(state, before)) return nullptr;
  TAuObject* sheet = AddNewObject(*book, otTabSheet, 0, 0);
  if (!sheet) return nullptr;
  if (!CreateNewObjectControl(*sheet, host->ChildHost(), host->Context())) {
    book->Objects.pop_back();
    return nullptr;
  }
  ReSetObjectsOrder(*book);
  if (auto* notebook = dynamic_cast<TAuTabNotebook*>(host)) notebook->RebuildIcons();
  Surface::UnselectAll(*root);
  sheet->Selected = true;
  PushEdit(state, SurfaceTexts::NewTabSheet, std::move(before));
  return sheet;
}

// ---- clipboard and delete ----

bool DeleteSelection(TDesignerState& state, const TAuObject& primary, const QString& text) {
  TAuObject* root = PageRoot(state);
  if (!root) return false;
  TAuObject& container = SelectionContainer(*root, &primary);
  if (SelectedChildren(container).empty()) return false;
  QByteArray before;
  if (!Before(state, before)) return false;
  // Last to first, so that the indexes still to visit stay put; the subtrees go with their records.
  for (int i = static_cast<int>(container.Objects.size()) - 1; i >= 0; --i)
    if (container.Objects[i]->Selected) container.Objects.erase(container.Objects.begin() + i);
  PushEdit(state, text, std::move(before));
  return true;
}

bool CopySelection(TDesignerState& state, const TAuObject& primary, TPasteOffsets& offsets) {
  TAuObject* root = PageRoot(state);
  if (!root) return false;
  const std::vector<const TAuObject*> objects = ObjectsToCopy(SelectionContainer(*root, &primary));
  if (objects.empty()) return false;
  StoreControlsToRecords(*root);
  QByteArray stream;
  TError error;
  if (!WriteObjectsClipboardStream(objects, stream, &error)) {
    ReportError(error);
    return false;
  }
  int left = INT_MAX, top = INT_MAX;
  for (const TAuObject* object : objects) {
    left = std::min(left, object->Left);
    top = std::min(top, object->Top);
  }
  PutStreamOnClipboard(stream, ClipboardFormats::Objects);
  offsets.PasteXOff = left;
  offsets.PasteYOff = top;
  offsets.PasteOff = 8;
  return true;
}

bool CutSelection(TDesignerState& state, const TAuObject& primary, TPasteOffsets& offsets) {
  return CopySelection(state, primary, offsets) && DeleteSelection(state, primary, SurfaceTexts::Cut);
}

std::vector<TAuObject*> PasteObjects(TDesignerState& state, TAuObject* primary, TPasteOffsets& offsets) {
  std::vector<TAuObject*> result;
  TAuObject* root = PageRoot(state);
  QByteArray stream;
  if (!root || !GetStreamFromClipboard(stream, ClipboardFormats::Objects)) return result;
  TAuObject& target = !primary                                        ? *root
                      : Surface::IsContainerKind(primary->ObjectType) ? *primary
                                                                      : SelectionContainer(*root, primary);
  TAuControl* host = ControlOf(target);
  QByteArray before;
  if (!host || !Before(state, before)) return result;
  Surface::UnselectAll(*root);
  const QSize bounds = host->Size();
  std::vector<PAuObject> pasted;
  TError error;
  SuspendAlign(target);
  const bool ok = PasteObjectsFromClipboardStream(target, stream, offsets.PasteOff - offsets.PasteXOff,
                                                  offsets.PasteOff - offsets.PasteYOff, bounds, &pasted, &error);
  for (TAuObject* object : pasted) {
    if (!CreateObjectControl(*object, host->ChildHost(), host->Context())) continue;
    object->Selected = true;
    result.push_back(object);
  }
  // Records whose controls could not be made do not stay behind unseen.
  std::erase_if(target.Objects, [&](const auto& child) {
    return std::find(pasted.begin(), pasted.end(), child.get()) != pasted.end() && !ControlOf(*child);
  });
  ResumeAlign(target);
  if (!ok) ReportError(error);
  if (result.empty()) return result;
  ReSetObjectsOrder(target);
  offsets.PasteOff += 8;
  PushEdit(state, SurfaceTexts::Paste, std::move(before));
  return result;
}

// ---- stacking ----

bool BringToFront(TDesignerState& state, TAuObject& primary) {
  TAuObject* root = PageRoot(state);
  if (!root || primary.ObjectType == otTabSheet) return false;
  TAuObject& container = SelectionContainer(*root, &primary);
  const int index = IndexOf(container, primary);
  const int last = static_cast<int>(container.Objects.size()) - 1;
  QByteArray before;
  if (index < 0 || index == last || !Before(state, before)) return false;
  if (!MoveAuObject(container, index, last)) return false;
  PushEdit(state, SurfaceTexts::BringToFront, std::move(before));
  return true;
}

bool SendToBack(TDesignerState& state, TAuObject& primary) {
  TAuObject* root = PageRoot(state);
  if (!root || primary.ObjectType == otTabSheet) return false;
  TAuObject& container = SelectionContainer(*root, &primary);
  const int index = IndexOf(container, primary);
  QByteArray before;
  if (index <= 0 || !Before(state, before)) return false;
  // The panel paints its own background beneath every child, so nothing else has to move.
  if (!MoveAuObject(container, index, 0)) return false;
  PushEdit(state, SurfaceTexts::SendToBack, std::move(before));
  return true;
}

// ---- places and sizes ----

bool AlignSelectedObjects(TDesignerState& state, const TAuObject& primary, int id) {
  TAuObject* root = PageRoot(state);
  if (!root || id < 0 || id > 5) return false;
  const QRect reference = Surface::Bounds(primary);
  std::vector<std::pair<TAuObject*, QRect>> wanted;
  for (TAuObject* object : SelectedChildren(SelectionContainer(*root, &primary)))
    if (object != &primary) wanted.push_back({object, Surface::AlignedBounds(Surface::Bounds(*object), reference, id)});
  return ApplyBounds(state, SurfaceTexts::Align, wanted);
}

bool AlignToGrid(TDesignerState& state, const TAuObject& primary, const Surface::TGrid& grid) {
  TAuObject* root = PageRoot(state);
  if (!root) return false;
  std::vector<std::pair<TAuObject*, QRect>> wanted;
  for (TAuObject* object : SelectedChildren(SelectionContainer(*root, &primary))) {
    QRect bounds = Surface::Bounds(*object);
    bounds.moveTopLeft(Surface::GridAligned(bounds.topLeft(), grid));
    wanted.push_back({object, bounds});
  }
  return ApplyBounds(state, SurfaceTexts::AlignToGrid, wanted);
}

bool MoveSelectedObject(TDesignerState& state, const TAuObject& primary, int dx, int dy) {
  TAuObject* root = PageRoot(state);
  if (!root) return false;
  std::vector<std::pair<TAuObject*, QRect>> wanted;
  for (TAuObject* object : SelectedChildren(SelectionContainer(*root, &primary)))
    wanted.push_back({object, Surface::Bounds(*object).translated(dx, dy)});
  return ApplyBounds(state, SurfaceTexts::Move, wanted);
}

bool ResizeSelectedObject(TDesignerState& state, const TAuObject& primary, int dx, int dy) {
  TAuObject* root = PageRoot(state);
  if (!root) return false;
  std::vector<std::pair<TAuObject*, QRect>> wanted;
  for (TAuObject* object : SelectedChildren(SelectionContainer(*root, &primary))) {
    const QRect b = Surface::Bounds(*object);
    wanted.push_back({object, QRect(b.x(), b.y(), b.width() + dx, b.height() + dy)});
  }
  return ApplyBounds(state, SurfaceTexts::Resize, wanted);
}

bool PushGesture(TDesignerState& state, const std::vector<Surface::TGesture::TChange>& changes, bool resize) {
  std::vector<TObjectBoundsCommand::TEntry> before;
  for (const auto& change : changes)
    if (Surface::Bounds(*change.Object) != change.Before)
      before.push_back({state.PathOf(change.Object), change.Before});
  if (before.empty()) return false;
  state.Push(new TObjectBoundsCommand(state, resize ? SurfaceTexts::Resize : SurfaceTexts::Move, std::move(before)));
  return true;
}

}  // namespace SurfaceCommands
