#include "objects/FadingKinds.h"

#include <QEnterEvent>
#include <QMouseEvent>
#include <QPainter>
#include <algorithm>

#include "model/PayloadsFading.h"
#include "objects/ObjectKinds.h"
#include "render/BalloonImage.h"
#include "render/FadeButton.h"
#include "render/NoteImage.h"
#include "render/Outline.h"
#include "render/PaintedImage.h"
#include "render/PictureDecode.h"

namespace {

// The payload of a control's record; the creator checked its kind.
template <class P>
const P* PayloadOf(const TAuObject* object) {
  return object && object->Payload ? static_cast<const P*>(object->Payload.get()) : nullptr;
}
template <class P>
P* MutablePayloadOf(TAuObject* object) {
  return object && object->Payload ? static_cast<P*>(object->Payload.get()) : nullptr;
}

const TFadeParam& NoFadeParam() {
  static const TFadeParam none;
  return none;
}

// A damaged file may ask for a zero or negative interval, which would make a timer spin.
void StartTimer(TControlClock& clock, int ms) { clock.Start(std::max(1, ms)); }

// Stored lines are separated by CR LF; single CR or LF count as breaks too.
QStringList SplitLines(const QString& text) {
  // Every kind of line break: CR LF, CR alone, LF alone.
  QStringList lines;
  qsizetype start = 0;
  for (qsizetype i = 0; i < text.size(); ++i) {
    const QChar c = text.at(i);
    if (c != u'\r' && c != u'\n') continue;
    lines.append(text.mid(start, i - start));
    if (c == u'\r' && i + 1 < text.size() && text.at(i + 1) == u'\n') ++i;
    start = i + 1;
  }
  lines.append(text.mid(start));
  return lines;
}

}  // namespace

// ---- the fading base ----

TFadingControl::TFadingControl(TAuObject& object, QWidget* host, const TControlContext& context)
    : TGraphicControl(object, host, context),
      FFadeTimer(
          this, [](QObject* o) { static_cast<TFadingControl*>(o)->FadeTick(); }, TFader::TickIntervalMs) {}

TFadingControl::~TFadingControl() = default;

void TFadingControl::BindFader(TFader& fader) {
  fader.OnFadeOver = [this] { ReportFadeOver(); };
}

void TFadingControl::RestartFadeClock() {
  const TFader& f = Fader();
  if (Live() && f.Fade() && !f.Resting()) {
    if (!FFadeTimer.IsActive()) FFadeTimer.Timer().start();
  } else {
    FFadeTimer.Stop();
  }
}

void TFadingControl::FadeTick() {
  TFader& f = Fader();
  if (!f.Resting()) f.Tick();
  // Whatever the turn's handler did, the clock runs on only while there is a fade to show.
  RestartFadeClock();
}

void TFadingControl::SetAlpha(int alpha) {
  Fader().SetAlpha(alpha);
  RestartFadeClock();
}

bool TFadingControl::MouseAlpha(TMouseAlphaEvent event) {
  if (!AuObject) return false;
  const int alpha = MouseAlphaFor(FadeParam(), event, isEnabled());
  if (alpha < 0) return false;
  SetAlpha(alpha);
  return true;
}

void TFadingControl::DoFadeCirculate(bool forword) {
  Fader().DoFadeCirculate(forword);
  RestartFadeClock();
}

void TFadingControl::SettleForSnapshot() {
  // A change waiting for the turn is what the page would show once the cycle is over.
  if (Fader().Swap.Pending()) ApplyPendingSwap();
  Fader().Reset(Fader().Alpha());
  FFadeTimer.Stop();
}

TFadingControl* FadingControlOf(const TAuObject& object) { return dynamic_cast<TFadingControl*>(ControlOf(object)); }

// ---- picture kinds ----

TFadePngControl::TFadePngControl(TAuObject& object, QWidget* parent, const TControlContext& context)
    : TFadingControl(object, parent, context) {}

void TFadePngControl::BindImageFader(TFader& fader) {
  fader.OnApply = [this](int percent) {
    // Only a changed percentage rewrites the alpha copy.
    if (!Look().SetAlphaBlend(percent)) return;
    NoteAlphaWrite();
    update();
  };
  BindFader(fader);
}

void TFadePngControl::SizeChanged() {
  if (!FLoaded)
    ApplyPayload();
  else
    RequestLook();
}

void TFadePngControl::Paint(QPainter& p) {
  Image().Paint(p);  // builds the look first when it is owed
  PaintContent(p);
  if (Editing()) DrawDesignOutline(p, rect());
}

