// The seven fading kinds: fade button, shape, balloon and note (one prebuilt picture whose alpha
// copy is scaled by the opacity), slide show (the same over a folder of pictures), and the effect
// label and text (the opacity drives the effect's alpha).
//
// Clocks run only live (player, previews): the 25 ms fade clock while a fade is under way, and
// the animation and slide clocks of the kinds that have them. On the designer's editing canvas
// every kind draws the dotted design outline instead and no clock runs.
//
// What the page window uses (through ControlOf(object) cast to TFadingControl):
//   - opacity: SetAlpha, MouseAlpha (press, release-over; enter/leave for labels and texts, the
//     picture kinds handle their own enter and leave), FadeParam, IsMouseOver;
//   - the content swap at the turn of a fade: PendingSwap and CanFadeSwap to record a change and
//     decide whether to fade for it, DoFadeCirculate to start the cycle, and, from
//     TPageEvents::ObjectFadeOver, ApplyPendingSwap (or the single operations ShowCaption,
//     ChangePicture, LoadPictureFile, Rebuild) to apply it while the object is invisible.
#pragma once

#include <QImage>
#include <QTimer>
#include <QWidget>
#include <memory>

#include "model/PayloadsFading.h"
#include "objects/GraphicControl.h"
#include "render/AAControls.h"
#include "render/BalloonImage.h"
#include "render/Fade.h"
#include "render/NoteImage.h"
#include "render/ShapeAnimation.h"
#include "render/ShapeBuilder.h"
#include "render/SlideShow.h"
#include "render/TextAnimation.h"

// What every fading kind shares: its fade state machine, the fade clock, the opacity the mouse
// asks for and the pending content swap.
class TFadingControl : public TGraphicControl {
 public:
  TFadingControl(TAuObject& object, QWidget* host, const TControlContext& context);
  ~TFadingControl() override;

  virtual TFader& Fader() = 0;
  const TFader& Fader() const { return const_cast<TFadingControl*>(this)->Fader(); }
  // The fade settings, read from the record.
  virtual const TFadeParam& FadeParam() const = 0;

  // ---- opacity ----
  int Alpha() const { return Fader().Alpha(); }
  // Fades there when Fade is on, else shows it at once.
  void SetAlpha(int alpha);
  // Applies the opacity a mouse event asks for (nothing when mouse opacity is off or the object is
  // disabled). Returns whether it asked for one.
  bool MouseAlpha(TMouseAlphaEvent event);
  // The pointer is over the object; kept by the page.
  bool IsMouseOver = false;
  // The opacity now shown: the picture's blend, or the effect's alpha.
  virtual int ShownAlpha() const = 0;

  // ---- content swap at the turn of a fade ----
  // The change to apply when the cycle turns.
  TFadeSwap& PendingSwap() { return Fader().Swap; }
  // A cycle can be seen to work: fading is on and the object is visible now. Otherwise a change is
  // applied at once.
  bool CanFadeSwap() const { return Fader().Fade() && ShownAlpha() != 0; }
  // Starts a cycle: out to 0 (or up to 100), then back to Alpha. The page is told at the turn.
  void DoFadeCirculate(bool forword);
  // Applies PendingSwap as the kind does at the turn and clears what the kind clears.
  virtual void ApplyPendingSwap() = 0;
  // A new caption (for the text: its lines), taken into the record, and the look rebuilt.
  virtual void ShowCaption(const QString& text) = 0;
  // Builds the look again from the record.
  virtual void Rebuild() = 0;

  // ---- clocks ----
  QTimer& FadeTimer() { return FFadeTimer.Timer(); }
  // One step of the fade clock; stops the clock once the object rests.
  void FadeTick();
  // How many times the shown opacity was actually rewritten (tests and benchmarks).
  int AlphaWriteCount() const { return FAlphaWrites; }

  void SettleForSnapshot() override;

 protected:
  // Routes the fader's turn to the page. The kind sets OnApply itself.
  void BindFader(TFader& fader);
  // Runs the fade clock exactly while a fade is under way, live only.
  void RestartFadeClock();
  void NoteAlphaWrite() { ++FAlphaWrites; }
  // The look was built from the record once; later size changes only rebuild.
  bool FLoaded = false;

