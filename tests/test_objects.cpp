#include <gtest/gtest.h>

#include <QBuffer>

#include "TestSupport.h"
#include "model/Actions.h"
#include "model/ObjectStream.h"
#include "model/PayloadsStandard.h"

namespace {

const QByteArray WriteFailed("<write failed>");

// A payload of any kind that stores one version word and one integer; lets the common record be
// written without depending on a real kind's payload.
class TTestPayload : public TObjectPayload {
 public:
  explicit TTestPayload(TObjectType kind, int32_t value = 0x2A) : FKind(kind), Value(value) {}
  TObjectType Kind() const override { return FKind; }
  std::unique_ptr<TObjectPayload> Clone() const override { return std::make_unique<TTestPayload>(*this); }
  bool Write(TStream& s) const override {
    return Guarded(s, 1, [&] {
      WriteVersion(s);
      s.WriteInt(Value);
      return true;
    });
  }
  bool Read(TStream& s) override {
    return Guarded(s, 2, [&] {
      if (!CheckVersion(s)) return false;
      Value = s.ReadInt();
      return true;
    });
  }
  QJsonObject ToJson() const override { return {}; }
  bool FromJson(const QJsonObject&, QString&) override { return true; }
  bool Equals(const TObjectPayload& other) const override {
    auto* o = dynamic_cast<const TTestPayload*>(&other);
    return o && o->FKind == FKind && o->Value == Value;
  }

 private:
  TObjectType FKind;

 public:
  int32_t Value;
};

std::unique_ptr<TAuObject> TestObject(TObjectType kind, const QString& name) {
  auto o = NewAuObject();
  o->ObjectType = kind;
  o->ObjectName = name;
  o->Payload = std::make_unique<TTestPayload>(kind);
  return o;
}

QByteArray ObjectBytes(const TAuObject& o) {
  return WriteBytes([&](TStream& s) { return WriteAuObject(s, o); });
}

QByteArray ItemBytes(const TMenuItem& item) {
  return WriteBytes([&](TStream& s) { return WriteMenuItem(s, item); });
}

TMenuItem Item(const QString& caption) {
  TMenuItem item;
  item.Caption = caption;
  return item;
}

// A three-level menu with click actions in the hints and a bitmap.
TMenuItem MenuTree() {
  TMenuItem root = Item(QStringLiteral("&File"));
  TMenuItem open = Item(QStringLiteral("&Open"));
  TAuActions click;
  click.Actions.emplace_back().Param1 = QStringLiteral("readme.txt");
  EXPECT_TRUE(ActionsToHint(QStringLiteral("Open1"), click, open.Hint));
  open.ShortCut = 0x404F;
  open.Bitmap = TPicture{TGraphicKind::Bitmap, QByteArray("BMxx")};
  TMenuItem recent = Item(QStringLiteral("Recent"));
  recent.Items.push_back(Item(QStringLiteral("a")));
  recent.Items.push_back(Item(QStringLiteral("-")));
  recent.Items.back().Enabled = false;
  root.Items.push_back(open);
  root.Items.push_back(recent);
  return root;
}

}  // namespace

// ---- menu items ----

TEST(MenuItemStream, FieldsInStoredOrder) {
  TMenuItem item = Item(QStringLiteral("&F"));
  item.Hint = QStringLiteral("h");
  item.ShortCut = 0x1234;
  item.RadioItem = true;
  item.GroupIndex = 7;
  item.Enabled = false;
  item.Default = true;
  item.Checked = true;
  item.AutoCheck = true;
  item.Visible = false;
  item.Bitmap = TPicture{TGraphicKind::Bitmap, QByteArray("BM")};
  item.Items.push_back(TMenuItem{});
  const QByteArray expected = Hex("00000000 02000000 26004600 01000000 6800 3412 01 07 00 01 01 01 00") +
                              Hex("07000000 5400420069007400 6d0061007000 02000000 424d 01000000") +
                              Hex("00000000 00000000 00000000 0000 00 00 01 00 00 00 01 00000000 00000000");
  const QByteArray bytes = ItemBytes(item);
  EXPECT_EQ(bytes.toHex(), expected.toHex());
  EXPECT_EQ(ItemBytes(TMenuItem{}).size(), ObjectSizes::MinMenuItem);
  TMenuItem back;
  ASSERT_TRUE(ReadBytesWith(bytes, [&](TStream& s) { return ReadMenuItem(s, &back); }).Ok);
  EXPECT_EQ(back, item);
}

