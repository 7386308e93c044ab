// The login dialog: a user name and password, or one access code, checked against the project's
// list before the player shows anything.
#pragma once

#include <QDialog>
#include <QStringList>

class QLabel;
class QLineEdit;
class QPushButton;

// Removes every space (U+0020) and nothing else.
QString NormaliseLoginEntry(const QString& entry);

class TLoginForm : public QDialog {
 public:
  // The close box and Esc give up like Cancel (the dialog's own reject).
  explicit TLoginForm(QWidget* parent = nullptr);

  // Prepares the dialog from the project, shows it modally and returns Ok.
  bool DoLogin();
  // The preparation alone: texts, password row, entry list, icon, counters.
  void Prepare();

  bool Ok = false;
  int ErrorCount = 0;
  QStringList UserList;

  QLabel* Label3;
  QLabel* Image1;
  QLabel* Label1;
  QLineEdit* Edit1;
  QLabel* Label2;
  QLineEdit* Edit2;
  QPushButton* Button1;
  QPushButton* Button2;

 private:
  void Button1Click();
  void Button2Click();
};

// True when the project asks for no login (or has no entries); otherwise the dialog's result.
bool ExecuteLogin();
