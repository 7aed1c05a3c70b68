#include "sheetwindow/PaintBox.h"

#include <QContextMenuEvent>
#include <QPaintEvent>
#include <QPainter>

TPaintBox::TPaintBox(QWidget* parent) : QWidget(parent) {
  // Every pixel that shows comes from the image: no background to clear first.
  setAttribute(Qt::WA_OpaquePaintEvent);
  setFocusPolicy(Qt::StrongFocus);
}

void TPaintBox::Show(const QImage* image, QPoint origin) {
  image_ = image;
  origin_ = origin;
}

void TPaintBox::paintEvent(QPaintEvent* event) {
  if (OnPaint) OnPaint();
  QPainter painter(this);
  painter.fillRect(event->rect(), palette().window());
  if (image_) painter.drawImage(origin_, *image_);
}

void TPaintBox::contextMenuEvent(QContextMenuEvent* event) {
  if (OnContextMenu) OnContextMenu(event->pos(), event->globalPos());
}
