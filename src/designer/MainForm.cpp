#include "designer/MainForm.h"

#include <QLabel>

#include "player/Startup.h"

TMainForm::TMainForm(QWidget* parent) : QMainWindow(parent) {
  setWindowTitle(StartupTexts::DesignerTitle);
  setObjectName(QStringLiteral("MainForm"));
  resize(1024, 720);
}
