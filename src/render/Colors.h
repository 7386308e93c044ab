// Colour helpers of the render layer: the one table that resolves system colours, conversion of
// stored colours to Qt colours, and the exact per-channel interpolation the gradients use.
#pragma once

#include <QColor>
#include <QRgb>

#include "model/Types.h"

// Indices of the system colours, the low byte of a TColor from $FF000000 up.
namespace SysColor {
enum : int {
  ScrollBar = 0,
  Background = 1,
  ActiveCaption = 2,
  InactiveCaption = 3,
  Menu = 4,
  Window = 5,
  WindowFrame = 6,
  MenuText = 7,
  WindowText = 8,
  CaptionText = 9,
  ActiveBorder = 10,
  InactiveBorder = 11,
  AppWorkSpace = 12,
  Highlight = 13,
  HighlightText = 14,
  BtnFace = 15,
  BtnShadow = 16,
  GrayText = 17,
  BtnText = 18,
  InactiveCaptionText = 19,
  BtnHighlight = 20,
  DkShadow3D = 21,
  Light3D = 22,
  InfoText = 23,
  InfoBk = 24,
  HotLight = 26,
  GradientActiveCaption = 27,
  GradientInactiveCaption = 28,
  MenuHighlight = 29,
  MenuBar = 30,
};
constexpr int Count = 31;
}  // namespace SysColor

// The TColor that names system colour `index`.
constexpr TColor SystemColor(int index) { return clSystemColor | static_cast<TColor>(index & 0xFF); }
constexpr bool IsSystemColor(TColor color) { return (color & 0xFF000000u) == clSystemColor; }

// Current RGB of a system colour (opaque); black for an index outside the table, as the platform
// answers for an unknown index.
QRgb SystemColorRGB(int index);
// Replaces one entry of the table (for example to follow the desktop's palette); ignored outside
// the table. Not thread-safe: the user-interface thread owns the table.
void SetSystemColorRGB(int index, QRgb rgb);
// Restores the built-in defaults of every entry.
void ResetSystemColors();

// A stored colour as opaque RGB: system colours through the table, anything else from its low
// three bytes ($00BBGGRR).
QRgb ColorToRGB(TColor color);
inline QColor ToQColor(TColor color) { return QColor::fromRgb(ColorToRGB(color)); }
// The stored form ($00BBGGRR) of an RGB value; alpha is dropped.
constexpr TColor RGBToColor(QRgb rgb) {
  return static_cast<TColor>(qRed(rgb)) | (static_cast<TColor>(qGreen(rgb)) << 8) |
         (static_cast<TColor>(qBlue(rgb)) << 16);
}

// num / den rounded to the nearest integer, halves to the even neighbour; den must be positive.
int RoundHalfEven(int num, int den);

// Step i of n from `from` towards `to`: each channel is from + round((to − from) × i / n) with
// halves to even; n below 1 counts as 1. Alpha of the result is 255.
QRgb InterpolateColor(QRgb from, QRgb to, int i, int n);

// Per-channel (a + b) div 2, used for softened corner pixels. Alpha of the result is 255.
QRgb MidColor(QRgb a, QRgb b);
