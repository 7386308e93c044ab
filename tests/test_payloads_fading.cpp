#include <gtest/gtest.h>

#include <QBuffer>
#include <QJsonDocument>
#include <functional>

#include "TestSupport.h"
#include "model/PayloadsFading.h"

namespace {

// Builds expected stored bytes field by field, independently of the writers under test.
class TBytes : public TBytesOf<TBytes> {
 public:
  TBytes& Fade(const TFadeParam& f) {
    return I32(0)
        .I32(f.NormalAlpha)
        .U8(f.MouseAlphaEnabled)
        .I32(f.MouseOverAlpha)
        .U8(f.Fade)
        .I32(f.FadeInStep)
        .I32(f.FadeOutStep)
        .I32(f.MouseDownAlpha)
        .I32(f.FadeOutStep);
  }
  TBytes& Effect(const TAAEffect& e) {
    return I32(e.Alpha)
        .I32(e.Angle)
        .I32(e.Blur)
        .U8(e.HorzMirror)
        .I32(e.Noise)
        .U8(e.Outline)
        .I32(e.Spray)
        .U8(e.VertMirror)
        .U8(e.Gradual.Enabled)
        .Col(e.Gradual.EndColor)
        .Col(e.Gradual.StartColor)
        .U8(e.Gradual.Style)
        .I32(e.Shadow.Alpha)
        .I32(e.Shadow.Blur)
        .Col(e.Shadow.Color)
        .U8(e.Shadow.Enabled)
        .I32(e.Shadow.OffsetX)
        .I32(e.Shadow.OffsetY)
        .U8(e.Texture.Enabled)
        .U8(e.Texture.Mode)
        .Pic(e.Texture.Picture);
  }
  TBytes& Anim(const TTextAnimParams& a) {
    return U8(a.AnimActive)
        .I32(a.AnimInStyle)
        .I32(a.AnimInFromValue)
        .I32(a.AnimInStep)
        .I32(a.AnimInInterval)
        .I32(a.AnimInDelay)
        .I32(a.AnimOutStyle)
        .I32(a.AnimOutToValue)
        .I32(a.AnimOutStep)
        .I32(a.AnimOutInterval)
        .I32(a.AnimOutDelay)
        .I32(a.AnimRepeatCount);
  }
};

QByteArray WritePayload(const TObjectPayload& p) {
  return WriteBytes([&](TStream& s) { return p.Write(s); });
}

TReadResult ReadPayload(TObjectPayload& p, const QByteArray& bytes) {
  return ReadBytesWith(bytes, [&](TStream& s) { return p.Read(s); });
}

// Values unlike every default, including values outside an enumeration's names, unknown font
// style bits, system colours and negative numbers where a field is widened with its sign.
TFont OddFont() {
  TFont f;
  f.Name = QStringLiteral("Arial");
  f.Color = 0x123456;
  f.Size = 14;
  f.Charset = 0;
  f.Style = 0xF2;
  return f;
}

TPicture OddPicture() { return {TGraphicKind::Png, QByteArray("\x89PNG\r\n\x1a\n-bytes-kept-as-stored", 30)}; }

TFadeParam OddFade(bool mouseAlphaEnabled) {
  return {.NormalAlpha = 33,
          .MouseAlphaEnabled = mouseAlphaEnabled,
          .MouseOverAlpha = 77,
          .MouseDownAlpha = 66,
          .Fade = false,
          .FadeInStep = 3,
          .FadeOutStep = 4};
}

TAAEffect OddEffect() {
  TAAEffect e;
  e.Alpha = 55;
  e.Blur = 66;
  e.Gradual = {.Enabled = true, .Style = gsCenterToTB, .StartColor = 0x0A0B0C, .EndColor = 0x00FF00};
  e.Shadow = {.Enabled = false, .Blur = 200, .Alpha = 250, .Color = 0xFF000010, .OffsetX = -3, .OffsetY = -20};
  e.Texture = {.Enabled = false, .Picture = OddPicture(), .Mode = TTextureMode(9)};
  e.Outline = true;
  e.Noise = 255;
  e.Spray = 101;
  e.Angle = -360;
  e.HorzMirror = true;
  e.VertMirror = true;
  return e;
}

TTextAnimParams OddAnim() {
  return {.AnimActive = true,
          .AnimInStyle = 2,
          .AnimInFromValue = -150,
          .AnimInStep = 4,
          .AnimInInterval = 5,
          .AnimInDelay = 6,
          .AnimOutStyle = 7,
          .AnimOutToValue = 8,
          .AnimOutStep = 9,
          .AnimOutInterval = 10,
          .AnimOutDelay = 11,
          .AnimRepeatCount = 12};
}

struct TKindCase {
  const char* Name;
  TObjectType Kind;
  int32_t WrittenVersion;
  std::function<std::unique_ptr<TObjectPayload>()> Make;  // every field unlike its default
  std::function<QByteArray(const TObjectPayload&)> Expected;
};

template <class P>
const P& As(const TObjectPayload& p) {
  return dynamic_cast<const P&>(p);
}

std::vector<TKindCase> KindCases() {
  std::vector<TKindCase> cases;
  cases.push_back({"FadeButton", otFadeButton, 0,
                   [] {
                     auto p = std::make_unique<TFadeButtonPayload>();
                     p->Caption = QStringLiteral("Go");
                     p->Font = OddFont();
                     p->Picture = OddPicture();
                     p->Margin = -7;
                     p->Layout = TImageLayout(200);
                     p->Space = 9;
                     p->BackColor = 0xFF00000F;
                     p->BorderColor = 0x010203;
                     p->FadeParam = OddFade(false);
                     return p;
                   },
                   [](const TObjectPayload& q) {
                     const auto& p = As<TFadeButtonPayload>(q);
                     return TBytes()
                         .I32(0)
                         .Str(p.Caption)
                         .Font(p.Font)
                         .Pic(p.Picture)
                         .I32(p.Margin)
                         .U8(p.Layout)
                         .I32(p.Space)
                         .Col(p.BackColor)
                         .Col(p.BorderColor)
                         .Fade(p.FadeParam)
                         .B;
                   }});
  cases.push_back({"FadeLabel", otLabel, 1,
                   [] {
                     auto p = std::make_unique<TFadeLabelPayload>();
                     static_cast<TTextAnimParams&>(*p) = OddAnim();
                     p->Alignment = taRightJustify;
                     p->AutoSize = true;
                     p->Layout = tlBottom;
                     p->Transparent = false;
                     p->Border = 3;
                     p->Caption = QStringLiteral("Hello \u00e9\u4e16");
                     p->Font = OddFont();
                     p->FontEffect = OddEffect();
                     p->FadeParam = OddFade(true);
                     return p;
                   },
                   [](const TObjectPayload& q) {
                     const auto& p = As<TFadeLabelPayload>(q);
                     return TBytes()
                         .I32(1)
                         .Anim(p)
                         .U8(p.Alignment)
                         .U8(p.AutoSize)
                         .U8(p.Layout)
                         .U8(p.Transparent)
                         .I32(p.Border)
                         .Str(p.Caption)
                         .Font(p.Font)
                         .Effect(p.FontEffect)
                         .Fade(p.FadeParam)
                         .B;
                   }});
  cases.push_back({"FadeText", otText, 1,
                   [] {
                     auto p = std::make_unique<TFadeTextPayload>();
                     static_cast<TTextAnimParams&>(*p) = OddAnim();
                     p->Lines = QStringLiteral("Line 1\r\nLine 2");
                     p->Alignment = taCenter;
                     p->AutoSize = true;
                     p->Transparent = false;
                     p->Color = 0xABCDEF;
                     p->Font = OddFont();
                     p->RowPitch = -100;
                     p->Border = 4;
                     p->FontEffect = OddEffect();
                     p->FadeParam = OddFade(true);
                     return p;
                   },
                   [](const TObjectPayload& q) {
                     const auto& p = As<TFadeTextPayload>(q);
                     return TBytes()
                         .I32(1)
                         .Anim(p)
                         .Str(p.Lines)
                         .U8(p.Alignment)
                         .U8(p.AutoSize)
                         .U8(0)
                         .U8(p.Transparent)
                         .Col(p.Color)
                         .Font(p.Font)
                         .I32(p.RowPitch)
                         .I32(p.Border)
                         .Effect(p.FontEffect)
                         .Fade(p.FadeParam)
                         .B;
                   }});
  cases.push_back({"Shape", otShape, 1,
                   [] {
                     auto p = std::make_unique<TShapePayload>();
                     p->AnimActive = true;
                     p->AnimInStyle = 6;
                     p->AnimInStep = 2;
                     p->AnimInInterval = 30;
                     p->AnimInDelay = 500;
                     p->AnimInFromMargin = true;
                     p->AnimOutStyle = 5;
                     p->AnimOutStep = 3;
                     p->AnimOutInterval = 40;
                     p->AnimOutDelay = 700;
                     p->AnimOutToMargin = true;
                     p->LeftMargin = 11;
                     p->RightMargin = 12;
                     p->TopMargin = 13;
                     p->BottomMargin = 14;
                     p->AnimRepeatCount = 2;
                     p->Color = 0x112233;
                     p->Gradient = 1001;
                     p->GradientColor = 0x445566;
                     p->Round = 8;
                     p->Shape = -1;
                     p->BorderWidth = 0;
                     p->BorderColor = 0x778899;
                     p->Caption = QStringLiteral("Star");
                     p->Font = OddFont();
                     p->Alignment = taLeftJustify;
                     p->Layout = TTextLayout(7);
                     p->Margin = 0;
                     p->FadeParam = OddFade(true);
                     p->Picture = OddPicture();
                     return p;
                   },
                   [](const TObjectPayload& q) {
                     const auto& p = As<TShapePayload>(q);
                     return TBytes()
                         .I32(1)
                         .U8(p.AnimActive)
                         .I32(p.AnimInStyle)
                         .I32(p.AnimInStep)
                         .I32(p.AnimInInterval)
                         .I32(p.AnimInDelay)
                         .U8(p.AnimInFromMargin)
                         .I32(p.AnimOutStyle)
                         .I32(p.AnimOutStep)
                         .I32(p.AnimOutInterval)
                         .I32(p.AnimOutDelay)
                         .U8(p.AnimOutToMargin)
                         .I32(p.LeftMargin)
                         .I32(p.RightMargin)
                         .I32(p.TopMargin)
                         .I32(p.BottomMargin)
                         .I32(p.AnimRepeatCount)
                         .Col(p.Color)
                         .I32(p.Gradient)
                         .Col(p.GradientColor)
                         .I32(p.Round)
                         .I32(p.Shape)
                         .I32(p.BorderWidth)
                         .Col(p.BorderColor)
                         .Str(p.Caption)
                         .Font(p.Font)
                         .U8(p.Alignment)
                         .U8(p.Layout)
                         .I32(p.Margin)
                         .Fade(p.FadeParam)
                         .Pic(p.Picture)
                         .B;
                   }});
  cases.push_back({"Balloon", otBalloon, 0,
                   [] {
                     auto p = std::make_unique<TBalloonPayload>();
                     p->Font = OddFont();
                     p->Caption = QStringLiteral("Tip");
                     p->Alignment = taRightJustify;
                     p->Layout = tlTop;
                     p->Margin = 1;
                     p->Arrow = 0;
                     p->BorderColor = 0x0000FF;
                     p->Color = 0xFFFFFF;
                     p->FadeParam = OddFade(true);
                     return p;
                   },
                   [](const TObjectPayload& q) {
                     const auto& p = As<TBalloonPayload>(q);
                     return TBytes()
                         .I32(0)
                         .Font(p.Font)
                         .Str(p.Caption)
                         .U8(p.Alignment)
                         .U8(p.Layout)
                         .I32(p.Margin)
                         .I32(p.Arrow)
                         .Col(p.BorderColor)
                         .Col(p.Color)
                         .Fade(p.FadeParam)
                         .B;
                   }});
  cases.push_back({"Note", otNote, 0,
                   [] {
                     auto p = std::make_unique<TNotePayload>();
                     p->Font = OddFont();
                     p->Caption = QStringLiteral("Memo");
                     p->Alignment = taCenter;
                     p->Margin = 2;
                     p->Graphic = 14;
                     p->Round = 9;
                     p->BackColor = 0x00FF00;
                     p->Flat = true;
                     p->Shadow = false;
                     p->FadeParam = OddFade(true);
                     return p;
                   },
                   [](const TObjectPayload& q) {
                     const auto& p = As<TNotePayload>(q);
                     return TBytes()
                         .I32(0)
                         .Font(p.Font)
                         .Str(p.Caption)
                         .U8(p.Alignment)
                         .I32(p.Margin)
                         .I32(p.Graphic)
                         .I32(p.Round)
                         .Col(p.BackColor)
                         .U8(p.Flat)
                         .U8(p.Shadow)
                         .Fade(p.FadeParam)
                         .B;
                   }});
  cases.push_back({"SlideShow", otSlideShow, 0,
                   [] {
                     auto p = std::make_unique<TSlideShowPayload>();
                     p->Folder = QStringLiteral("\\pics");
                     p->Interval = 500;
                     p->Play = false;
                     p->Loop = false;
                     p->FadeParam = OddFade(true);
                     return p;
                   },
                   [](const TObjectPayload& q) {
                     const auto& p = As<TSlideShowPayload>(q);
                     return TBytes().I32(0).Str(p.Folder).I32(p.Interval).U8(p.Play).U8(p.Loop).Fade(p.FadeParam).B;
                   }});
  cases.push_back({"WebBrowser", otWebBrowser, 0,
                   [] {
                     auto p = std::make_unique<TWebBrowserPayload>();
                     p->BrowserType = 2;
                     p->URL = QStringLiteral("\\site\\index.html");
                     return p;
                   },
                   [](const TObjectPayload& q) {
                     const auto& p = As<TWebBrowserPayload>(q);
                     return TBytes().I32(0).I32(p.BrowserType).Str(p.URL).B;
                   }});
  cases.push_back(
      {"MediaPlayer", otMediaPlayer, 0,
       [] {
         auto p = std::make_unique<TMediaPlayerPayload>();
         p->Active = false;
         p->ControlBar = false;
         p->Border = false;
         p->IsRepeat = false;
         p->MediaFile = QStringLiteral("\\movie.avi");
         return p;
       },
       [](const TObjectPayload& q) {
         const auto& p = As<TMediaPlayerPayload>(q);
         return TBytes().I32(0).U8(p.Active).U8(p.ControlBar).U8(p.Border).U8(p.IsRepeat).Str(p.MediaFile).B;
       }});
  cases.push_back({"FlashPlayer", otFlashPlayer, 0,
                   [] {
                     auto p = std::make_unique<TFlashPlayerPayload>();
                     p->Color = 0x000080;
                     p->BorderStyle = TBorderStyle::bsNone;
                     p->Loop = false;
                     p->ContextMenu = false;
                     p->MovieFile = QStringLiteral("\\intro.swf");
                     return p;
                   },
                   [](const TObjectPayload& q) {
                     const auto& p = As<TFlashPlayerPayload>(q);
                     return TBytes()
                         .I32(0)
                         .Col(p.Color)
                         .U8(static_cast<uint8_t>(p.BorderStyle))
                         .U8(p.Loop)
                         .U8(p.ContextMenu)
                         .Str(p.MovieFile)
                         .B;
                   }});
  cases.push_back({"PDFReader", otPDFReader, 0,
                   [] {
                     auto p = std::make_unique<TPDFReaderPayload>();
                     p->Color = 0x00FF00;
                     p->BorderStyle = TBorderStyle(5);
                     p->FileName = QStringLiteral("\\manual.pdf");
                     return p;
                   },
                   [](const TObjectPayload& q) {
                     const auto& p = As<TPDFReaderPayload>(q);
                     return TBytes().I32(0).Col(p.Color).U8(static_cast<uint8_t>(p.BorderStyle)).Str(p.FileName).B;
                   }});
  return cases;
}

// Every leaf of the default's JSON differs in the other: the case really sets every field.
void ExpectEveryLeafDiffers(const QJsonObject& defaults, const QJsonObject& other, const QString& path) {
  for (auto it = defaults.begin(); it != defaults.end(); ++it) {
    const QString at = path + u'.' + it.key();
    ASSERT_TRUE(other.contains(it.key())) << qPrintable(at);
    const QJsonValue o = other.value(it.key());
    if (it.value().isObject() && o.isObject())
      ExpectEveryLeafDiffers(it.value().toObject(), o.toObject(), at);
    else
      EXPECT_NE(it.value(), o) << qPrintable(at) << " still has its default";
  }
}

}  // namespace

