#include "plugins/PluginPaths.h"

#include <QDir>
#include <QFileInfo>

// Generated with this build's folders.
QString BuildTreePluginFolder();
QString InstalledPluginFolder();
QString SourceTreeFlashRuntimeFolder();

QString EnginePluginOf(TObjectType kind) {
  switch (kind) {
    case otMediaPlayer:
      return EnginePlugins::Media;
    case otPDFReader:
      return EnginePlugins::Pdf;
    case otWebBrowser:
    case otFlashPlayer:
      return EnginePlugins::Web;
    default:
      return {};
  }
}

QString EnginePluginOf(TCommandType command) {
  return command == ctPlaySound || command == ctPlayBackMusic ? EnginePlugins::Media : QString();
}

QString EnginePluginFileName(const QString& name) {
#if defined(Q_OS_WIN)
  return name + QStringLiteral(".dll");
#else
  return QStringLiteral("lib") + name + QStringLiteral(".so");
#endif
}

QStringList EnginePluginFolders(const QString& programFolder) {
  QStringList folders{QDir(programFolder).filePath(EnginePlugins::FolderName),
                      QDir::cleanPath(programFolder + QStringLiteral("/../lib/menuvia/plugins")),
                      InstalledPluginFolder(), BuildTreePluginFolder()};
  folders.removeDuplicates();
  return folders;
}

QStringList FlashRuntimeFolders(const QString& programFolder) {
  QStringList folders;
  for (const QString& f : EnginePluginFolders(programFolder))
    folders << QDir(f).filePath(EnginePlugins::FlashRuntimeName);
  folders << SourceTreeFlashRuntimeFolder();
  folders.removeDuplicates();
  return folders;
}

bool IsFlashRuntimeFolder(const QString& folder) {
  return !folder.isEmpty() && QFileInfo(QDir(folder).filePath(QStringLiteral("ruffle.js"))).isFile();
}

QStringList FlashRuntimeFiles(const QString& folder) {
  return QDir(folder).entryList({QStringLiteral("*.js"), QStringLiteral("*.wasm"), QStringLiteral("LICENSE*")},
                                QDir::Files, QDir::Name);
}
