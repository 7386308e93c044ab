// The one program: the designer when its file is named Menuvia, the player under any other name.
#include <QApplication>
#include <memory>

#include "designer/MainForm.h"
#include "model/Globals.h"
#include "objects/WidgetMessages.h"
#include "player/AutoRunForm.h"
#include "player/Startup.h"
#include "render/PictureDecode.h"

int main(int argc, char* argv[]) {
  QApplication app(argc, argv);
  InitProcessState(QCoreApplication::applicationFilePath());
  InstallGuiMessages();
  InitPictureDecoding();
  RegisterStockFonts();
  const QStringList arguments = QCoreApplication::arguments();

  int status = 0;
  if (IsDesigner) {
    QApplication::setApplicationName(StartupTexts::DesignerTitle);
    ResetProject(true);
    ProjectChanged = false;  // the fresh project counts as unchanged until the first edit
    auto mainForm = std::make_unique<TMainForm>();
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
