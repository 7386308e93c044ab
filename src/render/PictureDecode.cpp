#include "render/PictureDecode.h"

#include <QBuffer>
#include <QElapsedTimer>
#include <QImageReader>
#include <QImageWriter>

#include "render/PictureCache.h"

namespace {
// Qt's image format for a stored kind; null lets the reader guess (WIC pictures hold any format).
const char* FormatOf(TGraphicKind kind) {
  switch (kind) {
    case TGraphicKind::JPEG:
      return "jpeg";
    case TGraphicKind::Bitmap:
      return "bmp";
    case TGraphicKind::Icon:
      return "ico";
    case TGraphicKind::Png:
      return "png";
    case TGraphicKind::GIF:
      return "gif";
    default:
      return nullptr;
  }
}

int DecodeCount = 0;

// Bytes a frame of this size holds once converted to 32-bit ARGB.
qint64 FrameBytes(QSize size) { return qint64(size.width()) * size.height() * 4; }

// Pictures that draw nothing without being decoded.
bool NothingToDecode(const TPicture& picture) { return picture.IsEmpty() || picture.Kind == TGraphicKind::Metafile; }

// Qt's WebP reader composes an animation on a canvas that it clears only when the file says it has
// alpha. Without that flag, whatever the memory held before shows wherever no frame draws, and the
// same bytes decode differently each time. The copy the reader gets says it has alpha, so that the
// canvas starts transparent; the stored bytes are not touched.
void ClearAnimatedWebpCanvas(QByteArray& bytes) {
  constexpr qsizetype FlagsAt = 20;  // "RIFF", size, "WEBP", "VP8X", chunk size, then the flags
  constexpr char Alpha = 0x10, Animation = 0x02;
  if (bytes.size() <= FlagsAt || !bytes.startsWith("RIFF") || bytes.mid(8, 8) != "WEBPVP8X") return;
  char& flags = bytes[FlagsAt];
  if ((flags & Animation) && !(flags & Alpha)) flags = char(flags | Alpha);
}

TDecodedPicture Decode(const TPicture& picture, bool allFrames) {
  InitPictureDecoding();
  ++DecodeCount;
  TDecodedPicture decoded;
  decoded.AllFrames = true;
  QByteArray bytes = picture.Data;
  ClearAnimatedWebpCanvas(bytes);
  QBuffer buffer(&bytes);
  buffer.open(QIODevice::ReadOnly);
  QImageReader reader(&buffer, FormatOf(picture.Kind));
  reader.setDecideFormatFromContent(picture.Kind == TGraphicKind::WIC);
  QElapsedTimer timer;
  timer.start();
  qint64 held = 0;
  for (;;) {
    QImage image = reader.read();
    if (image.isNull()) break;
    // Checked before the conversion, which may multiply the bytes of a 1- or 8-bit frame.
    const qint64 cost = FrameBytes(image.size());
    if (held + cost > MaxPictureBytes) break;
    held += cost;
    decoded.Frames.push_back({std::move(image).convertToFormat(QImage::Format_ARGB32), reader.nextImageDelay()});
    if (!reader.supportsAnimation() || !reader.canRead()) break;
    if (!allFrames) {
      decoded.AllFrames = false;
      break;
    }
    // An animation's frames share one canvas, so the next frame costs what this one did: stop
    // before decoding one that would not be kept.
    if (static_cast<int>(decoded.Frames.size()) >= MaxPictureFrames || held + cost > MaxPictureBytes ||
        timer.elapsed() >= MaxPictureDecodeMs)
      break;
  }
  return decoded;
}
}  // namespace

void InitPictureDecoding() {
  // The plugins refuse a canvas over 256 MB (counted at 4 bytes a pixel) before allocating it: no
  // single frame could be kept anyway (MaxPictureBytes covers all frames of a picture).
  static const bool once = [] {
    QImageReader::setAllocationLimit(256);
    return true;
  }();
  (void)once;
}

int PictureDecodeCount() { return DecodeCount; }

std::vector<TPictureFrame> DecodePictureFrames(const TPicture& picture) {
  if (NothingToDecode(picture)) return {};
  auto& cache = TPictureCache::Instance();
  if (const TDecodedPicture* kept = cache.Find(picture); kept && kept->AllFrames) return kept->Frames;
  TDecodedPicture decoded = Decode(picture, true);
  std::vector<TPictureFrame> frames = decoded.Frames;
  cache.Keep(picture, std::move(decoded));
  return frames;
}

QImage DecodePicture(const TPicture& picture) {
  if (NothingToDecode(picture)) return QImage();
  auto& cache = TPictureCache::Instance();
  if (const TDecodedPicture* kept = cache.Find(picture))
    return kept->Frames.empty() ? QImage() : kept->Frames.front().Image;
  TDecodedPicture decoded = Decode(picture, false);
  QImage image = decoded.Frames.empty() ? QImage() : decoded.Frames.front().Image;
  cache.Keep(picture, std::move(decoded));
  return image;
}

TPicture EncodePicture(const QImage& image, TGraphicKind kind) {
  TPicture picture;
  const char* format = FormatOf(kind);
  if (!format || image.isNull()) return picture;
  QBuffer buffer;
  buffer.open(QIODevice::WriteOnly);
  QImageWriter writer(&buffer, format);
  if (!writer.write(image)) return picture;
  picture.Kind = kind;
  picture.Data = buffer.data();
  return picture;
}
