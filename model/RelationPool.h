#pragma once

#include "model/DataStructures.h"
#include "model/RelationItem.h"
#include "model/SingleLayoutPool.h"

// The relation types, stored in "_Rel" files.
class TRelationPool : public TSingleLayoutPool<TRelationItem> {
 public:
  using TPoolItemList::Add;
  TRelationItem* Add(const TRelation& record);
  TRelationItem* AddLoaded(TRelation record);

  void LoadFromFile(const std::string& fileName) override;
  void SaveToFile(const std::string& fileName) override;
};