TEST(MenuItemStream, TreeRoundTripsAndReplacesSubItems) {
  const TMenuItem tree = MenuTree();
  const QByteArray bytes = ItemBytes(tree);
  TMenuItem back = Item(QStringLiteral("old"));
  back.Items.push_back(Item(QStringLiteral("stale")));
  ASSERT_TRUE(ReadBytesWith(bytes, [&](TStream& s) { return ReadMenuItem(s, &back); }).Ok);
  EXPECT_EQ(back, tree);
  EXPECT_EQ(ItemBytes(back), bytes);
  TAuActions click;
  EXPECT_TRUE(HintToActions(back.Items[0].Hint, click));
  ASSERT_EQ(click.Actions.size(), 1u);
  EXPECT_EQ(click.Actions[0].Param1, QStringLiteral("readme.txt"));
}

TEST(MenuItemStream, ReadingIntoNoItemConsumesTheWholeRecord) {
  const QByteArray bytes = ItemBytes(MenuTree());
  auto r = ReadBytesWith(bytes + QByteArray("tail"), [](TStream& s) { return ReadMenuItem(s, nullptr); });
  EXPECT_TRUE(r.Ok);
  EXPECT_EQ(r.Pos, bytes.size());
}

TEST(MenuItemStream, VersionOneIsTheDataVersionError) {
  QByteArray bytes = ItemBytes(TMenuItem{});
  bytes[0] = 1;
  TMenuItem item;
  auto r = ReadBytesWith(bytes, [&](TStream& s) { return ReadMenuItem(s, &item); });
  EXPECT_FALSE(r.Ok);
  EXPECT_EQ(r.Error.Kind, TErrorKind::DataVersion);
}

TEST(MenuItemStream, EveryTruncationFailsCleanly) {
  const QByteArray bytes = ItemBytes(MenuTree());
  for (qsizetype n = 0; n < bytes.size(); ++n)
    for (bool intoItem : {true, false}) {
      TMenuItem item;
      auto r = ReadBytesWith(bytes.left(n), [&](TStream& s) { return ReadMenuItem(s, intoItem ? &item : nullptr); });
      EXPECT_FALSE(r.Ok) << "prefix " << n;
      EXPECT_TRUE(r.Error.IsSet()) << "prefix " << n;
    }
}

TEST(MenuItemStream, NestingDepthIsLimited) {
  // Menu items nested `levels` deep, each the only sub-item of its parent.
  auto nested = [](int levels) {
    QByteArray bytes = ItemBytes(TMenuItem{});
    for (int i = 1; i < levels; ++i) {
      QByteArray parent = ItemBytes(TMenuItem{});
      parent.chop(4);
      bytes = parent + Hex("01000000") + bytes;
    }
    return bytes;
  };
  TMenuItem item;
  EXPECT_TRUE(ReadBytesWith(nested(StreamLimits::MaxDepth), [&](TStream& s) { return ReadMenuItem(s, &item); }).Ok);
  EXPECT_NE(ItemBytes(item), WriteFailed);
  TMenuItem deeper;
  deeper.Items.push_back(item);
  EXPECT_EQ(ItemBytes(deeper), WriteFailed);
  for (int levels : {StreamLimits::MaxDepth + 1, 3000}) {
    TMenuItem i;
    auto r = ReadBytesWith(nested(levels), [&](TStream& s) { return ReadMenuItem(s, &i); });
    EXPECT_FALSE(r.Ok) << levels;
    EXPECT_EQ(r.Error.Code, ObjectCodes::MenuItemRead) << levels;
  }
}

// ---- objects: the common record ----

TEST(ObjectStream, CommonFieldsInStoredOrder) {
  auto o = TestObject(otStandardButton, QStringLiteral("B1"));
  o->Enable = true;
  o->Visible = false;
  o->Align = alClient;
  o->Locked = true;
  o->Cursor = -21;
  o->Left = 1;
  o->Top = 2;
  o->Width = 3;
  o->Height = 4;
  const QByteArray expected = Hex("00000000 02000000 42003100 00000000 06 01 00 05 01 00 ebff") +
                              Hex("01000000 02000000 03000000 04000000") + QByteArray(48, '\0') +
                              Hex("00000000") +           // no popup menu
                              Hex("00000000 2a000000") +  // payload
                              Hex("00000000");            // no children
  EXPECT_EQ(ObjectBytes(*o).toHex(), expected.toHex());
  EXPECT_EQ(ObjectBytes(*TestObject(otPanel, QString())).size(), ObjectSizes::MinObject + 8);
}