// ---- shared blocks ----

TEST(FadingBlocks, FadeParamIsThirtyBytesWithTheFadeOutStepTwice) {
  const TFadeParam p = OddFade(true);
  const QByteArray bytes = WriteBytes([&](TStream& s) { return WriteFadeParam(s, p); });
  EXPECT_EQ(bytes.size(), FadeParamBlockSize);
  EXPECT_EQ(bytes.toHex(), Hex("00000000 21000000 01 4D000000 00 03000000 04000000 42000000 04000000").toHex());

  TFadeParam back;
  auto r = ReadBytesWith(bytes, [&](TStream& s) { return ReadFadeParam(s, back); });
  ASSERT_TRUE(r.Ok);
  EXPECT_EQ(r.Left, 0);
  EXPECT_EQ(back, p);
}

TEST(FadingBlocks, FadeParamReadTakesTheSecondFadeOutStep) {
  TFadeParam p;
  auto r = ReadBytesWith(Hex("00000000 64000000 00 64000000 01 0A000000 05000000 32000000 07000000"),
                         [&](TStream& s) { return ReadFadeParam(s, p); });
  ASSERT_TRUE(r.Ok);
  EXPECT_EQ(p.FadeOutStep, 7);
  // Writing it back makes both copies agree, so the next reader sees the same step.
  EXPECT_EQ(WriteBytes([&](TStream& s) { return WriteFadeParam(s, p); }).mid(18, 4), Hex("07000000"));
  EXPECT_EQ(WriteBytes([&](TStream& s) { return WriteFadeParam(s, p); }).mid(26, 4), Hex("07000000"));
}

