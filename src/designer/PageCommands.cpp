#include "designer/PageCommands.h"

#include "designer/UndoCommands.h"
#include "model/Errors.h"
#include "model/Globals.h"
#include "model/PageStream.h"

namespace {
// A new entry holding page under name, its stream in memory.
std::unique_ptr<TFormData> NewEntry(const QString& name, const TPageData& page) {
  auto entry = std::make_unique<TFormData>();
  entry->FormName = name;
  entry->ObjectInfo = std::make_unique<TObjectInfo>();
  TError error;
  if (!StoreFormData(page, *entry, &error)) {
    ReportError(error);
    return nullptr;
  }
  return entry;
}
}  // namespace

QString NewPageName() {
  for (int n = 1; n <= MaxNewPageNumbers; ++n) {
    const QString name = QStringLiteral("Form") + QString::number(n);
    if (Project.FindForm(name) < 0) return name;
  }
  return {};
}

bool AddPage(TDesignerState& state) {
  const QString name = NewPageName();
  if (name.isEmpty()) return false;
  TPageData page;
  InitForm(page, name);
  auto entry = NewEntry(name, page);
  if (!entry) return false;
  state.Push(new TPageTableCommand(state, PageCommandTexts::AddForm, static_cast<int>(Project.Forms.size()),
                                   std::move(entry)));
  return true;
}

bool DuplicatePage(TDesignerState& state, TFormData& page) {
  const QString name = NewPageName();
  if (name.isEmpty() || state.PageIndex(&page) < 0) return false;
  QByteArray bytes;
  if (!state.PageBytes(page, bytes)) return false;
  auto entry = std::make_unique<TFormData>();
  entry->FormName = name;
  entry->ObjectInfo = std::make_unique<TObjectInfo>();
  // The copy's outline comes from the copy itself, as it would after storing it.
  TFormData holder;
  holder.FormInfoData = bytes;
  TPageData content;
  TError error;
  if (!LoadFormData(holder, content, &error) || !StoreFormData(content, *entry, &error)) {
    ReportError(error);
    return false;
  }
  entry->FormInfoData = std::move(bytes);
  state.Push(new TPageTableCommand(state, PageCommandTexts::DuplicateForm, static_cast<int>(Project.Forms.size()),
                                   std::move(entry)));
  return true;
}

bool DeletePage(TDesignerState& state, TFormData& page) {
  const int index = state.PageIndex(&page);
  if (index < 0) return false;
  state.Push(new TPageTableCommand(state, PageCommandTexts::DeleteForm, index));
  return true;
}

bool MovePageUp(TDesignerState& state, TFormData& page) {
  const int i = state.PageIndex(&page);
  if (i < 1) return false;
  state.Push(new TMovePageCommand(state, PageCommandTexts::MoveUp, i, i - 1));
  return true;
}

bool MovePageDown(TDesignerState& state, TFormData& page) {
  const int i = state.PageIndex(&page);
  if (i < 0 || i >= static_cast<int>(Project.Forms.size()) - 1) return false;
  state.Push(new TMovePageCommand(state, PageCommandTexts::MoveDown, i, i + 1));
  return true;
}

bool ReplacePageContent(TDesignerState& state, TFormData& page, const QByteArray& content, const QString& text) {
  if (state.PageIndex(&page) < 0) return false;
  state.Push(new TPageContentCommand(state, text, page, content));
  return true;
}
