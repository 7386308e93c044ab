// The Edit menu's commands on the objects of the loaded page (cut, copy, paste, delete, alignment,
// grid alignment, stacking, keyboard move and resize) and the insertion of new objects. Each
// change is applied to the records and their controls, then pushed as one undo step; nothing
// here touches the designer's windows.
//
// The selection a command acts on: the selected children of the primary object's container (the
// page panel for a top-level object).
#pragma once

#include <QPoint>
#include <QString>
#include <vector>

#include "designer/DesignerState.h"
#include "designer/SurfaceLogic.h"

namespace SurfaceTexts {
inline const QString SplitterParent = QStringLiteral(
    "Form or Panel object can not be container (parent) for Splitter object, please try to add the Splitter to the "
    "ScrollBox, GroupBox or TabSheet object.");
inline const QString SplitterCaption = QStringLiteral("Add Splitter Object");
inline const QString Insert = QStringLiteral("Add %1");
inline const QString NewTabSheet = QStringLiteral("New TabSheet");
inline const QString Cut = QStringLiteral("Cut");
inline const QString Delete = QStringLiteral("Delete");
inline const QString Paste = QStringLiteral("Paste");
inline const QString Move = QStringLiteral("Move");
inline const QString Resize = QStringLiteral("Resize");
inline const QString Align = QStringLiteral("Align");
inline const QString AlignToGrid = QStringLiteral("Align to Grid");
inline const QString BringToFront = QStringLiteral("Bring to Front");
inline const QString SendToBack = QStringLiteral("Send to Back");
}  // namespace SurfaceTexts

// The cascade of pasted objects: the left-most left and top-most top of the objects last copied,
// and the offset of the next paste (8 after a copy, 8 more after every paste, 0 before any copy).
struct TPasteOffsets {
  int PasteXOff = 0;
  int PasteYOff = 0;
  int PasteOff = 0;
};

namespace SurfaceCommands {

// The loaded page's panel, or null.
TAuObject* PageRoot(TDesignerState& state);
// The container whose selected children the commands act on.
TAuObject& SelectionContainer(TAuObject& root, const TAuObject* primary);
std::vector<TAuObject*> SelectedChildren(TAuObject& container);

// One object of kind at point (surface coordinates) in the container under it. Null with no
// object made; splitterRefused is set when a splitter was asked for on a panel or the page.
TAuObject* InsertObject(TDesignerState& state, TObjectType kind, QPoint point, const Surface::TGrid& grid,
                        bool* splitterRefused = nullptr);
// A new sheet in the primary object's notebook (the primary object or its parent).
TAuObject* AddTabSheet(TDesignerState& state, TAuObject& primary);

bool DeleteSelection(TDesignerState& state, const TAuObject& primary, const QString& text = SurfaceTexts::Delete);
// Copies the selection to the clipboard; false with nothing copied (no selection, a failed write).
bool CopySelection(TDesignerState& state, const TAuObject& primary, TPasteOffsets& offsets);
bool CutSelection(TDesignerState& state, const TAuObject& primary, TPasteOffsets& offsets);
// Pastes into the page (primary null), the primary container or the primary object's container.
// The pasted objects are the selection afterwards.
std::vector<TAuObject*> PasteObjects(TDesignerState& state, TAuObject* primary, TPasteOffsets& offsets);

bool BringToFront(TDesignerState& state, TAuObject& primary);
bool SendToBack(TDesignerState& state, TAuObject& primary);

// Alignment id 0 left, 1 right, 2 centre, 3 top, 4 bottom, 5 middle, to the primary object.
bool AlignSelectedObjects(TDesignerState& state, const TAuObject& primary, int id);
bool AlignToGrid(TDesignerState& state, const TAuObject& primary, const Surface::TGrid& grid);
bool MoveSelectedObject(TDesignerState& state, const TAuObject& primary, int dx, int dy);
bool ResizeSelectedObject(TDesignerState& state, const TAuObject& primary, int dx, int dy);

// One undo step for a gesture that already moved or sized objects: changes holds their bounds
// from before. False when nothing ended where it began.
bool PushGesture(TDesignerState& state, const std::vector<Surface::TGesture::TChange>& changes, bool resize);

}  // namespace SurfaceCommands
