#pragma once

#include "model/DataStructures.h"
#include "model/PoolItem.h"
#include "model/RelationShip.h"

class TPosItem;
class TLinkItem;
class TTreeNodeItem;

// A sheet: a drawing surface. It owns the relationships of the positions on
// it, the links drawn on it and the tree nodes that show it.
class TSheetItem : public TPoolItem {
 public:
  TSheetItem(TPool* pool, TSheet record);

  const TSheet& Record() const { return data_; }
  const std::string& Title() const { return data_.Title; }
  std::int32_t Color() const { return data_.Color; }
  std::int32_t Width() const { return data_.Width; }
  std::int32_t Height() const { return data_.Height; }
  std::int32_t Zoom() const { return data_.Zoom; }
  std::int32_t GridSize() const { return data_.GridSize; }
  const std::string& Description() const { return data_.Description; }

  // Renames the sheet's tree nodes too.
  void SetTitle(const std::string& title);
  void SetColor(std::int32_t color);
  void SetWidth(std::int32_t width);
  void SetHeight(std::int32_t height);
  void SetZoom(std::int32_t zoom);
  void SetGridSize(std::int32_t gridSize);
  void SetDescription(const std::string& description);

  const TRelationShip& Positions() const { return positions_; }
  const TRelationShip& Links() const { return links_; }
  const TRelationShip& TreeNodes() const { return treeNodes_; }
  TRelationShip& Positions() { return positions_; }
  TRelationShip& Links() { return links_; }
  TRelationShip& TreeNodes() { return treeNodes_; }

  std::int32_t PositionCount() const { return positions_.Count(); }
  TPosItem* GetPosition(std::int32_t index) const;
  std::int32_t LinkCount() const { return links_.Count(); }
  TLinkItem* GetLink(std::int32_t index) const;
  std::int32_t TreeNodeCount() const { return treeNodes_.Count(); }
  TTreeNodeItem* GetTreeNode(std::int32_t index) const;

  // Takes its positions, links and tree nodes with it, not the notes placed
  // on it. Aggregation notes standing for it lose their sheet (so that none
  // is left pointing at freed memory) until they are synchronised away.
  void Delete() override;

 private:
  TSheet data_;
  TRelationShip positions_{this};
  TRelationShip links_{this};
  TRelationShip treeNodes_{this};
};
