// The designer's settings file and its recent projects: the order rules of the list, the keys
// written, and the Tools commands that change the grid and the design area's colour.
#include "DesignerTestSupport.h"
#include "designer/EditForm.h"
#include "designer/RecentProjects.h"
#include "model/IniFile.h"
#include "model/PayloadsStandard.h"
#include "objects/ObjectControl.h"
#include "render/Colors.h"

namespace {

TRecentProjects ListOf(std::initializer_list<const char*> folders) {
  TRecentProjects list;
  int i = 0;
  for (const char* folder : folders) {
    list[i].ProjectName = QStringLiteral("Title ") + QString::number(i);
    list[i].ProjectFolder = QString::fromLatin1(folder);
    ++i;
  }
  return list;
}

QStringList Folders(const TRecentProjects& list) {
  QStringList folders;
  for (const auto& entry : list) folders << entry.ProjectFolder;
  return folders;
}

TEST(RecentProjects, OrderRules) {
  const QString none;
  const struct {
    const char* name;
    TRecentProjects before;
    const char* folder;
    QStringList after;  // folders, head first
  } cases[] = {
      {"an empty list fills from the head",
       ListOf({}),
       "/a",
       {"/a", none, none, none, none, none, none, none, none, none}},
      {"a new project enters at the head",
       ListOf({"/a", "/b"}),
       "/c",
       {"/c", "/a", "/b", none, none, none, none, none, none, none}},
      {"a listed project moves to the head, those behind it stay",
       ListOf({"/a", "/b", "/c", "/d", "/e", "/f"}),
       "/d",
       {"/d", "/a", "/b", "/c", "/e", "/f", none, none, none, none}},
      {"the head stays the head",
       ListOf({"/a", "/b"}),
       "/a",
       {"/a", "/b", none, none, none, none, none, none, none, none}},
      {"folders differing in letter case are one; the new spelling wins",
       ListOf({"/a", "/Menus/Disc"}),
       "/menus/DISC",
       {"/menus/DISC", "/a", none, none, none, none, none, none, none, none}},
      {"a full list drops its last entry",
       ListOf({"/0", "/1", "/2", "/3", "/4", "/5", "/6", "/7", "/8", "/9"}),
       "/new",
       {"/new", "/0", "/1", "/2", "/3", "/4", "/5", "/6", "/7", "/8"}},
      {"the last entry of a full list moves up",
       ListOf({"/0", "/1", "/2", "/3", "/4", "/5", "/6", "/7", "/8", "/9"}),
       "/9",
       {"/9", "/0", "/1", "/2", "/3", "/4", "/5", "/6", "/7", "/8"}},
  };
  for (const auto& c : cases) {
    TRecentProjects list = c.before;
    UpdateRecentProjects(list, QStringLiteral("Now"), QString::fromLatin1(c.folder));
    EXPECT_EQ(Folders(list), c.after) << c.name;
    EXPECT_EQ(list[0].ProjectName, QStringLiteral("Now")) << c.name;
  }

  // The entry at index 3 moves to the head under the current title; 4 … 9 keep their places.
  TRecentProjects list = ListOf({"/0", "/1", "/2", "/3", "/4", "/5", "/6", "/7", "/8", "/9"});
  const TRecentProjects before = list;
  UpdateRecentProjects(list, QStringLiteral("Renamed"), QStringLiteral("/3"));
  EXPECT_EQ(list[0], (TRecentProject{QStringLiteral("Renamed"), QStringLiteral("/3")}));
  for (int i = 1; i <= 3; ++i) EXPECT_EQ(list[i], before[i - 1]);
  for (int i = 4; i < RecentProjectCount; ++i) EXPECT_EQ(list[i], before[i]);

  RemoveRecentProject(list, 0);
  EXPECT_EQ(list[0], before[0]);
  EXPECT_TRUE(list[RecentProjectCount - 1].IsEmpty());
}

class DesignerSettingsFile : public ::testing::Test {
 protected:
  void SetUp() override {
    FSaved = SettingsFileName;
    SettingsFileName = Dir.filePath(QStringLiteral("Menuvia.ini"));
  }
  void TearDown() override { SettingsFileName = FSaved; }
  QTemporaryDir Dir;

