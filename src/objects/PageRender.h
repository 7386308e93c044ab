// Still pictures of a page, drawn offscreen: the page as the player shows it at rest, or as the
// designer's canvas shows it (menuvia-cli render, screenshots of the test fixtures).
//
// The picture is the page window's client area: the menu bar strip (the page's top-level menu
// captions) at the top, the page panel with every object below it and the status bar at the bottom
// when it has panels. The stored Width and Height are the window's outer size; a framed window
// keeps PageFrameAllowance of it for its borders and title bar, which are not drawn.
#pragma once

#include <QImage>
#include <QSize>
#include <QString>

#include "model/PageStream.h"

struct TRenderOptions {
  bool Live = true;       // the player at rest; false: the designer's editing canvas
  QString ProjectFolder;  // relative file names resolve against it
};

namespace PageRenderLimits {
constexpr int MaxSide = 16384;
constexpr qint64 MaxPixels = qint64(64) * 1024 * 1024;
}  // namespace PageRenderLimits

// Borders and title bar of the page window: none without a border, else a fixed 16 × 51 (the page
// window's frame at its design size: 696 × 480 outside, 680 × 429 inside).
QSize PageFrameAllowance(const TPageProps& page);
// The size of the picture RenderPage draws: the outer size less the frame, at least 1 × 1.
QSize RenderedPageSize(const TPageProps& page);

// Builds the page's controls under a host widget that is never put on screen, lays the page out
// once, brings every fade and entrance animation to rest when live, grabs the picture and releases
// the controls again (the records' Control pointers are null afterwards). The page's records keep
// the bounds docking gave them. A page whose records already have controls (shown elsewhere) is
// drawn from a copy, so those controls are left alone.
// Returns a null image and a message in error for a page too large to draw or one that cannot be
// built (no page panel, an unknown object kind).
QImage RenderPage(TPageData& page, const TRenderOptions& options, QString* error = nullptr);
