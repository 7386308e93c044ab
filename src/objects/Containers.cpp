#include "objects/Containers.h"

#include <QIcon>
#include <QPainter>
#include <QPixmap>
#include <QScrollBar>
#include <QStyleOptionGroupBox>
#include <QTabBar>
#include <algorithm>

#include "objects/ObjectKinds.h"
#include "render/Outline.h"
#include "render/PaintedControls.h"
#include "render/PanelBack.h"
#include "render/PictureDecode.h"

// ---- panel ----

// The panel's client area: paints the background the panel built.
class TAuPanel::TClient : public TMouseKeepingWidget {
 public:
  explicit TClient(TAuPanel& panel) : TMouseKeepingWidget(&panel), FPanel(panel) {}

 protected:
  void paintEvent(QPaintEvent* e) override {
    QPainter p(this);
    FPanel.PaintBack(p, e->rect());
  }

 private:
  TAuPanel& FPanel;
};

TAuPanel::TAuPanel(TAuObject& object, QWidget* parent, const TControlContext& context)
    : TMouseKeeping<QFrame>(parent), TAuControl(object, context), FClient(new TClient(*this)) {
  // The background covers the client completely; nothing beneath needs painting.
  FClient->setAttribute(Qt::WA_OpaquePaintEvent);
}

void TAuPanel::PlaceClient() { FClient->setGeometry(contentsRect()); }

void TAuPanel::resizeEvent(QResizeEvent* e) {
  QFrame::resizeEvent(e);
  PlaceClient();
}

void TAuPanel::ApplyPayload() {
  ApplyBorderStyle(*this, Payload().BorderStyle);
  // The size may be announced before this frame's own resize handling ran.
  PlaceClient();
  FBackValid = false;
  FBack = QImage();
  FPicture = QImage();
  FClient->update();
}

namespace {
QSize GridSpacing(8, 8);
}

void SetDesignGridSpacing(int x, int y) { GridSpacing = QSize(std::max(x, 1), std::max(y, 1)); }
QSize DesignGridSpacing() { return GridSpacing; }

void TAuPanel::PaintBack(QPainter& painter, const QRect& area) {
  if (!AuObject) return;
  const TPanelPayload& p = Payload();
  TPanelBackContext context;
  context.PanelColor = p.Color;
  context.Font = p.Font;
  context.GridX = GridSpacing.width();
  context.GridY = GridSpacing.height();
  const QSize client = FClient->size();
  if (!FBackValid) {
    FBackValid = true;
    context.Picture = p.PanelBack.Picture.IsEmpty() ? QImage() : DecodePicture(p.PanelBack.Picture);
    if (client.isEmpty() || qint64(client.width()) * client.height() > MaxBackPixels)
      FPicture = context.Picture;
    else
      FBack = BuildPanelBackImage(client, p.PanelBack, context);
    CountRebuild();
  }
  if (!FBack.isNull()) {
    painter.drawImage(area.topLeft(), FBack, area);
    return;
  }
  context.Picture = FPicture;
  painter.setClipRect(area);
  PaintPanelBack(painter, client, p.PanelBack, context);
}

TAuControl* CreatePanelControl(TAuObject& object, QWidget* parent, const TControlContext& context) {
  return new TAuPanel(object, parent, context);
}

// ---- tab notebook and tab sheet ----

namespace {
class TKeepingTabBar : public TMouseKeeping<QTabBar> {
 public:
  using TMouseKeeping<QTabBar>::TMouseKeeping;
};
}  // namespace

// The notebook's tab control; tells the notebook when pages come and go.
class TAuTabNotebook::TTabs : public TMouseKeeping<QTabWidget> {
 public:
  explicit TTabs(TAuTabNotebook& notebook) : TMouseKeeping<QTabWidget>(&notebook), FNotebook(notebook) {
    setTabBar(new TKeepingTabBar(this));
  }

 protected:
  void tabInserted(int) override { FNotebook.PagesChanged(); }
  void tabRemoved(int) override { FNotebook.PagesChanged(); }

 private:
  TAuTabNotebook& FNotebook;
};

TAuTabNotebook::TAuTabNotebook(TAuObject& object, QWidget* parent, const TControlContext& context)
    : QWidget(parent), TAuControl(object, context), FTabs(new TTabs(*this)) {
  // The tabs and the page area (where no sheet covers it) take the mouse as the notebook.
  ForwardMouseEvents(FTabs->tabBar());
  for (QWidget* inner : FTabs->findChildren<QWidget*>(Qt::FindDirectChildrenOnly)) ForwardMouseEvents(inner);
}

