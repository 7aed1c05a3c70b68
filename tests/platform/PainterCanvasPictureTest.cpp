#include "platform/PainterCanvas.h"
#include "render/Picture.h"
#include "render/Rect.h"
#include "support/TestSupport.h"
#include "tests/platform/CanvasTestSupport.h"

#include <QByteArray>
#include <QImage>
#include <QImageReader>
#include <QRgb>

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <memory>
#include <ostream>
#include <string>

namespace {

using qoztest::Filled;
using qoztest::kBlueRgb;
using qoztest::kRedRgb;
using qoztest::kWhiteRgb;

constexpr QRgb kGreyRgb = 0xFF808080;

bool Near(QRgb a, QRgb b, int tolerance) {
  return std::abs(qRed(a) - qRed(b)) <= tolerance && std::abs(qGreen(a) - qGreen(b)) <= tolerance &&
         std::abs(qBlue(a) - qBlue(b)) <= tolerance;
}

struct TFormatCase {
  const char* Extension;
  bool Lossless;
};

void PrintTo(const TFormatCase& c, std::ostream* out) { *out << c.Extension; }

class PainterCanvasPictureFormat : public ::testing::TestWithParam<TFormatCase> {};

// The fixtures are 16 x 8: red on the left half, blue on the right. Drawn
// twice as large they fill exactly their rectangle, each source pixel
// becoming two by two.
TEST_P(PainterCanvasPictureFormat, LoadsAndFillsItsRectangleWithThePicture) {
  const TFormatCase& c = GetParam();
  if (std::string(c.Extension) == "svg" &&
      !QImageReader::supportedImageFormats().contains(QByteArray("svg"))) {
    GTEST_SKIP() << "no svg image plugin";
  }
  const TRect target{4, 6, 36, 22};
  QImage image = Filled(40, 30);
  std::shared_ptr<const TPicture> picture;
  {
    TPainterCanvas canvas(image);
    picture =
        canvas.LoadPicture(qoztest::Fixture(std::string("platform/two-colours.") + c.Extension));
    ASSERT_NE(picture, nullptr);
    canvas.StretchDraw(target, *picture);
  }
  EXPECT_EQ(picture->Width(), 16);
  EXPECT_EQ(picture->Height(), 8);
  const int tolerance = c.Lossless ? 0 : 48;
  // Lossy coding blurs the edge between the halves.
  const int blur = c.Lossless ? 0 : 2;
  for (int y = 0; y < image.height(); ++y) {
    for (int x = 0; x < image.width(); ++x) {
      const QRgb pixel = image.pixel(x, y);
      if (x < target.Left || x >= target.Right || y < target.Top || y >= target.Bottom) {
        ASSERT_EQ(pixel, kWhiteRgb) << "outside at " << x << "," << y;
      } else if (x < 20 - blur) {
        ASSERT_TRUE(Near(pixel, kRedRgb, tolerance))
            << std::hex << pixel << " at " << x << "," << y;
      } else if (x >= 20 + blur) {
        ASSERT_TRUE(Near(pixel, kBlueRgb, tolerance))
            << std::hex << pixel << " at " << x << "," << y;
      }
    }
  }
}

INSTANTIATE_TEST_SUITE_P(Formats, PainterCanvasPictureFormat,
                         ::testing::Values(TFormatCase{"png", true}, TFormatCase{"bmp", true},
                                           TFormatCase{"gif", true}, TFormatCase{"ico", true},
                                           TFormatCase{"jpg", false}, TFormatCase{"svg", true}),
                         [](const ::testing::TestParamInfo<TFormatCase>& info) {
                           return std::string(info.param.Extension);
                         });

TEST(PainterCanvasPicture, TransparentPartsLeaveWhatIsBeneath) {
  QImage image = Filled(20, 10, kGreyRgb);
  {
    TPainterCanvas canvas(image);
    const auto picture = canvas.LoadPicture(qoztest::Fixture("platform/half-transparent.png"));
    ASSERT_NE(picture, nullptr);
    canvas.StretchDraw({2, 1, 18, 9}, *picture);
  }
  EXPECT_EQ(image.pixel(5, 4), kGreyRgb);
  EXPECT_EQ(image.pixel(14, 4), 0xFF00FF00);
  EXPECT_EQ(image.pixel(19, 4), kGreyRgb);
}

TEST(PainterCanvasPicture, EmptyRectangleOrForeignPictureDrawsNothing) {
  class TForeignPicture : public TPicture {
   public:
    std::int32_t Width() const override { return 4; }
    std::int32_t Height() const override { return 4; }
  };
  QImage image = Filled(20, 20);
  {
    TPainterCanvas canvas(image);
    const auto picture = canvas.LoadPicture(qoztest::Fixture("platform/two-colours.png"));
    ASSERT_NE(picture, nullptr);
    canvas.StretchDraw({5, 5, 5, 15}, *picture);
    canvas.StretchDraw({5, 15, 15, 5}, *picture);
    canvas.StretchDraw({2, 2, 18, 18}, TForeignPicture());
  }
  EXPECT_EQ(image, Filled(20, 20));
}

TEST(PainterCanvasPicture, FilesThatHoldNoPictureGiveNone) {
  const qoztest::TTempDir dir;
  const std::string valid = qoztest::ReadBytes(qoztest::Fixture("platform/two-colours.png"));
  qoztest::WriteBytes(dir.File("garbage.png"), std::string(300, '\x5A') + "\x01\xFF");
  qoztest::WriteBytes(dir.File("empty.bmp"), "");
  qoztest::WriteBytes(dir.File("truncated.png"), valid.substr(0, 30));
  std::filesystem::create_directory(dir.File("folder.png"));
  QImage image = Filled(4, 4);
  TPainterCanvas canvas(image);
  for (const char* name :
       {"garbage.png", "empty.bmp", "truncated.png", "folder.png", "missing.png"}) {
    EXPECT_EQ(canvas.LoadPicture(dir.File(name)), nullptr) << name;
  }
  EXPECT_EQ(canvas.LoadPicture(""), nullptr);
}

// File names arrive as bytes of the code page: 0xE9 is the e with an acute
// accent, stored on disk in UTF-8.
TEST(PainterCanvasPicture, FileNamesAreReadInTheCodePage) {
  const qoztest::TTempDir dir;
  std::filesystem::copy_file(qoztest::Fixture("platform/two-colours.png"),
                             dir.Path() / "caf\xC3\xA9.png");
  QImage image = Filled(4, 4);
  TPainterCanvas canvas(image);
  EXPECT_NE(canvas.LoadPicture(dir.File("caf\xE9.png")), nullptr);
}

}  // namespace
