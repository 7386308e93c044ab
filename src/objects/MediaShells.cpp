#include "objects/MediaShells.h"

#include <QAccessible>
#include <QCoreApplication>
#include <QDesktopServices>
#include <QDir>
#include <QFileInfo>
#include <QPainter>
#include <QPointer>
#include <QStyle>
#include <QUrl>
#include <algorithm>
#include <array>
#include <climits>
#include <deque>
#include <vector>

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
    : TMouseKeeping<QFrame>(parent), TAuControl(object, context) {}

// The engine goes before the widgets its view lives in.
TAuMediaShell::~TAuMediaShell() { FEngine.reset(); }

QWidget* TAuMediaShell::ContentArea() {
  if (!FContent) {
    FContent = new TMouseKeepingWidget(this);
    // The view inherits the content's colour.
    if (AuObject) ApplyBackColor(*FContent, ContentColor());
    FContent->setGeometry(ContentRect());
    // The empty area, and the media player's display, take the mouse as the object.
    ForwardMouseEvents(FContent);
    // The message lies over the content.
    FContent->setVisible(!FMessageShown);
  }
  return FContent;
}

void TAuMediaShell::ShowMessage(const QString& text) {
  if (!FHasMessage) return;
  FMessageText = text;
  // Read out as the shell's name; made only for a reader that is listening, as a name costs an
  // accessibility interface per shell.
  if (QAccessible::isActive()) setAccessibleName(text);
  if (!FMessageShown) {
    FMessageShown = true;
    if (FContent) FContent->hide();
    if (underMouse()) ShowCursorFor(mapFromGlobal(QCursor::pos()));
  }
  update();
}

void TAuMediaShell::HideMessage() {
  if (!FMessageShown) return;
  FMessageShown = false;
  FMessageGrab = false;
  if (!accessibleName().isEmpty() && accessibleName() == FMessageText) setAccessibleName({});
  if (FHandCursor) {
    FHandCursor = false;
    ShowRecordCursor();
  }
  if (FContent) FContent->show();
  update();
}

bool TAuMediaShell::event(QEvent* e) {
  // Ahead of the shell's report of its mouse to the page: over the message it is not the object's.
  if (FMessageShown && MessageEvent(e)) return true;
  return TMouseKeeping<QFrame>::event(e);
}

bool TAuMediaShell::MessageEvent(QEvent* e) {
  switch (e->type()) {
    case QEvent::MouseButtonPress:
    case QEvent::MouseButtonDblClick: {
      const auto* me = static_cast<QMouseEvent*>(e);
      // The first button down decides whose the mouse is until all are up.
      if (me->buttons() == me->button()) FMessageGrab = OnMessage(me->position().toPoint());
      return FMessageGrab;
    }
    case QEvent::MouseMove: {
      const auto* me = static_cast<QMouseEvent*>(e);
      if (me->buttons() != Qt::NoButton) return FMessageGrab;
      FMessageGrab = false;
      ShowCursorFor(me->position().toPoint());
      return OnMessage(me->position().toPoint());
    }
    case QEvent::MouseButtonRelease: {
      const auto* me = static_cast<QMouseEvent*>(e);
      const bool mine = FMessageGrab;
      const QPoint pos = me->position().toPoint();
      if (me->buttons() == Qt::NoButton) {
        FMessageGrab = false;
        ShowCursorFor(pos);
      }
      const QString address =
          mine && me->button() == Qt::LeftButton && isEnabled() && OnMessage(pos) ? DownloadAddress() : QString();
      if (!address.isEmpty()) QDesktopServices::openUrl(QUrl(address));
      return mine;
    }
    case QEvent::Enter:
      ShowCursorFor(static_cast<QEnterEvent*>(e)->position().toPoint());
      return false;
    default:
      return false;
  }
}

void TAuMediaShell::ShowCursorFor(QPoint pos) {
  const bool hand = OnMessage(pos);
  if (hand == FHandCursor) return;
  FHandCursor = hand;
  if (hand)
    setCursor(Qt::PointingHandCursor);
  else
    ShowRecordCursor();
}

