// The note's picture: a rounded rectangle of up to four nested shades of its colour, an optional soft
// drop shadow, and a triangular pointer on one of twelve positions or a decoration at the top.
#pragma once

#include <QImage>
#include <QPolygon>
#include <QRect>
#include <QSize>

struct TNoteFields;

// Graphic codes: 0..11 pointers, then these three.
namespace NoteGraphic {
constexpr int None = 12;
constexpr int Bind = 13;  // a binder ring at the top
constexpr int Pad = 14;   // a pin pad at the top
}  // namespace NoteGraphic

struct TNoteSides {
  bool Left = false, Top = false, Right = false, Bottom = false;
  bool operator==(const TNoteSides&) const = default;
};

// The sides a graphic takes space from; a corner pointer counts for both of its sides, the
// decorations for the top.
TNoteSides NoteSides(int graphic);

// Body rectangle of layer 0 as (left, top, right, bottom) edges with right and bottom exclusive:
// 5 pixels in from each edge, 22 on a pointer side. Layer t shrinks it by t on every side.
QRect NoteBodyRect(QSize size, int graphic, int layer);

// The pointer triangle of a layer (0..3) for graphics 0..11, moved by offset; empty for others.
QPolygon NotePointer(int graphic, int layer, QSize size, QPoint offset = {});

// shade(N, b): each channel c moves to c + b * (255 - c) div 100, limited to 0..255.
QRgb NoteShade(QRgb colour, int percent);

// Layers, shadow and alpha; no caption or decoration. The colour is plain RGB.
QImage BuildNoteShape(QSize size, int graphic, int round, QRgb back, bool flat, bool shadow);

// The caption's rectangle: the margin on every side, 17 more on each pointer side.
QRect NoteCaptionRect(QSize size, int graphic, int margin);

// The decorations, drawn in code: a binder ring (60 x 37) and a pin pad (70 x 33), both with alpha.
const QImage& NoteBindPicture();
const QImage& NotePadPicture();

// Lays a decoration over the note at the top centre: its colour blends over the note's, and each
// pixel keeps the larger of the two alphas, so the decoration may stand out above the body.
void DrawNoteDecoration(QImage& note, const QImage& decoration);

// The whole picture of a note object of the given size. Null for an empty or absurdly large size.
QImage BuildNoteImage(const TNoteFields& note, QSize size);
