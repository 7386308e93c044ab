// The slide show: the picture files of one folder shown one after the other, stretched to the
// object, with the fade cycle swapping pictures while invisible. A plain class: the control owns
// the slide timer (running while TimerEnabled()) and the 25 ms fade timer (while Fader.Fade()),
// and calls DoNext() and Fader.Tick() from them.
#pragma once

#include <QImage>
#include <QSize>
#include <QString>
#include <QStringList>
#include <functional>

#include "model/PayloadsFading.h"
#include "render/Fade.h"

// Extensions, compared in lower case without the dot, of the files a slide show shows.
bool IsSlidePictureName(const QString& fileName);

// The frame, fill and caption a slide show is built with. Not stored: every slide show keeps
// these defaults, which make it a plain picture.
struct TSlideFrame {
  TColor Color = TSlideShowPayload::Color;
  int32_t Gradient = TSlideShowPayload::Gradient;  // 0 solid, 1..8 gradient codes, 1001 clear
  TColor GradientColor = TSlideShowPayload::GradientColor;
  int32_t Round = TSlideShowPayload::Round;
  // -1 none, 0 rectangle, 1 rounded rectangle, 2 ellipse, 3 diamond, 34 and 35 lines.
  int32_t Shape = TSlideShowPayload::Shape;
  int32_t BorderWidth = TSlideShowPayload::BorderWidth;
  TColor BorderColor = TSlideShowPayload::BorderColor;
  TAlignment Alignment = TSlideShowPayload::Alignment;
  TTextLayout Layout = TSlideShowPayload::Layout;
  int32_t Margin = TSlideShowPayload::Margin;
  QString Caption = TSlideShowPayload::Caption;
  TFont Font = TSlideShowPayload::Font;
};

// Builds the slide picture of `size`: fill and figure, opacity from the figure or the slide (a
// PNG slide keeps its own alpha, any other slide is opaque), the slide stretched over the whole
// area, then the caption. `slide` is the decoded picture (null: none), `slideIsPng` whether it was
// stored as PNG.
QImage BuildSlideShowImage(QSize size, const TSlideFrame& frame, const QImage& slide, bool slideIsPng);

// Reads a picture file as a stored picture, its kind taken from the extension. False when the
// file cannot be read, is unreasonably large or does not decode.
bool LoadPictureFile(const QString& fileName, TPicture& picture);

class TSlideShow {
 public:
  TSlideShow();

  // Stored settings: Folder, Interval, Play, Loop and the fade settings.
  TSlideShowFields Settings;
  TSlideFrame Frame;

  TFader Fader;
  TAlphaImage Image;

  // Raised after a slide was shown without a fade.
  std::function<void()> OnChange;
  // Raised when a fade cycle turns, after the pending swap was applied.
  std::function<void()> OnFadeOver;
  // Raised with the file name when a slide file cannot be loaded (the control reports it).
  std::function<void(const QString&)> OnLoadError;

  QStringList FileList;
  QString FolderPath;
  int Index = -1;
  TPicture Picture;     // the current slide as stored
  QImage DecodedSlide;  // and decoded

  QSize Size() const { return FSize; }
  // A new size rebuilds the picture.
  // build: false leaves the picture to a later BuildImage (the control builds it when first drawn).
  void SetSize(QSize size, bool build = true);

  // After a successful load: rests at NormalAlpha, builds, lists the folder, and live only shows
  // the first slide when playing and sets the slide clock.
  void Loaded(bool live);

  // Lists the picture files of Folder resolved against the project folder (the designer says so
  // when the project was never saved, and the list stays empty).
  void DoFileList();
  // The same against an explicit base folder.
  void DoFileListIn(const QString& baseFolder);

  void SetIndex(int index);
  void DoFirst();
  void DoLast();
  void DoPrior();
  void DoNext();
  void DoStop() { FTimerEnabled = false; }
  void DoPlay() { FTimerEnabled = true; }
  bool TimerEnabled() const { return FTimerEnabled; }
  int TimerInterval() const { return Settings.Interval; }

  // Builds the picture and re-applies the opacity.
  void BuildImage();
  // Applies what the fade cycle recorded (a file, a picture or a caption), rebuilds and clears
  // the record. Called when the cycle turns.
  void ApplyPendingSwap();

 private:
  bool LoadSlide(const QString& file);

  QSize FSize{193, 193};
  bool FTimerEnabled = false;
};
