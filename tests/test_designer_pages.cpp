// The project tree and the page commands: naming new pages, duplicating, moving, deleting, the
// page markers, selecting objects of pages not loaded, previewing, and commands blocked by a
// rejected grid value.
#include <QTabWidget>
#include <QWindow>

#include "DesignerTestSupport.h"
#include "designer/EditForm.h"
#include "designer/PageCommands.h"
#include "objects/Containers.h"

namespace {

TPageData PageWithButton(const QString& caption, const QString& button) {
  TPageData page = MakePage(caption);
  AddObject(*page.PanelObject, otStandardButton, button);
  return page;
}

// The caption stored in a page's current stream.
QString StoredCaption(TDesignerState& state, TFormData& entry) {
  QByteArray bytes;
  EXPECT_TRUE(state.PageBytes(entry, bytes));
  TFormData holder;
  holder.FormInfoData = bytes;
  TPageData page;
  EXPECT_TRUE(LoadFormData(holder, page));
  return page.Caption;
}

TEST(PageNames, NewPageName) {
  const struct {
    QStringList existing;
    const char* expected;
  } cases[] = {
      {{}, "Form1"},
      {{"Form1"}, "Form2"},
      {{"Form1", "Form3"}, "Form2"},
      {{"Form2", "Form3"}, "Form1"},
      {{"form1", "Form 1", "Form01"}, "Form1"},  // only the exact name counts
      {{"Form1", "Form2", "Form3"}, "Form4"},
  };
  for (const auto& c : cases) {
    ResetProject(false);
    for (const QString& name : c.existing) {
      auto entry = std::make_unique<TFormData>();
      entry->FormName = name;
      Project.Forms.push_back(std::move(entry));
    }
    EXPECT_EQ(NewPageName(), QString::fromLatin1(c.expected)) << c.existing.join(u',').toStdString();
  }
  ResetProject(false);
  for (int n = 1; n <= MaxNewPageNumbers; ++n) {
    auto entry = std::make_unique<TFormData>();
    entry->FormName = QStringLiteral("Form") + QString::number(n);
    Project.Forms.push_back(std::move(entry));
  }
  EXPECT_TRUE(NewPageName().isEmpty()) << "every number tried is taken";
  ResetProject(false);
}

class DesignerPages : public DesignerTest {
 protected:
  // Form1 and Form3 with a button each; Form3 has its own caption.
  TMainForm& StartWithGap() {
    File = WriteProject(Folder(QStringLiteral("Disc")),
                        {{QStringLiteral("Form1"), PageWithButton(QStringLiteral("First"), QStringLiteral("Ok1"))},
                         {QStringLiteral("Form3"), PageWithButton(QStringLiteral("Third"), QStringLiteral("Ok3"))}});
    return Start(File);
  }
  QString File;
};

TEST_F(DesignerPages, AddFormFillsTheGap) {
  TMainForm& form = StartWithGap();
  form.AddPage1->trigger();
  EXPECT_EQ(PageNames(), (QStringList{QStringLiteral("Form1"), QStringLiteral("Form3"), QStringLiteral("Form2")}));
  EXPECT_EQ(PageTexts(),
            (QStringList{QStringLiteral("Form1 [Main]"), QStringLiteral("Form3"), QStringLiteral("Form2")}));
  // The new page is selected and loaded: blank, captioned with its name.
  EXPECT_EQ(Tree().currentItem(), PageNode(2));
  EXPECT_EQ(State().LoadedPage(), Project.Forms[2].get());
  EXPECT_EQ(form.AutoRunForm->Page.Caption, QStringLiteral("Form2"));
  EXPECT_TRUE(form.AutoRunForm->PanelObject()->Objects.empty());
  EXPECT_EQ(PageNode(2)->childCount(), 0);
  EXPECT_EQ(TProjectTree::ImageSlot(Root()), 1);
  EXPECT_EQ(TProjectTree::ImageSlot(PageNode(2)), 3);
  EXPECT_EQ(TProjectTree::ImageSlot(PageNode(0)), 2);
  EXPECT_EQ(form.Undo1->text(), QStringLiteral("&Undo Add Form"));

  form.AddPage1->trigger();
  EXPECT_EQ(PageNames().last(), QStringLiteral("Form4"));
}

TEST_F(DesignerPages, DuplicateKeepsTheCaption) {
  TMainForm& form = StartWithGap();
  Select(PageNode(1)->child(0));  // an object of Form3: its page is duplicated
  form.DuplicatePage1->trigger();
  ASSERT_EQ(PageNames(), (QStringList{QStringLiteral("Form1"), QStringLiteral("Form3"), QStringLiteral("Form2")}));
  EXPECT_EQ(State().LoadedPage(), Project.Forms[2].get());
  EXPECT_EQ(form.AutoRunForm->Page.Caption, QStringLiteral("Third"));
  ASSERT_EQ(PageNode(2)->childCount(), 1);
  EXPECT_EQ(PageNode(2)->child(0)->text(0), QStringLiteral("Ok3"));
  EXPECT_EQ(StoredCaption(State(), *Project.Forms[1]), QStringLiteral("Third")) << "the original is untouched";

  // With nothing but the root selected there is nothing to duplicate.
  Select(Root());
  form.DuplicatePage1Click();
  EXPECT_EQ(Project.Forms.size(), 3u);
}

TEST_F(DesignerPages, MovesAndMarkers) {
  TMainForm& form = StartWithGap();
  // At either end nothing moves and nothing is marked.
  Select(PageNode(0));
  form.MoveUp1Click();
  Select(PageNode(1));
  form.MoveDown1Click();
  EXPECT_EQ(PageNames(), (QStringList{QStringLiteral("Form1"), QStringLiteral("Form3")}));
  EXPECT_FALSE(ProjectChanged);
  EXPECT_FALSE(State().UndoStack().canUndo());
  ExpectUnchanged("after moves at the ends");

  // The second page moved up takes the main marker; the selection stays on it.
  form.MoveUp1Click();
  EXPECT_EQ(PageNames(), (QStringList{QStringLiteral("Form3"), QStringLiteral("Form1")}));
  EXPECT_EQ(PageTexts(), (QStringList{QStringLiteral("Form3 [Main]"), QStringLiteral("Form1")}));
  EXPECT_EQ(Tree().currentItem(), PageNode(0));
  EXPECT_TRUE(ProjectChanged);
  EXPECT_EQ(PageNode(0)->child(0)->text(0), QStringLiteral("Ok3"));
  form.MoveDown1Click();
  EXPECT_EQ(PageTexts(), (QStringList{QStringLiteral("Form1 [Main]"), QStringLiteral("Form3")}));
  EXPECT_EQ(Tree().currentItem(), PageNode(1));

  // Markers: each replaces the one before, the last that applies wins; names compare exactly.
  const struct {
    const char *splash, *full, *exit;
    QStringList texts;
  } cases[] = {
      {"Form1", "", "", {"Form1 [SplashScreen]", "Form3"}},
      {"", "Form3", "Form1", {"Form1 [ExitForm]", "Form3 [FullScreenBack]"}},
      {"Form3", "Form3", "", {"Form1 [Main]", "Form3 [FullScreenBack]"}},
      {"form1", "FORM3", "Form", {"Form1 [Main]", "Form3"}},
  };
  for (const auto& c : cases) {
    Project.SplashScreenName = QString::fromLatin1(c.splash);
    Project.FullScreenName = QString::fromLatin1(c.full);
    Project.ExitFormName = QString::fromLatin1(c.exit);
    form.UpdateTreeNodeTexts();
    EXPECT_EQ(PageTexts(), c.texts) << c.splash << "/" << c.full << "/" << c.exit;
  }
}

TEST_F(DesignerPages, DeletePages) {
  TMainForm& form = StartWithGap();
  Select(PageNode(1));
  // No keeps the page.
  Recorded().Answers = {mbNo};
  form.DeletePage1->trigger();
  ASSERT_EQ(Recorded().Shown.size(), 1u);
  EXPECT_EQ(Recorded().Shown[0].Text, QStringLiteral("Delete current form, continue?"));
  EXPECT_EQ(Recorded().Shown[0].Caption, QStringLiteral("Delete form"));
  EXPECT_EQ(Project.Forms.size(), 2u);

  // The loaded page goes with its unsaved edits; the page taking its place is loaded.
  TAuObject* button = form.AutoRunForm->PanelObject()->Objects[0].get();
  TAuObjectProps renamed = button->Props();
  renamed.ObjectName = QStringLiteral("Renamed");
  State().Push(new TObjectPropsCommand(State(), QStringLiteral("Rename"), State().PathOf(button), renamed));
  EXPECT_EQ(PageNode(1)->child(0)->text(0), QStringLiteral("Renamed"));
  Recorded().Answers = {mbYes};
  form.DeletePage1->trigger();
  EXPECT_EQ(PageNames(), QStringList{QStringLiteral("Form1")});
  EXPECT_EQ(State().LoadedPage(), Project.Forms[0].get());
  EXPECT_EQ(Tree().currentItem(), PageNode(0));
  EXPECT_TRUE(form.EditForm->isVisible());

  // The last page may go too: the project node stays alone and nothing is shown.
  Recorded().Answers = {mbYes};
  form.DeletePage1->trigger();
  EXPECT_TRUE(Project.Forms.empty());
  EXPECT_EQ(Root()->childCount(), 0);
  EXPECT_EQ(Tree().currentItem(), Root());
  EXPECT_EQ(State().LoadedPage(), nullptr);
  EXPECT_FALSE(form.EditForm->isVisible());
  EXPECT_EQ(PageTexts(), QStringList{});

  // Saved and read back: a project without pages.
  form.Save1->trigger();
  EXPECT_TRUE(FilePageNames(File).isEmpty());

  // Undone, the pages come back, the deleted one with the edit it had.
  form.Undo1->trigger();
  form.Undo1->trigger();
  EXPECT_EQ(PageNames(), (QStringList{QStringLiteral("Form1"), QStringLiteral("Form3")}));
  EXPECT_EQ(State().LoadedPage(), Project.Forms[1].get());
  EXPECT_EQ(form.AutoRunForm->PanelObject()->Objects[0]->ObjectName, QStringLiteral("Renamed"));
  EXPECT_EQ(PageNode(1)->child(0)->text(0), QStringLiteral("Renamed"));
}

TEST_F(DesignerPages, SelectingAnObjectOfAnotherPage) {
  // The second page holds a notebook whose second sheet, not the one shown, holds a button.
  TPageData tabs = MakePage(QStringLiteral("Tabs"));
  tabs.BorderStyle = TFormBorderStyle::bsNone;  // the page window changes its frame: it must stay off screen
  TAuObject& notebook = AddObject(*tabs.PanelObject, otTabNotebook, QStringLiteral("Book"), {8, 8, 240, 160});
  AddObject(notebook, otTabSheet, QStringLiteral("SheetA"));
  TAuObject& sheetB = AddObject(notebook, otTabSheet, QStringLiteral("SheetB"));
  AddObject(sheetB, otStandardButton, QStringLiteral("Deep"));
  const QString file =
      WriteProject(Folder(QStringLiteral("Disc")),
                   {{QStringLiteral("Main"), PageWithButton(QStringLiteral("M"), QStringLiteral("Go"))},
                    {QStringLiteral("Tabbed"), std::move(tabs)}});
  TMainForm& form = Start(file);
  ASSERT_EQ(State().LoadedPage(), Project.Forms[0].get());
  QTreeWidgetItem* deep = PageNode(1)->child(0)->child(1)->child(0);
  ASSERT_EQ(deep->text(0), QStringLiteral("Deep"));
  EXPECT_EQ(TProjectTree::ObjectOf(deep), nullptr) << "a page not loaded has no records";
  const QImage before = form.EditForm->Picture();

  Select(deep);
  EXPECT_EQ(State().LoadedPage(), Project.Forms[1].get());
  QTreeWidgetItem* current = Tree().currentItem();
  EXPECT_EQ(current->text(0), QStringLiteral("Deep"));
  TAuObject* object = TProjectTree::ObjectOf(current);
  ASSERT_NE(object, nullptr);
  EXPECT_EQ(object->ObjectName, QStringLiteral("Deep"));
  EXPECT_TRUE(object->Selected);
  auto* book = dynamic_cast<TAuTabNotebook*>(ControlOf(*form.AutoRunForm->PanelObject()->Objects[0]));
  ASSERT_NE(book, nullptr);
  EXPECT_EQ(book->ActivePageIndex(), 1) << "the sheet holding the object comes to the front";
  EXPECT_TRUE(form.AutoRunForm->testAttribute(Qt::WA_DontShowOnScreen));
  EXPECT_FALSE(form.AutoRunForm->windowHandle() && form.AutoRunForm->windowHandle()->isVisible());
  EXPECT_NE(form.EditForm->Picture(), before);
  EXPECT_EQ(form.ValueEdit->item(0, 1)->text(), QStringLiteral("Deep"));
  // Only a change of pages stores: the first page was not edited and keeps no stream.
  EXPECT_FALSE(Project.Forms[0]->FormInfoData.has_value());
  // The objects of the page no longer loaded let go of their records.
  EXPECT_EQ(TProjectTree::ObjectOf(PageNode(0)->child(0)), nullptr);

  // Selecting the page again clears the selection of its objects.
  Select(PageNode(1));
  EXPECT_FALSE(object->Selected);
}

TEST_F(DesignerPages, PreviewShowsALivePage) {
  TMainForm& form = StartWithGap();
  const std::string before = ModelBytes(State());
  bool wasLive = false;
  QString caption;
  // The preview is modal: it is looked at and closed from inside its own loop.
  QTimer::singleShot(0, [&] {
    for (QWidget* w : QApplication::topLevelWidgets())
      if (auto* page = qobject_cast<TAutoRunForm*>(w); page && page != form.AutoRunForm && page->isVisible()) {
        wasLive = page->Live() && IsDesignPreview;
        caption = page->windowTitle();
        page->close();
      }
  });
  form.PreviewPage1->trigger();
  EXPECT_TRUE(wasLive);
  EXPECT_EQ(caption, QStringLiteral("First"));
  EXPECT_FALSE(IsDesignPreview);
  EXPECT_FALSE(ExitRequested);
  EXPECT_EQ(ModelBytes(State()), before) << "previewing changes nothing";
  ExpectUnchanged("after a preview");
}

TEST_F(DesignerPages, RejectedGridValueBlocksCommands) {
  TMainForm& form = StartWithGap();
  int commits = 0;
  form.CommitPendingValue = [&] {
    ++commits;
    return false;
  };
  form.AddPage1->trigger();
  Recorded().Answers = {mbYes};
  form.DeletePage1->trigger();
  form.Save1->trigger();
  Select(PageNode(1));  // refused: the selection stays
  EXPECT_EQ(Tree().currentItem(), PageNode(0));
  EXPECT_EQ(State().LoadedPage(), Project.Forms[0].get());
  EXPECT_EQ(Project.Forms.size(), 2u);
  EXPECT_TRUE(Recorded().Shown.empty());
  EXPECT_EQ(commits, 4);
  ExpectUnchanged("with every command refused");

  form.CommitPendingValue = [] { return true; };
  Select(PageNode(1));
  EXPECT_EQ(State().LoadedPage(), Project.Forms[1].get());
}

}  // namespace
