#pragma once

#include "platform/QtPicture.h"

#include <QString>

#include <cstddef>
#include <cstdint>
#include <list>
#include <memory>
#include <mutex>
#include <unordered_map>

// Pictures decoded once and kept while their file stays as it was, so that a
// sheet full of pictures and logos does not read and decode files at every
// frame. A file counts as unchanged while its modification time and size
// stay the same; a file that cannot be decoded is remembered as such too, so
// that it is not read again until it changes.
//
// The decoded pixels are bounded: past the byte limit (or the entry limit,
// which bounds the remembered failures) the least recently used pictures are
// dropped. A caller that holds a picture keeps it alive regardless.
class TPictureCache {
 public:
  static constexpr std::size_t kDefaultByteLimit = std::size_t{256} << 20;
  static constexpr std::size_t kDefaultEntryLimit = 4096;

  explicit TPictureCache(std::size_t byteLimit = kDefaultByteLimit,
                         std::size_t entryLimit = kDefaultEntryLimit);
  TPictureCache(const TPictureCache&) = delete;
  TPictureCache& operator=(const TPictureCache&) = delete;

  // The instance every canvas shares.
  static TPictureCache& Shared();

  // The picture in fileName, or nullptr when the file is missing or cannot be
  // decoded. Looks at the file's metadata once per call; decodes only when
  // the file is new to the cache or has changed.
  std::shared_ptr<const TQtPicture> Load(const QString& fileName);

  void Clear();
  std::size_t Count() const;
  std::size_t DecodedBytes() const;

 private:
  struct TEntry {
    std::int64_t ModifiedMs = 0;
    std::int64_t Size = 0;
    std::shared_ptr<const TQtPicture> Picture;  // nullptr: the file did not decode
    std::list<QString>::iterator Use;
  };

  void Drop(std::unordered_map<QString, TEntry>::iterator it);
  void Evict();

  const std::size_t byteLimit_;
  const std::size_t entryLimit_;
  mutable std::mutex mutex_;
  std::unordered_map<QString, TEntry> entries_;
  std::list<QString> uses_;  // most recently used first
  std::size_t bytes_ = 0;
};
