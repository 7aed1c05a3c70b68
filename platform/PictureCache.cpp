#include "platform/PictureCache.h"

#include <QDateTime>
#include <QFileInfo>
#include <QImage>
#include <QImageReader>

TPictureCache::TPictureCache(std::size_t byteLimit, std::size_t entryLimit)
    : byteLimit_(byteLimit), entryLimit_(entryLimit) {}

TPictureCache& TPictureCache::Shared() {
  static TPictureCache cache;
  return cache;
}

std::shared_ptr<const TQtPicture> TPictureCache::Load(const QString& fileName) {
  const QFileInfo info(fileName);
  // isFile() stats once; size and time come from what that stat filled in.
  const bool present = info.isFile();
  const QString key = info.absoluteFilePath();
  const std::lock_guard lock(mutex_);
  auto it = entries_.find(key);
  if (!present) {
    if (it != entries_.end()) Drop(it);
    return nullptr;
  }
  const std::int64_t size = info.size();
  const std::int64_t modified = info.lastModified().toMSecsSinceEpoch();
  if (it != entries_.end()) {
    if (it->second.Size == size && it->second.ModifiedMs == modified) {
      uses_.splice(uses_.begin(), uses_, it->second.Use);
      return it->second.Picture;
    }
    Drop(it);
  }

  QImageReader reader(fileName);
  QImage image;
  std::shared_ptr<const TQtPicture> picture;
  if (reader.read(&image) && !image.isNull()) picture = std::make_shared<const TQtPicture>(image);

  uses_.push_front(key);
  entries_.emplace(key, TEntry{modified, size, picture, uses_.begin()});
  if (picture) bytes_ += picture->Bytes();
  Evict();
  return picture;
}

void TPictureCache::Drop(std::unordered_map<QString, TEntry>::iterator it) {
  if (it->second.Picture) bytes_ -= it->second.Picture->Bytes();
  uses_.erase(it->second.Use);
  entries_.erase(it);
}

// The entry just added sits at the front and is never dropped here: a picture
// larger than the whole limit is still kept until the next one arrives.
void TPictureCache::Evict() {
  while ((bytes_ > byteLimit_ || entries_.size() > entryLimit_) && uses_.size() > 1) {
    Drop(entries_.find(uses_.back()));
  }
}

void TPictureCache::Clear() {
  const std::lock_guard lock(mutex_);
  entries_.clear();
  uses_.clear();
  bytes_ = 0;
}

std::size_t TPictureCache::Count() const {
  const std::lock_guard lock(mutex_);
  return entries_.size();
}

std::size_t TPictureCache::DecodedBytes() const {
  const std::lock_guard lock(mutex_);
  return bytes_;
}
