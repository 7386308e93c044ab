// Shape pictures: every figure, every fill, pictures and captions, the 3D figures and animation
// frames, as single pictures and as labelled sheets.
#include <QPainter>
#include <algorithm>
#include <cmath>

#include "Gallery.h"
#include "render/Fade.h"
#include "render/PictureDecode.h"
#include "render/ShapeBuilder.h"

namespace {

constexpr int Cell = 150;
constexpr int Label = 18;

// A picture with colour detail and a soft, round alpha edge, stored as the given kind.
TShapePicture SamplePicture(TGraphicKind kind) {
  QImage image(120, 90, QImage::Format_ARGB32);
  for (int y = 0; y < image.height(); ++y)
    for (int x = 0; x < image.width(); ++x) {
      const double dx = (x - 60) / 60.0, dy = (y - 45) / 45.0;
      const double r = std::sqrt(dx * dx + dy * dy);
      const int alpha = kind == TGraphicKind::Png ? std::clamp(int((1.0 - r) * 4 * 255), 0, 255) : 255;
      image.setPixel(x, y, qRgba(40 + x * 180 / 120, 60 + y * 160 / 90, 200 - x, alpha));
    }
  QPainter p(&image);
  p.setPen(Qt::white);
  p.drawLine(0, 45, 119, 45);
  p.drawLine(60, 0, 60, 89);
  p.end();
  return DecodeShapePicture(EncodePicture(image, kind));
}

struct TSheet {
  QImage Image;
  int Columns;
  int Count = 0;

  TSheet(int columns, int rows)
      : Image(columns * Cell, rows * (Cell + Label), QImage::Format_ARGB32), Columns(columns) {
    Image.fill(Qt::transparent);
  }

