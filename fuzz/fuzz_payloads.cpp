// Every kind's payload reader over arbitrary bytes: the first byte picks the kind.
#include <QBuffer>

#include "model/Project.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  if (size < 1) return 0;
  auto payload = NewPayload(static_cast<TObjectType>(data[0] % ObjectTypeCount));
  if (!payload) return 0;
  QByteArray bytes = QByteArray::fromRawData(reinterpret_cast<const char*>(data + 1), static_cast<qsizetype>(size - 1));
  QBuffer buffer(&bytes);
  buffer.open(QIODevice::ReadOnly);
  TStream s(&buffer);
  if (payload->Read(s)) {
    // What was read must write again, and read back equal.
    QByteArray again;
    QBuffer out(&again);
    out.open(QIODevice::WriteOnly);
    TStream w(&out);
    if (!payload->Write(w)) __builtin_trap();
    out.close();
    out.open(QIODevice::ReadOnly);
    TStream r(&out);
    auto back = NewPayload(payload->Kind());
    if (!back->Read(r) || !back->Equals(*payload)) __builtin_trap();
  }
  return 0;
}
