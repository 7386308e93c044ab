// menuvia-cli as a user runs it (the real binary through QProcess): rendering pages to PNG, its
// output hygiene and the atomic writing of the files it produces; and the offscreen page renderer
// under it.
#include <gtest/gtest.h>
#include <unistd.h>

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QImage>
#include <QProcess>
#include <QRegularExpression>
#include <QSet>
#include <QTemporaryDir>
#include <memory>

#include "AllKindsFixture.h"
#include "TestSupport.h"
#include "model/Globals.h"
#include "model/ObjectStream.h"
#include "model/PayloadsStandard.h"
#include "model/ProjectFile.h"
#include "objects/ObjectControl.h"
#include "objects/PageRender.h"

namespace {

struct TCliRun {
  int Exit = -1;
  QString Out, Err;
};

TCliRun RunCli(const QStringList& args, const QProcessEnvironment& env = QProcessEnvironment::systemEnvironment()) {
  QProcess p;
  p.setProcessEnvironment(env);
  p.start(TestPaths::CliBinary(), args);
  TCliRun r;
  if (!p.waitForFinished(120000)) {
    p.kill();
    p.waitForFinished();
    r.Err = QStringLiteral("<timed out>");
    return r;
  }
  r.Exit = p.exitStatus() == QProcess::NormalExit ? p.exitCode() : -2;
  r.Out = QString::fromUtf8(p.readAllStandardOutput());
  r.Err = QString::fromUtf8(p.readAllStandardError());
  return r;
}

QByteArray Slurp(const QString& name) {
  QFile f(name);
  return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray("<unreadable>");
}

bool Put(const QString& name, const QByteArray& bytes) {
  QFile f(name);
  return f.open(QIODevice::WriteOnly) && f.write(bytes) == bytes.size();
}

int CountColor(const QImage& image, QRgb color) {
  int n = 0;
  for (int y = 0; y < image.height(); ++y)
    for (int x = 0; x < image.width(); ++x) n += (image.pixel(x, y) & 0xFFFFFF) == (color & 0xFFFFFF);
  return n;
}

int DistinctColors(const QImage& image) {
  QSet<QRgb> colors;
  for (int y = 0; y < image.height(); y += 2)
    for (int x = 0; x < image.width(); x += 2) colors.insert(image.pixel(x, y));
  return int(colors.size());
}

// The size the render line reports: "Page N "Name": W x H (window ...) -> FILE".
QSize PrintedSize(const QString& out, int page, const QString& name, const QString& file) {
  const QRegularExpression line(QStringLiteral("^Page %1 \"%2\": (\\d+) x (\\d+) \\(window \\d+ x \\d+\\) -> %3$")
                                    .arg(page)
                                    .arg(QRegularExpression::escape(name), QRegularExpression::escape(file)),
                                QRegularExpression::MultilineOption);
  const auto m = line.match(out);
  return m.hasMatch() ? QSize(m.captured(1).toInt(), m.captured(2).toInt()) : QSize();
}

// The all-kinds project written once, with its two renderings, for the whole suite.
class CliRender : public ::testing::Test {
 protected:
  static void SetUpTestSuite() {
    // MENUVIA_RENDER_OUT keeps the project and its pictures in that folder, for looking at them.
    const QString keep = qEnvironmentVariable("MENUVIA_RENDER_OUT");
    Dir = keep.isEmpty() ? new QTemporaryDir : new QTemporaryDir(keep + QStringLiteral("/run-XXXXXX"));
    Dir->setAutoRemove(keep.isEmpty());
    QString error;
    ProjectPath = WriteAllKindsProject(Dir->path(), &error);
    ASSERT_FALSE(ProjectPath.isEmpty()) << error.toStdString();
    for (const bool editing : {false, true}) {
      const QString png = Path(editing ? "editing.png" : "live.png");
      QStringList args{QStringLiteral("render"), ProjectPath,          QStringLiteral("--page"),
                       QStringLiteral("0"),      QStringLiteral("-o"), png};
      if (editing) args << QStringLiteral("--editing");
      (editing ? Editing : Live) = RunCli(args);
      (editing ? EditingImage : LiveImage) = QImage(png);
    }
  }
  static void TearDownTestSuite() {
    delete Dir;
    Dir = nullptr;
  }
  static QString Path(const char* name) { return Dir->filePath(QLatin1String(name)); }

