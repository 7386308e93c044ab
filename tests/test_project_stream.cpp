// The settings block: exact bytes, the page table rewritten with absolute offsets, pages copied as
// byte ranges from the source, the player's read that stops after the table.
#include <gtest/gtest.h>

#include <QBuffer>
#include <QtEndian>

#include "TestSupport.h"
#include "model/Globals.h"
#include "model/ProjectStream.h"

namespace {

std::unique_ptr<TObjectInfo> Outline(const QString& name, TObjectType type = otPanel) {
  auto info = std::make_unique<TObjectInfo>();
  info->ObjectName = name;
  info->ObjectType = type;
  return info;
}

std::unique_ptr<TFormData> Page(const QString& name, const QByteArray& stream) {
  auto form = std::make_unique<TFormData>();
  form->FormName = name;
  form->ObjectInfo = Outline(name + QStringLiteral("Panel"));
  form->FormInfoData = stream;
  return form;
}

// A project whose settings are all short, so its block can be spelled out byte by byte.
TMenuProject SmallProject() {
  TMenuProject p;
  p.SecurityType = stUser;
  for (QString* s : {&p.AppOutputFileName, &p.SecurityUserAuthList, &p.SecurityUserAuthLabel, &p.SecurityPasswordLabel,
                     &p.SecurityErrorMessage, &p.SecurityTitle, &p.SecurityOKButtonCaption,
                     &p.SecurityCancelButtonCaption, &p.SplashScreenName, &p.ExitFormName, &p.FullScreenName})
    s->clear();
  p.SplashScreenTime = 1;
  p.ExitFormTime = 2;
  p.AppTitle = QStringLiteral("T");
  return p;
}

const char* const SmallSettingsHex =
    "00000000 01"                                            // version, stUser
    "00000000 00000000 00000000 00000000 00000000 00000000"  // six empty strings
    "00000000 00000000 00000000"                             // three more
    "01000000 00000000 02000000 00000000"                    // splash time, exit page, exit time, full screen
    "01000000 5400"                                          // title "T"
    "00000000 00000000 00000000 00000000";                   // start and exit actions: empty lists

QByteArray WriteBlock(TMenuProject& project, QIODevice* source, const QByteArray& prefix = {}) {
  QByteArray bytes = prefix;
  QBuffer buffer(&bytes);
  buffer.open(QIODevice::ReadWrite);
  buffer.seek(prefix.size());
  TStream s(&buffer);
  if (!WriteProjectSettings(s, project, source)) return QByteArray("<write failed>");
  return bytes;
}

class ProjectStreamTest : public ::testing::Test {
 protected:
  void SetUp() override {
    ResetProject(false);
    ProjectChanged = false;
    IsDesigner = false;
  }
  void TearDown() override {
    ResetProject(false);
    IsDesigner = false;
  }
};

TEST_F(ProjectStreamTest, ZeroPagesIsSettingsAndCountOnly) {
  TMenuProject p = SmallProject();
  const QByteArray bytes = WriteBlock(p, nullptr);
  EXPECT_EQ(bytes.toHex(' '), (Hex(SmallSettingsHex) + Hex("00000000")).toHex(' '));

  QBuffer in;
  in.setData(bytes);
  in.open(QIODevice::ReadOnly);
  TStream s(&in);
  TMenuProject read;
  ASSERT_TRUE(ReadProjectSettings(s, read, true));
  EXPECT_EQ(read.SecurityType, stUser);
  EXPECT_EQ(read.AppTitle, QStringLiteral("T"));
  EXPECT_TRUE(read.SecurityUserAuthList.isEmpty());
  EXPECT_EQ(read.SplashScreenTime, 1);
  EXPECT_EQ(read.ExitFormTime, 2);
  EXPECT_TRUE(read.Forms.empty());
  EXPECT_EQ(in.pos(), bytes.size());
}

// One page "P" with stream "AB" and outline "PPanel": the whole block, at several offsets of the
// file, with the table carrying the absolute position of the page.
TEST_F(ProjectStreamTest, OnePageBlockAtOffsetRecordsAbsolutePositions) {
  for (const QByteArray& prefix : {QByteArray(), QByteArray("xyz"), QByteArray(4096, 'E')}) {
    SCOPED_TRACE(prefix.size());
    TMenuProject p = SmallProject();
    p.Forms.push_back(Page(QStringLiteral("P"), "AB"));
    const QByteArray bytes = WriteBlock(p, nullptr, prefix);
    const int pagePos = prefix.size() + 83 + 18 + 25;  // settings, entry, outline
    QByteArray pos(4, 0);
    qToLittleEndian<int32_t>(pagePos, pos.data());
    const QByteArray expected = prefix + Hex(SmallSettingsHex) + Hex("01000000") +                // count
                                Hex("00000000 01000000 5000") + pos + Hex("02000000") +           // entry
                                Hex("00000000 06000000 500050006100 6e0065006c00 00 00000000") +  // outline
                                QByteArray("AB");
    EXPECT_EQ(bytes.toHex(' '), expected.toHex(' '));
    EXPECT_EQ(p.Forms[0]->Position, pagePos);
    EXPECT_GT(p.Forms[0]->Position, prefix.size());
    EXPECT_EQ(p.Forms[0]->Length, 2);
  }
}

// Builds a source file holding three pages and reads it back as the designer does.
struct ThreePageSource {
  QByteArray File;
  TMenuProject Project;
  QByteArray PageBytes[3] = {QByteArray(300, 'a') + "first", QByteArray("second page"), QByteArray(77, 'c')};