 private:
  QString FSaved;
};

TEST_F(DesignerSettingsFile, RecentProjectsWriteAllTwentyKeys) {
  // Other sections of the file survive.
  TIniFile other;
  other.WriteString(QStringLiteral("START"), QStringLiteral("DEFAULTFOLDER"), QStringLiteral("/kept"));
  ASSERT_TRUE(other.Save(SettingsFileName));

  TRecentProjects list = ListOf({"/a", "/b"});
  SaveRecentProjects(list);
  const TIniFile ini(SettingsFileName);
  QStringList expected;
  for (int i = 0; i < RecentProjectCount; ++i)
    expected << QStringLiteral("NAME%1").arg(i) << QStringLiteral("FOLDER%1").arg(i);
  EXPECT_EQ(ini.ReadSection(QStringLiteral("RECENT")), expected);
  EXPECT_TRUE(ini.ValueExists(QStringLiteral("RECENT"), QStringLiteral("FOLDER9")));
  EXPECT_EQ(ini.ReadString(QStringLiteral("RECENT"), QStringLiteral("FOLDER1")), QStringLiteral("/b"));
  EXPECT_EQ(ini.ReadString(QStringLiteral("START"), QStringLiteral("DEFAULTFOLDER")), QStringLiteral("/kept"));

  TRecentProjects read;
  LoadRecentProjects(read);
  EXPECT_EQ(read, list);
}

TEST_F(DesignerSettingsFile, SettingsDefaultsAndValues) {
  TDesignerSettings settings;
  settings.GridSizeX = 3;
  LoadSettings(settings);  // no file: every default
  EXPECT_EQ(settings, TDesignerSettings{});
  EXPECT_EQ(static_cast<int>(settings.DesignBackColor), -16777192);

  settings = {false, false, 10, 12, 0x00123456};
  SaveSettings(settings);
  const TIniFile ini(SettingsFileName);
  const std::pair<const char*, const char*> written[] = {{"DISPLAYGRID", "0"},
                                                         {"SNAPTOGRID", "0"},
                                                         {"GRIDSIZEX", "10"},
                                                         {"GRIDSIZEY", "12"},
                                                         {"BACKGROUNDCOLOR", "1193046"}};
  for (const auto& [key, value] : written)
    EXPECT_EQ(ini.ReadString(QStringLiteral("SETTINGS"), QString::fromLatin1(key)), QString::fromLatin1(value)) << key;
  TDesignerSettings read;
  LoadSettings(read);
  EXPECT_EQ(read, settings);

  // Hand-edited values: any non-zero integer is true, grid sizes are kept usable for snapping.
  TIniFile edited(SettingsFileName);
  edited.WriteString(QStringLiteral("SETTINGS"), QStringLiteral("DISPLAYGRID"), QStringLiteral("7"));
  edited.WriteString(QStringLiteral("SETTINGS"), QStringLiteral("GRIDSIZEX"), QStringLiteral("0"));
  edited.WriteString(QStringLiteral("SETTINGS"), QStringLiteral("GRIDSIZEY"), QStringLiteral("-4000"));
  ASSERT_TRUE(edited.Save(SettingsFileName));
  LoadSettings(read);
  EXPECT_TRUE(read.DisplayGrid);
  EXPECT_EQ(read.GridSizeX, MinGridSize);
  EXPECT_EQ(read.GridSizeY, MinGridSize);
}

// The Tools commands write the file at once and act on the design area.
TEST_F(DesignerTest, ToolsCommands) {
  TMainForm& form = Start();
  // First start: grid shown, snapping on, 8 × 8, the tooltip background around the page.
  EXPECT_TRUE(form.DisplayGrid1->isChecked());
  EXPECT_TRUE(form.SnaptoGrid1->isChecked());
  EXPECT_EQ(DesignSettings, TDesignerSettings{});
  EXPECT_EQ(form.ScrollBox6->Host()->palette().color(QPalette::Window), ToQColor(clSystemColor | 24));
  const auto paintGrid = [&] {
    return static_cast<const TPanelPayload&>(*form.AutoRunForm->PanelObject()->Payload).PanelBack.PaintGrid;
  };
  const auto setting = [](const char* key) {
    return TIniFile(SettingsFileName).ReadString(QStringLiteral("SETTINGS"), QString::fromLatin1(key));
  };
  EXPECT_TRUE(paintGrid());
  const QImage withGrid = form.EditForm->Picture();

  form.DisplayGrid1->trigger();
  EXPECT_FALSE(DesignSettings.DisplayGrid);
  EXPECT_EQ(setting("DISPLAYGRID"), QStringLiteral("0"));
  EXPECT_FALSE(paintGrid());
  EXPECT_NE(form.EditForm->Picture(), withGrid) << "the dots go at once";
  form.DisplayGrid1->trigger();
  EXPECT_EQ(setting("DISPLAYGRID"), QStringLiteral("1"));
  EXPECT_EQ(form.EditForm->Picture(), withGrid);

  form.SnaptoGrid1->trigger();
  EXPECT_FALSE(DesignSettings.SnapToGrid);
  EXPECT_EQ(setting("SNAPTOGRID"), QStringLiteral("0"));

  Dialogs->Grid = std::pair(10, 8);
  form.GridSize1->trigger();
  EXPECT_EQ(DesignSettings.GridSizeX, 10);
  EXPECT_EQ(setting("GRIDSIZEX"), QStringLiteral("10"));
  // The dots move at once: one at every tenth pixel across, none at the old eighth.
  EXPECT_NE(form.EditForm->Picture(), withGrid);
  const QImage page = ControlOf(*form.AutoRunForm->PanelObject())->ChildHost()->grab().toImage();
  EXPECT_EQ(page.pixelColor(20, 16), QColor(Qt::black));
  EXPECT_NE(page.pixelColor(16, 16), QColor(Qt::black));

  Dialogs->Color = 0x00FF0000;  // blue
  form.BackgroundColor1->trigger();
  EXPECT_EQ(form.ScrollBox6->Host()->palette().color(QPalette::Window), QColor(Qt::blue));
  EXPECT_EQ(setting("BACKGROUNDCOLOR"), QString::number(0x00FF0000));

  // A cancelled dialog changes nothing.
  Dialogs->Color.reset();
  Dialogs->Grid.reset();
  form.BackgroundColor1->trigger();
  form.GridSize1->trigger();
  EXPECT_EQ(DesignSettings.DesignBackColor, 0x00FF0000u);
  EXPECT_EQ(DesignSettings.GridSizeX, 10);
}

}  // namespace
