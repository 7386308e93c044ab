#include "player/AutoRunForm.h"

#include <QActionGroup>
#include <QApplication>
#include <QBitmap>
#include <QCloseEvent>
#include <QEventLoop>
#include <QIcon>
#include <QKeySequence>
#include <QLayout>
#include <QMenu>
#include <QMenuBar>
#include <QPainter>
#include <QScrollArea>
#include <QStatusBar>
#include <algorithm>
#include <map>

#include "model/Actions.h"
#include "model/Errors.h"
#include "model/Globals.h"
#include "model/Paths.h"
#include "model/PayloadsStandard.h"
#include "objects/FadingKinds.h"
#include "objects/PageRender.h"
#include "player/ActionRunner.h"
#include "player/FormPosition.h"
#include "player/PageObjects.h"
#include "render/Caption.h"
#include "render/Colors.h"
#include "render/PictureDecode.h"
#include "render/StatusPanels.h"

// ---- fades ----

std::vector<int> FadeInValues(int formAlpha, int fadeInStep) {
  const int target = std::clamp(formAlpha, 0, 100) * 255 / 100;
  const int step = std::max(1, std::clamp(fadeInStep, 0, 100) * 255 / 100);
  std::vector<int> values;
  for (int value = 0; value < 255 && target > value; value += step) values.push_back(value);
  values.push_back(target);
  return values;
}

std::vector<int> FadeOutValues(int alpha, int fadeOutStep) {
  // A step of 0 only comes from damaged data; it would never end.
  const int step = std::max(1, std::clamp(fadeOutStep, 0, 100) * 255 / 100);
  std::vector<int> values;
  for (int value = std::clamp(alpha, 0, 255); value > 0; value -= step) values.push_back(value);
  values.push_back(0);
  return values;
}

// ---- status bar ----

// The page's status panels: sunken sections of their stored widths on the button face, the last one
// reaching to the right edge.
class TPageStatusBar : public QStatusBar {
 public:
  TPageStatusBar(const TStatusBarData& data, QWidget* parent) : QStatusBar(parent), FData(data) {
    setSizeGripEnabled(false);
  }

 protected:
  void paintEvent(QPaintEvent*) override {
    QPainter p(this);
    PaintStatusPanels(p, size(), FData);
  }

 private:
  const TStatusBarData& FData;
};

// ---- process-wide page state ----

namespace {
QPointer<TAutoRunForm>& MainPage() {
  static QPointer<TAutoRunForm> page;
  return page;
}

TMediaStarter& MediaStarter() {
  static TMediaStarter starter;
  return starter;
}

// The project folder for the controls, without the designer's "not saved" message: a page being
// loaded is no moment to ask the author to save.
QString ControlsProjectFolder() {
  if (IsDesigner && SourceFileName.isEmpty()) return {};
  return GetProjectFolder();
}

// A stored short cut (virtual key in the low byte, Shift 0x2000, Ctrl 0x4000, Alt 0x8000) as Qt's.
QKeySequence ShortCutToKeySequence(TShortCut shortCut) {
  const int vk = shortCut & 0xFF;
  int key = 0;
  if ((vk >= 0x30 && vk <= 0x39) || (vk >= 0x41 && vk <= 0x5A))
    key = vk;  // digits and letters share their codes
  else if (vk >= 0x70 && vk <= 0x87)
    key = Qt::Key_F1 + (vk - 0x70);
  else
    switch (vk) {
      case 0x08:
        key = Qt::Key_Backspace;
        break;
      case 0x09:
        key = Qt::Key_Tab;
        break;
      case 0x0D:
        key = Qt::Key_Return;
        break;
      case 0x1B:
        key = Qt::Key_Escape;
        break;
      case 0x20:
        key = Qt::Key_Space;
        break;
      case 0x21:
        key = Qt::Key_PageUp;
        break;
      case 0x22:
        key = Qt::Key_PageDown;
        break;
      case 0x23:
        key = Qt::Key_End;
        break;
      case 0x24:
        key = Qt::Key_Home;
        break;
      case 0x25:
        key = Qt::Key_Left;
        break;
      case 0x26:
        key = Qt::Key_Up;
        break;
      case 0x27:
        key = Qt::Key_Right;
        break;
      case 0x28:
        key = Qt::Key_Down;
        break;
      case 0x2D:
        key = Qt::Key_Insert;
        break;
      case 0x2E:
        key = Qt::Key_Delete;
        break;
      default:
        return {};
    }
  int modifiers = 0;
  if (shortCut & 0x2000) modifiers |= Qt::SHIFT;
  if (shortCut & 0x4000) modifiers |= Qt::CTRL;
  if (shortCut & 0x8000) modifiers |= Qt::ALT;
  return QKeySequence(key | modifiers);
}

bool IsSeparator(const TMenuItem& item) { return item.Caption == QLatin1String("-"); }

// Frames the platform cannot resize the window in.
bool FixedFrame(TFormBorderStyle style) {
  return style == TFormBorderStyle::bsSingle || style == TFormBorderStyle::bsDialog ||
         style == TFormBorderStyle::bsToolWindow;
}

}  // namespace

