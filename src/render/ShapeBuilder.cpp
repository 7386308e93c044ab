#include "render/ShapeBuilder.h"

#include <QPainter>
#include <QPainterPath>
#include <QPolygonF>
#include <algorithm>

#include "render/Caption.h"
#include "render/Colors.h"
#include "render/Gradient.h"
#include "render/PictureDecode.h"

TShapePicture DecodeShapePicture(const TPicture& picture) {
  TShapePicture result;
  result.Image = DecodePicture(picture);
  result.IsPng = picture.Kind == TGraphicKind::Png;
  return result;
}

namespace {

// The two pictures every figure is drawn on with identical coordinates: the colour picture and
// the mask, whose red channel becomes the alpha.
struct TSurface {
  QPainter& Painter;
  bool IsMask;
};

// How the fill of the figure is painted.
enum class TFillKind { Solid, Gradient, Clear, Hatch };

TFillKind FillKindOf(int gradient) {
  if (gradient == ShapeFill::Solid) return TFillKind::Solid;
  if (gradient == ShapeFill::Clear) return TFillKind::Clear;
  if (gradient >= ShapeFill::HatchHorizontal && gradient <= ShapeFill::HatchDiagCross) return TFillKind::Hatch;
  // Every other code counts as a gradient; the unknown ones paint nothing, leaving an opaque,
  // black inside.
  return TFillKind::Gradient;
}

Qt::BrushStyle HatchStyle(int gradient) {
  switch (gradient) {
    case ShapeFill::HatchHorizontal:
      return Qt::HorPattern;
    case ShapeFill::HatchVertical:
      return Qt::VerPattern;
    case ShapeFill::HatchFDiagonal:
      return Qt::FDiagPattern;
    case ShapeFill::HatchBDiagonal:
      return Qt::BDiagPattern;
    case ShapeFill::HatchCross:
      return Qt::CrossPattern;
    default:
      return Qt::DiagCrossPattern;
  }
}

// A pen never needs to be wider than this to cover any picture the builder accepts.
constexpr int MaxPenWidth = 4 * MaxShapeImageSide;

QPen FigurePen(const QColor& color, int width, TFigureKind kind) {
  if (width <= 0) return Qt::NoPen;
  QPen pen(color, std::min(width, MaxPenWidth));
  // Square rectangle corners fill the box exactly; round joins keep the points of stars and
  // arrows from spiking out of it; wide lines end round.
  pen.setJoinStyle(kind == TFigureKind::Rectangle ? Qt::MiterJoin : Qt::RoundJoin);
  pen.setCapStyle(width > 1 ? Qt::RoundCap : Qt::FlatCap);
  return pen;
}

// The box of a rectangle-like figure from its corners (right and bottom exclusive). With a pen
// the outline runs through the first and last pixel of each side; an odd pen is centred on the
// pixel, an even one reaches one pixel further out than in, so every stroke edge falls on a pixel
// boundary. Without a pen the inside keeps one more pixel clear at the right and bottom.
QRectF OutlineRect(QPoint a, QPoint b, int penWidth) {
  const int x1 = std::min(a.x(), b.x()), x2 = std::max(a.x(), b.x());
  const int y1 = std::min(a.y(), b.y()), y2 = std::max(a.y(), b.y());
  if (penWidth <= 0) return QRectF(x1, y1, x2 - x1 - 1, y2 - y1 - 1);
  const double off = penWidth % 2 ? 0.5 : 0.0;
  return QRectF(x1 + off, y1 + off, x2 - 1 - x1, y2 - 1 - y1);
}

double PointOffset(int penWidth) { return penWidth > 0 && penWidth % 2 ? 0.5 : 0.0; }

QPainterPath RoundedPath(const QRectF& rect, int round) {
  QPainterPath path;
  if (rect.width() < 0 || rect.height() < 0) return path;
  const double radius = round / 2.0;
  if (radius > 0)
    path.addRoundedRect(rect, radius, radius);
  else
    path.addRect(rect);
  return path;
}

// A bevel band `band` pixels wide just inside [left, right) × [top, bottom): `light` along the top
// and left, `dark` along the bottom and right, meeting on the diagonals of the corners.
void DrawBevelRing(QPainter& p, int left, int top, int right, int bottom, int band, const QColor& topLeft,
                   const QColor& bottomRight) {
  band = std::min({band, (right - left) / 2, (bottom - top) / 2});
  if (band <= 0) {
    if (right > left && bottom > top) p.fillRect(QRect(left, top, right - left, bottom - top), bottomRight);
    return;
  }
  p.setPen(Qt::NoPen);
  p.setBrush(topLeft);
  p.drawPolygon(
      QPolygonF({QPointF(left, top), QPointF(right, top), QPointF(right - band, top + band),
                 QPointF(left + band, top + band), QPointF(left + band, bottom - band), QPointF(left, bottom)}));
  p.setBrush(bottomRight);
  p.drawPolygon(QPolygonF({QPointF(right, top), QPointF(right, bottom), QPointF(left, bottom),
                           QPointF(left + band, bottom - band), QPointF(right - band, bottom - band),
                           QPointF(right - band, top + band)}));
}

// The 3D figures: the box filled like any figure, then their edges in the button colours.
void Draw3DFigure(const TSurface& s, const TShapeFigure& f, const QBrush& brush, int borderWidth) {
  QPainter& p = s.Painter;
  const int left = std::min(f.Points[0].x(), f.Points[1].x()), right = std::max(f.Points[0].x(), f.Points[1].x());
  const int top = std::min(f.Points[0].y(), f.Points[1].y()), bottom = std::max(f.Points[0].y(), f.Points[1].y());
  if (right <= left || bottom <= top) return;
  const int band = Shape3DBand(borderWidth);
  auto c = [&](int index) { return s.IsMask ? QColor(Qt::white) : QColor::fromRgb(SystemColorRGB(index)); };
  const QColor hl = c(SysColor::BtnHighlight), sh = c(SysColor::BtnShadow);
  const QColor dk = c(SysColor::DkShadow3D), lt = c(SysColor::Light3D);
  const QRect box(left, top, right - left, bottom - top);

  if (f.Kind == TFigureKind::RoundBox3D) {
    const QPainterPath outer = RoundedPath(QRectF(box), f.Round);
    p.setPen(Qt::NoPen);
    p.setBrush(brush);
    p.drawPath(outer);
    const int rim = std::min({2 * band, box.width() / 2, box.height() / 2});
    const QRectF innerRect = QRectF(box).adjusted(rim, rim, -rim, -rim);
    const QPainterPath rimPath = outer.subtracted(RoundedPath(innerRect, std::max(0, f.Round - 2 * rim)));
    // The rim is split along the diagonal from the bottom-left to the top-right corner.
    QPainterPath topLeftHalf;
    topLeftHalf.addPolygon(QPolygonF({QPointF(left, top), QPointF(right, top), QPointF(left, bottom)}));
    topLeftHalf.closeSubpath();
    p.setBrush(f.Raised ? hl : sh);
    p.drawPath(rimPath.intersected(topLeftHalf));
    p.setBrush(f.Raised ? sh : hl);
    p.drawPath(rimPath.subtracted(topLeftHalf));
    return;
  }

  if (brush.style() != Qt::NoBrush) p.fillRect(box, brush);
  switch (f.Kind) {
    case TFigureKind::Border3D:
      DrawBevelRing(p, left, top, right, bottom, band, f.Raised ? hl : sh, f.Raised ? sh : hl);
      break;
    case TFigureKind::Box3D:
      // The platform's raised button edge and sunken field edge.
      if (f.Raised) {
        DrawBevelRing(p, left, top, right, bottom, band, hl, dk);
        DrawBevelRing(p, left + band, top + band, right - band, bottom - band, band, lt, sh);
      } else {
        DrawBevelRing(p, left, top, right, bottom, band, sh, hl);
        DrawBevelRing(p, left + band, top + band, right - band, bottom - band, band, dk, lt);
      }
      break;
    default:  // Frame3D: an etched groove, or a ridge when raised
      DrawBevelRing(p, left, top, right, bottom, band, f.Raised ? hl : sh, f.Raised ? sh : hl);
      DrawBevelRing(p, left + band, top + band, right - band, bottom - band, band, f.Raised ? sh : hl,
                    f.Raised ? hl : sh);
      break;
  }
}

// Draws the figure once. `geometryWidth` is the pen width the coordinates were made for; `pen`
// may be NoPen for a fill-only pass under a hatch.
void DrawFigure(const TSurface& s, const TShapeFigure& f, int geometryWidth, const QPen& pen, const QBrush& brush) {
  QPainter& p = s.Painter;
  p.setPen(pen);
  p.setBrush(brush);
  const double off = PointOffset(geometryWidth);
  switch (f.Kind) {
    case TFigureKind::Rectangle:
      p.drawRect(OutlineRect(f.Points[0], f.Points[1], geometryWidth));
      break;
    case TFigureKind::RoundRect:
      p.drawPath(RoundedPath(OutlineRect(f.Points[0], f.Points[1], geometryWidth), f.Round));
      break;
    case TFigureKind::Ellipse:
      p.drawEllipse(OutlineRect(f.Points[0], f.Points[1], geometryWidth));
      break;
    case TFigureKind::Polygon: {
      QPolygonF polygon;
      for (const QPoint& point : f.Points) polygon << QPointF(point.x() + off, point.y() + off);
      p.drawPolygon(polygon);
      break;
    }
    case TFigureKind::Line:
      if (pen.style() != Qt::NoPen)
        p.drawLine(QPointF(f.Points[0].x() + off, f.Points[0].y() + off),
                   QPointF(f.Points[1].x() + off, f.Points[1].y() + off));
      break;
    case TFigureKind::Frame3D:
    case TFigureKind::Border3D:
    case TFigureKind::Box3D:
    case TFigureKind::RoundBox3D:
      Draw3DFigure(s, f, brush, geometryWidth);
      break;
    case TFigureKind::None:
      break;
  }
}

// The PNG picture with every colour pixel made pure red, its alpha kept: drawn on the black mask
// it turns the mask's red channel into the picture's alpha.
QImage RedCopy(const QImage& image) {
  QImage red = image.convertToFormat(QImage::Format_ARGB32);
  for (int y = 0; y < red.height(); ++y) {
    auto* line = reinterpret_cast<QRgb*>(red.scanLine(y));
    for (int x = 0; x < red.width(); ++x) line[x] = qRgba(255, 0, 0, qAlpha(line[x]));
  }
  return red;
}

// The final picture: the colour picture's colour (un-premultiplied, so soft picture edges keep
// their colour) with the mask's red channel as alpha.
QImage CombineWithMask(const QImage& colour, const QImage& mask) {
  QImage out(colour.size(), QImage::Format_ARGB32);
  for (int y = 0; y < out.height(); ++y) {
    const auto* c = reinterpret_cast<const QRgb*>(colour.constScanLine(y));
    const auto* m = reinterpret_cast<const QRgb*>(mask.constScanLine(y));
    auto* o = reinterpret_cast<QRgb*>(out.scanLine(y));
    for (int x = 0; x < out.width(); ++x) {
      const int alpha = qRed(m[x]);
      if (alpha == 0) {
        o[x] = 0;
        continue;
      }
      const QRgb rgb = qAlpha(c[x]) == 255 ? c[x] : qUnpremultiply(c[x]);
      o[x] = qRgba(qRed(rgb), qGreen(rgb), qBlue(rgb), alpha);
    }
  }
  return out;
}

}  // namespace

