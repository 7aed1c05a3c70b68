#pragma once

#include "model/Prefetch.h"
#include "model/RelationShip.h"

#include <cstdint>
#include <utility>
#include <vector>

// Registers loaded items with the relationships of the items they refer to,
// one owner after the other in pool order instead of in file order. A load
// of links touches two random notes per link; walking the notes in order,
// once for all the relationships involved, turns those cache misses into a
// sequential sweep. Every relationship still receives its members in file
// order, so the result is the same as registering each item as it is read.
template <typename TItem>
class TGroupedRegistration {
 public:
  using TRelationOf = TRelationShip& (*)(TItem*);

  explicit TGroupedRegistration(std::int32_t ownerCount) : ownerCount_(ownerCount) {}

  // items[i] joins relationOf(items[i]), a relationship of the owner at pool
  // index ownerIndex[i] (0..ownerCount-1).
  void Add(const std::vector<TItem*>& items, const std::vector<std::int32_t>& ownerIndex,
           TRelationOf relationOf) {
    TStream stream;
    stream.RelationOf = relationOf;
    // A counting sort by owner, stable so that file order survives.
    stream.GroupStart.assign(static_cast<std::size_t>(ownerCount_) + 1, 0);
    for (std::int32_t owner : ownerIndex) ++stream.GroupStart[static_cast<std::size_t>(owner) + 1];
    for (std::size_t i = 1; i < stream.GroupStart.size(); ++i) {
      stream.GroupStart[i] += stream.GroupStart[i - 1];
    }
    stream.Grouped.resize(items.size());
    std::vector<std::uint32_t> next(stream.GroupStart.begin(), stream.GroupStart.end() - 1);
    for (std::size_t i = 0; i < items.size(); ++i) {
      stream.Grouped[next[static_cast<std::size_t>(ownerIndex[i])]++] = items[i];
    }
    streams_.push_back(std::move(stream));
  }

  // Registers everything added, sweeping the owners once.
  void Run() const {
    const auto owners = static_cast<std::size_t>(ownerCount_);
    for (std::size_t owner = 0; owner < owners; ++owner) {
      // The owners lie about a kilobyte apart, too far for the hardware to
      // guess: ask for the relationships a few owners ahead.
      if (owner + kLookAhead < owners) PrefetchOwner(owner + kLookAhead);
      for (const TStream& stream : streams_) {
        const std::uint32_t first = stream.GroupStart[owner];
        const std::uint32_t last = stream.GroupStart[owner + 1];
        if (first == last) continue;
        TRelationShip& relation = stream.RelationOf(stream.Grouped[first]);
        relation.Reserve(last - first);
        for (std::uint32_t i = first; i < last; ++i) relation.Register(stream.Grouped[i]);
      }
    }
  }

 private:
  static constexpr std::size_t kLookAhead = 8;

  void PrefetchOwner(std::size_t owner) const {
    for (const TStream& stream : streams_) {
      if (stream.GroupStart[owner] != stream.GroupStart[owner + 1]) {
        Prefetch(&stream.RelationOf(stream.Grouped[stream.GroupStart[owner]]));
      }
    }
  }

  struct TStream {
    TRelationOf RelationOf = nullptr;
    std::vector<std::uint32_t> GroupStart;
    std::vector<TItem*> Grouped;
  };

  std::int32_t ownerCount_;
  std::vector<TStream> streams_;
};
