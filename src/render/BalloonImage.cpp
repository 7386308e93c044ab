#include "render/BalloonImage.h"

#include <algorithm>

#include "model/PayloadsFading.h"
#include "render/Caption.h"
#include "render/Colors.h"
#include "render/PaintedSupport.h"

namespace {

constexpr int CornerSize = 12;
constexpr int PointerLong = 22;   // along the pointer's direction
constexpr int PointerShort = 18;  // across it
constexpr int PointerBand = 18;   // the strip a pointer takes off the body
constexpr int MaxMargin = 100000;

// Alpha of the top-left corner; the other three corners are its mirror images, the lower two with
// a softer outline step.
constexpr uint8_t UpperStep = 79, LowerStep = 127;
constexpr uint8_t CornerAlpha[CornerSize][CornerSize] = {
    {0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0},
    {0, 0, 0, 0, 0, 0, 0, 0, 79, 255, 255, 255},
    {0, 0, 0, 0, 0, 0, 79, 255, 255, 255, 255, 255},
    {0, 0, 0, 0, 0, 255, 255, 255, 255, 255, 255, 255},
    {0, 0, 0, 0, 255, 255, 255, 255, 255, 255, 255, 255},
    {0, 0, 0, 255, 255, 255, 255, 255, 255, 255, 255, 255},
    {0, 0, 79, 255, 255, 255, 255, 255, 255, 255, 255, 255},
    {0, 0, 255, 255, 255, 255, 255, 255, 255, 255, 255, 255},
    {0, 79, 255, 255, 255, 255, 255, 255, 255, 255, 255, 255},
    {0, 255, 255, 255, 255, 255, 255, 255, 255, 255, 255, 255},
    {0, 255, 255, 255, 255, 255, 255, 255, 255, 255, 255, 255},
    {0, 255, 255, 255, 255, 255, 255, 255, 255, 255, 255, 255},
};

// The bevel seen from the body's edge inwards: the outline, then four lines of highlight (upper and
// left edges) or shadow (lower and right edges). The same entries as the body's bevel lines.
constexpr uint16_t E = BalloonShade::Border;
constexpr uint16_t F = BalloonShade::Fill;
constexpr uint16_t LightBevel[5] = {E, 125, 112, 92, 70};
constexpr uint16_t DarkBevel[5] = {E, 38, 19, 6, 2};

constexpr uint16_t Pair(uint16_t low, uint16_t high) { return static_cast<uint16_t>(low | (high << 8)); }

TBalloonStamp MakeCorner(bool mirrorX, bool mirrorY) {
  // Distance of each cell (in top-left orientation) to the nearest transparent cell, counted in
  // king moves, so the bevel bands follow the rounding.
  int depth[CornerSize][CornerSize];
  for (int r = 0; r < CornerSize; ++r)
    for (int c = 0; c < CornerSize; ++c) {
      int best = CornerSize * 2;
      for (int rr = 0; rr < CornerSize; ++rr)
        for (int cc = 0; cc < CornerSize; ++cc)
          if (CornerAlpha[rr][cc] == 0) best = std::min(best, std::max(std::abs(r - rr), std::abs(c - cc)));
      depth[r][c] = best;
    }
  // The horizontal edge's bevel (top or bottom) serves the cells nearer to it than to the vertical
  // edge (left or right).
  const uint16_t* horizontal = mirrorY ? DarkBevel : LightBevel;
  const uint16_t* vertical = mirrorX ? DarkBevel : LightBevel;

  TBalloonStamp s{CornerSize, CornerSize, std::vector<TBalloonCell>(CornerSize * CornerSize)};
  for (int y = 0; y < CornerSize; ++y)
    for (int x = 0; x < CornerSize; ++x) {
      const int r = mirrorY ? CornerSize - 1 - y : y;
      const int c = mirrorX ? CornerSize - 1 - x : x;
      const uint8_t a = CornerAlpha[r][c];
      const uint16_t* bevel = r <= c ? horizontal : vertical;
      TBalloonCell& cell = s.Cells[static_cast<size_t>(y * CornerSize + x)];
      if (a == 0) {
        cell = {0, E};
      } else if (a != 255) {
        // A softened outline step: half border, half the first bevel line.
        cell = {mirrorY ? LowerStep : UpperStep, Pair(E, bevel[1])};
      } else {
        const int d = depth[r][c];
        cell = {255, d <= 5 ? bevel[d - 1] : F};
      }
    }
  return s;
}

// The bottom-left pointer in its own orientation: row 0 lies on the body's innermost bevel line
// (6 rows inside the body's last row), the tip at row 21, the straight side in column 1. edge[r]
// for r = 0..4 are the body's bevel entries of the rows it overlaps, innermost first; lightEdge
// tells a highlighted (upper) edge from a shadowed (lower) one.
TBalloonStamp MakePointer(const uint16_t edge[5], bool lightEdge) {
  constexpr uint16_t Slanted[6] = {E, 38, 19, 10, 5, 3};
  constexpr uint16_t Straight[4] = {E, 125, 112, 92};
  TBalloonStamp s{PointerShort, PointerLong, std::vector<TBalloonCell>(PointerShort * PointerLong)};
  for (int r = 0; r < PointerLong; ++r)
    for (int c = 0; c < PointerShort; ++c) {
      TBalloonCell& cell = s.Cells[static_cast<size_t>(r * PointerShort + c)];
      const bool overlap = r < 5;  // rows on the body's own bevel: opaque all across
      if (!overlap && (c < 1 || c > PointerLong - r)) {
        cell = {0, E};
        continue;
      }
      const int ds = PointerLong - r - c;  // columns to the slanted edge
      const int dl = c - 1;                // columns to the straight edge
      uint16_t shade = F;
      if (c == 0 || (c == 1 && r < 4)) {
        shade = edge[r];  // the body's bevel continues beside the pointer
      } else if (ds == 0 || dl == 0) {
        shade = E;
      } else if (ds <= 5 && r < 4) {
        // Where the slanted side meets the body: a shadowed edge carries the shading on into the
        // body's dark bevel, a lit edge keeps its own highlight there.
        shade = lightEdge ? edge[r] : Slanted[ds];
      } else if (ds <= 5 && ds <= dl) {
        shade = Slanted[ds];
      } else if (r >= 4 && dl <= 3) {
        shade = Straight[dl];
      } else if (ds <= 5) {
        shade = Slanted[ds];
      }
      cell = {255, shade};
    }
  return s;
}

TBalloonStamp MirrorX(const TBalloonStamp& in) {
  TBalloonStamp s = in;
  for (int r = 0; r < in.Height; ++r)
    for (int c = 0; c < in.Width; ++c) s.Cells[static_cast<size_t>(r * in.Width + c)] = in.At(r, in.Width - 1 - c);
  return s;
}

TBalloonStamp MirrorY(const TBalloonStamp& in) {
  TBalloonStamp s = in;
  for (int r = 0; r < in.Height; ++r)
    for (int c = 0; c < in.Width; ++c) s.Cells[static_cast<size_t>(r * in.Width + c)] = in.At(in.Height - 1 - r, c);
  return s;
}

TBalloonStamp Transpose(const TBalloonStamp& in) {
  TBalloonStamp s{in.Height, in.Width, std::vector<TBalloonCell>(in.Cells.size())};
  for (int r = 0; r < s.Height; ++r)
    for (int c = 0; c < s.Width; ++c) s.Cells[static_cast<size_t>(r * s.Width + c)] = in.At(c, r);
  return s;
}

struct TPointerSet {
  TBalloonStamp BottomLeft, BottomRight, TopLeft, TopRight;
  TBalloonStamp LeftUp, LeftDown, RightUp, RightDown;
};

const TPointerSet& Pointers() {
  static const TPointerSet set = [] {
    constexpr uint16_t BottomEdge[5] = {2, 6, 19, 38, E};
    constexpr uint16_t TopEdge[5] = {70, 92, 112, 125, E};
    TPointerSet p;
    p.BottomLeft = MakePointer(BottomEdge, false);
    p.BottomRight = MirrorX(p.BottomLeft);
    p.TopLeft = MirrorY(MakePointer(TopEdge, true));
    p.TopRight = MirrorX(p.TopLeft);
    p.LeftUp = Transpose(p.TopLeft);
    p.LeftDown = Transpose(p.TopRight);
    p.RightUp = Transpose(p.BottomLeft);
    p.RightDown = Transpose(p.BottomRight);
    return p;
  }();
  return set;
}

QRgb ShadeColour(const TBalloonPalette& palette, uint16_t shade) {
  if (shade < 256) return palette[shade];
  const QRgb a = palette[shade & 0xFF], b = palette[shade >> 8];
  return qRgb((qRed(a) + qRed(b)) / 2, (qGreen(a) + qGreen(b)) / 2, (qBlue(a) + qBlue(b)) / 2);
}

// Writes colour and alpha of every cell that falls inside the picture.
void Stamp(QImage& image, const TBalloonPalette& palette, const TBalloonStamp& stamp, QPoint origin) {
  for (int r = 0; r < stamp.Height; ++r) {
    const int y = origin.y() + r;
    if (y < 0 || y >= image.height()) continue;
    auto* line = reinterpret_cast<QRgb*>(image.scanLine(y));
    for (int c = 0; c < stamp.Width; ++c) {
      const int x = origin.x() + c;
      if (x < 0 || x >= image.width()) continue;
      const TBalloonCell& cell = stamp.At(r, c);
      line[x] = (ShadeColour(palette, cell.Shade) & 0x00FFFFFFu) | (QRgb(cell.Alpha) << 24);
    }
  }
}

void SetColour(QImage& image, int x, int y, QRgb colour) {
  if (x < 0 || y < 0 || x >= image.width() || y >= image.height()) return;
  auto* line = reinterpret_cast<QRgb*>(image.scanLine(y));
  line[x] = (line[x] & 0xFF000000u) | (colour & 0x00FFFFFFu);
}

// A horizontal line across the body at row y and a vertical one down it at column x.
void BevelLines(QImage& image, QRect body, int y, int x, QRgb colour) {
  for (int i = body.left(); i <= body.right(); ++i) SetColour(image, i, y, colour);
  for (int j = body.top(); j <= body.bottom(); ++j) SetColour(image, x, j, colour);
}

}  // namespace

