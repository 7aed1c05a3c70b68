#pragma once

#include "model/DataStructures.h"
#include "model/PoolItem.h"
#include "model/RelationShip.h"

class TAttachItem;
class TPosItem;
class TLinkItem;
class TTreeNodeItem;

// A note: a box with a title, a rich-text memo, a colour and pictures. It owns
// the relationships of its attachments, its positions on sheets, the links
// that start and end at it, and the tree nodes that show it.
class TNoteItem : public TPoolItem {
 public:
  TNoteItem(TPool* pool, TNote record);

  const TNote& Record() const { return data_; }
  const std::string& Title() const { return data_.Title; }
  const std::string& ImageFile() const { return data_.ImageFile; }
  const std::string& LogoFile() const { return data_.LogoFile; }
  std::int32_t Kind() const { return data_.Kind; }
  std::int32_t Width() const { return data_.Width; }
  std::int32_t Height() const { return data_.Height; }
  std::int32_t Color() const { return data_.Color; }
  std::int32_t LogoPos() const { return data_.LogoPos; }
  const std::string& Text() const { return data_.Text; }
  TSheetItem* Sheet() const { return data_.Sheet; }

  // Renames the note's tree nodes, those under "Notes" and those under every
  // sheet it is assigned to.
  void SetTitle(const std::string& title);
  void SetImageFile(const std::string& fileName);
  void SetLogoFile(const std::string& fileName);
  void SetWidth(std::int32_t width);
  void SetHeight(std::int32_t height);
  void SetColor(std::int32_t color);
  void SetLogoPos(std::int32_t logoPos);
  void SetText(const std::string& text);
  // For the loader and for a sheet that is being deleted: not a user's edit,
  // so the note stays unmodified.
  void SetSheet(TSheetItem* sheet) { data_.Sheet = sheet; }

  bool IsAggregation() const { return data_.Kind == 0; }
  bool IsAssignedTo(const TSheetItem* sheet) const;
  bool IsPlacedOn(const TSheetItem* sheet) const;
  // The note's position on the sheet: the last one in Positions, or nullptr.
  TPosItem* LastPositionOn(const TSheetItem* sheet) const;

  const TRelationShip& Attachments() const { return attachments_; }
  const TRelationShip& Positions() const { return positions_; }
  const TRelationShip& LinksOut() const { return linksOut_; }
  const TRelationShip& LinksIn() const { return linksIn_; }
  const TRelationShip& TreeNodes() const { return treeNodes_; }
  TRelationShip& Attachments() { return attachments_; }
  TRelationShip& Positions() { return positions_; }
  TRelationShip& LinksOut() { return linksOut_; }
  TRelationShip& LinksIn() { return linksIn_; }
  TRelationShip& TreeNodes() { return treeNodes_; }

  std::int32_t AttachmentCount() const { return attachments_.Count(); }
  TAttachItem* GetAttachment(std::int32_t index) const;
  std::int32_t PositionCount() const { return positions_.Count(); }
  TPosItem* GetPosition(std::int32_t index) const;
  std::int32_t LinkOutCount() const { return linksOut_.Count(); }
  TLinkItem* GetLinkOut(std::int32_t index) const;
  std::int32_t LinkInCount() const { return linksIn_.Count(); }
  TLinkItem* GetLinkIn(std::int32_t index) const;
  std::int32_t TreeNodeCount() const { return treeNodes_.Count(); }
  TTreeNodeItem* GetTreeNode(std::int32_t index) const;

  // Takes its attachments, positions, links and tree nodes with it.
  void Delete() override;

 private:
  TNote data_;
  TRelationShip attachments_{this};
  TRelationShip positions_{this};
  TRelationShip linksOut_{this};
  TRelationShip linksIn_{this};
  TRelationShip treeNodes_{this};
};
