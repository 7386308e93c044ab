// Run mode, process-wide state and the player's start when nothing is appended.
#include <gtest/gtest.h>

#include <QFile>
#include <QFileInfo>
#include <QFontDatabase>
#include <QProcess>
#include <QTemporaryDir>

#include "model/Globals.h"
#include "TestPaths.h"
#include "model/IniFile.h"
#include "model/PageStream.h"
#include "model/ProjectFile.h"
#include "player/Startup.h"

TEST(Startup, ModeByFileName) {
  const std::pair<const char*, bool> cases[] = {
      {"Menuvia", true},     {"MENUVIA", true},      {"menuvia", true},       {"mEnUvIa", true},
      {"Menuvia2", false},   {"Menuvia.bin", false}, {"autorun", false},      {"Menuvi", false},
      {"", false},           {"menuvia-cli", false},
#ifdef Q_OS_WIN
      {"Menuvia.exe", true}, {"MENUVIA.EXE", true},  {"Menuvia2.exe", false}, {"autorun.exe", false},
#else
      {"Menuvia.exe", false},
#endif
  };
  for (const auto& [name, designer] : cases) EXPECT_EQ(IsDesignerFileName(QString::fromLatin1(name)), designer) << name;
}

TEST(Startup, ForegroundHandleArgument) {
  const std::pair<QStringList, qulonglong> cases[] = {
      {{QStringLiteral("autorun")}, 0},
      {{QStringLiteral("autorun"), QStringLiteral("x")}, 0},
      {{QStringLiteral("autorun"), QStringLiteral("x"), QStringLiteral("12345")}, 12345},
      {{QStringLiteral("autorun"), QStringLiteral("x"), QStringLiteral("12a")}, 0},
      {{QStringLiteral("autorun"), QStringLiteral("x"), QStringLiteral("-5")}, 0},
  };
  for (const auto& [args, handle] : cases)
    EXPECT_EQ(ForegroundHandleArgument(args), handle) << args.join(u' ').toStdString();
}

TEST(Startup, DesignerStateAndSettingsFile) {
  QTemporaryDir config;
  const QByteArray oldConfig = qgetenv("XDG_CONFIG_HOME");
  qputenv("XDG_CONFIG_HOME", config.path().toUtf8());
  const QString folder = config.path() + QStringLiteral("/Trellick/Menuvia");

  InitProcessState(QStringLiteral("/opt/menuvia/bin/Menuvia"));
  EXPECT_TRUE(IsDesigner);
  EXPECT_FALSE(IsDesignPreview);
  EXPECT_FALSE(ExitRequested);
  EXPECT_TRUE(SourceFileName.isEmpty());
  EXPECT_EQ(ExeFolder, QStringLiteral("/opt/menuvia/bin"));
  EXPECT_EQ(ProjectFileExt, QStringLiteral("mvdsk"));
  EXPECT_EQ(DefaultProjectFileName, QStringLiteral("autorun.mvdsk"));
  // The settings folder is created with its parents; no settings file yet, so no default folder.
  EXPECT_EQ(SettingsFileName, folder + QStringLiteral("/Menuvia.ini"));
  EXPECT_TRUE(QFileInfo(folder).isDir());
  EXPECT_TRUE(DefaultFolder.isEmpty());

  TIniFile ini;
  ini.WriteString(QStringLiteral("START"), QStringLiteral("DEFAULTFOLDER"), QStringLiteral("/home/me/Menus"));
  ASSERT_TRUE(ini.Save(SettingsFileName));
  InitProcessState(QStringLiteral("/opt/menuvia/bin/menuvia"));
  EXPECT_EQ(DefaultFolder, QStringLiteral("/home/me/Menus"));

  // An unusable configuration folder puts the settings beside the executable.
  QFile blocker(config.path() + QStringLiteral("/blocked"));
  ASSERT_TRUE(blocker.open(QIODevice::WriteOnly));
  blocker.close();
  qputenv("XDG_CONFIG_HOME", blocker.fileName().toUtf8());
  InitProcessState(QStringLiteral("/opt/menuvia/bin/Menuvia"));
  EXPECT_EQ(SettingsFileName, QStringLiteral("/opt/menuvia/bin/Menuvia.ini"));

  qputenv("XDG_CONFIG_HOME", oldConfig);
  if (oldConfig.isEmpty()) qunsetenv("XDG_CONFIG_HOME");
  IsDesigner = false;
}

