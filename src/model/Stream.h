// Little-endian stream primitives every stored form is built from, with the failure convention:
// each reader and writer runs inside Guarded(stream, code, ...); a short read, an impossible count
// or a failed write inside it ends the operation with false and records the operation's code on
// the stream (the first failure wins, so enclosing records add no second report).
#pragma once

#include <QBuffer>
#include <QByteArray>
#include <QIODevice>
#include <QString>
#include <cstdint>
#include <new>
#include <type_traits>

#include "model/Errors.h"
#include "model/Types.h"

// Sane maxima for anything a file can claim; together with the check against the bytes left they
// keep a damaged file from asking for huge allocations.
namespace StreamLimits {
constexpr int32_t MaxStringUnits = 64 * 1024 * 1024;
constexpr int32_t MaxBlockBytes = 512 * 1024 * 1024;
constexpr int32_t MaxCount = 1024 * 1024;
constexpr int MaxDepth = 64;
}  // namespace StreamLimits

// Thrown inside a guarded operation and caught by Guarded; never escapes a reader or writer.
struct TStreamAbort {};

class TStream {
 public:
  explicit TStream(QIODevice* device) : FDevice(device) {}
  TStream(const TStream&) = delete;
  TStream& operator=(const TStream&) = delete;

  QIODevice* Device() const { return FDevice; }
  bool IsValid() const { return FDevice != nullptr; }

  const TError& Error() const { return FError; }
  bool Failed() const { return FError.IsSet(); }
  void ClearError() { FError = {}; }
  // Records a failure unless one is recorded already.
  void Fail(const TError& error) {
    if (!FError.IsSet()) FError = error;
  }

  qint64 Pos() const { return FDevice ? FDevice->pos() : 0; }
  bool Seek(qint64 pos) { return FDevice && FDevice->seek(pos); }
  qint64 Size() const {
    if (!FDevice) return 0;
    return FixedSize() ? FReadSize : FDevice->size();
  }
  qint64 Remaining() const {
    if (!FDevice) return 0;
    return FixedSize() ? qMax<qint64>(0, FReadSize - FDevice->pos()) : FDevice->bytesAvailable();
  }

  // Raw access; each throws TStreamAbort when the device cannot deliver or take the bytes.
  void ReadRaw(void* data, qint64 size);
  void WriteRaw(const void* data, qint64 size);
  QByteArray ReadBytes(qint64 size);  // checked against Remaining() first

  template <class T>
  T Read() {
    static_assert(std::is_arithmetic_v<T> || std::is_enum_v<T>);
    T value{};
    ReadRaw(&value, sizeof(T));
    return value;  // little-endian hosts only; checked at build time in Stream.cpp
  }
  template <class T>
  void Write(T value) {
    static_assert(std::is_arithmetic_v<T> || std::is_enum_v<T>);
    WriteRaw(&value, sizeof(T));
  }

  int32_t ReadInt() { return Read<int32_t>(); }
  void WriteInt(int32_t v) { Write(v); }
  uint8_t ReadByte() { return Read<uint8_t>(); }
  void WriteByte(uint8_t v) { Write(v); }
  bool ReadBool() { return Read<uint8_t>() != 0; }
  void WriteBool(bool v) { Write<uint8_t>(v ? 1 : 0); }
  TColor ReadColor() { return Read<uint32_t>(); }
  void WriteColor(TColor v) { Write<uint32_t>(v); }
  double ReadDouble() { return Read<double>(); }
  void WriteDouble(double v) { Write(v); }
  template <class E>
  E ReadEnum() {
    static_assert(sizeof(E) == 1);
    return static_cast<E>(ReadByte());
  }
  template <class E>
  void WriteEnum(E v) {
    static_assert(sizeof(E) == 1);
    WriteByte(static_cast<uint8_t>(v));
  }

  // A count of elements that each take at least minElementBytes: ≤ 0 gives 0; a count that could
  // not fit in the bytes left, or above the maximum, aborts before anything is allocated.
  int32_t ReadCount(qint64 minElementBytes, int32_t maximum = StreamLimits::MaxCount);
  // A byte length for a counted block: negative gives 0; more than is left aborts.
  int32_t ReadBlockLength(int32_t maximum = StreamLimits::MaxBlockBytes);

  // Nesting depth of records being read or written; Enter() fails beyond MaxDepth.
  bool Enter() { return ++FDepth <= StreamLimits::MaxDepth; }
  void Leave() { --FDepth; }