void TFadePngControl::enterEvent(QEnterEvent* event) {
  (void)event;
  if (Live()) MouseAlpha(TMouseAlphaEvent::Enter);
}

void TFadePngControl::leaveEvent(QEvent* event) {
  (void)event;
  if (Live()) MouseAlpha(TMouseAlphaEvent::Leave);
}

// ---- fade button ----

TAuFadeButton::TAuFadeButton(TAuObject& object, QWidget* parent, const TControlContext& context)
    : TFadePngControl(object, parent, context) {
  BindImageFader(FFader);
}

const TFadeParam& TAuFadeButton::FadeParam() const {
  const auto* b = PayloadOf<TFadeButtonPayload>(AuObject);
  return b ? b->FadeParam : NoFadeParam();
}

void TAuFadeButton::ApplyPayload() {
  const auto* b = PayloadOf<TFadeButtonPayload>(AuObject);
  if (!b) return;
  FLoaded = true;
  // Drawn transparent: a bitmap loses its bottom-left colour.
  FPicture = ImageForDrawing(DecodePicture(b->Picture), b->Picture.Kind, true);
  ApplyFadeParam(FFader, b->FadeParam);
  RequestLook();
  RestartFadeClock();
}

void TAuFadeButton::Rebuild() {
  FLookStale = false;
  const auto* b = PayloadOf<TFadeButtonPayload>(AuObject);
  if (!b) return;
  FImage.SetPicture(BuildFadeButtonImage(size(), *b));
  FImage.ResetImage();
  CountRebuild();
  update();
}

void TAuFadeButton::PaintContent(QPainter& painter) {
  if (const auto* b = PayloadOf<TFadeButtonPayload>(AuObject)) PaintFadeButtonContent(painter, size(), *b, FPicture);
}

void TAuFadeButton::ShowCaption(const QString& text) {
  auto* b = MutablePayloadOf<TFadeButtonPayload>(AuObject);
  if (!b) return;
  b->Caption = text;
  // Caption and picture are painted over the face, which does not change.
  update();
}

void TAuFadeButton::ApplyPendingSwap() {
  // Nothing names a fade button as the target of a text or picture change.
  FFader.Swap.Clear();
}

// ---- shape ----

TAuShape::TAuShape(TAuObject& object, QWidget* parent, const TControlContext& context)
    : TFadePngControl(object, parent, context),
      FAnimTimer(this, [](QObject* o) { static_cast<TAuShape*>(o)->AnimTick(); }) {
  BindImageFader(FFader);
}

const TShapeFields& TAuShape::Fields() const { return *PayloadOf<TShapePayload>(AuObject); }

const TFadeParam& TAuShape::FadeParam() const {
  const auto* s = PayloadOf<TShapePayload>(AuObject);
  return s ? s->FadeParam : NoFadeParam();
}

bool TAuShape::Animating() const { return Live() && AuObject && Fields().AnimActive; }

void TAuShape::ApplyPayload() {
  if (!AuObject) return;
  const TShapeFields& s = Fields();
  FLoaded = true;
  FPicture = DecodeShapePicture(s.Picture);
  ApplyFadeParam(FFader, s.FadeParam);
  // Waiting for the first entrance, AnimInDelay away.
  FAnim.Start(s);
  RequestLook();
  SyncAnimTimer();
  RestartFadeClock();
}

void TAuShape::Rebuild() {
  FLookStale = false;
  if (!AuObject) return;
  const TShapeFields& s = Fields();
  const TShapeFrame frame = Animating() ? FAnim.Frame(s, width(), height()) : RestingShapeFrame(s, width(), height());
  FImage.SetPicture(BuildShapeImage(s, width(), height(), FPicture, frame));
  // A frame may set the blend itself (the fade entrance waits invisible); otherwise the current
  // blend applies to the new picture.
  if (frame.AlphaBlend && FImage.SetAlphaBlend(*frame.AlphaBlend))
    NoteAlphaWrite();
  else
    FImage.ResetImage();
  CountRebuild();
  update();
  SyncAnimTimer();
}

void TAuShape::SyncAnimTimer() {
  if (!Animating()) {
    FAnimTimer.Stop();
    return;
  }
  const TShapeFields& s = Fields();
  // Once the last entrance has been counted, every further tick would do nothing.
  if (s.AnimRepeatCount > 0 && FAnim.AnimState == ShapeAnimState::Waiting && FAnim.AnimCount > s.AnimRepeatCount) {
    FAnimTimer.Stop();
    return;
  }
  StartTimer(FAnimTimer, FAnim.Interval);
}

