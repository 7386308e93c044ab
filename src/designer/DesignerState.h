// The designer's edit model: the project (the process-wide Project), the one page loaded into the
// hidden editing page window, the changed marks and the undo history.
//
// Every change an author makes is a command (UndoCommands.h) pushed here. Commands change the
// model only through the operations below, which report each change through the signals; the
// tree, the design area and the window title listen and follow. Commands never touch widgets.
//
// Changed marks: the stored-state flags (ProjectChanged, a page's stream held in memory, the loaded
// page's DataChanged) say what differs from the project file. Every applied command sets them,
// in either direction; when the history returns to the state last saved they are cleared again,
// so the marks follow the history's clean state.
#pragma once

#include <QByteArray>
#include <QObject>
#include <QUndoStack>
#include <memory>
#include <vector>

#include "model/Project.h"

class TAutoRunForm;

// Where an object lives across page loads: its page's entry and the child indexes from the page
// panel down. Records are recreated whenever a page is loaded; entries stay.
struct TObjectPath {
  TFormData* Page = nullptr;
  std::vector<int> Indexes;

  bool IsValid() const { return Page != nullptr; }
  bool operator==(const TObjectPath&) const = default;
};

class TDesignerState : public QObject {
  Q_OBJECT

 public:
  explicit TDesignerState(TAutoRunForm& editPage, QObject* parent = nullptr);
  ~TDesignerState() override;

  // The hidden page window holding the loaded page.
  TAutoRunForm& EditPage() const { return FEditPage; }
  QUndoStack& UndoStack() { return FUndoStack; }

  // No edit since start-up, the last new project or a failed open: the pending-changes prompt is
  // skipped while it is set.
  bool ProjectUntouched = true;

  // ---- the loaded page ----

  TFormData* LoadedPage() const { return FLoaded; }
  // Makes entry the loaded page: the page loaded so far is stored first when it was edited. Null
  // unloads. A page that cannot be read leaves no page loaded (the failure is reported) rather
  // than the old content linked to the new entry.
  bool LoadPage(TFormData* entry);
  // Unlinks the page window from its entry; its unsaved edits are dropped.
  void UnlinkPage();
  // Keeps the loaded page's edits as its entry's page stream; nothing when there are none.
  bool StoreLoadedPage();

  // ---- pages ----

  int PageIndex(const TFormData* entry) const;
  TFormData* PageAt(int index) const;
  // The page's current stream: the page window's content for the loaded page, else the stream held
  // in memory, else its bytes in the project file. Reports a failure.
  bool PageBytes(TFormData& entry, QByteArray& bytes);
  // Replaces the page's content by a page stream (into the page window when loaded). A stream that
  // cannot be read is refused with its message and changes nothing.
  bool SetPageBytes(TFormData& entry, const QByteArray& bytes);
  // Holds the page's content in memory, so that it no longer depends on the project file (an entry
  // out of the table may outlive the file it was read from).
  bool KeepPageInMemory(TFormData& entry);
  // Puts an entry into the page table at index and loads it.
  void InsertPage(int index, std::unique_ptr<TFormData> entry);
  // Takes entry index out of the table with its content kept in memory. When it was the loaded
  // page, loadNext is loaded when it is still in the table, else the page now at that index or
  // the one before it.
  std::unique_ptr<TFormData> TakePage(int index, TFormData* loadNext = nullptr);
  bool MovePage(int from, int to);

  // ---- project settings and objects ----

  // Exchanges every project setting (not the page table) with those held in other.
  void SwapProjectSettings(TMenuProject& other);
  // A copy of the project's settings with no pages.
  static TMenuProject CopyProjectSettings();

  // The object's place, for an object of the loaded page; invalid for anything else.
  TObjectPath PathOf(const TAuObject* object) const;
  // The object at path, loading its page first when another page is loaded; null when the path no
  // longer leads to an object.
  TAuObject* Resolve(const TObjectPath& path);
  // An object's record was changed in place (a property, its name).
  void ObjectRecordChanged(TAuObject& object);

  // ---- marks ----

  // The loaded page was changed (DataChanged) or not; clears ProjectUntouched when set.
  void MarkPageEdited(bool edited);
  void MarkProjectEdited(bool edited);
  // The project differs from its file: settings, a page held in memory or the loaded page edited.
  bool ProjectEditChanged() const;
  // The page's changed mark: its stream is held in memory, or it is the loaded page and edited.
  bool PageChanged(const TFormData& entry) const;

  // ---- history ----

  // Runs the command and keeps it for undo.
  void Push(QUndoCommand* command);
  // A new or opened project: the history of the previous one goes and the new state is clean.
  void ResetHistory();
  // The project file now holds the project.
  void MarkSaved();

 Q_SIGNALS:
  // The page table changed.
  void PageInserted(TFormData* entry, int index);
  void PageRemoved(TFormData* entry);
  void PageMoved(TFormData* entry, int from, int to);
  // Another page is loaded into the page window (either may be null).
  void LoadedPageChanged(TFormData* previous, TFormData* current);
  // A page's content was replaced: its objects and page values.
  void PageContentChanged(TFormData* entry);
  // An object's record changed in place.
  void ObjectChanged(TAuObject* object);
  // Project settings changed (title, page roles).
  void ProjectSettingsChanged();
  // Changed marks of the project or of a page.
  void MarksChanged();

 private:
  // The history reached the state last saved: the model is the file again.
  void ForgetChanges();
  // The page window holds the page at its stored size (the canvas is never maximised or placed).
  void FitEditPage();

  TAutoRunForm& FEditPage;
  QUndoStack FUndoStack;
  TFormData* FLoaded = nullptr;
  bool FResetting = false;
};
