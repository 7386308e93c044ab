// Shared test helpers: the recording messages service and byte helpers.
#pragma once

#include <QBuffer>
#include <QByteArray>
#include <QDir>
#include <QFile>
#include <QString>
#include <vector>

#include "model/Messages.h"
#include "model/Stream.h"
#include "TestPaths.h"

// Records every message and answers with a queued answer (or the default button).
class TRecordingMessages : public TMessages {
 public:
  int Show(const TMessage& message) override {
    Shown.push_back(message);
    if (!Answers.empty()) {
      const int a = Answers.front();
      Answers.erase(Answers.begin());
      return a;
    }
    return message.DefaultButton;
  }
  std::vector<TMessage> Shown;
  std::vector<int> Answers;
};

// The recorder installed for the whole run, emptied by each test that looks at it.
inline TRecordingMessages& Recorded() {
  auto& r = static_cast<TRecordingMessages&>(Messages());
  return r;
}

// Runs a writer against a fresh buffer and returns the bytes written (empty on failure).
template <class F>
QByteArray WriteBytes(F&& writer) {
  QByteArray bytes;
  QBuffer buffer(&bytes);
  buffer.open(QIODevice::WriteOnly);
  TStream s(&buffer);
  if (!writer(s)) return QByteArray("<write failed>");
  return bytes;
}

// Runs a reader over a copy of bytes and reports its result, its error and where it stopped.
struct TReadResult {
  bool Ok = false;
  TError Error;
  qint64 Pos = 0;   // where the reader stopped
  qint64 Left = 0;  // bytes it did not consume
};

template <class F>
TReadResult ReadBytesWith(const QByteArray& bytes, F&& reader) {
  QByteArray copy = bytes;
  QBuffer buffer(&copy);
  buffer.open(QIODevice::ReadOnly);
  TStream s(&buffer);
  TReadResult r;
  r.Ok = reader(s);
  r.Error = s.Error();
  r.Pos = s.Pos();
  r.Left = s.Remaining();
  return r;
}

// Builds expected stored bytes field by field, independently of the writers under test. Tests
// derive their own builder (class TBytes : public TBytesOf<TBytes>) to add their records.
template <class Self>
class TBytesOf {
 public:
  QByteArray B;

  Self& I32(int32_t v) { return Le(static_cast<uint32_t>(v), 4); }
  Self& U32(uint32_t v) { return Le(v, 4); }
  Self& Col(TColor c) { return Le(c, 4); }
  Self& I16(int16_t v) { return Le(static_cast<uint16_t>(v), 2); }
  Self& U8(uint8_t v) { return Le(v, 1); }
  template <class E>
  Self& E8(E v) {
    return U8(static_cast<uint8_t>(v));
  }
  Self& Str(const QString& s) {
    I32(int32_t(s.size()));
    for (QChar c : s) Le(c.unicode(), 2);
    return self();
  }
  Self& Font(const TFont& f) { return Str(f.Name).Col(f.Color).I32(f.Size).U8(f.Charset).U8(f.Style); }
  Self& Pic(const TPicture& p) {
    if (p.IsEmpty()) return I32(0);
    Str(GraphicClassName(p.Kind)).I32(int32_t(p.Data.size()));
    return Block(p.Data);
  }
  Self& Block(const QByteArray& b) {
    B += b;
    return self();
  }

 protected:
  Self& self() { return static_cast<Self&>(*this); }
  Self& Le(uint32_t v, int bytes) {
    for (int i = 0; i < bytes; ++i) B.append(char((v >> (8 * i)) & 0xFF));
    return self();
  }
};

inline QByteArray Hex(const char* hex) { return QByteArray::fromHex(QByteArray(hex).replace(' ', "")); }

// Keeps a valid stored form as a seed for the fuzz target of that reader (build/fuzz-seeds/<target>).
inline void SaveFuzzSeed(const char* target, const QString& name, const QByteArray& bytes) {
  const QString folder = TestPaths::SeedDir() + u'/' + QLatin1String(target);
  QDir().mkpath(folder);
  QFile file(folder + u'/' + name);
  if (file.open(QIODevice::WriteOnly)) file.write(bytes);
}
