// Slide show: folder listing, navigation with and without Loop, the fade-swap and immediate
// paths, and the slide picture's opacity.
#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QImage>
#include <QTemporaryDir>

#include "TestSupport.h"
#include "model/Globals.h"
#include "model/Paths.h"
#include "render/SlideShow.h"

namespace {
void WriteFile(const QString& path, const QByteArray& bytes) {
  QFile f(path);
  ASSERT_TRUE(f.open(QIODevice::WriteOnly));
  f.write(bytes);
}

void WritePicture(const QString& path, QRgb colour, const char* format, int w = 8, int h = 8) {
  QImage image(w, h, QImage::Format_ARGB32);
  image.fill(colour);
  ASSERT_TRUE(image.save(path, format));
}

// A project folder with a "slides" folder of three pictures.
struct SlideFolder {
  QTemporaryDir dir;
  QStringList files;
  SlideFolder() {
    QDir(dir.path()).mkdir(QStringLiteral("slides"));
    const QString slides = dir.path() + QStringLiteral("/slides/");
    WritePicture(slides + QStringLiteral("red.png"), qRgb(255, 0, 0), "PNG");
    WritePicture(slides + QStringLiteral("green.bmp"), qRgb(0, 255, 0), "BMP");
    WritePicture(slides + QStringLiteral("blue.png"), qRgb(0, 0, 255), "PNG");
    WriteFile(slides + QStringLiteral("notes.txt"), "x");
    ListFolderEntries(dir.path() + QStringLiteral("/slides"), false, true, files);
    files.removeAll(QStringLiteral("notes.txt"));
  }
};

struct Show {
  TSlideShow show;
  int changes = 0;
  explicit Show(const SlideFolder& folder, bool loop = true, bool fade = false) {
    show.Settings.Folder = QStringLiteral("\\slides");
    show.Settings.Loop = loop;
    show.Settings.FadeParam.Fade = fade;
    show.SetSize({8, 8});
    show.OnChange = [this] { ++changes; };
    show.Fader.Reset(100);
    show.Fader.SetFade(fade);
    show.DoFileListIn(folder.dir.path());
  }
  QRgb Shown() const { return show.Image.Shown().pixel(4, 4); }
};
}  // namespace

TEST(RenderSlideShow, FolderListing) {
  QTemporaryDir dir;
  for (const char* name : {"a.png", "b.txt", "c.JPG", "d.jpeg", "e.Tiff", "f", "autorun.exe", "g.wmf", "h.png.bak"})
    WriteFile(dir.path() + u'/' + QString::fromLatin1(name), "x");
  QDir(dir.path()).mkdir(QStringLiteral("sub.png"));  // folders are not slides

  TSlideShow show;
  show.Settings.Folder = QStringLiteral("\\");
  show.DoFileListIn(dir.path());
  QStringList sorted = show.FileList;
  sorted.sort();
  EXPECT_EQ(sorted, (QStringList{"a.png", "c.JPG", "d.jpeg", "e.Tiff", "g.wmf"}));
  EXPECT_EQ(show.FolderPath, dir.path());
  EXPECT_EQ(show.Index, -1);

  // The file system's order is kept: the list is the folder listing filtered, not re-sorted.
  QStringList listed;
  ListFolderEntries(dir.path(), false, true, listed);
  QStringList filtered;
  for (const auto& n : listed)
    if (IsSlidePictureName(n)) filtered << n;
  EXPECT_EQ(show.FileList, filtered);

  // Missing folder, empty folder name: nothing.
  show.Settings.Folder = QStringLiteral("\\missing");
  show.DoFileListIn(dir.path());
  EXPECT_TRUE(show.FileList.isEmpty());
  show.Settings.Folder.clear();
  show.DoFileListIn(dir.path());
  EXPECT_TRUE(show.FileList.isEmpty());
  EXPECT_TRUE(show.FolderPath.isEmpty());
}

TEST(RenderSlideShow, UnsavedProjectInDesigner) {
  IsDesigner = true;
  SourceFileName.clear();
  Recorded().Shown.clear();
  TSlideShow show;
  show.Settings.Folder = QStringLiteral("\\slides");
  show.DoFileList();
  IsDesigner = false;
  ASSERT_EQ(Recorded().Shown.size(), 1u);
  EXPECT_EQ(Recorded().Shown[0].Caption, QStringLiteral("Project Folder"));
  EXPECT_EQ(Recorded().Shown[0].Text,
            QStringLiteral("The project has not been saved. Please save your project first."));
  EXPECT_EQ(Recorded().Shown[0].Icon, TMsgIcon::Information);
  EXPECT_TRUE(show.FileList.isEmpty());
  EXPECT_TRUE(show.FolderPath.isEmpty());

  // Saved: resolved next to the project file.
  SlideFolder folder;
  IsDesigner = true;
  SourceFileName = folder.dir.path() + QStringLiteral("/autorun.mvdsk");
  show.DoFileList();
  IsDesigner = false;
  SourceFileName.clear();
  EXPECT_EQ(show.FileList.size(), 3);
  EXPECT_EQ(show.FolderPath, folder.dir.path() + QStringLiteral("/slides"));
}