TAutoRunForm* MainPageWindow() { return MainPage().data(); }
void SetMainPageWindow(TAutoRunForm* page) { MainPage() = page; }
void SetMediaStarter(TMediaStarter starter) { MediaStarter() = std::move(starter); }

// ---- busy marks ----

TPageBusy::TPageBusy(TAutoRunForm* page) : FPage(page) {
  if (FPage) ++FPage->FBusy;
}

TPageBusy::~TPageBusy() {
  if (FPage) --FPage->FBusy;
}

// ---- creation ----

TAutoRunForm::TAutoRunForm(QWidget* parent) : QMainWindow(parent), FLive(IsLive()) {
  setFont(ToQFont(TFont()));  // the page window's own font; new page panels copy it
  FScrollBox = new QScrollArea(this);
  FScrollBox->setFrameShape(QFrame::NoFrame);
  FScrollBox->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
  FScrollBox->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
  FScrollBox->setWidgetResizable(true);
  FHost = new QWidget;
  FScrollBox->setWidget(FHost);
  setCentralWidget(FScrollBox);
  FStatusBar = new TPageStatusBar(Page.StatusBar, this);
  setStatusBar(FStatusBar);

  for (QTimer* t : {&Timer2, &Timer3, &Timer4}) {
    t->setSingleShot(true);
    t->setInterval(PageTimerMs);
  }
  connect(&Timer2, &QTimer::timeout, this, &TAutoRunForm::Timer2Timer);
  connect(&Timer3, &QTimer::timeout, this, &TAutoRunForm::Timer3Timer);
  connect(&Timer4, &QTimer::timeout, this, &TAutoRunForm::Timer4Timer);
  FFadeTimer.setInterval(PageFadeStepMs);
  connect(&FFadeTimer, &QTimer::timeout, this, &TAutoRunForm::FadeTick);
  // Key releases anywhere in the window, whichever control has the focus.
  if (FLive) qApp->installEventFilter(this);

  // The page panel every window starts with.
  Page.PanelObject = NewPagePanel();
  Page.PanelObject->ObjectName = QStringLiteral("PagePanel");
  ApplyPageProps();
  CreatePanelControls();
}

TAutoRunForm::~TAutoRunForm() {
  FFadeTimer.stop();
  // The controls go with the widgets below; the records first, so no control outlives its record's
  // page.
  ReleaseObjects();
  if (MainPage() == this) MainPage() = nullptr;
}

QWidget* TAutoRunForm::StatusBarWidget() const { return FStatusBar; }

void TAutoRunForm::InitForm(const QString& caption) {
  TPageData page;
  ::InitForm(page, caption);
  AnyKeyClose = false;
  CloseAfterMs = 0;
  LoadPage(std::move(page));
}

// ---- loading and storing ----

bool TAutoRunForm::LoadFormData(const TFormData& entry, bool isGotoPage) {
  TPageData page;
  TError error;
  if (!::LoadFormData(entry, page, &error)) {
    ReportError(error);
    return false;
  }
  return LoadPage(std::move(page), isGotoPage);
}