TEST(FadingBlocks, FadeParamWithAnotherVersionIsRefusedUnchanged) {
  TFadeParam p = OddFade(true);
  auto r = ReadBytesWith(Hex("01000000 64000000 00 64000000 01 0A000000 05000000 32000000 07000000"),
                         [&](TStream& s) { return ReadFadeParam(s, p); });
  EXPECT_FALSE(r.Ok);
  EXPECT_EQ(r.Error.Kind, TErrorKind::DataVersion);
  EXPECT_EQ(p, OddFade(true));
}

TEST(FadingBlocks, AnimationBlockIsFortyFiveBytes) {
  TTextAnimParams a = OddAnim();
  a.AnimInFromValue = 3;
  const QByteArray bytes = WriteBytes([&](TStream& s) {
    WriteTextAnimation(s, a);
    return true;
  });
  EXPECT_EQ(bytes.size(), TextAnimBlockSize);
  EXPECT_EQ(bytes.toHex(), Hex("01 02000000 03000000 04000000 05000000 06000000 07000000 08000000 09000000 0A000000 "
                               "0B000000 0C000000")
                               .toHex());
  // In a fade label it follows the version word directly.
  TFadeLabelPayload label;
  static_cast<TTextAnimParams&>(label) = a;
  EXPECT_EQ(WritePayload(label).mid(4, TextAnimBlockSize), bytes);
}

