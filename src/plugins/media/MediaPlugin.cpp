// The multimedia engine: sounds and the media player object on Qt Multimedia.
#include <QAudioOutput>
#include <QFileInfo>
#include <QImage>
#include <QMediaPlayer>
#include <QObject>
#include <QPainter>
#include <QPointer>
#include <QUrl>
#include <QVideoFrame>
#include <QVideoSink>
#include <QWidget>

#include "objects/MediaEngines.h"

namespace {

// The video display: each frame stretched over the whole area, black before the first. Painted
// by the widget itself, so it shows in a grab of the page and without a GPU.
class TVideoDisplay : public QWidget {
 public:
  explicit TVideoDisplay(QWidget* parent) : QWidget(parent), FSink(new QVideoSink(this)) {
    setAttribute(Qt::WA_OpaquePaintEvent);
    QObject::connect(FSink, &QVideoSink::videoFrameChanged, this, [this](const QVideoFrame& frame) {
      FFrame = frame.isValid() ? FrameImage(frame) : QImage();
      update();
    });
  }
  QVideoSink* Sink() const { return FSink; }

  // The frame as an opaque picture. Video is opaque, but some decoders hand over palette colours
  // with an alpha of zero, which a conversion takes for transparent black: frames of formats with
  // an alpha channel are read byte by byte and their alpha ignored.
  static QImage FrameImage(const QVideoFrame& frame) {
    int r, g, b;
    switch (frame.pixelFormat()) {
      case QVideoFrameFormat::Format_ARGB8888:
        r = 1, g = 2, b = 3;
        break;
      case QVideoFrameFormat::Format_ABGR8888:
        r = 3, g = 2, b = 1;
        break;
      case QVideoFrameFormat::Format_RGBA8888:
        r = 0, g = 1, b = 2;
        break;
      case QVideoFrameFormat::Format_BGRA8888:
        r = 2, g = 1, b = 0;
        break;
      default:
        return frame.toImage();
    }
    QVideoFrame mapped(frame);
    if (!mapped.map(QVideoFrame::ReadOnly)) return {};
    QImage image(mapped.width(), mapped.height(), QImage::Format_RGB32);
    if (image.isNull() || !mapped.bits(0) || mapped.bytesPerLine(0) < 4 * image.width()) {
      mapped.unmap();
      return {};
    }
    for (int y = 0; y < image.height(); ++y) {
      const uchar* source = mapped.bits(0) + qsizetype(y) * mapped.bytesPerLine(0);
      auto* target = reinterpret_cast<QRgb*>(image.scanLine(y));
      for (int x = 0; x < image.width(); ++x, source += 4) target[x] = qRgb(source[r], source[g], source[b]);
    }
    mapped.unmap();
    if (frame.surfaceFormat().scanLineDirection() == QVideoFrameFormat::BottomToTop) image = image.mirrored();
    return image;
  }

 protected:
  void paintEvent(QPaintEvent*) override {
    QPainter painter(this);
    if (FFrame.isNull())
      painter.fillRect(rect(), Qt::black);
    else
      painter.drawImage(rect(), FFrame);
  }

