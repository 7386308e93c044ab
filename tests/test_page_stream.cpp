#include <gtest/gtest.h>

#include <QBuffer>
#include <QFile>
#include <QTemporaryDir>

#include "TestSupport.h"
#include "model/Actions.h"
#include "model/Globals.h"
#include "model/ObjectStream.h"
#include "model/PageStream.h"

namespace {

struct TReadResult {
  bool Ok = false;
  TError Error;
  qint64 Pos = 0;
};

template <class F>
TReadResult ReadFrom(const QByteArray& bytes, F&& reader) {
  QByteArray copy = bytes;
  QBuffer buffer(&copy);
  buffer.open(QIODevice::ReadOnly);
  TStream s(&buffer);
  TReadResult r;
  r.Ok = reader(s);
  r.Error = s.Error();
  r.Pos = s.Pos();
  return r;
}

const QByteArray WriteFailed("<write failed>");

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
  EXPECT_TRUE(panel.OnClickActions.IsEmpty() && panel.OnDblClickActions.IsEmpty() && panel.OnEnterActions.IsEmpty() &&
              panel.OnLeaveActions.IsEmpty() && panel.OnMouseDownActions.IsEmpty() && panel.OnMouseUpActions.IsEmpty());
}

TEST(StatusPanelStream, FieldsInStoredOrder) {
  const TStatusPanel panel{2, QStringLiteral("Hi"), 120};
  const QByteArray bytes = WriteBytes([&](TStream& s) { return WriteStatusPanel(s, panel); });
  EXPECT_EQ(bytes.toHex(), Hex("00000000 02 02000000 48006900 78000000").toHex());
  TStatusPanel back;
  ASSERT_TRUE(ReadFrom(bytes, [&](TStream& s) { return ReadStatusPanel(s, &back); }).Ok);
  EXPECT_EQ(back, panel);
  auto r = ReadFrom(bytes + "tail", [](TStream& s) { return ReadStatusPanel(s, nullptr); });
  EXPECT_TRUE(r.Ok);
  EXPECT_EQ(r.Pos, bytes.size());
  for (qsizetype n = 0; n < bytes.size(); ++n)
    EXPECT_FALSE(ReadFrom(bytes.left(n), [&](TStream& s) { return ReadStatusPanel(s, &back); }).Ok) << n;
  QByteArray v1 = bytes;
  v1[0] = 1;
  r = ReadFrom(v1, [&](TStream& s) { return ReadStatusPanel(s, &back); });
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
