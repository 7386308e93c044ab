#include "designer/MainForm.h"

#include <QAction>
#include <QActionGroup>
#include <QApplication>
#include <QClipboard>
#include <QCloseEvent>
#include <QDir>
#include <QFileInfo>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMenu>
#include <QMenuBar>
#include <QScreen>
#include <QSplitter>
#include <QStatusBar>
#include <QTabWidget>
#include <QTableWidget>
#include <QToolBar>
#include <QVBoxLayout>
#include <optional>

#include "designer/DesignerDialogs.h"
#include "designer/DesignerIcons.h"
#include "designer/DesignerSettings.h"
#include "designer/EditForm.h"
#include "designer/PageCommands.h"
#include "designer/ProjectTree.h"
#include "model/ClipboardBlock.h"
#include "model/Errors.h"
#include "model/Globals.h"
#include "model/Messages.h"
#include "model/Paths.h"
#include "model/PayloadsStandard.h"
#include "model/ProjectFile.h"
#include "objects/Clipboard.h"
#include "objects/Containers.h"
#include "player/AutoRunForm.h"
#include "player/Shell.h"
#include "player/Startup.h"

using DesignerIcons::TTool;

TDesignerArguments ParseDesignerArguments(const QStringList& arguments) {
  TDesignerArguments result;
  for (int i = 1; i < arguments.size(); ++i) {
    const QString& a = arguments[i];
    if (a == QLatin1String("--screenshot")) {
      if (i + 1 < arguments.size()) result.Screenshot = arguments[++i];
    } else if (a.startsWith(QLatin1String("--screenshot="))) {
      result.Screenshot = a.mid(13);
    } else if (!a.startsWith(QLatin1String("--")) && result.Project.isEmpty()) {
      result.Project = a;
    }
  }
  return result;
}

namespace {
QString FolderOf(const QString& fileName) { return ExcludeTrailingDelimiter(QFileInfo(fileName).absolutePath()); }

// A guard for changes the program makes to the tree, which are no selection by the author.
class TTreeSync {
 public:
  explicit TTreeSync(bool& flag) : FFlag(flag), FWas(flag) { FFlag = true; }
  ~TTreeSync() { FFlag = FWas; }
  TTreeSync(const TTreeSync&) = delete;
  TTreeSync& operator=(const TTreeSync&) = delete;

 private:
  bool& FFlag;
  bool FWas;
};
}  // namespace

// ---- creation ----

TMainForm::TMainForm(QWidget* parent) : QMainWindow(parent) {
  setObjectName(QStringLiteral("MainForm"));
  setWindowIcon(DesignerIcons::AppIcon());

  // The editing page: a page window of its own that exists, lays out and is drawn, but never
  // reaches the screen.
  AutoRunForm = new TAutoRunForm(this);
  AutoRunForm->setObjectName(QStringLiteral("AutoRunForm"));
  AutoRunForm->setAttribute(Qt::WA_DontShowOnScreen);
  AutoRunForm->setAttribute(Qt::WA_QuitOnClose, false);
  FState = std::make_unique<TDesignerState>(*AutoRunForm);

  CreateActions();
  CreateMenus();
  CreateToolBars();
  CreateLayout();
  ConnectState();

  MenuBarHeight = menuBar()->sizeHint().height();
  if (const QScreen* screen = QGuiApplication::primaryScreen()) setGeometry(screen->availableGeometry());

  for (auto& entry : RecentProjects) entry = {};
  LoadRecentProjects(RecentProjects);

  Timer1.setSingleShot(true);
  Timer1.setInterval(100);
  connect(&Timer1, &QTimer::timeout, this, &TMainForm::Timer1Timer);
  UpdateTitle();
  UpdateCommandStates();
}

TMainForm::~TMainForm() {
  Timer1.stop();
  // The history holds pages taken out of the project; it goes first, and the tree lets go of
  // every record before the editing page frees them.
  TTreeSync sync(FTreeSync);
  FState->ResetHistory();
  disconnect(FState.get(), nullptr, this, nullptr);
  TreeView1->ClearAll();
}

