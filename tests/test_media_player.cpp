// The media player object on the real media plugin: a video written here shows in the display area,
// the medium loops until the user presses Stop, seeking stops it where the bar was put and Play goes
// on from there, what cannot be opened leaves the object black and silent, and a page starts its
// players once it has faded in.
#include <QTest>

#include "ControlTestSupport.h"
#include "MediaTestSupport.h"
#include "PageTestSupport.h"
#include "objects/MediaShells.h"
#include "player/MediaEngines.h"

namespace {

class MediaPlayerObject : public MediaTestBase {
 protected:
  void SetUp() override {
    InstallMediaEngines();
    Recorded().Shown.clear();
  }
  void TearDown() override {
    Host.reset();
    Root.reset();
    RemoveMediaEngines();
    MediaTestBase::TearDown();
  }

  // A live page of 400 × 300 holding one media player whose file is mediaFile.
  TAuMediaPlayer& Build(const QString& mediaFile, bool repeat = true) {
    Root = MakeObject(otPanel, QStringLiteral("Page"), {0, 0, 400, 300}, alClient);
    TAuObject& o = AddChild(*Root, MakeObject(otMediaPlayer, QStringLiteral("Movie"), {10, 10, 289, 193}));
    auto& p = static_cast<TMediaPlayerPayload&>(*o.Payload);
    p.MediaFile = mediaFile;
    p.IsRepeat = repeat;
    Host = std::make_unique<TControlHost>(QSize(400, 300));
    TControlContext context;
    context.Events = &Host->Events;
    context.ProjectFolder = Folder.path();
    EXPECT_TRUE(CreateObjectControl(*Root, Host->Window.get(), context));
    Host->Window->show();
    EXPECT_TRUE(QTest::qWaitForWindowExposed(Host->Window.get()));
    return *static_cast<TAuMediaPlayer*>(ControlOf(o));
  }

  // Started as the page does after its fade-in; false where the medium cannot be decoded here.
  static bool Starts(TAuMediaPlayer& player) {
    player.StartAfterFadeIn();
    EXPECT_TRUE(player.Media());
    if (!player.Media()) return false;
    (void)QTest::qWaitFor([&] { return player.Error() || player.Media()->Failed() || player.Media()->Length() > 0; },
                          5000);
    return !player.Error() && player.Media()->Length() > 0;
  }

  // Waits until the medium ended by itself (stopped, the Stop button not pressed).
  static bool EndsByItself(TAuMediaPlayer& player) {
    return QTest::qWaitFor([&] { return player.Media()->Mode() == mpStopped && player.Media()->Position() > 0; }, 5000);
  }

  static bool Enabled(TAuMediaPlayer& p, bool play, bool pause, bool stop) {
    return p.PlayButton()->isEnabled() == play && p.PauseButton()->isEnabled() == pause &&
           p.StopButton()->isEnabled() == stop;
  }

