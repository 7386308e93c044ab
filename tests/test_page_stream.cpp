#include <gtest/gtest.h>

#include <QBuffer>
#include <QFile>
#include <QTemporaryDir>

#include "TestSupport.h"
#include "model/Actions.h"
#include "model/Globals.h"
#include "model/ObjectStream.h"
#include "model/PageStream.h"
#include "model/PayloadsStandard.h"

namespace {

const QByteArray WriteFailed("<write failed>");

QByteArray PageBytes(const TPageData& page) {
  return WriteBytes([&](TStream& s) { return WritePageStream(s, page); });
}

QByteArray ObjectBytes(const TAuObject& o) {
  return WriteBytes([&](TStream& s) { return WriteAuObject(s, o); });
}

TMenuItem MenuItemWithAction(const QString& caption, const QString& file) {
  TMenuItem item;
  item.Caption = caption;
  TAuActions click;
  click.Actions.emplace_back().Param1 = file;
  EXPECT_TRUE(ActionsToHint(caption, click, item.Hint));
  return item;
}

// A page with every part filled and different from a new page's defaults.
TPageData RichPage() {
  TPageData page;
  InitForm(page, QStringLiteral("Welcome"));
  page.BorderIcons = biSystemMenu | biHelp;
  page.BorderStyle = TFormBorderStyle::bsToolWindow;
  page.FormPositionType = fptWorkArea;
  page.FormPositionMargin = 12;
  page.FormPosition = fpBottomLeftCorner;
  page.FormWindowState = TWindowState::wsMaximized;
  page.FormStyle = TFormStyle::fsStayOnTop;
  page.TransparentColor = true;
  page.TransparentColorValue = 0x00FF00FF;
  page.FormAlpha = 50;
  page.FormFade = false;
  page.FormFadeInStep = 3;
  page.FormFadeOutStep = 7;
  page.Image_Icon = TPicture{TGraphicKind::Icon, QByteArray("\0\0\1\0icon", 8)};
  page.OnShowActions.Actions.emplace_back().Command = ctPlayBackMusic;
  page.OnCloseActions.Actions.emplace_back().Command = ctStopBackMusic;
  TMenuItem file = MenuItemWithAction(QStringLiteral("&File"), QString());
  file.Items.push_back(MenuItemWithAction(QStringLiteral("&Readme"), QStringLiteral("\\readme.txt")));
  file.Items.push_back(MenuItemWithAction(QStringLiteral("-"), QString()));
  page.MainMenu.push_back(file);
  page.MainMenu.push_back(MenuItemWithAction(QStringLiteral("&Help"), QStringLiteral("help.pdf")));
  page.StatusBar.Height = 25;
  page.StatusBar.Font = TFont{QStringLiteral("Arial"), 0x123456, 10, 0, fsItalic};
  page.StatusBar.Panels.push_back(TStatusPanel{taLeftJustify, QStringLiteral("Ready"), 200});
  page.StatusBar.Panels.push_back(TStatusPanel{taRightJustify, QStringLiteral("v1"), 60});
  page.FormPositionX = -5;
  page.FormPositionY = 7;
  page.Width = 800;
  page.Height = 600;
  TAuObject& panel = *page.PanelObject;
  panel.OnClickActions.Actions.emplace_back().Command = ctExit;
  PAuObject button = AddNewObject(panel, otStandardButton, 10, 10);
  button->PopupMenu.push_back(MenuItemWithAction(QStringLiteral("Copy"), QString()));
  PAuObject notebook = AddNewObject(panel, otTabNotebook, 100, 10);
  PAuObject sheet = AddNewObject(*notebook, otTabSheet, 0, 0);
  AddNewObject(*notebook, otTabSheet, 0, 0);
  AddNewObject(*sheet, otFadeButton, 5, 5);
  AddNewObject(panel, otSlideShow, 300, 200);
  return page;
}

// Restores the process-wide values a test changes.
class PageFiles : public ::testing::Test {
 protected:
  void SetUp() override {
    FSource = SourceFileName;
    FDesigner = IsDesigner;
    FAttempts = SourceOpenAttempts;
    FDelay = SourceOpenRetryDelayMs;
    ASSERT_TRUE(FDir.isValid());
  }
  void TearDown() override {
    SourceFileName = FSource;
    IsDesigner = FDesigner;
    SourceOpenAttempts = FAttempts;
    SourceOpenRetryDelayMs = FDelay;
  }
  QString Path(const QString& name) const { return FDir.filePath(name); }

