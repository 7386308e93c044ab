// Picture decoding against hostile pictures (one budget per picture over all its frames) and the
// cache of decoded pictures.
#include <gtest/gtest.h>
#include <sys/resource.h>
#include <unistd.h>

#include <QBuffer>
#include <QCoreApplication>
#include <QElapsedTimer>
#include <QFile>
#include <QImageReader>
#include <QImageWriter>
#include <QProcess>
#include <cstdio>
#include <functional>

#include "TestSupport.h"
#include "render/PictureCache.h"
#include "render/PictureDecode.h"

#if defined(__SANITIZE_ADDRESS__)
#define PICTURE_TEST_ASAN 1
#elif defined(__has_feature)
#if __has_feature(address_sanitizer)
#define PICTURE_TEST_ASAN 1
#endif
#endif

namespace {
class TBytes : public TBytesOf<TBytes> {
 public:
  TBytes& U16(int v) { return Le(uint32_t(v), 2); }
  TBytes& U24(int v) { return Le(uint32_t(v), 3); }
  TBytes& Be32(uint32_t v) {
    for (int i = 3; i >= 0; --i) B.append(char((v >> (8 * i)) & 0xFF));
    return *this;
  }
  TBytes& Tag(const char* tag) { return Block(QByteArray(tag)); }
  // A PNG-style chunk: length, type, data, CRC-32 of type and data.
  TBytes& Chunk(const char* type, const QByteArray& data) {
    const QByteArray typed = QByteArray(type) + data;
    uint32_t crc = 0xFFFFFFFFu;
    for (const char c : typed) {
      crc ^= uint8_t(c);
      for (int k = 0; k < 8; ++k) crc = (crc >> 1) ^ (0xEDB88320u & (0u - (crc & 1u)));
    }
    return Be32(uint32_t(data.size())).Block(typed).Be32(~crc);
  }
};

QByteArray Encoded(const QImage& image, const char* format, int quality = -1) {
  QBuffer buffer;
  buffer.open(QIODevice::WriteOnly);
  QImageWriter writer(&buffer, format);
  writer.setQuality(quality);
  return writer.write(image) ? buffer.data() : QByteArray();
}

QImage Filled(QSize size, QRgb colour, QImage::Format format = QImage::Format_ARGB32) {
  QImage image(size, format);
  image.fill(colour);
  return image;
}

// Where frame i of an animation puts its one pixel.
QPoint PixelOf(int i, QSize canvas) { return {i % canvas.width(), (i / canvas.width()) % canvas.height()}; }

// An animated GIF: a canvas, a 4-colour global table, the loop extension, then one-pixel frames of
// 100 ms, each an image descriptor of 1x1 and the LZW codes clear, colour, end (3 bits each).
QByteArray GifAnimation(QSize canvas, int frames) {
  TBytes g;
  g.Tag("GIF89a").U16(canvas.width()).U16(canvas.height()).U8(0xF1).U8(0).U8(0);
  g.Block(Hex("ff0000 00ff00 0000ff ffffff"));
  g.Block(Hex("21ff0b 4e45545343415045322e30 03 01 0000 00"));
  for (int i = 0; i < frames; ++i) {
    const QPoint at = PixelOf(i, canvas);
    const int codes = 4 | ((i % 4) << 3) | (5 << 6);
    g.Block(Hex("21f904 00 0a00 00 00"));
    g.U8(0x2C).U16(at.x()).U16(at.y()).U16(1).U16(1).U8(0);
    g.U8(2).U8(2).U16(codes).U8(0);
  }
  return g.U8(0x3B).B;
}

// An animated WebP: VP8X with the animation flag, ANIM, then one-pixel ANMF frames of 100 ms, each
// holding the bitstream of a lossless one-pixel WebP that Qt writes.
QByteArray WebpAnimation(QSize canvas, int frames) {
  const QByteArray still = Encoded(Filled({1, 1}, qRgb(255, 0, 0)), "webp", 100);
  const QByteArray bitstream = still.mid(12);  // after "RIFF", size, "WEBP": one padded chunk
  TBytes body;
  body.Tag("WEBP").Tag("VP8X").U32(10).U8(0x02).U24(0).U24(canvas.width() - 1).U24(canvas.height() - 1);
  body.Tag("ANIM").U32(6).U32(0).U16(0);
  for (int i = 0; i < frames; ++i) {
    const QPoint at = PixelOf(i, canvas);
    body.Tag("ANMF").U32(uint32_t(16 + bitstream.size())).U24(at.x() / 2).U24(at.y() / 2).U24(0).U24(0);
    body.U24(100).U8(0).Block(bitstream);
  }
  return TBytes().Tag("RIFF").U32(uint32_t(body.B.size())).Block(body.B).B;
}

// An MNG: MHDR with the canvas, then per frame a FRAM chunk and a one-pixel PNG's chunks.
QByteArray MngAnimation(QSize canvas, int frames) {
  const QByteArray png = Encoded(Filled({1, 1}, qRgb(0, 0, 255)), "png").mid(8);
  TBytes m;
  m.Block(Hex("8a4d4e470d0a1a0a"));
  TBytes header;
  header.Be32(canvas.width()).Be32(canvas.height()).Be32(10).Be32(0).Be32(frames).Be32(0).Be32(1);
  m.Chunk("MHDR", header.B);
  for (int i = 0; i < frames; ++i) m.Chunk("FRAM", QByteArray(1, '\1')).Block(png);
  return m.Chunk("MEND", {}).B;
}

// A 1-bit PNG of a few kilobytes whose one frame is a row over the budget as 32-bit colour.
const QSize JustOverBudget(8192, 8193);
static_assert(8192ll * 8193 * 4 > MaxPictureBytes && 8192ll * 8192 * 4 <= MaxPictureBytes);
QByteArray PngJustOverBudget() { return Encoded(Filled(JustOverBudget, 0, QImage::Format_Mono), "png"); }

bool CanRead(const char* format) { return QImageReader::supportedImageFormats().contains(format); }

qint64 HeldBytes(const std::vector<TPictureFrame>& frames) {
  qint64 held = 0;
  for (const auto& frame : frames) held += frame.Image.sizeInBytes();
  return held;
}

const QSize BombCanvas(4000, 4000);

struct THostileCase {
  const char* Name;
  const char* Format;  // the plugin that reads it
  TGraphicKind Kind;
  std::function<QByteArray()> Bytes;
  int Frames;      // in the file
  QSize Canvas;    // of every frame
  bool FirstFits;  // whether the first frame fits the budget
  int DelayMs;     // of every frame; -1 when the plugin reports its own timing
};

const std::vector<THostileCase>& HostileCases() {
  static const std::vector<THostileCase> cases = {
      {"GIF bomb", "gif", TGraphicKind::GIF, [] { return GifAnimation(BombCanvas, 3000); }, 3000, BombCanvas, true,
       100},
      {"GIF bomb held as WIC", "gif", TGraphicKind::WIC, [] { return GifAnimation(BombCanvas, 3000); }, 3000,
       BombCanvas, true, 100},
      {"animated WebP bomb", "webp", TGraphicKind::WIC, [] { return WebpAnimation(BombCanvas, 3000); }, 3000,
       BombCanvas, true, 100},
      {"MNG bomb", "mng", TGraphicKind::WIC, [] { return MngAnimation(BombCanvas, 3000); }, 3000, BombCanvas, true, -1},
      {"still picture just over the budget", "png", TGraphicKind::Png, PngJustOverBudget, 1, JustOverBudget, false, 0},
  };
  return cases;
}

constexpr char ChildVariable[] = "MENUVIA_PICTURE_BUDGET_CHILD";
constexpr char ChildTest[] = "PictureBudget.DISABLED_HostilePicturesInChild";

// Lets the process map at most `headroom` more than it has now: a regression that keeps every
// frame fails an allocation instead of filling the machine. AddressSanitizer reserves terabytes
// of address space up front, so there only the budget checks run.
void LimitAddressSpace(qint64 headroom) {
#ifdef PICTURE_TEST_ASAN
  (void)headroom;
  printf("address-space limit skipped under AddressSanitizer\n");
#else
  QFile statm(QStringLiteral("/proc/self/statm"));
  ASSERT_TRUE(statm.open(QIODevice::ReadOnly));
  const qint64 pages = statm.readAll().split(' ').value(0).toLongLong();
  ASSERT_GT(pages, 0);
  const rlim_t limit = rlim_t(pages * sysconf(_SC_PAGESIZE) + headroom);
  const rlimit r{limit, limit};
  ASSERT_EQ(setrlimit(RLIMIT_AS, &r), 0);
#endif
}
}  // namespace

