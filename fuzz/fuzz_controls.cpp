// The page stream reader followed by the objects layer: a page that reads is built into controls
// under an offscreen host, on the live page and on the editing canvas, laid out and painted.
// Damaged pictures must draw nothing and absurd sizes stay bounded; nothing may crash or hang.
#include <QApplication>
#include <QBuffer>
#include <QImage>
#include <QPainter>
#include <QWidget>
#include <algorithm>

#include "model/Messages.h"
#include "model/PageStream.h"
#include "objects/ObjectControl.h"
#include "render/PictureDecode.h"

namespace {
class TSilentMessages : public TMessages {
 public:
  int Show(const TMessage& message) override { return message.DefaultButton; }
};

void Settle(TAuObject& object) {
  if (TAuControl* c = ControlOf(object)) c->SettleForSnapshot();
  for (auto& child : object.Objects) Settle(*child);
}
}  // namespace

extern "C" int LLVMFuzzerInitialize(int*, char***) {
  qputenv("QT_QPA_PLATFORM", "offscreen");
  static int argc = 1;
  static char name[] = "fuzz_controls";
  static char* argv[] = {name, nullptr};
  static QApplication app(argc, argv);
  InitPictureDecoding();
  SetMessages(std::make_unique<TSilentMessages>());
  return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  QByteArray bytes = QByteArray::fromRawData(reinterpret_cast<const char*>(data), static_cast<qsizetype>(size));
  QBuffer buffer(&bytes);
  buffer.open(QIODevice::ReadOnly);
  TStream s(&buffer);
  TPageData page;
  if (!ReadPageStream(s, page) || !page.PanelObject) return 0;
  for (bool live : {true, false}) {
    // The host is the page window's client at its stored size, bounded like everything shown.
    QWidget host;
    host.resize(std::clamp(page.PanelObject->Width, 1, 1024), std::clamp(page.PanelObject->Height, 1, 768));
    TControlContext context;
    context.Live = live;
    CreateObjectControl(*page.PanelObject, &host, context);
    if (live) Settle(*page.PanelObject);
    QImage picture(host.size(), QImage::Format_ARGB32_Premultiplied);
    picture.fill(Qt::transparent);
    {
      QPainter painter(&picture);
      host.render(&painter);
    }
    StoreControlsToRecords(*page.PanelObject);
    delete page.PanelObject->Control.data();
  }
  // Nothing runs an event loop here: release what the controls left for later.
  QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
  return 0;
}
