#include "player/LoginForm.h"

#include <QApplication>
#include <QGuiApplication>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRegularExpression>
#include <QScreen>

#include "model/Globals.h"
#include "model/Messages.h"

QString NormaliseLoginEntry(const QString& entry) {
  QString s = entry;
  s.remove(u' ');
  return s;
}

TLoginForm::TLoginForm(QWidget* parent)
    : QDialog(parent, Qt::Dialog | Qt::MSWindowsFixedSizeDialogHint | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                          Qt::WindowSystemMenuHint | Qt::WindowCloseButtonHint) {
  QFont font(QStringLiteral("Tahoma"));
  font.setPixelSize(11);
  setFont(font);
  setFixedSize(505, 155);

  Image1 = new QLabel(this);
  Image1->setGeometry(16, 16, 32, 32);
  Label3 = new QLabel(QStringLiteral("Login"), this);
  Label3->setGeometry(64, 16, 425, 32);
  Label3->setWordWrap(true);
  Label1 = new QLabel(QStringLiteral("User Name:"), this);
  Label1->setGeometry(64, 63, 150, 13);
  Edit1 = new QLineEdit(this);
  Edit1->setGeometry(216, 59, 273, 21);
  Label2 = new QLabel(QStringLiteral("Password:"), this);
  Label2->setGeometry(64, 91, 150, 13);
  Edit2 = new QLineEdit(this);
  Edit2->setGeometry(216, 87, 273, 21);
  Edit2->setEchoMode(QLineEdit::Password);
  Edit2->setStyleSheet(QStringLiteral("lineedit-password-character: 42"));  // '*' for each character
  Label1->setBuddy(Edit1);
  Label2->setBuddy(Edit2);

  Button1 = new QPushButton(QStringLiteral("&OK"), this);
  Button1->setGeometry(333, 119, 75, 25);
  Button1->setDefault(true);
  Button2 = new QPushButton(QStringLiteral("&Cancel"), this);
  Button2->setGeometry(414, 119, 75, 25);
  Button2->setAutoDefault(false);
  connect(Button1, &QPushButton::clicked, this, &TLoginForm::Button1Click);
  connect(Button2, &QPushButton::clicked, this, &TLoginForm::Button2Click);
}

void TLoginForm::Prepare() {
  setWindowTitle(Project.AppTitle);
  Label3->setText(Project.SecurityTitle);
  Label1->setText(Project.SecurityUserAuthLabel);
  Label2->setText(Project.SecurityPasswordLabel);
  if (!Project.SecurityOKButtonCaption.isEmpty()) Button1->setText(Project.SecurityOKButtonCaption);
  if (!Project.SecurityCancelButtonCaption.isEmpty()) Button2->setText(Project.SecurityCancelButtonCaption);
  const bool withPassword = Project.SecurityType != stAuthentication;
  Label2->setVisible(withPassword);
  Edit2->setVisible(withPassword);
  UserList = Project.SecurityUserAuthList.split(QRegularExpression(QStringLiteral("\r\n|\r|\n")));
  Image1->setPixmap(QApplication::windowIcon().pixmap(32, 32));
  ErrorCount = 0;
  Ok = false;
  if (const QScreen* screen = QGuiApplication::primaryScreen()) move(screen->geometry().center() - rect().center());
}

bool TLoginForm::DoLogin() {
  Prepare();
  exec();
  return Ok;
}

void TLoginForm::Button1Click() {
  if (Edit1->text().isEmpty()) return;
  const QString candidate =
      NormaliseLoginEntry(Project.SecurityType == stUser ? Edit1->text() + u',' + Edit2->text() : Edit1->text());
  for (const QString& line : UserList) {
    const QString entry = NormaliseLoginEntry(line);
    // A blank line in the list is no entry: it must not let a blank code in.
    if (!entry.isEmpty() && entry == candidate) {
      Ok = true;
      accept();
      return;
    }
  }
  ShowMessageBox(windowTitle(), Project.SecurityErrorMessage, TMsgIcon::Information);
  if (++ErrorCount > 2) reject();
}

void TLoginForm::Button2Click() { reject(); }

bool ExecuteLogin() {
  if (Project.SecurityType != stUser && Project.SecurityType != stAuthentication) return true;
  if (Project.SecurityUserAuthList.isEmpty()) return true;
  TLoginForm form;
  return form.DoLogin();
}