QImage BuildShapeImage(const TShapeFields& shape, int width, int height, const TShapePicture& picture,
                       const TShapeFrame& frame) {
  if (width < 1 || height < 1 || width > MaxShapeImageSide || height > MaxShapeImageSide ||
      int64_t(width) * height > MaxShapeImagePixels)
    return {};
  // Colour goes onto a premultiplied picture that starts transparent, so a picture's soft edges
  // over nothing keep their own colour instead of darkening towards black.
  QImage colour(width, height, QImage::Format_ARGB32_Premultiplied);
  colour.fill(0);
  if (!frame.Visible) return colour.convertToFormat(QImage::Format_ARGB32);
  QImage mask(width, height, QImage::Format_RGB32);
  mask.fill(Qt::black);

  const TShapeBox& b = frame.Box;
  const QRect boxRect(b.Left, b.Top, b.Width(), b.Height());
  const TShapeFigure figure = ShapeFigure(shape.Shape, b, shape.BorderWidth, shape.Round);
  const TFillKind fill = FillKindOf(shape.Gradient);

  QPainter cp(&colour);
  QPainter mp(&mask);
  for (QPainter* p : {&cp, &mp}) {
    p->setRenderHint(QPainter::Antialiasing, false);
    p->setRenderHint(QPainter::SmoothPixmapTransform, true);
  }
  const TSurface colourSurface{cp, false}, maskSurface{mp, true};

  if (fill == TFillKind::Gradient && boxRect.isValid())
    DrawGradient(cp, shape.Gradient, shape.Color, shape.GradientColor, boxRect);

  const int penWidth = shape.BorderWidth;
  const QPen colourPen = FigurePen(ToQColor(shape.BorderColor), penWidth, figure.Kind);
  const QPen maskPen = FigurePen(Qt::white, penWidth, figure.Kind);
  const QBrush maskBrush = fill == TFillKind::Clear ? QBrush(Qt::NoBrush) : QBrush(Qt::white);

  switch (fill) {
    case TFillKind::Solid:
      DrawFigure(colourSurface, figure, penWidth, colourPen, QBrush(ToQColor(shape.Color)));
      break;
    case TFillKind::Hatch: {
      // Hatch lines in the fill colour over the second colour, anchored at the box so the pattern
      // travels with an animated figure.
      DrawFigure(colourSurface, figure, penWidth, Qt::NoPen, QBrush(ToQColor(shape.GradientColor)));
      cp.setBrushOrigin(b.Left, b.Top);
      DrawFigure(colourSurface, figure, penWidth, colourPen, QBrush(ToQColor(shape.Color), HatchStyle(shape.Gradient)));
      break;
    }
    case TFillKind::Gradient:
    case TFillKind::Clear:
      DrawFigure(colourSurface, figure, penWidth, colourPen, Qt::NoBrush);
      break;
  }
  DrawFigure(maskSurface, figure, penWidth, maskPen, maskBrush);

  const bool hasBox = boxRect.width() > 0 && boxRect.height() > 0;
  if (shape.Shape == ShapeCode::None && !picture.IsNull() && hasBox) {
    if (picture.IsPng) {
      mp.drawImage(boxRect, RedCopy(picture.Image));
    } else {
      cp.fillRect(boxRect, ToQColor(shape.Color));
      mp.fillRect(boxRect, Qt::white);
    }
  }

  // Picture and caption change colour only: they show where the mask made the figure opaque.
  if (!picture.IsNull() && hasBox) cp.drawImage(boxRect, picture.Image);
  if (!shape.Caption.isEmpty()) {
    const int64_t margin = std::clamp<int64_t>(shape.Margin, -ShapeCoordLimit, ShapeCoordLimit);
    const QRect textRect(ClampShapeCoord(b.Left + margin), ClampShapeCoord(b.Top + margin),
                         ClampShapeCoord(std::max<int64_t>(0, b.Width() - 2 * margin)),
                         ClampShapeCoord(std::max<int64_t>(0, b.Height() - 2 * margin)));
    DrawCaptionText(cp, shape.Caption, textRect, true, CaptionAlignment(shape.Alignment, shape.Layout), shape.Font);
  }
  cp.end();
  mp.end();
  return CombineWithMask(colour, mask);
}

QImage BuildShapeImage(const TShapeFields& shape, int width, int height, const TShapePicture& picture) {
  return BuildShapeImage(shape, width, height, picture, RestingShapeFrame(shape, width, height));
}
