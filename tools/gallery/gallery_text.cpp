// Effect texts: every effect of the renderer, label alignment and layout, the opaque and
// transparent looks, wrapping and row pitch, and frames of an animation.
#include <QDir>
#include <QFile>
#include <QFontDatabase>
#include <QPainter>
#include <functional>

#include "Gallery.h"
#include "render/AAControls.h"
#include "render/PictureDecode.h"
#include "render/TextAnimation.h"

namespace {
void RegisterTahoma() {
  static const bool once = [] {
    for (const char* name : {"tahoma.ttf", "tahomabd.ttf"}) {
      const QString path = QStringLiteral("/usr/share/wine/fonts/") + QLatin1String(name);
      if (QFile::exists(path)) QFontDatabase::addApplicationFont(path);
    }
    return true;
  }();
  (void)once;
}

TFont GalleryFont(int size, TColor color, uint8_t style = fsBold) {
  TFont f;
  f.Name = QStringLiteral("Tahoma");
  f.Size = size;
  f.Color = color;
  f.Style = style;
  return f;
}

// A contact sheet: cells of a fixed size in rows, each with a caption under it.
class TSheet {
 public:
  TSheet(int columns, int rows, QSize cell) : FColumns(columns), FCell(cell) {
    FImage = QImage(columns * cell.width(), rows * (cell.height() + 16), QImage::Format_RGB32);
    FImage.fill(qRgb(236, 236, 236));
  }
  // Draws a cell through paint(canvas of the cell) and captions it.
  void Add(const QString& caption, const std::function<void(QImage&)>& paint, QRgb back = qRgb(255, 255, 255)) {
    QImage cell(FCell, QImage::Format_RGB32);
    cell.fill(back);
    paint(cell);
    const int col = FCount % FColumns, row = FCount / FColumns;
    const QPoint at(col * FCell.width(), row * (FCell.height() + 16));
    QPainter p(&FImage);
    p.drawImage(at, cell);
    p.setPen(QColor(90, 90, 90));
    p.drawRect(QRect(at, FCell).adjusted(0, 0, -1, -1));
    QFont f(QStringLiteral("DejaVu Sans"));
    f.setPixelSize(10);
    p.setFont(f);
    p.setPen(Qt::black);
    p.drawText(QRect(at + QPoint(2, FCell.height()), QSize(FCell.width() - 4, 16)), Qt::AlignLeft | Qt::AlignVCenter,
               caption);
    ++FCount;
  }
  const QImage& Image() const { return FImage; }