TEST(RenderSlideShow, NavigationTable) {
  SlideFolder folder;
  ASSERT_EQ(folder.files.size(), 3);
  enum Op { Next, Prior, First, Last, Set0, Set2, SetMinus, Set3 };
  struct Case {
    bool loop;
    int start;  // index reached first (through SetIndex), -1 for none
    Op op;
    int expected;
    int changes;  // OnChange raised by the operation
  };
  const Case cases[] = {
      {true, -1, Next, 0, 1},  {true, 0, Next, 1, 1},    {true, 2, Next, 0, 1},     {false, 2, Next, 2, 0},
      {true, -1, Prior, 2, 1}, {false, -1, Prior, 2, 1}, {true, 0, Prior, 2, 1},    {false, 0, Prior, 0, 0},
      {true, 2, Prior, 1, 1},  {true, 0, First, 0, 0},   {true, 1, First, 0, 1},    {true, 2, Last, 2, 0},
      {true, -1, Last, 2, 1},  {true, 1, Set0, 0, 1},    {true, 1, SetMinus, 1, 0}, {true, 1, Set3, 1, 0},
      {true, 2, Set2, 2, 0},
  };
  for (const auto& c : cases) {
    Show s(folder, c.loop);
    if (c.start >= 0) s.show.SetIndex(c.start);
    s.changes = 0;
    switch (c.op) {
      case Next:
        s.show.DoNext();
        break;
      case Prior:
        s.show.DoPrior();
        break;
      case First:
        s.show.DoFirst();
        break;
      case Last:
        s.show.DoLast();
        break;
      case Set0:
        s.show.SetIndex(0);
        break;
      case Set2:
        s.show.SetIndex(2);
        break;
      case SetMinus:
        s.show.SetIndex(-1);
        break;
      case Set3:
        s.show.SetIndex(3);
        break;
    }
    EXPECT_EQ(s.show.Index, c.expected) << "loop " << c.loop << " start " << c.start << " op " << int(c.op);
    EXPECT_EQ(s.changes, c.changes) << "loop " << c.loop << " start " << c.start << " op " << int(c.op);
  }

  // Without files navigation does nothing.
  TSlideShow empty;
  empty.DoNext();
  empty.DoPrior();
  empty.DoFirst();
  empty.DoLast();
  EXPECT_EQ(empty.Index, -1);
}

TEST(RenderSlideShow, ImmediateChangeShowsTheFile) {
  SlideFolder folder;
  Show s(folder);
  const QString name = folder.files[1];
  s.show.SetIndex(1);
  EXPECT_EQ(s.changes, 1);
  const QRgb expected = name.startsWith(u"red")     ? qRgb(255, 0, 0)
                        : name.startsWith(u"green") ? qRgb(0, 255, 0)
                                                    : qRgb(0, 0, 255);
  EXPECT_EQ(s.Shown(), expected);
  EXPECT_EQ(s.show.Picture.Kind, name.endsWith(u".png") ? TGraphicKind::Png : TGraphicKind::Bitmap);

  // Fading on but invisible: also at once.
  Show hidden(folder, true, true);
  hidden.show.Fader.Reset(0);
  hidden.show.SetIndex(0);
  EXPECT_EQ(hidden.changes, 1);
  EXPECT_FALSE(hidden.show.Fader.Swap.Pending());
}

TEST(RenderSlideShow, FadeSwapPath) {
  SlideFolder folder;
  Show s(folder, true, true);
  int overs = 0;
  s.show.OnFadeOver = [&] { ++overs; };
  s.show.DoNext();
  s.show.DoNext();  // before the turn: replaces the recorded file
  EXPECT_EQ(s.show.Index, 1);
  EXPECT_TRUE(s.show.Fader.Swap.LoadFile);
  EXPECT_EQ(s.show.Fader.Swap.LoadFileName, s.show.FolderPath + u'/' + folder.files[1]);
  EXPECT_TRUE(s.show.Picture.IsEmpty());

  std::vector<int> blend;
  for (int i = 0; i < 25; ++i) {
    s.show.Fader.Tick();
    blend.push_back(s.show.Image.AlphaBlend());
  }
  EXPECT_EQ(blend, (std::vector<int>{90, 80, 70, 60, 50, 40, 30, 20,  10,  0,   0,   10, 20,
                                     30, 40, 50, 60, 70, 80, 90, 100, 100, 100, 100, 100}));
  EXPECT_EQ(overs, 1);
  EXPECT_EQ(s.changes, 0);  // no OnChange on the fading road
  EXPECT_FALSE(s.show.Fader.Swap.Pending());
  EXPECT_FALSE(s.show.Picture.IsEmpty());
  EXPECT_EQ(qAlpha(s.Shown()), 255);
}