 private:
  QVideoSink* FSink;
  QImage FFrame;
};

class TQtMediaComponent : public TMediaComponent {
 public:
  explicit TQtMediaComponent(QWidget* displayParent) {
    FPlayer.setAudioOutput(&FAudio);
    if (displayParent) {
      FDisplay = new TVideoDisplay(displayParent);
      FPlayer.setVideoSink(FDisplay->Sink());
    }
    QObject::connect(&FPlayer, &QMediaPlayer::playbackStateChanged, &FPlayer, [this](QMediaPlayer::PlaybackState s) {
      // The player stops by itself at the end of the medium and on an error; Stop() pauses it.
      if (s == QMediaPlayer::PlayingState)
        FMode = mpPlaying;
      else if (s == QMediaPlayer::StoppedState)
        FMode = mpStopped;
      Notify();
    });
    QObject::connect(&FPlayer, &QMediaPlayer::mediaStatusChanged, &FPlayer, [this](QMediaPlayer::MediaStatus s) {
      if (s == QMediaPlayer::InvalidMedia) Fail();
      if (s == QMediaPlayer::EndOfMedia) FMode = mpStopped;
      Notify();
    });
    QObject::connect(&FPlayer, &QMediaPlayer::durationChanged, &FPlayer, [this] { Notify(); });
    QObject::connect(&FPlayer, &QMediaPlayer::errorOccurred, &FPlayer, [this](QMediaPlayer::Error e) {
      // A missing audio device is no reason to give up a medium; one that cannot be decoded is.
      if (e == QMediaPlayer::FormatError) {
        Fail();
        Notify();
      }
    });
  }
  ~TQtMediaComponent() override {
    OnNotify = nullptr;
    QObject::disconnect(&FPlayer, nullptr, &FPlayer, nullptr);
    FPlayer.setVideoSink(nullptr);
  }

  bool Open(const QString& fileName) override {
    Close();
    if (!QFileInfo(fileName).isFile()) return false;
    FPlayer.setSource(QUrl::fromLocalFile(fileName));
    return true;
  }
  void Close() override {
    FPlayer.stop();
    FPlayer.setSource(QUrl());
    FMode = mpStopped;
    FFailed = false;
    FSeekedAfterEnd = false;
  }
  bool Play() override {
    if (FPlayer.source().isEmpty() || FFailed) return false;
    if (FPlayer.mediaStatus() == QMediaPlayer::EndOfMedia && !FSeekedAfterEnd) FPlayer.setPosition(0);
    FPlayer.play();
    // A position chosen while the player stood at the end is taken once it runs again.
    if (FSeekedAfterEnd) FPlayer.setPosition(FSeekPosition);
    FSeekedAfterEnd = false;
    FMode = mpPlaying;
    return true;
  }
  void Pause() override {
    if (FMode != mpPlaying) return;
    FPlayer.pause();
    FMode = mpPaused;
  }
  void Stop() override {
    if (FPlayer.playbackState() == QMediaPlayer::PlayingState) FPlayer.pause();
    FMode = mpStopped;
  }
  TMPMode Mode() const override { return FMode; }
  bool Failed() const override { return FFailed; }
  int64_t Position() const override { return FSeekedAfterEnd ? FSeekPosition : FPlayer.position(); }
  void SetPosition(int64_t ms) override {
    if (FPlayer.playbackState() == QMediaPlayer::StoppedState && FPlayer.mediaStatus() == QMediaPlayer::EndOfMedia) {
      FSeekedAfterEnd = true;
      FSeekPosition = ms;
      return;
    }
    FSeekedAfterEnd = false;
    FPlayer.setPosition(ms);
  }
  int64_t Length() const override { return FPlayer.duration(); }
  QWidget* Display() const override { return FDisplay; }

 private:
  void Fail() {
    FFailed = true;
    FMode = mpStopped;
  }
  void Notify() {
    if (OnNotify) OnNotify();
  }

  QMediaPlayer FPlayer;
  QAudioOutput FAudio;
  QPointer<TVideoDisplay> FDisplay;
  TMPMode FMode = mpStopped;
  bool FFailed = false;
  bool FSeekedAfterEnd = false;
  int64_t FSeekPosition = 0;
};

}  // namespace

class TMediaPlugin : public QObject, public TEnginePlugin {
  Q_OBJECT
  Q_PLUGIN_METADATA(IID MENUVIA_ENGINE_PLUGIN_IID)
  Q_INTERFACES(TEnginePlugin)

 public:
  std::unique_ptr<TMediaComponent> CreateMediaComponent(QWidget* displayParent) override {
    return std::make_unique<TQtMediaComponent>(displayParent);
  }
};

#include "MediaPlugin.moc"
