// The one program: the designer when its file is named Menuvia, the player under any other name.
#include <QApplication>
#include <QTimer>
#include <memory>

#include "designer/DesignerIcons.h"
#include "designer/MainForm.h"
#include "model/Globals.h"
#include "objects/WidgetMessages.h"
#include "player/AutoRunForm.h"
#include "player/MediaEngines.h"
#include "player/Startup.h"
#include "render/PictureDecode.h"

int main(int argc, char* argv[]) {
  QApplication app(argc, argv);
  InitProcessState(QCoreApplication::applicationFilePath());
  InstallGuiMessages();
  InitPictureDecoding();
  RegisterStockFonts();
  // Media, PDF, web and Flash engines live in plugins loaded when a page first needs one; this only
  // says where to find them.
  InstallMediaEngines();
  const QStringList arguments = QCoreApplication::arguments();

  int status = 0;
  if (IsDesigner) {
    QApplication::setApplicationName(StartupTexts::DesignerTitle);
    QApplication::setDesktopFileName(QStringLiteral("menuvia"));
    QApplication::setWindowIcon(DesignerIcons::AppIcon());
    ResetProject(true);
    ProjectChanged = false;  // the fresh project counts as unchanged until the first edit
    const TDesignerArguments designerArguments = ParseDesignerArguments(arguments);
    auto mainForm = std::make_unique<TMainForm>();
    if (!designerArguments.Project.isEmpty()) mainForm->SetStartupProject(designerArguments.Project);
    if (!designerArguments.Screenshot.isEmpty()) {
      // A picture of the window once the project is open and drawn, then the end: for checking the
      // designer without a person in front of it.
      QObject::connect(mainForm.get(), &TMainForm::StartupDone, mainForm.get(), [&mainForm, &designerArguments] {
        QTimer::singleShot(500, mainForm.get(), [&mainForm, &designerArguments] {
          const bool saved = mainForm->grab().save(designerArguments.Screenshot);
          QCoreApplication::exit(saved ? 0 : 1);
        });
      });
    }
    mainForm->show();
    status = app.exec();
  } else {
    if (!StartPlayer()) {
      ResetProject(false);
      return 1;
    }
    // The loop runs while the main page is open; with none (an exit during the start, a failed
    // login, a project without pages) the player ends at once instead of waiting for nothing.
    if (auto mainPage = RunPlayerStart()) status = app.exec();
  }
  FinishRun(arguments);
  return status;
}
