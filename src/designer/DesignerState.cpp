#include "designer/DesignerState.h"

#include <QBuffer>
#include <QFile>
#include <cerrno>

#include "model/Errors.h"
#include "model/Globals.h"
#include "model/PageStream.h"
#include "model/ProjectStream.h"
#include "objects/ObjectControl.h"
#include "objects/PageRender.h"
#include "player/AutoRunForm.h"

namespace {
// The page's bytes in the project file, read as one range.
bool ReadSourceRange(const TFormData& entry, QByteArray& bytes, TError& error) {
  QFile file(SourceFileName);
  errno = 0;
  if (SourceFileName.isEmpty() || !file.open(QIODevice::ReadOnly)) {
    error = TError::File(PageCodes::SourceFileRead, SourceFileName, errno != 0 ? errno : ENOENT);
    return false;
  }
  if (entry.Position < 0 || entry.Length <= 0 || entry.Length > file.size() - entry.Position ||
      !file.seek(entry.Position)) {
    error = TError::File(PageCodes::SourceFileRead, SourceFileName, EndOfDataError());
    return false;
  }
  bytes = file.read(entry.Length);
  if (bytes.size() != entry.Length) {
    error = TError::File(PageCodes::SourceFileRead, SourceFileName, EndOfDataError());
    return false;
  }
  return true;
}

bool ReadPage(const QByteArray& bytes, TPageData& page, TError& error) {
  TFormData holder;
  holder.FormInfoData = bytes;
  return LoadFormData(holder, page, &error);
}
}  // namespace

TDesignerState::TDesignerState(TAutoRunForm& editPage, QObject* parent) : QObject(parent), FEditPage(editPage) {
  connect(&FUndoStack, &QUndoStack::cleanChanged, this, [this](bool clean) {
    if (clean && !FResetting) ForgetChanges();
    Q_EMIT MarksChanged();
  });
}

TDesignerState::~TDesignerState() {
  // Commands hold entries taken out of the table; they go before the project does.
  FResetting = true;
  FUndoStack.clear();
}

// ---- the loaded page ----

bool TDesignerState::LoadPage(TFormData* entry) {
  if (entry == FLoaded) return entry != nullptr;
  if (FLoaded && FEditPage.DataChanged && !StoreLoadedPage()) return false;
  TFormData* previous = FLoaded;
  FLoaded = nullptr;
  bool ok = true;
  if (entry) {
    ok = FEditPage.LoadFormData(*entry);
    if (ok) {
      FLoaded = entry;
      FitEditPage();
    }
  }
  FEditPage.DataChanged = false;
  Q_EMIT LoadedPageChanged(previous, FLoaded);
  return ok;
}

void TDesignerState::UnlinkPage() {
  if (!FLoaded) return;
  TFormData* previous = FLoaded;
  FLoaded = nullptr;
  FEditPage.DataChanged = false;
  Q_EMIT LoadedPageChanged(previous, nullptr);
}

bool TDesignerState::StoreLoadedPage() {
  if (!FLoaded || !FEditPage.DataChanged) return true;
  return FEditPage.StoreFormData(*FLoaded);
}

void TDesignerState::FitEditPage() {
  const QSize size = RenderedPageSize(FEditPage.Page).boundedTo(QSize(MaxControlExtent, MaxControlExtent));
  if (FEditPage.windowState() != Qt::WindowNoState) FEditPage.setWindowState(Qt::WindowNoState);
  if (FEditPage.size() == size) return;
  FEditPage.setMinimumSize(0, 0);
  FEditPage.setMaximumSize(QWIDGETSIZE_MAX, QWIDGETSIZE_MAX);
  FEditPage.resize(size);
}

// ---- pages ----

int TDesignerState::PageIndex(const TFormData* entry) const {
  for (size_t i = 0; i < Project.Forms.size(); ++i)
    if (Project.Forms[i].get() == entry) return static_cast<int>(i);
  return -1;
}

TFormData* TDesignerState::PageAt(int index) const {
  if (index < 0 || index >= static_cast<int>(Project.Forms.size())) return nullptr;
  return Project.Forms[index].get();
}

bool TDesignerState::PageBytes(TFormData& entry, QByteArray& bytes) {
  TError error;
  bool ok = true;
  if (&entry == FLoaded && FEditPage.PanelObject()) {
    StoreControlsToRecords(*FEditPage.PanelObject());
    ok = WriteToBytes(bytes, &error, [&](TStream& s) { return WritePageStream(s, FEditPage.Page); });
  } else if (entry.FormInfoData) {
    bytes = *entry.FormInfoData;
  } else {
    ok = ReadSourceRange(entry, bytes, error);
  }
  if (!ok) ReportError(error);
  return ok;
}

bool TDesignerState::SetPageBytes(TFormData& entry, const QByteArray& bytes) {
  TPageData page;
  TError error;
  if (!ReadPage(bytes, page, error)) {
    ReportError(error);
    return false;
  }
  if (&entry == FLoaded) {
    if (!FEditPage.LoadPage(std::move(page))) {
      // What could be built is shown; the page keeps its stream so nothing of it is lost.
      entry.FormInfoData = bytes;
      UnlinkPage();
    } else {
      FitEditPage();
      FEditPage.DataChanged = true;
    }
  } else {
    auto outline = std::make_unique<TObjectInfo>();
    BuildObjectInfo(*page.PanelObject, *outline);
    entry.ObjectInfo = std::move(outline);
    entry.FormInfoData = bytes;
  }
  Q_EMIT PageContentChanged(&entry);
  Q_EMIT MarksChanged();
  return true;
}

