#include "designer/ProjectOptionsDialog.h"

#include <QFileInfo>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QVBoxLayout>

#include "designer/DesignerIcons.h"
#include "model/Globals.h"
#include "model/Messages.h"
#include "model/Paths.h"

TCDMenuProjectForm::TCDMenuProjectForm(QWidget* parent) : QDialog(parent) {
  setWindowTitle(ProjectOptionsTexts::Caption);
  setObjectName(QStringLiteral("CDMenuProjectForm"));

  auto* heading = new QLabel(ProjectOptionsTexts::Heading, this);
  QFont big = heading->font();
  big.setBold(true);
  big.setPointSizeF(big.pointSizeF() * 1.4);
  heading->setFont(big);

  auto* explanation = new QPlainTextEdit(this);
  explanation->setReadOnly(true);
  explanation->setPlainText(
      QStringLiteral("The project folder holds the project file and every file the menu uses; it becomes the root "
                     "of the disc.\nThe executable file name is the name of the built menu program.\nThe project "
                     "title is the menu's application title, shown in its message boxes."));
  explanation->setMaximumHeight(84);

  // The decoration: the program's picture with its caption.
  auto* picture = new QLabel(this);
  picture->setPixmap(DesignerIcons::AppIcon().pixmap(64, 64));
  picture->setAlignment(Qt::AlignCenter);
  auto* pictureCaption = new QLabel(ProjectOptionsTexts::Picture, this);
  pictureCaption->setAlignment(Qt::AlignCenter);
  auto* decoration = new QVBoxLayout;
  decoration->addWidget(picture);
  decoration->addWidget(pictureCaption);
  decoration->addStretch();

  FolderEdit = new QLineEdit(this);
  FolderEdit->setObjectName(QStringLiteral("FolderEdit"));
  SelectButton = new QPushButton(QStringLiteral("&Select..."), this);
  FileNameEdit = new QLineEdit(QStringLiteral("autorun"), this);
  FileNameEdit->setObjectName(QStringLiteral("FileNameEdit"));
  TitleEdit = new QLineEdit(QStringLiteral("CD Menu"), this);
  TitleEdit->setObjectName(QStringLiteral("TitleEdit"));

  auto* fields = new QGridLayout;
  fields->addWidget(new QLabel(ProjectOptionsTexts::FolderLabel, this), 0, 0, 1, 2);
  fields->addWidget(FolderEdit, 1, 0);
  fields->addWidget(SelectButton, 1, 1);
  fields->addWidget(new QLabel(ProjectOptionsTexts::FileNameLabel, this), 2, 0, 1, 2);
  fields->addWidget(FileNameEdit, 3, 0, 1, 2);
  fields->addWidget(new QLabel(ProjectOptionsTexts::TitleLabel, this), 4, 0, 1, 2);
  fields->addWidget(TitleEdit, 5, 0, 1, 2);

  auto* right = new QVBoxLayout;
  right->addWidget(heading);
  right->addWidget(explanation);
  right->addLayout(fields);

  OKButton = new QPushButton(QStringLiteral("&OK"), this);
  OKButton->setDefault(true);
  CancelButton = new QPushButton(QStringLiteral("&Cancel"), this);
  auto* buttons = new QHBoxLayout;
  buttons->addStretch();
  buttons->addWidget(OKButton);
  buttons->addWidget(CancelButton);
  right->addLayout(buttons);

  auto* layout = new QHBoxLayout(this);
  layout->addLayout(decoration);
  layout->addLayout(right, 1);
  resize(520, sizeHint().height());

  connect(SelectButton, &QPushButton::clicked, this, &TCDMenuProjectForm::SelectClick);
  connect(OKButton, &QPushButton::clicked, this, &TCDMenuProjectForm::OKClick);
  connect(CancelButton, &QPushButton::clicked, this, &QDialog::reject);
}

TProjectOptions TCDMenuProjectForm::Options() const {
  TProjectOptions options;
  options.Folder = FolderEdit->text();
  options.FileName = FileNameEdit->text().trimmed();
  options.Title = TitleEdit->text().trimmed();
  return options;
}

void TCDMenuProjectForm::SelectClick() {
  QString folder;
  if (!SelectProjectFolder(FolderEdit->text(), folder)) return;
  if (QFileInfo::exists(folder + u'/' + DefaultProjectFileName) &&
      ShowMessageBox(ProjectOptionsTexts::OverwriteCaption, ProjectOptionsTexts::Overwrite, TMsgIcon::Question,
                     mbYes | mbNo, mbYes) != mbYes)
    return;
  FolderEdit->setText(folder);
}

void TCDMenuProjectForm::OKClick() {
  const QString folder = FolderEdit->text();
  const auto refuse = [](QLineEdit* field, const QString& caption, const QString& text) {
    ShowMessageBox(caption, text, TMsgIcon::Information);
    field->setFocus();
  };
  if (folder.trimmed().isEmpty())
    return refuse(FolderEdit, ProjectOptionsTexts::FolderCaption, ProjectOptionsTexts::InvalidFolder);
  if (!QFileInfo(folder).isDir())
    return refuse(FolderEdit, ProjectOptionsTexts::FolderCaption, ProjectOptionsTexts::FolderNotFound);
  const QString fileName = FileNameEdit->text().trimmed();
  if (fileName.isEmpty() || !IsValidFileName(fileName))
    return refuse(FileNameEdit, ProjectOptionsTexts::FileNameCaption, ProjectOptionsTexts::InvalidFileName);
  accept();
}
