#include "model/DataStructures.h"
#include "platform/PainterCanvas.h"
#include "render/CanvasState.h"
#include "tests/platform/CanvasTestSupport.h"

#include <QChar>
#include <QFontInfo>
#include <QFontMetrics>
#include <QImage>
#include <QPoint>
#include <QRect>
#include <QString>

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <cstdlib>
#include <string>

namespace {

using qoztest::Drawn;
using qoztest::Filled;
using qoztest::kBlue;
using qoztest::kBlueRgb;
using qoztest::kOrange;
using qoztest::kOrangeRgb;
using qoztest::kRed;
using qoztest::kWhiteRgb;

// The rectangle of the pixels that differ from background; null when none.
QRect InkBounds(const QImage& image, QRgb background) {
  QRect bounds;
  for (int y = 0; y < image.height(); ++y) {
    for (int x = 0; x < image.width(); ++x) {
      if (image.pixel(x, y) != background) bounds |= QRect(x, y, 1, 1);
    }
  }
  return bounds;
}

TEST(PainterCanvasText, FamiliesOfTheStoredDocumentsResolveToTheMetricCompatibleFont) {
  QImage image = Filled(4, 4);
  TPainterCanvas canvas(image);
  EXPECT_EQ(QFontInfo(canvas.QtFont()).family(), QStringLiteral("Liberation Sans"))
      << "the surface font";
  for (const char* name : {"Arial", "MS Sans Serif", "Liberation Sans"}) {
    canvas.Font().Name = name;
    EXPECT_EQ(QFontInfo(canvas.QtFont()).family(), QStringLiteral("Liberation Sans")) << name;
  }
}

// Negative: the character height, as Qt's pixel size. Positive: the cell,
// ascent and descent together.
TEST(PainterCanvasText, HeightsGiveTheirPixelSizes) {
  QImage image = Filled(4, 4);
  TPainterCanvas canvas(image);
  for (const std::int32_t height : {-11, -8, -30, -120}) {
    canvas.Font().Height = height;
    EXPECT_EQ(QFontInfo(canvas.QtFont()).pixelSize(), -height);
    EXPECT_GE(canvas.TextHeight("Xg"), -height);
  }
  for (const std::int32_t height : {13, 20, 48}) {
    canvas.Font().Height = height;
    EXPECT_LE(std::abs(canvas.TextHeight("Xg") - height), 1) << height;
    EXPECT_LT(QFontInfo(canvas.QtFont()).pixelSize(), height);
  }
}

// A height of zero (a zoom too small for text) draws and measures nothing.
TEST(PainterCanvasText, HeightZeroDrawsAndMeasuresNothing) {
  const QImage image = Drawn(Filled(40, 20), [](TPainterCanvas& canvas) {
    canvas.Font().Height = 0;
    canvas.Brush().Color = kBlue;
    EXPECT_EQ(canvas.TextWidth("Hello"), 0);
    EXPECT_EQ(canvas.TextHeight("Hello"), 0);
    canvas.TextOut(2, 2, "Hello");
  });
  EXPECT_EQ(image, Filled(40, 20));
}

TEST(PainterCanvasText, WidthGrowsWithTheTextAndHeightIsTheLines) {
  QImage image = Filled(4, 4);
  TPainterCanvas canvas(image);
  EXPECT_EQ(canvas.TextWidth(""), 0);
  std::int32_t previous = 0;
  for (const char* text : {"W", "WW", "WWi", "WWi W"}) {
    const std::int32_t width = canvas.TextWidth(text);
    EXPECT_GT(width, previous) << text;
    previous = width;
  }
  EXPECT_EQ(canvas.TextHeight("i"), canvas.TextHeight("Wg"));
  const std::int32_t small = canvas.TextWidth("Sheet");
  canvas.Font().Height = -22;
  EXPECT_GT(canvas.TextWidth("Sheet"), small * 3 / 2);
  // Bytes of the code page, neither UTF-8 nor Latin-1: the euro sign, e acute
  // and the oe ligature.
  const QChar characters[] = {QChar(0x20AC), QChar(0x00E9), QChar(0x0153)};
  EXPECT_EQ(canvas.TextWidth("\x80\xE9\x9C"),
            QFontMetrics(canvas.QtFont()).horizontalAdvance(QString(characters, 3)));
}

// The top-left corner of the text at the given point; with the clear brush
// only the glyphs change pixels, with a solid brush their extent is filled.
TEST(PainterCanvasText, TextOutDrawsBelowAndRightOfItsPoint) {
  struct TTextCase {
    const char* Name;
    TPlatformBrush Brush;
    std::int32_t Colour;
  };
  const TTextCase cases[] = {
      {"clear brush", {kBlue, kBrushStyleClear}, kNoColor},
      {"no brush colour", {kNoColor, kBrushStyleSolid}, kRed},
      {"solid brush", {kOrange, kBrushStyleSolid}, kNoColor},
  };
  const std::string text = "Hi  Hi";
  for (const TTextCase& c : cases) {
    SCOPED_TRACE(c.Name);
    std::int32_t width = 0;
    std::int32_t height = 0;
    const QImage image = Drawn(Filled(80, 40), [&](TPainterCanvas& canvas) {
      canvas.Brush() = c.Brush;
      canvas.Font().Color = c.Colour;
      width = canvas.TextWidth(text);
      height = canvas.TextHeight(text);
      canvas.TextOut(10, 8, text);
    });
    const QRect extent(10, 8, width, height);
    const bool opaque = c.Brush.Style == kBrushStyleSolid && c.Brush.Color != kNoColor;
    const QRgb background = opaque ? kOrangeRgb : kWhiteRgb;
    int darkest = 255 * 3;
    QRgb darkestPixel = 0;
    for (int y = 0; y < image.height(); ++y) {
      for (int x = 0; x < image.width(); ++x) {
        const QRgb pixel = image.pixel(x, y);
        if (!extent.contains(x, y)) {
          ASSERT_EQ(pixel, kWhiteRgb) << "outside the extent at " << x << "," << y;
          continue;
        }
        const int sum = qRed(pixel) + qGreen(pixel) + qBlue(pixel);
        if (sum < darkest) {
          darkest = sum;
          darkestPixel = pixel;
        }
      }
    }
    const QRect ink = InkBounds(image.copy(extent), background).translated(extent.topLeft());
    ASSERT_FALSE(ink.isNull());
    // Drawn from the top, not with its baseline at the point: the capitals
    // start within the internal leading.
    EXPECT_LT(ink.top() - extent.top(), height / 3);
    EXPECT_LE(ink.right(), extent.right());
    EXPECT_LT(ink.left() - extent.left(), 3);
    // The background shows between the words.
    bool blankColumn = false;
    for (int x = ink.left(); x <= ink.right() && !blankColumn; ++x) {
      bool blank = true;
      for (int y = extent.top(); y <= extent.bottom(); ++y)
        blank &= image.pixel(x, y) == background;
      blankColumn = blank;
    }
    EXPECT_TRUE(blankColumn);
    if (opaque) {
      for (const QPoint corner :
           {extent.topLeft(), extent.topRight(), extent.bottomLeft(), extent.bottomRight()}) {
        EXPECT_EQ(image.pixel(corner), kOrangeRgb) << corner.x() << "," << corner.y();
      }
    }
    // The stems reach the text colour: black for "no colour", else the colour.
    if (c.Colour == kRed) {
      EXPECT_GT(qRed(darkestPixel), 200);
      EXPECT_LT(qGreen(darkestPixel) + qBlue(darkestPixel), 80);
    } else {
      EXPECT_LT(darkest, 60);
    }
  }
}

// Small texts on an opaque image are blended from the ink the painter gave
// them once; on any other image the painter draws them each time. Both must
// look alike: at most one step apart in any channel, on a coloured ground,
// for a text half off the image and for a text drawn again.
TEST(PainterCanvasText, KeptInkLooksAsThePainterDrawsIt) {
  for (const std::int32_t height : {-1, -2, -11, -20, -40}) {
    for (const std::int32_t colour : {kNoColor, kRed}) {
      SCOPED_TRACE(::testing::Message() << "height " << height << " colour " << colour);
      const auto draw = [&](QImage::Format format) {
        QImage image(160, 60, format);
        image.fill(kOrangeRgb);
        {
          TPainterCanvas canvas(image);
          canvas.Font().Height = height;
          canvas.Font().Color = colour;
          canvas.Brush() = TPlatformBrush{kBlue, kBrushStyleClear};
          for (const QPoint at : {QPoint(5, 4), QPoint(-9, -3), QPoint(60, 30), QPoint(5, 30)}) {
            canvas.TextOut(at.x(), at.y(), at.x() == 60 ? "Office 2 <4>" : "Budget AVAW <3>");
          }
        }
        return image.convertToFormat(QImage::Format_RGB32);
      };
      const QImage kept = draw(QImage::Format_RGB32);
      const QImage painted = draw(QImage::Format_ARGB32_Premultiplied);
      int farthest = 0;
      for (int y = 0; y < kept.height(); ++y) {
        for (int x = 0; x < kept.width(); ++x) {
          const QRgb a = kept.pixel(x, y);
          const QRgb b = painted.pixel(x, y);
          farthest = std::max({farthest, std::abs(qRed(a) - qRed(b)),
                               std::abs(qGreen(a) - qGreen(b)), std::abs(qBlue(a) - qBlue(b))});
        }
      }
      EXPECT_LE(farthest, 1);
      EXPECT_EQ(InkBounds(kept, kOrangeRgb), InkBounds(painted, kOrangeRgb));
      EXPECT_FALSE(InkBounds(kept, kOrangeRgb).isNull());
    }
  }
}

TEST(PainterCanvasText, FontChangesApplyToTheNextText) {
  const auto draw = [](std::int32_t height, const char* name) {
    return Drawn(Filled(120, 60), [&](TPainterCanvas& canvas) {
      canvas.Brush().Style = kBrushStyleClear;
      canvas.TextOut(2, 2, "Sheet");
      canvas.Font().Height = height;
      canvas.Font().Name = name;
      canvas.TextOut(2, 20, "Sheet");
    });
  };
  const QImage same = draw(-11, "MS Sans Serif");
  const QImage larger = draw(-22, "MS Sans Serif");
  const QImage other = draw(-11, "Liberation Mono");
  const QRect first(0, 0, 120, 18);
  const QRect second(0, 18, 120, 42);
  EXPECT_EQ(same.copy(first), larger.copy(first));
  EXPECT_EQ(InkBounds(same.copy(second), kWhiteRgb).size(),
            InkBounds(same.copy(first), kWhiteRgb).size());
  EXPECT_GT(InkBounds(larger.copy(second), kWhiteRgb).width(),
            InkBounds(same.copy(second), kWhiteRgb).width() * 3 / 2);
  EXPECT_NE(other.copy(second), same.copy(second));
}

}  // namespace
