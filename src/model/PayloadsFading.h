// Payloads of the fading, effect-text and media kinds. Each kind's stored fields live in a plain
// record (the ...Fields struct, with the kind's constructor defaults) that the payload class
// extends; the controls render from these fields and the designer edits them.
#pragma once

#include "model/PayloadBase.h"
#include "model/PayloadFade.h"
#include "model/Project.h"
#include "model/Types.h"

// The payload of a fading, effect-text or media kind with its defaults; null for any other kind.
std::unique_ptr<TObjectPayload> NewFadingPayload(TObjectType kind);

namespace FadingCodes {
constexpr int NoteWrite = 5407, NoteRead = 5408;
constexpr int BalloonWrite = 5409, BalloonRead = 5410;
constexpr int ShapeWrite = 5411, ShapeRead = 5412;
constexpr int TextWrite = 5413, TextRead = 5414;
constexpr int LabelWrite = 5415, LabelRead = 5416;
constexpr int FadeButtonWrite = 5481, FadeButtonRead = 5482;
// The slide show and the four hosted-control kinds report under no code of their own.
constexpr int MediaKinds = 0;
}  // namespace FadingCodes

// The font a new object of the kinds with a bold caption starts with.
inline TFont BoldFont(TColor color = clWindowText) {
  TFont f;
  f.Color = color;
  f.Style |= fsBold;
  return f;
}

// ---- fade button ----

struct TFadeButtonFields {
  QString Caption;
  TFont Font = BoldFont();
  TPicture Picture;
  int32_t Margin = 5;
  TImageLayout Layout = ilLeft;
  int32_t Space = 5;
  TColor BackColor = 0xFFC080;
  TColor BorderColor = 0xFFEEDD;
  // Mostly transparent at rest, more opaque under the mouse and while pressed.
  TFadeParam FadeParam{.NormalAlpha = 10, .MouseAlphaEnabled = true, .MouseOverAlpha = 50, .MouseDownAlpha = 30};

  bool operator==(const TFadeButtonFields&) const = default;

  template <class Self, class V>
  static void Visit(Self& p, V& v) {
    v("Caption", p.Caption);
    v("Font", p.Font);
    v("Picture", p.Picture);
    v("Margin", p.Margin);
    v("Layout", p.Layout);
    v("Space", p.Space);
    v("BackColor", p.BackColor);
    v("BorderColor", p.BorderColor);
    v.Nested("FadeParam", p.FadeParam);
  }
};

class TFadeButtonPayload final : public TPayloadOf<TFadeButtonPayload, TFadeButtonFields> {
 public:
  TObjectType Kind() const override { return otFadeButton; }
  bool Write(TStream& s) const override;
  bool Read(TStream& s) override;
  QSize DefaultSize() const override { return {193, 49}; }
  void SetFirstText(const QString& text) override { Caption = text; }
};

// ---- fade label (otLabel) ----

struct TFadeLabelFields : TTextAnimParams {
  TAlignment Alignment = taLeftJustify;
  bool AutoSize = false;
  TTextLayout Layout = tlCenter;
  bool Transparent = true;
  int32_t Border = 0;  // inner margin ("Margin" in the inspector)
  QString Caption = QStringLiteral("New Label");
  TFont Font;
  TAAEffect FontEffect = NewTextObjectEffect(TFont().Color);
  TFadeParam FadeParam;

  bool operator==(const TFadeLabelFields&) const = default;

  template <class Self, class V>
  static void Visit(Self& p, V& v) {
    TTextAnimParams::Visit(p, v);
    v("Alignment", p.Alignment);
    v("AutoSize", p.AutoSize);
    v("Layout", p.Layout);
    v("Transparent", p.Transparent);
    v("Border", p.Border);
    v("Caption", p.Caption);
    v("Font", p.Font);
    v.Nested("FontEffect", p.FontEffect);
    v.Nested("FadeParam", p.FadeParam);
  }
};

class TFadeLabelPayload final : public TPayloadOf<TFadeLabelPayload, TFadeLabelFields> {
 public:
  static constexpr TAAQuality Quality = aqHigh;
  static constexpr int32_t StreamVersion = 1;

  TObjectType Kind() const override { return otLabel; }
  bool Write(TStream& s) const override;
  bool Read(TStream& s) override;
  QSize DefaultSize() const override { return {97, 17}; }
  void SetFirstText(const QString& text) override { Caption = text; }
};

