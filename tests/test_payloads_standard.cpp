// Payloads of the container and standard-control kinds: stored layout, round trips through the
// stream and the text form, damaged input, versions and the defaults of new objects.
#include <gtest/gtest.h>

#include <QBuffer>
#include <QJsonDocument>
#include <functional>
#include <limits>

#include "TestSupport.h"
#include "model/PayloadsStandard.h"

namespace {

// Builds expected stored bytes independently of the code under test.
class TBytes : public TBytesOf<TBytes> {
 public:
  TBytes& Back(const TPanelBack& b) {
    return I32(0)
        .Pic(b.Picture)
        .Str(b.Caption)
        .E8(b.Alignment)
        .E8(b.Layout)
        .E8(b.BackImageStyle)
        .E8(b.GradientStyle)
        .U32(b.GradientColor)
        .E8(b.Border)
        .E8(b.BorderStyle)
        .U32(b.HighlightColor)
        .U32(b.ShadowColor);
  }
};

QByteArray Bytes(const TObjectPayload& p) {
  return WriteBytes([&](TStream& s) { return p.Write(s); });
}

// Reads bytes into the payload; returns the result, the recorded error and the bytes left.
template <class P>
TReadResult ReadInto(const QByteArray& bytes, P& payload) {
  return ReadBytesWith(bytes, [&](TStream& s) { return payload.Read(s); });
}

// Sample values, each different from every default.
TFont SampleFont(int n) { return TFont{QStringLiteral("Arial %1").arg(n), 0x00123456u + n, -13 - n, 0xEE, 0xF5}; }
TPicture SamplePicture(char tag) { return TPicture{TGraphicKind::Png, QByteArray("\x89PNG fake ") + tag}; }

TPanelBack SampleBack() {
  TPanelBack b;
  b.Picture = TPicture{TGraphicKind::JPEG, QByteArray("\xFF\xD8 jpeg", 7)};
  b.Caption = QStringLiteral("Back \u00e9");
  b.Alignment = static_cast<TAlignment>(0x7F);  // unknown ordinals must survive too
  b.Layout = tlBottom;
  b.BackImageStyle = psAutoSize;
  b.GradientStyle = gsLeftRightMiddle;
  b.GradientColor = 0x00ABCDEF;
  b.Border = pbbBottomLine;
  b.BorderStyle = pbbsFlat;
  b.HighlightColor = 0xFFFFFFFF;
  b.ShadowColor = 0x00000001;
  return b;
}

struct TKindCase {
  const char* Name;
  TObjectType Kind;
  int WriteCode, ReadCode;
  std::function<std::unique_ptr<TObjectPayload>()> Sample;  // every stored field non-default
  std::function<QByteArray(const TObjectPayload&)> Layout;  // the sample's expected stored bytes
};

void PrintTo(const TKindCase& c, std::ostream* os) { *os << c.Name; }

template <class P>
TKindCase Case(const char* name, int writeCode, int readCode, std::function<void(P&)> fill,
               std::function<void(TBytes&, const P&)> layout) {
  return TKindCase{name,
                   P().Kind(),
                   writeCode,
                   readCode,
                   [fill] {
                     auto p = std::make_unique<P>();
                     fill(*p);
                     return std::unique_ptr<TObjectPayload>(std::move(p));
                   },
                   [layout](const TObjectPayload& p) {
                     TBytes b;
                     layout(b, dynamic_cast<const P&>(p));
                     return b.B;
                   }};
}

const std::vector<TKindCase>& KindCases() {
  static const std::vector<TKindCase> cases{
      Case<TPanelPayload>(
          "Panel", 4089, 4090,
          [](TPanelPayload& p) {
            p.PanelBack = SampleBack();
            p.Color = 0x00010203;
            p.BorderStyle = TBorderStyle::bsSingle;
            p.Font = SampleFont(1);
          },
          [](TBytes& b, const TPanelPayload& p) {
            b.I32(0).Back(p.PanelBack).U32(p.Color).E8(p.BorderStyle).Font(p.Font);
          }),
      Case<TTabNotebookPayload>(
          "TabNotebook", 4085, 4086,
          [](TTabNotebookPayload& p) {
            p.Font = SampleFont(2);
            p.Color = 0x00111111;
            p.IconWidth = 32;
            p.IconHeight = std::numeric_limits<int32_t>::min();
            p.DefaultActivePageIndex = 2;
            p.TabStop = false;
          },
          [](TBytes& b, const TTabNotebookPayload& p) {
            b.I32(0).Font(p.Font).U32(p.Color).I32(p.IconWidth).I32(p.IconHeight).I32(p.DefaultActivePageIndex).U8(0);
          }),
      Case<TTabSheetPayload>(
          "TabSheet", 4083, 4084,
          [](TTabSheetPayload& p) {
            p.Caption = QStringLiteral("Sheet");
            p.Icon = TPicture{TGraphicKind::Icon, QByteArray("\0\0\1\0", 4)};
          },
          [](TBytes& b, const TTabSheetPayload& p) { b.I32(0).Str(p.Caption).Pic(p.Icon); }),
      Case<TGroupBoxPayload>(
          "GroupBox", 4081, 4082,
          [](TGroupBoxPayload& p) {
            p.Caption = QStringLiteral("Group");
            p.Font = SampleFont(3);
            p.Color = 0x00222222;
          },
          [](TBytes& b, const TGroupBoxPayload& p) { b.I32(0).Str(p.Caption).Font(p.Font).U32(p.Color); }),
      Case<TScrollBoxPayload>(
          "ScrollBox", 4067, 4068,
          [](TScrollBoxPayload& p) {
            p.Color = 0x00333333;
            p.BorderStyle = static_cast<TBorderStyle>(0xFE);
            p.Font = SampleFont(4);
          },
          [](TBytes& b, const TScrollBoxPayload& p) { b.I32(0).U32(p.Color).U8(0xFE).Font(p.Font); }),
      Case<TSplitterPayload>(
          "Splitter", 4079, 4080,
          [](TSplitterPayload& p) {
            p.AutoSnap = false;
            p.Beveled = true;
            p.Color = 0x00444444;
            p.MinSize = 30;
            p.ResizeStyle = rsPattern;
          },
          [](TBytes& b, const TSplitterPayload& p) { b.I32(0).U8(0).U8(1).U32(p.Color).I32(30).U8(3); }),
      Case<TStandardButtonPayload>(
          "StandardButton", 4077, 4078,
          [](TStandardButtonPayload& p) {
            p.Caption = QStringLiteral("&OK");
            p.Font = SampleFont(5);
            p.Cancel = true;
            p.Default = true;
            p.TabStop = false;
            p.WordWrap = true;
          },
          [](TBytes& b, const TStandardButtonPayload& p) {
            b.I32(0).Str(p.Caption).Font(p.Font).U8(1).U8(1).U8(0).U8(1);
          }),
      Case<TImageButtonPayload>(
          "ImageButton", 4001, 4002,
          [](TImageButtonPayload& p) {
            p.Caption = QStringLiteral("Go");
            p.Font = SampleFont(6);
            p.FontOver = SampleFont(7);
            p.Image = SamplePicture('a');
            p.ImageOver = TPicture{TGraphicKind::GIF, QByteArray("GIF89a")};
            p.Hint = QStringLiteral("tip");
            p.Cursor = -21;
            p.ButtonStyle = TButtonStyle::bsTransparent;
            p.Margin = -1;
            p.Layout = ilCenterStretch;
            p.Space = 1234567;
            p.Slide = false;
          },
          [](TBytes& b, const TImageButtonPayload& p) {
            b.I32(0)
                .Str(p.Caption)
                .Font(p.Font)
                .Font(p.FontOver)
                .Pic(p.Image)
                .Pic(p.ImageOver)
                .Str(p.Hint)
                .I16(-21)
                .U8(4)
                .I32(-1)
                .U8(5)
                .I32(1234567)
                .U8(0);
          }),
      Case<TSimpleTextPayload>(
          "SimpleText", 4073, 4074,
          [](TSimpleTextPayload& p) {
            p.Caption = QStringLiteral("Label");
            p.Font = SampleFont(8);
            p.Alignment = taRightJustify;
            p.Layout = static_cast<TTextLayout>(0xFF);
            p.Color = 0x00555555;
            p.Transparent = false;
          },
          [](TBytes& b, const TSimpleTextPayload& p) {
            b.I32(0).Str(p.Caption).Font(p.Font).U8(1).U8(0xFF).U32(p.Color).U8(0);
          }),
      Case<TMultilineTextPayload>(
          "MultilineText", 4073, 4074,
          [](TMultilineTextPayload& p) {
            p.AnimActive = true;
            p.AnimStyle = 1;
            p.AnimStep = 3;
            p.AnimInterval = 40;
            p.AnimDelay = 500;
            p.AnimFromBottom = false;
            p.AnimRepeatCount = std::numeric_limits<int32_t>::max();
            p.Caption = QStringLiteral("Line 1\r\nLine 2");
            p.Font = SampleFont(9);
            p.Alignment = taCenter;
            p.Layout = tlCenter;
            p.Color = 0x00666666;
            p.Transparent = false;
          },
          [](TBytes& b, const TMultilineTextPayload& p) {
            b.I32(1).U8(1).I32(1).I32(3).I32(40).I32(500).U8(0).I32(std::numeric_limits<int32_t>::max());
            b.Str(p.Caption).Font(p.Font).U8(2).U8(1).U32(p.Color).U8(0);
          }),
      Case<TImagePayload>(
          "Image", 4075, 4076,
          [](TImagePayload& p) {
            p.Picture = SamplePicture('i');
            p.AutoSize = true;
            p.Center = true;
            p.Stretch = true;
            p.Transparent = true;
          },
          [](TBytes& b, const TImagePayload& p) { b.I32(0).Pic(p.Picture).U8(1).U8(1).U8(1).U8(1); }),
      Case<TBevelPayload>(
          "Bevel", 4065, 4066,
          [](TBevelPayload& p) {
            p.Style = TBevelStyle::bsRaised;
            p.Shape = TBevelShape::bsSpacer;
            p.HighlightColor = 0x00777777;
            p.ShadowColor = 0x00888888;
          },
          [](TBytes& b, const TBevelPayload& p) { b.I32(0).U8(1).U8(6).U32(p.HighlightColor).U32(p.ShadowColor); }),
      Case<TMemoPayload>(
          "Memo", 4071, 4072,
          [](TMemoPayload& p) {
            p.Lines = QStringLiteral("a\r\nb\r\n");
            p.Font = SampleFont(10);
            p.Alignment = taRightJustify;
            p.WordWrap = false;
            p.ScrollBars = ssBoth;
            p.Color = 0x00999999;
            p.BorderStyle = TBorderStyle::bsNone;
            p.TabStop = true;
          },
          [](TBytes& b, const TMemoPayload& p) {
            b.I32(0).Str(p.Lines).Font(p.Font).U8(1).U8(0).U8(3).U32(p.Color).U8(0).U8(1);
          }),
      Case<TRichTextPayload>(
          "RichText", 4069, 4070,
          [](TRichTextPayload& p) {
            p.Document = QByteArray("{\\rtf1\\ansi \0\xFF}", 15);
            p.Font = SampleFont(11);
            p.Alignment = taCenter;
            p.WordWrap = false;
            p.PlainText = true;
            p.ScrollBars = ssHorizontal;
            p.Color = 0x00AAAAAA;
            p.BorderStyle = TBorderStyle::bsNone;
            p.TabStop = true;
          },
          [](TBytes& b, const TRichTextPayload& p) {
            b.I32(0).I32(15).Block(p.Document).Font(p.Font).U8(2).U8(0).U8(1).U8(1).U32(p.Color).U8(0).U8(1);
          }),
  };
  return cases;
}

class PayloadsStandardKinds : public ::testing::TestWithParam<TKindCase> {};

// Every value of the sample differs from the fresh payload's, nested objects field by field, so
// the round trips below exercise every stored field.
void ExpectAllDiffer(const QJsonObject& sample, const QJsonObject& fresh, const QString& path) {
  EXPECT_EQ(sample.keys(), fresh.keys()) << path.toStdString();
  for (const QString& key : sample.keys()) {
    const QJsonValue a = sample.value(key), b = fresh.value(key);
    if (a.isObject() && b.isObject() && key != QLatin1String("Picture"))
      ExpectAllDiffer(a.toObject(), b.toObject(), path + u'.' + key);
    else
      EXPECT_NE(a, b) << (path + u'.' + key).toStdString();
  }
}

TEST_P(PayloadsStandardKinds, SampleDiffersFromDefaultsInEveryField) {
  const auto sample = GetParam().Sample();
  const auto fresh = NewStandardPayload(GetParam().Kind);
  ASSERT_TRUE(fresh);
  ExpectAllDiffer(sample->ToJson(), fresh->ToJson(), QString::fromLatin1(GetParam().Name));
  EXPECT_FALSE(sample->Equals(*fresh));
  EXPECT_FALSE(fresh->Equals(*sample));
}

TEST_P(PayloadsStandardKinds, StoredLayoutIsExact) {
  const auto sample = GetParam().Sample();
  EXPECT_EQ(Bytes(*sample).toHex(' ').toStdString(), GetParam().Layout(*sample).toHex(' ').toStdString());
}

TEST_P(PayloadsStandardKinds, StreamRoundTripKeepsEveryByte) {
  const auto sample = GetParam().Sample();
  const QByteArray bytes = Bytes(*sample);
  auto back = NewStandardPayload(GetParam().Kind);
  // Trailing bytes belong to whatever follows the payload and must stay unread.
  const TReadResult r = ReadInto(bytes + "tail", *back);
  ASSERT_TRUE(r.Ok);
  EXPECT_EQ(r.Left, 4);
  EXPECT_TRUE(back->Equals(*sample));
  EXPECT_EQ(Bytes(*back), bytes);
  EXPECT_EQ(back->Kind(), GetParam().Kind);

  const auto clone = sample->Clone();
  EXPECT_TRUE(clone->Equals(*sample));
  EXPECT_EQ(Bytes(*clone), bytes);
}

TEST_P(PayloadsStandardKinds, JsonRoundTripKeepsEveryByte) {
  const auto sample = GetParam().Sample();
  // Through the text itself, as a file would carry it.
  const QByteArray text = QJsonDocument(sample->ToJson()).toJson();
  auto back = NewStandardPayload(GetParam().Kind);
  QString error;
  ASSERT_TRUE(back->FromJson(QJsonDocument::fromJson(text).object(), error)) << error.toStdString();
  EXPECT_TRUE(back->Equals(*sample));
  EXPECT_EQ(Bytes(*back), Bytes(*sample));
}

TEST_P(PayloadsStandardKinds, EveryTruncationFailsCleanly) {
  const auto sample = GetParam().Sample();
  const QByteArray bytes = Bytes(*sample);
  const auto fresh = NewStandardPayload(GetParam().Kind);
  // A cut inside a nested record keeps that record's own code.
  const std::vector<int> codes{GetParam().ReadCode, PayloadCodes::PanelBackRead, StreamCodes::PictureRead,
                               StreamCodes::FontRead, StreamCodes::StringRead};
  for (int n = 0; n < bytes.size(); ++n) {
    auto p = NewStandardPayload(GetParam().Kind);
    const TReadResult r = ReadInto(bytes.left(n), *p);
    ASSERT_FALSE(r.Ok) << "cut at " << n;
    ASSERT_EQ(r.Error.Kind, TErrorKind::Stream) << "cut at " << n;
    ASSERT_NE(std::find(codes.begin(), codes.end(), r.Error.Code), codes.end())
        << "cut at " << n << " code " << r.Error.Code;
    ASSERT_TRUE(p->Equals(*fresh)) << "cut at " << n << " changed the payload";
  }
  // A cut inside the version word names the payload itself.
  auto p = NewStandardPayload(GetParam().Kind);
  EXPECT_EQ(ReadInto(bytes.left(3), *p).Error.Code, GetParam().ReadCode);
}

TEST_P(PayloadsStandardKinds, UnknownVersionIsRefusedAsDataVersion) {
  const int32_t version = GetParam().Kind == otMultilineText ? 2 : 1;
  QByteArray bytes = Bytes(*GetParam().Sample());
  bytes.replace(0, 4, TBytes().I32(version).B);
  auto p = NewStandardPayload(GetParam().Kind);
  const TReadResult r = ReadInto(bytes, *p);
  EXPECT_FALSE(r.Ok);
  EXPECT_EQ(r.Error.Kind, TErrorKind::DataVersion);
  EXPECT_EQ(r.Error.Message(), ErrorTexts::DataVersion);
  EXPECT_EQ(r.Error.Code, 0);
  bytes.replace(0, 4, TBytes().I32(-1).B);
  EXPECT_EQ(ReadInto(bytes, *p).Error.Kind, TErrorKind::DataVersion);
}

// A device that takes only so many bytes, like a full disk.
class TLimitedDevice : public QIODevice {
 public:
  explicit TLimitedDevice(qint64 limit) : FLimit(limit) { open(QIODevice::WriteOnly); }