void TAuTabNotebook::resizeEvent(QResizeEvent* e) {
  QWidget::resizeEvent(e);
  FTabs->setGeometry(rect());
}

QSize TAuTabNotebook::IconSize() const {
  // Stored sizes are trusted only this far: a tab icon larger than this is no tab icon.
  constexpr int MaxIcon = 256;
  const TTabNotebookPayload& p = Payload();
  return {std::clamp(p.IconWidth, 1, MaxIcon), std::clamp(p.IconHeight, 1, MaxIcon)};
}

void TAuTabNotebook::SizeChanged() {
  // The tab control follows the size by itself; the record is applied once.
  if (!FApplied) ApplyPayload();
}

void TAuTabNotebook::ApplyPayload() {
  FApplied = true;
  const TTabNotebookPayload& p = Payload();
  ApplyBackColor(*this, p.Color);
  FTabs->setGeometry(rect());
  FTabs->tabBar()->setFont(ToQFont(p.Font));
  QPalette pal = FTabs->tabBar()->palette();
  pal.setColor(QPalette::WindowText, ToQColor(p.Font.Color));
  pal.setColor(QPalette::ButtonText, ToQColor(p.Font.Color));
  FTabs->tabBar()->setPalette(pal);
  FTabs->tabBar()->setFocusPolicy(p.TabStop ? Qt::StrongFocus : Qt::NoFocus);
  setFocusPolicy(Qt::NoFocus);
  FTabs->setIconSize(IconSize());
  for (int i = 0; i < FTabs->count(); ++i)
    if (TAuTabSheet* sheet = Page(i)) ApplyBackColor(*sheet, p.Color);
  if (!FLoading) RebuildIcons();
  CountRebuild();
}

void TAuTabNotebook::ApplyCommon() {
  TAuControl::ApplyCommon();
  // The notebook shows its cursor on its tabs.
  unsetCursor();
  if (AuObject->Cursor == 0)
    FTabs->unsetCursor();
  else
    FTabs->setCursor(CursorShapeOf(AuObject->Cursor));
}

TAuTabSheet* TAuTabNotebook::Page(int index) const { return dynamic_cast<TAuTabSheet*>(FTabs->widget(index)); }

int TAuTabNotebook::ImageIndex(int page) const {
  return page >= 0 && page < int(FImageIndexes.size()) ? FImageIndexes[size_t(page)] : -1;
}

void TAuTabNotebook::RebuildIcons() {
  const QSize size = IconSize();
  FIcons.clear();
  FImageIndexes.clear();
  for (int i = 0; i < FTabs->count(); ++i) {
    QImage image(size, QImage::Format_RGB32);
    image.fill(Qt::white);
    int index = -1;
    if (TAuTabSheet* sheet = Page(i); sheet && sheet->AuObject) {
      const TTabSheetPayload& p = sheet->Payload();
      index = p.ImageIndex(i);
      if (index >= 0) {
        // A picture that does not decode leaves the white bitmap.
        const QImage icon = DecodePicture(p.Icon);
        if (!icon.isNull()) {
          QPainter painter(&image);
          painter.drawImage(QRect(QPoint(), size), icon);
        }
      }
    }
    FIcons.push_back(image);
    FImageIndexes.push_back(index);
    FTabs->setTabIcon(i, index >= 0 ? QIcon(QPixmap::fromImage(FIcons[size_t(index)])) : QIcon());
  }
}

void TAuTabNotebook::PagesChanged() {
  if (!FLoading) RebuildIcons();
}

void TAuTabNotebook::ChildrenCreated() {
  FLoading = false;
  RebuildIcons();
  const int page = Payload().ActivePageAfterLoad(FTabs->count());
  if (page >= 0) FTabs->setCurrentIndex(page);
}

TAuTabSheet::TAuTabSheet(TAuObject& object, QWidget* parent, const TControlContext& context)
    : TMouseKeepingWidget(parent), TAuControl(object, context) {
  // Joins its notebook as the last page.
  if (auto* tabs = qobject_cast<QTabWidget*>(parent)) tabs->addTab(this, Payload().Caption);
}

TAuTabNotebook* TAuTabSheet::Notebook() const {
  for (QWidget* p = parentWidget(); p; p = p->parentWidget())
    if (auto* notebook = dynamic_cast<TAuTabNotebook*>(AsAuControl(p))) return notebook;
  return nullptr;
}

