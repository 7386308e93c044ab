// The effect label (one line) and effect text (several lines, word-wrapped): their parameters,
// measuring with effects, auto size, alignment and layout, the opaque and transparent looks, and
// re-rendering once per change. Plain classes: a control of the objects layer owns one, forwards
// its size and paints what it renders.
#pragma once

#include <QImage>
#include <QPoint>
#include <QSize>
#include <QStringList>
#include <functional>

#include "model/PayloadFade.h"
#include "model/Types.h"
#include "render/AAFont.h"
#include "render/TextAnimation.h"

enum TBackGroundMode : uint8_t { bmTiled, bmStretched, bmCenter, bmNormal };

// Characters after which a wrapped line may end.
bool IsWrapBreakChar(QChar c);
// Cuts a line into pieces of at most limit characters (limit at least 2): a piece ends after the
// last break character that fits, never inside a passage enclosed in single or double quotes; a run
// without a break character is kept whole even when longer. Nothing is dropped: the pieces joined
// give the line back.
QStringList WrapLinePieces(const QString& line, int limit);

class TAAControl : public TTextAnimTarget {
 public:
  TAAControl();
  ~TAAControl() override = default;
  TAAControl(const TAAControl&) = delete;
  TAAControl& operator=(const TAAControl&) = delete;

  // ---- parameters; each setter stores a changed value and notifies once ----
  const TFont& Font() const { return FFont; }
  void SetFont(const TFont& font);
  const TAAEffect& FontEffect() const { return FEffect; }
  void SetFontEffect(const TAAEffect& effect);
  // Edits the effect in place and notifies once if anything changed.
  template <class F>
  void ChangeFontEffect(F&& change) {
    TAAEffect e = FEffect;
    change(e);
    SetFontEffect(e);
  }
  TAAQuality Quality() const { return FQuality; }
  void SetQuality(TAAQuality quality);
  TAlignment Alignment() const { return FAlignment; }
  void SetAlignment(TAlignment alignment);
  TTextLayout Layout() const { return FLayout; }
  void SetLayout(TTextLayout layout);
  bool Transparent() const { return FTransparent; }
  void SetTransparent(bool transparent);
  // The control's colour, filling the opaque look.
  TColor BackColor() const { return FBackColor; }
  void SetBackColor(TColor color);
  const TPicture& BackGround() const { return FBackGround; }
  void SetBackGround(const TPicture& picture);
  TBackGroundMode BackGroundMode() const { return FBackGroundMode; }
  void SetBackGroundMode(TBackGroundMode mode);
  // Inner margin in pixels.
  int Border() const { return FBorder; }
  void SetBorder(int border);
  bool AutoSize() const { return FAutoSize; }
  void SetAutoSize(bool autoSize);
  // The control's docking: auto size leaves alone the side its docking fixes.
  TAlign Align() const { return FAlign; }
  void SetAlign(TAlign align);
  QSize Size() const { return FSize; }
  // Re-renders only when width or height really changed.
  void SetSize(QSize size);

  // ---- change notification ----
  // Raised once per change, or once at the end of an update bracket that changed something.
  std::function<void()> OnChanged;
  void BeginUpdate() { ++FUpdateCount; }
  void EndUpdate();

  // ---- rendering ----
  // The look, rendered again only after a change: opaque, an RGB32 picture of the client area;
  // transparent, an ARGB32_Premultiplied layer to be drawn over what lies beneath. Auto size is
  // applied first, so Size() may change.
  const QImage& Picture();
  // Draws the control with its top-left at origin on canvas (RGB32 or ARGB32_Premultiplied):
  // transparent, the text is blended straight over what the canvas holds; opaque, the picture is
  // copied.
  void PaintTo(QImage& canvas, QPoint origin);
  // How many times the look was rendered (for tests and benchmarks).
  int RenderCount() const { return FRenderCount; }

  // Measures with every effect on.
  QSize TextExtent(const QString& text);
  TAAFontEx& Renderer() { return FRenderer; }

  // ---- animation target ----
  int AnimValue(int style) const override;
  void SetAnimValue(int style, int value) override;

 protected:
  // Applies auto size (to FSize) for the current parameters.
  virtual void ApplyAutoSize() = 0;
  // Draws the text on target, whose (0, 0) is the control's top-left.
  virtual void DrawText(QImage& target, QPoint origin) = 0;
  void Changed();

  TAAFontEx FRenderer;

 private:
  void Render();
  void Sync();
  void FillBackground(QImage& target);

  TFont FFont;
  TAAEffect FEffect;
  TAAQuality FQuality = aqNormal;
  TAlignment FAlignment = taLeftJustify;
  TTextLayout FLayout = tlTop;
  bool FTransparent = false;
  TColor FBackColor = clBtnFace;
  TPicture FBackGround;
  QImage FBackGroundImage;
  TBackGroundMode FBackGroundMode = bmCenter;
  int FBorder = 0;
  bool FAutoSize = true;
  TAlign FAlign = alNone;
  QSize FSize{46, 12};

  int FUpdateCount = 0;
  bool FChangedInUpdate = false;
  bool FDirty = true;
  bool FRendering = false;
  int FRenderCount = 0;
  QImage FPicture;
};

// One line: the caption.
class TAALabel : public TAAControl {
 public:
  const QString& Caption() const { return FCaption; }
  void SetCaption(const QString& caption);
  // Top-left of the caption's extent for the current size, alignment and layout.
  QPoint TextPosition();

 protected:
  void ApplyAutoSize() override;
  void DrawText(QImage& target, QPoint origin) override;

 private:
  QString FCaption;
};

// Several lines, wrapped to the client width when asked; lines carry no markup.
class TAAText : public TAAControl {
 public:
  const QStringList& Lines() const { return FLines; }
  void SetLines(const QStringList& lines);
  bool WordWrap() const { return FWordWrap; }
  void SetWordWrap(bool wordWrap);
  // Extra space between lines in percent of a line's height, −100..150.
  int RowPitch() const { return FRowPitch; }
  void SetRowPitch(int rowPitch);

  // The pieces of every line as drawn, an empty line counting as one space.
  QStringList WrappedLines();
  // Where each piece goes (top-left of its extent) for the current size, stopping at the bottom
  // border, in the order drawn.
  struct TPiece {
    QString Text;
    QPoint At;
  };
  std::vector<TPiece> LayoutPieces();

 protected:
  void ApplyAutoSize() override;
  void DrawText(QImage& target, QPoint origin) override;

 private:
  // The pieces of one source line.
  QStringList WrapLine(const QString& line);
  // Line advance: round((RowPitch / 100 + 1) × h).
  int Advance(int h) const;

  QStringList FLines;
  bool FWordWrap = false;
  int FRowPitch = 20;
};
