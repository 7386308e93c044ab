// Placing a page window: fourteen placements relative to the screen, its work area or the whole
// desktop, with a margin kept from the area's edges.
#pragma once

#include <QRect>

#include "model/PageStream.h"

class QWidget;

// The reference areas, in desktop coordinates.
struct TPositionAreas {
  QRect Screen;    // the whole primary screen
  QRect WorkArea;  // the primary screen less its task bars and panels
  QRect Desktop;   // every screen together
};

// The areas of the running desktop.
TPositionAreas CurrentPositionAreas();

// The window's new frame rectangle for the page's position settings (FormPosition,
// FormPositionType, FormPositionMargin, FormPositionX, FormPositionY) and its current frame.
// Centring divides with truncation towards zero; stretched sizes never go below 0; an unknown
// placement value keeps the frame as it is.
QRect DoPosition(const TPageProps& page, const QRect& frame, const TPositionAreas& areas);

// Places a window by its page's settings on the running desktop and, when live, applies the
// page's window state.
void DoPosition(QWidget& window, const TPageProps& page);