 private:
  int FColumns;
  QSize FCell;
  int FCount = 0;
  QImage FImage;
};

QImage Checker(int size, QRgb a, QRgb b) {
  QImage img(size, size, QImage::Format_RGB32);
  for (int y = 0; y < size; ++y)
    for (int x = 0; x < size; ++x) img.setPixel(x, y, ((x / 4 + y / 4) % 2) ? a : b);
  return img;
}

// A label as the label object makes it: quality aqHigh, gradient from the font colour to white,
// shadow on, transparent, caption centred.
void SetupLabel(TAALabel& label, const QString& caption, const TFont& font, QSize size) {
  label.SetFont(font);
  label.SetCaption(caption);
  label.SetQuality(aqHigh);
  label.SetAutoSize(false);
  label.SetSize(size);
  label.SetAlignment(taCenter);
  label.SetLayout(tlCenter);
  label.SetTransparent(true);
  TAAEffect e = NewTextObjectEffect(font.Color);
  e.Gradual.Enabled = false;
  label.SetFontEffect(e);
}

void WriteEffects(const QString& folder) {
  const QSize cell(170, 70);
  TSheet sheet(5, 7, cell);
  auto add = [&](const QString& caption, const std::function<void(TAAEffect&)>& change, uint8_t style = fsBold,
                 QRgb back = qRgb(255, 255, 255)) {
    sheet.Add(
        caption,
        [&](QImage& canvas) {
          TAALabel label;
          SetupLabel(label, QStringLiteral("Menuvia"), GalleryFont(24, 0x00A03010, style), canvas.size());
          label.ChangeFontEffect(change);
          label.PaintTo(canvas, QPoint(0, 0));
        },
        back);
  };
  TPicture texture = EncodePicture(Checker(16, qRgb(230, 40, 40), qRgb(250, 210, 40)), TGraphicKind::Png);
  TPicture bigTexture = EncodePicture(Checker(24, qRgb(40, 90, 230), qRgb(40, 200, 120)), TGraphicKind::Png);
  add("plain, shadow off", [](TAAEffect& e) { e.Shadow.Enabled = false; });
  add("shadow (default)", [](TAAEffect&) {});
  add("shadow -3,-3 blur 0", [](TAAEffect& e) {
    e.Shadow.OffsetX = -3;
    e.Shadow.OffsetY = -3;
    e.Shadow.Blur = 0;
    e.Shadow.Alpha = 100;
    e.Shadow.Color = 0x0000C0FF;
  });
  add("shadow 6,6 blur 100", [](TAAEffect& e) {
    e.Shadow.OffsetX = 6;
    e.Shadow.OffsetY = 6;
    e.Shadow.Blur = 100;
  });
  add("outline", [](TAAEffect& e) { e.Outline = true; });
  add("spray 3", [](TAAEffect& e) { e.Spray = 3; });
  add("horz mirror", [](TAAEffect& e) { e.HorzMirror = true; });
  add("vert mirror", [](TAAEffect& e) { e.VertMirror = true; });
  add("blur 50", [](TAAEffect& e) { e.Blur = 50; });
  add("blur 100", [](TAAEffect& e) { e.Blur = 100; });
  add("alpha 50", [](TAAEffect& e) { e.Alpha = 50; });
  add(
      "alpha 50 on dark", [](TAAEffect& e) { e.Alpha = 50; }, fsBold, qRgb(30, 30, 60));
  add("angle 15", [](TAAEffect& e) { e.Angle = 15; });
  add("angle -30", [](TAAEffect& e) { e.Angle = -30; });
  add(
      "italic", [](TAAEffect&) {}, fsBold | fsItalic);
  const char* styles[] = {"LeftToRight", "RightToLeft", "TopToBottom", "BottomToTop", "CenterToLR", "CenterToTB"};
  for (int s = 0; s < 6; ++s)
    add(QStringLiteral("gradient ") + QLatin1String(styles[s]), [s](TAAEffect& e) {
      e.Gradual.Enabled = true;
      e.Gradual.Style = static_cast<TGradualStyle>(s);
      e.Gradual.StartColor = 0x000000C0;
      e.Gradual.EndColor = 0x00FFC000;
    });
  const char* modes[] = {"Tile", "Stretch", "Center", "Normal"};
  for (int m = 0; m < 4; ++m)
    add(QStringLiteral("texture ") + QLatin1String(modes[m]), [&, m](TAAEffect& e) {
      e.Texture.Enabled = true;
      e.Texture.Picture = m == 0 ? texture : bigTexture;
      e.Texture.Mode = static_cast<TTextureMode>(m);
    });
  add("noise 120 on colour", [](TAAEffect& e) { e.Noise = 120; });
  add("noise 80 on gradient", [](TAAEffect& e) {
    e.Noise = 80;
    e.Gradual.Enabled = true;
    e.Gradual.StartColor = 0x00008000;
  });
  add("outline + gradient", [](TAAEffect& e) {
    e.Outline = true;
    e.Gradual.Enabled = true;
    e.Gradual.StartColor = 0x000000FF;
    e.Gradual.EndColor = 0x00FF0000;
  });
  add("texture + noise 60", [&](TAAEffect& e) {
    e.Texture.Enabled = true;
    e.Texture.Picture = texture;
    e.Noise = 60;
  });
  SaveGalleryImage(sheet.Image(), folder, QStringLiteral("effects"), false);

  // Quality factors side by side, enlarged so the edges show.
  TSheet quality(4, 1, QSize(120, 60));
  const TAAQuality qualities[] = {aqHigh, aqNormal, aqLow, aqNone};
  const char* qualityNames[] = {"aqHigh x4", "aqNormal x3", "aqLow x2", "aqNone x1"};
  for (int q = 0; q < 4; ++q)
    quality.Add(QLatin1String(qualityNames[q]), [&](QImage& canvas) {
      TAALabel label;
      SetupLabel(label, QStringLiteral("Aa"), GalleryFont(11, clBlack, 0), QSize(30, 15));
      label.ChangeFontEffect([](TAAEffect& e) { e.Shadow.Enabled = false; });
      label.SetQuality(qualities[q]);
      QImage small(30, 15, QImage::Format_RGB32);
      small.fill(qRgb(255, 255, 255));
      label.PaintTo(small, QPoint(0, 0));
      QPainter(&canvas).drawImage(QRect(0, 0, 120, 60), small);
    });
  SaveGalleryImage(quality.Image(), folder, QStringLiteral("quality"), false);
}

void WriteLayouts(const QString& folder) {
  TSheet sheet(3, 4, QSize(200, 70));
  const TAlignment alignments[] = {taLeftJustify, taCenter, taRightJustify};
  const TTextLayout layouts[] = {tlTop, tlCenter, tlBottom};
  const char* aNames[] = {"Left", "Center", "Right"};
  const char* lNames[] = {"Top", "Center", "Bottom"};
  for (int l = 0; l < 3; ++l)
    for (int a = 0; a < 3; ++a)
      sheet.Add(QStringLiteral("%1 / %2, opaque, margin 6").arg(aNames[a], lNames[l]), [&](QImage& canvas) {
        TAALabel label;
        SetupLabel(label, QStringLiteral("Label"), GalleryFont(16, 0x00202080), canvas.size());
        label.SetTransparent(false);
        label.SetBackColor(0x00E0F0FF);
        label.SetBorder(6);
        label.SetAlignment(alignments[a]);
        label.SetLayout(layouts[l]);
        label.PaintTo(canvas, QPoint(0, 0));
      });
  const TBackGroundMode modes[] = {bmTiled, bmCenter, bmStretched};
  const char* mNames[] = {"background Tiled", "background Center", "background Stretched"};
  const TPicture picture = EncodePicture(Checker(24, qRgb(180, 210, 250), qRgb(250, 250, 200)), TGraphicKind::Png);
  for (int m = 0; m < 3; ++m)
    sheet.Add(QLatin1String(mNames[m]), [&](QImage& canvas) {
      TAALabel label;
      SetupLabel(label, QStringLiteral("Picture"), GalleryFont(16, 0x00602000), canvas.size());
      label.SetTransparent(false);
      label.SetBackColor(0x00C0C0C0);
      label.SetBackGround(picture);
      label.SetBackGroundMode(modes[m]);
      label.PaintTo(canvas, QPoint(0, 0));
    });
  SaveGalleryImage(sheet.Image(), folder, QStringLiteral("layouts"), false);

  // Transparent label over a page picture versus the same as a composed layer.
  TSheet over(2, 1, QSize(220, 80));
  auto page = [](QImage& canvas) {
    QPainter p(&canvas);
    QLinearGradient g(0, 0, canvas.width(), 0);
    g.setColorAt(0, QColor(20, 40, 120));
    g.setColorAt(1, QColor(240, 200, 60));
    p.fillRect(canvas.rect(), g);
  };
  over.Add("transparent, drawn over the page", [&](QImage& canvas) {
    page(canvas);
    TAALabel label;
    SetupLabel(label, QStringLiteral("Over it"), GalleryFont(22, clWhite), canvas.size());
    label.PaintTo(canvas, QPoint(0, 0));
  });
  over.Add("transparent layer composed", [&](QImage& canvas) {
    page(canvas);
    TAALabel label;
    SetupLabel(label, QStringLiteral("Over it"), GalleryFont(22, clWhite), canvas.size());
    QPainter(&canvas).drawImage(0, 0, label.Picture());
  });
  SaveGalleryImage(over.Image(), folder, QStringLiteral("transparent"), false);
}

void WriteWrapping(const QString& folder) {
  TSheet sheet(4, 2, QSize(193, 193));
  const QStringList lines = {QStringLiteral("Welcome to the disc. Click a button to install, browse or read more."),
                             QString(), QStringLiteral("Quoted: \"do not break me\" stays whole."),
                             QStringLiteral("Averyveryverylongwordwithoutbreaks stays long.")};
  struct Case {
    const char* Name;
    TAlignment Alignment;
    int Pitch;
    int Border;
  };
  const Case cases[] = {
      {"left, pitch 0", taLeftJustify, 0, 4},           {"centre, pitch 20", taCenter, 20, 4},
      {"right, pitch 50", taRightJustify, 50, 4},       {"left, pitch -50", taLeftJustify, -50, 4},
      {"pitch -100 (stacked)", taLeftJustify, -100, 4}, {"pitch 150, margin 12", taLeftJustify, 150, 12}};
  for (const auto& c : cases)
    sheet.Add(QLatin1String(c.Name), [&](QImage& canvas) {
      TAAText text;
      text.SetFont(GalleryFont(10, 0x00303030, 0));
      text.SetQuality(aqHigh);
      text.SetAutoSize(false);
      text.SetSize(canvas.size());
      text.SetWordWrap(true);
      text.SetTransparent(true);
      text.SetLines(lines);
      text.SetAlignment(c.Alignment);
      text.SetRowPitch(c.Pitch);
      text.SetBorder(c.Border);
      TAAEffect e = NewTextObjectEffect(text.Font().Color);
      e.Gradual.Enabled = false;
      text.SetFontEffect(e);
      QPainter(&canvas).drawRect(
          QRect(QPoint(c.Border, c.Border), canvas.size() - QSize(2 * c.Border + 1, 2 * c.Border + 1)));
      text.PaintTo(canvas, QPoint(0, 0));
    });
  sheet.Add("text object defaults", [&](QImage& canvas) {
    TAAText text;
    text.SetFont(GalleryFont(8, clBlack, 0));
    text.SetQuality(aqHigh);
    text.SetAutoSize(false);
    text.SetSize(canvas.size());
    text.SetWordWrap(true);
    text.SetTransparent(true);
    text.SetRowPitch(0);
    text.SetLines({QStringLiteral("New Text")});
    text.SetFontEffect(NewTextObjectEffect(clBlack));
    text.PaintTo(canvas, QPoint(0, 0));
  });
  SaveGalleryImage(sheet.Image(), folder, QStringLiteral("wrapping"), false);
}

// Frames of a font-size entrance and an alpha exit, every few ticks.
void WriteAnimation(const QString& folder) {
  TSheet sheet(8, 2, QSize(110, 50));
  TAALabel label;
  SetupLabel(label, QStringLiteral("Hello"), GalleryFont(20, 0x00C04000), QSize(110, 50));
  TTextAnimation anim;
  anim.Params.AnimActive = true;
  anim.Params.AnimInStyle = tasFontSize;
  anim.Params.AnimInFromValue = 1;
  anim.Params.AnimInStep = 1;
  anim.Params.AnimOutStyle = tasAlpha;
  anim.Params.AnimOutToValue = 0;
  anim.Params.AnimOutStep = 10;
  anim.Prepare(label, 100, true);
  for (int tick = 1; tick <= 32; ++tick) {
    anim.Tick(label, true);
    const bool entering = tick <= 20;
    if ((entering && tick % 3 == 1) || (!entering && tick > 21 && tick % 2 == 0 && tick <= 36))
      sheet.Add(QStringLiteral("tick %1: size %2 a %3").arg(tick).arg(label.Font().Size).arg(label.FontEffect().Alpha),
                [&](QImage& canvas) { label.PaintTo(canvas, QPoint(0, 0)); });
  }
  SaveGalleryImage(sheet.Image(), folder, QStringLiteral("animation"), false);
}

const TGalleryRegistrar Registrar(QStringLiteral("text"), [](const QString& folder) {
  RegisterTahoma();
  InitPictureDecoding();
  WriteEffects(folder);
  WriteLayouts(folder);
  WriteWrapping(folder);
  WriteAnimation(folder);
});
}  // namespace
