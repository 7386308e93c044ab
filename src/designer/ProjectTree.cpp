#include "designer/ProjectTree.h"

#include <QHeaderView>

#include "designer/DesignerIcons.h"
#include "model/Globals.h"

namespace {
void SaveExpanded(QTreeWidgetItem* item, std::vector<std::pair<std::vector<int>, bool>>& states,
                  std::vector<int>& path) {
  states.emplace_back(path, item->isExpanded());
  for (int i = 0; i < item->childCount(); ++i) {
    path.push_back(i);
    SaveExpanded(item->child(i), states, path);
    path.pop_back();
  }
}
}  // namespace

TProjectTree::TProjectTree(QWidget* parent) : QTreeWidget(parent) {
  setObjectName(QStringLiteral("TreeView1"));
  setHeaderHidden(true);
  setColumnCount(1);
  setSelectionMode(QAbstractItemView::SingleSelection);
  setEditTriggers(QAbstractItemView::NoEditTriggers);
  setIconSize(QSize(16, 16));
  setUniformRowHeights(true);
  header()->setStretchLastSection(true);
}

// ---- building ----

void TProjectTree::ClearAll() { clear(); }

void TProjectTree::Build() {
  clear();
  auto* root = new QTreeWidgetItem(this, QStringList(QStringLiteral("Project")));
  SetImage(root, DesignerIcons::RootImage);
  for (const auto& form : Project.Forms) {
    QTreeWidgetItem* page = NewPageItem(form.get());
    root->addChild(page);
    ShowOutline(page, form->ObjectInfo.get());
  }
  root->setExpanded(true);
  UpdateTreeNodeTexts();
}

QTreeWidgetItem* TProjectTree::NewPageItem(TFormData* entry) {
  auto* page = new QTreeWidgetItem(QStringList(entry->FormName));
  page->setData(0, Qt::UserRole, QVariant::fromValue(reinterpret_cast<quintptr>(entry)));
  SetImage(page, DesignerIcons::PageImage);
  return page;
}

void TProjectTree::ShowOutline(QTreeWidgetItem* pageItem, const TObjectInfo* outline) {
  const bool expanded = pageItem->isExpanded();
  qDeleteAll(pageItem->takeChildren());
  const auto add = [](const auto& self, QTreeWidgetItem* parent, const TObjectInfo& info) -> void {
    for (const auto& child : info.Objects) {
      auto* item = new QTreeWidgetItem(parent, QStringList(child->ObjectName));
      SetImage(item, GetObjectImageIndex(child->ObjectType));
      self(self, item, *child);
    }
  };
  if (outline) add(add, pageItem, *outline);
  pageItem->setExpanded(expanded);
}

// ---- nodes ----

QTreeWidgetItem* TProjectTree::PageItem(const TFormData* entry) const {
  QTreeWidgetItem* root = RootItem();
  if (!root || !entry) return nullptr;
  for (int i = 0; i < root->childCount(); ++i)
    if (PageOf(root->child(i)) == entry) return root->child(i);
  return nullptr;
}

QTreeWidgetItem* TProjectTree::ObjectItem(const TAuObject* object) const {
  QTreeWidgetItem* root = RootItem();
  if (!root || !object) return nullptr;
  const auto find = [&](const auto& self, QTreeWidgetItem* item) -> QTreeWidgetItem* {
    for (int i = 0; i < item->childCount(); ++i) {
      QTreeWidgetItem* child = item->child(i);
      if (ObjectOf(child) == object) return child;
      if (QTreeWidgetItem* found = self(self, child)) return found;
    }
    return nullptr;
  };
  for (int i = 0; i < root->childCount(); ++i) {
    QTreeWidgetItem* page = root->child(i);
    // Only the loaded page's nodes carry records.
    if (page->childCount() && !ObjectOf(page->child(0))) continue;
    if (QTreeWidgetItem* found = find(find, page)) return found;
  }
  return nullptr;
}

int TProjectTree::Level(const QTreeWidgetItem* item) {
  if (!item) return -1;
  int level = 0;
  for (const QTreeWidgetItem* p = item->parent(); p; p = p->parent()) ++level;
  return level;
}

QTreeWidgetItem* TProjectTree::PageNodeOf(QTreeWidgetItem* item) {
  if (Level(item) < 1) return nullptr;
  while (Level(item) > 1) item = item->parent();
  return item;
}

TFormData* TProjectTree::PageOf(const QTreeWidgetItem* item) {
  if (Level(item) != 1) return nullptr;
  return reinterpret_cast<TFormData*>(item->data(0, Qt::UserRole).value<quintptr>());
}

TAuObject* TProjectTree::ObjectOf(const QTreeWidgetItem* item) {
  if (Level(item) < 2) return nullptr;
  return reinterpret_cast<TAuObject*>(item->data(0, Qt::UserRole).value<quintptr>());
}

std::vector<int> TProjectTree::PathBelowPage(const QTreeWidgetItem* item) {
  std::vector<int> path;
  for (; Level(item) > 1; item = item->parent())
    path.insert(path.begin(), item->parent()->indexOfChild(const_cast<QTreeWidgetItem*>(item)));
  return path;
}

QTreeWidgetItem* TProjectTree::ItemAtPath(QTreeWidgetItem* pageItem, const std::vector<int>& path) {
  QTreeWidgetItem* item = pageItem;
  for (int i : path) {
    if (!item || i < 0 || i >= item->childCount()) return nullptr;
    item = item->child(i);
  }
  return item;
}

int TProjectTree::ImageSlot(const QTreeWidgetItem* item) { return item ? item->data(0, ImageSlotRole).toInt() : -1; }