void TAuShape::AnimTick() {
  if (!Animating()) {
    FAnimTimer.Stop();
    return;
  }
  const TShapeAnimation::TTickResult r = FAnim.Tick(Fields());
  if (r.AlphaBlend && FImage.SetAlphaBlend(*r.AlphaBlend)) {
    NoteAlphaWrite();
    update();
  }
  if (r.Rebuild)
    Rebuild();
  else
    SyncAnimTimer();
}

void TAuShape::SetAnimState(int state) {
  if (!AuObject) return;
  FAnim.SetAnimState(Fields(), state);
  SyncAnimTimer();
}

void TAuShape::ShowCaption(const QString& text) {
  auto* s = MutablePayloadOf<TShapePayload>(AuObject);
  if (!s) return;
  s->Caption = text;
  Rebuild();
}

void TAuShape::ChangePicture(const TPicture& picture) {
  auto* s = MutablePayloadOf<TShapePayload>(AuObject);
  if (!s) return;
  s->Picture = picture;
  FPicture = DecodeShapePicture(s->Picture);
  Rebuild();
}

void TAuShape::ApplyPendingSwap() {
  auto* s = MutablePayloadOf<TShapePayload>(AuObject);
  TFadeSwap swap = std::move(FFader.Swap);
  FFader.Swap.Clear();
  if (!s || !swap.Pending()) return;
  if (swap.ShowText) s->Caption = swap.ShowTextString;
  if (swap.ChangePicture) {
    s->Picture = swap.PictureForChange;
    FPicture = DecodeShapePicture(s->Picture);
  }
  // A file change has nothing to load for a shape; it is rebuilt all the same.
  Rebuild();
}

void TAuShape::SettleForSnapshot() {
  if (Animating()) FAnim.SetAnimState(Fields(), ShapeAnimState::Shown);
  TFadePngControl::SettleForSnapshot();
  Rebuild();
  FAnimTimer.Stop();
}

// ---- balloon and note ----

template <class Payload, class Fields, QImage (*Build)(const Fields&, QSize)>
TCaptionFadePng<Payload, Fields, Build>::TCaptionFadePng(TAuObject& object, QWidget* parent,
                                                         const TControlContext& context)
    : TFadePngControl(object, parent, context) {
  BindImageFader(FFader);
}

template <class Payload, class Fields, QImage (*Build)(const Fields&, QSize)>
const TFadeParam& TCaptionFadePng<Payload, Fields, Build>::FadeParam() const {
  const auto* p = PayloadOf<Payload>(AuObject);
  return p ? p->FadeParam : NoFadeParam();
}

template <class Payload, class Fields, QImage (*Build)(const Fields&, QSize)>
void TCaptionFadePng<Payload, Fields, Build>::ApplyPayload() {
  const auto* p = PayloadOf<Payload>(AuObject);
  if (!p) return;
  FLoaded = true;
  ApplyFadeParam(FFader, p->FadeParam);
  RequestLook();
  RestartFadeClock();
}

template <class Payload, class Fields, QImage (*Build)(const Fields&, QSize)>
void TCaptionFadePng<Payload, Fields, Build>::Rebuild() {
  this->FLookStale = false;
  const auto* p = PayloadOf<Payload>(AuObject);
  if (!p) return;
  FImage.SetPicture(Build(*p, size()));
  FImage.ResetImage();
  CountRebuild();
  update();
}

template <class Payload, class Fields, QImage (*Build)(const Fields&, QSize)>
void TCaptionFadePng<Payload, Fields, Build>::ShowCaption(const QString& text) {
  auto* p = MutablePayloadOf<Payload>(AuObject);
  if (!p) return;
  p->Caption = text;
  Rebuild();
}

template <class Payload, class Fields, QImage (*Build)(const Fields&, QSize)>
void TCaptionFadePng<Payload, Fields, Build>::ApplyPendingSwap() {
  TFadeSwap& swap = FFader.Swap;
  const bool show = swap.ShowText;
  const QString text = swap.ShowTextString;
  swap.ShowText = false;
  swap.ShowTextString.clear();
  swap.LoadFile = false;
  swap.LoadFileName.clear();
  if (show) ShowCaption(text);
}