  QTemporaryDir FDir;

 private:
  QString FSource;
  bool FDesigner = false;
  int FAttempts = 0, FDelay = 0;
};

}  // namespace

TEST(PageStream, NewPageDefaults) {
  TPageData page;
  page.Caption = QStringLiteral("old");
  page.FormAlpha = 5;
  page.MainMenu.emplace_back();
  page.StatusBar.Panels.emplace_back();
  page.OnCloseActions.Actions.emplace_back();
  page.Image_Icon = TPicture{TGraphicKind::Icon, QByteArray("ico")};
  page.PanelObject = NewAuObject();
  page.PanelObject->OnMouseDownActions.Actions.emplace_back();
  page.PanelObject->OnMouseUpActions.Actions.emplace_back();
  page.PanelObject->Objects.push_back(NewAuObject());

  InitForm(page, QStringLiteral("Form7"));
  EXPECT_EQ(page.Caption, QStringLiteral("Form7"));
  EXPECT_TRUE(page.Image_Icon.IsEmpty());
  EXPECT_EQ(page.BorderIcons, biSystemMenu | biMinimize | biMaximize);
  EXPECT_EQ(page.BorderStyle, TFormBorderStyle::bsSizeable);
  EXPECT_EQ(std::tuple(page.Width, page.Height, page.FormPositionX, page.FormPositionY), std::tuple(696, 480, 0, 0));
  EXPECT_EQ(page.FormPositionType, fptScreen);
  EXPECT_EQ(page.FormPositionMargin, 0);
  EXPECT_EQ(page.FormPosition, fpCenter);
  EXPECT_EQ(page.FormWindowState, TWindowState::wsNormal);
  EXPECT_EQ(page.FormStyle, TFormStyle::fsNormal);
  EXPECT_FALSE(page.TransparentColor);
  EXPECT_EQ(page.TransparentColorValue, 0u);
  EXPECT_EQ(page.FormAlpha, 100);
  EXPECT_TRUE(page.FormFade);
  EXPECT_EQ(std::tuple(page.FormFadeInStep, page.FormFadeOutStep), std::tuple(10, 10));
  EXPECT_TRUE(page.OnShowActions.IsEmpty() && page.OnCloseActions.IsEmpty());
  EXPECT_TRUE(page.MainMenu.empty());
  EXPECT_TRUE(page.StatusBar.Panels.empty());
  EXPECT_FALSE(page.StatusBar.Visible());
  EXPECT_EQ(page.StatusBar.Height, 19);
  EXPECT_EQ(page.StatusBar.Font, (TFont{QStringLiteral("Tahoma"), clWindowText, 8, 1, 0}));

  ASSERT_TRUE(page.PanelObject);
  const TAuObject& panel = *page.PanelObject;
  EXPECT_EQ(panel.ObjectName, QString());
  EXPECT_EQ(panel.ObjectType, otPanel);
  EXPECT_TRUE(panel.Enable && panel.Visible);
  EXPECT_EQ(panel.Align, alClient);
  EXPECT_EQ(panel.Cursor, 0);
  EXPECT_EQ(panel.Hint, QString());
  EXPECT_EQ(std::tuple(panel.Left, panel.Top, panel.Width, panel.Height), std::tuple(0, 0, 100, 100));
  EXPECT_TRUE(panel.PopupMenu.empty());
  EXPECT_FALSE(panel.Selected);
  EXPECT_TRUE(panel.Objects.empty());
  ASSERT_TRUE(panel.Payload);
  const auto& payload = dynamic_cast<const TPanelPayload&>(*panel.Payload);
  EXPECT_EQ(payload.Color, 0xFF00000Fu);
  EXPECT_EQ(payload.BorderStyle, TBorderStyle::bsNone);
  EXPECT_EQ(payload.Font, TFont{});
  const TPanelBack& back = payload.PanelBack;
  EXPECT_TRUE(back.Picture.IsEmpty());
  EXPECT_EQ(back.BackImageStyle, psStretch);
  EXPECT_EQ(back.GradientStyle, gsNone);
  EXPECT_EQ(back.GradientColor, 0u);
  EXPECT_EQ(back.Border, pbbNone);
  EXPECT_EQ(back.BorderStyle, pbbsRaised);
  EXPECT_EQ(back.HighlightColor, 0xFF000014u);
  EXPECT_EQ(back.ShadowColor, 0xFF000010u);
  EXPECT_EQ(back.Caption, QString());
  EXPECT_TRUE(panel.OnClickActions.IsEmpty() && panel.OnDblClickActions.IsEmpty() && panel.OnEnterActions.IsEmpty() &&
              panel.OnLeaveActions.IsEmpty() && panel.OnMouseDownActions.IsEmpty() && panel.OnMouseUpActions.IsEmpty());
}

