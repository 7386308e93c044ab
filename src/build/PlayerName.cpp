#include "build/PlayerName.h"

QString PlayerExecutableName(const QString& appOutputFileName) {
#ifdef Q_OS_WIN
  return appOutputFileName + QStringLiteral(".exe");
#else
  return appOutputFileName;
#endif
}
