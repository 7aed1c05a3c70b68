#include "model/DataFileReader.h"

#include "base/DataFileError.h"
#include "base/InOutError.h"

#include <cerrno>
#include <cstring>
#include <utility>

TDataFileReader::TDataFileReader(const std::string& fileName, std::size_t chunk)
    : fileName_(fileName), chunk_(chunk) {
  file_ = std::fopen(fileName.c_str(), "rb");
  if (!file_) throw EInOutError("Cannot open file", fileName, std::strerror(errno));
  capacity_ = chunk_;
  buffer_ = std::make_unique_for_overwrite<char[]>(capacity_);
}

TDataFileReader::~TDataFileReader() {
  if (file_) std::fclose(file_);
}

bool TDataFileReader::Refill() {
  if (eof_) return false;
  // Keep the unread tail and make room behind it; a line longer than the
  // buffer makes the buffer grow.
  const std::size_t tail = end_ - start_;
  if (start_ > 0) {
    std::memmove(buffer_.get(), buffer_.get() + start_, tail);
    start_ = 0;
    end_ = tail;
  }
  if (capacity_ - end_ < chunk_ / 2) {
    auto grown = std::make_unique_for_overwrite<char[]>(capacity_ * 2);
    std::memcpy(grown.get(), buffer_.get(), end_);
    buffer_ = std::move(grown);
    capacity_ *= 2;
  }
  const std::size_t got = std::fread(buffer_.get() + end_, 1, capacity_ - end_, file_);
  if (got == 0) {
    if (std::ferror(file_)) throw EInOutError("Cannot read file", fileName_, std::strerror(errno));
    eof_ = true;
    return false;
  }
  end_ += got;
  return true;
}

bool TDataFileReader::NextLine() {
  std::size_t searchFrom = start_;
  for (;;) {
    const char* base = buffer_.get();
    const void* newline = std::memchr(base + searchFrom, '\n', end_ - searchFrom);
    if (newline) {
      std::size_t stop = static_cast<const char*>(newline) - base;
      const std::size_t next = stop + 1;
      if (stop > start_ && base[stop - 1] == '\r') --stop;
      line_ = std::string_view(base + start_, stop - start_);
      start_ = next;
      ++lineNumber_;
      return true;
    }
    const std::size_t scanned = end_ - start_;
    if (!Refill()) break;
    searchFrom = start_ + scanned;
  }
  if (start_ == end_) return false;
  // The last line of a file that does not end with a line break (a CR there
  // is the rest of a line end all the same).
  std::size_t stop = end_;
  if (buffer_[stop - 1] == '\r') --stop;
  line_ = std::string_view(buffer_.get() + start_, stop - start_);
  start_ = end_;
  ++lineNumber_;
  return true;
}

void TDataFileReader::Fail(const std::string& reason) const {
  throw EDataFileError(fileName_, lineNumber_, reason);
}
