// The windowless painted kinds: image button, simple text, image, bevel and multi-line text. None
// has a background of its own unless its record asks for one (a text with Transparent off); each
// paints over what its parent drew. On the designer's editing canvas they draw the dotted design
// outline (the image button only in its flat looks, the bevel only as a spacer).
#pragma once

#include <QImage>
#include <QTimer>
#include <QWidget>

#include "objects/GraphicControl.h"
#include "render/PaintedMultiline.h"

// What the painted kinds share: no fill of their own, the look applied once at the first real
// size, and every mouse event stopping here (the page has had it through the event filter).
class TPaintedControl : public TGraphicControl {
 public:
  TPaintedControl(TAuObject& object, QWidget* parent, const TControlContext& context);

 protected:
  // Nothing is built from the size; a new size only repaints.
  void SizeChanged() override;

  bool FLoaded = false;
};

// A push button with a normal and a mouse-over picture and font, pressed while the left button is
// held on it.
class TAuImageButton : public TPaintedControl {
 public:
  TAuImageButton(TAuObject& object, QWidget* parent, const TControlContext& context);

  // The pointer left without a leave event reaching the button (the page hid it, a menu opened).
  void DoMouseLeave();
  bool IsMouseInControl() const { return FMouseInControl; }
  bool IsDown() const { return FDown; }

 protected:
  void ApplyPayload() override;
  void Paint(QPainter& painter) override;
  void enterEvent(QEnterEvent* event) override;
  void leaveEvent(QEvent* event) override;
  void mousePressEvent(QMouseEvent* event) override;
  void mouseReleaseEvent(QMouseEvent* event) override;
  void mouseMoveEvent(QMouseEvent* event) override;

 private:
  QImage FImage;      // decoded, as drawn
  QImage FImageOver;  // decoded, as drawn; null when empty
  bool FMouseInControl = false;
  bool FPressing = false;  // the left button went down on the button and is still held
  bool FDown = false;      // drawn pressed: pressing and the pointer over it
};

// A transparent, word-wrapping label of fixed size.
class TAuSimpleText : public TPaintedControl {
 public:
  TAuSimpleText(TAuObject& object, QWidget* parent, const TControlContext& context);

 protected:
  void ApplyPayload() override;
  void Paint(QPainter& painter) override;
};

// A picture placed normal, centred or stretched; with AutoSize the control takes its size.
class TAuImage : public TPaintedControl {
 public:
  TAuImage(TAuObject& object, QWidget* parent, const TControlContext& context);

 protected:
  void ApplyPayload() override;
  void Paint(QPainter& painter) override;

 private:
  QImage FPicture;  // decoded, as drawn
};

class TAuBevel : public TPaintedControl {
 public:
  TAuBevel(TAuObject& object, QWidget* parent, const TControlContext& context);

 protected:
  void ApplyPayload() override;
  void Paint(QPainter& painter) override;
};

// A label that, live and animated, types its text or scrolls it through.
class TAuMultilineText : public TPaintedControl {
 public:
  TAuMultilineText(TAuObject& object, QWidget* parent, const TControlContext& context);

  const TMultilineAnimation& Animation() const { return FAnim; }
  QTimer& AnimTimer() { return FTimer.Timer(); }
  void AnimTick();

  // Shows the whole text at rest, the animation stopped.
  void SettleForSnapshot() override;

 protected:
  void ApplyPayload() override;
  void Paint(QPainter& painter) override;

 private:
  bool Animating() const;
  void SyncTimer();

  TMultilineAnimation FAnim;
  TControlClock FTimer;
  bool FSettled = false;
};