TEST(FadingBlocks, TextEffectStoredForm) {
  TAAEffect e = OddEffect();
  e.Angle = -90;
  e.Shadow.Enabled = true;
  e.Texture.Picture.Clear();
  e.Texture.Mode = tmNormal;
  e.VertMirror = false;
  const QByteArray bytes = WriteBytes([&](TStream& s) { return WriteTextEffect(s, e); });
  EXPECT_EQ(bytes.toHex(), Hex("37000000 A6FFFFFF 42000000 01 FF000000 01 65000000 00 01 00FF0000 0C0B0A00 05 "
                               "FA000000 C8000000 100000FF 01 FDFFFFFF ECFFFFFF 00 03 00000000")
                               .toHex());
  TAAEffect back;
  auto r = ReadBytesWith(bytes, [&](TStream& s) { return ReadTextEffect(s, back); });
  ASSERT_TRUE(r.Ok);
  EXPECT_EQ(r.Left, 0);
  EXPECT_EQ(back, e);
  EXPECT_EQ(back.Angle, -90);
  EXPECT_EQ(back.Shadow.OffsetX, -3);
  EXPECT_EQ(back.Shadow.OffsetY, -20);
}

TEST(FadingBlocks, TextEffectReaderKeepsOnlyTheLowBits) {
  TAAEffect e;
  e.Angle = -90;
  e.Shadow.OffsetX = -3;
  QByteArray bytes = WriteBytes([&](TStream& s) { return WriteTextEffect(s, e); });
  bytes.replace(4, 4, Hex("A6FF0100"));   // angle with stray upper bits
  bytes.replace(46, 4, Hex("FD563412"));  // offset with stray upper bits
  bytes.replace(0, 4, Hex("64010000"));   // alpha 0x164: the byte is 0x64
  TAAEffect back;
  ASSERT_TRUE(ReadBytesWith(bytes, [&](TStream& s) { return ReadTextEffect(s, back); }).Ok);
  EXPECT_EQ(back.Angle, -90);
  EXPECT_EQ(back.Shadow.OffsetX, -3);
  EXPECT_EQ(back.Alpha, 100);
  // Written back in the canonical widened form.
  const QByteArray again = WriteBytes([&](TStream& s) { return WriteTextEffect(s, back); });
  EXPECT_EQ(again.mid(4, 4), Hex("A6FFFFFF"));
  EXPECT_EQ(again.mid(46, 4), Hex("FDFFFFFF"));
  EXPECT_EQ(again.mid(0, 4), Hex("64000000"));
}