// ---- fade text (otText) ----

struct TFadeTextFields : TTextAnimParams {
  QString Lines = QStringLiteral("New Text");  // all lines, separated by CR LF
  TAlignment Alignment = taLeftJustify;
  bool AutoSize = false;
  bool Transparent = true;
  TColor Color = clBtnFace;
  TFont Font;
  int16_t RowPitch = 0;  // percent of a line's height added between lines
  int32_t Border = 0;
  TAAEffect FontEffect = NewTextObjectEffect(TFont().Color);
  TFadeParam FadeParam;

  bool operator==(const TFadeTextFields&) const = default;

  template <class Self, class V>
  static void Visit(Self& p, V& v) {
    TTextAnimParams::Visit(p, v);
    v("Lines", p.Lines);
    v("Alignment", p.Alignment);
    v("AutoSize", p.AutoSize);
    v("Transparent", p.Transparent);
    v("Color", p.Color);
    v("Font", p.Font);
    v("RowPitch", p.RowPitch);
    v("Border", p.Border);
    v.Nested("FontEffect", p.FontEffect);
    v.Nested("FadeParam", p.FadeParam);
  }
};

class TFadeTextPayload final : public TPayloadOf<TFadeTextPayload, TFadeTextFields> {
 public:
  static constexpr TAAQuality Quality = aqHigh;
  static constexpr bool WordWrap = true;
  static constexpr int32_t StreamVersion = 1;

  TObjectType Kind() const override { return otText; }
  bool Write(TStream& s) const override;
  bool Read(TStream& s) override;
  QSize DefaultSize() const override { return {193, 193}; }
  void SetFirstText(const QString& text) override { Lines = text; }
};

// ---- shape ----

// Gradient: 0 solid, 1..8 gradient codes, 1001 clear. Shape: the figure code (-1 none, 0 rectangle,
// 1 rounded rectangle, ...). Animation styles: 0 none, 1..4 move from/to a side, 5 zoom, 6 fade.
struct TShapeFields {
  bool AnimActive = false;
  int32_t AnimInStyle = 1;
  int32_t AnimInStep = 1;
  int32_t AnimInInterval = 25;
  int32_t AnimInDelay = 2000;
  bool AnimInFromMargin = false;
  int32_t AnimOutStyle = 1;
  int32_t AnimOutStep = 1;
  int32_t AnimOutInterval = 25;
  int32_t AnimOutDelay = 2000;
  bool AnimOutToMargin = false;
  int32_t LeftMargin = 0;
  int32_t RightMargin = 0;
  int32_t TopMargin = 0;
  int32_t BottomMargin = 0;
  int32_t AnimRepeatCount = 0;
  TColor Color = 0x00FFFF;
  int32_t Gradient = 0;
  TColor GradientColor = clBlack;
  int32_t Round = 30;
  int32_t Shape = 0;
  int32_t BorderWidth = 4;
  TColor BorderColor = 0x02C5FD;
  QString Caption;
  TFont Font = BoldFont();
  TAlignment Alignment = taCenter;
  TTextLayout Layout = tlCenter;
  int32_t Margin = 10;
  TFadeParam FadeParam;
  TPicture Picture;

  bool operator==(const TShapeFields&) const = default;

  template <class Self, class V>
  static void Visit(Self& p, V& v) {
    v("AnimActive", p.AnimActive);
    v("AnimInStyle", p.AnimInStyle);
    v("AnimInStep", p.AnimInStep);
    v("AnimInInterval", p.AnimInInterval);
    v("AnimInDelay", p.AnimInDelay);
    v("AnimInFromMargin", p.AnimInFromMargin);
    v("AnimOutStyle", p.AnimOutStyle);
    v("AnimOutStep", p.AnimOutStep);
    v("AnimOutInterval", p.AnimOutInterval);
    v("AnimOutDelay", p.AnimOutDelay);
    v("AnimOutToMargin", p.AnimOutToMargin);
    v("LeftMargin", p.LeftMargin);
    v("RightMargin", p.RightMargin);
    v("TopMargin", p.TopMargin);
    v("BottomMargin", p.BottomMargin);
    v("AnimRepeatCount", p.AnimRepeatCount);
    v("Color", p.Color);
    v("Gradient", p.Gradient);
    v("GradientColor", p.GradientColor);
    v("Round", p.Round);
    v("Shape", p.Shape);
    v("BorderWidth", p.BorderWidth);
    v("BorderColor", p.BorderColor);
    v("Caption", p.Caption);
    v("Font", p.Font);
    v("Alignment", p.Alignment);
    v("Layout", p.Layout);
    v("Margin", p.Margin);
    v.Nested("FadeParam", p.FadeParam);
    v("Picture", p.Picture);
  }
};

