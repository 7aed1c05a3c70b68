#include "model/RelationItem.h"

#include "model/FieldText.h"
#include "model/LinkItem.h"

#include <utility>

TRelationItem::TRelationItem(TPool* pool, TRelation record)
    : TPoolItem(pool), data_(std::move(record)) {}

void TRelationItem::SetName(const std::string& name) {
  data_.Name = TFieldText::SingleLine(name);
  SetModified(true);
}

TLinkItem* TRelationItem::GetLink(std::int32_t index) const {
  return static_cast<TLinkItem*>(links_.GetMember(index));
}

void TRelationItem::Delete() {
  links_.Free();
  TPoolItem::Delete();
}
