// Turning stored pictures into images. A picture whose bytes do not decode keeps its bytes in the
// model and simply draws nothing.
#pragma once

#include <QImage>
#include <vector>

#include "model/Stream.h"

// Installs Qt's image allocation limit once; called before any decoding.
void InitPictureDecoding();

// The first (or only) frame as 32-bit ARGB premultiplied-free image; null when it does not decode.
QImage DecodePicture(const TPicture& picture);

struct TPictureFrame {
  QImage Image;
  int DelayMs = 0;
};
// Every frame of an animated GIF (one frame for other kinds); empty when nothing decodes.
std::vector<TPictureFrame> DecodePictureFrames(const TPicture& picture);

// Encodes an image as a picture of the given kind (PNG, JPEG, BMP, ICO, GIF); an empty picture if
// the kind cannot be written here.
TPicture EncodePicture(const QImage& image, TGraphicKind kind);
