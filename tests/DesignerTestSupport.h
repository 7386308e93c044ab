// Shared helpers of the designer tests: a home folder of their own (documents and settings), the
// designer's dialogs answered by a recorder, projects written to disk, and the model written out
// as bytes so that two states can be compared exactly.
#pragma once

#include <gtest/gtest.h>

#include <QAction>
#include <QApplication>
#include <QCryptographicHash>
#include <QLabel>
#include <QMenu>
#include <QSignalSpy>
#include <QTableWidget>
#include <QTemporaryDir>
#include <QTest>
#include <array>
#include <memory>
#include <optional>
#include <vector>

#include "PageTestSupport.h"
#include "designer/DesignerDialogs.h"
#include "designer/DesignerSettings.h"
#include "designer/DesignerState.h"
#include "designer/MainForm.h"
#include "designer/ProjectTree.h"
#include "designer/UndoCommands.h"
#include "model/ProjectFile.h"
#include "model/ProjectStream.h"
#include "player/Startup.h"

// Answers the designer's dialogs from queues; an empty queue answers Cancel.
class TRecordingDesignerDialogs : public TDesignerDialogs {
 public:
  bool ChooseFolder(const QString& caption, const QString& startFolder, QString& folder) override {
    FolderCalls.push_back({caption, startFolder});
    if (Folders.empty()) return false;
    const std::optional<QString> answer = Folders.front();
    Folders.erase(Folders.begin());
    if (!answer) return false;
    folder = *answer;
    return true;
  }
  bool ProjectOptions(TProjectOptions& options) override {
    ++OptionsCalls;
    if (Options.empty()) return false;
    options = Options.front();
    Options.erase(Options.begin());
    return true;
  }
  bool GridSize(int& gridX, int& gridY) override {
    if (!Grid) return false;
    gridX = Grid->first;
    gridY = Grid->second;
    return true;
  }
  bool SelectColor(TColor& color) override {
    if (!Color) return false;
    color = *Color;
    return true;
  }

  struct TFolderCall {
    QString Caption, Start;
  };
  std::vector<TFolderCall> FolderCalls;
  std::vector<std::optional<QString>> Folders;  // nullopt: Cancel
  int OptionsCalls = 0;
  std::vector<TProjectOptions> Options;
  std::optional<std::pair<int, int>> Grid;
  std::optional<TColor> Color;
};

// A page entry holding page in memory.
inline std::unique_ptr<TFormData> PageEntry(const QString& name, const TPageData& page) {
  auto entry = std::make_unique<TFormData>();
  entry->FormName = name;
  EXPECT_TRUE(StoreFormData(page, *entry));
  return entry;
}

// Writes a project of the given pages (names and contents) to folder/autorun.mvdsk. It goes through
// Project, so it runs before the designer starts; Project is the default one-page project
// afterwards. Returns the file's name.
inline QString WriteProject(const QString& folder, std::initializer_list<std::pair<QString, TPageData>> pages,
                            const QString& title = QStringLiteral("Test Menu")) {
  ResetProject(false);
  Project.AppTitle = title;
  for (const auto& [name, page] : pages) Project.Forms.push_back(PageEntry(name, page));
  QDir().mkpath(folder);
  const QString file = folder + QStringLiteral("/autorun.mvdsk");
  TError error;
  EXPECT_TRUE(SaveProjectToFile(file, {}, error)) << error.Message().toStdString();
  // The designer's own start-up project again, as the program makes it.
  ResetProject(true);
  ProjectChanged = false;
  return file;
}

// Everything the model holds, written out: the project settings, then each page's name, its
// current stream and its outline (the editing page's live content for the loaded page). One line
// per part, with its size and a digest, so that a difference names the part.
inline std::string ModelBytes(TDesignerState& state) {
  const auto line = [](const QString& part, const QByteArray& bytes) {
    return part + QStringLiteral(": %1 bytes ").arg(bytes.size()) +
           QString::fromLatin1(QCryptographicHash::hash(bytes, QCryptographicHash::Sha1).toHex().left(16));
  };
  QStringList out;
  TMenuProject settings = TDesignerState::CopyProjectSettings();
  QByteArray block;
  EXPECT_TRUE(WriteToBytes(block, nullptr, [&](TStream& s) { return WriteProjectSettings(s, settings, nullptr); }));
  out << line(QStringLiteral("settings"), block);
  for (auto& form : Project.Forms) {
    QByteArray page;
    EXPECT_TRUE(state.PageBytes(*form, page)) << form->FormName.toStdString();
    out << line(QStringLiteral("page ") + form->FormName, page);
    TObjectInfo live;
    const TObjectInfo* info = form->ObjectInfo.get();
    if (form.get() == state.LoadedPage()) {
      BuildObjectInfo(*state.EditPage().PanelObject(), live);
      info = &live;
    }
    QByteArray outline;
    if (info) {
      EXPECT_TRUE(WriteToBytes(outline, nullptr, [&](TStream& s) { return WriteObjectInfo(s, *info); }));
    }
    out << line(QStringLiteral("outline ") + form->FormName, outline);
  }
  return out.join(u'\n').toStdString() + '\n';
}