bool TAutoRunForm::LoadPage(TPageData page, bool isGotoPage) {
  if (!page.PanelObject) return false;
  // The designer's grid belongs to the canvas, not to the page.
  bool grid = false;
  if (TAuObject* old = PanelObject(); old && old->Payload && old->Payload->Kind() == otPanel)
    grid = static_cast<const TPanelPayload&>(*old->Payload).PanelBack.PaintGrid;
  if (page.PanelObject->Payload && page.PanelObject->Payload->Kind() == otPanel)
    static_cast<TPanelPayload&>(*page.PanelObject->Payload).PanelBack.PaintGrid = grid;

  if (isGotoPage) {
    // The shown window keeps its frame, size, place, opacity settings, menu and close actions.
    if (TAuObject* old = PanelObject())
      if (TAuControl* c = ControlOf(*old)) c->SetShown(false);
    TPageProps kept = Page.Props();
    ReleaseObjects();
    Page = std::move(page);
    Page.BorderIcons = kept.BorderIcons;
    Page.BorderStyle = kept.BorderStyle;
    Page.FormStyle = kept.FormStyle;
    Page.TransparentColor = kept.TransparentColor;
    Page.TransparentColorValue = kept.TransparentColorValue;
    Page.FormAlpha = kept.FormAlpha;
    Page.FormFade = kept.FormFade;
    Page.FormFadeInStep = kept.FormFadeInStep;
    Page.FormFadeOutStep = kept.FormFadeOutStep;
    Page.OnCloseActions = std::move(kept.OnCloseActions);
    Page.MainMenu = std::move(kept.MainMenu);
    Page.FormPositionX = kept.FormPositionX;
    Page.FormPositionY = kept.FormPositionY;
    Page.Width = kept.Width;
    Page.Height = kept.Height;
    setWindowTitle(Page.Caption);
    ApplyStatusBar();
    ApplyIcon();
  } else {
    ReleaseObjects();
    Page = std::move(page);
    ApplyPageProps();
  }
  LayoutClient();
  const bool built = CreatePanelControls();
  if (!isGotoPage) {
    if (FLive) SetAlphaValue(Page.FormFade ? 0 : std::clamp(Page.FormAlpha, 0, 100) * 255 / 100);
    DoPosition();
  } else if (isVisible()) {
    UpdateTransparentMask();
  }
  DataChanged = false;
  return built;
}

bool TAutoRunForm::StoreFormData(TFormData& entry) {
  if (!PanelObject()) return false;
  StoreControlsToRecords(*PanelObject());
  TError error;
  if (!::StoreFormData(Page, entry, &error)) {
    ReportError(error);
    return false;
  }
  DataChanged = false;
  return true;
}

void TAutoRunForm::ApplyPageProps() {
  setWindowTitle(Page.Caption);
  ApplyWindowFrame();
  RebuildMenu();
  ApplyStatusBar();
  ApplyIcon();
  ApplyClientSize();
  LayoutClient();
}

void TAutoRunForm::ApplyWindowFrame() {
  const bool wasVisible = isVisible();
  const uint8_t icons = Page.BorderIcons;
  Qt::WindowFlags flags = Qt::Window;
  const TFormBorderStyle style = Page.BorderStyle;
  if (style == TFormBorderStyle::bsToolWindow || style == TFormBorderStyle::bsSizeToolWin) flags = Qt::Tool;
  if (style == TFormBorderStyle::bsNone) {
    flags |= Qt::FramelessWindowHint;
  } else {
    flags |= Qt::CustomizeWindowHint | Qt::WindowTitleHint;
    if (icons & biSystemMenu) {
      flags |= Qt::WindowSystemMenuHint | Qt::WindowCloseButtonHint;
      // Dialog and tool frames have no minimise or maximise button.
      const bool plain = style == TFormBorderStyle::bsSingle || style == TFormBorderStyle::bsSizeable;
      if (plain && (icons & biMinimize)) flags |= Qt::WindowMinimizeButtonHint;
      if (plain && (icons & biMaximize)) flags |= Qt::WindowMaximizeButtonHint;
      // The help button shows only where neither of those does.
      if ((icons & biHelp) && !(flags & (Qt::WindowMinimizeButtonHint | Qt::WindowMaximizeButtonHint)))
        flags |= Qt::WindowContextHelpButtonHint;
    }
  }
  if (Page.FormStyle == TFormStyle::fsStayOnTop) flags |= Qt::WindowStaysOnTopHint;
  if (windowFlags() != flags) {
    setWindowFlags(flags);
    // Changing the flags hides a shown window; showing it again is no new show of the page.
    if (wasVisible) {
      FReshowing = true;
      show();
      FReshowing = false;
    }
  }
}

