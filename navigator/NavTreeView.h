#pragma once

#include <QStyledItemDelegate>
#include <QTreeWidget>

#include <functional>

class TDragObject;

// The navigator's tree control: it hands its drags, drops and confirmed
// label edits to its owner instead of handling them itself.
class TNavTreeView : public QTreeWidget {
 public:
  explicit TNavTreeView(QWidget* parent = nullptr);

  // Whether a label is being edited.
  bool Editing() const { return state() == QAbstractItemView::EditingState; }

  // The drag of the current node; nothing starts when it returns nullptr.
  std::function<void()> OnStartDrag;
  // Whether the drag may drop on the node under the point.
  std::function<bool(TDragObject* source, QPoint at)> OnDragOver;
  std::function<void(TDragObject* source, QPoint at)> OnDrop;
  // A label edit confirmed with text (the node keeps its caption until the
  // item's new title reaches it).
  std::function<void(QTreeWidgetItem* node, const QString& text)> OnEdited;

 protected:
  void startDrag(Qt::DropActions supportedActions) override;
  void dragEnterEvent(QDragEnterEvent* event) override;
  void dragMoveEvent(QDragMoveEvent* event) override;
  void dropEvent(QDropEvent* event) override;

 private:
  void AnswerDrag(QDragMoveEvent* event);
};