// ---- every kind ----

TEST(FadingPayloads, StoredFormAndRoundTripOfEveryKind) {
  for (const auto& c : KindCases()) {
    SCOPED_TRACE(c.Name);
    const auto odd = c.Make();
    const auto fresh = NewFadingPayload(c.Kind);
    ASSERT_TRUE(fresh);
    EXPECT_EQ(odd->Kind(), c.Kind);
    ExpectEveryLeafDiffers(fresh->ToJson(), odd->ToJson(), QString::fromLatin1(c.Name));

    const QByteArray bytes = WritePayload(*odd);
    EXPECT_EQ(bytes.toHex(), c.Expected(*odd).toHex());
    EXPECT_EQ(bytes.left(4), TBytes().I32(c.WrittenVersion).B);

    auto r = ReadPayload(*fresh, bytes);
    ASSERT_TRUE(r.Ok) << qPrintable(r.Error.Message());
    EXPECT_EQ(r.Left, 0);
    EXPECT_TRUE(fresh->Equals(*odd));
    EXPECT_EQ(WritePayload(*fresh), bytes);

    const auto copy = odd->Clone();
    EXPECT_TRUE(copy->Equals(*odd));
    EXPECT_FALSE(NewFadingPayload(c.Kind)->Equals(*odd));
  }
}