  std::unique_ptr<TAuObject> Root;
  std::unique_ptr<TControlHost> Host;
};

TEST_F(MediaPlayerObject, AVideoShowsInTheDisplayArea) {
  const QColor red(220, 30, 30);
  for (bool palette : {false, true}) {
    SCOPED_TRACE(palette ? "8-bit with a palette" : "24-bit");
    const QString name = palette ? QStringLiteral("red8.avi") : QStringLiteral("red24.avi");
    Write(name, MediaBytes::Avi(red, 20, palette));
    TAuMediaPlayer& player = Build(u'\\' + name);
    ASSERT_TRUE(player.EngineView());
    EXPECT_EQ(CentreColor(player.ContentArea()), QColor(Qt::black));
    if (!Starts(player)) GTEST_SKIP() << "the installed multimedia backend cannot play an uncompressed AVI";
    EXPECT_EQ(player.Media()->Mode(), mpPlaying);
    EXPECT_TRUE(QTest::qWaitFor([&] { return Near(CentreColor(player.ContentArea()), red, 24); }, 5000))
        << CentreColor(player.ContentArea()).name().toStdString();
    // The video fills the display area above the control bar.
    EXPECT_EQ(player.EngineView()->geometry(), player.ContentArea()->rect());
    if (!palette) player.grab().save(QDir::temp().filePath(QStringLiteral("menuvia-media-player.png")));
  }
}

TEST_F(MediaPlayerObject, LoopsUntilStopIsPressed) {
  Write(QStringLiteral("tone.wav"), MediaBytes::Wav(300));
  TAuMediaPlayer& player = Build(QStringLiteral("\\tone.wav"));
  if (!Starts(player)) GTEST_SKIP() << "the installed multimedia backend cannot play a WAV file";
  EXPECT_EQ(player.LastButton(), btPlay);
  EXPECT_TRUE(Enabled(player, false, true, true));
  EXPECT_TRUE(player.TrackBar()->isEnabled());
  EXPECT_NEAR(player.TrackBar()->maximum(), 300, 50);
  for (int round = 0; round < 2; ++round) {
    ASSERT_TRUE(EndsByItself(player)) << round;
    EXPECT_TRUE(
        QTest::qWaitFor([&] { return player.Media()->Mode() == mpPlaying; }, 2 * TAuMediaPlayer::TimerIntervalMs))
        << "round " << round;
  }
  // The user's Stop: rewound, only Play enabled, and the timer no longer repeats it.
  Host->Click(player.StopButton(), {5, 5});
  EXPECT_EQ(player.LastButton(), btStop);
  EXPECT_EQ(player.Media()->Mode(), mpStopped);
  EXPECT_TRUE(Enabled(player, true, false, false));
  EXPECT_TRUE(QTest::qWaitFor([&] { return player.Media()->Position() == 0; }, 2000));
  for (int i = 0; i < 3; ++i) player.TimerTick();
  EXPECT_EQ(player.Media()->Mode(), mpStopped);
  // Play starts it again, and with Loop off it stays at its end.
  static_cast<TMediaPlayerPayload&>(*player.AuObject->Payload).IsRepeat = false;
  Host->Click(player.PlayButton(), {5, 5});
  EXPECT_EQ(player.Media()->Mode(), mpPlaying);
  ASSERT_TRUE(EndsByItself(player));
  player.TimerTick();
  EXPECT_EQ(player.Media()->Mode(), mpStopped);
  EXPECT_TRUE(Enabled(player, true, false, false));
}

TEST_F(MediaPlayerObject, SeekingStopsThereAndPlayGoesOnFromThere) {
  // Long enough that playing on from the seek cannot reach the end on a loaded machine.
  Write(QStringLiteral("long.wav"), MediaBytes::Wav(8000));
  TAuMediaPlayer& player = Build(QStringLiteral("\\long.wav"));
  if (!Starts(player)) GTEST_SKIP() << "the installed multimedia backend cannot play a WAV file";
  ASSERT_EQ(player.Media()->Mode(), mpPlaying);
  // The user drags the bar (the program's own moves of it are no seeks).
  player.TrackBar()->setValue(2000);
  EXPECT_EQ(player.Media()->Mode(), mpStopped);
  EXPECT_EQ(player.LastButton(), btStop);
  EXPECT_TRUE(Enabled(player, true, false, false));
  EXPECT_TRUE(QTest::qWaitFor([&] { return std::abs(player.Media()->Position() - 2000) < 100; }, 10000))
      << player.Media()->Position();
  player.TimerTick();
  EXPECT_EQ(player.Media()->Mode(), mpStopped) << "a seek is not repeated by the timer";
  player.ButtonClick(btPlay);
  EXPECT_EQ(player.Media()->Mode(), mpPlaying);
  EXPECT_GE(player.Media()->Position(), 1900);
  // Pause holds it; the Pause button again goes on.
  player.ButtonClick(btPause);
  EXPECT_EQ(player.Media()->Mode(), mpPaused);
  player.TimerTick();
  EXPECT_EQ(player.Media()->Mode(), mpPaused);
  player.ButtonClick(btPause);
  EXPECT_EQ(player.Media()->Mode(), mpPlaying);
}

TEST_F(MediaPlayerObject, WhatCannotBeOpenedStaysBlackWithoutAMessage) {
  Write(QStringLiteral("noise.avi"), QByteArray(5000, 'x'));
  const struct {
    const char* Name;
    QString MediaFile;
  } cases[] = {
      {"empty file name", QString()},
      {"missing file", QStringLiteral("\\missing.avi")},
      {"not a medium", QStringLiteral("\\noise.avi")},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.Name);
    TAuMediaPlayer& player = Build(c.MediaFile);
    player.StartAfterFadeIn();
    if (!c.MediaFile.isEmpty()) {
      EXPECT_TRUE(QTest::qWaitFor([&] { return player.Error(); }, 5000));
    }
    EXPECT_TRUE(player.Error());
    EXPECT_NE(player.Media()->Mode(), mpPlaying);
    player.ButtonClick(btPlay);
    player.TimerTick();
    EXPECT_NE(player.Media()->Mode(), mpPlaying);
    EXPECT_TRUE(Enabled(player, false, false, false));
    EXPECT_EQ(CentreColor(player.ContentArea()), QColor(Qt::black));
    EXPECT_EQ(Recorded().Shown.size(), 0u);
  }
}