TEST(ObjectStream, PopupItemsAndChildrenFollowInOrder) {
  auto panel = TestObject(otPanel, QStringLiteral("P"));
  panel->PopupMenu.push_back(MenuTree());
  panel->OnMouseUpActions.Actions.emplace_back().Command = ctExit;
  panel->Objects.push_back(TestObject(otImage, QStringLiteral("I1")));
  panel->Objects.push_back(TestObject(otShape, QStringLiteral("S1")));
  const QByteArray bytes = ObjectBytes(*panel);

  QByteArray expected = ObjectBytes(*TestObject(otPanel, QStringLiteral("P")));
  expected.chop(4 + 8 + 4 + 8);  // children, payload, popup count, last list
  expected += WriteBytes([&](TStream& s) { return WriteActions(s, panel->OnMouseUpActions); });
  expected += Hex("01000000") + ItemBytes(MenuTree()) + Hex("00000000 2a000000") + Hex("02000000");
  expected += ObjectBytes(*panel->Objects[0]) + ObjectBytes(*panel->Objects[1]);
  EXPECT_EQ(bytes.toHex(), expected.toHex());
}

TEST(ObjectStream, WriterRefusesWhatNoReaderAccepts) {
  TError plain;
  {
    auto o = TestObject(otPanel, QStringLiteral("X"));
    o->ObjectType = TObjectType(25);
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    TStream s(&buffer);
    EXPECT_FALSE(WriteAuObject(s, *o));
    EXPECT_EQ(s.Error().Kind, TErrorKind::Plain);
    EXPECT_EQ(s.Error().Message(), UnknownObjectTypeText);
    EXPECT_EQ(s.Error().Caption(), QStringLiteral("Error"));
  }
  auto noPayload = TestObject(otPanel, QStringLiteral("X"));
  noPayload->Payload.reset();
  EXPECT_EQ(ObjectBytes(*noPayload), WriteFailed);
  auto otherKind = TestObject(otPanel, QStringLiteral("X"));
  otherKind->Payload = std::make_unique<TTestPayload>(otShape);
  EXPECT_EQ(ObjectBytes(*otherKind), WriteFailed);

  auto notebook = TestObject(otTabNotebook, QStringLiteral("N"));
  notebook->Objects.push_back(TestObject(otTabSheet, QStringLiteral("T1")));
  EXPECT_NE(ObjectBytes(*notebook), WriteFailed);
  notebook->Objects.push_back(TestObject(otStandardButton, QStringLiteral("B1")));
  EXPECT_EQ(ObjectBytes(*notebook), WriteFailed);
  auto panel = TestObject(otPanel, QStringLiteral("P"));
  panel->Objects.push_back(TestObject(otTabSheet, QStringLiteral("T1")));
  EXPECT_EQ(ObjectBytes(*panel), WriteFailed);
}

TEST(ObjectStream, ReaderRefusesUnknownOrMisplacedKinds) {
  // The kind byte of an object named "X" sits after the version word, the name and the hint.
  const QByteArray panel = ObjectBytes(*TestObject(otPanel, QStringLiteral("X")));
  ASSERT_EQ(panel[14], char(otPanel));
  struct Case {
    uint8_t Kind;
    std::optional<TObjectType> Parent;
  };
  for (const Case& c :
       {Case{25, std::nullopt}, Case{255, otPanel}, Case{otTabSheet, otPanel}, Case{otStandardButton, otTabNotebook}}) {
    QByteArray bytes = panel;
    bytes[14] = char(c.Kind);
    auto o = NewAuObject();
    o->Objects.push_back(TestObject(otImage, QStringLiteral("old")));
    auto r = ReadBytesWith(bytes, [&](TStream& s) { return ReadAuObject(s, *o, c.Parent); });
    EXPECT_FALSE(r.Ok) << int(c.Kind);
    EXPECT_EQ(r.Error.Kind, TErrorKind::Plain) << int(c.Kind);
    EXPECT_EQ(r.Error.Message(), QStringLiteral("Unknown object type, maybe file version has problem."));
    EXPECT_EQ(r.Error.Caption(), QStringLiteral("Error"));
    EXPECT_TRUE(o->Objects.empty());
    EXPECT_FALSE(o->Payload);
  }
}

