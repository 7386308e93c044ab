// The one way the program speaks to its user: a message box with caption, text, icon and buttons.
// The model only asks; the GUI installs a service that shows real boxes, tests install a recorder
// that answers, and headless tools print to standard error.
#pragma once

#include <QString>
#include <memory>

enum class TMsgIcon { None, Information, Warning, Error, Question };

// Button set and answers; values combine as flags in TMessage::Buttons.
enum TMsgButton : int {
  mbOK = 0x01,
  mbCancel = 0x02,
  mbYes = 0x04,
  mbNo = 0x08,
  mbAbort = 0x10,
  mbRetry = 0x20,
  mbIgnore = 0x40,
};

struct TMessage {
  QString Caption;
  QString Text;
  TMsgIcon Icon = TMsgIcon::None;
  int Buttons = mbOK;
  int DefaultButton = mbOK;
};

class TMessages {
 public:
  virtual ~TMessages() = default;
  // Shows the message and returns the button chosen.
  virtual int Show(const TMessage& message) = 0;
};

// The installed service. Until the program installs one, messages go to standard error and the
// default button is the answer.
TMessages& Messages();
// Installs a service and returns the previous one (so a test can put it back).
std::unique_ptr<TMessages> SetMessages(std::unique_ptr<TMessages> service);

int ShowMessageBox(const QString& caption, const QString& text, TMsgIcon icon, int buttons = mbOK,
                   int defaultButton = mbOK);

// Prints every message to standard error and answers with the default button.
class TStderrMessages : public TMessages {
 public:
  int Show(const TMessage& message) override;
};