TEST(Startup, PlayerState) {
  InitProcessState(QStringLiteral("/media/cdrom/autorun"));
  EXPECT_FALSE(IsDesigner);
  EXPECT_EQ(SourceFileName, QStringLiteral("/media/cdrom/autorun"));
  EXPECT_EQ(ExeFolder, QStringLiteral("/media/cdrom"));
  SourceFileName.clear();
}

namespace {
// The real program copied into folder under a player's name.
QString CopyAsPlayer(const QTemporaryDir& folder) {
  const QString player = folder.filePath(QStringLiteral("autorun"));
  if (!QFile::copy(TestPaths::MenuviaBinary(), player)) return {};
  QFile::setPermissions(player, QFile::permissions(player) | QFile::ExeOwner);
  return player;
}

// Runs it offscreen with its messages logged to log; -1 when it does not end normally.
int RunPlayer(const QString& player, const QString& log) {
  QProcess process;
  QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
  env.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("offscreen"));
  env.insert(QStringLiteral("MENUVIA_MESSAGE_LOG"), log);
  process.setProcessEnvironment(env);
  process.start(player, {});
  if (!process.waitForFinished(60000) || process.exitStatus() != QProcess::NormalExit) return -1;
  return process.exitCode();
}
}  // namespace

// The real program, copied under a player's name with nothing appended, reports the failure
// through its messages service and ends with a non-zero status.
TEST(Startup, PlayerWithoutProjectEndsWithFailure) {
  QTemporaryDir dir;
  const QString player = CopyAsPlayer(dir);
  ASSERT_FALSE(player.isEmpty());
  const QString log = dir.filePath(QStringLiteral("messages.log"));

  const int status = RunPlayer(player, log);
  EXPECT_NE(status, -1);
  EXPECT_NE(status, 0);

  QFile file(log);
  ASSERT_TRUE(file.open(QIODevice::ReadOnly));
  const QStringList lines = QString::fromUtf8(file.readAll()).split(u'\n', Qt::SkipEmptyParts);
  ASSERT_FALSE(lines.isEmpty());
  EXPECT_EQ(lines.back(), QStringLiteral("Error\tFailed to load data. The application terminated."));
}

TEST(Startup, StockFontsRegistered) {
  // fonts-wine is installed by the setup script; the page's default font must then be real Tahoma.
  if (!QFileInfo::exists(QStringLiteral("/usr/share/wine/fonts/tahoma.ttf"))) GTEST_SKIP() << "fonts-wine missing";
  EXPECT_EQ(RegisterStockFonts(), 3);
  EXPECT_TRUE(QFontDatabase::families().contains(QStringLiteral("Tahoma")));
}

// A real player: the program copied under a player's name with a project appended reads it,
// shows its main page, whose show actions end the program, and reports nothing.
TEST(Startup, PlayerReadsItsAppendedProject) {
  QTemporaryDir dir;
  const QString player = CopyAsPlayer(dir);
  ASSERT_FALSE(player.isEmpty());
  ResetProject(true);
  Project.AppTitle = QStringLiteral("Appended");
  TError error;
  TPageData page;
  ASSERT_TRUE(LoadFormData(*Project.Forms[0], page, &error));
  TAuAction exit;
  exit.Command = ctExit;
  page.OnShowActions.Actions.push_back(exit);
  ASSERT_TRUE(StoreFormData(page, *Project.Forms[0], &error));
  const QString project = dir.filePath(QStringLiteral("autorun.mvdsk"));
  ASSERT_TRUE(SaveProjectToFile(project, QString(), error)) << error.Message().toStdString();
  ASSERT_TRUE(AppendProjectToExe(player, project, error)) << error.Message().toStdString();
  ResetProject(false);

  const QString log = dir.filePath(QStringLiteral("messages.log"));
  EXPECT_EQ(RunPlayer(player, log), 0);
  EXPECT_FALSE(QFile::exists(log));
}
