#include "objects/WidgetMessages.h"

#include <QApplication>
#include <QFile>
#include <QMessageBox>
#include <QPushButton>

namespace {
QMessageBox::Icon ToIcon(TMsgIcon icon) {
  switch (icon) {
    case TMsgIcon::Information:
      return QMessageBox::Information;
    case TMsgIcon::Warning:
      return QMessageBox::Warning;
    case TMsgIcon::Error:
      return QMessageBox::Critical;
    case TMsgIcon::Question:
      return QMessageBox::Question;
    case TMsgIcon::None:
      break;
  }
  return QMessageBox::NoIcon;
}

struct ButtonMap {
  int Ours;
  QMessageBox::StandardButton Qt;
};
constexpr ButtonMap Buttons[] = {
    {mbOK, QMessageBox::Ok},         {mbCancel, QMessageBox::Cancel}, {mbYes, QMessageBox::Yes},
    {mbNo, QMessageBox::No},         {mbAbort, QMessageBox::Abort},   {mbRetry, QMessageBox::Retry},
    {mbIgnore, QMessageBox::Ignore},
};
}  // namespace

int TWidgetMessages::Show(const TMessage& message) {
  QMessageBox box(ToIcon(message.Icon), message.Caption, message.Text, QMessageBox::NoButton,
                  QApplication::activeWindow());
  for (const auto& b : Buttons) {
    if (message.Buttons & b.Ours) {
      QPushButton* button = box.addButton(b.Qt);
      if (message.DefaultButton == b.Ours) box.setDefaultButton(button);
    }
  }
  const auto chosen = static_cast<QMessageBox::StandardButton>(box.exec());
  for (const auto& b : Buttons)
    if (b.Qt == chosen) return b.Ours;
  return message.Buttons & mbCancel ? mbCancel : message.DefaultButton;
}

int TFileLogMessages::Show(const TMessage& message) {
  QFile file(FFileName);
  if (file.open(QIODevice::Append | QIODevice::Text))
    file.write((message.Caption + QStringLiteral("\t") + message.Text + QStringLiteral("\n")).toUtf8());
  return message.DefaultButton;
}

void InstallGuiMessages() {
  const QString log = qEnvironmentVariable("MENUVIA_MESSAGE_LOG");
  if (!log.isEmpty())
    SetMessages(std::make_unique<TFileLogMessages>(log));
  else
    SetMessages(std::make_unique<TWidgetMessages>());
}
