#include "designer/DesignerIcons.h"

#include <QHash>
#include <QPainter>
#include <QPainterPath>
#include <QPixmap>
#include <functional>

namespace {

// Every picture is drawn on a 16 × 16 grid at twice the pixels, so it stays crisp when scaled.
QIcon Painted(const std::function<void(QPainter&)>& draw, int grid = 16) {
  QIcon icon;
  for (int scale : {1, 2, 4}) {
    QPixmap pixmap(grid * scale, grid * scale);
    pixmap.fill(Qt::transparent);
    QPainter p(&pixmap);
    p.setRenderHint(QPainter::Antialiasing);
    p.scale(scale, scale);
    draw(p);
    p.end();
    icon.addPixmap(pixmap);
  }
  return icon;
}

const QColor Ink(0x30, 0x30, 0x38);
const QColor Face(0xE4, 0xE4, 0xE0);
const QColor Blue(0x2F, 0x6F, 0xC8);
const QColor LightBlue(0xA8, 0xC8, 0xF0);
const QColor Green(0x3A, 0x9A, 0x4A);
const QColor Orange(0xF0, 0x8C, 0x20);
const QColor Red(0xD0, 0x30, 0x30);
const QColor Yellow(0xF8, 0xE0, 0x60);

void Frame(QPainter& p, const QRectF& r, const QColor& fill, const QColor& line = Ink) {
  p.setPen(QPen(line, 1));
  p.setBrush(fill);
  p.drawRect(r);
}

void Lines(QPainter& p, qreal left, qreal right, qreal top, int count, qreal step, const QColor& color = Ink) {
  p.setPen(QPen(color, 1));
  for (int i = 0; i < count; ++i) p.drawLine(QPointF(left, top + i * step), QPointF(right, top + i * step));
}

void Mountain(QPainter& p, const QRectF& r) {
  p.setPen(Qt::NoPen);
  p.setBrush(Orange);
  p.drawEllipse(QPointF(r.right() - 3, r.top() + 3), 1.6, 1.6);
  p.setBrush(Green);
  QPainterPath hill;
  hill.moveTo(r.left() + 0.5, r.bottom() - 0.5);
  hill.lineTo(r.left() + r.width() * 0.4, r.top() + r.height() * 0.35);
  hill.lineTo(r.left() + r.width() * 0.65, r.top() + r.height() * 0.7);
  hill.lineTo(r.left() + r.width() * 0.8, r.top() + r.height() * 0.55);
  hill.lineTo(r.right() - 0.5, r.bottom() - 0.5);
  hill.closeSubpath();
  p.drawPath(hill);
}

void Letter(QPainter& p, const QRectF& r, const QString& text, const QColor& color, qreal size, bool bold = true) {
  QFont font(QStringLiteral("Sans"));
  font.setPixelSize(qRound(size));
  font.setBold(bold);
  p.setFont(font);
  p.setPen(color);
  p.drawText(r, Qt::AlignCenter, text);
}

// The page window: title bar and client area.
void PageWindow(QPainter& p) {
  Frame(p, QRectF(1.5, 2.5, 13, 11), Qt::white);
  p.setPen(Qt::NoPen);
  p.setBrush(Blue);
  p.drawRect(QRectF(2, 3, 12, 2.5));
}

// The disc of the project.
void Disc(QPainter& p) {
  QRadialGradient g(QPointF(6, 6), 9);
  g.setColorAt(0, QColor(0xF4, 0xF8, 0xFF));
  g.setColorAt(0.6, LightBlue);
  g.setColorAt(1, QColor(0xC8, 0xA8, 0xE8));
  p.setPen(QPen(Ink, 1));
  p.setBrush(g);
  p.drawEllipse(QPointF(8, 8), 6.5, 6.5);
  p.setBrush(Qt::white);
  p.drawEllipse(QPointF(8, 8), 1.8, 1.8);
}

// The changed mark: a small red star at the bottom right.
void ChangedMark(QPainter& p) {
  p.setPen(QPen(Qt::white, 0.8));
  p.setBrush(Red);
  p.drawEllipse(QPointF(12.5, 12.5), 3, 3);
  p.setPen(QPen(Qt::white, 1.2));
  p.drawLine(QPointF(12.5, 10.8), QPointF(12.5, 14.2));
  p.drawLine(QPointF(10.8, 12.5), QPointF(14.2, 12.5));
}

void DrawKind(QPainter& p, TObjectType kind) {
  switch (kind) {
    case otPanel:
      Frame(p, QRectF(1.5, 3.5, 13, 9), Face);
      p.setPen(QPen(Qt::white, 1));
      p.drawLine(QPointF(2.5, 4.5), QPointF(13.5, 4.5));
      break;
    case otTabNotebook:
      Frame(p, QRectF(1.5, 5.5, 13, 8), Face);
      Frame(p, QRectF(1.5, 2.5, 5, 3), Face);
      Frame(p, QRectF(6.5, 3.5, 4, 2), QColor(0xC8, 0xC8, 0xC4));
      break;
    case otTabSheet:
      Frame(p, QRectF(1.5, 5.5, 13, 8), Qt::white);
      Frame(p, QRectF(1.5, 2.5, 5, 3), Qt::white);
      Lines(p, 4, 12, 8.5, 3, 2, LightBlue);
      break;
    case otGroupBox:
      p.setPen(QPen(Ink, 1));
      p.setBrush(Qt::NoBrush);
      p.drawPolyline(QPolygonF({{4.5, 4.5}, {1.5, 4.5}, {1.5, 13.5}, {14.5, 13.5}, {14.5, 4.5}, {10.5, 4.5}}));
      Lines(p, 5.5, 9.5, 4.5, 1, 0, Blue);
      break;
    case otScrollBox:
      Frame(p, QRectF(1.5, 1.5, 13, 13), Qt::white);
      Frame(p, QRectF(10.5, 1.5, 4, 13), Face);
      Frame(p, QRectF(10.5, 5.5, 4, 4), QColor(0x90, 0x90, 0x98));
      break;
    case otSplitter:
      Frame(p, QRectF(1.5, 2.5, 5, 11), Face);
      Frame(p, QRectF(9.5, 2.5, 5, 11), Face);
      p.setPen(QPen(Blue, 1));
      p.drawLine(QPointF(7.5, 2), QPointF(7.5, 14));
      p.drawLine(QPointF(8.5, 2), QPointF(8.5, 14));
      break;
    case otStandardButton:
      p.setPen(QPen(Ink, 1));
      p.setBrush(Face);
      p.drawRoundedRect(QRectF(1.5, 4.5, 13, 7), 1.5, 1.5);
      Letter(p, QRectF(1, 4, 14, 8), QStringLiteral("OK"), Ink, 6);
      break;
    case otImageButton:
      p.setPen(QPen(Ink, 1));
      p.setBrush(Face);
      p.drawRoundedRect(QRectF(1.5, 2.5, 13, 11), 1.5, 1.5);
      Mountain(p, QRectF(3, 4, 10, 8));
      break;
    case otSimpleText:
      Letter(p, QRectF(0, 0, 16, 16), QStringLiteral("A"), Ink, 13);
      break;
    case otImage:
      Frame(p, QRectF(1.5, 2.5, 13, 11), QColor(0xD8, 0xEC, 0xFF));
      Mountain(p, QRectF(2, 3, 12, 10));
      break;
    case otBevel:
      p.setPen(QPen(QColor(0x80, 0x80, 0x80), 1));
      p.setBrush(Qt::NoBrush);
      p.drawRect(QRectF(1.5, 3.5, 12, 9));
      p.setPen(QPen(Qt::white, 1));
      p.drawRect(QRectF(2.5, 4.5, 12, 9));
      break;
    case otFadeButton: {
      QLinearGradient g(0, 4, 0, 12);
      g.setColorAt(0, LightBlue);
      g.setColorAt(1, Blue);
      p.setPen(QPen(Blue.darker(), 1));
      p.setBrush(g);
      p.drawRoundedRect(QRectF(1.5, 4.5, 13, 7), 3.5, 3.5);
      p.setPen(QPen(QColor(255, 255, 255, 160), 1));
      p.drawLine(QPointF(4, 6), QPointF(12, 6));
      break;
    }
    case otLabel:
      Letter(p, QRectF(1, 1, 16, 16), QStringLiteral("Ab"), QColor(0, 0, 0, 90), 10);
      Letter(p, QRectF(0, 0, 16, 16), QStringLiteral("Ab"), Blue, 10);
      break;
    case otText:
      Letter(p, QRectF(1, 1, 16, 16), QStringLiteral("T"), QColor(0, 0, 0, 90), 14);
      Letter(p, QRectF(0, 0, 16, 16), QStringLiteral("T"), Orange, 14);
      break;
    case otShape:
      p.setPen(QPen(Ink, 1));
      p.setBrush(Green);
      p.drawEllipse(QRectF(1.5, 1.5, 9, 9));
      p.setBrush(Orange);
      p.drawPolygon(QPolygonF({{9, 6}, {14.5, 14.5}, {3.5, 14.5}}));
      break;
    case otBalloon: {
      QPainterPath path;
      path.addRoundedRect(QRectF(1.5, 1.5, 13, 9), 3, 3);
      QPainterPath tail;
      tail.moveTo(4, 9);
      tail.lineTo(3, 14.5);
      tail.lineTo(8, 9.5);
      tail.closeSubpath();
      p.setPen(QPen(Ink, 1));
      p.setBrush(QColor(0xFF, 0xFF, 0xE0));
      p.drawPath(path.united(tail));
      Lines(p, 4, 12, 4.5, 2, 2.5, QColor(0x80, 0x80, 0x80));
      break;
    }
    case otNote:
      p.setPen(QPen(Ink, 1));
      p.setBrush(Yellow);
      p.drawPolygon(QPolygonF({{2.5, 1.5}, {13.5, 1.5}, {13.5, 10.5}, {9.5, 14.5}, {2.5, 14.5}}));
      p.setBrush(Yellow.darker(120));
      p.drawPolygon(QPolygonF({{13.5, 10.5}, {9.5, 10.5}, {9.5, 14.5}}));
      Lines(p, 4.5, 11.5, 4.5, 2, 2.5, QColor(0x90, 0x80, 0x30));
      break;
    case otSlideShow:
      Frame(p, QRectF(4.5, 1.5, 10, 8), Face);
      Frame(p, QRectF(1.5, 5.5, 11, 9), QColor(0xD8, 0xEC, 0xFF));
      Mountain(p, QRectF(2, 6, 10, 8));
      break;
    case otMemo:
      Frame(p, QRectF(1.5, 1.5, 13, 13), Qt::white);
      Lines(p, 3.5, 12.5, 4.5, 4, 2.5);
      break;
    case otRichText:
      Frame(p, QRectF(1.5, 1.5, 13, 13), Qt::white);
      Lines(p, 3.5, 12.5, 4.5, 1, 0, Red);
      Lines(p, 3.5, 9.5, 7, 1, 0, Blue);
      Lines(p, 3.5, 12.5, 9.5, 1, 0, Green);
      Lines(p, 3.5, 10.5, 12, 1, 0, Ink);
      break;
    case otWebBrowser:
      p.setPen(QPen(Blue, 1));
      p.setBrush(QColor(0xD8, 0xEC, 0xFF));
      p.drawEllipse(QRectF(1.5, 1.5, 13, 13));
      p.setBrush(Qt::NoBrush);
      p.drawEllipse(QRectF(5, 1.5, 6, 13));
      p.drawLine(QPointF(1.5, 8), QPointF(14.5, 8));
      p.drawLine(QPointF(8, 1.5), QPointF(8, 14.5));
      break;
    case otMediaPlayer:
      Frame(p, QRectF(1.5, 2.5, 13, 11), Ink);
      p.setPen(Qt::NoPen);
      p.setBrush(Qt::white);
      p.drawPolygon(QPolygonF({{6, 5}, {11.5, 8}, {6, 11}}));
      break;
    case otFlashPlayer:
      p.setPen(QPen(Red.darker(), 1));
      p.setBrush(Red);
      p.drawRoundedRect(QRectF(1.5, 1.5, 13, 13), 2.5, 2.5);
      Letter(p, QRectF(0, 0, 16, 16), QStringLiteral("f"), Qt::white, 12);
      break;
    case otPDFReader:
      p.setPen(QPen(Ink, 1));
      p.setBrush(Qt::white);
      p.drawPolygon(QPolygonF({{3.5, 1.5}, {10.5, 1.5}, {13.5, 4.5}, {13.5, 14.5}, {3.5, 14.5}}));
      p.setPen(Qt::NoPen);
      p.setBrush(Red);
      p.drawRect(QRectF(1, 7, 12, 5));
      Letter(p, QRectF(1, 7, 12, 5), QStringLiteral("PDF"), Qt::white, 4.5);
      break;
    case otMultilineText:
      Lines(p, 1.5, 14.5, 3.5, 1, 0, Ink);
      Lines(p, 1.5, 11.5, 6.5, 1, 0, Ink);
      Lines(p, 1.5, 14.5, 9.5, 1, 0, Ink);
      Lines(p, 1.5, 8.5, 12.5, 1, 0, Ink);
      break;
  }
}

}  // namespace

