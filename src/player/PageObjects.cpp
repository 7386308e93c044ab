#include "player/PageObjects.h"

#include <algorithm>

#include "objects/ObjectControl.h"

QString StatusPanelName(int index) {
  return PageObjectNames::StatusPanelPrefix + QString::number(index) + QLatin1Char(']');
}

int StatusPanelIndex(const QString& name, int panelCount) {
  if (!name.startsWith(PageObjectNames::StatusPanelPrefix)) return -1;
  for (int i = 0; i < panelCount; ++i)
    if (StatusPanelName(i) == name) return i;
  return -1;
}

namespace {

bool PathTo(const TAuObject& parent, const TAuObject& object, const QString& prefix, QString& path) {
  for (const auto& child : parent.Objects) {
    const QString candidate =
        prefix.isEmpty() ? child->ObjectName : prefix + PageObjectNames::PathSeparator + child->ObjectName;
    if (child.get() == &object) {
      path = candidate;
      return true;
    }
    if (PathTo(*child, object, candidate, path)) return true;
  }
  return false;
}

PAuObject FindByPath(const TAuObject& object, const QString& prefix, const QString& name) {
  const QString candidate =
      prefix.isEmpty() ? object.ObjectName : prefix + PageObjectNames::PathSeparator + object.ObjectName;
  if (candidate == name) return const_cast<PAuObject>(&object);
  // A path only grows; a candidate that is no beginning of the name cannot lead to it.
  if (!name.startsWith(candidate)) return nullptr;
  for (const auto& child : object.Objects)
    if (PAuObject found = FindByPath(*child, candidate, name)) return found;
  return nullptr;
}

bool AnyNamed(const TAuObject& parent, const QString& name) {
  for (const auto& child : parent.Objects)
    if (child->ObjectName.compare(name, Qt::CaseInsensitive) == 0 || AnyNamed(*child, name)) return true;
  return false;
}

template <class Pred>
void CollectNames(const TAuObject& parent, const QString& prefix, Pred&& wanted, QStringList& names) {
  for (const auto& child : parent.Objects) {
    const QString path =
        prefix.isEmpty() ? child->ObjectName : prefix + PageObjectNames::PathSeparator + child->ObjectName;
    if (wanted(child->ObjectType)) names.append(path);
    CollectNames(*child, path, wanted, names);
  }
}

}  // namespace

QString FullObjectName(const TAuObject& root, const TAuObject& object) {
  QString path;
  PathTo(root, object, QString(), path);
  return path;
}

PAuObject GetAuObjectFromName(const TAuObject& root, const QString& name) {
  for (const auto& top : root.Objects)
    if (PAuObject found = FindByPath(*top, QString(), name)) return found;
  return nullptr;
}

bool IsNewObjectName(const TAuObject& root, const QString& name) { return !AnyNamed(root, name); }

QString GetNewObjectName(const TAuObject& root, TObjectType kind) {
  const QString base = GetObjectTypeName(kind);
  // Among n objects one of the numbers 1 .. n + 1 is always free, so this ends.
  for (int n = 1;; ++n) {
    const QString name = base + QString::number(n);
    if (IsNewObjectName(root, name)) return name;
  }
}

bool IsTextTargetKind(TObjectType kind) {
  switch (kind) {
    case otPanel:
    case otTabSheet:
    case otGroupBox:
    case otStandardButton:
    case otImageButton:
    case otSimpleText:
    case otLabel:
    case otText:
    case otShape:
    case otBalloon:
    case otNote:
    case otMemo:
    case otMultilineText:
      return true;
    default:
      return false;
  }
}

bool IsImageTargetKind(TObjectType kind) { return kind == otImage || kind == otShape; }

void GetTextNames(const TAuObject& root, int statusPanelCount, QStringList& names) {
  CollectNames(root, QString(), IsTextTargetKind, names);
  for (int i = 0; i < statusPanelCount; ++i) names.append(StatusPanelName(i));
}

void GetImageNames(const TAuObject& root, QStringList& names) {
  CollectNames(root, QString(), IsImageTargetKind, names);
}

bool MoveAuObject(TAuObject& parent, int index, int newIndex) {
  const int count = static_cast<int>(parent.Objects.size());
  if (index == newIndex || index < 0 || index >= count || newIndex < 0 || newIndex >= count) return false;
  auto moved = std::move(parent.Objects[index]);
  parent.Objects.erase(parent.Objects.begin() + index);
  parent.Objects.insert(parent.Objects.begin() + newIndex, std::move(moved));
  ReSetObjectsOrder(parent);
  return true;
}

void ReSetObjectsOrder(TAuObject& object) {
  std::stable_partition(object.Objects.begin(), object.Objects.end(), [](const std::unique_ptr<TAuObject>& child) {
    return !TAuControl::IsWindowedKind(child->ObjectType);
  });
  RestackChildren(object);
}