 private:
  TControlClock FFadeTimer;
  int FAlphaWrites = 0;
};

// The fading kind of an object's control, or null.
TFadingControl* FadingControlOf(const TAuObject& object);

// A windowless fading object drawn as one prebuilt picture with alpha.
class TFadePngControl : public TFadingControl {
 public:
  TFadePngControl(TAuObject& object, QWidget* parent, const TControlContext& context);

  // The picture, built first when its build is still owed.
  TAlphaImage& Image() {
    EnsureLook();
    return Look();
  }
  const TAlphaImage& Image() const { return const_cast<TFadePngControl*>(this)->Image(); }
  int ShownAlpha() const override { return const_cast<TFadePngControl*>(this)->Look().AlphaBlend(); }

 protected:
  // The picture as it stands, built or not.
  virtual TAlphaImage& Look() = 0;
  // The look is built when first needed (a paint, or a read of the picture), not when the record
  // or the size changes: a page loads without drawing what stays hidden, and the several sizes
  // docking passes through build one picture.
  void RequestLook() {
    FLookStale = true;
    update();
  }
  void EnsureLook() {
    if (!FLookStale) return;
    FLookStale = false;
    Rebuild();
  }
  bool FLookStale = false;
  // The fader shows its opacity by scaling the picture's alpha copy.
  void BindImageFader(TFader& fader);
  void SizeChanged() override;
  // Drawn at full opacity over the blended picture (the fade button's picture and caption).
  virtual void PaintContent(QPainter&) {}

  void Paint(QPainter& painter) override;
  void enterEvent(QEnterEvent* event) override;
  void leaveEvent(QEvent* event) override;
};

class TAuFadeButton : public TFadePngControl {
 public:
  TAuFadeButton(TAuObject& object, QWidget* parent, const TControlContext& context);

  TFader& Fader() override { return FFader; }
  TAlphaImage& Look() override { return FImage; }
  const TFadeParam& FadeParam() const override;
  void ApplyPendingSwap() override;
  void ShowCaption(const QString& text) override;
  void Rebuild() override;

 protected:
  void ApplyPayload() override;
  void PaintContent(QPainter& painter) override;

 private:
  TFader FFader;
  TAlphaImage FImage;
  QImage FPicture;  // decoded, painted over the face
};

class TAuShape : public TFadePngControl {
 public:
  TAuShape(TAuObject& object, QWidget* parent, const TControlContext& context);

  TFader& Fader() override { return FFader; }
  TAlphaImage& Look() override { return FImage; }
  const TFadeParam& FadeParam() const override;
  void ApplyPendingSwap() override;
  void ShowCaption(const QString& text) override;
  // The record's picture becomes a copy of picture (an empty one clears it), and the look is rebuilt.
  void ChangePicture(const TPicture& picture);
  void Rebuild() override;

  // Enters an animation state (0 entering, 1 waiting, 2 leaving, 3 shown) with its interval.
  void SetAnimState(int state);
  const TShapeAnimation& Animation() const { return FAnim; }
  QTimer& AnimTimer() { return FAnimTimer.Timer(); }
  void AnimTick();

  void SettleForSnapshot() override;

 protected:
  void ApplyPayload() override;

 private:
  const TShapeFields& Fields() const;
  bool Animating() const;
  void SyncAnimTimer();

  TFader FFader;
  TAlphaImage FImage;
  TShapePicture FPicture;
  TShapeAnimation FAnim;
  TControlClock FAnimTimer;
};

// A fading picture built from a payload that holds a caption and fade settings: balloons and notes.
// The fade turn applies only a pending caption.
template <class Payload, class Fields, QImage (*Build)(const Fields&, QSize)>
class TCaptionFadePng : public TFadePngControl {
 public:
  TCaptionFadePng(TAuObject& object, QWidget* parent, const TControlContext& context);

  TFader& Fader() override { return FFader; }
  TAlphaImage& Look() override { return FImage; }
  const TFadeParam& FadeParam() const override;
  void ApplyPendingSwap() override;
  void ShowCaption(const QString& text) override;
  void Rebuild() override;

