// The container kinds: panel (and the page panel), tab notebook and its tab sheets, group box,
// scroll box, and the splitter that resizes a docked neighbour.
#pragma once

#include <QFrame>
#include <QGroupBox>
#include <QImage>
#include <QScrollArea>
#include <QTabWidget>
#include <vector>

#include "model/PayloadsStandard.h"
#include "objects/ControlWidgets.h"
#include "objects/ObjectControl.h"

// The spacing of the designer's dot grid, which a panel draws when its background's PaintGrid is
// on (the page's own panel in the designer). Values below 1 are taken as 1.
void SetDesignGridSpacing(int x, int y);
QSize DesignGridSpacing();

// A panel: its painted background fills the client area (inside the platform border when it has
// one), and its children sit on that client area.
class TAuPanel : public TMouseKeeping<QFrame>, public TAuControl {
 public:
  TAuPanel(TAuObject& object, QWidget* parent, const TControlContext& context);

  QWidget* Widget() override { return this; }
  QWidget* ChildHost() override { return FClient; }

  const TPanelPayload& Payload() const { return static_cast<const TPanelPayload&>(*AuObject->Payload); }
  // The background as last built. It is built when first painted after a change of size or look
  // (a panel out of sight costs nothing); null before that, and when the client area is too large
  // to keep one (it is then painted straight onto the screen).
  const QImage& BackImage() const { return FBack; }

  // Largest client area (in pixels) whose background is kept as a picture.
  static constexpr qint64 MaxBackPixels = qint64(2048) * 2048;

 protected:
  void ApplyPayload() override;
  void resizeEvent(QResizeEvent* e) override;

 private:
  class TClient;
  void PlaceClient();
  void PaintBack(QPainter& painter, const QRect& area);

  QWidget* FClient;
  QImage FBack;
  QImage FPicture;  // kept only while the background is painted straight onto the screen
  bool FBackValid = false;
};

class TAuTabSheet;

// A tab notebook: a tab control filling it, one page per tab sheet child, with tab icons drawn on
// white pictures of the notebook's icon size.
class TAuTabNotebook : public QWidget, public TAuControl {
 public:
  TAuTabNotebook(TAuObject& object, QWidget* parent, const TControlContext& context);

  QWidget* Widget() override { return this; }
  // Tab sheets are created on the tab control and join it as its last page.
  QWidget* ChildHost() override { return FTabs; }

  const TTabNotebookPayload& Payload() const { return static_cast<const TTabNotebookPayload&>(*AuObject->Payload); }
  QTabWidget* Tabs() const { return FTabs; }
  int PageCount() const { return FTabs->count(); }
  int ActivePageIndex() const { return FTabs->currentIndex(); }
  void SetActivePageIndex(int index) { FTabs->setCurrentIndex(index); }
  // The tab sheet control of page index, or null.
  TAuTabSheet* Page(int index) const;

  // One picture per page, white and of the icon size, with the page's icon stretched over it; the
  // tab shows it when the page's image index is not -1.
  void RebuildIcons();
  int ImageIndex(int page) const;
  const std::vector<QImage>& IconImages() const { return FIcons; }
  // The icon size, limited to what a tab can sensibly show.
  QSize IconSize() const;
  // Pages came or went, or a page's caption or icon changed.
  void PagesChanged();

 protected:
  void ApplyPayload() override;
  void SizeChanged() override;
  void ChildrenCreated() override;
  void ApplyCommon() override;
  void resizeEvent(QResizeEvent* e) override;
  void mousePressEvent(QMouseEvent* e) override { e->accept(); }
  void mouseReleaseEvent(QMouseEvent* e) override { e->accept(); }
  void mouseDoubleClickEvent(QMouseEvent* e) override { e->accept(); }
  void mouseMoveEvent(QMouseEvent* e) override { e->accept(); }

 private:
  class TTabs;

  QTabWidget* FTabs;
  std::vector<QImage> FIcons;
  std::vector<int> FImageIndexes;
  bool FApplied = false;
  bool FLoading = true;  // until the subtree is created: pages come in one by one
};

