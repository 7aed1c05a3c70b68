#pragma once

#include "model/PoolItemList.h"

#include <string>

// A pool: the owning item list with its data file operations. Readers append
// to the pool (they never empty it first) and raise EInOutError or
// EDataFileError without catching anything; records read before a failure
// stay in the pool. Writers create the file anew.
class TPool : public TPoolItemList {
 public:
  virtual void LoadFromFile(const std::string& fileName) = 0;
  virtual void LoadOldFormat(const std::string& fileName) = 0;
  virtual void LoadNewFormat(const std::string& fileName) = 0;
  virtual void SaveToFile(const std::string& fileName) = 0;

 protected:
  friend class TContainer;
  using TPoolItemList::TakeItemsFrom;
};