TEST(FadingPayloads, JsonRoundTripOfEveryKind) {
  for (const auto& c : KindCases()) {
    SCOPED_TRACE(c.Name);
    const auto odd = c.Make();
    // Through the text form, as a project dump would carry it.
    const QByteArray text = QJsonDocument(odd->ToJson()).toJson();
    const QJsonObject parsed = QJsonDocument::fromJson(text).object();
    auto back = NewFadingPayload(c.Kind);
    QString error;
    ASSERT_TRUE(back->FromJson(parsed, error)) << qPrintable(error);
    EXPECT_TRUE(back->Equals(*odd));
    EXPECT_EQ(WritePayload(*back), WritePayload(*odd));
  }
}

TEST(FadingPayloads, JsonNamesFieldsAndEnumerationValues) {
  const auto label = KindCases()[1].Make();
  const QJsonObject j = label->ToJson();
  EXPECT_EQ(j.value("Layout").toString(), "tlBottom");
  EXPECT_EQ(j.value("Alignment").toString(), "taRightJustify");
  EXPECT_EQ(j.value("AnimInFromValue").toInt(), -150);
  const QJsonObject effect = j.value("FontEffect").toObject();
  EXPECT_EQ(effect.value("Angle").toInt(), -360);
  EXPECT_EQ(effect.value("Gradual").toObject().value("Style").toString(), "gsCenterToTB");
  EXPECT_EQ(effect.value("Shadow").toObject().value("OffsetY").toInt(), -20);
  EXPECT_EQ(effect.value("Texture").toObject().value("Mode").toString(), "9");  // no name: kept as its number
  EXPECT_EQ(j.value("FadeParam").toObject().value("FadeInStep").toInt(), 3);
}

TEST(FadingPayloads, JsonWithAnUnusableValueChangesNothing) {
  TFadeLabelPayload label;
  const auto before = label.Clone();
  QJsonObject j = label.ToJson();
  QJsonObject effect = j.value("FontEffect").toObject();
  QJsonObject shadow = effect.value("Shadow").toObject();
  shadow.insert("OffsetX", 200);
  effect.insert("Shadow", shadow);
  j.insert("FontEffect", effect);
  j.insert("Caption", "changed");
  QString error;
  EXPECT_FALSE(label.FromJson(j, error));
  EXPECT_TRUE(error.contains("FontEffect.Shadow.OffsetX")) << qPrintable(error);
  EXPECT_TRUE(label.Equals(*before));

  QJsonObject bad = label.ToJson();
  bad.insert("Layout", "tlSideways");
  EXPECT_FALSE(label.FromJson(bad, error));
  EXPECT_TRUE(label.Equals(*before));
}

TEST(FadingPayloads, VersionZeroKeepsTheAnimationDefaults) {
  struct Case {
    const char* Name;
    TObjectType Kind;
    int AnimBytes;
  };
  // Shape animation: 3 flags and 13 integers; label and text: the 45-byte block.
  for (const Case& c : {Case{"FadeLabel", otLabel, 45}, Case{"FadeText", otText, 45}, Case{"Shape", otShape, 55}}) {
    SCOPED_TRACE(c.Name);
    std::unique_ptr<TObjectPayload> odd;
    for (const auto& k : KindCases())
      if (k.Kind == c.Kind) odd = k.Make();
    QByteArray bytes = WritePayload(*odd);
    bytes.remove(4, c.AnimBytes);
    bytes.replace(0, 4, Hex("00000000"));

    auto fresh = NewFadingPayload(c.Kind);
    auto r = ReadPayload(*fresh, bytes);
    ASSERT_TRUE(r.Ok) << qPrintable(r.Error.Message());
    EXPECT_EQ(r.Left, 0);

    // Everything but the animation as stored; the animation as a new object has it.
    auto expected = odd->Clone();
    if (c.Kind == otShape) {
      auto& s = dynamic_cast<TShapePayload&>(*expected);
      const TShapeFields defaults;
      s.AnimActive = defaults.AnimActive;
      s.AnimInStyle = defaults.AnimInStyle;
      s.AnimInStep = defaults.AnimInStep;
      s.AnimInInterval = defaults.AnimInInterval;
      s.AnimInDelay = defaults.AnimInDelay;
      s.AnimInFromMargin = defaults.AnimInFromMargin;
      s.AnimOutStyle = defaults.AnimOutStyle;
      s.AnimOutStep = defaults.AnimOutStep;
      s.AnimOutInterval = defaults.AnimOutInterval;
      s.AnimOutDelay = defaults.AnimOutDelay;
      s.AnimOutToMargin = defaults.AnimOutToMargin;
      s.LeftMargin = defaults.LeftMargin;
      s.RightMargin = defaults.RightMargin;
      s.TopMargin = defaults.TopMargin;
      s.BottomMargin = defaults.BottomMargin;
      s.AnimRepeatCount = defaults.AnimRepeatCount;
    } else {
      dynamic_cast<TTextAnimParams&>(*expected) = TTextAnimParams{};
    }
    EXPECT_TRUE(fresh->Equals(*expected));
    // Written again it is a current (version 1) payload.
    EXPECT_EQ(WritePayload(*fresh).left(4), Hex("01000000"));
  }
}

