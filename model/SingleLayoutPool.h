#pragma once

#include "model/ItemPool.h"

#include <string>

// A pool whose data file has one layout only: LoadFromFile reads it, and the
// older-layout entry points do not exist for it.
template <typename TItem>
class TSingleLayoutPool : public TItemPool<TItem> {
 public:
  void LoadOldFormat(const std::string&) override { NoSuchLayout(); }
  void LoadNewFormat(const std::string&) override { NoSuchLayout(); }

 private:
  [[noreturn]] static void NoSuchLayout() {
    throw EQozError("This data file has a single layout; read it with LoadFromFile");
  }
};
