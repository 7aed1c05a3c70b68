#pragma once

#include "model/DataStructures.h"
#include "model/LinkItem.h"
#include "model/SingleLayoutPool.h"

class TNotePool;
class TRelationPool;
class TSheetPool;

// The links, stored in "_Lnk" files.
class TLinkPool : public TSingleLayoutPool<TLinkItem> {
 public:
  void Connect(TSheetPool* sheets, TNotePool* notes, TRelationPool* relations) {
    sheets_ = sheets;
    notes_ = notes;
    relations_ = relations;
  }

  using TPoolItemList::Add;
  TLinkItem* Add(const TLink& record);
  // Resolves SheetID, FromNoteID, ToNoteID and RelationID, in that order.
  TLinkItem* AddLoaded(TLink record);

  void LoadFromFile(const std::string& fileName) override;
  void SaveToFile(const std::string& fileName) override;

 private:
  // Turns the stored indices of record into references.
  void Resolve(TLink& record) const;

  TSheetPool* sheets_ = nullptr;
  TNotePool* notes_ = nullptr;
  TRelationPool* relations_ = nullptr;
};
