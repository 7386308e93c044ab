#include "player/Sounds.h"

#include <QFileInfo>
#include <array>

#include "player/PluginLoader.h"
#include "plugins/PluginPaths.h"

void TSoundPlayer::PlaySound(const QString& fileName, bool loop) {
  (void)fileName;
  (void)loop;
}

void TSoundPlayer::StopSound() {}

TGeneralSoundPlayer::TGeneralSoundPlayer(TComponentSource source) : FSource(std::move(source)) {
  FTimer.setInterval(TimerIntervalMs);
  QObject::connect(&FTimer, &QTimer::timeout, [this] { TimerTick(); });
}

TGeneralSoundPlayer::~TGeneralSoundPlayer() { FTimer.stop(); }

void TGeneralSoundPlayer::PlaySound(const QString& fileName, bool loop) {
  FSoundPlayOK = false;
  if (FPlayer) FPlayer->Close();
  if (fileName.isEmpty() || !QFileInfo(fileName).isFile()) return;
  if (!FPlayer && FSource) FPlayer = FSource();
  if (!FPlayer || !FPlayer->Open(fileName) || !FPlayer->Play()) return;
  FSoundPlayOK = true;
  FSoundLoop = loop;
  if (!FTimer.isActive()) FTimer.start();
}

void TGeneralSoundPlayer::StopSound() {
  FSoundLoop = false;
  if (!FPlayer) return;
  if (FPlayer->Mode() == mpPlaying) FPlayer->Stop();
  FPlayer->Close();
}

void TGeneralSoundPlayer::TimerTick() {
  if (!FPlayer || !FSoundLoop || !FSoundPlayOK) return;
  // A file found unplayable after it was opened is given up, not retried every second.
  if (FPlayer->Failed()) {
    FSoundPlayOK = false;
    return;
  }
  if (FPlayer->Mode() == mpStopped) FPlayer->Play();
}

std::unique_ptr<TSoundPlayer> MakePluginSoundPlayer() {
  return std::make_unique<TGeneralSoundPlayer>([]() -> std::unique_ptr<TMediaComponent> {
    TEnginePlugin* plugin = LoadEnginePlugin(EnginePlugins::Media);
    return plugin ? plugin->CreateMediaComponent(nullptr) : nullptr;
  });
}

namespace {
std::unique_ptr<TSoundPlayer>& Installed(TSoundChannel channel) {
  static std::array<std::unique_ptr<TSoundPlayer>, 2> players{std::make_unique<TSoundPlayer>(),
                                                              std::make_unique<TSoundPlayer>()};
  return players[channel == TSoundChannel::BackMusic ? 1 : 0];
}
}  // namespace

TSoundPlayer& SoundPlayer(TSoundChannel channel) { return *Installed(channel); }

std::unique_ptr<TSoundPlayer> SetSoundPlayer(TSoundChannel channel, std::unique_ptr<TSoundPlayer> player) {
  if (!player) player = std::make_unique<TSoundPlayer>();
  Installed(channel).swap(player);
  return player;
}
