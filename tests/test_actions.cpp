#include <gtest/gtest.h>

#include <QBuffer>
#include <cstring>

#include "TestSupport.h"
#include "model/Actions.h"

namespace {

QByteArray ListBytes(const TAuActions& list) {
  return WriteBytes([&](TStream& s) { return WriteActions(s, list); });
}

TAuAction MakeAction(TCommandType command, const QString& p1) {
  TAuAction a;
  a.Command = command;
  a.Param1 = p1;
  return a;
}

// A list with every kind of field filled, nested two levels deep.
TAuActions RichList() {
  TAuAction inner = MakeAction(ctShowMessage, QStringLiteral("inner"));
  inner.Actions2.Actions.push_back(MakeAction(ctExit, QString()));
  TAuAction a = MakeAction(ctSetObjectImage, QStringLiteral("Image1"));
  a.Param2 = QStringLiteral("\u00e9t\u00e9");
  a.Param3 = QStringLiteral("x");
  a.OptionBool = true;
  a.OptionInt = -5;
  a.Picture = TPicture{TGraphicKind::Png, QByteArray("\x89PNG-bytes", 10)};
  a.Font = TFont{QStringLiteral("Arial"), 0x0000FF, 12, 0, fsBold | fsItalic};
  a.Actions1.Actions.push_back(inner);
  TAuActions list;
  list.Actions.push_back(a);
  list.Actions.push_back(MakeAction(ctGoToPage, QStringLiteral("Form2")));
  return list;
}

// A list nested `levels` deep through Actions1: 0 is the empty list.
QByteArray NestedListBytes(int levels) {
  QByteArray bytes(8, '\0');
  for (int i = 0; i < levels; ++i) {
    QByteArray outer = Hex("00000000 01000000");                         // version, count 1
    outer += Hex("00000000 00 00000000 00000000 00000000 00 00000000");  // action up to options
    outer += Hex("00000000 00000000");                                   // no picture, no font
    outer += bytes;                                                      // Actions1
    outer += QByteArray(8, '\0');                                        // Actions2
    bytes = outer;
  }
  return bytes;
}

}  // namespace

TEST(ActionStream, EmptyListIsEightZeroBytesAndReadsBackEmpty) {
  EXPECT_EQ(ListBytes({}), QByteArray(8, '\0'));
  TAuActions list;
  list.Actions.push_back(MakeAction(ctExit, QString()));
  auto r = ReadBytesWith(QByteArray(8, '\0'), [&](TStream& s) { return ReadActions(s, list); });
  EXPECT_TRUE(r.Ok);
  EXPECT_EQ(r.Pos, 8);
  EXPECT_TRUE(list.IsEmpty());
}

TEST(ActionStream, DefaultActionIs46Bytes) {
  const QByteArray expected =
      Hex("00000000 00 00000000 00000000 00000000 00 00000000 00000000 00000000"
          "00000000 00000000 00000000 00000000");
  ASSERT_EQ(expected.size(), 46);
  EXPECT_EQ(WriteBytes([](TStream& s) { return WriteAction(s, TAuAction{}); }), expected);
  TAuAction a = MakeAction(ctExit, QStringLiteral("old"));
  a.Font = TFont{};
  auto r = ReadBytesWith(expected, [&](TStream& s) { return ReadAction(s, a); });
  EXPECT_TRUE(r.Ok);
  EXPECT_EQ(a, TAuAction{});
}

