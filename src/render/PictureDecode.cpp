#include "render/PictureDecode.h"

#include <QBuffer>
#include <QImageReader>
#include <QImageWriter>

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
}  // namespace

void InitPictureDecoding() {
  // 256 MB of pixels is far beyond any menu picture and keeps a hostile header from exhausting memory.
  static const bool once = [] {
    QImageReader::setAllocationLimit(256);
    return true;
  }();
  (void)once;
}

std::vector<TPictureFrame> DecodePictureFrames(const TPicture& picture) {
  InitPictureDecoding();
  std::vector<TPictureFrame> frames;
  if (picture.IsEmpty() || picture.Kind == TGraphicKind::Metafile) return frames;
  QByteArray bytes = picture.Data;
  QBuffer buffer(&bytes);
  buffer.open(QIODevice::ReadOnly);
  QImageReader reader(&buffer, FormatOf(picture.Kind));
  reader.setDecideFormatFromContent(picture.Kind == TGraphicKind::WIC);
  // Bound the work a damaged animation can cause.
  constexpr int MaxFrames = 4096;
  while (static_cast<int>(frames.size()) < MaxFrames) {
    QImage image = reader.read();
    if (image.isNull()) break;
    frames.push_back({image.convertToFormat(QImage::Format_ARGB32), reader.nextImageDelay()});
    if (!reader.supportsAnimation() || !reader.canRead()) break;
  }
  return frames;
}

QImage DecodePicture(const TPicture& picture) {
  auto frames = DecodePictureFrames(picture);
  return frames.empty() ? QImage() : frames.front().Image;
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
