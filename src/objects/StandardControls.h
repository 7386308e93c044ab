// The standard windowed kinds: push button, read-only memo and read-only rich text.
#pragma once

#include <QPushButton>
#include <QShortcut>
#include <QTextEdit>

#include "model/PayloadsStandard.h"
#include "objects/ControlWidgets.h"
#include "objects/ObjectControl.h"

// A push button. Besides the mouse, the keyboard clicks it (Space while it has the focus; Enter
// anywhere on its page when it is the default button and Escape when it is the cancel button,
// live only); those clicks are reported as the object's click too.
class TAuStandardButton : public TMouseKeeping<QPushButton>, public TAuControl {
 public:
  TAuStandardButton(TAuObject& object, QWidget* parent, const TControlContext& context);

  QWidget* Widget() override { return this; }
  const TStandardButtonPayload& Payload() const {
    return static_cast<const TStandardButtonPayload&>(*AuObject->Payload);
  }

 protected:
  void ApplyPayload() override;
  // The platform draws the button at any size; the record is applied once.
  void SizeChanged() override;
  void paintEvent(QPaintEvent* e) override;
  void mouseReleaseEvent(QMouseEvent* e) override;

 private:
  bool FApplied = false;
  bool FMouseRelease = false;  // a click now comes from the mouse, which reports it already
  QShortcut* FDefaultKey = nullptr;
  QShortcut* FCancelKey = nullptr;
};

// What the memo and the rich text share: a read-only text view with the stored font, alignment,
// wrapping, scroll bars, colour, border and tab stop. Mouse events of the text area are the
// object's own.
class TAuTextView : public TMouseKeeping<QTextEdit>, public TAuControl {
 public:
  TAuTextView(TAuObject& object, QWidget* parent, const TControlContext& context);

  QWidget* Widget() override { return this; }

 protected:
  struct TViewSettings {
    const TFont& Font;
    TAlignment Alignment;
    bool WordWrap;
    TScrollStyle ScrollBars;
    TColor Color;
    TBorderStyle BorderStyle;
    bool TabStop;
  };
  void ApplyView(const TViewSettings& settings);
  // The text is laid out by the view at any size; the record is applied once.
  void SizeChanged() override;
  // The record's cursor shows over the text too (the view's own would be the text cursor).
  void ApplyCommon() override;

  bool FApplied = false;
};

class TAuMemo : public TAuTextView {
 public:
  using TAuTextView::TAuTextView;
  const TMemoPayload& Payload() const { return static_cast<const TMemoPayload&>(*AuObject->Payload); }

 protected:
  void ApplyPayload() override;
};

class TAuRichText : public TAuTextView {
 public:
  using TAuTextView::TAuTextView;
  const TRichTextPayload& Payload() const { return static_cast<const TRichTextPayload&>(*AuObject->Payload); }

 protected:
  void ApplyPayload() override;
};
