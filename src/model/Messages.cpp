#include "model/Messages.h"

#include <cstdio>

namespace {
std::unique_ptr<TMessages>& Slot() {
  static std::unique_ptr<TMessages> service = std::make_unique<TStderrMessages>();
  return service;
}
}  // namespace

TMessages& Messages() { return *Slot(); }

std::unique_ptr<TMessages> SetMessages(std::unique_ptr<TMessages> service) {
  auto previous = std::move(Slot());
  Slot() = service ? std::move(service) : std::make_unique<TStderrMessages>();
  return previous;
}

int ShowMessageBox(const QString& caption, const QString& text, TMsgIcon icon, int buttons, int defaultButton) {
  return Messages().Show(TMessage{caption, text, icon, buttons, defaultButton});
}

int TStderrMessages::Show(const TMessage& message) {
  std::fprintf(stderr, "%s: %s\n", qUtf8Printable(message.Caption), qUtf8Printable(message.Text));
  return message.DefaultButton;
}
