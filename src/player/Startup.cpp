#include "player/Startup.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QGuiApplication>
#include <QWidget>
#include <QWindow>

#include "model/Globals.h"
#include "model/IniFile.h"
#include "model/Paths.h"
#include "model/ProjectFile.h"
#include "player/ActionRunner.h"
#include "player/AutoRunForm.h"
#include "player/LoginForm.h"

bool IsDesignerFileName(const QString& fileName) {
  QString name = fileName;
  if (!name.isEmpty() && (name.front() == u'/' || name.front() == u'\\')) name.remove(0, 1);
#ifdef Q_OS_WIN
  return name.compare(QLatin1String("Menuvia.exe"), Qt::CaseInsensitive) == 0;
#else
  return name.compare(QLatin1String("Menuvia"), Qt::CaseInsensitive) == 0;
#endif
}

void InitProcessState(const QString& executablePath) {
  ProjectFileExt = StandardProjectFileExt;
  DefaultProjectFileName = QStringLiteral("autorun.") + ProjectFileExt;
  DefaultFolder.clear();
  FreeComLibraries = false;
  IsDesignPreview = false;
  ExitRequested = false;
  SourceFileName.clear();

  const QFileInfo exe(executablePath);
  ExeFolder = ExcludeTrailingDelimiter(exe.absolutePath());
  IsDesigner = IsDesignerFileName(exe.fileName());

  if (!IsDesigner) {
    SourceFileName = exe.absoluteFilePath();
    return;
  }
  MyDocumentsFolder = GetSpecialFolderPath(sfPersonal);
  const QString appData = GetSpecialFolderPath(sfLocalAppData);
  SettingsFileName = ExeFolder + QStringLiteral("/Menuvia.ini");
  if (!appData.isEmpty()) {
    const QString folder = appData + QStringLiteral("/Trellick/Menuvia");
    if (QDir().mkpath(folder) && QFileInfo(folder).isDir()) SettingsFileName = folder + QStringLiteral("/Menuvia.ini");
  }
  if (QFileInfo::exists(SettingsFileName))
    DefaultFolder = TIniFile(SettingsFileName).ReadString(QStringLiteral("START"), QStringLiteral("DEFAULTFOLDER"));
}

qulonglong ForegroundHandleArgument(const QStringList& arguments) {
  if (arguments.size() < 3) return 0;  // program name, then the first and second argument
  bool ok = false;
  const qulonglong handle = arguments[2].toULongLong(&ok);
  return ok ? handle : 0;
}

bool StartPlayer() {
  TError error;
  if (!LoadProjectFromExe(SourceFileName, error)) {
    ReportError(error);
    ShowMessageBox(ErrorTexts::ErrorCaption, StartupTexts::LoadFailed, TMsgIcon::Error);
    return false;
  }
  QCoreApplication::setApplicationName(Project.AppTitle);
  return true;
}

std::unique_ptr<TAutoRunForm> RunPlayerStart() {
  {
    // A window off the screen keeps the program alive while the splash page and the login come
    // and go, before the main page exists.
    QWidget startup(nullptr, Qt::FramelessWindowHint | Qt::WindowDoesNotAcceptFocus);
    startup.setGeometry(-20, 0, 1, 1);
    startup.show();
    if (!ExitRequested) {
      ShowSplashPage();
      ShowFullScreenPage();
    }
    if (!ExitRequested && !ExecuteLogin()) ExitRequested = true;
    if (!ExitRequested) RunActions(Project.OnStartActions, nullptr);
  }
  if (ExitRequested || Project.Forms.empty()) return nullptr;
  auto page = CreateMainPage();
  if (page) page->show();
  return page;
}

void FinishRun(const QStringList& arguments) {
  ResetProject(false);
  if (IsDesigner) return;
  if (const qulonglong handle = ForegroundHandleArgument(arguments)) {
    // The designer that started this player waits behind it; hand it the focus back.
    if (QWindow* window = QWindow::fromWinId(static_cast<WId>(handle))) {
      window->requestActivate();
      delete window;
    }
  }
}
