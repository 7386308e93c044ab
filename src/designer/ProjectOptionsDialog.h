// The project options dialog of New Project: the project folder, the executable's file name and
// the application title.
#pragma once

#include <QDialog>

#include "designer/DesignerDialogs.h"

class QLineEdit;
class QPushButton;

class TCDMenuProjectForm : public QDialog {
  Q_OBJECT

 public:
  explicit TCDMenuProjectForm(QWidget* parent = nullptr);

  // The values as the dialog returns them: the folder as typed, the other two trimmed.
  TProjectOptions Options() const;

  QLineEdit* FolderEdit = nullptr;
  QLineEdit* FileNameEdit = nullptr;
  QLineEdit* TitleEdit = nullptr;
  QPushButton* SelectButton = nullptr;
  QPushButton* OKButton = nullptr;
  QPushButton* CancelButton = nullptr;

  // "&Select...": the folder chooser, then the overwrite question for a folder with a project.
  void SelectClick();
  // "&OK": checks the fields in order and closes with OK when all pass.
  void OKClick();
};

namespace ProjectOptionsTexts {
inline const QString Caption = QStringLiteral("Menuvia Project Options");
inline const QString Heading = QStringLiteral("Project Options");
inline const QString Picture = QStringLiteral("New Project");
inline const QString FolderLabel = QStringLiteral("Project Folder:");
inline const QString FileNameLabel = QStringLiteral("Executable File Name (e.g. autorun, cdmenu):");
inline const QString TitleLabel = QStringLiteral("Project Title (Application Title):");
inline const QString InvalidFolder = QStringLiteral("Invalid folder name!");
inline const QString FolderNotFound = QStringLiteral("The folder can not be found!");
inline const QString FolderCaption = QStringLiteral("Project Folder");
inline const QString InvalidFileName = QStringLiteral("Invalid file name!");
inline const QString FileNameCaption = QStringLiteral("File Name");
inline const QString Overwrite = QStringLiteral("Project file exists. Overwrite?");
inline const QString OverwriteCaption = QStringLiteral("Project File");
}  // namespace ProjectOptionsTexts
