// The two-colour gradient fill shared by backgrounds, shapes, balloons, notes and slide shows.
#pragma once

#include <QPainter>
#include <QRect>

#include "model/Types.h"

// Gradient codes as the stored fill values use them.
namespace GradientCode {
enum : int {
  TopBottom = 1,        // A at the top to B at the bottom
  BottomTop = 2,        // B at the top to A at the bottom
  LeftRight = 3,        // A at the left to B at the right
  RightLeft = 4,        // B at the left to A at the right
  MiddleTopBottom = 5,  // B at top and bottom, A across the middle
  TopBottomMiddle = 6,  // A at top and bottom, B across the middle
  MiddleLeftRight = 7,  // B at both sides, A down the middle
  LeftRightMiddle = 8,  // A at both sides, B down the middle
};
}

// Fills `rect` (left, top, width, height; a negative width or height is normalised) with gradient
// `style` 1 to 8 from colour A to colour B, drawn as one-pixel lines each in its own colour, so
// the pixels are exact (no dithering, no antialiasing). Any other style draws nothing. System
// colours are resolved through the colour table. Only pixels inside `rect` are touched.
void DrawGradient(QPainter& painter, int style, TColor colorA, TColor colorB, const QRect& rect);
