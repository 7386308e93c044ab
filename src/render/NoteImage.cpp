#include "render/NoteImage.h"

#include <QPainter>
#include <QPainterPath>
#include <QRadialGradient>
#include <algorithm>

#include "model/PayloadsFading.h"
#include "render/Caption.h"
#include "render/Colors.h"
#include "render/PaintedSupport.h"

namespace {

constexpr int PlainInset = 5;
constexpr int PointerInset = 22;
constexpr int CaptionPointerBand = 17;
constexpr int ShadowOffset = 4;
constexpr int MaxMargin = 100000;

// How each layer's triangle moves from layer 0, per graphic: layer 1 by (dx, dy), layer 2 by twice
// that, layer 3 by three times it.
constexpr int LayerStep[12][2] = {{2, -2}, {2, -1}, {2, 1},   {2, 2},   {1, 2},   {-1, 2},
                                  {-2, 2}, {-2, 1}, {-2, -1}, {-2, -2}, {-1, -2}, {1, -2}};

bool HasPointer(int graphic) { return graphic >= 0 && graphic <= 11; }

// A filled shape of one layer: the rounded body and, for pointer graphics, the triangle.
void FillLayer(QPainter& p, QSize size, int graphic, int round, int layer, QPoint offset, QColor colour) {
  p.setBrush(colour);
  const QRect r = NoteBodyRect(size, graphic, layer).translated(offset);
  // The corner ellipse is Round across; a huge stored value just gives a fully rounded end.
  const qreal radius = std::min({std::max(0, round) / 2.0, (r.right() - r.left()) / 2.0, (r.bottom() - r.top()) / 2.0});
  // Right and bottom edges are exclusive, as the rectangle's edges are drawn pixel-aligned.
  const QRectF area(r.left(), r.top(), r.right() - r.left(), r.bottom() - r.top());
  if (area.width() > 0 && area.height() > 0) {
    if (radius > 0)
      p.drawRoundedRect(area, radius, radius);
    else
      p.drawRect(area);
  }
  if (HasPointer(graphic)) p.drawPolygon(NotePointer(graphic, layer, size, offset));
}

QImage DrawBind() {
  // A metal binder ring: a half-open loop of wire rising above the note, with a clip plate holding it.
  QImage img(60, 37, QImage::Format_ARGB32);
  img.fill(Qt::transparent);
  QPainter p(&img);
  p.setRenderHint(QPainter::Antialiasing);
  // Shadow of the clip plate on the note.
  p.setPen(Qt::NoPen);
  p.setBrush(QColor(0, 0, 0, 70));
  p.drawRoundedRect(QRectF(9, 23, 44, 12), 4, 4);
  // The plate.
  QLinearGradient plate(0, 20, 0, 33);
  plate.setColorAt(0, QColor(236, 238, 242));
  plate.setColorAt(0.5, QColor(170, 174, 182));
  plate.setColorAt(1, QColor(110, 114, 122));
  p.setBrush(plate);
  p.setPen(QPen(QColor(70, 72, 78), 1));
  p.drawRoundedRect(QRectF(7.5, 20.5, 45, 12), 4, 4);
  // Two rivets.
  for (qreal x : {15.0, 45.0}) {
    QRadialGradient rivet(QPointF(x - 1, 25.5), 3.5);
    rivet.setColorAt(0, QColor(255, 255, 255));
    rivet.setColorAt(1, QColor(120, 124, 130));
    p.setBrush(rivet);
    p.setPen(QPen(QColor(60, 62, 66), 0.8));
    p.drawEllipse(QPointF(x, 26.5), 2.6, 2.6);
  }
  // The ring: a thick wire arching above the plate, drawn dark first for its edge, then lit.
  QPainterPath ring;
  ring.moveTo(19, 24);
  ring.cubicTo(17, 2, 43, 2, 41, 24);
  p.setBrush(Qt::NoBrush);
  p.setPen(QPen(QColor(55, 58, 64), 6, Qt::SolidLine, Qt::RoundCap));
  p.drawPath(ring);
  p.setPen(QPen(QColor(190, 194, 202), 3.6, Qt::SolidLine, Qt::RoundCap));
  p.drawPath(ring);
  p.setPen(QPen(QColor(250, 251, 253, 220), 1.2, Qt::SolidLine, Qt::RoundCap));
  QPainterPath gleam;
  gleam.moveTo(21, 16);
  gleam.cubicTo(22, 7, 30, 6, 34, 8);
  p.drawPath(gleam);
  return img;
}

QImage DrawPad() {
  // A pin pad: a strip of translucent tape across the top edge with a round pin head in its middle.
  QImage img(70, 33, QImage::Format_ARGB32);
  img.fill(Qt::transparent);
  QPainter p(&img);
  p.setRenderHint(QPainter::Antialiasing);
  QPainterPath tape;
  tape.moveTo(3, 8);
  for (int i = 0; i <= 8; ++i) tape.lineTo(3 + i * 8, (i % 2) ? 5 : 7);  // torn edge
  tape.lineTo(67, 26);
  for (int i = 8; i >= 0; --i) tape.lineTo(3 + i * 8, (i % 2) ? 28 : 26);
  tape.closeSubpath();
  p.setPen(QPen(QColor(150, 140, 90, 150), 1));
  p.setBrush(QColor(250, 240, 180, 150));
  p.drawPath(tape);
  // The pin's shadow, then its head.
  p.setPen(Qt::NoPen);
  p.setBrush(QColor(0, 0, 0, 80));
  p.drawEllipse(QPointF(37.5, 18.5), 9, 9);
  QRadialGradient head(QPointF(32, 11), 12);
  head.setColorAt(0, QColor(255, 190, 180));
  head.setColorAt(0.35, QColor(225, 40, 30));
  head.setColorAt(1, QColor(120, 10, 10));
  p.setBrush(head);
  p.setPen(QPen(QColor(90, 5, 5), 1));
  p.drawEllipse(QPointF(35, 16), 9, 9);
  p.setPen(Qt::NoPen);
  p.setBrush(QColor(255, 255, 255, 200));
  p.drawEllipse(QPointF(31.5, 12.5), 2.5, 2);
  return img;
}

}  // namespace