void TAutoRunForm::ApplyClientSize() {
  // The stored size is the window's outer size; the frame keeps its share of it.
  QSize client = RenderedPageSize(Page);
  client = client.boundedTo(QSize(MaxControlExtent, MaxControlExtent));
  setMinimumSize(0, 0);
  setMaximumSize(QWIDGETSIZE_MAX, QWIDGETSIZE_MAX);
  resize(client);
  if (FixedFrame(Page.BorderStyle)) setFixedSize(client);
}

void TAutoRunForm::DoPosition() {
  const bool fixed = FixedFrame(Page.BorderStyle);
  if (fixed) {
    // A stretching placement may change the size the frame otherwise keeps.
    setMinimumSize(0, 0);
    setMaximumSize(QWIDGETSIZE_MAX, QWIDGETSIZE_MAX);
  }
  ::DoPosition(*this, Page);
  if (fixed) setFixedSize(size());
  LayoutClient();
}

void TAutoRunForm::RebuildMenu() {
  if (Page.MainMenu.empty()) {
    if (menuWidget()) setMenuWidget(nullptr);
    return;
  }
  auto* bar = new QMenuBar(this);
  bar->setNativeMenuBar(false);
  std::function<void(QWidget*, const std::vector<TMenuItem>&)> add = [&](QWidget* menu,
                                                                         const std::vector<TMenuItem>& items) {
    std::map<int, QActionGroup*> groups;
    for (const TMenuItem& item : items) {
      if (IsSeparator(item)) {
        if (auto* m = qobject_cast<QMenu*>(menu)) m->addSeparator()->setVisible(item.Visible);
        continue;
      }
      QAction* action = nullptr;
      if (!item.Items.empty()) {
        auto* sub = new QMenu(item.Caption, menu);
        add(sub, item.Items);
        action = sub->menuAction();
        menu->addAction(action);
      } else {
        action = new QAction(item.Caption, menu);
        menu->addAction(action);
        // The item is copied: its actions are decoded from its hint at every click.
        connect(action, &QAction::triggered, this, [this, item] { MenuItemClick(item); });
      }
      action->setEnabled(item.Enabled);
      action->setVisible(item.Visible);
      if (item.ShortCut) action->setShortcut(ShortCutToKeySequence(item.ShortCut));
      if (item.Checked || item.AutoCheck || item.RadioItem) {
        action->setCheckable(true);
        action->setChecked(item.Checked);
      }
      if (item.RadioItem) {
        QActionGroup*& group = groups[item.GroupIndex];
        if (!group) group = new QActionGroup(menu);
        group->addAction(action);
      }
      if (item.Default) {
        QFont f = action->font();
        f.setBold(true);
        action->setFont(f);
      }
      if (!item.Bitmap.IsEmpty()) {
        const QImage image = DecodePicture(item.Bitmap);
        if (!image.isNull()) action->setIcon(QIcon(QPixmap::fromImage(image)));
      }
    }
  };
  add(bar, Page.MainMenu);
  setMenuBar(bar);
}

void TAutoRunForm::ApplyStatusBar() {
  FStatusBar->setFont(ToQFont(Page.StatusBar.Font));
  FStatusBar->setFixedHeight(std::clamp(Page.StatusBar.Height, 0, MaxControlExtent));
  FStatusBar->setVisible(Page.StatusBar.Visible());
  FStatusBar->update();
}

void TAutoRunForm::SetStatusPanelText(int index, const QString& text) {
  if (index < 0 || index >= static_cast<int>(Page.StatusBar.Panels.size())) return;
  Page.StatusBar.Panels[index].Text = text;
  FStatusBar->update();
}

void TAutoRunForm::ApplyIcon() {
  const QImage icon = Page.Image_Icon.IsEmpty() ? QImage() : DecodePicture(Page.Image_Icon);
  setWindowIcon(icon.isNull() ? QIcon() : QIcon(QPixmap::fromImage(icon)));
}

