// The program's own clipboard contents: a 32-bit byte count N followed by N bytes of stream.
#pragma once

#include <QByteArray>
#include <QString>

namespace ClipboardFormats {
inline const QString Objects = QStringLiteral("Menuvia8Objects");
inline const QString Actions = QStringLiteral("Menuvia8Actions");
}  // namespace ClipboardFormats

QByteArray MakeClipboardBlock(const QByteArray& stream);
// The stream bytes of a block; false when the block is shorter than its count says.
bool ParseClipboardBlock(const QByteArray& block, QByteArray& stream);
