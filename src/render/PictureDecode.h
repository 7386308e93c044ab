// Turning stored pictures into images. A picture whose bytes do not decode keeps its bytes in the
// model and simply draws nothing.
//
// Decoding is bounded per picture: the frames one picture keeps hold at most MaxPictureBytes of
// pixels, at most MaxPictureFrames frames, and an animation stops decoding further frames once
// MaxPictureDecodeMs have passed. A picture over a bound keeps the frames decoded so far (its first
// frame at least, or nothing when even that does not fit); its stored bytes are never touched.
// Decoded pictures are kept in a cache (render/PictureCache.h), so the same bytes decode once.
#pragma once

#include <QImage>
#include <vector>

#include "model/Stream.h"

// Pixels one picture may hold over all its frames (each frame is counted as 32-bit ARGB).
constexpr qint64 MaxPictureBytes = 256ll * 1024 * 1024;
// Frames one animation may keep.
constexpr int MaxPictureFrames = 4096;
// Time after which an animation decodes no further frame. Normal animations finish far sooner; it
// bounds the pictures whose every frame is small but costs a whole canvas to compose.
constexpr int MaxPictureDecodeMs = 500;

// Installs Qt's image allocation limit once; called before any decoding.
void InitPictureDecoding();

// The first (or only) frame as 32-bit ARGB premultiplied-free image; null when it does not decode.
// Only the first frame is decoded.
QImage DecodePicture(const TPicture& picture);

struct TPictureFrame {
  QImage Image;
  int DelayMs = 0;
};
// Every frame of an animation (GIF, WebP, MNG; one frame for other kinds) within the bounds above;
// empty when nothing decodes.
std::vector<TPictureFrame> DecodePictureFrames(const TPicture& picture);

// How many times picture bytes were actually decoded (not answered from the cache) in this
// process; for tests and benchmarks.
int PictureDecodeCount();

// Encodes an image as a picture of the given kind (PNG, JPEG, BMP, ICO, GIF); an empty picture if
// the kind cannot be written here.
TPicture EncodePicture(const QImage& image, TGraphicKind kind);
