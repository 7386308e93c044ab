// The bevel's lines and the group box's classic look.
#pragma once

#include <QImage>
#include <QPainter>
#include <QSize>

#include "model/PayloadsStandard.h"

// Paints a bevel of the given size. Lines are one pixel wide and, like the platform's line drawing,
// include their start point and leave out their end point. A spacer draws nothing but the design
// outline when `editing`.
void PaintBevel(QPainter& painter, QSize size, TBevelStyle style, TBevelShape shape, TColor highlight, TColor shadow,
                bool editing);
void PaintBevel(QPainter& painter, QSize size, const TBevelPayload& bevel, bool editing);

// A bevel on a transparent picture, for tests and previews.
QImage BuildBevelImage(QSize size, const TBevelPayload& bevel, bool editing = false);

// The top edge of the group box's frame: half the font's text height, less one.
int GroupBoxFrameTop(const TFont& font);

// The classic group box: the client filled with its colour, an etched frame (highlight one pixel
// down and right, then shadow) or a plain window-frame one when not three-dimensional, and the
// caption on the box's colour 8 pixels from the left, or from the right for right-to-left reading.
void PaintGroupBoxClassic(QPainter& painter, QSize size, const TGroupBoxPayload& box, bool threeD = true,
                          bool rightToLeft = false);