  static inline QTemporaryDir* Dir = nullptr;
  static inline QString ProjectPath;
  static inline TCliRun Live, Editing;
  static inline QImage LiveImage, EditingImage;
};

TEST_F(CliRender, AllKindsPageInBothModes) {
  for (const auto* run : {&Live, &Editing}) {
    const bool editing = run == &Editing;
    SCOPED_TRACE(editing ? "editing" : "live");
    ASSERT_EQ(run->Exit, 0) << run->Err.toStdString();
    EXPECT_TRUE(run->Err.isEmpty()) << run->Err.toStdString();
    const QImage& image = editing ? EditingImage : LiveImage;
    ASSERT_FALSE(image.isNull());
    const QSize printed = PrintedSize(run->Out, 0, AllKinds::PageName, Path(editing ? "editing.png" : "live.png"));
    EXPECT_EQ(printed, image.size()) << run->Out.toStdString();
    // A framed 1024 × 720 window less its frame.
    EXPECT_EQ(image.size(), QSize(1024 - 16, 720 - 51));
    // Gradients, pictures and text, not an empty canvas.
    EXPECT_GT(DistinctColors(image), 500);
  }
  EXPECT_NE(LiveImage, EditingImage);
  // The editing canvas outlines its windowless objects in dotted $808080.
  EXPECT_GT(CountColor(EditingImage, qRgb(0x80, 0x80, 0x80)), CountColor(LiveImage, qRgb(0x80, 0x80, 0x80)) + 300);
}

// The same page read from its JSON form and from a player executable draws the same picture.
TEST_F(CliRender, JsonProjectAndPlayerExecutableDrawTheSamePage) {
  const TCliRun dump = RunCli({QStringLiteral("dump"), QStringLiteral("--json"), ProjectPath});
  ASSERT_EQ(dump.Exit, 0) << dump.Err.toStdString();
  const QString json = Path("project.json");
  ASSERT_TRUE(Put(json, dump.Out.toUtf8()));

  const QString exe = Path("setup-menu");
  ASSERT_TRUE(Put(exe, QByteArray("\x7f"
                                  "ELF") +
                           QByteArray(4000, '\x90')));
  TError error;
  ASSERT_TRUE(LoadProjectFromFile(ProjectPath, error)) << error.Message().toStdString();
  ASSERT_TRUE(AppendProjectToExe(exe, ProjectPath, error)) << error.Message().toStdString();
  ResetProject(false);

  for (const QString& source : {json, exe}) {
    SCOPED_TRACE(source.toStdString());
    const QString png = source + QStringLiteral(".png");
    const TCliRun r = RunCli(
        {QStringLiteral("render"), source, QStringLiteral("--page"), QStringLiteral("0"), QStringLiteral("-o"), png});
    ASSERT_EQ(r.Exit, 0) << r.Err.toStdString();
    EXPECT_EQ(PrintedSize(r.Out, 0, AllKinds::PageName, png), LiveImage.size()) << r.Out.toStdString();
    EXPECT_TRUE(QImage(png) == LiveImage);
  }
}

TEST_F(CliRender, AllPagesWithSafeNames) {
  const QString folder = Path("all/pages");  // created on the way
  const TCliRun r = RunCli({QStringLiteral("render"), ProjectPath, QStringLiteral("--all"), folder});
  ASSERT_EQ(r.Exit, 0) << r.Err.toStdString();
  const struct {
    const char* File;
    QString Page;
    QSize Size;
  } pages[] = {{"0-Welcome.png", AllKinds::PageName, {1008, 669}},
               {"1-About_Credits.png", AllKinds::SecondPageName, {420 - 16, 300 - 51}}};
  EXPECT_EQ(QDir(folder).entryList(QDir::Files).size(), 2);
  for (int i = 0; i < 2; ++i) {
    const QString file = QDir(folder).filePath(QLatin1String(pages[i].File));
    const QImage image(file);
    EXPECT_EQ(image.size(), pages[i].Size) << pages[i].File;
    EXPECT_EQ(PrintedSize(r.Out, i, pages[i].Page, file), pages[i].Size) << r.Out.toStdString();
  }
}

TEST_F(CliRender, ErrorsWriteNothing) {
  // A copy whose second page is damaged: the page table still reads, the page does not.
  const QString damaged = Path("damaged.mvdsk");
  TProjectFileSummary summary;
  TError error;
  ASSERT_TRUE(InspectProjectFile(ProjectPath, summary, error));
  QByteArray bytes = Slurp(ProjectPath);
  const TFormData& second = *summary.Project.Forms[1];
  bytes.replace(second.Position, second.Length, QByteArray(second.Length, '\xFF'));
  ASSERT_TRUE(Put(damaged, bytes));
  const QString junk = Path("junk.bin");
  ASSERT_TRUE(Put(junk, QByteArray(3000, 'x')));
  // An output that exists already is left as it was by a failing run.
  const QString kept = Path("kept.png");
  ASSERT_TRUE(Put(kept, "old picture"));

  const QString out = Path("err.png");
  const QString render = QStringLiteral("render");
  const struct {
    const char* What;
    QStringList Args;
    int Exit;
    QString Err;
    QString Output;
  } cases[] = {
      {"page out of range",
       {render, ProjectPath, QStringLiteral("--page"), QStringLiteral("2"), QStringLiteral("-o"), out},
       1,
       QStringLiteral("page 2 does not exist; the project has 2 pages"),
       out},
      {"negative page",
       {render, ProjectPath, QStringLiteral("--page"), QStringLiteral("-1"), QStringLiteral("-o"), kept},
       1,
       QStringLiteral("page -1 does not exist"),
       kept},
      {"missing file",
       {render, Path("none.mvdsk"), QStringLiteral("--page"), QStringLiteral("0"), QStringLiteral("-o"), out},
       1,
       QStringLiteral("is not a file"),
       out},
      {"not a project",
       {render, junk, QStringLiteral("--page"), QStringLiteral("0"), QStringLiteral("-o"), out},
       1,
       QStringLiteral("Invalid file format."),
       out},
      {"unreadable page",
       {render, damaged, QStringLiteral("--page"), QStringLiteral("1"), QStringLiteral("-o"), kept},
       1,
       QStringLiteral("page 1 \"About & Credits\" cannot be read: "),
       kept},
      {"unwritable output",
       {render, ProjectPath, QStringLiteral("--page"), QStringLiteral("0"), QStringLiteral("-o"),
        Path("no/such/folder/x.png")},
       1,
       QStringLiteral("cannot write \"") + Path("no/such/folder/x.png") + u'"',
       Path("no/such/folder/x.png")},
      {"no output named",
       {render, ProjectPath, QStringLiteral("--page"), QStringLiteral("0")},
       2,
       QStringLiteral("usage: menuvia-cli render"),
       out},
      {"page and all together",
       {render, ProjectPath, QStringLiteral("--page"), QStringLiteral("0"), QStringLiteral("--all"), Path("both")},
       2,
       QStringLiteral("usage: menuvia-cli render"),
       Path("both")},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.What);
    const TCliRun r = RunCli(c.Args);
    EXPECT_EQ(r.Exit, c.Exit) << r.Err.toStdString();
    EXPECT_TRUE(r.Err.contains(c.Err)) << r.Err.toStdString();
    EXPECT_TRUE(r.Out.isEmpty()) << r.Out.toStdString();
    if (c.Output == kept) {
      EXPECT_EQ(Slurp(kept), QByteArray("old picture"));
    } else {
      EXPECT_FALSE(QFileInfo::exists(c.Output));
    }
  }
  // --all goes on past a page it cannot read, and says so in its status.
  const QString folder = Path("partial");
  const TCliRun all = RunCli({render, damaged, QStringLiteral("--all"), folder});
  EXPECT_EQ(all.Exit, 1);
  EXPECT_TRUE(all.Err.contains(QStringLiteral("page 1 \"About & Credits\" cannot be read"))) << all.Err.toStdString();
  EXPECT_EQ(QDir(folder).entryList(QDir::Files), QStringList{QStringLiteral("0-Welcome.png")});
}

