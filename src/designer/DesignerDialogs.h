// The designer's own choosers and small dialogs behind one service, as messages are: the program
// installs the real dialogs, tests install a recorder that answers, so no test waits on a modal
// window.
#pragma once

#include <QString>
#include <memory>

#include "model/Types.h"

// What the project options dialog gives back.
struct TProjectOptions {
  QString Folder;                                // as typed
  QString FileName = QStringLiteral("autorun");  // the executable's name, trimmed
  QString Title = QStringLiteral("CD Menu");     // the application title, trimmed (may be empty)
};

class TDesignerDialogs {
 public:
  virtual ~TDesignerDialogs() = default;
  // The platform's folder chooser with the new-folder button; true and the chosen folder on OK.
  virtual bool ChooseFolder(const QString& caption, const QString& startFolder, QString& folder) = 0;
  // The project options dialog; true with the options on OK.
  virtual bool ProjectOptions(TProjectOptions& options) = 0;
  // The grid size dialog (2 to 99 each way); true when the values were changed.
  virtual bool GridSize(int& gridX, int& gridY) = 0;
  // The colour picker; true when the colour was changed.
  virtual bool SelectColor(TColor& color) = 0;
};

// The installed service (the real dialogs until another is installed).
TDesignerDialogs& DesignerDialogs();
// Installs a service and returns the previous one.
std::unique_ptr<TDesignerDialogs> SetDesignerDialogs(std::unique_ptr<TDesignerDialogs> dialogs);

class TWidgetDesignerDialogs : public TDesignerDialogs {
 public:
  bool ChooseFolder(const QString& caption, const QString& startFolder, QString& folder) override;
  bool ProjectOptions(TProjectOptions& options) override;
  bool GridSize(int& gridX, int& gridY) override;
  bool SelectColor(TColor& color) override;
};

namespace FolderTexts {
inline const QString SelectProjectFolder = QStringLiteral("Select project folder");
inline const QString ProjectsFolder = QStringLiteral("/Menuvia Projects");
inline const QString CdromFolder = QStringLiteral("/Menuvia Projects/CDROM");
}  // namespace FolderTexts

// Where the project folder chooser starts: folder when it exists, else the CDROM projects folder
// under the documents, else the projects folder, else nowhere in particular ("").
QString ProjectFolderStart(const QString& folder);
// The project folder chooser ("Select project folder"); on OK true and the folder without a
// trailing delimiter.
bool SelectProjectFolder(const QString& folder, QString& chosen);
