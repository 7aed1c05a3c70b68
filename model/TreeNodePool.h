#pragma once

#include "model/DataStructures.h"
#include "model/ItemPool.h"
#include "model/TreeNodeItem.h"

// The navigator's tree nodes of one kind of item. Never stored: loading and
// saving do nothing.
class TTreeNodePool : public TItemPool<TTreeNodeItem> {
 public:
  // The pool of the items these nodes show (not used by any operation).
  TPool* ShownPool() const { return shownPool_; }
  void SetShownPool(TPool* pool) { shownPool_ = pool; }

  // Registers a node for data.Item (a sheet, note, attachment or position).
  TTreeNodeItem* AddNode(const TTreeNodeData& data);

  void LoadFromFile(const std::string&) override {}
  void LoadOldFormat(const std::string& fileName) override;
  void LoadNewFormat(const std::string& fileName) override;
  void SaveToFile(const std::string&) override {}

 private:
  TPool* shownPool_ = nullptr;
};

// One pool per kind of item shown in the tree; they add nothing.
class TAttachTreePool : public TTreeNodePool {};
class TNoteTreePool : public TTreeNodePool {};
class TSheetTreePool : public TTreeNodePool {};
class TPosTreePool : public TTreeNodePool {};
