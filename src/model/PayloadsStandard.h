// Payloads of the container and standard-control kinds: the properties each kind stores after the
// common object fields, with the defaults a new object of the kind starts with. Fields are declared
// in stored order; the controls draw from these records and the designer edits them.
#pragma once

#include <QByteArray>
#include <QJsonObject>
#include <QSize>
#include <QString>
#include <memory>
#include <vector>

#include "model/PayloadPanelBack.h"
#include "model/Project.h"

// Scoped where value names would clash with other enumerations of the same prefix (bsNone is
// also a window border style).
enum class TButtonStyle : uint8_t { bsNormal, bsNormalFlat, bsThemes, bsThemesFlat, bsTransparent };
enum class TBevelStyle : uint8_t { bsLowered, bsRaised };
enum class TBevelShape : uint8_t { bsBox, bsFrame, bsTopLine, bsBottomLine, bsLeftLine, bsRightLine, bsSpacer };
enum TResizeStyle : uint8_t { rsNone, rsLine, rsUpdate, rsPattern };
enum TScrollStyle : uint8_t { ssNone, ssHorizontal, ssVertical, ssBoth };

template <>
const QStringList& EnumValueNames<TButtonStyle>();
template <>
const QStringList& EnumValueNames<TBevelStyle>();
template <>
const QStringList& EnumValueNames<TBevelShape>();
template <>
const QStringList& EnumValueNames<TResizeStyle>();
template <>
const QStringList& EnumValueNames<TScrollStyle>();

// Cursor ids the kinds start with.
constexpr TCursor crArrow = -2;
constexpr TCursor crHSplit = -14;

// What every kind here shares: kind, copy, comparison and the stream and text forms, all driven
// by one ordered list of the kind's stored fields (so the four forms cannot drift apart). A kind
// supplies WriteCode / ReadCode and, when it writes a version other than 0, StoredVersion; a
// reader accepts every version from 0 up to it. The forms are defined, and instantiated for each
// kind, in PayloadsStandard.cpp beside the field lists.
template <class Derived, TObjectType K>
class TStandardPayload : public TObjectPayload {
 public:
  static constexpr int32_t StoredVersion = 0;

  TObjectType Kind() const override { return K; }
  std::unique_ptr<TObjectPayload> Clone() const override { return std::make_unique<Derived>(Self()); }
  bool Equals(const TObjectPayload& other) const override {
    const auto* o = dynamic_cast<const Derived*>(&other);
    return o && Self() == *o;
  }
  bool Write(TStream& s) const override;
  // A failed read records its error on the stream and leaves the payload unchanged.
  bool Read(TStream& s) override;
  QJsonObject ToJson() const override;
  // Absent fields keep their current values; on error nothing changes.
  bool FromJson(const QJsonObject& json, QString& error) override;

  // No stored state of its own; lets each kind default its comparison.
  bool operator==(const TStandardPayload&) const { return true; }

 private:
  const Derived& Self() const { return static_cast<const Derived&>(*this); }
};

// Panel: a container whose background is painted by PanelBack.
class TPanelPayload final : public TStandardPayload<TPanelPayload, otPanel> {
 public:
  static constexpr int WriteCode = 4089, ReadCode = 4090;
  TPanelBack PanelBack;
  TColor Color = clBtnFace;  // plain fill and first gradient colour of the background
  TBorderStyle BorderStyle = TBorderStyle::bsNone;
  TFont Font;  // also the background caption's font

  QSize DefaultSize() const override { return {193, 193}; }
  void SetFirstText(const QString& text) override { PanelBack.Caption = text; }
  bool operator==(const TPanelPayload&) const = default;
};

// Tab notebook: holds tab sheets only; child i of its object is tab page i.
class TTabNotebookPayload final : public TStandardPayload<TTabNotebookPayload, otTabNotebook> {
 public:
  static constexpr int WriteCode = 4085, ReadCode = 4086;
  TFont Font;  // font of the tabs
  TColor Color = clBtnFace;
  int32_t IconWidth = 16;  // size of the tab icons
  int32_t IconHeight = 16;
  int32_t DefaultActivePageIndex = 0;  // the tab page shown after loading
  bool TabStop = true;                 // of the tab control; the notebook itself is never a tab stop

  // The page shown after a notebook with pageCount pages was loaded: pages 0 and then 1 are
  // activated, then the stored default. A stored index outside the pages leaves the page activated
  // last rather than showing none. -1 when there are no pages.
  int ActivePageAfterLoad(int pageCount) const;

  QSize DefaultSize() const override { return {289, 193}; }
  bool operator==(const TTabNotebookPayload&) const = default;
};