TNoteSides NoteSides(int graphic) {
  TNoteSides s;
  s.Left = graphic >= 0 && graphic <= 3;
  s.Top = (graphic >= 3 && graphic <= 6) || graphic == NoteGraphic::Bind || graphic == NoteGraphic::Pad;
  s.Right = graphic >= 6 && graphic <= 9;
  s.Bottom = graphic == 0 || (graphic >= 9 && graphic <= 11);
  return s;
}

QRect NoteBodyRect(QSize size, int graphic, int layer) {
  const TNoteSides s = NoteSides(graphic);
  const int w = size.width(), h = size.height();
  const int left = (s.Left ? PointerInset : PlainInset) + layer;
  const int top = (s.Top ? PointerInset : PlainInset) + layer;
  const int right = w - (s.Right ? PointerInset : PlainInset) - layer;
  const int bottom = h - (s.Bottom ? PointerInset : PlainInset) - layer;
  // Built from edges so that right and bottom read back as given (exclusive).
  return QRect(QPoint(left, top), QPoint(right, bottom));
}

QPolygon NotePointer(int graphic, int layer, QSize size, QPoint offset) {
  if (!HasPointer(graphic)) return {};
  const int w = size.width(), h = size.height();
  const int P = std::min(w / 2, h / 2);
  const int Q = P - 1;
  const int A = P + 8;
  const int R = (P - 7) * 50 / 100 + 15;
  QPolygon t;
  switch (graphic) {
    case 0:
      t << QPoint(15, h - 15) << QPoint(R, h - A) << QPoint(A, h - R);
      break;
    case 1:
      t << QPoint(5, h - 15) << QPoint(Q + 5, h - 15) << QPoint(Q + 5, h - 15 - Q);
      break;
    case 2:
      t << QPoint(5, 15) << QPoint(Q + 5, 15) << QPoint(Q + 5, 15 + Q);
      break;
    case 3:
      t << QPoint(15, 15) << QPoint(A, R) << QPoint(R, A);
      break;
    case 4:
      t << QPoint(15, 5) << QPoint(15, Q + 5) << QPoint(15 + Q, Q + 5);
      break;
    case 5:
      t << QPoint(w - 15, 5) << QPoint(w - 15, Q + 5) << QPoint(w - 15 - Q, Q + 5);
      break;
    case 6:
      t << QPoint(w - 15, 15) << QPoint(w - A, R) << QPoint(w - R, A);
      break;
    case 7:
      t << QPoint(w - 5, 15) << QPoint(w - 5 - Q, 15) << QPoint(w - 5 - Q, 15 + Q);
      break;
    case 8:
      t << QPoint(w - 5, h - 15) << QPoint(w - 5 - Q, h - 15) << QPoint(w - 5 - Q, h - 15 - Q);
      break;
    case 9:
      t << QPoint(w - 15, h - 15) << QPoint(w - R, h - A) << QPoint(w - A, h - R);
      break;
    case 10:
      t << QPoint(w - 15, h - 5) << QPoint(w - 15, h - 5 - Q) << QPoint(w - 15 - Q, h - 5 - Q);
      break;
    case 11:
      t << QPoint(15, h - 5) << QPoint(15, h - 5 - Q) << QPoint(15 + Q, h - 5 - Q);
      break;
  }
  const int l = std::clamp(layer, 0, 3);
  t.translate(QPoint(LayerStep[graphic][0] * l, LayerStep[graphic][1] * l) + offset);
  return t;
}