int GetObjectImageIndex(TObjectType kind) {
  switch (kind) {
    case otPanel:
      return 10;
    case otTabNotebook:
      return 11;
    case otTabSheet:
      return 12;
    case otGroupBox:
      return 13;
    case otSplitter:
      return 14;
    case otStandardButton:
      return 15;
    case otImageButton:
      return 16;
    case otImage:
      return 17;
    case otSimpleText:
      return 18;
    case otScrollBox:
      return 19;
    case otMemo:
      return 20;
    case otRichText:
      return 21;
    case otBevel:
      return 28;
    case otFadeButton:
      return 29;
    case otLabel:
      return 30;
    case otText:
      return 31;
    case otShape:
      return 32;
    case otBalloon:
      return 33;
    case otNote:
      return 34;
    case otSlideShow:
      return 35;
    case otWebBrowser:
      return 36;
    case otMediaPlayer:
      return 37;
    case otFlashPlayer:
      return 38;
    case otPDFReader:
      return 39;
    case otMultilineText:
      return 41;
  }
  return -1;
}

namespace DesignerIcons {

QIcon AppIcon() {
  static const QIcon icon = Painted(
      [](QPainter& p) {
        // A disc with a menu page in front of it.
        QRadialGradient g(QPointF(11, 11), 16);
        g.setColorAt(0, QColor(0xF4, 0xF8, 0xFF));
        g.setColorAt(0.55, LightBlue);
        g.setColorAt(1, QColor(0xB8, 0x98, 0xE0));
        p.setPen(QPen(Ink, 1.2));
        p.setBrush(g);
        p.drawEllipse(QPointF(13, 13), 11.5, 11.5);
        p.setBrush(Qt::white);
        p.drawEllipse(QPointF(13, 13), 3, 3);
        p.setPen(QPen(Ink, 1.2));
        p.setBrush(Qt::white);
        p.drawRoundedRect(QRectF(14.5, 14.5, 16, 15), 1.5, 1.5);
        p.setPen(Qt::NoPen);
        p.setBrush(Blue);
        p.drawRect(QRectF(15.1, 15.1, 14.8, 3.4));
        p.setBrush(Orange);
        p.drawRoundedRect(QRectF(17, 20.5, 11, 2.6), 1.3, 1.3);
        p.setBrush(Green);
        p.drawRoundedRect(QRectF(17, 24.5, 11, 2.6), 1.3, 1.3);
      },
      32);
  return icon;
}

QIcon TreeImage(int slot) {
  static QHash<int, QIcon> cache;
  if (auto it = cache.constFind(slot); it != cache.constEnd()) return *it;
  QIcon icon;
  switch (slot) {
    case RootImage:
    case RootChangedImage:
      icon = Painted([slot](QPainter& p) {
        Disc(p);
        if (slot == RootChangedImage) ChangedMark(p);
      });
      break;
    case PageImage:
    case PageChangedImage:
      icon = Painted([slot](QPainter& p) {
        PageWindow(p);
        if (slot == PageChangedImage) ChangedMark(p);
      });
      break;
    default:
      for (int kind = 0; kind < ObjectTypeCount; ++kind)
        if (GetObjectImageIndex(static_cast<TObjectType>(kind)) == slot)
          icon = Painted([kind](QPainter& p) { DrawKind(p, static_cast<TObjectType>(kind)); });
      break;
  }
  cache.insert(slot, icon);
  return icon;
}

QIcon ToolIcon(TTool tool) {
  return Painted([tool](QPainter& p) {
    switch (tool) {
      case TTool::NewProject:
        Disc(p);
        p.setPen(QPen(Green.darker(), 1));
        p.setBrush(Green);
        p.drawEllipse(QPointF(12.5, 3.5), 3, 3);
        p.setPen(QPen(Qt::white, 1.2));
        p.drawLine(QPointF(12.5, 1.8), QPointF(12.5, 5.2));
        p.drawLine(QPointF(10.8, 3.5), QPointF(14.2, 3.5));
        break;
      case TTool::Open:
        p.setPen(QPen(Orange.darker(), 1));
        p.setBrush(Yellow);
        p.drawPolygon(QPolygonF({{1.5, 3.5}, {6, 3.5}, {7.5, 5}, {14.5, 5}, {14.5, 13.5}, {1.5, 13.5}}));
        p.setBrush(Orange);
        p.drawPolygon(QPolygonF({{3.5, 7.5}, {15.5, 7.5}, {13.5, 13.5}, {1.5, 13.5}}));
        break;
      case TTool::Save:
        p.setPen(QPen(Ink, 1));
        p.setBrush(Blue);
        p.drawRoundedRect(QRectF(1.5, 1.5, 13, 13), 1.5, 1.5);
        p.setBrush(Qt::white);
        p.drawRect(QRectF(4.5, 1.5, 7, 5));
        p.setBrush(Face);
        p.drawRect(QRectF(3.5, 9.5, 9, 5));
        break;
      case TTool::Build:
        p.setPen(QPen(Ink, 1));
        p.setBrush(Face);
        p.drawRect(QRectF(2.5, 8.5, 11, 6));
        p.setBrush(Orange);
        p.drawPolygon(QPolygonF({{8, 1.5}, {12.5, 6}, {10, 6}, {10, 8.5}, {6, 8.5}, {6, 6}, {3.5, 6}}));
        break;
      case TTool::Run:
        p.setPen(QPen(Green.darker(), 1));
        p.setBrush(Green);
        p.drawPolygon(QPolygonF({{4, 2}, {14, 8}, {4, 14}}));
        break;
      case TTool::Publish:
        Disc(p);
        p.setPen(QPen(Blue.darker(), 1));
        p.setBrush(Blue);
        p.drawPolygon(QPolygonF({{12.5, 1}, {15.5, 5}, {13.5, 5}, {13.5, 8}, {11.5, 8}, {11.5, 5}, {9.5, 5}}));
        break;
      case TTool::Copy:
        Frame(p, QRectF(1.5, 1.5, 8, 10), Qt::white);
        Frame(p, QRectF(6.5, 4.5, 8, 10), Qt::white);
        Lines(p, 8.5, 12.5, 7.5, 3, 2, LightBlue);
        break;
      case TTool::Paste:
        Frame(p, QRectF(2.5, 2.5, 10, 12), QColor(0xC8, 0x9C, 0x60));
        Frame(p, QRectF(5.5, 1.5, 4, 2.5), Face);
        Frame(p, QRectF(7.5, 6.5, 7, 8), Qt::white);
        break;
      case TTool::AddForm:
        PageWindow(p);
        p.setPen(QPen(Green.darker(), 1));
        p.setBrush(Green);
        p.drawEllipse(QPointF(12, 12), 3.5, 3.5);
        p.setPen(QPen(Qt::white, 1.3));
        p.drawLine(QPointF(12, 10), QPointF(12, 14));
        p.drawLine(QPointF(10, 12), QPointF(14, 12));
        break;
      case TTool::LoadTemplate:
        PageWindow(p);
        Mountain(p, QRectF(3, 7, 10, 6));
        break;
      case TTool::PreviewForm:
        PageWindow(p);
        p.setPen(QPen(Ink, 1.5));
        p.setBrush(QColor(255, 255, 255, 200));
        p.drawEllipse(QPointF(8, 9.5), 3, 3);
        p.drawLine(QPointF(10.2, 11.7), QPointF(14, 15));
        break;
      case TTool::Select:
        // The mouse pointer.
        p.setPen(QPen(Ink, 1, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
        p.setBrush(Qt::white);
        p.drawPolygon(QPolygonF({{4, 1.5}, {4, 13}, {6.8, 10.4}, {8.8, 14.6}, {10.6, 13.8}, {8.6, 9.6}, {12.2, 9.4}}));
        break;
      case TTool::Undo:
      case TTool::Redo: {
        p.save();
        if (tool == TTool::Redo) {
          p.translate(16, 0);
          p.scale(-1, 1);
        }
        QPainterPath arc;
        arc.moveTo(4, 6);
        arc.cubicTo(10, 2, 16, 8, 10, 13.5);
        p.setPen(QPen(Blue, 2, Qt::SolidLine, Qt::RoundCap));
        p.setBrush(Qt::NoBrush);
        p.drawPath(arc);
        p.setPen(Qt::NoPen);
        p.setBrush(Blue);
        p.drawPolygon(QPolygonF({{1, 6.5}, {6.5, 2}, {7, 9.5}}));
        p.restore();
        break;
      }
    }
  });
}

}  // namespace DesignerIcons
