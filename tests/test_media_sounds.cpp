// The program's two sound players on the real media plugin, loaded from this build: a WAV written
// here plays to its end, a looping one starts again, effect and music play together and stop
// independently, and what cannot play stays silent. No audio device is needed: the player runs
// its clock without one.
#include <QTest>

#include "MediaTestSupport.h"
#include "PageTestSupport.h"
#include "player/MediaEngines.h"

namespace {

class MediaSounds : public MediaTestBase {
 protected:
  void SetUp() override {
    Plugin = LoadEnginePlugin(EnginePlugins::Media);
    ASSERT_TRUE(Plugin) << "the media plugin of this build did not load";
    Tone = Write(QStringLiteral("tone.wav"), MediaBytes::Wav(300));
    Other = Write(QStringLiteral("other.wav"), MediaBytes::Wav(400));
  }

  std::unique_ptr<TGeneralSoundPlayer> MakePlayer() {
    return std::make_unique<TGeneralSoundPlayer>([this] { return Plugin->CreateMediaComponent(nullptr); });
  }

  // Waits until player has played and stopped at the end, or skips where WAV cannot be decoded.
  static bool PlaysToItsEnd(TMediaComponent& player) {
    bool played = false;
    (void)QTest::qWaitFor(
        [&] {
          played = played || player.Mode() == mpPlaying;
          return player.Failed() || (played && player.Mode() == mpStopped && player.Position() > 0);
        },
        5000);
    return !player.Failed() && played && player.Mode() == mpStopped;
  }

  TEnginePlugin* Plugin = nullptr;
  QString Tone, Other;
};

#define SKIP_WITHOUT_WAV(player) \
  if (!(player).Failed()) {      \
  } else                         \
    GTEST_SKIP() << "this platform's multimedia backend cannot decode a WAV file"

TEST_F(MediaSounds, APluginPlayerPlaysAWavToItsEnd) {
  auto player = Plugin->CreateMediaComponent(nullptr);
  ASSERT_TRUE(player);
  EXPECT_EQ(player->Display(), nullptr);
  int notified = 0;
  player->OnNotify = [&] { ++notified; };
  ASSERT_TRUE(player->Open(Tone));
  ASSERT_TRUE(player->Play());
  const bool ended = PlaysToItsEnd(*player);
  SKIP_WITHOUT_WAV(*player);
  EXPECT_TRUE(ended);
  EXPECT_NEAR(double(player->Length()), 300.0, 50.0);
  EXPECT_GT(notified, 0);
  // Played again it starts from the beginning.
  ASSERT_TRUE(player->Play());
  EXPECT_LT(player->Position(), 150);
  EXPECT_TRUE(PlaysToItsEnd(*player));
  EXPECT_FALSE(player->Open(File(QStringLiteral("missing.wav"))));
}

TEST_F(MediaSounds, ALoopingSoundStartsAgainWithinASecond) {
  auto sound = MakePlayer();
  sound->PlaySound(Tone, true);
  ASSERT_TRUE(sound->SoundPlayOK());
  ASSERT_TRUE(sound->SoundLoop());
  TMediaComponent& player = *sound->Player();
  for (int round = 0; round < 2; ++round) {
    const bool ended = PlaysToItsEnd(player);
    SKIP_WITHOUT_WAV(player);
    ASSERT_TRUE(ended) << round;
    EXPECT_TRUE(QTest::qWaitFor([&] { return player.Mode() == mpPlaying; }, 2 * TGeneralSoundPlayer::TimerIntervalMs))
        << "round " << round;
  }
  // Without loop it stays at its end.
  sound->PlaySound(Tone, false);
  EXPECT_TRUE(PlaysToItsEnd(player));
  EXPECT_FALSE(sound->SoundLoop());
  sound->TimerTick();
  EXPECT_EQ(player.Mode(), mpStopped);
}

TEST_F(MediaSounds, StopWhileStoppedAndLoopingEndsTheLoop) {
  auto sound = MakePlayer();
  sound->PlaySound(Tone, true);
  const bool ended = PlaysToItsEnd(*sound->Player());
  SKIP_WITHOUT_WAV(*sound->Player());
  ASSERT_TRUE(ended);
  // Between its end and the timer's restart the sound is stopped but still looping.
  if (sound->Player()->Mode() != mpStopped) GTEST_SKIP() << "the restart came before the stop";
  sound->StopSound();
  EXPECT_FALSE(sound->SoundLoop());
  for (int i = 0; i < 3; ++i) sound->TimerTick();
  EXPECT_EQ(sound->Player()->Mode(), mpStopped);
}

TEST_F(MediaSounds, WhatCannotPlayStaysSilent) {
  Write(QStringLiteral("noise.wav"), QByteArray(4000, 'x'));
  const struct {
    const char* Name;
    QString File;
  } cases[] = {
      {"empty name", QString()},
      {"missing file", File(QStringLiteral("missing.wav"))},
      {"not a sound", File(QStringLiteral("noise.wav"))},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.Name);
    auto sound = MakePlayer();
    sound->PlaySound(c.File, true);
    if (sound->Player() && sound->SoundPlayOK()) {
      // Opened, then found undecodable: given up at the next tick, never played.
      ASSERT_TRUE(QTest::qWaitFor([&] { return sound->Player()->Failed(); }, 5000));
      sound->TimerTick();
    }
    EXPECT_FALSE(sound->SoundPlayOK());
    EXPECT_TRUE(!sound->Player() || sound->Player()->Mode() != mpPlaying);
  }
  // Without the plugin there is no player at all, and no failure either.
  SetEnginePluginFolders({Folder.path()});
  auto silent = MakePluginSoundPlayer();
  silent->PlaySound(Tone, true);
  silent->StopSound();
  EXPECT_EQ(Recorded().Shown.size(), 0u);
}

