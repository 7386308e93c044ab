// Failures of stored-form readers and writers. A reader never shows anything: it records one
// TError (the first failure wins) and returns false; the caller at the edge of the user interface
// reports it once with ReportError.
#pragma once

#include <QString>

#include "model/Messages.h"

enum class TErrorKind { None, Stream, File, DataVersion, Plain };

struct TError {
  TErrorKind Kind = TErrorKind::None;
  int Code = 0;                        // the operation's own number (5206, 105, ...)
  int OsError = 0;                     // the operating-system error at the moment of failure
  QString OsText;                      // the system's message text for OsError
  QString FileName;                    // file errors only
  QString Text;                        // plain errors only
  QString BoxCaption;                  // plain errors: the box's title when not "Error"
  TMsgIcon BoxIcon = TMsgIcon::Error;  // plain errors: the box's icon

  bool IsSet() const { return Kind != TErrorKind::None; }
  // The text exactly as the message box shows it.
  QString Message() const;
  QString Caption() const;
  TMsgIcon Icon() const;

  // A stream failure; osError < 0 takes errno now.
  static TError Stream(int code, int osError = -1);
  static TError File(int code, const QString& fileName, int osError = -1);
  static TError DataVersion();
  static TError Plain(const QString& text);
  // A plain message with its own title and icon ("Invalid file format." under "File Format").
  static TError Box(const QString& text, const QString& caption, TMsgIcon icon);
};

// The system's message text for an error number.
QString SystemErrorText(int error);

// Error number used for data that ends too early or holds impossible counts: there is no system
// error behind such a failure, so name the nearest one.
int EndOfDataError();

// Shows the error through the messages service (once, at the user-interface edge).
void ReportError(const TError& error);

void ShowError(const QString& text);
void ShowStreamError(int code);
void ShowFileError(int code, const QString& fileName);
void ShowDataVersionError();

namespace ErrorTexts {
inline const QString DataVersion = QStringLiteral("Invalid data, maybe software version problem.");
inline const QString DataErrorCaption = QStringLiteral("Data Error");
inline const QString ErrorCaption = QStringLiteral("Error");
inline const QString InformationCaption = QStringLiteral("Information");
}  // namespace ErrorTexts
