#include "objects/Clipboard.h"

#include <QClipboard>
#include <QGuiApplication>
#include <QMimeData>

#include "model/ClipboardBlock.h"

namespace {
// The clipboard format of a name: a registered format of that name on Windows, the name itself
// as the target type elsewhere.
QString MimeOf(const QString& format) {
#ifdef Q_OS_WIN
  return QStringLiteral("application/x-qt-windows-mime;value=\"%1\"").arg(format);
#else
  return format;
#endif
}
}  // namespace

void PutStreamOnClipboard(const QByteArray& stream, const QString& format) {
  auto* data = new QMimeData;
  data->setData(MimeOf(format), MakeClipboardBlock(stream));
  QGuiApplication::clipboard()->setMimeData(data);
}

bool GetStreamFromClipboard(QByteArray& stream, const QString& format) {
  stream.clear();
  const QMimeData* data = QGuiApplication::clipboard()->mimeData();
  if (!data || !data->hasFormat(MimeOf(format))) return false;
  return ParseClipboardBlock(data->data(MimeOf(format)), stream);
}
