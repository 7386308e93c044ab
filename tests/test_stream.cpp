// Stream primitives: exact encodings, round trips, and how damaged data fails.
#include <gtest/gtest.h>

#include <QBuffer>
#include <QImage>
#include <QPainter>

#include "TestSupport.h"
#include "model/Stream.h"
#include "render/PictureDecode.h"

namespace {
// Reads from a copy of bytes with a fresh stream.
template <class F>
bool ReadFrom(const QByteArray& bytes, F&& reader, TError* error = nullptr) {
  const TReadResult r = ReadBytesWith(bytes, reader);
  if (error) *error = r.Error;
  return r.Ok;
}
}  // namespace

TEST(StreamPrimitives, StringEncodings) {
  struct Case {
    QString Text;
    QByteArray Bytes;
  };
  const Case cases[] = {
      {QString(), Hex("00000000")},
      {QStringLiteral("AB"), Hex("02000000 4100 4200")},
      {QString::fromUtf16(u"\u00e9\U0001F600"), Hex("03000000 e900 3dd8 00de")},  // UTF-16 units, not chars
  };
  for (const auto& c : cases) {
    EXPECT_EQ(WriteBytes([&](TStream& s) { return WriteString(s, c.Text); }), c.Bytes) << c.Text.toStdString();
    QString back = QStringLiteral("junk");
    ASSERT_TRUE(ReadFrom(c.Bytes, [&](TStream& s) { return ReadString(s, back); }));
    EXPECT_EQ(back, c.Text);
  }
  // A negative count reads as the empty string.
  QString back = QStringLiteral("junk");
  EXPECT_TRUE(ReadFrom(Hex("ffffffff"), [&](TStream& s) { return ReadString(s, back); }));
  EXPECT_TRUE(back.isEmpty());
}

TEST(StreamPrimitives, DamagedStringsFailWithTheirCode) {
  const QByteArray cases[] = {
      Hex("0200"),                // count cut short
      Hex("02000000 4100"),       // fewer units than counted
      Hex("ffffff7f 4100 4200"),  // absurd count: refused before any allocation
  };
  for (const auto& bytes : cases) {
    QString v;
    TError e;
    EXPECT_FALSE(ReadFrom(
        bytes, [&](TStream& s) { return ReadString(s, v); }, &e));
    EXPECT_EQ(e.Kind, TErrorKind::Stream);
    EXPECT_EQ(e.Code, 5210);
  }
}

TEST(StreamPrimitives, FontRoundTripAndLayout) {
  TFont f;
  f.Name = QStringLiteral("Tahoma");
  f.Color = 0xFF000008;
  f.Size = -12;
  f.Charset = 0xEE;
  f.Style = fsBold | fsStrikeOut;
  const QByteArray bytes = WriteBytes([&](TStream& s) { return WriteFont(s, f); });
  EXPECT_EQ(bytes, Hex("06000000 5400 6100 6800 6f00 6d00 6100  080000ff  f4ffffff  ee  09"));
  TFont back;
  back.Name = QStringLiteral("Other");
  ASSERT_TRUE(ReadFrom(bytes, [&](TStream& s) { return ReadFont(s, back); }));
  EXPECT_EQ(back, f);

  // A face name that cannot be read leaves the font untouched.
  TFont untouched;
  TError e;
  EXPECT_FALSE(ReadFrom(
      Hex("09000000 4100"), [&](TStream& s) { return ReadFont(s, untouched); }, &e));
  EXPECT_EQ(untouched, TFont{});
  EXPECT_EQ(e.Code, 5210);  // the string's own code wins over the font's
  // A font cut after its name fails with the font's code.
  EXPECT_FALSE(ReadFrom(
      bytes.left(bytes.size() - 1), [&](TStream& s) { return ReadFont(s, untouched); }, &e));
  EXPECT_EQ(e.Code, 5208);
}

namespace {
QImage TestImage(int w, int h) {
  QImage image(w, h, QImage::Format_ARGB32);
  image.fill(Qt::transparent);
  QPainter p(&image);
  p.fillRect(0, 0, w / 2, h, QColor(200, 30, 40));
  p.fillRect(w / 2, h / 2, w - w / 2, h - h / 2, QColor(10, 120, 250, 128));
  return image;
}

// An animated GIF with three frames of different colours, made here.
QByteArray ThreeFrameGif() {
  // Header, logical screen 2x2 with a 4-colour global table, NETSCAPE loop extension, then three
  // 2x2 frames, each filled with one palette index (LZW minimum code size 2).
  QByteArray gif =
      Hex("474946383961 0200 0200 f1 00 00"
          "ff0000 00ff00 0000ff ffffff"
          "21ff0b 4e45545343415045322e30 03 01 0000 00");
  for (int colour = 0; colour < 3; ++colour) {
    gif += Hex("21f904 00 0a00 00 00");       // graphic control: 100 ms delay
    gif += Hex("2c 0000 0000 0200 0200 00");  // image descriptor
    // LZW codes for four pixels of one index: clear (4), the index four times, end (5). Codes
    // start 3 bits wide and widen to 4 once the table reaches 8 entries; packed LSB first.
    const int seq[] = {4, colour, colour, colour, colour, 5};
    QByteArray codes;
    quint32 acc = 0;
    int bits = 0, width = 3, next = 6;
    for (int i = 0; i < 6; ++i) {
      acc |= quint32(seq[i]) << bits;
      bits += width;
      while (bits >= 8) {
        codes += char(acc & 0xFF);
        acc >>= 8;
        bits -= 8;
      }
      if (i >= 2 && i < 5 && ++next > 7) width = 4;
    }
    if (bits > 0) codes += char(acc & 0xFF);
    gif += char(2);  // LZW minimum code size
    gif += char(codes.size());
    gif += codes;
    gif += char(0);
  }
  gif += char(0x3B);
  return gif;
}
}  // namespace

