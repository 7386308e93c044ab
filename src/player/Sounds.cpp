#include "player/Sounds.h"

#include <array>

void TSoundPlayer::PlaySound(const QString& fileName, bool loop) {
  (void)fileName;
  (void)loop;
}

void TSoundPlayer::StopSound() {}

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
