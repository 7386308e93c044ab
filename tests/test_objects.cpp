#include <gtest/gtest.h>

#include <QBuffer>

#include "TestSupport.h"
#include "model/Actions.h"
#include "model/ObjectStream.h"

namespace {

struct TReadResult {
  bool Ok = false;
  TError Error;
  qint64 Pos = 0;
};

template <class F>
TReadResult ReadFrom(const QByteArray& bytes, F&& reader) {
  QByteArray copy = bytes;
  QBuffer buffer(&copy);
  buffer.open(QIODevice::ReadOnly);
  TStream s(&buffer);
  TReadResult r;
  r.Ok = reader(s);
  r.Error = s.Error();
  r.Pos = s.Pos();
  return r;
}

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
  ASSERT_TRUE(ReadFrom(bytes, [&](TStream& s) { return ReadMenuItem(s, &back); }).Ok);
  EXPECT_EQ(back, item);
}

TEST(MenuItemStream, TreeRoundTripsAndReplacesSubItems) {
  const TMenuItem tree = MenuTree();
  const QByteArray bytes = ItemBytes(tree);
  TMenuItem back = Item(QStringLiteral("old"));
  back.Items.push_back(Item(QStringLiteral("stale")));
  ASSERT_TRUE(ReadFrom(bytes, [&](TStream& s) { return ReadMenuItem(s, &back); }).Ok);
  EXPECT_EQ(back, tree);
  EXPECT_EQ(ItemBytes(back), bytes);
  TAuActions click;
  EXPECT_TRUE(HintToActions(back.Items[0].Hint, click));
  ASSERT_EQ(click.Actions.size(), 1u);
  EXPECT_EQ(click.Actions[0].Param1, QStringLiteral("readme.txt"));
}

TEST(MenuItemStream, ReadingIntoNoItemConsumesTheWholeRecord) {
  const QByteArray bytes = ItemBytes(MenuTree());
  auto r = ReadFrom(bytes + QByteArray("tail"), [](TStream& s) { return ReadMenuItem(s, nullptr); });
  EXPECT_TRUE(r.Ok);
  EXPECT_EQ(r.Pos, bytes.size());
}

TEST(MenuItemStream, VersionOneIsTheDataVersionError) {
  QByteArray bytes = ItemBytes(TMenuItem{});
  bytes[0] = 1;
  TMenuItem item;
  auto r = ReadFrom(bytes, [&](TStream& s) { return ReadMenuItem(s, &item); });
  EXPECT_FALSE(r.Ok);
  EXPECT_EQ(r.Error.Kind, TErrorKind::DataVersion);
}

TEST(MenuItemStream, EveryTruncationFailsCleanly) {
  const QByteArray bytes = ItemBytes(MenuTree());
  for (qsizetype n = 0; n < bytes.size(); ++n)
    for (bool intoItem : {true, false}) {
      TMenuItem item;
      auto r = ReadFrom(bytes.left(n), [&](TStream& s) { return ReadMenuItem(s, intoItem ? &item : nullptr); });
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
  EXPECT_TRUE(ReadFrom(nested(StreamLimits::MaxDepth), [&](TStream& s) { return ReadMenuItem(s, &item); }).Ok);
  EXPECT_NE(ItemBytes(item), WriteFailed);
  TMenuItem deeper;
  deeper.Items.push_back(item);
  EXPECT_EQ(ItemBytes(deeper), WriteFailed);
  for (int levels : {StreamLimits::MaxDepth + 1, 3000}) {
    TMenuItem i;
    auto r = ReadFrom(nested(levels), [&](TStream& s) { return ReadMenuItem(s, &i); });
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
    auto r = ReadFrom(bytes, [&](TStream& s) { return ReadAuObject(s, *o, c.Parent); });
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
  auto r = ReadFrom(bytes, [&](TStream& s) { return ReadAuObject(s, *o); });
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
