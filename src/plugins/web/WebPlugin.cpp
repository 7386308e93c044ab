// The web engine: the web browser object on Qt WebEngine, and the Flash player object, whose movies
// the Flash runtime (a WebAssembly player in its own folder of files) plays inside a web view.
#include <QtWebEngineQuick/qtwebenginequickglobal.h>

#if defined(Q_OS_UNIX)
#include <unistd.h>
#endif

#include <QDir>
#include <QFileInfo>
#include <QJsonDocument>
#include <QJsonObject>
#include <QObject>
#include <QOpenGLContext>
#include <QPointer>
#include <QUrl>
#include <QWebEnginePage>
#include <QWebEngineSettings>
#include <QWebEngineView>

#include "objects/MediaEngines.h"

namespace {

// Qt WebEngine shares an OpenGL context with the program's windows. It expects it to be set up
// before the application object exists, which a program that loads it late cannot do: set it up
// now, before the first view, while no window of the program uses OpenGL. The program itself only
// paints with the raster engine, so nothing has a context that would miss the sharing. (A program
// that sets Qt::AA_ShareOpenGLContexts before its application object already has the context.)
//
// The browser's sandbox cannot run for the superuser, and the engine would end the whole program
// rather than start without it: a menu started as root (a kiosk, a live system) runs its web views
// unsandboxed instead.
void PrepareWebEngine() {
  static bool done = false;
  if (done) return;
  done = true;
#if defined(Q_OS_UNIX)
  if (geteuid() == 0 && !qEnvironmentVariableIsSet("QTWEBENGINE_DISABLE_SANDBOX"))
    qputenv("QTWEBENGINE_DISABLE_SANDBOX", "1");
#endif
  if (!QOpenGLContext::globalShareContext()) QtWebEngineQuick::initialize();
}

QUrl AddressUrl(const QString& address) {
  if (QFileInfo(address).isAbsolute() && QFileInfo::exists(address)) return QUrl::fromLocalFile(address);
  return QUrl::fromUserInput(address);
}

class TQtWebView : public TWebView {
 public:
  explicit TQtWebView(QWidget* parent) : FView(new QWebEngineView(parent)) {
    QObject::connect(FView, &QWebEngineView::loadFinished, FView, [this](bool ok) {
      if (OnLoaded) OnLoaded(ok);
    });
  }
  ~TQtWebView() override {
    OnLoaded = nullptr;
    if (FView) QObject::disconnect(FView, nullptr, FView, nullptr);
  }
  QWidget* Widget() const override { return FView; }
  void Navigate(const QString& address) override {
    if (FView) FView->load(AddressUrl(address));
  }
  QString Url() const override { return FView ? FView->url().toString() : QString(); }
  QString Title() const override { return FView ? FView->title() : QString(); }

 private:
  QPointer<QWebEngineView> FView;
};

// The page that plays one movie: the runtime from its folder, the movie as a local file, the
// object's Loop and ContextMenu as the runtime's options. The page tells its state in its title.
// The runtime always repeats a movie; without Loop the page stops it when its last frame is due.
const char* const MoviePage = R"(<!DOCTYPE html>
<html><head><meta charset="utf-8"><title>loading</title>
<style>html,body{margin:0;width:100%;height:100%;overflow:hidden;background:#fff}
ruffle-player{display:block;width:100%;height:100%}</style>
<script src="ruffle.js"></script></head>
<body><script>
(function () {
  const options = %1;
  const status = (text) => { document.title = text; };
  if (!options.movie) { status("empty"); return; }
  const player = window.RufflePlayer.newest().createPlayer();
  document.body.appendChild(player);
  player.addEventListener("loadedmetadata", () => {
    const m = player.metadata;
    if (!options.loop && m && m.numFrames > 1 && m.frameRate > 0)
      setTimeout(() => { player.pause(); status("stopped"); }, (m.numFrames - 1) * 1000 / m.frameRate);
  });
  player.load({
    url: options.movie, autoplay: "on", unmuteOverlay: "hidden", splashScreen: false,
    contextMenu: options.contextMenu ? "on" : "off", menu: options.contextMenu,
    warnOnUnsupportedContent: false, showSwfDownload: false, letterbox: "off", logLevel: "error"
  }).then(() => status("playing"), (error) => status("error " + error));
})();
</script></body></html>
)";

class TRuffleMovieView : public TMovieView {
 public:
  TRuffleMovieView(QWidget* parent, const QString& runtimeFolder)
      : FView(new QWebEngineView(parent)), FRuntimeFolder(runtimeFolder) {
    // The movie's own context menu comes from the runtime, not from the browser.
    FView->setContextMenuPolicy(Qt::NoContextMenu);
    QWebEngineSettings* settings = FView->settings();
    settings->setAttribute(QWebEngineSettings::LocalContentCanAccessFileUrls, true);
    settings->setAttribute(QWebEngineSettings::PlaybackRequiresUserGesture, false);
    QObject::connect(FView, &QWebEngineView::titleChanged, FView, [this](const QString&) {
      if (OnStatus) OnStatus();
    });
  }
  ~TRuffleMovieView() override {
    OnStatus = nullptr;
    if (FView) QObject::disconnect(FView, nullptr, FView, nullptr);
  }
  QWidget* Widget() const override { return FView; }
  void LoadMovie(const QString& fileName, bool loop, bool contextMenu) override {
    if (!FView) return;
    QJsonObject options;
    options.insert(QStringLiteral("movie"), fileName.isEmpty() ? QString() : QUrl::fromLocalFile(fileName).toString());
    options.insert(QStringLiteral("loop"), loop);
    options.insert(QStringLiteral("contextMenu"), contextMenu);
    const QString page =
        QString::fromUtf8(MoviePage).arg(QString::fromUtf8(QJsonDocument(options).toJson(QJsonDocument::Compact)));
    // The page counts as a file of the runtime's folder, so its scripts and modules load from there.
    FView->setHtml(page, QUrl::fromLocalFile(QDir(FRuntimeFolder).filePath(QStringLiteral("movie.html"))));
  }
  QString Status() const override { return FView ? FView->title() : QString(); }

 private:
  QPointer<QWebEngineView> FView;
  QString FRuntimeFolder;
};

}  // namespace

class TWebPlugin : public QObject, public TEnginePlugin {
  Q_OBJECT
  Q_PLUGIN_METADATA(IID MENUVIA_ENGINE_PLUGIN_IID)
  Q_INTERFACES(TEnginePlugin)

 public:
  std::unique_ptr<TWebView> CreateWebView(QWidget* parent) override {
    PrepareWebEngine();
    return std::make_unique<TQtWebView>(parent);
  }
  std::unique_ptr<TMovieView> CreateMovieView(QWidget* parent, const QString& runtimeFolder) override {
    if (!QFileInfo(QDir(runtimeFolder).filePath(QStringLiteral("ruffle.js"))).isFile()) return nullptr;
    PrepareWebEngine();
    return std::make_unique<TRuffleMovieView>(parent, runtimeFolder);
  }
};

#include "WebPlugin.moc"
