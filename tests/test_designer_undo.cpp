// Undo and redo: every page and project command returns the model to exactly what it was (the
// written project settings, page streams and outlines compared byte for byte), the tree follows,
// and the history's clean state is the unchanged state, across saves too.
#include "DesignerTestSupport.h"
#include "designer/PageCommands.h"

namespace {

// Every node's text and image, indented by level.
QStringList TreeDump(QTreeWidgetItem* item, int level = 0) {
  QStringList lines;
  if (!item) return lines;
  lines << QString(level * 2, u' ') + item->text(0) + QStringLiteral(" #") +
               QString::number(TProjectTree::ImageSlot(item));
  for (int i = 0; i < item->childCount(); ++i) lines << TreeDump(item->child(i), level + 1);
  return lines;
}

class DesignerUndo : public DesignerTest {
 protected:
  TMainForm& StartThreePages() {
    TPageData home = MakePage(QStringLiteral("Welcome"));
    TAuObject& panel = AddObject(*home.PanelObject, otPanel, QStringLiteral("Header"), {0, 0, 300, 60});
    AddObject(panel, otSimpleText, QStringLiteral("Title"));
    AddObject(*home.PanelObject, otStandardButton, QStringLiteral("Go"), {20, 100, 80, 30});
    TPageData info = MakePage(QStringLiteral("Information"));
    AddObject(*info.PanelObject, otMemo, QStringLiteral("Notes"));
    File = WriteProject(Folder(QStringLiteral("Disc")), {{QStringLiteral("Home"), std::move(home)},
                                                         {QStringLiteral("Info"), std::move(info)},
                                                         {QStringLiteral("Last"), MakePage(QStringLiteral("Bye"))}});
    return Start(File);
  }

  QByteArray PageStream(int index) {
    QByteArray bytes;
    EXPECT_TRUE(State().PageBytes(*Project.Forms[index], bytes));
    return bytes;
  }

