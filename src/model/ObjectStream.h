// Stored form of objects (with their whole subtree and popup menus) and of menu items, the
// clipboard form of copied objects, and the model side of creating new objects.
#pragma once

#include "model/Project.h"

namespace ObjectCodes {
constexpr int MenuItemWrite = 5505, MenuItemRead = 5506;
constexpr int ObjectWrite = 5513, ObjectRead = 5514;
}  // namespace ObjectCodes

inline const QString UnknownObjectTypeText = QStringLiteral("Unknown object type, maybe file version has problem.");

bool WriteMenuItem(TStream& s, const TMenuItem& item);
// Reads into item, or with item null consumes exactly the record and its sub-items.
bool ReadMenuItem(TStream& s, TMenuItem* item);

bool WriteAuObject(TStream& s, const TAuObject& object);
// Reads one object record with its subtree into an existing record (normally fresh from NewAuObject).
bool ReadAuObject(TStream& s, TAuObject& object);