TEST(ActionStream, FieldsInStoredOrder) {
  TAuAction a;
  a.Command = ctSetObjectImage;
  a.Param1 = QStringLiteral("A");
  a.Param3 = QStringLiteral("B");
  a.OptionBool = true;
  a.OptionInt = 0x01020304;
  a.Picture = TPicture{TGraphicKind::Png, QByteArray("xy")};
  a.Font = TFont{QStringLiteral("T"), 0x112233, 9, 1, fsBold | fsItalic};
  a.Actions1.Actions.push_back(TAuAction{});
  const QByteArray expected = Hex("00000000 10 01000000 4100 00000000 01000000 4200 01 04030201") +
                              Hex("01000000 09000000 540050006e00670049006d00610067006500 02000000 7879") +  // picture
                              Hex("01000000 01000000 5400 33221100 09000000 01 03") +                        // font
                              Hex("00000000 01000000") + QByteArray(46, '\0') +                              // Actions1
                              QByteArray(8, '\0');                                                           // Actions2
  const QByteArray bytes = WriteBytes([&](TStream& s) { return WriteAction(s, a); });
  EXPECT_EQ(bytes.toHex(), expected.toHex());
  TAuAction back;
  EXPECT_TRUE(ReadBytesWith(bytes, [&](TStream& s) { return ReadAction(s, back); }).Ok);
  EXPECT_EQ(back, a);
}

TEST(ActionStream, EmptyPictureIsStoredAsNoPicture) {
  for (const TPicture& picture : {TPicture{}, TPicture{TGraphicKind::Png, QByteArray()}}) {
    TAuAction a;
    a.Picture = picture;
    const QByteArray bytes = WriteBytes([&](TStream& s) { return WriteAction(s, a); });
    ASSERT_EQ(bytes.size(), 46);
    EXPECT_EQ(bytes.mid(22, 4), QByteArray(4, '\0'));  // picture flag
    TAuAction back;
    back.Picture = TPicture{TGraphicKind::Bitmap, QByteArray("old")};
    EXPECT_TRUE(ReadBytesWith(bytes, [&](TStream& s) { return ReadAction(s, back); }).Ok);
    EXPECT_FALSE(back.Picture.has_value());
  }
  // Flag 1 followed by an empty picture (no class name, or a graphic of no bytes) also reads as
  // no picture, as it would write back.
  for (const char* picture : {"00000000", "05000000 5400490063006f006e00 00000000"}) {
    QByteArray flagged = WriteBytes([](TStream& s) { return WriteAction(s, TAuAction{}); });
    flagged.replace(22, 4, Hex("01000000") + Hex(picture));
    TAuAction back;
    auto r = ReadBytesWith(flagged, [&](TStream& s) { return ReadAction(s, back); });
    EXPECT_TRUE(r.Ok) << picture;
    EXPECT_EQ(r.Pos, flagged.size()) << picture;
    EXPECT_FALSE(back.Picture.has_value()) << picture;
  }
}

TEST(ActionStream, ReadingReplacesWhatTheListHeld) {
  TAuActions list = RichList();
  TAuActions one;
  one.Actions.push_back(MakeAction(ctBrowse, QStringLiteral("C:")));
  EXPECT_TRUE(ReadBytesWith(ListBytes(one), [&](TStream& s) { return ReadActions(s, list); }).Ok);
  EXPECT_EQ(list, one);
  EXPECT_FALSE(list.Actions[0].Picture.has_value());
  EXPECT_FALSE(list.Actions[0].Font.has_value());
}

TEST(ActionStream, NestedListsRoundTripByteForByte) {
  const TAuActions list = RichList();
  const QByteArray bytes = ListBytes(list);
  TAuActions back;
  auto r = ReadBytesWith(bytes, [&](TStream& s) { return ReadActions(s, back); });
  ASSERT_TRUE(r.Ok);
  EXPECT_EQ(r.Pos, bytes.size());
  EXPECT_EQ(back, list);
  ASSERT_EQ(back.Actions[0].Actions1.Actions.size(), 1u);
  EXPECT_EQ(back.Actions[0].Actions1.Actions[0].Actions2.Actions[0].Command, ctExit);
  EXPECT_EQ(ListBytes(back), bytes);
}

TEST(ActionStream, VersionOneIsTheDataVersionError) {
  TAuActions list;
  auto r = ReadBytesWith(Hex("01000000 00000000"), [&](TStream& s) { return ReadActions(s, list); });
  EXPECT_FALSE(r.Ok);
  EXPECT_EQ(r.Error.Kind, TErrorKind::DataVersion);
  EXPECT_EQ(r.Error.Message(), QStringLiteral("Invalid data, maybe software version problem."));
  EXPECT_EQ(r.Error.Caption(), QStringLiteral("Data Error"));

  QByteArray action = WriteBytes([](TStream& s) { return WriteAction(s, TAuAction{}); });
  action[0] = 1;
  TAuAction a;
  r = ReadBytesWith(action, [&](TStream& s) { return ReadAction(s, a); });
  EXPECT_FALSE(r.Ok);
  EXPECT_EQ(r.Error.Kind, TErrorKind::DataVersion);
}

