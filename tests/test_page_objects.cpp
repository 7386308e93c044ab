// Finding objects by path name, unique names, the names actions can target, and the stacking
// order of object lists.
#include <gtest/gtest.h>

#include "model/ObjectStream.h"
#include "model/PageStream.h"
#include "player/PageObjects.h"

namespace {

TAuObject& Add(TAuObject& parent, TObjectType kind, const QString& name) {
  parent.Objects.push_back(NewAuObject(kind, name));
  return *parent.Objects.back();
}

QStringList ChildNames(const TAuObject& parent) {
  QStringList names;
  for (const auto& c : parent.Objects) names << c->ObjectName;
  return names;
}

// PagePanel
//   GroupBox1
//     Panel1
//       Button1
//   Shape1
//   Panel2
//     Label1, Image1
class PageObjects : public ::testing::Test {
 protected:
  void SetUp() override {
    Root = NewPagePanel();
    Root->ObjectName = QStringLiteral("PagePanel");
    GroupBox1 = &Add(*Root, otGroupBox, "GroupBox1");
    Panel1 = &Add(*GroupBox1, otPanel, "Panel1");
    Button1 = &Add(*Panel1, otStandardButton, "Button1");
    Shape1 = &Add(*Root, otShape, "Shape1");
    Panel2 = &Add(*Root, otPanel, "Panel2");
    Label1 = &Add(*Panel2, otLabel, "Label1");
    Image1 = &Add(*Panel2, otImage, "Image1");
  }
  std::unique_ptr<TAuObject> Root;
  TAuObject *GroupBox1, *Panel1, *Button1, *Shape1, *Panel2, *Label1, *Image1;
};

TEST_F(PageObjects, FullPathNamesFindObjects) {
  const std::vector<std::pair<QString, TAuObject*>> cases = {
      {"GroupBox1 - Panel1 - Button1", Button1},
      {"GroupBox1 - Panel1", Panel1},
      {"Shape1", Shape1},
      {"Panel2 - Image1", Image1},
      {"Button1", nullptr},                       // a bare name is not a path
      {"Panel1 - Button1", nullptr},              // nor is a path without its outermost part
      {"groupbox1 - panel1 - button1", nullptr},  // letter case counts
      {"GroupBox1 -  Panel1 - Button1", nullptr},
      {"PagePanel", nullptr},  // the page panel itself is no target
      {"", nullptr},
  };
  for (const auto& [name, expected] : cases)
    EXPECT_EQ(GetAuObjectFromName(*Root, name), expected) << name.toStdString();
  EXPECT_EQ(FullObjectName(*Root, *Button1), QStringLiteral("GroupBox1 - Panel1 - Button1"));
  EXPECT_EQ(FullObjectName(*Root, *Shape1), QStringLiteral("Shape1"));
  EXPECT_EQ(FullObjectName(*Root, *Root), QString());
}

TEST(PageObjectLookup, FirstTopLevelSubtreeWins) {
  // "A" holding "B" and a top-level object literally named "A - B" share one path name.
  for (bool nestedFirst : {true, false}) {
    auto root = NewPagePanel();
    TAuObject* nested = nullptr;
    TAuObject* literal = nullptr;
    const auto addNested = [&] {
      TAuObject& a = Add(*root, otPanel, "A");
      nested = &Add(a, otShape, "B");
    };
    const auto addLiteral = [&] {
      literal = &Add(*root, otPanel, "A - B");
      Add(*literal, otShape, "C");
    };
    if (nestedFirst) {
      addNested();
      addLiteral();
    } else {
      addLiteral();
      addNested();
    }
    EXPECT_EQ(GetAuObjectFromName(*root, "A - B"), nestedFirst ? nested : literal) << nestedFirst;
  }
}

TEST_F(PageObjects, NamesAreNewIgnoringLetterCaseAnywhereOnThePage) {
  const struct {
    const char* name;
    bool isNew;
  } cases[] = {
      {"Button1", false}, {"BUTTON1", false}, {"button1", false},
      {"panel2", false},  {"Button2", true},  {"PagePanel", true},  // the page panel's own name does not count
      {"Button", true},
  };
  for (const auto& c : cases) EXPECT_EQ(IsNewObjectName(*Root, QString::fromUtf8(c.name)), c.isNew) << c.name;
}

TEST_F(PageObjects, NewNamesTakeTheSmallestFreeNumber) {
  const QString button = GetObjectTypeName(otStandardButton);
  EXPECT_EQ(GetNewObjectName(*Root, otStandardButton), button + "2");
  // Taken in another letter case and deep inside a container counts as taken.
  Add(*Panel1, otStandardButton, button.toUpper() + "2");
  Add(*Root, otStandardButton, button + "4");
  EXPECT_EQ(GetNewObjectName(*Root, otStandardButton), button + "3");
  EXPECT_EQ(GetNewObjectName(*Root, otMemo), GetObjectTypeName(otMemo) + "1");
}

TEST_F(PageObjects, TargetNamesDepthFirstThenStatusPanels) {
  QStringList text;
  GetTextNames(*Root, 2, text);
  EXPECT_EQ(text, QStringList({"GroupBox1", "GroupBox1 - Panel1", "GroupBox1 - Panel1 - Button1", "Shape1", "Panel2",
                               "Panel2 - Label1", "StatusBar - Panel[0]", "StatusBar - Panel[1]"}));
  QStringList images{"kept"};
  GetImageNames(*Root, images);
  EXPECT_EQ(images, QStringList({"kept", "Shape1", "Panel2 - Image1"}));
}

TEST(PageObjectLookup, StatusPanelNames) {
  const struct {
    const char* name;
    int count;
    int index;
  } cases[] = {
      {"StatusBar - Panel[1]", 2, 1},   {"StatusBar - Panel[0]", 2, 0},   {"StatusBar - Panel[5]", 2, -1},
      {"StatusBar - Panel[01]", 2, -1}, {"StatusBar - Panel[1] ", 2, -1}, {"statusbar - panel[1]", 2, -1},
      {"StatusBar - Panel[0]", 0, -1},  {"StatusBar - Panel[", 2, -1},
  };
  for (const auto& c : cases) EXPECT_EQ(StatusPanelIndex(QString::fromUtf8(c.name), c.count), c.index) << c.name;
}

TEST(PageObjectOrder, WindowlessChildrenComeFirstKeepingTheirOrder) {
  auto root = NewPagePanel();
  Add(*root, otPanel, "P1");
  Add(*root, otShape, "S1");
  Add(*root, otStandardButton, "B1");
  Add(*root, otLabel, "L1");
  Add(*root, otMemo, "M1");
  Add(*root, otImage, "I1");
  ReSetObjectsOrder(*root);
  EXPECT_EQ(ChildNames(*root), QStringList({"S1", "L1", "I1", "P1", "B1", "M1"}));
}

TEST(PageObjectOrder, MovingAChild) {
  const auto make = [] {
    auto root = NewPagePanel();
    Add(*root, otShape, "S1");
    Add(*root, otLabel, "L1");
    Add(*root, otPanel, "P1");
    Add(*root, otStandardButton, "B1");
    return root;
  };
  const struct {
    int from, to;
    bool moved;
    QStringList order;
  } cases[] = {
      // A windowless child moved behind windowed ones goes back in front of them.
      {0, 3, true, {"L1", "S1", "P1", "B1"}},
      // A windowed child moved in front of windowless ones goes back behind them.
      {3, 0, true, {"S1", "L1", "B1", "P1"}},
      {0, 1, true, {"L1", "S1", "P1", "B1"}},
      {1, 1, false, {"S1", "L1", "P1", "B1"}},
      {-1, 2, false, {"S1", "L1", "P1", "B1"}},
      {0, 4, false, {"S1", "L1", "P1", "B1"}},
  };
  for (const auto& c : cases) {
    auto root = make();
    EXPECT_EQ(MoveAuObject(*root, c.from, c.to), c.moved) << c.from << "->" << c.to;
    EXPECT_EQ(ChildNames(*root), c.order) << c.from << "->" << c.to;
  }
}

}  // namespace
