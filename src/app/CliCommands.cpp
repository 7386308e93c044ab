#include "app/CliCommands.h"

int RunInfo(const QStringList& args, QTextStream& out, QTextStream& err);
int RunDump(const QStringList& args, QTextStream& out, QTextStream& err);
int RunLoadJson(const QStringList& args, QTextStream& out, QTextStream& err);
int RunRender(const QStringList& args, QTextStream& out, QTextStream& err);
int RunBuild(const QStringList& args, QTextStream& out, QTextStream& err);

const std::vector<TCliCommand>& CliCommands() {
  static const std::vector<TCliCommand> commands{
      {QStringLiteral("info"), QStringLiteral("FILE"),
       QStringLiteral("Show what a project file or player executable holds: settings, pages and their byte ranges."),
       RunInfo},
      {QStringLiteral("dump"), QStringLiteral("--json FILE"),
       QStringLiteral("Write a project file or player executable as JSON (complete and lossless) to standard output."),
       RunDump},
      {QStringLiteral("load-json"), QStringLiteral("JSON -o FILE"),
       QStringLiteral("Write the project described by a JSON file (as dump writes it) as a project file."),
       RunLoadJson},
      {QStringLiteral("render"), QStringLiteral("FILE (--page N -o OUT.png | --all OUTDIR) [--editing]"),
       QStringLiteral("Draw a page of a project file, JSON project or player executable as a PNG picture: as the "
                      "player shows it at rest, or with --editing as the designer's canvas shows it. Pages are "
                      "numbered as info lists them; --all writes every page as INDEX-NAME.png."),
       RunRender},
      {QStringLiteral("build"), QStringLiteral("PROJECT [-o OUTPUT_FOLDER] [--player MENUVIA_EXECUTABLE]"),
       QStringLiteral("Build the finished menu: the player executable (named by the project's output file name) and "
                      "the \"open\" entry of autorun.inf in OUTPUT_FOLDER (default: the project's folder)."),
       RunBuild},
  };
  return commands;
}