template class TCaptionFadePng<TBalloonPayload, TBalloonFields, BuildBalloonImage>;
template class TCaptionFadePng<TNotePayload, TNoteFields, BuildNoteImage>;

TAuBalloon::TAuBalloon(TAuObject& object, QWidget* parent, const TControlContext& context)
    : TCaptionFadePng(object, parent, context) {
  setMinimumSize(TBalloonPayload::MinWidth, TBalloonPayload::MinHeight);
}

// ---- slide show ----

TAuSlideShow::TAuSlideShow(TAuObject& object, QWidget* parent, const TControlContext& context)
    : TFadePngControl(object, parent, context),
      FSlideTimer(this, [](QObject* o) { static_cast<TAuSlideShow*>(o)->DoNext(); }) {
  FSlides.Fader.OnApply = [this](int percent) {
    if (!FSlides.Image.SetAlphaBlend(percent)) return;
    NoteAlphaWrite();
    update();
  };
  // The slide show swaps its slide itself at the turn; the page then applies whatever else it
  // recorded.
  FSlides.OnFadeOver = [this] {
    CountRebuild();
    update();
    ReportFadeOver();
  };
  FSlides.OnChange = [this] {
    // The slide show built its picture itself.
    FLookStale = false;
    CountRebuild();
    update();
  };
}

const TFadeParam& TAuSlideShow::FadeParam() const {
  const auto* s = PayloadOf<TSlideShowPayload>(AuObject);
  return s ? s->FadeParam : NoFadeParam();
}

void TAuSlideShow::ApplyPayload() {
  const auto* s = PayloadOf<TSlideShowPayload>(AuObject);
  if (!s) return;
  FLoaded = true;
  FSlides.Settings = *s;
  FSlides.Picture.Clear();
  FSlides.DecodedSlide = QImage();
  ApplyFadeParam(FSlides.Fader, s->FadeParam);
  // Built when first drawn (or when a slide is shown below).
  FSlides.SetSize(size(), false);
  RequestLook();
  FSlides.DoFileListIn(Context().ProjectFolder);
  FSlides.DoStop();
  // The editing canvas loads no slide and runs no slide clock.
  if (Live() && s->Play) {
    FSlides.DoNext();
    FSlides.DoPlay();
  }
  SyncSlideTimer();
  RestartFadeClock();
  update();
}

void TAuSlideShow::SizeChanged() {
  if (!FLoaded) {
    ApplyPayload();
    return;
  }
  if (FSlides.Size() == size()) return;
  FSlides.SetSize(size(), false);
  RequestLook();
}

void TAuSlideShow::Rebuild() {
  FSlides.BuildImage();
  CountRebuild();
  update();
}

void TAuSlideShow::SyncSlideTimer() {
  if (Live() && FSlides.TimerEnabled())
    StartTimer(FSlideTimer, FSlides.TimerInterval());
  else
    FSlideTimer.Stop();
}

void TAuSlideShow::AfterChange() {
  RestartFadeClock();
  update();
}

void TAuSlideShow::DoFirst() {
  FSlides.DoFirst();
  AfterChange();
}
void TAuSlideShow::DoLast() {
  FSlides.DoLast();
  AfterChange();
}
void TAuSlideShow::DoPrior() {
  FSlides.DoPrior();
  AfterChange();
}
void TAuSlideShow::DoNext() {
  FSlides.DoNext();
  AfterChange();
}
void TAuSlideShow::DoStop() {
  FSlides.DoStop();
  SyncSlideTimer();
}
void TAuSlideShow::DoPlay() {
  FSlides.DoPlay();
  SyncSlideTimer();
}

void TAuSlideShow::ShowCaption(const QString& text) {
  FSlides.Frame.Caption = text;
  Rebuild();
}

void TAuSlideShow::ChangePicture(const TPicture& picture) {
  FSlides.Picture = picture;
  FSlides.DecodedSlide = DecodePicture(picture);
  Rebuild();
}

bool TAuSlideShow::LoadPictureFile(const QString& fileName) {
  TPicture picture;
  if (!::LoadPictureFile(fileName, picture)) return false;
  ChangePicture(picture);
  return true;
}

void TAuSlideShow::ApplyPendingSwap() {
  if (!FSlides.Fader.Swap.Pending()) return;
  FSlides.ApplyPendingSwap();
  CountRebuild();
  update();
}

