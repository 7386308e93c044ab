// The shells of the web browser, media player, Flash player and PDF reader kinds: their size,
// colour, border, the media player's display area, control bar and playing rules, and the message
// of the Flash player and PDF reader.
//
// A page may hold many shells, so a shell is one widget that paints its colour and message itself
// until an engine asks for the content area its view goes in.
//
// What plays inside a shell comes from an engine (SetShellEngineFactory); the player makes engines
// from the components of its plugins (MakePluginEngine, objects/MediaEngines.h), so this layer
// links no web, multimedia or PDF module. Without an engine a shell stays as drawn here: a live
// Flash player or PDF reader then shows its "not installed" message, as when the platform control
// cannot be created, and a media player stays black.
#pragma once

#include <QFrame>
#include <QPixmap>
#include <QSlider>
#include <QTimer>
#include <QToolButton>
#include <functional>
#include <memory>

#include "model/PayloadsFading.h"
#include "objects/ControlWidgets.h"
#include "objects/MediaEngines.h"
#include "objects/ObjectControl.h"

class TAuMediaShell;

// The content of one shell: a web view, a media player, a movie or document viewer.
class TShellEngine {
 public:
  virtual ~TShellEngine() = default;
  // (Re)loads what the shell's record names: called once the shell has its first size and after
  // every change of its properties. The engine reads the record (shell.AuObject), resolves file
  // names against shell.Context().ProjectFolder, and shows its view with shell.SetEngineView.
  virtual void Apply(TAuMediaShell& shell) = 0;
  // Brings playback to the state a still picture of the page shows (stopped, at the start).
  virtual void Settle(TAuMediaShell& shell) { (void)shell; }
  // The multimedia player of a media player object's engine, or null.
  virtual TMediaComponent* Media() { return nullptr; }
};

// Makes the engine of a shell, or null when it cannot (the component is missing). Called live
// only, once per shell.
using TShellEngineFactory = std::function<std::unique_ptr<TShellEngine>(TAuMediaShell& shell)>;
// Installs the factory of one kind (an empty function removes it). Kinds other than the four
// shells are ignored.
void SetShellEngineFactory(TObjectType kind, TShellEngineFactory factory);

// The engine of shell's kind made from a plugin's components, or null when the plugin cannot make
// them. flashRuntimeFolder: where the Flash runtime's files are (empty: not installed).
std::unique_ptr<TShellEngine> MakePluginEngine(TAuMediaShell& shell, TEnginePlugin& plugin,
                                               const QString& flashRuntimeFolder = {});

// The two lines the Flash player and the PDF reader show when their component is missing.
inline const QString FlashNotInstalledText =
    QStringLiteral("Flash player is not installed.\r\nPlease click here to get it.");
inline const QString PDFNotInstalledText =
    QStringLiteral("Adobe Reader is not installed.\r\nPlease click here to get it.");

class TAuMediaShell : public TMouseKeeping<QFrame>, public TAuControl {
 public:
  TAuMediaShell(TAuObject& object, QWidget* parent, const TControlContext& context);
  ~TAuMediaShell() override;

  QWidget* Widget() override { return this; }

  // Where the engine's view goes: the whole shell, or the media player's display area. Made on the
  // first call; until then the shell paints the area's colour itself.
  QWidget* ContentArea();
  // Shows view filling the content area (the shell takes ownership); null removes the current one.
  void SetEngineView(QWidget* view);
  QWidget* EngineView() const { return FView; }
  TShellEngine* Engine() const { return FEngine.get(); }

  // The message of the Flash player and the PDF reader (the other kinds have none and ignore
  // ShowMessage): bold blue text centred over the client rectangle, which has the mouse while it is
  // shown, with the pointing hand; a left click on it opens DownloadAddress().
  void ShowMessage(const QString& text);
  void HideMessage();
  bool MessageShown() const { return FMessageShown; }
  // The text shown, or empty.
  QString MessageText() const { return FMessageShown ? FMessageText : QString(); }
  virtual QString DownloadAddress() const { return {}; }

  void SettleForSnapshot() override;

 protected:
  // The kind's own border (and what else it shows) onto the shell.
  virtual void ApplyShell() = 0;
  // The colour of the content area (read when the payload is applied).
  virtual TColor ContentColor() const = 0;
  // Where the content area goes: the client rectangle, less the media player's control bar.
  virtual QRect ContentRect() const { return contentsRect(); }
  void ApplyPayload() override;
  void ApplyCommon() override;
  // The shell looks the same at every size; the content follows the size by itself.
  void SizeChanged() override;
  void resizeEvent(QResizeEvent* e) override;
  void paintEvent(QPaintEvent* e) override;
  bool event(QEvent* e) override;
  // The message's part of the shell's own events while it is shown; true when it takes the event.
  bool MessageEvent(QEvent* e);
  // Lays out the content area (and what else the kind shows) in the shell's client rectangle.
  virtual void LayoutParts();
  // The text shown live when no engine could be made (empty: none).
  virtual QString MissingEngineText() const { return {}; }
  // The kind can show a message.
  void AddMessage() { FHasMessage = true; }

 private:
  void StartEngine();
  bool OnMessage(QPoint pos) const { return FMessageShown && contentsRect().contains(pos); }
  // The pointing hand over the message, the record's cursor elsewhere.
  void ShowCursorFor(QPoint pos);
  void ShowRecordCursor();

