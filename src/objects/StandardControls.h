// The standard windowed kinds: push button, read-only memo and read-only rich text.
#pragma once

#include <QPixmap>
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
  void SetPageKey(QShortcut*& key, Qt::Key code, bool on);

  bool FApplied = false;
  bool FMouseRelease = false;  // a click now comes from the mouse, which reports it already
  QShortcut* FDefaultKey = nullptr;
  QShortcut* FCancelKey = nullptr;
};

// What the memo and the rich text share: a read-only text view with the stored font, alignment,
// wrapping, scroll bars, colour, border and tab stop. Mouse events of the text area are the
// object's own.
//
// A real text view is costly to make (a document and its layout, a viewport, two scroll bars), and
// a page may hold many that nobody touches. So the control is a light area that shows a picture of
// its view, drawn by one text view its window keeps for the purpose and set up as this one would be,
// and makes its own view only when the user reaches for it: the pointer enters, it takes the focus,
// the wheel turns over it. From then on the view fills the area and is the one shown. The picture
// and the view look the same to the pixel.
class TAuTextView : public TMouseKeeping<QWidget>, public TAuControl {
 public:
  TAuTextView(TAuObject& object, QWidget* parent, const TControlContext& context);

  QWidget* Widget() override { return this; }
  // The view, made now if it does not exist yet.
  QTextEdit* View();
  bool HasView() const { return FView != nullptr; }

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
  virtual TViewSettings Settings() const = 0;
  // The record's text into a view's document.
  virtual void LoadDocument(QTextDocument& document) const = 0;
  void ApplyPayload() override;
  // The text is laid out by the view at any size; the record is applied once.
  void SizeChanged() override;
  // The record's cursor shows over the text too (the view's own would be the text cursor).
  void ApplyCommon() override;
  bool IsOwnPart(QWidget* w) override;

  bool event(QEvent* e) override;
  void paintEvent(QPaintEvent* e) override;
  void resizeEvent(QResizeEvent* e) override;

 private:
  // The record onto view: the document and every setting the view shows.
  void Configure(QTextEdit& view) const;
  void ApplyViewCursor();

  QTextEdit* FView = nullptr;
  QPixmap FPicture;  // the view as it would show now; null when it must be drawn again
  bool FApplied = false;
};

class TAuMemo : public TAuTextView {
 public:
  using TAuTextView::TAuTextView;
  const TMemoPayload& Payload() const { return static_cast<const TMemoPayload&>(*AuObject->Payload); }

 protected:
  TViewSettings Settings() const override;
  void LoadDocument(QTextDocument& document) const override;
};

class TAuRichText : public TAuTextView {
 public:
  using TAuTextView::TAuTextView;
  const TRichTextPayload& Payload() const { return static_cast<const TRichTextPayload&>(*AuObject->Payload); }

 protected:
  TViewSettings Settings() const override;
  void LoadDocument(QTextDocument& document) const override;
};