void TMainForm::CreateActions() {
  const auto make = [this](const QString& text, const QKeySequence& key = {}, const QString& hint = {},
                           std::optional<TTool> icon = std::nullopt) {
    auto* action = new QAction(text, this);
    if (!key.isEmpty()) action->setShortcut(key);
    if (!hint.isEmpty()) {
      action->setToolTip(hint);
      action->setStatusTip(hint);
    }
    if (icon) action->setIcon(DesignerIcons::ToolIcon(*icon));
    return action;
  };
  NewProject2 = make(QStringLiteral("New Project..."), {}, QStringLiteral("New Project"), TTool::NewProject);
  Open1 = make(QStringLiteral("Open..."), QKeySequence(Qt::CTRL | Qt::Key_O), QStringLiteral("Open"), TTool::Open);
  Save1 = make(QStringLiteral("Save"), QKeySequence(Qt::CTRL | Qt::Key_S), QStringLiteral("Save"), TTool::Save);
  SaveAs1 = make(QStringLiteral("Save As..."), QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_S));
  Compile1 = make(QStringLiteral("Build"), QKeySequence(Qt::CTRL | Qt::Key_F9), QStringLiteral("Build"), TTool::Build);
  Run1 = make(QStringLiteral("Run..."), QKeySequence(Qt::Key_F9), QStringLiteral("Run"), TTool::Run);
  BurnCDDVD1 = make(QStringLiteral("Publish..."), {}, QStringLiteral("Publish"), TTool::Publish);
  Exit1 = make(QStringLiteral("Exit"), QKeySequence(Qt::CTRL | Qt::ALT | Qt::Key_E));

  Undo1 = make(QStringLiteral("&Undo"), QKeySequence(Qt::CTRL | Qt::Key_Z), QStringLiteral("Undo"), TTool::Undo);
  Redo1 = make(QStringLiteral("&Redo"), {}, QStringLiteral("Redo"), TTool::Redo);
  Redo1->setShortcuts({QKeySequence(Qt::CTRL | Qt::Key_Y), QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_Z)});
  Cut1 = make(QStringLiteral("Cut"), QKeySequence(Qt::CTRL | Qt::Key_X));
  Copy1 = make(QStringLiteral("Copy"), QKeySequence(Qt::CTRL | Qt::Key_C), QStringLiteral("Copy"), TTool::Copy);
  Paste1 = make(QStringLiteral("Paste"), QKeySequence(Qt::CTRL | Qt::Key_V), QStringLiteral("Paste"), TTool::Paste);
  Delete1 = make(QStringLiteral("Delete"), QKeySequence(Qt::CTRL | Qt::Key_Delete));
  BringToFront1 = make(QStringLiteral("Bring to Front"));
  SendToBack1 = make(QStringLiteral("Send to Back"));
  AligntoGrid1 = make(QStringLiteral("Align to Grid"));
  AlignLeft1 = make(QStringLiteral("Align Left"));
  AlignCenter1 = make(QStringLiteral("Align Center"));
  AlignRight1 = make(QStringLiteral("Align Right"));
  AlignTop1 = make(QStringLiteral("Align Top"));
  AlignCenter2 = make(QStringLiteral("Align Center"));
  AlignBottom1 = make(QStringLiteral("Align Bottom"));
  NewTabSheet1 = make(QStringLiteral("New TabSheet"));

  AddPage1 = make(QStringLiteral("Add Form"), QKeySequence(Qt::CTRL | Qt::ALT | Qt::Key_P), QStringLiteral("Add Form"),
                  TTool::AddForm);
  DuplicatePage1 = make(QStringLiteral("Duplicate Form"));
  LoadTemplate1 = make(QStringLiteral("Load Template..."), {}, QStringLiteral("Load Template"), TTool::LoadTemplate);
  DeletePage1 = make(QStringLiteral("Delete Form"));
  PreviewPage1 = make(QStringLiteral("Preview Form..."), {}, QStringLiteral("Preview Form"), TTool::PreviewForm);
  MoveUp1 = make(QStringLiteral("Move Up"));
  MoveDown1 = make(QStringLiteral("Move Down"));

  ToolBarItem = make(QStringLiteral("Toolbar"));
  StatusBar2 = make(QStringLiteral("Status Bar"));
  DisplayGrid1 = make(QStringLiteral("Display Grid"));
  SnaptoGrid1 = make(QStringLiteral("Snap to Grid"));
  for (QAction* a : {ToolBarItem, StatusBar2, DisplayGrid1, SnaptoGrid1}) {
    a->setCheckable(true);
    a->setChecked(true);
  }
  FormTemplates1 = make(QStringLiteral("Form Templates..."));
  AddObjectToTemplate1 = make(QStringLiteral("Add Object to Template..."));
  FormTemplates1->setVisible(false);
  AddObjectToTemplate1->setVisible(false);
  GridSize1 = make(QStringLiteral("Grid Size..."));
  BackgroundColor1 = make(QStringLiteral("Background Color..."));
  HelpDocument1 = make(QStringLiteral("Help Document..."), QKeySequence(Qt::Key_F1));

  // Commands whose parts are built by later work stay visible but cannot be chosen yet.
  for (QAction* a : {Compile1, Run1, BurnCDDVD1, LoadTemplate1, FormTemplates1, AddObjectToTemplate1})
    a->setEnabled(false);

  connect(NewProject2, &QAction::triggered, this, &TMainForm::NewProject2Click);
  connect(Open1, &QAction::triggered, this, &TMainForm::Open1Click);
  connect(Save1, &QAction::triggered, this, &TMainForm::Save1Click);
  connect(SaveAs1, &QAction::triggered, this, &TMainForm::SaveAs1Click);
  connect(Exit1, &QAction::triggered, this, &TMainForm::Exit1Click);
  connect(Undo1, &QAction::triggered, this, &TMainForm::Undo1Click);
  connect(Redo1, &QAction::triggered, this, &TMainForm::Redo1Click);
  connect(AddPage1, &QAction::triggered, this, &TMainForm::AddPage1Click);
  connect(DuplicatePage1, &QAction::triggered, this, &TMainForm::DuplicatePage1Click);
  connect(DeletePage1, &QAction::triggered, this, &TMainForm::DeletePage1Click);
  connect(PreviewPage1, &QAction::triggered, this, &TMainForm::PreviewPage1Click);
  connect(MoveUp1, &QAction::triggered, this, &TMainForm::MoveUp1Click);
  connect(MoveDown1, &QAction::triggered, this, &TMainForm::MoveDown1Click);
  connect(DisplayGrid1, &QAction::triggered, this, &TMainForm::DisplayGrid1Click);
  connect(SnaptoGrid1, &QAction::triggered, this, &TMainForm::SnaptoGrid1Click);
  connect(GridSize1, &QAction::triggered, this, &TMainForm::GridSize1Click);
  connect(BackgroundColor1, &QAction::triggered, this, &TMainForm::BackgroundColor1Click);
  connect(HelpDocument1, &QAction::triggered, this, &TMainForm::HelpDocument1Click);
  connect(Cut1, &QAction::triggered, this, &TMainForm::Cut1Click);
  connect(Copy1, &QAction::triggered, this, &TMainForm::Copy1Click);
  connect(Paste1, &QAction::triggered, this, &TMainForm::Paste1Click);
  connect(Delete1, &QAction::triggered, this, &TMainForm::Delete1Click);
  connect(AligntoGrid1, &QAction::triggered, this, &TMainForm::AligntoGrid1Click);
  connect(AlignLeft1, &QAction::triggered, this, [this] { AlignSelectedObjects(0); });
  connect(AlignCenter1, &QAction::triggered, this, [this] { AlignSelectedObjects(2); });
  connect(AlignRight1, &QAction::triggered, this, [this] { AlignSelectedObjects(1); });
  connect(AlignTop1, &QAction::triggered, this, [this] { AlignSelectedObjects(3); });
  connect(AlignCenter2, &QAction::triggered, this, [this] { AlignSelectedObjects(5); });
  connect(AlignBottom1, &QAction::triggered, this, [this] { AlignSelectedObjects(4); });
  connect(BringToFront1, &QAction::triggered, this, &TMainForm::BringToFront1Click);
  connect(SendToBack1, &QAction::triggered, this, &TMainForm::SendtoBack1Click);
  connect(NewTabSheet1, &QAction::triggered, this, &TMainForm::NewTabSheet1Click);
  connect(QGuiApplication::clipboard(), &QClipboard::dataChanged, this, &TMainForm::UpdateEditCommands);
  connect(ToolBarItem, &QAction::toggled, this, [this](bool on) { ToolBar1->setVisible(on); });
  connect(StatusBar2, &QAction::toggled, this, [this](bool on) { statusBar()->setVisible(on); });
}

void TMainForm::CreateMenus() {
  QMenuBar* bar = menuBar();
  bar->setNativeMenuBar(false);

  QMenu* file = bar->addMenu(QStringLiteral("&File"));
  file->addAction(NewProject2);
  file->addAction(Open1);
  Reopen1 = file->addMenu(QStringLiteral("Reopen"));
  connect(Reopen1, &QMenu::aboutToShow, this, &TMainForm::RebuildReopenMenu);
  file->addAction(Save1);
  file->addAction(SaveAs1);
  file->addSeparator();
  file->addAction(Compile1);
  file->addAction(Run1);
  file->addAction(BurnCDDVD1);
  file->addSeparator();
  file->addAction(Exit1);

  QMenu* edit = bar->addMenu(QStringLiteral("&Edit"));
  edit->addAction(Undo1);
  edit->addAction(Redo1);
  edit->addSeparator();
  for (QAction* a : {Cut1, Copy1, Paste1, Delete1}) edit->addAction(a);
  edit->addSeparator();
  QMenu* align = edit->addMenu(QStringLiteral("Align"));
  align->addAction(AligntoGrid1);
  align->addSeparator();
  for (QAction* a : {AlignLeft1, AlignCenter1, AlignRight1}) align->addAction(a);
  align->addSeparator();
  for (QAction* a : {AlignTop1, AlignCenter2, AlignBottom1}) align->addAction(a);
  edit->addSeparator();
  edit->addAction(BringToFront1);
  edit->addAction(SendToBack1);
  connect(edit, &QMenu::aboutToShow, this, &TMainForm::UpdateEditCommands);

  QMenu* form = bar->addMenu(QStringLiteral("F&orm"));
  for (QAction* a : {AddPage1, DuplicatePage1, LoadTemplate1, DeletePage1, PreviewPage1}) form->addAction(a);
  form->addSeparator();
  form->addAction(MoveUp1);
  form->addAction(MoveDown1);
  connect(form, &QMenu::aboutToShow, this, &TMainForm::UpdateCommandStates);

  QMenu* view = bar->addMenu(QStringLiteral("&View"));
  view->addAction(ToolBarItem);
  view->addAction(StatusBar2);

  QMenu* tools = bar->addMenu(QStringLiteral("&Tools"));
  tools->addAction(DisplayGrid1);
  tools->addAction(SnaptoGrid1);
  tools->addSeparator();
  tools->addAction(FormTemplates1);
  tools->addAction(AddObjectToTemplate1);
  tools->addSeparator();
  tools->addAction(GridSize1);
  tools->addAction(BackgroundColor1);

  QMenu* help = bar->addMenu(QStringLiteral("&Help"));
  help->addAction(HelpDocument1);
}

