// Path helpers, folder listing, special folders and the INI file.
#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include "TestSupport.h"
#include "model/ClipboardBlock.h"
#include "model/Globals.h"
#include "model/IniFile.h"
#include "model/Paths.h"

namespace {
// Runs the designer's helpers against a saved project at /data/Menu/autorun.mvdsk.
struct DesignerProject {
  DesignerProject(const QString& file = QStringLiteral("/data/Menu/autorun.mvdsk")) {
    IsDesigner = true;
    SourceFileName = file;
    Recorded().Shown.clear();
  }
  ~DesignerProject() {
    IsDesigner = false;
    SourceFileName.clear();
  }
};
}  // namespace

TEST(Paths, IsValidFileName) {
  const std::pair<const char*, bool> cases[] = {
      {"autorun", true}, {"my menu.exe", true}, {"", false},    {"   ", false}, {"a/b", false},
      {"a\\b", false},   {"c:", false},         {"a*", false},  {"a?", false},  {"\"q\"", false},
      {"<x>", false},    {"a|b", false},        {" ok ", true},
  };
  for (const auto& [name, valid] : cases) EXPECT_EQ(IsValidFileName(QString::fromLatin1(name)), valid) << name;
}

TEST(Paths, MakeRelativePath) {
  DesignerProject project;
  const std::pair<const char*, const char*> cases[] = {
      {"/data/Menu", "\\"},
      {"/data/Menu/", "\\"},
      {"/data/Menu/pics/a.png", "\\pics\\a.png"},
      {"/DATA/menu/Doc.pdf", "\\Doc.pdf"},  // the folder compares without regard to case
  };
  for (const auto& [path, stored] : cases)
    EXPECT_EQ(MakeRelativePath(QString::fromLatin1(path)), QString::fromLatin1(stored)) << path;
  EXPECT_TRUE(Recorded().Shown.empty());

  // Outside the folder: a message and nothing stored. A folder whose name merely starts with the
  // project folder's name is outside too.
  for (const char* outside : {"/data/Other/a.png", "/data/Menu2/a.png", "/elsewhere"}) {
    Recorded().Shown.clear();
    EXPECT_EQ(MakeRelativePath(QString::fromLatin1(outside)), QString()) << outside;
    ASSERT_EQ(Recorded().Shown.size(), 1u) << outside;
    EXPECT_EQ(Recorded().Shown[0].Caption, QStringLiteral("Information"));
    EXPECT_EQ(Recorded().Shown[0].Text,
              QStringLiteral("The file or folder you selected is not in the project folder."));
  }
}

TEST(Paths, MakeAbsolutePath) {
  DesignerProject project;
  const std::pair<const char*, const char*> cases[] = {
      {"", ""},
      {"\\pics\\a.png", "/data/Menu/pics/a.png"},
      {"pics\\a.png", "/data/Menu/pics/a.png"},
      {"\\", "/data/Menu/"},
      {"/docs/x.pdf", "/data/Menu/docs/x.pdf"},
  };
  for (const auto& [stored, path] : cases)
    EXPECT_EQ(MakeAbsolutePath(QString::fromLatin1(stored)), QString::fromLatin1(path)) << stored;
  EXPECT_EQ(MakeAbsolutePathIn(QString(), QStringLiteral("\\a")), QString());
}

TEST(Paths, UnsavedProjectHasNoFolder) {
  DesignerProject project{QString()};
  EXPECT_EQ(GetProjectFolder(), QString());
  ASSERT_EQ(Recorded().Shown.size(), 1u);
  EXPECT_EQ(Recorded().Shown[0].Caption, QStringLiteral("Project Folder"));
  EXPECT_EQ(Recorded().Shown[0].Text,
            QStringLiteral("The project has not been saved. Please save your project first."));
  EXPECT_EQ(MakeAbsolutePath(QStringLiteral("\\a.png")), QString());
}

TEST(Paths, PlayerFolderIsTheExecutablesFolder) {
  IsDesigner = false;
  ExeFolder = QStringLiteral("/media/cdrom/");
  EXPECT_EQ(GetProjectFolder(), QStringLiteral("/media/cdrom"));
  EXPECT_EQ(MakeAbsolutePath(QStringLiteral("\\setup\\run.sh")), QStringLiteral("/media/cdrom/setup/run.sh"));
  ExeFolder.clear();
}