TEST(RenderSlideShow, LoadedStartsLiveOnly) {
  SlideFolder folder;
  IsDesigner = true;
  SourceFileName = folder.dir.path() + QStringLiteral("/autorun.mvdsk");
  TSlideShow editing;
  editing.Settings.Folder = QStringLiteral("\\slides");
  editing.Settings.FadeParam.Fade = false;
  editing.Loaded(false);
  EXPECT_EQ(editing.FileList.size(), 3);
  EXPECT_EQ(editing.Index, -1);
  EXPECT_FALSE(editing.TimerEnabled());

  TSlideShow live;
  live.Settings.Folder = QStringLiteral("\\slides");
  live.Settings.FadeParam.Fade = false;
  live.Settings.FadeParam.NormalAlpha = 60;
  live.Loaded(true);
  EXPECT_EQ(live.Index, 0);
  EXPECT_TRUE(live.TimerEnabled());
  EXPECT_EQ(live.TimerInterval(), 2000);
  EXPECT_EQ(live.Image.AlphaBlend(), 60);
  EXPECT_EQ(live.Fader.FadeAlpha(), 60);
  live.DoStop();
  EXPECT_FALSE(live.TimerEnabled());
  live.DoPlay();
  EXPECT_TRUE(live.TimerEnabled());

  TSlideShow paused;
  paused.Settings.Folder = QStringLiteral("\\slides");
  paused.Settings.Play = false;
  paused.Loaded(true);
  EXPECT_EQ(paused.Index, -1);
  EXPECT_FALSE(paused.TimerEnabled());
  IsDesigner = false;
  SourceFileName.clear();
}

TEST(RenderSlideShow, UnloadableFileKeepsTheSlide) {
  QTemporaryDir dir;
  WriteFile(dir.path() + QStringLiteral("/broken.png"), "not a picture");
  TSlideShow show;
  show.Settings.Folder = QStringLiteral("\\");
  show.Fader.SetFade(false);
  QStringList errors;
  int changes = 0;
  show.OnLoadError = [&](const QString& f) { errors << f; };
  show.OnChange = [&] { ++changes; };
  show.DoFileListIn(dir.path());
  show.DoNext();
  EXPECT_EQ(errors.size(), 1);
  EXPECT_EQ(changes, 0);
  EXPECT_TRUE(show.Picture.IsEmpty());
}

TEST(RenderSlideShow, SlideOpacity) {
  const TSlideFrame frame;
  // Nothing to show: fully transparent.
  const QImage none = BuildSlideShowImage({6, 6}, frame, QImage(), false);
  EXPECT_EQ(qAlpha(none.pixel(3, 3)), 0);

  // A PNG keeps its own alpha and colours.
  QImage png(6, 6, QImage::Format_ARGB32);
  for (int y = 0; y < 6; ++y)
    for (int x = 0; x < 6; ++x) png.setPixel(x, y, qRgba(10 * x, 20, 30 * y, 40 * x + y));
  const QImage kept = BuildSlideShowImage({6, 6}, frame, png, true);
  for (int y = 0; y < 6; ++y)
    for (int x = 0; x < 6; ++x) EXPECT_EQ(kept.pixel(x, y), png.pixel(x, y)) << x << "," << y;

  // Any other slide is opaque, stretched over the whole object.
  QImage bmp(2, 2, QImage::Format_RGB32);
  bmp.fill(qRgb(0, 0, 200));
  const QImage opaque = BuildSlideShowImage({10, 7}, frame, bmp, false);
  for (auto [x, y] : {std::pair{0, 0}, {9, 6}, {5, 3}}) EXPECT_EQ(opaque.pixel(x, y), qRgb(0, 0, 200));

  // A frame figure gives the opacity when there is one.
  TSlideFrame rect = frame;
  rect.Shape = 0;
  rect.Gradient = 0;
  const QImage framed = BuildSlideShowImage({10, 10}, rect, QImage(), false);
  EXPECT_EQ(qAlpha(framed.pixel(0, 0)), 0);
  EXPECT_EQ(framed.pixel(4, 4), qRgb(255, 255, 0));  // Color $0000FFFF
}
