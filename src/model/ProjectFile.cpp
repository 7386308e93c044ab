#include "model/ProjectFile.h"

#include <QFile>
#include <cerrno>

#include "model/Globals.h"

bool LoadProjectFromExe(const QString& fileName, TError& error) {
  ResetProject(false);
  QFile file(fileName);
  if (!file.open(QIODevice::ReadOnly)) {
    error = TError::File(101, fileName, ENOENT);
    return false;
  }
  // The container reader arrives with the project-file format; until then nothing is appended.
  error = TError::File(101, fileName, EndOfDataError());
  return false;
}
