#pragma once

#include <cstdint>
#include <memory>
#include <vector>

class TPool;
class TPoolItem;

// The ordered list that owns a pool's items, with a filtered view. The order
// of Items is the order of the data file and the source of every stored
// identifier. While Filtered is on, Count and GetItem work on the view;
// IndexOf always answers positions in Items.
//
// Removal leaves a hole that the next indexed access closes, so removing k
// items costs O(k) plus one pass over the list, never O(k * Count).
class TPoolItemList {
 public:
  TPoolItemList();
  virtual ~TPoolItemList();

  TPoolItemList(const TPoolItemList&) = delete;
  TPoolItemList& operator=(const TPoolItemList&) = delete;

  // Appends item and takes ownership of it; an item already in Items is left
  // where it is. Returns true in both cases.
  bool Add(TPoolItem* item);
  // Removes item from the view and from Items and frees it; an item that is
  // not in Items is neither removed nor freed.
  void RemoveAndFree(TPoolItem* item);

  // Position in Items, -1 when item is not there. item must be a live item.
  std::int32_t IndexOf(const TPoolItem* item) const;
  // Whether item is in Items, comparing addresses only: safe for a pointer to
  // an item that may have been freed.
  bool Contains(const TPoolItem* item) const;
  // Whether item is among the items 0..Count-1 of the indexed access (the
  // view while Filtered), comparing addresses only.
  bool ContainsIndexed(const TPoolItem* item) const;

  // The item at index of the view while Filtered, else of Items. Throws
  // EListError for an index outside the list.
  TPoolItem* GetItem(std::int32_t index) const;
  std::int32_t Count() const;

  // Items, whatever the filter.
  TPoolItem* ItemAt(std::int32_t index) const;
  std::int32_t ItemCount() const { return static_cast<std::int32_t>(items_.size() - itemHoles_); }

  void SetModified(bool modified);
  bool IsModified() const;
  bool ListModified() const { return modified_; }

  bool Filtered() const { return filtered_; }
  void SetFiltered(bool filtered) { filtered_ = filtered; }
  void ResetFilter();
  // Adds the item at index of Items to the view unless it is there already.
  void AddToFilter(std::int32_t index);
  void RemoveFromFilter(TPoolItem* item);

 protected:
  // Appends straight to Items as a loader does: LoadIndex is set to the item's
  // position, the list's Modified and the view are left alone.
  void AppendLoaded(std::unique_ptr<TPoolItem> item);
  // Moves every item of other to the end of this list (an import); their
  // LoadIndex becomes their new position.
  void TakeItemsFrom(TPoolItemList& other, TPool* newPool);

 private:
  bool InItems(const TPoolItem* item) const;
  void Append(std::unique_ptr<TPoolItem> item);
  void AppendToView(TPoolItem* item);
  void DropFromView(TPoolItem* item);
  void CompactItems() const;
  void CompactView() const;

  mutable std::vector<std::unique_ptr<TPoolItem>> items_;
  mutable std::uint32_t itemHoles_ = 0;
  mutable std::vector<TPoolItem*> view_;
  mutable std::uint32_t viewHoles_ = 0;
  bool modified_ = false;
  bool filtered_ = false;
};
