#include "render/PaintedMultiline.h"

#include <algorithm>
#include <limits>

#include "model/PayloadsStandard.h"
#include "render/Caption.h"
#include "render/Colors.h"
#include "render/Outline.h"
#include "render/PaintedSupport.h"

TMultilineAnimation::TMultilineAnimation(const TMultilineAnimParams& params) : FParams(params) { Reset(); }

void TMultilineAnimation::Reset() {
  FState = StateWaiting;
  FPosition = 0;
  FCount = 0;
  FInterval = FParams.DelayMs;
  FEnabled = true;
}

void TMultilineAnimation::SetParams(const TMultilineAnimParams& params) {
  FParams = params;
  Reset();
}

void TMultilineAnimation::Tick() {
  switch (FState) {
    case StateWaiting:
      if (FParams.RepeatCount > 0) {
        if (FCount > FParams.RepeatCount) {
          FEnabled = false;
          return;
        }
        ++FCount;
        if (FCount > FParams.RepeatCount) {
          FEnabled = false;
          return;
        }
      }
      FPosition = 0;
      FState = StateRunning;
      FInterval = FParams.IntervalMs;
      break;
    case StateFinished:
      if (!RepeatsUsedUp()) FPosition = 0;
      FState = StateWaiting;
      break;
    default: {
      // Saturating, so a huge step or a long-running endless scroll cannot overflow.
      const qint64 next = qint64(FPosition) + FParams.Step;
      FPosition =
          int(std::clamp<qint64>(next, std::numeric_limits<int>::min() / 2, std::numeric_limits<int>::max() / 2));
      break;
    }
  }
}

void TMultilineAnimation::EndRun(int state) {
  FState = state;
  FInterval = FParams.DelayMs;
}

TMultilineFrame TMultilineAnimation::Frame(const QString& caption, int clientHeight,
                                           const std::function<int(const QString&)>& measure) {
  TMultilineFrame frame;
  if (FParams.Style == 0) {
    // Typing: the first Position characters, never splitting a surrogate pair.
    qsizetype n = std::clamp<qsizetype>(FPosition, 0, caption.size());
    if (n > 0 && n < caption.size() && caption[n - 1].isHighSurrogate()) ++n;
    frame.Text = caption.left(n);
    const int height = measure(frame.Text);
    frame.Top = (height > clientHeight || FParams.FromBottom) ? clientHeight - height : 0;
    // Only a running animation ends a run; painting while waiting changes nothing.
    if (n == caption.size() && FState == StateRunning) EndRun(StateWaiting);
  } else {
    frame.Text = caption;
    const int height = measure(caption);
    frame.Top = FParams.FromBottom ? clientHeight - FPosition : -FPosition;
    if (frame.Top <= -height && FState == StateRunning) EndRun(FParams.FromBottom ? StateWaiting : StateFinished);
  }
  return frame;
}

TMultilineAnimParams MultilineAnimParams(const TMultilineTextPayload& text) {
  TMultilineAnimParams p;
  p.Style = text.AnimStyle;
  p.Step = text.AnimStep;
  p.IntervalMs = text.AnimInterval;
  p.DelayMs = text.AnimDelay;
  p.FromBottom = text.AnimFromBottom;
  p.RepeatCount = text.AnimRepeatCount;
  return p;
}

void PaintMultilineText(QPainter& painter, QSize client, const TMultilineTextPayload& text,
                        TMultilineAnimation* animation, bool enabled, bool editing) {
  const int w = client.width(), h = client.height();
  if (!text.Transparent) painter.fillRect(QRect(0, 0, w, h), ToQColor(text.Color));
  const bool wordWrap = TMultilineTextPayload::WordWrap;
  const Qt::Alignment horizontal = CaptionAlignment(text.Alignment, tlTop) & Qt::AlignHorizontal_Mask;

  QString shown = text.Caption;
  QRect rect(0, 0, w, h);
  Qt::Alignment alignment = CaptionAlignment(text.Alignment, text.Layout);
  if (animation) {
    auto measure = [&](const QString& t) {
      return MeasureCaptionHeight(painter, t, w, wordWrap, horizontal | Qt::AlignTop, text.Font);
    };
    const TMultilineFrame frame = animation->Frame(text.Caption, h, measure);
    shown = frame.Text;
    // The moving text is placed by the animation, whatever the layout says.
    rect = QRect(0, frame.Top, w, std::max(1, measure(shown)));
    alignment = horizontal | Qt::AlignTop;
  }
  if (!shown.isEmpty()) {
    if (enabled) {
      DrawCaptionText(painter, shown, rect, wordWrap, alignment, text.Font);
    } else {
      // Embossed: a highlight copy one pixel down and right, the shadow on top.
      TFont font = text.Font;
      font.Color = clBtnHighlight;
      DrawCaptionText(painter, shown, rect.translated(1, 1), wordWrap, alignment, font);
      font.Color = clBtnShadow;
      DrawCaptionText(painter, shown, rect, wordWrap, alignment, font);
    }
  }
  if (editing) DrawDesignOutline(painter, QRect(QPoint(0, 0), client));
}