class MediaSoundActions : public PageTestBase {
 protected:
  void TearDown() override {
    RemoveMediaEngines();
    PageTestBase::TearDown();
  }
};

// The sound commands reach the installed players: effect and music play at the same time, a new
// file replaces the effect, and stopping one leaves the other playing.
TEST_F(MediaSoundActions, EffectAndMusicPlayTogetherAndStopApart) {
  QTemporaryDir folder;
  ExeFolder = folder.path();
  ASSERT_TRUE(MediaBytes::WriteFile(folder.filePath(QStringLiteral("effect.wav")), MediaBytes::Wav(600)));
  ASSERT_TRUE(MediaBytes::WriteFile(folder.filePath(QStringLiteral("music.wav")), MediaBytes::Wav(600)));
  InstallMediaEngines();
  auto& effect = dynamic_cast<TGeneralSoundPlayer&>(SoundPlayer(TSoundChannel::Effect));
  auto& music = dynamic_cast<TGeneralSoundPlayer&>(SoundPlayer(TSoundChannel::BackMusic));

  TAuAction playEffect = Act(ctPlaySound, QStringLiteral("\\effect.wav"));
  playEffect.OptionBool = true;
  TAuAction playMusic = Act(ctPlayBackMusic, QStringLiteral("\\music.wav"));
  playMusic.OptionBool = true;
  RunActions(List({playEffect, playMusic}), nullptr);
  ASSERT_TRUE(effect.Player() && music.Player());
  ASSERT_TRUE(QTest::qWaitFor(
      [&] {
        return effect.Player()->Failed() ||
               (effect.Player()->Mode() == mpPlaying && music.Player()->Mode() == mpPlaying);
      },
      5000));
  SKIP_WITHOUT_WAV(*effect.Player());
  EXPECT_TRUE(effect.SoundLoop() && music.SoundLoop());

  RunActions(List({Act(ctStopSound)}), nullptr);
  EXPECT_FALSE(effect.SoundLoop());
  EXPECT_NE(effect.Player()->Mode(), mpPlaying);
  EXPECT_EQ(music.Player()->Mode(), mpPlaying);
  EXPECT_TRUE(music.SoundLoop());
  RunActions(List({Act(ctStopBackMusic)}), nullptr);
  EXPECT_FALSE(music.SoundLoop());
  EXPECT_NE(music.Player()->Mode(), mpPlaying);
}

}  // namespace
