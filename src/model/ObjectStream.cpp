#include "model/ObjectStream.h"

#include <QBuffer>
#include <algorithm>
#include <array>
#include <limits>

#include "model/Actions.h"

bool IsContainerKind(TObjectType kind) {
  return kind == otPanel || kind == otTabSheet || kind == otGroupBox || kind == otScrollBox;
}

bool CanHoldChild(TObjectType parentKind, TObjectType childKind) {
  if (parentKind == otTabNotebook) return childKind == otTabSheet;
  return childKind != otTabSheet;
}

namespace {
bool IsKnownKind(TObjectType kind) { return int(kind) < ObjectTypeCount; }

// The six event lists in stream order.
template <class Object>
auto EventLists(Object& o) {
  return std::array{&o.OnClickActions, &o.OnDblClickActions,  &o.OnEnterActions,
                    &o.OnLeaveActions, &o.OnMouseDownActions, &o.OnMouseUpActions};
}
}  // namespace

// ---- menu items ----

bool WriteMenuItem(TStream& s, const TMenuItem& item) {
  return Guarded(s, ObjectCodes::MenuItemWrite, [&] {
    TDepthGuard depth(s);
    if (!depth.Ok()) return false;
    WriteVersion(s);
    if (!WriteString(s, item.Caption) || !WriteString(s, item.Hint)) return false;
    s.Write<TShortCut>(item.ShortCut);
    s.WriteBool(item.RadioItem);
    s.WriteByte(item.GroupIndex);
    s.WriteBool(item.Enabled);
    s.WriteBool(item.Default);
    s.WriteBool(item.Checked);
    s.WriteBool(item.AutoCheck);
    s.WriteBool(item.Visible);
    // The bitmap is kept in the graphic form it was given; an empty one is written as no picture.
    if (!WritePicture(s, item.Bitmap)) return false;
    s.WriteInt(static_cast<int32_t>(item.Items.size()));
    for (const TMenuItem& sub : item.Items)
      if (!WriteMenuItem(s, sub)) return false;
    return true;
  });
}

bool ReadMenuItem(TStream& s, TMenuItem* item) {
  return Guarded(s, ObjectCodes::MenuItemRead, [&] {
    TDepthGuard depth(s);
    if (!depth.Ok()) return false;
    if (!CheckVersion(s)) return false;
    TMenuItem v;
    v.Caption = ReadStringOrAbort(s);
    v.Hint = ReadStringOrAbort(s);
    v.ShortCut = s.Read<TShortCut>();
    v.RadioItem = s.ReadBool();
    v.GroupIndex = s.ReadByte();
    v.Enabled = s.ReadBool();
    v.Default = s.ReadBool();
    v.Checked = s.ReadBool();
    v.AutoCheck = s.ReadBool();
    v.Visible = s.ReadBool();
    if (!ReadPicture(s, v.Bitmap)) return false;
    if (item) {
      item->Caption = std::move(v.Caption);
      item->Hint = std::move(v.Hint);
      item->ShortCut = v.ShortCut;
      item->RadioItem = v.RadioItem;
      item->GroupIndex = v.GroupIndex;
      item->Enabled = v.Enabled;
      item->Default = v.Default;
      item->Checked = v.Checked;
      item->AutoCheck = v.AutoCheck;
      item->Visible = v.Visible;
      item->Bitmap = std::move(v.Bitmap);
      item->Items.clear();
    }
    const int32_t n = s.ReadCount(ObjectSizes::MinMenuItem);
    for (int32_t i = 0; i < n; ++i) {
      TMenuItem* sub = nullptr;
      if (item) sub = &item->Items.emplace_back();
      if (!ReadMenuItem(s, sub)) return false;
    }
    return true;
  });
}

// ---- objects ----

bool WriteAuObject(TStream& s, const TAuObject& object, std::optional<TObjectType> parentKind) {
  return Guarded(s, ObjectCodes::ObjectWrite, [&] {
    TDepthGuard depth(s);
    if (!depth.Ok()) return false;
    WriteVersion(s);
    if (!WriteString(s, object.ObjectName) || !WriteString(s, object.Hint)) return false;
    s.WriteEnum(object.ObjectType);
    s.WriteBool(object.Enable);
    s.WriteBool(object.Visible);
    s.WriteEnum(object.Align);
    s.WriteBool(object.Locked);
    s.WriteBool(object.MoveHandle);
    s.Write<TCursor>(object.Cursor);
    s.WriteInt(object.Left);
    s.WriteInt(object.Top);
    s.WriteInt(object.Width);
    s.WriteInt(object.Height);
    for (const TAuActions* list : EventLists(object))
      if (!WriteActions(s, *list)) return false;
    s.WriteInt(static_cast<int32_t>(object.PopupMenu.size()));
    for (const TMenuItem& item : object.PopupMenu)
      if (!WriteMenuItem(s, item)) return false;
    if (!IsKnownKind(object.ObjectType)) {
      s.Fail(TError::Plain(UnknownObjectTypeText));
      return false;
    }
    // A tree no reader would accept back, or a payload of another kind, is refused here rather
    // than written.
    if (parentKind && !CanHoldChild(*parentKind, object.ObjectType)) return false;
    if (!object.Payload || object.Payload->Kind() != object.ObjectType) return false;
    if (!object.Payload->Write(s)) return false;
    s.WriteInt(static_cast<int32_t>(object.Objects.size()));
    for (const auto& child : object.Objects)
      if (!WriteAuObject(s, *child, object.ObjectType)) return false;
    return true;
  });
}

