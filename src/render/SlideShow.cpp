#include "render/SlideShow.h"

#include <QFile>
#include <QFileInfo>
#include <QPainter>
#include <QPolygon>

#include "model/Paths.h"
#include "render/Caption.h"
#include "render/Colors.h"
#include "render/Gradient.h"
#include "render/PictureDecode.h"

bool IsSlidePictureName(const QString& fileName) {
  static const QStringList extensions{QStringLiteral("gif"),  QStringLiteral("png"), QStringLiteral("jpg"),
                                      QStringLiteral("jpeg"), QStringLiteral("bmp"), QStringLiteral("tif"),
                                      QStringLiteral("tiff"), QStringLiteral("ico"), QStringLiteral("emf"),
                                      QStringLiteral("wmf")};
  const int dot = fileName.lastIndexOf(u'.');
  if (dot < 0) return false;
  return extensions.contains(fileName.mid(dot + 1).toLower());
}

namespace {
TGraphicKind KindOfFile(const QString& fileName) {
  const QString ext = QFileInfo(fileName).suffix().toLower();
  if (ext == u"png") return TGraphicKind::Png;
  if (ext == u"jpg" || ext == u"jpeg") return TGraphicKind::JPEG;
  if (ext == u"gif") return TGraphicKind::GIF;
  if (ext == u"bmp") return TGraphicKind::Bitmap;
  if (ext == u"ico") return TGraphicKind::Icon;
  if (ext == u"emf" || ext == u"wmf") return TGraphicKind::Metafile;
  return TGraphicKind::WIC;
}

// Draws the frame figure with the painter's current pen and brush.
void DrawFigure(QPainter& p, QSize size, const TSlideFrame& frame) {
  const int w = size.width(), h = size.height(), q = frame.BorderWidth / 2;
  // Corners as the figure's edges (right and bottom exclusive), as the outline is laid out.
  const QRect box(q + 1, q + 1, w - 2 * q - 2 - 1, h - 2 * q - 2 - 1);
  switch (frame.Shape) {
    case 0:
      p.drawRect(box);
      break;
    case 1:
      p.drawRoundedRect(box, frame.Round / 2.0, frame.Round / 2.0);
      break;
    case 2:
      p.drawEllipse(box);
      break;
    case 3:
      p.drawPolygon(QPolygon({QPoint(q, h / 2), QPoint(w / 2, q), QPoint(w - q - 1, h / 2), QPoint(w / 2, h - q - 1)}));
      break;
    case 34:
      p.drawLine(q, h / 2, w - q, h / 2);
      break;
    case 35:
      p.drawLine(w / 2, q, w / 2, h - q);
      break;
    default:
      break;
  }
}
}  // namespace

QImage BuildSlideShowImage(QSize size, const TSlideFrame& frame, const QImage& slide, bool slideIsPng) {
  if (size.isEmpty()) return {};
  QImage colour(size, QImage::Format_ARGB32);
  colour.fill(Qt::transparent);
  QImage mask(size, QImage::Format_ARGB32);
  mask.fill(Qt::black);
  const QRect all(QPoint(0, 0), size);
  {
    QPainter pc(&colour);
    QPainter pm(&mask);
    const bool solid = frame.Gradient == 0, clear = frame.Gradient == 1001;
    if (!solid && !clear) DrawGradient(pc, frame.Gradient, frame.Color, frame.GradientColor, all);
    pc.setBrush(solid ? QBrush(ToQColor(frame.Color)) : QBrush(Qt::NoBrush));
    pm.setBrush(clear ? QBrush(Qt::NoBrush) : QBrush(Qt::white));
    if (frame.BorderWidth > 0) {
      pc.setPen(QPen(ToQColor(frame.BorderColor), frame.BorderWidth));
      pm.setPen(QPen(Qt::white, frame.BorderWidth));
    } else {
      pc.setPen(Qt::NoPen);
      pm.setPen(Qt::NoPen);
    }
    DrawFigure(pc, size, frame);
    DrawFigure(pm, size, frame);

    if (!slide.isNull()) {
      const QImage stretched =
          (slide.size() == size ? slide : slide.scaled(size, Qt::IgnoreAspectRatio, Qt::SmoothTransformation))
              .convertToFormat(QImage::Format_ARGB32);
      if (frame.Shape == -1 && slideIsPng) {
        // The slide's own alpha is the opacity, and its colours are taken as they are.
        pc.end();
        pm.end();
        for (int y = 0; y < size.height(); ++y) {
          const auto* in = reinterpret_cast<const uint32_t*>(stretched.constScanLine(y));
          auto* c = reinterpret_cast<uint32_t*>(colour.scanLine(y));
          auto* m = reinterpret_cast<uint32_t*>(mask.scanLine(y));
          for (int x = 0; x < size.width(); ++x) {
            c[x] = in[x];
            m[x] = 0xFF000000u | ((in[x] >> 8) & 0x00FF0000u);
          }
        }
      } else {
        if (frame.Shape == -1) {
          // Any other slide is opaque over the whole area.
          pc.fillRect(all, ToQColor(frame.Color));
          pm.fillRect(all, Qt::white);
        }
        pc.drawImage(0, 0, stretched);
      }
    }
  }
  for (int y = 0; y < size.height(); ++y) {
    auto* c = reinterpret_cast<uint32_t*>(colour.scanLine(y));
    const auto* m = reinterpret_cast<const uint32_t*>(mask.constScanLine(y));
    for (int x = 0; x < size.width(); ++x) c[x] = (c[x] & 0x00FFFFFFu) | ((m[x] & 0x00FF0000u) << 8);
  }
  if (!frame.Caption.isEmpty()) {
    QPainter pc(&colour);
    // The caption colours what is opaque and leaves the transparency as built.
    pc.setCompositionMode(QPainter::CompositionMode_SourceAtop);
    const int m = frame.Margin;
    DrawCaptionText(pc, frame.Caption, QRect(m, m, size.width() - 2 * m, size.height() - 2 * m), true,
                    CaptionAlignment(frame.Alignment, frame.Layout), frame.Font);
  }
  return colour;
}

