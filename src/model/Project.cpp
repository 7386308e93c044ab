#include "model/Project.h"

#include "model/Globals.h"
#include "model/PageStream.h"

void ClearActions(TAuActions& actions) {
  // Last first, as the list was built; value semantics release nested lists, pictures and fonts.
  while (!actions.Actions.empty()) actions.Actions.pop_back();
}

std::unique_ptr<TAuObject> NewAuObject() { return std::make_unique<TAuObject>(); }

// The control goes first; the widgets of the children go with it (their records' pointers clear
// themselves), then the child records.
TAuObject::~TAuObject() { delete Control.data(); }

std::unique_ptr<TAuObject> TAuObject::Clone() const {
  auto copy = NewAuObject();
  copy->Props() = Props();
  copy->Payload = Payload ? Payload->Clone() : nullptr;
  copy->Selected = Selected;
  copy->Objects.reserve(Objects.size());
  for (const auto& child : Objects) copy->Objects.push_back(child->Clone());
  return copy;
}

bool TAuObject::SameAs(const TAuObject& o) const {
  if (Props() != o.Props() || Objects.size() != o.Objects.size() || bool(Payload) != bool(o.Payload)) return false;
  if (Payload && !Payload->Equals(*o.Payload)) return false;
  for (size_t i = 0; i < Objects.size(); ++i)
    if (!Objects[i]->SameAs(*o.Objects[i])) return false;
  return true;
}

int TMenuProject::FindForm(const QString& name) const {
  for (size_t i = 0; i < Forms.size(); ++i)
    if (Forms[i]->FormName == name) return static_cast<int>(i);
  return -1;
}

PFormData TMenuProject::FormByName(const QString& name) const {
  const int i = FindForm(name);
  return i < 0 ? nullptr : Forms[i].get();
}

void ResetProject(bool makeDefault) {
  Project = TMenuProject{};
  if (!makeDefault) return;
  auto page = std::make_unique<TFormData>();
  page->FormName = QStringLiteral("Form1");
  page->ObjectInfo = std::make_unique<TObjectInfo>();
  page->ObjectInfo->ObjectName = QStringLiteral("Unknown");
  TPageData content;
  InitForm(content, page->FormName);
  StoreFormData(content, *page);
  Project.Forms.push_back(std::move(page));
  ProjectChanged = true;
}

QString GetNewChildName(const TAuObject* container, TObjectType kind) {
  if (!container) return QStringLiteral("UnknowObject");
  const QString stem = GetObjectTypeName(kind);
  for (int n = 1;; ++n) {
    const QString name = stem + QString::number(n);
    bool taken = false;
    for (const auto& child : container->Objects)
      if (child->ObjectName == name) {
        taken = true;
        break;
      }
    if (!taken) return name;
  }
}

void MakeChildNameUnique(const TAuObject* container, TAuObject& object, bool enabled) {
  if (!enabled || !container) return;
  for (const auto& child : container->Objects)
    if (child.get() != &object && child->ObjectName == object.ObjectName) {
      object.ObjectName = GetNewChildName(container, object.ObjectType);
      return;
    }
}
