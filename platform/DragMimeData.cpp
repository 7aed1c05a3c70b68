#include "platform/DragMimeData.h"

#include "platform/DragObject.h"

#include <QByteArray>

#include <utility>

QString TDragMimeData::Format() { return QStringLiteral("application/x-qoz-drag-object"); }

TDragMimeData::TDragMimeData(std::unique_ptr<TDragObject> object) : object_(std::move(object)) {
  setData(Format(), QByteArray());
}

TDragMimeData::~TDragMimeData() = default;

TDragObject* TDragMimeData::ObjectOf(const QMimeData* data) {
  const auto* ours = dynamic_cast<const TDragMimeData*>(data);
  return ours ? ours->Object() : nullptr;
}
