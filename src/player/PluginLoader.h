// Loading the engine plugins: the first time a page shows a media, PDF, web or Flash object or a
// sound command runs, from the first plugin folder that has the plugin (beside the program, where
// it is installed, the build tree). A plugin that is missing or does not load counts as a component
// that cannot be created: the caller shows its message label or stays silent.
#pragma once

#include <QString>
#include <QStringList>

#include "objects/MediaEngines.h"

// The plugin named name (EnginePlugins::Media, …), loaded once and kept; null when no folder has a
// plugin of that name that loads.
TEnginePlugin* LoadEnginePlugin(const QString& name);
// The folder of the Flash runtime's files, or empty when none is installed.
QString FlashRuntimeFolder();

// The folders searched, replaced (an empty list restores the program's own); every plugin is looked
// up afresh in them.
void SetEnginePluginFolders(const QStringList& folders);
void SetFlashRuntimeFolders(const QStringList& folders);
