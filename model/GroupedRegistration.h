#pragma once

#include "model/RelationShip.h"

#include <cstdint>
#include <vector>

// Registers loaded items with the relationships of the items they refer to,
// one owner after the other in pool order instead of in file order. A load
// of links touches two random notes per link; walking the notes in order
// turns those cache misses into a sequential sweep. Every relationship still
// receives its members in file order, so the result is the same as
// registering each item as it is read.
//
// ownerIndex[i] is the pool index of the owner of items[i] (0..ownerCount-1);
// relationOf(item) names the owner's relationship the item joins.
template <typename TItem, typename RelationOf>
void RegisterGroupedByOwner(const std::vector<TItem*>& items,
                            const std::vector<std::int32_t>& ownerIndex, std::int32_t ownerCount,
                            RelationOf relationOf) {
  // A counting sort by owner, stable so that file order survives.
  std::vector<std::uint32_t> groupStart(static_cast<std::size_t>(ownerCount) + 1, 0);
  for (std::int32_t owner : ownerIndex) ++groupStart[static_cast<std::size_t>(owner) + 1];
  for (std::size_t i = 1; i < groupStart.size(); ++i) groupStart[i] += groupStart[i - 1];
  std::vector<TItem*> grouped(items.size());
  std::vector<std::uint32_t> next(groupStart.begin(), groupStart.end() - 1);
  for (std::size_t i = 0; i < items.size(); ++i) {
    grouped[next[static_cast<std::size_t>(ownerIndex[i])]++] = items[i];
  }
  for (std::size_t owner = 0; owner + 1 < groupStart.size(); ++owner) {
    const std::uint32_t first = groupStart[owner];
    const std::uint32_t last = groupStart[owner + 1];
    if (first == last) continue;
    TRelationShip& relation = relationOf(grouped[first]);
    relation.Reserve(last - first);
    for (std::uint32_t i = first; i < last; ++i) relation.Register(grouped[i]);
  }
}
