#include "render/Colors.h"

#include <algorithm>
#include <array>

namespace {
// A current desktop's defaults; index 25 has no meaning and stays black.
constexpr std::array<QRgb, SysColor::Count> DefaultSystemColors = {
    qRgb(0xC8, 0xC8, 0xC8),  // ScrollBar
    qRgb(0x00, 0x00, 0x00),  // Background (desktop)
    qRgb(0x99, 0xB4, 0xD1),  // ActiveCaption
    qRgb(0xBF, 0xCD, 0xDB),  // InactiveCaption
    qRgb(0xF0, 0xF0, 0xF0),  // Menu
    qRgb(0xFF, 0xFF, 0xFF),  // Window
    qRgb(0x64, 0x64, 0x64),  // WindowFrame
    qRgb(0x00, 0x00, 0x00),  // MenuText
    qRgb(0x00, 0x00, 0x00),  // WindowText
    qRgb(0x00, 0x00, 0x00),  // CaptionText
    qRgb(0xB4, 0xB4, 0xB4),  // ActiveBorder
    qRgb(0xF4, 0xF7, 0xFC),  // InactiveBorder
    qRgb(0xAB, 0xAB, 0xAB),  // AppWorkSpace
    qRgb(0x00, 0x78, 0xD7),  // Highlight
    qRgb(0xFF, 0xFF, 0xFF),  // HighlightText
    qRgb(0xF0, 0xF0, 0xF0),  // BtnFace
    qRgb(0xA0, 0xA0, 0xA0),  // BtnShadow
    qRgb(0x6D, 0x6D, 0x6D),  // GrayText
    qRgb(0x00, 0x00, 0x00),  // BtnText
    qRgb(0x00, 0x00, 0x00),  // InactiveCaptionText
    qRgb(0xFF, 0xFF, 0xFF),  // BtnHighlight
    qRgb(0x69, 0x69, 0x69),  // DkShadow3D
    qRgb(0xE3, 0xE3, 0xE3),  // Light3D
    qRgb(0x00, 0x00, 0x00),  // InfoText
    qRgb(0xFF, 0xFF, 0xE1),  // InfoBk
    qRgb(0x00, 0x00, 0x00),  // (unused)
    qRgb(0x00, 0x66, 0xCC),  // HotLight
    qRgb(0xB9, 0xD1, 0xEA),  // GradientActiveCaption
    qRgb(0xD7, 0xE4, 0xF2),  // GradientInactiveCaption
    qRgb(0x33, 0x99, 0xFF),  // MenuHighlight
    qRgb(0xF0, 0xF0, 0xF0),  // MenuBar
};

std::array<QRgb, SysColor::Count>& Table() {
  static std::array<QRgb, SysColor::Count> table = DefaultSystemColors;
  return table;
}
}  // namespace

QRgb SystemColorRGB(int index) {
  if (index < 0 || index >= SysColor::Count) return qRgb(0, 0, 0);
  return Table()[static_cast<size_t>(index)];
}

void SetSystemColorRGB(int index, QRgb rgb) {
  if (index < 0 || index >= SysColor::Count) return;
  Table()[static_cast<size_t>(index)] = rgb | 0xFF000000u;
}

void ResetSystemColors() { Table() = DefaultSystemColors; }

QRgb ColorToRGB(TColor color) {
  if (IsSystemColor(color)) return SystemColorRGB(static_cast<int>(color & 0xFF));
  return qRgb(static_cast<int>(color & 0xFF), static_cast<int>((color >> 8) & 0xFF),
              static_cast<int>((color >> 16) & 0xFF));
}

int RoundHalfEven(int num, int den) {
  // Exact integer form of rounding num / den: the quotients here are small, so the result equals
  // rounding the floating-point quotient, without any doubt at the halves.
  int q = num / den;
  int r = num % den;
  if (r < 0) {  // floor division
    r += den;
    --q;
  }
  const int twice = 2 * r;
  if (twice > den || (twice == den && (q & 1) != 0)) ++q;
  return q;
}

QRgb InterpolateColor(QRgb from, QRgb to, int i, int n) {
  if (n < 1) n = 1;
  // Clamped so that a step beyond n cannot wrap a channel round.
  auto channel = [&](int f, int t) { return std::clamp(f + RoundHalfEven((t - f) * i, n), 0, 255); };
  return qRgb(channel(qRed(from), qRed(to)), channel(qGreen(from), qGreen(to)), channel(qBlue(from), qBlue(to)));
}

QRgb MidColor(QRgb a, QRgb b) {
  return qRgb((qRed(a) + qRed(b)) / 2, (qGreen(a) + qGreen(b)) / 2, (qBlue(a) + qBlue(b)) / 2);
}
