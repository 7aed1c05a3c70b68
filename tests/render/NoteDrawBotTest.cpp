#include "base/IntOverflow.h"
#include "base/InvalidPointer.h"
#include "model/NoteItem.h"
#include "model/PosItem.h"
#include "render/NoteDrawBot.h"
#include "render/RenderFixture.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <functional>
#include <limits>
#include <string>
#include <vector>

using ::testing::ElementsAre;
using ::testing::IsEmpty;

namespace {

class NoteDrawBotTest : public RenderFixture {
 protected:
  NoteDrawBotTest() : bot(canvas) { bot.SetSheet(sheet); }

  std::vector<std::string> Draw(TNoteItem* note, bool selected = false) {
    target.Calls.clear();
    bot.SetNormalMode();
    bot.SetSelected(selected);
    bot.SetNote(note);
    bot.Draw();
    return target.Calls;
  }

  TNoteDrawBot bot;
};

TEST_F(NoteDrawBotTest, DrawsTheBoxThenTheCaptionThatFits) {
  TNoteItem* budget = Place("Budget", 100, 200, 150, 80);
  TNoteItem* other = Place("Other", 400, 400);
  TRelationItem* leads = Relation();
  projecttest::NewLink(project, other, budget, sheet, leads);
  projecttest::NewLink(project, other, budget, sheet, leads);
  projecttest::NewLink(project, budget, other, sheet, leads);
  budget->SetColor(0x00FF80);
  EXPECT_THAT(Draw(budget),
              ElementsAre("Rectangle(100,200,250,280) pen(000000 1 solid copy) brush(00FF80 solid)",
                          "TextOut(103,203) \"Budget <3>\" font(Arial -11) brush(hollow)"));
  // The surface is left with a solid brush in the note's colour, then the
  // text makes it clear.
  EXPECT_EQ(target.Brush().Color, 0x00FF80);
}

TEST_F(NoteDrawBotTest, ClipsEachDimensionAtTheSheetEdge) {
  TNoteItem* right = Place("R", 900, 100, 150, 80);
  TNoteItem* low = Place("L", 100, 950, 150, 80);
  EXPECT_EQ(Draw(right).front(),
            "Rectangle(900,100,1000,180) pen(000000 1 solid copy) brush(00FFFF solid)");
  EXPECT_EQ(Draw(low).front(),
            "Rectangle(100,950,250,1000) pen(000000 1 solid copy) brush(00FFFF solid)");
  // The selection marks lie inside the clipped box.
  const std::vector<std::string> marks = Draw(right, true);
  EXPECT_THAT(std::vector<std::string>(marks.end() - 5, marks.end()),
              ElementsAre("Rectangle(900,100,1000,180) pen(FFFFFF 1 dot copy) brush(000000 hatch)",
                          "Rectangle(900,100,907,107) pen(000000 1 solid copy) brush(000000 solid)",
                          "Rectangle(900,173,907,180) pen(000000 1 solid copy) brush(000000 solid)",
                          "Rectangle(993,100,1000,107) pen(000000 1 solid copy) brush(000000 solid)",
                          "Rectangle(993,173,1000,180) pen(000000 1 solid copy) brush(000000 solid)"));
}

TEST_F(NoteDrawBotTest, AggregationNoteGetsAShadowAndNeitherPictureNorLogo) {
  TSheetItem* inner = projecttest::NewSheet(project, "Inner");
  TNoteItem* aggregation = projecttest::NewAggregationNote(project, inner);
  aggregation->SetImageFile("pic.bmp");
  aggregation->SetLogoFile("logo.bmp");
  aggregation->SetColor(0xFFFFFF);
  target.Pictures = {"pic.bmp", "logo.bmp"};
  projecttest::NewPosition(project, aggregation, sheet, 10, 20);
  EXPECT_THAT(Draw(aggregation),
              ElementsAre("Rectangle(15,25,95,75) pen(000000 1 solid copy) brush(000000 solid)",
                          "Rectangle(10,20,90,70) pen(000000 1 solid copy) brush(FFFFFF solid)",
                          "TextOut(13,23) \"Inner <0>\" font(Arial -11) brush(hollow)"));
}

TEST_F(NoteDrawBotTest, PictureFillsTheBoxAndLogoTakesItsPlace) {
  TNoteItem* note = Place("P", 100, 100, 100, 100);
  note->SetImageFile("pic.png");
  note->SetLogoFile("logo.ico");
  note->SetLogoPos(4);
  target.Pictures = {"pic.png", "logo.ico"};
  const std::vector<std::string> calls = Draw(note);
  EXPECT_THAT(target.CallsOf("StretchDraw"),
              ElementsAre("StretchDraw(101,101,199,199) pic.png",
                          "StretchDraw(134,134,166,166) logo.ico"));
  EXPECT_EQ(calls.size(), 4u);
}

TEST_F(NoteDrawBotTest, LogoPlacesFollowTheRowsAndANarrowBoxShrinksTheSteps) {
  struct TCase {
    std::int32_t Place, Width, Height;
    const char* Call;
  };
  const TCase cases[] = {
      {0, 100, 100, "StretchDraw(101,101,133,133) logo"},
      {2, 100, 100, "StretchDraw(167,101,199,133) logo"},
      {8, 100, 100, "StretchDraw(167,167,199,199) logo"},
      {1, 40, 100, "StretchDraw(104,101,136,133) logo"},  // colStep (40 - 98) div 2 + 32 = 3
      {7, 40, 40, "StretchDraw(104,107,136,139) logo"},
  };
  target.Pictures = {"logo"};
  for (const TCase& c : cases) {
    TNoteItem* note = Place("L", 100, 100, c.Width, c.Height);
    note->SetLogoFile("logo");
    note->SetLogoPos(c.Place);
    Draw(note);
    EXPECT_THAT(target.CallsOf("StretchDraw"), ElementsAre(c.Call)) << c.Place;
    note->Delete();
  }
}

TEST_F(NoteDrawBotTest, MissingPicturesAreSkippedQuietly) {
  TNoteItem* note = Place("P", 10, 10);
  note->SetImageFile("gone.bmp");
  note->SetLogoFile("also-gone.bmp");
  EXPECT_THAT(Draw(note), ElementsAre(::testing::StartsWith("Rectangle"),
                                      ::testing::StartsWith("TextOut")));
}

// Six pixels per character, so "Alpha beta gamma <0>" (20 characters) is
// 120 wide; a box 80 wide leaves 72 for each line, and once the rest fits it
// is written whole as the last line.
TEST_F(NoteDrawBotTest, WrapsALongCaptionAtSpaces) {
  TNoteItem* note = Place("Alpha beta gamma", 0, 0, 80, 60);
  Draw(note);
  EXPECT_THAT(target.CallsOf("TextOut"),
              ElementsAre("TextOut(3,3) \"Alpha beta \" font(Arial -11) brush(hollow)",
                          "TextOut(3,16) \"gamma <0> \" font(Arial -11) brush(hollow)"));
}

TEST_F(NoteDrawBotTest, AWordWiderThanTheBoxStandsAloneAndALowBoxShowsOneLine) {
  TNoteItem* wide = Place("Extraordinarily wide", 0, 0, 60, 100);
  Draw(wide);
  EXPECT_THAT(target.CallsOf("TextOut"),
              ElementsAre("TextOut(3,3) \"Extraordinarily \" font(Arial -11) brush(hollow)",
                          "TextOut(3,16) \"wide \" font(Arial -11) brush(hollow)",
                          "TextOut(3,29) \"<0> \" font(Arial -11) brush(hollow)"));
  TNoteItem* low = Place("Alpha beta gamma", 0, 200, 80, 20);
  Draw(low);
  EXPECT_THAT(target.CallsOf("TextOut"),
              ElementsAre("TextOut(3,203) \"Alpha beta \" font(Arial -11) brush(hollow)"));
}

// The bot keeps each title's lines from one drawing to the next; whatever
// the lines depend on must lay the title out afresh, as a new bot would.
TEST_F(NoteDrawBotTest, AChangedNoteOrViewLaysTheTitleOutAfresh) {
  TNoteItem* note = Place("Alpha beta gamma", 0, 0, 80, 60);
  TPosItem* position = note->LastPositionOn(sheet);
  const auto freshTitle = [&] {
    TNoteDrawBot fresh(canvas);
    fresh.SetSheet(sheet);
    fresh.SetNote(note);
    target.Calls.clear();
    fresh.Draw();
    return target.CallsOf("TextOut");
  };
  struct TChange {
    const char* Name;
    std::function<void()> Apply;
  };
  const TChange changes[] = {
      {"title", [&] { note->SetTitle("Alpha beta gamma delta epsilon"); }},
      {"zoom", [&] { canvas.SetZoom(250); }},
      {"surface font", [&] { target.Font().Height = -22; }},
      {"width", [&] { note->SetWidth(300); }},
      {"height", [&] { note->SetHeight(20); }},
      {"position", [&] { position->SetY(40); }},
  };
  Draw(note);
  for (const TChange& change : changes) {
    SCOPED_TRACE(change.Name);
    const std::vector<std::string> before = target.CallsOf("TextOut");
    change.Apply();
    Draw(note);
    const std::vector<std::string> drawn = target.CallsOf("TextOut");
    EXPECT_EQ(drawn, freshTitle());
    EXPECT_NE(drawn, before);
  }
}

TEST_F(NoteDrawBotTest, TheCaptionIsMeasuredAtTheZoomAndDrawnScaled) {
  canvas.SetZoom(200);
  TNoteItem* note = Place("Alpha beta gamma", 0, 0, 80, 60);
  Draw(note);
  // Measured in world units the text keeps its width, so it wraps as at
  // 100 %; the line height 13 goes to world 6.5 and rounds to even, 6.
  EXPECT_THAT(target.CallsOf("TextOut"),
              ElementsAre("TextOut(6,6) \"Alpha beta \" font(Arial -22) brush(hollow)",
                          "TextOut(6,30) \"gamma <0> \" font(Arial -22) brush(hollow)"));
}

TEST_F(NoteDrawBotTest, AnUnplacedNoteDrawsNothingAndMissingMembersThrow) {
  TNoteItem* unplaced = Place("U", -1, -1);
  EXPECT_THAT(Draw(unplaced), IsEmpty());
  TNoteItem* elsewhere = projecttest::NewNote(project, "E");
  const auto drawError = [&](TNoteItem* note) -> std::string {
    bot.SetNote(note);
    try {
      bot.Draw();
    } catch (const EInvalidPointer& error) {
      return error.what();
    }
    return "no error";
  };
  EXPECT_EQ(drawError(elsewhere), "TNoteDrawBot: No Position...");
  EXPECT_EQ(drawError(nullptr), "TNoteDrawBot: Members not initialized...");
}

TEST_F(NoteDrawBotTest, ABoxReachingPastTheIntegerRangeIsAnErrorNotAWrap) {
  sheet->SetWidth(std::numeric_limits<std::int32_t>::max());
  TNoteItem* note = Place("Edge", std::numeric_limits<std::int32_t>::max() - 40, 10);
  bot.SetNote(note);
  EXPECT_THROW(bot.Draw(), EIntOverflow);
  EXPECT_TRUE(target.Calls.empty());
}

TEST_F(NoteDrawBotTest, GhostModeDrawsTheOutlineAloneWithTheXorPen) {
  TNoteItem* note = Place("G", 10, 10);
  note->SetImageFile("pic");
  target.Pictures = {"pic"};
  bot.SetGhostMode();
  bot.SetNote(note);
  bot.Draw();
  EXPECT_THAT(target.Calls,
              ElementsAre("Rectangle(10,10,90,60) pen(000000 1 solid xor) brush(hollow)"));
}

}  // namespace