void TProjectTree::SetImage(QTreeWidgetItem* item, int slot) {
  if (item->data(0, ImageSlotRole).isValid() && item->data(0, ImageSlotRole).toInt() == slot) return;
  item->setData(0, ImageSlotRole, slot);
  item->setIcon(0, DesignerIcons::TreeImage(slot));
}

void TProjectTree::LinkObject(QTreeWidgetItem* item, TAuObject* object) {
  item->setData(0, Qt::UserRole, QVariant::fromValue(reinterpret_cast<quintptr>(object)));
}

// ---- pages ----

void TProjectTree::InsertPageNode(TFormData* entry, int index) {
  QTreeWidgetItem* root = RootItem();
  if (!root) return;
  QTreeWidgetItem* page = NewPageItem(entry);
  root->insertChild(std::clamp(index, 0, root->childCount()), page);
  ShowOutline(page, entry->ObjectInfo.get());
}

void TProjectTree::RemovePageNode(const TFormData* entry) { delete PageItem(entry); }

void TProjectTree::MovePageNode(int from, int to) {
  QTreeWidgetItem* root = RootItem();
  if (!root || from < 0 || from >= root->childCount() || to < 0 || to >= root->childCount() || from == to) return;
  // Taking a node out forgets which of its nodes were open.
  std::vector<std::pair<std::vector<int>, bool>> expanded;
  std::vector<int> path;
  SaveExpanded(root->child(from), expanded, path);
  QTreeWidgetItem* page = root->takeChild(from);
  root->insertChild(to, page);
  for (const auto& [at, open] : expanded)
    if (QTreeWidgetItem* item = ItemAtPath(page, at)) item->setExpanded(open);
}

void TProjectTree::UnlinkObjects(QTreeWidgetItem* pageItem) {
  if (!pageItem) return;
  const auto unlink = [](const auto& self, QTreeWidgetItem* item) -> void {
    for (int i = 0; i < item->childCount(); ++i) {
      LinkObject(item->child(i), nullptr);
      self(self, item->child(i));
    }
  };
  unlink(unlink, pageItem);
}

// ---- objects of the loaded page ----

void TProjectTree::ShowAuObjectSubTreeNode(QTreeWidgetItem* node, TAuObject& object) {
  const int count = static_cast<int>(object.Objects.size());
  while (node->childCount() > count) delete node->child(node->childCount() - 1);
  while (node->childCount() < count) new QTreeWidgetItem(node);
  for (int i = 0; i < count; ++i) {
    TAuObject& child = *object.Objects[i];
    QTreeWidgetItem* item = node->child(i);
    LinkObject(item, &child);
    item->setText(0, child.ObjectName);
    SetImage(item, GetObjectImageIndex(child.ObjectType));
    ShowAuObjectSubTreeNode(item, child);
  }
}

QTreeWidgetItem* TProjectTree::AddObjectTreeNode(QTreeWidgetItem* parent, TAuObject& object) {
  auto* item = new QTreeWidgetItem(parent, QStringList(object.ObjectName));
  LinkObject(item, &object);
  SetImage(item, GetObjectImageIndex(object.ObjectType));
  for (auto& child : object.Objects) AddObjectTreeNode(item, *child);
  return item;
}

void TProjectTree::ReRangeTreeNode(QTreeWidgetItem* node, TAuObject& object) {
  setUpdatesEnabled(false);
  for (auto& child : object.Objects) {
    for (int i = 0; i < node->childCount(); ++i)
      if (ObjectOf(node->child(i)) == child.get()) {
        QTreeWidgetItem* item = node->takeChild(i);
        node->addChild(item);
        break;
      }
  }
  setUpdatesEnabled(true);
}

void TProjectTree::UpdateObjectNode(TAuObject& object) {
  if (QTreeWidgetItem* item = ObjectItem(&object)) {
    item->setText(0, object.ObjectName);
    SetImage(item, GetObjectImageIndex(object.ObjectType));
  }
}

// ---- texts and images ----

void TProjectTree::UpdateTreeNodeTexts() {
  QTreeWidgetItem* root = RootItem();
  if (!root) return;
  root->setText(0, Project.AppTitle + TreeTexts::Project);
  for (int i = 0; i < root->childCount(); ++i) {
    QTreeWidgetItem* item = root->child(i);
    const TFormData* entry = PageOf(item);
    if (!entry) continue;
    const QString& name = entry->FormName;
    QString text = name;
    // Each marker replaces the one before: the last that applies wins.
    if (i == 0) text = name + TreeTexts::Main;
    if (!Project.SplashScreenName.isEmpty() && name == Project.SplashScreenName) text = name + TreeTexts::SplashScreen;
    if (!Project.FullScreenName.isEmpty() && name == Project.FullScreenName) text = name + TreeTexts::FullScreenBack;
    if (!Project.ExitFormName.isEmpty() && name == Project.ExitFormName) text = name + TreeTexts::ExitForm;
    item->setText(0, text);
  }
}

void TProjectTree::UpdateTreeNodeImages(bool projectChanged, const std::function<bool(const TFormData&)>& pageChanged) {
  QTreeWidgetItem* root = RootItem();
  if (!root) return;
  SetImage(root, projectChanged ? DesignerIcons::RootChangedImage : DesignerIcons::RootImage);
  for (int i = 0; i < root->childCount(); ++i)
    if (const TFormData* entry = PageOf(root->child(i)))
      SetImage(root->child(i), pageChanged(*entry) ? DesignerIcons::PageChangedImage : DesignerIcons::PageImage);
  viewport()->update();
}