 private:
  QIODevice* FDevice;
  // A file opened only for reading keeps its size while it is read; asking the device each time
  // costs a system call per length check.
  mutable qint64 FReadSize = -1;
  bool FixedSize() const {
    if (FReadSize >= 0) return true;
    if (!FDevice->isOpen() || FDevice->isWritable() || FDevice->isSequential()) return false;
    FReadSize = FDevice->size();
    return true;
  }
  TError FError;
  int FDepth = 0;
};

// Keeps the nesting count of a stream for one scope.
class TDepthGuard {
 public:
  explicit TDepthGuard(TStream& s) : FStream(s), FOk(s.Enter()) {}
  ~TDepthGuard() { FStream.Leave(); }
  bool Ok() const { return FOk; }

 private:
  TStream& FStream;
  bool FOk;
};

// Runs one reader or writer under the failure convention.
// Runs a body that may abort a stream operation; an abort or a failed allocation gives false.
template <class Body>
bool RunCaught(Body&& body) {
  try {
    return body();
  } catch (const TStreamAbort&) {
    return false;
  } catch (const std::bad_alloc&) {
    return false;
  }
}

template <class Body>
bool Guarded(TStream& s, int code, Body&& body) {
  if (!s.IsValid()) return false;
  const bool ok = RunCaught(body);
  if (!ok) s.Fail(TError::Stream(code, EndOfDataError()));
  return ok;
}

// Runs a writer against an in-memory stream: on success out holds the bytes, on failure error
// (when given) holds what the writer recorded and out is untouched.
template <class Writer>
bool WriteToBytes(QByteArray& out, TError* error, Writer&& writer) {
  QByteArray bytes;
  QBuffer buffer(&bytes);
  buffer.open(QIODevice::WriteOnly);
  TStream s(&buffer);
  if (!writer(s)) {
    if (error) *error = s.Error();
    return false;
  }
  buffer.close();
  out = std::move(bytes);
  return true;
}

// The version word opening most records. Versions 0..maxVersion are accepted; any other value
// records the data-version error and returns false.
bool ReadVersion(TStream& s, int32_t& version, int32_t maxVersion = 0);
bool CheckVersion(TStream& s);  // shorthand for maxVersion 0
void WriteVersion(TStream& s, int32_t version = 0);

// ---- fonts ----

enum TFontStyle : uint8_t { fsBold = 1, fsItalic = 2, fsUnderline = 4, fsStrikeOut = 8 };

struct TFont {
  QString Name = QStringLiteral("Tahoma");
  TColor Color = clWindowText;
  int32_t Size = 8;
  uint8_t Charset = 1;  // DEFAULT_CHARSET
  uint8_t Style = 0;    // set of TFontStyle bits

  bool operator==(const TFont&) const = default;
};

// ---- pictures ----

enum class TGraphicKind : uint8_t { None, JPEG, Bitmap, Icon, Metafile, Png, GIF, WIC };

// A stored picture: its graphic kind and the bytes of its own file form, kept exactly so that a
// picture is written back byte for byte. Decoding belongs to the render layer.
struct TPicture {
  TGraphicKind Kind = TGraphicKind::None;
  QByteArray Data;

  bool IsEmpty() const { return Kind == TGraphicKind::None || Data.isEmpty(); }
  void Clear() {
    Kind = TGraphicKind::None;
    Data.clear();
  }
  bool operator==(const TPicture&) const = default;
};

// The stored class name of a kind ("TPngImage"); empty for None.
QString GraphicClassName(TGraphicKind kind);
// Looks a stored class name up ignoring case; None when it is not in the table.
TGraphicKind GraphicClassFromName(const QString& className);
// The class name without its leading letter ("PngImage"), or "None" for no or an empty graphic.
QString GraphicKindName(const TPicture& picture);

// ---- primitives with their own error codes ----

namespace StreamCodes {
constexpr int PictureWrite = 5205, PictureRead = 5206;
constexpr int FontWrite = 5207, FontRead = 5208;
constexpr int StringWrite = 5209, StringRead = 5210;
}  // namespace StreamCodes

bool WriteString(TStream& s, const QString& value);
bool ReadString(TStream& s, QString& value);
bool WriteFont(TStream& s, const TFont& font);
// Leaves the font untouched when the face name cannot be read.
bool ReadFont(TStream& s, TFont& font);
bool WritePicture(TStream& s, const TPicture& picture);
bool ReadPicture(TStream& s, TPicture& picture);

// Unguarded string access for use inside an enclosing guarded operation: throws TStreamAbort
// (after recording the string code) on failure.
QString ReadStringOrAbort(TStream& s);
void WriteStringOrAbort(TStream& s, const QString& value);