TEST(ObjectStream, VersionOneIsTheDataVersionErrorAndNoStreamError) {
  QByteArray bytes = ObjectBytes(*TestObject(otPanel, QStringLiteral("X")));
  bytes[0] = 1;
  auto o = NewAuObject();
  auto r = ReadBytesWith(bytes, [&](TStream& s) { return ReadAuObject(s, *o); });
  EXPECT_FALSE(r.Ok);
  EXPECT_EQ(r.Error.Kind, TErrorKind::DataVersion);
  EXPECT_EQ(r.Error.Caption(), QStringLiteral("Data Error"));
}

TEST(ObjectStream, KindRules) {
  for (int k = 0; k < ObjectTypeCount; ++k) {
    const auto kind = TObjectType(k);
    EXPECT_EQ(CanHoldChild(otTabNotebook, kind), kind == otTabSheet) << k;
    EXPECT_EQ(CanHoldChild(otPanel, kind), kind != otTabSheet) << k;
  }
  EXPECT_TRUE(IsContainerKind(otPanel) && IsContainerKind(otTabSheet) && IsContainerKind(otGroupBox) &&
              IsContainerKind(otScrollBox));
  EXPECT_FALSE(IsContainerKind(otTabNotebook) || IsContainerKind(otStandardButton) || IsContainerKind(otShape));
}

TEST(ObjectCreation, GridSnapping) {
  struct Case {
    int Value, Grid, Expected;
  };
  for (const Case& c : {Case{13, 8, 16}, Case{11, 8, 8}, Case{12, 8, 16}, Case{0, 8, 0}, Case{3, 8, 0}, Case{7, 5, 5},
                        Case{8, 5, 10}, Case{-13, 8, -8}, Case{13, 1, 13}, Case{13, 0, 13}, Case{13, -4, 13}})
    EXPECT_EQ(SnapToGrid(c.Value, c.Grid), c.Expected) << c.Value << " grid " << c.Grid;
}

// ---- objects of real kinds ----

namespace {

PAuObject Add(TAuObject& container, TObjectType kind, int x = 0, int y = 0) {
  PAuObject o = AddNewObject(container, kind, x, y);
  EXPECT_NE(o, nullptr) << GetObjectTypeName(kind).toStdString();
  return o;
}

// A page-like tree: every container kind, a tab notebook with sheets, popup menus, action lists.
std::unique_ptr<TAuObject> RealTree() {
  auto root = NewAuObject(otPanel, QStringLiteral("Root"));
  PAuObject button = Add(*root, otStandardButton, 10, 20);
  button->OnClickActions.Actions.emplace_back().Param1 = QStringLiteral("setup.exe");
  button->Hint = QStringLiteral("Install");
  PAuObject shape = Add(*root, otShape, 30, 40);
  shape->PopupMenu.push_back(MenuTree());
  shape->PopupMenu.push_back(Item(QStringLiteral("Second")));
  shape->Visible = false;
  PAuObject group = Add(*root, otGroupBox);
  Add(*group, otSimpleText)->OnMouseUpActions.Actions.emplace_back().Command = ctClosePage;
  PAuObject notebook = Add(*root, otTabNotebook);
  PAuObject sheet1 = Add(*notebook, otTabSheet);
  Add(*notebook, otTabSheet);
  Add(*sheet1, otWebBrowser)->Align = alClient;
  Add(*sheet1, otNote);
  Add(*root, otMultilineText);
  return root;
}

// Objects nested `levels` deep, each the only child of its parent.
QByteArray NestedPanelBytes(int levels) {
  const QByteArray leaf = ObjectBytes(*NewAuObject(otPanel, QStringLiteral("P")));
  QByteArray bytes = leaf;
  for (int i = 1; i < levels; ++i) bytes = leaf.chopped(4) + Hex("01000000") + bytes;
  return bytes;
}

}  // namespace

