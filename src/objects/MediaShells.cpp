#include "objects/MediaShells.h"

#include <QCoreApplication>
#include <QDesktopServices>
#include <QPointer>
#include <QStyle>
#include <QUrl>
#include <array>

#include "model/Paths.h"
#include "objects/ObjectKinds.h"

namespace {
std::array<TShellEngineFactory, 4>& Factories() {
  static std::array<TShellEngineFactory, 4> factories;
  return factories;
}

int FactorySlot(TObjectType kind) {
  switch (kind) {
    case otWebBrowser:
      return 0;
    case otMediaPlayer:
      return 1;
    case otFlashPlayer:
      return 2;
    case otPDFReader:
      return 3;
    default:
      return -1;
  }
}

// The message label: clicking it opens the missing component's download page.
class TMessageLabel : public TMouseKeeping<QLabel> {
 public:
  explicit TMessageLabel(TAuMediaShell& shell) : TMouseKeeping<QLabel>(&shell), FShell(shell) {}

 protected:
  void mouseReleaseEvent(QMouseEvent* e) override {
    TMouseKeeping<QLabel>::mouseReleaseEvent(e);
    const QString address = FShell.DownloadAddress();
    if (e->button() == Qt::LeftButton && rect().contains(e->position().toPoint()) && !address.isEmpty())
      QDesktopServices::openUrl(QUrl(address));
  }

 private:
  TAuMediaShell& FShell;
};
// The player's button icons, looked up in the style once and kept as long as the application.
class TPlayerIcons : public QObject {
 public:
  using QObject::QObject;
  QIcon Icons[3];
};

const QIcon* PlayerIcons(QStyle& style) {
  static QPointer<TPlayerIcons> cache;
  if (!cache) {
    cache = new TPlayerIcons(QCoreApplication::instance());
    cache->Icons[0] = style.standardIcon(QStyle::SP_MediaPlay);
    cache->Icons[1] = style.standardIcon(QStyle::SP_MediaPause);
    cache->Icons[2] = style.standardIcon(QStyle::SP_MediaStop);
  }
  return cache->Icons;
}
}  // namespace

void SetShellEngineFactory(TObjectType kind, TShellEngineFactory factory) {
  const int slot = FactorySlot(kind);
  if (slot >= 0) Factories()[size_t(slot)] = std::move(factory);
}

// ---- the shell ----

TAuMediaShell::TAuMediaShell(TAuObject& object, QWidget* parent, const TControlContext& context)
    : TMouseKeeping<QFrame>(parent), TAuControl(object, context), FContent(new TMouseKeepingWidget(this)) {
  // The empty shell, and the media player's display area, take the mouse as the object.
  ForwardMouseEvents(FContent);
}

// The engine goes before the widgets its view lives in.
TAuMediaShell::~TAuMediaShell() { FEngine.reset(); }

void TAuMediaShell::AddMessageLabel() {
  FMessage = new TMessageLabel(*this);
  FMessage->setAlignment(Qt::AlignCenter);
  FMessage->setWordWrap(true);
  FMessage->setCursor(Qt::PointingHandCursor);
  QFont font = FMessage->font();
  font.setBold(true);
  FMessage->setFont(font);
  QPalette p = FMessage->palette();
  p.setColor(QPalette::WindowText, ToQColor(clBlue));
  FMessage->setPalette(p);
  FMessage->hide();
}

void TAuMediaShell::ShowMessage(const QString& text) {
  if (!FMessage) return;
  FMessage->setText(text);
  FMessage->setGeometry(contentsRect());
  FMessage->show();
  FMessage->raise();
}

void TAuMediaShell::HideMessage() {
  if (FMessage) FMessage->hide();
}

void TAuMediaShell::SetEngineView(QWidget* view) {
  if (view == FView) return;
  delete FView;
  FView = view;
  if (!view) return;
  view->setParent(FContent);
  view->setGeometry(FContent->rect());
  // A video is the display area: clicking it is clicking the object. Web pages, movies and
  // documents take their own mouse.
  if (AuObject && AuObject->ObjectType == otMediaPlayer) ForwardMouseEvents(view);
  view->show();
}

void TAuMediaShell::SizeChanged() {
  if (!FApplied) ApplyPayload();
}

void TAuMediaShell::resizeEvent(QResizeEvent* e) {
  QFrame::resizeEvent(e);
  LayoutParts();
}

void TAuMediaShell::LayoutParts() {
  FContent->setGeometry(contentsRect());
  if (FView) FView->setGeometry(FContent->rect());
  if (FMessage) FMessage->setGeometry(contentsRect());
}

void TAuMediaShell::ApplyPayload() {
  const bool first = !FApplied;
  FApplied = true;
  ApplyShell();
  LayoutParts();
  CountRebuild();
  if (first) StartEngine();
  if (FEngine) FEngine->Apply(*this);
}

