#include "model/Actions.h"

#include <QBuffer>
#include <cstring>

bool WriteAction(TStream& s, const TAuAction& action) {
  return Guarded(s, ActionCodes::ActionWrite, [&] {
    WriteVersion(s);
    s.WriteEnum(action.Command);
    if (!WriteString(s, action.Param1) || !WriteString(s, action.Param2) || !WriteString(s, action.Param3))
      return false;
    s.WriteBool(action.OptionBool);
    s.WriteInt(action.OptionInt);
    // An empty picture is not worth a record: it reads back as no picture.
    const bool hasPicture = action.Picture && !action.Picture->IsEmpty();
    s.WriteInt(hasPicture ? 1 : 0);
    if (hasPicture && !WritePicture(s, *action.Picture)) return false;
    s.WriteInt(action.Font ? 1 : 0);
    if (action.Font && !WriteFont(s, *action.Font)) return false;
    return WriteActions(s, action.Actions1) && WriteActions(s, action.Actions2);
  });
}

bool ReadAction(TStream& s, TAuAction& action) {
  return Guarded(s, ActionCodes::ActionRead, [&] {
    if (!CheckVersion(s)) return false;
    action.Command = s.ReadEnum<TCommandType>();
    if (!ReadString(s, action.Param1) || !ReadString(s, action.Param2) || !ReadString(s, action.Param3)) return false;
    action.OptionBool = s.ReadBool();
    action.OptionInt = s.ReadInt();
    if (s.ReadInt() <= 0) {
      action.Picture.reset();
    } else {
      if (!action.Picture) action.Picture.emplace();
      if (!ReadPicture(s, *action.Picture)) return false;
      // An empty picture is written as none; keep one meaning for both.
      if (action.Picture->IsEmpty()) action.Picture.reset();
    }
    if (s.ReadInt() <= 0) {
      action.Font.reset();
    } else {
      if (!action.Font) action.Font.emplace();
      if (!ReadFont(s, *action.Font)) return false;
    }
    return ReadActions(s, action.Actions1) && ReadActions(s, action.Actions2);
  });
}

bool WriteActions(TStream& s, const TAuActions& actions) {
  return Guarded(s, ActionCodes::ListWrite, [&] {
    // Refuse to write what no reader would accept back.
    TDepthGuard depth(s);
    if (!depth.Ok()) return false;
    WriteVersion(s);
    s.WriteInt(static_cast<int32_t>(actions.Actions.size()));
    for (const TAuAction& action : actions.Actions)
      if (!WriteAction(s, action)) return false;
    return true;
  });
}

bool ReadActions(TStream& s, TAuActions& actions) {
  ClearActions(actions);
  return Guarded(s, ActionCodes::ListRead, [&] {
    TDepthGuard depth(s);
    if (!depth.Ok()) return false;
    if (!CheckVersion(s)) return false;
    const int32_t n = s.ReadCount(ActionSizes::MinAction);
    actions.Actions.resize(n);
    for (TAuAction& action : actions.Actions)
      if (!ReadAction(s, action)) return false;
    return true;
  });
}

// ---- actions inside a menu item's hint ----

bool ActionsToHint(const QString& name, const TAuActions& actions, QString& hint, TError* error) {
  QByteArray bytes;
  if (!WriteToBytes(bytes, error, [&](TStream& s) {
        return Guarded(s, ActionCodes::HintWrite, [&] { return WriteActions(s, actions); });
      }))
    return false;
  // N code units whose first N bytes are the stream; the second half stays zero and is never read.
  QString part(bytes.size(), QChar(0));
  std::memcpy(part.data(), bytes.constData(), size_t(bytes.size()));
  hint = name + QChar(HintSeparator) + part;
  return true;
}

bool HintToActions(const QString& hint, TAuActions& actions, TError* error) {
  const qsizetype separator = hint.indexOf(QChar(HintSeparator));
  const QString rest = separator < 0 ? hint : hint.mid(separator + 1);
  if (rest.isEmpty()) {
    ClearActions(actions);
    return true;
  }
  QByteArray bytes(reinterpret_cast<const char*>(rest.utf16()), rest.size());
  QBuffer buffer(&bytes);
  buffer.open(QIODevice::ReadOnly);
  TStream s(&buffer);
  const bool ok = Guarded(s, ActionCodes::HintRead, [&] { return ReadActions(s, actions); });
  if (!ok && error) *error = s.Error();
  return ok;
}

QString HintToName(const QString& hint) {
  const qsizetype separator = hint.indexOf(QChar(HintSeparator));
  return separator < 0 ? QString() : hint.left(separator);
}

// ---- clipboard form ----

bool ActionsToClipboardStream(const std::vector<TAuAction>& actions, QByteArray& stream, TError* error) {
  return WriteToBytes(stream, error, [&](TStream& s) {
    return Guarded(s, ActionCodes::ActionWrite, [&] {
      s.WriteInt(static_cast<int32_t>(actions.size()));
      for (const TAuAction& action : actions)
        if (!WriteAction(s, action)) return false;
      return true;
    });
  });
}

bool AppendActionsFromClipboardStream(const QByteArray& stream, TAuActions& target, TError* error) {
  QByteArray bytes = stream;
  QBuffer buffer(&bytes);
  buffer.open(QIODevice::ReadOnly);
  TStream s(&buffer);
  const bool ok = Guarded(s, ActionCodes::ActionRead, [&] {
    const int32_t n = s.ReadCount(ActionSizes::MinAction);
    for (int32_t i = 0; i < n; ++i) {
      TAuAction action;
      if (!ReadAction(s, action)) return false;
      target.Actions.push_back(std::move(action));
    }
    return true;
  });
  if (!ok && error) *error = s.Error();
  return ok;
}
