#include "objects/StandardControls.h"

#include <QCoreApplication>
#include <QPainter>
#include <QScrollBar>
#include <QStyleOptionButton>
#include <QStylePainter>
#include <QTextCursor>
#include <QTextDocument>

#include "objects/ObjectKinds.h"
#include "objects/Rtf.h"

// ---- standard button ----

TAuStandardButton::TAuStandardButton(TAuObject& object, QWidget* parent, const TControlContext& context)
    : TMouseKeeping<QPushButton>(parent), TAuControl(object, context) {
  connect(this, &QPushButton::clicked, this, [this] {
    if (!FMouseRelease) ReportClick();
  });
}

void TAuStandardButton::SetPageKey(QShortcut*& key, Qt::Key code, bool on) {
  // The keys of the page's default and cancel buttons, live only, made for the buttons that are.
  if (on && !key && Live()) {
    key = new QShortcut(QKeySequence(code), this, this, [this] { animateClick(); });
    key->setContext(Qt::WindowShortcut);
  }
  if (key) key->setEnabled(on);
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
  setDefault(p.Default);
  SetPageKey(FDefaultKey, Qt::Key_Return, p.Default);
  SetPageKey(FCancelKey, Qt::Key_Escape, p.Cancel);
  setFocusPolicy(p.TabStop ? Qt::StrongFocus : Qt::ClickFocus);
  CountRebuild();
  update();
}

