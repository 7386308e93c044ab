// Pages turned into controls and written back without an edit give the bytes they were read from;
// a control moved on screen is written where it stands.
#include <gtest/gtest.h>

#include <QBuffer>
#include <algorithm>

#include "ControlTestSupport.h"
#include "JsonCorpus.h"
#include "TestSupport.h"
#include "model/PageStream.h"

namespace {
bool ReadPage(const QByteArray& bytes, TPageData& page) {
  return ReadBytesWith(bytes, [&](TStream& s) { return ReadPageStream(s, page); }).Ok;
}

QByteArray WritePage(const TPageData& page) {
  return WriteBytes([&](TStream& s) { return WritePageStream(s, page); });
}

// The stored pages of the corpus, plus a page with docked and nested containers whose stored
// sizes do not fit their room (so docking and the size limit change what is shown, not what is
// written).
std::vector<std::pair<QString, QByteArray>> CorpusPages() {
  JsonCorpus::MakeCorpus();
  std::vector<std::pair<QString, QByteArray>> pages;
  for (const auto& form : Project.Forms) pages.emplace_back(form->FormName, *form->FormInfoData);
  ResetProject(false);

  TPageData page;
  InitForm(page, QStringLiteral("Docked"));
  TAuObject& root = *page.PanelObject;
  root.Width = 300;
  root.Height = 200;
  TAuObject& top = AddChild(root, MakeObject(otPanel, QStringLiteral("Top"), {7, 9, 11, 500}, alTop));
  AddChild(top, MakeObject(otMemo, QStringLiteral("Inner"), {-5, 3, 40000, 2}, alNone));
  AddChild(root, MakeObject(otSplitter, QStringLiteral("Split"), {0, 0, 5, 5}, alTop));
  TAuObject& box = AddChild(root, MakeObject(otScrollBox, QStringLiteral("Box"), {1, 2, 3, 4}, alClient));
  AddChild(box, MakeObject(otStandardButton, QStringLiteral("Far"), {2000, 3000, 0, -7}));
  AddChild(box, MakeObject(otGroupBox, QStringLiteral("Group"), {0, 0, 10, 10}, alRight));
  pages.emplace_back(QStringLiteral("Docked"), WritePage(page));
  return pages;
}
}  // namespace

namespace {
// Reads bytes, builds the page's controls in a host of the page panel's own size (the panel fills
// its host), copies the controls' state back and writes the page again.
QByteArray ThroughControls(const QByteArray& bytes, bool live) {
  TPageData page;
  if (!ReadPage(bytes, page)) return QByteArray("<read failed>");
  TControlHost host(QSize(page.PanelObject->Width, page.PanelObject->Height));
  if (!host.Build(*page.PanelObject, live)) return QByteArray("<build failed>");
  StoreControlsToRecords(*page.PanelObject);
  return WritePage(page);
}

// An object whose kind sizes it to its content (an auto-sized picture or text).
bool SizesItself(const TAuObject& o) { return o.Payload->ToJson().value(QStringLiteral("AutoSize")).toBool(); }

// Whether two pages are the same apart from the sizes of self-sizing objects.
void ExpectSameButOwnSizes(const TAuObject& before, const TAuObject& after) {
  TAuObjectProps expected = before.Props();
  if (SizesItself(before)) {
    expected.Width = after.Width;
    expected.Height = after.Height;
  }
  EXPECT_TRUE(expected == after.Props()) << before.ObjectName.toStdString();
  EXPECT_TRUE(before.Payload->Equals(*after.Payload)) << before.ObjectName.toStdString();
  ASSERT_EQ(before.Objects.size(), after.Objects.size());
  for (size_t i = 0; i < before.Objects.size(); ++i) ExpectSameButOwnSizes(*before.Objects[i], *after.Objects[i]);
}

bool AnySizesItself(const TAuObject& o) {
  return SizesItself(o) || std::any_of(o.Objects.begin(), o.Objects.end(), [](auto& c) { return AnySizesItself(*c); });
}
}  // namespace

TEST(ControlsRoundTrip, UneditedPagesWriteBackByteForByte) {
  for (const auto& [name, bytes] : CorpusPages()) {
    SaveFuzzSeed("controls", name, bytes);
    for (bool live : {true, false}) {
      SCOPED_TRACE(name.toStdString() + (live ? " live" : " editing"));
      TPageData before;
      ASSERT_TRUE(ReadPage(bytes, before));
      const QByteArray once = ThroughControls(bytes, live);
      if (!AnySizesItself(*before.PanelObject)) {
        EXPECT_EQ(once, bytes);
        continue;
      }
      // An auto-sized object whose stored size is not its content's takes its shown size, as the
      // program writes it; nothing else changes, and from then on the page is stable.
      TPageData after;
      ASSERT_TRUE(ReadPage(once, after));
      EXPECT_TRUE(after.Props() == before.Props());
      ExpectSameButOwnSizes(*before.PanelObject, *after.PanelObject);
      EXPECT_EQ(ThroughControls(once, live), once);
    }
  }
}

TEST(ControlsRoundTrip, MovedControlsAreWrittenWhereTheyStand) {
  TPageData page;
  InitForm(page, QStringLiteral("Moves"));
  TAuObject& root = *page.PanelObject;
  root.Width = 400;
  root.Height = 300;
  TAuObject& free = AddChild(root, MakeObject(otStandardButton, QStringLiteral("Free"), {10, 20, 97, 25}));
  TAuObject& top = AddChild(root, MakeObject(otPanel, QStringLiteral("Top"), {0, 0, 50, 40}, alTop));
  TAuObject& left = AddChild(root, MakeObject(otMemo, QStringLiteral("Left"), {0, 0, 60, 10}, alLeft));
  AddChild(root, MakeObject(otGroupBox, QStringLiteral("Still"), {30, 60, 70, 80}));
  const QByteArray bytes = WritePage(page);

  TPageData read;
  ASSERT_TRUE(ReadPage(bytes, read));
  TControlHost host(QSize(400, 300));
  ASSERT_TRUE(host.Build(*read.PanelObject));
  auto widget = [&](const TAuObject& o) {
    for (auto& child : read.PanelObject->Objects)
      if (child->ObjectName == o.ObjectName) return TControlHost::WidgetOf(*child);
    return static_cast<QWidget*>(nullptr);
  };
  // As the designer or a splitter would: the widgets move and resize, the records are not told.
  widget(free)->setGeometry(33, 44, 120, 30);
  widget(top)->resize(widget(top)->width(), 75);
  widget(left)->resize(90, widget(left)->height());

  StoreControlsToRecords(*read.PanelObject);
  TPageData back;
  ASSERT_TRUE(ReadPage(WritePage(read), back));
  const auto& objects = back.PanelObject->Objects;
  ASSERT_EQ(objects.size(), 4u);
  EXPECT_EQ(QRect(objects[0]->Left, objects[0]->Top, objects[0]->Width, objects[0]->Height), QRect(33, 44, 120, 30));
  // Docked objects keep their stored place; what they own of their size is written.
  EXPECT_EQ(objects[1]->Height, 75);
  EXPECT_EQ(QPoint(objects[1]->Left, objects[1]->Top), QPoint(0, 0));
  EXPECT_EQ(objects[1]->Width, 50);
  EXPECT_EQ(objects[2]->Width, 90);
  EXPECT_EQ(objects[2]->Height, 10);
  EXPECT_EQ(QRect(objects[3]->Left, objects[3]->Top, objects[3]->Width, objects[3]->Height), QRect(30, 60, 70, 80));
}
