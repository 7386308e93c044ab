// The page's status panels: sunken sections of their stored widths on the button face, the last
// one reaching to the right edge. Drawn the same by the page window and by page pictures.
#pragma once

#include <QPainter>
#include <QSize>

#include "model/PageStream.h"

void PaintStatusPanels(QPainter& painter, QSize size, const TStatusBarData& data);