void TMainForm::CreateToolBars() {
  ToolBar1 = addToolBar(QStringLiteral("Commands"));
  ToolBar1->setObjectName(QStringLiteral("ToolBar1"));
  ToolBar1->setMovable(false);
  ToolBar1->setIconSize(QSize(20, 20));
  for (QAction* a : {NewProject2, Open1, Save1}) ToolBar1->addAction(a);
  ToolBar1->addSeparator();
  for (QAction* a : {Compile1, Run1, BurnCDDVD1}) ToolBar1->addAction(a);
  ToolBar1->addSeparator();
  for (QAction* a : {Undo1, Redo1, Copy1, Paste1}) ToolBar1->addAction(a);
  ToolBar1->addSeparator();
  for (QAction* a : {AddPage1, LoadTemplate1, PreviewPage1}) ToolBar1->addAction(a);

  // The object palette: "Select" and one check button per kind, exactly one of them down. The
  // design surface inserts the armed kind.
  ToolBar2 = addToolBar(QStringLiteral("Objects"));
  ToolBar2->setObjectName(QStringLiteral("ToolBar2"));
  ToolBar2->setMovable(false);
  ToolBar2->setIconSize(QSize(20, 20));
  Palette = new QActionGroup(this);
  ObjectPalette.Build(ToolBar2, Palette);
}

void TMainForm::CreateSurfaceMenu() {
  // The surface's context menu forwards to the Edit commands.
  auto* menu = new QMenu(EditForm);
  menu->setObjectName(QStringLiteral("PopupMenu1"));
  menu->addAction(NewTabSheet1);
  NewTabSheetSeparator = menu->addSeparator();
  for (QAction* a : {Cut1, Copy1, Paste1, Delete1}) menu->addAction(a);
  menu->addSeparator();
  QMenu* align = menu->addMenu(QStringLiteral("Align"));
  align->addAction(AligntoGrid1);
  align->addSeparator();
  for (QAction* a : {AlignLeft1, AlignCenter1, AlignRight1}) align->addAction(a);
  align->addSeparator();
  for (QAction* a : {AlignTop1, AlignCenter2, AlignBottom1}) align->addAction(a);
  menu->addSeparator();
  menu->addAction(BringToFront1);
  menu->addAction(SendToBack1);
  EditForm->PopupMenu1 = menu;
}

void TMainForm::CreateLayout() {
  TreeView1 = new TProjectTree(this);
  ValueEdit = new QTableWidget(0, 2, this);
  ValueEdit->setObjectName(QStringLiteral("ValueEdit"));
  ValueEdit->setHorizontalHeaderLabels({QStringLiteral("Property"), QStringLiteral("Value")});
  ValueEdit->horizontalHeader()->setStretchLastSection(true);
  ValueEdit->horizontalHeader()->resizeSection(0, 130);
  ValueEdit->verticalHeader()->hide();
  ValueEdit->setEditTriggers(QAbstractItemView::NoEditTriggers);
  ValueEdit->setSelectionBehavior(QAbstractItemView::SelectRows);

  auto* left = new QSplitter(Qt::Vertical, this);
  left->addWidget(TreeView1);
  left->addWidget(ValueEdit);
  left->setStretchFactor(0, 3);
  left->setStretchFactor(1, 2);

  ScrollBox6 = new TDesignArea(this);
  EditForm = new TEditForm;
  EditForm->SetOwner(this);
  EditForm->SetPage(AutoRunForm);
  ScrollBox6->SetForm(EditForm);
  EditForm->hide();
  CreateSurfaceMenu();
  ScrollBox6->SetBackColor(DesignSettings.DesignBackColor);

  PageControl2 = new QTabWidget(this);
  PageControl2->setObjectName(QStringLiteral("PageControl2"));
  PageControl2->setMinimumHeight(96);
  ListView1 = new QListWidget(this);  // moves into the first template tab when there is one
  ListView1->hide();
  ListView1->setObjectName(QStringLiteral("ListView1"));
  ListView1->setViewMode(QListView::IconMode);
  ListView1->setIconSize(QSize(64, 48));
  ListView1->setToolTip(QStringLiteral("You can drag and drop an object template item to the form"));

  auto* right = new QSplitter(Qt::Vertical, this);
  right->addWidget(ScrollBox6);
  right->addWidget(PageControl2);
  right->setStretchFactor(0, 5);
  right->setStretchFactor(1, 1);

  auto* split = new QSplitter(Qt::Horizontal, this);
  split->addWidget(left);
  split->addWidget(right);
  split->setStretchFactor(0, 1);
  split->setStretchFactor(1, 4);
  split->setSizes({300, 980});
  left->setSizes({400, 300});
  right->setSizes({560, 140});
  auto* central = new QWidget(this);
  auto* centralLayout = new QVBoxLayout(central);
  centralLayout->setContentsMargins(0, 0, 0, 0);
  centralLayout->addWidget(split);
  setCentralWidget(central);

  // Outside the layout and off the client area: it only takes the keyboard.
  Edit2 = new QLineEdit(central);
  Edit2->setObjectName(QStringLiteral("Edit2"));
  Edit2->setMaxLength(1);
  Edit2->setGeometry(-200, -200, 20, 20);
  Edit2->installEventFilter(this);

  StatusPanel = new QLabel(this);
  StatusPanel->setObjectName(QStringLiteral("StatusPanel"));
  statusBar()->setObjectName(QStringLiteral("StatusBar1"));
  statusBar()->addWidget(StatusPanel, 1);

  connect(TreeView1, &QTreeWidget::currentItemChanged, this, &TMainForm::TreeView1Change);
}

