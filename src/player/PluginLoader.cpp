#include "player/PluginLoader.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QPluginLoader>
#include <map>
#include <optional>

#include "plugins/PluginPaths.h"

namespace {
struct TLoaderState {
  std::optional<QStringList> PluginFolders, RuntimeFolders;
  // A null entry: tried and not found. Looked up afresh after the folders change (a plugin once
  // loaded stays in memory; loading its file again gives the same instance).
  std::map<QString, TEnginePlugin*> Plugins;
};

TLoaderState& State() {
  static TLoaderState state;
  return state;
}

QStringList PluginFolders() {
  return State().PluginFolders ? *State().PluginFolders : EnginePluginFolders(QCoreApplication::applicationDirPath());
}
}  // namespace

TEnginePlugin* LoadEnginePlugin(const QString& name) {
  auto& plugins = State().Plugins;
  if (auto it = plugins.find(name); it != plugins.end()) return it->second;
  TEnginePlugin* plugin = nullptr;
  for (const QString& folder : PluginFolders()) {
    const QString file = QDir(folder).filePath(EnginePluginFileName(name));
    if (!QFileInfo(file).isFile()) continue;
    // The loader is never unloaded: the plugin's objects live as long as the pages showing them.
    auto* loader = new QPluginLoader(file, QCoreApplication::instance());
    plugin = qobject_cast<TEnginePlugin*>(loader->instance());
    if (plugin) break;
    qWarning("Menuvia: the plugin %s does not load: %s", qPrintable(file), qPrintable(loader->errorString()));
    delete loader;
  }
  plugins[name] = plugin;
  return plugin;
}

QString FlashRuntimeFolder() {
  const QStringList folders =
      State().RuntimeFolders ? *State().RuntimeFolders : FlashRuntimeFolders(QCoreApplication::applicationDirPath());
  for (const QString& folder : folders)
    if (IsFlashRuntimeFolder(folder)) return folder;
  return {};
}

void SetEnginePluginFolders(const QStringList& folders) {
  State().PluginFolders = folders.isEmpty() ? std::nullopt : std::optional<QStringList>(folders);
  State().Plugins.clear();
}

void SetFlashRuntimeFolders(const QStringList& folders) {
  State().RuntimeFolders = folders.isEmpty() ? std::nullopt : std::optional<QStringList>(folders);
}