TBalloonPalette BalloonPalette(QRgb fill, QRgb border) {
  TBalloonPalette p{};
  const int r = qRed(fill), g = qGreen(fill), b = qBlue(fill);
  for (int i = 0; i < 64; ++i) p[i] = qRgb(std::max(0, r - 2 * i), std::max(0, g - 2 * i), std::max(0, b - 2 * i));
  // Dark fills get big steps and light fills small ones, so the highlight shows on either; the red
  // channel alone decides.
  for (int i = 64; i < 128; ++i) {
    const int k = i - 64;
    const int step = r < 64 ? 2 * k : (r <= 191 ? k : k / 2);
    p[i] = qRgb(std::min(255, r + step), std::min(255, g + step), std::min(255, b + step));
  }
  for (int i = 128; i < 256; ++i) p[i] = qRgb(qRed(border), qGreen(border), qBlue(border));
  return p;
}

const TBalloonStamp& BalloonCornerStamp(TBalloonCorner corner) {
  static const TBalloonStamp stamps[4] = {MakeCorner(false, false), MakeCorner(true, false), MakeCorner(true, true),
                                          MakeCorner(false, true)};
  return stamps[static_cast<int>(corner)];
}

const TBalloonStamp* BalloonPointerStamp(int arrow) {
  const TPointerSet& p = Pointers();
  switch (arrow) {
    case 1:
      return &p.LeftDown;
    case 2:
      return &p.LeftUp;
    case 3:
      return &p.TopLeft;
    case 4:
      return &p.TopRight;
    case 5:
      return &p.RightUp;
    case 6:
      return &p.RightDown;
    case 7:
      return &p.BottomRight;
    case 8:
      return &p.BottomLeft;
    default:
      return nullptr;
  }
}

