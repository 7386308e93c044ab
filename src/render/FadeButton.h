// The fade button: its prebuilt face (blended by the fade machinery) and the placement of its
// picture and caption, which are painted at full opacity over the blended face.
#pragma once

#include <QImage>
#include <QPainter>
#include <QRect>
#include <QSize>
#include <QString>

#include "model/Stream.h"
#include "model/Types.h"

// Defaults of a new fade button.
namespace FadeButtonDefaults {
constexpr TColor Color = 0x00FFC080;
constexpr TColor BorderColor = 0x00FFEEDD;
}  // namespace FadeButtonDefaults

// The face: filled with `color`, a one-pixel `borderColor` outline one pixel in from the edge,
// mid-colour dots inside the four corners (only when both sides exceed 4), alpha 255 inside,
// 100 along the outermost pixels and softened 3 × 3 corners. Null for an empty size.
QImage BuildFadeButtonImage(QSize size, TColor color, TColor borderColor);

struct TFadeButtonPlacement {
  // Where the picture goes: at its natural size, or the stretch target for ilCenterStretch.
  // Empty without a picture.
  QRect Picture;
  QRect Caption;
  Qt::Alignment CaptionAlignment;  // horizontal | vertical, as DrawCaptionText takes it
};

// Picture and caption places for `layout` in a client area of `client`, with `picture` the
// picture's size (empty: no picture), margin m and space s between picture and caption.
TFadeButtonPlacement PlaceFadeButton(TImageLayout layout, QSize client, QSize picture, int margin, int space);

// Paints picture (blended by its own alpha) and caption (word-wrapped, no background) placed by
// `layout`, at full opacity.
void PaintFadeButtonContent(QPainter& painter, QSize client, TImageLayout layout, int margin, int space,
                            const QImage& picture, const QString& caption, const TFont& font);
