// Pasting the program's clipboard blocks: actions and objects from arbitrary bytes. The first byte
// picks which.
#include "model/Actions.h"
#include "model/ObjectStream.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  if (size < 1) return 0;
  const QByteArray stream(reinterpret_cast<const char*>(data + 1), static_cast<qsizetype>(size - 1));
  if (data[0] & 1) {
    TAuActions actions;
    AppendActionsFromClipboardStream(stream, actions);
  } else {
    auto panel = NewAuObject(otPanel, QStringLiteral("Panel1"));
    PasteObjectsFromClipboardStream(*panel, stream, 8, 8);
  }
  return 0;
}
