// The two hidden sound players of the program: one for sound effects, one for background music.
// They are independent: an effect never interrupts the music, and a new file on a player replaces
// what it was playing.
#pragma once

#include <QString>
#include <memory>

enum class TSoundChannel : int { Effect = 0, BackMusic = 1 };

// One player. This base plays nothing: until the media engine installs a player that does, the
// sound commands are accepted and stay silent, as they are for a missing or unplayable file.
class TSoundPlayer {
 public:
  virtual ~TSoundPlayer() = default;
  // Plays fileName (an absolute path), restarting it whenever it ends while loop is on. A missing
  // or unplayable file plays nothing, without a message.
  virtual void PlaySound(const QString& fileName, bool loop);
  // Stops the player and ends its loop.
  virtual void StopSound();
};

// The installed player of a channel.
TSoundPlayer& SoundPlayer(TSoundChannel channel);
// Installs a player (null: the silent base) and returns the previous one.
std::unique_ptr<TSoundPlayer> SetSoundPlayer(TSoundChannel channel, std::unique_ptr<TSoundPlayer> player);
