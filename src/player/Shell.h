// Asking the desktop to open, run, print or explore something, with the numbered results and
// fixed failure texts of a shell call.
#pragma once

#include <QString>
#include <QStringList>
#include <QUrl>
#include <memory>

// Shell results: above 32 is success; the numbers below 33 name the failure.
enum TShellResult : int {
  seOutOfResources = 0,
  seFileNotFound = 2,
  sePathNotFound = 3,
  seAccessDenied = 5,
  seOutOfMemory = 8,
  seBadFormat = 11,
  seShare = 26,
  seAssocIncomplete = 27,
  seDdeTimeout = 28,
  seDdeFail = 29,
  seDdeBusy = 30,
  seNoAssoc = 31,
  seDllNotFound = 32,
  seSuccess = 42,
};

inline bool ShellSucceeded(int result) { return result > 32; }

// The desktop's part of a shell call: handing a document, folder, web or mail address to its
// default application, and a document to the print spooler. It cannot run headless, so tests
// install a recorder.
class TDesktopOpener {
 public:
  virtual ~TDesktopOpener() = default;
  // False when nothing could take the address.
  virtual bool OpenUrl(const QUrl& url) = 0;
  virtual bool Print(const QString& fileName) = 0;
};

// Opens through QDesktopServices and prints through lp.
class TSystemDesktopOpener : public TDesktopOpener {
 public:
  bool OpenUrl(const QUrl& url) override;
  bool Print(const QString& fileName) override;
};

// The installed opener (the system's until another is installed).
TDesktopOpener& DesktopOpener();
// Installs an opener and returns the previous one.
std::unique_ptr<TDesktopOpener> SetDesktopOpener(std::unique_ptr<TDesktopOpener> opener);

// Carries out verb "open", "print" or "explore" (any letter case) on a file, folder, web address
// or "mailto:" address and returns the shell result; shows nothing. A program (on Unix an
// executable binary or a script with a "#!" line) runs with parameters split as a command line
// would split them, passed as separate arguments, never through a shell, in folder when given;
// anything else goes to the desktop opener.
int ShellExecuteVerb(const QString& verb, const QString& file, const QString& parameters, const QString& folder);

// The fixed text of a failed result; "Operation Error" for results without their own.
QString ShellErrorText(int result);

// Shows a failed result in an error box captioned "Error"; nothing for a success.
void ReportShellResult(int result);

// As ShellExecuteVerb; a failure is shown by ReportShellResult. Returns the result.
int ShellRun(const QString& verb, const QString& file, const QString& parameters, const QString& folder);