QRect BalloonBodyRect(QSize size, int arrow) {
  const int w = size.width(), h = size.height();
  int left = 0, top = 0, right = w - 1, bottom = h - 1;
  switch (arrow) {
    case 1:
    case 2:
      left = PointerBand;
      break;
    case 3:
    case 4:
      top = PointerBand;
      break;
    case 5:
    case 6:
      right = w - 1 - PointerBand;
      break;
    case 7:
    case 8:
      bottom = h - 1 - PointerBand;
      break;
    default:
      break;
  }
  return QRect(QPoint(left, top), QPoint(right, bottom));
}

QPoint BalloonPointerOrigin(QRect body, int arrow) {
  const int left = body.left(), top = body.top(), right = body.right(), bottom = body.bottom();
  switch (arrow) {
    case 1:
      return {left - 16, bottom - 30};
    case 2:
      return {left - 16, top + 12};
    case 3:
      return {left + 12, top - 16};
    case 4:
      return {right - 30, top - 16};
    case 5:
      return {right - 6, top + 12};
    case 6:
      return {right - 6, bottom - 30};
    case 7:
      return {right - 30, bottom - 6};
    case 8:
      return {left + 12, bottom - 6};
    default:
      return {0, 0};
  }
}

QRect BalloonCaptionRect(QSize size, int arrow, int margin) {
  // A stored margin is any 32-bit value; beyond this it only ever means "no room".
  margin = std::clamp(margin, -MaxMargin, MaxMargin);
  int left = margin, top = margin;
  int width = size.width() - 2 * margin, height = size.height() - 2 * margin;
  switch (arrow) {
    case 1:
    case 2:
      left += PointerBand;
      width -= PointerBand;
      break;
    case 3:
    case 4:
      top += PointerBand;
      height -= PointerBand;
      break;
    case 5:
    case 6:
      width -= PointerBand;
      break;
    case 7:
    case 8:
      height -= PointerBand;
      break;
    default:
      break;
  }
  return QRect(left, top, width, height);
}

