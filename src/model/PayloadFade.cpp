#include "model/PayloadFade.h"

template <>
const QStringList& EnumValueNames<TGradualStyle>() {
  static const QStringList names{QStringLiteral("gsLeftToRight"), QStringLiteral("gsRightToLeft"),
                                 QStringLiteral("gsTopToBottom"), QStringLiteral("gsBottomToTop"),
                                 QStringLiteral("gsCenterToLR"),  QStringLiteral("gsCenterToTB")};
  return names;
}

template <>
const QStringList& EnumValueNames<TTextureMode>() {
  static const QStringList names{QStringLiteral("tmTiled"), QStringLiteral("tmStretched"), QStringLiteral("tmCenter"),
                                 QStringLiteral("tmNormal")};
  return names;
}

template <>
const QStringList& EnumValueNames<TAAQuality>() {
  static const QStringList names{QStringLiteral("aqHigh"), QStringLiteral("aqNormal"), QStringLiteral("aqLow"),
                                 QStringLiteral("aqNone")};
  return names;
}

// ---- fade settings ----

bool WriteFadeParam(TStream& s, const TFadeParam& p) {
  return Guarded(s, FadeCodes::FadeParamWrite, [&] {
    WriteVersion(s);
    s.WriteInt(p.NormalAlpha);
    s.WriteBool(p.MouseAlphaEnabled);
    s.WriteInt(p.MouseOverAlpha);
    s.WriteBool(p.Fade);
    s.WriteInt(p.FadeInStep);
    s.WriteInt(p.FadeOutStep);
    s.WriteInt(p.MouseDownAlpha);
    // Older readers expect the fade-out step a second time here.
    s.WriteInt(p.FadeOutStep);
    return true;
  });
}

bool ReadFadeParam(TStream& s, TFadeParam& param) {
  return Guarded(s, FadeCodes::FadeParamRead, [&] {
    if (!CheckVersion(s)) return false;
    TFadeParam p = param;
    p.NormalAlpha = s.ReadInt();
    p.MouseAlphaEnabled = s.ReadBool();
    p.MouseOverAlpha = s.ReadInt();
    p.Fade = s.ReadBool();
    p.FadeInStep = s.ReadInt();
    p.FadeOutStep = s.ReadInt();
    p.MouseDownAlpha = s.ReadInt();
    p.FadeOutStep = s.ReadInt();  // the second copy wins
    param = p;
    return true;
  });
}

// ---- text effect ----

TAAEffect NewTextObjectEffect(TColor fontColor) {
  TAAEffect e;
  e.Gradual.StartColor = fontColor;
  e.Gradual.EndColor = clWhite;
  e.Shadow.Enabled = true;
  e.Texture.Enabled = true;
  return e;
}

bool WriteTextEffect(TStream& s, const TAAEffect& e) {
  return Guarded(s, FadeCodes::TextEffectWrite, [&] {
    s.WriteInt(e.Alpha);
    s.WriteInt(e.Angle);  // sign-extended
    s.WriteInt(e.Blur);
    s.WriteBool(e.HorzMirror);
    s.WriteInt(e.Noise);
    s.WriteBool(e.Outline);
    s.WriteInt(e.Spray);
    s.WriteBool(e.VertMirror);
    s.WriteBool(e.Gradual.Enabled);
    s.WriteColor(e.Gradual.EndColor);
    s.WriteColor(e.Gradual.StartColor);
    s.WriteEnum(e.Gradual.Style);
    s.WriteInt(e.Shadow.Alpha);
    s.WriteInt(e.Shadow.Blur);
    s.WriteColor(e.Shadow.Color);
    s.WriteBool(e.Shadow.Enabled);
    s.WriteInt(e.Shadow.OffsetX);  // sign-extended
    s.WriteInt(e.Shadow.OffsetY);
    s.WriteBool(e.Texture.Enabled);
    s.WriteEnum(e.Texture.Mode);
    return WritePicture(s, e.Texture.Picture);
  });
}

bool ReadTextEffect(TStream& s, TAAEffect& effect) {
  return Guarded(s, FadeCodes::TextEffectRead, [&] {
    TAAEffect e = effect;
    // Only the low bits of each widened value are meaningful.
    e.Alpha = static_cast<uint8_t>(s.ReadInt());
    e.Angle = static_cast<int16_t>(s.ReadInt());
    e.Blur = static_cast<uint8_t>(s.ReadInt());
    e.HorzMirror = s.ReadBool();
    e.Noise = static_cast<uint8_t>(s.ReadInt());
    e.Outline = s.ReadBool();
    e.Spray = static_cast<uint8_t>(s.ReadInt());
    e.VertMirror = s.ReadBool();
    e.Gradual.Enabled = s.ReadBool();
    e.Gradual.EndColor = s.ReadColor();
    e.Gradual.StartColor = s.ReadColor();
    e.Gradual.Style = s.ReadEnum<TGradualStyle>();
    e.Shadow.Alpha = static_cast<uint8_t>(s.ReadInt());
    e.Shadow.Blur = static_cast<uint8_t>(s.ReadInt());
    e.Shadow.Color = s.ReadColor();
    e.Shadow.Enabled = s.ReadBool();
    e.Shadow.OffsetX = static_cast<int8_t>(s.ReadInt());
    e.Shadow.OffsetY = static_cast<int8_t>(s.ReadInt());
    e.Texture.Enabled = s.ReadBool();
    e.Texture.Mode = s.ReadEnum<TTextureMode>();
    if (!ReadPicture(s, e.Texture.Picture)) return false;
    effect = std::move(e);
    return true;
  });
}

// ---- animation block ----

void WriteTextAnimation(TStream& s, const TTextAnimParams& a) {
  s.WriteBool(a.AnimActive);
  s.WriteInt(a.AnimInStyle);
  s.WriteInt(a.AnimInFromValue);
  s.WriteInt(a.AnimInStep);
  s.WriteInt(a.AnimInInterval);
  s.WriteInt(a.AnimInDelay);
  s.WriteInt(a.AnimOutStyle);
  s.WriteInt(a.AnimOutToValue);
  s.WriteInt(a.AnimOutStep);
  s.WriteInt(a.AnimOutInterval);
  s.WriteInt(a.AnimOutDelay);
  s.WriteInt(a.AnimRepeatCount);
}

void ReadTextAnimation(TStream& s, TTextAnimParams& a) {
  a.AnimActive = s.ReadBool();
  a.AnimInStyle = s.ReadInt();
  a.AnimInFromValue = s.ReadInt();
  a.AnimInStep = s.ReadInt();
  a.AnimInInterval = s.ReadInt();
  a.AnimInDelay = s.ReadInt();
  a.AnimOutStyle = s.ReadInt();
  a.AnimOutToValue = s.ReadInt();
  a.AnimOutStep = s.ReadInt();
  a.AnimOutInterval = s.ReadInt();
  a.AnimOutDelay = s.ReadInt();
  a.AnimRepeatCount = s.ReadInt();
}
