// The headless tools of menuvia-cli: one entry per subcommand.
#pragma once

#include <QString>
#include <QStringList>
#include <QTextStream>
#include <vector>

struct TCliCommand {
  QString Name;
  QString Usage;    // arguments after the name
  QString Summary;  // one line for --help
  // Returns the process exit status.
  int (*Run)(const QStringList& args, QTextStream& out, QTextStream& err);
};

const std::vector<TCliCommand>& CliCommands();
