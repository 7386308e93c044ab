// The effect text renderer: a font with a text effect (shadow, gradient, texture, noise, blur,
// spray, outline, mirrors, rotation, opacity) drawn through an anti-aliased coverage mask.
#pragma once

#include <QImage>
#include <QSize>
#include <QString>

#include "model/PayloadFade.h"
#include "render/AABlend.h"
#include "render/AAMaskBuilder.h"

// The supersampling factor of a quality: 4, 3, 2, 1.
int QualityScale(TAAQuality quality);

// The colour under the mask, the mask's size: the texture (over the font colour) when enabled with a
// picture, else the gradient when enabled, else the font colour when there is noise, each with the
// effect's noise added; a null image means the plain font colour.
QImage EffectForeground(const TAAEffect& effect, const QImage& texture, QRgb fontColor, int width, int height,
                        TAARandom& random);

class TAAFontEx {
 public:
  void SetFont(const TFont& font) { FFont = font; }
  const TFont& Font() const { return FFont; }
  void SetQuality(TAAQuality quality) { FQuality = quality; }
  TAAQuality Quality() const { return FQuality; }
  void SetEffect(const TAAEffect& effect);
  const TAAEffect& Effect() const { return FEffect; }
  TAARandom& Random() { return FRandom; }

  // The size the text covers with its effects: the mask's size, plus the shadow's offsets when the
  // shadow is on.
  QSize TextExtent(const QString& text);
  int TextWidth(const QString& text) { return TextExtent(text).width(); }
  int TextHeight(const QString& text) { return TextExtent(text).height(); }

  // Draws the text with every effect, its extent's top-left at (x, y). A solid brush fills the
  // areas drawn on with its colour first; a clear one blends over what the canvas holds. The
  // canvas is RGB32 or ARGB32_Premultiplied (a transparent layer).
  void TextOut(QImage& canvas, int x, int y, const QString& text, const TAABrush& brush = {});

 private:
  void PrepareFont();

  TFont FFont;
  TAAQuality FQuality = aqNormal;
  TAAEffect FEffect;
  TAARandom FRandom;
  TAAMaskBuilder FBuilder;
  TAAMask FMask;
  TAAMask FShadowMask;
  // The decoded texture, kept with the picture it came from so that it decodes once.
  TPicture FTexturePicture;
  QImage FTexture;
};