  ThreePageSource() {
    TMenuProject p = SmallProject();
    for (int i = 0; i < 3; ++i) p.Forms.push_back(Page(QStringLiteral("Page%1").arg(i + 1), PageBytes[i]));
    p.Forms[1]->ObjectInfo->Objects.push_back(Outline(QStringLiteral("Shape1"), otShape));
    File = WriteBlock(p, nullptr, QByteArray(8, 'H'));
    QBuffer in(&File);
    in.open(QIODevice::ReadOnly);
    in.seek(8);
    TStream s(&in);
    if (!ReadProjectSettings(s, Project, true)) File.clear();
  }
};

TEST_F(ProjectStreamTest, EditedMiddlePageFromMemoryOthersCopiedByteForByte) {
  ThreePageSource src;
  ASSERT_FALSE(src.File.isEmpty());
  ASSERT_EQ(src.Project.Forms.size(), 3u);
  for (const auto& f : src.Project.Forms) EXPECT_FALSE(f->FormInfoData.has_value());

  const QByteArray edited = "edited second page, longer than before";
  src.Project.Forms[1]->FormInfoData = edited;
  QBuffer source(&src.File);
  source.open(QIODevice::ReadOnly);
  const int32_t oldPos[3] = {src.Project.Forms[0]->Position, src.Project.Forms[1]->Position,
                             src.Project.Forms[2]->Position};

  const QByteArray prefix(1000, 'X');
  const QByteArray out = WriteBlock(src.Project, &source, prefix);
  ASSERT_NE(out, QByteArray("<write failed>"));

  // Pages one and three are the source's bytes at their old ranges, page two the memory stream.
  const auto& forms = src.Project.Forms;
  EXPECT_EQ(out.mid(forms[0]->Position, forms[0]->Length), src.File.mid(oldPos[0], src.PageBytes[0].size()));
  EXPECT_EQ(out.mid(forms[0]->Position, forms[0]->Length), src.PageBytes[0]);
  EXPECT_EQ(out.mid(forms[1]->Position, forms[1]->Length), edited);
  EXPECT_EQ(out.mid(forms[2]->Position, forms[2]->Length), src.PageBytes[2]);
  EXPECT_EQ(forms[1]->Position, forms[0]->Position + forms[0]->Length);  // back to back
  EXPECT_EQ(forms[2]->Position, forms[1]->Position + edited.size());
  for (const auto& f : forms) EXPECT_GT(f->Position, prefix.size());
  EXPECT_EQ(forms[2]->Position + forms[2]->Length, out.size());

  // The table in the output carries the new numbers, and the outlines after it are intact.
  QBuffer in;
  in.setData(out);
  in.open(QIODevice::ReadOnly);
  in.seek(prefix.size());
  TStream s(&in);
  TMenuProject reread;
  ASSERT_TRUE(ReadProjectSettings(s, reread, true));
  ASSERT_EQ(reread.Forms.size(), 3u);
  for (int i = 0; i < 3; ++i) {
    EXPECT_EQ(reread.Forms[i]->FormName, QStringLiteral("Page%1").arg(i + 1));
    EXPECT_EQ(reread.Forms[i]->Position, forms[i]->Position);
    EXPECT_EQ(reread.Forms[i]->Length, forms[i]->Length);
  }
  ASSERT_EQ(reread.Forms[1]->ObjectInfo->Objects.size(), 1u);
  EXPECT_EQ(reread.Forms[1]->ObjectInfo->Objects[0]->ObjectName, QStringLiteral("Shape1"));
  EXPECT_EQ(reread.Forms[1]->ObjectInfo->Objects[0]->ObjectType, otShape);
  EXPECT_EQ(in.pos(), forms[0]->Position);  // the outlines end where the first page begins
}

TEST_F(ProjectStreamTest, PlayerReadStopsAfterPageTable) {
  ThreePageSource src;
  ASSERT_FALSE(src.File.isEmpty());
  // Spoil the first outline's version word: the player never looks at it, the designer does.
  QByteArray damaged = src.File;
  const qint64 tableEnd = [&] {
    QBuffer in(&damaged);
    in.open(QIODevice::ReadOnly);
    in.seek(8);
    TStream s(&in);
    TMenuProject p;
    EXPECT_TRUE(ReadProjectSettings(s, p, false));
    return in.pos();
  }();
  damaged[tableEnd] = 1;

  QBuffer in(&damaged);
  in.open(QIODevice::ReadOnly);
  in.seek(8);
  TStream player(&in);
  TMenuProject p;
  ASSERT_TRUE(ReadProjectSettings(player, p, false));
  EXPECT_EQ(in.pos(), tableEnd);
  ASSERT_EQ(p.Forms.size(), 3u);
  EXPECT_TRUE(p.Forms[1]->ObjectInfo->ObjectName.isEmpty());  // outline not read
  EXPECT_EQ(p.Forms[2]->Position, src.Project.Forms[2]->Position);

  in.seek(8);
  TStream designer(&in);
  TMenuProject d;
  EXPECT_FALSE(ReadProjectSettings(designer, d, true));
  EXPECT_EQ(designer.Error().Kind, TErrorKind::DataVersion);
  EXPECT_TRUE(d.Forms.empty());  // a failed read leaves the target as it was
}

TEST_F(ProjectStreamTest, GlobalProjectReadFollowsRunModeAndClearsChanged) {
  ThreePageSource src;
  for (const bool designer : {false, true}) {
    IsDesigner = designer;
    ResetProject(true);
    ASSERT_TRUE(ProjectChanged);
    ResetProject(false);
    QBuffer in(&src.File);
    in.open(QIODevice::ReadOnly);
    in.seek(8);
    TStream s(&in);
    ASSERT_TRUE(ReadProjectSettings(s));
    EXPECT_FALSE(ProjectChanged);
    ASSERT_EQ(Project.Forms.size(), 3u);
    EXPECT_EQ(Project.Forms[1]->ObjectInfo->Objects.size(), designer ? 1u : 0u);

    ProjectChanged = true;
    QBuffer source(&src.File);
    source.open(QIODevice::ReadOnly);
    QByteArray out;
    QBuffer buffer(&out);
    buffer.open(QIODevice::WriteOnly);
    TStream w(&buffer);
    ASSERT_TRUE(WriteProjectSettings(w, &source));
    EXPECT_FALSE(ProjectChanged);
  }
}

TEST_F(ProjectStreamTest, PageWithoutStreamOrSourceFailsWithOrgStreamAndKeepsRanges) {
  ThreePageSource src;
  src.Project.Forms[0]->FormInfoData = QByteArray("new");
  const int32_t pos2 = src.Project.Forms[2]->Position;
  const QByteArray out = WriteBlock(src.Project, nullptr);
  EXPECT_EQ(out, QByteArray("<write failed>"));

  QByteArray bytes;
  QBuffer buffer(&bytes);
  buffer.open(QIODevice::WriteOnly);
  TStream s(&buffer);
  EXPECT_FALSE(WriteProjectSettings(s, src.Project, nullptr));
  EXPECT_EQ(s.Error().Message(), QStringLiteral("System Error, \"OrgStream\" Error!"));
  EXPECT_EQ(s.Error().Caption(), QStringLiteral("Error"));
  EXPECT_EQ(s.Error().Icon(), TMsgIcon::Error);
  // The project still describes its source.
  EXPECT_EQ(src.Project.Forms[2]->Position, pos2);
}

TEST_F(ProjectStreamTest, SourceRangeOutsideSourceFailsTheCopy) {
  ThreePageSource src;
  QByteArray shortSource = src.File.left(src.Project.Forms[2]->Position + 5);
  QBuffer source(&shortSource);
  source.open(QIODevice::ReadOnly);
  QByteArray bytes;
  QBuffer buffer(&bytes);
  buffer.open(QIODevice::WriteOnly);
  TStream s(&buffer);
  EXPECT_FALSE(WriteProjectSettings(s, src.Project, &source));
  EXPECT_EQ(s.Error().Code, ProjectCodes::CopyFormStream);
}

TEST_F(ProjectStreamTest, TableEntryAndOutlineExactBytes) {
  TFormData form;
  form.FormName = QStringLiteral("P");
  form.Position = 0x10;
  form.Length = 0x20;
  EXPECT_EQ(WriteBytes([&](TStream& s) { return WriteFormData(s, form); }).toHex(' '),
            Hex("00000000 01000000 5000 10000000 20000000").toHex(' '));

  auto root = Outline(QStringLiteral("A"));
  root->Objects.push_back(Outline(QStringLiteral("B"), otShape));
  EXPECT_EQ(WriteBytes([&](TStream& s) { return WriteObjectInfo(s, *root); }).toHex(' '),
            Hex("00000000 01000000 4100 00 01000000  00000000 01000000 4200 0e 00000000").toHex(' '));
}

// A table entry whose range does not lie inside the file is damage.
TEST_F(ProjectStreamTest, TableEntryRangeMustLieInsideTheFile) {
  struct Case {
    int32_t Position, Length;
    bool Ok;
  };
  const Case cases[] = {{0, 0, true},   {0, 22, true},  {21, 1, true},  {22, 0, true},
                        {22, 1, false}, {-1, 0, false}, {0, -1, false}, {0x7fffffff, 0x7fffffff, false}};
  for (const Case& c : cases) {
    SCOPED_TRACE(testing::Message() << c.Position << "+" << c.Length);
    TFormData form;
    form.FormName = QStringLiteral("PQ");  // 20 bytes of entry plus two after it: 22 in all
    form.Position = c.Position;
    form.Length = c.Length;
    QByteArray bytes = WriteBytes([&](TStream& s) { return WriteFormData(s, form); }) + "zz";
    QBuffer in(&bytes);
    in.open(QIODevice::ReadOnly);
    TStream s(&in);
    TFormData read;
    EXPECT_EQ(ReadFormData(s, read), c.Ok);
    if (!c.Ok) {
      EXPECT_EQ(s.Error().Code, ProjectCodes::FormDataRead);
    }
  }
}

TEST_F(ProjectStreamTest, LongPageNameRoundTripsAndTableRewriteKeepsFollowingData) {
  TMenuProject p = SmallProject();
  p.Forms.push_back(Page(QString(70000, u'\u00e9'), "first"));
  p.Forms.push_back(Page(QStringLiteral("B"), "second"));
  const QByteArray out = WriteBlock(p, nullptr);
  QBuffer in;
  in.setData(out);
  in.open(QIODevice::ReadOnly);
  TStream s(&in);
  TMenuProject read;
  ASSERT_TRUE(ReadProjectSettings(s, read, true));
  EXPECT_EQ(read.Forms[0]->FormName, QString(70000, u'\u00e9'));
  EXPECT_EQ(read.Forms[1]->ObjectInfo->ObjectName, QStringLiteral("BPanel"));
  EXPECT_EQ(out.mid(read.Forms[1]->Position, read.Forms[1]->Length), QByteArray("second"));
}

TEST_F(ProjectStreamTest, OutlineDepthIsLimited) {
  // Deeper than any reader accepts: refused when written, and a crafted deep file is refused too.
  auto root = Outline(QStringLiteral("root"));
  TObjectInfo* node = root.get();
  for (int i = 0; i < 100; ++i) {
    node->Objects.push_back(Outline(QStringLiteral("n")));
    node = node->Objects.back().get();
  }
  QByteArray bytes;
  QBuffer buffer(&bytes);
  buffer.open(QIODevice::WriteOnly);
  TStream w(&buffer);
  EXPECT_FALSE(WriteObjectInfo(w, *root));
  EXPECT_EQ(w.Error().Code, ProjectCodes::ObjectInfoWrite);

  QByteArray deep;
  for (int i = 0; i < 100; ++i) deep += Hex("00000000 00000000 00 01000000");
  deep += Hex("00000000 00000000 00 00000000");
  QBuffer in(&deep);
  in.open(QIODevice::ReadOnly);
  TStream r(&in);
  TObjectInfo read;
  EXPECT_FALSE(ReadObjectInfo(r, read));
  EXPECT_EQ(r.Error().Code, ProjectCodes::ObjectInfoRead);
}

TEST_F(ProjectStreamTest, HugeCountsFailBeforeAllocating) {
  // A child count of two billion in a few bytes of file.
  QByteArray bytes = Hex("00000000 00000000 00 ffffff7f 00000000");
  QBuffer in(&bytes);
  in.open(QIODevice::ReadOnly);
  TStream s(&in);
  TObjectInfo read;
  EXPECT_FALSE(ReadObjectInfo(s, read));
  EXPECT_TRUE(read.Objects.empty());
}

TEST_F(ProjectStreamTest, BuildObjectInfoMirrorsTheObjectTree) {
  auto panel = NewAuObject();
  panel->ObjectName = QStringLiteral("PagePanel");
  auto group = NewAuObject();
  group->ObjectName = QStringLiteral("GroupBox1");
  group->ObjectType = otGroupBox;
  auto button = NewAuObject();
  button->ObjectName = QStringLiteral("Button1");
  button->ObjectType = otStandardButton;
  group->Objects.push_back(std::move(button));
  panel->Objects.push_back(std::move(group));
  auto shape = NewAuObject();
  shape->ObjectName = QStringLiteral("Shape1");
  shape->ObjectType = otShape;
  panel->Objects.push_back(std::move(shape));

  TObjectInfo info;
  info.Objects.push_back(Outline(QStringLiteral("stale")));
  BuildObjectInfo(*panel, info);
  EXPECT_EQ(info.ObjectName, QStringLiteral("PagePanel"));
  ASSERT_EQ(info.Objects.size(), 2u);
  EXPECT_EQ(info.Objects[0]->ObjectName, QStringLiteral("GroupBox1"));
  EXPECT_EQ(info.Objects[0]->ObjectType, otGroupBox);
  ASSERT_EQ(info.Objects[0]->Objects.size(), 1u);
  EXPECT_EQ(info.Objects[0]->Objects[0]->ObjectName, QStringLiteral("Button1"));
  EXPECT_EQ(info.Objects[0]->Objects[0]->ObjectType, otStandardButton);
  EXPECT_EQ(info.Objects[1]->ObjectType, otShape);
  EXPECT_EQ(CountOutlineObjects(info), 3);
}

}  // namespace
