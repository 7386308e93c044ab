// Gradients, panel backgrounds (picture styles, border kinds, captions, grid), fade buttons,
// image buttons and slide frames, each as its own PNG plus one labelled sheet per section.
#include <QFile>
#include <QFontDatabase>
#include <QPainter>
#include <vector>

#include "Gallery.h"
#include "render/Caption.h"
#include "render/Colors.h"
#include "render/Fade.h"
#include "render/FadeButton.h"
#include "render/Gradient.h"
#include "render/ImageButton.h"
#include "render/PanelBack.h"
#include "render/SlideShow.h"

namespace {
void UseSystemFonts() {
  static const bool once = [] {
    for (const char* f : {"tahoma.ttf", "tahomabd.ttf", "ms_sans_serif.ttf"}) {
      const QString path = QStringLiteral("/usr/share/wine/fonts/") + QString::fromLatin1(f);
      if (QFile::exists(path)) QFontDatabase::addApplicationFont(path);
    }
    return true;
  }();
  (void)once;
}

struct TCell {
  QString Name;
  QImage Image;
};

// Saves every cell and a sheet of all of them with their names, on a checkerboard.
void SaveSheet(const QString& folder, const QString& sheetName, const std::vector<TCell>& cells, int columns) {
  int cellW = 0, cellH = 0;
  for (const auto& c : cells) {
    SaveGalleryImage(c.Image, folder, c.Name);
    cellW = std::max(cellW, c.Image.width());
    cellH = std::max(cellH, c.Image.height());
  }
  const int pad = 8, label = 16;
  const int rows = (static_cast<int>(cells.size()) + columns - 1) / columns;
  QImage sheet(columns * (cellW + pad) + pad, rows * (cellH + label + pad) + pad, QImage::Format_ARGB32);
  sheet.fill(qRgb(236, 236, 236));
  QPainter p(&sheet);
  for (size_t i = 0; i < cells.size(); ++i) {
    const int x = pad + static_cast<int>(i % columns) * (cellW + pad);
    const int y = pad + static_cast<int>(i / columns) * (cellH + label + pad);
    p.setPen(Qt::black);
    p.setFont(QFont(QStringLiteral("DejaVu Sans"), 7));
    p.drawText(QRect(x, y, cellW, label), Qt::AlignLeft | Qt::AlignVCenter, cells[i].Name);
    const QImage& img = cells[i].Image;
    for (int cy = 0; cy < img.height(); cy += 6)
      for (int cx = 0; cx < img.width(); cx += 6)
        p.fillRect(x + cx, y + label + cy, std::min(6, img.width() - cx), std::min(6, img.height() - cy),
                   ((cx + cy) / 6) % 2 ? QColor(200, 200, 200) : QColor(255, 255, 255));
    p.drawImage(x, y + label, img);
  }
  p.end();
  SaveGalleryImage(sheet, folder, sheetName, false);
}

QImage SamplePicture(int w, int h) {
  QImage image(w, h, QImage::Format_ARGB32);
  image.fill(Qt::transparent);
  QPainter p(&image);
  p.setRenderHint(QPainter::Antialiasing);
  p.fillRect(0, 0, w, h, QColor(40, 110, 190));
  p.setBrush(QColor(250, 200, 40));
  p.setPen(QPen(Qt::white, 2));
  p.drawEllipse(QRectF(w * 0.2, h * 0.2, w * 0.6, h * 0.6));
  p.setBrush(Qt::NoBrush);
  p.setPen(Qt::red);
  p.drawRect(0, 0, w - 1, h - 1);
  return image;
}

QImage RoundIcon(int size, QColor colour) {
  QImage image(size, size, QImage::Format_ARGB32);
  image.fill(Qt::transparent);
  QPainter p(&image);
  p.setRenderHint(QPainter::Antialiasing);
  p.setBrush(colour);
  p.setPen(Qt::NoPen);
  p.drawEllipse(QRectF(1, 1, size - 2, size - 2));
  return image;
}

TFont CaptionFont(int size = 9, TColor colour = clBlack, bool bold = false) {
  TFont f;
  f.Size = size;
  f.Color = colour;
  if (bold) f.Style = fsBold;
  return f;
}

const char* const GradientNames[] = {"1_TopBottom",       "2_BottomTop",       "3_LeftRight",
                                     "4_RightLeft",       "5_MiddleTopBottom", "6_TopBottomMiddle",
                                     "7_MiddleLeftRight", "8_LeftRightMiddle"};

void WriteGradients(const QString& folder) {
  std::vector<TCell> cells;
  for (int code = 1; code <= 8; ++code) {
    QImage image(161, 101, QImage::Format_ARGB32);
    image.fill(Qt::magenta);  // any unpainted pixel would show
    QPainter p(&image);
    // A = dark blue, B = light yellow.
    DrawGradient(p, code, 0x00802010, 0x00C0FFFF, QRect(0, 0, 161, 101));
    p.end();
    cells.push_back({QStringLiteral("gradient_") + QString::fromLatin1(GradientNames[code - 1]), image});
  }
  SaveSheet(folder, QStringLiteral("sheet_gradients"), cells, 4);
}

TPanelBack PlainBack() {
  TPanelBack back;
  back.Caption.clear();
  back.Border = pbbNone;
  return back;
}

void WritePanels(const QString& folder) {
  UseSystemFonts();
  TPanelBackContext context;
  context.PanelColor = clBtnFace;
  context.Font = CaptionFont();

  std::vector<TCell> borders;
  const char* const borderNames[] = {"None", "Box", "Frame", "LeftLine", "TopLine", "RightLine", "BottomLine"};
  const char* const lookNames[] = {"Flat", "Lowered", "Raised"};
  for (int b = pbbBox; b <= pbbBottomLine; ++b)
    for (int s = pbbsFlat; s <= pbbsRaised; ++s) {
      TPanelBack back = PlainBack();
      back.Border = TPanelBackBorder(b);
      back.BorderStyle = TPanelBackBorderStyle(s);
      // Strong colours so each line can be told apart by eye.
      back.HighlightColor = 0x0000C8FF;  // orange
      back.ShadowColor = 0x00802000;     // dark blue
      QImage image = BuildPanelBackImage({90, 50}, back, context);
      borders.push_back(
          {QStringLiteral("border_%1_%2").arg(QString::fromLatin1(borderNames[b]), QString::fromLatin1(lookNames[s])),
           image});
    }
  for (int s = pbbsLowered; s <= pbbsRaised; ++s) {
    TPanelBack back = PlainBack();
    back.Border = pbbBox;
    back.BorderStyle = TPanelBackBorderStyle(s);
    borders.push_back({QStringLiteral("border_Box_%1_system").arg(QString::fromLatin1(lookNames[s])),
                       BuildPanelBackImage({90, 50}, back, context)});
  }
  SaveSheet(folder, QStringLiteral("sheet_borders"), borders, 6);

  std::vector<TCell> pictures;
  const char* const styleNames[] = {"Normal", "Center", "Stretch", "Tile", "AutoSize"};
  for (int s = psNormal; s <= psAutoSize; ++s) {
    TPanelBack back = PlainBack();
    back.BackImageStyle = TPictureStyle(s);
    context.Picture = SamplePicture(100, 50);
    pictures.push_back({QStringLiteral("picture_%1").arg(QString::fromLatin1(styleNames[s])),
                        BuildPanelBackImage({250, 120}, back, context)});
  }
  {
    TPanelBack back = PlainBack();
    back.BackImageStyle = psCenter;
    context.Picture = SamplePicture(400, 200);
    pictures.push_back({QStringLiteral("picture_Center_oversize"), BuildPanelBackImage({250, 120}, back, context)});
  }
  SaveSheet(folder, QStringLiteral("sheet_pictures"), pictures, 3);

  std::vector<TCell> captions;
  context.Picture = QImage();
  const char* const alignNames[] = {"Left", "Right", "Center"};
  const char* const layoutNames[] = {"Top", "Center", "Bottom"};
  for (int l = tlTop; l <= tlBottom; ++l)
    for (int a = taLeftJustify; a <= taCenter; ++a) {
      TPanelBack back = PlainBack();
      back.Border = pbbBox;
      back.Caption = QStringLiteral("Panel caption\twith tab & a long line that wraps");
      back.Alignment = TAlignment(a);
      back.Layout = TTextLayout(l);
      back.GradientStyle = gsTopBottom;
      back.GradientColor = 0x00FFE0C0;
      captions.push_back(
          {QStringLiteral("caption_%1_%2").arg(QString::fromLatin1(layoutNames[l]), QString::fromLatin1(alignNames[a])),
           BuildPanelBackImage({160, 90}, back, context)});
    }
  {
    TPanelBack back = PlainBack();
    back.PaintGrid = true;
    back.Border = pbbFrame;
    back.BorderStyle = pbbsLowered;
    captions.push_back({QStringLiteral("grid_8"), BuildPanelBackImage({160, 90}, back, context)});
  }
  SaveSheet(folder, QStringLiteral("sheet_captions"), captions, 5);
}

const char* const LayoutNames[] = {"Left", "Top", "Right", "Bottom", "Center", "Stretch"};

void WriteButtons(const QString& folder) {
  UseSystemFonts();
  // Fade buttons: the face at rest (10 %), under the mouse (50 %) and pressed (30 %), with the
  // picture and caption at full opacity, over a page-like background.
  std::vector<TCell> fade;
  const QImage icon = RoundIcon(24, QColor(220, 60, 40));
  for (int alpha : {10, 30, 50, 100}) {
    QImage image(193, 49, QImage::Format_ARGB32);
    image.fill(qRgb(30, 60, 90));
    TAlphaImage face;
    face.SetPicture(BuildFadeButtonImage({193, 49}, FadeButtonDefaults::Color, FadeButtonDefaults::BorderColor));
    face.ResetImage();
    face.SetAlphaBlend(alpha);
    QPainter p(&image);
    face.Paint(p);
    PaintFadeButtonContent(p, {193, 49}, ilLeft, 5, 5, icon, QStringLiteral("Fade button"),
                           CaptionFont(9, clWhite, true));
    p.end();
    fade.push_back({QStringLiteral("fadebutton_alpha_%1").arg(alpha), image});
  }
  for (int l = ilLeft; l <= ilCenterStretch; ++l) {
    QImage image(160, 90, QImage::Format_ARGB32);
    image.fill(qRgb(30, 60, 90));
    TAlphaImage face;
    face.SetPicture(BuildFadeButtonImage({160, 90}, FadeButtonDefaults::Color, FadeButtonDefaults::BorderColor));
    face.ResetImage();
    face.SetAlphaBlend(50);
    QPainter p(&image);
    face.Paint(p);
    PaintFadeButtonContent(p, {160, 90}, TImageLayout(l), 5, 5, icon, QStringLiteral("Caption of the button"),
                           CaptionFont(9, clWhite, true));
    p.end();
    fade.push_back({QStringLiteral("fadebutton_layout_%1").arg(QString::fromLatin1(LayoutNames[l])), image});
  }
  {  // the face alone, blown up 8 times so the corner pixels can be seen
    const QImage small = BuildFadeButtonImage({12, 9}, FadeButtonDefaults::Color, clRed);
    fade.push_back({QStringLiteral("fadebutton_corners_x8"), small.scaled(96, 72)});
  }
  SaveSheet(folder, QStringLiteral("sheet_fadebuttons"), fade, 4);

  // Image buttons: every style in every state.
  std::vector<TCell> image;
  const char* const styleNames[] = {"Normal", "NormalFlat", "Themes", "ThemesFlat", "Transparent"};
  struct StateCase {
    const char* name;
    TButtonState state;
    bool hot, enabled, designing;
  };
  const StateCase states[] = {{"up", TButtonState::Up, false, true, false},
                              {"hot", TButtonState::Up, true, true, false},
                              {"down", TButtonState::Down, true, true, false},
                              {"disabled", TButtonState::Up, false, false, false},
                              {"design", TButtonState::Up, false, true, true}};
  const QImage normalIcon = RoundIcon(16, QColor(40, 150, 60));
  const QImage overIcon = RoundIcon(16, QColor(230, 140, 0));
  for (int s = 0; s <= int(TButtonStyle::bsTransparent); ++s)
    for (const auto& st : states) {
      TImageButtonPayload button;
      button.ButtonStyle = TButtonStyle(s);
      button.Font = CaptionFont(8);
      button.FontOver = CaptionFont(8, clBlue);
      TImageButtonStatus status;
      status.State = st.state;
      status.MouseInControl = st.hot;
      status.Enabled = st.enabled;
      status.Designing = st.designing;
      QImage img(129, 33, QImage::Format_ARGB32);
      img.fill(qRgb(250, 250, 250));
      QPainter p(&img);
      PaintImageButton(p, img.size(), button, status, normalIcon, overIcon);
      p.end();
      image.push_back(
          {QStringLiteral("imagebutton_%1_%2").arg(QString::fromLatin1(styleNames[s]), QString::fromLatin1(st.name)),
           img});
    }
  for (int l = ilLeft; l <= ilCenterStretch; ++l) {
    TImageButtonPayload button;
    button.Font = CaptionFont(8);
    button.Layout = TImageLayout(l);
    button.Margin = 6;
    QImage img(129, 60, QImage::Format_ARGB32);
    img.fill(qRgb(250, 250, 250));
    QPainter p(&img);
    PaintImageButton(p, img.size(), button, TImageButtonStatus(), normalIcon, QImage());
    p.end();
    image.push_back({QStringLiteral("imagebutton_layout_%1").arg(QString::fromLatin1(LayoutNames[l])), img});
  }
  SaveSheet(folder, QStringLiteral("sheet_imagebuttons"), image, 5);
}

void WriteSlides(const QString& folder) {
  std::vector<TCell> slides;
  const TSlideFrame frame;
  QImage png = RoundIcon(64, QColor(60, 160, 220));
  slides.push_back({QStringLiteral("slide_png_alpha"), BuildSlideShowImage({193, 193}, frame, png, true)});
  slides.push_back(
      {QStringLiteral("slide_opaque"), BuildSlideShowImage({193, 193}, frame, SamplePicture(100, 50), false)});
  slides.push_back({QStringLiteral("slide_none"), BuildSlideShowImage({193, 193}, frame, QImage(), false)});
  TSlideFrame framed = frame;
  framed.Shape = 1;
  framed.Gradient = 5;
  framed.BorderWidth = 4;
  framed.Caption = QStringLiteral("Rounded frame");
  framed.Font = CaptionFont(10, clBlack, true);
  slides.push_back({QStringLiteral("slide_frame_rounded"), BuildSlideShowImage({193, 193}, framed, QImage(), false)});
  SaveSheet(folder, QStringLiteral("sheet_slides"), slides, 4);
}

const TGalleryRegistrar gradients(QStringLiteral("gradients"), WriteGradients);
const TGalleryRegistrar panels(QStringLiteral("panels"), WritePanels);
const TGalleryRegistrar buttons(QStringLiteral("buttons"), WriteButtons);
const TGalleryRegistrar slides(QStringLiteral("slides"), WriteSlides);
}  // namespace
