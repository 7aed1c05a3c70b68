#pragma once

#include "model/DataStructures.h"
#include "model/ItemPool.h"
#include "model/SheetItem.h"

class TNotePool;

// The sheets, stored in "_Sht" files: a header line, then one line a sheet.
// Files without the header are of the older layout, whose descriptions run
// over several physical lines.
class TSheetPool : public TItemPool<TSheetItem> {
 public:
  static constexpr const char* kHeader = "New0123456789";

  void Connect(TNotePool* notes) { notes_ = notes; }

  using TPoolItemList::Add;
  TSheetItem* Add(const TSheet& record);
  TSheetItem* AddLoaded(TSheet record);

  void LoadFromFile(const std::string& fileName) override;
  void LoadOldFormat(const std::string& fileName) override;
  void LoadNewFormat(const std::string& fileName) override;
  void SaveToFile(const std::string& fileName) override;

  // Clears the sheet of every aggregation note that stands for sheet.
  void ForgetAggregatedSheet(const TSheetItem* sheet);

 private:
  TNotePool* notes_ = nullptr;
};