void TAutoRunForm::LayoutClient() {
  // Hidden windows get no resize events; the client host is sized here so that the page is laid
  // out once, at its final size, before the window shows.
  if (QLayout* l = layout()) l->activate();
  const QSize size = FScrollBox->contentsRect().size();
  if (FHost->size() != size) FHost->resize(size);
}

bool TAutoRunForm::CreatePanelControls() {
  if (!PanelObject()) return false;
  TControlContext context;
  context.Live = FLive;
  context.Events = this;
  context.ProjectFolder = ControlsProjectFolder();
  PanelObject()->Align = alClient;
  return CreateObjectControl(*PanelObject(), FHost, context);
}

void TAutoRunForm::ReleaseObjects() {
  // Focus must not stay on a control that is about to go.
  if (QWidget* focus = focusWidget(); focus && focus != this) setFocus();
  Page.PanelObject.reset();
}

void TAutoRunForm::resizeEvent(QResizeEvent* event) {
  QMainWindow::resizeEvent(event);
  if (Page.TransparentColor && FLive && isVisible()) QTimer::singleShot(0, this, [this] { UpdateTransparentMask(); });
}

void TAutoRunForm::UpdateTransparentMask() {
  if (!FLive || !Page.TransparentColor) {
    if (!mask().isEmpty()) clearMask();
    return;
  }
  // The client area's pixels of the transparent colour are cut out of the window; the menu and
  // status bars stay whole.
  const QImage picture = FScrollBox->grab().toImage().convertToFormat(QImage::Format_RGB32);
  const QRgb key = ToQColor(Page.TransparentColorValue).rgb();
  QRegion shown(rect());
  QRegion client(FScrollBox->geometry());
  shown -= client;
  const QImage cut = picture.createMaskFromColor(key, Qt::MaskOutColor);
  shown += QRegion(QBitmap::fromImage(cut)).translated(FScrollBox->pos());
  setMask(shown);
}

// ---- show, fades, timers ----

void TAutoRunForm::showEvent(QShowEvent* event) {
  QMainWindow::showEvent(event);
  if (!event->spontaneous() && !FReshowing) FormShow();
}

void TAutoRunForm::FormShow() {
  if (!FLive || CloseEvented) return;
  RunActions(Page.OnShowActions, this);
  Timer3.start(PageTimerMs);
}

void TAutoRunForm::Timer3Timer() {
  Timer3.stop();
  TAuObject* panel = PanelObject();
  if (!panel || CloseEvented) return;
  if (TAuControl* c = ControlOf(*panel)) c->Repaint();
  AfterLoadDoObjects(*panel, true);
  UpdateTransparentMask();
  DoFadeIn([this] {
    if (CloseAfterMs > 100) Timer4.start(CloseAfterMs);
    if (TAuObject* p = PanelObject()) AfterLoadDoObjects(*p, false);
  });
}

void TAutoRunForm::AfterLoadDoObjects(TAuObject& parentObject, bool beforeFade) {
  for (auto& child : parentObject.Objects) {
    if (beforeFade && child->ObjectType == otPanel) {
      if (TAuControl* c = ControlOf(*child)) c->Repaint();
    } else if (!beforeFade && child->ObjectType == otMediaPlayer) {
      if (MediaStarter()) MediaStarter()(*child);
    }
    AfterLoadDoObjects(*child, beforeFade);
  }
}

void TAutoRunForm::SetAlphaValue(int alpha) {
  alpha = std::clamp(alpha, 0, 255);
  if (alpha == FAlpha) return;
  FAlpha = alpha;
  setWindowOpacity(alpha / 255.0);
}

bool TAutoRunForm::Fading() const { return FFadeTimer.isActive(); }

void TAutoRunForm::DoFadeIn(std::function<void()> then) {
  if (!Page.FormFade) {
    then();
    return;
  }
  SetAlphaValue(0);
  StartFade(FadeInValues(Page.FormAlpha, Page.FormFadeInStep), std::move(then));
}

void TAutoRunForm::DoFadeOut(std::function<void()> then) {
  if (!Page.FormFade) {
    then();
    return;
  }
  StartFade(FadeOutValues(FAlpha, Page.FormFadeOutStep), std::move(then));
}

