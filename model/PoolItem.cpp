#include "model/PoolItem.h"

#include "model/Pool.h"

TPoolItem::TPoolItem(TPool* pool) : pool_(pool) {}

TPoolItem::~TPoolItem() = default;

void TPoolItem::Delete() {
  if (pool_) pool_->RemoveAndFree(this);
}

std::uint32_t* TPoolItem::MemberSlot(const TRelationShip*) { return nullptr; }