void TAuSlideShow::SettleForSnapshot() {
  TFadePngControl::SettleForSnapshot();
  const auto* s = PayloadOf<TSlideShowPayload>(AuObject);
  // At rest a playing slide show shows its first slide; a stopped one shows none.
  if (Live() && s && s->Play && !FSlides.FileList.isEmpty() && FSlides.Index != 0) {
    const bool fade = FSlides.Fader.Fade();
    FSlides.Fader.SetFade(false);
    FSlides.Index = -1;
    FSlides.SetIndex(0);
    FSlides.Fader.SetFade(fade);
  }
  FSlideTimer.Stop();
}

// ---- effect label and text ----

TFadeTextControl::TFadeTextControl(TAuObject& object, QWidget* parent, const TControlContext& context,
                                   std::unique_ptr<TAAControl> text)
    : TFadingControl(object, parent, context),
      FText(std::move(text)),
      FAnimTimer(this, [](QObject* o) { static_cast<TFadeTextControl*>(o)->AnimTick(); }) {
  FText->OnChanged = [this] { update(); };
  FFader.OnApply = [this](int percent) {
    if (FText->FontEffect().Alpha == percent) return;
    FText->ChangeFontEffect([percent](TAAEffect& e) { e.Alpha = static_cast<uint8_t>(std::clamp(percent, 0, 100)); });
    NoteAlphaWrite();
  };
  BindFader(FFader);
}

void TFadeTextControl::Loaded(const TFadeParam& fade, const TTextAnimParams& anim, bool autoSize) {
  FLoaded = true;
  ApplyFadeParam(FFader, fade);
  FAnim = TTextAnimation();
  FAnim.Params = anim;
  // Captures the resting values and, live, puts the entrance's property at its start.
  FAnim.Prepare(*FText, FFader.Alpha(), Live());
  SyncAutoSize(autoSize);
  CountRebuild();
  SyncAnimTimer();
  RestartFadeClock();
  update();
}

void TFadeTextControl::SyncAutoSize(bool autoSize) {
  if (!autoSize || !AuObject) return;
  // Rendering applies the auto size; the control and its record follow it.
  FText->Picture();
  const QSize s = FText->Size();
  if (s == size()) return;
  AuObject->Width = s.width();
  AuObject->Height = s.height();
  resize(s);
}

void TFadeTextControl::SizeChanged() {
  if (!FLoaded) {
    ApplyPayload();
    return;
  }
  FText->SetSize(size());
  CountRebuild();
  update();
}

void TFadeTextControl::Rebuild() {
  // The effect text re-renders by itself after every change; only the picture on screen is due.
  update();
}

void TFadeTextControl::SyncAnimTimer() {
  const TTextAnimParams& a = FAnim.Params;
  const bool over =
      a.AnimRepeatCount > 0 && FAnim.AnimState == TTextAnimation::Waiting && FAnim.AnimCount > a.AnimRepeatCount;
  if (Live() && a.AnimActive && !over)
    StartTimer(FAnimTimer, FAnim.Interval());
  else
    FAnimTimer.Stop();
}

void TFadeTextControl::AnimTick() {
  FAnim.Tick(*FText, Live());
  SyncAnimTimer();
}

void TFadeTextControl::SetAnimState(int state) {
  FAnim.SetAnimState(state);
  SyncAnimTimer();
}

void TFadeTextControl::SettleForSnapshot() {
  if (Live() && FAnim.Params.AnimActive) {
    // Every animated property back at its resting value, the entrance over.
    for (auto [style, value] : {std::pair{FAnim.Params.AnimOutStyle, FAnim.AnimOutOrgValue},
                                std::pair{FAnim.Params.AnimInStyle, FAnim.AnimInOrgValue}})
      if (style >= tasFontSize && style <= tasAlpha) FText->SetAnimValue(style, LimitAnimValue(style, value));
    FAnim.SetAnimState(TTextAnimation::Shown);
  }
  // The opacity last, as the "Alpha" style may have driven it past the fade.
  TFadingControl::SettleForSnapshot();
  FAnimTimer.Stop();
}

void TFadeTextControl::Paint(QPainter& p) {
  p.drawImage(0, 0, FText->Picture());
  if (Editing()) DrawDesignOutline(p, rect());
}

TAuLabel::TAuLabel(TAuObject& object, QWidget* parent, const TControlContext& context)
    : TFadeTextControl(object, parent, context, std::make_unique<TAALabel>()) {}

const TFadeParam& TAuLabel::FadeParam() const {
  const auto* l = PayloadOf<TFadeLabelPayload>(AuObject);
  return l ? l->FadeParam : NoFadeParam();
}