// Tab sheet: one page of its parent notebook.
class TTabSheetPayload final : public TStandardPayload<TTabSheetPayload, otTabSheet> {
 public:
  static constexpr int WriteCode = 4083, ReadCode = 4084;
  QString Caption;
  TPicture Icon;  // drawn on the tab, stretched to the notebook's icon size

  // The tab's image index: the page's own index when it has an icon, else -1 (no icon shown).
  int ImageIndex(int pageIndex) const { return Icon.IsEmpty() ? -1 : pageIndex; }

  // The notebook lays its sheets out; this is only the size before it does.
  QSize DefaultSize() const override { return {289, 193}; }
  void SetFirstText(const QString& text) override { Caption = text; }
  bool operator==(const TTabSheetPayload&) const = default;
};

// The tab sheets of a notebook object, in page order.
std::vector<const TAuObject*> TabSheetsOf(const TAuObject& notebook);

// Group box: draws its own background in Color.
class TGroupBoxPayload final : public TStandardPayload<TGroupBoxPayload, otGroupBox> {
 public:
  static constexpr int WriteCode = 4081, ReadCode = 4082;
  QString Caption;
  TFont Font;
  TColor Color = clBtnFace;

  QSize DefaultSize() const override { return {193, 193}; }
  void SetFirstText(const QString& text) override { Caption = text; }
  bool operator==(const TGroupBoxPayload&) const = default;
};

class TScrollBoxPayload final : public TStandardPayload<TScrollBoxPayload, otScrollBox> {
 public:
  static constexpr int WriteCode = 4067, ReadCode = 4068;
  TColor Color = clBtnFace;
  TBorderStyle BorderStyle = TBorderStyle::bsSingle;
  TFont Font;

  QSize DefaultSize() const override { return {289, 193}; }
  bool operator==(const TScrollBoxPayload&) const = default;
};

class TSplitterPayload final : public TStandardPayload<TSplitterPayload, otSplitter> {
 public:
  static constexpr int WriteCode = 4079, ReadCode = 4080;
  // A new splitter's record takes these over: the splitter docks left and shows the sizing cursor.
  static constexpr TAlign NewObjectAlign = alLeft;
  static constexpr TCursor NewObjectCursor = crHSplit;

  bool AutoSnap = true;
  bool Beveled = false;
  TColor Color = clBtnFace;
  int32_t MinSize = 1;
  TResizeStyle ResizeStyle = rsUpdate;

  QSize DefaultSize() const override { return {5, 100}; }
  bool operator==(const TSplitterPayload&) const = default;
};

class TStandardButtonPayload final : public TStandardPayload<TStandardButtonPayload, otStandardButton> {
 public:
  static constexpr int WriteCode = 4077, ReadCode = 4078;
  QString Caption;
  TFont Font;
  bool Cancel = false;
  bool Default = false;
  bool TabStop = true;
  bool WordWrap = false;

  QSize DefaultSize() const override { return {97, 25}; }
  void SetFirstText(const QString& text) override { Caption = text; }
  bool operator==(const TStandardButtonPayload&) const = default;
};

// Image button: a flat button with a normal and a mouse-over picture and font.
class TImageButtonPayload final : public TStandardPayload<TImageButtonPayload, otImageButton> {
 public:
  static constexpr int WriteCode = 4001, ReadCode = 4002;
  QString Caption = QStringLiteral("New ImageButton");
  TFont Font;
  TFont FontOver;  // a new button's is its font in blue
  TPicture Image;
  TPicture ImageOver;
  // Copies of the object's Hint and Cursor; the object record's values win over them when an
  // object is read, and a writer should refresh them from the record first.
  QString Hint;
  TCursor Cursor = 0;
  TButtonStyle ButtonStyle = TButtonStyle::bsThemes;
  int32_t Margin = 10;
  TImageLayout Layout = ilLeft;
  int32_t Space = 5;
  bool Slide = true;  // the caption and picture shift while the button is held down

  TImageButtonPayload() { FontOver.Color = clBlue; }

  QSize DefaultSize() const override { return {129, 33}; }
  void SetFirstText(const QString& text) override { Caption = text; }
  bool operator==(const TImageButtonPayload&) const = default;
};

// Simple text: a transparent, word-wrapping label of fixed size.
class TSimpleTextPayload final : public TStandardPayload<TSimpleTextPayload, otSimpleText> {
 public:
  static constexpr int WriteCode = 4073, ReadCode = 4074;
  // Fixed for the kind, never stored.
  static constexpr bool AutoSize = false;
  static constexpr bool WordWrap = true;
  static constexpr bool ShowAccelChar = false;

