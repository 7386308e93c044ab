// Running action lists: the seventeen commands, on behalf of a page window or of none (the
// project's start and exit actions).
#pragma once

#include <QString>
#include <functional>

#include "model/Messages.h"
#include "model/Project.h"

class TAutoRunForm;

// Lists inside lists (answers of messages, lists after modal pages, pages shown by show actions)
// run this deep at most; a deeper list does nothing. Only a page that shows itself from its own
// show actions comes near it.
constexpr int MaxActionNesting = 32;

// Runs the actions in order: on page through its DoAction, without a page through RunCommand. Does
// nothing while ExitRequested is set and stops as soon as it becomes set. modalForm is the modal page
// after whose closing the list runs (none otherwise); no command depends on it.
void RunActions(const TAuActions& actions, TAutoRunForm* page, TAutoRunForm* modalForm = nullptr);

// Runs one command that needs no page (the page-only commands do nothing here); page, possibly
// none, is handed on to nested lists.
void RunCommand(const TAuAction& action, TAutoRunForm* page);

// What the shell commands hand to the shell: the verb, the resolved file, the parameters and the
// folder; returns the shell result. ShellExecuteVerb unless another is installed (tests see there
// what each command asks for and answer with any result). A failed result is shown with its fixed
// text under "Error".
using TShellExecutor =
    std::function<int(const QString& verb, const QString& file, const QString& parameters, const QString& folder)>;
// Installs an executor (empty: ShellExecuteVerb again) and returns the previous one.
TShellExecutor SetShellExecutor(TShellExecutor executor);

// The icon and buttons of a ShowMessage kind: 0 warning, 1 information, 2 error (OK), 3 question
// with Yes and No, 4 question with Yes, No and Cancel; any other value OK without icon.
struct TMessageKind {
  TMsgIcon Icon = TMsgIcon::None;
  int Buttons = mbOK;
  int DefaultButton = mbOK;
};
TMessageKind MessageKindOf(int kind);