void TAuMediaShell::StartEngine() {
  // Engines run only live; the editing canvas shows the empty shell.
  if (FEngineAsked || !Live()) return;
  FEngineAsked = true;
  const int slot = FactorySlot(AuObject->ObjectType);
  if (slot >= 0 && Factories()[size_t(slot)]) FEngine = Factories()[size_t(slot)](*this);
  if (!FEngine && !MissingEngineText().isEmpty()) ShowMessage(MissingEngineText());
}

void TAuMediaShell::SettleForSnapshot() {
  if (FEngine) FEngine->Settle(*this);
}

// ---- web browser ----

void TAuWebBrowser::ApplyShell() {
  ApplyBackColor(*FContent, clWhite);
  setFrameStyle(QFrame::NoFrame);
}

QString TAuWebBrowser::NavigationAddress() const {
  const TWebBrowserPayload& p = Payload();
  if (!Live() || p.URL.isEmpty()) return {};
  if (p.BrowserType == 1 || p.BrowserType == 2) return MakeAbsolutePathIn(Context().ProjectFolder, p.URL);
  return p.URL;
}

TAuControl* CreateWebBrowserControl(TAuObject& object, QWidget* parent, const TControlContext& context) {
  return new TAuWebBrowser(object, parent, context);
}

// ---- media player ----

TAuMediaPlayer::TAuMediaPlayer(TAuObject& object, QWidget* parent, const TControlContext& context)
    : TAuMediaShell(object, parent, context), FBar(new TMouseKeepingWidget(this)) {
  // The control bar's mouse events belong to its buttons, not to the object.
  ApplyBackColor(*FBar, clBtnFace);
  const QIcon* icons = PlayerIcons(*style());
  auto button = [&](int icon, int left) {
    auto* b = new QToolButton(FBar);
    b->setIcon(icons[icon]);
    b->setGeometry(left, 1, 28, 20);
    b->setEnabled(false);
    b->setFocusPolicy(Qt::NoFocus);
    return b;
  };
  FPlay = button(0, 0);
  FPause = button(1, 28);
  FStop = button(2, 56);
  FTrack = new QSlider(Qt::Horizontal, FBar);
  FTrack->setTickPosition(QSlider::NoTicks);
  FTrack->setEnabled(false);
  FTrack->setFocusPolicy(Qt::NoFocus);
}

void TAuMediaPlayer::ApplyShell() {
  const TMediaPlayerPayload& p = Payload();
  ApplyBackColor(*FContent, TMediaPlayerPayload::Color);
  ApplyBorderStyle(*this, p.Border ? TBorderStyle::bsSingle : TBorderStyle::bsNone);
  FBar->setVisible(p.ControlBar);
}

void TAuMediaPlayer::LayoutParts() {
  QRect r = contentsRect();
  if (AuObject && Payload().ControlBar) {
    const int bar = std::min(ControlBarHeight, r.height());
    FBar->setGeometry(r.left(), r.bottom() + 1 - bar, r.width(), bar);
    FTrack->setGeometry(86, 1, std::max(0, r.width() - 86 - 1), 20);
    r.setBottom(r.bottom() - bar);
  }
  FContent->setGeometry(r);
  if (EngineView()) EngineView()->setGeometry(FContent->rect());
}

TAuControl* CreateMediaPlayerControl(TAuObject& object, QWidget* parent, const TControlContext& context) {
  return new TAuMediaPlayer(object, parent, context);
}

// ---- Flash player and PDF reader ----

TAuFlashPlayer::TAuFlashPlayer(TAuObject& object, QWidget* parent, const TControlContext& context)
    : TAuMediaShell(object, parent, context) {
  AddMessageLabel();
}

void TAuFlashPlayer::ApplyShell() {
  const TFlashPlayerPayload& p = Payload();
  ApplyBackColor(*FContent, p.Color);
  ApplyBorderStyle(*this, p.BorderStyle);
}

QString TAuFlashPlayer::DownloadAddress() const { return QStringLiteral("https://ruffle.rs/"); }

TAuControl* CreateFlashPlayerControl(TAuObject& object, QWidget* parent, const TControlContext& context) {
  return new TAuFlashPlayer(object, parent, context);
}

TAuPDFReader::TAuPDFReader(TAuObject& object, QWidget* parent, const TControlContext& context)
    : TAuMediaShell(object, parent, context) {
  AddMessageLabel();
}

void TAuPDFReader::ApplyShell() {
  const TPDFReaderPayload& p = Payload();
  ApplyBackColor(*FContent, p.Color);
  ApplyBorderStyle(*this, p.BorderStyle);
}

QString TAuPDFReader::DownloadAddress() const { return QStringLiteral("https://get.adobe.com/reader/"); }

TAuControl* CreatePDFReaderControl(TAuObject& object, QWidget* parent, const TControlContext& context) {
  return new TAuPDFReader(object, parent, context);
}
