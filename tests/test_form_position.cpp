// Placing page windows: every placement over screen, work area and desktop, with margins.
#include <gtest/gtest.h>

#include <QGuiApplication>
#include <QScreen>
#include <QTest>
#include <QWidget>
#include <climits>
#include <cstdlib>

#include "model/Globals.h"
#include "player/FormPosition.h"

namespace {
// A 1920 × 1080 screen with a 40-pixel bar at the top and a second screen to the upper left, so
// every area has its own left and top.
const TPositionAreas Areas{QRect(0, 0, 1920, 1080), QRect(0, 40, 1920, 1040), QRect(-1280, -200, 3200, 1280)};

TPageProps Page(TFormPosition position, TFormPositionType type, int margin, int x = 0, int y = 0) {
  TPageProps page;
  page.FormPosition = position;
  page.FormPositionType = type;
  page.FormPositionMargin = margin;
  page.FormPositionX = x;
  page.FormPositionY = y;
  return page;
}
}  // namespace

TEST(FormPosition, EveryPlacementOverEveryAreaAndMargin) {
  // Where each edge goes: N near edge + margin, F far edge − size − margin, C centred,
  // K size kept, S stretched to the area less both margins.
  struct Case {
    TFormPosition position;
    char x, y, w, h;
  };
  const Case cases[] = {
      {fpCenter, 'C', 'C', 'K', 'K'},
      {fpLeftCenter, 'N', 'C', 'K', 'K'},
      {fpTopCenter, 'C', 'N', 'K', 'K'},
      {fpRightCenter, 'F', 'C', 'K', 'K'},
      {fpBottomCenter, 'C', 'F', 'K', 'K'},
      {fpLeft, 'N', 'N', 'K', 'S'},
      {fpTop, 'N', 'N', 'S', 'K'},
      {fpRight, 'F', 'N', 'K', 'S'},
      {fpBottom, 'N', 'F', 'S', 'K'},
      {fpLeftTopCorner, 'N', 'N', 'K', 'K'},
      {fpTopRightCorner, 'F', 'N', 'K', 'K'},
      {fpRightBottomCorner, 'F', 'F', 'K', 'K'},
      {fpBottomLeftCorner, 'N', 'F', 'K', 'K'},
  };
  // Near, far and centred positions and stretched sizes per area and margin, worked out by hand
  // for a 301 × 201 window (odd, so centring truncates).
  struct Edges {
    TFormPositionType type;
    int margin;
    int nearX, farX, centreX, fullW;
    int nearY, farY, centreY, fullH;
  };
  const Edges edges[] = {
      {fptScreen, 0, 0, 1619, 809, 1920, 0, 879, 439, 1080},
      {fptScreen, 12, 12, 1607, 809, 1896, 12, 867, 439, 1056},
      {fptWorkArea, 0, 0, 1619, 809, 1920, 40, 879, 459, 1040},
      {fptWorkArea, 12, 12, 1607, 809, 1896, 52, 867, 459, 1016},
      {fptDesktop, 0, -1280, 1619, 169, 3200, -200, 879, 339, 1280},
      {fptDesktop, 12, -1268, 1607, 169, 3176, -188, 867, 339, 1256},
  };
  const QRect frame(777, 555, 301, 201);  // where it was must not matter
  for (const Edges& e : edges)
    for (const Case& c : cases) {
      const QRect placed = DoPosition(Page(c.position, e.type, e.margin), frame, Areas);
      const int x = c.x == 'N' ? e.nearX : c.x == 'F' ? e.farX : e.centreX;
      const int y = c.y == 'N' ? e.nearY : c.y == 'F' ? e.farY : e.centreY;
      const int w = c.w == 'S' ? e.fullW : 301;
      const int h = c.h == 'S' ? e.fullH : 201;
      EXPECT_EQ(placed, QRect(x, y, w, h)) << EnumToName(c.position).toStdString() << " over "
                                           << EnumToName(e.type).toStdString() << " margin " << e.margin;
    }
}

TEST(FormPosition, DesignedOffsetsCountFromTheAreaAndMargin) {
  const QRect frame(0, 0, 300, 200);
  EXPECT_EQ(DoPosition(Page(fpDesigned, fptScreen, 0, 30, 20), frame, Areas), QRect(30, 20, 300, 200));
  EXPECT_EQ(DoPosition(Page(fpDesigned, fptWorkArea, 5, 30, -10), frame, Areas), QRect(35, 35, 300, 200));
  EXPECT_EQ(DoPosition(Page(fpDesigned, fptDesktop, 5, 30, 20), frame, Areas), QRect(-1245, -175, 300, 200));
}

