// The page stream reader over arbitrary bytes (and with it action lists, menu items, status
// panels and object trees): what reads must write again and read back to the same page.
#include <QBuffer>

#include "model/PageStream.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  QByteArray bytes = QByteArray::fromRawData(reinterpret_cast<const char*>(data), static_cast<qsizetype>(size));
  QBuffer buffer(&bytes);
  buffer.open(QIODevice::ReadOnly);
  TStream s(&buffer);
  TPageData page;
  if (!ReadPageStream(s, page)) return 0;
  QByteArray again;
  QBuffer out(&again);
  out.open(QIODevice::WriteOnly);
  TStream w(&out);
  if (!WritePageStream(w, page)) __builtin_trap();
  out.close();
  out.open(QIODevice::ReadOnly);
  TStream r(&out);
  TPageData back;
  if (!ReadPageStream(r, back) || !back.SameAs(page)) __builtin_trap();
  return 0;
}