// A tab sheet: one page of its notebook, filled with the notebook's colour.
class TAuTabSheet : public TMouseKeepingWidget, public TAuControl {
 public:
  TAuTabSheet(TAuObject& object, QWidget* parent, const TControlContext& context);

  QWidget* Widget() override { return this; }
  const TTabSheetPayload& Payload() const { return static_cast<const TTabSheetPayload&>(*AuObject->Payload); }
  // The notebook this sheet is a page of, or null.
  TAuTabNotebook* Notebook() const;

 protected:
  void ApplyPayload() override;
  // The sheet's look does not depend on its size; it is applied once.
  void SizeChanged() override;

 private:
  bool FApplied = false;
};

// A group box: the platform's themed box live, the classic look on the editing canvas.
class TAuGroupBox : public TMouseKeeping<QGroupBox>, public TAuControl {
 public:
  TAuGroupBox(TAuObject& object, QWidget* parent, const TControlContext& context);

  QWidget* Widget() override { return this; }
  QRect ChildClientRect() override;
  const TGroupBoxPayload& Payload() const { return static_cast<const TGroupBoxPayload&>(*AuObject->Payload); }

 protected:
  void ApplyPayload() override;
  // Nothing it applies depends on its size: applied before its children exist, so that its font
  // and colours are not passed down a whole subtree afterwards.
  void OnCreated() override { ApplyPayload(); }
  void SizeChanged() override;
  void paintEvent(QPaintEvent* e) override;

 private:
  bool FApplied = false;
};

// A scroll box: children on a scrolled area that grows to hold them; scroll bars appear as needed
// live and never while editing.
class TAuScrollBox : public TMouseKeeping<QScrollArea>, public TAuControl {
 public:
  TAuScrollBox(TAuObject& object, QWidget* parent, const TControlContext& context);

  QWidget* Widget() override { return this; }
  QWidget* ChildHost() override { return FInner; }
  // Docked children share the visible area.
  QRect ChildClientRect() override;
  const TScrollBoxPayload& Payload() const { return static_cast<const TScrollBoxPayload&>(*AuObject->Payload); }

 protected:
  void ApplyPayload() override;
  // Nothing it applies depends on its size: applied before its children exist, so that its font
  // and colours are not passed down a whole subtree afterwards.
  void OnCreated() override { ApplyPayload(); }
  void SizeChanged() override;
  void ChildrenAligned() override;
  bool viewportEvent(QEvent* e) override;
  bool event(QEvent* e) override;

 private:
  void UpdateRange();

  QWidget* FInner;
  bool FApplied = false;
};

// A splitter: a bar that, dragged live, resizes the docked neighbour on its side.
class TAuSplitter : public QWidget, public TAuControl {
 public:
  TAuSplitter(TAuObject& object, QWidget* parent, const TControlContext& context);

  QWidget* Widget() override { return this; }
  const TSplitterPayload& Payload() const { return static_cast<const TSplitterPayload&>(*AuObject->Payload); }

  // The record of the neighbour the splitter resizes: the visible, enabled sibling touching the
  // splitter on its docked side. Null when there is none (or the splitter is not docked).
  TAuObject* Neighbour() const;
  // The neighbour's size after dragging by delta pixels from startSize, within [MinSize, maxSize];
  // with AutoSnap a size at MinSize or below closes the neighbour.
  static int SplitSize(const TSplitterPayload& splitter, TAlign align, int startSize, int delta, int maxSize);

 protected:
  void ApplyPayload() override;
  void paintEvent(QPaintEvent* e) override;
  void mousePressEvent(QMouseEvent* e) override;
  void mouseMoveEvent(QMouseEvent* e) override;
  void mouseReleaseEvent(QMouseEvent* e) override;
  void mouseDoubleClickEvent(QMouseEvent* e) override { e->accept(); }

 private:
  bool Horizontal() const;  // docked left or right: it resizes widths
  void Resize(QPoint globalPos);

  TAuObject* FNeighbour = nullptr;  // while dragging
  QPoint FDownGlobal;
  int FStartSize = 0;
  int FMaxSize = 0;
};
