#include "base/IntOverflow.h"
#include "base/InvalidPointer.h"
#include "model/LinkPool.h"
#include "model/TreeNodePool.h"
#include "project/Container.h"
#include "support/TestSupport.h"
#include "tests/project/ProjectTestHelpers.h"

#include <gtest/gtest.h>

#include <limits>
#include <ostream>
#include <set>
#include <string>
#include <vector>

using namespace projecttest;

namespace {

// A sheet 1000 by 1000 and two notes 80 by 50, none on the sheet yet.
class ProjectEditing : public ::testing::Test {
 protected:
  qoztest::TRecordingTreeNode nodes[2];
  qoztest::TNotificationRecorder notifications;
  qoztest::TMessageRecorder messages;
  TContainer c;
  TSheetItem* sheet = NewSheet(c, "S");
  TNoteItem* note = NewNote(c, "N");
  TNoteItem* other = NewNote(c, "O");
};

struct TPlacement {
  const char* Name;
  std::int32_t X;
  std::int32_t Y;
  std::int32_t StoredX;
  std::int32_t StoredY;
};

void PrintTo(const TPlacement& p, std::ostream* os) { *os << "(" << p.X << ", " << p.Y << ")"; }

class ProjectPlaceNote : public ProjectEditing, public ::testing::WithParamInterface<TPlacement> {};

TEST_P(ProjectPlaceNote, KeepsTheNoteOnTheSheet) {
  const TPlacement& p = GetParam();
  notifications.Notified.clear();
  EXPECT_TRUE(c.PlaceNote(note, sheet, p.X, p.Y));
  ASSERT_EQ(c.PositionCount(), 1);
  TPosItem* position = c.GetPosition(0);
  EXPECT_EQ(position->Note(), note);
  EXPECT_EQ(position->Sheet(), sheet);
  EXPECT_EQ(position->X(), p.StoredX);
  EXPECT_EQ(position->Y(), p.StoredY);
  EXPECT_EQ(notifications.Notified, std::vector<TPoolItem*>{position});
}

// A note reaching past the right or bottom edge ends up one unit further in
// than the edge.
INSTANTIATE_TEST_SUITE_P(Project, ProjectPlaceNote,
                         ::testing::Values(TPlacement{"Inside", 500, 400, 500, 400},
                                           TPlacement{"Origin", 0, 0, 0, 0},
                                           TPlacement{"ExactlyAtTheEdge", 920, 950, 920, 950},
                                           TPlacement{"OnePastTheEdge", 921, 951, 919, 949},
                                           TPlacement{"FarPastTheEdge", 950, 960, 919, 949},
                                           TPlacement{"LeftAndAbove", -5, -5, 0, 0},
                                           TPlacement{"Mixed", -5, 960, 0, 949}),
                         [](const ::testing::TestParamInfo<TPlacement>& info) {
                           return std::string(info.param.Name);
                         });

TEST_F(ProjectEditing, AssignNoteToSheetAddsAnUnplacedPositionOnce) {
  notifications.Notified.clear();
  EXPECT_TRUE(c.AssignNoteToSheet(note, sheet));
  ASSERT_EQ(c.PositionCount(), 1);
  TPosItem* position = c.GetPosition(0);
  EXPECT_EQ(position->Note(), note);
  EXPECT_EQ(position->Sheet(), sheet);
  EXPECT_EQ(position->X(), -1);
  EXPECT_EQ(position->Y(), -1);
  EXPECT_EQ(notifications.Notified, std::vector<TPoolItem*>{position});

  EXPECT_FALSE(c.AssignNoteToSheet(note, sheet));
  c.PlaceNote(other, sheet, 10, 10);
  EXPECT_FALSE(c.AssignNoteToSheet(other, sheet));
  EXPECT_EQ(c.PositionCount(), 2);
  EXPECT_EQ(note->PositionCount(), 1);
  EXPECT_EQ(other->PositionCount(), 1);
}

TEST_F(ProjectEditing, PlacingAnAssignedNoteMovesItsPosition) {
  ASSERT_TRUE(c.AssignNoteToSheet(note, sheet));
  TPosItem* position = c.GetPosition(0);
  NewTreeNode(c.PosTreePool(), position, &nodes[0]);
  NewTreeNode(c.PosTreePool(), position, &nodes[1]);
  notifications.Notified.clear();

  EXPECT_TRUE(c.PlaceNote(note, sheet, 100, 200));
  EXPECT_EQ(c.PositionCount(), 1);
  EXPECT_EQ(c.PositionOf(note, sheet), position);
  EXPECT_EQ(position->X(), 100);
  EXPECT_EQ(position->Y(), 200);
  EXPECT_TRUE(notifications.Notified.empty());
  EXPECT_EQ(nodes[0].ImageIndex, TPosItem::kPlacedImage);
  EXPECT_EQ(nodes[0].SelectedIndex, TPosItem::kPlacedImage);
  EXPECT_EQ(nodes[1].ImageIndex, -1);

  // Placed again: still the same position.
  c.PlaceNote(note, sheet, -3, 2000);
  EXPECT_EQ(c.PositionCount(), 1);
  EXPECT_EQ(position->X(), 0);
  EXPECT_EQ(position->Y(), 949);
}

struct TBox {
  const char* Name;
  std::int32_t X;
  std::int32_t Y;
  std::int32_t Width;
  std::int32_t Height;
  bool Stored;
};

void PrintTo(const TBox& b, std::ostream* os) {
  *os << "(" << b.X << ", " << b.Y << ", " << b.Width << ", " << b.Height << ")";
}

class ProjectSetNoteBox : public ProjectEditing, public ::testing::WithParamInterface<TBox> {};

TEST_P(ProjectSetNoteBox, StoresOnlyABoxOnTheSheetOfAtLeastTwentyUnits) {
  const TBox& box = GetParam();
  c.PlaceNote(note, sheet, 10, 15);
  TPosItem* position = c.PositionOf(note, sheet);
  c.SetNoteBox(box.X, box.Y, box.Width, box.Height, note, sheet);
  if (box.Stored) {
    EXPECT_EQ(position->X(), box.X);
    EXPECT_EQ(position->Y(), box.Y);
    EXPECT_EQ(note->Width(), box.Width);
    EXPECT_EQ(note->Height(), box.Height);
  } else {
    EXPECT_EQ(position->X(), 10);
    EXPECT_EQ(position->Y(), 15);
    EXPECT_EQ(note->Width(), 80);
    EXPECT_EQ(note->Height(), 50);
  }
}

INSTANTIATE_TEST_SUITE_P(Project, ProjectSetNoteBox,
                         ::testing::Values(TBox{"Smallest", 30, 40, 20, 20, true},
                                           TBox{"AtTheOrigin", 0, 0, 90, 60, true},
                                           TBox{"PastTheSheet", 5000, 5000, 3000, 3000, true},
                                           TBox{"TooNarrow", 30, 40, 19, 50, false},
                                           TBox{"TooLow", 30, 40, 50, 19, false},
                                           TBox{"LeftOfTheSheet", -1, 40, 100, 100, false},
                                           TBox{"AboveTheSheet", 30, -1, 100, 100, false}),
                         [](const ::testing::TestParamInfo<TBox>& info) {
                           return std::string(info.param.Name);
                         });

TEST_F(ProjectEditing, AddLinkWithoutRelationTypesTellsTheUser) {
  EXPECT_EQ(c.AddLink(note, other, sheet, nullptr), nullptr);
  EXPECT_EQ(messages.Texts, std::vector<std::string>{"There are no relation types available..."});
  EXPECT_EQ(c.LinkCount(), 0);
}

TEST_F(ProjectEditing, AddLinkDrawsSmallRandomOffsetsAndTakesTheDefaults) {
  TRelationItem* relation = NewRelation(c, "leads to");
  notifications.Notified.clear();
  std::set<std::int32_t> c1x, c1y, c2x, c2y;
  constexpr int kLinks = 200;
  for (int i = 0; i < kLinks; ++i) {
    TLinkItem* link = c.AddLink(note, other, sheet, relation);
    ASSERT_NE(link, nullptr);
    EXPECT_EQ(link->FromNote(), note);
    EXPECT_EQ(link->ToNote(), other);
    EXPECT_EQ(link->Sheet(), sheet);
    EXPECT_EQ(link->Relation(), relation);
    EXPECT_EQ(link->Color(), 0);
    EXPECT_EQ(link->Width(), 1);
    EXPECT_EQ(link->LineStyle(), 1);
    EXPECT_EQ(link->ArrowStyle(), 2);
    c1x.insert(link->Ctrl1X());
    c1y.insert(link->Ctrl1Y());
    c2x.insert(link->Ctrl2X());
    c2y.insert(link->Ctrl2Y());
  }
  for (const auto* values : {&c1x, &c1y}) {
    EXPECT_GE(*values->begin(), 0);
    EXPECT_LE(*values->rbegin(), 49);
    EXPECT_GT(values->size(), 10u);
  }
  for (const auto* values : {&c2x, &c2y}) {
    EXPECT_GE(*values->begin(), -49);
    EXPECT_LE(*values->rbegin(), 0);
    EXPECT_GT(values->size(), 10u);
  }
  EXPECT_EQ(c.LinkCount(), kLinks);
  EXPECT_EQ(note->LinkOutCount(), kLinks);
  EXPECT_EQ(other->LinkInCount(), kLinks);
  EXPECT_EQ(sheet->LinkCount(), kLinks);
  EXPECT_EQ(relation->LinkCount(), kLinks);
  EXPECT_TRUE(notifications.Notified.empty());
  EXPECT_TRUE(messages.Texts.empty());
}

TEST_F(ProjectEditing, ChangeLinkRelationReplacesTheLinkByACopyOfTheNewType) {
  TRelationItem* leads = NewRelation(c, "leads to");
  TRelationItem* assumes = NewRelation(c, "assumes");
  TLinkItem* link = NewLink(c, note, other, sheet, leads);
  link->SetColor(255);
  link->SetWidth(4);
  link->SetArrowStyle(1);
  link->SetLineStyle(0);
  link->SetCtrl1X(33);
  TLinkItem* later = NewLink(c, other, note, sheet, assumes);

  EXPECT_EQ(c.ChangeLinkRelation(link, leads), link);
  EXPECT_EQ(c.LinkCount(), 2);
  EXPECT_EQ(link->Relation(), leads);

  TLinkItem* changed = c.ChangeLinkRelation(link, assumes);
  // The old link is freed: only the pools tell about it from here on.
  ASSERT_EQ(c.LinkCount(), 2);
  EXPECT_EQ(c.GetLink(0), later);
  EXPECT_EQ(c.GetLink(1), changed);
  EXPECT_EQ(changed->Relation(), assumes);
  EXPECT_EQ(changed->FromNote(), note);
  EXPECT_EQ(changed->ToNote(), other);
  EXPECT_EQ(changed->Sheet(), sheet);
  EXPECT_EQ(changed->Ctrl1X(), 33);
  EXPECT_EQ(changed->Ctrl1Y(), 12);
  EXPECT_EQ(changed->Ctrl2X(), -13);
  EXPECT_EQ(changed->Ctrl2Y(), -14);
  EXPECT_EQ(changed->Color(), 255);
  EXPECT_EQ(changed->Width(), 4);
  EXPECT_EQ(changed->ArrowStyle(), 1);
  EXPECT_EQ(changed->LineStyle(), 0);
  EXPECT_FALSE(c.LinkExists(note, other, leads, sheet));
  EXPECT_TRUE(c.LinkExists(note, other, assumes, sheet));
  EXPECT_EQ(leads->LinkCount(), 0);
  EXPECT_EQ(assumes->LinkCount(), 2);
  EXPECT_EQ(note->LinkOutCount(), 1);
  EXPECT_EQ(other->LinkInCount(), 1);
  EXPECT_EQ(sheet->LinkCount(), 2);
}

TEST_F(ProjectEditing, LinkExistsMatchesSourceTargetTypeAndSheet) {
  TRelationItem* leads = NewRelation(c, "leads to");
  TRelationItem* assumes = NewRelation(c, "assumes");
  TSheetItem* second = NewSheet(c, "T");
  NewLink(c, note, other, sheet, leads);
  EXPECT_TRUE(c.LinkExists(note, other, leads, sheet));
  EXPECT_FALSE(c.LinkExists(other, note, leads, sheet));
  EXPECT_FALSE(c.LinkExists(note, other, leads, second));
  EXPECT_FALSE(c.LinkExists(note, other, assumes, sheet));
  NewLink(c, other, note, second, leads);
  EXPECT_TRUE(c.LinkExists(other, note, leads, second));
  EXPECT_FALSE(c.LinkExists(other, note, leads, sheet));
}

TEST_F(ProjectEditing, CopyAttachmentToNoteCopiesTheFileButNotTheUrlFlag) {
  TAttachment record = DefaultAttachment;
  record.Note = note;
  record.Title = "Home";
  record.FileName = "http://example.org/";
  record.ExtraText = "line one\r\nline two";
  record.IsURL = true;
  TAttachItem* source = c.AddAttachment(record);
  notifications.Notified.clear();

  TAttachItem* copy = c.CopyAttachmentToNote(source, other);
  ASSERT_NE(copy, source);
  EXPECT_EQ(copy->Note(), other);
  EXPECT_EQ(copy->Title(), "Home");
  EXPECT_EQ(copy->FileName(), "http://example.org/");
  EXPECT_EQ(copy->ExtraText(), "line one\r\nline two");
  EXPECT_FALSE(copy->IsURL());
  EXPECT_TRUE(source->IsURL());
  EXPECT_EQ(c.AttachmentCount(), 2);
  EXPECT_EQ(note->AttachmentCount(), 1);
  EXPECT_EQ(other->AttachmentCount(), 1);
  EXPECT_EQ(notifications.Notified, std::vector<TPoolItem*>{copy});
}

TEST_F(ProjectEditing, AddersTellTheNavigatorsButAddLinkRecordDoesNot) {
  notifications.Notified.clear();
  TSheetItem* addedSheet = c.AddSheet(DefaultSheet);
  TNoteItem* addedNote = c.AddNote(DefaultNote);
  TAttachItem* attachment = NewAttachment(c, addedNote, "a");
  TPosItem* position = NewPosition(c, addedNote, addedSheet, 1, 1);
  TRelationItem* relation = c.AddRelationType(DefaultRelation);
  TLinkItem* link = NewLink(c, addedNote, note, addedSheet, relation);
  EXPECT_EQ(notifications.Notified,
            (std::vector<TPoolItem*>{addedSheet, addedNote, attachment, position, relation}));
  EXPECT_EQ(c.GetLink(c.LinkCount() - 1), link);
  EXPECT_EQ(notifications.Refreshes, 0);
}

}  // namespace

namespace {

// A copy that cannot be made must not cost the user the link.
TEST_F(ProjectEditing, ChangeLinkRelationThatFailsKeepsTheLink) {
  TRelationItem* leads = NewRelation(c, "leads to");
  TLinkItem* link = NewLink(c, note, other, sheet, leads);
  EXPECT_THROW(c.ChangeLinkRelation(link, nullptr), EInvalidPointer);
  ASSERT_EQ(c.LinkCount(), 1);
  EXPECT_EQ(c.GetLink(0), link);
  EXPECT_EQ(note->GetLinkOut(0), link);
  EXPECT_EQ(other->GetLinkIn(0), link);
  EXPECT_EQ(leads->LinkCount(), 1);
}

// Sizes far outside any real sheet are refused, never wrapped around.
TEST_F(ProjectEditing, PlaceNoteRefusesBoxesBeyondTheIntegerRange) {
  sheet->SetWidth(-1);
  note->SetWidth(std::numeric_limits<std::int32_t>::max());
  EXPECT_THROW(c.PlaceNote(note, sheet, 10, 10), EIntOverflow);
  EXPECT_EQ(c.PositionCount(), 0);
}

}  // namespace
