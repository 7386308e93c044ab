// The project tree: the project at the root, one node per page in page-table order, and below a
// page its objects (from the live records for the loaded page, from the page's outline for any
// other). Nodes carry their page entry or object record; object nodes of pages that are not
// loaded carry nothing and are found again by their place below the page.
#pragma once

#include <QTreeWidget>
#include <functional>
#include <vector>

#include "model/Project.h"

namespace TreeTexts {
inline const QString Project = QStringLiteral(" [Project]");
inline const QString Main = QStringLiteral(" [Main]");
inline const QString SplashScreen = QStringLiteral(" [SplashScreen]");
inline const QString FullScreenBack = QStringLiteral(" [FullScreenBack]");
inline const QString ExitForm = QStringLiteral(" [ExitForm]");
}  // namespace TreeTexts

class TProjectTree : public QTreeWidget {
  Q_OBJECT

 public:
  // The item data role holding an item's image slot (-1 for none).
  static constexpr int ImageSlotRole = Qt::UserRole + 1;

  explicit TProjectTree(QWidget* parent = nullptr);

  // ---- building ----

  // Rebuilds every node from the project: the root, the pages and their outlines. Selects nothing.
  void Build();
  // Removes every node.
  void ClearAll();

  // ---- nodes ----

  QTreeWidgetItem* RootItem() const { return topLevelItemCount() ? topLevelItem(0) : nullptr; }
  QTreeWidgetItem* PageItem(const TFormData* entry) const;
  QTreeWidgetItem* ObjectItem(const TAuObject* object) const;
  // 0 root, 1 page, 2 and deeper objects; -1 for none.
  static int Level(const QTreeWidgetItem* item);
  // The page node of item (itself for a page node), or null for the root and none.
  static QTreeWidgetItem* PageNodeOf(QTreeWidgetItem* item);
  static TFormData* PageOf(const QTreeWidgetItem* item);
  static TAuObject* ObjectOf(const QTreeWidgetItem* item);
  // The child indexes from the page node down to item.
  static std::vector<int> PathBelowPage(const QTreeWidgetItem* item);
  static QTreeWidgetItem* ItemAtPath(QTreeWidgetItem* pageItem, const std::vector<int>& path);
  static int ImageSlot(const QTreeWidgetItem* item);

  // ---- pages ----

  void InsertPageNode(TFormData* entry, int index);
  void RemovePageNode(const TFormData* entry);
  void MovePageNode(int from, int to);
  // The page's object nodes from its outline (the page is not loaded).
  void ShowOutline(QTreeWidgetItem* pageItem, const TObjectInfo* outline);
  // Object nodes of a page that is no longer loaded let go of their records.
  void UnlinkObjects(QTreeWidgetItem* pageItem);

  // ---- objects of the loaded page ----

  // Makes node's children match object's children: surplus nodes go from the end, missing ones
  // are appended, then each is linked to its object, named and given its image, recursively.
  void ShowAuObjectSubTreeNode(QTreeWidgetItem* node, TAuObject& object);
  // Appends a node for object and its subtree.
  QTreeWidgetItem* AddObjectTreeNode(QTreeWidgetItem* parent, TAuObject& object);
  // Reorders node's children to the order of its object's children.
  void ReRangeTreeNode(QTreeWidgetItem* node, TAuObject& object);
  // An object's name changed.
  void UpdateObjectNode(TAuObject& object);

  // ---- texts and images ----

  // Page names with their markers (the last that applies wins) and the root's title.
  void UpdateTreeNodeTexts();
  // Changed / unchanged images of the root and the pages.
  void UpdateTreeNodeImages(bool projectChanged, const std::function<bool(const TFormData&)>& pageChanged);

 private:
  static void SetImage(QTreeWidgetItem* item, int slot);
  static void LinkObject(QTreeWidgetItem* item, TAuObject* object);
  QTreeWidgetItem* NewPageItem(TFormData* entry);
};
