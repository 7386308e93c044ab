// Building a finished menu with menuvia-cli build and running it as a user would: the real
// program, copied and given the project, started from another folder.
#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QProcess>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTest>

#include "PageTestSupport.h"
#include "TestPaths.h"
#include "build/BuildPlayer.h"
#include "model/Globals.h"
#include "model/IniFile.h"
#include "model/ObjectStream.h"
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
  cli.start(TestPaths::CliBinary(), args);
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
                    TestPaths::MenuviaBinary()},
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
  // Each action starts its script without waiting for it, so the two may finish in either order;
  // the order of the lists themselves is checked in-process.
  QStringList lines = ReadText(ran).split(u'\n', Qt::SkipEmptyParts);
  lines.sort();
  EXPECT_EQ(lines, (QStringList{QStringLiteral("shown"), QStringLiteral("start")}));
  EXPECT_FALSE(QFile::exists(outDir.filePath(QStringLiteral("messages.log"))))
      << ReadText(outDir.filePath(QStringLiteral("messages.log"))).toStdString();
}

// A player with a damaged container reports the load failure and ends with a non-zero status.
TEST(BuildPlayer, DamagedContainerFails) {
  QTemporaryDir dir;
  const QString player = dir.filePath(QStringLiteral("autorun"));
  ASSERT_TRUE(QFile::copy(TestPaths::MenuviaBinary(), player));
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

namespace {
// A display of our own: Xvfb started on a free display number, and xdotool to act as the user.
class VirtualDisplay {
 public:
  VirtualDisplay() {
    if (QStandardPaths::findExecutable(QStringLiteral("Xvfb")).isEmpty() ||
        QStandardPaths::findExecutable(QStringLiteral("xdotool")).isEmpty())
      return;
    FServer.start(QStringLiteral("Xvfb"),
                  {QStringLiteral("-displayfd"), QStringLiteral("1"), QStringLiteral("-screen"), QStringLiteral("0"),
                   QStringLiteral("1024x768x24"), QStringLiteral("-nolisten"), QStringLiteral("tcp")});
    if (!FServer.waitForStarted(20000)) return;
    QByteArray number;
    (void)QTest::qWaitFor(
        [&] {
          number += FServer.readAllStandardOutput();
          return number.contains('\n') || FServer.state() == QProcess::NotRunning;
        },
        20000);
    if (number.trimmed().isEmpty()) return;
    FDisplay = QStringLiteral(":") + QString::fromLatin1(number.trimmed());
  }
  ~VirtualDisplay() {
    FServer.terminate();
    FServer.waitForFinished(10000);
  }
  bool Ready() const { return !FDisplay.isEmpty(); }
  QString Display() const { return FDisplay; }

  // Runs xdotool on this display; true when it succeeded. `--sync` searches wait for the window.
  bool Tool(const QStringList& args, QString* output = nullptr) const {
    QProcess p;
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert(QStringLiteral("DISPLAY"), FDisplay);
    p.setProcessEnvironment(env);
    p.start(QStringLiteral("xdotool"), args);
    if (!p.waitForFinished(30000)) {
      p.kill();
      p.waitForFinished();
      return false;
    }
    if (output) *output = QString::fromUtf8(p.readAllStandardOutput()).trimmed();
    return p.exitStatus() == QProcess::NormalExit && p.exitCode() == 0;
  }
  // Clicks at a point of the window whose title is `title`, once that window exists.
  bool ClickIn(const QString& title, int x, int y) const {
    QString id;
    if (!Tool({QStringLiteral("search"), QStringLiteral("--sync"), QStringLiteral("--onlyvisible"),
               QStringLiteral("--name"), QStringLiteral("^") + title + QStringLiteral("$")},
              &id) ||
        id.isEmpty())
      return false;
    id = id.section(u'\n', 0, 0);
    return Tool({QStringLiteral("mousemove"), QStringLiteral("--sync"), QStringLiteral("--window"), id,
                 QString::number(x), QString::number(y)}) &&
           Tool({QStringLiteral("click"), QStringLiteral("1")});
  }

 private:
  QProcess FServer;
  QString FDisplay;
};

TAuObject& AddButton(TPageData& page, const QString& name, const QString& word, const TAuAction& then) {
  auto button = NewAuObject(otStandardButton, name);
  button->Align = alNone;
  button->Left = 20;
  button->Top = 20;
  button->Width = 120;
  button->Height = 40;
  button->OnClickActions.Actions = {RunScript(word), then};
  page.PanelObject->Objects.push_back(std::move(button));
  return *page.PanelObject->Objects.back();
}

}  // namespace

// The user's view of a built menu on a real (virtual) display: a page opened by a show-page action
// runs its own show actions; after a go-to-page a click reaches the new page's objects and the new
// page's show actions do not run; an exit action then ends the player with status 0.
TEST(BuildPlayer, UserClicksThroughPages) {
  VirtualDisplay display;
  if (!display.Ready()) GTEST_SKIP() << "needs Xvfb and xdotool (scripts/setup.sh installs both)";
  QTemporaryDir projectDir, outDir;
  ResetProject(true);
  IsDesigner = true;
  Project.Forms.clear();
  auto addPage = [&](const QString& name, TPageData& page) {
    auto entry = std::make_unique<TFormData>();
    entry->FormName = name;
    TError error;
    EXPECT_TRUE(StoreFormData(page, *entry, &error));
    Project.Forms.push_back(std::move(entry));
  };
  TPageData main = MakePage(QStringLiteral("E2E Main"));
  main.OnShowActions.Actions = {RunScript(QStringLiteral("main-shown")),
                                TAuAction{ctShowPage, QStringLiteral("Second")}};
  TAuAction go{ctGoToPage, QStringLiteral("Third")};
  AddButton(main, QStringLiteral("GoButton"), QStringLiteral("go"), go);
  TPageData second = MakePage(QStringLiteral("E2E Second"));
  second.OnShowActions.Actions = {RunScript(QStringLiteral("second-shown")), TAuAction{ctClosePage}};
  TPageData third = MakePage(QStringLiteral("E2E Third"));
  third.OnShowActions.Actions = {RunScript(QStringLiteral("third-shown"))};
  AddButton(third, QStringLiteral("ExitButton"), QStringLiteral("clicked"), TAuAction{ctExit});
  addPage(QStringLiteral("Main"), main);
  addPage(QStringLiteral("Second"), second);
  addPage(QStringLiteral("Third"), third);
  const QString project = projectDir.filePath(QStringLiteral("autorun.mvdsk"));
  TError error;
  ASSERT_TRUE(SaveProjectToFile(project, QString(), error)) << error.Message().toStdString();
  ResetProject(false);
  IsDesigner = false;

  QString output;
  ASSERT_EQ(RunCli({QStringLiteral("build"), project, QStringLiteral("-o"), outDir.path(), QStringLiteral("--player"),
                    TestPaths::MenuviaBinary()},
                   &output),
            0)
      << output.toStdString();
  {
    QFile f(outDir.filePath(QStringLiteral("record.sh")));
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    f.write("#!/bin/sh\necho \"$1\" >> \"$(dirname \"$0\")/ran.txt\"\n");
    f.setPermissions(f.permissions() | QFile::ExeOwner);
  }
  const QString ran = outDir.filePath(QStringLiteral("ran.txt"));

  QProcess player;
  QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
  env.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("xcb"));
  env.insert(QStringLiteral("DISPLAY"), display.Display());
  env.insert(QStringLiteral("MENUVIA_MESSAGE_LOG"), outDir.filePath(QStringLiteral("messages.log")));
  player.setProcessEnvironment(env);
  player.start(outDir.filePath(QStringLiteral("autorun")), {});
  ASSERT_TRUE(player.waitForStarted(30000));

  EXPECT_TRUE(QTest::qWaitFor([&] { return ReadText(ran).contains(QLatin1String("second-shown")); }, 30000))
      << ReadText(ran).toStdString();
  // The second page closes itself; it lies over the main page until then.
  EXPECT_TRUE(QTest::qWaitFor(
      [&] {
        return !display.Tool({QStringLiteral("search"), QStringLiteral("--onlyvisible"), QStringLiteral("--name"),
                              QStringLiteral("^E2E Second$")});
      },
      30000));
  ASSERT_TRUE(display.ClickIn(QStringLiteral("E2E Main"), 60, 40));
  ASSERT_TRUE(QTest::qWaitFor([&] { return ReadText(ran).contains(QLatin1String("go")); }, 30000))
      << ReadText(ran).toStdString();
  ASSERT_TRUE(display.ClickIn(QStringLiteral("E2E Third"), 60, 40));
  ASSERT_TRUE(player.waitForFinished(30000));
  EXPECT_EQ(player.exitStatus(), QProcess::NormalExit);
  EXPECT_EQ(player.exitCode(), 0);
  // The two show lists start their scripts moments apart, so those two may land in either order.
  QStringList lines = ReadText(ran).split(u'\n', Qt::SkipEmptyParts);
  ASSERT_EQ(lines.size(), 4) << ReadText(ran).toStdString();
  std::sort(lines.begin(), lines.begin() + 2);
  EXPECT_EQ(lines, (QStringList{QStringLiteral("main-shown"), QStringLiteral("second-shown"), QStringLiteral("go"),
                                QStringLiteral("clicked")}));
  EXPECT_FALSE(QFile::exists(outDir.filePath(QStringLiteral("messages.log"))))
      << ReadText(outDir.filePath(QStringLiteral("messages.log"))).toStdString();
}