TEST(StreamPrimitives, PictureRoundTripsEveryKindByteForByte) {
  const QImage image = TestImage(16, 12);
  struct Case {
    TGraphicKind Kind;
    const char* ClassName;
  };
  const Case cases[] = {{TGraphicKind::Png, "TPngImage"},
                        {TGraphicKind::JPEG, "TJPEGImage"},
                        {TGraphicKind::Bitmap, "TBitmap"},
                        {TGraphicKind::Icon, "TIcon"}};
  for (const auto& c : cases) {
    const TPicture picture = EncodePicture(image, c.Kind);
    ASSERT_FALSE(picture.IsEmpty()) << c.ClassName;
    const QByteArray bytes = WriteBytes([&](TStream& s) { return WritePicture(s, picture); });
    // Class name, then the byte count, then exactly the graphic's own bytes.
    const QByteArray name = WriteBytes([&](TStream& s) { return WriteString(s, QLatin1String(c.ClassName)); });
    ASSERT_TRUE(bytes.startsWith(name));
    EXPECT_EQ(bytes.mid(name.size() + 4), picture.Data);
    TPicture back;
    ASSERT_TRUE(ReadFrom(bytes, [&](TStream& s) { return ReadPicture(s, back); }));
    EXPECT_EQ(back, picture);
    EXPECT_EQ(WriteBytes([&](TStream& s) { return WritePicture(s, back); }), bytes);
    const QImage decoded = DecodePicture(back);
    ASSERT_FALSE(decoded.isNull()) << c.ClassName;
    EXPECT_EQ(decoded.size(), image.size());
    EXPECT_EQ(GraphicKindName(back), QLatin1String(c.ClassName + 1));
  }
}

TEST(StreamPrimitives, AnimatedGifDecodesEveryFrame) {
  TPicture gif{TGraphicKind::GIF, ThreeFrameGif()};
  const QByteArray bytes = WriteBytes([&](TStream& s) { return WritePicture(s, gif); });
  TPicture back;
  ASSERT_TRUE(ReadFrom(bytes, [&](TStream& s) { return ReadPicture(s, back); }));
  EXPECT_EQ(back.Data, gif.Data);
  const auto frames = DecodePictureFrames(back);
  ASSERT_EQ(frames.size(), 3u);
  const QRgb expected[] = {qRgb(255, 0, 0), qRgb(0, 255, 0), qRgb(0, 0, 255)};
  for (int i = 0; i < 3; ++i) {
    EXPECT_EQ(frames[i].Image.pixel(1, 1), expected[i]) << "frame " << i;
    EXPECT_EQ(frames[i].DelayMs, 100);
  }
}

TEST(StreamPrimitives, PictureEdgeCases) {
  // No graphic and an empty graphic are both four zero bytes.
  EXPECT_EQ(WriteBytes([](TStream& s) { return WritePicture(s, TPicture{}); }), Hex("00000000"));
  EXPECT_EQ(WriteBytes([](TStream& s) { return WritePicture(s, TPicture{TGraphicKind::Png, {}}); }), Hex("00000000"));
  TPicture back{TGraphicKind::Png, "x"};
  ASSERT_TRUE(ReadFrom(Hex("00000000"), [&](TStream& s) { return ReadPicture(s, back); }));
  EXPECT_TRUE(back.IsEmpty());
  EXPECT_EQ(GraphicKindName(back), QStringLiteral("None"));

  const QByteArray lowerName = WriteBytes([](TStream& s) { return WriteString(s, QStringLiteral("tpngimage")); });
  const QByteArray unknownName = WriteBytes([](TStream& s) { return WriteString(s, QStringLiteral("TSvgImage")); });
  struct Case {
    const char* What;
    QByteArray Bytes;
    bool Ok;
  };
  const Case cases[] = {
      {"lower-case class name", lowerName + Hex("03000000 010203"), true},
      {"unknown class name", unknownName + Hex("03000000 010203"), false},
      {"byte count beyond the stream", lowerName + Hex("04000000 010203"), false},
      {"byte count missing", lowerName + Hex("0400"), false},
  };
  for (const auto& c : cases) {
    TPicture p;
    TError e;
    EXPECT_EQ(ReadFrom(
                  c.Bytes, [&](TStream& s) { return ReadPicture(s, p); }, &e),
              c.Ok)
        << c.What;
    if (c.Ok) {
      EXPECT_EQ(p.Kind, TGraphicKind::Png);
      EXPECT_EQ(p.Data, Hex("010203"));
      // Bytes that do not decode are kept and draw nothing.
      EXPECT_TRUE(DecodePicture(p).isNull());
    } else {
      EXPECT_EQ(e.Code, 5206) << c.What;
    }
  }
}