class TShapePayload final : public TPayloadOf<TShapePayload, TShapeFields> {
 public:
  static constexpr int32_t StreamVersion = 1;

  TObjectType Kind() const override { return otShape; }
  bool Write(TStream& s) const override;
  bool Read(TStream& s) override;
  QSize DefaultSize() const override { return {193, 193}; }
};

// ---- balloon ----

// Arrow: 0 none, 1 LeftDown, 2 LeftUp, 3 TopLeft, 4 TopRight, 5 RightUp, 6 RightDown,
// 7 BottomRight, 8 BottomLeft.
struct TBalloonFields {
  TFont Font = BoldFont();
  QString Caption = QStringLiteral("New Balloon");
  TAlignment Alignment = taCenter;
  TTextLayout Layout = tlCenter;
  int32_t Margin = 12;
  int32_t Arrow = 7;
  TColor BorderColor = clBlack;
  TColor Color = 0x02C5FD;
  TFadeParam FadeParam;

  bool operator==(const TBalloonFields&) const = default;

  template <class Self, class V>
  static void Visit(Self& p, V& v) {
    v("Font", p.Font);
    v("Caption", p.Caption);
    v("Alignment", p.Alignment);
    v("Layout", p.Layout);
    v("Margin", p.Margin);
    v("Arrow", p.Arrow);
    v("BorderColor", p.BorderColor);
    v("Color", p.Color);
    v.Nested("FadeParam", p.FadeParam);
  }
};

class TBalloonPayload final : public TPayloadOf<TBalloonPayload, TBalloonFields> {
 public:
  static constexpr int MinWidth = 40, MinHeight = 40;

  TObjectType Kind() const override { return otBalloon; }
  bool Write(TStream& s) const override;
  bool Read(TStream& s) override;
  QSize DefaultSize() const override { return {193, 65}; }
  void SetFirstText(const QString& text) override { Caption = text; }
};

// ---- note ----

// Graphic: 0..11 a pointer on one of twelve positions, 12 none, 13 binder ring, 14 pin pad.
struct TNoteFields {
  TFont Font = BoldFont(clWhite);
  QString Caption;
  TAlignment Alignment = taLeftJustify;
  int32_t Margin = 20;
  int32_t Graphic = 13;
  int32_t Round = 3;
  TColor BackColor = 0xFF3E00;
  bool Flat = false;
  bool Shadow = true;
  TFadeParam FadeParam;

  bool operator==(const TNoteFields&) const = default;

  template <class Self, class V>
  static void Visit(Self& p, V& v) {
    v("Font", p.Font);
    v("Caption", p.Caption);
    v("Alignment", p.Alignment);
    v("Margin", p.Margin);
    v("Graphic", p.Graphic);
    v("Round", p.Round);
    v("BackColor", p.BackColor);
    v("Flat", p.Flat);
    v("Shadow", p.Shadow);
    v.Nested("FadeParam", p.FadeParam);
  }
};

class TNotePayload final : public TPayloadOf<TNotePayload, TNoteFields> {
 public:
  TObjectType Kind() const override { return otNote; }
  bool Write(TStream& s) const override;
  bool Read(TStream& s) override;
  QSize DefaultSize() const override { return {193, 193}; }
  void SetFirstText(const QString& text) override { Caption = text; }
};

// ---- slide show ----

struct TSlideShowFields {
  QString Folder;  // relative to the project folder
  int32_t Interval = 2000;
  bool Play = true;
  bool Loop = true;
  TFadeParam FadeParam;

  bool operator==(const TSlideShowFields&) const = default;

  template <class Self, class V>
  static void Visit(Self& p, V& v) {
    v("Folder", p.Folder);
    v("Interval", p.Interval);
    v("Play", p.Play);
    v("Loop", p.Loop);
    v.Nested("FadeParam", p.FadeParam);
  }
};

