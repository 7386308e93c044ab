#include "player/Shell.h"

#include <QDesktopServices>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QRegularExpression>
#include <QStandardPaths>
#include <optional>

#include "model/Errors.h"
#include "model/Messages.h"

bool TSystemDesktopOpener::OpenUrl(const QUrl& url) { return QDesktopServices::openUrl(url); }

bool TSystemDesktopOpener::Print(const QString& fileName) {
  const QString lp = QStandardPaths::findExecutable(QStringLiteral("lp"));
  return !lp.isEmpty() && QProcess::startDetached(lp, {fileName});
}

namespace {
std::unique_ptr<TDesktopOpener>& InstalledOpener() {
  static std::unique_ptr<TDesktopOpener> opener = std::make_unique<TSystemDesktopOpener>();
  return opener;
}

// A web, mail or other address rather than a path: a scheme of two or more letters and a colon
// (one letter would be a drive).
bool IsAddress(const QString& file) {
  static const QRegularExpression scheme(QStringLiteral("^[A-Za-z][A-Za-z0-9+.-]+:"));
  return scheme.match(file).hasMatch();
}

// 2 when the folder the file should be in exists, 3 when the folder is missing too.
int MissingResult(const QFileInfo& info) {
  return QFileInfo(info.absolutePath()).isDir() ? seFileNotFound : sePathNotFound;
}

struct TProgram {
  QString Program;
  QStringList Arguments;
};

#ifndef Q_OS_WIN
// The interpreter and its optional single argument from a "#!" line, as the kernel reads it.
struct TShebang {
  QString Interpreter;
  QString Argument;
};

std::optional<TShebang> ReadShebang(const QByteArray& head) {
  if (!head.startsWith("#!")) return std::nullopt;
  QByteArray line = head.mid(2);
  const qsizetype end = line.indexOf('\n');
  if (end >= 0) line.truncate(end);
  line = line.trimmed();
  qsizetype space = 0;
  while (space < line.size() && line[space] != ' ' && line[space] != '\t') ++space;
  if (space == line.size()) space = -1;
  TShebang shebang;
  shebang.Interpreter = QFile::decodeName(space < 0 ? line : line.left(space));
  if (space >= 0) shebang.Argument = QFile::decodeName(line.mid(space + 1).trimmed());
  if (shebang.Interpreter.isEmpty()) return std::nullopt;
  return shebang;
}
#endif

// Decides whether an existing file runs as a program and how. Returns a shell failure, 0 for "not
// a program", or seSuccess with program filled in.
int ProgramFor(const QFileInfo& info, const QStringList& parameters, TProgram& program) {
  const QString path = info.absoluteFilePath();
#ifdef Q_OS_WIN
  if (!info.isExecutable()) return 0;  // by extension here
  program = {path, parameters};
  return seSuccess;
#else
  QFile file(path);
  if (!file.open(QIODevice::ReadOnly)) return seAccessDenied;
  const QByteArray head = file.read(256);  // the kernel's own limit for a "#!" line
  if (head.startsWith("\x7f"
                      "ELF")) {
    if (!info.isExecutable()) return seAccessDenied;
    program = {path, parameters};
    return seSuccess;
  }
  const auto shebang = ReadShebang(head);
  if (!shebang) return 0;  // a document, even with the executable bit (as every file on FAT media)
  if (!QFileInfo(shebang->Interpreter).isExecutable()) return seNoAssoc;
  if (info.isExecutable()) {
    program = {path, parameters};
  } else {
    // A script without the executable bit (media mounted without permissions) runs through its
    // interpreter, as the kernel would have run it.
    QStringList arguments;
    if (!shebang->Argument.isEmpty()) arguments << shebang->Argument;
    arguments << path << parameters;
    program = {shebang->Interpreter, arguments};
  }
  return seSuccess;
#endif
}

int OpenAddress(const QString& verb, const QString& file) {
  QString address = file;
  if (address.startsWith(QLatin1String("www."), Qt::CaseInsensitive)) address.prepend(QStringLiteral("http://"));
  const QUrl url(address, QUrl::TolerantMode);
  if (!url.isValid()) return seFileNotFound;
  if (verb != QLatin1String("open")) return seNoAssoc;
  return DesktopOpener().OpenUrl(url) ? seSuccess : seNoAssoc;
}

int OpenPath(const QString& verb, const QString& file, const QString& parameters, const QString& folder) {
  if (file.isEmpty()) return seFileNotFound;
  const QFileInfo info(file);
  if (!info.exists()) return MissingResult(info);
  const QString path = info.absoluteFilePath();

  if (info.isDir()) {
    if (!info.isReadable() || !info.isExecutable()) return seAccessDenied;
    if (verb != QLatin1String("open") && verb != QLatin1String("explore")) return seNoAssoc;
    return DesktopOpener().OpenUrl(QUrl::fromLocalFile(path)) ? seSuccess : seNoAssoc;
  }
  if (!info.isReadable()) return seAccessDenied;
  if (verb == QLatin1String("print")) return DesktopOpener().Print(path) ? seSuccess : seNoAssoc;
  if (verb != QLatin1String("open")) return seNoAssoc;  // "explore" is for folders

  TProgram program;
  const int kind = ProgramFor(info, QProcess::splitCommand(parameters), program);
  if (kind == seSuccess) {
    if (!folder.isEmpty()) {
      if (!QFileInfo(folder).isDir()) return sePathNotFound;
    }
    // An argument list: no shell ever sees the file name or the parameters.
    return QProcess::startDetached(program.Program, program.Arguments, folder) ? seSuccess : seBadFormat;
  }
  if (kind != 0) return kind;
  // A document opens in the desktop's application for its kind, which takes no parameters.
  return DesktopOpener().OpenUrl(QUrl::fromLocalFile(path)) ? seSuccess : seNoAssoc;
}
}  // namespace