QRgb NoteShade(QRgb colour, int percent) {
  auto move = [percent](int c) { return std::clamp(c + percent * (255 - c) / 100, 0, 255); };
  return qRgb(move(qRed(colour)), move(qGreen(colour)), move(qBlue(colour)));
}

QImage BuildNoteShape(QSize size, int graphic, int round, QRgb back, bool flat, bool shadow) {
  QImage image = BlankArgbImage(size);
  if (image.isNull()) return image;
  // Two working layers decide the alpha afterwards: where the body was drawn both agree, elsewhere
  // the shadow layer's grey is the shadow's opacity.
  QImage shadowLayer(size, QImage::Format_RGB32);
  QImage bodyLayer(size, QImage::Format_RGB32);
  if (shadowLayer.isNull() || bodyLayer.isNull()) return {};
  shadowLayer.fill(Qt::black);
  bodyLayer.fill(Qt::white);
  image.fill(qRgba(0, 0, 0, 0));

  auto paint = [&](QImage& target, const std::function<void(QPainter&)>& draw) {
    QPainter p(&target);
    p.setRenderHint(QPainter::Antialiasing, false);
    p.setPen(Qt::NoPen);
    draw(p);
  };

  if (shadow) {
    paint(shadowLayer, [&](QPainter& p) {
      const QColor greys[4] = {QColor(0x20, 0x20, 0x20), QColor(0x40, 0x40, 0x40), QColor(0x60, 0x60, 0x60),
                               QColor(0x80, 0x80, 0x80)};
      for (int t = 0; t < 4; ++t) FillLayer(p, size, graphic, round, t, {ShadowOffset, ShadowOffset}, greys[t]);
    });
  }

  auto body = [&](QPainter& p) {
    const QColor n = QColor::fromRgb(back);
    if (flat) {
      FillLayer(p, size, graphic, round, 0, {}, n);
      return;
    }
    FillLayer(p, size, graphic, round, 0, {}, QColor::fromRgb(NoteShade(back, -10)));
    FillLayer(p, size, graphic, round, 1, {}, QColor::fromRgb(NoteShade(back, 50)));
    FillLayer(p, size, graphic, round, 2, {}, QColor::fromRgb(NoteShade(back, 25)));
    FillLayer(p, size, graphic, round, 3, {}, n);
  };
  // The picture's own colour is drawn without alpha; alpha comes from the two layers below.
  {
    QImage colour(size, QImage::Format_RGB32);
    colour.fill(Qt::black);
    paint(colour, body);
    paint(shadowLayer, body);
    paint(bodyLayer, body);
    for (int y = 0; y < size.height(); ++y) {
      auto* out = reinterpret_cast<QRgb*>(image.scanLine(y));
      const auto* c = reinterpret_cast<const QRgb*>(colour.constScanLine(y));
      const auto* s = reinterpret_cast<const QRgb*>(shadowLayer.constScanLine(y));
      const auto* k = reinterpret_cast<const QRgb*>(bodyLayer.constScanLine(y));
      for (int x = 0; x < size.width(); ++x) {
        const QRgb sa = s[x] & 0x00FFFFFFu, ka = k[x] & 0x00FFFFFFu;
        const uint alpha = sa == ka ? 255u : uint(qBlue(sa));
        out[x] = (c[x] & 0x00FFFFFFu) | (alpha << 24);
      }
    }
  }
  return image;
}

