#include "designer/EditForm.h"

#include <QPainter>
#include <QResizeEvent>
#include <algorithm>

#include "render/Colors.h"

TEditForm::TEditForm(QWidget* parent) : QWidget(parent) {
  setObjectName(QStringLiteral("EditForm"));
  setAttribute(Qt::WA_OpaquePaintEvent);
  setFocusPolicy(Qt::NoFocus);
}

void TEditForm::SetPicture(const QImage& picture) {
  FPicture = picture;
  setFixedSize(picture.isNull() ? QSize(1, 1) : picture.size() / picture.devicePixelRatio());
  update();
}

void TEditForm::paintEvent(QPaintEvent*) {
  QPainter p(this);
  if (FPicture.isNull()) {
    p.fillRect(rect(), palette().window());
    return;
  }
  p.drawImage(0, 0, FPicture);
}

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
