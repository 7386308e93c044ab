// The page window: shows one page of the project (its frame, menu bar, status bar and object tree),
// runs its show and close actions, fades it in and out, closes it on timers or keys, switches its
// content in place (go to page) and receives the events of its objects.
//
// A page window is live (player pages, designer previews) or the designer's editing canvas, as the
// program was when it was created (IsLive()). The editing canvas runs no actions, fades or timers.
//
// Nothing an action asks for destroys anything at once: closing, switching the content and ending
// the program go through the window's 10 ms timers, and they also wait while one of the window's
// own action lists is still running (a modal page or a message box inside it), so the objects
// whose events are being handled always outlive their handlers.
#pragma once

#include <QMainWindow>
#include <QPointer>
#include <QStringList>
#include <QTimer>
#include <functional>
#include <memory>
#include <optional>
#include <vector>

#include "model/PageStream.h"
#include "objects/ObjectControl.h"

class QScrollArea;
class TPageStatusBar;

// Page fades: the alpha values (0..255) shown in turn, each but the last held for one step.
constexpr int PageFadeStepMs = 25;
// A fade in from 0 towards FormAlpha × 255 div 100 in steps of fadeInStep × 255 div 100 (at least 1),
// ending at that target.
std::vector<int> FadeInValues(int formAlpha, int fadeInStep);
// A fade out from alpha down in steps of fadeOutStep × 255 div 100 (at least 1), ending at 0.
std::vector<int> FadeOutValues(int alpha, int fadeOutStep);

// The delay of every deferred close, switch and after-show step.
constexpr int PageTimerMs = 10;

class TAutoRunForm : public QMainWindow, public TPageEvents {
  Q_OBJECT

 public:
  explicit TAutoRunForm(QWidget* parent = nullptr);
  ~TAutoRunForm() override;

  // ---- the page ----

  // The page values and the object tree; PanelObject is the page panel, whose control fills the
  // client area. The designer edits these and calls ApplyPageProps or RecordChanged.
  TPageData Page;
  TAuObject* PanelObject() const { return Page.PanelObject.get(); }
  bool Live() const { return FLive; }

  int MoveX = 0, MoveY = 0;   // pointer position inside an object at the last left press
  bool Closed = false;        // the close timer has closed the window once
  bool CloseEvented = false;  // the close handler has run
  bool CloseFree = false;     // destroyed once closed (pages shown by actions)
  bool IsModal = false;
  bool AnyKeyClose = false;  // a key release or a click on any object closes the window
  int CloseAfterMs = 0;      // closes by itself this long after the fade-in; 100 or less: never
  bool DataChanged = false;  // designer: edited since last loaded or stored
  int FormIndex = -1;        // the page-table entry last loaded

  // A new, empty page with this caption (the designer's new pages).
  void InitForm(const QString& caption);
  // Loads a page-table entry: normally as a new page (frame, size, menu, placement, opacity), or
  // with isGotoPage only the content of this shown window (caption, position settings without
  // re-placing, icon, show actions, status bar and objects). Reports a failure and returns false;
  // the window then keeps what it showed.
  bool LoadFormData(const TFormData& entry, bool isGotoPage = false);
  // The same for a page value already read (a template, a new page).
  bool LoadPage(TPageData page, bool isGotoPage = false);
  // Copies what the controls changed into the records and keeps the page as entry's page stream.
  bool StoreFormData(TFormData& entry);
  // Puts the page-level values (caption, frame, size, menu, status bar, icon) onto the window again
  // after the designer changed them.
  void ApplyPageProps();
  // Places the window by its page's position settings.
  void DoPosition();

  // The window's alpha value, 0..255.
  int AlphaValue() const { return FAlpha; }
  // A fade in or out is under way.
  bool Fading() const;

  // Switches this window to page pageIndex once the running action list has finished.
  void GoToPage(int pageIndex);
  // Closes the window once the current event handler has returned.
  void CloseSoon();
  // Shows the window modally; returns when it has closed.
  void ShowModal();

  // The status bar's panel texts changed (the set-text action).
  void SetStatusPanelText(int index, const QString& text);

  // ---- lookup and naming on this page ----
  PAuObject GetAuObjectFromName(const QString& objectName) const;
  bool IsNewObjectName(const QString& objectName) const;
  QString GetNewObjectName(TObjectType objectType) const;
  void GetTextNames(QStringList& names) const;
  void GetImageNames(QStringList& names) const;
  void MoveAuObject(TAuObject& parentObject, int index, int newIndex);
  void ReSetObjectsOrder(TAuObject& object);

  // ---- actions (ActionRunner.cpp) ----
  // Runs one action on this page: closing, switching and changing objects here, the rest through
  // RunCommand; after a command that requested the exit, closes pages towards the main page.
  void DoAction(const TAuAction& action, TAutoRunForm* modalForm = nullptr);
  void SetObjectText(const QString& text, const QString& target);
  void SetObjectImage(const std::optional<TPicture>& picture, const QString& target);

