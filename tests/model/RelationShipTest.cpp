// Relationships and the delete cascade they drive.

#include "ModelPools.h"
#include "model/AttachItem.h"
#include "model/LinkItem.h"
#include "model/PosItem.h"
#include "model/RelationShip.h"

#include <gtest/gtest.h>

#include <vector>

namespace qoztest {
namespace {

// --- TRelationShip on its own ------------------------------------------------

TEST(ModelRelationShip, GetMemberOutsideTheMembersIsNull) {
  TPoolItem owner(nullptr), a(nullptr), b(nullptr);
  TRelationShip rel(&owner);
  EXPECT_EQ(rel.GetMember(0), nullptr);
  rel.Register(&a);
  rel.Register(&b);
  EXPECT_EQ(rel.GetMember(0), &a);
  EXPECT_EQ(rel.GetMember(1), &b);
  for (std::int32_t index : {-1, 2, 3, 1000}) EXPECT_EQ(rel.GetMember(index), nullptr) << index;
  rel.Unregister(&a);
  EXPECT_EQ(rel.GetMember(0), &b);
  EXPECT_EQ(rel.GetMember(1), nullptr);
}

TEST(ModelRelationShip, UnregisteringTheOwnerOrAStrangerChangesNothing) {
  // Bare items keep no member slot, so this also covers the search path.
  TPoolItem owner(nullptr), a(nullptr), b(nullptr), c(nullptr), d(nullptr), stranger(nullptr);
  TRelationShip rel(&owner);
  for (TPoolItem* item : {&a, &owner, &b, &c, &d}) rel.Register(item);
  rel.Unregister(&owner);
  rel.Unregister(&stranger);
  EXPECT_EQ(rel.Count(), 5);
  rel.Unregister(&b);
  rel.Unregister(&d);
  ASSERT_EQ(rel.Count(), 3);
  EXPECT_EQ(rel.GetMember(0), &a);
  EXPECT_EQ(rel.GetMember(1), &owner);
  EXPECT_EQ(rel.GetMember(2), &c);
  // Members that do not unregister themselves on Delete are visited once.
  rel.Free();
  EXPECT_EQ(rel.Count(), 0);
}

// Removals in the middle leave holes that must never show: counts, member
// order, pool order and IndexOf must read as if every removal closed up at once.
void ExpectPositions(TModelPools& p, TNoteItem* note, TSheetItem* sheet,
                     const std::vector<TPosItem*>& expected) {
  const auto count = static_cast<std::int32_t>(expected.size());
  ASSERT_EQ(note->PositionCount(), count);
  ASSERT_EQ(sheet->PositionCount(), count);
  ASSERT_EQ(p.positions.Count(), count);
  for (std::int32_t i = 0; i < count; ++i) {
    EXPECT_EQ(note->GetPosition(i), expected[i]) << i;
    EXPECT_EQ(sheet->GetPosition(i), expected[i]) << i;
    EXPECT_EQ(p.positions.GetItem(i), expected[i]) << i;
    EXPECT_EQ(p.positions.IndexOf(expected[i]), i) << i;
  }
  EXPECT_EQ(note->GetPosition(count), nullptr);
  EXPECT_EQ(sheet->GetPosition(count), nullptr);
}

TEST(ModelRelationShip, RemovalsInTheMiddleAreInvisible) {
  TModelPools p;
  TSheetItem* sheet = p.AddSheet("S");
  TNoteItem* note = p.AddNote("N");
  std::vector<TPosItem*> pos;
  for (int i = 0; i < 6; ++i) pos.push_back(p.AddPosition(note, sheet, i, i));

  pos[1]->Delete();
  ExpectPositions(p, note, sheet, {pos[0], pos[2], pos[3], pos[4], pos[5]});

  // Two removals before any read.
  pos[3]->Delete();
  pos[4]->Delete();
  ExpectPositions(p, note, sheet, {pos[0], pos[2], pos[5]});

  // Removal, addition and removal again without a read in between.
  pos[0]->Delete();
  TPosItem* added = p.AddPosition(note, sheet, 9, 9);
  pos[5]->Delete();
  ExpectPositions(p, note, sheet, {pos[2], added});
  EXPECT_EQ(p.positions.IndexOf(added), 1);
}

// --- the cascade -------------------------------------------------------------

TEST(ModelCascade, DeletingANoteTakesEverythingThatHangsOnIt) {
  TModelPools p;
  TSheetItem* s0 = p.AddSheet("S0");
  TSheetItem* s1 = p.AddSheet("S1");
  TSheetItem* s2 = p.AddSheet("S2");
  TRelationItem* rel = p.AddRelation("leads to");
  TNoteItem* note = p.AddNote("Doomed");
  TNoteItem* other = p.AddNote("Other");

  std::vector<TRecordingTreeNode*> gone;
  gone.push_back(&p.AddTreeNode(note));
  gone.push_back(&p.AddTreeNode(note));
  for (const char* title : {"A1", "A2"})
    gone.push_back(&p.AddTreeNode(p.AddAttachment(note, title)));
  for (TSheetItem* sheet : {s0, s1, s2}) {
    gone.push_back(&p.AddTreeNode(p.AddPosition(note, sheet, 10, 10)));
  }
  p.AddLink(s0, note, other, rel);
  p.AddLink(s1, other, note, rel);
  p.AddLink(s2, note, note, rel);  // to itself

  // What belongs to the other note must survive.
  TAttachItem* keptAttachment = p.AddAttachment(other, "Kept");
  TPosItem* keptPosition = p.AddPosition(other, s0, 5, 5);
  TLinkItem* keptLink = p.AddLink(s0, other, other, rel);
  std::vector<TRecordingTreeNode*> kept = {&p.AddTreeNode(other), &p.AddTreeNode(keptAttachment),
                                           &p.AddTreeNode(keptPosition)};

  ASSERT_EQ(p.attachments.Count(), 3);
  ASSERT_EQ(p.positions.Count(), 4);
  ASSERT_EQ(p.links.Count(), 4);
  ASSERT_EQ(p.noteNodes.Count(), 3);
  ASSERT_EQ(p.attachNodes.Count(), 3);
  ASSERT_EQ(p.posNodes.Count(), 4);

  note->Delete();

  ASSERT_EQ(p.notes.Count(), 1);
  EXPECT_EQ(p.notes.GetItem(0), other);
  ASSERT_EQ(p.attachments.Count(), 1);
  EXPECT_EQ(p.attachments.GetItem(0), keptAttachment);
  ASSERT_EQ(p.positions.Count(), 1);
  EXPECT_EQ(p.positions.GetItem(0), keptPosition);
  ASSERT_EQ(p.links.Count(), 1);
  EXPECT_EQ(p.links.GetItem(0), keptLink);
  EXPECT_EQ(p.noteNodes.Count(), 1);
  EXPECT_EQ(p.attachNodes.Count(), 1);
  EXPECT_EQ(p.posNodes.Count(), 1);
  EXPECT_EQ(p.sheets.Count(), 3);
  EXPECT_EQ(p.relations.Count(), 1);
  for (std::size_t i = 0; i < gone.size(); ++i) EXPECT_TRUE(gone[i]->Deleted) << i;
  for (std::size_t i = 0; i < kept.size(); ++i) EXPECT_FALSE(kept[i]->Deleted) << i;

  // No relationship still lists a deleted item.
  EXPECT_EQ(other->LinkOutCount(), 1);
  EXPECT_EQ(other->LinkInCount(), 1);
  EXPECT_EQ(other->GetLinkOut(0), keptLink);
  EXPECT_EQ(other->AttachmentCount(), 1);
  EXPECT_EQ(other->PositionCount(), 1);
  EXPECT_EQ(other->TreeNodeCount(), 1);
  EXPECT_EQ(s0->PositionCount(), 1);
  EXPECT_EQ(s0->GetPosition(0), keptPosition);
  EXPECT_EQ(s0->LinkCount(), 1);
  for (TSheetItem* sheet : {s1, s2}) {
    EXPECT_EQ(sheet->PositionCount(), 0);
    EXPECT_EQ(sheet->LinkCount(), 0);
  }
  EXPECT_EQ(rel->LinkCount(), 1);
  EXPECT_EQ(rel->GetLink(0), keptLink);
}

TEST(ModelCascade, ALinkToItselfLeavesBothListsOfItsNote) {
  TModelPools p;
  TSheetItem* sheet = p.AddSheet("S");
  TRelationItem* rel = p.AddRelation("R");
  TNoteItem* note = p.AddNote("N");
  p.AddLink(sheet, note, note, rel)->Delete();
  EXPECT_EQ(note->LinkOutCount(), 0);
  EXPECT_EQ(note->LinkInCount(), 0);
  EXPECT_EQ(sheet->LinkCount(), 0);
  EXPECT_EQ(rel->LinkCount(), 0);
  EXPECT_EQ(p.links.Count(), 0);

  p.AddLink(sheet, note, note, rel);
  p.AddLink(sheet, note, note, rel);
  note->Delete();
  EXPECT_EQ(p.links.Count(), 0);
  EXPECT_EQ(p.notes.Count(), 0);
  EXPECT_EQ(sheet->LinkCount(), 0);
  EXPECT_EQ(rel->LinkCount(), 0);
}

TEST(ModelCascade, DeletingASheetKeepsItsNotesAndForgetsAggregations) {
  TModelPools p;
  TSheetItem* doomed = p.AddSheet("Doomed");
  TSheetItem* stays = p.AddSheet("Stays");
  TRelationItem* rel = p.AddRelation("R");
  TNoteItem* n1 = p.AddNote("N1");
  TNoteItem* n2 = p.AddNote("N2");
  TNoteItem* standsForDoomed = p.AddNote("Doomed", 0, doomed);
  TNoteItem* standsForStays = p.AddNote("Stays", 0, stays);

  std::vector<TRecordingTreeNode*> gone = {&p.AddTreeNode(doomed),
                                           &p.AddTreeNode(p.AddPosition(n1, doomed, 1, 1)),
                                           &p.AddTreeNode(p.AddPosition(n2, doomed, 2, 2))};
  p.AddLink(doomed, n1, n2, rel);
  TPosItem* keptPosition = p.AddPosition(n1, stays, 3, 3);
  p.AddPosition(standsForDoomed, stays, 4, 4);
  TLinkItem* keptLink = p.AddLink(stays, n1, n2, rel);
  std::vector<TRecordingTreeNode*> kept = {&p.AddTreeNode(stays), &p.AddTreeNode(keptPosition),
                                           &p.AddTreeNode(n1)};
  p.SetModified(false);

  doomed->Delete();

  ASSERT_EQ(p.sheets.Count(), 1);
  EXPECT_EQ(p.sheets.GetItem(0), stays);
  ASSERT_EQ(p.notes.Count(), 4);
  EXPECT_EQ(p.notes.GetItem(0), n1);
  EXPECT_EQ(p.notes.GetItem(3), standsForStays);
  EXPECT_EQ(p.positions.Count(), 2);
  ASSERT_EQ(p.links.Count(), 1);
  EXPECT_EQ(p.links.GetItem(0), keptLink);
  EXPECT_EQ(p.sheetNodes.Count(), 1);
  EXPECT_EQ(p.posNodes.Count(), 1);
  for (std::size_t i = 0; i < gone.size(); ++i) EXPECT_TRUE(gone[i]->Deleted) << i;
  for (std::size_t i = 0; i < kept.size(); ++i) EXPECT_FALSE(kept[i]->Deleted) << i;

  EXPECT_EQ(standsForDoomed->Sheet(), nullptr);
  EXPECT_FALSE(standsForDoomed->Modified());  // no edit of the user's
  EXPECT_EQ(standsForDoomed->PositionCount(), 1);
  EXPECT_EQ(standsForStays->Sheet(), stays);
  EXPECT_EQ(n1->PositionCount(), 1);
  EXPECT_EQ(n1->GetPosition(0), keptPosition);
  EXPECT_EQ(n1->LinkOutCount(), 1);
  EXPECT_EQ(n2->PositionCount(), 0);
  EXPECT_EQ(n2->LinkInCount(), 1);
  EXPECT_EQ(rel->LinkCount(), 1);
}

TEST(ModelCascade, DeletingARelationTypeDeletesItsLinks) {
  TModelPools p;
  TSheetItem* sheet = p.AddSheet("S");
  TNoteItem* a = p.AddNote("A");
  TNoteItem* b = p.AddNote("B");
  TRelationItem* doomed = p.AddRelation("doomed");
  TRelationItem* stays = p.AddRelation("stays");
  p.AddLink(sheet, a, b, doomed);
  TLinkItem* kept = p.AddLink(sheet, b, a, stays);
  p.AddLink(sheet, b, a, doomed);

  doomed->Delete();

  ASSERT_EQ(p.relations.Count(), 1);
  EXPECT_EQ(p.relations.GetItem(0), stays);
  ASSERT_EQ(p.links.Count(), 1);
  EXPECT_EQ(p.links.GetItem(0), kept);
  EXPECT_EQ(kept->Relation(), stays);
  EXPECT_EQ(sheet->LinkCount(), 1);
  EXPECT_EQ(a->LinkOutCount(), 0);
  EXPECT_EQ(a->LinkInCount(), 1);
  EXPECT_EQ(b->LinkOutCount(), 1);
  EXPECT_EQ(b->LinkInCount(), 0);
  EXPECT_EQ(p.notes.Count(), 2);
}

}  // namespace
}  // namespace qoztest
