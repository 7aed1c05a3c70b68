#include "model/RelationShip.h"

#include "model/PoolItem.h"

#include <algorithm>

void TRelationShip::Reserve(std::uint32_t count) {
  if (size_ + count > capacity_) Grow(size_ + count);
}

void TRelationShip::Grow(std::uint32_t capacity) {
  auto* grown = new TPoolItem*[capacity];
  std::copy(members_, members_ + size_, grown);
  Release();
  members_ = grown;
  capacity_ = capacity;
}

void TRelationShip::Release() {
  if (members_ != &single_) delete[] members_;
  members_ = &single_;
  capacity_ = 1;
}

void TRelationShip::Register(TPoolItem* item) {
  // Members are only added outside cascades, so this is a safe moment to close
  // holes that would otherwise pile up on a relationship nobody reads by index.
  if (holes_ > 16 && holes_ * 2 > size_) Compact();
  if (size_ == capacity_) Grow(capacity_ * 2);
  if (std::uint32_t* slot = item->MemberSlot(this)) *slot = size_;
  members_[size_++] = item;
}

void TRelationShip::Unregister(TPoolItem* item) {
  if (item == owner_) return;
  std::uint32_t* slot = item->MemberSlot(this);
  if (slot && *slot < size_ && members_[*slot] == item) {
    members_[*slot] = nullptr;
    *slot = TPoolItem::kNoSlot;
    ++holes_;
    return;
  }
  TPoolItem** found = std::find(members_, members_ + size_, item);
  if (found != members_ + size_) {
    *found = nullptr;
    ++holes_;
  }
}

TPoolItem* TRelationShip::GetMember(std::int32_t index) const {
  if (index < 0 || index >= Count()) return nullptr;
  if (holes_ > 0) Compact();
  return members_[index];
}

void TRelationShip::Compact() const {
  std::uint32_t next = 0;
  for (std::uint32_t i = 0; i < size_; ++i) {
    TPoolItem* member = members_[i];
    if (!member) continue;
    if (std::uint32_t* slot = member->MemberSlot(this)) *slot = next;
    members_[next++] = member;
  }
  size_ = next;
  holes_ = 0;
  ++compactions_;
}

void TRelationShip::Free() {
  std::uint32_t index = 0;
  while (index < size_) {
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
  Release();
  size_ = 0;
  holes_ = 0;
}
