#include "base/IntOverflow.h"
#include "render/RecordingCanvas.h"
#include "render/VCanvas.h"

#include <gtest/gtest.h>

#include <limits>

namespace {

struct TScaleCase {
  std::int32_t Zoom;
  std::int32_t Length;
  std::int32_t Scaled;
};

TEST(VCanvas, ScaledRoundsHalvesToEvenInExtendedPrecision) {
  // 25 at zoom 10 is 2.5000000000000001 in extended precision (0.1 is not
  // exact), so it rounds up; true halves round to even.
  const TScaleCase cases[] = {{150, 5, 8}, {150, 3, 4}, {150, 1, 2}, {100, 7, 7},
                              {50, 5, 2},  {50, 7, 4},  {10, 25, 3}, {10, -25, -3}};
  TRecordingCanvas target;
  TVCanvas canvas(target);
  for (const TScaleCase& c : cases) {
    canvas.SetZoom(c.Zoom);
    EXPECT_EQ(canvas.Scaled(c.Length), c.Scaled) << c.Length << " at " << c.Zoom;
  }
}

TEST(VCanvas, ConvertsWithTheOriginScaledAlongAndBackToWorld) {
  TRecordingCanvas target;
  TVCanvas canvas(target);
  EXPECT_EQ(canvas.XToDevice(123), 123);
  EXPECT_EQ(canvas.ToWorld(123), 123);
  canvas.SetZoom(150);
  EXPECT_EQ(canvas.ToWorld(3), 2);
  canvas.SetOriginX(-100);
  canvas.SetOriginY(10);
  EXPECT_EQ(canvas.XToDevice(300), 300);  // (300 - 100) * 1.5
  EXPECT_EQ(canvas.YToDevice(0), 15);
  canvas.SetZoom(0);
  EXPECT_EQ(canvas.ToWorld(17), 17);
}

TEST(VCanvas, ZoomStepsStopAtTheLimitsButSetZoomDoesNot) {
  TRecordingCanvas target;
  TVCanvas canvas(target);
  canvas.SetZoom(9995);
  canvas.ZoomIn();
  EXPECT_EQ(canvas.ZoomPercent(), 10000);
  canvas.SetZoom(15);
  canvas.ZoomOut();
  EXPECT_EQ(canvas.ZoomPercent(), 10);
  EXPECT_DOUBLE_EQ(canvas.Scale(), 0.1);
  canvas.SetZoom(5);
  EXPECT_EQ(canvas.ZoomPercent(), 5);
  EXPECT_DOUBLE_EQ(canvas.VPen().Scale(), 0.05);
}

TEST(VCanvas, PenWidthIsScaledAndAtLeastOnePixel) {
  const TScaleCase cases[] = {{50, 1, 1}, {150, 3, 4}, {50, 3, 2}, {300, 0, 1}, {10, 0, 1}};
  TRecordingCanvas target;
  TVCanvas canvas(target);
  for (const TScaleCase& c : cases) {
    canvas.SetZoom(c.Zoom);
    canvas.VPen().SetWidth(c.Length);
    EXPECT_EQ(target.Pen().Width, c.Scaled) << c.Length << " at " << c.Zoom;
  }
}

TEST(VCanvas, TextOutDrawsZoomedArialAndGivesTheSurfaceItsFontBack) {
  TRecordingCanvas target;
  TVCanvas canvas(target);
  canvas.SetZoom(150);
  canvas.TextOut(10, 20, "Budget");
  EXPECT_EQ(target.Calls.back(),
            "TextOut(15,30) \"Budget\" font(Arial -16) brush(hollow)");  // -16.5 to even
  EXPECT_EQ(target.Font(), TPlatformFont{});
  EXPECT_EQ(target.Brush().Style, kBrushStyleClear);  // the brush stays clear
}

TEST(VCanvas, PrintingKeepsTheTextAtItsNominalSize) {
  TRecordingCanvas target;
  target.Font().PixelsPerInch = 600;
  target.CharWidth = 60;  // 10 characters: 600 printer pixels wide
  TVCanvas canvas(target);
  canvas.SetPrinting(true);
  canvas.SetZoom(200);
  EXPECT_EQ(canvas.TextWidth("0123456789"), 48);  // 600 px -> 96 at 96 dpi -> 48 at 200 %
  canvas.TextOut(0, 0, "x");
  // -11 at 600 dpi is -1.76 at 96 dpi, whatever the zoom.
  EXPECT_EQ(target.Calls.back(), "TextOut(0,0) \"x\" font(Arial -2) brush(hollow)");
}

TEST(VCanvas, ACoordinateSumThatOverflowsThrows) {
  TRecordingCanvas target;
  TVCanvas canvas(target);
  canvas.SetOriginX(10);
  EXPECT_THROW(canvas.XToDevice(std::numeric_limits<std::int32_t>::max()), EIntOverflow);
  canvas.SetOriginX(0);
  canvas.SetZoom(10000);
  EXPECT_THROW(canvas.Rectangle(0, 0, 1 << 30, 10), EIntOverflow);
  EXPECT_TRUE(target.Calls.empty());
}

}  // namespace
