// The designer's edits as undoable commands. Each command holds the one value it changes and
// swaps it with the model's current one: the same swap serves redo and undo, so a command cannot
// drift from its inverse. Commands change the model only through TDesignerState, whose signals
// keep the views in step.
//
// Later editors add commands of the same shape: hold the value, implement Swap().
#pragma once

#include <QByteArray>
#include <QRect>
#include <QUndoCommand>
#include <memory>
#include <vector>

#include "designer/DesignerState.h"

class TDesignerCommand : public QUndoCommand {
 public:
  TDesignerCommand(TDesignerState& state, const QString& text);

  void redo() final;
  void undo() final;

 protected:
  // Exchanges the held value with the model's; false when the model could not take it (the
  // failure was reported) and the command is then dropped from the history.
  virtual bool Swap() = 0;

  TDesignerState& State;
};

// Puts a page into the table or takes it out: Add and Duplicate begin holding their new entry,
// Delete begins with the entry in the table. Whichever way it swaps, the entry taken out keeps its
// page in memory, so it can come back whatever happened to the project file in between.
class TPageTableCommand : public TDesignerCommand {
 public:
  // Inserting entry at index.
  TPageTableCommand(TDesignerState& state, const QString& text, int index, std::unique_ptr<TFormData> entry);
  // Taking out the entry now at index.
  TPageTableCommand(TDesignerState& state, const QString& text, int index);

 protected:
  bool Swap() override;

 private:
  int FIndex;
  std::unique_ptr<TFormData> FHeld;
  TFormData* FReturnTo = nullptr;  // the page loaded before the entry came in
};

// Moves a page from one place of the table to another.
class TMovePageCommand : public TDesignerCommand {
 public:
  TMovePageCommand(TDesignerState& state, const QString& text, int from, int to);

 protected:
  bool Swap() override;

 private:
  int FFrom, FTo;
};

// Replaces a page's whole content (page values and objects) by a page stream: loading a template,
// or any change of a page that is simplest kept as the page before and after.
class TPageContentCommand : public TDesignerCommand {
 public:
  TPageContentCommand(TDesignerState& state, const QString& text, TFormData& page, QByteArray content);

 protected:
  bool Swap() override;

  TFormData& FPage;

 private:
  QByteArray FContent;
};

// Replaces the project's settings (everything but the page table).
class TProjectSettingsCommand : public TDesignerCommand {
 public:
  TProjectSettingsCommand(TDesignerState& state, const QString& text, TMenuProject settings);

 protected:
  bool Swap() override;

 private:
  TMenuProject FSettings;  // no pages
};

// Replaces the common properties of one object (name, place, actions, popup menu, ...).
class TObjectPropsCommand : public TDesignerCommand {
 public:
  TObjectPropsCommand(TDesignerState& state, const QString& text, const TObjectPath& path, TAuObjectProps props);

 protected:
  bool Swap() override;

 private:
  TObjectPath FPath;
  TAuObjectProps FProps;
};

// A change of the loaded page's objects made on the surface before the command exists: the first
// redo only takes note of it. Structural edits (insert, delete, paste, restack) hold the page
// stream from before the edit; a later undo puts it back byte for byte and keeps the edited stream
// for redo.
class TPageEditCommand : public TPageContentCommand {
 public:
  TPageEditCommand(TDesignerState& state, const QString& text, TFormData& page, QByteArray before);

 protected:
  bool Swap() override;

 private:
  bool FApplied = true;  // the edit is already on the page
};

// Places and sizes of objects of one page, changed together by one gesture or command (a drag, a
// resize, an alignment, a keyboard move): one step whatever the number of objects. Built after the
// change with the bounds from before it.
class TObjectBoundsCommand : public TDesignerCommand {
 public:
  struct TEntry {
    TObjectPath Path;
    QRect Bounds;
  };
  TObjectBoundsCommand(TDesignerState& state, const QString& text, std::vector<TEntry> before);

  int Count() const { return static_cast<int>(FEntries.size()); }

 protected:
  bool Swap() override;

 private:
  std::vector<TEntry> FEntries;
  bool FApplied = true;
};
