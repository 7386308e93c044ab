#include "objects/PaintedKinds.h"

#include <QEnterEvent>
#include <QMouseEvent>
#include <QPainter>
#include <algorithm>

#include "model/PayloadsStandard.h"
#include "objects/ObjectKinds.h"
#include "render/ImageButton.h"
#include "render/PaintedControls.h"
#include "render/PaintedImage.h"
#include "render/PictureDecode.h"

namespace {

template <class P>
const P* PayloadOf(const TAuObject* object) {
  return object && object->Payload ? static_cast<const P*>(object->Payload.get()) : nullptr;
}

}  // namespace

// ---- shared ----

TPaintedControl::TPaintedControl(TAuObject& object, QWidget* parent, const TControlContext& context)
    : TGraphicControl(object, parent, context) {}

void TPaintedControl::SizeChanged() {
  if (!FLoaded)
    ApplyPayload();
  else
    update();
}

// ---- image button ----

TAuImageButton::TAuImageButton(TAuObject& object, QWidget* parent, const TControlContext& context)
    : TPaintedControl(object, parent, context) {}

void TAuImageButton::ApplyPayload() {
  const auto* b = PayloadOf<TImageButtonPayload>(AuObject);
  if (!b) return;
  FLoaded = true;
  // Both pictures are drawn transparent: a bitmap loses its bottom-left colour.
  FImage = ImageForDrawing(DecodePicture(b->Image), b->Image.Kind, true);
  FImageOver = ImageForDrawing(DecodePicture(b->ImageOver), b->ImageOver.Kind, true);
  CountRebuild();
  update();
}

void TAuImageButton::Paint(QPainter& p) {
  const auto* b = PayloadOf<TImageButtonPayload>(AuObject);
  if (!b) return;
  TImageButtonStatus status;
  status.State = FDown ? TButtonState::Down : TButtonState::Up;
  status.Enabled = isEnabled();
  status.MouseInControl = FMouseInControl;
  status.Designing = Editing();
  PaintImageButton(p, size(), *b, status, FImage, FImageOver);
}

void TAuImageButton::enterEvent(QEnterEvent* event) {
  // The editing canvas shows the button at rest.
  if (Live()) {
    FMouseInControl = true;
    update();
  }
  (void)event;
}

void TAuImageButton::leaveEvent(QEvent*) { DoMouseLeave(); }

void TAuImageButton::DoMouseLeave() {
  if (!FMouseInControl) return;
  FMouseInControl = false;
  update();
}

void TAuImageButton::mousePressEvent(QMouseEvent* event) {
  event->accept();
  if (!Live() || event->button() != Qt::LeftButton) return;
  FPressing = true;
  FDown = true;
  update();
}

void TAuImageButton::mouseMoveEvent(QMouseEvent* event) {
  event->accept();
  // Held down, the button looks pressed only while the pointer is over it.
  if (!FPressing) return;
  const bool down = rect().contains(event->position().toPoint());
  if (down == FDown) return;
  FDown = down;
  update();
}

void TAuImageButton::mouseReleaseEvent(QMouseEvent* event) {
  event->accept();
  if (event->button() != Qt::LeftButton || !FPressing) return;
  FPressing = false;
  FDown = false;
  update();
}

// ---- simple text ----

TAuSimpleText::TAuSimpleText(TAuObject& object, QWidget* parent, const TControlContext& context)
    : TPaintedControl(object, parent, context) {}

void TAuSimpleText::ApplyPayload() {
  if (!AuObject) return;
  FLoaded = true;
  CountRebuild();
  update();
}

void TAuSimpleText::Paint(QPainter& p) {
  const auto* t = PayloadOf<TSimpleTextPayload>(AuObject);
  if (!t) return;
  // A simple text paints as a multi-line text that does not animate.
  TMultilineTextPayload text;
  text.Caption = t->Caption;
  text.Font = t->Font;
  text.Alignment = t->Alignment;
  text.Layout = t->Layout;
  text.Color = t->Color;
  text.Transparent = t->Transparent;
  PaintMultilineText(p, size(), text, nullptr, isEnabled(), Editing());
}

// ---- image ----

