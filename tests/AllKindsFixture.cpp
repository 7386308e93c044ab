#include "AllKindsFixture.h"

#include <QBrush>
#include <QDataStream>
#include <QDir>
#include <QFile>
#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>
#include <QPdfWriter>
#include <QRadialGradient>
#include <cmath>

#include "model/Actions.h"
#include "model/Globals.h"
#include "model/ObjectStream.h"
#include "model/PayloadsFading.h"
#include "model/PayloadsStandard.h"
#include "model/ProjectFile.h"
#include "render/PictureDecode.h"
#include "render/ShapeGeometry.h"

namespace {

// $00BBGGRR from the usual red, green, blue order.
constexpr TColor Rgb(int r, int g, int b) { return TColor(r) | (TColor(g) << 8) | (TColor(b) << 16); }

TFont Font(int size, TColor color, uint8_t style = 0, const QString& name = QStringLiteral("Tahoma")) {
  TFont f;
  f.Name = name;
  f.Size = size;
  f.Color = color;
  f.Style = style;
  return f;
}

TAuObject& Add(TAuObject& parent, TObjectType kind, const QString& name, int x, int y, int w, int h) {
  PAuObject o = AddNewObject(parent, kind, x, y);
  if (!o) qFatal("the fixture put a kind where it cannot go");
  o->ObjectName = name;
  o->Width = w;
  o->Height = h;
  return *o;
}

template <class P>
P& Pay(TAuObject& o) {
  return static_cast<P&>(*o.Payload);
}

TAuAction Action(TCommandType command, const QString& param1 = {}) {
  TAuAction a;
  a.Command = command;
  a.Param1 = param1;
  a.OptionInt = 1;
  return a;
}

TMenuItem MenuItem(const QString& caption, std::vector<TMenuItem> items = {}) {
  TMenuItem m;
  m.Caption = caption;
  m.Items = std::move(items);
  return m;
}

// ---- pictures drawn in code ----

QImage Canvas(int w, int h) {
  QImage image(w, h, QImage::Format_ARGB32);
  image.fill(Qt::transparent);
  return image;
}

TPicture Png(const QImage& image) { return EncodePicture(image, TGraphicKind::Png); }

// A silver disc with a coloured label ring: the product's logo.
QImage DiscLogo(int size) {
  QImage image = Canvas(size, size);
  QPainter p(&image);
  p.setRenderHint(QPainter::Antialiasing);
  const QPointF c(size / 2.0, size / 2.0);
  QRadialGradient silver(c, size / 2.0);
  silver.setColorAt(0.0, QColor(250, 250, 255));
  silver.setColorAt(0.6, QColor(190, 200, 215));
  silver.setColorAt(1.0, QColor(130, 140, 160));
  p.setBrush(silver);
  p.setPen(QPen(QColor(90, 100, 120), 1));
  p.drawEllipse(c, size / 2.0 - 1, size / 2.0 - 1);
  QConicalGradient shine(c, 45);
  shine.setColorAt(0.0, QColor(255, 120, 120, 110));
  shine.setColorAt(0.33, QColor(120, 255, 160, 110));
  shine.setColorAt(0.66, QColor(120, 160, 255, 110));
  shine.setColorAt(1.0, QColor(255, 120, 120, 110));
  p.setPen(Qt::NoPen);
  p.setBrush(shine);
  p.drawEllipse(c, size * 0.44, size * 0.44);
  p.setBrush(QColor(255, 170, 40));
  p.drawEllipse(c, size * 0.2, size * 0.2);
  p.setCompositionMode(QPainter::CompositionMode_Clear);
  p.drawEllipse(c, size * 0.07, size * 0.07);
  return image;
}

enum class TIcon { Install, Book, Globe, Exit, Star, Notes, Film };

QImage Icon(TIcon kind, int size, QColor color) {
  QImage image = Canvas(size, size);
  QPainter p(&image);
  p.setRenderHint(QPainter::Antialiasing);
  p.scale(size / 32.0, size / 32.0);
  p.setPen(QPen(color.darker(160), 1.5));
  p.setBrush(color);
  switch (kind) {
    case TIcon::Install: {  // an arrow into a tray
      QPainterPath arrow;
      arrow.moveTo(12, 3);
      arrow.lineTo(20, 3);
      arrow.lineTo(20, 14);
      arrow.lineTo(26, 14);
      arrow.lineTo(16, 24);
      arrow.lineTo(6, 14);
      arrow.lineTo(12, 14);
      arrow.closeSubpath();
      p.drawPath(arrow);
      p.drawRect(QRectF(4, 26, 24, 3));
      break;
    }
    case TIcon::Book:
      p.drawRoundedRect(QRectF(6, 3, 20, 26), 2, 2);
      p.setPen(QPen(Qt::white, 1.5));
      for (int y = 9; y <= 21; y += 4) p.drawLine(QPointF(10, y), QPointF(22, y));
      break;
    case TIcon::Globe:
      p.drawEllipse(QRectF(3, 3, 26, 26));
      p.setBrush(Qt::NoBrush);
      p.setPen(QPen(Qt::white, 1.5));
      p.drawEllipse(QRectF(10, 3, 12, 26));
      p.drawLine(QPointF(3, 16), QPointF(29, 16));
      p.drawLine(QPointF(16, 3), QPointF(16, 29));
      break;
    case TIcon::Exit:
      p.drawRoundedRect(QRectF(5, 3, 16, 26), 2, 2);
      p.setPen(QPen(color.darker(160), 3, Qt::SolidLine, Qt::RoundCap));
      p.drawLine(QPointF(14, 16), QPointF(29, 16));
      p.drawLine(QPointF(24, 11), QPointF(29, 16));
      p.drawLine(QPointF(24, 21), QPointF(29, 16));
      break;
    case TIcon::Star: {
      QPainterPath star;
      for (int i = 0; i < 10; ++i) {
        const double r = i % 2 ? 6.5 : 14.5, a = -M_PI / 2 + i * M_PI / 5;
        const QPointF pt(16 + r * std::cos(a), 17 + r * std::sin(a));
        i ? star.lineTo(pt) : star.moveTo(pt);
      }
      star.closeSubpath();
      p.drawPath(star);
      break;
    }
    case TIcon::Notes:
      p.drawRect(QRectF(5, 3, 22, 26));
      p.setPen(QPen(color.darker(200), 2));
      for (int y = 9; y <= 23; y += 5) p.drawLine(QPointF(9, y), QPointF(23, y));
      break;
    case TIcon::Film:
      p.drawRect(QRectF(3, 6, 26, 20));
      p.setBrush(Qt::white);
      p.setPen(Qt::NoPen);
      for (int x = 5; x < 28; x += 6) {
        p.drawRect(QRectF(x, 8, 3, 3));
        p.drawRect(QRectF(x, 21, 3, 3));
      }
      break;
  }
  return image;
}

// A landscape "screenshot" for the slide show: sky, sun, hills and a caption.
QImage Slide(int index, int w, int h) {
  QImage image(w, h, QImage::Format_RGB32);
  QPainter p(&image);
  p.setRenderHint(QPainter::Antialiasing);
  const QColor skies[] = {QColor(80, 150, 230), QColor(240, 150, 90), QColor(40, 60, 120)};
  QLinearGradient sky(0, 0, 0, h);
  sky.setColorAt(0, skies[index % 3]);
  sky.setColorAt(1, skies[index % 3].lighter(170));
  p.fillRect(image.rect(), sky);
  p.setPen(Qt::NoPen);
  p.setBrush(index == 2 ? QColor(240, 240, 210) : QColor(255, 220, 80));
  p.drawEllipse(QPointF(w * (0.25 + 0.25 * index), h * 0.3), h * 0.12, h * 0.12);
  const QColor hills[] = {QColor(70, 140, 60), QColor(120, 100, 60), QColor(30, 70, 50)};
  for (int layer = 0; layer < 2; ++layer) {
    QPainterPath hill;
    hill.moveTo(0, h);
    for (int x = 0; x <= w; x += 8)
      hill.lineTo(x, h * (0.62 + 0.12 * layer) - std::sin(x / (40.0 + 30 * layer) + index) * h * 0.08);
    hill.lineTo(w, h);
    p.setBrush(layer ? hills[index % 3] : hills[index % 3].lighter(130));
    p.drawPath(hill);
  }
  p.setPen(Qt::white);
  QFont f(QStringLiteral("Tahoma"));
  f.setPixelSize(h / 10);
  f.setBold(true);
  p.setFont(f);
  const char* captions[] = {"Project browser", "Timeline editor", "Dark theme"};
  p.drawText(QRect(0, h - h / 5, w, h / 5), Qt::AlignCenter, QLatin1String(captions[index % 3]));
  return image;
}

// A block diagram larger than the scroll box that shows it.
QImage Diagram(int w, int h) {
  QImage image(w, h, QImage::Format_RGB32);
  image.fill(Qt::white);
  QPainter p(&image);
  p.setRenderHint(QPainter::Antialiasing);
  p.setPen(QPen(QColor(220, 225, 235), 1));
  for (int x = 0; x < w; x += 20) p.drawLine(x, 0, x, h);
  for (int y = 0; y < h; y += 20) p.drawLine(0, y, w, y);
  const char* boxes[] = {"Installer", "Core", "Plug-ins", "Documents", "Updater", "Samples"};
  QFont f(QStringLiteral("Tahoma"));
  f.setPixelSize(13);
  f.setBold(true);
  p.setFont(f);
  QPointF centres[6];
  for (int i = 0; i < 6; ++i) {
    const QRectF r(20 + (i % 3) * 160, 30 + (i / 3) * 150, 130, 60);
    centres[i] = r.center();
    p.setBrush(QColor::fromHsv(200 + i * 25, 120, 240));
    p.setPen(QPen(QColor(40, 60, 100), 2));
    p.drawRoundedRect(r, 8, 8);
    p.drawText(r, Qt::AlignCenter, QLatin1String(boxes[i]));
  }
  p.setPen(QPen(QColor(40, 60, 100), 2, Qt::DashLine));
  for (int i = 1; i < 6; ++i) p.drawLine(centres[1], centres[i]);
  return image;
}

// ---- the pages ----

void AddHeader(TAuObject& page) {
  TAuObject& header = Add(page, otPanel, QStringLiteral("HeaderPanel"), 0, 0, 200, 76);
  header.Align = alTop;
  auto& hp = Pay<TPanelPayload>(header);
  hp.Color = Rgb(22, 44, 86);
  hp.PanelBack.GradientStyle = gsLeftRight;
  hp.PanelBack.GradientColor = Rgb(52, 112, 176);
  hp.PanelBack.Caption.clear();
  hp.PanelBack.Border = pbbBottomLine;
  hp.PanelBack.BorderStyle = pbbsLowered;

  TAuObject& logo = Add(header, otImage, QStringLiteral("LogoImage"), 14, 8, 60, 60);
  auto& lp = Pay<TImagePayload>(logo);
  lp.Picture = Png(DiscLogo(60));
  lp.Transparent = true;
  lp.Center = true;

  TAuObject& title = Add(header, otLabel, QStringLiteral("TitleLabel"), 86, 6, 560, 42);
  auto& tp = Pay<TFadeLabelPayload>(title);
  tp.Caption = QStringLiteral("Northwind Studio Suite 2.1");
  tp.Font = Font(22, clWhite, fsBold);
  tp.Layout = tlCenter;
  tp.FontEffect = NewTextObjectEffect(clWhite);
  tp.FontEffect.Gradual.Enabled = true;
  tp.FontEffect.Gradual.Style = gsTopToBottom;
  tp.FontEffect.Gradual.StartColor = clWhite;
  tp.FontEffect.Gradual.EndColor = Rgb(170, 210, 255);
  tp.FontEffect.Shadow.Enabled = true;
  tp.FontEffect.Shadow.Color = clBlack;
  tp.FontEffect.Shadow.Alpha = 60;
  tp.FontEffect.Shadow.Blur = 40;
  tp.FadeParam.FadeInStep = 5;

  TAuObject& subtitle = Add(header, otSimpleText, QStringLiteral("SubtitleText"), 90, 50, 480, 18);
  auto& sp = Pay<TSimpleTextPayload>(subtitle);
  sp.Caption = QStringLiteral("Installation and documentation disc for Windows and Linux");
  sp.Font = Font(9, Rgb(200, 220, 245), fsItalic);
}

void AddNavigation(TAuObject& page) {
  TAuObject& nav = Add(page, otPanel, QStringLiteral("NavPanel"), 0, 0, 196, 300);
  nav.Align = alLeft;
  auto& np = Pay<TPanelPayload>(nav);
  np.Color = Rgb(34, 52, 82);
  np.PanelBack.GradientStyle = gsTopBottom;
  np.PanelBack.GradientColor = Rgb(18, 26, 44);
  np.PanelBack.Caption.clear();
  np.PanelBack.Border = pbbNone;

  struct {
    const char* Name;
    const char* Caption;
    TIcon Icon;
    QColor Color;
    TAuAction Click;
    const char* Hint;
  } buttons[] = {
      {"InstallButton", "Install", TIcon::Install, QColor(90, 200, 110),
       Action(ctOpenRunFile, QStringLiteral("\\setup\\setup.exe")), "Install Northwind Studio Suite on this computer"},
      {"DocsButton", "Documentation", TIcon::Book, QColor(110, 160, 240), Action(ctGoToPage, AllKinds::SecondPageName),
       "Read the manual and the release notes"},
      {"ExitButton", "Exit", TIcon::Exit, QColor(235, 110, 90), Action(ctExit), "Close this menu"},
  };
  int y = 14;
  for (const auto& b : buttons) {
    TAuObject& o = Add(nav, otFadeButton, QLatin1String(b.Name), 12, y, 172, 50);
    o.Hint = QLatin1String(b.Hint);
    o.Cursor = -21;
    o.OnClickActions.Actions.push_back(b.Click);
    auto& p = Pay<TFadeButtonPayload>(o);
    p.Caption = QLatin1String(b.Caption);
    p.Font = Font(10, clWhite, fsBold);
    p.Picture = Png(Icon(b.Icon, 32, b.Color));
    p.Margin = 10;
    p.Space = 10;
    p.BackColor = Rgb(70, 110, 170);
    p.BorderColor = Rgb(150, 190, 240);
    p.FadeParam.NormalAlpha = 55;
    p.FadeParam.MouseOverAlpha = 100;
    p.FadeParam.MouseDownAlpha = 80;
    y += 58;
  }

  TAuObject& line = Add(nav, otBevel, QStringLiteral("NavBevel"), 12, y + 4, 172, 4);
  auto& bp = Pay<TBevelPayload>(line);
  bp.Shape = TBevelShape::bsTopLine;
  bp.Style = TBevelStyle::bsLowered;
  bp.HighlightColor = Rgb(80, 100, 140);
  bp.ShadowColor = Rgb(10, 16, 30);

  TAuObject& web = Add(nav, otImageButton, QStringLiteral("WebsiteButton"), 12, y + 16, 172, 34);
  web.Cursor = -21;
  web.Hint = QStringLiteral("www.example.com");
  web.OnClickActions.Actions.push_back(Action(ctVisitWebsite, QStringLiteral("https://www.example.com/")));
  auto& wp = Pay<TImageButtonPayload>(web);
  wp.Caption = QStringLiteral("Visit our website");
  wp.Font = Font(9, Rgb(220, 230, 250), fsUnderline);
  wp.FontOver = Font(9, Rgb(255, 220, 80), fsUnderline);
  wp.Image = Png(Icon(TIcon::Globe, 20, QColor(80, 170, 230)));
  wp.ImageOver = Png(Icon(TIcon::Globe, 20, QColor(255, 200, 60)));
  wp.ButtonStyle = TButtonStyle::bsTransparent;
  wp.Margin = 6;
  wp.Space = 8;
  wp.Hint = web.Hint;
  wp.Cursor = web.Cursor;

  TAuObject& version = Add(nav, otSimpleText, QStringLiteral("VersionText"), 0, 0, 196, 22);
  version.Align = alBottom;
  auto& vp = Pay<TSimpleTextPayload>(version);
  vp.Caption = QStringLiteral("Version 2.1.0 (build 4471)");
  vp.Font = Font(7, Rgb(150, 170, 200));
  vp.Alignment = taCenter;
  vp.Layout = tlCenter;

  TAuObject& splitter = Add(page, otSplitter, QStringLiteral("NavSplitter"), 196, 0, 5, 300);
  splitter.Align = alLeft;
  auto& spl = Pay<TSplitterPayload>(splitter);
  spl.Beveled = true;
  spl.Color = Rgb(120, 140, 170);
  spl.MinSize = 120;
  spl.ResizeStyle = rsLine;
}

void AddNotebook(TAuObject& page, int activeSheet) {
  TAuObject& book = Add(page, otTabNotebook, QStringLiteral("MainTabs"), 216, 90, 440, 270);
  auto& bp = Pay<TTabNotebookPayload>(book);
  bp.Color = clWhite;
  bp.Font = Font(8, Rgb(20, 40, 80), fsBold);
  bp.DefaultActivePageIndex = activeSheet;

  auto sheet = [&](const char* name, const char* caption, TIcon icon, QColor color) -> TAuObject& {
    TAuObject& s = Add(book, otTabSheet, QLatin1String(name), 0, 0, 432, 242);
    auto& p = Pay<TTabSheetPayload>(s);
    p.Caption = QLatin1String(caption);
    p.Icon = Png(Icon(icon, 16, color));
    return s;
  };

  TAuObject& overview = sheet("OverviewSheet", "Overview", TIcon::Star, QColor(250, 190, 40));
  TAuObject& about = Add(overview, otMultilineText, QStringLiteral("OverviewText"), 10, 8, 262, 116);
  auto& ap = Pay<TMultilineTextPayload>(about);
  ap.Caption = QStringLiteral(
      "Northwind Studio Suite brings the project browser, the timeline editor and forty new effects "
      "together in one program.\r\n\r\nChoose a setup type on the right, or read what is new below.");
  ap.Font = Font(9, Rgb(30, 40, 60));
  ap.AnimActive = true;  // types itself in; at rest the whole text shows
  ap.AnimStyle = TMultilineTextPayload::AnimStyleInput;
  ap.AnimRepeatCount = 1;

  TAuObject& group = Add(overview, otGroupBox, QStringLiteral("SetupGroup"), 282, 4, 140, 120);
  auto& gp = Pay<TGroupBoxPayload>(group);
  gp.Caption = QStringLiteral("Setup type");
  gp.Font = Font(8, Rgb(20, 60, 140), fsBold);
  gp.Color = clWhite;
  TAuObject& typical = Add(group, otStandardButton, QStringLiteral("TypicalButton"), 12, 26, 116, 28);
  typical.OnClickActions.Actions.push_back(Action(ctOpenRunFile, QStringLiteral("\\setup\\setup.exe")));
  auto& tp = Pay<TStandardButtonPayload>(typical);
  tp.Caption = QStringLiteral("Typical");
  tp.Default = true;
  tp.Font = Font(8, clWindowText, fsBold);
  TAuObject& custom = Add(group, otStandardButton, QStringLiteral("CustomButton"), 12, 64, 116, 28);
  auto& cp = Pay<TStandardButtonPayload>(custom);
  cp.Caption = QStringLiteral("Custom...");
  cp.TabStop = false;

  TAuObject& news = Add(overview, otText, QStringLiteral("NewsText"), 10, 132, 412, 100);
  auto& np = Pay<TFadeTextPayload>(news);
  np.Lines = QStringLiteral(
      "What's new in 2.1\r\nFaster start-up, a project browser with previews,\r\n"
      "a dark theme and forty new transition effects.");
  np.Font = Font(10, Rgb(200, 80, 20), fsBold);
  np.FontEffect = NewTextObjectEffect(np.Font.Color);
  np.FontEffect.Gradual.EndColor = Rgb(120, 30, 10);
  np.FontEffect.Shadow.Enabled = true;
  np.FontEffect.Shadow.Alpha = 35;
  np.RowPitch = 20;
  np.Border = 4;

  TAuObject& notes = sheet("NotesSheet", "Release Notes", TIcon::Notes, QColor(120, 200, 120));
  TAuObject& rich = Add(notes, otRichText, QStringLiteral("ReleaseNotes"), 0, 0, 200, 200);
  rich.Align = alClient;
  auto& rp = Pay<TRichTextPayload>(rich);
  rp.Document = QByteArrayLiteral(
      "{\\rtf1\\ansi\\deff0{\\fonttbl{\\f0\\fswiss Tahoma;}}{\\colortbl;\\red20\\green60\\blue140;"
      "\\red180\\green40\\blue20;}\\f0\\fs20{\\b\\cf1\\fs28 Release notes 2.1}\\par\\par"
      "{\\b New:} project browser with previews.\\par{\\b New:} dark theme.\\par"
      "{\\b\\cf2 Fixed:} the timeline no longer jumps when zooming.\\par}");
  rp.Color = Rgb(250, 252, 255);
  rp.ScrollBars = ssBoth;

  TAuObject& manual = sheet("ManualSheet", "Manual", TIcon::Book, QColor(110, 160, 240));
  TAuObject& pdf = Add(manual, otPDFReader, QStringLiteral("ManualPdf"), 0, 0, 200, 200);
  pdf.Align = alClient;
  auto& pp = Pay<TPDFReaderPayload>(pdf);
  pp.FileName = QStringLiteral("\\docs\\manual.pdf");
  pp.Color = Rgb(235, 235, 235);

  TAuObject& intro = sheet("IntroSheet", "Intro movie", TIcon::Film, QColor(160, 110, 200));
  TAuObject& flash = Add(intro, otFlashPlayer, QStringLiteral("IntroMovie"), 0, 0, 200, 200);
  flash.Align = alClient;
  auto& fp = Pay<TFlashPlayerPayload>(flash);
  fp.MovieFile = QStringLiteral("\\media\\intro.swf");
  fp.Color = clBlack;
  fp.BorderStyle = TBorderStyle::bsNone;
  fp.Loop = false;
}

void AddShowcase(TAuObject& page) {
  TAuObject& slides = Add(page, otSlideShow, QStringLiteral("Screenshots"), 672, 90, 320, 200);
  slides.PopupMenu = {MenuItem(QStringLiteral("Next picture")), MenuItem(QStringLiteral("Previous picture"))};
  auto& sp = Pay<TSlideShowPayload>(slides);
  sp.Folder = QStringLiteral("\\slides");
  sp.Interval = 3500;
  sp.FadeParam.FadeInStep = 4;

  TAuObject& badge = Add(page, otShape, QStringLiteral("UpdatesBadge"), 672, 302, 150, 54);
  auto& bp = Pay<TShapePayload>(badge);
  bp.Shape = ShapeCode::RoundRect;
  bp.Round = 18;
  bp.Gradient = 1;
  bp.Color = Rgb(255, 150, 30);
  bp.GradientColor = Rgb(255, 215, 80);
  bp.BorderWidth = 2;
  bp.BorderColor = Rgb(190, 90, 0);
  bp.Caption = QStringLiteral("Free updates for a year");
  bp.Font = Font(9, clWhite, fsBold);
  bp.AnimActive = true;  // zooms in once; at rest it stands still at full size
  bp.AnimInStyle = 5;
  bp.AnimOutStyle = 0;
  bp.AnimRepeatCount = 1;

  TAuObject& balloon = Add(page, otBalloon, QStringLiteral("StartBalloon"), 832, 296, 160, 66);
  auto& blp = Pay<TBalloonPayload>(balloon);
  blp.Caption = QStringLiteral("Click Install to begin!");
  blp.Color = Rgb(255, 250, 200);
  blp.BorderColor = Rgb(120, 100, 40);
  blp.Font = Font(8, Rgb(60, 40, 0), fsBold);
  blp.Arrow = 1;
  blp.Margin = 10;

  TAuObject& scroll = Add(page, otScrollBox, QStringLiteral("DiagramBox"), 216, 372, 220, 144);
  auto& scp = Pay<TScrollBoxPayload>(scroll);
  scp.Color = clWhite;
  scp.BorderStyle = TBorderStyle::bsSingle;
  TAuObject& diagram = Add(scroll, otImage, QStringLiteral("Diagram"), 0, 0, 480, 300);
  auto& dp = Pay<TImagePayload>(diagram);
  dp.Picture = Png(Diagram(480, 300));
  dp.AutoSize = true;

  TAuObject& web = Add(page, otWebBrowser, QStringLiteral("NewsBrowser"), 448, 372, 208, 144);
  auto& wp = Pay<TWebBrowserPayload>(web);
  wp.BrowserType = 1;
  wp.URL = QStringLiteral("\\web\\index.html");

  TAuObject& note = Add(page, otNote, QStringLiteral("ReminderNote"), 672, 372, 150, 140);
  auto& ntp = Pay<TNotePayload>(note);
  ntp.Caption = QStringLiteral("Close all running programs before you install.");
  ntp.Font = Font(9, Rgb(60, 50, 10), fsBold);
  ntp.BackColor = Rgb(255, 236, 120);
  ntp.Graphic = 14;
  ntp.Round = 6;
  ntp.Margin = 14;

  TAuObject& media = Add(page, otMediaPlayer, QStringLiteral("WelcomeSound"), 834, 372, 158, 140);
  auto& mp = Pay<TMediaPlayerPayload>(media);
  mp.MediaFile = QStringLiteral("\\media\\welcome.wav");
  mp.Active = false;
  mp.IsRepeat = false;

  TAuObject& memo = Add(page, otMemo, QStringLiteral("LicenseMemo"), 216, 528, 440, 88);
  auto& lm = Pay<TMemoPayload>(memo);
  lm.Lines = QStringLiteral(
      "LICENSE AGREEMENT\r\n"
      "This software is licensed, not sold. You may install it on one computer and make one backup "
      "copy. You may not rent, lease or lend it.\r\n"
      "The software is provided as is, without warranty of any kind.");
  lm.Font = Font(8, Rgb(40, 40, 40), 0, QStringLiteral("Courier New"));
  lm.Color = Rgb(252, 252, 246);
  lm.ScrollBars = ssVertical;

  TAuObject& help = Add(page, otLabel, QStringLiteral("HelpLabel"), 672, 528, 320, 40);
  auto& hp = Pay<TFadeLabelPayload>(help);
  hp.Caption = QStringLiteral("Need help? support.example.com");
  hp.Font = Font(11, Rgb(20, 60, 140), fsBold);
  hp.Alignment = taCenter;
  hp.FontEffect = NewTextObjectEffect(hp.Font.Color);
  hp.FontEffect.Shadow.Enabled = true;
  hp.FontEffect.Shadow.Alpha = 30;
  hp.FadeParam.MouseAlphaEnabled = true;
  hp.FadeParam.NormalAlpha = 85;

  TAuObject& frame = Add(page, otBevel, QStringLiteral("HelpFrame"), 672, 524, 320, 92);
  auto& fp = Pay<TBevelPayload>(frame);
  fp.Shape = TBevelShape::bsFrame;
  fp.Style = TBevelStyle::bsRaised;

  TAuObject& phone = Add(page, otSimpleText, QStringLiteral("PhoneText"), 680, 572, 304, 36);
  auto& pp = Pay<TSimpleTextPayload>(phone);
  pp.Caption = QStringLiteral("Or call +1 555 0100, Monday to Friday, 9 am to 5 pm.");
  pp.Alignment = taCenter;
  pp.Font = Font(8, Rgb(60, 70, 90));
}

}  // namespace

