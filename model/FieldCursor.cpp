#include "model/FieldCursor.h"

#include "base/Convert.h"
#include "model/DataFileReader.h"

#include <algorithm>

namespace {

std::string FieldsText(int count) {
  return std::to_string(count) + (count == 1 ? " field" : " fields");
}

}  // namespace

TFieldCursor::TFieldCursor(const TDataFileReader& reader, std::string_view line)
    : reader_(reader), line_(line), rest_(line) {}

int TFieldCursor::FieldCount(std::string_view line) {
  return 1 + static_cast<int>(std::count(line.begin(), line.end(), kSeparator));
}

void TFieldCursor::ExpectFields(int count) const {
  if (FieldCount(rest_) != count) FailFieldCount(count);
}

void TFieldCursor::BeginRecord(int count) {
  expected_ = count;
  if (rest_.empty()) FailFieldCount(count);
}

std::string_view TFieldCursor::LastField() const {
  if (expected_ > 0 && rest_.find(kSeparator) != std::string_view::npos) {
    FailFieldCount(expected_);
  }
  return rest_;
}

void TFieldCursor::FailFieldCount(int count) const {
  const int found = FieldCount(line_);
  if (line_.empty()) {
    reader_.Fail("the line is blank; a record of " + std::to_string(count) +
                 " fields was expected");
  }
  reader_.Fail("the line has " + FieldsText(found) + "; " + std::to_string(count) +
               " were expected");
}

void TFieldCursor::ExpectAtLeastFields(int count) const {
  const int found = FieldCount(rest_);
  if (found >= count) return;
  if (rest_.empty()) {
    reader_.Fail("the line is blank; a record of at least " + std::to_string(count) +
                 " fields was expected");
  }
  reader_.Fail("the line has " + FieldsText(found) + "; at least " + std::to_string(count) +
               " were expected");
}

std::string_view TFieldCursor::NextField() {
  const std::size_t stop = rest_.find(kSeparator);
  if (stop == std::string_view::npos) {
    if (expected_ > 0) FailFieldCount(expected_);
    return {};
  }
  std::string_view field = rest_.substr(0, stop);
  rest_.remove_prefix(stop + 1);
  return field;
}

std::string_view TFieldCursor::NextTextPart() {
  const std::size_t stop = rest_.find(kLineBreak);
  if (stop == std::string_view::npos) {
    std::string_view all = rest_;
    rest_ = {};
    return all;
  }
  std::string_view part = rest_.substr(0, stop);
  rest_.remove_prefix(stop + 1);
  return part;
}

void TFieldCursor::FailInt(std::string_view field, const char* name) const {
  reader_.Fail(std::string("field ") + name + ": " + QuotedText(field) +
               " is not a valid integer value");
}

std::uint8_t TFieldCursor::Byte(std::string_view field, const char* name) const {
  // One-byte fields keep the low byte of the integer, as they always have.
  return static_cast<std::uint8_t>(static_cast<std::uint32_t>(Int(field, name)) & 0xFFu);
}

std::string TFieldCursor::MultiLineText(std::string_view stored) {
  std::string text;
  text.reserve(stored.size() + 16);
  std::size_t from = 0;
  for (;;) {
    const std::size_t stop = stored.find(kLineBreak, from);
    if (stop == std::string_view::npos) break;
    text.append(stored.substr(from, stop - from));
    text.append("\r\n");
    from = stop + 1;
  }
  text.append(stored.substr(from));
  return text;
}
