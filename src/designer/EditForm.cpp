#include "designer/EditForm.h"

#include <qdrawutil.h>

#include <QApplication>
#include <QContextMenuEvent>
#include <QIcon>
#include <QLineEdit>
#include <QMenu>
#include <QMouseEvent>
#include <QPainter>
#include <QResizeEvent>
#include <algorithm>

#include "designer/DesignerSettings.h"
#include "designer/MainForm.h"
#include "designer/SurfaceCommands.h"
#include "designer/UndoCommands.h"
#include "model/Messages.h"
#include "objects/ObjectControl.h"
#include "objects/PageRender.h"
#include "player/AutoRunForm.h"
#include "render/Colors.h"

namespace {
// How far the marks reach outside an object: the handles by 5, the primary frame by 3.
constexpr int MarkReach = 6;

QWidget* SurfaceWidget(const TAuObject* root) {
  TAuControl* control = root ? ControlOf(*root) : nullptr;
  return control ? control->ChildHost() : nullptr;
}
}  // namespace

TEditForm::TEditForm(QWidget* parent) : QWidget(parent) {
  setObjectName(QStringLiteral("EditForm"));
  setAttribute(Qt::WA_OpaquePaintEvent);
  setFocusPolicy(Qt::NoFocus);
  setMouseTracking(true);
}

TEditForm::~TEditForm() = default;

void TEditForm::SetPage(TAutoRunForm* page) {
  FPage = page;
  FGesture.reset();
  FGestureRoot = nullptr;
  UpdateForm();
}

TAuObject* TEditForm::Root() const { return FPage ? FPage->PanelObject() : nullptr; }

TAuObject* TEditForm::PrimaryObject() const { return FOwner ? FOwner->PrimaryObject() : nullptr; }

Surface::TGrid TEditForm::Grid() const {
  return {DesignSettings.GridSizeX, DesignSettings.GridSizeY, DesignSettings.SnapToGrid};
}

QPoint TEditForm::SurfaceOrigin() const {
  QWidget* surface = SurfaceWidget(Root());
  if (!surface || !FPage || !FPage->isAncestorOf(surface)) return FrameOffset();
  return surface->mapTo(FPage, QPoint(0, 0)) + FrameOffset();
}

namespace {
// The imitated frame: border width and caption height by border style.
struct TFrameLook {
  int Border = 0;
  int Caption = 0;
};

TFrameLook FrameLook(TFormBorderStyle style) {
  switch (style) {
    case TFormBorderStyle::bsNone:
      return {0, 0};
    case TFormBorderStyle::bsSizeable:
      return {4, 22};
    case TFormBorderStyle::bsToolWindow:
      return {3, 18};
    case TFormBorderStyle::bsSizeToolWin:
      return {4, 18};
    default:
      return {3, 22};
  }
}
}  // namespace

QPoint TEditForm::FrameOffset() const {
  if (!FPage) return {};
  const TFrameLook look = FrameLook(FPage->Page.BorderStyle);
  return {look.Border, look.Border + look.Caption};
}

QSize TEditForm::FrameExtra() const {
  if (!FPage) return {};
  const TFrameLook look = FrameLook(FPage->Page.BorderStyle);
  return {2 * look.Border, 2 * look.Border + look.Caption};
}