std::unique_ptr<TPageData> MakeAllKindsPage(int activeSheet) {
  auto page = std::make_unique<TPageData>();
  InitForm(*page, QStringLiteral("Northwind Studio Suite 2.1"));
  page->Width = 1024;
  page->Height = 720;
  page->BorderStyle = TFormBorderStyle::bsSingle;
  page->BorderIcons = biSystemMenu | biMinimize;
  page->FormFadeInStep = 8;
  page->Image_Icon = EncodePicture(DiscLogo(32), TGraphicKind::Icon);
  page->OnShowActions.Actions.push_back(Action(ctPlaySound, QStringLiteral("\\media\\welcome.wav")));
  page->MainMenu = {MenuItem(QStringLiteral("&File"), {MenuItem(QStringLiteral("E&xit"))}),
                    MenuItem(QStringLiteral("&Install")),
                    MenuItem(QStringLiteral("&Documents"),
                             {MenuItem(QStringLiteral("&Manual")), MenuItem(QStringLiteral("&Release notes"))}),
                    MenuItem(QStringLiteral("&Help"), {MenuItem(QStringLiteral("&About"))})};
  page->StatusBar.Panels = {
      {taLeftJustify, QStringLiteral("Ready"), 220},
      {taCenter, QStringLiteral("Disc NWS-2.1"), 160},
      {taRightJustify, QStringLiteral("(c) 2024 Northwind Studio"), 50},
  };
  page->StatusBar.Height = 21;

  TAuObject& panel = *page->PanelObject;
  panel.ObjectName = QStringLiteral("PagePanel");
  auto& pp = Pay<TPanelPayload>(panel);
  pp.Color = Rgb(226, 234, 246);
  pp.PanelBack.GradientStyle = gsTopBottom;
  pp.PanelBack.GradientColor = clWhite;

  AddHeader(panel);
  AddNavigation(panel);
  AddNotebook(panel, activeSheet);
  AddShowcase(panel);
  return page;
}

