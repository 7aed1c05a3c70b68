#include "model/RelationShip.h"

#include "model/PoolItem.h"

#include <algorithm>

void TRelationShip::Register(TPoolItem* item) {
  // Members are only added outside cascades, so this is a safe moment to close
  // holes that would otherwise pile up on a relationship nobody reads by index.
  if (holes_ > 16 && holes_ * 2 > members_.size()) Compact();
  if (std::uint32_t* slot = item->MemberSlot(this)) {
    *slot = static_cast<std::uint32_t>(members_.size());
  }
  members_.push_back(item);
}

void TRelationShip::Unregister(TPoolItem* item) {
  if (item == owner_) return;
  std::uint32_t* slot = item->MemberSlot(this);
  if (slot && *slot < members_.size() && members_[*slot] == item) {
    members_[*slot] = nullptr;
    *slot = TPoolItem::kNoSlot;
    ++holes_;
    return;
  }
  auto found = std::find(members_.begin(), members_.end(), item);
  if (found != members_.end()) {
    *found = nullptr;
    ++holes_;
  }
}

TPoolItem* TRelationShip::GetMember(std::int32_t index) const {
  if (index < 0 || index >= Count()) return nullptr;
  if (holes_ > 0) Compact();
  return members_[static_cast<std::size_t>(index)];
}

void TRelationShip::Compact() const {
  std::size_t next = 0;
  for (TPoolItem* member : members_) {
    if (!member) continue;
    if (std::uint32_t* slot = member->MemberSlot(this)) *slot = static_cast<std::uint32_t>(next);
    members_[next++] = member;
  }
  members_.resize(next);
  holes_ = 0;
  ++compactions_;
}

void TRelationShip::Free() {
  std::size_t index = 0;
  while (index < members_.size()) {
    TPoolItem* member = members_[index];
    if (!member) {
      ++index;
      continue;
    }
    const std::uint32_t compactionsBefore = compactions_;
    member->Delete();
    if (compactions_ != compactionsBefore) {
      // Someone read the members by index during the delete and the survivors
      // moved down: the ones already deleted are gone, so start at the front.
      index = 0;
    } else if (members_[index] == member) {
      // A member that did not unregister itself must not be visited again.
      members_[index] = nullptr;
      ++holes_;
    }
  }
  members_.clear();
  members_.shrink_to_fit();
  holes_ = 0;
}