// ---- output hygiene ----

TEST(CliOutput, QtNoticesOnlyWithVerbose) {
  QTemporaryDir dir;
  MakeAllKindsProject();
  const QString project = dir.filePath(QStringLiteral("p.mvdsk"));
  TError error;
  ASSERT_TRUE(SaveProjectToFile(project, QString(), error));
  ResetProject(false);

  // Without a runtime folder Qt warns as it starts.
  QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
  env.remove(QStringLiteral("XDG_RUNTIME_DIR"));
  const QString png = dir.filePath(QStringLiteral("p.png"));
  const QStringList commands[] = {
      {QStringLiteral("info"), project},
      {QStringLiteral("render"), project, QStringLiteral("--page"), QStringLiteral("0"), QStringLiteral("-o"), png},
  };
  for (const QStringList& args : commands) {
    SCOPED_TRACE(args.join(u' ').toStdString());
    const TCliRun quiet = RunCli(args, env);
    EXPECT_EQ(quiet.Exit, 0);
    EXPECT_EQ(quiet.Err, QString());
    EXPECT_FALSE(quiet.Out.isEmpty());
    // --verbose may stand anywhere and changes nothing but the diagnostics.
    QStringList verboseArgs = args;
    verboseArgs.insert(1, QStringLiteral("--verbose"));
    const TCliRun verbose = RunCli(verboseArgs, env);
    EXPECT_EQ(verbose.Exit, 0);
    EXPECT_TRUE(verbose.Err.contains(QStringLiteral("XDG_RUNTIME_DIR"))) << verbose.Err.toStdString();
    EXPECT_EQ(verbose.Out, quiet.Out);
  }
}