TEST(ActionStream, EveryTruncationFailsCleanly) {
  const QByteArray bytes = ListBytes(RichList());
  for (qsizetype n = 0; n < bytes.size(); ++n) {
    TAuActions list;
    auto r = ReadBytesWith(bytes.left(n), [&](TStream& s) { return ReadActions(s, list); });
    EXPECT_FALSE(r.Ok) << "prefix " << n;
    EXPECT_TRUE(r.Error.IsSet()) << "prefix " << n;
  }
}

TEST(ActionStream, ImpossibleCountFailsBeforeAllocating) {
  // A count far beyond what the bytes left could hold; a list keeps no records it could not read.
  for (const char* count : {"ffffff7f", "00000100", "02000000"}) {
    TAuActions list;
    const QByteArray bytes = Hex("00000000") + Hex(count) + QByteArray(46, '\0');
    auto r = ReadBytesWith(bytes, [&](TStream& s) { return ReadActions(s, list); });
    EXPECT_FALSE(r.Ok) << count;
    EXPECT_EQ(r.Error.Code, ActionCodes::ListRead) << count;
    EXPECT_TRUE(list.IsEmpty()) << count;
  }
}

TEST(ActionStream, FailingRecordKeepsTheStoredCount) {
  // Count 2, the first record good, the second cut short: both records stay, the second empty.
  TAuActions two;
  two.Actions.push_back(MakeAction(ctExit, QStringLiteral("a")));
  two.Actions.push_back(MakeAction(ctExit, QStringLiteral("b")));
  QByteArray bytes = ListBytes(two);
  bytes.truncate(bytes.size() - 1);
  bytes += QByteArray(60, '\x7f');  // junk keeps the count plausible but breaks the record
  TAuActions list;
  EXPECT_FALSE(ReadBytesWith(bytes, [&](TStream& s) { return ReadActions(s, list); }).Ok);
  ASSERT_EQ(list.Actions.size(), 2u);
  EXPECT_EQ(list.Actions[0].Param1, QStringLiteral("a"));
}

TEST(ActionStream, NestingDepthIsLimited) {
  TAuActions list;
  EXPECT_TRUE(
      ReadBytesWith(NestedListBytes(StreamLimits::MaxDepth - 1), [&](TStream& s) { return ReadActions(s, list); }).Ok);
  // The writer refuses what the reader would refuse.
  EXPECT_NE(ListBytes(list), QByteArray("<write failed>"));
  TAuActions deeper;
  deeper.Actions.emplace_back().Actions1 = list;
  EXPECT_EQ(ListBytes(deeper), QByteArray("<write failed>"));

  for (int levels : {StreamLimits::MaxDepth, 5000}) {
    TAuActions l;
    auto r = ReadBytesWith(NestedListBytes(levels), [&](TStream& s) { return ReadActions(s, l); });
    EXPECT_FALSE(r.Ok) << levels;
    EXPECT_EQ(r.Error.Code, ActionCodes::ListRead) << levels;
  }
}

TEST(ActionHint, NameAndSeparator) {
  EXPECT_EQ(HintToName(QStringLiteral("no separator")), QString());
  EXPECT_EQ(HintToName(QStringLiteral("Open\x01rest\x01more")), QStringLiteral("Open"));
  EXPECT_EQ(HintToName(QStringLiteral("\x01")), QString());
}