bool LoadPictureFile(const QString& fileName, TPicture& picture) {
  QFile file(fileName);
  // Far beyond any slide; keeps a stray huge file from filling memory.
  constexpr qint64 MaxBytes = 256ll * 1024 * 1024;
  if (!file.open(QIODevice::ReadOnly) || file.size() > MaxBytes) return false;
  TPicture loaded;
  loaded.Kind = KindOfFile(fileName);
  loaded.Data = file.readAll();
  if (loaded.Data.isEmpty() || DecodePicture(loaded).isNull()) return false;
  picture = std::move(loaded);
  return true;
}

TSlideShow::TSlideShow() {
  Fader.OnApply = [this](int percent) { Image.SetAlphaBlend(percent); };
  Fader.OnFadeOver = [this] {
    ApplyPendingSwap();
    if (OnFadeOver) OnFadeOver();
  };
}

void TSlideShow::SetSize(QSize size, bool build) {
  if (size == FSize) return;
  FSize = size;
  if (build) BuildImage();
}

void TSlideShow::BuildImage() {
  Image.SetPicture(BuildSlideShowImage(FSize, Frame, DecodedSlide, Picture.Kind == TGraphicKind::Png));
  Image.ResetImage();
}

void TSlideShow::Loaded(bool live) {
  ApplyFadeParam(Fader, Settings.FadeParam);
  BuildImage();
  DoFileList();
  FTimerEnabled = false;
  if (live) {
    if (Settings.Play) DoNext();
    FTimerEnabled = Settings.Play;
  }
}

void TSlideShow::DoFileList() {
  FileList.clear();
  Index = -1;
  FolderPath.clear();
  if (Settings.Folder.isEmpty()) return;
  DoFileListIn(GetProjectFolder());
}

void TSlideShow::DoFileListIn(const QString& baseFolder) {
  FileList.clear();
  Index = -1;
  FolderPath.clear();
  if (Settings.Folder.isEmpty()) return;
  FolderPath = ExcludeTrailingDelimiter(MakeAbsolutePathIn(baseFolder, Settings.Folder));
  if (FolderPath.isEmpty()) return;
  QStringList names;
  if (!ListFolderEntries(FolderPath, false, true, names)) return;
  for (const QString& name : names)
    if (IsSlidePictureName(name)) FileList.append(name);
}

bool TSlideShow::LoadSlide(const QString& file) {
  TPicture picture;
  if (!LoadPictureFile(file, picture)) {
    if (OnLoadError) OnLoadError(file);
    return false;
  }
  Picture = std::move(picture);
  DecodedSlide = DecodePicture(Picture);
  return true;
}

void TSlideShow::SetIndex(int index) {
  if (index == Index || index < 0 || index >= FileList.size()) return;
  Index = index;
  const QString file = FolderPath + u'/' + FileList[index];
  if (Fader.Fade() && Image.AlphaBlend() != 0) {
    // Swapped while invisible; a newer request before the turn replaces this one.
    Fader.Swap.LoadFile = true;
    Fader.Swap.LoadFileName = file;
    Fader.DoFadeCirculate(false);
    return;
  }
  // A file that does not load leaves the slide as it was (the control reports it).
  if (!LoadSlide(file)) return;
  BuildImage();
  if (OnChange) OnChange();
}

void TSlideShow::ApplyPendingSwap() {
  TFadeSwap swap = std::move(Fader.Swap);
  Fader.Swap.Clear();
  if (swap.LoadFile) LoadSlide(swap.LoadFileName);
  if (swap.ChangePicture) {
    Picture = swap.PictureForChange;
    DecodedSlide = DecodePicture(Picture);
  }
  if (swap.ShowText) Frame.Caption = swap.ShowTextString;
  if (swap.Pending()) BuildImage();
}

void TSlideShow::DoNext() {
  if (FileList.isEmpty() || FolderPath.isEmpty()) return;
  const int last = static_cast<int>(FileList.size()) - 1;
  if (Index == last) {
    if (Settings.Loop) SetIndex(0);
  } else if (Index == -1) {
    SetIndex(0);
  } else {
    SetIndex(Index + 1);
  }
}

void TSlideShow::DoPrior() {
  if (FileList.isEmpty() || FolderPath.isEmpty()) return;
  const int last = static_cast<int>(FileList.size()) - 1;
  if (Index > 0)
    SetIndex(Index - 1);
  else if (Index == 0) {
    if (Settings.Loop) SetIndex(last);
  } else {
    SetIndex(last);
  }
}

void TSlideShow::DoFirst() {
  if (FileList.isEmpty() || FolderPath.isEmpty() || Index == 0) return;
  SetIndex(0);
}

void TSlideShow::DoLast() {
  const int last = static_cast<int>(FileList.size()) - 1;
  if (FileList.isEmpty() || FolderPath.isEmpty() || Index == last) return;
  SetIndex(last);
}