class TSlideShowPayload final : public TPayloadOf<TSlideShowPayload, TSlideShowFields> {
 public:
  // The frame, fill and caption are not stored and never change: they make the slide show a
  // plain picture (a PNG slide keeps its own transparency).
  static constexpr TColor Color = 0x00FFFF;
  static constexpr int32_t Gradient = 1001;
  static constexpr TColor GradientColor = clBlack;
  static constexpr int32_t Round = 30;
  static constexpr int32_t Shape = -1;
  static constexpr int32_t BorderWidth = 0;
  static constexpr TColor BorderColor = 0x02C5FD;
  static constexpr TAlignment Alignment = taCenter;
  static constexpr TTextLayout Layout = tlCenter;
  static constexpr int32_t Margin = 10;
  static inline const QString Caption{};
  static inline const TFont Font = BoldFont();

  TObjectType Kind() const override { return otSlideShow; }
  bool Write(TStream& s) const override;
  bool Read(TStream& s) override;
  QSize DefaultSize() const override { return {193, 193}; }
};

// ---- web browser ----

struct TWebBrowserFields {
  int32_t BrowserType = 0;  // 1 and 2: URL is a file relative to the project folder; else a web address
  QString URL;

  bool operator==(const TWebBrowserFields&) const = default;

  template <class Self, class V>
  static void Visit(Self& p, V& v) {
    v("BrowserType", p.BrowserType);
    v("URL", p.URL);
  }
};

class TWebBrowserPayload final : public TPayloadOf<TWebBrowserPayload, TWebBrowserFields> {
 public:
  TObjectType Kind() const override { return otWebBrowser; }
  bool Write(TStream& s) const override;
  bool Read(TStream& s) override;
  QSize DefaultSize() const override { return {289, 193}; }
};

// ---- media player ----

struct TMediaPlayerFields {
  bool Active = true;
  bool ControlBar = true;
  bool Border = true;
  bool IsRepeat = true;
  QString MediaFile;  // relative to the project folder

  bool operator==(const TMediaPlayerFields&) const = default;

  template <class Self, class V>
  static void Visit(Self& p, V& v) {
    v("Active", p.Active);
    v("ControlBar", p.ControlBar);
    v("Border", p.Border);
    v("IsRepeat", p.IsRepeat);
    v("MediaFile", p.MediaFile);
  }
};

class TMediaPlayerPayload final : public TPayloadOf<TMediaPlayerPayload, TMediaPlayerFields> {
 public:
  static constexpr TColor Color = clBlack;  // not stored

  TObjectType Kind() const override { return otMediaPlayer; }
  bool Write(TStream& s) const override;
  bool Read(TStream& s) override;
  QSize DefaultSize() const override { return {289, 193}; }
};

// ---- Flash player ----

struct TFlashPlayerFields {
  TColor Color = clWhite;
  TBorderStyle BorderStyle = TBorderStyle::bsSingle;
  bool Loop = true;
  bool ContextMenu = true;
  QString MovieFile;  // relative to the project folder

  bool operator==(const TFlashPlayerFields&) const = default;

  template <class Self, class V>
  static void Visit(Self& p, V& v) {
    v("Color", p.Color);
    v("BorderStyle", p.BorderStyle);
    v("Loop", p.Loop);
    v("ContextMenu", p.ContextMenu);
    v("MovieFile", p.MovieFile);
  }
};

class TFlashPlayerPayload final : public TPayloadOf<TFlashPlayerPayload, TFlashPlayerFields> {
 public:
  TObjectType Kind() const override { return otFlashPlayer; }
  bool Write(TStream& s) const override;
  bool Read(TStream& s) override;
  QSize DefaultSize() const override { return {289, 193}; }
};

// ---- PDF reader ----

struct TPDFReaderFields {
  TColor Color = clWhite;
  TBorderStyle BorderStyle = TBorderStyle::bsSingle;
  QString FileName;  // relative to the project folder

  bool operator==(const TPDFReaderFields&) const = default;

  template <class Self, class V>
  static void Visit(Self& p, V& v) {
    v("Color", p.Color);
    v("BorderStyle", p.BorderStyle);
    v("FileName", p.FileName);
  }
};

class TPDFReaderPayload final : public TPayloadOf<TPDFReaderPayload, TPDFReaderFields> {
 public:
  TObjectType Kind() const override { return otPDFReader; }
  bool Write(TStream& s) const override;
  bool Read(TStream& s) override;
  QSize DefaultSize() const override { return {289, 193}; }
};
