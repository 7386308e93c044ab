// The design area on the right of the main window and the design surface's place in it. Until the
// design surface arrives, EditForm shows the editing page's picture.
#pragma once

#include <QImage>
#include <QScrollArea>
#include <QWidget>

#include "model/Types.h"

class TEditForm : public QWidget {
  Q_OBJECT

 public:
  explicit TEditForm(QWidget* parent = nullptr);

  // The picture of the editing page; the surface takes its size.
  void SetPicture(const QImage& picture);
  const QImage& Picture() const { return FPicture; }

 protected:
  void paintEvent(QPaintEvent* event) override;

 private:
  QImage FPicture;
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