void TMainForm::ConnectState() {
  TDesignerState& s = *FState;
  connect(&s, &TDesignerState::PageInserted, this, [this](TFormData* entry, int index) {
    TTreeSync sync(FTreeSync);
    TreeView1->InsertPageNode(entry, index);
    UpdateTreeNodeTexts();
  });
  connect(&s, &TDesignerState::PageRemoved, this, [this](TFormData* entry) {
    {
      TTreeSync sync(FTreeSync);
      TreeView1->RemovePageNode(entry);
      UpdateTreeNodeTexts();
    }
    if (Project.Forms.empty()) {
      TTreeSync sync(FTreeSync);
      TreeView1->setCurrentItem(TreeView1->RootItem());
      EditForm->hide();
      ShowProperties();
    }
  });
  connect(&s, &TDesignerState::PageMoved, this, [this](TFormData*, int from, int to) {
    {
      TTreeSync sync(FTreeSync);
      QTreeWidgetItem* current = TreeView1->currentItem();
      const TFormData* page = TProjectTree::PageOf(TProjectTree::PageNodeOf(current));
      const std::vector<int> path = TProjectTree::PathBelowPage(current);
      TreeView1->MovePageNode(from, to);
      if (page) TreeView1->setCurrentItem(TProjectTree::ItemAtPath(TreeView1->PageItem(page), path));
      UpdateTreeNodeTexts();
    }
    UpdateCommandStates();
  });
  connect(&s, &TDesignerState::LoadedPageChanged, this, [this](TFormData* previous, TFormData* current) {
    TTreeSync sync(FTreeSync);
    TreeView1->UnlinkObjects(TreeView1->PageItem(previous));
    if (!current) {
      EditForm->hide();
      return;
    }
    QTreeWidgetItem* pageItem = TreeView1->PageItem(current);
    if (pageItem && AutoRunForm->PanelObject())
      TreeView1->ShowAuObjectSubTreeNode(pageItem, *AutoRunForm->PanelObject());
    ApplyPageGrid();
    // A page loaded by a command rather than by the author's selection is shown as if selected.
    if (FSelecting) return;
    if (pageItem && TProjectTree::PageNodeOf(TreeView1->currentItem()) != pageItem) TreeView1->setCurrentItem(pageItem);
    RefreshDesign();
    ShowProperties();
    EditForm->show();
    RangeForm();
    UpdateCommandStates();
  });
  connect(&s, &TDesignerState::PageContentChanged, this, [this](TFormData* entry) {
    TTreeSync sync(FTreeSync);
    if (QTreeWidgetItem* pageItem = TreeView1->PageItem(entry)) {
      if (entry == FState->LoadedPage() && AutoRunForm->PanelObject()) {
        TreeView1->ShowAuObjectSubTreeNode(pageItem, *AutoRunForm->PanelObject());
        ApplyPageGrid();
        RefreshDesign();
        RangeForm();
      } else {
        TreeView1->ShowOutline(pageItem, entry->ObjectInfo.get());
      }
    }
    ShowProperties();
  });
  connect(&s, &TDesignerState::ObjectChanged, this, [this](TAuObject* object) {
    TreeView1->UpdateObjectNode(*object);
    RefreshDesign();
    ShowProperties();
  });
  connect(&s, &TDesignerState::ProjectSettingsChanged, this, [this] {
    UpdateTreeNodeTexts();
    UpdateTitle();
    ShowProperties();
  });
  connect(&s, &TDesignerState::MarksChanged, this, [this] {
    UpdateTreeNodeImages();
    UpdateTitle();
  });

  QUndoStack& stack = s.UndoStack();
  const auto updateUndo = [this] {
    QUndoStack& st = FState->UndoStack();
    Undo1->setEnabled(st.canUndo());
    Redo1->setEnabled(st.canRedo());
    Undo1->setText(st.canUndo() ? QStringLiteral("&Undo ") + st.undoText() : QStringLiteral("&Undo"));
    Redo1->setText(st.canRedo() ? QStringLiteral("&Redo ") + st.redoText() : QStringLiteral("&Redo"));
  };
  connect(&stack, &QUndoStack::indexChanged, this, updateUndo);
  connect(&stack, &QUndoStack::canUndoChanged, this, updateUndo);
  connect(&stack, &QUndoStack::canRedoChanged, this, updateUndo);
  connect(&stack, &QUndoStack::indexChanged, this, &TMainForm::UpdateCommandStates);
  updateUndo();
}

// ---- showing and closing ----

void TMainForm::showEvent(QShowEvent* event) {
  QMainWindow::showEvent(event);
  if (FShown) return;
  FShown = true;
  FormShow();
}

void TMainForm::FormShow() {
  LoadSettings(DesignSettings);
  ScrollBox6->SetBackColor(DesignSettings.DesignBackColor);
  AutoRunForm->show();  // never on screen: the page's controls exist and lay out
  BuildTemplatePalette();
  ShowTree();
  SetStatusBar();
  DisplayGrid1->setChecked(DesignSettings.DisplayGrid);
  SnaptoGrid1->setChecked(DesignSettings.SnapToGrid);
  ApplyPageGrid();
  RefreshDesign();
  Timer1.start();
}

void TMainForm::closeEvent(QCloseEvent* event) {
  if (!FClosing && (!UpdateValueEdit() || !PendingChangesPrompt())) {
    event->ignore();
    return;
  }
  SaveRecentProjects(RecentProjects);
  AutoRunForm->hide();
  event->accept();
}

void TMainForm::CloseDesigner() {
  FClosing = true;
  close();
}

void TMainForm::BuildTemplatePalette() {
  // One tab per object template group (a folder of the template library).
  // The list stays ours while the old tabs go; QTabWidget::clear would keep their pages alive.
  ListView1->hide();
  ListView1->setParent(this);
  while (PageControl2->count() > 0) {
    QWidget* page = PageControl2->widget(0);
    PageControl2->removeTab(0);
    delete page;
  }
  const QDir groups(ExeFolder + QStringLiteral("/Templates/Objects"));
  const QStringList names = groups.exists() ? groups.entryList(QDir::Dirs | QDir::NoDotAndDotDot) : QStringList();
  for (const QString& name : names) PageControl2->addTab(new QWidget, DesignerIcons::TreeImage(32), name);
  if (PageControl2->count() > 0) {
    auto* layout = new QVBoxLayout(PageControl2->widget(0));
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(ListView1);
    ListView1->show();
  }
}

// ---- the start-up project ----

void TMainForm::Timer1Timer() {
  Timer1.stop();
  RefreshDesign();
  if (!FStartupProject.isEmpty()) {
    StartupProjectFromArgument();
    if (!FStartupProject.isEmpty()) {
      FStartupProject.clear();
      Q_EMIT StartupDone();
      return;
    }
  }
  if (DefaultFolder.isEmpty() || !QFileInfo::exists(DefaultFolder + u'/' + DefaultProjectFileName)) {
    DefaultFolder.clear();
    const QString cdrom = MyDocumentsFolder + FolderTexts::CdromFolder;
    if (!MyDocumentsFolder.isEmpty() && (QFileInfo(cdrom).isDir() || QDir().mkpath(cdrom))) {
      DefaultFolder = cdrom;
      SourceFileName = cdrom + u'/' + DefaultProjectFileName;
      if (QFileInfo::exists(SourceFileName))
        OpenProject(SourceFileName);
      else
        NewProject();
      Q_EMIT StartupDone();
      return;
    }
  }
  if (!DefaultFolder.isEmpty() && !QFileInfo(DefaultFolder).isDir()) DefaultFolder.clear();
  if (DefaultFolder.isEmpty()) {
    ShowMessageBox(MainFormTexts::ProjectFolderCaption, MainFormTexts::NoDefaultFolder, TMsgIcon::Information);
    QString folder;
    if (!SelectProjectFolder(DefaultFolder, folder)) {
      CloseDesigner();
      Q_EMIT StartupDone();
      return;
    }
    DefaultFolder = folder;
  }
  SourceFileName = DefaultFolder + u'/' + DefaultProjectFileName;
  if (QFileInfo::exists(SourceFileName)) {
    OpenProject(SourceFileName);
  } else if (ShowMessageBox(ErrorTexts::InformationCaption, MainFormTexts::CreateProjectAt.arg(SourceFileName),
                            TMsgIcon::Question, mbYes | mbNo, mbYes) == mbYes) {
    NewProject();
  } else {
    SourceFileName.clear();
    CloseDesigner();
  }
  Q_EMIT StartupDone();
}

