// The messages service of the graphical program: real modal message boxes.
#pragma once

#include "model/Messages.h"

class TWidgetMessages : public TMessages {
 public:
  int Show(const TMessage& message) override;
};

// Records every message in a file (one line each: caption, text) and answers with the default
// button. Installed instead of the modal boxes when MENUVIA_MESSAGE_LOG names a file, so that
// the real program can run unattended under test.
class TFileLogMessages : public TMessages {
 public:
  explicit TFileLogMessages(QString fileName) : FFileName(std::move(fileName)) {}
  int Show(const TMessage& message) override;

 private:
  QString FFileName;
};

// Installs the service the environment asks for.
void InstallGuiMessages();