// The display area's mouse events are the object's own.
TEST_F(MediaPlayerObject, TheVideoTakesTheMouseAsTheObject) {
  TAuMediaPlayer& player = Build(QString());
  ASSERT_TRUE(player.EngineView());
  Host->Events.Clear();
  Host->Click(player.EngineView(), {40, 40});
  EXPECT_EQ(Host->Events.Count(TRecordedEvent::Click, player.AuObject), 1);
}

class MediaPlayerPage : public PageTestBase {
 protected:
  void TearDown() override {
    RemoveMediaEngines();
    PageTestBase::TearDown();
  }
};

// A live page starts its media players after its fade-in, with the file found in the project folder.
TEST_F(MediaPlayerPage, StartsAfterTheFadeIn) {
  QTemporaryDir folder;
  ExeFolder = folder.path();
  SourceFileName = folder.filePath(QStringLiteral("autorun"));
  ASSERT_TRUE(MediaBytes::WriteFile(folder.filePath(QStringLiteral("tone.wav")), MediaBytes::Wav(2000)));
  InstallMediaEngines();
  TPageData page = MakePage(QStringLiteral("Media"));
  page.FormFade = true;
  page.FormFadeInStep = 50;
  TAuObject& media = AddObject(*page.PanelObject, otMediaPlayer, QStringLiteral("Player"), {10, 10, 200, 150});
  static_cast<TMediaPlayerPayload&>(*media.Payload).MediaFile = QStringLiteral("\\tone.wav");
  AddPage(QStringLiteral("Media"), page);
  auto form = ShowPage(0);
  TAuObject* shown = form->PanelObject()->Objects.front().get();
  auto* player = dynamic_cast<TAuMediaPlayer*>(ControlOf(*shown));
  ASSERT_TRUE(player);
  ASSERT_TRUE(QTest::qWaitFor([&] { return !player->Filename().isEmpty(); }, 5000));
  EXPECT_EQ(QFileInfo(player->Filename()).canonicalFilePath(),
            QFileInfo(folder.filePath(QStringLiteral("tone.wav"))).canonicalFilePath());
  ASSERT_TRUE(QTest::qWaitFor([&] { return player->Error() || player->Media()->Mode() == mpPlaying; }, 5000));
  if (player->Error()) GTEST_SKIP() << "the installed multimedia backend cannot play a WAV file";
  EXPECT_EQ(player->LastButton(), btPlay);
}

}  // namespace
