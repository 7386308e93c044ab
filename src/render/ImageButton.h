// The image button: its face in five looks and the placement of picture and caption. Drawn
// entirely with QPainter in the colours of the system colour table, so it looks the same on
// every platform and renders headless.
#pragma once

#include <QImage>
#include <QPainter>
#include <QRect>
#include <QSize>
#include <QString>

#include "model/PayloadsStandard.h"

// The push button's own states.
enum class TButtonState : uint8_t { Up, Disabled, Down, Exclusive };

// What the control knows when it paints.
struct TImageButtonStatus {
  TButtonState State = TButtonState::Up;
  bool Enabled = true;
  bool MouseInControl = false;  // the pointer is over the button
  bool Designing = false;       // on the designer's editing surface
  bool Grouped = false;         // belongs to a group of exclusive buttons
  bool DownProperty = false;    // held down as a group member
};

// The state as the button paints it: a disabled button is Disabled; an enabled one found in
// Disabled returns to Up, or to Exclusive when it is down in a group.
TButtonState NormaliseButtonState(const TImageButtonStatus& status);

// Flat looks: no frame at rest.
bool IsFlatButtonStyle(TButtonStyle style);

// Draws the face of `style` over `rect` and returns the area left for the content. Transparent
// draws nothing and returns `rect`. `color` fills classic faces (the control's Color).
QRect DrawButtonFace(QPainter& painter, const QRect& rect, TButtonStyle style, TButtonState state, bool hot,
                     bool designing, TColor color);

struct TImageButtonPlacement {
  QPoint Text;     // top-left of the one-line caption, before the press offset
  QRect Picture;   // the picture's place (the stretch target for ilCenterStretch), before the offset
  int Offset = 0;  // d: 2 while pressed with Slide on, else 0
};

// Places a caption of tw × th (0 × 0 when empty) and a picture of `picture` (empty: none) in a
// button of `client`, with margin m and space s.
TImageButtonPlacement PlaceImageButton(TImageLayout layout, QSize client, QSize picture, QSize text, int margin,
                                       int space, bool pressedSlide);

// Paints a whole image button: face, the editing outline of flat looks, picture and caption.
// `image` and `imageOver` are the decoded pictures (null when empty).
void PaintImageButton(QPainter& painter, QSize client, const TImageButtonPayload& button,
                      const TImageButtonStatus& status, const QImage& image, const QImage& imageOver,
                      TColor color = clBtnFace);