std::unique_ptr<TPageData> MakeAboutPage() {
  auto page = std::make_unique<TPageData>();
  InitForm(*page, QStringLiteral("About Northwind Studio Suite"));
  page->Width = 420;
  page->Height = 300;
  page->BorderStyle = TFormBorderStyle::bsDialog;
  page->BorderIcons = biSystemMenu;
  page->FormPosition = fpCenter;
  TAuObject& panel = *page->PanelObject;
  panel.ObjectName = QStringLiteral("PagePanel");
  auto& pp = Pay<TPanelPayload>(panel);
  pp.Color = Rgb(34, 52, 82);
  pp.PanelBack.GradientStyle = gsMiddleTopBottom;
  pp.PanelBack.GradientColor = Rgb(18, 26, 44);

  TAuObject& logo = Add(panel, otImage, QStringLiteral("Logo"), 20, 20, 64, 64);
  auto& lp = Pay<TImagePayload>(logo);
  lp.Picture = Png(DiscLogo(64));
  lp.Transparent = true;
  TAuObject& credits = Add(panel, otText, QStringLiteral("Credits"), 100, 20, 290, 150);
  auto& cp = Pay<TFadeTextPayload>(credits);
  cp.Lines =
      QStringLiteral("Northwind Studio Suite 2.1\r\nDesign: A. Author\r\nCode: B. Builder\r\nMusic: C. Composer");
  cp.Font = Font(10, clWhite, fsBold);
  cp.FontEffect = NewTextObjectEffect(clWhite);
  TAuObject& close = Add(panel, otFadeButton, QStringLiteral("CloseButton"), 290, 200, 100, 36);
  close.OnClickActions.Actions.push_back(Action(ctClosePage));
  auto& bp = Pay<TFadeButtonPayload>(close);
  bp.Caption = QStringLiteral("Close");
  bp.Font = Font(9, clWhite, fsBold);
  bp.FadeParam.NormalAlpha = 60;
  return page;
}

