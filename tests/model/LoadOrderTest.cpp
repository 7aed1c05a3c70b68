#include "base/DataFileError.h"
#include "tests/model/ModelPools.h"

#include <gtest/gtest.h>

#include <random>
#include <string>
#include <vector>

namespace qoztest {
namespace {

// The pool indices of a relationship's members, in member order.
template <typename TMemberPool>
std::vector<std::int32_t> Members(const TRelationShip& relation, const TMemberPool& pool) {
  std::vector<std::int32_t> indices;
  for (std::int32_t i = 0; i < relation.Count(); ++i) {
    indices.push_back(pool.IndexOf(relation.GetMember(i)));
  }
  return indices;
}

// Links and positions among a few notes in a scrambled order, as a project
// edited over time has them: every note and sheet has members from all over
// the file.
void FillScrambled(TModelPools& p) {
  std::mt19937 random(7);
  auto pick = [&random](std::int32_t count) {
    return std::uniform_int_distribution<std::int32_t>(0, count - 1)(random);
  };
  for (int i = 0; i < 3; ++i) p.AddSheet("S" + std::to_string(i));
  for (int i = 0; i < 6; ++i) p.AddNote("N" + std::to_string(i));
  for (int i = 0; i < 2; ++i) p.AddRelation("R" + std::to_string(i));
  for (int i = 0; i < 20; ++i) {
    p.AddPosition(p.notes.GetItem(pick(6)), p.sheets.GetItem(pick(3)), pick(500), pick(500));
  }
  for (int i = 0; i < 60; ++i) {
    p.AddLink(p.sheets.GetItem(pick(3)), p.notes.GetItem(pick(6)), p.notes.GetItem(pick(6)),
              p.relations.GetItem(pick(2)));
  }
}

void ExpectSameRelationships(const TModelPools& a, const TModelPools& b) {
  ASSERT_EQ(a.notes.Count(), b.notes.Count());
  for (std::int32_t i = 0; i < a.notes.Count(); ++i) {
    const TNoteItem* x = a.notes.GetItem(i);
    const TNoteItem* y = b.notes.GetItem(i);
    EXPECT_EQ(Members(x->LinksIn(), a.links), Members(y->LinksIn(), b.links)) << "note " << i;
    EXPECT_EQ(Members(x->LinksOut(), a.links), Members(y->LinksOut(), b.links)) << "note " << i;
    EXPECT_EQ(Members(x->Positions(), a.positions), Members(y->Positions(), b.positions))
        << "note " << i;
  }
  for (std::int32_t i = 0; i < a.sheets.Count(); ++i) {
    const TSheetItem* x = a.sheets.GetItem(i);
    const TSheetItem* y = b.sheets.GetItem(i);
    EXPECT_EQ(Members(x->Links(), a.links), Members(y->Links(), b.links)) << "sheet " << i;
    EXPECT_EQ(Members(x->Positions(), a.positions), Members(y->Positions(), b.positions))
        << "sheet " << i;
  }
  for (std::int32_t i = 0; i < a.relations.Count(); ++i) {
    EXPECT_EQ(Members(a.relations.GetItem(i)->Links(), a.links),
              Members(b.relations.GetItem(i)->Links(), b.links))
        << "relation " << i;
  }
}

// Items made one by one register as they are made; a load registers links
// and positions with their notes in bulk. Both must give every relationship
// its members in the same (file) order.
TEST(ModelLoadOrder, LoadedRelationshipsHoldTheirMembersInFileOrder) {
  TModelPools made;
  FillScrambled(made);
  TTempDir dir;
  made.SaveAll(dir.Path().string());

  TModelPools loaded;
  loaded.LoadAll(dir.Path().string());
  ExpectSameRelationships(made, loaded);
}

// A links file that breaks half way keeps the links before the bad line,
// joined to their notes, so that deleting the notes takes them along.
TEST(ModelLoadOrder, LinksBeforeABadLineAreFullyRegistered) {
  TModelPools made;
  FillScrambled(made);
  TTempDir dir;
  made.SaveAll(dir.Path().string());
  const std::string linkFile = dir.File(DataFileName(TKind::Link));
  std::string bytes = ReadBytes(linkFile);
  std::size_t cut = 0;
  for (int line = 0; line < 25; ++line) cut = bytes.find("\r\n", cut) + 2;
  WriteBytes(linkFile, bytes.substr(0, cut) + "garbage\r\n" + bytes.substr(cut));

  TModelPools loaded;
  EXPECT_THROW(loaded.LoadAll(dir.Path().string()), EDataFileError);
  ASSERT_EQ(loaded.links.Count(), 25);
  std::int32_t ends = 0;
  for (std::int32_t i = 0; i < loaded.notes.Count(); ++i) {
    ends += loaded.notes.GetItem(i)->LinkInCount() + loaded.notes.GetItem(i)->LinkOutCount();
  }
  EXPECT_EQ(ends, 50);
  while (loaded.notes.Count() > 0) loaded.notes.GetItem(0)->Delete();
  EXPECT_EQ(loaded.links.Count(), 0);
  EXPECT_EQ(loaded.positions.Count(), 0);
}

}  // namespace
}  // namespace qoztest
