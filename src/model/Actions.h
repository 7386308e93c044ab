// Stored forms of actions and action lists, the hint encoding of menu-item actions, and the
// clipboard form of copied actions.
#pragma once

#include <QByteArray>
#include <vector>

#include "model/Project.h"

namespace ActionCodes {
constexpr int HintWrite = 5501, HintRead = 5502;
constexpr int ActionWrite = 5509, ActionRead = 5510;
constexpr int ListWrite = 5511, ListRead = 5512;
}  // namespace ActionCodes

// The smallest stored sizes, used to check counts against the bytes left before allocating.
namespace ActionSizes {
constexpr qint64 MinAction = 46;  // empty strings, no picture, no font, two empty lists
constexpr qint64 MinList = 8;     // version word and a zero count
}  // namespace ActionSizes

// The character between a menu item's name and its encoded click actions.
constexpr char16_t HintSeparator = u'\x01';

bool WriteAction(TStream& s, const TAuAction& action);
// Reads into an existing record; its picture, font and nested lists are replaced.
bool ReadAction(TStream& s, TAuAction& action);
bool WriteActions(TStream& s, const TAuActions& actions);
// Releases what the list holds, then reads. On failure the list keeps every record of the stored
// count; those after the failing one keep their empty values.
bool ReadActions(TStream& s, TAuActions& actions);

// Name, the separator and the action-list stream carried in the storage of the text after it.
bool ActionsToHint(const QString& name, const TAuActions& actions, QString& hint, TError* error = nullptr);
bool HintToActions(const QString& hint, TAuActions& actions, TError* error = nullptr);
// The text before the separator; empty when there is none.
QString HintToName(const QString& hint);

// Clipboard form: a count and that many action records, no version word.
bool ActionsToClipboardStream(const std::vector<TAuAction>& actions, QByteArray& stream, TError* error = nullptr);
// Appends the pasted actions to target; a failing record ends the paste (not appended), keeping
// the actions appended before it.
bool AppendActionsFromClipboardStream(const QByteArray& stream, TAuActions& target, TError* error = nullptr);
