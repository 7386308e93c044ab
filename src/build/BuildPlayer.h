// Building the finished menu: a copy of the program's executable with the project appended, and
// the "open" entry of the project folder's autorun.inf that starts it.
#pragma once

#include <QString>
#include <QStringList>

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
// appended (unedited pages copied from SourceFileName, edited ones from memory), then the engine
// plugins the project needs beside it (CopyEngineFiles) and the "open" key of autorun.inf in
// autorunFolder. The project model is left as it was found (ProjectChanged and the page positions).
// The copy is made beside the target and renamed over it, so a failed build never leaves half a
// player under the menu's name. On failure, message says why.
bool BuildExecutable(const QString& programFile, const QString& outputFile, const QString& autorunFolder,
                     QString& message);

// What the project's pages and actions need of the engine plugins: a plugin for each kind of
// media, PDF, web and Flash object on its pages, the media plugin for a sound command anywhere,
// and the Flash runtime's files for a Flash object.
struct TEngineNeeds {
  QStringList Plugins;  // EnginePlugins names, each once
  bool FlashRuntime = false;
};
// Object kinds come from the page table's outlines; sound commands need the pages read, which is
// done only while no media player already asks for the media plugin. A page that cannot be read
// adds nothing.
TEngineNeeds ProjectEngineNeeds();

// Copies what needs names into the plugin folder beside a player in outputFolder, from the first
// plugin folder of a program in programFolder that has each file, and removes plugins a previous
// build left there that are no longer needed. A plugin found nowhere is left out (the menu then
// shows the object's message, as without the component). False with message when a copy fails.
bool CopyEngineFiles(const TEngineNeeds& needs, const QString& programFolder, const QString& outputFolder,
                     QString& message);
