// Building the finished menu: a copy of the program's executable with the project appended, and
// the "open" entry of the project folder's autorun.inf that starts it.
#pragma once

#include <QString>

namespace BuildTexts {
inline const QString Caption = QStringLiteral("Build Application");
// Followed by the file name and the system's message.
inline const QString CopyFailed =
    QStringLiteral("The application is running. You need close it first. Or the exe file name is invalid.");
}  // namespace BuildTexts

// The player's file name for a project: AppOutputFileName trimmed, a trailing ".exe" in any case
// removed, the platform's executable suffix added; the project file's base name when nothing is
// left (an empty setting, or one that was only ".exe", which would name a file without a name).
QString GetOutputBaseName(const QString& appOutputFileName, const QString& projectFileName);

// Writes the player outputFile: a copy of programFile (the program's own executable) with Project
// appended (unedited pages copied from SourceFileName, edited ones from memory), then the "open"
// key of autorun.inf in autorunFolder. The project model is left as it was found (ProjectChanged
// and the page positions). The copy is made beside the target and renamed over it, so a failed
// build never leaves half a player under the menu's name. On failure, message says why.
bool BuildExecutable(const QString& programFile, const QString& outputFile, const QString& autorunFolder,
                     QString& message);
