#include "objects/StandardControls.h"

#include <QPainter>
#include <QScrollBar>
#include <QStyleOptionButton>
#include <QStylePainter>
#include <QTextDocument>

#include "objects/ObjectKinds.h"
#include "objects/Rtf.h"

// ---- standard button ----

TAuStandardButton::TAuStandardButton(TAuObject& object, QWidget* parent, const TControlContext& context)
    : TMouseKeeping<QPushButton>(parent), TAuControl(object, context) {
  connect(this, &QPushButton::clicked, this, [this] {
    if (!FMouseRelease) ReportClick();
  });
  if (Live()) {
    // The keys of the page's default and cancel buttons, enabled by the record.
    FDefaultKey = new QShortcut(QKeySequence(Qt::Key_Return), this, this, [this] { animateClick(); });
    FCancelKey = new QShortcut(QKeySequence(Qt::Key_Escape), this, this, [this] { animateClick(); });
    for (QShortcut* key : {FDefaultKey, FCancelKey}) {
      key->setContext(Qt::WindowShortcut);
      key->setEnabled(false);
    }
  }
}

void TAuStandardButton::mouseReleaseEvent(QMouseEvent* e) {
  FMouseRelease = true;
  TMouseKeeping<QPushButton>::mouseReleaseEvent(e);
  FMouseRelease = false;
}

void TAuStandardButton::SizeChanged() {
  if (!FApplied) ApplyPayload();
}

void TAuStandardButton::ApplyPayload() {
  FApplied = true;
  const TStandardButtonPayload& p = Payload();
  setText(p.Caption);
  ApplyFont(*this, p.Font, QPalette::ButtonText);
  setDefault(p.Default);
  if (FDefaultKey) FDefaultKey->setEnabled(p.Default);
  if (FCancelKey) FCancelKey->setEnabled(p.Cancel);
  setFocusPolicy(p.TabStop ? Qt::StrongFocus : Qt::ClickFocus);
  CountRebuild();
  update();
}

void TAuStandardButton::paintEvent(QPaintEvent* e) {
  if (!AuObject || !Payload().WordWrap) {
    QPushButton::paintEvent(e);
    return;
  }
  // The platform button does not wrap its caption: the face without text, then the caption broken
  // at words inside the face's contents.
  QStylePainter p(this);
  QStyleOptionButton option;
  initStyleOption(&option);
  const QString caption = option.text;
  option.text.clear();
  p.drawControl(QStyle::CE_PushButton, option);
  const QRect area = style()->subElementRect(QStyle::SE_PushButtonContents, &option, this);
  p.drawItemText(area, Qt::AlignCenter | Qt::TextWordWrap | Qt::TextShowMnemonic, option.palette, isEnabled(), caption,
                 QPalette::ButtonText);
}

TAuControl* CreateStandardButtonControl(TAuObject& object, QWidget* parent, const TControlContext& context) {
  return new TAuStandardButton(object, parent, context);
}

// ---- text views ----

TAuTextView::TAuTextView(TAuObject& object, QWidget* parent, const TControlContext& context)
    : TMouseKeeping<QTextEdit>(parent), TAuControl(object, context) {
  setReadOnly(true);
  setUndoRedoEnabled(false);
  ForwardMouseEvents(viewport());
}

void TAuTextView::SizeChanged() {
  if (!FApplied) ApplyPayload();
}

void TAuTextView::ApplyCommon() {
  TAuControl::ApplyCommon();
  if (AuObject->Cursor == 0)
    viewport()->setCursor(Qt::IBeamCursor);
  else
    viewport()->setCursor(CursorShapeOf(AuObject->Cursor));
}

void TAuTextView::ApplyView(const TViewSettings& s) {
  FApplied = true;
  // The widget's font is the document's default: text the document does not format itself shows
  // in it.
  ApplyFont(*this, s.Font, QPalette::Text);
  ApplyBackColor(*this, s.Color, QPalette::Base);
  ApplyBorderStyle(*this, s.BorderStyle);
  QTextOption option = document()->defaultTextOption();
  option.setAlignment(s.Alignment == taRightJustify ? Qt::AlignRight
                      : s.Alignment == taCenter     ? Qt::AlignHCenter
                                                    : Qt::AlignLeft);
  document()->setDefaultTextOption(option);
  setLineWrapMode(s.WordWrap ? QTextEdit::WidgetWidth : QTextEdit::NoWrap);
  const bool horizontal = s.ScrollBars == ssHorizontal || s.ScrollBars == ssBoth;
  const bool vertical = s.ScrollBars == ssVertical || s.ScrollBars == ssBoth;
  setHorizontalScrollBarPolicy(horizontal ? Qt::ScrollBarAlwaysOn : Qt::ScrollBarAlwaysOff);
  setVerticalScrollBarPolicy(vertical ? Qt::ScrollBarAlwaysOn : Qt::ScrollBarAlwaysOff);
  setFocusPolicy(s.TabStop ? Qt::StrongFocus : Qt::ClickFocus);
  CountRebuild();
}

void TAuMemo::ApplyPayload() {
  const TMemoPayload& p = Payload();
  QString text = p.Lines;
  text.replace(QLatin1String("\r\n"), QLatin1String("\n"));
  text.replace(u'\r', u'\n');
  setPlainText(text);
  ApplyView({p.Font, p.Alignment, p.WordWrap, p.ScrollBars, p.Color, p.BorderStyle, p.TabStop});
}

TAuControl* CreateMemoControl(TAuObject& object, QWidget* parent, const TControlContext& context) {
  return new TAuMemo(object, parent, context);
}

void TAuRichText::ApplyPayload() {
  const TRichTextPayload& p = Payload();
  // The document first, then the font and the flags over it.
  LoadRichTextBytes(p.Document, p.PlainText, *document());
  ApplyView({p.Font, p.Alignment, p.WordWrap, p.ScrollBars, p.Color, p.BorderStyle, p.TabStop});
}

TAuControl* CreateRichTextControl(TAuObject& object, QWidget* parent, const TControlContext& context) {
  return new TAuRichText(object, parent, context);
}
