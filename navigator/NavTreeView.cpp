#include "navigator/NavTreeView.h"

#include "platform/DragMimeData.h"

#include <QDragMoveEvent>
#include <QDropEvent>
#include <QLineEdit>

namespace {

// Gives a confirmed edit to the view's owner rather than to the item.
class TEditDelegate : public QStyledItemDelegate {
 public:
  explicit TEditDelegate(TNavTreeView* view) : QStyledItemDelegate(view), view_(view) {}

  void setModelData(QWidget* editor, QAbstractItemModel*, const QModelIndex& index) const override {
    const auto* line = qobject_cast<QLineEdit*>(editor);
    if (!line || !view_->OnEdited) return;
    view_->OnEdited(view_->itemFromIndex(index), line->text());
  }

 private:
  TNavTreeView* view_;
};

}  // namespace

TNavTreeView::TNavTreeView(QWidget* parent) : QTreeWidget(parent) {
  setItemDelegate(new TEditDelegate(this));
  setDragEnabled(true);
  setAcceptDrops(true);
  setDropIndicatorShown(false);
  setDragDropMode(QAbstractItemView::DragDrop);
}

void TNavTreeView::startDrag(Qt::DropActions) {
  if (OnStartDrag) OnStartDrag();
}

void TNavTreeView::AnswerDrag(QDragMoveEvent* event) {
  TDragObject* source = TDragMimeData::ObjectOf(event->mimeData());
  const QPoint at = event->position().toPoint();
  if (source && OnDragOver && OnDragOver(source, at)) {
    event->acceptProposedAction();
  } else {
    event->ignore();
  }
}

void TNavTreeView::dragEnterEvent(QDragEnterEvent* event) {
  // Entering is allowed for any drag of ours: each move decides for the
  // node under the pointer.
  if (TDragMimeData::ObjectOf(event->mimeData())) {
    event->acceptProposedAction();
  } else {
    event->ignore();
  }
}

void TNavTreeView::dragMoveEvent(QDragMoveEvent* event) { AnswerDrag(event); }

void TNavTreeView::dropEvent(QDropEvent* event) {
  TDragObject* source = TDragMimeData::ObjectOf(event->mimeData());
  const QPoint at = event->position().toPoint();
  if (!source || !OnDragOver || !OnDragOver(source, at)) {
    event->ignore();
    return;
  }
  event->acceptProposedAction();
  if (OnDrop) OnDrop(source, at);
}