void TAutoRunForm::StartFade(std::vector<int> values, std::function<void()> then) {
  // A new fade replaces one under way, and what was to follow it.
  FFadeTimer.stop();
  FFadeValues = std::move(values);
  FFadeThen = std::move(then);
  FFadeNext = 0;
  FadeTick();
  if (FFadeNext < FFadeValues.size()) FFadeTimer.start();
}

void TAutoRunForm::FadeTick() {
  if (FFadeNext < FFadeValues.size()) SetAlphaValue(FFadeValues[FFadeNext++]);
  if (FFadeNext < FFadeValues.size()) return;
  FFadeTimer.stop();
  if (auto then = std::move(FFadeThen)) {
    FFadeThen = nullptr;
    then();
  }
}

void TAutoRunForm::GoToPage(int pageIndex) {
  FGotoIndex = pageIndex;
  Timer2.start(PageTimerMs);
}

void TAutoRunForm::Timer2Timer() {
  Timer2.stop();
  // The objects of a list still running must outlive it.
  if (FBusy > 0) {
    Timer2.start(PageTimerMs);
    return;
  }
  if (CloseEvented) return;
  const int index = FGotoIndex;
  if (index < 0 || index >= static_cast<int>(Project.Forms.size())) return;
  if (LoadFormData(*Project.Forms[index], true)) FormIndex = index;
}

void TAutoRunForm::CloseSoon() { Timer4.start(PageTimerMs); }

void TAutoRunForm::Timer4Timer() {
  Timer4.stop();
  if (FBusy > 0) {
    Timer4.start(PageTimerMs);
    return;
  }
  if (Closed) return;
  Closed = true;
  close();
}

void TAutoRunForm::ShowModal() {
  IsModal = true;
  setWindowModality(Qt::ApplicationModal);
  QEventLoop loop;
  connect(this, &TAutoRunForm::PageClosed, &loop, &QEventLoop::quit);
  show();
  if (!FCloseDone && isVisible()) loop.exec();
}

// ---- close ----

void TAutoRunForm::closeEvent(QCloseEvent* event) {
  if (FCloseDone) {
    event->accept();
    return;
  }
  if (FBusy > 0) {
    // Asked while one of its lists waits on a modal page or box: close once the list is done.
    event->ignore();
    Closed = false;
    CloseSoon();
    return;
  }
  if (CloseEvented) {
    // The close is under way (fading out).
    event->ignore();
    return;
  }
  CloseEvented = true;
  if (!FLive) {
    FCloseDone = true;
    event->accept();
    if (CloseFree) deleteLater();
    Q_EMIT PageClosed();
    return;
  }
  Timer2.stop();
  Timer3.stop();
  Timer4.stop();
  if (Page.FormFade && FAlpha > 0) {
    // The window stays until the fade-out has run; the close is then completed.
    event->ignore();
    DoFadeOut([this] {
      FinishClose();
      close();
      if (CloseFree) deleteLater();
      Q_EMIT PageClosed();
    });
    return;
  }
  SetAlphaValue(Page.FormFade ? 0 : FAlpha);
  FinishClose();
  event->accept();
  if (CloseFree) deleteLater();
  Q_EMIT PageClosed();
}

void TAutoRunForm::FinishClose() {
  {
    TPageBusy busy(this);
    RunActions(Page.OnCloseActions, this);
    if (!IsDesigner && MainPageWindow() == this) {
      RunActions(Project.OnExitActions, nullptr);
      ShowExitPage();
    }
  }
  ClearActions(Page.OnShowActions);
  ClearActions(Page.OnCloseActions);
  ReleaseObjects();
  FCloseDone = true;
}

bool TAutoRunForm::eventFilter(QObject* watched, QEvent* event) {
  if (event->type() == QEvent::KeyRelease && !CloseEvented && (AnyKeyClose || (IsDesigner && IsDesignPreview))) {
    auto* w = qobject_cast<QWidget*>(watched);
    if (w && w->window() == this) CloseSoon();
  }
  return QMainWindow::eventFilter(watched, event);
}

// ---- lookup and naming ----

