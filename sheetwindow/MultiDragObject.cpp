#include "sheetwindow/MultiDragObject.h"

void TMultiDragObject::AddItem(TPoolItem* item) { DragItems.push_back(item); }

void TMultiDragObject::AssignItems(const std::vector<TPoolItem*>& items) {
  DragItems.clear();
  for (TPoolItem* item : items) AddItem(item);
}

void TMultiDragObject::InsertItem(std::size_t i, TPoolItem* item) {
  if (i > DragItems.size()) return;
  DragItems.insert(DragItems.begin() + static_cast<std::ptrdiff_t>(i), item);
}
