// The PDF reader, web browser and Flash player objects on their real plugins: a PDF written here
// opens live with its pages, a local page of type "File" loads from the project folder, a movie
// written here plays with its stage colour, and without their component the objects show their
// message. Web views are slow to start: one test each for the browser and the Flash player.
#include <QPainter>
#include <QPdfWriter>
#include <QTest>

#include "ControlTestSupport.h"
#include "MediaTestSupport.h"
#include "model/ObjectStream.h"
#include "objects/MediaShells.h"
#include "player/MediaEngines.h"

namespace {

class MediaDocuments : public MediaTestBase {
 protected:
  void SetUp() override { InstallMediaEngines(); }
  void TearDown() override {
    Host.reset();
    Root.reset();
    RemoveMediaEngines();
    MediaTestBase::TearDown();
  }

  // A page of 400 × 300 holding one object of kind at (10, 10, 300, 200), live or editing.
  TAuMediaShell& Build(TObjectType kind, const std::function<void(TObjectPayload&)>& set, bool live = true) {
    Host.reset();
    Root = MakeObject(otPanel, QStringLiteral("Page"), {0, 0, 400, 300}, alClient);
    TAuObject& o = AddChild(*Root, MakeObject(kind, QStringLiteral("Shell"), {10, 10, 300, 200}));
    set(*o.Payload);
    Host = std::make_unique<TControlHost>(QSize(400, 300));
    TControlContext context;
    context.Live = live;
    context.Events = &Host->Events;
    context.ProjectFolder = Folder.path();
    EXPECT_TRUE(CreateObjectControl(*Root, Host->Window.get(), context));
    Host->Window->show();
    EXPECT_TRUE(QTest::qWaitForWindowExposed(Host->Window.get()));
    return *static_cast<TAuMediaShell*>(ControlOf(*Root->Objects.front()));
  }

  // The first object below w whose class is className (the plugins' Qt classes are not linked here).
  static QObject* FindByClass(QObject* w, const char* className) {
    for (QObject* o : w->findChildren<QObject*>())
      if (qstrcmp(o->metaObject()->className(), className) == 0) return o;
    return nullptr;
  }

  // Whether image shows the message's blue.
  static bool HasBlue(const QImage& image) {
    for (int y = 0; y < image.height(); ++y)
      for (int x = 0; x < image.width(); ++x)
        if (image.pixelColor(x, y) == QColor(0, 0, 255)) return true;
    return false;
  }

