// The program's clipboard formats, carried as clipboard blocks.
#pragma once

#include <QByteArray>
#include <QString>

// Places the whole stream on the clipboard under the named format.
void PutStreamOnClipboard(const QByteArray& stream, const QString& format);
// When the clipboard holds the format, the block's bytes; false otherwise (or for a damaged block).
bool GetStreamFromClipboard(QByteArray& stream, const QString& format);
