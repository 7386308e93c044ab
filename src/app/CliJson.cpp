// dump --json FILE and load-json JSON -o FILE: the project as reviewable text and back.
#include <QFile>
#include <QJsonDocument>
#include <QJsonParseError>
#include <QStringList>
#include <QTextStream>

#include "model/Globals.h"
#include "model/JsonForm.h"
#include "model/ProjectFile.h"

int RunDump(const QStringList& args, QTextStream& out, QTextStream& err) {
  if (args.size() != 2 || args[0] != QLatin1String("--json")) {
    err << "usage: menuvia-cli dump --json FILE\n";
    return 2;
  }
  QJsonObject json;
  QString error;
  if (!DumpProjectFileAsJson(args[1], json, error)) {
    err << "menuvia-cli: " << args[1] << ": " << error << '\n';
    return 1;
  }
  out << QString::fromUtf8(QJsonDocument(json).toJson(QJsonDocument::Indented));
  return 0;
}

int RunLoadJson(const QStringList& args, QTextStream&, QTextStream& err) {
  if (args.size() != 3 || args[1] != QLatin1String("-o")) {
    err << "usage: menuvia-cli load-json JSON -o FILE\n";
    return 2;
  }
  QFile file(args[0]);
  if (!file.open(QIODevice::ReadOnly)) {
    err << "menuvia-cli: " << args[0] << ": " << file.errorString() << '\n';
    return 1;
  }
  QJsonParseError parse;
  const QJsonDocument doc = QJsonDocument::fromJson(file.readAll(), &parse);
  if (parse.error != QJsonParseError::NoError || !doc.isObject()) {
    err << "menuvia-cli: " << args[0] << ": not a JSON object"
        << (parse.error != QJsonParseError::NoError
                ? QStringLiteral(" (") + parse.errorString() + QStringLiteral(" at offset ") +
                      QString::number(parse.offset) + u')'
                : QString())
        << '\n';
    return 1;
  }
  QString error;
  if (!ProjectFromJson(doc.object(), error)) {
    ResetProject(false);
    err << "menuvia-cli: " << args[0] << ": " << error << '\n';
    return 1;
  }
  // The designer's save: written beside the target and renamed over it, so a failed or killed run
  // leaves the old file whole.
  TError saveError;
  const bool saved = SaveProjectReplacing(args[2], QString(), saveError);
  ResetProject(false);
  if (!saved) {
    err << "menuvia-cli: " << args[2] << ": " << saveError.Message() << '\n';
    return 1;
  }
  return 0;
}