  std::unique_ptr<TAuObject> Root;
  std::unique_ptr<TControlHost> Host;
};

TEST_F(MediaDocuments, APdfOpensLiveWithItsPagesAndNothingOnTheCanvas) {
  {
    QPdfWriter writer(File(QStringLiteral("manual.pdf")));
    QPainter painter(&writer);
    for (int page = 1; page <= 3; ++page) {
      if (page > 1) writer.newPage();
      painter.drawText(QPointF(200, 400), QStringLiteral("Page %1").arg(page));
    }
  }
  auto set = [](TObjectPayload& p) { static_cast<TPDFReaderPayload&>(p).FileName = QStringLiteral("\\manual.pdf"); };
  TAuMediaShell& live = Build(otPDFReader, set);
  ASSERT_TRUE(live.Engine());
  ASSERT_TRUE(live.EngineView());
  EXPECT_STREQ(live.EngineView()->metaObject()->className(), "QPdfView");
  EXPECT_FALSE(live.MessageShown());
  QObject* document = FindByClass(live.EngineView(), "QPdfDocument");
  ASSERT_TRUE(document);
  EXPECT_EQ(document->property("pageCount").toInt(), 3);
  EXPECT_EQ(live.EngineView()->geometry(), live.ContentArea()->rect());
  live.grab().save(QDir::temp().filePath(QStringLiteral("menuvia-pdf-reader.png")));

  // The editing canvas creates nothing: an empty white box.
  TAuMediaShell& editing = Build(otPDFReader, set, false);
  EXPECT_FALSE(editing.Engine());
  EXPECT_FALSE(editing.EngineView());
  EXPECT_FALSE(editing.MessageShown());
  EXPECT_EQ(CentreColor(&editing), QColor(Qt::white));

  // A file that is not there leaves the reader empty, without a message.
  TAuMediaShell& missing = Build(
      otPDFReader, [](TObjectPayload& p) { static_cast<TPDFReaderPayload&>(p).FileName = QStringLiteral("\\x.pdf"); });
  ASSERT_TRUE(missing.EngineView());
  EXPECT_EQ(FindByClass(missing.EngineView(), "QPdfDocument")->property("pageCount").toInt(), 0);
  EXPECT_FALSE(missing.MessageShown());
}

// Without its plugin (or, for Flash, without the runtime's files) a live object shows its message.
TEST_F(MediaDocuments, AMissingComponentShowsTheMessage) {
  QTemporaryDir empty;
  const struct {
    const char* Name;
    TObjectType Kind;
    bool NoPlugins;
    QString Text;
  } cases[] = {
      {"PDF reader without its plugin", otPDFReader, true, PDFNotInstalledText},
      {"Flash player without its plugin", otFlashPlayer, true, FlashNotInstalledText},
      {"Flash player without the runtime", otFlashPlayer, false, FlashNotInstalledText},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.Name);
    SetEnginePluginFolders(c.NoPlugins ? QStringList{empty.path()} : QStringList{});
    SetFlashRuntimeFolders({empty.path()});
    TAuMediaShell& shell = Build(c.Kind, [](TObjectPayload&) {});
    EXPECT_FALSE(shell.Engine());
    EXPECT_TRUE(shell.MessageShown());
    EXPECT_EQ(shell.MessageText(), c.Text);
    EXPECT_TRUE(HasBlue(shell.grab().toImage()));
  }
  // The web browser and the media player have no message: they stay as drawn.
  SetEnginePluginFolders({empty.path()});
  for (TObjectType kind : {otWebBrowser, otMediaPlayer}) {
    TAuMediaShell& shell = Build(kind, [](TObjectPayload&) {});
    EXPECT_FALSE(shell.Engine());
    EXPECT_FALSE(shell.EngineView());
    EXPECT_FALSE(shell.MessageShown());
    EXPECT_FALSE(HasBlue(shell.grab().toImage()));
  }
}

// Where the browser goes, by type: web addresses as stored, files and folders in the project
// folder, a folder's index page when it has one.
TEST_F(MediaDocuments, WebBrowserTargets) {
  QDir(Folder.path()).mkpath(QStringLiteral("site"));
  QDir(Folder.path()).mkpath(QStringLiteral("files"));
  Write(QStringLiteral("site/index.htm"), "<html></html>");
  RemoveMediaEngines();  // targets only: no web view needed
  const struct {
    int Type;
    const char* Url;
    QString Expected;
  } cases[] = {
      {0, "www.example.com", QStringLiteral("www.example.com")},
      {0, "\\doc\\index.htm", QStringLiteral("\\doc\\index.htm")},
      {7, "http://example.com/a b", QStringLiteral("http://example.com/a b")},
      {1, "\\doc\\index.htm", File(QStringLiteral("doc/index.htm"))},
      {2, "\\site", File(QStringLiteral("site/index.htm"))},
      {2, "\\files", File(QStringLiteral("files"))},
      {1, "", QString()},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.Url);
    auto& web = static_cast<TAuWebBrowser&>(Build(otWebBrowser, [&](TObjectPayload& p) {
      auto& w = static_cast<TWebBrowserPayload&>(p);
      w.BrowserType = c.Type;
      w.URL = QString::fromUtf8(c.Url);
    }));
    EXPECT_EQ(QDir::cleanPath(web.NavigationTarget()), QDir::cleanPath(c.Expected));
  }
}