TEST(ObjectStream, TreeRoundTripsByteForByte) {
  const auto tree = RealTree();
  const QByteArray bytes = ObjectBytes(*tree);
  ASSERT_NE(bytes, WriteFailed);
  // Reading replaces everything the record held before.
  auto back = NewAuObject(otShape, QStringLiteral("old"));
  back->PopupMenu.push_back(Item(QStringLiteral("stale")));
  back->OnDblClickActions.Actions.emplace_back();
  back->Objects.push_back(NewAuObject(otImage, QStringLiteral("stale")));
  auto r = ReadBytesWith(bytes + "tail", [&](TStream& s) { return ReadAuObject(s, *back); });
  ASSERT_TRUE(r.Ok) << r.Error.Message().toStdString();
  EXPECT_EQ(r.Pos, bytes.size());
  EXPECT_TRUE(back->SameAs(*tree));
  EXPECT_EQ(back->Payload->Kind(), otPanel);
  EXPECT_EQ(ObjectBytes(*back), bytes);
  ASSERT_EQ(back->Objects.size(), 5u);
  EXPECT_EQ(back->Objects[3]->Objects[0]->Objects[0]->ObjectName, QStringLiteral("WebBrowser1"));
  EXPECT_EQ(back->Objects[1]->PopupMenu.size(), 2u);
}

TEST(ObjectStream, PopupCountZeroReleasesThePopupMenu) {
  auto plain = NewAuObject(otShape, QStringLiteral("S"));
  const QByteArray bytes = ObjectBytes(*plain);
  // The popup count follows the fixed fields and six empty lists.
  const qsizetype popupAt = 4 + (4 + 2) + 4 + 1 + 5 + 2 + 16 + 48;
  EXPECT_EQ(bytes.mid(popupAt, 4), QByteArray(4, '\0'));
  auto o = NewAuObject(otShape, QStringLiteral("S"));
  o->PopupMenu.push_back(MenuTree());
  ASSERT_TRUE(ReadBytesWith(bytes, [&](TStream& s) { return ReadAuObject(s, *o); }).Ok);
  EXPECT_TRUE(o->PopupMenu.empty());
}

TEST(ObjectStream, EveryTruncationFailsCleanly) {
  const QByteArray bytes = ObjectBytes(*RealTree());
  for (qsizetype n = 0; n < bytes.size(); ++n) {
    auto o = NewAuObject();
    auto r = ReadBytesWith(bytes.left(n), [&](TStream& s) { return ReadAuObject(s, *o); });
    EXPECT_FALSE(r.Ok) << "prefix " << n;
    EXPECT_TRUE(r.Error.IsSet()) << "prefix " << n;
  }
}

TEST(ObjectStream, UnknownKindDeepInTheTreeFailsTheWholeRead) {
  auto root = NewAuObject(otPanel, QStringLiteral("Root"));
  PAuObject group = Add(*root, otGroupBox);
  Add(*root, otImage);
  Add(*group, otBevel)->ObjectName = QStringLiteral("Z");
  QByteArray bytes = ObjectBytes(*root);
  // The bevel's record is the only one named "Z"; its kind byte follows its empty hint.
  const qsizetype at = bytes.indexOf(Hex("01000000 5a00 00000000"));
  ASSERT_GT(at, 0);
  bytes[at + 10] = char(25);
  auto back = NewAuObject();
  auto r = ReadBytesWith(bytes, [&](TStream& s) { return ReadAuObject(s, *back); });
  EXPECT_FALSE(r.Ok);
  EXPECT_EQ(r.Error.Message(), UnknownObjectTypeText);
  // The parent keeps what was read before the failing child; the image after it is not read.
  EXPECT_TRUE(back->Objects.empty());
}

TEST(ObjectStream, NestingDepthIsLimited) {
  // An object's action lists sit one level below it, so the deepest object is one above the limit.
  const int deepest = StreamLimits::MaxDepth - 1;
  auto o = NewAuObject();
  ASSERT_TRUE(ReadBytesWith(NestedPanelBytes(deepest), [&](TStream& s) { return ReadAuObject(s, *o); }).Ok);
  EXPECT_EQ(ObjectBytes(*o), NestedPanelBytes(deepest));
  auto deeper = NewAuObject(otPanel, QStringLiteral("P"));
  deeper->Objects.push_back(std::move(o));
  EXPECT_EQ(ObjectBytes(*deeper), WriteFailed);
  for (int levels : {deepest + 1, 2000}) {
    auto d = NewAuObject();
    auto r = ReadBytesWith(NestedPanelBytes(levels), [&](TStream& s) { return ReadAuObject(s, *d); });
    EXPECT_FALSE(r.Ok) << levels;
    EXPECT_TRUE(r.Error.IsSet()) << levels;
  }
}

