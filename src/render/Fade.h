// Opacity of the fading kinds: the picture whose alpha is scaled by a percentage, and the state
// machine that moves the percentage towards a target in timed steps. Plain classes: the control
// that owns one runs the 25 ms timer (while Fade() is on) and calls Tick().
#pragma once

#include <QImage>
#include <QPainter>
#include <QString>
#include <functional>

#include "model/PayloadFade.h"
#include "model/Stream.h"

// A built picture with per-pixel alpha and its copy with every alpha scaled by a percentage.
// Colours are never touched; only the copy's alpha bytes are rewritten, and only when the
// percentage actually changes, so a resting object costs nothing.
class TAlphaImage {
 public:
  // The picture as built (32-bit ARGB, not premultiplied) and the one drawn.
  const QImage& Picture() const { return FPicture; }
  const QImage& Shown() const { return FShown; }

  // Takes a new built picture and copies it to the drawn one as it is: the scale is not
  // re-applied until ResetImage, as the builders always follow with it.
  void SetPicture(const QImage& picture);
  // Copies the built picture again and re-applies the current scale.
  void ResetImage();

  int AlphaBlend() const { return FAlphaBlend; }
  // A changed percentage is stored and applied; an unchanged one does nothing. Returns whether the
  // drawn picture changed (the owner repaints then).
  bool SetAlphaBlend(int percent);

  // Draws the scaled picture at (0, 0), blended over what is beneath.
  void Paint(QPainter& painter) const;

 private:
  void Apply();

  QImage FPicture;
  QImage FShown;
  int FAlphaBlend = 100;
};

// Writes `source`'s pixels into `target` (same size, 32-bit ARGB) with each alpha scaled to
// alpha × percent div 100 (percent limited to 0..100); colour bytes are copied unchanged.
void ScaleAlpha(const QImage& source, QImage& target, int percent);

// Content change recorded for the moment a fade cycle turns (the object is invisible then).
struct TFadeSwap {
  bool LoadFile = false;
  QString LoadFileName;
  bool ShowText = false;
  QString ShowTextString;
  bool ChangePicture = false;
  // Held as a copy (the bytes are shared, so this is cheap): the action that asked for it may be
  // gone by the time the cycle turns.
  TPicture PictureForChange;

  bool Pending() const { return LoadFile || ShowText || ChangePicture; }
  void Clear() { *this = TFadeSwap(); }
};

// The fade state machine of every fading kind. The opacity shown is applied through OnApply
// (PNG kinds: the alpha scale; text kinds: the effect's alpha).
class TFader {
 public:
  static constexpr int TickIntervalMs = 25;

  std::function<void(int percent)> OnApply;
  // Raised once when a cycle started by DoFadeCirculate turns.
  std::function<void()> OnFadeOver;

  int Alpha() const { return FAlpha; }
  // Clamped to 0..100; becomes the target. With fading off it is shown at once.
  void SetAlpha(int alpha);

  // Whether changes are animated; the owner's timer runs exactly while this is true.
  bool Fade() const { return FFade; }
  // Switching off ends any movement at Alpha at once.
  void SetFade(bool fade);

  int FadeInStep = 10;
  int FadeOutStep = 10;

  int FadeTarget() const { return FFadeTarget; }
  int FadeAlpha() const { return FFadeAlpha; }

  // After loading: Alpha, target and shown opacity all become `alpha` (clamped), which is applied.
  void Reset(int alpha);

  // Starts a cycle: heads for 100 (forword) or 0, then turns back to Alpha, raising OnFadeOver.
  void DoFadeCirculate(bool forword);

  // One step of the fade clock.
  void Tick();

  // Opacity shown equals the target equals Alpha.
  bool Resting() const { return FFadeAlpha == FFadeTarget && FFadeTarget == FAlpha; }

  // What to change when the current cycle turns; applied and cleared by the OnFadeOver handler.
  TFadeSwap Swap;

 private:
  void ApplyOpacity(int percent) {
    if (OnApply) OnApply(percent);
  }

  int FAlpha = 100;
  bool FFade = true;
  int FFadeTarget = 100;
  int FFadeAlpha = 100;
};

// Takes a fading object's settings after loading: fading on or off, the steps, and the object
// resting at its normal opacity.
void ApplyFadeParam(TFader& fader, const TFadeParam& param);

// Mouse events that change a fading object's opacity.
enum class TMouseAlphaEvent : uint8_t { Enter, Leave, Press, ReleaseOver };
// The Alpha an event asks for, or -1 when it asks for none (mouse opacity off, or the object
// disabled).
int MouseAlphaFor(const TFadeParam& param, TMouseAlphaEvent event, bool enabled);