 protected:
  qint64 readData(char*, qint64) override { return -1; }
  qint64 writeData(const char*, qint64 len) override {
    if (FWritten + len > FLimit) return -1;
    FWritten += len;
    return len;
  }

 private:
  qint64 FLimit;
  qint64 FWritten = 0;
};

TEST_P(PayloadsStandardKinds, EveryFailedWriteReportsFalseWithItsCode) {
  const auto sample = GetParam().Sample();
  const qint64 size = Bytes(*sample).size();
  const std::vector<int> codes{GetParam().WriteCode, PayloadCodes::PanelBackWrite, StreamCodes::PictureWrite,
                               StreamCodes::FontWrite, StreamCodes::StringWrite};
  for (qint64 limit = 0; limit < size; ++limit) {
    TLimitedDevice device(limit);
    TStream s(&device);
    ASSERT_FALSE(sample->Write(s)) << "limit " << limit;
    ASSERT_NE(std::find(codes.begin(), codes.end(), s.Error().Code), codes.end()) << "limit " << limit;
  }
  TLimitedDevice none(0);
  TStream s(&none);
  EXPECT_FALSE(sample->Write(s));
  EXPECT_EQ(s.Error().Code, GetParam().WriteCode);
  TLimitedDevice enough(size);
  TStream t(&enough);
  EXPECT_TRUE(sample->Write(t));
}

INSTANTIATE_TEST_SUITE_P(All, PayloadsStandardKinds, ::testing::ValuesIn(KindCases()),
                         [](const auto& info) { return std::string(info.param.Name); });

// ---- the background block ----

TEST(PayloadsStandardPanelBack, DefaultBlockBytes) {
  EXPECT_EQ(WriteBytes([](TStream& s) { return TPanelBack().Write(s); }).toHex(' ').toStdString(),
            Hex("00000000"                           // version
                "00000000"                           // no picture
                "05000000 5000 6100 6e00 6500 6c00"  // "Panel"
                "02 01 02 00"                        // taCenter, tlCenter, psStretch, gsNone
                "00000000"                           // gradient colour black
                "01 02"                              // pbbBox, pbbsRaised
                "140000FF 100000FF"                  // button highlight, button shadow
                )
                .toHex(' ')
                .toStdString());
}

TEST(PayloadsStandardPanelBack, BlockWithPictureFieldByField) {
  TPanelBack b;
  b.Picture = TPicture{TGraphicKind::Bitmap, QByteArray("BM", 2)};
  b.Caption.clear();
  b.Alignment = taRightJustify;
  b.Layout = tlBottom;
  b.BackImageStyle = psTile;
  b.GradientStyle = gsMiddleLeftRight;
  b.GradientColor = 0x00C08040;
  b.Border = pbbFrame;
  b.BorderStyle = pbbsLowered;
  b.HighlightColor = 0x00FFFFFF;
  b.ShadowColor = 0x00808080;
  EXPECT_EQ(WriteBytes([&](TStream& s) { return b.Write(s); }).toHex(' ').toStdString(),
            Hex("00000000"
                "07000000 5400 4200 6900 7400 6d00 6100 7000"  // "TBitmap"
                "02000000 424d"                                // 2 bytes
                "00000000"                                     // empty caption
                "01 02 03 06 40 80 C0 00 02 01 FFFFFF00 80808000")
                .toHex(' ')
                .toStdString());
}

TEST(PayloadsStandardPanelBack, GridSettingSurvivesReadingAndIsNotCompared) {
  TPanelPayload stored;
  stored.PanelBack.Caption = QStringLiteral("Stored");
  TPanelPayload target;
  target.PanelBack.PaintGrid = true;
  ASSERT_TRUE(ReadInto(Bytes(stored), target).Ok);
  EXPECT_TRUE(target.PanelBack.PaintGrid);
  EXPECT_EQ(target.PanelBack.Caption, QStringLiteral("Stored"));
  EXPECT_TRUE(target.Equals(stored));
  EXPECT_FALSE(target.ToJson().value(QStringLiteral("PanelBack")).toObject().contains(QStringLiteral("PaintGrid")));
}

// ---- multiline text versions ----

TEST(PayloadsStandardMultilineText, Version0ReadsWithAnimationFieldsKept) {
  const TFont font = SampleFont(1);
  const QByteArray v0 = TBytes().I32(0).Str(QStringLiteral("Hi")).Font(font).U8(2).U8(2).U32(0x123).U8(0).B;

  TMultilineTextPayload fresh;
  ASSERT_TRUE(ReadInto(v0, fresh).Ok);
  EXPECT_EQ(fresh.Caption, QStringLiteral("Hi"));
  EXPECT_EQ(fresh.Font, font);
  EXPECT_EQ(fresh.Alignment, taCenter);
  EXPECT_EQ(fresh.Layout, tlBottom);
  EXPECT_EQ(fresh.Color, 0x123u);
  EXPECT_FALSE(fresh.Transparent);
  EXPECT_TRUE(fresh.Equals([] {
    TMultilineTextPayload e;  // animation at the defaults
    e.Caption = QStringLiteral("Hi");
    e.Font = SampleFont(1);
    e.Alignment = taCenter;
    e.Layout = tlBottom;
    e.Color = 0x123;
    e.Transparent = false;
    return e;
  }()));
  // Written back it is a version 1 payload carrying the default animation.
  TBytes v1;
  v1.I32(1).U8(0).I32(0).I32(1).I32(25).I32(2000).U8(1).I32(0);  // the animation defaults
  v1.Str(QStringLiteral("Hi")).Font(font).U8(2).U8(2).U32(0x123).U8(0);
  EXPECT_EQ(Bytes(fresh).toHex(' ').toStdString(), v1.B.toHex(' ').toStdString());

  // Read over an existing object, a version 0 payload leaves its animation alone.
  TMultilineTextPayload animated;
  animated.AnimActive = true;
  animated.AnimDelay = 7;
  ASSERT_TRUE(ReadInto(v0, animated).Ok);
  EXPECT_TRUE(animated.AnimActive);
  EXPECT_EQ(animated.AnimDelay, 7);
}

// ---- damaged counts ----

TEST(PayloadsStandardDamaged, HugeCountsFailBeforeAllocating) {
  struct TCase {
    const char* Name;
    TObjectType Kind;
    QByteArray Bytes;
    int Code;
  };
  const TCase cases[] = {
      {"caption length", otGroupBox, TBytes().I32(0).I32(0x7FFFFFFF).U8('A').B, StreamCodes::StringRead},
      {"picture bytes", otImage, TBytes().I32(0).Str(QStringLiteral("TPngImage")).I32(0x7FFFFFF0).U8(1).B,
       StreamCodes::PictureRead},
      {"unknown picture class", otTabSheet, TBytes().I32(0).Str(QString()).Str(QStringLiteral("TFoo")).I32(0).B,
       StreamCodes::PictureRead},
      {"document length", otRichText, TBytes().I32(0).I32(0x7FFFFFF0).Block("{\\rtf1}").B, 4070},
      {"background caption", otPanel, TBytes().I32(0).I32(0).I32(0).I32(0x40000000).B, StreamCodes::StringRead},
      {"font name", otScrollBox, TBytes().I32(0).U32(0).U8(0).I32(0x10000000).B, StreamCodes::StringRead},
      {"font cut after its name", otScrollBox, TBytes().I32(0).U32(0).U8(0).Str(QStringLiteral("A")).U32(0).B,
       StreamCodes::FontRead},
  };
  for (const auto& c : cases) {
    auto p = NewStandardPayload(c.Kind);
    const TReadResult r = ReadInto(c.Bytes, *p);
    EXPECT_FALSE(r.Ok) << c.Name;
    EXPECT_EQ(r.Error.Code, c.Code) << c.Name;
    EXPECT_TRUE(p->Equals(*NewStandardPayload(c.Kind))) << c.Name;
  }
}

TEST(PayloadsStandardRichText, DocumentLengthsZeroAndNegativeReadAsEmpty) {
  TRichTextPayload sample;
  const QByteArray rest = Bytes(sample).mid(8);  // after version and the empty document's length
  for (int32_t n : {0, -5}) {
    TRichTextPayload p;
    p.Document = "old";
    const TReadResult r = ReadInto(TBytes().I32(0).I32(n).Block(rest).B, p);
    ASSERT_TRUE(r.Ok) << n;
    EXPECT_TRUE(p.Document.isEmpty()) << n;
    EXPECT_EQ(r.Left, 0) << n;
  }
}

// ---- the text form refuses what it cannot use ----

TEST(PayloadsStandardJson, BadValuesFailAndChangeNothing) {
  struct TCase {
    TObjectType Kind;
    const char* Json;
    const char* Field;
  };
  const TCase cases[] = {
      {otSimpleText, R"({"Alignment":"taMiddle"})", "Alignment"},
      {otSimpleText, R"({"Alignment":256})", "Alignment"},
      {otBevel, R"({"HighlightColor":"red"})", "HighlightColor"},
      {otPanel, R"({"PanelBack":5})", "PanelBack"},
      {otPanel, R"({"PanelBack":{"Border":"pbbCircle"}})", "Border"},
      {otRichText, R"({"Document":"!!not base64"})", "Document"},
      {otMultilineText, R"({"AnimStep":1.5})", "AnimStep"},
      {otImageButton, R"({"Cursor":40000})", "Cursor"},
      {otMemo, R"({"Font":{"Size":"big"}})", "Font"},
      {otTabSheet, R"({"Icon":{"Class":"TFoo","Data":"AAAA"}})", "Icon"},
      {otSplitter, R"({"AutoSnap":1, "MinSize":4})", "AutoSnap"},
  };
  for (const auto& c : cases) {
    auto p = NewStandardPayload(c.Kind);
    QString error;
    EXPECT_FALSE(p->FromJson(QJsonDocument::fromJson(c.Json).object(), error)) << c.Json;
    EXPECT_TRUE(error.contains(QLatin1String(c.Field))) << c.Json << " -> " << error.toStdString();
    EXPECT_TRUE(p->Equals(*NewStandardPayload(c.Kind))) << c.Json;
  }
}

TEST(PayloadsStandardJson, AbsentFieldsKeepTheirValuesAndNamesAreValueNames) {
  TBevelPayload p;
  QString error;
  ASSERT_TRUE(p.FromJson(QJsonDocument::fromJson(R"({"Shape":"bsSpacer"})").object(), error));
  EXPECT_EQ(p.Shape, TBevelShape::bsSpacer);
  EXPECT_EQ(p.Style, TBevelStyle::bsLowered);
  const QJsonObject j = p.ToJson();
  EXPECT_EQ(j.value(QStringLiteral("Style")).toString(), QStringLiteral("bsLowered"));
  EXPECT_EQ(j.value(QStringLiteral("HighlightColor")).toString(), QStringLiteral("0xFF000014"));
}

// ---- new objects ----

TEST(PayloadsStandardNew, KindsOfThisGroupOnly) {
  const std::vector<TObjectType> mine{otPanel,    otTabNotebook,    otTabSheet,    otGroupBox,     otScrollBox,
                                      otSplitter, otStandardButton, otImageButton, otSimpleText,   otImage,
                                      otBevel,    otMemo,           otRichText,    otMultilineText};
  for (int k = 0; k < 256; ++k) {
    const auto kind = static_cast<TObjectType>(k);
    auto p = NewStandardPayload(kind);
    const bool isMine = std::find(mine.begin(), mine.end(), kind) != mine.end();
    EXPECT_EQ(p != nullptr, isMine) << k;
    if (p) {
      EXPECT_EQ(p->Kind(), kind);
    }
  }
  // Two kinds share codes but not classes.
  EXPECT_FALSE(TSimpleTextPayload().Equals(TMultilineTextPayload()));
}

TEST(PayloadsStandardNew, DefaultsOfEachKind) {
  struct TCase {
    TObjectType Kind;
    QSize Size;
    std::function<void(const TObjectPayload&)> Check;
  };
  const TCase cases[] = {
      {otPanel,
       {193, 193},
       [](const TObjectPayload& o) {
         const auto& p = dynamic_cast<const TPanelPayload&>(o);
         EXPECT_EQ(p.BorderStyle, TBorderStyle::bsNone);
         EXPECT_EQ(p.PanelBack.Caption, QStringLiteral("Panel"));
         EXPECT_EQ(p.PanelBack.Border, pbbBox);
         EXPECT_EQ(p.PanelBack.BackImageStyle, psStretch);
         EXPECT_FALSE(p.PanelBack.PaintGrid);
       }},
      {otTabNotebook,
       {289, 193},
       [](const TObjectPayload& o) {
         EXPECT_EQ(dynamic_cast<const TTabNotebookPayload&>(o).DefaultActivePageIndex, 0);
       }},
      {otTabSheet,
       {289, 193},
       [](const TObjectPayload& o) { EXPECT_TRUE(dynamic_cast<const TTabSheetPayload&>(o).Icon.IsEmpty()); }},
      {otGroupBox, {193, 193}, nullptr},
      {otScrollBox, {289, 193}, nullptr},
      {otSplitter,
       {5, 100},
       [](const TObjectPayload& o) {
         const auto& p = dynamic_cast<const TSplitterPayload&>(o);
         EXPECT_EQ(p.ResizeStyle, rsUpdate);
         EXPECT_EQ(p.MinSize, 1);
       }},
      {otStandardButton, {97, 25}, nullptr},
      {otImageButton,
       {129, 33},
       [](const TObjectPayload& o) {
         const auto& p = dynamic_cast<const TImageButtonPayload&>(o);
         EXPECT_EQ(p.Caption, QStringLiteral("New ImageButton"));
         TFont blue = p.Font;
         blue.Color = 0xFF0000;
         EXPECT_EQ(p.FontOver, blue);
         EXPECT_EQ(p.ButtonStyle, TButtonStyle::bsThemes);
         EXPECT_EQ(p.Margin, 10);
         EXPECT_EQ(p.Space, 5);
         EXPECT_EQ(p.Layout, ilLeft);
         EXPECT_TRUE(p.Slide);
         EXPECT_TRUE(p.Image.IsEmpty() && p.ImageOver.IsEmpty());
       }},
      {otSimpleText,
       {97, 17},
       [](const TObjectPayload& o) { EXPECT_TRUE(dynamic_cast<const TSimpleTextPayload&>(o).Transparent); }},
      {otMultilineText,
       {193, 193},
       [](const TObjectPayload& o) {
         const auto& p = dynamic_cast<const TMultilineTextPayload&>(o);
         EXPECT_FALSE(p.AnimActive);
         EXPECT_EQ(p.AnimStyle, 0);
         EXPECT_EQ(p.AnimStep, 1);
         EXPECT_EQ(p.AnimInterval, 25);
         EXPECT_EQ(p.AnimDelay, 2000);
         EXPECT_TRUE(p.AnimFromBottom);
         EXPECT_EQ(p.AnimRepeatCount, 0);
         EXPECT_TRUE(p.Transparent);
       }},
      {otImage,
       {193, 193},
       [](const TObjectPayload& o) {
         const auto& p = dynamic_cast<const TImagePayload&>(o);
         EXPECT_FALSE(p.AutoSize || p.Center || p.Stretch || p.Transparent);
       }},
      {otBevel,
       {193, 193},
       [](const TObjectPayload& o) {
         const auto& p = dynamic_cast<const TBevelPayload&>(o);
         EXPECT_EQ(p.Style, TBevelStyle::bsLowered);
         EXPECT_EQ(p.Shape, TBevelShape::bsBox);
         EXPECT_EQ(p.HighlightColor, 0xFF000014u);
         EXPECT_EQ(p.ShadowColor, 0xFF000010u);
       }},
      {otMemo,
       {193, 193},
       [](const TObjectPayload& o) {
         const auto& p = dynamic_cast<const TMemoPayload&>(o);
         EXPECT_EQ(p.ScrollBars, ssVertical);
         EXPECT_TRUE(p.WordWrap);
         EXPECT_FALSE(p.TabStop);
       }},
      {otRichText,
       {193, 193},
       [](const TObjectPayload& o) {
         const auto& p = dynamic_cast<const TRichTextPayload&>(o);
         EXPECT_EQ(p.ScrollBars, ssVertical);
         EXPECT_FALSE(p.PlainText);
         EXPECT_FALSE(p.TabStop);
         EXPECT_TRUE(p.Document.isEmpty());
       }},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(GetObjectTypeName(c.Kind).toStdString());
    auto p = NewStandardPayload(c.Kind);
    ASSERT_TRUE(p);
    EXPECT_EQ(p->DefaultSize(), c.Size);
    if (c.Check) c.Check(*p);
  }
}

TEST(PayloadsStandardNew, FirstTextLandsInTheVisibleText) {
  struct TCase {
    TObjectType Kind;
    QStringList Path;  // where the text shows in the text form; empty: the kind shows none
  };
  const TCase cases[] = {
      {otPanel, {QStringLiteral("PanelBack"), QStringLiteral("Caption")}},
      {otTabSheet, {QStringLiteral("Caption")}},
      {otGroupBox, {QStringLiteral("Caption")}},
      {otStandardButton, {QStringLiteral("Caption")}},
      {otImageButton, {QStringLiteral("Caption")}},
      {otSimpleText, {QStringLiteral("Caption")}},
      {otMultilineText, {QStringLiteral("Caption")}},
      {otMemo, {QStringLiteral("Lines")}},
      {otTabNotebook, {}},
      {otScrollBox, {}},
      {otSplitter, {}},
      {otImage, {}},
      {otBevel, {}},
      {otRichText, {}},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(GetObjectTypeName(c.Kind).toStdString());
    auto p = NewStandardPayload(c.Kind);
    const QJsonObject before = p->ToJson();
    p->SetFirstText(QStringLiteral("Name7"));
    QJsonObject expected = before;
    if (c.Path.size() == 1) expected[c.Path[0]] = QStringLiteral("Name7");
    if (c.Path.size() == 2) {
      QJsonObject inner = expected[c.Path[0]].toObject();
      inner[c.Path[1]] = QStringLiteral("Name7");
      expected[c.Path[0]] = inner;
    }
    EXPECT_EQ(p->ToJson(), expected);
  }
}

// ---- tab notebook helpers ----

TEST(PayloadsStandardTabNotebook, PageShownAfterLoadAndTabIcons) {
  TTabNotebookPayload n;
  struct TCase {
    int32_t Default;
    int Pages;
    int Shown;
  };
  const TCase cases[] = {{2, 3, 2}, {0, 3, 0}, {1, 2, 1}, {5, 3, 1}, {-1, 1, 0}, {0, 0, -1}, {3, 1, 0}};
  for (const auto& c : cases) {
    n.DefaultActivePageIndex = c.Default;
    EXPECT_EQ(n.ActivePageAfterLoad(c.Pages), c.Shown) << c.Default << " of " << c.Pages;
  }

  TTabSheetPayload withIcon, without;
  withIcon.Icon = TPicture{TGraphicKind::Icon, QByteArray("ico")};
  EXPECT_EQ(withIcon.ImageIndex(2), 2);
  EXPECT_EQ(without.ImageIndex(2), -1);

  TAuObject notebook;
  notebook.ObjectType = otTabNotebook;
  for (int i = 0; i < 2; ++i) {
    auto child = NewAuObject();
    child->ObjectType = otTabSheet;
    child->ObjectName = QStringLiteral("TabSheet%1").arg(notebook.Objects.size() + 1);
    notebook.Objects.push_back(std::move(child));
  }
  const auto sheets = TabSheetsOf(notebook);
  ASSERT_EQ(sheets.size(), 2u);
  EXPECT_EQ(sheets[1]->ObjectName, QStringLiteral("TabSheet2"));
}

}  // namespace
