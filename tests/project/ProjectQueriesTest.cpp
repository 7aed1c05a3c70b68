#include "base/IntOverflow.h"
#include "base/ListError.h"
#include "model/AttachPool.h"
#include "model/LinkPool.h"
#include "model/NotePool.h"
#include "model/PosPool.h"
#include "model/RelationPool.h"
#include "model/SheetPool.h"
#include "model/TreeNodePool.h"
#include "project/Container.h"
#include "support/TestSupport.h"
#include "tests/project/ProjectTestHelpers.h"

#include <gtest/gtest.h>

#include <functional>
#include <limits>
#include <string>
#include <vector>

using namespace projecttest;

namespace {

class ProjectQueries : public ::testing::Test {
 protected:
  qoztest::TRecordingTreeNode nodes[3];
  TContainer c;
  TRelationItem* relation = NewRelation(c, "leads to");
};

TEST_F(ProjectQueries, SyncAfterDeletingASheetRemovesItsAggregationNotes) {
  TSheetItem* s1 = NewSheet(c, "S1");
  TSheetItem* s2 = NewSheet(c, "S2");
  TSheetItem* s3 = NewSheet(c, "S3");
  TNoteItem* forS2OnS1 = NewAggregationNote(c, s2);
  c.AssignNoteToSheet(forS2OnS1, s1);
  TNoteItem* forS2OnS3 = NewAggregationNote(c, s2);
  c.PlaceNote(forS2OnS3, s3, 10, 10);
  TNoteItem* forS3OnS1 = NewAggregationNote(c, s3);
  c.PlaceNote(forS3OnS1, s1, 50, 50);
  TNoteItem* plain = NewNote(c, "plain");
  c.PlaceNote(plain, s1, 100, 100);
  c.PlaceNote(plain, s2, 100, 100);
  NewTreeNode(c.NoteTreePool(), forS2OnS1, &nodes[0]);
  NewTreeNode(c.PosTreePool(), c.PositionOf(forS2OnS1, s1), &nodes[1]);
  NewTreeNode(c.NoteTreePool(), forS3OnS1, &nodes[2]);

  s2->Delete();
  // Until the sync, the notes for the deleted sheet stay, standing for none.
  EXPECT_EQ(c.NoteCount(), 4);
  EXPECT_EQ(forS2OnS1->Sheet(), nullptr);
  EXPECT_EQ(forS2OnS3->Sheet(), nullptr);

  c.SyncAggregationNotes();
  EXPECT_EQ(c.NoteCount(), 2);
  EXPECT_FALSE(c.ContainsNote(forS2OnS1));
  EXPECT_FALSE(c.ContainsNote(forS2OnS3));
  EXPECT_TRUE(c.ContainsNote(forS3OnS1));
  EXPECT_TRUE(c.ContainsNote(plain));
  EXPECT_EQ(c.PositionCount(), 2);
  EXPECT_EQ(s1->PositionCount(), 2);
  EXPECT_EQ(s3->PositionCount(), 0);
  EXPECT_TRUE(nodes[0].Deleted);
  EXPECT_TRUE(nodes[1].Deleted);
  EXPECT_FALSE(nodes[2].Deleted);
  EXPECT_EQ(forS3OnS1->Sheet(), s3);
}

TEST_F(ProjectQueries, SyncGivesAggregationNotesTheirSheetsTitleAndColour) {
  TSheetItem* target = NewSheet(c, "Target");
  TSheetItem* shown = NewSheet(c, "Old");
  TNoteItem* aggregation = NewAggregationNote(c, shown);
  c.PlaceNote(aggregation, target, 10, 10);
  TNoteItem* plain = NewNote(c, "Old");
  NewTreeNode(c.NoteTreePool(), aggregation, &nodes[0]);
  NewTreeNode(c.PosTreePool(), c.PositionOf(aggregation, target), &nodes[1]);

  shown->SetTitle("New");
  shown->SetColor(0x123456);
  EXPECT_EQ(aggregation->Title(), "Old");
  c.SyncAggregationNotes();
  EXPECT_EQ(aggregation->Title(), "New");
  EXPECT_EQ(aggregation->Color(), 0x123456);
  EXPECT_EQ(nodes[0].Caption, "New");
  EXPECT_EQ(nodes[1].Caption, "New");
  EXPECT_FALSE(nodes[0].Deleted);
  EXPECT_EQ(plain->Title(), "Old");
  EXPECT_EQ(c.NoteCount(), 2);
}

TEST_F(ProjectQueries, AggregationNoteOnLooksForTheNoteOnTheOtherSheet) {
  TSheetItem* a = NewSheet(c, "A");
  TSheetItem* b = NewSheet(c, "B");
  // An ordinary note that happens to name a sheet stands for nothing.
  TNote record = DefaultNote;
  record.Sheet = a;
  c.PlaceNote(c.AddNote(record), b, 0, 0);
  EXPECT_FALSE(c.AggregationNoteOn(a, b));

  c.AssignNoteToSheet(NewAggregationNote(c, a), b);
  EXPECT_TRUE(c.AggregationNoteOn(a, b));
  EXPECT_FALSE(c.AggregationNoteOn(b, a));
  EXPECT_FALSE(c.AggregationNoteOn(a, a));
}

TEST_F(ProjectQueries, AggregatedLinksJoinTheAggregatedSheetToPlacedNotes) {
  TSheetItem* view = NewSheet(c, "View");
  TSheetItem* inner = NewSheet(c, "Inner");
  TNoteItem* aggregation = NewAggregationNote(c, inner);
  c.PlaceNote(aggregation, view, 400, 400);
  TNoteItem* r1 = NewNote(c, "r1");
  TNoteItem* r2 = NewNote(c, "r2");
  c.PlaceNote(r1, inner, 10, 10);
  c.PlaceNote(r2, inner, 200, 10);
  NewPosition(c, r1, inner, 300, 300);  // r1 stands twice on the inner sheet
  TNoteItem* placed = NewNote(c, "placed");
  TNoteItem* assigned = NewNote(c, "assigned");
  c.PlaceNote(placed, view, 10, 10);
  c.AssignNoteToSheet(assigned, view);

  TLinkItem* r1ToPlaced = NewLink(c, r1, placed, inner, relation);
  NewLink(c, r1, assigned, view, relation);  // target not placed on the view
  TLinkItem* placedToR2 = NewLink(c, placed, r2, view, relation);
  NewLink(c, r2, r1, inner, relation);  // neither end on the view

  EXPECT_EQ(c.AggregatedLinks(aggregation, view),
            (std::vector<TLinkItem*>{r1ToPlaced, placedToR2, r1ToPlaced}));
  // Not an aggregation note, or not on that sheet: nothing.
  EXPECT_TRUE(c.AggregatedLinks(r1, view).empty());
  EXPECT_TRUE(c.AggregatedLinks(aggregation, inner).empty());
}

TEST_F(ProjectQueries, PositionOfIsTheLastPositionOnTheSheet) {
  TSheetItem* s = NewSheet(c, "S");
  TSheetItem* t = NewSheet(c, "T");
  TNoteItem* note = NewNote(c, "n");
  TPosItem* first = NewPosition(c, note, s, 1, 1);
  NewPosition(c, note, t, 2, 2);
  TPosItem* last = NewPosition(c, note, s, 3, 3);
  EXPECT_EQ(c.PositionOf(note, s), last);
  EXPECT_EQ(c.PositionOf(note, NewSheet(c, "U")), nullptr);
  last->Delete();
  EXPECT_EQ(c.PositionOf(note, s), first);
}

TEST_F(ProjectQueries, LinkEndsPlacedNeedsBothNotesPlacedOnTheSheet) {
  TSheetItem* s = NewSheet(c, "S");
  TSheetItem* t = NewSheet(c, "T");
  TNoteItem* a = NewNote(c, "a");
  TNoteItem* b = NewNote(c, "b");
  TNoteItem* unplaced = NewNote(c, "unplaced");
  TNoteItem* elsewhere = NewNote(c, "elsewhere");
  c.PlaceNote(a, s, 0, 0);
  c.PlaceNote(b, s, 100, 100);
  c.AssignNoteToSheet(unplaced, s);
  c.PlaceNote(elsewhere, t, 0, 0);

  TLinkItem* ab = NewLink(c, a, b, t, relation);
  EXPECT_TRUE(c.LinkEndsPlaced(ab, s));  // wherever the link is drawn
  EXPECT_FALSE(c.LinkEndsPlaced(ab, t));
  EXPECT_FALSE(c.LinkEndsPlaced(NewLink(c, a, unplaced, s, relation), s));
  EXPECT_FALSE(c.LinkEndsPlaced(NewLink(c, unplaced, a, s, relation), s));
  EXPECT_FALSE(c.LinkEndsPlaced(NewLink(c, a, elsewhere, s, relation), s));

  EXPECT_TRUE(c.LinkIsOnSheet(ab, t));
  EXPECT_FALSE(c.LinkIsOnSheet(ab, s));
}

TEST_F(ProjectQueries, OffSheetLinkedNotesAreCountedPerLink) {
  TSheetItem* s = NewSheet(c, "S");
  TNoteItem* note = NewNote(c, "note");
  TNoteItem* onSheet = NewNote(c, "on", 500);
  TNoteItem* assigned = NewNote(c, "assigned", 500);
  TNoteItem* off1 = NewNote(c, "off1", 100);
  TNoteItem* off2 = NewNote(c, "off2", 30);
  c.PlaceNote(note, s, 0, 0);
  c.PlaceNote(onSheet, s, 100, 100);
  c.AssignNoteToSheet(assigned, s);
  NewLink(c, note, off1, s, relation);
  NewLink(c, off1, note, s, relation);  // off1 counts twice
  NewLink(c, note, off2, s, relation);
  NewLink(c, onSheet, note, s, relation);
  NewLink(c, note, onSheet, s, relation);
  NewLink(c, note, assigned, s, relation);
  EXPECT_EQ(c.OffSheetLinkedCount(note, s), 3);
  EXPECT_EQ(c.OffSheetLinkedWidth(note, s), 100 + 100 + 30);

  // A negative sum of widths gives 0.
  off1->SetWidth(-100);
  EXPECT_EQ(c.OffSheetLinkedCount(note, s), 3);
  EXPECT_EQ(c.OffSheetLinkedWidth(note, s), 0);
  off1->SetWidth(-10);
  EXPECT_EQ(c.OffSheetLinkedWidth(note, s), 10);

  // Only the total must fit the integer range, not every step towards it.
  off1->SetWidth(std::numeric_limits<std::int32_t>::max());
  off2->SetWidth(-std::numeric_limits<std::int32_t>::max());
  EXPECT_EQ(c.OffSheetLinkedWidth(note, s), std::numeric_limits<std::int32_t>::max());
  off2->SetWidth(1);
  EXPECT_THROW(c.OffSheetLinkedWidth(note, s), EIntOverflow);

  // Seen from the other ends.
  EXPECT_EQ(c.OffSheetLinkedCount(off2, s), 0);  // its one link ends on the sheet
  EXPECT_EQ(c.OffSheetLinkedCount(off2, NewSheet(c, "T")), 1);
  TNoteItem* lonely = NewNote(c, "lonely");
  EXPECT_EQ(c.OffSheetLinkedCount(lonely, s), 0);
  EXPECT_EQ(c.OffSheetLinkedWidth(lonely, s), 0);
}

// Each stored pool with the container's count for it.
struct TPoolAccess {
  const char* Name;
  std::function<TPool&(TContainer&)> Pool;
  std::function<std::int32_t(TContainer&)> Count;
  std::function<TPoolItem*(TContainer&, std::int32_t)> Get;
};

const TPoolAccess kPools[] = {
    {"attachments", [](TContainer& c) -> TPool& { return c.AttachPool(); },
     [](TContainer& c) { return c.AttachmentCount(); },
     [](TContainer& c, std::int32_t i) -> TPoolItem* { return c.GetAttachment(i); }},
    {"notes", [](TContainer& c) -> TPool& { return c.NotePool(); },
     [](TContainer& c) { return c.NoteCount(); },
     [](TContainer& c, std::int32_t i) -> TPoolItem* { return c.GetNote(i); }},
    {"positions", [](TContainer& c) -> TPool& { return c.PosPool(); },
     [](TContainer& c) { return c.PositionCount(); },
     [](TContainer& c, std::int32_t i) -> TPoolItem* { return c.GetPosition(i); }},
    {"links", [](TContainer& c) -> TPool& { return c.LinkPool(); },
     [](TContainer& c) { return c.LinkCount(); },
     [](TContainer& c, std::int32_t i) -> TPoolItem* { return c.GetLink(i); }},
    {"sheets", [](TContainer& c) -> TPool& { return c.SheetPool(); },
     [](TContainer& c) { return c.SheetCount(); },
     [](TContainer& c, std::int32_t i) -> TPoolItem* { return c.GetSheet(i); }},
    {"relation types", [](TContainer& c) -> TPool& { return c.RelationPool(); },
     [](TContainer& c) { return c.RelationCount(); },
     [](TContainer& c, std::int32_t i) -> TPoolItem* { return c.GetRelation(i); }},
};

TEST(ProjectFilters, IndexedAccessHonoursTheViewUntilFiltersGoOff) {
  TContainer c;
  FillProject(c);
  for (const TPoolAccess& access : kPools) {
    SCOPED_TRACE(access.Name);
    TPool& pool = access.Pool(c);
    const std::int32_t all = access.Count(c);
    ASSERT_GE(all, 2);
    TPoolItem* first = access.Get(c, 0);
    TPoolItem* second = access.Get(c, 1);
    pool.ResetFilter();
    pool.RemoveFromFilter(first);
    pool.SetFiltered(true);
    EXPECT_EQ(access.Count(c), all - 1);
    EXPECT_EQ(access.Get(c, 0), second);
    EXPECT_THROW(access.Get(c, all - 1), EListError);
  }
  EXPECT_FALSE(c.ContainsNote(c.NotePool().ItemAt(0)));
  EXPECT_TRUE(c.ContainsNote(c.NotePool().ItemAt(1)));

  c.ResetFilters();
  for (const TPoolAccess& access : kPools) {
    SCOPED_TRACE(access.Name);
    EXPECT_TRUE(access.Pool(c).Filtered());
    EXPECT_EQ(access.Count(c), access.Pool(c).ItemCount());
    access.Pool(c).RemoveFromFilter(access.Get(c, 0));
  }
  EXPECT_TRUE(c.ContainsNote(c.NotePool().ItemAt(1)));

  c.FiltersOff();
  for (const TPoolAccess& access : kPools) {
    SCOPED_TRACE(access.Name);
    EXPECT_FALSE(access.Pool(c).Filtered());
    EXPECT_EQ(access.Count(c), access.Pool(c).ItemCount());
    EXPECT_EQ(access.Get(c, 0), access.Pool(c).ItemAt(0));
  }
  EXPECT_TRUE(c.ContainsNote(c.NotePool().ItemAt(0)));
}

TEST(ProjectFilters, ContainsIsFalseOnceTheItemIsDeleted) {
  TContainer c;
  FillProject(c);
  TNoteItem* note = c.GetNote(0);
  TSheetItem* sheet = c.GetSheet(0);
  TAttachItem* attachment = c.GetAttachment(0);
  EXPECT_TRUE(c.ContainsNote(note));
  EXPECT_TRUE(c.ContainsSheet(sheet));
  EXPECT_TRUE(c.ContainsAttachment(attachment));
  EXPECT_FALSE(c.ContainsNote(nullptr));

  attachment->Delete();
  EXPECT_FALSE(c.ContainsAttachment(attachment));
  sheet->Delete();
  EXPECT_FALSE(c.ContainsSheet(sheet));
  note->Delete();
  EXPECT_FALSE(c.ContainsNote(note));
  EXPECT_TRUE(c.ContainsNote(c.GetNote(0)));
}

}  // namespace
