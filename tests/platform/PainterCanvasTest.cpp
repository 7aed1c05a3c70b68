#include "model/DataStructures.h"
#include "platform/PainterCanvas.h"
#include "render/CanvasState.h"
#include "render/Rect.h"
#include "tests/platform/CanvasTestSupport.h"

#include <QImage>
#include <QPicture>
#include <QRect>

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <cstdlib>
#include <functional>
#include <iterator>
#include <string>
#include <vector>

namespace {

using qoztest::Drawn;
using qoztest::Filled;
using qoztest::kBlack;
using qoztest::kBlackRgb;
using qoztest::kBlue;
using qoztest::kBlueRgb;
using qoztest::kOrange;
using qoztest::kOrangeRgb;
using qoztest::kRed;
using qoztest::kRedRgb;
using qoztest::kWhiteRgb;
using qoztest::Patterned;
using qoztest::Xored;

void SetPen(TPlatformCanvas& canvas, std::int32_t color, std::int32_t width = 1,
            std::int32_t style = kPenStyleSolid, std::int32_t mode = kPenModeCopy) {
  canvas.Pen() = TPlatformPen{color, width, style, mode};
}

void SetBrush(TPlatformCanvas& canvas, std::int32_t color, std::int32_t style = kBrushStyleSolid) {
  canvas.Brush() = TPlatformBrush{color, style};
}

std::vector<QPoint> PixelsOf(const QImage& image, QRgb colour) {
  std::vector<QPoint> found;
  for (int y = 0; y < image.height(); ++y) {
    for (int x = 0; x < image.width(); ++x) {
      if (image.pixel(x, y) == colour) found.emplace_back(x, y);
    }
  }
  return found;
}

// ---- Rectangle and FillRect ----------------------------------------------

struct TRectangleCase {
  const char* Name;
  TRect Area;
  std::int32_t PenColor;
  std::int32_t PenWidth;
  TPlatformBrush Brush;
};

// A pixel of l..r-1 x t..b-1 is outline when it lies within the pen's width
// of the area's edge, inside otherwise.
TEST(PainterCanvasRectangle, CoversItsAreaWithOutlineAndInside) {
  constexpr int kWidth = 30;
  constexpr int kHeight = 24;
  const TPlatformBrush blue{kBlue, kBrushStyleSolid};
  const TRectangleCase cases[] = {
      {"plain", {2, 3, 14, 11}, kRed, 1, blue},
      {"three by three", {5, 5, 8, 8}, kRed, 1, blue},
      {"two wide", {5, 2, 7, 12}, kRed, 1, blue},
      {"one high", {3, 9, 20, 10}, kRed, 1, blue},
      {"one pixel", {4, 4, 5, 5}, kRed, 1, blue},
      {"width zero is one", {2, 3, 14, 11}, kRed, 0, blue},
      {"wide pen", {2, 2, 22, 17}, kRed, 3, blue},
      {"wide pen fills a narrow area", {4, 4, 10, 20}, kRed, 3, blue},
      {"no pen", {2, 3, 14, 11}, kNoColor, 1, blue},
      {"clear brush", {2, 3, 14, 11}, kRed, 1, {kBlue, kBrushStyleClear}},
      {"no brush colour", {2, 3, 14, 11}, kRed, 1, {kNoColor, kBrushStyleSolid}},
      {"beyond the top left", {-5, -3, 10, 8}, kRed, 1, blue},
      {"beyond the bottom right", {20, 15, 40, 30}, kRed, 2, blue},
      {"around the whole device",
       {-2000000000, -2000000000, 2000000000, 2000000000},
       kRed,
       1,
       blue},
      {"empty", {10, 10, 10, 20}, kRed, 1, blue},
  };
  for (const TRectangleCase& c : cases) {
    SCOPED_TRACE(c.Name);
    const QImage image = Drawn(Filled(kWidth, kHeight), [&](TPainterCanvas& canvas) {
      SetPen(canvas, c.PenColor, c.PenWidth);
      canvas.Brush() = c.Brush;
      canvas.Rectangle(c.Area.Left, c.Area.Top, c.Area.Right, c.Area.Bottom);
    });
    const std::int64_t band = c.PenColor == kNoColor ? 0 : std::max(1, c.PenWidth);
    const bool fills = c.Brush.Color != kNoColor && c.Brush.Style != kBrushStyleClear;
    int wrong = 0;
    for (int y = 0; y < kHeight; ++y) {
      for (int x = 0; x < kWidth; ++x) {
        const TRect& a = c.Area;
        const bool inArea = x >= a.Left && x < a.Right && y >= a.Top && y < a.Bottom;
        const bool outline = inArea && (x < a.Left + band || x >= a.Right - band ||
                                        y < a.Top + band || y >= a.Bottom - band);
        const QRgb expected = outline ? kRedRgb : (inArea && fills ? kBlueRgb : kWhiteRgb);
        if (image.pixel(x, y) != expected && ++wrong <= 5) {
          ADD_FAILURE() << "pixel " << x << "," << y << " is " << std::hex << image.pixel(x, y)
                        << ", expected " << expected;
        }
      }
    }
    EXPECT_EQ(wrong, 0);
  }
}

struct TFillCase {
  const char* Name;
  TRect Area;
  TPlatformBrush Brush;
  std::int32_t PenMode;
  bool Fills;
};

TEST(PainterCanvasFillRect, FillsItsAreaWithTheBrushOnly) {
  const TFillCase cases[] = {
      {"solid", {3, 4, 17, 9}, {kOrange, kBrushStyleSolid}, kPenModeCopy, true},
      {"copies under the xor pen", {3, 4, 17, 9}, {kOrange, kBrushStyleSolid}, kPenModeXor, true},
      {"clear", {3, 4, 17, 9}, {kOrange, kBrushStyleClear}, kPenModeCopy, false},
      {"no colour", {3, 4, 17, 9}, {kNoColor, kBrushStyleSolid}, kPenModeCopy, false},
      {"empty", {3, 9, 17, 9}, {kOrange, kBrushStyleSolid}, kPenModeCopy, false},
      {"reversed", {17, 4, 3, 9}, {kOrange, kBrushStyleSolid}, kPenModeCopy, false},
  };
  for (const TFillCase& c : cases) {
    SCOPED_TRACE(c.Name);
    const QImage image = Drawn(Filled(20, 12), [&](TPainterCanvas& canvas) {
      SetPen(canvas, kRed, 1, kPenStyleSolid, c.PenMode);
      canvas.Brush() = c.Brush;
      canvas.FillRect(c.Area);
    });
    const auto filled = PixelsOf(image, kOrangeRgb);
    if (!c.Fills) {
      EXPECT_EQ(image, Filled(20, 12));
      continue;
    }
    ASSERT_EQ(filled.size(), std::size_t{14 * 5});
    for (const QPoint& p : filled) {
      EXPECT_TRUE(p.x() >= 3 && p.x() < 17 && p.y() >= 4 && p.y() < 9) << p.x() << "," << p.y();
    }
  }
}

// Lines running up to the right, one pixel in eight: the "/" hatch.
TEST(PainterCanvasFillRect, DiagonalHatchRunsFromBottomLeftToTopRight) {
  const TRect area{4, 3, 36, 27};
  const QImage image = Drawn(Filled(40, 30), [&](TPainterCanvas& canvas) {
    SetPen(canvas, kNoColor);
    SetBrush(canvas, kBlack, kBrushStyleBDiagonal);
    canvas.Rectangle(area.Left, area.Top, area.Right, area.Bottom);
  });
  int black = 0;
  int white = 0;
  for (int y = 0; y < image.height(); ++y) {
    for (int x = 0; x < image.width(); ++x) {
      const bool inside = x >= area.Left && x < area.Right && y >= area.Top && y < area.Bottom;
      const QRgb pixel = image.pixel(x, y);
      if (!inside) {
        ASSERT_EQ(pixel, kWhiteRgb) << x << "," << y;
        continue;
      }
      ASSERT_TRUE(pixel == kBlackRgb || pixel == kWhiteRgb) << x << "," << y;
      if (pixel == kWhiteRgb) {
        ++white;
        continue;
      }
      ++black;
      // Beyond the area anything may follow.
      const auto at = [&](int px, int py, QRgb beyond) {
        return px >= area.Left && px < area.Right && py >= area.Top && py < area.Bottom
                   ? image.pixel(px, py)
                   : beyond;
      };
      EXPECT_EQ(at(x + 1, y - 1, kBlackRgb), kBlackRgb) << "no / through " << x << "," << y;
      EXPECT_EQ(at(x - 1, y + 1, kBlackRgb), kBlackRgb) << "no / through " << x << "," << y;
      EXPECT_EQ(at(x + 1, y + 1, kWhiteRgb), kWhiteRgb) << "a \\ through " << x << "," << y;
      EXPECT_EQ(at(x + 1, y, kWhiteRgb), kWhiteRgb) << "a thick line at " << x << "," << y;
    }
  }
  // One line in each eight diagonals.
  EXPECT_EQ(black * 8, black + white);
}

// ---- Lines ---------------------------------------------------------------

// Every direction: one pixel per step along the longer axis, from the start
// pixel up to but not including the end pixel, each within half a pixel of
// the exact line.
TEST(PainterCanvasLines, StopBeforeTheEndPoint) {
  const QPoint from(20, 20);
  const QPoint deltas[] = {{9, 0},  {-9, 0},  {0, 7}, {0, -7}, {6, 6},   {-6, 6},
                           {6, -6}, {-6, -6}, {9, 2}, {-9, 3}, {2, 9},   {-3, -9},
                           {9, -4}, {-4, 9},  {1, 0}, {0, -1}, {13, 12}, {-12, -13}};
  for (const QPoint& d : deltas) {
    SCOPED_TRACE(::testing::Message() << "to +" << d.x() << "," << d.y());
    const QPoint to = from + d;
    const QImage image = Drawn(Filled(40, 40), [&](TPainterCanvas& canvas) {
      SetPen(canvas, kRed);
      canvas.MoveTo(from.x(), from.y());
      canvas.LineTo(to.x(), to.y());
    });
    const auto drawn = PixelsOf(image, kRedRgb);
    const int steps = std::max(std::abs(d.x()), std::abs(d.y()));
    EXPECT_EQ(drawn.size(), static_cast<std::size_t>(steps));
    EXPECT_EQ(image.pixel(from), kRedRgb);
    EXPECT_EQ(image.pixel(to), kWhiteRgb);
    const bool xMajor = std::abs(d.x()) >= std::abs(d.y());
    for (const QPoint& p : drawn) {
      const double major = xMajor ? p.x() - from.x() : p.y() - from.y();
      const double minor = xMajor ? p.y() - from.y() : p.x() - from.x();
      const double slope = xMajor ? double(d.y()) / d.x() : double(d.x()) / d.y();
      EXPECT_LE(std::abs(minor - major * slope), 0.5) << p.x() << "," << p.y();
      EXPECT_LT(std::abs(major), steps);
    }
  }
}

// A segment wholly on the image and one leaving it take different ways
// through the rasteriser; the part that shows must be the same pixels. Each
// segment is drawn on a small image, where it runs off the edge, and moved
// by kShift onto a large one, where it lies wholly inside.
TEST(PainterCanvasLines, ASegmentLeavingTheImageShowsThePixelsItHasOnALargerOne) {
  constexpr int kSmall = 24;
  constexpr int kShift = 30;
  const std::pair<QPoint, QPoint> segments[] = {
      {{-8, 5}, {30, 9}},   {{30, 9}, {-8, 5}},   {{4, -10}, {12, 33}}, {{12, 33}, {4, -10}},
      {{-6, -6}, {30, 30}}, {{30, -6}, {-6, 30}}, {{-9, 3}, {27, 21}},  {{27, 21}, {-9, 3}},
      {{3, -9}, {21, 27}},  {{-5, 20}, {31, 2}},  {{2, 2}, {29, 3}},    {{20, -7}, {21, 30}}};
  for (const auto& [from, to] : segments) {
    SCOPED_TRACE(::testing::Message() << from.x() << "," << from.y() << " to " << to.x() << ","
                                      << to.y());
    const QImage clipped = Drawn(Filled(kSmall, kSmall), [&](TPainterCanvas& canvas) {
      SetPen(canvas, kRed);
      canvas.MoveTo(from.x(), from.y());
      canvas.LineTo(to.x(), to.y());
    });
    const QImage whole = Drawn(Filled(2 * kShift + kSmall, 2 * kShift + kSmall),
                               [&](TPainterCanvas& canvas) {
                                 SetPen(canvas, kRed);
                                 canvas.MoveTo(from.x() + kShift, from.y() + kShift);
                                 canvas.LineTo(to.x() + kShift, to.y() + kShift);
                               });
    EXPECT_EQ(clipped, whole.copy(kShift, kShift, kSmall, kSmall));
    EXPECT_FALSE(PixelsOf(clipped, kRedRgb).empty());
  }
}

// Polyline draws at once what MoveTo and LineTo hold back and draw as one
// polyline: the same pixels with every pen, repeated points, an end off the
// image and a LineTo that carries on from the last point included.
TEST(PainterCanvasLines, PolylineDrawsWhatMoveToAndLineToDraw) {
  const std::vector<TPoint> points = {{3, 4},  {3, 4},   {20, 6},  {21, 7},  {21, 7},
                                      {9, 25}, {-15, 2}, {28, 29}, {28, 12}, {29, 12}};
  struct TPenCase {
    const char* Name;
    std::int32_t Width;
    std::int32_t Style;
    std::int32_t Mode;
  };
  const TPenCase pens[] = {{"solid", 1, kPenStyleSolid, kPenModeCopy},
                           {"xor", 1, kPenStyleSolid, kPenModeXor},
                           {"dotted", 1, kPenStyleDot, kPenModeCopy},
                           {"wide", 3, kPenStyleSolid, kPenModeCopy}};
  for (const TPenCase& pen : pens) {
    SCOPED_TRACE(pen.Name);
    const auto draw = [&](bool atOnce) {
      return Drawn(Patterned(32, 32), [&](TPainterCanvas& canvas) {
        SetPen(canvas, kOrange, pen.Width, pen.Style, pen.Mode);
        if (atOnce) {
          canvas.Polyline(points.data(), points.size());
        } else {
          canvas.MoveTo(points[0].X, points[0].Y);
          for (std::size_t i = 1; i < points.size(); ++i) canvas.LineTo(points[i].X, points[i].Y);
        }
        canvas.LineTo(30, 30);
      });
    };
    const QImage lineByLine = draw(false);
    EXPECT_EQ(draw(true), lineByLine);
    EXPECT_NE(lineByLine, Patterned(32, 32));
  }
}

TEST(PainterCanvasLines, APenChangedBetweenSegmentsDrawsTheRestFromTheJoint) {
  const QImage image = Drawn(Filled(20, 20), [](TPainterCanvas& canvas) {
    SetPen(canvas, kRed);
    canvas.MoveTo(2, 5);
    canvas.LineTo(10, 5);
    SetPen(canvas, kBlue);
    canvas.LineTo(10, 12);
    canvas.LineTo(4, 12);
  });
  for (int x = 2; x < 10; ++x) EXPECT_EQ(image.pixel(x, 5), kRedRgb) << x;
  for (int y = 5; y < 12; ++y) EXPECT_EQ(image.pixel(10, y), kBlueRgb) << y;
  for (int x = 5; x <= 10; ++x) EXPECT_EQ(image.pixel(x, 12), kBlueRgb) << x;
  EXPECT_EQ(image.pixel(4, 12), kWhiteRgb);
  EXPECT_EQ(PixelsOf(image, kRedRgb).size() + PixelsOf(image, kBlueRgb).size(),
            std::size_t{8 + 7 + 6});
}

// Whatever comes next, the polyline held back is drawn before it.
TEST(PainterCanvasLines, PendingPolylineIsDrawnByWhateverFollows) {
  struct TTrigger {
    const char* Name;
    std::function<void(TPainterCanvas&)> Act;
  };
  const TTrigger triggers[] = {
      {"Flush", [](TPainterCanvas& c) { c.Flush(); }},
      {"MoveTo", [](TPainterCanvas& c) { c.MoveTo(0, 0); }},
      {"SetPixel", [](TPainterCanvas& c) { c.SetPixel(19, 19, kBlue); }},
      {"FillRect",
       [](TPainterCanvas& c) {
         c.FillRect({15, 15, 18, 18});
       }},
      {"Rectangle", [](TPainterCanvas& c) { c.Rectangle(15, 15, 18, 18); }},
      {"TextOut", [](TPainterCanvas& c) { c.TextOut(0, 14, "x"); }},
      {"Painter", [](TPainterCanvas& c) { static_cast<void>(c.Painter()); }},
  };
  for (const TTrigger& trigger : triggers) {
    SCOPED_TRACE(trigger.Name);
    QImage image = Filled(20, 20);
    TPainterCanvas canvas(image);
    SetPen(canvas, kRed);
    SetBrush(canvas, kBlue, kBrushStyleClear);
    canvas.MoveTo(2, 3);
    canvas.LineTo(12, 3);
    trigger.Act(canvas);
    EXPECT_EQ(image.pixel(2, 3), kRedRgb);
    EXPECT_EQ(image.pixel(11, 3), kRedRgb);
  }
  const QImage image = Drawn(Filled(20, 20), [](TPainterCanvas& canvas) {
    SetPen(canvas, kRed);
    canvas.MoveTo(2, 3);
    canvas.LineTo(12, 3);
  });
  EXPECT_EQ(image.pixel(11, 3), kRedRgb) << "destroying the canvas draws what it holds";
}

// Qt's dot pattern: of the pixels a solid pen draws, the first and every
// third after it, starting afresh with each polyline.
TEST(PainterCanvasLines, DottedPenDrawsEveryThirdPixelOfTheLine) {
  const QPoint ends[] = {{38, 2}, {2, 38}, {38, 38}, {38, 20}, {20, 38}};
  for (const QPoint& end : ends) {
    SCOPED_TRACE(::testing::Message() << "to " << end.x() << "," << end.y());
    const auto line = [&](std::int32_t style) {
      return Drawn(Filled(40, 40), [&](TPainterCanvas& canvas) {
        SetPen(canvas, kRed, 1, style);
        for (int i = 0; i < 2; ++i) {
          canvas.MoveTo(2, 2);
          canvas.LineTo(end.x(), end.y());
          SetPen(canvas, kBlue, 1, style);
        }
      });
    };
    const QImage solid = line(kPenStyleSolid);
    const QImage dotted = line(kPenStyleDot);
    std::vector<QPoint> expected;
    for (const QPoint& p : PixelsOf(solid, kBlueRgb)) {
      if (std::max(p.x() - 2, p.y() - 2) % 3 == 0) expected.push_back(p);
    }
    EXPECT_EQ(PixelsOf(dotted, kBlueRgb), expected);
    EXPECT_TRUE(PixelsOf(dotted, kRedRgb).empty()) << "the second polyline starts afresh";
  }
}

TEST(PainterCanvasLines, WidePenCoversItsWidthAcrossTheLine) {
  const QImage image = Drawn(Filled(40, 40), [](TPainterCanvas& canvas) {
    SetPen(canvas, kRed, 5);
    canvas.MoveTo(5, 10);
    canvas.LineTo(30, 10);
    canvas.LineTo(30, 35);
  });
  for (int y = 0; y < 40; ++y) {
    EXPECT_EQ(image.pixel(15, y) == kRedRgb, y >= 8 && y <= 12) << "row " << y;
  }
  for (int x = 0; x < 40; ++x) {
    EXPECT_EQ(image.pixel(x, 25) == kRedRgb, x >= 28 && x <= 32) << "column " << x;
  }
}

// Coordinates far beyond the device arise when zoomed in; what shows must be
// the visible part of the same shape.
TEST(PainterCanvasLines, FarAwayEndsDrawTheVisiblePart) {
  constexpr int kBig = 2000000000;
  const QImage diagonal = Drawn(Filled(30, 30), [](TPainterCanvas& canvas) {
    SetPen(canvas, kRed);
    canvas.MoveTo(-kBig, -kBig);
    canvas.LineTo(kBig, kBig);
  });
  const auto drawn = PixelsOf(diagonal, kRedRgb);
  EXPECT_EQ(drawn.size(), std::size_t{30});
  for (const QPoint& p : drawn) EXPECT_EQ(p.x(), p.y());

  const QImage vertical = Drawn(Filled(30, 30), [](TPainterCanvas& canvas) {
    SetPen(canvas, kRed);
    canvas.MoveTo(12, kBig);
    canvas.LineTo(12, -kBig);
    SetPen(canvas, kBlue, 3);
    canvas.MoveTo(-kBig, 20);
    canvas.LineTo(kBig, 20);
  });
  for (int y = 0; y < 30; ++y) {
    if (y < 19 || y > 21) {
      EXPECT_EQ(vertical.pixel(12, y), kRedRgb) << y;
    }
  }
  for (int x = 0; x < 30; ++x) EXPECT_EQ(vertical.pixel(x, 20), kBlueRgb) << x;
}

// ---- Ellipse -------------------------------------------------------------

// Whether a pixel of the colour (or the edge of the image) lies within steps
// steps along the axes of the point.
bool WithinSteps(const QImage& image, QPoint point, int steps, QRgb colour) {
  for (int dy = -steps; dy <= steps; ++dy) {
    for (int dx = std::abs(dy) - steps; dx <= steps - std::abs(dy); ++dx) {
      const QPoint p = point + QPoint(dx, dy);
      if (!image.rect().contains(p) || image.pixel(p) == colour) return true;
    }
  }
  return false;
}

struct TEllipseCase {
  TRect Area;
  std::int32_t PenWidth;
};

TEST(PainterCanvasEllipse, IsInscribedInItsAreaAndEnclosesItsInside) {
  const TEllipseCase cases[] = {
      {{3, 3, 24, 24}, 1}, {{2, 10, 42, 16}, 1}, {{10, 1, 15, 31}, 1},
      {{5, 5, 6, 6}, 1},   {{5, 5, 7, 7}, 1},    {{4, 6, 7, 13}, 1},
      {{2, 2, 40, 30}, 4}, {{20, 8, 30, 12}, 3}, {{1, 3, 43, 29}, 7},
  };
  for (const TEllipseCase& c : cases) {
    const TRect& a = c.Area;
    SCOPED_TRACE(::testing::Message() << a.Left << "," << a.Top << " " << a.Right << "," << a.Bottom
                                      << " pen " << c.PenWidth);
    const QImage image = Drawn(Filled(44, 32), [&](TPainterCanvas& canvas) {
      SetPen(canvas, kRed, c.PenWidth);
      SetBrush(canvas, kBlue);
      canvas.Ellipse(a.Left, a.Top, a.Right, a.Bottom);
    });
    bool touches[4] = {false, false, false, false};
    for (int y = 0; y < image.height(); ++y) {
      for (int x = 0; x < image.width(); ++x) {
        const QRgb pixel = image.pixel(x, y);
        if (pixel == kWhiteRgb) continue;
        ASSERT_TRUE(x >= a.Left && x < a.Right && y >= a.Top && y < a.Bottom)
            << "outside at " << x << "," << y;
        // Mirrored about both centre lines.
        EXPECT_EQ(image.pixel(a.Left + a.Right - 1 - x, y), pixel) << x << "," << y;
        EXPECT_EQ(image.pixel(x, a.Top + a.Bottom - 1 - y), pixel) << x << "," << y;
        // The outline is the band of pixels within pen width, in steps along
        // the axes, of the background; the inside is all the rest.
        const bool nearBackground = WithinSteps(image, QPoint(x, y), c.PenWidth, kWhiteRgb);
        if (pixel == kBlueRgb) {
          EXPECT_FALSE(nearBackground) << "inside touches the background at " << x << "," << y;
          continue;
        }
        ASSERT_EQ(pixel, kRedRgb) << x << "," << y;
        EXPECT_TRUE(nearBackground) << "outline too wide at " << x << "," << y;
        touches[0] |= x == a.Left;
        touches[1] |= x == a.Right - 1;
        touches[2] |= y == a.Top;
        touches[3] |= y == a.Bottom - 1;
      }
    }
    EXPECT_TRUE(touches[0] && touches[1] && touches[2] && touches[3]);
    const int shortSide = std::min(a.Right - a.Left, a.Bottom - a.Top);
    if (shortSide > 2 * c.PenWidth + 1) {
      EXPECT_EQ(image.pixel((a.Left + a.Right) / 2, (a.Top + a.Bottom) / 2), kBlueRgb);
    }
  }
}

TEST(PainterCanvasEllipse, HollowBrushLeavesTheInsideAndNoPenFillsToTheEdge) {
  const QImage hollow = Drawn(Filled(30, 30), [](TPainterCanvas& canvas) {
    SetPen(canvas, kRed);
    SetBrush(canvas, kBlue, kBrushStyleClear);
    canvas.Ellipse(2, 2, 28, 28);
  });
  EXPECT_TRUE(PixelsOf(hollow, kBlueRgb).empty());
  EXPECT_EQ(hollow.pixel(15, 15), kWhiteRgb);
  const QImage outlined = Drawn(Filled(30, 30), [](TPainterCanvas& canvas) {
    SetPen(canvas, kRed);
    SetBrush(canvas, kBlue);
    canvas.Ellipse(2, 2, 28, 28);
  });
  const QImage filledOnly = Drawn(Filled(30, 30), [](TPainterCanvas& canvas) {
    SetPen(canvas, kNoColor);
    SetBrush(canvas, kBlue);
    canvas.Ellipse(2, 2, 28, 28);
  });
  // Without a pen the brush takes the outline's pixels too.
  EXPECT_EQ(PixelsOf(filledOnly, kBlueRgb).size(),
            PixelsOf(outlined, kBlueRgb).size() + PixelsOf(outlined, kRedRgb).size());
  const QImage huge = Drawn(Filled(30, 30), [](TPainterCanvas& canvas) {
    SetPen(canvas, kRed);
    SetBrush(canvas, kBlue);
    canvas.Ellipse(-2000000000, -2000000000, 2000000000, 2000000000);
  });
  EXPECT_EQ(huge, Filled(30, 30, kBlueRgb));
}

// ---- Xor -----------------------------------------------------------------

// The xor pen toggles exactly the pixels the copy pen covers, each once, in
// the pen's or the brush's colour; drawn again, it restores the image.
TEST(PainterCanvasXor, TogglesWhatCopyCoversOnceAndRestoresWhenDrawnTwice) {
  struct TXorCase {
    const char* Name;
    std::function<void(TPainterCanvas&)> Draw;
  };
  const TXorCase cases[] = {
      {"rectangle", [](TPainterCanvas& c) { c.Rectangle(3, 4, 30, 21); }},
      {"thin rectangle", [](TPainterCanvas& c) { c.Rectangle(3, 4, 5, 21); }},
      {"dotted rectangle",
       [](TPainterCanvas& c) {
         c.Pen().Style = kPenStyleDot;
         c.Rectangle(3, 4, 30, 21);
       }},
      {"wide rectangle",
       [](TPainterCanvas& c) {
         c.Pen().Width = 3;
         c.Rectangle(3, 4, 30, 21);
       }},
      {"hatched rectangle",
       [](TPainterCanvas& c) {
         c.Brush().Style = kBrushStyleBDiagonal;
         c.Rectangle(3, 4, 30, 21);
       }},
      {"ellipse", [](TPainterCanvas& c) { c.Ellipse(3, 4, 30, 21); }},
      {"wide ellipse",
       [](TPainterCanvas& c) {
         c.Pen().Width = 3;
         c.Ellipse(3, 4, 30, 21);
       }},
      {"polyline",
       [](TPainterCanvas& c) {
         c.MoveTo(2, 2);
         c.LineTo(30, 2);
         c.LineTo(30, 20);
         c.LineTo(5, 25);
         c.LineTo(2, 2);
       }},
      {"dotted polyline",
       [](TPainterCanvas& c) {
         c.Pen().Style = kPenStyleDot;
         c.MoveTo(2, 2);
         c.LineTo(30, 9);
         c.LineTo(6, 25);
       }},
      {"wide polyline",
       [](TPainterCanvas& c) {
         c.Pen().Width = 4;
         c.MoveTo(4, 4);
         c.LineTo(28, 8);
         c.LineTo(8, 24);
       }},
  };
  // Full white: a xor that cleared the alpha byte would show.
  constexpr std::int32_t kPenColor = 0xFFFFFF;
  constexpr std::int32_t kBrushColor = 0x5A3CC3;
  const QImage background = Patterned(34, 28);
  for (const TXorCase& c : cases) {
    SCOPED_TRACE(c.Name);
    const QImage coverage = Drawn(Filled(34, 28), [&](TPainterCanvas& canvas) {
      SetPen(canvas, kRed);
      SetBrush(canvas, kBlue);
      c.Draw(canvas);
    });
    const auto xorDraw = [&](TPainterCanvas& canvas) {
      SetPen(canvas, kPenColor, 1, kPenStyleSolid, kPenModeXor);
      SetBrush(canvas, kBrushColor);
      c.Draw(canvas);
    };
    QImage once;
    QImage twice = background.copy();
    {
      // Drawn again on the same canvas, as when feedback is taken away.
      TPainterCanvas canvas(twice);
      xorDraw(canvas);
      canvas.Flush();
      once = twice.copy();
      xorDraw(canvas);
    }
    int wrong = 0;
    for (int y = 0; y < background.height(); ++y) {
      for (int x = 0; x < background.width(); ++x) {
        const QRgb covered = coverage.pixel(x, y);
        const QRgb bg = background.pixel(x, y);
        const QRgb expected = covered == kRedRgb    ? Xored(bg, qRgb(0xFF, 0xFF, 0xFF))
                              : covered == kBlueRgb ? Xored(bg, qRgb(0xC3, 0x3C, 0x5A))
                                                    : bg;
        if (once.pixel(x, y) != expected && ++wrong <= 5) {
          ADD_FAILURE() << "pixel " << x << "," << y << " is " << std::hex << once.pixel(x, y)
                        << ", expected " << expected;
        }
      }
    }
    EXPECT_EQ(wrong, 0);
    EXPECT_FALSE(PixelsOf(coverage, kRedRgb).empty());
    EXPECT_EQ(twice, background);
  }
}

// ---- SetPixel, VisibleArea, the device -----------------------------------

TEST(PainterCanvasSetPixel, SetsOnePixelInItsColour) {
  const QImage image = Drawn(Filled(10, 10), [](TPainterCanvas& canvas) {
    SetPen(canvas, kRed, 1, kPenStyleSolid, kPenModeXor);
    canvas.SetPixel(3, 7, 0x336699);
    canvas.SetPixel(5, 5, kNoColor);
    canvas.SetPixel(-1, 4, kRed);
    canvas.SetPixel(10, 4, kRed);
  });
  QImage expected = Filled(10, 10);
  expected.setPixel(3, 7, qRgb(0x99, 0x66, 0x33));
  EXPECT_EQ(image, expected);
}

TEST(PainterCanvasVisibleArea, IsTheDeviceWithinTheClip) {
  struct TClipCase {
    const char* Name;
    QRect Clip;  // null: no clip
    TRect Expected;
  };
  const TClipCase cases[] = {
      {"no clip", QRect(), {0, 0, 40, 30}},
      {"inside", QRect(5, 6, 10, 8), {5, 6, 15, 14}},
      {"across the corner", QRect(-5, -5, 10, 10), {0, 0, 5, 5}},
      {"beside", QRect(50, 50, 5, 5), {}},
  };
  for (const TClipCase& c : cases) {
    SCOPED_TRACE(c.Name);
    QImage image = Filled(40, 30);
    TPainterCanvas canvas(image);
    if (!c.Clip.isNull()) canvas.Painter().setClipRect(c.Clip);
    const TRect area = canvas.VisibleArea();
    if (c.Expected.IsEmpty()) {
      EXPECT_TRUE(area.IsEmpty());
    } else {
      EXPECT_EQ(area, c.Expected);
    }
  }
}

TEST(PainterCanvasDevice, FontResolutionIsTheDevicesAndTheSurfaceFontIsSet) {
  QImage standard = Filled(10, 10);
  QImage fine = Filled(10, 10);
  fine.setDotsPerMeterY(11811);  // 300 per inch
  const std::pair<QImage*, int> cases[] = {{&standard, standard.logicalDpiY()}, {&fine, 300}};
  for (const auto& [image, expected] : cases) {
    TPainterCanvas canvas(*image);
    EXPECT_EQ(canvas.Font().PixelsPerInch, expected);
    EXPECT_EQ(canvas.Font().Name, "MS Sans Serif");
    EXPECT_EQ(canvas.Font().Height, -11);
  }
}

// Each call draws with the state set at that moment, however often it
// changes and whatever it changes back to.
TEST(PainterCanvasState, EveryCallUsesTheStateSetBeforeIt) {
  const QImage image = Drawn(Filled(40, 10), [](TPainterCanvas& canvas) {
    SetBrush(canvas, kOrange);
    SetPen(canvas, kRed);
    canvas.Rectangle(0, 0, 4, 4);
    SetPen(canvas, kBlue);
    canvas.Rectangle(5, 0, 9, 4);
    SetPen(canvas, kBlue, 1, kPenStyleSolid, kPenModeXor);
    canvas.Rectangle(10, 0, 14, 4);
    SetPen(canvas, kBlue);
    canvas.Rectangle(15, 0, 19, 4);
    SetBrush(canvas, kRed, kBrushStyleClear);
    canvas.Rectangle(20, 0, 24, 4);
    SetBrush(canvas, kRed);
    canvas.Ellipse(25, 0, 29, 4);
    canvas.MoveTo(30, 6);
    canvas.LineTo(39, 6);
    SetPen(canvas, kRed, 3);
    canvas.Rectangle(0, 4, 8, 10);
  });
  EXPECT_EQ(image.pixel(0, 0), kRedRgb);
  EXPECT_EQ(image.pixel(1, 1), kOrangeRgb);
  EXPECT_EQ(image.pixel(5, 0), kBlueRgb);
  EXPECT_EQ(image.pixel(10, 0), Xored(kWhiteRgb, kBlueRgb));
  EXPECT_EQ(image.pixel(11, 1), Xored(kWhiteRgb, kOrangeRgb));
  EXPECT_EQ(image.pixel(15, 0), kBlueRgb);
  EXPECT_EQ(image.pixel(16, 1), kOrangeRgb);
  EXPECT_EQ(image.pixel(21, 1), kWhiteRgb);
  EXPECT_EQ(image.pixel(26, 2), kRedRgb);
  EXPECT_EQ(image.pixel(31, 6), kBlueRgb);
  EXPECT_EQ(image.pixel(2, 6), kRedRgb);
}

// On a device other than an image (a printer, here a recording replayed onto
// an image) Qt strokes the shapes; they land in the same places.
TEST(PainterCanvasDevice, RecordingDeviceGetsTheSameShapes) {
  QPicture recording;
  {
    TPainterCanvas canvas(recording);
    SetPen(canvas, kRed);
    SetBrush(canvas, kBlue);
    canvas.Rectangle(2, 2, 12, 10);
    canvas.Ellipse(14, 2, 30, 14);
    SetPen(canvas, kRed, 1, kPenStyleDot);
    SetBrush(canvas, kBlue, kBrushStyleClear);
    canvas.Rectangle(2, 16, 12, 26);
    SetPen(canvas, kRed, 3);
    canvas.MoveTo(16, 20);
    canvas.LineTo(30, 20);
  }
  QImage image = Filled(34, 30);
  {
    QPainter painter(&image);
    painter.drawPicture(0, 0, recording);
  }
  // Each shape's area, grown by a pixel for Qt's rounding.
  const QRect areas[] = {QRect(1, 1, 12, 10), QRect(13, 1, 18, 14), QRect(1, 15, 12, 12),
                         QRect(13, 17, 20, 7)};
  for (int y = 0; y < image.height(); ++y) {
    for (int x = 0; x < image.width(); ++x) {
      if (image.pixel(x, y) == kWhiteRgb) continue;
      EXPECT_TRUE(std::any_of(std::begin(areas), std::end(areas),
                              [&](const QRect& area) { return area.contains(x, y); }))
          << "stray pixel at " << x << "," << y;
    }
  }
  EXPECT_EQ(image.pixel(2, 2), kRedRgb);
  EXPECT_EQ(image.pixel(6, 6), kBlueRgb);
  EXPECT_EQ(image.pixel(22, 8), kBlueRgb);
  EXPECT_EQ(image.pixel(6, 21), kWhiteRgb);
  EXPECT_FALSE(PixelsOf(image.copy(QRect(2, 16, 10, 10)), kRedRgb).empty());
  EXPECT_EQ(image.pixel(23, 20), kRedRgb);
  EXPECT_EQ(image.pixel(23, 21), kRedRgb);
}

}  // namespace
