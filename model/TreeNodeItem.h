#pragma once

#include "model/DataStructures.h"
#include "model/PoolItem.h"
#include "model/RelationShip.h"

// Ties a navigator tree node to the item it shows; registered with that
// item's TreeNodes, so that renames reach the node and deleting the item
// removes the node. Never stored.
class TTreeNodeItem : public TPoolItem {
 public:
  // data.Item must be a sheet, note, attachment or position item.
  TTreeNodeItem(TPool* pool, const TTreeNodeData& data);
  // Freed with its pool, the record tells its node to forget it.
  ~TTreeNodeItem() override;

  const TTreeNodeData& Record() const { return data_; }
  TPoolItem* Item() const { return data_.Item; }
  ITreeNode* Node() const { return data_.Node; }

  void SetCaption(const std::string& caption) const;
  void SetImageIndex(int index) const;
  void SetSelectedIndex(int index) const;

  // Unregisters and deletes its node from the tree control.
  void Delete() override;
  std::uint32_t* MemberSlot(const TRelationShip* rel) override;

  // The TreeNodes relationship of item, or nullptr for a kind that has none.
  static TRelationShip* TreeNodesOf(TPoolItem* item);

 private:
  TTreeNodeData data_;
  TRelationShip* ownerRef_;
  std::uint32_t ownerSlot_ = kNoSlot;
};