 protected:
  void ApplyPayload() override;

 private:
  TFader FFader;
  TAlphaImage FImage;
};

class TAuBalloon : public TCaptionFadePng<TBalloonPayload, TBalloonFields, BuildBalloonImage> {
 public:
  TAuBalloon(TAuObject& object, QWidget* parent, const TControlContext& context);
};

class TAuNote : public TCaptionFadePng<TNotePayload, TNoteFields, BuildNoteImage> {
 public:
  using TCaptionFadePng::TCaptionFadePng;
};

class TAuSlideShow : public TFadePngControl {
 public:
  TAuSlideShow(TAuObject& object, QWidget* parent, const TControlContext& context);

  TFader& Fader() override { return FSlides.Fader; }
  TAlphaImage& Look() override { return FSlides.Image; }
  const TFadeParam& FadeParam() const override;
  // The slide show swaps its own slide file at the turn; this applies whatever else is pending.
  void ApplyPendingSwap() override;
  void ShowCaption(const QString& text) override;
  void ChangePicture(const TPicture& picture);
  // Shows the picture of a file at once; false when it does not load.
  bool LoadPictureFile(const QString& fileName);
  void Rebuild() override;

  // Navigation, as the actions ask for it.
  void DoFirst();
  void DoLast();
  void DoPrior();
  void DoNext();
  void DoStop();
  void DoPlay();

  const TSlideShow& Slides() const { return FSlides; }
  QTimer& SlideTimer() { return FSlideTimer.Timer(); }

  void SettleForSnapshot() override;

 protected:
  void ApplyPayload() override;
  void SizeChanged() override;

 private:
  void SyncSlideTimer();
  // After a navigation: the clocks follow, the picture is shown.
  void AfterChange();

  TSlideShow FSlides;
  TControlClock FSlideTimer;
};

// The effect label and text: the opacity drives the effect's alpha, and an entrance and exit
// animation drives one of its properties.
class TFadeTextControl : public TFadingControl {
 public:
  TFadeTextControl(TAuObject& object, QWidget* parent, const TControlContext& context,
                   std::unique_ptr<TAAControl> text);

  TFader& Fader() override { return FFader; }
  int ShownAlpha() const override { return FText->FontEffect().Alpha; }
  // The effect text as drawn now (effect values, font, animation's current look).
  const TAAControl& EffectText() const { return *FText; }
  void Rebuild() override;

  void SetAnimState(int state);
  const TTextAnimation& Animation() const { return FAnim; }
  QTimer& AnimTimer() { return FAnimTimer.Timer(); }
  void AnimTick();

  void SettleForSnapshot() override;

 protected:
  // After the kind applied its record to the text: rests at NormalAlpha and prepares the
  // animation, which starts live when it is on.
  void Loaded(const TFadeParam& fade, const TTextAnimParams& anim, bool autoSize);
  void SyncAutoSize(bool autoSize);
  void SizeChanged() override;
  TAAControl& Text() { return *FText; }

  void Paint(QPainter& painter) override;

  TFader FFader;

 private:
  void SyncAnimTimer();

  std::unique_ptr<TAAControl> FText;
  TTextAnimation FAnim;
  TControlClock FAnimTimer;
};

class TAuLabel : public TFadeTextControl {
 public:
  TAuLabel(TAuObject& object, QWidget* parent, const TControlContext& context);

  const TFadeParam& FadeParam() const override;
  void ApplyPendingSwap() override;
  void ShowCaption(const QString& text) override;

 protected:
  void ApplyPayload() override;

 private:
  TAALabel& Label() { return static_cast<TAALabel&>(Text()); }
};

class TAuText : public TFadeTextControl {
 public:
  TAuText(TAuObject& object, QWidget* parent, const TControlContext& context);

  const TFadeParam& FadeParam() const override;
  void ApplyPendingSwap() override;
  // The lines, separated by line breaks.
  void ShowCaption(const QString& text) override;

 protected:
  void ApplyPayload() override;

 private:
  TAAText& Lines() { return static_cast<TAAText&>(Text()); }
};