// Runs only inside the child process the next test starts.
TEST(PictureBudget, DISABLED_HostilePicturesInChild) {
  if (!qEnvironmentVariableIsSet(ChildVariable)) GTEST_SKIP() << "runs in the child process only";
  // Needs about 0.4 GB (the budget, the decoder's canvas, one conversion); every frame of a bomb
  // would take 190 GB.
  ASSERT_NO_FATAL_FAILURE(LimitAddressSpace(1536ll * 1024 * 1024));
  for (const auto& c : HostileCases()) {
    if (!CanRead(c.Format)) continue;
    SCOPED_TRACE(c.Name);
    TPictureCache::Instance().Clear();
    const TPicture picture{c.Kind, c.Bytes()};
    QElapsedTimer timer;
    timer.start();
    const auto frames = DecodePictureFrames(picture);
    const qint64 ms = timer.elapsed();
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    printf("%s: %lld bytes, %zu of %d frames kept in %lld ms, peak RSS %ld MB\n", c.Name,
           static_cast<long long>(picture.Data.size()), frames.size(), c.Frames, static_cast<long long>(ms),
           usage.ru_maxrss / 1024);
    fflush(stdout);
    if (!c.FirstFits) {
      EXPECT_TRUE(frames.empty());
      EXPECT_TRUE(DecodePicture(picture).isNull());
      continue;
    }
    ASSERT_FALSE(frames.empty());
    EXPECT_LT(int(frames.size()), c.Frames);
    EXPECT_LE(HeldBytes(frames), MaxPictureBytes);
    for (const auto& frame : frames) {
      EXPECT_EQ(frame.Image.size(), c.Canvas);
      EXPECT_EQ(frame.Image.format(), QImage::Format_ARGB32);
      if (c.DelayMs >= 0) {
        EXPECT_EQ(frame.DelayMs, c.DelayMs);
      }
    }
    // The first frame alone, decoded afresh, is the animation's first frame.
    TPictureCache::Instance().Clear();
    const int decodes = PictureDecodeCount();
    EXPECT_EQ(DecodePicture(picture), frames.front().Image);
    EXPECT_EQ(PictureDecodeCount(), decodes + 1);
  }
  TPictureCache::Instance().Clear();
  printf("picture budget child done\n");
}

