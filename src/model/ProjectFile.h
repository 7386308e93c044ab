// Project files and the container appended to a player executable.
#pragma once

#include <QString>

#include "model/Errors.h"

// Reads the project appended to a player executable into Project (SourceFileName is that file).
bool LoadProjectFromExe(const QString& fileName, TError& error);
