// The designer's projects: the start-up project, the command line, New Project with its options
// dialog, Open, Save and Save As, the pending-changes prompt, closing, and reopening recent
// projects.
#include <sys/stat.h>

#include <QFileInfo>
#include <QLineEdit>

#include "DesignerTestSupport.h"
#include "designer/EditForm.h"
#include "designer/ProjectOptionsDialog.h"
#include "model/IniFile.h"

namespace {

QString SettingsValue(const QString& section, const QString& key) {
  return TIniFile(SettingsFileName).ReadString(section, key);
}

TPageData PageWithButton(const QString& caption, const QString& button) {
  TPageData page = MakePage(caption);
  AddObject(*page.PanelObject, otStandardButton, button);
  return page;
}

TEST_F(DesignerTest, FirstStartCreatesTheDefaultProject) {
  ASSERT_FALSE(QFileInfo::exists(SettingsFileName));
  TMainForm& form = Start();
  const QString file = DocumentsProjects() + QStringLiteral("/autorun.mvdsk");
  EXPECT_TRUE(QFileInfo(file).isFile()) << "the new project is saved at once";
  EXPECT_EQ(SourceFileName, file);
  EXPECT_EQ(Root()->text(0), QStringLiteral("CD Menu [Project]"));
  EXPECT_EQ(PageTexts(), QStringList{QStringLiteral("Form1 [Main]")});
  EXPECT_EQ(Tree().currentItem(), PageNode(0));
  EXPECT_EQ(State().LoadedPage(), Project.Forms[0].get());
  EXPECT_EQ(form.AutoRunForm->Page.Caption, QStringLiteral("Form1"));
  EXPECT_TRUE(form.EditForm->isVisible());
  EXPECT_EQ(form.windowTitle(), QStringLiteral("CD Menu[*] - Menuvia"));
  EXPECT_TRUE(Recorded().Shown.empty()) << Recorded().Shown[0].Text.toStdString();
  EXPECT_EQ(form.StatusPanel->text(), QDir::toNativeSeparators(DocumentsProjects()));
  // The save wrote the folder and put the project at the head of the list.
  EXPECT_EQ(SettingsValue(QStringLiteral("START"), QStringLiteral("DEFAULTFOLDER")), DocumentsProjects());
  EXPECT_EQ(form.RecentProjects[0], (TRecentProject{QStringLiteral("CD Menu"), DocumentsProjects()}));
  ExpectUnchanged("after the first start");
  EXPECT_FALSE(State().ProjectUntouched);

  // The editing page exists and lays out, but never reaches the screen.
  EXPECT_TRUE(form.AutoRunForm->testAttribute(Qt::WA_DontShowOnScreen));
  EXPECT_EQ(form.EditForm->Picture().size(), form.AutoRunForm->size());

  // Closing writes the recent projects.
  form.close();
  EXPECT_FALSE(form.isVisible());
  EXPECT_EQ(SettingsValue(QStringLiteral("RECENT"), QStringLiteral("FOLDER0")), DocumentsProjects());
  EXPECT_TRUE(TIniFile(SettingsFileName).ValueExists(QStringLiteral("RECENT"), QStringLiteral("NAME9")));
}

// The start-up project's other ways, one case each.
TEST_F(DesignerTest, StartupProjectCases) {
  struct TCase {
    const char* name;
    std::function<void(DesignerTest&)> prepare;
    std::vector<int> answers;  // to the message boxes, in order
    QStringList shown;         // the message texts expected
    bool closes;
    QString opened;  // the project file open afterwards (relative to the home folder)
  };
  const QString projectFile = QStringLiteral("/Menus/Disc/autorun.mvdsk");
  const auto blockDocuments = [](DesignerTest& t) {
    // The documents folder cannot hold the projects folder.
    QFile blocker(t.Home.path() + QStringLiteral("/Documents"));
    ASSERT_TRUE(blocker.open(QIODevice::WriteOnly));
  };
  const std::vector<TCase> cases = {
      {"the default folder holds a project: it opens",
       [&](DesignerTest& t) {
         WriteProject(t.Folder(QStringLiteral("Menus/Disc")),
                      {{QStringLiteral("Start"), MakePage(QStringLiteral("S"))}});
         DefaultFolder = t.Folder(QStringLiteral("Menus/Disc"));
       },
       {},
       {},
       false,
       projectFile},
      {"a default folder without a project falls back to the documents folder",
       [](DesignerTest& t) {
         QDir().mkpath(t.Folder(QStringLiteral("Menus/Empty")));
         DefaultFolder = t.Folder(QStringLiteral("Menus/Empty"));
       },
       {},
       {},
       false,
       QStringLiteral("/Documents/Menuvia Projects/CDROM/autorun.mvdsk")},
      {"no documents folder: the author chooses a folder with a project",
       [&](DesignerTest& t) {
         blockDocuments(t);
         WriteProject(t.Folder(QStringLiteral("Menus/Disc")),
                      {{QStringLiteral("Start"), MakePage(QStringLiteral("S"))}});
         t.Dialogs->Folders = {t.Folder(QStringLiteral("Menus/Disc/"))};
       },
       {},
       {MainFormTexts::NoDefaultFolder},
       false,
       projectFile},
      {"no documents folder and the choice is cancelled: the designer closes",
       blockDocuments,
       {},
       {MainFormTexts::NoDefaultFolder},
       true,
       {}},
      {"a chosen folder without a project, Yes: a new project there",
       [&](DesignerTest& t) {
         blockDocuments(t);
         QDir().mkpath(t.Folder(QStringLiteral("Menus/New")));
         t.Dialogs->Folders = {t.Folder(QStringLiteral("Menus/New"))};
       },
       {mbOK, mbYes},
       {MainFormTexts::NoDefaultFolder,
        MainFormTexts::CreateProjectAt.arg(QStringLiteral("%HOME%/Menus/New/autorun.mvdsk"))},
       false,
       QStringLiteral("/Menus/New/autorun.mvdsk")},
      {"a chosen folder without a project, No: the designer closes",
       [&](DesignerTest& t) {
         blockDocuments(t);
         QDir().mkpath(t.Folder(QStringLiteral("Menus/New")));
         t.Dialogs->Folders = {t.Folder(QStringLiteral("Menus/New"))};
       },
       {mbOK, mbNo},
       {MainFormTexts::NoDefaultFolder,
        MainFormTexts::CreateProjectAt.arg(QStringLiteral("%HOME%/Menus/New/autorun.mvdsk"))},
       true,
       {}},
  };
  for (const TCase& c : cases) {
    SCOPED_TRACE(c.name);
    TearDown();
    Home.remove();
    ASSERT_TRUE(QDir().mkpath(Home.path()));
    SetUp();
    c.prepare(*this);
    Recorded().Answers = c.answers;
    TMainForm& form = Start();
    QStringList shown = ShownTexts();
    shown.replaceInStrings(Home.path(), QStringLiteral("%HOME%"));
    EXPECT_EQ(shown, c.shown);
    EXPECT_EQ(form.isVisible(), !c.closes);
    if (!c.closes) {
      EXPECT_EQ(SourceFileName, Home.path() + c.opened);
      EXPECT_TRUE(QFileInfo(SourceFileName).isFile());
      EXPECT_TRUE(State().LoadedPage() != nullptr);
    }
    for (const auto& call : Dialogs->FolderCalls) EXPECT_EQ(call.Caption, FolderTexts::SelectProjectFolder);
  }
}

TEST_F(DesignerTest, CommandLineProject) {
  const QString file =
      WriteProject(Folder(QStringLiteral("Demo")),
                   {{QStringLiteral("Welcome"), PageWithButton(QStringLiteral("W"), QStringLiteral("Go"))},
                    {QStringLiteral("About"), MakePage(QStringLiteral("A"))}});
  // A file or its folder, as a desktop or a shell passes them.
  for (const QString& argument : {file, Folder(QStringLiteral("Demo"))}) {
    SCOPED_TRACE(argument.toStdString());
    Form.reset();
    Start(argument);
    EXPECT_EQ(SourceFileName, file);
    EXPECT_EQ(PageTexts(), (QStringList{QStringLiteral("Welcome [Main]"), QStringLiteral("About")}));
    EXPECT_EQ(Root()->text(0), QStringLiteral("Test Menu [Project]"));
    ASSERT_EQ(PageNode(0)->childCount(), 1);
    EXPECT_EQ(PageNode(0)->child(0)->text(0), QStringLiteral("Go"));
    EXPECT_TRUE(Recorded().Shown.empty());
    ExpectUnchanged("opened from the command line");
  }

  const std::pair<QStringList, TDesignerArguments> arguments[] = {
      {{QStringLiteral("Menuvia")}, {}},
      {{QStringLiteral("Menuvia"), QStringLiteral("demo/autorun.mvdsk")}, {QStringLiteral("demo/autorun.mvdsk"), {}}},
      {{QStringLiteral("Menuvia"), QStringLiteral("--screenshot"), QStringLiteral("s.png"), QStringLiteral("demo")},
       {QStringLiteral("demo"), QStringLiteral("s.png")}},
      {{QStringLiteral("Menuvia"), QStringLiteral("demo"), QStringLiteral("--screenshot=s.png")},
       {QStringLiteral("demo"), QStringLiteral("s.png")}},
  };
  for (const auto& [args, expected] : arguments) {
    const TDesignerArguments parsed = ParseDesignerArguments(args);
    EXPECT_EQ(parsed.Project, expected.Project) << args.join(u' ').toStdString();
    EXPECT_EQ(parsed.Screenshot, expected.Screenshot) << args.join(u' ').toStdString();
  }
}

TEST_F(DesignerTest, UnreadableProjectLeavesADefaultProject) {
  const QString folder = Folder(QStringLiteral("Broken"));
  QDir().mkpath(folder);
  QFile bad(folder + QStringLiteral("/autorun.mvdsk"));
  ASSERT_TRUE(bad.open(QIODevice::WriteOnly));
  bad.write("not a project");
  bad.close();
  Start(bad.fileName());
  EXPECT_EQ(ShownTexts(), QStringList{QStringLiteral("Invalid file format.")});
  EXPECT_TRUE(SourceFileName.isEmpty());
  EXPECT_TRUE(State().ProjectUntouched);
  EXPECT_EQ(PageNames(), QStringList{QStringLiteral("Form1")});
  EXPECT_EQ(bad.size(), 13) << "the file is left alone";
}

TEST_F(DesignerTest, SaveWritesNothingWhenUnchanged) {
  const QString file =
      WriteProject(Folder(QStringLiteral("Disc")), {{QStringLiteral("One"), MakePage(QStringLiteral("1"))}},
                   QStringLiteral("Disc Title"));
  TMainForm& form = Start(file);
  const QDateTime written = QFileInfo(file).lastModified();
  ino_t inode = 0;
  {
    struct stat st;
    ASSERT_EQ(::stat(QFile::encodeName(file).constData(), &st), 0);
    inode = st.st_ino;
  }
  form.Save1->trigger();
  struct stat st;
  ASSERT_EQ(::stat(QFile::encodeName(file).constData(), &st), 0);
  EXPECT_EQ(st.st_ino, inode) << "nothing was written";
  EXPECT_EQ(QFileInfo(file).lastModified(), written);
  // Still the default folder and the head of the recent list.
  EXPECT_EQ(SettingsValue(QStringLiteral("START"), QStringLiteral("DEFAULTFOLDER")), Folder(QStringLiteral("Disc")));
  EXPECT_EQ(form.RecentProjects[0], (TRecentProject{QStringLiteral("Disc Title"), Folder(QStringLiteral("Disc"))}));

  // A change is written, beside the file and then over it.
  form.AddPage1->trigger();
  ExpectChanged("after Add Form");
  form.Save1->trigger();
  ExpectUnchanged("after saving");
  ASSERT_EQ(::stat(QFile::encodeName(file).constData(), &st), 0);
  EXPECT_NE(st.st_ino, inode);
  EXPECT_FALSE(QFileInfo::exists(TemporaryProjectFileName(file)));
  EXPECT_EQ(FilePageNames(file), (QStringList{QStringLiteral("One"), QStringLiteral("Form1")}));
}

TEST_F(DesignerTest, SaveAs) {
  const QString file =
      WriteProject(Folder(QStringLiteral("Disc")), {{QStringLiteral("One"), MakePage(QStringLiteral("1"))}});
  TMainForm& form = Start(file);
  const QString copyFolder = Folder(QStringLiteral("Copy"));
  QDir().mkpath(copyFolder);
  QFile existing(copyFolder + QStringLiteral("/autorun.mvdsk"));
  ASSERT_TRUE(existing.open(QIODevice::WriteOnly));
  existing.write("old");
  existing.close();

  // Declining the overwrite leaves everything as it was.
  Dialogs->Folders = {copyFolder};
  Recorded().Answers = {mbNo};
  form.SaveAs1->trigger();
  EXPECT_EQ(ShownTexts(), QStringList{MainFormTexts::Overwrite});
  EXPECT_EQ(SourceFileName, file);
  EXPECT_EQ(QFileInfo(existing.fileName()).size(), 3);
  EXPECT_EQ(Dialogs->FolderCalls.back().Start, Folder(QStringLiteral("Disc")));

  // Confirming replaces that file: an unchanged project is written all the same.
  Dialogs->Folders = {copyFolder};
  Recorded().Answers = {mbYes};
  form.SaveAs1->trigger();
  EXPECT_EQ(SourceFileName, existing.fileName());
  EXPECT_EQ(form.StatusPanel->text(), QDir::toNativeSeparators(copyFolder));
  EXPECT_EQ(FilePageNames(existing.fileName()), QStringList{QStringLiteral("One")});
}

// New Project through the project options dialog.
TEST_F(DesignerTest, NewProject) {
  // A folder typed into the dialog that holds a project: that project is replaced, unasked.
  const QString folder = Folder(QStringLiteral("Fresh"));
  WriteProject(folder, {{QStringLiteral("Old"), MakePage(QStringLiteral("old"))}});
  TMainForm& form = Start();
  TProjectOptions options;
  options.Folder = folder + u'/';
  options.FileName = QStringLiteral("cdmenu");
  options.Title = QStringLiteral("Holiday");
  Dialogs->Options = {options};
  form.NewProject2->trigger();
  EXPECT_EQ(SourceFileName, folder + QStringLiteral("/autorun.mvdsk"));
  EXPECT_TRUE(QFileInfo(SourceFileName).isFile());
  EXPECT_EQ(Project.AppTitle, QStringLiteral("Holiday"));
  EXPECT_EQ(Project.AppOutputFileName, QStringLiteral("cdmenu"));
  EXPECT_EQ(Root()->text(0), QStringLiteral("Holiday [Project]"));
  EXPECT_EQ(PageTexts(), QStringList{QStringLiteral("Form1 [Main]")});
  ExpectUnchanged("a new project is saved at once");
  EXPECT_FALSE(State().UndoStack().canUndo());
  EXPECT_EQ(FilePageNames(SourceFileName), QStringList{QStringLiteral("Form1")});
  EXPECT_TRUE(Recorded().Shown.empty());

  // Cancelling the dialog changes nothing.
  form.NewProject2->trigger();
  EXPECT_EQ(SourceFileName, folder + QStringLiteral("/autorun.mvdsk"));
  EXPECT_EQ(Dialogs->OptionsCalls, 2);
}

TEST(ProjectOptionsDialog, Checks) {
  QTemporaryDir dir;
  const struct {
    const char* name;
    QString folder, fileName;
    QString text, caption;  // empty: accepted
  } cases[] = {
      {"empty folder", QStringLiteral("  "), QStringLiteral("autorun"), ProjectOptionsTexts::InvalidFolder,
       ProjectOptionsTexts::FolderCaption},
      {"missing folder", dir.path() + QStringLiteral("/nowhere"), QStringLiteral("autorun"),
       ProjectOptionsTexts::FolderNotFound, ProjectOptionsTexts::FolderCaption},
      {"empty file name", dir.path(), QStringLiteral(" "), ProjectOptionsTexts::InvalidFileName,
       ProjectOptionsTexts::FileNameCaption},
      {"file name with a delimiter", dir.path(), QStringLiteral("a/b"), ProjectOptionsTexts::InvalidFileName,
       ProjectOptionsTexts::FileNameCaption},
      {"all valid", dir.path(), QStringLiteral(" cdmenu "), {}, {}},
  };
  for (const auto& c : cases) {
    Recorded().Shown.clear();
    TCDMenuProjectForm form;
    EXPECT_EQ(form.windowTitle(), QStringLiteral("Menuvia Project Options"));
    EXPECT_EQ(form.FileNameEdit->text(), QStringLiteral("autorun"));
    EXPECT_EQ(form.TitleEdit->text(), QStringLiteral("CD Menu"));
    form.FolderEdit->setText(c.folder);
    form.FileNameEdit->setText(c.fileName);
    form.OKClick();
    if (c.text.isEmpty()) {
      EXPECT_TRUE(Recorded().Shown.empty()) << c.name;
      EXPECT_EQ(form.result(), QDialog::Accepted) << c.name;
      EXPECT_EQ(form.Options().FileName, QStringLiteral("cdmenu"));
      EXPECT_EQ(form.Options().Folder, c.folder);
    } else {
      ASSERT_EQ(Recorded().Shown.size(), 1u) << c.name;
      EXPECT_EQ(Recorded().Shown[0].Text, c.text) << c.name;
      EXPECT_EQ(Recorded().Shown[0].Caption, c.caption) << c.name;
      EXPECT_NE(form.result(), QDialog::Accepted) << c.name;
    }
  }
  Recorded().Shown.clear();
}

// "&Select..." asks before taking a folder that already holds a project.
TEST_F(DesignerTest, ProjectOptionsSelectFolder) {
  const QString taken = Folder(QStringLiteral("Taken"));
  WriteProject(taken, {{QStringLiteral("Old"), MakePage(QStringLiteral("old"))}});
  const QString empty = Folder(QStringLiteral("Empty"));
  QDir().mkpath(empty);
  TCDMenuProjectForm form;
  const struct {
    QString chosen;
    std::vector<int> answers;
    QString field;
    int questions;
  } cases[] = {{taken, {mbNo}, QString(), 1}, {taken, {mbYes}, taken, 1}, {empty, {}, empty, 0}};
  for (const auto& c : cases) {
    form.FolderEdit->clear();
    Recorded().Shown.clear();
    Recorded().Answers = c.answers;
    Dialogs->Folders = {c.chosen};
    form.SelectClick();
    EXPECT_EQ(form.FolderEdit->text(), c.field) << c.chosen.toStdString();
    EXPECT_EQ(static_cast<int>(Recorded().Shown.size()), c.questions);
    for (const TMessage& m : Recorded().Shown) EXPECT_EQ(m.Text, ProjectOptionsTexts::Overwrite);
  }
  // The chooser starts in the documents' project folder while nothing is typed and it exists.
  QDir().mkpath(DocumentsProjects());
  form.FolderEdit->clear();
  Dialogs->Folders = {std::nullopt};
  form.SelectClick();
  EXPECT_EQ(Dialogs->FolderCalls.back().Start, DocumentsProjects());
}

// "Save changes to project?" before Open: Yes saves first, No goes on, Cancel stops.
TEST_F(DesignerTest, PendingChangesPrompt) {
  const QString first =
      WriteProject(Folder(QStringLiteral("First")), {{QStringLiteral("One"), MakePage(QStringLiteral("1"))}});
  const QString second =
      WriteProject(Folder(QStringLiteral("Second")), {{QStringLiteral("Two"), MakePage(QStringLiteral("2"))}});
  const struct {
    int answer;
    bool opened;     // the second project is open afterwards
    int firstPages;  // pages of the first project's file afterwards
  } cases[] = {{mbYes, true, 2}, {mbNo, true, 1}, {mbCancel, false, 1}};
  for (const auto& c : cases) {
    SCOPED_TRACE(c.answer);
    Form.reset();
    WriteProject(Folder(QStringLiteral("First")), {{QStringLiteral("One"), MakePage(QStringLiteral("1"))}});
    TMainForm& form = Start(first);
    // Untouched: no question at all.
    Dialogs->Folders = {std::nullopt};
    Recorded().Shown.clear();
    form.Open1->trigger();
    EXPECT_TRUE(Recorded().Shown.empty());

    form.AddPage1->trigger();
    Recorded().Answers = {c.answer};
    Dialogs->FolderCalls.clear();
    Dialogs->Folders = {Folder(QStringLiteral("Second"))};
    form.Open1->trigger();
    ASSERT_EQ(Recorded().Shown.size(), 1u);
    EXPECT_EQ(Recorded().Shown[0].Text, MainFormTexts::SaveChanges);
    EXPECT_EQ(Recorded().Shown[0].Caption, MainFormTexts::ConfirmCaption);
    EXPECT_EQ(Recorded().Shown[0].Buttons, mbYes | mbNo | mbCancel);
    EXPECT_EQ(SourceFileName, c.opened ? second : first);
    EXPECT_EQ(Dialogs->FolderCalls.size(), c.opened ? 1u : 0u);
    EXPECT_EQ(Dialogs->FolderCalls.empty() ? QString() : Dialogs->FolderCalls[0].Start,
              c.opened ? Folder(QStringLiteral("First")) : QString());
    EXPECT_EQ(FilePageNames(first).size(), c.firstPages);
    Recorded().Shown.clear();
  }
}

TEST_F(DesignerTest, ClosePrompt) {
  const QString file =
      WriteProject(Folder(QStringLiteral("Disc")), {{QStringLiteral("One"), MakePage(QStringLiteral("1"))}});
  TMainForm& form = Start(file);
  form.AddPage1->trigger();

  Recorded().Answers = {mbCancel};
  EXPECT_FALSE(form.close());
  EXPECT_TRUE(form.isVisible());

  // A rejected grid value refuses closing before any question.
  Recorded().Shown.clear();
  form.CommitPendingValue = [] { return false; };
  EXPECT_FALSE(form.close());
  EXPECT_TRUE(Recorded().Shown.empty());
  form.CommitPendingValue = nullptr;

  Recorded().Answers = {mbYes};
  EXPECT_TRUE(form.close());
  EXPECT_EQ(FilePageNames(file).size(), 2) << "saved before closing";
}

TEST_F(DesignerTest, ReopenRecentProjects) {
  const QString a = WriteProject(Folder(QStringLiteral("A")),
                                 {{QStringLiteral("PageA"), MakePage(QStringLiteral("a"))}}, QStringLiteral("Disc A"));
  const QString b = WriteProject(Folder(QStringLiteral("B")),
                                 {{QStringLiteral("PageB"), MakePage(QStringLiteral("b"))}}, QStringLiteral("Disc B"));
  TMainForm& form = Start(a);
  form.Save1->trigger();
  form.OpenProject(b);
  form.Save1->trigger();
  form.RecentProjects[2] = {QStringLiteral("Gone"), Folder(QStringLiteral("Gone"))};

  // Most recent first.
  Q_EMIT form.Reopen1->aboutToShow();
  QStringList texts;
  for (QAction* action : form.Reopen1->actions()) texts << action->text();
  ASSERT_EQ(texts.size(), 3);
  EXPECT_TRUE(texts[0].contains(QStringLiteral("Disc B")));
  EXPECT_TRUE(texts[1].contains(QStringLiteral("Disc A")));

  form.Reopen1->actions()[1]->trigger();
  EXPECT_EQ(SourceFileName, a);
  EXPECT_EQ(PageTexts(), QStringList{QStringLiteral("PageA [Main]")});

  // A project that no longer exists is offered for removal.
  Recorded().Answers = {mbNo};
  form.ReopenClick(2);
  EXPECT_EQ(form.RecentProjects[2].ProjectName, QStringLiteral("Gone"));
  Recorded().Answers = {mbYes};
  form.ReopenClick(2);
  EXPECT_TRUE(form.RecentProjects[2].IsEmpty());
  EXPECT_EQ(SourceFileName, a);
  ASSERT_EQ(Recorded().Shown.size(), 2u);
  EXPECT_EQ(Recorded().Shown[0].Caption, MainFormTexts::ReopenCaption);
}

}  // namespace
