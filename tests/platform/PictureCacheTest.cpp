#include "platform/PictureCache.h"
#include "platform/QtPicture.h"
#include "support/TestSupport.h"

#include <QImage>
#include <QString>

#include <gtest/gtest.h>

#include <chrono>
#include <filesystem>
#include <memory>
#include <string>

namespace {

// Uncompressed, so that two pictures of one size have files of one size.
void WriteBmp(const std::string& fileName, int width, int height, QRgb colour) {
  QImage image(width, height, QImage::Format_RGB32);
  image.fill(colour);
  ASSERT_TRUE(image.save(QString::fromStdString(fileName), "BMP"));
}

void SetTime(const std::string& fileName, std::filesystem::file_time_type time) {
  std::filesystem::last_write_time(fileName, time);
}

QString Q(const std::string& fileName) { return QString::fromStdString(fileName); }

class PictureCacheTest : public ::testing::Test {
 protected:
  const std::filesystem::file_time_type kTime =
      std::filesystem::file_time_type::clock::now() - std::chrono::hours(5);
  qoztest::TTempDir dir_;
  const std::string file_ = dir_.File("picture.bmp");
};

TEST_F(PictureCacheTest, AnUnchangedFileGivesTheSamePicture) {
  TPictureCache cache;
  WriteBmp(file_, 8, 4, 0xFFFF0000);
  SetTime(file_, kTime);
  const auto first = cache.Load(Q(file_));
  ASSERT_NE(first, nullptr);
  // New content of the same size and time goes unseen: the file is not read.
  WriteBmp(file_, 8, 4, 0xFF0000FF);
  SetTime(file_, kTime);
  EXPECT_EQ(cache.Load(Q(file_)), first);
  EXPECT_EQ(cache.Load(Q(file_))->Image().pixel(0, 0), 0xFFFF0000);
  EXPECT_EQ(cache.Count(), 1u);
  EXPECT_EQ(cache.DecodedBytes(), first->Bytes());
}

TEST_F(PictureCacheTest, AChangedSizeOrTimeReloads) {
  struct TChange {
    const char* Name;
    int Width;
    std::chrono::seconds Later;
  };
  const TChange changes[] = {
      {"size", 12, std::chrono::seconds(0)},
      {"time", 8, std::chrono::seconds(30)},
      {"time back", 8, std::chrono::seconds(-30)},
  };
  for (const TChange& change : changes) {
    SCOPED_TRACE(change.Name);
    TPictureCache cache;
    WriteBmp(file_, 8, 4, 0xFFFF0000);
    SetTime(file_, kTime);
    const auto first = cache.Load(Q(file_));
    ASSERT_NE(first, nullptr);
    WriteBmp(file_, change.Width, 4, 0xFF0000FF);
    SetTime(file_, kTime + change.Later);
    const auto second = cache.Load(Q(file_));
    ASSERT_NE(second, nullptr);
    EXPECT_NE(second, first);
    EXPECT_EQ(second->Width(), change.Width);
    EXPECT_EQ(second->Image().pixel(0, 0), 0xFF0000FF);
    EXPECT_EQ(first->Image().pixel(0, 0), 0xFFFF0000) << "the old picture stays intact";
    EXPECT_EQ(cache.Count(), 1u);
    EXPECT_EQ(cache.DecodedBytes(), second->Bytes());
  }
}

// A bad file is remembered as bad until it changes, and a file that goes
// away leaves the cache.
TEST_F(PictureCacheTest, FailuresAreRememberedAndMissingFilesDropped) {
  TPictureCache cache;
  WriteBmp(file_, 8, 4, 0xFFFF0000);
  const auto size = std::filesystem::file_size(file_);
  qoztest::WriteBytes(file_, std::string(size, '\x11'));
  SetTime(file_, kTime);
  EXPECT_EQ(cache.Load(Q(file_)), nullptr);
  EXPECT_EQ(cache.Count(), 1u);
  WriteBmp(file_, 8, 4, 0xFFFF0000);
  SetTime(file_, kTime);
  EXPECT_EQ(cache.Load(Q(file_)), nullptr) << "unchanged as far as size and time tell";
  SetTime(file_, kTime + std::chrono::seconds(1));
  EXPECT_NE(cache.Load(Q(file_)), nullptr);
  std::filesystem::remove(file_);
  EXPECT_EQ(cache.Load(Q(file_)), nullptr);
  EXPECT_EQ(cache.Count(), 0u);
  EXPECT_EQ(cache.DecodedBytes(), 0u);
}

// Past the limit the least recently used picture goes; one still held by a
// caller stays usable.
TEST_F(PictureCacheTest, KeepsWithinItsLimitDroppingTheLeastRecentlyUsed) {
  const std::string names[] = {dir_.File("a.bmp"), dir_.File("b.bmp"), dir_.File("c.bmp"),
                               dir_.File("d.bmp")};
  for (const std::string& name : names) WriteBmp(name, 16, 16, 0xFF00FF00);
  const std::size_t each = std::size_t{16} * 16 * 4;
  TPictureCache cache(each * 5 / 2);
  const auto a = cache.Load(Q(names[0]));
  const auto b = cache.Load(Q(names[1]));
  const auto c = cache.Load(Q(names[2]));
  EXPECT_EQ(cache.Count(), 2u);
  EXPECT_EQ(cache.DecodedBytes(), 2 * each);
  EXPECT_EQ(a->Width(), 16) << "held past its eviction";
  EXPECT_EQ(cache.Load(Q(names[1])), b);
  const auto d = cache.Load(Q(names[3]));
  EXPECT_EQ(cache.Load(Q(names[1])), b);
  EXPECT_EQ(cache.Load(Q(names[3])), d);
  EXPECT_NE(cache.Load(Q(names[2])), c) << "c was the least recently used";
  EXPECT_LE(cache.DecodedBytes(), each * 5 / 2);

  TPictureCache few(each * 100, 2);
  for (const std::string& name : names) qoztest::WriteBytes(name, "not a picture");
  for (const std::string& name : names) EXPECT_EQ(few.Load(Q(name)), nullptr);
  EXPECT_EQ(few.Count(), 2u);
  few.Clear();
  EXPECT_EQ(few.Count(), 0u);
}

TEST_F(PictureCacheTest, ClearForgetsEveryPicture) {
  TPictureCache cache;
  WriteBmp(file_, 8, 4, 0xFFFF0000);
  const auto first = cache.Load(Q(file_));
  cache.Clear();
  EXPECT_EQ(cache.Count(), 0u);
  EXPECT_EQ(cache.DecodedBytes(), 0u);
  const auto second = cache.Load(Q(file_));
  ASSERT_NE(second, nullptr);
  EXPECT_NE(second, first);
}

TEST(PictureCacheShared, IsOneInstance) {
  EXPECT_EQ(&TPictureCache::Shared(), &TPictureCache::Shared());
}

}  // namespace
