// The RTF reader over arbitrary bytes (made RTF by a header when they are not): at most one
// character per input byte, and what reads must write as 7-bit ASCII that reads back to the same
// text and writes again to the same bytes. The plain-text path shows at most one character a byte.
#include <QGuiApplication>
#include <QTextDocument>
#include <algorithm>

#include "objects/Rtf.h"

extern "C" int LLVMFuzzerInitialize(int*, char***) {
  qputenv("QT_QPA_PLATFORM", "offscreen");
  static int argc = 1;
  static char name[] = "fuzz_rtf";
  static char* argv[] = {name, nullptr};
  static QGuiApplication app(argc, argv);
  qInstallMessageHandler([](QtMsgType, const QMessageLogContext&, const QString&) {});  // damaged pictures
  return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const QByteArray bytes(reinterpret_cast<const char*>(data), static_cast<qsizetype>(size));
  QTextDocument plain;
  LoadRichTextBytes(bytes, true, plain);
  if (plain.characterCount() > bytes.size() + 1) __builtin_trap();

  const QByteArray rtf = bytes.startsWith("{\\rtf") ? bytes : "{\\rtf1 " + bytes;
  QTextDocument doc;
  if (!RtfToDocument(rtf, doc) || doc.characterCount() > rtf.size() + 1) __builtin_trap();
  const QByteArray written = DocumentToRtf(doc);
  if (std::any_of(written.begin(), written.end(), [](char c) { return static_cast<unsigned char>(c) >= 0x80; }))
    __builtin_trap();
  QTextDocument back;
  if (!RtfToDocument(written, back) || back.toPlainText() != doc.toPlainText()) __builtin_trap();
  if (DocumentToRtf(back) != written) __builtin_trap();
  return 0;
}