  QString File;
};

TEST_F(DesignerUndo, EveryCommandUndoesToTheSameModel) {
  TMainForm& form = StartThreePages();
  const auto rename = [this](TAuObject& object, const QString& name) {
    TAuObjectProps props = object.Props();
    props.ObjectName = name;
    props.Left += 16;
    State().Push(new TObjectPropsCommand(State(), QStringLiteral("Rename"), State().PathOf(&object), props));
  };
  const struct {
    const char* name;
    std::function<void()> run;
  } cases[] = {
      {"Add Form", [&] { form.AddPage1->trigger(); }},
      {"Duplicate Form",
       [&] {
         Select(PageNode(1));
         form.DuplicatePage1->trigger();
       }},
      {"Delete Form (a middle page)",
       [&] {
         Select(PageNode(1));
         Recorded().Answers = {mbYes};
         form.DeletePage1->trigger();
       }},
      {"Delete Form (the first page)",
       [&] {
         Recorded().Answers = {mbYes};
         form.DeletePage1->trigger();
       }},
      {"Move Up",
       [&] {
         Select(PageNode(2));
         form.MoveUp1->trigger();
       }},
      {"Move Down", [&] { form.MoveDown1->trigger(); }},
      {"page content of a page not loaded",
       [&] { ReplacePageContent(State(), *Project.Forms[2], PageStream(1), PageCommandTexts::LoadTemplate); }},
      {"page content of the loaded page",
       [&] { ReplacePageContent(State(), *Project.Forms[0], PageStream(2), PageCommandTexts::LoadTemplate); }},
      {"project settings",
       [&] {
         TMenuProject settings = TDesignerState::CopyProjectSettings();
         settings.AppTitle = QStringLiteral("Renamed Disc");
         settings.SplashScreenName = QStringLiteral("Info");
         settings.SecurityType = stUser;
         State().Push(new TProjectSettingsCommand(State(), QStringLiteral("Settings"), std::move(settings)));
       }},
      {"an object of the loaded page",
       [&] { rename(*form.AutoRunForm->PanelObject()->Objects[0]->Objects[0], QStringLiteral("Headline")); }},
      {"an object of a page loaded later",
       [&] {
         TAuObject& go = *form.AutoRunForm->PanelObject()->Objects[1];
         const TObjectPath path = State().PathOf(&go);
         TAuObjectProps changed = go.Props();
         changed.ObjectName = QStringLiteral("Start");
         changed.Hint = QStringLiteral("Begins the setup");
         Select(PageNode(1));  // the records of Home go; the path to the object stays
         State().Push(new TObjectPropsCommand(State(), QStringLiteral("Rename"), path, changed));
         EXPECT_EQ(State().LoadedPage(), Project.Forms[0].get()) << "the object's page is loaded to change it";
         EXPECT_EQ(PageNode(0)->child(1)->text(0), QStringLiteral("Start"));
       }},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    Select(PageNode(0));
    ExpectUnchanged("before");
    const std::string before = ModelBytes(State());
    const QStringList treeBefore = TreeDump(Root());
    c.run();
    const std::string after = ModelBytes(State());
    const QStringList treeAfter = TreeDump(Root());
    EXPECT_NE(after, before) << "the command changed nothing";
    ExpectChanged("after the command");
    ASSERT_TRUE(State().UndoStack().canUndo());

    form.Undo1->trigger();
    EXPECT_EQ(ModelBytes(State()), before);
    EXPECT_EQ(TreeDump(Root()), treeBefore);
    ExpectUnchanged("undone");

    form.Redo1->trigger();
    EXPECT_EQ(ModelBytes(State()), after);
    ExpectChanged("redone");
    QStringList redoneTree = TreeDump(Root());
    EXPECT_EQ(redoneTree.size(), treeAfter.size());

    form.Undo1->trigger();
    EXPECT_EQ(ModelBytes(State()), before);
    ExpectUnchanged("undone again");
  }
}

TEST_F(DesignerUndo, AHistoryOfCommands) {
  TMainForm& form = StartThreePages();
  const std::string start = ModelBytes(State());
  form.AddPage1->trigger();
  Select(PageNode(3));
  form.MoveUp1->trigger();
  form.MoveUp1->trigger();
  Select(PageNode(2));
  form.DuplicatePage1->trigger();
  Select(PageNode(0));
  Recorded().Answers = {mbYes};
  form.DeletePage1->trigger();
  const std::string end = ModelBytes(State());
  const QStringList endTexts = PageTexts();
  EXPECT_EQ(endTexts, (QStringList{QStringLiteral("Form1 [Main]"), QStringLiteral("Info"), QStringLiteral("Last"),
                                   QStringLiteral("Form2")}));
  EXPECT_EQ(State().UndoStack().count(), 5);

  while (State().UndoStack().canUndo()) form.Undo1->trigger();
  EXPECT_EQ(ModelBytes(State()), start);
  EXPECT_EQ(PageTexts(), (QStringList{QStringLiteral("Home [Main]"), QStringLiteral("Info"), QStringLiteral("Last")}));
  ExpectUnchanged("all undone");

  while (State().UndoStack().canRedo()) form.Redo1->trigger();
  EXPECT_EQ(ModelBytes(State()), end);
  EXPECT_EQ(PageTexts(), endTexts);
}

// Saving marks the clean state; undoing past it is a change again, and a page that came back
// from the history is written whole although the file it was read from is gone.
TEST_F(DesignerUndo, CleanStateAcrossSaves) {
  TMainForm& form = StartThreePages();
  const std::string start = ModelBytes(State());
  Select(PageNode(1));
  Recorded().Answers = {mbYes};
  form.DeletePage1->trigger();
  const std::string deleted = ModelBytes(State());
  form.Save1->trigger();
  ExpectUnchanged("saved without Info");
  EXPECT_EQ(FilePageNames(File), (QStringList{QStringLiteral("Home"), QStringLiteral("Last")}));
  EXPECT_EQ(ModelBytes(State()), deleted);

  form.Undo1->trigger();
  ExpectChanged("Info is back");
  EXPECT_EQ(ModelBytes(State()), start);
  form.Save1->trigger();
  ExpectUnchanged("saved with Info");
  EXPECT_EQ(FilePageNames(File), (QStringList{QStringLiteral("Home"), QStringLiteral("Info"), QStringLiteral("Last")}));
  for (const auto& page : Project.Forms) EXPECT_FALSE(page->FormInfoData.has_value()) << "every page lies in the file";
  EXPECT_EQ(ModelBytes(State()), start);

  form.Redo1->trigger();
  ExpectChanged("deleted again, after the save");
  EXPECT_EQ(ModelBytes(State()), deleted);
  form.Undo1->trigger();
  ExpectUnchanged("back at the saved state");
  EXPECT_EQ(ModelBytes(State()), start);

  // A page added, saved, undone and redone reaches the clean state again: its marks go.
  form.AddPage1->trigger();
  form.Save1->trigger();
  form.Undo1->trigger();
  ExpectChanged("the saved page undone");
  form.Redo1->trigger();
  ExpectUnchanged("the saved page redone");
  EXPECT_EQ(PageTexts().last(), QStringLiteral("Form1"));
}

}  // namespace
