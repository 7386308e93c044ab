// Building a finished menu with menuvia-cli build and running it as a user would: the real
// program, copied and given the project, started from another folder.
#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>
#include <QTest>

#include "build/BuildPlayer.h"
#include "model/Globals.h"
#include "model/IniFile.h"
#include "model/PageStream.h"
#include "model/ProjectFile.h"

namespace {
TAuAction RunScript(const QString& word) {
  TAuAction a;
  a.Command = ctOpenRunFile;
  a.Param1 = QStringLiteral("\\record.sh");
  a.Param2 = word;
  return a;
}

QString ReadText(const QString& name) {
  QFile f(name);
  return f.open(QIODevice::ReadOnly) ? QString::fromUtf8(f.readAll()) : QString();
}

int RunCli(const QStringList& args, QString* output = nullptr) {
  QProcess cli;
  cli.start(QStringLiteral(MENUVIA_CLI_BINARY), args);
  if (!cli.waitForFinished(120000)) return -1;
  if (output) *output = QString::fromUtf8(cli.readAllStandardOutput() + cli.readAllStandardError());
  return cli.exitCode();
}
}  // namespace

TEST(BuildPlayer, OutputNames) {
  const struct {
    const char* Setting;
    const char* Expected;
  } cases[] = {
      {"autorun", "autorun"}, {"  Menu.EXE ", "Menu"}, {"menu.exe", "menu"}, {".exe", "myproject"}, {"", "myproject"},
  };
  for (const auto& c : cases)
    EXPECT_EQ(GetOutputBaseName(QString::fromUtf8(c.Setting), QStringLiteral("/p/myproject.mvdsk")),
              QString::fromUtf8(c.Expected))
        << c.Setting;
}

// A project built into a player runs its start actions, shows its main page (whose show actions
// run), and an exit action ends it with status 0. The model is left as it was found.
TEST(BuildPlayer, BuiltPlayerRunsItsProject) {
  QTemporaryDir projectDir, outDir;
  ResetProject(true);
  IsDesigner = true;
  Project.AppOutputFileName = QStringLiteral("My Menu.EXE");
  Project.OnStartActions.Actions.push_back(RunScript(QStringLiteral("start")));
  TPageData page;
  TError error;
  ASSERT_TRUE(LoadFormData(*Project.Forms[0], page, &error));
  page.OnShowActions.Actions.push_back(RunScript(QStringLiteral("shown")));
  TAuAction exit;
  exit.Command = ctExit;
  page.OnShowActions.Actions.push_back(exit);
  ASSERT_TRUE(StoreFormData(page, *Project.Forms[0], &error));
  const QString project = projectDir.filePath(QStringLiteral("autorun.mvdsk"));
  ASSERT_TRUE(SaveProjectToFile(project, QString(), error)) << error.Message().toStdString();
  ResetProject(false);
  IsDesigner = false;

  // autorun.inf belongs to the user too: its other keys survive the build.
  TIniFile inf;
  inf.WriteString(QStringLiteral("autorun"), QStringLiteral("label"), QStringLiteral("My Disc"));
  ASSERT_TRUE(inf.Save(outDir.filePath(QStringLiteral("autorun.inf"))));

  QString output;
  ASSERT_EQ(RunCli({QStringLiteral("build"), project, QStringLiteral("-o"), outDir.path(), QStringLiteral("--player"),
                    QStringLiteral(MENUVIA_BINARY)},
                   &output),
            0)
      << output.toStdString();
  const QString player = outDir.filePath(QStringLiteral("My Menu"));
  ASSERT_TRUE(QFile::exists(player)) << output.toStdString();
  TIniFile written(outDir.filePath(QStringLiteral("autorun.inf")));
  EXPECT_EQ(written.ReadString(QStringLiteral("autorun"), QStringLiteral("open")), QStringLiteral("My Menu"));
  EXPECT_EQ(written.ReadString(QStringLiteral("autorun"), QStringLiteral("label")), QStringLiteral("My Disc"));

  // The script the actions run records its argument beside the player.
  const QString script = outDir.filePath(QStringLiteral("record.sh"));
  {
    QFile f(script);
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    f.write("#!/bin/sh\necho \"$1\" >> \"$(dirname \"$0\")/ran.txt\"\n");
  }
  QFile::setPermissions(script, QFile::permissions(script) | QFile::ExeOwner);

  // Started from another folder, as a medium's menu is.
  QProcess process;
  QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
  env.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("offscreen"));
  env.insert(QStringLiteral("MENUVIA_MESSAGE_LOG"), outDir.filePath(QStringLiteral("messages.log")));
  process.setProcessEnvironment(env);
  process.setWorkingDirectory(QDir::tempPath());
  process.start(player, {});
  ASSERT_TRUE(process.waitForFinished(60000));
  EXPECT_EQ(process.exitStatus(), QProcess::NormalExit);
  EXPECT_EQ(process.exitCode(), 0);
  const QString ran = outDir.filePath(QStringLiteral("ran.txt"));
  EXPECT_TRUE(QTest::qWaitFor([&] { return ReadText(ran).count(u'\n') >= 2; }, 20000)) << ReadText(ran).toStdString();
  EXPECT_EQ(ReadText(ran), QStringLiteral("start\nshown\n"));
  EXPECT_FALSE(QFile::exists(outDir.filePath(QStringLiteral("messages.log"))))
      << ReadText(outDir.filePath(QStringLiteral("messages.log"))).toStdString();
}

// A player with a damaged container reports the load failure and ends with a non-zero status.
TEST(BuildPlayer, DamagedContainerFails) {
  QTemporaryDir dir;
  const QString player = dir.filePath(QStringLiteral("autorun"));
  ASSERT_TRUE(QFile::copy(QStringLiteral(MENUVIA_BINARY), player));
  QFile::setPermissions(player, QFile::permissions(player) | QFile::ExeOwner | QFile::WriteOwner);
  {
    QFile f(player);
    ASSERT_TRUE(f.open(QIODevice::Append));
    // A trailing offset that points at no container.
    const char tail[] = {0x10, 0, 0, 0};
    f.write(tail, 4);
  }
  QProcess process;
  QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
  env.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("offscreen"));
  const QString log = dir.filePath(QStringLiteral("messages.log"));
  env.insert(QStringLiteral("MENUVIA_MESSAGE_LOG"), log);
  process.setProcessEnvironment(env);
  process.start(player, {});
  ASSERT_TRUE(process.waitForFinished(60000));
  EXPECT_NE(process.exitCode(), 0);
  EXPECT_TRUE(ReadText(log).contains(QStringLiteral("Failed to load data. The application terminated.")));
}