// ---- creating objects ----

TEST(ObjectCreation, NewObjectsTakeTheirKindsDefaultSize) {
  for (int k = 0; k < ObjectTypeCount; ++k) {
    const auto kind = TObjectType(k);
    auto o = NewAuObject(kind, QStringLiteral("N"));
    ASSERT_TRUE(o) << k;
    EXPECT_EQ(o->ObjectType, kind);
    EXPECT_EQ(o->ObjectName, QStringLiteral("N"));
    ASSERT_TRUE(o->Payload);
    EXPECT_EQ(o->Payload->Kind(), kind);
    EXPECT_EQ(QSize(o->Width, o->Height), o->Payload->DefaultSize()) << k;
  }
  auto browser = NewAuObject(otWebBrowser);
  EXPECT_EQ(std::pair(browser->Width, browser->Height), std::pair(289, 193));
  EXPECT_FALSE(NewAuObject(TObjectType(25)));
}

TEST(ObjectCreation, AddNewObjectNamesSnapsAndShowsTheName) {
  auto panel = NewAuObject(otPanel, QStringLiteral("P"));
  panel->Objects.push_back(NewAuObject(otStandardButton, QStringLiteral("Button1")));
  panel->Objects.push_back(NewAuObject(otStandardButton, QStringLiteral("Button3")));
  PAuObject b = AddNewObject(*panel, otStandardButton, 13, 11, true, 8, 8);
  ASSERT_TRUE(b);
  EXPECT_EQ(b->ObjectName, QStringLiteral("Button2"));
  EXPECT_EQ(std::pair(b->Left, b->Top), std::pair(16, 8));
  EXPECT_EQ(std::pair(b->Width, b->Height), std::pair(97, 25));
  EXPECT_EQ(static_cast<TStandardButtonPayload&>(*b->Payload).Caption, QStringLiteral("Button2"));
  EXPECT_EQ(panel->Objects.back().get(), b);

  PAuObject unsnapped = AddNewObject(*panel, otSimpleText, 13, 12, false);
  ASSERT_TRUE(unsnapped);
  EXPECT_EQ(unsnapped->ObjectName, QStringLiteral("Label1"));
  EXPECT_EQ(std::pair(unsnapped->Left, unsnapped->Top), std::pair(13, 12));
  PAuObject grid10 = AddNewObject(*panel, otImage, 14, 15, true, 10, 4);
  ASSERT_TRUE(grid10);
  EXPECT_EQ(std::pair(grid10->Left, grid10->Top), std::pair(10, 16));
}

TEST(ObjectCreation, TabSheetsLiveOnlyInTabNotebooks) {
  auto panel = NewAuObject(otPanel, QStringLiteral("P"));
  const size_t before = panel->Objects.size();
  EXPECT_EQ(AddNewObject(*panel, otTabSheet, 0, 0), nullptr);
  EXPECT_EQ(panel->Objects.size(), before);
  PAuObject notebook = AddNewObject(*panel, otTabNotebook, 0, 0);
  ASSERT_TRUE(notebook);
  EXPECT_EQ(AddNewObject(*notebook, otStandardButton, 0, 0), nullptr);
  PAuObject sheet = AddNewObject(*notebook, otTabSheet, 0, 0);
  ASSERT_TRUE(sheet);
  EXPECT_EQ(sheet->ObjectName, QStringLiteral("TabSheet1"));
  EXPECT_TRUE(AddNewObject(*sheet, otStandardButton, 0, 0));
  // Controls hold no objects.
  PAuObject button = AddNewObject(*panel, otStandardButton, 0, 0);
  EXPECT_EQ(AddNewObject(*button, otShape, 0, 0), nullptr);
}

// ---- clipboard form ----