void TMainForm::StartupProjectFromArgument() {
  // A folder stands for the project file in it.
  const QFileInfo given(FStartupProject);
  const QString file = given.isDir()
                           ? ExcludeTrailingDelimiter(given.absoluteFilePath()) + u'/' + DefaultProjectFileName
                           : given.absoluteFilePath();
  if (QFileInfo(file).isFile()) {
    OpenProject(file);
    return;
  }
  if (ShowMessageBox(ErrorTexts::InformationCaption, MainFormTexts::CreateProjectAt.arg(file), TMsgIcon::Question,
                     mbYes | mbNo, mbYes) == mbYes &&
      QDir().mkpath(QFileInfo(file).absolutePath())) {
    SourceFileName = file;
    NewProject();
    return;
  }
  // Declined: the usual start-up project instead.
  FStartupProject.clear();
}

// ---- the tree ----

void TMainForm::ShowTree() {
  {
    TTreeSync sync(FTreeSync);
    FState->UnlinkPage();
    TreeView1->Build();
    TreeView1->setCurrentItem(nullptr);
    Showing = true;
    ValueEdit->setRowCount(0);
    Showing = false;
  }
  QTreeWidgetItem* root = TreeView1->RootItem();
  // Selecting the first page loads it.
  QTreeWidgetItem* first = root->childCount() ? root->child(0) : root;
  if (first != root) first->setExpanded(true);
  TreeView1->setCurrentItem(first);
  UpdateTreeNodeTexts();
  UpdateTreeNodeImages();
  TreeView1->scrollToItem(root);
  UpdateCommandStates();
}

void TMainForm::UpdateTreeNodeTexts() { TreeView1->UpdateTreeNodeTexts(); }

void TMainForm::UpdateTreeNodeImages() {
  TreeView1->UpdateTreeNodeImages(ProjectChanged,
                                  [this](const TFormData& entry) { return FState->PageChanged(entry); });
}

void TMainForm::TreeView1Change(QTreeWidgetItem* current, QTreeWidgetItem* previous) {
  if (FTreeSync) return;
  if (!UpdateValueEdit()) {
    // A rejected grid value keeps the selection where it was.
    TTreeSync sync(FTreeSync);
    TreeView1->setCurrentItem(previous);
    return;
  }
  if (!current || TProjectTree::Level(current) == 0) {
    EditForm->hide();
    ShowProperties();
    UpdateCommandStates();
    return;
  }
  QTreeWidgetItem* pageItem = TProjectTree::PageNodeOf(current);
  TFormData* page = TProjectTree::PageOf(pageItem);
  const std::vector<int> path = TProjectTree::PathBelowPage(current);
  UnselectAuObjects();
  if (FState->LoadedPage() != page) {
    EditForm->hide();
    QGuiApplication::setOverrideCursor(Qt::WaitCursor);
    FSelecting = true;
    const bool loaded = FState->LoadPage(page);
    FSelecting = false;
    QGuiApplication::restoreOverrideCursor();
    if (!loaded) {
      // The page loaded so far could not be stored: it stays.
      if (FState->LoadedPage()) SelectPage(FState->LoadedPage());
      ShowProperties();
      UpdateCommandStates();
      return;
    }
    // Loading relinked (and may have rebuilt) the page's nodes.
    current = TProjectTree::ItemAtPath(TreeView1->PageItem(page), path);
    if (current && current != TreeView1->currentItem()) {
      TTreeSync sync(FTreeSync);
      TreeView1->setCurrentItem(current);
    }
  }
  if (TAuObject* object = TProjectTree::ObjectOf(current)) {
    object->Selected = true;
    // Every tab sheet on the way down comes to the front, so that the object can be seen.
    for (QTreeWidgetItem* item = current; TProjectTree::Level(item) >= 2; item = item->parent()) {
      TAuObject* o = TProjectTree::ObjectOf(item);
      if (!o || o->ObjectType != otTabSheet) continue;
      if (auto* sheet = dynamic_cast<TAuTabSheet*>(ControlOf(*o)))
        if (TAuTabNotebook* notebook = sheet->Notebook()) notebook->Tabs()->setCurrentWidget(sheet);
    }
  }
  RefreshDesign();
  ShowProperties();
  if (FState->LoadedPage()) EditForm->show();
  RangeForm();
  UpdateCommandStates();
}

void TMainForm::SelectPage(TFormData* entry) {
  if (QTreeWidgetItem* item = TreeView1->PageItem(entry)) TreeView1->setCurrentItem(item);
}

TFormData* TMainForm::SelectedPage() const {
  return TProjectTree::PageOf(TProjectTree::PageNodeOf(TreeView1->currentItem()));
}

TFormData* TMainForm::SelectedPageNode() const { return TProjectTree::PageOf(TreeView1->currentItem()); }

void TMainForm::UnselectAuObjects() {
  const auto clear = [](const auto& self, TAuObject& object) -> void {
    object.Selected = false;
    for (auto& child : object.Objects) self(self, *child);
  };
  if (FState->LoadedPage() && AutoRunForm->PanelObject()) clear(clear, *AutoRunForm->PanelObject());
}

void TMainForm::ShowProperties() {
  // The property grid's place: the selection's main values, read only, until the grid arrives.
  Showing = true;
  std::vector<std::pair<QString, QString>> rows;
  QTreeWidgetItem* current = TreeView1->currentItem();
  const int level = TProjectTree::Level(current);
  if (level == 0) {
    rows = {{QStringLiteral("ApplicationTitle"), Project.AppTitle},
            {QStringLiteral("OutputFileName"), Project.AppOutputFileName},
            {QStringLiteral("Forms"), QString::number(Project.Forms.size())}};
  } else if (level == 1 && FState->LoadedPage() == SelectedPage() && FState->LoadedPage()) {
    const TPageData& page = AutoRunForm->Page;
    rows = {{QStringLiteral("Name"), FState->LoadedPage()->FormName},
            {QStringLiteral("Caption"), page.Caption},
            {QStringLiteral("Width"), QString::number(page.Width)},
            {QStringLiteral("Height"), QString::number(page.Height)}};
  } else if (const TAuObject* object = TProjectTree::ObjectOf(current)) {
    rows = {{QStringLiteral("Name"), object->ObjectName},
            {QStringLiteral("Type"), GetObjectTypeName(object->ObjectType)},
            {QStringLiteral("Left"), QString::number(object->Left)},
            {QStringLiteral("Top"), QString::number(object->Top)},
            {QStringLiteral("Width"), QString::number(object->Width)},
            {QStringLiteral("Height"), QString::number(object->Height)}};
  }
  ValueEdit->setRowCount(static_cast<int>(rows.size()));
  for (int i = 0; i < static_cast<int>(rows.size()); ++i) {
    ValueEdit->setItem(i, 0, new QTableWidgetItem(rows[i].first));
    ValueEdit->setItem(i, 1, new QTableWidgetItem(rows[i].second));
  }
  Showing = false;
}

