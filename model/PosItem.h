#pragma once

#include "model/DataStructures.h"
#include "model/PoolItem.h"
#include "model/RelationShip.h"

class TTreeNodeItem;

// A note's position on a sheet; registered with the sheet's and the note's
// Positions. Negative coordinates assign the note without placing it.
class TPosItem : public TPoolItem {
 public:
  // How a new position joins the relationships of its sheet and note: at
  // once, or, for a loader that registers many positions in bulk, by the
  // loader.
  enum class TRegistration { Now, ByLoader };

  // record.Note and record.Sheet must be set.
  TPosItem(TPool* pool, TPosition record, TRegistration registration = TRegistration::Now);

  const TPosition& Record() const { return data_; }
  TNoteItem* Note() const;
  TSheetItem* Sheet() const;
  std::int32_t X() const { return data_.X; }
  std::int32_t Y() const { return data_.Y; }
  bool IsPlaced() const { return data_.X >= 0 && data_.Y >= 0; }

  // A coordinate of 0 or more shows the note as placed in the tree (image 4);
  // nothing ever sets the image back.
  void SetX(std::int32_t x);
  void SetY(std::int32_t y);

  const TRelationShip& TreeNodes() const { return treeNodes_; }
  TRelationShip& TreeNodes() { return treeNodes_; }
  std::int32_t TreeNodeCount() const { return treeNodes_.Count(); }
  TTreeNodeItem* GetTreeNode(std::int32_t index) const;

  void Delete() override;
  std::uint32_t* MemberSlot(const TRelationShip* rel) override;

  static constexpr int kPlacedImage = 4;

 private:
  friend class TPosPool;

  void ShowPlacedWhen(std::int32_t coordinate);

  TPosition data_;
  TRelationShip* sheetRef_;
  TRelationShip* noteRef_;
  std::uint32_t sheetSlot_ = kNoSlot;
  std::uint32_t noteSlot_ = kNoSlot;
  TRelationShip treeNodes_{this};
};