void TAuLabel::ApplyPayload() {
  const auto* l = PayloadOf<TFadeLabelPayload>(AuObject);
  if (!l) return;
  TAALabel& t = Label();
  t.BeginUpdate();
  t.SetFont(l->Font);
  t.SetCaption(l->Caption);
  t.SetQuality(TFadeLabelPayload::Quality);
  t.SetAlignment(l->Alignment);
  t.SetLayout(l->Layout);
  t.SetTransparent(l->Transparent);
  t.SetBorder(l->Border);
  t.SetAlign(AuObject->Align);
  t.SetAutoSize(l->AutoSize);
  t.SetSize(size());
  t.SetFontEffect(l->FontEffect);
  t.EndUpdate();
  Loaded(l->FadeParam, *l, l->AutoSize);
}

void TAuLabel::ShowCaption(const QString& text) {
  auto* l = MutablePayloadOf<TFadeLabelPayload>(AuObject);
  if (!l) return;
  l->Caption = text;
  Label().SetCaption(text);
  SyncAutoSize(l->AutoSize);
}

void TAuLabel::ApplyPendingSwap() {
  TFadeSwap& swap = FFader.Swap;
  const bool show = swap.ShowText;
  const QString text = swap.ShowTextString;
  swap.ShowText = false;
  swap.ShowTextString.clear();
  swap.LoadFile = false;
  swap.LoadFileName.clear();
  if (show) ShowCaption(text);
}

TAuText::TAuText(TAuObject& object, QWidget* parent, const TControlContext& context)
    : TFadeTextControl(object, parent, context, std::make_unique<TAAText>()) {}

const TFadeParam& TAuText::FadeParam() const {
  const auto* t = PayloadOf<TFadeTextPayload>(AuObject);
  return t ? t->FadeParam : NoFadeParam();
}

void TAuText::ApplyPayload() {
  const auto* p = PayloadOf<TFadeTextPayload>(AuObject);
  if (!p) return;
  TAAText& t = Lines();
  t.BeginUpdate();
  t.SetFont(p->Font);
  t.SetLines(SplitLines(p->Lines));
  t.SetWordWrap(TFadeTextPayload::WordWrap);
  t.SetRowPitch(p->RowPitch);
  t.SetQuality(TFadeTextPayload::Quality);
  t.SetAlignment(p->Alignment);
  t.SetTransparent(p->Transparent);
  t.SetBackColor(p->Color);
  t.SetBorder(p->Border);
  t.SetAlign(AuObject->Align);
  t.SetAutoSize(p->AutoSize);
  t.SetSize(size());
  t.SetFontEffect(p->FontEffect);
  t.EndUpdate();
  Loaded(p->FadeParam, *p, p->AutoSize);
}

void TAuText::ShowCaption(const QString& text) {
  auto* p = MutablePayloadOf<TFadeTextPayload>(AuObject);
  if (!p) return;
  p->Lines = text;
  Lines().SetLines(SplitLines(text));
  SyncAutoSize(p->AutoSize);
}

void TAuText::ApplyPendingSwap() {
  TFadeSwap& swap = FFader.Swap;
  const bool show = swap.ShowText;
  const QString text = swap.ShowTextString;
  swap.ShowText = false;
  swap.ShowTextString.clear();
  swap.LoadFile = false;
  swap.LoadFileName.clear();
  if (show) ShowCaption(text);
}

// ---- creators ----

TAuControl* CreateFadeButtonControl(TAuObject& object, QWidget* parent, const TControlContext& context) {
  return new TAuFadeButton(object, parent, context);
}
TAuControl* CreateLabelControl(TAuObject& object, QWidget* parent, const TControlContext& context) {
  return new TAuLabel(object, parent, context);
}
TAuControl* CreateTextControl(TAuObject& object, QWidget* parent, const TControlContext& context) {
  return new TAuText(object, parent, context);
}
TAuControl* CreateShapeControl(TAuObject& object, QWidget* parent, const TControlContext& context) {
  return new TAuShape(object, parent, context);
}
TAuControl* CreateBalloonControl(TAuObject& object, QWidget* parent, const TControlContext& context) {
  return new TAuBalloon(object, parent, context);
}
TAuControl* CreateNoteControl(TAuObject& object, QWidget* parent, const TControlContext& context) {
  return new TAuNote(object, parent, context);
}
TAuControl* CreateSlideShowControl(TAuObject& object, QWidget* parent, const TControlContext& context) {
  return new TAuSlideShow(object, parent, context);
}
