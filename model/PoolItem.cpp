#include "model/PoolItem.h"

#include "base/InvalidPointer.h"
#include "model/Pool.h"

TPoolItem::TPoolItem(TPool* pool) : pool_(pool) {}

TPoolItem::~TPoolItem() = default;

void TPoolItem::Delete() {
  if (pool_) pool_->RemoveAndFree(this);
}

std::uint32_t* TPoolItem::MemberSlot(const TRelationShip*) { return nullptr; }

void TPoolItem::ThrowMissingReference(const char* message) { throw EInvalidPointer(message); }
