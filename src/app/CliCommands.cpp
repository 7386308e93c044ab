#include "app/CliCommands.h"

int RunInfo(const QStringList& args, QTextStream& out, QTextStream& err);
int RunDump(const QStringList& args, QTextStream& out, QTextStream& err);
int RunLoadJson(const QStringList& args, QTextStream& out, QTextStream& err);

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
  };
  return commands;
}
