// Decoding stored pictures from arbitrary bytes: the first byte picks the graphic kind, the rest are
// the picture's own bytes. Every frame stays within the bounds, and the first frame decoded alone
// is the animation's first frame.
#include "render/PictureCache.h"
#include "render/PictureDecode.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  if (size < 1) return 0;
  TPicture picture;
  picture.Kind = static_cast<TGraphicKind>(data[0] % (static_cast<int>(TGraphicKind::WIC) + 1));
  picture.Data = QByteArray(reinterpret_cast<const char*>(data + 1), static_cast<qsizetype>(size - 1));
  auto& cache = TPictureCache::Instance();
  const auto frames = DecodePictureFrames(picture);
  qint64 held = 0;
  for (const auto& frame : frames) held += frame.Image.sizeInBytes();
  if (held > MaxPictureBytes || frames.size() > size_t(MaxPictureFrames)) __builtin_trap();
  // Each input stands alone: nothing piles up across runs, and the first frame is decoded afresh.
  cache.Clear();
  const QImage first = DecodePicture(picture);
  if (frames.empty() ? !first.isNull() : first != frames.front().Image) __builtin_trap();
  cache.Clear();
  return 0;
}
