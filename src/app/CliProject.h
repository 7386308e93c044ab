// Projects as the tools take them: a project file, a JSON project as dump writes it, or a player
// executable.
#pragma once

#include <QString>

// Reads the project of any of the three forms into Project and sets the process-wide state the
// page readers and relative file names use, as the designer has it for its open project (live
// asks for pages that behave as in a preview). False with error when it cannot be read.
bool LoadCliProject(const QString& fileName, bool live, QString& error);