void TAuTabSheet::SizeChanged() {
  if (FApplied) return;
  FApplied = true;
  ApplyPayload();
}

void TAuTabSheet::ApplyPayload() {
  FApplied = true;
  TAuTabNotebook* notebook = Notebook();
  if (notebook && notebook->AuObject) {
    ApplyBackColor(*this, notebook->Payload().Color);
    const int index = notebook->Tabs()->indexOf(this);
    if (index >= 0) {
      notebook->Tabs()->setTabText(index, Payload().Caption);
      notebook->PagesChanged();
    }
  }
  CountRebuild();
}

TAuControl* CreateTabNotebookControl(TAuObject& object, QWidget* parent, const TControlContext& context) {
  return new TAuTabNotebook(object, parent, context);
}

TAuControl* CreateTabSheetControl(TAuObject& object, QWidget* parent, const TControlContext& context) {
  return new TAuTabSheet(object, parent, context);
}

// ---- group box ----

TAuGroupBox::TAuGroupBox(TAuObject& object, QWidget* parent, const TControlContext& context)
    : TMouseKeeping<QGroupBox>(parent), TAuControl(object, context) {}

void TAuGroupBox::SizeChanged() {
  // The platform paints the box at any size; only the first size applies the record.
  if (!FApplied) ApplyPayload();
}

void TAuGroupBox::ApplyPayload() {
  FApplied = true;
  const TGroupBoxPayload& p = Payload();
  setTitle(p.Caption);
  CountRebuild();
  update();
}

QRect TAuGroupBox::ChildClientRect() {
  // The caption's line is kept free above, and the etched frame on every side.
  const int captionHeight = QFontMetrics(ToQFont(Payload().Font)).height();
  return rect().adjusted(2, captionHeight + 2, -2, -2);
}

void TAuGroupBox::paintEvent(QPaintEvent*) {
  QPainter p(this);
  if (!Live()) {
    PaintGroupBoxClassic(p, size(), Payload(), true, layoutDirection() == Qt::RightToLeft);
    return;
  }
  // The platform's box on the stored colour, its caption in the stored font. Painted from the
  // record rather than set as the widget's palette and font, which every widget made inside the
  // box would take over again.
  const TGroupBoxPayload& g = Payload();
  const QColor back = ToQColor(g.Color);
  p.fillRect(rect(), back);
  QStyleOptionGroupBox option;
  initStyleOption(&option);
  const QFont font = ToQFont(g.Font);
  option.fontMetrics = QFontMetrics(font);
  option.palette.setColor(QPalette::Window, back);
  option.palette.setColor(QPalette::WindowText, ToQColor(g.Font.Color));
  option.textColor = ToQColor(g.Font.Color);
  p.setFont(font);
  style()->drawComplexControl(QStyle::CC_GroupBox, &option, &p, this);
}

TAuControl* CreateGroupBoxControl(TAuObject& object, QWidget* parent, const TControlContext& context) {
  return new TAuGroupBox(object, parent, context);
}

// ---- scroll box ----

TAuScrollBox::TAuScrollBox(TAuObject& object, QWidget* parent, const TControlContext& context)
    : TMouseKeeping<QScrollArea>(parent), TAuControl(object, context), FInner(new TMouseKeepingWidget) {
  setWidget(FInner);
  setWidgetResizable(false);
  ForwardMouseEvents(viewport());
  const Qt::ScrollBarPolicy policy = Live() ? Qt::ScrollBarAsNeeded : Qt::ScrollBarAlwaysOff;
  setHorizontalScrollBarPolicy(policy);
  setVerticalScrollBarPolicy(policy);
  // Smooth, tracking bars: the view follows the thumb while it is dragged.
  horizontalScrollBar()->setTracking(true);
  verticalScrollBar()->setTracking(true);
}

void TAuScrollBox::SizeChanged() {
  if (!FApplied) ApplyPayload();
}

void TAuScrollBox::ApplyPayload() {
  FApplied = true;
  const TScrollBoxPayload& p = Payload();
  ApplyBorderStyle(*this, p.BorderStyle);
  // The colour is painted, not set as the box's palette: every widget made inside the box would
  // take a set palette over again. The bars, which hold nothing, are drawn in it.
  ApplyBackColor(*horizontalScrollBar(), p.Color);
  ApplyBackColor(*verticalScrollBar(), p.Color);
  viewport()->update();
  update();
  UpdateRange();
  CountRebuild();
}

