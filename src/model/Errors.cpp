#include "model/Errors.h"

#include <cerrno>
#include <cstring>

QString SystemErrorText(int error) { return QString::fromLocal8Bit(std::strerror(error)); }

int EndOfDataError() { return ENODATA; }

TError TError::Stream(int code, int osError) {
  TError e;
  e.Kind = TErrorKind::Stream;
  e.Code = code;
  e.OsError = osError < 0 ? errno : osError;
  e.OsText = SystemErrorText(e.OsError);
  return e;
}

TError TError::File(int code, const QString& fileName, int osError) {
  TError e = Stream(code, osError);
  e.Kind = TErrorKind::File;
  e.FileName = fileName;
  return e;
}

TError TError::DataVersion() {
  TError e;
  e.Kind = TErrorKind::DataVersion;
  return e;
}

TError TError::Plain(const QString& text) {
  TError e;
  e.Kind = TErrorKind::Plain;
  e.Text = text;
  return e;
}

TError TError::Box(const QString& text, const QString& caption, TMsgIcon icon) {
  TError e = Plain(text);
  e.BoxCaption = caption;
  e.BoxIcon = icon;
  return e;
}

QString TError::Message() const {
  const QString tail = QStringLiteral(" (Error Code: %1/%2).").arg(OsError).arg(Code);
  switch (Kind) {
    case TErrorKind::Stream:
      return OsText + tail;
    case TErrorKind::File:
      return QStringLiteral("\"") + FileName + QStringLiteral("\", ") + OsText + tail;
    case TErrorKind::DataVersion:
      return ErrorTexts::DataVersion;
    case TErrorKind::Plain:
      return Text;
    case TErrorKind::None:
      break;
  }
  return {};
}

QString TError::Caption() const {
  if (Kind == TErrorKind::Plain && !BoxCaption.isEmpty()) return BoxCaption;
  return Kind == TErrorKind::DataVersion ? ErrorTexts::DataErrorCaption : ErrorTexts::ErrorCaption;
}

TMsgIcon TError::Icon() const {
  if (Kind == TErrorKind::Plain) return BoxIcon;
  return Kind == TErrorKind::DataVersion ? TMsgIcon::Information : TMsgIcon::Error;
}

void ReportError(const TError& error) {
  if (!error.IsSet()) return;
  ShowMessageBox(error.Caption(), error.Message(), error.Icon());
}

void ShowError(const QString& text) { ReportError(TError::Plain(text)); }
void ShowStreamError(int code) { ReportError(TError::Stream(code)); }
void ShowFileError(int code, const QString& fileName) { ReportError(TError::File(code, fileName)); }
void ShowDataVersionError() { ReportError(TError::DataVersion()); }
