// Small pieces shared by the balloon, note and painted-control builders.
#pragma once

#include <QImage>
#include <QPainter>
#include <QSize>
#include <functional>

#include "model/Types.h"

// Pictures are built in memory at full size; an object far larger than any screen (an 8K display)
// comes only from a damaged or hostile file and is not built at all.
constexpr qint64 MaxBuiltPixels = qint64(7680) * 4320;

inline bool BuildableSize(QSize size) {
  return size.width() > 0 && size.height() > 0 && qint64(size.width()) * size.height() <= MaxBuiltPixels;
}

// A blank 32-bit picture with alpha, every byte zero (transparent black).
QImage BlankArgbImage(QSize size);

// Runs a drawing on the colour channels of an ARGB picture only: what is drawn changes the colours,
// the alpha channel stays as it was (a caption drawn into a prebuilt picture never makes
// transparent pixels visible).
void DrawOnColourOnly(QImage& image, const std::function<void(QPainter&)>& draw);
