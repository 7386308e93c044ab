#include "render/PanelBack.h"

#include "render/Caption.h"
#include "render/Colors.h"
#include "render/Gradient.h"
#include "render/Outline.h"

int GradientCodeOf(TGradientStyle style) {
  switch (style) {
    case gsNone:
      return 0;
    case gsTopBottom:
      return GradientCode::TopBottom;
    case gsBottomTop:
      return GradientCode::BottomTop;
    case gsLeftRight:
      return GradientCode::LeftRight;
    case gsRightLeft:
      return GradientCode::RightLeft;
    case gsMiddleTopBottom:
      return GradientCode::MiddleTopBottom;
    case gsMiddleLeftRight:
      return GradientCode::MiddleLeftRight;
    case gsTopBottomMiddle:
      return GradientCode::TopBottomMiddle;
    case gsLeftRightMiddle:
      return GradientCode::LeftRightMiddle;
  }
  return GradientCode::TopBottom;  // an unknown stored value
}

void DrawPanelPicture(QPainter& painter, QSize client, const QImage& picture, TPictureStyle style) {
  if (picture.isNull()) return;
  const int W = client.width(), H = client.height(), w = picture.width(), h = picture.height();
  switch (style) {
    case psNormal:
      painter.drawImage(0, 0, picture);
      break;
    case psCenter:
      painter.drawImage((W - w) / 2, (H - h) / 2, picture);
      break;
    case psStretch:
      painter.save();
      painter.setRenderHint(QPainter::SmoothPixmapTransform, true);
      painter.drawImage(QRect(0, 0, W, H), picture);
      painter.restore();
      break;
    case psTile:
      // Tiles at (c × w, r × h) for every column and row that reaches into the area; a texture
      // brush anchored at the origin paints exactly those, in one pass.
      if (w > 0 && h > 0) {
        painter.save();
        painter.setBrushOrigin(0, 0);
        painter.fillRect(QRect(0, 0, W, H), QBrush(picture));
        painter.restore();
      }
      break;
    case psAutoSize:
    default:
      break;
  }
}

void DrawPanelBorder(QPainter& painter, QSize client, TPanelBackBorder border, TPanelBackBorderStyle style,
                     TColor highlightColor, TColor shadowColor) {
  if (border == pbbNone) return;
  const QRgb highlight = ColorToRGB(highlightColor), shadow = ColorToRGB(shadowColor);
  // D: top and left lines; L: bottom and right lines; M: where they meet.
  QRgb d = highlight, l = highlight;
  if (style == pbbsLowered) {
    d = shadow;
    l = highlight;
  } else if (style == pbbsRaised) {
    d = highlight;
    l = shadow;
  }
  const QRgb m = MidColor(d, l);
  const bool flat = style == pbbsFlat;
  const int W = client.width(), H = client.height();
  auto line = [&](int x1, int y1, int x2, int y2, QRgb c) { DrawLineExclusive(painter, {x1, y1}, {x2, y2}, c); };
  auto pixel = [&](int x, int y, QRgb c) { painter.fillRect(QRect(x, y, 1, 1), QColor::fromRgb(c)); };
  // A rectangle outline (left, top)-(right, bottom), right and bottom exclusive.
  auto outline = [&](int left, int top, int right, int bottom, QRgb c) {
    if (right - left < 1 || bottom - top < 1) return;
    line(left, top, right - 1, top, c);
    line(right - 1, top, right - 1, bottom - 1, c);
    line(right - 1, bottom - 1, left, bottom - 1, c);
    line(left, bottom - 1, left, top, c);
  };
  painter.save();
  painter.setCompositionMode(QPainter::CompositionMode_SourceOver);
  switch (border) {
    case pbbBox:
      line(0, H - 1, 0, 0, d);
      line(0, 0, W - 1, 0, d);
      line(W - 1, 0, W - 1, H - 1, l);
      line(W - 1, H - 1, 0, H - 1, l);
      pixel(0, H - 1, m);
      pixel(W - 1, 0, m);
      break;
    case pbbFrame:
      outline(1, 1, W, H, l);
      if (!flat) outline(0, 0, W - 1, H - 1, d);
      break;
    case pbbLeftLine:
      line(0, 0, 0, H, d);
      if (!flat) {
        line(1, 0, 1, H, l);
        pixel(1, 0, m);
        pixel(0, H - 1, m);
      }
      break;
    case pbbTopLine:
      line(0, 0, W, 0, d);
      if (!flat) {
        line(0, 1, W, 1, l);
        pixel(0, 1, m);
        pixel(W - 1, 0, m);
      }
      break;
    case pbbRightLine:
      line(W - 2, 0, W - 2, H, d);
      if (!flat) {
        line(W - 1, 0, W - 1, H, l);
        pixel(W - 1, 0, m);
        pixel(W - 2, H - 1, m);
      }
      break;
    case pbbBottomLine:
      line(0, H - 2, W, H - 2, d);
      if (!flat) {
        line(0, H - 1, W, H - 1, l);
        pixel(0, H - 1, m);
        pixel(W - 1, H - 2, m);
      }
      break;
    default:
      break;
  }
  painter.restore();
}

void DrawPanelGrid(QPainter& painter, QSize client, int gridX, int gridY) {
  if (gridX < 1 || gridY < 1) return;
  const int W = client.width(), H = client.height();
  painter.save();
  for (int i = 0; i <= W / gridX; ++i)
    for (int j = 0; j <= H / gridY; ++j) painter.fillRect(QRect(gridX * i, gridY * j, 1, 1), Qt::black);
  painter.restore();
}

void PaintPanelBack(QPainter& painter, QSize client, const TPanelBack& back, const TPanelBackContext& context) {
  const QRect all(QPoint(0, 0), client);
  if (back.GradientStyle == gsNone)
    painter.fillRect(all, ToQColor(context.PanelColor));
  else
    DrawGradient(painter, GradientCodeOf(back.GradientStyle), context.PanelColor, back.GradientColor, all);
  DrawPanelPicture(painter, client, context.Picture, back.BackImageStyle);
  if (!back.Caption.isEmpty()) {
    DrawCaptionText(painter, back.Caption, all, true, CaptionAlignment(back.Alignment, back.Layout), context.Font);
  }
  DrawPanelBorder(painter, client, back.Border, back.BorderStyle, back.HighlightColor, back.ShadowColor);
  if (back.PaintGrid) DrawPanelGrid(painter, client, context.GridX, context.GridY);
}

QImage BuildPanelBackImage(QSize client, const TPanelBack& back, const TPanelBackContext& context) {
  if (client.isEmpty()) return {};
  QImage image(client, QImage::Format_ARGB32);
  image.fill(Qt::transparent);
  QPainter painter(&image);
  PaintPanelBack(painter, client, back, context);
  return image;
}
