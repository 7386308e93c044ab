// Helpers of the windowless-kind tests: a page of controls built in either run situation with a
// project folder, grabbing it, the design outline, the clocks, and test pictures.
#pragma once

#include <gtest/gtest.h>

#include <QApplication>
#include <QCursor>
#include <QDir>
#include <QImage>
#include <QPainter>
#include <QTimer>
#include <QWidget>
#include <memory>
#include <vector>

#include "ControlTestSupport.h"
#include "model/ObjectStream.h"
#include "objects/ObjectControl.h"
#include "render/PictureDecode.h"

// The page colour beneath the objects: anything a windowless object draws differs from it.
constexpr QRgb PageColour = qRgb(255, 0, 255);
constexpr QRgb OutlineColour = qRgb(0x80, 0x80, 0x80);

// A page window stand-in painted in PageColour, holding the controls of top-level records.
class TTestPage {
 public:
  explicit TTestPage(bool live, TPageEvents* events = nullptr, QString projectFolder = {}, QSize size = {640, 480})
      : Window(std::make_unique<QWidget>()) {
    Window->resize(size);
    Window->setAutoFillBackground(true);
    QPalette pal = Window->palette();
    pal.setColor(QPalette::Window, QColor::fromRgb(PageColour));
    Window->setPalette(pal);
    Context.Live = live;
    Context.Events = events ? events : &Events;
    Context.ProjectFolder = std::move(projectFolder);
  }
  ~TTestPage() { Window.reset(); }

  // Builds the control of object (the caller keeps the record alive longer than the page).
  TAuControl* Add(TAuObject& object) {
    EXPECT_TRUE(CreateObjectControl(object, Window.get(), Context)) << object.ObjectName.toStdString();
    return ControlOf(object);
  }
  void Show() {
    // Nothing is under the pointer unless a test sends it there.
    QCursor::setPos(-5000, -5000);
    Window->show();
    QApplication::processEvents();
  }
  QImage Grab() { return Window->grab().toImage().convertToFormat(QImage::Format_RGB32); }

  TRecordingPageEvents Events;
  TControlContext Context;
  std::unique_ptr<QWidget> Window;
};

// A record of kind at bounds, with the kind's defaults.
inline std::unique_ptr<TAuObject> NewObjectAt(TObjectType kind, const QString& name, QRect bounds) {
  return MakeObject(kind, name, bounds);
}

template <class P>
P& PayloadAs(TAuObject& object) {
  return static_cast<P&>(*object.Payload);
}

// Pixels of the grabbed page inside rect that are not the page colour.
inline int PaintedPixels(const QImage& page, const QRect& rect) {
  int n = 0;
  for (int y = rect.top(); y <= rect.bottom(); ++y)
    for (int x = rect.left(); x <= rect.right(); ++x)
      if ((page.pixel(x, y) & 0xFFFFFF) != (PageColour & 0xFFFFFF)) ++n;
  return n;
}

// Whether the dotted outline is drawn along rect: its corners and every other pixel from them.
inline bool HasDesignOutline(const QImage& page, const QRect& r) {
  const QPoint points[] = {r.topLeft(),
                           r.topLeft() + QPoint(2, 0),
                           r.topLeft() + QPoint(0, 2),
                           QPoint(r.right(), r.top()),
                           QPoint(r.right(), r.top() + 2),
                           QPoint(r.left(), r.bottom()),
                           QPoint(r.left() + 2, r.bottom())};
  for (QPoint p : points)
    if ((page.pixel(p) & 0xFFFFFF) != (OutlineColour & 0xFFFFFF)) return false;
  return true;
}

// The clocks of the controls on a page.
inline std::vector<QTimer*> ActiveTimers(QWidget* page) {
  std::vector<QTimer*> active;
  for (QTimer* t : page->findChildren<QTimer*>())
    if (t->isActive()) active.push_back(t);
  return active;
}

// A plain picture of one colour, stored as PNG.
inline TPicture ColourPicture(QSize size, QRgb colour) {
  QImage image(size, QImage::Format_ARGB32);
  image.fill(colour);
  return EncodePicture(image, TGraphicKind::Png);
}

// Where to put the pictures of a page for looking at them; empty when not asked for.
inline QString ShotFolder() { return qEnvironmentVariable("MENUVIA_CONTROL_SHOTS"); }

inline void SaveShot(const QImage& image, const QString& name) {
  const QString folder = ShotFolder();
  if (folder.isEmpty()) return;
  QDir().mkpath(folder);
  image.save(folder + u'/' + name + QStringLiteral(".png"));
}
