#include "base/InvalidPointer.h"
#include "render/RenderFixture.h"
#include "render/SelDrawBot.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

using ::testing::ElementsAre;

namespace {

class SelDrawBotTest : public RenderFixture {
 protected:
  SelDrawBotTest() : bot(canvas) { bot.SetSheet(sheet); }
  TSelDrawBot bot;
};

TEST_F(SelDrawBotTest, TheBoxFollowsThePointerAtTheGrabOffset) {
  TNoteItem* first = Place("1", 10, 20, 100, 50);
  TNoteItem* second = Place("2", 200, 40, 80, 60);
  bot.Begin({first, second}, 50, 30);
  EXPECT_EQ(bot.BoxWidth(), 270);
  EXPECT_EQ(bot.BoxHeight(), 80);
  EXPECT_EQ(bot.GrabX(), 40);
  EXPECT_EQ(bot.GrabY(), 10);
  bot.SetBoxLeft(100);
  bot.SetBoxTop(100);
  bot.Draw();
  EXPECT_THAT(target.Calls,
              ElementsAre("Rectangle(60,90,330,170) pen(FFFFFF 1 solid xor) brush(hollow)",
                          "Rectangle(10,20,280,100) pen(FFFFFF 1 solid xor) brush(hollow)"));
  EXPECT_EQ(bot.LastX(), 100);
  EXPECT_EQ(bot.LastY(), 100);
  EXPECT_EQ(target.Pen().Mode, kPenModeCopy);
}

TEST_F(SelDrawBotTest, DrawAtLastTogglesTheBoxWhereItWasLastDrawn) {
  TNoteItem* note = Place("1", 10, 20, 100, 50);
  bot.Begin({note}, 10, 20);
  bot.DrawAtLast();
  bot.DrawAtLast();
  EXPECT_THAT(target.Calls,
              ElementsAre("Rectangle(10,20,110,70) pen(FFFFFF 1 solid xor) brush(hollow)",
                          "Rectangle(10,20,110,70) pen(FFFFFF 1 solid xor) brush(hollow)"));
}

TEST_F(SelDrawBotTest, DrawingWithoutNotesOrSheetThrows) {
  try {
    bot.Draw();
    ADD_FAILURE() << "no error";
  } catch (const EInvalidPointer& error) {
    EXPECT_STREQ(error.what(), "TSelDrawBot: Members not initialized...");
  }
  TNoteItem* unassigned = projecttest::NewNote(project, "Nowhere");
  EXPECT_THROW(bot.Begin({unassigned}, 0, 0), EInvalidPointer);
}

}  // namespace
