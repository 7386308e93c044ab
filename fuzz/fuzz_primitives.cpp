// Strings, fonts and pictures read from arbitrary bytes.
#include <QBuffer>

#include "model/Stream.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  QByteArray bytes = QByteArray::fromRawData(reinterpret_cast<const char*>(data), static_cast<qsizetype>(size));
  QBuffer buffer(&bytes);
  buffer.open(QIODevice::ReadOnly);
  TStream s(&buffer);
  QString text;
  TFont font;
  TPicture picture;
  while (ReadString(s, text) && ReadFont(s, font) && ReadPicture(s, picture)) {
  }
  return 0;
}