TEST(StatusPanelStream, FieldsInStoredOrder) {
  const TStatusPanel panel{taCenter, QStringLiteral("Hi"), 120};
  const QByteArray bytes = WriteBytes([&](TStream& s) { return WriteStatusPanel(s, panel); });
  EXPECT_EQ(bytes.toHex(), Hex("00000000 02 02000000 48006900 78000000").toHex());
  TStatusPanel back;
  ASSERT_TRUE(ReadBytesWith(bytes, [&](TStream& s) { return ReadStatusPanel(s, &back); }).Ok);
  EXPECT_EQ(back, panel);
  auto r = ReadBytesWith(bytes + "tail", [](TStream& s) { return ReadStatusPanel(s, nullptr); });
  EXPECT_TRUE(r.Ok);
  EXPECT_EQ(r.Pos, bytes.size());
  for (qsizetype n = 0; n < bytes.size(); ++n)
    EXPECT_FALSE(ReadBytesWith(bytes.left(n), [&](TStream& s) { return ReadStatusPanel(s, &back); }).Ok) << n;
  QByteArray v1 = bytes;
  v1[0] = 1;
  r = ReadBytesWith(v1, [&](TStream& s) { return ReadStatusPanel(s, &back); });
  EXPECT_FALSE(r.Ok);
  EXPECT_EQ(r.Error.Kind, TErrorKind::DataVersion);
}

TEST(PageStream, WritingNeedsAPagePanel) {
  TPageData page;
  EXPECT_EQ(WriteBytes([&](TStream& s) { return WritePageStream(s, page); }), WriteFailed);
}

TEST_F(PageFiles, SourceFileThatCannotBeOpened) {
  SourceFileName = Path(QStringLiteral("missing.mvdsk"));
  TPageData page;
  TError error;

  IsDesigner = true;
  EXPECT_FALSE(LoadFormFromSource(page, 0, 10, &error));
  EXPECT_EQ(error.Kind, TErrorKind::File);
  EXPECT_EQ(error.Code, 102);
  EXPECT_EQ(error.Message(), QStringLiteral("\"") + SourceFileName + QStringLiteral("\", ") + SystemErrorText(ENOENT) +
                                 QStringLiteral(" (Error Code: %1/102).").arg(ENOENT));

  // The player retries, then names the system's reason and the file.
  IsDesigner = false;
  SourceOpenAttempts = 3;
  SourceOpenRetryDelayMs = 0;
  error = {};
  EXPECT_FALSE(LoadFormFromSource(page, 0, 10, &error));
  EXPECT_EQ(error.Kind, TErrorKind::Plain);
  EXPECT_EQ(error.Message(), SystemErrorText(ENOENT) + QStringLiteral(" \"") + SourceFileName + QStringLiteral("\" "));
  EXPECT_EQ(error.Caption(), QStringLiteral("Error"));
}

