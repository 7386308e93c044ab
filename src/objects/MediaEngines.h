// What the engine plugins provide: a multimedia player for sounds and the media player object, a
// PDF view, a web view and a Flash movie view. The plugins link Qt Multimedia, Qt PDF and Qt
// WebEngine so that the program does not, and a menu that shows none of these objects pays nothing
// for them.
//
// Only these plain abstract classes over Qt types cross the library boundary: a plugin includes
// this header and nothing else of the program, and the program reaches a plugin only through it.
#pragma once

#include <QString>
#include <QWidget>
#include <QtPlugin>
#include <cstdint>
#include <functional>
#include <memory>

// The mode of a multimedia player. Stop halts at the current position; a medium that played to
// its end is stopped there too.
enum TMPMode : uint8_t { mpStopped, mpPlaying, mpPaused };

// One multimedia player: one medium at a time.
class TMediaComponent {
 public:
  virtual ~TMediaComponent() = default;
  // Opens fileName (an absolute path), stopped at its start. False when there is nothing to open.
  // The medium is read in the background; one that turns out unplayable sets Failed() later.
  virtual bool Open(const QString& fileName) = 0;
  // Lets go of the medium.
  virtual void Close() = 0;
  // Plays from the position, from the start when it stands at the end. False without a playable
  // medium.
  virtual bool Play() = 0;
  virtual void Pause() = 0;
  virtual void Stop() = 0;
  virtual TMPMode Mode() const = 0;
  virtual bool Failed() const = 0;
  // Milliseconds; the length is 0 until the medium is known.
  virtual int64_t Position() const = 0;
  virtual void SetPosition(int64_t ms) = 0;
  virtual int64_t Length() const = 0;
  // The video display made with the component (owned by its Qt parent), or null for sound only.
  virtual QWidget* Display() const = 0;

  // Called after the mode, the length or the failure changed (the player's notification).
  std::function<void()> OnNotify;
};

// A PDF document shown page below page, scrolled by the user.
class TDocumentView {
 public:
  virtual ~TDocumentView() = default;
  // The view (owned by its Qt parent).
  virtual QWidget* Widget() const = 0;
  // Loads fileName (an absolute path); false when it is no readable document.
  virtual bool LoadFile(const QString& fileName) = 0;
  virtual int PageCount() const = 0;
};

// A web view.
class TWebView {
 public:
  virtual ~TWebView() = default;
  virtual QWidget* Widget() const = 0;
  // Navigates to a web address as typed ("www.example.com" included) or to an absolute local path.
  virtual void Navigate(const QString& address) = 0;
  // The address shown and the title of the loaded page.
  virtual QString Url() const = 0;
  virtual QString Title() const = 0;

  // Called when a navigation ended, with whether the page loaded.
  std::function<void(bool ok)> OnLoaded;
};

// A Flash movie played by the Flash runtime inside a web view.
class TMovieView {
 public:
  virtual ~TMovieView() = default;
  virtual QWidget* Widget() const = 0;
  // Loads the movie fileName (an absolute path; empty: none) with its settings: loop repeats the
  // movie at its last frame, contextMenu offers the runtime's menu on a right click.
  virtual void LoadMovie(const QString& fileName, bool loop, bool contextMenu) = 0;
  // What the runtime reports: "loading", "playing", "stopped" (a movie without loop at its end),
  // "empty" (no movie) or "error" followed by the reason.
  virtual QString Status() const = 0;

  // Called when the status changed.
  std::function<void()> OnStatus;
};

// The entry of one plugin library. Each Create returns null when the plugin does not provide the
// engine or cannot make it; the caller then behaves as without the component.
class TEnginePlugin {
 public:
  virtual ~TEnginePlugin() = default;
  // displayParent: where the video display goes; null for a sound player without one.
  virtual std::unique_ptr<TMediaComponent> CreateMediaComponent(QWidget* /*displayParent*/) { return nullptr; }
  virtual std::unique_ptr<TDocumentView> CreateDocumentView(QWidget* /*parent*/) { return nullptr; }
  virtual std::unique_ptr<TWebView> CreateWebView(QWidget* /*parent*/) { return nullptr; }
  // runtimeFolder holds the Flash runtime's files; null when they are not there.
  virtual std::unique_ptr<TMovieView> CreateMovieView(QWidget* /*parent*/, const QString& /*runtimeFolder*/) {
    return nullptr;
  }
};

#define MENUVIA_ENGINE_PLUGIN_IID "org.menuvia.EnginePlugin/1"
Q_DECLARE_INTERFACE(TEnginePlugin, MENUVIA_ENGINE_PLUGIN_IID)