TEST(ObjectClipboard, CopyTakesSelectedChildrenButNeverTabSheets) {
  auto panel = NewAuObject(otPanel, QStringLiteral("P"));
  PAuObject a = Add(*panel, otStandardButton, 40, 50);
  Add(*panel, otShape);
  PAuObject c = Add(*panel, otImage, 60, 30);
  a->Selected = c->Selected = true;
  QByteArray stream;
  ASSERT_TRUE(CopyObjectsToClipboardStream(*panel, stream));
  EXPECT_EQ(stream, Hex("02000000") + ObjectBytes(*a) + ObjectBytes(*c));

  PAuObject notebook = Add(*panel, otTabNotebook);
  Add(*notebook, otTabSheet)->Selected = true;
  QByteArray none = "unchanged";
  TError error;
  EXPECT_FALSE(CopyObjectsToClipboardStream(*notebook, none, &error));
  EXPECT_FALSE(error.IsSet());
  EXPECT_EQ(none, QByteArray("unchanged"));
}

TEST(ObjectClipboard, PasteRenamesPlacesAndAppends) {
  auto source = NewAuObject(otPanel, QStringLiteral("P"));
  PAuObject a = Add(*source, otStandardButton, 40, 50);
  PAuObject b = Add(*source, otShape, 300, 30);  // 193 wide
  a->Selected = b->Selected = true;
  QByteArray stream;
  ASSERT_TRUE(CopyObjectsToClipboardStream(*source, stream));

  auto target = NewAuObject(otPanel, QStringLiteral("T"));
  Add(*target, otStandardButton);  // Button1 is taken
  std::vector<PAuObject> pasted;
  // Offsets as the designer computes them: cascade 8, minus the smallest left and top copied.
  ASSERT_TRUE(PasteObjectsFromClipboardStream(*target, stream, 8 - 40, 8 - 30, QSize(400, 300), &pasted));
  ASSERT_EQ(pasted.size(), 2u);
  ASSERT_EQ(target->Objects.size(), 3u);
  EXPECT_EQ(pasted[0], target->Objects[1].get());
  EXPECT_EQ(pasted[0]->ObjectName, QStringLiteral("Button2"));
  EXPECT_EQ(std::pair(pasted[0]->Left, pasted[0]->Top), std::pair(8, 28));
  EXPECT_EQ(pasted[1]->ObjectName, QStringLiteral("Shape1"));
  EXPECT_EQ(std::pair(pasted[1]->Left, pasted[1]->Top), std::pair(400 - 193, 8));  // pulled back inside
  // Larger than the target: pulled back, then raised to 0.
  ASSERT_TRUE(PasteObjectsFromClipboardStream(*target, stream, 0, 0, QSize(50, 20)));
  EXPECT_EQ(std::pair(target->Objects[4]->Left, target->Objects[4]->Top), std::pair(0, 0));
}

TEST(ObjectClipboard, PasteStopsAtTheFirstBadRecord) {
  auto source = NewAuObject(otPanel, QStringLiteral("P"));
  PAuObject a = Add(*source, otStandardButton);
  PAuObject b = Add(*source, otImage);
  a->Selected = b->Selected = true;
  QByteArray stream;
  ASSERT_TRUE(CopyObjectsToClipboardStream(*source, stream));
  auto target = NewAuObject(otPanel, QStringLiteral("T"));
  TError error;
  EXPECT_FALSE(PasteObjectsFromClipboardStream(*target, stream.chopped(1), 0, 0, {}, nullptr, &error));
  EXPECT_TRUE(error.IsSet());
  ASSERT_EQ(target->Objects.size(), 1u);
  EXPECT_EQ(target->Objects[0]->ObjectType, otStandardButton);

  EXPECT_TRUE(PasteObjectsFromClipboardStream(*target, Hex("00000000"), 0, 0));
  EXPECT_EQ(target->Objects.size(), 1u);

  // A tab sheet from elsewhere cannot join a panel.
  auto notebook = NewAuObject(otTabNotebook, QStringLiteral("N"));
  PAuObject sheet = Add(*notebook, otTabSheet);
  ASSERT_TRUE(WriteObjectsClipboardStream({sheet}, stream));
  error = {};
  EXPECT_FALSE(PasteObjectsFromClipboardStream(*target, stream, 0, 0, {}, nullptr, &error));
  EXPECT_EQ(error.Message(), UnknownObjectTypeText);
  EXPECT_EQ(target->Objects.size(), 1u);
}