// The designer with a home folder of its own: documents under HOME, settings under
// XDG_CONFIG_HOME, both empty at the start.
class DesignerTest : public ::testing::Test {
 public:
  void SetUp() override {
    ASSERT_TRUE(Home.isValid());
    for (const char* name : {"HOME", "XDG_CONFIG_HOME", "XDG_DOCUMENTS_DIR"})
      FSavedEnv.emplace_back(name, qEnvironmentVariableIsSet(name) ? std::optional(qgetenv(name)) : std::nullopt);
    qputenv("HOME", Home.path().toUtf8());
    qputenv("XDG_CONFIG_HOME", (Home.path() + QStringLiteral("/.config")).toUtf8());
    qunsetenv("XDG_DOCUMENTS_DIR");
    FSavedFolders = {ExeFolder, MyDocumentsFolder, SettingsFileName, DefaultFolder};
    InitProcessState(Home.path() + QStringLiteral("/bin/Menuvia"));
    ResetProject(true);
    ProjectChanged = false;
    DesignSettings = {};
    Recorded().Shown.clear();
    Recorded().Answers.clear();
    auto dialogs = std::make_unique<TRecordingDesignerDialogs>();
    Dialogs = dialogs.get();
    FSavedDialogs = SetDesignerDialogs(std::move(dialogs));
    FQuitOnClose = QApplication::quitOnLastWindowClosed();
    QApplication::setQuitOnLastWindowClosed(false);
  }

  void TearDown() override {
    Form.reset();
    SetDesignerDialogs(std::move(FSavedDialogs));
    QApplication::setQuitOnLastWindowClosed(FQuitOnClose);
    ResetProject(false);
    ProjectChanged = false;
    SourceFileName.clear();
    ExeFolder = FSavedFolders[0];
    MyDocumentsFolder = FSavedFolders[1];
    SettingsFileName = FSavedFolders[2];
    DefaultFolder = FSavedFolders[3];
    IsDesigner = false;
    IsDesignPreview = false;
    ExitRequested = false;
    DesignSettings = {};
    Recorded().Shown.clear();
    Recorded().Answers.clear();
    for (const auto& [name, value] : FSavedEnv)
      if (value)
        qputenv(name, *value);
      else
        qunsetenv(name);
  }

  // Shows the designer (opening startupProject when given) and waits for its start-up project.
  TMainForm& Start(const QString& startupProject = {}) {
    Form = std::make_unique<TMainForm>();
    if (!startupProject.isEmpty()) Form->SetStartupProject(startupProject);
    QSignalSpy started(Form.get(), &TMainForm::StartupDone);
    Form->show();
    EXPECT_TRUE(started.wait(10000)) << "the start-up project never opened";
    return *Form;
  }

  TDesignerState& State() { return Form->State(); }
  TProjectTree& Tree() { return *Form->TreeView1; }
  QTreeWidgetItem* Root() { return Tree().RootItem(); }
  QTreeWidgetItem* PageNode(int i) { return Root() ? Root()->child(i) : nullptr; }

  // The page nodes' texts, in order.
  QStringList PageTexts() {
    QStringList texts;
    for (int i = 0; Root() && i < Root()->childCount(); ++i) texts << Root()->child(i)->text(0);
    return texts;
  }
  static QStringList PageNames() {
    QStringList names;
    for (const auto& form : Project.Forms) names << form->FormName;
    return names;
  }
  // The page names of a project file, read without touching the project being edited.
  static QStringList FilePageNames(const QString& file) {
    TProjectFileSummary summary;
    TError error;
    EXPECT_TRUE(InspectProjectFile(file, summary, error)) << error.Message().toStdString();
    QStringList names;
    for (const auto& form : summary.Project.Forms) names << form->FormName;
    return names;
  }

  // Selects a node as the author would.
  void Select(QTreeWidgetItem* item) {
    ASSERT_NE(item, nullptr);
    Tree().setCurrentItem(item);
  }

  // The stack's clean state and every changed mark agree.
  void ExpectUnchanged(const char* when) {
    EXPECT_TRUE(State().UndoStack().isClean()) << when;
    EXPECT_FALSE(State().ProjectEditChanged()) << when;
    EXPECT_FALSE(Form->isWindowModified()) << when;
    EXPECT_EQ(TProjectTree::ImageSlot(Root()), 0) << when;
    for (int i = 0; i < Root()->childCount(); ++i)
      EXPECT_EQ(TProjectTree::ImageSlot(PageNode(i)), 2) << when << " page " << i;
  }
  void ExpectChanged(const char* when) {
    EXPECT_FALSE(State().UndoStack().isClean()) << when;
    EXPECT_TRUE(State().ProjectEditChanged()) << when;
    EXPECT_TRUE(Form->isWindowModified()) << when;
  }

  QString DocumentsProjects() const { return Home.path() + QStringLiteral("/Documents/Menuvia Projects/CDROM"); }
  QString Folder(const QString& name) const { return Home.path() + u'/' + name; }

  QTemporaryDir Home;
  std::unique_ptr<TMainForm> Form;
  TRecordingDesignerDialogs* Dialogs = nullptr;

 private:
  std::vector<std::pair<const char*, std::optional<QByteArray>>> FSavedEnv;
  std::unique_ptr<TDesignerDialogs> FSavedDialogs;
  bool FQuitOnClose = true;
  std::array<QString, 4> FSavedFolders;
};
