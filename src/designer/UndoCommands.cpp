#include "designer/UndoCommands.h"

#include "designer/SurfaceLogic.h"
#include "objects/ObjectControl.h"

TDesignerCommand::TDesignerCommand(TDesignerState& state, const QString& text) : State(state) { setText(text); }

void TDesignerCommand::redo() {
  if (!Swap()) setObsolete(true);
}

void TDesignerCommand::undo() {
  if (!Swap()) setObsolete(true);
}

// ---- page table ----

TPageTableCommand::TPageTableCommand(TDesignerState& state, const QString& text, int index,
                                     std::unique_ptr<TFormData> entry)
    : TDesignerCommand(state, text), FIndex(index), FHeld(std::move(entry)) {}

TPageTableCommand::TPageTableCommand(TDesignerState& state, const QString& text, int index)
    : TDesignerCommand(state, text), FIndex(index) {}

bool TPageTableCommand::Swap() {
  if (FHeld) {
    FReturnTo = State.LoadedPage();
    State.InsertPage(FIndex, std::move(FHeld));
  } else {
    FHeld = State.TakePage(FIndex, FReturnTo);
    if (!FHeld) return false;
  }
  State.MarkProjectEdited(true);
  return true;
}

TMovePageCommand::TMovePageCommand(TDesignerState& state, const QString& text, int from, int to)
    : TDesignerCommand(state, text), FFrom(from), FTo(to) {}

bool TMovePageCommand::Swap() {
  if (!State.MovePage(FFrom, FTo)) return false;
  std::swap(FFrom, FTo);
  State.MarkProjectEdited(true);
  return true;
}

// ---- page content ----

TPageContentCommand::TPageContentCommand(TDesignerState& state, const QString& text, TFormData& page,
                                         QByteArray content)
    : TDesignerCommand(state, text), FPage(page), FContent(std::move(content)) {}

bool TPageContentCommand::Swap() {
  // The author sees the page that changes; a page that cannot be loaded is changed as a stream.
  State.LoadPage(&FPage);
  QByteArray current;
  if (!State.PageBytes(FPage, current) || !State.SetPageBytes(FPage, FContent)) return false;
  FContent = std::move(current);
  if (State.LoadedPage() == &FPage) State.MarkPageEdited(true);
  return true;
}

// ---- project settings ----

TProjectSettingsCommand::TProjectSettingsCommand(TDesignerState& state, const QString& text, TMenuProject settings)
    : TDesignerCommand(state, text), FSettings(std::move(settings)) {
  FSettings.Forms.clear();
}

bool TProjectSettingsCommand::Swap() {
  State.SwapProjectSettings(FSettings);
  State.MarkProjectEdited(true);
  return true;
}

// ---- objects ----

TObjectPropsCommand::TObjectPropsCommand(TDesignerState& state, const QString& text, const TObjectPath& path,
                                         TAuObjectProps props)
    : TDesignerCommand(state, text), FPath(path), FProps(std::move(props)) {}

bool TObjectPropsCommand::Swap() {
  TAuObject* object = State.Resolve(FPath);
  if (!object) return false;
  std::swap(object->Props(), FProps);
  if (TAuControl* control = ControlOf(*object)) control->RecordChanged(TRecordChange::Common);
  State.MarkPageEdited(true);
  State.ObjectRecordChanged(*object);
  return true;
}

// ---- surface edits ----

TPageEditCommand::TPageEditCommand(TDesignerState& state, const QString& text, TFormData& page, QByteArray before)
    : TPageContentCommand(state, text, page, std::move(before)) {}

bool TPageEditCommand::Swap() {
  if (!FApplied) return TPageContentCommand::Swap();
  FApplied = false;
  State.MarkPageEdited(true);
  // The views follow the edit as they follow any new content of the page.
  Q_EMIT State.PageContentChanged(&FPage);
  return true;
}

TObjectBoundsCommand::TObjectBoundsCommand(TDesignerState& state, const QString& text, std::vector<TEntry> before)
    : TDesignerCommand(state, text), FEntries(std::move(before)) {}

bool TObjectBoundsCommand::Swap() {
  std::vector<TAuObject*> changed;
  for (TEntry& entry : FEntries) {
    TAuObject* object = State.Resolve(entry.Path);
    if (!object) return false;
    if (FApplied) continue;
    const QRect current = Surface::Bounds(*object);
    Surface::SetBounds(*object, entry.Bounds);
    entry.Bounds = current;
    changed.push_back(object);
  }
  FApplied = false;
  State.MarkPageEdited(true);
  for (TAuObject* object : changed) State.ObjectRecordChanged(*object);
  return true;
}
