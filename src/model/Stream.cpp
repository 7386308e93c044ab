#include "model/Stream.h"

#include <QtEndian>
#include <array>

static_assert(Q_BYTE_ORDER == Q_LITTLE_ENDIAN, "stored forms are little-endian; add byte swapping for this host");

void TStream::ReadRaw(void* data, qint64 size) {
  if (size <= 0) return;
  if (!FDevice || FDevice->read(static_cast<char*>(data), size) != size) throw TStreamAbort{};
}

void TStream::WriteRaw(const void* data, qint64 size) {
  if (size <= 0) return;
  if (!FDevice || FDevice->write(static_cast<const char*>(data), size) != size) throw TStreamAbort{};
}

QByteArray TStream::ReadBytes(qint64 size) {
  if (size <= 0) return {};
  if (size > Remaining() || size > StreamLimits::MaxBlockBytes) throw TStreamAbort{};
  QByteArray bytes(size, Qt::Uninitialized);
  ReadRaw(bytes.data(), size);
  return bytes;
}

int32_t TStream::ReadCount(qint64 minElementBytes, int32_t maximum) {
  const int32_t n = ReadInt();
  if (n <= 0) return 0;
  if (n > maximum || qint64(n) * std::max<qint64>(minElementBytes, 0) > Remaining()) throw TStreamAbort{};
  return n;
}

int32_t TStream::ReadBlockLength(int32_t maximum) {
  const int32_t n = ReadInt();
  if (n <= 0) return 0;
  if (n > maximum || n > Remaining()) throw TStreamAbort{};
  return n;
}

bool ReadVersion(TStream& s, int32_t& version, int32_t maxVersion) {
  version = s.ReadInt();
  if (version < 0 || version > maxVersion) {
    s.Fail(TError::DataVersion());
    return false;
  }
  return true;
}

bool CheckVersion(TStream& s) {
  int32_t v = 0;
  return ReadVersion(s, v, 0);
}

void WriteVersion(TStream& s, int32_t version) { s.WriteInt(version); }

// ---- strings ----

void WriteStringOrAbort(TStream& s, const QString& value) {
  if (!WriteString(s, value)) throw TStreamAbort{};
}

QString ReadStringOrAbort(TStream& s) {
  QString value;
  if (!ReadString(s, value)) throw TStreamAbort{};
  return value;
}

bool WriteString(TStream& s, const QString& value) {
  return Guarded(s, StreamCodes::StringWrite, [&] {
    s.WriteInt(static_cast<int32_t>(value.size()));
    s.WriteRaw(value.utf16(), qint64(value.size()) * 2);
    return true;
  });
}

bool ReadString(TStream& s, QString& value) {
  return Guarded(s, StreamCodes::StringRead, [&] {
    const int32_t n = s.ReadInt();
    if (n <= 0) {
      value.clear();
      return true;
    }
    if (n > StreamLimits::MaxStringUnits || qint64(n) * 2 > s.Remaining()) return false;
    QString text(n, Qt::Uninitialized);
    s.ReadRaw(text.data(), qint64(n) * 2);
    value = std::move(text);
    return true;
  });
}

// ---- fonts ----

bool WriteFont(TStream& s, const TFont& font) {
  return Guarded(s, StreamCodes::FontWrite, [&] {
    WriteStringOrAbort(s, font.Name);
    s.WriteColor(font.Color);
    s.WriteInt(font.Size);
    s.WriteByte(font.Charset);
    s.WriteByte(font.Style);
    return true;
  });
}

bool ReadFont(TStream& s, TFont& font) {
  return Guarded(s, StreamCodes::FontRead, [&] {
    TFont f = font;
    f.Name = ReadStringOrAbort(s);
    f.Color = s.ReadColor();
    f.Size = s.ReadInt();
    f.Charset = s.ReadByte();
    f.Style = s.ReadByte();
    font = f;
    return true;
  });
}

// ---- pictures ----

namespace {
struct GraphicName {
  TGraphicKind Kind;
  const char* ClassName;
};
// In the order a reader looks them up.
constexpr std::array<GraphicName, 7> GraphicNames{{
    {TGraphicKind::JPEG, "TJPEGImage"},
    {TGraphicKind::Bitmap, "TBitmap"},
    {TGraphicKind::Icon, "TIcon"},
    {TGraphicKind::Metafile, "TMetafile"},
    {TGraphicKind::Png, "TPngImage"},
    {TGraphicKind::GIF, "TGIFImage"},
    {TGraphicKind::WIC, "TWICImage"},
}};
}  // namespace

QString GraphicClassName(TGraphicKind kind) {
  for (const auto& g : GraphicNames)
    if (g.Kind == kind) return QString::fromLatin1(g.ClassName);
  return {};
}

TGraphicKind GraphicClassFromName(const QString& className) {
  for (const auto& g : GraphicNames)
    if (className.compare(QLatin1String(g.ClassName), Qt::CaseInsensitive) == 0) return g.Kind;
  return TGraphicKind::None;
}

QString GraphicKindName(const TPicture& picture) {
  if (picture.IsEmpty()) return QStringLiteral("None");
  return GraphicClassName(picture.Kind).mid(1);
}

bool WritePicture(TStream& s, const TPicture& picture) {
  return Guarded(s, StreamCodes::PictureWrite, [&] {
    if (picture.IsEmpty()) {
      WriteStringOrAbort(s, QString());
      return true;
    }
    WriteStringOrAbort(s, GraphicClassName(picture.Kind));
    s.WriteInt(static_cast<int32_t>(picture.Data.size()));
    s.WriteRaw(picture.Data.constData(), picture.Data.size());
    return true;
  });
}

bool ReadPicture(TStream& s, TPicture& picture) {
  picture.Clear();
  return Guarded(s, StreamCodes::PictureRead, [&] {
    const QString name = ReadStringOrAbort(s);
    if (name.isEmpty()) return true;
    const TGraphicKind kind = GraphicClassFromName(name);
    if (kind == TGraphicKind::None) return false;
    const int32_t n = s.ReadBlockLength();
    // A graphic of no bytes is an empty picture, which is what it writes back as.
    if (n == 0) return true;
    picture.Kind = kind;
    picture.Data = s.ReadBytes(n);
    return true;
  });
}
