#include "model/LinkItem.h"
#include "model/PosItem.h"
#include "render/QOZSpline.h"
#include "render/RenderFixture.h"
#include "render/SheetView.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <string>
#include <vector>

using ::testing::ElementsAre;
using ::testing::IsEmpty;

namespace {

class SheetViewTest : public RenderFixture {
 protected:
  SheetViewTest() : view(project, sheet, canvas) {}

  // The first call of each drawn item: a note's box, a link's MoveTo, a text.
  std::vector<std::string> Draw() {
    target.Calls.clear();
    view.DrawSheet();
    return target.Calls;
  }

  std::vector<std::string> Texts() {
    Draw();
    std::vector<std::string> texts;
    for (const std::string& call : target.CallsOf("TextOut")) {
      const std::size_t open = call.find('"');
      texts.push_back(call.substr(open + 1, call.find('"', open + 1) - open - 1));
    }
    return texts;
  }

  TLinkItem* Link(TNoteItem* from, TNoteItem* to, TSheetItem* on) {
    if (!relation) relation = Relation("leads to");
    return projecttest::NewLink(project, from, to, on, relation);
  }

  TSheetView view;
  TRelationItem* relation = nullptr;
};

TEST_F(SheetViewTest, DrawsLinksUnderNotesAndTheSelectedLinkOverEverything) {
  TNoteItem* a = Place("A", 0, 0);
  TNoteItem* b = Place("B", 300, 0);
  TNoteItem* c = Place("C", 0, 300);
  TLinkItem* ab = Link(a, b, sheet);
  Link(a, c, sheet);
  EXPECT_THAT(Texts(), ElementsAre("leads to", "leads to", "A <2>", "B <1>", "C <1>"));
  view.SelectLink(ab);
  const std::vector<std::string> texts = Texts();
  EXPECT_EQ(texts.back(), "leads to");
  EXPECT_EQ(target.CallsOf("FillRect").size(), 2u);  // the handles, after the notes
  view.SetNotesUnderLinks(true);
  view.SetNotesOverLinks(false);
  EXPECT_THAT(Texts(), ElementsAre("A <2>", "B <1>", "C <1>", "leads to", "leads to"));
}

TEST_F(SheetViewTest, AnAssignedButUnplacedNoteIsInvisibleEverywhere) {
  TNoteItem* placed = Place("P", 0, 0);
  TNoteItem* unplaced = Place("U", -1, -1);
  Link(placed, unplaced, sheet);
  EXPECT_THAT(Texts(), ElementsAre("P <1>"));
  EXPECT_EQ(view.NoteAt(0, 0), placed);
  view.SelectInRect(-5, -5, 900, 900);
  EXPECT_THAT(view.SelectedNotes(), ElementsAre(placed));
}

TEST_F(SheetViewTest, LinksOfOtherSheetsAreStarredOrHiddenButAlwaysFound) {
  TSheetItem* other = projecttest::NewSheet(project, "Other");
  TNoteItem* a = Place("A", 0, 0);
  TNoteItem* b = Place("B", 300, 0);
  TLinkItem* foreign = Link(a, b, other);
  foreign->SetLineStyle(1);
  EXPECT_THAT(Texts(), ElementsAre("* leads to", "A <1>", "B <1>"));
  view.SetShowAllRelations(false);
  EXPECT_THAT(Texts(), ElementsAre("A <1>", "B <1>"));
  EXPECT_EQ(view.LinkAt(200, 26), foreign);  // centres (40, 25) and (340, 25)
  EXPECT_EQ(view.LinkAt(200, 40), nullptr);
}

TEST_F(SheetViewTest, OverlappingNotesDrawTheLaterOnTopAndFindTheEarlier) {
  TNoteItem* under = Place("Under", 0, 0);
  Place("Over", 40, 20);
  EXPECT_THAT(Texts(), ElementsAre("Under <0>", "Over <0>"));
  EXPECT_EQ(view.NoteAt(50, 30), under);
  EXPECT_EQ(view.NoteAt(119, 69)->Title(), "Over");
  EXPECT_EQ(view.NoteAt(120, 69), nullptr);  // right edge excluded
}

TEST_F(SheetViewTest, HitTestsConvertDevicePointsWithTheZoomOnly) {
  TNoteItem* note = Place("N", 100, 100);
  canvas.SetZoom(200);
  canvas.SetOriginX(-1000);  // the origin plays no part
  EXPECT_EQ(view.NoteAt(200, 200), note);
  EXPECT_EQ(view.NoteAt(199, 200), note);  // 99.5 rounds to even, 100
  EXPECT_EQ(view.NoteAt(197, 200), nullptr);
  EXPECT_EQ(view.CornerAt(212, 212), 0);
}

TEST_F(SheetViewTest, SelectInRectTakesCornersInAnyOrderAndExcludesTheFarEdges) {
  TNoteItem* inside = Place("In", 10, 10);
  Place("OnRight", 100, 10);
  Place("OnBottom", 10, 100);
  const std::int32_t corners[][4] = {{0, 0, 100, 100}, {100, 100, 0, 0}, {100, 0, 0, 100}};
  for (const auto& c : corners) {
    view.ClearSelection();
    view.SelectInRect(c[0], c[1], c[2], c[3]);
    EXPECT_THAT(view.SelectedNotes(), ElementsAre(inside));
  }
  view.SelectInRect(0, 0, 101, 101);  // adds to the selection
  EXPECT_EQ(view.SelectedNotes().size(), 3u);
  EXPECT_EQ(view.SelectedNotes().front(), inside);
}

TEST_F(SheetViewTest, ASelectedPositionDeletedElsewhereLeavesTheSelection) {
  TNoteItem* kept = Place("Kept", 0, 0);
  TNoteItem* gone = Place("Gone", 200, 0);
  view.SelectNote(kept);
  view.SelectNote(gone);
  view.SelectNote(gone);
  EXPECT_EQ(view.Selection().size(), 2u);
  gone->LastPositionOn(sheet)->Delete();
  Draw();
  EXPECT_THAT(view.SelectedNotes(), ElementsAre(kept));
  EXPECT_TRUE(view.IsSelected(kept));
  EXPECT_FALSE(view.IsSelected(gone));
  // The selected note carries the hatch and the corner squares.
  EXPECT_EQ(target.CallsOf("Rectangle").size(), 1u + 5);
}

TEST_F(SheetViewTest, CornersAreCaughtFromInsideWithinSixUnits) {
  Place("N", 100, 100, 80, 50);
  struct TCase {
    std::int32_t X, Y, Corner;
  };
  const TCase cases[] = {{100, 100, 0}, {106, 106, 0}, {107, 106, 4}, {179, 100, 1},
                         {174, 149, 3}, {100, 144, 2}, {140, 125, 4}, {99, 100, 4}};
  for (const TCase& c : cases) {
    EXPECT_EQ(view.CornerAt(c.X, c.Y), c.Corner) << c.X << "," << c.Y;
  }
}

TEST_F(SheetViewTest, LinkHandlesAreOnlyThoseOfAVisibleSelectedLink) {
  TNoteItem* a = Place("A", 0, 0, 80, 40);
  TNoteItem* b = Place("B", 400, 0, 80, 40);
  TLinkItem* link = Link(a, b, sheet);  // handles at (40 - 13, 20 - 14) and (440 + 11, 20 + 12)
  link->SetLineStyle(0);
  EXPECT_EQ(view.LinkHandleAt(27, 6), TQOZSpline::kNoHandle);
  view.SelectLink(link);
  EXPECT_EQ(view.LinkHandleAt(27, 6), TQOZSpline::kFromHandle);
  EXPECT_EQ(view.LinkHandleAt(451, 32), TQOZSpline::kToHandle);
  b->LastPositionOn(sheet)->SetX(-1);
  EXPECT_EQ(view.LinkHandleAt(27, 6), TQOZSpline::kNoHandle);
}

TEST_F(SheetViewTest, BoundsCoverEveryAssignedNoteAndAreEmptyWithoutOne) {
  EXPECT_TRUE(view.GetBounds().IsEmpty());
  Place("A", 50, 60, 100, 40);
  Place("B", 300, 20, 80, 50);
  EXPECT_EQ(view.GetBounds(), (TRect{50, 20, 380, 100}));
}

TEST_F(SheetViewTest, AggregationLinksRunToTheNoteStandingForTheOtherSheet) {
  TSheetItem* inner = projecttest::NewSheet(project, "Inner");
  TNoteItem* shown = Place("Shown", 0, 0);
  TNoteItem* hidden = projecttest::NewNote(project, "Hidden");
  projecttest::NewPosition(project, hidden, inner, 10, 10);
  TNoteItem* aggregation = projecttest::NewAggregationNote(project, inner);
  projecttest::NewPosition(project, aggregation, sheet, 400, 0);
  Link(hidden, shown, inner);
  EXPECT_THAT(Texts(), ElementsAre("* leads to", "Shown <1>", "Inner <0>"));
  EXPECT_EQ(target.CallsOf("LineTo").size(), 149u);
  EXPECT_EQ(target.CallsOf("LineTo").back(), "LineTo(40,25) pen(000000 1 solid copy)");
  view.SetShowAllRelations(false);
  EXPECT_THAT(Texts(), ElementsAre("Shown <1>", "Inner <0>"));
}

// What lies wholly outside the target is skipped; what can reach into it is
// not, even a title overflowing from a note left of the visible area.
TEST_F(SheetViewTest, OnlyWhatCanShowOnTheTargetIsDrawn) {
  const std::string longWord(40, 'x');  // 240 pixels from x = 3
  Place("Seen", 300, 100);
  Place("Far", 900, 900);
  Place("Left " + longWord, 0, 300, 20, 50);
  Place("Left short", 0, 500, 20, 50);
  target.Visible = {200, 0, 600, 600};
  EXPECT_THAT(Texts(), ElementsAre("Seen <0>", "Left ", longWord + " ", "<0> "));
  target.Visible = {0, 0, 100000, 100000};
  EXPECT_EQ(Texts().size(), 1u + 1 + 3 + 3);
}

}  // namespace
