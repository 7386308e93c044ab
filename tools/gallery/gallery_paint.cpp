// Balloons, notes, bevels, group boxes, image placement and the multi-line text's animation frames.
#include <QPainter>

#include "Gallery.h"
#include "model/PayloadsFading.h"
#include "model/PayloadsStandard.h"
#include "render/BalloonImage.h"
#include "render/Colors.h"
#include "render/NoteImage.h"
#include "render/PaintedControls.h"
#include "render/PaintedImage.h"
#include "render/PaintedMultiline.h"

namespace {

// Scales a small picture up without smoothing, so single pixels can be inspected.
QImage Zoom(const QImage& image, int factor) {
  return image.scaled(image.width() * factor, image.height() * factor, Qt::IgnoreAspectRatio, Qt::FastTransformation);
}

QImage Canvas(QSize size, QRgb fill = qRgb(0xF0, 0xF0, 0xF0)) {
  QImage image(size, QImage::Format_ARGB32);
  image.fill(fill);
  return image;
}

const char* const ArrowNames[] = {"None",    "LeftDown",  "LeftUp",      "TopLeft",   "TopRight",
                                  "RightUp", "RightDown", "BottomRight", "BottomLeft"};
const char* const GraphicNames[] = {"ArrowLeftBottomCorner",
                                    "ArrowLeftBottom",
                                    "ArrowLeftTop",
                                    "ArrowLeftTopCorner",
                                    "ArrowTopLeft",
                                    "ArrowTopRight",
                                    "ArrowTopRightCorner",
                                    "ArrowRightTop",
                                    "ArrowRightBottom",
                                    "ArrowRightBottmCorner",
                                    "ArrowBottomRight",
                                    "ArrowBottomLeft",
                                    "None",
                                    "Bind",
                                    "Pad"};

const TGalleryRegistrar balloons(QStringLiteral("balloon"), [](const QString& folder) {
  TBalloonFields b;
  for (int arrow = 0; arrow <= 8; ++arrow) {
    b.Arrow = arrow;
    b.Caption = QStringLiteral("Balloon %1: %2").arg(arrow).arg(QLatin1String(ArrowNames[arrow]));
    const QImage img = BuildBalloonImage(b, {193, 65});
    const QString name = QStringLiteral("arrow%1-%2").arg(arrow).arg(QLatin1String(ArrowNames[arrow]));
    SaveGalleryImage(img, folder, name);
    SaveGalleryImage(Zoom(img, 5), folder, name + QStringLiteral("-x5"));
  }
  // Other colours: a dark fill (double highlight steps), a red one (half steps), a light border.
  const std::pair<TColor, TColor> colours[] = {{0x400000, 0x000000}, {0x0000FF, 0x000080}, {0x606060, 0xFFFFFF}};
  int i = 0;
  for (auto [fill, border] : colours) {
    b.Arrow = 8;
    b.Color = fill;
    b.BorderColor = border;
    b.Font.Color = clWhite;
    b.Caption = QStringLiteral("Colours %1").arg(i);
    SaveGalleryImage(BuildBalloonImage(b, {160, 90}), folder, QStringLiteral("colours%1").arg(i++));
  }
  b = TBalloonFields();
  b.Arrow = 5;
  SaveGalleryImage(BuildBalloonImage(b, {40, 40}), folder, QStringLiteral("smallest-40x40"));
});

const TGalleryRegistrar notes(QStringLiteral("note"), [](const QString& folder) {
  TNoteFields n;
  for (int g = 0; g <= 14; ++g) {
    n.Graphic = g;
    n.Caption = QStringLiteral("Note %1\n%2").arg(g).arg(QLatin1String(GraphicNames[g]));
    SaveGalleryImage(BuildNoteImage(n, {193, 193}), folder,
                     QStringLiteral("graphic%1-%2").arg(g).arg(QLatin1String(GraphicNames[g])));
  }
  n.Graphic = 1;
  n.Caption.clear();
  SaveGalleryImage(Zoom(BuildNoteImage(n, {100, 60}), 6), folder, QStringLiteral("graphic1-100x60-x6"));
  n.Graphic = NoteGraphic::None;
  n.Flat = true;
  n.Shadow = false;
  SaveGalleryImage(Zoom(BuildNoteImage(n, {60, 40}), 8), folder, QStringLiteral("flat-noshadow-x8"));
  n.Flat = false;
  n.Shadow = true;
  n.Round = 40;
  n.BackColor = 0x30A030;
  n.Caption = QStringLiteral("Round 40, green");
  SaveGalleryImage(BuildNoteImage(n, {160, 120}), folder, QStringLiteral("round40"));
  SaveGalleryImage(Zoom(NoteBindPicture(), 6), folder, QStringLiteral("bind-x6"));
  SaveGalleryImage(Zoom(NotePadPicture(), 6), folder, QStringLiteral("pad-x6"));
});

const TGalleryRegistrar bevels(QStringLiteral("bevel"), [](const QString& folder) {
  const char* const shapes[] = {"Box", "Frame", "TopLine", "BottomLine", "LeftLine", "RightLine", "Spacer"};
  for (int style = 0; style < 2; ++style)
    for (int shape = 0; shape < 7; ++shape) {
      TBevelPayload bevel;
      bevel.Style = static_cast<TBevelStyle>(style);
      bevel.Shape = static_cast<TBevelShape>(shape);
      QImage img = Canvas({60, 40});
      {
        QPainter p(&img);
        PaintBevel(p, img.size(), bevel, bevel.Shape == TBevelShape::bsSpacer);
      }
      SaveGalleryImage(Zoom(img, 4), folder,
                       QStringLiteral("%1-%2").arg(QLatin1String(shapes[shape]),
                                                   style ? QStringLiteral("raised") : QStringLiteral("lowered")));
    }
  TGroupBoxPayload box;
  box.Caption = QStringLiteral("GroupBox1");
  for (bool rtl : {false, true}) {
    QImage img = Canvas({193, 120});
    {
      QPainter p(&img);
      PaintGroupBoxClassic(p, img.size(), box, true, rtl);
    }
    SaveGalleryImage(Zoom(img, 3), folder, rtl ? QStringLiteral("groupbox-rtl") : QStringLiteral("groupbox"));
  }
});

const TGalleryRegistrar images(QStringLiteral("image-placement"), [](const QString& folder) {
  // A 400 x 100 picture with a frame and a diagonal, so cuts and distortion show.
  QImage picture(400, 100, QImage::Format_ARGB32);
  picture.fill(qRgb(70, 130, 220));
  {
    QPainter p(&picture);
    p.setPen(QPen(Qt::white, 4));
    p.drawRect(2, 2, 396, 96);
    p.drawLine(0, 0, 400, 100);
    p.setBrush(Qt::yellow);
    p.drawEllipse(QPoint(200, 50), 40, 40);
  }
  struct Case {
    const char* name;
    TImagePlacement placement;
  };
  const Case cases[] = {{"normal", {false, false, false}},
                        {"center", {false, false, true}},
                        {"stretch", {true, false, false}},
                        {"proportional", {false, true, false}},
                        {"proportional-center", {false, true, true}},
                        {"stretch-proportional-center", {true, true, true}}};
  for (const auto& c : cases) {
    QImage img = Canvas({200, 200});
    {
      QPainter p(&img);
      PaintImageObject(p, img.size(), picture, c.placement, true);
    }
    SaveGalleryImage(img, folder, QLatin1String(c.name));
  }
});

const TGalleryRegistrar multiline(QStringLiteral("multiline"), [](const QString& folder) {
  TMultilineTextPayload text;
  text.Caption = QStringLiteral("Typing one character after another, word-wrapped.");
  text.AnimStep = 8;
  text.Font.Size = 10;
  text.Transparent = false;
  text.Color = 0xFFFFFF;
  for (int style = 0; style < 2; ++style)
    for (bool fromBottom : {true, false}) {
      text.AnimStyle = style;
      text.AnimFromBottom = fromBottom;
      text.AnimStep = style == 0 ? 8 : 12;
      TMultilineAnimation anim(MultilineAnimParams(text));
      // A strip of successive frames, one tick apart.
      const QSize frame(120, 80);
      QImage strip = Canvas({frame.width() * 10 + 9 * 4, frame.height()}, qRgb(255, 0, 255));
      QPainter sp(&strip);
      for (int i = 0; i < 10; ++i) {
        anim.Tick();
        QImage img = Canvas(frame);
        {
          QPainter p(&img);
          PaintMultilineText(p, frame, text, &anim, true, false);
        }
        sp.drawImage(i * (frame.width() + 4), 0, img);
      }
      sp.end();
      SaveGalleryImage(
          strip, folder,
          QStringLiteral("%1-%2").arg(style ? QStringLiteral("scroll") : QStringLiteral("input"),
                                      fromBottom ? QStringLiteral("frombottom") : QStringLiteral("fromtop")));
    }
  QImage disabled = Canvas({193, 60});
  {
    QPainter p(&disabled);
    text.Caption = QStringLiteral("A disabled multi-line text is embossed.");
    PaintMultilineText(p, disabled.size(), text, nullptr, false, true);
  }
  SaveGalleryImage(Zoom(disabled, 2), folder, QStringLiteral("disabled-editing"));
});

}  // namespace