TEST(FadingPayloads, UnknownVersionsAreRefusedWithTheDataVersionError) {
  for (const auto& c : KindCases()) {
    SCOPED_TRACE(c.Name);
    for (int32_t version : {c.WrittenVersion + 1, -1}) {
      QByteArray bytes = WritePayload(*c.Make());
      bytes.replace(0, 4, TBytes().I32(version).B);
      auto p = NewFadingPayload(c.Kind);
      auto r = ReadPayload(*p, bytes);
      EXPECT_FALSE(r.Ok);
      EXPECT_EQ(r.Error.Kind, TErrorKind::DataVersion) << version;
      EXPECT_TRUE(p->Equals(*NewFadingPayload(c.Kind)));
    }
  }
}

TEST(FadingPayloads, TruncationAtEveryOffsetFailsAndChangesNothing) {
  for (const auto& c : KindCases()) {
    SCOPED_TRACE(c.Name);
    const QByteArray bytes = WritePayload(*c.Make());
    for (int n = 0; n < bytes.size(); ++n) {
      auto p = NewFadingPayload(c.Kind);
      auto r = ReadPayload(*p, bytes.left(n));
      ASSERT_FALSE(r.Ok) << "prefix " << n;
      EXPECT_EQ(r.Error.Kind, TErrorKind::Stream) << "prefix " << n;
      ASSERT_TRUE(p->Equals(*NewFadingPayload(c.Kind))) << "prefix " << n;
    }
  }
}

TEST(FadingPayloads, ErrorCodesOfTruncatedPayloads) {
  TBalloonPayload balloon;
  const QByteArray b = WritePayload(balloon);
  // Cut inside the balloon's own fields, then inside its fade settings.
  EXPECT_EQ(ReadPayload(balloon, b.left(b.size() - FadeParamBlockSize - 2)).Error.Code, FadingCodes::BalloonRead);
  EXPECT_EQ(ReadPayload(balloon, b.left(b.size() - 2)).Error.Code, FadeCodes::FadeParamRead);
  // The text effect of a label reports its own code.
  TFadeLabelPayload label;
  const QByteArray l = WritePayload(label);
  EXPECT_EQ(ReadPayload(label, l.left(l.size() - FadeParamBlockSize - 10)).Error.Code, FadeCodes::TextEffectRead);
  // The media kinds have no code of their own.
  TPDFReaderPayload pdf;
  EXPECT_EQ(ReadPayload(pdf, Hex("00000000 FFFFFF00")).Error.Code, 0);
  EXPECT_EQ(ReadPayload(pdf, Hex("00000000 FFFFFF00")).Error.Kind, TErrorKind::Stream);
}

// ---- defaults ----

