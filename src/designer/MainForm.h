// The designer's main window: menus and toolbars, the project tree above the property grid on the
// left, the design area above the template palette on the right, the status bar with the project
// folder, and the hidden editing page (AutoRunForm) that holds the page being edited.
//
// The window owns the designer's state (TDesignerState) and follows it: every edit is a command
// pushed there, and the tree, the design area and the title react to its signals.
#pragma once

#include <QMainWindow>
#include <QPointer>
#include <QStringList>
#include <QTimer>
#include <functional>
#include <memory>

#include "designer/DesignerState.h"
#include "designer/ObjectPalette.h"
#include "designer/RecentProjects.h"
#include "designer/SurfaceCommands.h"

class QAction;
class QActionGroup;
class QLabel;
class QLineEdit;
class QListWidget;
class QMenu;
class QSplitter;
class QTableWidget;
class QTabWidget;
class QToolBar;
class QTreeWidgetItem;
class TAutoRunForm;
class TDesignArea;
class TEditForm;
class TProjectTree;

namespace MainFormTexts {
inline const QString NewProjectTitle = QStringLiteral("CD Menu");
inline const QString ProjectFolderCaption = QStringLiteral("Project Folder");
inline const QString NoDefaultFolder =
    QStringLiteral("The default project folder does not exist. Please select project folder.");
inline const QString CreateProjectAt = QStringLiteral("Project file does not exist (%1). Create a new project?");
inline const QString CreateProject = QStringLiteral("Project file does not exist. Create a new project?");
inline const QString SaveChanges = QStringLiteral("Save changes to project?");
inline const QString ConfirmCaption = QStringLiteral("Confirm");
inline const QString Overwrite = QStringLiteral("Project file exists. Overwrite?");
inline const QString OverwriteCaption = QStringLiteral("Project File");
inline const QString ReopenCaption = QStringLiteral("Reopen");
inline const QString ReopenMissing =
    QStringLiteral("The project in \"%1\" no longer exists. Remove it from the list of recent projects?");
inline const QString HelpFile = QStringLiteral("/Menuvia.chm");
}  // namespace MainFormTexts

// The designer's command line: a project file or folder to open instead of the start-up project,
// and --screenshot FILE, which saves a picture of the window once that project is open and ends.
struct TDesignerArguments {
  QString Project;
  QString Screenshot;
};
TDesignerArguments ParseDesignerArguments(const QStringList& arguments);

class TMainForm : public QMainWindow {
  Q_OBJECT

 public:
  explicit TMainForm(QWidget* parent = nullptr);
  ~TMainForm() override;

  TDesignerState& State() const { return *FState; }

  // ---- components ----
  TAutoRunForm* AutoRunForm = nullptr;  // the editing page: exists and lays out, never on screen
  TProjectTree* TreeView1 = nullptr;
  QTableWidget* ValueEdit = nullptr;  // the property grid's place
  TDesignArea* ScrollBox6 = nullptr;
  TEditForm* EditForm = nullptr;
  QTabWidget* PageControl2 = nullptr;  // the object template palette
  QListWidget* ListView1 = nullptr;
  QToolBar* ToolBar1 = nullptr;
  QToolBar* ToolBar2 = nullptr;  // the object palette
  QLabel* StatusPanel = nullptr;
  QLineEdit* Edit2 = nullptr;  // keyboard focus of the design surface, off screen
  QTimer Timer1;               // the start-up project, once

  QMenu* Reopen1 = nullptr;
  QAction *NewProject2 = nullptr, *Open1 = nullptr, *Save1 = nullptr, *SaveAs1 = nullptr, *Compile1 = nullptr,
          *Run1 = nullptr, *BurnCDDVD1 = nullptr, *Exit1 = nullptr;
  QAction *Undo1 = nullptr, *Redo1 = nullptr, *Cut1 = nullptr, *Copy1 = nullptr, *Paste1 = nullptr, *Delete1 = nullptr,
          *BringToFront1 = nullptr, *SendToBack1 = nullptr;
  QAction *AligntoGrid1 = nullptr, *AlignLeft1 = nullptr, *AlignCenter1 = nullptr, *AlignRight1 = nullptr,
          *AlignTop1 = nullptr, *AlignCenter2 = nullptr, *AlignBottom1 = nullptr;
  QAction *NewTabSheet1 = nullptr, *NewTabSheetSeparator = nullptr;  // the surface's context menu only
  QAction *AddPage1 = nullptr, *DuplicatePage1 = nullptr, *LoadTemplate1 = nullptr, *DeletePage1 = nullptr,
          *PreviewPage1 = nullptr, *MoveUp1 = nullptr, *MoveDown1 = nullptr;
  QAction *ToolBarItem = nullptr, *StatusBar2 = nullptr;
  QAction *DisplayGrid1 = nullptr, *SnaptoGrid1 = nullptr, *FormTemplates1 = nullptr, *AddObjectToTemplate1 = nullptr,
          *GridSize1 = nullptr, *BackgroundColor1 = nullptr;
  QAction* HelpDocument1 = nullptr;
  QActionGroup* Palette = nullptr;  // "Select" and one check button per kind
  TObjectPalette ObjectPalette;
  TPasteOffsets PasteOffsets;