TEST_F(PageFiles, RangeOutsideTheSourceFile) {
  SourceFileName = Path(QStringLiteral("short.bin"));
  QFile file(SourceFileName);
  ASSERT_TRUE(file.open(QIODevice::WriteOnly));
  file.write(QByteArray(100, '\0'));
  file.close();
  IsDesigner = true;
  struct Case {
    qint64 Position, Length;
  };
  for (const Case& c : {Case{-1, 10}, Case{101, -1}, Case{90, 11}, Case{0, 101}}) {
    TPageData page;
    TError error;
    EXPECT_FALSE(LoadFormFromSource(page, c.Position, c.Length, &error)) << c.Position << "+" << c.Length;
    EXPECT_EQ(error.Kind, TErrorKind::File);
    EXPECT_EQ(error.Code, 102);
  }
  // Within the file, 100 zero bytes are no page: the page reader's own failure.
  TPageData page;
  TError error;
  EXPECT_FALSE(LoadFormFromSource(page, 0, 100, &error));
  EXPECT_EQ(error.Kind, TErrorKind::Stream);
}

TEST(PageStream, NewPageStoredForm) {
  TPageData page;
  InitForm(page, QStringLiteral("Form1"));
  const QByteArray header = Hex("00000000 05000000 46006f0072006d003100") +
                            Hex("07 02 00 00000000 01 00 00 00 00000000 64000000 01 0a000000 0a000000") +
                            Hex("00000000") +       // no icon
                            QByteArray(16, '\0') +  // show and close lists
                            Hex("00000000") +       // no main-menu items
                            Hex("13000000 06000000 5400610068006f006d006100 080000ff 08000000 01 00") +  // status bar
                            Hex("00000000") +  // no status panels
                            Hex("00000000 00000000 b8020000 e0010000");
  const QByteArray bytes = PageBytes(page);
  EXPECT_EQ(bytes.toHex(), (header + ObjectBytes(*page.PanelObject)).toHex());
  SaveFuzzSeed("page", QStringLiteral("new-page"), bytes);
}

TEST(PageStream, RichPageRoundTripsByteForByte) {
  const TPageData page = RichPage();
  const QByteArray bytes = PageBytes(page);
  ASSERT_NE(bytes, WriteFailed);
  SaveFuzzSeed("page", QStringLiteral("rich-page"), bytes);
  TPageData back;
  InitForm(back, QStringLiteral("Other"));
  AddNewObject(*back.PanelObject, otMemo, 0, 0);
  back.MainMenu.emplace_back();
  auto r = ReadBytesWith(bytes + "tail", [&](TStream& s) { return ReadPageStream(s, back); });
  ASSERT_TRUE(r.Ok) << r.Error.Message().toStdString();
  EXPECT_EQ(r.Pos, bytes.size());
  EXPECT_TRUE(back.SameAs(page));
  EXPECT_TRUE(back.StatusBar.Visible());
  EXPECT_EQ(back.PanelObject->Objects.size(), 3u);
  EXPECT_EQ(PageBytes(back), bytes);
  EXPECT_TRUE(page.Clone()->SameAs(page));
}

TEST(PageStream, EveryTruncationFailsAndKeepsThePage) {
  const QByteArray bytes = PageBytes(RichPage());
  TPageData page;
  InitForm(page, QStringLiteral("Kept"));
  const auto before = page.Clone();
  for (qsizetype n = 0; n < bytes.size(); ++n) {
    auto r = ReadBytesWith(bytes.left(n), [&](TStream& s) { return ReadPageStream(s, page); });
    EXPECT_FALSE(r.Ok) << "prefix " << n;
    EXPECT_TRUE(r.Error.IsSet()) << "prefix " << n;
  }
  EXPECT_TRUE(page.SameAs(*before));
}

TEST(PageStream, RootMustBeAPanel) {
  TPageData page;
  InitForm(page, QStringLiteral("P"));
  const QByteArray bytes = PageBytes(page);
  const QByteArray header = bytes.chopped(ObjectBytes(*page.PanelObject).size());
  auto group = NewAuObject(otGroupBox, QStringLiteral("G"));
  TPageData back;
  auto r = ReadBytesWith(header + ObjectBytes(*group), [&](TStream& s) { return ReadPageStream(s, back); });
  EXPECT_FALSE(r.Ok);
  EXPECT_EQ(r.Error.Message(), UnknownObjectTypeText);
  EXPECT_FALSE(back.PanelObject);

  page.PanelObject = std::move(group);
  EXPECT_EQ(PageBytes(page), WriteFailed);
}

