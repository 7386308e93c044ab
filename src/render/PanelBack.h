// Painting of a page's or panel's background: fill or gradient from the panel's colour, picture,
// caption, one-pixel 3D border and the designer's dot grid.
#pragma once

#include <QImage>
#include <QPainter>
#include <QSize>

#include "model/PayloadPanelBack.h"

// The DrawGradient code of a gradient style (gsNone has none: 0).
int GradientCodeOf(TGradientStyle style);

// Draws `picture` in `style` over a client area of `client` (natural size at the top-left,
// centred and cut when larger, stretched, or tiled from the top-left; auto-size draws nothing).
void DrawPanelPicture(QPainter& painter, QSize client, const QImage& picture, TPictureStyle style);

// The one-pixel border lines of `border` in the look of `style` over a client area of `client`.
void DrawPanelBorder(QPainter& painter, QSize client, TPanelBackBorder border, TPanelBackBorderStyle style,
                     TColor highlightColor, TColor shadowColor);

// One black pixel at every multiple of the grid spacing, both edges included. Spacings below 1
// draw nothing.
void DrawPanelGrid(QPainter& painter, QSize client, int gridX, int gridY);

struct TPanelBackContext {
  TColor PanelColor = clBtnFace;  // the owning panel's Color: fill and first gradient colour
  TFont Font;                     // the owning panel's font, for the caption
  QImage Picture;                 // the decoded background picture (null when none)
  int GridX = 8;                  // the designer's grid spacing
  int GridY = 8;
};

// Paints the whole background over (0, 0, client) in order: fill, picture, caption, border, grid.
void PaintPanelBack(QPainter& painter, QSize client, const TPanelBack& back, const TPanelBackContext& context);

// The same into a new opaque image.
QImage BuildPanelBackImage(QSize client, const TPanelBack& back, const TPanelBackContext& context);