TEST(CliOutput, HelpEndsWithNewline) {
  const TCliRun r = RunCli({QStringLiteral("--help")});
  EXPECT_EQ(r.Exit, 0);
  EXPECT_TRUE(r.Out.endsWith(u'\n')) << r.Out.toStdString();
  EXPECT_TRUE(r.Out.contains(QStringLiteral("\n  render FILE"))) << r.Out.toStdString();
  EXPECT_TRUE(r.Err.isEmpty()) << r.Err.toStdString();
}

// ---- files are replaced whole ----

// Every file a command writes is written beside its name and renamed over it: a hard link to the
// old file keeps the old bytes (an edit in place would change both), and a write that fails
// leaves the old file as it was.
TEST(CliOutput, WrittenFilesReplaceTheOldOnesWhole) {
  QTemporaryDir dir;
  auto path = [&](const char* name) { return dir.filePath(QLatin1String(name)); };
  // The old project: the all-kinds one; the new one: a project saved from the default project.
  MakeAllKindsProject();
  TError error;
  ASSERT_TRUE(SaveProjectToFile(path("old.mvdsk"), QString(), error));
  ResetProject(true);
  Project.AppTitle = QStringLiteral("Replacement");
  ASSERT_TRUE(SaveProjectToFile(path("new.mvdsk"), QString(), error));
  ResetProject(false);
  const TCliRun dump = RunCli({QStringLiteral("dump"), QStringLiteral("--json"), path("new.mvdsk")});
  ASSERT_EQ(dump.Exit, 0);
  ASSERT_TRUE(Put(path("new.json"), dump.Out.toUtf8()));
  const QByteArray oldBytes = Slurp(path("old.mvdsk")), newBytes = Slurp(path("new.mvdsk"));
  ASSERT_NE(oldBytes, newBytes);

  const QString target = path("target.mvdsk");
  ASSERT_TRUE(Put(target, oldBytes));
  // The write fails: the name it writes beside the target is taken by a folder.
  ASSERT_TRUE(QDir().mkpath(path("target._/inside")));
  const TCliRun failed = RunCli({QStringLiteral("load-json"), path("new.json"), QStringLiteral("-o"), target});
  EXPECT_EQ(failed.Exit, 1);
  EXPECT_TRUE(failed.Err.contains(target)) << failed.Err.toStdString();
  EXPECT_EQ(Slurp(target), oldBytes);
  ASSERT_TRUE(QDir(path("target._")).removeRecursively());

  ASSERT_EQ(::link(QFile::encodeName(target).constData(), QFile::encodeName(path("link.mvdsk")).constData()), 0);
  const TCliRun ok = RunCli({QStringLiteral("load-json"), path("new.json"), QStringLiteral("-o"), target});
  ASSERT_EQ(ok.Exit, 0) << ok.Err.toStdString();
  EXPECT_EQ(Slurp(target), newBytes);
  EXPECT_EQ(Slurp(path("link.mvdsk")), oldBytes);
  EXPECT_FALSE(QFileInfo::exists(path("target._")));

  // The same for a rendered picture.
  const QString png = path("page.png");
  ASSERT_TRUE(Put(png, "old picture"));
  ASSERT_EQ(::link(QFile::encodeName(png).constData(), QFile::encodeName(path("link.png")).constData()), 0);
  const TCliRun render = RunCli({QStringLiteral("render"), path("old.mvdsk"), QStringLiteral("--page"),
                                 QStringLiteral("1"), QStringLiteral("-o"), png});
  ASSERT_EQ(render.Exit, 0) << render.Err.toStdString();
  EXPECT_FALSE(QImage(png).isNull());
  EXPECT_EQ(Slurp(path("link.png")), QByteArray("old picture"));
  EXPECT_EQ(QDir(dir.path()).entryList({QStringLiteral("page.png*")}, QDir::Files),
            QStringList{QStringLiteral("page.png")});
}

// ---- the offscreen page renderer ----

