// The heavy engines stay out of the program: it links none of them, a built menu carries the
// plugins its objects and sound commands need and no others, and a built player loads a plugin
// only when a page holding such an object is shown.
#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>

#include "MediaTestSupport.h"
#include "model/Globals.h"
#include "model/ObjectStream.h"
#include "model/PageStream.h"
#include "model/ProjectFile.h"

namespace {

QString RunProgram(const QString& program, const QStringList& args, const QProcessEnvironment& env = {},
                   int* status = nullptr) {
  QProcess p;
  if (!env.isEmpty()) p.setProcessEnvironment(env);
  p.setProcessChannelMode(QProcess::MergedChannels);
  p.start(program, args);
  if (!p.waitForFinished(120000)) {
    p.kill();
    p.waitForFinished();
  }
  if (status) *status = p.exitStatus() == QProcess::NormalExit ? p.exitCode() : -1;
  return QString::fromLocal8Bit(p.readAll());
}

TEST(MediaBuild, TheProgramLinksNoHeavyEngine) {
  const QString libraries = RunProgram(QStringLiteral("ldd"), {TestPaths::MenuviaBinary()});
  ASSERT_TRUE(libraries.contains(QStringLiteral("libQt6Widgets"))) << libraries.toStdString();
  for (const char* heavy : {"Qt6WebEngine", "Qt6Multimedia", "Qt6Pdf", "Qt6Quick"})
    EXPECT_FALSE(libraries.contains(QLatin1String(heavy))) << heavy;
}

// A project of one page holding objects of the given kinds; with sound, a click action of the first
// object plays a sound (found only by reading the page). Saved as folder/autorun.mvdsk.
QString SaveProject(const QString& folder, const std::vector<TObjectType>& kinds, bool sound) {
  ResetProject(true);
  IsDesigner = true;
  TPageData page;
  EXPECT_TRUE(LoadFormData(*Project.Forms[0], page));
  page.FormFade = false;
  TAuAction exit;
  exit.Command = ctExit;
  page.OnShowActions.Actions.push_back(exit);
  int x = 0;
  for (TObjectType kind : kinds) {
    auto o = NewAuObject(kind, GetObjectTypeName(kind) + u'1');
    o->Left = x += 10;
    page.PanelObject->Objects.push_back(std::move(o));
  }
  if (sound) {
    auto button = NewAuObject(otStandardButton, QStringLiteral("Button1"));
    TAuAction play;
    play.Command = ctPlayBackMusic;
    play.Param1 = QStringLiteral("\\music.wav");
    button->OnClickActions.Actions.push_back(play);
    page.PanelObject->Objects.push_back(std::move(button));
  }
  EXPECT_TRUE(StoreFormData(page, *Project.Forms[0]));
  const QString project = QDir(folder).filePath(QStringLiteral("autorun.mvdsk"));
  TError error;
  EXPECT_TRUE(SaveProjectToFile(project, QString(), error)) << error.Message().toStdString();
  ResetProject(false);
  IsDesigner = false;
  return project;
}

QStringList PluginFiles(const QString& outputFolder) {
  return QDir(QDir(outputFolder).filePath(EnginePlugins::FolderName)).entryList(QDir::Files, QDir::Name);
}

TEST(MediaBuild, AMenuCarriesThePluginsItsProjectNeeds) {
  const bool runtime = IsFlashRuntimeFolder(FlashRuntimeFolder());
  const auto file = [](const QString& name) { return EnginePluginFileName(name); };
  const struct {
    const char* Name;
    std::vector<TObjectType> Kinds;
    bool Sound;
    QStringList Plugins;
    bool Runtime;
  } cases[] = {
      {"PDF reader and a sound command",
       {otPDFReader, otPanel},
       true,
       {file(EnginePlugins::Media), file(EnginePlugins::Pdf)},
       false},
      {"web browser and media player",
       {otWebBrowser, otMediaPlayer},
       false,
       {file(EnginePlugins::Media), file(EnginePlugins::Web)},
       false},
      {"Flash player", {otFlashPlayer}, false, {file(EnginePlugins::Web)}, true},
      {"no such object", {otPanel, otImage}, false, {}, false},
  };
  QTemporaryDir projectDir, outDir;
  // One output folder for all: each build also takes away what the one before left and it does not need.
  for (const auto& c : cases) {
    SCOPED_TRACE(c.Name);
    const QString project = SaveProject(projectDir.path(), c.Kinds, c.Sound);
    int status = 0;
    const QString output = RunProgram(TestPaths::CliBinary(),
                                      {QStringLiteral("build"), project, QStringLiteral("-o"), outDir.path(),
                                       QStringLiteral("--player"), TestPaths::MenuviaBinary()},
                                      {}, &status);
    ASSERT_EQ(status, 0) << output.toStdString();
    QStringList expected = c.Plugins;
    expected.sort();
    EXPECT_EQ(PluginFiles(outDir.path()).join(u' '), expected.join(u' ')) << output.toStdString();
    const QString copied =
        QDir(outDir.path()).filePath(EnginePlugins::FolderName + u'/' + EnginePlugins::FlashRuntimeName);
    EXPECT_EQ(IsFlashRuntimeFolder(copied), c.Runtime && runtime);
    if (c.Runtime && runtime) {
      EXPECT_EQ(QDir(copied).entryList({QStringLiteral("*.wasm")}, QDir::Files).size(), 2);
      EXPECT_TRUE(QDir(copied).entryList({QStringLiteral("*.map")}, QDir::Files).isEmpty());
    }
  }
  EXPECT_FALSE(QDir(outDir.filePath(EnginePlugins::FolderName)).exists());
}

// The built player loads the PDF plugin from beside itself when its page holds a PDF reader, and a
// player whose page holds none loads no plugin at all.
TEST(MediaBuild, ABuiltPlayerLoadsAPluginWhenItsPageNeedsIt) {
  for (bool pdf : {true, false}) {
    SCOPED_TRACE(pdf ? "PDF reader" : "no such object");
    QTemporaryDir projectDir, outDir;
    const QString project = SaveProject(projectDir.path(), {pdf ? otPDFReader : otPanel}, false);
    int status = 0;
    const QString built = RunProgram(TestPaths::CliBinary(),
                                     {QStringLiteral("build"), project, QStringLiteral("-o"), outDir.path(),
                                      QStringLiteral("--player"), TestPaths::MenuviaBinary()},
                                     {}, &status);
    ASSERT_EQ(status, 0) << built.toStdString();
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("offscreen"));
    env.insert(QStringLiteral("QT_DEBUG_PLUGINS"), QStringLiteral("1"));
    const QString log = RunProgram(QDir(outDir.path()).filePath(QStringLiteral("autorun")), {}, env, &status);
    EXPECT_EQ(status, 0) << log.toStdString();
    const QString beside =
        QDir(outDir.path()).filePath(EnginePlugins::FolderName + u'/' + EnginePluginFileName(EnginePlugins::Pdf));
    EXPECT_EQ(log.contains(beside), pdf) << log.toStdString();
    EXPECT_FALSE(log.contains(QStringLiteral("libmenuvia_media")) || log.contains(QStringLiteral("libmenuvia_web")));
  }
}

}  // namespace
