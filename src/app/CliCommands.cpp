#include "app/CliCommands.h"

int RunInfo(const QStringList& args, QTextStream& out, QTextStream& err);

const std::vector<TCliCommand>& CliCommands() {
  static const std::vector<TCliCommand> commands{
      {QStringLiteral("info"), QStringLiteral("FILE"),
       QStringLiteral("Show what a project file or player executable holds: settings, pages and their byte ranges."),
       RunInfo},
  };
  return commands;
}