PAuObject TAutoRunForm::GetAuObjectFromName(const QString& objectName) const {
  return PanelObject() ? ::GetAuObjectFromName(*PanelObject(), objectName) : nullptr;
}

bool TAutoRunForm::IsNewObjectName(const QString& objectName) const {
  return !PanelObject() || ::IsNewObjectName(*PanelObject(), objectName);
}

QString TAutoRunForm::GetNewObjectName(TObjectType objectType) const {
  if (!PanelObject()) return GetObjectTypeName(objectType) + QLatin1Char('1');
  return ::GetNewObjectName(*PanelObject(), objectType);
}

void TAutoRunForm::GetTextNames(QStringList& names) const {
  if (PanelObject()) ::GetTextNames(*PanelObject(), static_cast<int>(Page.StatusBar.Panels.size()), names);
}

void TAutoRunForm::GetImageNames(QStringList& names) const {
  if (PanelObject()) ::GetImageNames(*PanelObject(), names);
}

void TAutoRunForm::MoveAuObject(TAuObject& parentObject, int index, int newIndex) {
  ::MoveAuObject(parentObject, index, newIndex);
}

void TAutoRunForm::ReSetObjectsOrder(TAuObject& object) { ::ReSetObjectsOrder(object); }

// ---- object events ----

namespace {
// The fading kinds that keep IsMouseOver.
TFadingControl* MouseOverControl(const TAuObject& object) {
  switch (object.ObjectType) {
    case otFadeButton:
    case otLabel:
    case otText:
    case otShape:
    case otBalloon:
    case otNote:
    case otSlideShow:
      return FadingControlOf(object);
    default:
      return nullptr;
  }
}

// Effect labels and texts take their mouse-over opacity from the page; the picture kinds fade on
// entering and leaving by themselves.
bool IsEffectText(const TAuObject& object) { return object.ObjectType == otLabel || object.ObjectType == otText; }
}  // namespace

void TAutoRunForm::ObjectClick(TAuObject& object) {
  if (!RunsActions()) return;
  TPageBusy busy(this);
  const bool isPanel = &object == PanelObject();
  RunActions(object.OnClickActions, this);
  if (AnyKeyClose) CloseSoon();
  if (IsDesigner && IsDesignPreview && isPanel) CloseSoon();
}

void TAutoRunForm::ObjectDblClick(TAuObject& object) {
  if (!RunsActions()) return;
  TPageBusy busy(this);
  RunActions(object.OnDblClickActions, this);
}

void TAutoRunForm::ObjectMouseEnter(TAuObject& object) {
  if (!RunsActions() || !object.Enable) return;
  TPageBusy busy(this);
  if (TFadingControl* f = MouseOverControl(object)) {
    f->IsMouseOver = true;
    if (IsEffectText(object) && f->FadeParam().MouseAlphaEnabled) f->SetAlpha(f->FadeParam().MouseOverAlpha);
  }
  RunActions(object.OnEnterActions, this);
}

void TAutoRunForm::ObjectMouseLeave(TAuObject& object) {
  if (!RunsActions()) return;
  TPageBusy busy(this);
  if (TFadingControl* f = MouseOverControl(object)) {
    f->IsMouseOver = false;
    if (IsEffectText(object) && f->FadeParam().MouseAlphaEnabled) f->SetAlpha(f->FadeParam().NormalAlpha);
  }
  if (object.Enable) RunActions(object.OnLeaveActions, this);
}

void TAutoRunForm::ObjectMouseDown(TAuObject& object, Qt::MouseButton button, Qt::MouseButtons, Qt::KeyboardModifiers,
                                   QPoint pos) {
  if (!RunsActions() || button != Qt::LeftButton) return;
  TPageBusy busy(this);
  MoveX = pos.x();
  MoveY = pos.y();
  if (!object.Enable) return;
  RunActions(object.OnMouseDownActions, this);
  if (TFadingControl* f = FadingControlOf(object); f && f->FadeParam().MouseAlphaEnabled)
    f->SetAlpha(f->FadeParam().MouseDownAlpha);
}