// A window frame in the classic look: raised border, a caption bar in the active colours with
// the page's icon and caption, and the buttons its border icons ask for.
void TEditForm::PaintFrame(QPainter& p) {
  const TFrameLook look = FrameLook(FPage->Page.BorderStyle);
  if (look.Border == 0) return;
  const QRect outer = rect();
  p.fillRect(outer, QColor(212, 208, 200));
  p.setPen(QColor(255, 255, 255));
  p.drawLine(outer.left() + 1, outer.top() + 1, outer.right() - 1, outer.top() + 1);
  p.drawLine(outer.left() + 1, outer.top() + 1, outer.left() + 1, outer.bottom() - 1);
  p.setPen(QColor(64, 64, 64));
  p.drawLine(outer.left(), outer.bottom(), outer.right(), outer.bottom());
  p.drawLine(outer.right(), outer.top(), outer.right(), outer.bottom());
  p.setPen(QColor(128, 128, 128));
  p.drawLine(outer.left() + 1, outer.bottom() - 1, outer.right() - 1, outer.bottom() - 1);
  p.drawLine(outer.right() - 1, outer.top() + 1, outer.right() - 1, outer.bottom() - 1);

  const QRect bar(look.Border, look.Border, width() - 2 * look.Border, look.Caption - 1);
  QLinearGradient gradient(bar.topLeft(), bar.topRight());
  gradient.setColorAt(0, QColor(10, 36, 106));
  gradient.setColorAt(1, QColor(166, 202, 240));
  p.fillRect(bar, gradient);
  int x = bar.left() + 2;
  const bool tool = look.Caption < 22;
  const TPageData& page = FPage->Page;
  if (!tool && (page.BorderIcons & biSystemMenu) && page.BorderStyle != TFormBorderStyle::bsDialog) {
    const QIcon icon = FPage->windowIcon();
    if (!icon.isNull()) icon.paint(&p, QRect(x, bar.top() + (bar.height() - 16) / 2, 16, 16));
    x += 18;
  }
  QFont font = p.font();
  font.setBold(true);
  font.setPixelSize(tool ? 10 : 11);
  p.setFont(font);
  p.setPen(Qt::white);
  // Buttons from the right: close, then maximise and minimise when asked for.
  const int side = bar.height() - 4;
  int right = bar.right() - 2;
  const auto button = [&](const QString& glyph) {
    const QRect r(right - side - 1, bar.top() + 2, side + 2, side);
    qDrawShadePanel(&p, r, palette(), false, 1, &palette().brush(QPalette::Button));
    p.setPen(Qt::black);
    p.drawText(r, Qt::AlignCenter, glyph);
    right = r.left() - 2;
  };
  if (page.BorderIcons & biSystemMenu) {
    button(QStringLiteral("\u00D7"));
    const bool sizes =
        page.BorderStyle == TFormBorderStyle::bsSingle || page.BorderStyle == TFormBorderStyle::bsSizeable;
    if (sizes && (page.BorderIcons & (biMinimize | biMaximize))) {
      button(QStringLiteral("\u25A1"));
      button(QStringLiteral("_"));
    } else if (page.BorderIcons & biHelp) {
      button(QStringLiteral("?"));
    }
  }
  p.setPen(Qt::white);
  const QRect text(x, bar.top(), right - x - 2, bar.height());
  p.drawText(text, Qt::AlignVCenter | Qt::AlignLeft,
             p.fontMetrics().elidedText(FPage->windowTitle(), Qt::ElideRight, text.width()));
}

Surface::TGesture& TEditForm::GestureFor(TAuObject& root) {
  // A page loaded again has new records: a gesture never outlives its root.
  if (!FGesture || FGestureRoot != &root) {
    FGesture = std::make_unique<Surface::TGesture>(root);
    FGestureRoot = &root;
  }
  return *FGesture;
}

// ---- painting ----

void TEditForm::UpdateForm() {
  CancelEditFormResizeEvent = true;
  const QSize size = FPage ? FPage->size() + FrameExtra() : QSize(1, 1);
  setFixedSize(size.expandedTo(QSize(1, 1)));
  CancelEditFormResizeEvent = false;
  if (FGesture) FGesture->Reset();
  DoRefresh();
}

void TEditForm::DoRefresh() {
  FFullDirty = true;
  FDirty = QRegion();
  FBand = QRect();
  update();
}

void TEditForm::RepaintSurface(const QRegion& region) {
  if (region.isEmpty()) return;
  FDirty += region;
  update(region.translated(SurfaceOrigin()));
}