  QString Caption;
  TFont Font;
  TAlignment Alignment = taLeftJustify;
  TTextLayout Layout = tlTop;
  TColor Color = clBtnFace;
  bool Transparent = true;

  QSize DefaultSize() const override { return {97, 17}; }
  void SetFirstText(const QString& text) override { Caption = text; }
  bool operator==(const TSimpleTextPayload&) const = default;
};

// Multiline text: a label that can type or scroll its text. Writes version 1; a version 0
// payload has no animation fields, which then keep their values.
class TMultilineTextPayload final : public TStandardPayload<TMultilineTextPayload, otMultilineText> {
 public:
  static constexpr int WriteCode = 4073, ReadCode = 4074;
  static constexpr int32_t StoredVersion = 1;
  static constexpr bool AutoSize = false;
  static constexpr bool WordWrap = true;
  static constexpr bool ShowAccelChar = false;
  static constexpr int32_t AnimStyleInput = 0;   // typing
  static constexpr int32_t AnimStyleScroll = 1;  // scrolling

  bool AnimActive = false;
  int32_t AnimStyle = AnimStyleInput;
  int32_t AnimStep = 1;
  int32_t AnimInterval = 25;  // ms between steps
  int32_t AnimDelay = 2000;   // ms before each run
  bool AnimFromBottom = true;
  int32_t AnimRepeatCount = 0;  // 0: endless
  QString Caption;
  TFont Font;
  TAlignment Alignment = taLeftJustify;
  TTextLayout Layout = tlTop;
  TColor Color = clBtnFace;
  bool Transparent = true;

  QSize DefaultSize() const override { return {193, 193}; }
  void SetFirstText(const QString& text) override { Caption = text; }
  bool operator==(const TMultilineTextPayload&) const = default;
};

class TImagePayload final : public TStandardPayload<TImagePayload, otImage> {
 public:
  static constexpr int WriteCode = 4075, ReadCode = 4076;
  static constexpr bool Proportional = false;  // never stored, never offered

  TPicture Picture;
  bool AutoSize = false;
  bool Center = false;
  bool Stretch = false;
  bool Transparent = false;

  QSize DefaultSize() const override { return {193, 193}; }
  bool operator==(const TImagePayload&) const = default;
};

class TBevelPayload final : public TStandardPayload<TBevelPayload, otBevel> {
 public:
  static constexpr int WriteCode = 4065, ReadCode = 4066;
  TBevelStyle Style = TBevelStyle::bsLowered;
  TBevelShape Shape = TBevelShape::bsBox;
  TColor HighlightColor = clBtnHighlight;
  TColor ShadowColor = clBtnShadow;

  QSize DefaultSize() const override { return {193, 193}; }
  bool operator==(const TBevelPayload&) const = default;
};

// Memo: a read-only multi-line edit.
class TMemoPayload final : public TStandardPayload<TMemoPayload, otMemo> {
 public:
  static constexpr int WriteCode = 4071, ReadCode = 4072;
  static constexpr bool ReadOnly = true;
  static constexpr TCursor NewObjectCursor = crArrow;  // a new memo's record takes it over

  QString Lines;  // all lines, separated by carriage return and line feed
  TFont Font;
  TAlignment Alignment = taLeftJustify;
  bool WordWrap = true;
  TScrollStyle ScrollBars = ssVertical;
  TColor Color = clWindow;
  TBorderStyle BorderStyle = TBorderStyle::bsSingle;
  bool TabStop = false;

  QSize DefaultSize() const override { return {193, 193}; }
  void SetFirstText(const QString& text) override { Lines = text; }
  bool operator==(const TMemoPayload&) const = default;
};

// Rich text: a read-only rich edit. The document is kept byte for byte as stored.
class TRichTextPayload final : public TStandardPayload<TRichTextPayload, otRichText> {
 public:
  static constexpr int WriteCode = 4069, ReadCode = 4070;
  static constexpr bool ReadOnly = true;
  static constexpr TCursor NewObjectCursor = crArrow;

  QByteArray Document;  // an RTF document while PlainText is off
  TFont Font;
  TAlignment Alignment = taLeftJustify;
  bool WordWrap = true;
  bool PlainText = false;
  TScrollStyle ScrollBars = ssVertical;
  TColor Color = clWindow;
  TBorderStyle BorderStyle = TBorderStyle::bsSingle;
  bool TabStop = false;

  QSize DefaultSize() const override { return {193, 193}; }
  bool operator==(const TRichTextPayload&) const = default;
};

// The payload of a container or standard kind with its defaults; null for any other kind.
std::unique_ptr<TObjectPayload> NewStandardPayload(TObjectType kind);
