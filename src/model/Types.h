// Basic vocabulary shared by every layer: colours, the enumerations stored as single bytes, and
// the value names used wherever an enumeration appears as text (the JSON form, the inspector).
#pragma once

#include <QString>
#include <QStringList>
#include <cstdint>
#include <optional>

// 32-bit colour: $00BBGGRR for plain colours; values from $FF000000 up name a system colour by
// their low byte.
using TColor = uint32_t;
constexpr TColor clBlack = 0x000000;
constexpr TColor clWhite = 0xFFFFFF;
constexpr TColor clBlue = 0xFF0000;
constexpr TColor clRed = 0x0000FF;
constexpr TColor clGray = 0x808080;
constexpr TColor clSystemColor = 0xFF000000;
constexpr TColor clBtnFace = 0xFF00000F;
constexpr TColor clWindowText = 0xFF000008;
constexpr TColor clWindow = 0xFF000005;
constexpr TColor clBtnShadow = 0xFF000010;
constexpr TColor clBtnHighlight = 0xFF000014;
constexpr TColor clNone = 0x1FFFFFFF;
constexpr TColor clDefault = 0x20000000;

using TCursor = int16_t;
using TShortCut = uint16_t;

enum TObjectType : uint8_t {
  otPanel,
  otTabNotebook,
  otTabSheet,
  otGroupBox,
  otScrollBox,
  otSplitter,
  otStandardButton,
  otImageButton,
  otSimpleText,
  otImage,
  otBevel,
  otFadeButton,
  otLabel,
  otText,
  otShape,
  otBalloon,
  otNote,
  otSlideShow,
  otMemo,
  otRichText,
  otWebBrowser,
  otMediaPlayer,
  otFlashPlayer,
  otPDFReader,
  otMultilineText,
};
constexpr int ObjectTypeCount = 25;

enum TCommandType : uint8_t {
  ctOpenRunFile,
  ctVisitWebsite,
  ctSendEmail,
  ctPrintDocument,
  ctBrowse,
  ctShowMessage,
  ctExit,
  ctPlaySound,
  ctStopSound,
  ctPlayBackMusic,
  ctStopBackMusic,
  ctClosePage,
  ctShowPage,
  ctShowPageModal,
  ctGoToPage,
  ctSetObjectText,
  ctSetObjectImage,
};
constexpr int CommandTypeCount = 17;

enum TSecurityType : uint8_t { stNone, stUser, stAuthentication };
enum TFormPositionType : uint8_t { fptScreen, fptWorkArea, fptDesktop };
enum TFormPosition : uint8_t {
  fpDesigned,
  fpCenter,
  fpLeftCenter,
  fpTopCenter,
  fpRightCenter,
  fpBottomCenter,
  fpLeft,
  fpTop,
  fpRight,
  fpBottom,
  fpLeftTopCorner,
  fpTopRightCorner,
  fpRightBottomCorner,
  fpBottomLeftCorner,
};
enum TAlign : uint8_t { alNone, alTop, alBottom, alLeft, alRight, alClient, alCustom };
// Text placement and picture-beside-caption layout, shared by captions of many kinds.
enum TAlignment : uint8_t { taLeftJustify, taRightJustify, taCenter };
enum TTextLayout : uint8_t { tlTop, tlCenter, tlBottom };
enum TImageLayout : uint8_t { ilLeft, ilTop, ilRight, ilBottom, ilCenter, ilCenterStretch };

// Border of the scroll-box based controls. Scoped: bsNone and bsSingle would clash with the button
// and bevel styles and with the window border style.
enum class TBorderStyle : uint8_t { bsNone, bsSingle };

// Value names of an enumeration, indexed by ordinal. Specialised for every stored enumeration so
// the text forms can name values instead of numbers.
template <class E>
const QStringList& EnumValueNames();

template <>
const QStringList& EnumValueNames<TObjectType>();
template <>
const QStringList& EnumValueNames<TCommandType>();
template <>
const QStringList& EnumValueNames<TSecurityType>();
template <>
const QStringList& EnumValueNames<TFormPositionType>();
template <>
const QStringList& EnumValueNames<TFormPosition>();
template <>
const QStringList& EnumValueNames<TAlign>();
template <>
const QStringList& EnumValueNames<TBorderStyle>();
template <>
const QStringList& EnumValueNames<TAlignment>();
template <>
const QStringList& EnumValueNames<TTextLayout>();
template <>
const QStringList& EnumValueNames<TImageLayout>();

// The value name of an ordinal; a number in text for an ordinal outside the table, so stored
// values the program does not know survive a trip through text.
template <class E>
QString EnumToName(E value) {
  const auto& names = EnumValueNames<E>();
  const int i = static_cast<int>(value);
  return i >= 0 && i < names.size() ? names[i] : QString::number(i);
}

// Accepts a value name or a decimal ordinal in 0..255.
template <class E>
std::optional<E> EnumFromName(const QString& name) {
  const auto& names = EnumValueNames<E>();
  const int i = names.indexOf(name);
  if (i >= 0) return static_cast<E>(i);
  bool ok = false;
  const int v = name.toInt(&ok);
  if (ok && v >= 0 && v <= 255) return static_cast<E>(v);
  return std::nullopt;
}

// Display name of a kind, the stem of generated object names; "Unknow" outside the table.
QString GetObjectTypeName(int kind);