void TAuMediaShell::ShowRecordCursor() { ApplyRecordCursor(*this, AuObject ? AuObject->Cursor : 0); }

void TAuMediaShell::ApplyCommon() {
  TAuControl::ApplyCommon();
  if (FHandCursor) setCursor(Qt::PointingHandCursor);
}

void TAuMediaShell::SetEngineView(QWidget* view) {
  if (view == FView) return;
  delete FView;
  FView = view;
  if (!view) return;
  QWidget* area = ContentArea();
  view->setParent(area);
  view->setGeometry(area->rect());
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

void TAuMediaShell::paintEvent(QPaintEvent* e) {
  QFrame::paintEvent(e);
  QPainter p(this);
  // Under the content area when there is one (a view fills it); the message lies over it.
  if (FApplied && AuObject) p.fillRect(ContentRect(), ToQColor(ContentColor()));
  if (!FMessageShown) return;
  QFont font = this->font();
  font.setBold(true);
  p.setFont(font);
  QPalette palette = this->palette();
  palette.setColor(QPalette::WindowText, ToQColor(clBlue));
  style()->drawItemText(&p, contentsRect(), Qt::AlignCenter | Qt::TextWordWrap, palette, isEnabled(), FMessageText,
                        QPalette::WindowText);
}

void TAuMediaShell::LayoutParts() {
  if (!FContent) return;
  FContent->setGeometry(ContentRect());
  if (FView) FView->setGeometry(FContent->rect());
}

void TAuMediaShell::ApplyPayload() {
  const bool first = !FApplied;
  FApplied = true;
  ApplyShell();
  if (FContent) ApplyBackColor(*FContent, ContentColor());
  update();
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

void TAuWebBrowser::ApplyShell() { ApplyBorderStyle(*this, TBorderStyle::bsNone); }

QString TAuWebBrowser::NavigationAddress() const {
  const TWebBrowserPayload& p = Payload();
  if (!Live() || p.URL.isEmpty()) return {};
  if (p.BrowserType == 1 || p.BrowserType == 2) return MakeAbsolutePathIn(Context().ProjectFolder, p.URL);
  return p.URL;
}

QString TAuWebBrowser::NavigationTarget() const {
  const QString address = NavigationAddress();
  if (Payload().BrowserType != 2 || address.isEmpty()) return address;
  const QDir folder(address);
  for (const char* index : {"index.html", "index.htm", "default.html", "default.htm"}) {
    const QString page = folder.filePath(QString::fromLatin1(index));
    if (QFileInfo(page).isFile()) return page;
  }
  return address;
}

TAuControl* CreateWebBrowserControl(TAuObject& object, QWidget* parent, const TControlContext& context) {
  return new TAuWebBrowser(object, parent, context);
}

// ---- media player ----

namespace {
// The media player's control bar: three buttons and the position bar, all disabled, on a bar of
// the button face colour. The parts are returned through the pointers.
QWidget* BuildControlBar(QWidget* parent, QToolButton** play, QToolButton** pause, QToolButton** stop,
                         QSlider** track) {
  auto* bar = new TMouseKeepingWidget(parent);
  ApplyBackColor(*bar, clBtnFace);
  const QIcon* icons = PlayerIcons(*bar->style());
  auto button = [&](int icon, int left) {
    auto* b = new QToolButton(bar);
    b->setIcon(icons[icon]);
    b->setGeometry(left, 1, 28, 20);
    b->setEnabled(false);
    b->setFocusPolicy(Qt::NoFocus);
    return b;
  };
  *play = button(0, 0);
  *pause = button(1, 28);
  *stop = button(2, 56);
  *track = new QSlider(Qt::Horizontal, bar);
  (*track)->setTickPosition(QSlider::NoTicks);
  (*track)->setEnabled(false);
  (*track)->setFocusPolicy(Qt::NoFocus);
  (*track)->setMaximum(0);
  return bar;
}

void PlaceControlBar(QWidget& bar, QSlider& track, QRect r) {
  bar.setGeometry(r);
  track.setGeometry(86, 1, std::max(0, r.width() - 86 - 1), 20);
}

// The control bar a window keeps to draw the pictures of the bars not made yet. Hidden, and never
// shown: a bar draws the same whether shown or not.
class TControlBarPainter : public QObject {
 public:
  explicit TControlBarPainter(QWidget& window) : QObject(&window) {
    setObjectName(Name());
    QToolButton *play, *pause, *stop;
    Bar = BuildControlBar(&window, &play, &pause, &stop, &Track);
    Bar->setAttribute(Qt::WA_DontShowOnScreen);
    Bar->hide();
  }
  static QString Name() { return QStringLiteral("ControlBarPainter"); }
  static TControlBarPainter& Of(QWidget& window) {
    if (auto* painter = window.findChild<QObject*>(Name(), Qt::FindDirectChildrenOnly))
      return *static_cast<TControlBarPainter*>(painter);
    return *new TControlBarPainter(window);
  }

  // The picture of a bar of size for a player with palette and enabled state, drawn once for all
  // the players that share them.
  const QPixmap& Picture(QSize size, qreal ratio, const QPalette& palette, bool enabled) {
    TKey key{size, ratio, enabled, {}};
    key.Colours.reserve(size_t(QPalette::NColorGroups) * QPalette::NColorRoles);
    for (int g = 0; g < QPalette::NColorGroups; ++g)
      for (int r = 0; r < QPalette::NColorRoles; ++r)
        key.Colours.push_back(palette.color(QPalette::ColorGroup(g), QPalette::ColorRole(r)).rgba());
    for (const auto& [known, picture] : FPictures)
      if (known == key) return picture;
    if (FPictures.size() >= 16) FPictures.erase(FPictures.begin());
    QPalette inherited = palette;
    inherited.setResolveMask(~QPalette::ResolveMask(0));
    Bar->setPalette(inherited);
    ApplyBackColor(*Bar, clBtnFace);
    Bar->setEnabled(enabled);
    PlaceControlBar(*Bar, *Track, QRect(QPoint(), size));
    QPixmap picture(size * ratio);
    picture.setDevicePixelRatio(ratio);
    picture.fill(Qt::transparent);
    Bar->render(&picture);
    FPictures.emplace_back(std::move(key), picture);
    return FPictures.back().second;
  }

  QWidget* Bar;
  QSlider* Track;

 private:
  struct TKey {
    QSize Size;
    qreal Ratio;
    bool Enabled;
    std::vector<QRgb> Colours;
    bool operator==(const TKey&) const = default;
  };
  std::deque<std::pair<TKey, QPixmap>> FPictures;
};
}  // namespace

TAuMediaPlayer::TAuMediaPlayer(TAuObject& object, QWidget* parent, const TControlContext& context)
    : TAuMediaShell(object, parent, context),
      FTimer(this, [](QObject* o) { static_cast<TAuMediaPlayer*>(o)->TimerTick(); }) {}

QWidget* TAuMediaPlayer::MakeBar() {
  if (FBar) return FBar;
  // The control bar's mouse events belong to its buttons, not to the object.
  FBar = BuildControlBar(this, &FPlay, &FPause, &FStop, &FTrack);
  QObject::connect(FPlay, &QToolButton::clicked, this, [this] { ButtonClick(btPlay); });
  QObject::connect(FPause, &QToolButton::clicked, this, [this] { ButtonClick(btPause); });
  QObject::connect(FStop, &QToolButton::clicked, this, [this] { ButtonClick(btStop); });
  QObject::connect(FTrack, &QSlider::valueChanged, this, [this](int value) { TrackBarChanged(value); });
  PlaceControlBar(*FBar, *FTrack, FBarRect);
  FBar->setVisible(AuObject && Payload().ControlBar);
  FBarPicture = QPixmap();
  return FBar;
}

void TAuMediaPlayer::paintEvent(QPaintEvent* e) {
  TAuMediaShell::paintEvent(e);
  if (FBar || FBarRect.isEmpty()) return;
  const qreal ratio = devicePixelRatioF();
  if (FBarPicture.isNull() || FBarPicture.size() != FBarRect.size() * ratio)
    FBarPicture = TControlBarPainter::Of(*window()).Picture(FBarRect.size(), ratio, palette(), isEnabled());
  QPainter p(this);
  p.drawPixmap(FBarRect.topLeft(), FBarPicture);
}

bool TAuMediaPlayer::event(QEvent* e) {
  switch (e->type()) {
    case QEvent::Enter:
      // The pointer may go on to the bar, whose mouse belongs to its buttons, not to the object:
      // the bar is made before it gets there.
      if (!FBar && Live() && !FBarRect.isEmpty()) MakeBar();
      break;
    case QEvent::PaletteChange:
    case QEvent::FontChange:
    case QEvent::EnabledChange:
    case QEvent::StyleChange:
      // The picture follows what the bar would inherit.
      FBarPicture = QPixmap();
      update();
      break;
    default:
      break;
  }
  return TAuMediaShell::event(e);
}

// The engine outlives this part of the object: it must not report to it any more.
TAuMediaPlayer::~TAuMediaPlayer() {
  if (TMediaComponent* media = Media()) media->OnNotify = nullptr;
}

void TAuMediaPlayer::StartAfterFadeIn() {
  SetFilename(Payload().MediaFile);
  SetRunMode();
  if (Payload().Active) Play();
}

void TAuMediaPlayer::SetFilename(const QString& mediaFile) {
  FFilename = mediaFile.isEmpty() ? QString() : MakeAbsolutePathIn(Context().ProjectFolder, mediaFile);
  if (FFilename.isEmpty()) return;
  TMediaComponent* media = Media();
  if (!media || !media->Open(FFilename)) {
    FError = true;
    return;
  }
  media->OnNotify = [this] { Notified(); };
  MakeBar();
  FTrack->setEnabled(true);
  const int length = int(std::clamp<int64_t>(media->Length(), 0, INT_MAX));
  FCancelTrackBarEvent = true;
  FTrack->setMaximum(length);
  FTrack->setPageStep(std::max(1, length / 10));
  FTrack->setValue(0);
  FCancelTrackBarEvent = false;
  FError = false;
}

void TAuMediaPlayer::SetRunMode() {
  // A page's players run only once it has faded in, and on the editing canvas never.
  if (Live()) FTimer.Start(TimerIntervalMs);
}

void TAuMediaPlayer::Play() {
  TMediaComponent* media = Media();
  if (FError || FFilename.isEmpty() || !media) return;
  if (!media->Play()) {
    FError = true;
    return;
  }
  FLastButton = btPlay;
  EnableButtons(false, true, true);
  MoveTrackBar();
}

void TAuMediaPlayer::ButtonClick(TMPBtnType button) {
  TMediaComponent* media = Media();
  if (!media || FError) return;
  switch (button) {
    case btPlay:
      media->Play();
      break;
    case btPause:
      // The pause button also resumes, as the platform's player does.
      if (media->Mode() == mpPaused)
        media->Play();
      else
        media->Pause();
      break;
    case btStop:
      media->Stop();
      media->SetPosition(0);
      break;
  }
  FLastButton = button;
  if (button == btStop)
    EnableButtons(true, false, false);
  else
    EnableButtons(false, true, true);
  MoveTrackBar();
}

void TAuMediaPlayer::TimerTick() {
  TMediaComponent* media = Media();
  if (FError || !media) return;
  MoveTrackBar();
  if (media->Mode() != mpStopped) return;
  EnableButtons(true, false, false);
  // A medium that ended starts again, until the user presses Stop.
  if (Payload().IsRepeat && FLastButton != btStop) Play();
}

void TAuMediaPlayer::Notified() {
  TMediaComponent* media = Media();
  if (!media) return;
  if (media->Failed()) {
    // Found unplayable after opening: as if it had not opened.
    FError = true;
    EnableButtons(false, false, false);
    FTrack->setEnabled(false);
    return;
  }
  MakeBar();
  const int length = int(std::clamp<int64_t>(media->Length(), 0, INT_MAX));
  if (length != FTrack->maximum()) {
    FCancelTrackBarEvent = true;
    FTrack->setMaximum(length);
    FTrack->setPageStep(std::max(1, length / 10));
    FCancelTrackBarEvent = false;
  }
  if (media->Mode() == mpStopped) EnableButtons(true, false, false);
  MoveTrackBar();
}

void TAuMediaPlayer::EnableButtons(bool play, bool pause, bool stop) {
  MakeBar();
  FPlay->setEnabled(play);
  FPause->setEnabled(pause);
  FStop->setEnabled(stop);
}

void TAuMediaPlayer::MoveTrackBar() {
  TMediaComponent* media = Media();
  if (!media) return;
  MakeBar();
  FCancelTrackBarEvent = true;
  FTrack->setValue(int(std::clamp<int64_t>(media->Position(), 0, INT_MAX)));
  FCancelTrackBarEvent = false;
}

void TAuMediaPlayer::TrackBarChanged(int value) {
  TMediaComponent* media = Media();
  if (FCancelTrackBarEvent || !media || FError) return;
  // Seeking stops playback at the new position; Play resumes there.
  media->SetPosition(value);
  media->Stop();
  FLastButton = btStop;
  EnableButtons(true, false, false);
}

void TAuMediaPlayer::ApplyShell() {
  const TMediaPlayerPayload& p = Payload();
  ApplyBorderStyle(*this, p.Border ? TBorderStyle::bsSingle : TBorderStyle::bsNone);
  if (FBar) FBar->setVisible(p.ControlBar);
  FBarPicture = QPixmap();
}

void TAuMediaPlayer::LayoutParts() {
  QRect r = contentsRect();
  FBarRect = QRect();
  if (AuObject && Payload().ControlBar) {
    const int bar = std::min(ControlBarHeight, r.height());
    FBarRect = QRect(r.left(), r.bottom() + 1 - bar, r.width(), bar);
    if (FBar) PlaceControlBar(*FBar, *FTrack, FBarRect);
    r.setBottom(r.bottom() - bar);
  }
  update(FBarRect);
  FDisplayRect = r;
  TAuMediaShell::LayoutParts();
}

TAuControl* CreateMediaPlayerControl(TAuObject& object, QWidget* parent, const TControlContext& context) {
  return new TAuMediaPlayer(object, parent, context);
}

// ---- Flash player and PDF reader ----

TAuFlashPlayer::TAuFlashPlayer(TAuObject& object, QWidget* parent, const TControlContext& context)
    : TAuMediaShell(object, parent, context) {
  AddMessage();
}

void TAuFlashPlayer::ApplyShell() { ApplyBorderStyle(*this, Payload().BorderStyle); }

QString TAuFlashPlayer::DownloadAddress() const { return QStringLiteral("https://ruffle.rs/"); }

TAuControl* CreateFlashPlayerControl(TAuObject& object, QWidget* parent, const TControlContext& context) {
  return new TAuFlashPlayer(object, parent, context);
}

TAuPDFReader::TAuPDFReader(TAuObject& object, QWidget* parent, const TControlContext& context)
    : TAuMediaShell(object, parent, context) {
  AddMessage();
}

void TAuPDFReader::ApplyShell() { ApplyBorderStyle(*this, Payload().BorderStyle); }

QString TAuPDFReader::DownloadAddress() const { return QStringLiteral("https://get.adobe.com/reader/"); }

TAuControl* CreatePDFReaderControl(TAuObject& object, QWidget* parent, const TControlContext& context) {
  return new TAuPDFReader(object, parent, context);
}

// ---- engines made from a plugin's components ----

namespace {
class TMediaPlayerEngine : public TShellEngine {
 public:
  explicit TMediaPlayerEngine(std::unique_ptr<TMediaComponent> media) : FMedia(std::move(media)) {}
  ~TMediaPlayerEngine() override { FMedia->OnNotify = nullptr; }
  void Apply(TAuMediaShell& shell) override {
    if (!shell.EngineView() && FMedia->Display()) shell.SetEngineView(FMedia->Display());
  }
  void Settle(TAuMediaShell&) override {
    FMedia->Stop();
    FMedia->SetPosition(0);
  }
  TMediaComponent* Media() override { return FMedia.get(); }

 private:
  std::unique_ptr<TMediaComponent> FMedia;
};

class TPDFEngine : public TShellEngine {
 public:
  explicit TPDFEngine(std::unique_ptr<TDocumentView> view) : FView(std::move(view)) {}
  void Apply(TAuMediaShell& shell) override {
    if (!shell.EngineView()) shell.SetEngineView(FView->Widget());
    const QString& stored = static_cast<const TPDFReaderPayload&>(*shell.AuObject->Payload).FileName;
    const QString file = stored.isEmpty() ? QString() : MakeAbsolutePathIn(shell.Context().ProjectFolder, stored);
    if (file == FLoaded) return;
    FLoaded = file;
    // A missing file leaves the reader empty.
    if (QFileInfo(file).isFile()) FView->LoadFile(file);
  }

 private:
  std::unique_ptr<TDocumentView> FView;
  QString FLoaded;
};

class TWebEngine : public TShellEngine {
 public:
  explicit TWebEngine(std::unique_ptr<TWebView> view) : FView(std::move(view)) {}
  void Apply(TAuMediaShell& shell) override {
    if (!shell.EngineView()) shell.SetEngineView(FView->Widget());
    const QString target = static_cast<TAuWebBrowser&>(shell).NavigationTarget();
    if (target.isEmpty() || target == FNavigated) return;
    FNavigated = target;
    FView->Navigate(target);
  }

 private:
  std::unique_ptr<TWebView> FView;
  QString FNavigated;
};

class TFlashEngine : public TShellEngine {
 public:
  explicit TFlashEngine(std::unique_ptr<TMovieView> view) : FView(std::move(view)) {}
  void Apply(TAuMediaShell& shell) override {
    if (!shell.EngineView()) shell.SetEngineView(FView->Widget());
    const TFlashPlayerPayload& p = static_cast<const TFlashPlayerPayload&>(*shell.AuObject->Payload);
    QString file = p.MovieFile.isEmpty() ? QString() : MakeAbsolutePathIn(shell.Context().ProjectFolder, p.MovieFile);
    if (!QFileInfo(file).isFile()) file.clear();
    // Loop and ContextMenu take effect at once, as a change of the movie does.
    if (FStarted && file == FFile && p.Loop == FLoop && p.ContextMenu == FContextMenu) return;
    FStarted = true;
    FFile = file;
    FLoop = p.Loop;
    FContextMenu = p.ContextMenu;
    FView->LoadMovie(file, p.Loop, p.ContextMenu);
  }

 private:
  std::unique_ptr<TMovieView> FView;
  QString FFile;
  bool FLoop = true, FContextMenu = true, FStarted = false;
};
}  // namespace

std::unique_ptr<TShellEngine> MakePluginEngine(TAuMediaShell& shell, TEnginePlugin& plugin,
                                               const QString& flashRuntimeFolder) {
  if (!shell.AuObject) return nullptr;
  switch (shell.AuObject->ObjectType) {
    case otMediaPlayer:
      if (auto media = plugin.CreateMediaComponent(shell.ContentArea()))
        return std::make_unique<TMediaPlayerEngine>(std::move(media));
      break;
    case otPDFReader:
      if (auto view = plugin.CreateDocumentView(shell.ContentArea()))
        return std::make_unique<TPDFEngine>(std::move(view));
      break;
    case otWebBrowser:
      if (auto view = plugin.CreateWebView(shell.ContentArea())) return std::make_unique<TWebEngine>(std::move(view));
      break;
    case otFlashPlayer:
      if (flashRuntimeFolder.isEmpty()) break;
      if (auto view = plugin.CreateMovieView(shell.ContentArea(), flashRuntimeFolder))
        return std::make_unique<TFlashEngine>(std::move(view));
      break;
    default:
      break;
  }
  return nullptr;
}
