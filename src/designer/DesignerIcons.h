// The designer's pictures, drawn in code: the program's icon, the tree image list (slots as the
// tree uses them) and the toolbar buttons.
#pragma once

#include <QIcon>

#include "model/Types.h"

namespace DesignerIcons {

// Tree image slots: the root and pages, unchanged and changed.
constexpr int RootImage = 0, RootChangedImage = 1, PageImage = 2, PageChangedImage = 3;

// The program's icon.
QIcon AppIcon();
// The picture of a tree image slot; a null icon for a slot without one.
QIcon TreeImage(int slot);

enum class TTool {
  NewProject,
  Open,
  Save,
  Build,
  Run,
  Publish,
  Copy,
  Paste,
  AddForm,
  LoadTemplate,
  PreviewForm,
  Undo,
  Redo,
  Select,
};
QIcon ToolIcon(TTool tool);

}  // namespace DesignerIcons

// The tree image slot of an object kind; -1 for a value outside the kind table.
int GetObjectImageIndex(TObjectType kind);