TEST(StreamPrimitives, VersionWord) {
  TError e;
  int32_t v = -1;
  EXPECT_TRUE(ReadFrom(Hex("00000000"), [&](TStream& s) { return ReadVersion(s, v); }));
  EXPECT_EQ(v, 0);
  // A version of 1 is the data-version error: its own caption and text, no stream-error code.
  EXPECT_FALSE(ReadFrom(
      Hex("01000000"), [&](TStream& s) { return Guarded(s, 5514, [&] { return CheckVersion(s); }); }, &e));
  EXPECT_EQ(e.Kind, TErrorKind::DataVersion);
  EXPECT_EQ(e.Caption(), QStringLiteral("Data Error"));
  EXPECT_EQ(e.Message(), QStringLiteral("Invalid data, maybe software version problem."));
  EXPECT_EQ(e.Icon(), TMsgIcon::Information);
  EXPECT_EQ(e.Code, 0);
  // Records that write version 1 accept it.
  EXPECT_TRUE(ReadFrom(Hex("01000000"), [&](TStream& s) { return ReadVersion(s, v, 1); }));
  EXPECT_FALSE(ReadFrom(Hex("02000000"), [&](TStream& s) { return ReadVersion(s, v, 1); }));
}

TEST(StreamPrimitives, TruncatedRecordFailsAtEveryOffset) {
  // A record built of every primitive kind, read back cut at every byte.
  TFont font;
  font.Name = QStringLiteral("Arial");
  const TPicture picture = EncodePicture(TestImage(4, 4), TGraphicKind::Png);
  auto write = [&](TStream& s) {
    return Guarded(s, 9001, [&] {
      WriteVersion(s);
      s.WriteInt(-7);
      s.WriteBool(true);
      s.Write<int16_t>(-2);
      s.WriteDouble(1.5);
      WriteStringOrAbort(s, QStringLiteral("hello"));
      return WriteFont(s, font) && WritePicture(s, picture);
    });
  };
  auto read = [&](TStream& s) {
    return Guarded(s, 9002, [&] {
      if (!CheckVersion(s)) return false;
      if (s.ReadInt() != -7 || !s.ReadBool() || s.Read<int16_t>() != -2 || s.ReadDouble() != 1.5) return false;
      if (ReadStringOrAbort(s) != QStringLiteral("hello")) return false;
      TFont f;
      TPicture p;
      return ReadFont(s, f) && ReadPicture(s, p) && f == font && p == picture;
    });
  };
  const QByteArray full = WriteBytes(write);
  ASSERT_TRUE(ReadFrom(full, read));
  SaveFuzzSeed("primitives", QStringLiteral("record"), full.mid(4 + 4 + 1 + 2 + 8));
  for (int cut = 0; cut < full.size(); ++cut) {
    TError e;
    EXPECT_FALSE(ReadFrom(full.left(cut), read, &e)) << "cut at " << cut;
    EXPECT_TRUE(e.IsSet()) << "cut at " << cut;
  }
}

TEST(StreamPrimitives, ErrorTexts) {
  TError e = TError::Stream(5206, 2);
  EXPECT_EQ(e.Message(), SystemErrorText(2) + QStringLiteral(" (Error Code: 2/5206)."));
  EXPECT_EQ(e.Caption(), QStringLiteral("Error"));
  EXPECT_EQ(e.Icon(), TMsgIcon::Error);
  e = TError::File(105, QStringLiteral("/p/autorun.mvdsk"), 13);
  EXPECT_EQ(e.Message(),
            QStringLiteral("\"/p/autorun.mvdsk\", ") + SystemErrorText(13) + QStringLiteral(" (Error Code: 13/105)."));

  // Reported once through the messages service.
  Recorded().Shown.clear();
  ReportError(e);
  ASSERT_EQ(Recorded().Shown.size(), 1u);
  EXPECT_EQ(Recorded().Shown[0].Caption, QStringLiteral("Error"));
  EXPECT_EQ(Recorded().Shown[0].Text, e.Message());
}

TEST(StreamPrimitives, WritersAndReadersWithoutStreamFail) {
  TStream none(nullptr);
  QString text;
  EXPECT_FALSE(WriteString(none, QStringLiteral("x")));
  EXPECT_FALSE(ReadString(none, text));
}
