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
  qint64 Pos = 0;
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
  return r;
}

inline QByteArray Hex(const char* hex) { return QByteArray::fromHex(QByteArray(hex).replace(' ', "")); }

// Keeps a valid stored form as a seed for the fuzz target of that reader (build/fuzz-seeds/<target>).
inline void SaveFuzzSeed(const char* target, const QString& name, const QByteArray& bytes) {
#ifdef MENUVIA_SEED_DIR
  const QString folder = QStringLiteral(MENUVIA_SEED_DIR "/") + QLatin1String(target);
  QDir().mkpath(folder);
  QFile file(folder + u'/' + name);
  if (file.open(QIODevice::WriteOnly)) file.write(bytes);
#else
  (void)target, (void)name, (void)bytes;
#endif
}
