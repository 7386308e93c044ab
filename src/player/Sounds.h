// The two hidden sound players of the program: one for sound effects, one for background music.
// They are independent: an effect never interrupts the music, and a new file on a player replaces
// what it was playing.
#pragma once

#include <QString>
#include <QTimer>
#include <functional>
#include <memory>

#include "objects/MediaEngines.h"

enum class TSoundChannel : int { Effect = 0, BackMusic = 1 };

// One player. This base plays nothing: it stands for a player whose component is missing, where
// the sound commands are accepted and stay silent, as they are for a missing or unplayable file.
class TSoundPlayer {
 public:
  virtual ~TSoundPlayer() = default;
  // Plays fileName (an absolute path), restarting it whenever it ends while loop is on. A missing
  // or unplayable file plays nothing, without a message.
  virtual void PlaySound(const QString& fileName, bool loop);
  // Stops the player and ends its loop.
  virtual void StopSound();
};

// The real player: a multimedia player made when the first sound is played, and a 1-second timer
// that starts a looping sound again once it has stopped at its end.
class TGeneralSoundPlayer : public TSoundPlayer {
 public:
  using TComponentSource = std::function<std::unique_ptr<TMediaComponent>()>;
  static constexpr int TimerIntervalMs = 1000;

  // source makes the multimedia player; it may give none (no plugin), and is asked again at the
  // next sound.
  explicit TGeneralSoundPlayer(TComponentSource source);
  ~TGeneralSoundPlayer() override;

  void PlaySound(const QString& fileName, bool loop) override;
  void StopSound() override;
  // The timer's work.
  void TimerTick();

  // The player started successfully, and restarts when it has finished.
  bool SoundPlayOK() const { return FSoundPlayOK; }
  bool SoundLoop() const { return FSoundLoop; }
  TMediaComponent* Player() const { return FPlayer.get(); }

 private:
  TComponentSource FSource;
  std::unique_ptr<TMediaComponent> FPlayer;
  QTimer FTimer;
  bool FSoundPlayOK = false;
  bool FSoundLoop = false;
};

// A player on the media plugin's multimedia player (silent while the plugin is missing).
std::unique_ptr<TSoundPlayer> MakePluginSoundPlayer();

// The installed player of a channel.
TSoundPlayer& SoundPlayer(TSoundChannel channel);
// Installs a player (null: the silent base) and returns the previous one.
std::unique_ptr<TSoundPlayer> SetSoundPlayer(TSoundChannel channel, std::unique_ptr<TSoundPlayer> player);