void TMainForm::RangeForm() { ScrollBox6->RangeForm(); }

void TMainForm::RefreshDesign() {
  if (!FState->LoadedPage() || !AutoRunForm->PanelObject()) return;
  EditForm->UpdateForm();
  RangeForm();
}

void TMainForm::ApplyPageGrid() {
  TAuObject* panel = AutoRunForm->PanelObject();
  if (!panel || !panel->Payload || panel->Payload->Kind() != otPanel) return;
  auto& back = static_cast<TPanelPayload&>(*panel->Payload).PanelBack;
  const QSize spacing(DesignSettings.GridSizeX, DesignSettings.GridSizeY);
  if (back.PaintGrid == DesignSettings.DisplayGrid && DesignGridSpacing() == spacing) return;
  back.PaintGrid = DesignSettings.DisplayGrid;
  SetDesignGridSpacing(spacing.width(), spacing.height());
  if (TAuControl* control = ControlOf(*panel)) control->RecordChanged(TRecordChange::Payload);
}

void TMainForm::SetStatusBar() {
  StatusPanel->setText(SourceFileName.isEmpty() ? QString() : QDir::toNativeSeparators(FolderOf(SourceFileName)));
}

void TMainForm::UpdateTitle() {
  setWindowTitle(Project.AppTitle + QStringLiteral("[*] - ") + StartupTexts::DesignerTitle);
  setWindowModified(!FState->UndoStack().isClean());
}

void TMainForm::UpdateCommandStates() {
  const bool page = SelectedPage() != nullptr;
  DuplicatePage1->setEnabled(page);
  DeletePage1->setEnabled(page);
  PreviewPage1->setEnabled(page && FState->LoadedPage() == SelectedPage());
  MoveUp1->setEnabled(SelectedPageNode() != nullptr);
  MoveDown1->setEnabled(SelectedPageNode() != nullptr);
  UpdateEditCommands();
}

// ---- marks ----

void TMainForm::MarkPageEdited(bool edited) { FState->MarkPageEdited(edited); }
void TMainForm::MarkProjectEdited(bool edited) { FState->MarkProjectEdited(edited); }
bool TMainForm::ProjectEditChanged() const { return FState->ProjectEditChanged(); }

bool TMainForm::UpdateValueEdit() {
  // Only the property grid can hold an edit not yet taken; it commits (or rejects) it here.
  UpDateValueEditOk = true;
  if (CommitPendingValue) UpDateValueEditOk = CommitPendingValue();
  return UpDateValueEditOk;
}

// ---- projects ----

void TMainForm::DetachProject() {
  TTreeSync sync(FTreeSync);
  FState->UnlinkPage();
  TreeView1->ClearAll();
  ValueEdit->setRowCount(0);
  EditForm->hide();
}

void TMainForm::NewProject(const QString& appTitle, const QString& outputFile) {
  DetachProject();
  FState->ResetHistory();
  ResetProject(true);
  // A new project made without the options dialog gets the dialog's default title.
  Project.AppTitle = appTitle.isNull() ? MainFormTexts::NewProjectTitle : appTitle;
  if (!outputFile.isNull()) Project.AppOutputFileName = outputFile;
  FState->ProjectUntouched = false;
  ProjectChanged = true;
  SetStatusBar();
  ShowTree();
  FState->MarkPageEdited(true);
  FState->StoreLoadedPage();
  ShowProperties();
  // A new project exists on disk at once.
  SaveProjectFile({}, true);
  UpdateTitle();
}

void TMainForm::OpenProject(const QString& fileName) {
  SourceFileName = fileName;
  DetachProject();
  FState->ResetHistory();
  TError error;
  if (!LoadProjectFromFile(fileName, error)) {
    ReportError(error);
    ResetProject(true);
    ProjectChanged = false;
    FState->ProjectUntouched = true;
    SourceFileName.clear();
  }
  SetStatusBar();
  ShowTree();
  UpdateTitle();
}

bool TMainForm::SaveProjectFile(const QString& orgName, bool force) {
  if (SourceFileName.isEmpty()) return SaveProjectAs();
  if (force || !orgName.isEmpty() || FState->ProjectEditChanged()) {
    if (!FState->StoreLoadedPage()) return false;
    QString source = orgName.isEmpty() ? SourceFileName : orgName;
    if (!QFileInfo(source).isFile()) source.clear();
    QGuiApplication::setOverrideCursor(Qt::WaitCursor);
    TError error;
    const bool saved = SaveProjectReplacing(SourceFileName, source, error);
    QGuiApplication::restoreOverrideCursor();
    if (!saved) {
      ReportError(error);
      return false;
    }
    ProjectChanged = false;
    AutoRunForm->DataChanged = false;
  }
  // Also when nothing had to be written: the folder is the default one and heads the list.
  const QString folder = FolderOf(SourceFileName);
  WriteDefaultFolder(folder);
  UpdateRecentProjects(RecentProjects, Project.AppTitle, folder);
  FState->MarkSaved();
  SetStatusBar();
  UpdateTreeNodeImages();
  UpdateTitle();
  return true;
}

bool TMainForm::SaveProjectAs() {
  QString folder;
  if (!SelectProjectFolder(SourceFileName.isEmpty() ? QString() : FolderOf(SourceFileName), folder)) return false;
  const QString target = folder + u'/' + DefaultProjectFileName;
  if (QFileInfo::exists(target) && ShowMessageBox(MainFormTexts::OverwriteCaption, MainFormTexts::Overwrite,
                                                  TMsgIcon::Question, mbYes | mbNo, mbYes) != mbYes)
    return false;
  const QString previous = SourceFileName;
  SourceFileName = target;
  // Save-as always writes, whether anything changed or not.
  if (!SaveProjectFile(previous, true)) {
    SourceFileName = previous;
    SetStatusBar();
    return false;
  }
  return true;
}

bool TMainForm::PendingChangesPrompt() {
  if (!FState->ProjectEditChanged() || FState->ProjectUntouched) return true;
  const int answer = ShowMessageBox(MainFormTexts::ConfirmCaption, MainFormTexts::SaveChanges, TMsgIcon::Question,
                                    mbYes | mbNo | mbCancel, mbYes);
  if (answer == mbNo) return true;
  if (answer != mbYes) return false;
  return SourceFileName.isEmpty() ? SaveProjectAs() : SaveProjectFile();
}

// ---- command handlers ----

