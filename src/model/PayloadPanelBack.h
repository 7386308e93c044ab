// The painted background of a panel and of every page: fill colour or gradient, picture, caption
// and a one-pixel 3D border. It is not an object kind of its own; its block sits inside the panel
// payload. The first gradient colour is the owning panel's Color, and the caption font is the
// panel's Font.
#pragma once

#include <QJsonObject>
#include <QString>

#include "model/Stream.h"
#include "model/Types.h"

enum TPictureStyle : uint8_t { psNormal, psCenter, psStretch, psTile, psAutoSize };
enum TGradientStyle : uint8_t {
  gsNone,
  gsTopBottom,
  gsBottomTop,
  gsLeftRight,
  gsRightLeft,
  gsMiddleTopBottom,
  gsMiddleLeftRight,
  gsTopBottomMiddle,
  gsLeftRightMiddle,
};
enum TPanelBackBorder : uint8_t {
  pbbNone,
  pbbBox,
  pbbFrame,
  pbbLeftLine,
  pbbTopLine,
  pbbRightLine,
  pbbBottomLine,
};
enum TPanelBackBorderStyle : uint8_t { pbbsFlat, pbbsLowered, pbbsRaised };

template <>
const QStringList& EnumValueNames<TPictureStyle>();
template <>
const QStringList& EnumValueNames<TGradientStyle>();
template <>
const QStringList& EnumValueNames<TPanelBackBorder>();
template <>
const QStringList& EnumValueNames<TPanelBackBorderStyle>();

namespace PayloadCodes {
constexpr int PanelBackWrite = 4087, PanelBackRead = 4088;
}

struct TPanelBack {
  TPicture Picture;
  QString Caption = QStringLiteral("Panel");
  TAlignment Alignment = taCenter;
  TTextLayout Layout = tlCenter;
  TPictureStyle BackImageStyle = psStretch;
  TGradientStyle GradientStyle = gsNone;
  TColor GradientColor = clBlack;
  TPanelBackBorder Border = pbbBox;
  TPanelBackBorderStyle BorderStyle = pbbsRaised;
  TColor HighlightColor = clBtnHighlight;
  TColor ShadowColor = clBtnShadow;
  // The designer's dot grid. A display setting, never stored: reading keeps it, comparison and
  // the text form ignore it.
  bool PaintGrid = false;

  // The stored block (codes 4087 / 4088). A failed read leaves the background unchanged.
  bool Write(TStream& s) const;
  bool Read(TStream& s);
  QJsonObject ToJson() const;
  // Absent fields keep their current values; on error nothing changes.
  bool FromJson(const QJsonObject& json, QString& error);

  // Equality of everything stored (PaintGrid excluded).
  bool operator==(const TPanelBack& other) const;
};