TEST(FormPosition, CentringTruncatesTowardsZero) {
  // Overhangs of 3 and 5 pixels: −1 and −2 (not −2 and −3, as flooring would give).
  EXPECT_EQ(DoPosition(Page(fpCenter, fptScreen, 0), QRect(0, 0, 1923, 1085), Areas), QRect(-1, -2, 1923, 1085));
  // On the desktop area the truncated half is added to its negative left.
  EXPECT_EQ(DoPosition(Page(fpCenter, fptDesktop, 0), QRect(0, 0, 3203, 1281), Areas), QRect(-1281, -200, 3203, 1281));
}

TEST(FormPosition, RightUnderATopBarFillsTheWorkArea) {
  const QRect placed = DoPosition(Page(fpRight, fptWorkArea, 10), QRect(0, 0, 300, 200), Areas);
  EXPECT_EQ(placed, QRect(1610, 50, 300, 1020));
}

TEST(FormPosition, DamagedSettingsStayInBounds) {
  const QRect frame(40, 30, 300, 200);
  // A margin above half the area stretches to nothing rather than to a negative size.
  EXPECT_EQ(DoPosition(Page(fpLeft, fptScreen, 600), frame, Areas), QRect(600, 600, 300, 0));
  EXPECT_EQ(DoPosition(Page(fpTop, fptScreen, 1000), frame, Areas), QRect(1000, 1000, 0, 200));
  // An unknown placement keeps the window where it is.
  EXPECT_EQ(DoPosition(Page(static_cast<TFormPosition>(99), fptScreen, 5), frame, Areas), frame);
  // An unknown area type is taken as the screen.
  EXPECT_EQ(DoPosition(Page(fpLeftTopCorner, static_cast<TFormPositionType>(7), 5), frame, Areas),
            QRect(5, 5, 300, 200));
  // Extreme stored values neither overflow nor reach sizes a window cannot take.
  for (const int v : {INT_MAX, INT_MIN}) {
    const QRect placed = DoPosition(Page(fpBottom, fptDesktop, v, v, v), frame, Areas);
    EXPECT_LE(std::abs(qint64(placed.left())), qint64(1) << 24) << v;
    EXPECT_LE(std::abs(qint64(placed.top())), qint64(1) << 24) << v;
    EXPECT_GE(placed.width(), 0) << v;
    EXPECT_LE(placed.width(), 1 << 24) << v;
    const QRect designed = DoPosition(Page(fpDesigned, fptScreen, v, v, v), frame, Areas);
    EXPECT_EQ(designed.size(), frame.size()) << v;
  }
}

TEST(FormPosition, PlacesARealWindowOnThePrimaryScreen) {
  const TPositionAreas areas = CurrentPositionAreas();
  ASSERT_EQ(areas.Screen, QGuiApplication::primaryScreen()->geometry());
  ASSERT_FALSE(areas.Screen.isEmpty());

  const bool wasDesigner = IsDesigner;
  IsDesigner = false;
  QWidget window;
  window.resize(200, 100);
  window.show();
  ASSERT_TRUE(QTest::qWaitForWindowExposed(&window));
  TPageProps page = Page(fpRightBottomCorner, fptScreen, 4);
  DoPosition(window, page);
  const QRect s = areas.Screen;
  // The frame, decoration included, is what is placed and what keeps the margin.
  const QSize frame = window.frameGeometry().size();
  EXPECT_EQ(window.frameGeometry().topLeft(),
            QPoint(s.left() + s.width() - frame.width() - 4, s.top() + s.height() - frame.height() - 4));
  EXPECT_EQ(window.size(), QSize(200, 100));
  EXPECT_EQ(window.windowState(), Qt::WindowNoState);

  page = Page(fpTop, fptScreen, 4);
  page.FormWindowState = TWindowState::wsMaximized;
  DoPosition(window, page);
  EXPECT_EQ(window.frameGeometry(), QRect(s.left() + 4, s.top() + 4, s.width() - 8, frame.height()));
  EXPECT_EQ(window.height(), 100);
  EXPECT_EQ(window.windowState(), Qt::WindowMaximized);

  // The designer's editing canvas keeps its window state.
  IsDesigner = true;
  page.FormWindowState = TWindowState::wsMinimized;
  DoPosition(window, page);
  EXPECT_EQ(window.windowState(), Qt::WindowMaximized);
  IsDesigner = wasDesigner;
}
