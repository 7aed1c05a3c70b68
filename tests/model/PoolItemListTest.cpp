// The owning item list of every pool and its filtered view.

#include "ModelPools.h"
#include "base/ListError.h"

#include <gtest/gtest.h>

#include <ostream>
#include <string>
#include <utility>
#include <vector>

namespace qoztest {
namespace {

std::vector<TRelationItem*> AddRelations(TRelationPool& pool, int count) {
  std::vector<TRelationItem*> items;
  for (int i = 0; i < count; ++i) items.push_back(pool.Add(DefaultRelation));
  return items;
}

std::vector<TPoolItem*> Indexed(const TPoolItemList& pool) {
  std::vector<TPoolItem*> items;
  for (std::int32_t i = 0; i < pool.Count(); ++i) items.push_back(pool.GetItem(i));
  return items;
}

TEST(ModelPoolItemList, AddOfAnItemAlreadyInThePoolChangesNothing) {
  TRelationPool pool;
  auto r = AddRelations(pool, 2);
  pool.SetModified(false);
  EXPECT_TRUE(pool.Add(r[0]));
  EXPECT_TRUE(pool.Add(r[1]));
  EXPECT_EQ(Indexed(pool), (std::vector<TPoolItem*>{r[0], r[1]}));
  EXPECT_FALSE(pool.ListModified());
  EXPECT_FALSE(pool.IsModified());

  pool.SetFiltered(true);
  pool.ResetFilter();
  EXPECT_TRUE(pool.Add(r[1]));
  EXPECT_EQ(Indexed(pool), (std::vector<TPoolItem*>{r[0], r[1]}));
}

TEST(ModelPoolItemList, RemoveAndFreeOfAnItemNotInThePoolIsIgnored) {
  TRelationPool pool, other;
  TRelationItem* mine = pool.Add(DefaultRelation);
  TRelationItem* theirs = other.Add(DefaultRelation);
  TRelationItem loose(nullptr, DefaultRelation);
  pool.SetModified(false);

  pool.RemoveAndFree(theirs);
  pool.RemoveAndFree(&loose);  // freeing it would be freeing the stack

  EXPECT_EQ(Indexed(pool), (std::vector<TPoolItem*>{mine}));
  EXPECT_FALSE(pool.ListModified());
  ASSERT_EQ(other.Count(), 1);
  EXPECT_EQ(other.IndexOf(theirs), 0);
  EXPECT_EQ(theirs->Name(), "New Relation");  // still alive
}

TEST(ModelPoolItemList, TheFilteredViewDrivesCountAndGetItemButNotIndexOf) {
  TRelationPool pool;
  auto r = AddRelations(pool, 5);
  pool.ResetFilter();
  pool.SetFiltered(true);

  pool.RemoveFromFilter(r[0]);
  pool.RemoveFromFilter(r[2]);
  pool.RemoveFromFilter(r[2]);
  EXPECT_EQ(Indexed(pool), (std::vector<TPoolItem*>{r[1], r[3], r[4]}));
  EXPECT_EQ(pool.Count(), 3);
  EXPECT_EQ(pool.ItemCount(), 5);
  EXPECT_EQ(pool.IndexOf(r[3]), 3);
  EXPECT_EQ(pool.IndexOf(r[2]), 2);  // outside the view, still in Items

  pool.AddToFilter(0);
  pool.AddToFilter(0);
  pool.AddToFilter(1);  // already in the view
  EXPECT_EQ(Indexed(pool), (std::vector<TPoolItem*>{r[1], r[3], r[4], r[0]}));

  TRelationItem* added = pool.Add(DefaultRelation);  // joins the view
  EXPECT_EQ(Indexed(pool), (std::vector<TPoolItem*>{r[1], r[3], r[4], r[0], added}));
  EXPECT_EQ(pool.IndexOf(added), 5);

  r[3]->Delete();
  EXPECT_EQ(Indexed(pool), (std::vector<TPoolItem*>{r[1], r[4], r[0], added}));
  EXPECT_EQ(pool.IndexOf(r[4]), 3);
  EXPECT_EQ(pool.IndexOf(added), 4);

  pool.ResetFilter();
  EXPECT_EQ(Indexed(pool), (std::vector<TPoolItem*>{r[0], r[1], r[2], r[4], added}));
  pool.RemoveFromFilter(r[4]);
  pool.SetFiltered(false);
  EXPECT_EQ(pool.Count(), 5);
  EXPECT_EQ(pool.GetItem(3), r[4]);

  EXPECT_THROW(pool.AddToFilter(5), EListError);
  EXPECT_THROW(pool.AddToFilter(-1), EListError);
}

struct TOutOfRange {
  const char* name;
  bool filtered;
  std::int32_t index;
};

void PrintTo(const TOutOfRange& c, std::ostream* os) { *os << c.name; }

class ModelPoolItemListOutOfRange : public ::testing::TestWithParam<TOutOfRange> {};

// Four items, the second deleted (a hole), the view holding two of them.
TEST_P(ModelPoolItemListOutOfRange, GetItemThrowsListError) {
  const TOutOfRange& c = GetParam();
  TRelationPool pool;
  auto r = AddRelations(pool, 4);
  r[1]->Delete();
  pool.ResetFilter();
  pool.RemoveFromFilter(r[3]);
  pool.SetFiltered(c.filtered);
  try {
    pool.GetItem(c.index);
    FAIL() << "no error for index " << c.index;
  } catch (const EListError& error) {
    EXPECT_STREQ(error.what(),
                 ("List index out of bounds (" + std::to_string(c.index) + ")").c_str());
    EXPECT_EQ(error.Index, c.index);
  }
}

INSTANTIATE_TEST_SUITE_P(, ModelPoolItemListOutOfRange,
                         ::testing::Values(TOutOfRange{"Negative", false, -1},
                                           TOutOfRange{"CountAfterAHole", false, 3},
                                           TOutOfRange{"FarBeyond", false, 100},
                                           TOutOfRange{"FilteredNegative", true, -1},
                                           TOutOfRange{"FilteredIndexInItemsOnly", true, 2}),
                         [](const auto& info) { return std::string(info.param.name); });

TEST(ModelPoolItemList, ModifiedFlags) {
  TRelationPool pool;
  EXPECT_FALSE(pool.IsModified());
  auto r = AddRelations(pool, 3);
  EXPECT_TRUE(pool.ListModified());
  EXPECT_TRUE(pool.IsModified());

  pool.SetModified(false);
  EXPECT_FALSE(pool.IsModified());
  for (TRelationItem* item : r) EXPECT_FALSE(item->Modified());

  r[2]->SetModified(true);  // an item alone makes the pool modified
  EXPECT_FALSE(pool.ListModified());
  EXPECT_TRUE(pool.IsModified());

  pool.SetModified(false);
  r[1]->Delete();
  EXPECT_TRUE(pool.ListModified());
  EXPECT_TRUE(pool.IsModified());

  pool.SetModified(true);
  EXPECT_TRUE(r[0]->Modified());
  EXPECT_TRUE(r[2]->Modified());
}

TEST(ModelPoolItemList, ANewItemHasNoStoredIdentity) {
  TModelPools p;
  TSheetItem* sheet = p.AddSheet("S");
  TNoteItem* note = p.AddNote("N");
  TRelationItem* rel = p.AddRelation("R");
  TPosItem* position = p.AddPosition(note, sheet);
  TAttachItem* attachment = p.AddAttachment(note, "A");
  TLinkItem* link = p.AddLink(sheet, note, note, rel);
  const std::pair<TPoolItem*, std::int32_t> items[] = {{sheet, sheet->Record().ID},
                                                       {note, note->Record().ID},
                                                       {rel, rel->Record().ID},
                                                       {position, position->Record().ID},
                                                       {attachment, attachment->Record().ID},
                                                       {link, link->Record().ID}};
  for (const auto& [item, id] : items) {
    EXPECT_EQ(item->LoadIndex(), -1);
    EXPECT_EQ(id, -1);
    EXPECT_TRUE(item->Modified());
  }
}

}  // namespace
}  // namespace qoztest