const QImage& TEditForm::Picture() {
  if (!FPage) return FPicture;
  // Docking the page asked for is done before anything is drawn.
  QCoreApplication::sendPostedEvents(nullptr, QEvent::LayoutRequest);
  if (FFullDirty || FPicture.size() != FPage->size()) {
    FPicture = QImage(FPage->size().expandedTo(QSize(1, 1)), QImage::Format_RGB32);
    FPicture.fill(palette().color(QPalette::Window));
    FPage->render(&FPicture);
    FFullDirty = false;
    FDirty = QRegion();
    ++FFullPaints;
  } else if (!FDirty.isEmpty()) {
    if (QWidget* surface = SurfaceWidget(Root())) {
      const QRegion part = FDirty & QRegion(surface->rect());
      if (!part.isEmpty()) {
        const QPoint origin = SurfaceOrigin() - FrameOffset();  // in the picture
        QPainter p(&FPicture);
        p.setClipRegion(part.translated(origin));
        p.fillRect(part.boundingRect().translated(origin), palette().color(QPalette::Window));
        p.end();
        surface->render(&FPicture, origin + part.boundingRect().topLeft(), part);
        ++FPartPaints;
      }
    }
    FDirty = QRegion();
  }
  return FPicture;
}

void TEditForm::paintEvent(QPaintEvent* event) {
  QPainter p(this);
  if (!FPage || !Root()) {
    p.fillRect(rect(), palette().window());
    return;
  }
  const QImage& picture = Picture();
  p.setClipRegion(event->region());
  const QPoint frame = FrameOffset();
  if (!QRect(frame, picture.size()).contains(event->rect())) PaintFrame(p);
  const QRect target = event->rect() & QRect(frame, picture.size());
  p.drawImage(target.topLeft(), picture, target.translated(-frame));
  p.translate(SurfaceOrigin());
  QWidget* surface = SurfaceWidget(Root());
  p.setClipRect(surface ? surface->rect() : rect());
  p.setClipRegion(event->region().translated(-SurfaceOrigin()), Qt::IntersectClip);
  PaintSelectFocus(p, event->rect().translated(-SurfaceOrigin()));
  if (!FBand.isNull()) {
    p.setPen(QPen(Qt::black, 1, Qt::DotLine));
    p.setBrush(Qt::NoBrush);
    p.drawRect(FBand.adjusted(0, 0, -1, -1));
  }
}

void TEditForm::PaintSelectFocus(QPainter& p, const QRect& clip) {
  TAuObject* root = Root();
  if (!root) return;
  const TAuObject* primary = PrimaryObject();
  Surface::ForEachObject(*root, [&](TAuObject& object) {
    if (!object.Selected) return;
    const QRect r = Surface::ObjectRect(*root, object);
    if (!r.adjusted(-MarkReach, -MarkReach, MarkReach, MarkReach).intersects(clip)) return;
    p.setBrush(Qt::NoBrush);
    if (&object == primary) {
      p.setPen(QPen(Qt::black, 1, Qt::DotLine));
      for (int inflate = 3; inflate >= 0; --inflate)
        p.drawRect(r.adjusted(-inflate, -inflate, inflate - 1, inflate - 1));
    }
    // Locked: white; docked: silver; free: grey with a black outline.
    QColor fill(0x80, 0x80, 0x80), outline(Qt::black);
    if (object.Locked) {
      fill = Qt::white;
      outline = QColor(0x80, 0x80, 0x80);
    } else if (object.Align != alNone) {
      fill = QColor(0xC0, 0xC0, 0xC0);
      outline = QColor(0x80, 0x80, 0x80);
    }
    p.setPen(QPen(outline, 1));
    p.setBrush(fill);
    for (const QRect& handle : Surface::HandleRects(r)) p.drawRect(handle.adjusted(0, 0, -1, -1));
  });
}

QRegion TEditForm::DragMarks(TAuObject& root) const {
  QRegion region;
  for (TAuObject* object : Surface::SelectedObjects(root)) {
    if (object->Locked) continue;
    region += Surface::ObjectRect(root, *object).adjusted(-MarkReach, -MarkReach, MarkReach, MarkReach);
  }
  return region;
}

// ---- mouse ----

void TEditForm::SurfacePress(QPoint point, Qt::MouseButton button, Qt::KeyboardModifiers modifiers) {
  TAuObject* root = Root();
  if (!root) return;
  if (FOwner) {
    if (!FOwner->UpdateValueEdit()) return;
    FOwner->Edit2->setFocus();
  }
  CancelLeftMouseUp = false;
  if (button == Qt::LeftButton && DoAddAuObject(point)) {
    CancelLeftMouseUp = true;
    return;
  }
  GestureFor(*root).Press(point, modifiers.testFlag(Qt::ControlModifier));
  // A press may also have turned a notebook's page.
  DoRefresh();
}

