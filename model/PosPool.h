#pragma once

#include "model/DataStructures.h"
#include "model/PosItem.h"
#include "model/SingleLayoutPool.h"

class TNotePool;
class TSheetPool;

// The positions, stored in "_Pos" files.
class TPosPool : public TSingleLayoutPool<TPosItem> {
 public:
  void Connect(TSheetPool* sheets, TNotePool* notes) {
    sheets_ = sheets;
    notes_ = notes;
  }

  using TPoolItemList::Add;
  TPosItem* Add(const TPosition& record);
  // Resolves SheetID, then NoteID.
  TPosItem* AddLoaded(TPosition record);

  void LoadFromFile(const std::string& fileName) override;
  void SaveToFile(const std::string& fileName) override;

 private:
  // Turns the stored indices of record into references.
  void Resolve(TPosition& record) const;

  TSheetPool* sheets_ = nullptr;
  TNotePool* notes_ = nullptr;
};
