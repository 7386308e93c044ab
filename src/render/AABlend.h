// Foregrounds of effect text (gradient, texture, noise) and blending a colour or a foreground
// through a coverage mask with the renderer's integer arithmetic.
#pragma once

#include <QImage>
#include <QRgb>
#include <vector>

#include "render/AAMask.h"

// Gradient entries: n = length, or (length + 1) / 2 when centred; entry i = a + i × (b − a) / n per
// channel (division truncating); centred entries length − 1 − i repeat entry i.
std::vector<QRgb> GradientEntries(int length, bool centred, QRgb a, QRgb b);

// Texture placement over a foreground of its own.
enum class TTexturePlacement { Tiled, Stretched, Center, Normal };

// A foreground the size of a mask (RGB32).
QImage ColorForeground(int width, int height, QRgb color);
// Horizontal: every row holds the entries as columns; vertical: row r is entry r.
QImage GradientForeground(int width, int height, const std::vector<QRgb>& entries, bool horizontal);
// The font colour with the picture drawn on it.
QImage TextureForeground(int width, int height, const QImage& picture, TTexturePlacement placement, QRgb color);
// Adds random(noise) − noise / 2 to every channel of every pixel, clamped to 0..255.
void AddNoise(QImage& foreground, int noise, TAARandom& random);

// How the target area is prepared before blending: blend over what is there (clear brush) or fill
// with the brush colour first (solid brush).
struct TAABrush {
  bool Solid = false;
  QRgb Color = 0xFFFFFFFF;
};

// Blends through mask onto canvas at (x, y), clipped to the canvas. Opacity alpha in percent:
// f = alpha × 256 / 100, w = coverage × f; w >= 65280 takes the foreground, w >= 256 moves each
// channel from v towards c by (c − v) × (w / 256) / 256, less leaves the pixel. The canvas may be
// RGB32 or ARGB32_Premultiplied: the alpha byte moves towards 255 the same way, so a transparent
// layer built like this composes over a background like blending straight onto it.
// foreground, when given, is the mask's size; otherwise color is used everywhere.
void BlendMask(QImage& canvas, int x, int y, const TAAMask& mask, const QImage* foreground, QRgb color, int alpha,
               const TAABrush& brush = {});
