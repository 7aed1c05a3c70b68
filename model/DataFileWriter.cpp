#include "model/DataFileWriter.h"

#include "base/InOutError.h"
#include "model/FieldCursor.h"
#include "model/FieldText.h"

#include <unistd.h>
#include <array>
#include <cerrno>
#include <charconv>
#include <cstring>

namespace {

constexpr std::size_t kFlushAt = 1 << 20;
// The bytes a multi-line text cannot keep as they are.
constexpr auto kSpecialInText = [] {
  std::array<bool, 256> special{};
  for (unsigned char c : {'\r', '\n', '\xFE', '\xFF'}) special[c] = true;
  return special;
}();

}  // namespace

TDataFileWriter::TDataFileWriter(const std::string& fileName) : fileName_(fileName) {
  file_ = std::fopen(fileName.c_str(), "wb");
  if (!file_) Fail("Cannot create file");
  buffer_.reserve(kFlushAt + 4096);
}

TDataFileWriter::~TDataFileWriter() {
  if (file_) std::fclose(file_);
}

void TDataFileWriter::Fail(const char* action) {
  const int error = errno;
  if (file_) {
    std::fclose(file_);
    file_ = nullptr;
  }
  throw EInOutError(action, fileName_, std::strerror(error));
}

void TDataFileWriter::Separate() {
  if (lineStarted_) buffer_.push_back(TFieldCursor::kSeparator);
  lineStarted_ = true;
}

void TDataFileWriter::Int(std::int32_t value) {
  Separate();
  char digits[16];
  auto [end, error] = std::to_chars(digits, digits + sizeof digits, value);
  (void)error;  // 16 characters always hold a 32-bit integer
  buffer_.append(digits, end);
}

void TDataFileWriter::Text(std::string_view text) {
  Separate();
  buffer_.append(TFieldText::SingleLine(text));
}

void TDataFileWriter::MultiLineText(std::string_view text) {
  Separate();
  // Memos are long and mostly plain: copy the runs between special bytes.
  std::size_t from = 0;
  for (std::size_t i = 0; i < text.size(); ++i) {
    const char c = text[i];
    if (!kSpecialInText[static_cast<unsigned char>(c)]) continue;
    buffer_.append(text.substr(from, i - from));
    if (c == '\r') {
      buffer_.push_back(TFieldCursor::kLineBreak);
    } else if (c != '\n') {
      buffer_.push_back(TFieldText::StorableInText(c));
    }
    from = i + 1;
  }
  buffer_.append(text.substr(from));
}

void TDataFileWriter::RawLine(std::string_view text) {
  buffer_.append(text);
  lineStarted_ = true;
  EndLine();
}

void TDataFileWriter::EndLine() {
  buffer_.append("\r\n");
  lineStarted_ = false;
  if (buffer_.size() >= kFlushAt) FlushBuffer();
}

void TDataFileWriter::FlushBuffer() {
  if (buffer_.empty()) return;
  if (std::fwrite(buffer_.data(), 1, buffer_.size(), file_) != buffer_.size()) {
    Fail("Cannot write file");
  }
  buffer_.clear();
}

void TDataFileWriter::Close() {
  if (!file_) return;
  FlushBuffer();
  if (std::fflush(file_) != 0) Fail("Cannot write file");
  // The file is about to replace the user's previous one: it must be on the
  // disk before the rename, or a crash could leave an empty project behind.
  if (::fsync(fileno(file_)) != 0) Fail("Cannot write file");
  const int closed = std::fclose(file_);
  file_ = nullptr;
  if (closed != 0) throw EInOutError("Cannot write file", fileName_, std::strerror(errno));
}
