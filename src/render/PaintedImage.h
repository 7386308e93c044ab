// The image object's picture placement and painting.
#pragma once

#include <QImage>
#include <QPainter>
#include <QRect>
#include <QSize>

#include "model/Stream.h"

class TImagePayload;

struct TImagePlacement {
  bool Stretch = false;
  bool Proportional = false;
  bool Center = false;
};

// Where a picture of the given size is drawn in a client area: stretched (keeping its proportions
// when asked) when Stretch is on or when a proportional picture does not fit; otherwise at its own
// size; at the top-left corner or centred.
QRect ImageDestRect(QSize picture, QSize client, const TImagePlacement& placement);

// The placement stored with an image object.
TImagePlacement ImagePlacementOf(const TImagePayload& image);

// Whether the control hides everything beneath it: an opaque picture covering the whole client.
bool ImageCoversClient(QSize picture, QSize client, const TImagePlacement& placement, bool pictureTransparent);

// The picture as drawn: with Transparent on, a bitmap without an alpha channel loses the colour of
// its bottom-left pixel (the platform's rule for transparent bitmaps); pictures with their own alpha,
// and icons and metafiles, keep theirs.
QImage ImageForDrawing(const QImage& decoded, TGraphicKind kind, bool transparent);

// Paints the picture into a client area of the given size; with `editing` adds the design outline.
void PaintImageObject(QPainter& painter, QSize client, const QImage& picture, const TImagePlacement& placement,
                      bool editing);