TEST_F(MediaDocuments, ALocalPageOfTypeFileLoadsFromTheProjectFolder) {
  QDir(Folder.path()).mkpath(QStringLiteral("doc"));
  Write(QStringLiteral("doc/index.htm"),
        "<html><head><title>Menuvia page</title></head><body style='background:#00c000'></body></html>");
  TAuMediaShell& web = Build(otWebBrowser, [](TObjectPayload& p) {
    auto& w = static_cast<TWebBrowserPayload&>(p);
    w.BrowserType = 1;
    w.URL = QStringLiteral("\\doc\\index.htm");
  });
  ASSERT_TRUE(web.Engine()) << "the web plugin of this build did not load";
  ASSERT_TRUE(web.EngineView());
  EXPECT_STREQ(web.EngineView()->metaObject()->className(), "QWebEngineView");
  ASSERT_TRUE(QTest::qWaitFor([&] { return web.EngineView()->property("title").toString() == "Menuvia page"; }, 30000));
  EXPECT_EQ(web.EngineView()->property("url").toUrl(), QUrl::fromLocalFile(File(QStringLiteral("doc/index.htm"))));
  EXPECT_TRUE(QTest::qWaitFor([&] { return Near(CentreColor(web.EngineView()), QColor(0, 0xc0, 0)); }, 10000))
      << CentreColor(web.EngineView()).name().toStdString();
  // Hidden with its object.
  web.AuObject->Visible = false;
  ControlOf(*web.AuObject)->RecordChanged(TRecordChange::Common);
  EXPECT_FALSE(web.isVisible());
}

TEST_F(MediaDocuments, AFlashMovieShowsItsStageAndItsPropertiesRoundTrip) {
  if (FlashRuntimeFolder().isEmpty())
    GTEST_SKIP() << "the Flash runtime is not installed (scripts/setup.sh fetches it)";
  const QColor stage(0x20, 0x80, 0xF0);
  Write(QStringLiteral("movie.swf"), MediaBytes::Swf(stage));
  auto set = [](TObjectPayload& p) {
    auto& f = static_cast<TFlashPlayerPayload&>(p);
    f.MovieFile = QStringLiteral("\\movie.swf");
    f.Loop = false;
    f.ContextMenu = false;
  };
  TAuMediaShell& flash = Build(otFlashPlayer, set);
  ASSERT_TRUE(flash.Engine()) << "the web plugin of this build did not make a movie view";
  EXPECT_FALSE(flash.MessageShown());
  ASSERT_TRUE(flash.EngineView());
  EXPECT_TRUE(QTest::qWaitFor([&] { return flash.EngineView()->property("title").toString() == "playing"; }, 30000))
      << flash.EngineView()->property("title").toString().toStdString();
  EXPECT_TRUE(QTest::qWaitFor([&] { return Near(CentreColor(flash.EngineView()), stage); }, 10000))
      << CentreColor(flash.EngineView()).name().toStdString();
  flash.grab().save(QDir::temp().filePath(QStringLiteral("menuvia-flash-player.png")));

  // What the live object writes is what it read.
  const QByteArray before = WriteBytes([&](TStream& s) { return WriteAuObject(s, *flash.AuObject); });
  StoreControlsToRecords(*Root);
  EXPECT_EQ(WriteBytes([&](TStream& s) { return WriteAuObject(s, *flash.AuObject); }), before);
  const TFlashPlayerPayload& p = static_cast<const TFlashPlayerPayload&>(*flash.AuObject->Payload);
  EXPECT_FALSE(p.Loop);
  EXPECT_FALSE(p.ContextMenu);
  EXPECT_EQ(p.MovieFile, QStringLiteral("\\movie.swf"));

  // A changed movie plays at once; without Loop it stops at its last frame (6 frames at 12 a second).
  Write(QStringLiteral("six.swf"), MediaBytes::Swf(stage, 6, 12));
  static_cast<TFlashPlayerPayload&>(*flash.AuObject->Payload).MovieFile = QStringLiteral("\\six.swf");
  ControlOf(*flash.AuObject)->RecordChanged();
  EXPECT_TRUE(QTest::qWaitFor([&] { return flash.EngineView()->property("title").toString() == "stopped"; }, 30000))
      << flash.EngineView()->property("title").toString().toStdString();
}

}  // namespace