QRect TAuScrollBox::ChildClientRect() {
  // From the box's own size rather than the viewport's, which follows only once the box is shown.
  QSize size = maximumViewportSize();
  if (verticalScrollBar()->isVisibleTo(this)) size.rwidth() -= verticalScrollBar()->sizeHint().width();
  if (horizontalScrollBar()->isVisibleTo(this)) size.rheight() -= horizontalScrollBar()->sizeHint().height();
  return QRect(QPoint(), size.expandedTo(QSize(0, 0)));
}

bool TAuScrollBox::viewportEvent(QEvent* e) {
  if (e->type() == QEvent::Paint && AuObject) {
    QPainter p(viewport());
    p.fillRect(static_cast<QPaintEvent*>(e)->rect(), ToQColor(Payload().Color));
    return true;
  }
  const bool done = QScrollArea::viewportEvent(e);
  if (e->type() == QEvent::Resize && AuObject) AlignChildren(*AuObject);
  return done;
}

bool TAuScrollBox::event(QEvent* e) {
  const bool done = TMouseKeeping<QScrollArea>::event(e);
  // The corner between the two bars shows the box's colour.
  if (e->type() == QEvent::Paint && AuObject && horizontalScrollBar()->isVisibleTo(this) &&
      verticalScrollBar()->isVisibleTo(this)) {
    // Where the area paints its corner: at the bottom right of its contents, as wide and high as
    // the bars.
    const QSize bars(verticalScrollBar()->sizeHint().width(), horizontalScrollBar()->sizeHint().height());
    QStyleOption option;
    option.initFrom(this);
    option.palette.setColor(QPalette::Window, ToQColor(Payload().Color));
    option.rect = QRect(contentsRect().bottomRight() + QPoint(1, 1) - QPoint(bars.width(), bars.height()), bars);
    // Painted after the frame: kept inside it, as the frame is drawn over the corner's edge.
    QPainter p(this);
    p.setClipRect(contentsRect());
    style()->drawPrimitive(QStyle::PE_PanelScrollAreaCorner, &option, &p, this);
  }
  return done;
}

void TAuScrollBox::ChildrenAligned() { UpdateRange(); }

void TAuScrollBox::UpdateRange() {
  if (!AuObject) return;
  // The scrolled area holds the visible area and every child shown in it.
  QRect extent = ChildClientRect();
  for (auto& child : AuObject->Objects) {
    TAuControl* c = ControlOf(*child);
    if (!c || (Live() && !child->Visible)) continue;
    const QRect g = c->Geometry();
    extent.setRight(std::max(extent.right(), g.right()));
    extent.setBottom(std::max(extent.bottom(), g.bottom()));
  }
  const QSize size(std::min(extent.width(), MaxControlExtent), std::min(extent.height(), MaxControlExtent));
  if (FInner->size() != size) FInner->resize(size);
}

TAuControl* CreateScrollBoxControl(TAuObject& object, QWidget* parent, const TControlContext& context) {
  return new TAuScrollBox(object, parent, context);
}

// ---- splitter ----

TAuSplitter::TAuSplitter(TAuObject& object, QWidget* parent, const TControlContext& context)
    : QWidget(parent), TAuControl(object, context) {}

void TAuSplitter::ApplyPayload() {
  CountRebuild();
  update();
}

void TAuSplitter::paintEvent(QPaintEvent*) {
  QPainter p(this);
  const TSplitterPayload& s = Payload();
  p.fillRect(rect(), ToQColor(s.Color));
  if (s.Beveled) {
    // A raised frame along the bar: highlight one pixel down and right, shadow above it.
    QRect r = rect();
    if (Horizontal())
      r.adjust(1, -2, -1, 2);
    else
      r.adjust(-2, 1, 2, -1);
    r.translate(1, 1);
    p.setPen(ToQColor(clBtnHighlight));
    p.drawRect(r.adjusted(0, 0, -1, -1));
    r.translate(-2, -2);
    p.setPen(ToQColor(clBtnShadow));
    p.drawRect(r.adjusted(0, 0, -1, -1));
  }
  if (Editing()) DrawDesignOutline(p, rect());
}

bool TAuSplitter::Horizontal() const { return AuObject->Align == alLeft || AuObject->Align == alRight; }

