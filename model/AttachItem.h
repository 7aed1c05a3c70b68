#pragma once

#include "model/DataStructures.h"
#include "model/PoolItem.h"
#include "model/RelationShip.h"

class TTreeNodeItem;

// A file or URL belonging to a note; registered with the note's Attachments.
class TAttachItem : public TPoolItem {
 public:
  // record.Note must be set.
  TAttachItem(TPool* pool, TAttachment record);

  const TAttachment& Record() const { return data_; }
  TNoteItem* Note() const;
  const std::string& Title() const { return data_.Title; }
  const std::string& FileName() const { return data_.FileName; }
  const std::string& ExtraText() const { return data_.ExtraText; }
  bool IsURL() const { return data_.IsURL; }

  // Renames the attachment's tree nodes too.
  void SetTitle(const std::string& title);
  void SetFileName(const std::string& fileName);
  void SetIsURL(bool isURL);

  const TRelationShip& TreeNodes() const { return treeNodes_; }
  TRelationShip& TreeNodes() { return treeNodes_; }
  std::int32_t TreeNodeCount() const { return treeNodes_.Count(); }
  TTreeNodeItem* GetTreeNode(std::int32_t index) const;

  void Delete() override;
  std::uint32_t* MemberSlot(const TRelationShip* rel) override;

 private:
  TAttachment data_;
  TRelationShip* noteRef_;
  std::uint32_t noteSlot_ = kNoSlot;
  TRelationShip treeNodes_{this};
};