TEST(ActionHint, EncodesTheListStreamInTheFirstHalf) {
  const TAuActions list = RichList();
  const QByteArray stream = ListBytes(list);
  QString hint;
  ASSERT_TRUE(ActionsToHint(QStringLiteral("Item1"), list, hint));
  ASSERT_TRUE(hint.startsWith(QStringLiteral("Item1\x01")));
  const QString part = hint.mid(6);
  ASSERT_EQ(part.size(), stream.size());
  const QByteArray storage(reinterpret_cast<const char*>(part.utf16()), part.size() * 2);
  EXPECT_EQ(storage.left(stream.size()), stream);
  EXPECT_EQ(storage.mid(stream.size()), QByteArray(stream.size(), '\0'));

  TAuActions back;
  EXPECT_TRUE(HintToActions(hint, back));
  EXPECT_EQ(back, list);
  EXPECT_EQ(HintToName(hint), QStringLiteral("Item1"));
}

TEST(ActionHint, SecondHalfIsNeverRead) {
  const TAuActions list = RichList();
  QString hint;
  ASSERT_TRUE(ActionsToHint(QStringLiteral("N"), list, hint));
  const qsizetype n = hint.size() - 2;
  char* storage = reinterpret_cast<char*>(hint.data() + 2);
  std::memset(storage + n, 0xAB, size_t(n));
  TAuActions back;
  EXPECT_TRUE(HintToActions(hint, back));
  EXPECT_EQ(back, list);
}

TEST(ActionHint, EmptyRemainderIsAnEmptyList) {
  for (const QString& hint : {QString(), QStringLiteral("Name\x01")}) {
    TAuActions list = RichList();
    EXPECT_TRUE(HintToActions(hint, list));
    EXPECT_TRUE(list.IsEmpty());
  }
  QString hint;
  ASSERT_TRUE(ActionsToHint(QStringLiteral("Empty"), {}, hint));
  EXPECT_EQ(hint.size(), 6 + 8);
  TAuActions list = RichList();
  EXPECT_TRUE(HintToActions(hint, list));
  EXPECT_TRUE(list.IsEmpty());
}

TEST(ActionHint, TextThatIsNoActionListFails) {
  // Without a separator the whole text is taken as the list; plain text is no list.
  TAuActions list;
  TError error;
  EXPECT_FALSE(HintToActions(QStringLiteral("just a tooltip"), list, &error));
  EXPECT_TRUE(error.IsSet());
}

TEST(ActionClipboard, CountThenRecordsWithoutVersionWord) {
  QByteArray stream;
  ASSERT_TRUE(ActionsToClipboardStream({TAuAction{}}, stream));
  EXPECT_EQ(stream, Hex("01000000") + QByteArray(46, '\0'));
}

TEST(ActionClipboard, PasteAppendsInOrder) {
  const TAuActions rich = RichList();
  QByteArray stream;
  ASSERT_TRUE(ActionsToClipboardStream(rich.Actions, stream));
  TAuActions target;
  target.Actions.push_back(MakeAction(ctExit, QStringLiteral("kept")));
  EXPECT_TRUE(AppendActionsFromClipboardStream(stream, target));
  ASSERT_EQ(target.Actions.size(), 3u);
  EXPECT_EQ(target.Actions[0].Param1, QStringLiteral("kept"));
  EXPECT_EQ(target.Actions[1], rich.Actions[0]);
  EXPECT_EQ(target.Actions[2], rich.Actions[1]);
}

TEST(ActionClipboard, CountZeroAddsNothing) {
  TAuActions target = RichList();
  const TAuActions before = target;
  EXPECT_TRUE(AppendActionsFromClipboardStream(Hex("00000000"), target));
  EXPECT_EQ(target, before);
}

TEST(ActionClipboard, FailingRecordStopsThePasteKeepingEarlierOnes) {
  QByteArray stream;
  ASSERT_TRUE(ActionsToClipboardStream({MakeAction(ctExit, QStringLiteral("a")), TAuAction{}}, stream));
  stream.truncate(stream.size() - 1);
  TAuActions target;
  TError error;
  EXPECT_FALSE(AppendActionsFromClipboardStream(stream, target, &error));
  EXPECT_TRUE(error.IsSet());
  ASSERT_EQ(target.Actions.size(), 1u);
  EXPECT_EQ(target.Actions[0].Param1, QStringLiteral("a"));
}