TDesktopOpener& DesktopOpener() { return *InstalledOpener(); }

std::unique_ptr<TDesktopOpener> SetDesktopOpener(std::unique_ptr<TDesktopOpener> opener) {
  if (!opener) opener = std::make_unique<TSystemDesktopOpener>();
  InstalledOpener().swap(opener);
  return opener;
}

int ShellExecuteVerb(const QString& verb, const QString& file, const QString& parameters, const QString& folder) {
  QString v = verb.toLower();
  if (v.isEmpty()) v = QStringLiteral("open");  // the default verb
  if (IsAddress(file)) {
    const QUrl url(file, QUrl::TolerantMode);
    if (url.isLocalFile()) return OpenPath(v, url.toLocalFile(), parameters, folder);
    return OpenAddress(v, file);
  }
  if (file.startsWith(QLatin1String("www."), Qt::CaseInsensitive) && !QFileInfo::exists(file))
    return OpenAddress(v, file);
  return OpenPath(v, file, parameters, folder);
}

QString ShellErrorText(int result) {
  switch (result) {
    case seOutOfResources:
      return QStringLiteral("The operating system is out of memory or resources.");
    case seFileNotFound:
      return QStringLiteral("The specified file was not found.");
    case sePathNotFound:
      return QStringLiteral("The specified path was not found.");
    case seAccessDenied:
      return QStringLiteral("The operating system denied access to the specified file.");
    case seOutOfMemory:
      return QStringLiteral("There was not enough memory to complete the operation.");
    case seBadFormat:
      return QStringLiteral("The .EXE file is invalid (non-Win32 .EXE or error in .EXE image).");
    case seShare:
      return QStringLiteral("A sharing violation occurred.");
    case seAssocIncomplete:
      return QStringLiteral("The filename association is incomplete or invalid.");
    case seDdeTimeout:
      return QStringLiteral("The DDE transaction could not be completed because the request timed out.");
    case seDdeFail:
      return QStringLiteral("The DDE transaction failed.");
    case seDdeBusy:
      return QStringLiteral(
          "The DDE transaction could not be completed because other DDE transactions were being processed.");
    case seNoAssoc:
      return QStringLiteral("There is no application associated with the given filename extension.");
    case seDllNotFound:
      return QStringLiteral("The specified dynamic-link library was not found.");
    default:
      return QStringLiteral("Operation Error");
  }
}

void ReportShellResult(int result) {
  if (!ShellSucceeded(result)) ShowMessageBox(ErrorTexts::ErrorCaption, ShellErrorText(result), TMsgIcon::Error);
}

int ShellRun(const QString& verb, const QString& file, const QString& parameters, const QString& folder) {
  const int result = ShellExecuteVerb(verb, file, parameters, folder);
  ReportShellResult(result);
  return result;
}
