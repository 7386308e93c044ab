// Temporary copy of the shape's stored fields until the payload header lands on this branch.
#pragma once

#include <cstdint>

#include "model/Stream.h"
#include "model/Types.h"

enum TAlignment : uint8_t { taLeftJustify, taRightJustify, taCenter };
enum TTextLayout : uint8_t { tlTop, tlCenter, tlBottom };

struct TFadeParam {
  int32_t NormalAlpha = 100;
  bool MouseAlphaEnabled = false;
  int32_t MouseOverAlpha = 100;
  int32_t MouseDownAlpha = 50;
  bool Fade = true;
  int32_t FadeInStep = 10;
  int32_t FadeOutStep = 10;
};

inline TFont BoldFont(TColor color = clWindowText) {
  TFont f;
  f.Color = color;
  f.Style |= fsBold;
  return f;
}

struct TShapeFields {
  bool AnimActive = false;
  int32_t AnimInStyle = 1;
  int32_t AnimInStep = 1;
  int32_t AnimInInterval = 25;
  int32_t AnimInDelay = 2000;
  bool AnimInFromMargin = false;
  int32_t AnimOutStyle = 1;
  int32_t AnimOutStep = 1;
  int32_t AnimOutInterval = 25;
  int32_t AnimOutDelay = 2000;
  bool AnimOutToMargin = false;
  int32_t LeftMargin = 0;
  int32_t RightMargin = 0;
  int32_t TopMargin = 0;
  int32_t BottomMargin = 0;
  int32_t AnimRepeatCount = 0;
  TColor Color = 0x00FFFF;
  int32_t Gradient = 0;
  TColor GradientColor = clBlack;
  int32_t Round = 30;
  int32_t Shape = 0;
  int32_t BorderWidth = 4;
  TColor BorderColor = 0x02C5FD;
  QString Caption;
  TFont Font = BoldFont();
  TAlignment Alignment = taCenter;
  TTextLayout Layout = tlCenter;
  int32_t Margin = 10;
  TFadeParam FadeParam;
  TPicture Picture;
};