void TMainForm::NewProject2Click() {
  if (!UpdateValueEdit() || !PendingChangesPrompt()) return;
  TProjectOptions options;
  if (!DesignerDialogs().ProjectOptions(options)) return;
  SourceFileName = ExcludeTrailingDelimiter(options.Folder) + u'/' + DefaultProjectFileName;
  NewProject(options.Title.isNull() ? QStringLiteral("") : options.Title,
             options.FileName.isNull() ? QStringLiteral("") : options.FileName);
}

void TMainForm::Open1Click() {
  if (!UpdateValueEdit() || !PendingChangesPrompt()) return;
  QString folder;
  if (!SelectProjectFolder(SourceFileName.isEmpty() ? QString() : FolderOf(SourceFileName), folder)) return;
  const QString file = folder + u'/' + DefaultProjectFileName;
  if (QFileInfo::exists(file)) {
    OpenProject(file);
  } else if (ShowMessageBox(ErrorTexts::InformationCaption, MainFormTexts::CreateProject, TMsgIcon::Question,
                            mbYes | mbNo, mbYes) == mbYes) {
    SourceFileName = file;
    NewProject();
  }
}

void TMainForm::Save1Click() {
  if (!UpdateValueEdit()) return;
  if (SourceFileName.isEmpty())
    SaveProjectAs();
  else
    SaveProjectFile();
}

void TMainForm::SaveAs1Click() {
  if (UpdateValueEdit()) SaveProjectAs();
}

void TMainForm::Exit1Click() {
  if (UpdateValueEdit()) close();
}

void TMainForm::Undo1Click() {
  if (UpdateValueEdit()) FState->UndoStack().undo();
}

void TMainForm::Redo1Click() {
  if (UpdateValueEdit()) FState->UndoStack().redo();
}

void TMainForm::AddPage1Click() {
  if (UpdateValueEdit()) AddPage(*FState);
}

void TMainForm::DuplicatePage1Click() {
  if (!UpdateValueEdit()) return;
  if (TFormData* page = SelectedPage()) DuplicatePage(*FState, *page);
}

void TMainForm::DeletePage1Click() {
  if (!UpdateValueEdit()) return;
  TFormData* page = SelectedPage();
  if (!page) return;
  if (ShowMessageBox(PageCommandTexts::DeleteCaption, PageCommandTexts::DeleteQuestion, TMsgIcon::Question,
                     mbYes | mbNo, mbYes) != mbYes)
    return;
  DeletePage(*FState, *page);
}

void TMainForm::MoveUp1Click() {
  if (!UpdateValueEdit()) return;
  if (TFormData* page = SelectedPageNode()) MovePageUp(*FState, *page);
}

void TMainForm::MoveDown1Click() {
  if (!UpdateValueEdit()) return;
  if (TFormData* page = SelectedPageNode()) MovePageDown(*FState, *page);
}

void TMainForm::PreviewPage1Click() {
  if (!UpdateValueEdit()) return;
  TFormData* page = SelectedPage();
  if (!page || FState->LoadedPage() != page) return;
  QByteArray bytes;
  if (!FState->PageBytes(*page, bytes)) return;
  // A live page window of its own, shown modally; the project is not changed.
  IsDesignPreview = true;
  {
    TAutoRunForm preview;
    TFormData holder;
    holder.FormInfoData = std::move(bytes);
    if (preview.LoadFormData(holder)) {
      preview.CloseFree = false;
      preview.ShowModal();
      ExitRequested = false;
    }
  }
  IsDesignPreview = false;
}

void TMainForm::DisplayGrid1Click() {
  if (!UpdateValueEdit()) {
    DisplayGrid1->setChecked(DesignSettings.DisplayGrid);
    return;
  }
  if (DisplayGrid1->isChecked() != DesignSettings.DisplayGrid) {
    DesignSettings.DisplayGrid = DisplayGrid1->isChecked();
    SaveSettings(DesignSettings);
  }
  ApplyPageGrid();
  RefreshDesign();
}

void TMainForm::SnaptoGrid1Click() {
  if (!UpdateValueEdit()) {
    SnaptoGrid1->setChecked(DesignSettings.SnapToGrid);
    return;
  }
  DesignSettings.SnapToGrid = SnaptoGrid1->isChecked();
  SaveSettings(DesignSettings);
}

void TMainForm::GridSize1Click() {
  if (!UpdateValueEdit()) return;
  int x = DesignSettings.GridSizeX, y = DesignSettings.GridSizeY;
  if (!DesignerDialogs().GridSize(x, y)) return;
  DesignSettings.GridSizeX = std::clamp(x, MinGridSize, MaxGridSize);
  DesignSettings.GridSizeY = std::clamp(y, MinGridSize, MaxGridSize);
  SaveSettings(DesignSettings);
  if (!DesignSettings.DisplayGrid) {
    SetDesignGridSpacing(DesignSettings.GridSizeX, DesignSettings.GridSizeY);
    return;
  }
  ApplyPageGrid();
  RefreshDesign();
}

void TMainForm::BackgroundColor1Click() {
  TColor color = DesignSettings.DesignBackColor;
  if (!DesignerDialogs().SelectColor(color)) return;
  DesignSettings.DesignBackColor = color;
  ScrollBox6->SetBackColor(color);
  SaveSettings(DesignSettings);
}

void TMainForm::HelpDocument1Click() { ShellRun(QStringLiteral("Open"), ExeFolder + MainFormTexts::HelpFile, {}, {}); }

void TMainForm::RebuildReopenMenu() {
  Reopen1->clear();
  int shown = 0;
  for (int i = 0; i < RecentProjectCount; ++i) {
    const TRecentProject& entry = RecentProjects[i];
    if (entry.IsEmpty()) continue;
    const QString text = QStringLiteral("&%1 %2 (%3)")
                             .arg(shown + 1)
                             .arg(entry.ProjectName.isEmpty() ? QStringLiteral("-") : entry.ProjectName,
                                  QDir::toNativeSeparators(entry.ProjectFolder));
    QAction* action = Reopen1->addAction(text);
    action->setData(i);
    connect(action, &QAction::triggered, this, [this, i] { ReopenClick(i); });
    ++shown;
  }
  if (shown == 0) Reopen1->addAction(QStringLiteral("(none)"))->setEnabled(false);
}

void TMainForm::ReopenClick(int index) {
  if (index < 0 || index >= RecentProjectCount || RecentProjects[index].IsEmpty() || !UpdateValueEdit()) return;
  const QString folder = RecentProjects[index].ProjectFolder;
  const QString file = folder + u'/' + DefaultProjectFileName;
  if (!QFileInfo(file).isFile()) {
    if (ShowMessageBox(MainFormTexts::ReopenCaption, MainFormTexts::ReopenMissing.arg(QDir::toNativeSeparators(folder)),
                       TMsgIcon::Question, mbYes | mbNo, mbYes) == mbYes)
      RemoveRecentProject(RecentProjects, index);
    return;
  }
  if (!PendingChangesPrompt()) return;
  OpenProject(file);
}

// ---- the design surface ----

TAuObject* TMainForm::PrimaryObject() const {
  if (!FState->LoadedPage() || SelectedPage() != FState->LoadedPage()) return nullptr;
  return TProjectTree::ObjectOf(TreeView1->currentItem());
}

