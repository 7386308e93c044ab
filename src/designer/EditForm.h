// The design surface: a picture of the hidden editing page (its menu strip, client area and status
// bar as the page window draws them) with the selection frames, the sizing handles and the rubber
// band drawn on top. Presses, moves and releases on the client area go through Surface::TGesture;
// a finished drag or resize becomes one undo step.
//
// The picture is cached. A change repaints only what it touched: during a drag, the old and new
// rectangles of the moved objects are drawn again from the live controls; the marks are drawn on
// top at every paint and are never part of the picture.
#pragma once

#include <QImage>
#include <QPointer>
#include <QRegion>
#include <QScrollArea>
#include <QWidget>
#include <memory>

#include "designer/SurfaceLogic.h"
#include "model/Types.h"

class QMenu;
class TAutoRunForm;
class TMainForm;

class TEditForm : public QWidget {
  Q_OBJECT

 public:
  explicit TEditForm(QWidget* parent = nullptr);
  ~TEditForm() override;

  // The page window whose page is edited, and the main window that owns the history, the tree and
  // the palette (null: the surface edits the page and keeps no history).
  void SetPage(TAutoRunForm* page);
  void SetOwner(TMainForm* owner) { FOwner = owner; }
  TAutoRunForm* Page() const { return FPage; }

  bool CancelEditFormResizeEvent = false;
  bool CancelLeftMouseUp = false;
  QMenu* PopupMenu1 = nullptr;  // filled by the owner with its Edit commands

  // Takes the page window's size, then DoRefresh.
  void UpdateForm();
  // The whole picture is drawn again at the next paint; the band goes.
  void DoRefresh();
  // Only this part of the surface (surface coordinates) is drawn again.
  void RepaintSurface(const QRegion& region);
  // The page's picture without marks, brought up to date.
  const QImage& Picture();
  // Where the surface (the page's client area) starts in this widget.
  QPoint SurfaceOrigin() const;
  // The imitated window frame around the page's picture: its left and top share (the picture
  // starts there) and its whole extra size. None for a page without border.
  QPoint FrameOffset() const;
  QSize FrameExtra() const;
  TAuObject* Root() const;
  // The object the tree shows (heavy frame, alignment reference); null for none.
  TAuObject* PrimaryObject() const;
  Surface::TGrid Grid() const;
  const Surface::TGesture* Gesture() const { return FGesture.get(); }

  // Mouse input in surface coordinates (the events translate to these).
  void SurfacePress(QPoint point, Qt::MouseButton button, Qt::KeyboardModifiers modifiers);
  void SurfaceMove(QPoint point, Qt::MouseButtons buttons);
  void SurfaceRelease(QPoint point, Qt::MouseButton button, Qt::KeyboardModifiers modifiers);

  // Inserts the armed palette kind at point; true when the press was used for that.
  bool DoAddAuObject(QPoint point);
  // Brings the tree selection in line with the objects' flags.
  void DoSelect();

  // How many times the whole picture, and a part of it, was drawn (tests and benchmarks).
  int FullPaints() const { return FFullPaints; }
  int PartPaints() const { return FPartPaints; }

 protected:
  void paintEvent(QPaintEvent* event) override;
  void mousePressEvent(QMouseEvent* event) override;
  void mouseMoveEvent(QMouseEvent* event) override;
  void mouseReleaseEvent(QMouseEvent* event) override;
  void contextMenuEvent(QContextMenuEvent* event) override;

 private:
  Surface::TGesture& GestureFor(TAuObject& root);
  // The rectangles the selection's marks cover, for the objects a drag moves.
  QRegion DragMarks(TAuObject& root) const;
  void PaintSelectFocus(QPainter& painter, const QRect& clip);
  void PaintFrame(QPainter& painter);

  // Resizing the page by the surface's right or bottom border.
  enum TSizeEdges { NoEdge = 0, RightEdge = 1, BottomEdge = 2 };
  int SizeEdgesAt(QPoint pos) const;
  void SizePageTo(QSize surfaceSize);
  int FSizing = NoEdge;
  QPoint FSizeAnchor;
  QSize FSizeBase;
  QByteArray FSizeBefore;

  TAutoRunForm* FPage = nullptr;
  TMainForm* FOwner = nullptr;
  std::unique_ptr<Surface::TGesture> FGesture;
  TAuObject* FGestureRoot = nullptr;
  QImage FPicture;
  bool FFullDirty = true;
  QRegion FDirty;  // surface coordinates
  QRect FBand;     // surface coordinates, while drawn
  int FFullPaints = 0, FPartPaints = 0;
};

// A scroll box in the designer's background colour in which EditForm sits centred; it scrolls
// when the page is larger than the area.
class TDesignArea : public QScrollArea {
  Q_OBJECT

 public:
  explicit TDesignArea(QWidget* parent = nullptr);

  QWidget* Host() const { return FHost; }
  void SetForm(TEditForm* form);
  void SetBackColor(TColor color);
  // Centres the form: left = (area width − form width) / 2, top likewise, never below 0.
  void RangeForm();

 protected:
  void resizeEvent(QResizeEvent* event) override;

 private:
  QWidget* FHost;
  TEditForm* FForm = nullptr;
};