TEST(PictureBudget, HostilePicturesStayWithinBudget) {
  QProcess child;
  auto environment = QProcessEnvironment::systemEnvironment();
  environment.insert(QLatin1String(ChildVariable), QStringLiteral("1"));
  child.setProcessEnvironment(environment);
  child.setProcessChannelMode(QProcess::MergedChannels);
  child.start(QCoreApplication::applicationFilePath(),
              {QStringLiteral("--gtest_also_run_disabled_tests"), QStringLiteral("--gtest_filter=") + ChildTest});
  ASSERT_TRUE(child.waitForStarted());
  // A hang fails here instead of stalling the run.
  const bool finished = child.waitForFinished(180000);
  if (!finished) {
    child.kill();
    child.waitForFinished();
  }
  const QString output = QString::fromLocal8Bit(child.readAll());
  EXPECT_TRUE(finished) << output.toStdString();
  EXPECT_EQ(child.exitStatus(), QProcess::NormalExit) << output.toStdString();
  EXPECT_EQ(child.exitCode(), 0) << output.toStdString();
  EXPECT_TRUE(output.contains(QLatin1String("picture budget child done"))) << output.toStdString();
  for (const auto& c : HostileCases()) {
    if (!CanRead(c.Format)) continue;
    EXPECT_TRUE(output.contains(QLatin1String(c.Name))) << c.Name;
  }
}

TEST(PictureBudget, AnimationsWithinBudgetKeepEveryFrame) {
  const QSize canvas(64, 48);
  struct Case {
    const char* Format;
    TGraphicKind Kind;
    QByteArray Bytes;
    int DelayMs;
  };
  const Case cases[] = {
      {"gif", TGraphicKind::GIF, GifAnimation(canvas, 40), 100},
      {"webp", TGraphicKind::WIC, WebpAnimation(canvas, 40), 100},
      {"mng", TGraphicKind::WIC, MngAnimation(canvas, 40), -1},
  };
  for (const auto& c : cases) {
    if (!CanRead(c.Format)) continue;
    const auto frames = DecodePictureFrames({c.Kind, c.Bytes});
    ASSERT_EQ(frames.size(), 40u) << c.Format;
    for (const auto& frame : frames) {
      EXPECT_EQ(frame.Image.size(), canvas) << c.Format;
      if (c.DelayMs >= 0) {
        EXPECT_EQ(frame.DelayMs, c.DelayMs) << c.Format;
      }
    }
  }
  // Each GIF frame adds its pixel on top of the ones before.
  const auto frames = DecodePictureFrames({TGraphicKind::GIF, GifAnimation(canvas, 40)});
  ASSERT_EQ(frames.size(), 40u);
  const QPoint fifth = PixelOf(5, canvas), sixth = PixelOf(6, canvas);
  EXPECT_EQ(frames[5].Image.pixel(fifth), qRgb(0, 255, 0));
  EXPECT_EQ(frames[5].Image.pixel(sixth), frames[0].Image.pixel(sixth));
  EXPECT_EQ(frames[6].Image.pixel(fifth), qRgb(0, 255, 0));
  EXPECT_EQ(frames[6].Image.pixel(sixth), qRgb(0, 0, 255));
}

