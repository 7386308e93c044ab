#include "render/AAFont.h"

#include <algorithm>
#include <cstdlib>

#include "render/Colors.h"
#include "render/PictureDecode.h"

int QualityScale(TAAQuality quality) {
  switch (quality) {
    case aqHigh:
      return 4;
    case aqNormal:
      return 3;
    case aqLow:
      return 2;
    default:
      return 1;
  }
}

namespace {
// Stored values beyond the effect's own ranges are kept in the record; drawing limits them.
int Percent(int v) { return std::clamp(v, 0, 100); }
int Offset(int v) { return std::clamp(v, -20, 20); }
int Angle(int v) { return std::clamp(v, -360, 360); }

TTexturePlacement PlacementOf(TTextureMode mode) {
  switch (mode) {
    case tmStretched:
      return TTexturePlacement::Stretched;
    case tmCenter:
      return TTexturePlacement::Center;
    case tmNormal:
      return TTexturePlacement::Normal;
    default:
      return TTexturePlacement::Tiled;
  }
}
}  // namespace

void TAAFontEx::SetEffect(const TAAEffect& effect) {
  FEffect = effect;
  if (!(FTexturePicture == effect.Texture.Picture)) {
    FTexturePicture = effect.Texture.Picture;
    FTexture = FTexturePicture.IsEmpty() ? QImage() : DecodePicture(FTexturePicture);
    if (!FTexture.isNull()) FTexture = FTexture.convertToFormat(QImage::Format_ARGB32_Premultiplied);
  }
}

void TAAFontEx::PrepareFont() { FBuilder.SetFont(FFont, QualityScale(FQuality), Angle(FEffect.Angle)); }

QSize TAAFontEx::TextExtent(const QString& text) {
  PrepareFont();
  QSize size = FBuilder.MaskSize(text);
  if (FEffect.Shadow.Enabled)
    size += QSize(std::abs(Offset(FEffect.Shadow.OffsetX)), std::abs(Offset(FEffect.Shadow.OffsetY)));
  return size;
}

QImage EffectForeground(const TAAEffect& effect, const QImage& texture, QRgb fontColor, int width, int height,
                        TAARandom& random) {
  const int noise = effect.Noise;
  QImage fg;
  if (effect.Texture.Enabled && !effect.Texture.Picture.IsEmpty()) {
    fg = TextureForeground(width, height, texture, PlacementOf(effect.Texture.Mode), fontColor);
  } else if (effect.Gradual.Enabled) {
    const TGradualStyle style = effect.Gradual.Style;
    const bool horizontal = style == gsLeftToRight || style == gsRightToLeft || style == gsCenterToLR;
    const bool centred = style == gsCenterToLR || style == gsCenterToTB;
    const bool forward = style == gsLeftToRight || style == gsTopToBottom;
    const QRgb start = ColorToRGB(effect.Gradual.StartColor);
    const QRgb end = ColorToRGB(effect.Gradual.EndColor);
    fg = GradientForeground(
        width, height,
        GradientEntries(horizontal ? width : height, centred, forward ? start : end, forward ? end : start),
        horizontal);
  } else if (noise > 0) {
    fg = ColorForeground(width, height, fontColor);
  } else {
    return QImage();
  }
  AddNoise(fg, noise, random);
  return fg;
}

void TAAFontEx::TextOut(QImage& canvas, int x, int y, const QString& text, const TAABrush& brush) {
  PrepareFont();
  const bool shadow = FEffect.Shadow.Enabled;
  const int ox = Offset(FEffect.Shadow.OffsetX);
  const int oy = Offset(FEffect.Shadow.OffsetY);
  // The text moves away from a negative offset so that the shadow stays inside the extent.
  const int tx = shadow ? x + std::max(-ox, 0) : x;
  const int ty = shadow ? y + std::max(-oy, 0) : y;

  FBuilder.DrawMask(text, FMask);
  if (FMask.IsEmpty()) return;
  if (FEffect.Outline) OutlineMask(FMask);
  if (FEffect.Spray) SprayMask(FMask, Percent(FEffect.Spray), FRandom);
  if (FEffect.HorzMirror) HorzMirrorMask(FMask);
  if (FEffect.VertMirror) VertMirrorMask(FMask);

  const int alpha = Percent(FEffect.Alpha);
  TAABrush textBrush = brush;
  if (shadow) {
    FShadowMask = FMask;
    BlurMask(FShadowMask, Percent(FEffect.Shadow.Blur));
    BlendMask(canvas, x + std::max(ox, 0), y + std::max(oy, 0), FShadowMask, nullptr, ColorToRGB(FEffect.Shadow.Color),
              alpha * Percent(FEffect.Shadow.Alpha) / 100, brush);
    textBrush.Solid = false;  // the text blends over its shadow
  }
  BlurMask(FMask, Percent(FEffect.Blur));
  const QImage fg = EffectForeground(FEffect, FTexture, ColorToRGB(FFont.Color), FMask.Width, FMask.Height, FRandom);
  BlendMask(canvas, tx, ty, FMask, fg.isNull() ? nullptr : &fg, ColorToRGB(FFont.Color), alpha, textBrush);
}
