#pragma once

#include "model/DataStructures.h"
#include "model/ItemPool.h"
#include "model/NoteItem.h"

class TSheetPool;

// The notes, stored in "_Not" files, one line a note. Files whose first line
// ends with 0xFE are of the older layout, whose texts run over several
// physical lines.
class TNotePool : public TItemPool<TNoteItem> {
 public:
  void Connect(TSheetPool* sheets) { sheets_ = sheets; }

  using TPoolItemList::Add;
  TNoteItem* Add(const TNote& record);
  // Resolves SheetID (unless it is -1) against the sheet pool.
  TNoteItem* AddLoaded(TNote record);

  void LoadFromFile(const std::string& fileName) override;
  void LoadOldFormat(const std::string& fileName) override;
  void LoadNewFormat(const std::string& fileName) override;
  void SaveToFile(const std::string& fileName) override;

  // Every note whose Sheet is sheet loses it.
  void ForgetSheet(const TSheetItem* sheet);

 private:
  TSheetPool* sheets_ = nullptr;
};
