#include "app/CliProject.h"

#include <QFile>
#include <QFileInfo>
#include <QJsonDocument>
#include <QJsonParseError>

#include "model/Globals.h"
#include "model/JsonForm.h"
#include "model/ProjectFile.h"

namespace {
bool LooksLikeJson(QFile& file) {
  const QByteArray head = file.peek(256);
  for (const char c : head) {
    if (c == '{') return true;
    if (c != ' ' && c != '\t' && c != '\r' && c != '\n') return false;
  }
  return false;
}

}  // namespace

// Reads the project of any of the three forms into Project and sets the process-wide state the
// page readers and relative file names use, as the designer has it for its open project.
bool LoadCliProject(const QString& fileName, bool live, QString& error) {
  QFile file(fileName);
  if (!file.open(QIODevice::ReadOnly)) {
    error = file.errorString();
    return false;
  }
  ResetProject(false);
  if (LooksLikeJson(file)) {
    QJsonParseError parse;
    const QJsonDocument doc = QJsonDocument::fromJson(file.readAll(), &parse);
    if (parse.error != QJsonParseError::NoError || !doc.isObject()) {
      error = QStringLiteral("not a JSON object (") + parse.errorString() + u')';
      return false;
    }
    if (!ProjectFromJson(doc.object(), error)) return false;
  } else {
    file.close();
    TProjectFileSummary summary;
    TError e;
    if (!InspectProjectFile(fileName, summary, e)) {
      error = e.Message();
      return false;
    }
    Project = std::move(summary.Project);
  }
  // Unedited pages are read from the file itself (once: a locked file is reported at once, not
  // waited for as the player waits); relative names resolve against its folder.
  IsDesigner = true;
  IsDesignPreview = live;
  SourceFileName = QFileInfo(fileName).absoluteFilePath();
  ExeFolder = QFileInfo(fileName).absolutePath() + u'/';
  return true;
}