void TEditForm::SurfaceMove(QPoint point, Qt::MouseButtons buttons) {
  TAuObject* root = Root();
  if (!root) return;
  Surface::TGesture& gesture = GestureFor(*root);
  if (gesture.Mode() == Surface::TGesture::Idle || buttons == Qt::NoButton) {
    if (gesture.Mode() == Surface::TGesture::Idle) setCursor(gesture.CursorAt(point));
    return;
  }
  if (gesture.Mode() == Surface::TGesture::Dragging) {
    const QRegion before = DragMarks(*root);
    if (!gesture.Move(point, Grid())) return;
    // Docked children of a moved or sized container follow before anything is drawn.
    QCoreApplication::sendPostedEvents(nullptr, QEvent::LayoutRequest);
    RepaintSurface(before + DragMarks(*root));
    return;
  }
  const QRect old = FBand;
  if (!gesture.Move(point, Grid())) return;
  FBand = gesture.BandRect();
  // The band is drawn over the picture; only its old and new outlines are painted.
  const QPoint origin = SurfaceOrigin();
  for (const QRect& r : {old, FBand})
    if (!r.isNull()) update(QRegion(r.translated(origin)) - QRegion(r.adjusted(1, 1, -1, -1).translated(origin)));
}

void TEditForm::SurfaceRelease(QPoint point, Qt::MouseButton button, Qt::KeyboardModifiers modifiers) {
  TAuObject* root = Root();
  if (!root) return;
  if (CancelLeftMouseUp && button == Qt::LeftButton) {
    CancelLeftMouseUp = false;
    return;
  }
  Surface::TGesture& gesture = GestureFor(*root);
  const bool dragged = gesture.Mode() == Surface::TGesture::Dragging;
  const bool resize = gesture.Locate() > 0;
  const std::vector<Surface::TGesture::TChange> changes = gesture.Changes();
  gesture.Release(point, modifiers.testFlag(Qt::ControlModifier));
  FBand = QRect();
  if (dragged && FOwner) SurfaceCommands::PushGesture(FOwner->State(), changes, resize);
  DoSelect();
  update();
  if (FOwner) FOwner->ShowProperties();
}

// How far in from the right and bottom borders a press resizes the page instead of editing it.
constexpr int PageSizeGrip = 5;
// The smallest surface the border makes.
constexpr int MinPageSurface = 40;

int TEditForm::SizeEdgesAt(QPoint pos) const {
  if (!FPage || !FOwner || !rect().contains(pos)) return NoEdge;
  int edges = NoEdge;
  if (pos.x() >= width() - PageSizeGrip) edges |= RightEdge;
  if (pos.y() >= height() - PageSizeGrip) edges |= BottomEdge;
  return edges;
}

void TEditForm::SizePageTo(QSize surfaceSize) {
  surfaceSize = surfaceSize.expandedTo(QSize(MinPageSurface, MinPageSurface));
  // The stored size is the page window's outer size; the frame's share stays what it was.
  TPageData& page = FPage->Page;
  const QSize frame = PageFrameAllowance(page);
  page.Width = surfaceSize.width() + frame.width();
  page.Height = surfaceSize.height() + frame.height();
  FPage->ApplyPageProps();
  UpdateForm();
  if (FOwner) FOwner->RangeForm();
}

void TEditForm::mousePressEvent(QMouseEvent* event) {
  const QPoint pos = event->position().toPoint();
  if (event->button() == Qt::LeftButton && SizeEdgesAt(pos) != NoEdge) {
    if (!FOwner->UpdateValueEdit()) return;
    TDesignerState& state = FOwner->State();
    if (!state.LoadedPage() || !state.PageBytes(*state.LoadedPage(), FSizeBefore)) return;
    FSizing = SizeEdgesAt(pos);
    FSizeAnchor = event->globalPosition().toPoint();
    FSizeBase = FPage->size();
    return;
  }
  SurfacePress(pos - SurfaceOrigin(), event->button(), event->modifiers());
}

