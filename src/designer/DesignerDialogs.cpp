#include "designer/DesignerDialogs.h"

#include <QApplication>
#include <QColorDialog>
#include <QDialog>
#include <QDialogButtonBox>
#include <QFileDialog>
#include <QFileInfo>
#include <QFormLayout>
#include <QSpinBox>

#include "designer/ProjectOptionsDialog.h"
#include "model/Globals.h"
#include "model/Paths.h"
#include "render/Colors.h"

namespace {
std::unique_ptr<TDesignerDialogs>& Installed() {
  static std::unique_ptr<TDesignerDialogs> dialogs = std::make_unique<TWidgetDesignerDialogs>();
  return dialogs;
}
}  // namespace

TDesignerDialogs& DesignerDialogs() { return *Installed(); }

std::unique_ptr<TDesignerDialogs> SetDesignerDialogs(std::unique_ptr<TDesignerDialogs> dialogs) {
  auto previous = std::move(Installed());
  Installed() = dialogs ? std::move(dialogs) : std::make_unique<TWidgetDesignerDialogs>();
  return previous;
}

bool TWidgetDesignerDialogs::ChooseFolder(const QString& caption, const QString& startFolder, QString& folder) {
  const QString chosen =
      QFileDialog::getExistingDirectory(QApplication::activeWindow(), caption, startFolder, QFileDialog::ShowDirsOnly);
  if (chosen.isEmpty()) return false;
  folder = chosen;
  return true;
}

bool TWidgetDesignerDialogs::ProjectOptions(TProjectOptions& options) {
  TCDMenuProjectForm form(QApplication::activeWindow());
  if (form.exec() != QDialog::Accepted) return false;
  options = form.Options();
  return true;
}

bool TWidgetDesignerDialogs::GridSize(int& gridX, int& gridY) {
  QDialog dialog(QApplication::activeWindow());
  dialog.setWindowTitle(QStringLiteral("Grid Size"));
  auto* layout = new QFormLayout(&dialog);
  auto* x = new QSpinBox(&dialog);
  auto* y = new QSpinBox(&dialog);
  for (QSpinBox* box : {x, y}) box->setRange(2, 99);
  x->setValue(gridX);
  y->setValue(gridY);
  layout->addRow(QStringLiteral("Grid &Width:"), x);
  layout->addRow(QStringLiteral("Grid &Height:"), y);
  auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, &dialog);
  QObject::connect(buttons, &QDialogButtonBox::accepted, &dialog, &QDialog::accept);
  QObject::connect(buttons, &QDialogButtonBox::rejected, &dialog, &QDialog::reject);
  layout->addRow(buttons);
  if (dialog.exec() != QDialog::Accepted || (x->value() == gridX && y->value() == gridY)) return false;
  gridX = x->value();
  gridY = y->value();
  return true;
}

bool TWidgetDesignerDialogs::SelectColor(TColor& color) {
  const QColor chosen = QColorDialog::getColor(ToQColor(color), QApplication::activeWindow());
  if (!chosen.isValid()) return false;
  const TColor value = RGBToColor(chosen.rgb());
  if (value == color) return false;
  color = value;
  return true;
}

QString ProjectFolderStart(const QString& folder) {
  if (!folder.isEmpty() && QFileInfo(folder).isDir()) return folder;
  if (MyDocumentsFolder.isEmpty()) return {};
  for (const QString& below : {FolderTexts::CdromFolder, FolderTexts::ProjectsFolder})
    if (QFileInfo(MyDocumentsFolder + below).isDir()) return MyDocumentsFolder + below;
  return {};
}

bool SelectProjectFolder(const QString& folder, QString& chosen) {
  QString picked;
  if (!DesignerDialogs().ChooseFolder(FolderTexts::SelectProjectFolder, ProjectFolderStart(folder), picked) ||
      picked.isEmpty())
    return false;
  chosen = ExcludeTrailingDelimiter(picked);
  return true;
}