bool ReadAuObject(TStream& s, TAuObject& object, std::optional<TObjectType> parentKind) {
  return Guarded(s, ObjectCodes::ObjectRead, [&] {
    TDepthGuard depth(s);
    if (!depth.Ok()) return false;
    if (!CheckVersion(s)) return false;
    object.ObjectName = ReadStringOrAbort(s);
    object.Hint = ReadStringOrAbort(s);
    object.ObjectType = s.ReadEnum<TObjectType>();
    object.Enable = s.ReadBool();
    object.Visible = s.ReadBool();
    object.Align = s.ReadEnum<TAlign>();
    object.Locked = s.ReadBool();
    object.MoveHandle = s.ReadBool();
    object.Cursor = s.Read<TCursor>();
    object.Left = s.ReadInt();
    object.Top = s.ReadInt();
    object.Width = s.ReadInt();
    object.Height = s.ReadInt();
    for (TAuActions* list : EventLists(object))
      if (!ReadActions(s, *list)) return false;

    const int32_t popupCount = s.ReadCount(ObjectSizes::MinMenuItem);
    object.PopupMenu.clear();
    for (int32_t i = 0; i < popupCount; ++i)
      if (!ReadMenuItem(s, &object.PopupMenu.emplace_back())) return false;

    object.Objects.clear();
    object.Payload.reset();
    if (!IsKnownKind(object.ObjectType) || (parentKind && !CanHoldChild(*parentKind, object.ObjectType))) {
      s.Fail(TError::Plain(UnknownObjectTypeText));
      return false;
    }
    object.Payload = NewPayload(object.ObjectType);
    if (!object.Payload || !object.Payload->Read(s)) return false;

    const int32_t childCount = s.ReadCount(ObjectSizes::MinObject);
    object.Objects.reserve(childCount);
    for (int32_t i = 0; i < childCount; ++i) {
      auto child = NewAuObject();
      if (!ReadAuObject(s, *child, object.ObjectType)) return false;
      object.Objects.push_back(std::move(child));
    }
    return true;
  });
}

// ---- new objects ----

std::unique_ptr<TAuObject> NewAuObject(TObjectType kind, const QString& name) {
  auto payload = NewPayload(kind);
  if (!payload) return nullptr;
  auto object = NewAuObject();
  object->ObjectType = kind;
  object->ObjectName = name;
  const QSize size = payload->DefaultSize();
  object->Width = size.width();
  object->Height = size.height();
  object->Payload = std::move(payload);
  return object;
}

int SnapToGrid(int value, int grid) {
  if (grid <= 0) return value;
  return ((grid / 2) + value) / grid * grid;
}

PAuObject AddNewObject(TAuObject& container, TObjectType kind, int x, int y, bool snapToGrid, int gridX, int gridY) {
  const bool holds = IsContainerKind(container.ObjectType) || container.ObjectType == otTabNotebook;
  if (!holds || !CanHoldChild(container.ObjectType, kind)) return nullptr;
  auto object = NewAuObject(kind, GetNewChildName(&container, kind));
  if (!object) return nullptr;
  if (snapToGrid) {
    x = SnapToGrid(x, gridX);
    y = SnapToGrid(y, gridY);
  }
  object->Left = x;
  object->Top = y;
  object->Payload->SetFirstText(object->ObjectName);
  container.Objects.push_back(std::move(object));
  return container.Objects.back().get();
}

// ---- clipboard form ----

std::vector<const TAuObject*> ObjectsToCopy(const TAuObject& container) {
  std::vector<const TAuObject*> objects;
  for (const auto& child : container.Objects)
    if (child->Selected && child->ObjectType != otTabSheet) objects.push_back(child.get());
  return objects;
}

bool WriteObjectsClipboardStream(const std::vector<const TAuObject*>& objects, QByteArray& stream, TError* error) {
  return WriteToBytes(stream, error, [&](TStream& s) {
    return Guarded(s, ObjectCodes::ObjectWrite, [&] {
      s.WriteInt(static_cast<int32_t>(objects.size()));
      for (const TAuObject* object : objects)
        if (!object || !WriteAuObject(s, *object)) return false;
      return true;
    });
  });
}

bool CopyObjectsToClipboardStream(const TAuObject& container, QByteArray& stream, TError* error) {
  const auto objects = ObjectsToCopy(container);
  if (objects.empty()) return false;
  return WriteObjectsClipboardStream(objects, stream, error);
}

bool PasteObjectsFromClipboardStream(TAuObject& container, const QByteArray& stream, int dx, int dy, QSize bounds,
                                     std::vector<PAuObject>* pasted, TError* error) {
  QByteArray bytes = stream;
  QBuffer buffer(&bytes);
  buffer.open(QIODevice::ReadOnly);
  TStream s(&buffer);
  const bool ok = Guarded(s, ObjectCodes::ObjectRead, [&] {
    const int32_t n = s.ReadCount(ObjectSizes::MinObject);
    for (int32_t i = 0; i < n; ++i) {
      auto object = NewAuObject();
      if (!ReadAuObject(s, *object, container.ObjectType)) return false;
      MakeChildNameUnique(&container, *object, true);
      // In 64 bits: stored bounds may be anything a file holds.
      qint64 left = qint64(object->Left) + dx;
      qint64 top = qint64(object->Top) + dy;
      if (bounds.isValid()) {
        left = std::min(left, qint64(bounds.width()) - object->Width);
        top = std::min(top, qint64(bounds.height()) - object->Height);
      }
      constexpr qint64 maxInt = std::numeric_limits<int32_t>::max();
      object->Left = int32_t(std::clamp<qint64>(left, 0, maxInt));
      object->Top = int32_t(std::clamp<qint64>(top, 0, maxInt));
      container.Objects.push_back(std::move(object));
      if (pasted) pasted->push_back(container.Objects.back().get());
    }
    return true;
  });
  if (!ok && error) *error = s.Error();
  return ok;
}
