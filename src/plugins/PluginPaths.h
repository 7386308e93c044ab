// Where the engine plugins and the Flash runtime's files are, and which plugin an object kind or a
// command needs. The player loads plugins from these folders; building a menu copies the ones its
// project needs beside the finished player.
#pragma once

#include <QString>
#include <QStringList>

#include "model/Types.h"

namespace EnginePlugins {
inline const QString Media = QStringLiteral("menuvia_media");  // sounds and the media player
inline const QString Pdf = QStringLiteral("menuvia_pdf");
inline const QString Web = QStringLiteral("menuvia_web");  // web browser and Flash player
// The folder of plugins beside a program, and the Flash runtime's folder inside it.
inline const QString FolderName = QStringLiteral("plugins");
inline const QString FlashRuntimeName = QStringLiteral("ruffle");
}  // namespace EnginePlugins

// The plugin an object kind or a command needs; empty for none.
QString EnginePluginOf(TObjectType kind);
QString EnginePluginOf(TCommandType command);
// The file a plugin is built into on this platform (libmenuvia_web.so, menuvia_web.dll).
QString EnginePluginFileName(const QString& name);

// The folders searched for plugins, in order, for a program in programFolder: beside it, where it
// is installed, then the build tree this program came from.
QStringList EnginePluginFolders(const QString& programFolder);
// The folders searched for the Flash runtime: its folder inside each plugin folder, then the
// source tree's download.
QStringList FlashRuntimeFolders(const QString& programFolder);
// Whether folder holds the Flash runtime (its script is there).
bool IsFlashRuntimeFolder(const QString& folder);
// The runtime's files a player needs, relative to its folder: the scripts, the WebAssembly modules
// and the licences (no source maps).
QStringList FlashRuntimeFiles(const QString& folder);