TEST(PageStream, VersionOneIsTheDataVersionError) {
  TPageData page;
  InitForm(page, QStringLiteral("P"));
  QByteArray bytes = PageBytes(page);
  bytes[0] = 1;
  auto r = ReadBytesWith(bytes, [&](TStream& s) { return ReadPageStream(s, page); });
  EXPECT_FALSE(r.Ok);
  EXPECT_EQ(r.Error.Kind, TErrorKind::DataVersion);
}

TEST(PageStream, StoreAndLoadThroughMemory) {
  const TPageData page = RichPage();
  TFormData entry;
  entry.FormName = QStringLiteral("Welcome");
  ASSERT_TRUE(StoreFormData(page, entry));
  ASSERT_TRUE(entry.FormInfoData);
  EXPECT_EQ(*entry.FormInfoData, PageBytes(page));
  // The outline mirrors the tree: names and kinds, same order and nesting.
  ASSERT_TRUE(entry.ObjectInfo);
  const TObjectInfo& root = *entry.ObjectInfo;
  EXPECT_EQ(root.ObjectType, otPanel);
  ASSERT_EQ(root.Objects.size(), 3u);
  EXPECT_EQ(root.Objects[0]->ObjectName, QStringLiteral("Button1"));
  EXPECT_EQ(root.Objects[1]->ObjectType, otTabNotebook);
  ASSERT_EQ(root.Objects[1]->Objects.size(), 2u);
  ASSERT_EQ(root.Objects[1]->Objects[0]->Objects.size(), 1u);
  EXPECT_EQ(root.Objects[1]->Objects[0]->Objects[0]->ObjectName, QStringLiteral("FadeButton1"));
  EXPECT_EQ(root.Objects[2]->ObjectType, otSlideShow);

  TPageData back;
  ASSERT_TRUE(LoadFormData(entry, back));
  EXPECT_TRUE(back.SameAs(page));

  // A failed store leaves the entry as it was.
  TPageData broken;
  const QByteArray kept = *entry.FormInfoData;
  TError error;
  EXPECT_FALSE(StoreFormData(broken, entry, &error));
  EXPECT_EQ(error.Code, PageCodes::PageWrite);
  EXPECT_EQ(*entry.FormInfoData, kept);
  EXPECT_EQ(entry.ObjectInfo->Objects.size(), 3u);
}

TEST_F(PageFiles, LoadFromARangeOfTheSourceFile) {
  const TPageData page = RichPage();
  const QByteArray bytes = PageBytes(page);
  SourceFileName = Path(QStringLiteral("autorun.mvdsk"));
  QFile file(SourceFileName);
  ASSERT_TRUE(file.open(QIODevice::WriteOnly));
  file.write(QByteArray(37, 'x') + bytes + QByteArray(50, 'y'));
  file.close();
  IsDesigner = true;

  TFormData entry;
  entry.Position = 37;
  entry.Length = int32_t(bytes.size());
  TPageData back;
  ASSERT_TRUE(LoadFormData(entry, back));
  EXPECT_TRUE(back.SameAs(page));
  TPageData unbounded;
  ASSERT_TRUE(LoadFormFromSource(unbounded, 37));
  EXPECT_TRUE(unbounded.SameAs(page));

  // A page cannot run on past its recorded range.
  entry.Length -= 1;
  TError error;
  TPageData cut;
  EXPECT_FALSE(LoadFormData(entry, cut, &error));
  EXPECT_TRUE(error.IsSet());
  // The in-memory stream wins over the file.
  TPageData other;
  InitForm(other, QStringLiteral("Memory"));
  ASSERT_TRUE(StoreFormData(other, entry));
  ASSERT_TRUE(LoadFormData(entry, back));
  EXPECT_EQ(back.Caption, QStringLiteral("Memory"));
}

TEST(PageStream, DefaultProjectKeepsTheNewPageInMemory) {
  ResetProject(true);
  ASSERT_EQ(Project.Forms.size(), 1u);
  const TFormData& entry = *Project.Forms[0];
  ASSERT_TRUE(entry.FormInfoData);
  TPageData expected;
  InitForm(expected, QStringLiteral("Form1"));
  EXPECT_EQ(*entry.FormInfoData, PageBytes(expected));
  TPageData page;
  ASSERT_TRUE(LoadFormData(entry, page));
  EXPECT_TRUE(page.SameAs(expected));
  ResetProject(false);
}
