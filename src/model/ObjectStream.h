// Stored form of objects (with their whole subtree and popup menus) and of menu items, the
// clipboard form of copied objects, and the model side of creating new objects.
#pragma once

#include <QByteArray>
#include <QSize>
#include <optional>
#include <vector>

#include "model/Project.h"

namespace ObjectCodes {
constexpr int MenuItemWrite = 5505, MenuItemRead = 5506;
constexpr int ObjectWrite = 5513, ObjectRead = 5514;
}  // namespace ObjectCodes

// The smallest stored sizes, used to check counts against the bytes left before allocating.
namespace ObjectSizes {
constexpr qint64 MinMenuItem = 29;  // empty strings, no bitmap, no sub-items
constexpr qint64 MinObject = 92;    // empty strings and lists, no popup, empty payload, no children
}  // namespace ObjectSizes

inline const QString UnknownObjectTypeText = QStringLiteral("Unknown object type, maybe file version has problem.");

// Kinds that hold objects of any kind except tab sheets.
bool IsContainerKind(TObjectType kind);
// Whether a child of childKind may sit directly in an object of parentKind: a tab notebook holds
// tab sheets only, and a tab sheet lives only in a tab notebook.
bool CanHoldChild(TObjectType parentKind, TObjectType childKind);

bool WriteMenuItem(TStream& s, const TMenuItem& item);
// Reads into item (replacing its sub-items), or with item null consumes exactly the record and its
// sub-items at every depth.
bool ReadMenuItem(TStream& s, TMenuItem* item);

// Writes one object with its popup menu, payload and subtree. parentKind, when given, is checked
// against the object's kind (CanHoldChild); children are always checked against their parent.
bool WriteAuObject(TStream& s, const TAuObject& object, std::optional<TObjectType> parentKind = std::nullopt);
// Reads one object record with its subtree into an existing record (normally fresh from NewAuObject),
// replacing its action lists, popup menu, payload and children. A kind outside the table, or one that
// cannot sit in parentKind, fails with UnknownObjectTypeText.
bool ReadAuObject(TStream& s, TAuObject& object, std::optional<TObjectType> parentKind = std::nullopt);

// A new record of a kind: the common defaults, the kind's payload and its default size. Null when
// the kind has no payload.
std::unique_ptr<TAuObject> NewAuObject(TObjectType kind, const QString& name = QString());

// Grid snapping of the designer: the nearest multiple of grid, halves rounding up (integer division
// truncating toward zero). A grid ≤ 0 leaves the value.
int SnapToGrid(int value, int grid);

// Adds a new object of kind to container at (x, y), snapped to the grid when asked, named with
// GetNewChildName and showing its name as its first text. Null when the container cannot hold the
// kind or the kind has no payload.
PAuObject AddNewObject(TAuObject& container, TObjectType kind, int x, int y, bool snapToGrid = false, int gridX = 8,
                       int gridY = 8);

// ---- clipboard form: a count and that many object records ----

// The objects a copy takes: the selected direct children in order, never tab sheets.
std::vector<const TAuObject*> ObjectsToCopy(const TAuObject& container);
bool WriteObjectsClipboardStream(const std::vector<const TAuObject*>& objects, QByteArray& stream,
                                 TError* error = nullptr);
// Copies the selected children of container; false with no error when nothing is selected, false with
// error when a write fails (stream left unchanged).
bool CopyObjectsToClipboardStream(const TAuObject& container, QByteArray& stream, TError* error = nullptr);

// Reads the copied objects into container: each object is renamed when its name is taken
// (MakeChildNameUnique), moved by (dx, dy), pulled back so that it does not pass bounds (when bounds
// is valid), kept at non-negative coordinates, and appended. A failing record ends the paste, leaving
// the objects appended before it. pasted, when given, receives the appended objects.
bool PasteObjectsFromClipboardStream(TAuObject& container, const QByteArray& stream, int dx, int dy, QSize bounds = {},
                                     std::vector<PAuObject>* pasted = nullptr, TError* error = nullptr);
