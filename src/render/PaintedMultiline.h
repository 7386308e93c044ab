// The multi-line text's typing ("Input") and scrolling ("Scroll") animation as a plain state machine,
// and the painting of the text in either case.
#pragma once

#include <QPainter>
#include <QRect>
#include <QString>
#include <functional>

class TMultilineTextPayload;

struct TMultilineAnimParams {
  int Style = 0;  // 0 typing, 1 scrolling
  int Step = 1;
  int IntervalMs = 25;
  int DelayMs = 2000;
  bool FromBottom = true;
  int RepeatCount = 0;  // 0: endless
};

// What one painting of an animated text shows.
struct TMultilineFrame {
  QString Text;  // the characters drawn
  int Top = 0;   // where the text's top edge goes, relative to the client's top
};

// The animation's run state. The owner (only when live and animated) runs a timer at IntervalMs()
// while TimerActive(), calls Tick() and repaints on each expiry, and calls Frame() from its painting,
// which may end a run. A new or reloaded text starts with Reset(): waiting one delay, nothing shown.
class TMultilineAnimation {
 public:
  static constexpr int StateRunning = 0;
  static constexpr int StateWaiting = 1;
  static constexpr int StateFinished = 2;  // scrolled out at the top, shown empty for one delay

  explicit TMultilineAnimation(const TMultilineAnimParams& params = {});

  // Back to the start: waiting, position 0, no runs counted, timer on at the delay.
  void Reset();
  void SetParams(const TMultilineAnimParams& params);
  const TMultilineAnimParams& Params() const { return FParams; }

  void Tick();

  // Decides what is drawn for the caption in a client of the given height; `measure` gives the
  // wrapped height of a text. Ends the run when the whole text has been typed or scrolled away.
  TMultilineFrame Frame(const QString& caption, int clientHeight, const std::function<int(const QString&)>& measure);

  int State() const { return FState; }
  int Position() const { return FPosition; }
  int Count() const { return FCount; }
  int IntervalMs() const { return FInterval; }
  // The timer runs only while enabled and with a positive interval (a zero interval never fires).
  bool TimerActive() const { return FEnabled && FInterval > 0; }

 private:
  bool RepeatsUsedUp() const { return FParams.RepeatCount > 0 && FCount >= FParams.RepeatCount; }
  void EndRun(int state);

  TMultilineAnimParams FParams;
  int FState = StateWaiting;
  int FPosition = 0;
  int FCount = 0;
  int FInterval = 0;
  bool FEnabled = true;
};

TMultilineAnimParams MultilineAnimParams(const TMultilineTextPayload& text);

// Text drawing flags of the label: expanded tabs, the alignment, word wrap, no accelerators.
int MultilineTextFlags(int alignment, bool wordWrap);

// Paints a multi-line text. `animation` is null when it does not animate (editing, or not
// animated), and the text then follows its layout like an ordinary word-wrapped label; `editing`
// adds the design outline. A disabled text is drawn embossed.
void PaintMultilineText(QPainter& painter, QSize client, const TMultilineTextPayload& text,
                        TMultilineAnimation* animation, bool enabled, bool editing);