QRect NoteCaptionRect(QSize size, int graphic, int margin) {
  const TNoteSides s = NoteSides(graphic);
  // A stored margin is any 32-bit value; beyond this it only ever means "no room".
  margin = std::clamp(margin, -MaxMargin, MaxMargin);
  int left = margin, top = margin;
  int width = size.width() - 2 * margin, height = size.height() - 2 * margin;
  if (s.Left) {
    left += CaptionPointerBand;
    width -= CaptionPointerBand;
  }
  if (s.Top) {
    top += CaptionPointerBand;
    height -= CaptionPointerBand;
  }
  if (s.Right) width -= CaptionPointerBand;
  if (s.Bottom) height -= CaptionPointerBand;
  return QRect(left, top, width, height);
}

const QImage& NoteBindPicture() {
  static const QImage picture = DrawBind();
  return picture;
}

const QImage& NotePadPicture() {
  static const QImage picture = DrawPad();
  return picture;
}

void DrawNoteDecoration(QImage& note, const QImage& decoration) {
  if (note.isNull() || decoration.isNull()) return;
  const QImage deco = decoration.convertToFormat(QImage::Format_ARGB32);
  const int x0 = (note.width() - deco.width()) / 2;
  for (int r = 0; r < deco.height(); ++r) {
    const int y = r;
    if (y < 0 || y >= note.height()) continue;
    auto* out = reinterpret_cast<QRgb*>(note.scanLine(y));
    const auto* in = reinterpret_cast<const QRgb*>(deco.constScanLine(r));
    for (int c = 0; c < deco.width(); ++c) {
      const int x = x0 + c;
      if (x < 0 || x >= note.width()) continue;
      const QRgb d = in[c], n = out[x];
      const int da = qAlpha(d), na = qAlpha(n);
      if (da == 0) continue;
      // Composited over what is there, weighted by how much of the note shows, so a translucent
      // decoration above the body keeps its own colour instead of darkening towards the
      // invisible black outside.
      const int under = na * (255 - da);  // scaled by 255
      const int total = da * 255 + under;
      auto mix = [&](int nc, int dc) { return (dc * da * 255 + nc * under + total / 2) / total; };
      out[x] = qRgba(mix(qRed(n), qRed(d)), mix(qGreen(n), qGreen(d)), mix(qBlue(n), qBlue(d)), std::max(na, da));
    }
  }
}

QImage BuildNoteImage(const TNoteFields& note, QSize size) {
  QImage image = BuildNoteShape(size, note.Graphic, note.Round, ColorToRGB(note.BackColor), note.Flat, note.Shadow);
  if (image.isNull()) return image;
  if (!note.Caption.isEmpty()) {
    const QRect rect = NoteCaptionRect(size, note.Graphic, note.Margin);
    DrawOnColourOnly(image, [&](QPainter& p) {
      DrawCaptionText(p, note.Caption, rect, true, CaptionAlignment(note.Alignment, tlTop), note.Font);
    });
  }
  if (note.Graphic == NoteGraphic::Bind) DrawNoteDecoration(image, NoteBindPicture());
  if (note.Graphic == NoteGraphic::Pad) DrawNoteDecoration(image, NotePadPicture());
  return image;
}