bool TDesignerState::KeepPageInMemory(TFormData& entry) {
  if (&entry == FLoaded) {
    if (FEditPage.DataChanged) return StoreLoadedPage();
  }
  if (entry.FormInfoData) return true;
  QByteArray bytes;
  if (!PageBytes(entry, bytes)) return false;
  entry.FormInfoData = std::move(bytes);
  return true;
}

void TDesignerState::InsertPage(int index, std::unique_ptr<TFormData> entry) {
  index = std::clamp(index, 0, static_cast<int>(Project.Forms.size()));
  TFormData* inserted = entry.get();
  Project.Forms.insert(Project.Forms.begin() + index, std::move(entry));
  Q_EMIT PageInserted(inserted, index);
  LoadPage(inserted);
}

std::unique_ptr<TFormData> TDesignerState::TakePage(int index, TFormData* loadNext) {
  TFormData* entry = PageAt(index);
  if (!entry) return nullptr;
  // Whatever happens to the file from now on, the entry keeps its page.
  KeepPageInMemory(*entry);
  const bool wasLoaded = entry == FLoaded;
  if (wasLoaded) UnlinkPage();
  auto taken = std::move(Project.Forms[index]);
  Project.Forms.erase(Project.Forms.begin() + index);
  Q_EMIT PageRemoved(entry);
  if (wasLoaded) {
    TFormData* next = loadNext && PageIndex(loadNext) >= 0 ? loadNext : nullptr;
    if (!next) next = PageAt(index) ? PageAt(index) : PageAt(index - 1);
    if (next) LoadPage(next);
  }
  return taken;
}

bool TDesignerState::MovePage(int from, int to) {
  TFormData* entry = PageAt(from);
  if (!::MovePage(from, to)) return false;
  Q_EMIT PageMoved(entry, from, to);
  return true;
}

// ---- project settings and objects ----

void TDesignerState::SwapProjectSettings(TMenuProject& other) {
  std::swap(Project.Forms, other.Forms);
  std::swap(Project, other);
  Q_EMIT ProjectSettingsChanged();
}

TMenuProject TDesignerState::CopyProjectSettings() {
  // Through the stored form: every setting is copied without naming any of them here.
  TMenuProject copy;
  std::swap(Project.Forms, copy.Forms);
  QByteArray bytes;
  WriteToBytes(bytes, nullptr, [&](TStream& s) { return WriteProjectSettings(s, Project, nullptr); });
  std::swap(Project.Forms, copy.Forms);
  QBuffer buffer(&bytes);
  buffer.open(QIODevice::ReadOnly);
  TStream s(&buffer);
  TMenuProject read;
  if (ReadProjectSettings(s, read, false)) copy = std::move(read);
  return copy;
}

TObjectPath TDesignerState::PathOf(const TAuObject* object) const {
  TObjectPath path;
  if (!object || !FLoaded || !FEditPage.PanelObject()) return path;
  std::vector<int> indexes;
  const auto find = [&](const auto& self, const TAuObject& at) -> bool {
    if (&at == object) return true;
    for (size_t i = 0; i < at.Objects.size(); ++i) {
      indexes.push_back(static_cast<int>(i));
      if (self(self, *at.Objects[i])) return true;
      indexes.pop_back();
    }
    return false;
  };
  if (!find(find, *FEditPage.PanelObject())) return path;
  path.Page = FLoaded;
  path.Indexes = std::move(indexes);
  return path;
}

TAuObject* TDesignerState::Resolve(const TObjectPath& path) {
  if (!path.Page || PageIndex(path.Page) < 0) return nullptr;
  if (FLoaded != path.Page && !LoadPage(path.Page)) return nullptr;
  TAuObject* at = FEditPage.PanelObject();
  for (int i : path.Indexes) {
    if (!at || i < 0 || i >= static_cast<int>(at->Objects.size())) return nullptr;
    at = at->Objects[i].get();
  }
  return at;
}

void TDesignerState::ObjectRecordChanged(TAuObject& object) { Q_EMIT ObjectChanged(&object); }

// ---- marks ----

void TDesignerState::MarkPageEdited(bool edited) {
  FEditPage.DataChanged = edited;
  if (edited) ProjectUntouched = false;
  Q_EMIT MarksChanged();
}

void TDesignerState::MarkProjectEdited(bool edited) {
  ProjectChanged = edited;
  if (edited) ProjectUntouched = false;
  Q_EMIT MarksChanged();
}

bool TDesignerState::ProjectEditChanged() const {
  if (ProjectChanged) return true;
  for (const auto& form : Project.Forms)
    if (form->FormInfoData) return true;
  return FLoaded && FEditPage.DataChanged;
}

bool TDesignerState::PageChanged(const TFormData& entry) const {
  return entry.FormInfoData.has_value() || (&entry == FLoaded && FEditPage.DataChanged);
}

// ---- history ----

void TDesignerState::Push(QUndoCommand* command) {
  ProjectUntouched = false;
  FUndoStack.push(command);
}

void TDesignerState::ResetHistory() {
  FResetting = true;
  FUndoStack.clear();
  FResetting = false;
  Q_EMIT MarksChanged();
}

void TDesignerState::MarkSaved() {
  FUndoStack.setClean();
  ForgetChanges();
  Q_EMIT MarksChanged();
}

void TDesignerState::ForgetChanges() {
  ProjectChanged = false;
  FEditPage.DataChanged = false;
  // Pages that lie in the project file are read from it again; a page never saved keeps its
  // stream, the only copy there is.
  if (!SourceFileName.isEmpty())
    for (auto& form : Project.Forms)
      if (form->FormInfoData && form->Length > 0) form->FormInfoData.reset();
}
