#include "model/PoolItemList.h"

#include "base/ListError.h"
#include "model/PoolItem.h"

#include <algorithm>

TPoolItemList::TPoolItemList() { ResetFilter(); }

TPoolItemList::~TPoolItemList() = default;

bool TPoolItemList::InItems(const TPoolItem* item) const {
  return item->list_ == this && item->itemSlot_ != TPoolItem::kNoSlot;
}

void TPoolItemList::Append(std::unique_ptr<TPoolItem> item) {
  item->list_ = this;
  item->itemSlot_ = static_cast<std::uint32_t>(items_.size());
  items_.push_back(std::move(item));
}

bool TPoolItemList::Add(TPoolItem* item) {
  if (InItems(item)) return true;
  Append(std::unique_ptr<TPoolItem>(item));
  modified_ = true;
  if (filtered_) AppendToView(item);
  return true;
}

void TPoolItemList::AppendLoaded(std::unique_ptr<TPoolItem> item) {
  item->SetLoadIndex(ItemCount());
  if (itemHoles_ > 0) CompactItems();
  Append(std::move(item));
}

void TPoolItemList::TakeItemsFrom(TPoolItemList& other, TPool* newPool) {
  if (itemHoles_ > 0) CompactItems();
  if (other.itemHoles_ > 0) other.CompactItems();
  other.view_.clear();
  other.viewHoles_ = 0;
  for (auto& item : other.items_) {
    item->viewSlot_ = TPoolItem::kNoSlot;
    item->pool_ = newPool;
    item->SetLoadIndex(static_cast<std::int32_t>(items_.size()));
    item->SetModified(true);
    Append(std::move(item));
  }
  other.items_.clear();
  modified_ = true;
}

void TPoolItemList::RemoveAndFree(TPoolItem* item) {
  if (!InItems(item)) return;
  DropFromView(item);
  const std::uint32_t slot = item->itemSlot_;
  item->itemSlot_ = TPoolItem::kNoSlot;
  item->list_ = nullptr;
  ++itemHoles_;
  modified_ = true;
  items_[slot].reset();
}

std::int32_t TPoolItemList::IndexOf(const TPoolItem* item) const {
  if (!item || !InItems(item)) return -1;
  if (itemHoles_ > 0) CompactItems();
  return static_cast<std::int32_t>(item->itemSlot_);
}

bool TPoolItemList::Contains(const TPoolItem* item) const {
  if (!item) return false;
  return std::any_of(items_.begin(), items_.end(),
                     [item](const std::unique_ptr<TPoolItem>& own) { return own.get() == item; });
}

bool TPoolItemList::ContainsIndexed(const TPoolItem* item) const {
  if (!filtered_) return Contains(item);
  if (!item) return false;
  return std::find(view_.begin(), view_.end(), item) != view_.end();
}

TPoolItem* TPoolItemList::GetItem(std::int32_t index) const {
  if (!filtered_) return ItemAt(index);
  if (index < 0 || index >= Count()) throw EListError(index);
  if (viewHoles_ > 0) CompactView();
  return view_[static_cast<std::size_t>(index)];
}

TPoolItem* TPoolItemList::ItemAt(std::int32_t index) const {
  if (index < 0 || index >= ItemCount()) throw EListError(index);
  if (itemHoles_ > 0) CompactItems();
  return items_[static_cast<std::size_t>(index)].get();
}

std::int32_t TPoolItemList::Count() const {
  if (filtered_) return static_cast<std::int32_t>(view_.size() - viewHoles_);
  return ItemCount();
}

void TPoolItemList::SetModified(bool modified) {
  modified_ = modified;
  for (auto& item : items_) {
    if (item) item->SetModified(modified);
  }
}

bool TPoolItemList::IsModified() const {
  for (const auto& item : items_) {
    if (item && item->Modified()) return true;
  }
  return modified_;
}

void TPoolItemList::ResetFilter() {
  for (TPoolItem* item : view_) {
    if (item) item->viewSlot_ = TPoolItem::kNoSlot;
  }
  view_.clear();
  viewHoles_ = 0;
  view_.reserve(items_.size());
  for (auto& item : items_) {
    if (item) AppendToView(item.get());
  }
}

void TPoolItemList::AddToFilter(std::int32_t index) {
  TPoolItem* item = ItemAt(index);
  if (item->viewSlot_ == TPoolItem::kNoSlot) AppendToView(item);
}

void TPoolItemList::RemoveFromFilter(TPoolItem* item) {
  if (item && InItems(item)) DropFromView(item);
}

void TPoolItemList::AppendToView(TPoolItem* item) {
  item->viewSlot_ = static_cast<std::uint32_t>(view_.size());
  view_.push_back(item);
}

void TPoolItemList::DropFromView(TPoolItem* item) {
  if (item->viewSlot_ == TPoolItem::kNoSlot) return;
  view_[item->viewSlot_] = nullptr;
  item->viewSlot_ = TPoolItem::kNoSlot;
  ++viewHoles_;
}

void TPoolItemList::CompactItems() const {
  std::size_t next = 0;
  for (auto& item : items_) {
    if (!item) continue;
    item->itemSlot_ = static_cast<std::uint32_t>(next);
    items_[next++] = std::move(item);
  }
  items_.resize(next);
  itemHoles_ = 0;
}

void TPoolItemList::CompactView() const {
  std::size_t next = 0;
  for (TPoolItem* item : view_) {
    if (!item) continue;
    item->viewSlot_ = static_cast<std::uint32_t>(next);
    view_[next++] = item;
  }
  view_.resize(next);
  viewHoles_ = 0;
}
