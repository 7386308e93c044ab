// The shape object's picture: the figure with its fill, pen, picture and caption rendered once
// into a 32-bit image whose alpha is exactly the figure (no anti-aliased edges), ready for the
// fade base to blend.
#pragma once

#include <QImage>
#include <cstdint>

#include "model/PayloadsFading.h"
#include "model/Stream.h"
#include "render/ShapeAnimation.h"

// A stored picture decoded once, so that rebuilding (every tick of a moving animation) does not
// decode it again.
struct TShapePicture {
  QImage Image;  // ARGB32; null when there is no picture or it does not decode
  bool IsPng = false;

  bool IsNull() const { return Image.isNull(); }
};
TShapePicture DecodeShapePicture(const TPicture& picture);

// Larger controls get no picture at all rather than an allocation a damaged file could demand.
constexpr int MaxShapeImageSide = 16384;
constexpr int64_t MaxShapeImagePixels = int64_t(1) << 25;

// Builds the picture of a width × height shape with its figure in `frame` (nothing opaque when
// the frame is invisible). Format ARGB32, not premultiplied: alpha 255 inside the figure and its
// outline, 0 outside, and for figure −1 with a PNG picture the picture's own alpha. Null for a
// size below 1 or beyond the limits above.
QImage BuildShapeImage(const TShapeFields& shape, int width, int height, const TShapePicture& picture,
                       const TShapeFrame& frame);
// The same at rest (editing surface, or no animation).
QImage BuildShapeImage(const TShapeFields& shape, int width, int height, const TShapePicture& picture);
