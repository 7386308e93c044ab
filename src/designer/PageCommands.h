// The page commands of the "F&orm" menu as edits of the model: each pushes one undoable command.
// Questions and the checks of the selection stay with the main window.
#pragma once

#include <QString>

#include "designer/DesignerState.h"

namespace PageCommandTexts {
inline const QString AddForm = QStringLiteral("Add Form");
inline const QString DuplicateForm = QStringLiteral("Duplicate Form");
inline const QString DeleteForm = QStringLiteral("Delete Form");
inline const QString MoveUp = QStringLiteral("Move Up");
inline const QString MoveDown = QStringLiteral("Move Down");
inline const QString LoadTemplate = QStringLiteral("Load Template");
inline const QString DeleteQuestion = QStringLiteral("Delete current form, continue?");
inline const QString DeleteCaption = QStringLiteral("Delete form");
}  // namespace PageCommandTexts

// At most this many names are tried for a new page.
constexpr int MaxNewPageNumbers = 10000;

// "Form" + the smallest n from 1 that no page's name equals; "" when every number tried is taken.
QString NewPageName();

// Appends a blank page (its caption its name) and loads it. False when no name is free.
bool AddPage(TDesignerState& state);
// Appends a copy of page (caption, objects and actions) under a new name and loads it.
bool DuplicatePage(TDesignerState& state, TFormData& page);
// Deletes page from the table; the page that takes its place is loaded.
bool DeletePage(TDesignerState& state, TFormData& page);
// Moves page one place towards the start or the end; nothing at either end.
bool MovePageUp(TDesignerState& state, TFormData& page);
bool MovePageDown(TDesignerState& state, TFormData& page);
// Replaces page's content by a page stream (a page template).
bool ReplacePageContent(TDesignerState& state, TFormData& page, const QByteArray& content, const QString& text);
