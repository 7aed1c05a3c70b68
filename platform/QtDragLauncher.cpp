#include "platform/QtDragLauncher.h"

#include "platform/DragMimeData.h"
#include "platform/DragObject.h"

#include <QDrag>
#include <QWidget>

#include <utility>

// Qt frees the drag, and with it the data and the drag object, once it ends.
void TQtDragLauncher::Run(QWidget* source, std::unique_ptr<TDragObject> object) {
  auto* drag = new QDrag(source);
  drag->setMimeData(new TDragMimeData(std::move(object)));
  drag->exec(Qt::MoveAction | Qt::CopyAction, Qt::MoveAction);
}
