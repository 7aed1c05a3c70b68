#pragma once

#include "base/ListError.h"
#include "model/Pool.h"

#include <string>

// A pool of one item kind: the indexed getters narrowed to that kind.
template <typename TItem>
class TItemPool : public TPool {
 public:
  TItem* GetItem(std::int32_t index) const { return static_cast<TItem*>(TPool::GetItem(index)); }
  TItem* ItemAt(std::int32_t index) const { return static_cast<TItem*>(TPool::ItemAt(index)); }

  // The item a stored index names, for the loaders: an index outside the
  // pool raises EListError saying which reference it was.
  TItem* Resolve(std::int32_t index, const char* field, const char* kind) const {
    try {
      return GetItem(index);
    } catch (const EListError&) {
      throw EListError(index,
                       std::string(field) + " " + std::to_string(index) + " refers to no " + kind);
    }
  }
};