void MakeAllKindsProject(int activeSheet) {
  ResetProject(false);
  Project.AppTitle = QStringLiteral("Northwind Studio Suite 2.1");
  Project.AppOutputFileName = QStringLiteral("setup-menu");
  Project.ExitFormName = AllKinds::SecondPageName;
  Project.ExitFormTime = 2500;
  const std::pair<QString, std::unique_ptr<TPageData>> pages[] = {
      {AllKinds::PageName, MakeAllKindsPage(activeSheet)},
      {AllKinds::SecondPageName, MakeAboutPage()},
  };
  for (const auto& [name, page] : pages) {
    auto form = std::make_unique<TFormData>();
    form->FormName = name;
    if (!StoreFormData(*page, *form)) qFatal("the fixture's page cannot be stored");
    Project.Forms.push_back(std::move(form));
  }
  ProjectChanged = true;
}

namespace {
bool WriteFile(const QString& name, const QByteArray& bytes) {
  QDir().mkpath(QFileInfo(name).absolutePath());
  QFile f(name);
  return f.open(QIODevice::WriteOnly) && f.write(bytes) == bytes.size();
}

// Half a second of silence as a 16-bit mono WAV file.
QByteArray SilentWav() {
  const quint32 rate = 8000, bytes = rate;  // 4000 samples of two bytes
  QByteArray b;
  QDataStream s(&b, QIODevice::WriteOnly);
  s.setByteOrder(QDataStream::LittleEndian);
  s.writeRawData("RIFF", 4);
  s << quint32(36 + bytes);
  s.writeRawData("WAVEfmt ", 8);
  s << quint32(16) << quint16(1) << quint16(1) << rate << quint32(rate * 2) << quint16(2) << quint16(16);
  s.writeRawData("data", 4);
  s << bytes;
  b.append(QByteArray(int(bytes), '\0'));
  return b;
}

bool WriteManualPdf(const QString& name) {
  QDir().mkpath(QFileInfo(name).absolutePath());
  QPdfWriter writer(name);
  writer.setTitle(QStringLiteral("Northwind Studio Suite manual"));
  QPainter p;
  if (!p.begin(&writer)) return false;
  QFont f(QStringLiteral("Tahoma"));
  f.setPointSize(24);
  p.setFont(f);
  p.drawText(QRect(0, 0, writer.width(), writer.height() / 4), Qt::AlignCenter, QStringLiteral("User manual"));
  return p.end();
}
}  // namespace

