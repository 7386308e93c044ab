// Stored forms of actions and action lists, the hint encoding of menu-item actions, and the
// clipboard form of copied actions.
#pragma once

#include "model/Project.h"

namespace ActionCodes {
constexpr int HintWrite = 5501, HintRead = 5502;
constexpr int ActionWrite = 5509, ActionRead = 5510;
constexpr int ListWrite = 5511, ListRead = 5512;
}  // namespace ActionCodes

bool WriteAction(TStream& s, const TAuAction& action);
bool ReadAction(TStream& s, TAuAction& action);
bool WriteActions(TStream& s, const TAuActions& actions);
bool ReadActions(TStream& s, TAuActions& actions);

bool ActionsToHint(const QString& name, const TAuActions& actions, QString& hint);
bool HintToActions(const QString& hint, TAuActions& actions, TError* error = nullptr);
QString HintToName(const QString& hint);

// Clipboard form: a count and that many action records, no version word.
QByteArray ActionsToClipboardStream(const std::vector<TAuAction>& actions);
// Appends the pasted actions to target; false (keeping what was read) when a record fails.
bool AppendActionsFromClipboardStream(const QByteArray& stream, TAuActions& target, TError* error = nullptr);