void TEditForm::mouseMoveEvent(QMouseEvent* event) {
  const QPoint pos = event->position().toPoint();
  if (FSizing != NoEdge) {
    // Global positions: the surface itself moves while the design area centres it.
    const QPoint delta = event->globalPosition().toPoint() - FSizeAnchor;
    SizePageTo(FSizeBase + QSize(FSizing & RightEdge ? delta.x() : 0, FSizing & BottomEdge ? delta.y() : 0));
    return;
  }
  SurfaceMove(pos - SurfaceOrigin(), event->buttons());
  if (event->buttons() == Qt::NoButton) {
    const int edges = SizeEdgesAt(pos);
    if (edges == (RightEdge | BottomEdge))
      setCursor(Qt::SizeFDiagCursor);
    else if (edges == RightEdge)
      setCursor(Qt::SizeHorCursor);
    else if (edges == BottomEdge)
      setCursor(Qt::SizeVerCursor);
  }
}

void TEditForm::mouseReleaseEvent(QMouseEvent* event) {
  if (FSizing != NoEdge) {
    FSizing = NoEdge;
    if (FPage->size() != FSizeBase && FOwner) {
      TDesignerState& state = FOwner->State();
      if (state.LoadedPage())
        state.Push(new TPageEditCommand(state, QStringLiteral("Size Form"), *state.LoadedPage(), FSizeBefore));
      FOwner->ShowProperties();
    }
    FSizeBefore.clear();
    return;
  }
  SurfaceRelease(event->position().toPoint() - SurfaceOrigin(), event->button(), event->modifiers());
}

void TEditForm::contextMenuEvent(QContextMenuEvent* event) {
  if (!PopupMenu1 || !Root()) return;
  if (FOwner) FOwner->UpdateEditCommands();
  PopupMenu1->popup(event->globalPos());
}

// ---- selection and insertion ----

bool TEditForm::DoAddAuObject(QPoint point) {
  if (!FOwner) return false;
  const int armed = FOwner->ObjectPalette.ArmedKind();
  if (armed < 0) return false;
  bool refused = false;
  TAuObject* object =
      SurfaceCommands::InsertObject(FOwner->State(), static_cast<TObjectType>(armed), point, Grid(), &refused);
  FOwner->ObjectPalette.PutSelectDown();
  if (refused) {
    ShowMessageBox(SurfaceTexts::SplitterCaption, SurfaceTexts::SplitterParent, TMsgIcon::Information);
    return true;
  }
  if (object) FOwner->SelectObjectNode(object);
  return true;
}

void TEditForm::DoSelect() {
  if (FOwner) FOwner->DoSelect();
}

// ---- the design area ----

TDesignArea::TDesignArea(QWidget* parent) : QScrollArea(parent) {
  setObjectName(QStringLiteral("ScrollBox6"));
  setWidgetResizable(false);
  FHost = new QWidget;
  FHost->setAutoFillBackground(true);
  setWidget(FHost);
  viewport()->setAutoFillBackground(true);
}

void TDesignArea::SetForm(TEditForm* form) {
  FForm = form;
  form->setParent(FHost);
  RangeForm();
}

void TDesignArea::SetBackColor(TColor color) {
  for (QWidget* w : {static_cast<QWidget*>(FHost), viewport()}) {
    QPalette palette = w->palette();
    palette.setColor(QPalette::Window, ToQColor(color));
    w->setPalette(palette);
  }
}

void TDesignArea::RangeForm() {
  const QSize area = viewport()->size();
  const QSize form = FForm ? FForm->size() : QSize();
  FHost->resize(std::max(area.width(), form.width()), std::max(area.height(), form.height()));
  if (FForm)
    FForm->move(std::max(0, (area.width() - form.width()) / 2), std::max(0, (area.height() - form.height()) / 2));
}

void TDesignArea::resizeEvent(QResizeEvent* event) {
  QScrollArea::resizeEvent(event);
  RangeForm();
}
