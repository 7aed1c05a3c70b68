#include "base/InvalidPointer.h"
#include "model/LinkItem.h"
#include "render/AggSpline.h"
#include "render/BSpline.h"
#include "render/QOZSpline.h"
#include "render/RenderFixture.h"
#include "support/TestSupport.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <string>
#include <vector>

using ::testing::ElementsAre;

namespace {

std::string Slots(const TBSpline& spline) {
  std::string text;
  for (std::int32_t i = 1; i <= spline.VertexCount(); ++i) {
    const TVertex v = spline.Vertex(i);
    text += "(" + std::to_string(static_cast<int>(v.X)) + "," +
            std::to_string(static_cast<int>(v.Y)) + ")";
  }
  return text;
}

TEST(BSpline, PassesThroughItsEndsAndTheMiddleOfAnEvenRow) {
  TBSpline spline;
  for (float x : {0.f, 10.f, 20.f, 30.f}) spline.AddVertex(x, 0, 0);
  EXPECT_NEAR(spline.Evaluate(0).X, 0, 1e-4);
  EXPECT_NEAR(spline.Evaluate(1).X, 30, 1e-4);
  EXPECT_NEAR(spline.Evaluate(0.5f).X, 15, 1e-4);
  EXPECT_FLOAT_EQ(spline.Evaluate(0.5f).Y, 0);
  // The phantom ends mirror the second and the last but one vertex.
  EXPECT_FLOAT_EQ(spline.Vertex(0).X, -10);
  EXPECT_FLOAT_EQ(spline.Vertex(5).X, 40);
}

TEST(BSpline, AHundredAndFirstVertexIsRefusedWithOneMessage) {
  qoztest::TMessageRecorder messages;
  TBSpline spline;
  for (int i = 0; i < 101; ++i) spline.AddVertex(static_cast<float>(i), 0, 0);
  EXPECT_EQ(spline.VertexCount(), 100);
  EXPECT_THAT(messages.Texts, ElementsAre("Maximum number of vertices reached..."));
  EXPECT_FLOAT_EQ(spline.Vertex(100).X, 99);
}

class LinkCurveTest : public RenderFixture {
 protected:
  LinkCurveTest() {
    a = Place("A", 100, 100, 75, 40);
    b = Place("B", 300, 200, 73, 40);
    link = projecttest::NewLink(project, a, b, sheet, Relation());
    link->SetCtrl1X(20);
    link->SetCtrl1Y(30);
    link->SetCtrl2X(-10);
    link->SetCtrl2Y(-5);
    link->SetLineStyle(0);
  }
  TNoteItem* a = nullptr;
  TNoteItem* b = nullptr;
  TLinkItem* link = nullptr;
};

TEST_F(LinkCurveTest, BuildsCentresAndHandlesInBothLineStyles) {
  TQOZSpline spline;
  spline.BuildForLink(link, sheet);
  EXPECT_EQ(Slots(spline), "(138,120)(128,115)(356,250)(336,220)");
  for (std::int32_t style : {1, 7}) {  // anything but 0 is drawn straight
    link->SetLineStyle(style);
    spline.BuildForLink(link, sheet);
    EXPECT_EQ(Slots(spline), "(138,120)(139,121)(337,221)(336,220)") << style;
  }
}

TEST_F(LinkCurveTest, HandleSquaresHoldPointsStrictlyAndTheToHandleWins) {
  TQOZSpline spline;
  spline.BuildForLink(link, sheet);
  EXPECT_EQ(spline.HandleRect(TQOZSpline::kToHandle), (TRect{352, 246, 360, 254}));
  EXPECT_EQ(spline.HandleRect(TQOZSpline::kFromHandle), (TRect{124, 111, 132, 119}));
  EXPECT_EQ(spline.HandleAt(356, 250), TQOZSpline::kToHandle);
  EXPECT_EQ(spline.HandleAt(131, 118), TQOZSpline::kFromHandle);
  EXPECT_EQ(spline.HandleAt(360, 250), TQOZSpline::kNoHandle);  // on the square's edge
  EXPECT_EQ(spline.HandleAt(124, 115), TQOZSpline::kNoHandle);
  try {
    spline.HandleRect(2);
    ADD_FAILURE() << "no error";
  } catch (const EInvalidPointer& error) {
    EXPECT_STREQ(error.what(), "TQOZSpline: No Valid Option...");
  }
  // Overlapping squares: a straight link's handles sit one unit off the centres.
  TNoteItem* c = Place("C", 600, 600, 20, 20);
  TNoteItem* d = Place("D", 601, 601, 20, 20);
  TLinkItem* tight = projecttest::NewLink(project, c, d, sheet, link->Relation());
  tight->SetLineStyle(1);
  spline.BuildForLink(tight, sheet);
  EXPECT_EQ(spline.HandleAt(611, 611), TQOZSpline::kToHandle);
}

TEST_F(LinkCurveTest, HitCurveUsesAStrictToleranceSquareAroundTheSamples) {
  link->SetLineStyle(1);
  TQOZSpline spline;
  spline.BuildForLink(link, sheet);
  EXPECT_TRUE(spline.HitCurve(138, 120, 3));
  EXPECT_TRUE(spline.HitCurve(237, 172, 3));
  EXPECT_FALSE(spline.HitCurve(237, 140, 3));
  EXPECT_FALSE(spline.HitCurve(141, 120, 1));
  // The last sample is taken before t reaches 1, so the target centre itself
  // is only hit within the tolerance of the samples next to it.
  EXPECT_TRUE(spline.HitCurve(336, 220, 3));
  EXPECT_FALSE(spline.HitCurve(5000, 5000, 3));
}

// The samples of a long curve lie farther apart than the tolerance, most of
// all in its middle: a point on the line drawn between two of them is hit
// too, so that a click on what the user sees finds the link.
TEST_F(LinkCurveTest, HitCurveFindsEveryPointOfTheDrawnLineBetweenItsSamples) {
  TNoteItem* from = Place("From", 100, 400, 200, 100);  // centre (200, 450)
  TNoteItem* to = Place("To", 700, 520, 200, 100);      // centre (800, 570)
  TLinkItem* straight = projecttest::NewLink(project, from, to, sheet, link->Relation());
  straight->SetLineStyle(1);
  TQOZSpline spline;
  spline.BuildForLink(straight, sheet);
  for (std::int32_t x = 201; x < 800; ++x) {
    const std::int32_t y = 450 + (x - 200) / 5;  // the line's slope is 120 / 600
    EXPECT_TRUE(spline.HitCurve(x, y, 3)) << "x " << x;
  }
  EXPECT_FALSE(spline.HitCurve(500, 510 + 4, 3)) << "four units off the line";
  EXPECT_FALSE(spline.HitCurve(500, 510 - 4, 3));
}

TEST_F(LinkCurveTest, AnAggregationCurveEndsAtTheNoteStandingForTheHiddenSheet) {
  TSheetItem* inner = projecttest::NewSheet(project, "Inner");
  TNoteItem* hidden = projecttest::NewNote(project, "Hidden");
  projecttest::NewPosition(project, hidden, inner, 10, 10);
  TNoteItem* aggregation = projecttest::NewAggregationNote(project, inner);
  projecttest::NewPosition(project, aggregation, sheet, 500, 500);  // 80 x 50
  TLinkItem* across = projecttest::NewLink(project, a, hidden, inner, link->Relation());
  across->SetLineStyle(1);
  TAggSpline spline;
  spline.BuildForAggregation(aggregation, across, sheet);
  EXPECT_EQ(Slots(spline), "(138,120)(139,121)(541,526)(540,525)");
  EXPECT_EQ(spline.AggregationNote(), aggregation);
}

}  // namespace