QImage BuildBalloonShape(QSize size, int arrow, QRgb fill, QRgb border) {
  QImage image = BlankArgbImage(size);
  if (image.isNull()) return image;
  if (arrow < 0 || arrow > 8) arrow = 0;
  const QRect body = BalloonBodyRect(size, arrow);
  const int left = body.left(), top = body.top(), right = body.right(), bottom = body.bottom();
  const TBalloonPalette palette = BalloonPalette(fill, border);

  for (int y = std::max(0, top); y <= std::min(bottom, image.height() - 1); ++y)
    for (int x = std::max(0, left); x <= std::min(right, image.width() - 1); ++x) SetColour(image, x, y, palette[F]);

  // Highlights along the upper and left edges, shadows along the lower and right ones, then the
  // outline; later lines win where they cross.
  const std::pair<int, int> bevel[] = {{2, 125}, {3, 112}, {4, 92}, {5, 70}};
  for (auto [inset, entry] : bevel) BevelLines(image, body, top + inset, left + inset, palette[entry]);
  const std::pair<int, int> shadow[] = {{6, 2}, {5, 6}, {4, 19}, {3, 38}};
  for (auto [inset, entry] : shadow) BevelLines(image, body, bottom - inset, right - inset, palette[entry]);
  const QRgb outline = palette[E];
  BevelLines(image, body, bottom - 2, right - 2, outline);
  BevelLines(image, body, bottom - 1, right - 1, outline);
  BevelLines(image, body, top + 1, left + 1, outline);

  for (int y = std::max(0, top + 1); y <= std::min(bottom - 2, image.height() - 1); ++y) {
    auto* line = reinterpret_cast<QRgb*>(image.scanLine(y));
    for (int x = std::max(0, left + 1); x <= std::min(right - 2, image.width() - 1); ++x) line[x] |= 0xFF000000u;
  }

  Stamp(image, palette, BalloonCornerStamp(TBalloonCorner::TopLeft), {left, top});
  Stamp(image, palette, BalloonCornerStamp(TBalloonCorner::TopRight), {right - CornerSize, top});
  Stamp(image, palette, BalloonCornerStamp(TBalloonCorner::BottomRight), {right - CornerSize, bottom - CornerSize});
  Stamp(image, palette, BalloonCornerStamp(TBalloonCorner::BottomLeft), {left, bottom - CornerSize});

  if (const TBalloonStamp* pointer = BalloonPointerStamp(arrow))
    Stamp(image, palette, *pointer, BalloonPointerOrigin(body, arrow));
  return image;
}

QImage BuildBalloonImage(const TBalloonFields& balloon, QSize size) {
  QImage image = BuildBalloonShape(size, balloon.Arrow, ColorToRGB(balloon.Color), ColorToRGB(balloon.BorderColor));
  if (image.isNull() || balloon.Caption.isEmpty()) return image;
  const QRect rect = BalloonCaptionRect(size, balloon.Arrow, balloon.Margin);
  DrawOnColourOnly(image, [&](QPainter& p) {
    DrawCaptionText(p, balloon.Caption, rect, true, CaptionAlignment(balloon.Alignment, balloon.Layout), balloon.Font);
  });
  return image;
}