// A WebP animation that does not say it has alpha: where no frame draws, the picture is transparent,
// not what the memory held before, and the same bytes decode to the same picture every time.
TEST(PictureBudget, AnimatedWebpCanvasStartsTransparent) {
  if (!CanRead("webp")) GTEST_SKIP() << "no WebP reader";
  const QSize canvas(64, 48);
  const TPicture picture{TGraphicKind::WIC, WebpAnimation(canvas, 2)};
  QImage first;
  for (int round = 0; round < 8; ++round) {
    SCOPED_TRACE(round);
    // Memory of the canvas's size, written and let go, as other pictures leave it behind.
    for (int k = 0; k < 8; ++k) QByteArray(canvas.width() * canvas.height() * 4 + k * 64, char(0x5A + round));
    TPictureCache::Instance().Clear();
    const QImage image = DecodePicture(picture);
    ASSERT_EQ(image.size(), canvas);
    EXPECT_EQ(image.pixel(PixelOf(0, canvas)), qRgb(255, 0, 0)) << "the first frame's pixel";
    EXPECT_EQ(image.pixel(10, 10), 0u) << "where no frame draws";
    if (round == 0)
      first = image;
    else
      EXPECT_EQ(image, first);
  }
  TPictureCache::Instance().Clear();
}

TEST(PictureBudget, FuzzSeeds) {
  const QImage small = Filled({12, 10}, qRgb(40, 120, 200));
  struct Seed {
    const char* Name;
    TGraphicKind Kind;
    QByteArray Bytes;
  };
  // The bombs are cut to fit the fuzzer's 64 KB inputs; still thousands of frames on a large canvas.
  const Seed seeds[] = {
      {"png", TGraphicKind::Png, Encoded(small, "png")},
      {"jpeg", TGraphicKind::JPEG, Encoded(small, "jpeg")},
      {"bmp", TGraphicKind::Bitmap, Encoded(small, "bmp")},
      {"ico", TGraphicKind::Icon, Encoded(small, "ico")},
      {"gif", TGraphicKind::GIF, GifAnimation({12, 10}, 5)},
      {"wic-webp", TGraphicKind::WIC, WebpAnimation({12, 10}, 5)},
      {"wic-mng", TGraphicKind::WIC, MngAnimation({12, 10}, 5)},
      {"wic-tiff", TGraphicKind::WIC, Encoded(small, "tiff")},
      {"gif-bomb", TGraphicKind::GIF, GifAnimation(BombCanvas, 2500)},
      {"wic-webp-bomb", TGraphicKind::WIC, WebpAnimation(BombCanvas, 1000)},
      {"wic-mng-bomb", TGraphicKind::WIC, MngAnimation(BombCanvas, 600)},
  };
  for (const auto& s : seeds) {
    const QByteArray input = QByteArray(1, char(s.Kind)) + s.Bytes;
    EXPECT_LE(input.size(), 65536) << s.Name;
    SaveFuzzSeed("picture", QLatin1String(s.Name), input);
    const bool bomb = QByteArray(s.Name).endsWith("-bomb");
    if (!bomb) {
      EXPECT_FALSE(DecodePicture({s.Kind, s.Bytes}).isNull()) << s.Name;
    }
  }
}

// ---- the cache ----

class PictureCacheTest : public ::testing::Test {
 protected:
  void SetUp() override { Cache().Clear(); }
  void TearDown() override {
    Cache().SetHashForTest(nullptr);
    Cache().SetLimit(TPictureCache::DefaultLimit);
    Cache().Clear();
  }
  static TPictureCache& Cache() { return TPictureCache::Instance(); }
  static TPicture Png(QRgb colour, QSize size = {16, 16}) {
    return {TGraphicKind::Png, Encoded(Filled(size, colour), "png")};
  }
  // Decodes the first frame and reports whether it took a real decode.
  static bool Decoded(const TPicture& picture, QImage* image = nullptr) {
    const int before = PictureDecodeCount();
    const QImage decoded = DecodePicture(picture);
    if (image) *image = decoded;
    return PictureDecodeCount() != before;
  }
};

