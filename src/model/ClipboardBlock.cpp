#include "model/ClipboardBlock.h"

#include <QtEndian>

QByteArray MakeClipboardBlock(const QByteArray& stream) {
  QByteArray block(4, Qt::Uninitialized);
  qToLittleEndian<int32_t>(static_cast<int32_t>(stream.size()), block.data());
  return block + stream;
}

bool ParseClipboardBlock(const QByteArray& block, QByteArray& stream) {
  stream.clear();
  if (block.size() < 4) return false;
  const int32_t n = qFromLittleEndian<int32_t>(block.constData());
  if (n < 0 || n > block.size() - 4) return false;
  stream = block.mid(4, n);
  return true;
}
