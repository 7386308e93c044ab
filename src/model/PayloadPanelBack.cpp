#include "model/PayloadPanelBack.h"

#include "model/JsonSupport.h"

template <>
const QStringList& EnumValueNames<TPictureStyle>() {
  static const QStringList names{QStringLiteral("psNormal"), QStringLiteral("psCenter"), QStringLiteral("psStretch"),
                                 QStringLiteral("psTile"), QStringLiteral("psAutoSize")};
  return names;
}

template <>
const QStringList& EnumValueNames<TGradientStyle>() {
  static const QStringList names{QStringLiteral("gsNone"),
                                 QStringLiteral("gsTopBottom"),
                                 QStringLiteral("gsBottomTop"),
                                 QStringLiteral("gsLeftRight"),
                                 QStringLiteral("gsRightLeft"),
                                 QStringLiteral("gsMiddleTopBottom"),
                                 QStringLiteral("gsMiddleLeftRight"),
                                 QStringLiteral("gsTopBottomMiddle"),
                                 QStringLiteral("gsLeftRightMiddle")};
  return names;
}

template <>
const QStringList& EnumValueNames<TPanelBackBorder>() {
  static const QStringList names{QStringLiteral("pbbNone"),      QStringLiteral("pbbBox"),
                                 QStringLiteral("pbbFrame"),     QStringLiteral("pbbLeftLine"),
                                 QStringLiteral("pbbTopLine"),   QStringLiteral("pbbRightLine"),
                                 QStringLiteral("pbbBottomLine")};
  return names;
}

template <>
const QStringList& EnumValueNames<TPanelBackBorderStyle>() {
  static const QStringList names{QStringLiteral("pbbsFlat"), QStringLiteral("pbbsLowered"),
                                 QStringLiteral("pbbsRaised")};
  return names;
}

bool TPanelBack::Write(TStream& s) const {
  return Guarded(s, PayloadCodes::PanelBackWrite, [&] {
    WriteVersion(s);
    if (!WritePicture(s, Picture)) return false;
    if (!WriteString(s, Caption)) return false;
    s.WriteEnum(Alignment);
    s.WriteEnum(Layout);
    s.WriteEnum(BackImageStyle);
    s.WriteEnum(GradientStyle);
    s.WriteColor(GradientColor);
    s.WriteEnum(Border);
    s.WriteEnum(BorderStyle);
    s.WriteColor(HighlightColor);
    s.WriteColor(ShadowColor);
    return true;
  });
}

bool TPanelBack::Read(TStream& s) {
  TPanelBack v = *this;
  const bool ok = Guarded(s, PayloadCodes::PanelBackRead, [&] {
    if (!CheckVersion(s)) return false;
    if (!ReadPicture(s, v.Picture)) return false;
    if (!ReadString(s, v.Caption)) return false;
    v.Alignment = s.ReadEnum<TAlignment>();
    v.Layout = s.ReadEnum<TTextLayout>();
    v.BackImageStyle = s.ReadEnum<TPictureStyle>();
    v.GradientStyle = s.ReadEnum<TGradientStyle>();
    v.GradientColor = s.ReadColor();
    v.Border = s.ReadEnum<TPanelBackBorder>();
    v.BorderStyle = s.ReadEnum<TPanelBackBorderStyle>();
    v.HighlightColor = s.ReadColor();
    v.ShadowColor = s.ReadColor();
    return true;
  });
  if (ok) *this = std::move(v);
  return ok;
}

QJsonObject TPanelBack::ToJson() const {
  return QJsonObject{
      {QStringLiteral("Picture"), PictureToJson(Picture)},
      {QStringLiteral("Caption"), Caption},
      {QStringLiteral("Alignment"), EnumToName(Alignment)},
      {QStringLiteral("Layout"), EnumToName(Layout)},
      {QStringLiteral("BackImageStyle"), EnumToName(BackImageStyle)},
      {QStringLiteral("GradientStyle"), EnumToName(GradientStyle)},
      {QStringLiteral("GradientColor"), ColorToJson(GradientColor)},
      {QStringLiteral("Border"), EnumToName(Border)},
      {QStringLiteral("BorderStyle"), EnumToName(BorderStyle)},
      {QStringLiteral("HighlightColor"), ColorToJson(HighlightColor)},
      {QStringLiteral("ShadowColor"), ColorToJson(ShadowColor)},
  };
}

bool TPanelBack::FromJson(const QJsonObject& json, QString& error) {
  TPanelBack v = *this;
  TJsonReader r(json);
  r.Get(QStringLiteral("Picture"), v.Picture);
  r.Get(QStringLiteral("Caption"), v.Caption);
  r.GetEnum(QStringLiteral("Alignment"), v.Alignment);
  r.GetEnum(QStringLiteral("Layout"), v.Layout);
  r.GetEnum(QStringLiteral("BackImageStyle"), v.BackImageStyle);
  r.GetEnum(QStringLiteral("GradientStyle"), v.GradientStyle);
  r.GetColor(QStringLiteral("GradientColor"), v.GradientColor);
  r.GetEnum(QStringLiteral("Border"), v.Border);
  r.GetEnum(QStringLiteral("BorderStyle"), v.BorderStyle);
  r.GetColor(QStringLiteral("HighlightColor"), v.HighlightColor);
  r.GetColor(QStringLiteral("ShadowColor"), v.ShadowColor);
  if (!r.Ok()) {
    error = r.Error();
    return false;
  }
  *this = std::move(v);
  return true;
}

bool TPanelBack::operator==(const TPanelBack& o) const {
  return Picture == o.Picture && Caption == o.Caption && Alignment == o.Alignment && Layout == o.Layout &&
         BackImageStyle == o.BackImageStyle && GradientStyle == o.GradientStyle && GradientColor == o.GradientColor &&
         Border == o.Border && BorderStyle == o.BorderStyle && HighlightColor == o.HighlightColor &&
         ShadowColor == o.ShadowColor;
}
