#include "base/InvalidPointer.h"
#include "model/LinkItem.h"
#include "model/NoteItem.h"
#include "model/PosItem.h"
#include "render/LinkDrawBot.h"
#include "render/RenderFixture.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

using ::testing::ElementsAre;
using ::testing::StartsWith;

namespace {

// Two notes side by side with a link whose handles sit on the centres: the
// curve runs straight along y = 20 from (40, 20) to (440, 20).
class LinkDrawBotTest : public RenderFixture {
 protected:
  LinkDrawBotTest() : bot(canvas) {
    a = Place("A", 0, 0, 80, 40);
    b = Place("B", 400, 0, 80, 40);
    link = projecttest::NewLink(project, a, b, sheet, Relation("leads to"));
    link->SetCtrl1X(0);
    link->SetCtrl1Y(0);
    link->SetCtrl2X(0);
    link->SetCtrl2Y(0);
    link->SetLineStyle(0);
  }

  std::vector<std::string> Draw(bool selected = false) {
    target.Calls.clear();
    bot.SetNormalMode();
    bot.SetSelected(selected);
    bot.Setup(link, sheet);
    bot.Draw();
    return target.Calls;
  }

  TLinkDrawBot bot;
  TNoteItem* a = nullptr;
  TNoteItem* b = nullptr;
  TLinkItem* link = nullptr;
};

TEST_F(LinkDrawBotTest, DrawsOnePolylineOf149SegmentsThenTheStartMarkAndTheLabel) {
  link->SetColor(0x0000FF);
  const std::vector<std::string> calls = Draw();
  ASSERT_EQ(calls.size(), 152u);
  EXPECT_THAT(calls[0], StartsWith("MoveTo("));
  EXPECT_EQ(target.CallsOf("LineTo").size(), 149u);
  EXPECT_EQ(calls[149], "LineTo(440,20) pen(0000FF 1 solid copy)");
  // The circle stands where the curve first leaves the source box (x >= 80).
  EXPECT_THAT(calls[150], StartsWith("Ellipse("));
  EXPECT_THAT(calls[150], ::testing::HasSubstr(" pen(000000 1 solid copy) brush(hollow)"));
  EXPECT_EQ(calls[151], "TextOut(216,14) \"leads to\" font(Arial -11) brush(hollow)");
}

// The bot keeps what it worked out for an unchanged curve; a new zoom or
// origin, or a source box that grows about the same centre (the curve stays
// put, the circle moves), must draw what a new bot draws.
TEST_F(LinkDrawBotTest, AKeptCurveFollowsTheViewAndTheSourceBox) {
  TPosItem* position = a->LastPositionOn(sheet);
  const auto freshDrawing = [&] {
    TLinkDrawBot fresh(canvas);
    fresh.Setup(link, sheet);
    target.Calls.clear();
    fresh.Draw();
    return target.Calls;
  };
  struct TChange {
    const char* Name;
    std::function<void()> Apply;
  };
  const TChange changes[] = {
      {"wider source box",
       [&] {
         position->SetX(-20);
         a->SetWidth(120);
       }},
      {"zoom", [&] { canvas.SetZoom(50); }},
      {"origin", [&] { canvas.SetOriginX(30); }},
  };
  Draw();
  for (const TChange& change : changes) {
    SCOPED_TRACE(change.Name);
    const std::vector<std::string> before = target.Calls;
    change.Apply();
    const std::vector<std::string> drawn = Draw();
    EXPECT_EQ(drawn, freshDrawing());
    EXPECT_NE(drawn, before);
  }
}

TEST_F(LinkDrawBotTest, TheStartCircleSitsOnTheSourceBoxEdge) {
  Draw();
  const std::string ellipse = target.CallsOf("Ellipse").at(0);
  int left = 0, top = 0, right = 0, bottom = 0;
  ASSERT_EQ(std::sscanf(ellipse.c_str(), "Ellipse(%d,%d,%d,%d)", &left, &top, &right, &bottom), 4);
  EXPECT_EQ(right - left, 8);
  EXPECT_EQ(bottom - top, 8);
  EXPECT_EQ(top, 16);
  EXPECT_GE(left + 4, 80);  // just outside the box, within one step of 0.01
  EXPECT_LE(left + 4, 84);
}

TEST_F(LinkDrawBotTest, ALinkOfAnotherSheetIsLabelledWithAStar) {
  TSheetItem* other = projecttest::NewSheet(project, "Other");
  TLinkItem* foreign = projecttest::NewLink(project, a, b, other, link->Relation());
  foreign->SetCtrl1X(0);
  foreign->SetCtrl1Y(0);
  foreign->SetCtrl2X(0);
  foreign->SetCtrl2Y(0);
  foreign->SetLineStyle(0);
  link = foreign;
  Draw();
  // Centred on the name alone; the prefix stands to its left.
  EXPECT_THAT(target.CallsOf("TextOut"),
              ElementsAre("TextOut(216,14) \"* leads to\" font(Arial -11) brush(hollow)"));
}

TEST_F(LinkDrawBotTest, PenWidthFollowsTheZoom) {
  canvas.SetZoom(50);
  link->SetWidth(3);
  Draw();
  EXPECT_THAT(target.CallsOf("LineTo").back(), ::testing::EndsWith("pen(000000 2 solid copy)"));
  link->SetWidth(1);
  Draw();
  EXPECT_THAT(target.CallsOf("LineTo").back(), ::testing::EndsWith("pen(000000 1 solid copy)"));
}

TEST_F(LinkDrawBotTest, ASelectedLinkShowsBothHandlesJoinedToTheCentres) {
  link->SetCtrl1X(-30);
  link->SetCtrl1Y(40);
  link->SetCtrl2X(50);
  link->SetCtrl2Y(60);
  const std::vector<std::string> calls = Draw(true);
  const std::vector<std::string> handles(calls.begin() + 150, calls.begin() + 156);
  EXPECT_THAT(handles, ElementsAre("FillRect(86,76,94,84) brush(000000 solid)",
                                   "MoveTo(90,80)", "LineTo(40,20) pen(000000 1 solid copy)",
                                   "FillRect(406,56,414,64) brush(000000 solid)",
                                   "MoveTo(410,60)", "LineTo(440,20) pen(000000 1 solid copy)"));
}

TEST_F(LinkDrawBotTest, GhostModeDrawsTheCurveAloneInWhiteXor) {
  bot.SetGhostMode();
  bot.Setup(link, sheet);
  bot.Draw();
  EXPECT_EQ(target.Calls.size(), 150u);
  EXPECT_EQ(target.CallsOf("LineTo").back(), "LineTo(440,20) pen(FFFFFF 1 solid xor)");
  // The sheet window's rubber band: normal mode with the ghost pen and no label.
  target.Calls.clear();
  bot.SetNormalMode();
  bot.SetGhost(true);
  bot.SetDrawLabel(false);
  bot.Draw();
  EXPECT_EQ(target.CallsOf("LineTo").size(), 149u);
  EXPECT_TRUE(target.CallsOf("TextOut").empty());
}

TEST_F(LinkDrawBotTest, DrawingWithoutALinkThrows) {
  TLinkDrawBot fresh(canvas);
  try {
    fresh.Draw();
    ADD_FAILURE() << "no error";
  } catch (const EInvalidPointer& error) {
    EXPECT_STREQ(error.what(), "TLinkDrawBot: Member not initialized...");
  }
}

}  // namespace