  TRecentProjects RecentProjects;
  bool UpDateValueEditOk = true;
  bool Showing = false;  // the property grid is being filled
  int MenuBarHeight = 0;

  // The property grid's commit of a value being edited: false when it rejected the value. Unset
  // while there is no grid edit to commit.
  std::function<bool()> CommitPendingValue;

  // ---- operations of the other designer parts ----

  // Commits a pending property-grid edit before any command; false means the command must not run.
  bool UpdateValueEdit();
  void ShowTree();
  void UpdateTreeNodeTexts();
  void UpdateTreeNodeImages();
  void UnselectAuObjects();
  void ShowProperties();
  void RangeForm();
  void SetStatusBar();
  void MarkPageEdited(bool edited);
  void MarkProjectEdited(bool edited);
  bool ProjectEditChanged() const;
  // Redraws the design area's picture of the editing page.
  void RefreshDesign();

  // ---- the design surface ----

  // The object the tree selection names on the loaded page, or null.
  TAuObject* PrimaryObject() const;
  // Brings the tree selection in line with the objects' Selected flags.
  void DoSelect();
  // Makes object the only selected one and selects its node.
  void SelectObjectNode(TAuObject* object);
  // Enables the Edit commands for the current selection and clipboard.
  void UpdateEditCommands();

  // ---- projects ----

  // Replaces the project by a new one-page project and saves it at SourceFileName.
  void NewProject(const QString& appTitle = {}, const QString& outputFile = {});
  void OpenProject(const QString& fileName);
  // Writes the project file when something changed (or always with orgName or force): the
  // project folder then becomes the default folder and heads the recent projects.
  bool SaveProjectFile(const QString& orgName = {}, bool force = false);
  bool SaveProjectAs();
  // "Save changes to project?" when the project was touched and changed; false abandons the
  // command.
  bool PendingChangesPrompt();
  // Opens a project file or folder given on the command line instead of the start-up project.
  void SetStartupProject(const QString& path) { FStartupProject = path; }

  // ---- command handlers ----
  void NewProject2Click();
  void Open1Click();
  void Save1Click();
  void SaveAs1Click();
  void Exit1Click();
  void Undo1Click();
  void Redo1Click();
  void AddPage1Click();
  void DuplicatePage1Click();
  void DeletePage1Click();
  void PreviewPage1Click();
  void MoveUp1Click();
  void MoveDown1Click();
  void DisplayGrid1Click();
  void SnaptoGrid1Click();
  void GridSize1Click();
  void BackgroundColor1Click();
  void HelpDocument1Click();
  void Cut1Click();
  void Copy1Click();
  void Paste1Click();
  void Delete1Click();
  void AligntoGrid1Click();
  // Alignment id 0 left, 1 right, 2 centre, 3 top, 4 bottom, 5 middle.
  void AlignSelectedObjects(int id);
  void BringToFront1Click();
  void SendtoBack1Click();
  void NewTabSheet1Click();
  // Keyboard commands of the surface (Edit2): move or resize the selection by dx, dy.
  void MoveSelectedObject(int dx, int dy);
  void ResizeSelectedObject(int dx, int dy);
  void ReopenClick(int index);
  // The start-up project: opened or created 100 ms after the window shows.
  void Timer1Timer();

  // The page of the tree selection (a page node or an object node below it), or null.
  TFormData* SelectedPage() const;
  // The page of the selection when a page node itself is selected.
  TFormData* SelectedPageNode() const;
  // Selects the node of entry (and the object at path below it, when given).
  void SelectPage(TFormData* entry);

 Q_SIGNALS:
  // The start-up project is open, or the designer closes for want of one.
  void StartupDone();

 protected:
  void showEvent(QShowEvent* event) override;
  void closeEvent(QCloseEvent* event) override;
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  void CreateActions();
  void CreateMenus();
  void CreateToolBars();
  void CreateSurfaceMenu();
  // After a command that changed places or sizes on the surface.
  void AfterSurfaceEdit();
  void CreateLayout();
  void ConnectState();
  void FormShow();
  void TreeView1Change(QTreeWidgetItem* current, QTreeWidgetItem* previous);
  void UpdateCommandStates();
  void UpdateTitle();
  void RebuildReopenMenu();
  void BuildTemplatePalette();
  void ApplyPageGrid();
  // Clears tree and grid and unlinks the page window before the project is replaced.
  void DetachProject();
  void StartupProjectFromArgument();
  void CloseDesigner();

  std::unique_ptr<TDesignerState> FState;
  QString FStartupProject;
  bool FShown = false;
  bool FTreeSync = false;   // the tree is being changed by the program, not the author
  bool FClosing = false;    // closing without the prompt (start-up refused)
  bool FSelecting = false;  // the author's selection is loading a page
};
