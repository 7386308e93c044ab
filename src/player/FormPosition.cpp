#include "player/FormPosition.h"

#include <QGuiApplication>
#include <QScreen>
#include <QWidget>
#include <algorithm>

#include "model/Globals.h"

namespace {
// Far beyond any desktop, and far from where QRect's own arithmetic would overflow.
constexpr qint64 CoordinateLimit = 1 << 24;
}  // namespace

TPositionAreas CurrentPositionAreas() {
  TPositionAreas areas;
  if (const QScreen* screen = QGuiApplication::primaryScreen()) {
    areas.Screen = screen->geometry();
    areas.WorkArea = screen->availableGeometry();
    areas.Desktop = screen->virtualGeometry();
  }
  return areas;
}

QRect DoPosition(const TPageProps& page, const QRect& frame, const TPositionAreas& areas) {
  QRect r;
  switch (page.FormPositionType) {
    case fptWorkArea:
      r = areas.WorkArea;
      break;
    case fptDesktop:
      r = areas.Desktop;
      break;
    case fptScreen:
    default:
      r = areas.Screen;
      break;
  }
  // Edges as the area's outer bounds: right and bottom lie one past the last pixel. Damaged page
  // data may carry any 32-bit margin or offset, so the sums are taken wide and limited after.
  const qint64 left = r.left(), top = r.top(), right = left + r.width(), bottom = top + r.height();
  const qint64 w = frame.width(), h = frame.height(), m = page.FormPositionMargin;
  const qint64 centredX = left + (right - left - w) / 2;  // C++ division truncates towards zero
  const qint64 centredY = top + (bottom - top - h) / 2;
  const qint64 nearX = left + m, nearY = top + m, farX = right - w - m, farY = bottom - h - m;
  const qint64 fullWidth = right - left - 2 * m, fullHeight = bottom - top - 2 * m;

  qint64 x = nearX, y = nearY, newW = w, newH = h;
  switch (page.FormPosition) {
    case fpDesigned:
      x = nearX + page.FormPositionX;
      y = nearY + page.FormPositionY;
      break;
    case fpCenter:
      x = centredX, y = centredY;
      break;
    case fpLeftCenter:
      x = nearX, y = centredY;
      break;
    case fpTopCenter:
      x = centredX, y = nearY;
      break;
    case fpRightCenter:
      x = farX, y = centredY;
      break;
    case fpBottomCenter:
      x = centredX, y = farY;
      break;
    case fpLeft:
      x = nearX, y = nearY, newH = fullHeight;
      break;
    case fpTop:
      x = nearX, y = nearY, newW = fullWidth;
      break;
    case fpRight:
      x = farX, y = nearY, newH = fullHeight;
      break;
    case fpBottom:
      x = nearX, y = farY, newW = fullWidth;
      break;
    case fpLeftTopCorner:
      x = nearX, y = nearY;
      break;
    case fpTopRightCorner:
      x = farX, y = nearY;
      break;
    case fpRightBottomCorner:
      x = farX, y = farY;
      break;
    case fpBottomLeftCorner:
      x = nearX, y = farY;
      break;
    default:  // an unknown stored value leaves the window where it is
      return frame;
  }
  const auto coordinate = [](qint64 v) { return int(std::clamp<qint64>(v, -CoordinateLimit, CoordinateLimit)); };
  const auto size = [](qint64 v) { return int(std::clamp<qint64>(v, 0, CoordinateLimit)); };
  return QRect(coordinate(x), coordinate(y), size(newW), size(newH));
}

void DoPosition(QWidget& window, const TPageProps& page) {
  const QRect frame = window.frameGeometry();
  const QRect placed = DoPosition(page, frame, CurrentPositionAreas());
  window.move(placed.topLeft());  // a window's position is that of its frame
  if (placed.size() != frame.size()) {
    // Only the stretched dimension changes; the frame's decoration stays as it is.
    const QSize decoration = frame.size() - window.size();
    window.resize((placed.size() - decoration).expandedTo(QSize(0, 0)));
  }
  if (!IsLive()) return;
  switch (page.FormWindowState) {
    case TWindowState::wsMinimized:
      window.setWindowState(Qt::WindowMinimized);
      break;
    case TWindowState::wsMaximized:
      window.setWindowState(Qt::WindowMaximized);
      break;
    case TWindowState::wsNormal:
    default:
      window.setWindowState(Qt::WindowNoState);
      break;
  }
}
