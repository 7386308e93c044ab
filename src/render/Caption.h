// The caption painter shared by backgrounds, shapes, balloons, notes, buttons and slide shows,
// and the conversion of stored fonts to Qt fonts.
#pragma once

#include <QFont>
#include <QPainter>
#include <QRect>
#include <QString>

#include "model/Stream.h"
#include "model/Types.h"

// A stored font as a Qt font: face name, styles, and a pixel size following the 96-dpi rule
// size × 96 / 72 rounded (8 points = 11 pixels), so captions measure the same on every device.
// A size of 0 or less is taken as a height in pixels (its magnitude), 0 as the default 8 points.
QFont ToQFont(const TFont& font);
// Pixel size ToQFont gives a stored point size.
int FontPixelSize(int32_t size);

// Draws `text` into `rect` with the font and its colour, without any background: tabs expanded
// to 8 average character widths, "&" shown as it is, lines broken at words when `wordWrap` is on
// (line breaks in the text always count; "\r\n" and "\r" are line breaks).
// `alignment` combines one horizontal flag (Qt::AlignLeft, Qt::AlignRight, Qt::AlignHCenter) and
// one vertical flag (Qt::AlignTop, Qt::AlignVCenter, Qt::AlignBottom). For a vertical flag other
// than top, the text's height is measured in the rectangle's width (an empty text as one space):
// bottom moves the top edge to bottom − height; centre moves both edges inwards by
// (rect height − height) div 2 (outwards for a taller text). The text is then drawn from the top
// of that rectangle and clipped to it. The painter's layout direction gives the reading order.
// Returns the rectangle the text was drawn into.
QRect DrawCaptionText(QPainter& painter, const QString& text, const QRect& rect, bool wordWrap, Qt::Alignment alignment,
                      const TFont& font);

// The alignment flags of a stored horizontal alignment and vertical layout.
Qt::Alignment CaptionAlignment(TAlignment alignment, TTextLayout layout);

// Height in pixels of `text` laid out as DrawCaptionText lays it out in a rectangle `width` wide.
int MeasureCaptionHeight(QPainter& painter, const QString& text, int width, bool wordWrap, Qt::Alignment alignment,
                         const TFont& font);