QString WriteAllKindsProject(const QString& folder, QString* error, int activeSheet) {
  const QDir dir(folder);
  bool ok = true;
  for (int i = 0; i < 3; ++i) {
    QImage slide = Slide(i, 320, 200);
    ok = ok && QDir().mkpath(dir.filePath(QStringLiteral("slides"))) &&
         slide.save(
             dir.filePath(QStringLiteral("slides/shot%1.%2").arg(i + 1).arg(QLatin1String(i == 1 ? "jpg" : "png"))));
  }
  ok = ok && WriteFile(dir.filePath(QStringLiteral("web/index.html")),
                       "<html><body><h1>Northwind news</h1><p>Version 2.1 is out.</p></body></html>");
  ok = ok && WriteFile(dir.filePath(QStringLiteral("media/welcome.wav")), SilentWav());
  ok = ok && WriteManualPdf(dir.filePath(QStringLiteral("docs/manual.pdf")));
  if (!ok) {
    if (error) *error = QStringLiteral("cannot write the project's files in ") + folder;
    return {};
  }
  MakeAllKindsProject(activeSheet);
  const QString fileName = dir.filePath(AllKinds::ProjectFileName);
  TError e;
  const bool saved = SaveProjectToFile(fileName, QString(), e);
  ResetProject(false);
  if (!saved) {
    if (error) *error = e.Message();
    return {};
  }
  return fileName;
}