void TAutoRunForm::ObjectMouseMove(TAuObject& object, Qt::MouseButtons buttons, Qt::KeyboardModifiers modifiers,
                                   QPoint pos) {
  if (!RunsActions() || !object.MoveHandle || buttons != Qt::LeftButton) return;
  if (modifiers & (Qt::ShiftModifier | Qt::ControlModifier | Qt::AltModifier | Qt::MetaModifier)) return;
  move(x() + pos.x() - MoveX, y() + pos.y() - MoveY);
}

void TAutoRunForm::ObjectMouseUp(TAuObject& object, Qt::MouseButton button, Qt::MouseButtons, Qt::KeyboardModifiers,
                                 QPoint) {
  if (!RunsActions() || button != Qt::LeftButton) return;
  TPageBusy busy(this);
  // Also for a disabled object: it may have been disabled while the button was down.
  RunActions(object.OnMouseUpActions, this);
  if (TFadingControl* f = FadingControlOf(object); f && f->FadeParam().MouseAlphaEnabled && f->IsMouseOver)
    f->SetAlpha(f->FadeParam().MouseOverAlpha);
}

void TAutoRunForm::ObjectFadeOver(TAuObject& object) {
  if (TFadingControl* f = FadingControlOf(object)) f->ApplyPendingSwap();
}

void TAutoRunForm::MenuItemClick(const TMenuItem& item) {
  if (!RunsActions()) return;
  // Decoded at every click and released after: the item carries its list only as text.
  TAuActions actions;
  if (HintToActions(item.Hint, actions)) RunActions(actions, this);
  ClearActions(actions);
}

// ---- pages of the project ----

int FindPageIndex(const QString& name) { return name.isEmpty() ? -1 : Project.FindForm(name); }

bool MovePage(int from, int to) {
  auto& forms = Project.Forms;
  const int count = static_cast<int>(forms.size());
  if (from == to || from < 0 || from >= count || to < 0 || to >= count) return false;
  auto moved = std::move(forms[from]);
  forms.erase(forms.begin() + from);
  forms.insert(forms.begin() + to, std::move(moved));
  return true;
}

std::unique_ptr<TAutoRunForm> ShowPageWindow(int index, TShowPageMode mode, bool anyKeyClose, int closeAfterMs) {
  if (index < 0 || index >= static_cast<int>(Project.Forms.size())) return nullptr;
  auto form = std::make_unique<TAutoRunForm>();
  if (!form->LoadFormData(*Project.Forms[index])) return nullptr;
  form->CloseFree = true;
  form->FormIndex = index;
  if (mode == TShowPageMode::FullScreen) {
    form->Page.BorderStyle = TFormBorderStyle::bsNone;
    form->Page.FormWindowState = TWindowState::wsMaximized;
    form->Page.FormStyle = TFormStyle::fsNormal;
    form->ApplyPageProps();
    form->DoPosition();
    form->setEnabled(false);
  }
  form->IsModal = mode == TShowPageMode::Modal;
  form->CloseAfterMs = closeAfterMs;
  form->AnyKeyClose = anyKeyClose;
  if (mode == TShowPageMode::Modal) {
    form->CloseFree = false;
    form->ShowModal();
    return form;
  }
  TAutoRunForm* shown = form.release();  // it destroys itself when closed
  shown->show();
  if (mode == TShowPageMode::FullScreen)
    if (TAutoRunForm* main = MainPageWindow()) {
      main->raise();
      main->activateWindow();
    }
  return nullptr;
}

void ShowSplashPage() {
  ShowPageWindow(FindPageIndex(Project.SplashScreenName), TShowPageMode::Modal, true, Project.SplashScreenTime);
}

void ShowFullScreenPage() {
  ShowPageWindow(FindPageIndex(Project.FullScreenName), TShowPageMode::FullScreen, false, 0);
}

void ShowExitPage() {
  ShowPageWindow(FindPageIndex(Project.ExitFormName), TShowPageMode::Modal, true, Project.ExitFormTime);
}

std::unique_ptr<TAutoRunForm> CreateMainPage() {
  auto form = std::make_unique<TAutoRunForm>();
  if (!Project.Forms.empty() && form->LoadFormData(*Project.Forms[0])) form->FormIndex = 0;
  SetMainPageWindow(form.get());
  QObject::connect(form.get(), &TAutoRunForm::PageClosed, qApp, &QCoreApplication::quit, Qt::QueuedConnection);
  return form;
}
