// menuvia-cli build: the finished menu (the player executable and its autorun.inf entry) from a
// project file or a JSON project.
#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QTextStream>
#include <algorithm>

#include "app/CliProject.h"
#include "build/BuildPlayer.h"
#include "build/PlayerName.h"
#include "model/Globals.h"
#include "plugins/PluginPaths.h"

namespace {
// The program a player is a copy of: the Menuvia executable beside this tool (as installed and as
// built), unless named.
QString ProgramFile(const QString& given) {
  if (!given.isEmpty()) return given;
  return QCoreApplication::applicationDirPath() + u'/' + PlayerExecutableName(QStringLiteral("Menuvia"));
}
}  // namespace

int RunBuild(const QStringList& args, QTextStream& out, QTextStream& err) {
  QString project, outputFolder, program;
  for (int i = 0; i < args.size(); ++i) {
    const QString& a = args[i];
    if ((a == QLatin1String("-o") || a == QLatin1String("--output")) && i + 1 < args.size())
      outputFolder = args[++i];
    else if (a == QLatin1String("--player") && i + 1 < args.size())
      program = args[++i];
    else if (a.startsWith(u'-') || !project.isEmpty()) {
      err << "usage: menuvia-cli build PROJECT [-o OUTPUT_FOLDER] [--player MENUVIA_EXECUTABLE]\n";
      return 2;
    } else {
      project = a;
    }
  }
  if (project.isEmpty()) {
    err << "usage: menuvia-cli build PROJECT [-o OUTPUT_FOLDER] [--player MENUVIA_EXECUTABLE]\n";
    return 2;
  }
  program = ProgramFile(program);
  if (!QFileInfo(program).isFile()) {
    err << "menuvia-cli: the program to copy, \"" << program << "\", does not exist (name it with --player)\n";
    return 1;
  }
  QString error;
  if (!LoadCliProject(project, false, error)) {
    err << "menuvia-cli: cannot read \"" << project << "\": " << error << '\n';
    return 1;
  }
  const QString projectFolder = QFileInfo(project).absolutePath();
  if (outputFolder.isEmpty()) outputFolder = projectFolder;
  if (!QDir().mkpath(outputFolder)) {
    err << "menuvia-cli: cannot create the folder \"" << outputFolder << "\"\n";
    return 1;
  }
  const QString output = QDir(outputFolder).absoluteFilePath(GetOutputBaseName(Project.AppOutputFileName, project));
  // A JSON project has no file to copy unedited pages from: all its pages are in memory.
  if (std::all_of(Project.Forms.begin(), Project.Forms.end(),
                  [](const auto& f) { return f->FormInfoData.has_value(); }))
    SourceFileName.clear();
  if (!BuildExecutable(program, output, QDir(outputFolder).absolutePath(), error)) {
    err << "menuvia-cli: " << error << '\n';
    return 1;
  }
  out << "Built " << output << " (" << Project.Forms.size() << " pages)\n";
  // The engines the menu's objects and sound commands need travel with it; one that was not found
  // leaves those objects showing their message.
  const TEngineNeeds needs = ProjectEngineNeeds();
  const QDir plugins(QDir(outputFolder).filePath(EnginePlugins::FolderName));
  for (const QString& name : needs.Plugins) {
    if (QFileInfo(plugins.filePath(EnginePluginFileName(name))).isFile())
      out << "With the plugin " << name << '\n';
    else
      err << "menuvia-cli: warning: the plugin " << name << " was not found beside " << program << '\n';
  }
  if (needs.FlashRuntime) {
    if (IsFlashRuntimeFolder(plugins.filePath(EnginePlugins::FlashRuntimeName)))
      out << "With the Flash runtime\n";
    else
      err << "menuvia-cli: warning: the Flash runtime was not found (scripts/setup.sh fetches it)\n";
  }
  return 0;
}