TEST_F(PictureCacheTest, SamePictureDecodesOnce) {
  const TPicture png = Png(qRgb(255, 0, 0));
  const TPicture gif{TGraphicKind::GIF, GifAnimation({8, 8}, 3)};
  const TPicture broken{TGraphicKind::Png, "not a picture"};
  // The same bytes in a separate buffer, so a hit cannot rest on shared data.
  const TPicture pngCopy{TGraphicKind::Png, QByteArray(png.Data.constData(), png.Data.size())};
  struct Step {
    const char* What;
    TPicture Picture;
    bool Frames;  // DecodePictureFrames, else DecodePicture
    bool Decodes;
  };
  const Step steps[] = {
      {"a still picture", png, false, true},
      {"the same again", png, false, false},
      {"equal bytes elsewhere", pngCopy, false, false},
      {"its frames: a still picture has only the one", png, true, false},
      {"an animation's first frame", gif, false, true},
      {"its frames need the rest decoded", gif, true, true},
      {"its frames again", gif, true, false},
      {"its first frame from the frames kept", gif, false, false},
      {"the same bytes of another kind", TPicture{TGraphicKind::WIC, gif.Data}, false, true},
      {"no picture at all", TPicture{}, true, false},
      {"bytes that do not decode", broken, false, true},
      {"and again: the failure is kept too", broken, true, false},
  };
  for (const auto& s : steps) {
    const int before = PictureDecodeCount();
    if (s.Frames)
      DecodePictureFrames(s.Picture);
    else
      DecodePicture(s.Picture);
    EXPECT_EQ(PictureDecodeCount() != before, s.Decodes) << s.What;
  }
  EXPECT_EQ(DecodePictureFrames(gif).size(), 3u);
  EXPECT_TRUE(DecodePicture(broken).isNull());
}

TEST_F(PictureCacheTest, CollidingHashNeverConfusesPictures) {
  Cache().SetHashForTest([](TGraphicKind, const QByteArray&) { return size_t(7); });
  const TPicture red = Png(qRgb(255, 0, 0));
  const TPicture blue = Png(qRgb(0, 0, 255));
  QImage image;
  EXPECT_TRUE(Decoded(red, &image));
  EXPECT_EQ(image.pixel(0, 0), qRgb(255, 0, 0));
  EXPECT_TRUE(Decoded(blue, &image));
  EXPECT_EQ(image.pixel(0, 0), qRgb(0, 0, 255));
  EXPECT_FALSE(Decoded(red, &image));
  EXPECT_EQ(image.pixel(0, 0), qRgb(255, 0, 0));
  EXPECT_FALSE(Decoded(blue, &image));
  EXPECT_EQ(image.pixel(0, 0), qRgb(0, 0, 255));
  EXPECT_EQ(Cache().Count(), 2);
}

TEST_F(PictureCacheTest, BoundEvictsLeastRecentlyUsed) {
  const TPicture a = Png(qRgb(255, 0, 0)), b = Png(qRgb(0, 255, 0)), c = Png(qRgb(0, 0, 255));
  ASSERT_TRUE(Decoded(a));
  const qint64 one = Cache().Bytes();
  ASSERT_TRUE(Decoded(b));
  // Room for two of these pictures, not three.
  Cache().SetLimit(Cache().Bytes() + one / 2);
  EXPECT_EQ(Cache().Count(), 2);
  EXPECT_FALSE(Decoded(a));  // now b is the least recently used
  EXPECT_TRUE(Decoded(c));
  EXPECT_EQ(Cache().Count(), 2);
  EXPECT_LE(Cache().Bytes(), Cache().Limit());
  EXPECT_FALSE(Decoded(a));
  EXPECT_FALSE(Decoded(c));
  EXPECT_TRUE(Decoded(b));

  // A picture larger than the whole bound is not kept, and leaves the others in place.
  const TPicture large = Png(qRgb(9, 9, 9), {64, 64});
  EXPECT_TRUE(Decoded(large));
  EXPECT_TRUE(Decoded(large));
  EXPECT_EQ(Cache().Count(), 2);
}