void TAuStandardButton::paintEvent(QPaintEvent* e) {
  if (!AuObject) {
    QPushButton::paintEvent(e);
    return;
  }
  // The caption in the stored font and colour, painted from the record rather than set as the
  // button's font and palette (each of which costs the button a resolve and an event when made).
  const TStandardButtonPayload& b = Payload();
  QStylePainter p(this);
  QStyleOptionButton option;
  initStyleOption(&option);
  const QFont font = ToQFont(b.Font);
  p.setFont(font);
  option.fontMetrics = QFontMetrics(p.font());
  option.palette.setColor(QPalette::ButtonText, ToQColor(b.Font.Color));
  if (!b.WordWrap) {
    p.drawControl(QStyle::CE_PushButton, option);
    return;
  }
  // The platform button does not wrap its caption: the face without text, then the caption broken
  // at words inside the face's contents.
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

namespace {
// The text view a window keeps to draw the pictures of its text views that have no view of their
// own. Hidden, and never shown: a view draws the same whether shown or not.
class TTextViewPainter : public QTextEdit {
 public:
  explicit TTextViewPainter(QWidget* window) : QTextEdit(window) {
    setObjectName(Name());
    setReadOnly(true);
    setUndoRedoEnabled(false);
    setFocusPolicy(Qt::NoFocus);
    setAttribute(Qt::WA_DontShowOnScreen);
    hide();
  }
  static QString Name() { return QStringLiteral("TextViewPainter"); }

  static QTextEdit& Of(QWidget& window) {
    if (auto* painter = window.findChild<QTextEdit*>(Name(), Qt::FindDirectChildrenOnly)) return *painter;
    return *new TTextViewPainter(&window);
  }
};
}  // namespace

TAuTextView::TAuTextView(TAuObject& object, QWidget* parent, const TControlContext& context)
    : TMouseKeeping<QWidget>(parent), TAuControl(object, context) {
  // The picture covers the whole area.
  setAttribute(Qt::WA_OpaquePaintEvent);
}

QTextEdit* TAuTextView::View() {
  if (FView) return FView;
  FView = new TMouseKeeping<QTextEdit>(this);
  FView->setReadOnly(true);
  FView->setUndoRedoEnabled(false);
  FView->setGeometry(rect());
  FView->setFocusPolicy(focusPolicy());
  if (AuObject) Configure(*FView);
  ApplyViewCursor();
  // The view's frame and its text area are the object's as the area was.
  ForwardMouseEvents(FView);
  ForwardMouseEvents(FView->viewport());
  setFocusProxy(FView);
  FView->show();
  FPicture = QPixmap();
  return FView;
}

void TAuTextView::Configure(QTextEdit& view) const {
  const TViewSettings s = Settings();
  // The document first, then the font and the flags over it. The widget's font is the document's
  // default: text the document does not format itself shows in it.
  LoadDocument(*view.document());
  ApplyFont(view, s.Font, QPalette::Text);
  ApplyBackColor(view, s.Color, QPalette::Base);
  ApplyBorderStyle(view, s.BorderStyle);
  QTextOption option = view.document()->defaultTextOption();
  option.setAlignment(s.Alignment == taRightJustify ? Qt::AlignRight
                      : s.Alignment == taCenter     ? Qt::AlignHCenter
                                                    : Qt::AlignLeft);
  view.document()->setDefaultTextOption(option);
  view.setLineWrapMode(s.WordWrap ? QTextEdit::WidgetWidth : QTextEdit::NoWrap);
  const bool horizontal = s.ScrollBars == ssHorizontal || s.ScrollBars == ssBoth;
  const bool vertical = s.ScrollBars == ssVertical || s.ScrollBars == ssBoth;
  view.setHorizontalScrollBarPolicy(horizontal ? Qt::ScrollBarAlwaysOn : Qt::ScrollBarAlwaysOff);
  view.setVerticalScrollBarPolicy(vertical ? Qt::ScrollBarAlwaysOn : Qt::ScrollBarAlwaysOff);
  // The view's cursor went along with the text put in; a text is shown from its start.
  view.setTextCursor(QTextCursor(view.document()));
  view.horizontalScrollBar()->setValue(0);
  view.verticalScrollBar()->setValue(0);
}

void TAuTextView::ApplyPayload() {
  FApplied = true;
  // The area and its view alike: the keyboard's tab stops at neither when the record says so.
  setFocusPolicy(Settings().TabStop ? Qt::StrongFocus : Qt::ClickFocus);
  if (FView) {
    FView->setFocusPolicy(focusPolicy());
    Configure(*FView);
  } else {
    FPicture = QPixmap();
    update();
  }
  CountRebuild();
}

void TAuTextView::SizeChanged() {
  if (!FApplied) ApplyPayload();
}

void TAuTextView::ApplyCommon() {
  TAuControl::ApplyCommon();
  ApplyViewCursor();
}

void TAuTextView::ApplyViewCursor() {
  if (!FView || !AuObject) return;
  if (AuObject->Cursor == 0)
    FView->viewport()->setCursor(Qt::IBeamCursor);
  else
    FView->viewport()->setCursor(CursorShapeOf(AuObject->Cursor));
}

bool TAuTextView::IsOwnPart(QWidget* w) {
  return TAuControl::IsOwnPart(w) || (FView && (w == FView || w->parentWidget() == FView));
}

bool TAuTextView::event(QEvent* e) {
  switch (e->type()) {
    case QEvent::Enter:
    case QEvent::FocusIn:
    case QEvent::Wheel:
    case QEvent::MouseButtonPress:
      // The user reaches for the text: from now on it is a real view. (Not on the editing canvas,
      // where the designer takes the mouse.)
      if (!FView && Live() && AuObject) {
        const bool focus = e->type() == QEvent::FocusIn;
        View();
        if (focus) FView->setFocus(static_cast<QFocusEvent*>(e)->reason());
        if (e->type() == QEvent::Wheel) {
          // The turn that made the view scrolls it.
          QCoreApplication::sendEvent(FView->viewport(), e);
          return true;
        }
      }
      break;
    case QEvent::PaletteChange:
    case QEvent::FontChange:
    case QEvent::EnabledChange:
    case QEvent::StyleChange:
      // The picture follows what the area inherits, as the view would.
      FPicture = QPixmap();
      update();
      break;
    default:
      break;
  }
  return TMouseKeeping<QWidget>::event(e);
}

void TAuTextView::resizeEvent(QResizeEvent* e) {
  TMouseKeeping<QWidget>::resizeEvent(e);
  if (FView)
    FView->setGeometry(rect());
  else
    FPicture = QPixmap();
}

void TAuTextView::paintEvent(QPaintEvent*) {
  if (FView || !AuObject) return;
  const qreal ratio = devicePixelRatioF();
  if (FPicture.isNull() || FPicture.size() != size() * ratio) {
    // The window's painter view, set up as this control's view would be: it inherits this area's
    // palette and enabled state, and takes the record's settings over them.
    QTextEdit& painter = TTextViewPainter::Of(*window());
    QPalette inherited = palette();
    inherited.setResolveMask(~QPalette::ResolveMask(0));
    // Most text views of a page inherit the same palette: set, it is passed down the painter's parts.
    if (!(painter.palette() == inherited)) painter.setPalette(inherited);
    if (painter.isEnabledTo(nullptr) != isEnabled()) painter.setEnabled(isEnabled());
    painter.resize(size());
    Configure(painter);
    FPicture = QPixmap(size() * ratio);
    FPicture.setDevicePixelRatio(ratio);
    FPicture.fill(Qt::transparent);
    painter.render(&FPicture);
  }
  QPainter p(this);
  p.drawPixmap(0, 0, FPicture);
}

TAuTextView::TViewSettings TAuMemo::Settings() const {
  const TMemoPayload& p = Payload();
  return {p.Font, p.Alignment, p.WordWrap, p.ScrollBars, p.Color, p.BorderStyle, p.TabStop};
}

void TAuMemo::LoadDocument(QTextDocument& document) const {
  QString text = Payload().Lines;
  text.replace(QLatin1String("\r\n"), QLatin1String("\n"));
  text.replace(u'\r', u'\n');
  document.setPlainText(text);
}

TAuControl* CreateMemoControl(TAuObject& object, QWidget* parent, const TControlContext& context) {
  return new TAuMemo(object, parent, context);
}

TAuTextView::TViewSettings TAuRichText::Settings() const {
  const TRichTextPayload& p = Payload();
  return {p.Font, p.Alignment, p.WordWrap, p.ScrollBars, p.Color, p.BorderStyle, p.TabStop};
}

void TAuRichText::LoadDocument(QTextDocument& document) const {
  LoadRichTextBytes(Payload().Document, Payload().PlainText, document);
}

TAuControl* CreateRichTextControl(TAuObject& object, QWidget* parent, const TControlContext& context) {
  return new TAuRichText(object, parent, context);
}
