#include "build/BuildPlayer.h"

#include <QFile>
#include <QFileInfo>

#include "build/PlayerName.h"
#include "model/Globals.h"
#include "model/IniFile.h"
#include "model/ProjectFile.h"

QString GetOutputBaseName(const QString& appOutputFileName, const QString& projectFileName) {
  QString base = appOutputFileName.trimmed();
  if (base.size() > 3 && base.endsWith(QLatin1String(".exe"), Qt::CaseInsensitive)) base.chop(4);
  if (base.isEmpty()) base = QFileInfo(projectFileName).completeBaseName();
  return PlayerExecutableName(base);
}

namespace {
// Positions describe the project file; the append rewrites them for the executable, so they are
// put back afterwards whatever happens.
class TKeepProjectState {
 public:
  TKeepProjectState() : FChanged(ProjectChanged) {
    for (auto& form : Project.Forms) form->OldPosition = form->Position;
  }
  ~TKeepProjectState() {
    for (auto& form : Project.Forms) form->Position = form->OldPosition;
    ProjectChanged = FChanged;
  }

 private:
  bool FChanged;
};
}  // namespace

bool BuildExecutable(const QString& programFile, const QString& outputFile, const QString& autorunFolder,
                     QString& message) {
  TKeepProjectState keep;
  const QString temporary =
      QFileInfo(outputFile).absolutePath() + QStringLiteral("/._") + QFileInfo(outputFile).fileName();
  QFile::remove(temporary);
  QFile source(programFile);
  if (!source.copy(temporary)) {
    message = BuildTexts::CopyFailed + QStringLiteral("\r\nFile name: \"") + outputFile +
              QStringLiteral("\".\r\nMessage: ") + source.errorString();
    return false;
  }
  QFile::setPermissions(temporary, QFile::permissions(programFile) | QFileDevice::WriteOwner);
  TError error;
  if (!AppendProjectToExe(temporary, SourceFileName, error)) {
    QFile::remove(temporary);
    message = error.Message();
    return false;
  }
  // Replacing the name in one step: a menu that is still running keeps its own (old) file.
  QFile::remove(outputFile);
  if (!QFile::rename(temporary, outputFile)) {
    QFile::remove(temporary);
    message = BuildTexts::CopyFailed + QStringLiteral("\r\nFile name: \"") + outputFile + QStringLiteral("\".");
    return false;
  }
  const QString inf = autorunFolder + QStringLiteral("/autorun.inf");
  TIniFile ini(inf);
  ini.WriteString(QStringLiteral("autorun"), QStringLiteral("open"), QFileInfo(outputFile).fileName());
  if (!ini.Save(inf)) {
    message = QStringLiteral("Unable to write ") + inf;
    return false;
  }
  return true;
}