TAuObject* TAuSplitter::Neighbour() const {
  TAuObject* parent = ParentRecord();
  if (!AuObject || !parent) return nullptr;
  const QRect g = geometry();
  QPoint p = g.topLeft();
  switch (AuObject->Align) {
    case alLeft:
      p.rx() -= 1;
      break;
    case alRight:
      p.rx() += g.width();
      break;
    case alTop:
      p.ry() -= 1;
      break;
    case alBottom:
      p.ry() += g.height();
      break;
    default:
      return nullptr;
  }
  const bool before = AuObject->Align == alLeft || AuObject->Align == alTop;
  for (auto& sibling : parent->Objects) {
    if (sibling.get() == AuObject) continue;
    TAuControl* c = ControlOf(*sibling);
    if (!c || !c->IsShown() || !sibling->Enable) continue;
    // A closed neighbour still counts when the point lies just beside it.
    QRect r = c->Geometry();
    if (r.width() == 0) (before ? r.setLeft(r.left() - 1) : r.setRight(r.right() + 1));
    if (r.height() == 0) (before ? r.setTop(r.top() - 1) : r.setBottom(r.bottom() + 1));
    if (r.contains(p)) return sibling.get();
  }
  return nullptr;
}

int TAuSplitter::SplitSize(const TSplitterPayload& splitter, TAlign align, int startSize, int delta, int maxSize) {
  const int64_t wanted = (align == alLeft || align == alTop) ? int64_t(startSize) + delta : int64_t(startSize) - delta;
  int size = int(std::clamp<int64_t>(wanted, INT32_MIN, INT32_MAX));
  if (size < splitter.MinSize)
    size = splitter.MinSize;
  else if (size > maxSize)
    size = maxSize;
  if (splitter.AutoSnap && size <= splitter.MinSize) size = 0;
  return std::max(0, size);
}

void TAuSplitter::mousePressEvent(QMouseEvent* e) {
  e->accept();
  FNeighbour = nullptr;
  if (!Live() || e->button() != Qt::LeftButton || !AuObject) return;
  TAuObject* neighbour = Neighbour();
  TAuObject* parent = ParentRecord();
  TAuControl* host = parent ? ControlOf(*parent) : nullptr;
  if (!neighbour || !host) return;
  const bool horizontal = Horizontal();
  const QRect client = host->ChildClientRect();
  // The neighbour may take all the room the other docked objects on this axis leave.
  int64_t maxSize = int64_t(horizontal ? client.width() : client.height()) - Payload().MinSize;
  for (auto& sibling : parent->Objects) {
    TAuControl* c = ControlOf(*sibling);
    if (!c || !c->IsShown()) continue;
    const bool sameAxis = horizontal ? (sibling->Align == alLeft || sibling->Align == alRight)
                                     : (sibling->Align == alTop || sibling->Align == alBottom);
    if (sameAxis) maxSize -= horizontal ? c->Size().width() : c->Size().height();
  }
  const QSize neighbourSize = ControlOf(*neighbour)->Size();
  FStartSize = horizontal ? neighbourSize.width() : neighbourSize.height();
  maxSize += FStartSize;
  FMaxSize = int(std::clamp<int64_t>(maxSize, 0, MaxControlExtent));
  FNeighbour = neighbour;
  FDownGlobal = e->globalPosition().toPoint();
}

void TAuSplitter::Resize(QPoint globalPos) {
  TAuObject* parent = ParentRecord();
  if (!FNeighbour || !parent) return;
  // The neighbour may have gone while the mouse was down.
  if (std::none_of(parent->Objects.begin(), parent->Objects.end(),
                   [&](const auto& o) { return o.get() == FNeighbour; })) {
    FNeighbour = nullptr;
    return;
  }
  const QPoint delta = globalPos - FDownGlobal;
  const int size = SplitSize(Payload(), AuObject->Align, FStartSize, Horizontal() ? delta.x() : delta.y(), FMaxSize);
  int& stored = Horizontal() ? FNeighbour->Width : FNeighbour->Height;
  if (stored == size) return;
  stored = size;
  AlignChildren(*parent);
}

void TAuSplitter::mouseMoveEvent(QMouseEvent* e) {
  e->accept();
  if (FNeighbour && Payload().ResizeStyle == rsUpdate) Resize(e->globalPosition().toPoint());
}

void TAuSplitter::mouseReleaseEvent(QMouseEvent* e) {
  e->accept();
  if (e->button() != Qt::LeftButton) return;
  // Without live update the neighbour takes its new size when the bar is let go.
  if (FNeighbour) Resize(e->globalPosition().toPoint());
  FNeighbour = nullptr;
}

TAuControl* CreateSplitterControl(TAuObject& object, QWidget* parent, const TControlContext& context) {
  return new TAuSplitter(object, parent, context);
}