TEST(FadingPayloads, NewPayloadsCarryTheKindDefaults) {
  for (int k = 0; k < ObjectTypeCount; ++k) {
    const auto kind = TObjectType(k);
    const bool mine = (kind >= otFadeButton && kind <= otSlideShow) || (kind >= otWebBrowser && kind <= otPDFReader);
    auto p = NewFadingPayload(kind);
    EXPECT_EQ(bool(p), mine) << k;
    if (p) {
      EXPECT_EQ(p->Kind(), kind);
    }
  }
  EXPECT_FALSE(NewFadingPayload(TObjectType(25)));

  const TFadeParam base;
  EXPECT_EQ(base.NormalAlpha, 100);
  EXPECT_FALSE(base.MouseAlphaEnabled);
  EXPECT_EQ(base.MouseDownAlpha, 50);
  EXPECT_EQ(base.FadeInStep, 10);
  EXPECT_TRUE(base.Fade);

  TFadeButtonPayload button;
  EXPECT_EQ(button.BackColor, 0xFFC080u);
  EXPECT_EQ(button.BorderColor, 0xFFEEDDu);
  EXPECT_EQ(button.FadeParam.NormalAlpha, 10);
  EXPECT_TRUE(button.FadeParam.MouseAlphaEnabled);
  EXPECT_EQ(button.FadeParam.MouseOverAlpha, 50);
  EXPECT_EQ(button.FadeParam.MouseDownAlpha, 30);
  EXPECT_EQ(button.Font.Style & fsBold, fsBold);
  EXPECT_EQ(button.DefaultSize(), QSize(193, 49));

  TFadeLabelPayload label;
  EXPECT_EQ(label.Caption, "New Label");
  EXPECT_EQ(label.Layout, tlCenter);
  EXPECT_FALSE(label.AutoSize);
  EXPECT_TRUE(label.FontEffect.Shadow.Enabled);
  EXPECT_TRUE(label.FontEffect.Texture.Enabled);
  EXPECT_EQ(label.FontEffect.Gradual.StartColor, label.Font.Color);
  EXPECT_EQ(label.FontEffect.Gradual.EndColor, clWhite);
  EXPECT_EQ(label.FontEffect.Shadow.Blur, 80);
  EXPECT_EQ(label.FontEffect.Shadow.OffsetX, 2);
  EXPECT_EQ(label.AnimInDelay, 2000);
  EXPECT_EQ(label.AnimOutToValue, 1);
  EXPECT_EQ(label.DefaultSize(), QSize(97, 17));

  TFadeTextPayload text;
  EXPECT_EQ(text.Lines, "New Text");
  EXPECT_TRUE(text.Transparent);
  EXPECT_EQ(text.RowPitch, 0);
  EXPECT_EQ(text.DefaultSize(), QSize(193, 193));

  TShapePayload shape;
  EXPECT_EQ(shape.Color, 0x00FFFFu);
  EXPECT_EQ(shape.Round, 30);
  EXPECT_EQ(shape.BorderWidth, 4);
  EXPECT_EQ(shape.BorderColor, 0x02C5FDu);
  EXPECT_EQ(shape.Margin, 10);
  EXPECT_EQ(shape.AnimInInterval, 25);
  EXPECT_EQ(shape.Font.Style & fsBold, fsBold);

  TBalloonPayload balloon;
  EXPECT_EQ(balloon.Caption, "New Balloon");
  EXPECT_EQ(balloon.Margin, 12);
  EXPECT_EQ(balloon.Arrow, 7);
  EXPECT_EQ(balloon.Color, 0x02C5FDu);
  EXPECT_EQ(balloon.Font.Style & fsBold, fsBold);
  EXPECT_EQ(balloon.DefaultSize(), QSize(193, 65));

  TNotePayload note;
  EXPECT_EQ(note.BackColor, 0xFF3E00u);
  EXPECT_EQ(note.Graphic, 13);
  EXPECT_EQ(note.Alignment, taLeftJustify);
  EXPECT_TRUE(note.Shadow);
  EXPECT_EQ(note.Font.Color, clWhite);
  EXPECT_EQ(note.Font.Style & fsBold, fsBold);

  TSlideShowPayload slides;
  EXPECT_EQ(slides.Interval, 2000);
  EXPECT_TRUE(slides.Play);
  EXPECT_TRUE(slides.Loop);
  EXPECT_EQ(TSlideShowPayload::Gradient, 1001);
  EXPECT_EQ(TSlideShowPayload::Shape, -1);

  EXPECT_EQ(TWebBrowserPayload().DefaultSize(), QSize(289, 193));
  EXPECT_EQ(TWebBrowserPayload().BrowserType, 0);
  EXPECT_TRUE(TMediaPlayerPayload().ControlBar);
  EXPECT_TRUE(TMediaPlayerPayload().IsRepeat);
  EXPECT_EQ(TFlashPlayerPayload().Color, clWhite);
  EXPECT_TRUE(TFlashPlayerPayload().ContextMenu);
  EXPECT_EQ(TPDFReaderPayload().Color, clWhite);
  EXPECT_EQ(TPDFReaderPayload().DefaultSize(), QSize(289, 193));
}

TEST(FadingPayloads, FirstTextGoesToTheCaptionOrLines) {
  const QString name = QStringLiteral("Object7");
  for (TObjectType kind : {otFadeButton, otLabel, otBalloon, otNote, otText, otShape, otSlideShow}) {
    auto p = NewFadingPayload(kind);
    p->SetFirstText(name);
    const QJsonObject j = p->ToJson();
    const QString shown = kind == otText ? j.value("Lines").toString() : j.value("Caption").toString();
    if (kind == otShape || kind == otSlideShow)
      EXPECT_NE(shown, name) << int(kind);  // these show no text of their own
    else
      EXPECT_EQ(shown, name) << int(kind);
  }
}