TAuImage::TAuImage(TAuObject& object, QWidget* parent, const TControlContext& context)
    : TPaintedControl(object, parent, context) {}

void TAuImage::ApplyPayload() {
  const auto* i = PayloadOf<TImagePayload>(AuObject);
  if (!i) return;
  FLoaded = true;
  FPicture = ImageForDrawing(DecodePicture(i->Picture), i->Picture.Kind, i->Transparent);
  CountRebuild();
  update();
  if (i->AutoSize && !FPicture.isNull() && FPicture.size() != size()) {
    // The control takes the picture's size, and the record with it: what is written is what is seen.
    AuObject->Width = FPicture.width();
    AuObject->Height = FPicture.height();
    resize(FPicture.size());
  }
}

void TAuImage::Paint(QPainter& p) {
  const auto* i = PayloadOf<TImagePayload>(AuObject);
  if (!i) return;
  PaintImageObject(p, size(), FPicture, ImagePlacementOf(*i), Editing());
}

// ---- bevel ----

TAuBevel::TAuBevel(TAuObject& object, QWidget* parent, const TControlContext& context)
    : TPaintedControl(object, parent, context) {}

void TAuBevel::ApplyPayload() {
  if (!AuObject) return;
  FLoaded = true;
  CountRebuild();
  update();
}

void TAuBevel::Paint(QPainter& p) {
  const auto* b = PayloadOf<TBevelPayload>(AuObject);
  if (!b) return;
  PaintBevel(p, size(), *b, Editing());
}

// ---- multi-line text ----

TAuMultilineText::TAuMultilineText(TAuObject& object, QWidget* parent, const TControlContext& context)
    : TPaintedControl(object, parent, context),
      FTimer(this, [](QObject* o) { static_cast<TAuMultilineText*>(o)->AnimTick(); }) {}

bool TAuMultilineText::Animating() const {
  const auto* t = PayloadOf<TMultilineTextPayload>(AuObject);
  return t && t->AnimActive && Live() && !FSettled;
}

void TAuMultilineText::ApplyPayload() {
  const auto* t = PayloadOf<TMultilineTextPayload>(AuObject);
  if (!t) return;
  FLoaded = true;
  FSettled = false;
  // A new or changed text starts over: waiting one delay with nothing shown.
  FAnim.SetParams(MultilineAnimParams(*t));
  CountRebuild();
  SyncTimer();
  update();
}

void TAuMultilineText::SyncTimer() {
  if (!Animating() || !FAnim.TimerActive()) {
    FTimer.Stop();
    return;
  }
  FTimer.Start(FAnim.IntervalMs());
}

void TAuMultilineText::AnimTick() {
  if (!Animating()) {
    FTimer.Stop();
    return;
  }
  FAnim.Tick();
  SyncTimer();
  update();
}

void TAuMultilineText::SettleForSnapshot() {
  FSettled = true;
  FTimer.Stop();
  update();
}

void TAuMultilineText::Paint(QPainter& p) {
  const auto* t = PayloadOf<TMultilineTextPayload>(AuObject);
  if (!t) return;
  const bool animating = Animating();
  { PaintMultilineText(p, size(), *t, animating ? &FAnim : nullptr, isEnabled(), Editing()); }
  // Painting may have ended a run, which asks for the delay before the next.
  if (animating) SyncTimer();
}

// ---- creators ----

TAuControl* CreateImageButtonControl(TAuObject& object, QWidget* parent, const TControlContext& context) {
  return new TAuImageButton(object, parent, context);
}
TAuControl* CreateSimpleTextControl(TAuObject& object, QWidget* parent, const TControlContext& context) {
  return new TAuSimpleText(object, parent, context);
}
TAuControl* CreateImageControl(TAuObject& object, QWidget* parent, const TControlContext& context) {
  return new TAuImage(object, parent, context);
}
TAuControl* CreateBevelControl(TAuObject& object, QWidget* parent, const TControlContext& context) {
  return new TAuBevel(object, parent, context);
}
TAuControl* CreateMultilineTextControl(TAuObject& object, QWidget* parent, const TControlContext& context) {
  return new TAuMultilineText(object, parent, context);
}
