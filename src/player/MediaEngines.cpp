#include "player/MediaEngines.h"

#include <QCoreApplication>

#include "objects/MediaShells.h"
#include "player/AutoRunForm.h"
#include "player/PluginLoader.h"
#include "player/Sounds.h"
#include "plugins/PluginPaths.h"

namespace {
constexpr TObjectType ShellKinds[] = {otWebBrowser, otMediaPlayer, otFlashPlayer, otPDFReader};

// The sound players hold the plugin's players, which must go while the application still exists.
void ReleaseSoundPlayers() {
  SetSoundPlayer(TSoundChannel::Effect, nullptr);
  SetSoundPlayer(TSoundChannel::BackMusic, nullptr);
}
}  // namespace

void InstallMediaEngines() {
  for (TObjectType kind : ShellKinds)
    SetShellEngineFactory(kind, [kind](TAuMediaShell& shell) -> std::unique_ptr<TShellEngine> {
      // Without the Flash runtime the web engine is not worth loading for a movie.
      const QString runtime = kind == otFlashPlayer ? FlashRuntimeFolder() : QString();
      if (kind == otFlashPlayer && runtime.isEmpty()) return nullptr;
      TEnginePlugin* plugin = LoadEnginePlugin(EnginePluginOf(kind));
      return plugin ? MakePluginEngine(shell, *plugin, runtime) : nullptr;
    });
  SetMediaStarter([](TAuObject& object) {
    if (auto* player = dynamic_cast<TAuMediaPlayer*>(ControlOf(object))) player->StartAfterFadeIn();
  });
  SetSoundPlayer(TSoundChannel::Effect, MakePluginSoundPlayer());
  SetSoundPlayer(TSoundChannel::BackMusic, MakePluginSoundPlayer());
  static bool cleanupAdded = false;
  if (!cleanupAdded) qAddPostRoutine(ReleaseSoundPlayers);
  cleanupAdded = true;
}

void RemoveMediaEngines() {
  for (TObjectType kind : ShellKinds) SetShellEngineFactory(kind, {});
  SetMediaStarter({});
  ReleaseSoundPlayers();
}