  // ---- object events ----
  void ObjectClick(TAuObject& object) override;
  void ObjectDblClick(TAuObject& object) override;
  void ObjectMouseEnter(TAuObject& object) override;
  void ObjectMouseLeave(TAuObject& object) override;
  void ObjectMouseDown(TAuObject& object, Qt::MouseButton button, Qt::MouseButtons buttons,
                       Qt::KeyboardModifiers modifiers, QPoint pos) override;
  void ObjectMouseMove(TAuObject& object, Qt::MouseButtons buttons, Qt::KeyboardModifiers modifiers,
                       QPoint pos) override;
  void ObjectMouseUp(TAuObject& object, Qt::MouseButton button, Qt::MouseButtons buttons,
                     Qt::KeyboardModifiers modifiers, QPoint pos) override;
  void ObjectFadeOver(TAuObject& object) override;
  void MenuItemClick(const TMenuItem& item) override;

  // Walks the objects below parentObject depth first: before the fade-in every panel repaints;
  // after it every media player starts (through the media starter).
  void AfterLoadDoObjects(TAuObject& parentObject, bool beforeFade);

  // ---- parts, for the designer and tests ----
  QScrollArea* ScrollBox1() const { return FScrollBox; }
  // The widget the page panel's control is created on.
  QWidget* ClientHost() const { return FHost; }
  QWidget* StatusBarWidget() const;

  QTimer Timer2;  // go to page
  QTimer Timer3;  // after show
  QTimer Timer4;  // close

 Q_SIGNALS:
  // The close has finished: actions run, objects freed.
  void PageClosed();

 protected:
  void showEvent(QShowEvent* event) override;
  void closeEvent(QCloseEvent* event) override;
  void resizeEvent(QResizeEvent* event) override;
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  friend class TPageBusy;

  void FormShow();
  void Timer2Timer();
  void Timer3Timer();
  void Timer4Timer();
  void DoFadeIn(std::function<void()> then);
  void DoFadeOut(std::function<void()> then);
  void StartFade(std::vector<int> values, std::function<void()> then);
  void FadeTick();
  void SetAlphaValue(int alpha);
  // Fade-out done (or none): close actions, exit actions and page for the main page, objects freed.
  void FinishClose();

  void ApplyWindowFrame();
  void ApplyClientSize();
  void RebuildMenu();
  void ApplyStatusBar();
  void ApplyIcon();
  void LayoutClient();
  bool CreatePanelControls();
  void ReleaseObjects();
  void UpdateTransparentMask();
  bool RunsActions() const { return FLive; }

  bool FLive = true;
  int FBusy = 0;  // action lists of this page now running
  int FGotoIndex = -1;
  int FAlpha = 255;
  bool FCloseDone = false;
  bool FReshowing = false;
  QScrollArea* FScrollBox = nullptr;
  QWidget* FHost = nullptr;
  TPageStatusBar* FStatusBar = nullptr;
  QTimer FFadeTimer;
  std::vector<int> FFadeValues;
  size_t FFadeNext = 0;
  std::function<void()> FFadeThen;
};

// Marks a page as running one of its action lists for as long as it lives (see above).
class TPageBusy {
 public:
  explicit TPageBusy(TAutoRunForm* page);
  ~TPageBusy();
  TPageBusy(const TPageBusy&) = delete;
  TPageBusy& operator=(const TPageBusy&) = delete;

 private:
  QPointer<TAutoRunForm> FPage;
};

// ---- pages of the project ----

// Index of the first page-table entry named exactly name (case-sensitive); -1 for an empty name or
// none.
int FindPageIndex(const QString& name);
// Moves page-table entry from to position to, the entries between shifting by one. Nothing when the
// indexes are equal or either is outside the table; returns whether it moved.
bool MovePage(int from, int to);

enum class TShowPageMode { Normal, Modal, FullScreen };

// Shows page index in a new window. Normal and full-screen windows live on their own and destroy
// themselves when closed (null is returned); a modal window is returned once it has closed, for
// the caller to release. Nothing for an index outside the page table or a page that fails to load.
std::unique_ptr<TAutoRunForm> ShowPageWindow(int index, TShowPageMode mode, bool anyKeyClose, int closeAfterMs);

// The project's splash page (modal, any key closes it, SplashScreenTime), full-screen background
// page and exit page (modal, any key, ExitFormTime); nothing when the project names no such page.
void ShowSplashPage();
void ShowFullScreenPage();
void ShowExitPage();

// The player's main page window: its close runs the project's exit actions and the exit page.
TAutoRunForm* MainPageWindow();
void SetMainPageWindow(TAutoRunForm* page);
// Creates the main page window from page 0 (loaded and placed, not yet shown; FormIndex 0) and makes
// it the main page; closing it ends the application's event loop. A project without pages gives a
// window that is never to be shown: the caller should end instead.
std::unique_ptr<TAutoRunForm> CreateMainPage();

// Starts a media player object once its page has faded in (the file assigned, run mode, playing
// when Active). The media engine installs it; without one no media object starts by itself.
using TMediaStarter = std::function<void(TAuObject& mediaObject)>;
void SetMediaStarter(TMediaStarter starter);
