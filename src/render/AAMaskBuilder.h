// Coverage masks of text: the text drawn white on black at s times its size without anti-aliasing,
// rotated when asked, and averaged down.
#pragma once

#include <QFont>
#include <QFontMetrics>
#include <QImage>
#include <QPointF>
#include <QSize>
#include <QString>
#include <optional>

#include "model/Stream.h"
#include "render/AAMask.h"

// The font of a stored font description at scale times its screen size, glyphs drawn without
// anti-aliasing and without kerning.
QFont MakeAAFont(const TFont& font, int scale = 1);

class TAAMaskBuilder {
 public:
  // scale: the supersampling factor 1..4; angle: counter-clockwise degrees. A font of size 0 has
  // no extent and draws nothing.
  void SetFont(const TFont& font, int scale, int angle);
  int Scale() const { return FScale; }

  // The mask's size for a text: the extent at s times the size divided by s rounded up, widened for
  // italics, the bounding box when rotated.
  QSize MaskSize(const QString& text) const;
  // Builds the mask of a text (resized to MaskSize).
  void DrawMask(const QString& text, TAAMask& mask);

 private:
  struct TLayout {
    QSize Size;     // mask size
    QPointF Start;  // where the unrotated text's top-left lands in the work picture
  };
  TLayout Layout(const QString& text) const;

  QFont FScaled;
  std::optional<QFontMetrics> FMetrics;
  int FScale = 1;
  int FAngle = 0;
  bool FEmptyFont = true;
  QImage FWork;  // grown to the largest mask so far, never shrunk
};
