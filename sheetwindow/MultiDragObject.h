#pragma once

#include "platform/DragObject.h"

#include <cstddef>
#include <vector>

class QWidget;
class TPoolItem;

// A drag of project items. SourceForm is the window the drag started in;
// neither it nor the items are owned.
class TMultiDragObject : public TDragObject {
 public:
  explicit TMultiDragObject(QWidget* sourceForm) : SourceForm(sourceForm) {}

  virtual void AddItem(TPoolItem* item);
  // Empties the list, then adds each item in order.
  virtual void AssignItems(const std::vector<TPoolItem*>& items);

  std::size_t ItemCount() const { return DragItems.size(); }
  // nullptr beyond the list.
  TPoolItem* ItemAt(std::size_t i) const { return i < DragItems.size() ? DragItems[i] : nullptr; }
  // Inserts before position i; nothing happens when i is beyond the end.
  void InsertItem(std::size_t i, TPoolItem* item);

  QWidget* SourceForm;
  std::vector<TPoolItem*> DragItems;
};