TEST(PageRender, SizeFromTheWindowAndLimits) {
  const struct {
    int Width, Height;
    TFormBorderStyle Border;
    QSize Expected;  // empty: refused
  } cases[] = {
      {696, 480, TFormBorderStyle::bsSizeable, {680, 429}},
      {696, 480, TFormBorderStyle::bsToolWindow, {680, 429}},
      {300, 200, TFormBorderStyle::bsNone, {300, 200}},
      {10, 10, TFormBorderStyle::bsSingle, {1, 1}},
      {-5, 0, TFormBorderStyle::bsNone, {1, 1}},
      {16384, 300, TFormBorderStyle::bsNone, {16384, 300}},
      {16385, 300, TFormBorderStyle::bsNone, {}},
      {9000, 9000, TFormBorderStyle::bsNone, {}},  // 81 megapixels
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(testing::Message() << c.Width << " x " << c.Height);
    TPageData page;
    InitForm(page, QStringLiteral("Sized"));
    page.Width = c.Width;
    page.Height = c.Height;
    page.BorderStyle = c.Border;
    if (c.Expected.isValid()) {
      EXPECT_EQ(RenderedPageSize(page), c.Expected);
      if (qint64(c.Expected.width()) * c.Expected.height() > 1000000) continue;  // sizes only
    }
    QString error;
    const QImage image = RenderPage(page, TRenderOptions{}, &error);
    if (c.Expected.isValid()) {
      EXPECT_EQ(image.size(), c.Expected) << error.toStdString();
    } else {
      EXPECT_TRUE(image.isNull());
      EXPECT_TRUE(error.contains(QStringLiteral("too large to draw"))) << error.toStdString();
    }
  }
}

// A page in one plain colour with a menu bar, a status bar and a windowless object without a
// picture: the strips take their places, the object shows only on the editing canvas, and every
// control is gone afterwards.
TEST(PageRender, LayoutModesAndRelease) {
  const QRgb green = qRgb(0, 200, 0);
  TPageData page;
  InitForm(page, QStringLiteral("Plain"));
  page.BorderStyle = TFormBorderStyle::bsNone;
  page.Width = 300;
  page.Height = 200;
  static_cast<TPanelPayload&>(*page.PanelObject->Payload).Color = 0x00C800;
  PAuObject image = AddNewObject(*page.PanelObject, otImage, 100, 60);
  ASSERT_TRUE(image);
  image->Width = 50;
  image->Height = 40;

  QString error;
  const QImage bare = RenderPage(page, TRenderOptions{}, &error);
  ASSERT_EQ(bare.size(), QSize(300, 200)) << error.toStdString();
  EXPECT_EQ(CountColor(bare, green), 300 * 200);

  page.MainMenu.resize(2);
  page.MainMenu[0].Caption = QStringLiteral("&File");
  page.MainMenu[1].Caption = QStringLiteral("Hidden");
  page.MainMenu[1].Visible = false;
  page.StatusBar.Panels = {{taLeftJustify, QStringLiteral("Ready"), 100}};
  page.StatusBar.Height = 23;
  for (const bool live : {true, false}) {
    SCOPED_TRACE(live ? "live" : "editing");
    TRenderOptions options;
    options.Live = live;
    const QImage full = RenderPage(page, options, &error);
    ASSERT_EQ(full.size(), QSize(300, 200)) << error.toStdString();
    int menu = 0;
    while (menu < 200 && full.pixel(150, menu) != green) ++menu;
    EXPECT_GT(menu, 10);
    EXPECT_LT(menu, 40);
    // The panel reaches exactly to the status bar.
    EXPECT_EQ(full.pixel(150, 200 - 24), green);
    for (int y = 200 - 23; y < 200; ++y) EXPECT_NE(full.pixel(150, y), green) << y;
    // The image's box, in panel coordinates below the menu bar.
    const int outline = CountColor(full.copy(100, menu + 60, 50, 40), qRgb(0x80, 0x80, 0x80));
    if (live) {
      EXPECT_EQ(outline, 0);
    } else {
      EXPECT_GT(outline, 50);
    }
  }
  std::vector<const TAuObject*> all{page.PanelObject.get(), image};
  for (const TAuObject* o : all) EXPECT_TRUE(o->Control.isNull()) << o->ObjectName.toStdString();
}

// A page already shown elsewhere keeps its controls: the picture is drawn from a copy.
TEST(PageRender, PageShownElsewhereKeepsItsControls) {
  auto page = MakeAboutPage();
  QWidget window;
  TControlContext context;
  ASSERT_TRUE(CreateObjectControl(*page->PanelObject, &window, context));
  QObject* control = page->PanelObject->Control.data();
  ASSERT_TRUE(control);
  QString error;
  EXPECT_EQ(RenderPage(*page, TRenderOptions{}, &error).size(), QSize(420 - 16, 300 - 51)) << error.toStdString();
  EXPECT_EQ(page->PanelObject->Control.data(), control);
  EXPECT_EQ(page->PanelObject->Objects.front()->Control.isNull(), false);
}

}  // namespace
