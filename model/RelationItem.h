#pragma once

#include "model/DataStructures.h"
#include "model/PoolItem.h"
#include "model/RelationShip.h"

class TLinkItem;

// A relation type: the named kind of a link. Owns the relationship of the
// links of its type.
class TRelationItem : public TPoolItem {
 public:
  TRelationItem(TPool* pool, TRelation record);

  const TRelation& Record() const { return data_; }
  const std::string& Name() const { return data_.Name; }
  void SetName(const std::string& name);

  const TRelationShip& Links() const { return links_; }
  TRelationShip& Links() { return links_; }
  std::int32_t LinkCount() const { return links_.Count(); }
  TLinkItem* GetLink(std::int32_t index) const;

  // Deletes every link of this type.
  void Delete() override;

 private:
  TRelation data_;
  TRelationShip links_{this};
};