  QWidget* FContent = nullptr;
  QWidget* FView = nullptr;
  QString FMessageText;
  bool FHasMessage = false;
  bool FMessageShown = false;
  // The message has the mouse from a press on it until every button is up, as a widget would.
  bool FMessageGrab = false;
  bool FHandCursor = false;
  std::unique_ptr<TShellEngine> FEngine;
  bool FApplied = false;
  bool FEngineAsked = false;
};

class TAuWebBrowser : public TAuMediaShell {
 public:
  using TAuMediaShell::TAuMediaShell;
  const TWebBrowserPayload& Payload() const { return static_cast<const TWebBrowserPayload&>(*AuObject->Payload); }
  // Where the browser navigates: nothing on the editing canvas or without a URL; the stored text
  // for web addresses; the file made absolute against the project folder for types 1 and 2.
  QString NavigationAddress() const;
  // What the view is given: NavigationAddress, where a folder that has an index page shows that
  // page (and one without shows its listing).
  QString NavigationTarget() const;

 protected:
  void ApplyShell() override;
  TColor ContentColor() const override { return clWhite; }
};

// The media player's buttons.
enum TMPBtnType : uint8_t { btPlay, btPause, btStop };

class TAuMediaPlayer : public TAuMediaShell {
 public:
  TAuMediaPlayer(TAuObject& object, QWidget* parent, const TControlContext& context);
  ~TAuMediaPlayer() override;
  const TMediaPlayerPayload& Payload() const { return static_cast<const TMediaPlayerPayload&>(*AuObject->Payload); }

  // The black display area is ContentArea(); below it the control bar with the player's buttons and
  // its position bar, all disabled until a medium is open.
  static constexpr int ControlBarHeight = 22;
  static constexpr int TimerIntervalMs = 1000;
  //
  // Until a medium opens, every part of the bar is disabled and does nothing, so the bar is drawn as
  // a picture of itself and its widgets are made only then, when the pointer enters the player (the
  // bar keeps its mouse from the object), or when asked for here.
  QWidget* ControlBar() { return MakeBar(); }
  QToolButton* PlayButton() { return MakeBar(), FPlay; }
  QToolButton* PauseButton() { return MakeBar(), FPause; }
  QToolButton* StopButton() { return MakeBar(), FStop; }
  QSlider* TrackBar() { return MakeBar(), FTrack; }
  bool HasBarWidgets() const { return FBar != nullptr; }

  // What the page does once it has faded in: the stored file assigned, run mode, and playing when
  // the object's "Play" is on.
  void StartAfterFadeIn();
  // Assigning the file (stored, project-relative) opens it; Error tells whether that failed. An
  // empty name opens nothing.
  void SetFilename(const QString& mediaFile);
  QString Filename() const { return FFilename; }
  // Starts the 1-second timer that keeps the position bar current and repeats the medium (live only).
  void SetRunMode();
  // Plays the open medium; nothing without one.
  void Play();
  // A press of one of the player's buttons (Stop also rewinds).
  void ButtonClick(TMPBtnType button);
  // The 1-second timer's work.
  void TimerTick();

  bool Error() const { return FError; }
  TMPBtnType LastButton() const { return FLastButton; }
  TMediaComponent* Media() const { return Engine() ? Engine()->Media() : nullptr; }

 protected:
  void ApplyShell() override;
  TColor ContentColor() const override { return TMediaPlayerPayload::Color; }
  QRect ContentRect() const override { return FDisplayRect; }
  void LayoutParts() override;
  void paintEvent(QPaintEvent* e) override;
  bool event(QEvent* e) override;

 private:
  QWidget* MakeBar();
  void EnableButtons(bool play, bool pause, bool stop);
  // The position bar follows the player without that move being taken for a seek.
  void MoveTrackBar();
  void TrackBarChanged(int value);
  void Notified();

  QWidget* FBar = nullptr;
  QToolButton *FPlay = nullptr, *FPause = nullptr, *FStop = nullptr;
  QSlider* FTrack = nullptr;
  QRect FBarRect;       // where the bar goes; empty when it is off
  QRect FDisplayRect;   // the display area above it
  QPixmap FBarPicture;  // the bar as drawn before its widgets exist; null when to be drawn again
  TControlClock FTimer;
  QString FFilename;
  TMPBtnType FLastButton = btStop;
  bool FCancelTrackBarEvent = false;
  bool FError = true;
};

class TAuFlashPlayer : public TAuMediaShell {
 public:
  TAuFlashPlayer(TAuObject& object, QWidget* parent, const TControlContext& context);
  const TFlashPlayerPayload& Payload() const { return static_cast<const TFlashPlayerPayload&>(*AuObject->Payload); }
  QString DownloadAddress() const override;

 protected:
  void ApplyShell() override;
  TColor ContentColor() const override { return Payload().Color; }
  QString MissingEngineText() const override { return FlashNotInstalledText; }
};

class TAuPDFReader : public TAuMediaShell {
 public:
  TAuPDFReader(TAuObject& object, QWidget* parent, const TControlContext& context);
  const TPDFReaderPayload& Payload() const { return static_cast<const TPDFReaderPayload&>(*AuObject->Payload); }
  QString DownloadAddress() const override;

 protected:
  void ApplyShell() override;
  TColor ContentColor() const override { return Payload().Color; }
  QString MissingEngineText() const override { return PDFNotInstalledText; }
};