TEST(Paths, ListFolderEntries) {
  QTemporaryDir dir;
  ASSERT_TRUE(dir.isValid());
  for (const char* f : {"a.png", "autorun.exe", "Autorun.EXE", ".hidden"}) {
    QFile file(dir.filePath(QString::fromLatin1(f)));
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
  }
  QDir(dir.path()).mkdir(QStringLiteral("sub"));
  QStringList list;
  ASSERT_TRUE(ListFolderEntries(dir.path(), false, false, list));
  list.sort();
  EXPECT_EQ(list, (QStringList{QStringLiteral(".hidden"), QStringLiteral("Autorun.EXE"), QStringLiteral("a.png")}));
  ASSERT_TRUE(ListFolderEntries(dir.path(), false, true, list));
  EXPECT_EQ(list.size(), 4);
  ASSERT_TRUE(ListFolderEntries(dir.path(), true, false, list));
  EXPECT_EQ(list, QStringList{QStringLiteral("sub")});
  EXPECT_FALSE(ListFolderEntries(dir.filePath(QStringLiteral("missing")), false, false, list));
  EXPECT_TRUE(list.isEmpty());
}

TEST(Paths, SpecialFolders) {
  const std::pair<TSpecialFolder, int> ids[] = {
      {sfDesktop, 0},      {sfPersonal, 5},     {sfMyVideo, 14},    {sfDesktopDirectory, 16}, {sfLocalAppData, 28},
      {sfConnections, 49}, {sfCommonMusic, 53}, {sfCDBurnArea, 59}, {sfComputersNearMe, 61}};
  for (const auto& [folder, id] : ids) EXPECT_EQ(SpecialFolderId(folder), id) << int(folder);
  EXPECT_EQ(int(sfComputersNearMe) + 1, SpecialFolderCount);
  EXPECT_FALSE(GetSpecialFolderPath(sfLocalAppData).isEmpty());
  EXPECT_FALSE(GetSpecialFolderPath(sfPersonal).endsWith(u'/'));
  EXPECT_TRUE(GetSpecialFolderPath(sfCDBurnArea).isEmpty());
}

TEST(IniFile, KeepsWhatItDoesNotKnow) {
  TIniFile ini;
  ini.Parse(
      QStringLiteral("; written by hand\r\n[autorun]\r\nopen=old.exe\r\nshell\\x=keep me\r\n\r\n[Other]\r\nA=1\r\n"));
  EXPECT_EQ(ini.ReadString(QStringLiteral("AUTORUN"), QStringLiteral("OPEN")), QStringLiteral("old.exe"));
  ini.WriteString(QStringLiteral("autorun"), QStringLiteral("open"), QStringLiteral("menu.exe"));
  ini.WriteString(QStringLiteral("autorun"), QStringLiteral("icon"), QStringLiteral("autorun.ico"));
  ini.WriteInteger(QStringLiteral("START"), QStringLiteral("X"), 5);
  EXPECT_EQ(ini.ToText(), QStringLiteral("; written by hand\r\n[autorun]\r\nopen=menu.exe\r\nshell\\x=keep me\r\n"
                                         "icon=autorun.ico\r\n\r\n[Other]\r\nA=1\r\n[START]\r\nX=5\r\n"));
  EXPECT_EQ(ini.ReadInteger(QStringLiteral("Other"), QStringLiteral("a"), 0), 1);
  EXPECT_EQ(ini.ReadInteger(QStringLiteral("Other"), QStringLiteral("missing"), 7), 7);

  QTemporaryDir dir;
  const QString file = dir.filePath(QStringLiteral("x.ini"));
  ASSERT_TRUE(ini.Save(file));
  TIniFile back(file);
  EXPECT_EQ(back.ToText(), ini.ToText());
  EXPECT_FALSE(TIniFile().Load(dir.filePath(QStringLiteral("missing.ini"))));
}

TEST(ClipboardBlock, CountThenBytes) {
  EXPECT_EQ(MakeClipboardBlock(Hex("0102")), Hex("02000000 0102"));
  QByteArray stream;
  EXPECT_TRUE(ParseClipboardBlock(Hex("02000000 0102 ff"), stream));
  EXPECT_EQ(stream, Hex("0102"));
  for (const QByteArray& bad : {Hex("0300"), Hex("03000000 0102"), Hex("ffffffff")})
    EXPECT_FALSE(ParseClipboardBlock(bad, stream));
}
