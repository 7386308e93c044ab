// Finding a page's objects by name, making names unique, listing the names actions can target and
// keeping the object lists in stacking order. Plain functions over a page's record tree (the page
// panel is the root), shared by the page window and the designer.
#pragma once

#include <QString>
#include <QStringList>

#include "model/Project.h"

namespace PageObjectNames {
// Joins the names of an object's ancestors below the page panel and its own name.
inline const QString PathSeparator = QStringLiteral(" - ");
// A status panel is named as this prefix, its index from 0 and "]".
inline const QString StatusPanelPrefix = QStringLiteral("StatusBar - Panel[");
}  // namespace PageObjectNames

// "StatusBar - Panel[" index "]".
QString StatusPanelName(int index);
// The index of the status panel name among panelCount panels, or -1.
int StatusPanelIndex(const QString& name, int panelCount);

// The full path name of object below root: the names of its ancestors below root and its own,
// outermost first, joined by " - ". Empty when object is not below root.
QString FullObjectName(const TAuObject& root, const TAuObject& object);

// The object below root whose full path name equals name exactly (case-sensitive), or null. The
// first top-level subtree holding a match wins; a matching object's children are not searched.
PAuObject GetAuObjectFromName(const TAuObject& root, const QString& name);

// False when any object below root (not root itself) bears name, ignoring letter case.
bool IsNewObjectName(const TAuObject& root, const QString& name);
// The kind's display name followed by the smallest n ≥ 1 that IsNewObjectName accepts.
QString GetNewObjectName(const TAuObject& root, TObjectType kind);

// Kinds whose text the set-text action changes, and kinds whose picture the set-image action
// changes.
bool IsTextTargetKind(TObjectType kind);
bool IsImageTargetKind(TObjectType kind);

// Appends the full path names of every text target below root, depth first in list order with
// each object before its children, then one name per status panel.
void GetTextNames(const TAuObject& root, int statusPanelCount, QStringList& names);
// Appends the full path names of every image target below root, in the same order.
void GetImageNames(const TAuObject& root, QStringList& names);

// Moves child index of parent to newIndex (the children between shift by one), then restores the
// stacking order. Nothing when the indexes are equal or either is out of range. Returns whether
// it moved.
bool MoveAuObject(TAuObject& parent, int index, int newIndex);
// Puts the children of object of windowless kinds before those of windowed kinds, each group
// keeping its order (windowed controls always paint above windowless ones), and restacks their
// controls when they have any.
void ReSetObjectsOrder(TAuObject& object);
