#include "objects/PageRender.h"

#include <QCoreApplication>
#include <QMenuBar>
#include <QPainter>
#include <algorithm>
#include <memory>

#include "objects/ObjectControl.h"
#include "render/Caption.h"
#include "render/Colors.h"
#include "render/StatusPanels.h"

namespace {

template <class F>
void ForEachRecord(TAuObject& object, F&& f) {
  f(object);
  for (auto& child : object.Objects) ForEachRecord(*child, f);
}

bool HasControls(TAuObject& root) {
  bool any = false;
  ForEachRecord(root, [&](TAuObject& o) { any = any || o.Control; });
  return any;
}

// The page's status panels as the page window shows them: sunken sections of their stored widths
// on the button face, the last one reaching to the right edge.
class TStatusStrip : public QWidget {
 public:
  TStatusStrip(const TStatusBarData& data, QWidget* parent) : QWidget(parent), FData(data) {
    setFont(ToQFont(data.Font));
  }

 protected:
  void paintEvent(QPaintEvent*) override {
    QPainter p(this);
    PaintStatusPanels(p, size(), FData);
  }

 private:
  const TStatusBarData& FData;
};

// The menu bar strip: the visible top-level captions of the page's main menu. Null without any.
QMenuBar* MakeMenuBar(const std::vector<TMenuItem>& items, QWidget* parent) {
  std::unique_ptr<QMenuBar> bar(new QMenuBar(parent));
  bar->setNativeMenuBar(false);
  QPalette palette = bar->palette();
  palette.setColor(QPalette::Window, ToQColor(SystemColor(SysColor::Menu)));
  palette.setColor(QPalette::Button, ToQColor(SystemColor(SysColor::Menu)));
  palette.setColor(QPalette::ButtonText, ToQColor(SystemColor(SysColor::MenuText)));
  palette.setColor(QPalette::WindowText, ToQColor(SystemColor(SysColor::MenuText)));
  bar->setPalette(palette);
  int shown = 0;
  for (const TMenuItem& item : items) {
    if (!item.Visible || item.Caption == QLatin1String("-")) continue;
    QAction* action = bar->addAction(item.Caption);
    action->setEnabled(item.Enabled);
    ++shown;
  }
  return shown > 0 ? bar.release() : nullptr;
}

// The page panel fills the client area. Placing its record there while the subtree is built lets
// every object be built once, at its final size; the record's own values come back afterwards.
class TPlacedAtClient {
 public:
  TPlacedAtClient(TAuObject& panel, QRect client) : FPanel(panel), FSaved(panel.Props()) {
    panel.Align = alNone;
    panel.Left = client.left();
    panel.Top = client.top();
    panel.Width = client.width();
    panel.Height = client.height();
  }
  ~TPlacedAtClient() {
    FPanel.Align = FSaved.Align;
    FPanel.Left = FSaved.Left;
    FPanel.Top = FSaved.Top;
    FPanel.Width = FSaved.Width;
    FPanel.Height = FSaved.Height;
  }
  TPlacedAtClient(const TPlacedAtClient&) = delete;
  TPlacedAtClient& operator=(const TPlacedAtClient&) = delete;

 private:
  TAuObject& FPanel;
  TAuObjectProps FSaved;
};

}  // namespace

QSize PageFrameAllowance(const TPageProps& page) {
  return page.BorderStyle == TFormBorderStyle::bsNone ? QSize(0, 0) : QSize(16, 51);
}

QSize RenderedPageSize(const TPageProps& page) {
  const QSize frame = PageFrameAllowance(page);
  // 64-bit: damaged sizes near the integer limits must not wrap.
  const auto side = [](qint64 outer, int frame) { return int(std::clamp<qint64>(outer - frame, 1, 1 << 30)); };
  return {side(page.Width, frame.width()), side(page.Height, frame.height())};
}

QImage RenderPage(TPageData& page, const TRenderOptions& options, QString* error) {
  const auto fail = [&](const QString& message) {
    if (error) *error = message;
    return QImage();
  };
  const QSize size = RenderedPageSize(page);
  if (size.width() > PageRenderLimits::MaxSide || size.height() > PageRenderLimits::MaxSide ||
      qint64(size.width()) * size.height() > PageRenderLimits::MaxPixels)
    return fail(QStringLiteral("the page is %1 x %2 pixels, too large to draw (at most %3 pixels a side and %4 "
                               "megapixels)")
                    .arg(size.width())
                    .arg(size.height())
                    .arg(PageRenderLimits::MaxSide)
                    .arg(PageRenderLimits::MaxPixels / (1024 * 1024)));
  if (!page.PanelObject) return fail(QStringLiteral("the page has no page panel"));

  std::unique_ptr<TPageData> copy;
  TPageData* target = &page;
  if (HasControls(*page.PanelObject)) {
    copy = page.Clone();
    target = copy.get();
  }
  TAuObject& panel = *target->PanelObject;

  // The host stands for the page window's client area. It is never put on a screen.
  auto host = std::make_unique<QWidget>();
  host->setAttribute(Qt::WA_DontShowOnScreen);
  host->setFont(ToQFont(TFont()));  // the page window's font
  QPalette palette = host->palette();
  palette.setColor(QPalette::Window, ToQColor(clBtnFace));
  host->setPalette(palette);
  host->setAutoFillBackground(true);
  host->setFixedSize(size);

  int top = 0, bottom = size.height();
  if (QMenuBar* bar = MakeMenuBar(target->MainMenu, host.get())) {
    const int h =
        std::clamp(bar->heightForWidth(size.width()) > 0 ? bar->heightForWidth(size.width()) : bar->sizeHint().height(),
                   0, bottom);
    bar->setGeometry(0, 0, size.width(), h);
    top = h;
  }
  if (target->StatusBar.Visible()) {
    const int h = std::clamp(target->StatusBar.Height, 0, bottom - top);
    auto* strip = new TStatusStrip(target->StatusBar, host.get());
    strip->setGeometry(0, bottom - h, size.width(), h);
    bottom -= h;
  }
  auto* client = new QWidget(host.get());
  client->setGeometry(0, top, size.width(), bottom - top);

  TControlContext context;
  context.Live = options.Live;
  context.ProjectFolder = options.ProjectFolder;
  bool built = false;
  {
    TPlacedAtClient placed(panel, client->rect());
    built = CreateObjectControl(panel, client, context);
  }
  // Built while hidden, every control at its final size; shown only now, the pending resize
  // events find nothing left to rebuild.
  host->show();
  QImage image;
  if (built) {
    // Deferred layout and polish requests; no timer runs here, so nothing moves on by itself.
    QCoreApplication::sendPostedEvents();
    if (options.Live)
      ForEachRecord(panel, [](TAuObject& o) {
        if (TAuControl* c = ControlOf(o)) c->SettleForSnapshot();
      });
    QCoreApplication::sendPostedEvents();
    // Drawn into an image of its own rather than grabbed, so a screen's pixel ratio never scales it.
    image = QImage(size, QImage::Format_RGB32);
    image.fill(ToQColor(clBtnFace));
    host->render(&image);
  }
  host.reset();  // releases every control; the records' Control pointers clear themselves
  if (!built) return fail(QStringLiteral("the page holds an object that cannot be built"));
  if (image.isNull()) return fail(QStringLiteral("the page could not be drawn"));
  return image;
}
