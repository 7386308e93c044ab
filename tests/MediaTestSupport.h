// Real media for the media tests, written byte by byte: a WAV tone, an uncompressed AVI video of one
// colour, an SWF movie whose stage has one background colour, and a fixture that finds the engine
// plugins of this build.
#pragma once

#include <gtest/gtest.h>

#include <QColor>
#include <QFile>
#include <QImage>
#include <QTemporaryDir>
#include <QWidget>
#include <cmath>

#include "TestSupport.h"
#include "player/PluginLoader.h"
#include "plugins/PluginPaths.h"

namespace MediaBytes {

class TLe : public TBytesOf<TLe> {
 public:
  TLe& Tag(const char* fourcc) { return Block(QByteArray(fourcc, 4)); }
};

// A mono 16-bit PCM tone of ms milliseconds.
inline QByteArray Wav(int ms, int rate = 8000) {
  const int samples = rate * ms / 1000;
  TLe data;
  for (int i = 0; i < samples; ++i) data.I16(int16_t(6000 * std::sin(i * 2 * M_PI * 440 / rate)));
  TLe w;
  w.Tag("RIFF").U32(uint32_t(36 + data.B.size())).Tag("WAVE");
  w.Tag("fmt ").U32(16).I16(1).I16(1).U32(uint32_t(rate)).U32(uint32_t(rate * 2)).I16(2).I16(16);
  w.Tag("data").U32(uint32_t(data.B.size())).Block(data.B);
  return w.B;
}

// An AVI of frames × (width × height) uncompressed frames of one colour, at fps: 24-bit, or 8-bit
// with a palette of 256 colours (whose fourth bytes are zero, as bitmaps store them).
inline QByteArray Avi(QColor color, int frames, bool palette = false, int fps = 10, int width = 64, int height = 48) {
  const int depth = palette ? 1 : 3;
  const int frameSize = width * height * depth;
  QByteArray frame;
  for (int i = 0; i < width * height; ++i) {
    if (palette)
      frame.append(char(1));
    else
      frame.append(char(color.blue())).append(char(color.green())).append(char(color.red()));
  }
  auto list = [](const char* type, const QByteArray& body) {
    return TLe().Tag("LIST").U32(uint32_t(body.size() + 4)).Tag(type).Block(body).B;
  };
  auto chunk = [](const char* id, const QByteArray& body) {
    TLe c;
    c.Tag(id).U32(uint32_t(body.size())).Block(body);
    if (body.size() % 2) c.U8(0);
    return c.B;
  };
  TLe avih;  // frame time, data rate, padding, flags (has an index), frames, initial, streams, buffer, size
  avih.U32(uint32_t(1000000 / fps)).U32(uint32_t(frameSize * fps)).U32(0).U32(0x10).U32(uint32_t(frames)).U32(0);
  avih.U32(1).U32(uint32_t(frameSize)).U32(uint32_t(width)).U32(uint32_t(height)).U32(0).U32(0).U32(0).U32(0);
  TLe strh;  // video, raw bitmaps; scale 1 and rate fps; length; buffer; quality; sample size; frame
  strh.Tag("vids").Tag("DIB ").U32(0).U32(0).U32(0).U32(1).U32(uint32_t(fps)).U32(0).U32(uint32_t(frames));
  strh.U32(uint32_t(frameSize)).U32(0xFFFFFFFF).U32(0).I16(0).I16(0).I16(int16_t(width)).I16(int16_t(height));
  TLe strf;  // the bitmap header, then the palette: colour 1 the frame's, the others black
  strf.U32(40).I32(width).I32(height).I16(1).I16(int16_t(8 * depth)).U32(0).U32(uint32_t(frameSize));
  strf.U32(0).U32(0).U32(palette ? 256 : 0).U32(0);
  for (int i = 0; palette && i < 256; ++i)
    strf.U8(uint8_t(i == 1 ? color.blue() : 0))
        .U8(uint8_t(i == 1 ? color.green() : 0))
        .U8(uint8_t(i == 1 ? color.red() : 0))
        .U8(0);
  const QByteArray hdrl =
      list("hdrl", chunk("avih", avih.B) + list("strl", chunk("strh", strh.B) + chunk("strf", strf.B)));
  QByteArray movi, index;
  for (int i = 0; i < frames; ++i) {
    index += TLe().Tag("00db").U32(0x10).U32(uint32_t(4 + movi.size())).U32(uint32_t(frameSize)).B;
    movi += chunk("00db", frame);
  }
  const QByteArray body = TLe().Tag("AVI ").B + hdrl + list("movi", movi) + chunk("idx1", index);
  return TLe().Tag("RIFF").U32(uint32_t(body.size())).Block(body).B;
}

// An uncompressed SWF of 300 × 200 pixels and frames frames whose stage is color (its
// SetBackgroundColor tag).
inline QByteArray Swf(QColor color, int frames = 1, int fps = 12) {
  // The frame rectangle: 5 bits of field width (16), then four 16-bit fields in twips, padded.
  QString bits = QStringLiteral("10000");
  for (int v : {0, 300 * 20, 0, 200 * 20}) bits += QStringLiteral("%1").arg(v, 16, 2, QLatin1Char('0'));
  while (bits.size() % 8) bits += u'0';
  TLe body;
  for (int i = 0; i < bits.size(); i += 8) body.U8(uint8_t(bits.mid(i, 8).toUInt(nullptr, 2)));
  body.I16(int16_t(fps << 8)).I16(int16_t(frames));
  auto tag = [&](int code, const QByteArray& data) { body.I16(int16_t((code << 6) | data.size())).Block(data); };
  tag(9, TLe().U8(uint8_t(color.red())).U8(uint8_t(color.green())).U8(uint8_t(color.blue())).B);
  for (int i = 0; i < frames; ++i) tag(1, {});
  tag(0, {});
  return TLe().Block("FWS").U8(10).U32(uint32_t(8 + body.B.size())).Block(body.B).B;
}

inline bool WriteFile(const QString& name, const QByteArray& bytes) {
  QFile f(name);
  return f.open(QIODevice::WriteOnly) && f.write(bytes) == bytes.size();
}

}  // namespace MediaBytes

// The colour at the centre of w as it is painted now.
inline QColor CentreColor(QWidget* w) {
  const QImage image = w->grab().toImage();
  return image.isNull() ? QColor() : image.pixelColor(image.width() / 2, image.height() / 2);
}

// Whether two colours differ by at most tolerance in each channel.
inline bool Near(QColor a, QColor b, int tolerance = 8) {
  return std::abs(a.red() - b.red()) <= tolerance && std::abs(a.green() - b.green()) <= tolerance &&
         std::abs(a.blue() - b.blue()) <= tolerance;
}

// A project folder of media files, and the plugin search put back afterwards.
class MediaTestBase : public ::testing::Test {
 protected:
  void TearDown() override {
    SetEnginePluginFolders({});
    SetFlashRuntimeFolders({});
  }
  QString File(const QString& name) const { return Folder.filePath(name); }
  QString Write(const QString& name, const QByteArray& bytes) const {
    EXPECT_TRUE(MediaBytes::WriteFile(File(name), bytes)) << name.toStdString();
    return File(name);
  }

  QTemporaryDir Folder;
};
