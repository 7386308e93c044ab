// Names of the files a build writes.
#pragma once

#include <QString>

// The player executable's file name for a project's output name: no extension here, ".exe" on
// Windows.
QString PlayerExecutableName(const QString& appOutputFileName);