  void Add(const QImage& shape, const QString& label) {
    const int cx = (Count % Columns) * Cell, cy = (Count / Columns) * (Cell + Label);
    ++Count;
    QPainter p(&Image);
    p.drawImage(cx, cy, shape);
    p.fillRect(cx, cy + Cell, Cell, Label, Qt::white);
    p.setPen(Qt::black);
    QFont font = p.font();
    font.setPixelSize(11);
    p.setFont(font);
    p.drawText(QRect(cx, cy + Cell, Cell, Label), Qt::AlignCenter, label);
    p.setPen(QColor(255, 0, 255));
    p.setBrush(Qt::NoBrush);
    p.drawRect(cx, cy, Cell - 1, Cell - 1);  // the control's bounds
  }
};

QString FileName(int code, const QString& name) {
  return QStringLiteral("%1_%2").arg(code < 0 ? QStringLiteral("m%1").arg(-code) : QString::number(code), name);
}

TShapeFields Base() {
  TShapeFields s;  // yellow fill, orange pen 4, bold caption font
  s.LeftMargin = s.TopMargin = s.RightMargin = s.BottomMargin = 4;
  return s;
}

void WriteShapes(const QString& folder) {
  const TShapePicture png = SamplePicture(TGraphicKind::Png);
  const TShapePicture jpeg = SamplePicture(TGraphicKind::JPEG);

  std::vector<std::pair<int, QString>> figures = ShapeFigureNames();
  for (const auto& f : ShapeTypedOnlyFigureNames()) figures.push_back(f);
  std::sort(figures.begin(), figures.end());

  // Every figure in the default look, then with a gradient, a picture and a caption.
  TSheet plain(8, 5), dressed(8, 5);
  for (const auto& [code, name] : figures) {
    TShapeFields s = Base();
    s.Shape = code;
    const QImage a = BuildShapeImage(s, Cell, Cell, {});
    SaveGalleryImage(a, folder, QStringLiteral("figure_") + FileName(code, name));
    plain.Add(a, QStringLiteral("%1 %2").arg(code).arg(name));

    s.Gradient = 1;
    s.GradientColor = 0xFF8000;
    s.Caption = QStringLiteral("Caption text");
    const QImage b = BuildShapeImage(s, Cell, Cell, png);
    SaveGalleryImage(b, folder, QStringLiteral("dressed_") + FileName(code, name));
    dressed.Add(b, QStringLiteral("%1 %2").arg(code).arg(name));
  }
  SaveGalleryImage(plain.Image, folder, QStringLiteral("sheet_figures"));
  SaveGalleryImage(dressed.Image, folder, QStringLiteral("sheet_figures_gradient_png_caption"));

  // Every fill on three figures.
  std::vector<std::pair<int, QString>> fills = ShapeFillNames();
  for (const auto& f : ShapeTypedOnlyFillNames()) fills.push_back(f);
  fills.emplace_back(9, QStringLiteral("Unknown9"));
  TSheet fillSheet(6, 9);
  for (const auto& [code, name] : fills)
    for (int shape : {ShapeCode::Rectangle, ShapeCode::Ellipse, ShapeCode::FivePointStar}) {
      TShapeFields s = Base();
      s.Shape = shape;
      s.Gradient = code;
      s.Color = 0x3060FF;
      s.GradientColor = 0xFFE0A0;
      s.BorderColor = 0x404040;
      s.BorderWidth = 3;
      const QImage image = BuildShapeImage(s, Cell, Cell, {});
      SaveGalleryImage(image, folder, QStringLiteral("fill_%1_%2_%3").arg(code).arg(name).arg(shape));
      fillSheet.Add(image, QStringLiteral("%1 %2").arg(name).arg(shape));
    }
  SaveGalleryImage(fillSheet.Image, folder, QStringLiteral("sheet_fills"));

  // Pictures and captions.
  TSheet pictures(6, 4);
  struct TCase {
    QString Label;
    int Shape, Gradient, Border;
    const TShapePicture* Picture;
    QString Caption;
    TAlignment Alignment;
    TTextLayout Layout;
  };
  const QString longText = QStringLiteral("A longer caption that wraps at words inside the figure");
  const TCase cases[] = {
      {"-1 PNG", -1, 0, 4, &png, {}, taCenter, tlCenter},
      {"-1 PNG gradient", -1, 3, 4, &png, {}, taCenter, tlCenter},
      {"-1 JPEG", -1, 0, 4, &jpeg, {}, taCenter, tlCenter},
      {"-1 none", -1, 0, 4, nullptr, QStringLiteral("invisible"), taCenter, tlCenter},
      {"ellipse PNG", 2, 0, 4, &png, {}, taCenter, tlCenter},
      {"star JPEG", 19, 0, 2, &jpeg, {}, taCenter, tlCenter},
      {"clear + picture", 0, 1001, 8, &jpeg, {}, taCenter, tlCenter},
      {"clear ellipse", 2, 1001, 6, &jpeg, QStringLiteral("Clear"), taCenter, tlCenter},
      {"top left", 0, 0, 1, nullptr, longText, taLeftJustify, tlTop},
      {"bottom right", 0, 0, 1, nullptr, longText, taRightJustify, tlBottom},
      {"centre", 1, 5, 2, nullptr, longText, taCenter, tlCenter},
      {"caption clipped", 4, 0, 2, nullptr, longText + longText, taLeftJustify, tlTop},
      {"hexagon PNG+text", 13, 7, 4, &png, QStringLiteral("Text over picture"), taCenter, tlBottom},
      {"lines + picture", 36, 0, 12, &jpeg, {}, taCenter, tlCenter},
      {"3D box + picture", 31, 0, 4, &jpeg, QStringLiteral("Button"), taCenter, tlCenter},
      {"roundbox clear", 33, 1001, 6, &png, QStringLiteral("Rim"), taCenter, tlCenter},
  };
  for (const TCase& c : cases) {
    TShapeFields s = Base();
    s.Shape = c.Shape;
    s.Gradient = c.Gradient;
    s.GradientColor = 0x0000A0;
    s.BorderWidth = c.Border;
    s.Caption = c.Caption;
    s.Alignment = c.Alignment;
    s.Layout = c.Layout;
    const QImage image = BuildShapeImage(s, Cell, Cell, c.Picture ? *c.Picture : TShapePicture{});
    SaveGalleryImage(image, folder, QStringLiteral("picture_") + QString(c.Label).replace(u' ', u'_'));
    pictures.Add(image, c.Label);
  }
  SaveGalleryImage(pictures.Image, folder, QStringLiteral("sheet_pictures_captions"));

  // The 3D figures with each kind of fill and two pen widths.
  TSheet threeD(8, 4);
  for (int fill : {0, 1, 1001, 1006})
    for (int code = ShapeCode::FrameLowered3D; code <= ShapeCode::RoundBoxRaised3D; ++code) {
      TShapeFields s = Base();
      s.Shape = code;
      s.Gradient = fill;
      s.Color = 0xC0C0C0;
      s.GradientColor = 0x808080;
      s.BorderWidth = fill == 1 ? 8 : 4;
      threeD.Add(BuildShapeImage(s, Cell, Cell, {}), QStringLiteral("%1 fill %2").arg(ShapeFigureName(code)).arg(fill));
    }
  SaveGalleryImage(threeD.Image, folder, QStringLiteral("sheet_3d"));

  // Animation frames: every entrance style with margins, then the exits.
  TSheet anim(8, 14);
  for (int style = AnimStyle::None; style <= AnimStyle::Fade; ++style)
    for (bool exit : {false, true}) {
      TShapeFields s = Base();
      s.Shape = ShapeCode::Ellipse;
      s.Caption = QStringLiteral("Anim");
      s.AnimActive = true;
      s.AnimInStyle = s.AnimOutStyle = style;
      s.LeftMargin = 30;
      s.RightMargin = 20;
      s.TopMargin = 15;
      s.BottomMargin = 25;
      s.AnimInStep = s.AnimOutStep = 20;
      TShapeAnimation a;
      a.Start(s);
      if (exit) a.SetAnimState(s, ShapeAnimState::Shown);
      int blend = 100;
      for (int i = 0; i < 8; ++i) {
        const auto tick = a.Tick(s);
        if (tick.AlphaBlend) blend = *tick.AlphaBlend;
        TShapeFrame f = tick.Rebuild ? a.Frame(s, Cell, Cell) : TShapeFrame{true, RestingShapeBox(s, Cell, Cell)};
        if (f.AlphaBlend) blend = *f.AlphaBlend;
        QImage image = BuildShapeImage(s, Cell, Cell, {}, f);
        QImage shown(image.size(), QImage::Format_ARGB32);
        ScaleAlpha(image, shown, blend);
        anim.Add(shown, QStringLiteral("%1 %2 t%3 s%4 p%5")
                            .arg(exit ? AnimOutStyleNames().at(style) : AnimInStyleNames().at(style))
                            .arg(exit ? "out" : "in")
                            .arg(i + 1)
                            .arg(a.AnimState)
                            .arg(a.AnimPosition));
      }
    }
  SaveGalleryImage(anim.Image, folder, QStringLiteral("sheet_animation"));
}

static const TGalleryRegistrar registrar(QStringLiteral("shapes"), WriteShapes);

}  // namespace