void TMainForm::DoSelect() {
  TAuObject* root = SurfaceCommands::PageRoot(*FState);
  if (!root) return;
  TAuObject* first = nullptr;
  for (TAuObject* object : Surface::TopMostFirst(*root))
    if (object->Selected) {
      first = object;
      break;
    }
  TAuObject* shown = PrimaryObject();
  {
    // The flags stay as the gesture left them: this is no selection by the author in the tree.
    TTreeSync sync(FTreeSync);
    if (shown && shown->Selected) {
      // The primary object stays.
    } else if (first) {
      if (QTreeWidgetItem* item = TreeView1->ObjectItem(first)) TreeView1->setCurrentItem(item);
    } else if (shown || !TreeView1->currentItem()) {
      SelectPage(FState->LoadedPage());
    }
  }
  ShowProperties();
  UpdateCommandStates();
  EditForm->update();
}

void TMainForm::SelectObjectNode(TAuObject* object) {
  UnselectAuObjects();
  if (!object) return;
  object->Selected = true;
  QTreeWidgetItem* item = TreeView1->ObjectItem(object);
  if (!item) return;
  if (item->parent()) item->parent()->setExpanded(true);
  if (TreeView1->currentItem() == item) {
    RefreshDesign();
    ShowProperties();
    UpdateCommandStates();
  } else {
    TreeView1->setCurrentItem(item);
  }
}

void TMainForm::UpdateEditCommands() {
  TAuObject* primary = PrimaryObject();
  const bool object = primary != nullptr;
  for (QAction* a : {Cut1, Copy1, Delete1, AligntoGrid1, BringToFront1, SendToBack1}) a->setEnabled(object);
  QByteArray stream;
  const bool page = FState->LoadedPage() && SelectedPageNode() == FState->LoadedPage();
  Paste1->setEnabled((object || page) && GetStreamFromClipboard(stream, ClipboardFormats::Objects));
  int siblings = 0;
  if (TAuObject* root = SurfaceCommands::PageRoot(*FState); root && primary)
    siblings =
        static_cast<int>(SurfaceCommands::SelectedChildren(SurfaceCommands::SelectionContainer(*root, primary)).size());
  for (QAction* a : {AlignLeft1, AlignCenter1, AlignRight1, AlignTop1, AlignCenter2, AlignBottom1})
    a->setEnabled(siblings > 1);
  const bool book = primary && (primary->ObjectType == otTabNotebook || primary->ObjectType == otTabSheet);
  NewTabSheet1->setVisible(book);
  if (NewTabSheetSeparator) NewTabSheetSeparator->setVisible(book);
}

void TMainForm::AfterSurfaceEdit() {
  EditForm->DoRefresh();
  ShowProperties();
  UpdateCommandStates();
}

void TMainForm::Cut1Click() {
  if (!UpdateValueEdit()) return;
  if (TAuObject* primary = PrimaryObject(); primary && SurfaceCommands::CutSelection(*FState, *primary, PasteOffsets))
    DoSelect();
}

void TMainForm::Copy1Click() {
  if (!UpdateValueEdit()) return;
  if (TAuObject* primary = PrimaryObject()) SurfaceCommands::CopySelection(*FState, *primary, PasteOffsets);
  UpdateEditCommands();
}

void TMainForm::Paste1Click() {
  if (!UpdateValueEdit()) return;
  TAuObject* primary = PrimaryObject();
  if (!primary && !(FState->LoadedPage() && SelectedPageNode() == FState->LoadedPage())) return;
  if (!SurfaceCommands::PasteObjects(*FState, primary, PasteOffsets).empty()) DoSelect();
}

void TMainForm::Delete1Click() {
  if (!UpdateValueEdit()) return;
  if (TAuObject* primary = PrimaryObject(); primary && SurfaceCommands::DeleteSelection(*FState, *primary)) DoSelect();
}

void TMainForm::AligntoGrid1Click() {
  if (!UpdateValueEdit()) return;
  const Surface::TGrid grid{DesignSettings.GridSizeX, DesignSettings.GridSizeY, DesignSettings.SnapToGrid};
  if (TAuObject* primary = PrimaryObject(); primary && SurfaceCommands::AlignToGrid(*FState, *primary, grid))
    AfterSurfaceEdit();
}

void TMainForm::AlignSelectedObjects(int id) {
  if (!UpdateValueEdit()) return;
  if (TAuObject* primary = PrimaryObject(); primary && SurfaceCommands::AlignSelectedObjects(*FState, *primary, id))
    AfterSurfaceEdit();
}

void TMainForm::BringToFront1Click() {
  if (!UpdateValueEdit()) return;
  if (TAuObject* primary = PrimaryObject(); primary && SurfaceCommands::BringToFront(*FState, *primary)) DoSelect();
}

void TMainForm::SendtoBack1Click() {
  if (!UpdateValueEdit()) return;
  if (TAuObject* primary = PrimaryObject(); primary && SurfaceCommands::SendToBack(*FState, *primary)) DoSelect();
}

void TMainForm::NewTabSheet1Click() {
  if (!UpdateValueEdit()) return;
  if (TAuObject* primary = PrimaryObject())
    if (TAuObject* sheet = SurfaceCommands::AddTabSheet(*FState, *primary)) SelectObjectNode(sheet);
}

void TMainForm::MoveSelectedObject(int dx, int dy) {
  if (TAuObject* primary = PrimaryObject(); primary && SurfaceCommands::MoveSelectedObject(*FState, *primary, dx, dy))
    AfterSurfaceEdit();
}

void TMainForm::ResizeSelectedObject(int dx, int dy) {
  if (TAuObject* primary = PrimaryObject(); primary && SurfaceCommands::ResizeSelectedObject(*FState, *primary, dx, dy))
    AfterSurfaceEdit();
}

bool TMainForm::eventFilter(QObject* watched, QEvent* event) {
  if (watched != Edit2) return QMainWindow::eventFilter(watched, event);
  // The key sink is no text field: the window's shortcuts (copy, paste, ...) stay the window's.
  if (event->type() == QEvent::ShortcutOverride) {
    event->ignore();
    return true;
  }
  if (event->type() == QEvent::KeyRelease) {
    const int key = static_cast<QKeyEvent*>(event)->key();
    if (key == Qt::Key_Control || key == Qt::Key_Shift) ShowProperties();
    return false;
  }
  if (event->type() != QEvent::KeyPress) return false;
  auto* key = static_cast<QKeyEvent*>(event);
  const bool ctrl = key->modifiers().testFlag(Qt::ControlModifier);
  const bool shift = key->modifiers().testFlag(Qt::ShiftModifier);
  if (key->key() == Qt::Key_Delete) {
    Delete1Click();
    return true;
  }
  int dx = 0, dy = 0;
  switch (key->key()) {
    case Qt::Key_Left:
      dx = -1;
      break;
    case Qt::Key_Right:
      dx = 1;
      break;
    case Qt::Key_Up:
      dy = -1;
      break;
    case Qt::Key_Down:
      dy = 1;
      break;
    default:
      return false;
  }
  if (!UpdateValueEdit()) return true;
  if (ctrl)
    MoveSelectedObject(dx, dy);
  else if (shift)
    ResizeSelectedObject(dx, dy);
  return true;
}
