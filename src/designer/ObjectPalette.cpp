#include "designer/ObjectPalette.h"

#include <QAction>
#include <QActionGroup>
#include <QToolBar>

#include "designer/DesignerIcons.h"

void TObjectPalette::Build(QToolBar* bar, QActionGroup* group) {
  FGroup = group;
  group->setExclusive(true);
  FSelect = bar->addAction(DesignerIcons::ToolIcon(DesignerIcons::TTool::Select), QStringLiteral("Select"));
  FSelect->setObjectName(QStringLiteral("ToolButton_Select"));
  FSelect->setCheckable(true);
  FSelect->setChecked(true);
  FSelect->setData(-1);
  group->addAction(FSelect);
  for (const TPaletteButton& button : PaletteButtons) {
    const QString hint = QString::fromLatin1(button.Hint);
    QAction* a = bar->addAction(DesignerIcons::TreeImage(GetObjectImageIndex(button.Kind)), hint);
    a->setObjectName(QString::fromLatin1(button.Name));
    a->setToolTip(hint);
    a->setStatusTip(hint);
    a->setCheckable(true);
    a->setData(static_cast<int>(button.Kind));
    group->addAction(a);
  }
}

QAction* TObjectPalette::Button(TObjectType kind) const {
  if (!FGroup) return nullptr;
  for (QAction* a : FGroup->actions())
    if (a->data().toInt() == static_cast<int>(kind) && a != FSelect) return a;
  return nullptr;
}

int TObjectPalette::ArmedKind() const {
  QAction* checked = FGroup ? FGroup->checkedAction() : nullptr;
  return checked ? checked->data().toInt() : -1;
}

void TObjectPalette::PutSelectDown() {
  if (FSelect) FSelect->setChecked(true);
}
