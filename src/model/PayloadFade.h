// Blocks shared by the payloads of the fading kinds: the fade settings, the text effect of effect
// labels and texts, and the animation block of those two.
#pragma once

#include <cstdint>

#include "model/Stream.h"
#include "model/Types.h"

// ---- fade settings ----

// How a fading object's opacity behaves (percentages 0..100). The opacity it is heading for and
// the one shown are run-time state of the fading control and are not part of the record.
struct TFadeParam {
  int32_t NormalAlpha = 100;
  bool MouseAlphaEnabled = false;
  int32_t MouseOverAlpha = 100;
  int32_t MouseDownAlpha = 50;
  bool Fade = true;
  int32_t FadeInStep = 10;
  int32_t FadeOutStep = 10;

  bool operator==(const TFadeParam&) const = default;

  template <class Self, class V>
  static void Visit(Self& p, V& v) {
    v("NormalAlpha", p.NormalAlpha);
    v("MouseAlphaEnabled", p.MouseAlphaEnabled);
    v("MouseOverAlpha", p.MouseOverAlpha);
    v("MouseDownAlpha", p.MouseDownAlpha);
    v("Fade", p.Fade);
    v("FadeInStep", p.FadeInStep);
    v("FadeOutStep", p.FadeOutStep);
  }
};

namespace FadeCodes {
constexpr int FadeParamWrite = 5201, FadeParamRead = 5202;
constexpr int TextEffectWrite = 5203, TextEffectRead = 5204;
}  // namespace FadeCodes

// The stored block is 30 bytes and carries FadeOutStep twice; the reader takes the second copy.
constexpr int FadeParamBlockSize = 30;
bool WriteFadeParam(TStream& s, const TFadeParam& param);
bool ReadFadeParam(TStream& s, TFadeParam& param);

// ---- text effect ----

enum TGradualStyle : uint8_t { gsLeftToRight, gsRightToLeft, gsTopToBottom, gsBottomToTop, gsCenterToLR, gsCenterToTB };
enum TTextureMode : uint8_t { tmTiled, tmStretched, tmCenter, tmNormal };
// Supersampling of the effect text renderer (factors 4, 3, 2, 1). Not stored: the label and text
// objects always render at aqHigh.
enum TAAQuality : uint8_t { aqHigh, aqNormal, aqLow, aqNone };

template <>
const QStringList& EnumValueNames<TGradualStyle>();
template <>
const QStringList& EnumValueNames<TTextureMode>();
template <>
const QStringList& EnumValueNames<TAAQuality>();

// Values keep the widths of the effect's own ranges (alpha, blur and spray 0..100 in a byte, the
// offsets -20..20 as a signed byte, the angle -360..360 in 16 bits). What a file holds beyond those
// ranges is kept as read and left to the renderer to limit.
struct TAAShadow {
  bool Enabled = false;
  uint8_t Blur = 80;
  uint8_t Alpha = 70;
  TColor Color = 0x444444;
  int8_t OffsetX = 2;
  int8_t OffsetY = 2;

  bool operator==(const TAAShadow&) const = default;

  template <class Self, class V>
  static void Visit(Self& p, V& v) {
    v("Enabled", p.Enabled);
    v("Blur", p.Blur);
    v("Alpha", p.Alpha);
    v("Color", p.Color);
    v("OffsetX", p.OffsetX);
    v("OffsetY", p.OffsetY);
  }
};

struct TAAGradual {
  bool Enabled = false;
  TGradualStyle Style = gsLeftToRight;
  TColor StartColor = clWhite;
  TColor EndColor = clBlack;

  bool operator==(const TAAGradual&) const = default;

  template <class Self, class V>
  static void Visit(Self& p, V& v) {
    v("Enabled", p.Enabled);
    v("Style", p.Style);
    v("StartColor", p.StartColor);
    v("EndColor", p.EndColor);
  }
};

struct TAATexture {
  bool Enabled = false;
  TPicture Picture;
  TTextureMode Mode = tmTiled;

  bool operator==(const TAATexture&) const = default;

  template <class Self, class V>
  static void Visit(Self& p, V& v) {
    v("Enabled", p.Enabled);
    v("Picture", p.Picture);
    v("Mode", p.Mode);
  }
};

struct TAAEffect {
  uint8_t Alpha = 100;
  uint8_t Blur = 0;
  TAAGradual Gradual;
  TAAShadow Shadow;
  TAATexture Texture;
  bool Outline = false;
  uint8_t Noise = 0;
  uint8_t Spray = 0;
  int16_t Angle = 0;
  bool HorzMirror = false;
  bool VertMirror = false;

  bool operator==(const TAAEffect&) const = default;

  template <class Self, class V>
  static void Visit(Self& p, V& v) {
    v("Alpha", p.Alpha);
    v("Blur", p.Blur);
    v.Nested("Gradual", p.Gradual);
    v.Nested("Shadow", p.Shadow);
    v.Nested("Texture", p.Texture);
    v("Outline", p.Outline);
    v("Noise", p.Noise);
    v("Spray", p.Spray);
    v("Angle", p.Angle);
    v("HorzMirror", p.HorzMirror);
    v("VertMirror", p.VertMirror);
  }
};

// The effect an effect label or text starts with: gradient from the font colour to white, shadow
// and texture on (the texture shows only once a picture is set).
TAAEffect NewTextObjectEffect(TColor fontColor);

// No version word; every small value is widened to 32 bits (offsets and angle sign-extended) and
// the reader takes the low bits back.
bool WriteTextEffect(TStream& s, const TAAEffect& effect);
bool ReadTextEffect(TStream& s, TAAEffect& effect);

// ---- animation of effect labels and texts ----

// Animated property of an entrance or exit: 0 none, 1 font size, 2 effect angle, 3 spray, 4 blur,
// 5 opacity.
struct TTextAnimParams {
  bool AnimActive = false;
  int32_t AnimInStyle = 1;
  int32_t AnimInFromValue = 1;
  int32_t AnimInStep = 1;
  int32_t AnimInInterval = 25;
  int32_t AnimInDelay = 2000;
  int32_t AnimOutStyle = 1;
  int32_t AnimOutToValue = 1;
  int32_t AnimOutStep = 1;
  int32_t AnimOutInterval = 25;
  int32_t AnimOutDelay = 2000;
  int32_t AnimRepeatCount = 0;  // 0: endless

  bool operator==(const TTextAnimParams&) const = default;

  template <class Self, class V>
  static void Visit(Self& p, V& v) {
    v("AnimActive", p.AnimActive);
    v("AnimInStyle", p.AnimInStyle);
    v("AnimInFromValue", p.AnimInFromValue);
    v("AnimInStep", p.AnimInStep);
    v("AnimInInterval", p.AnimInInterval);
    v("AnimInDelay", p.AnimInDelay);
    v("AnimOutStyle", p.AnimOutStyle);
    v("AnimOutToValue", p.AnimOutToValue);
    v("AnimOutStep", p.AnimOutStep);
    v("AnimOutInterval", p.AnimOutInterval);
    v("AnimOutDelay", p.AnimOutDelay);
    v("AnimRepeatCount", p.AnimRepeatCount);
  }
};

constexpr int TextAnimBlockSize = 45;
// Part of the label and text payloads, inside their guarded operations: short data throws
// TStreamAbort.
void WriteTextAnimation(TStream& s, const TTextAnimParams& anim);
void ReadTextAnimation(TStream& s, TTextAnimParams& anim);
