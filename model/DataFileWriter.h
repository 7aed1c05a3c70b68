#pragma once

#include <cstdint>
#include <cstdio>
#include <string>
#include <string_view>

// Writes a data file: fields separated by 0xFF, lines ended with CR LF. No
// field ever holds a byte the readers would take for structure: 0xFF in any
// text and 0xFE in a multi-line text become "?", and a single-line text keeps
// no line break, so every file written here reads back exactly as written.
class TDataFileWriter {
 public:
  // Creates the file anew; throws EInOutError when that fails.
  explicit TDataFileWriter(const std::string& fileName);
  // Closes without reporting; Close is the call that reports write errors.
  ~TDataFileWriter();

  TDataFileWriter(const TDataFileWriter&) = delete;
  TDataFileWriter& operator=(const TDataFileWriter&) = delete;

  void Int(std::int32_t value);
  // A single-line text: CR LF, CR or LF become one space.
  void Text(std::string_view text);
  // A multi-line text: each CR is stored as 0xFE, each LF is dropped.
  void MultiLineText(std::string_view text);
  // A line of its own, written as it stands (the sheet file's header).
  void RawLine(std::string_view text);
  void EndLine();

  // Writes what is buffered, flushes it to the disk and closes the file.
  // Throws EInOutError when any of it fails.
  void Close();

 private:
  void Separate();
  void FlushBuffer();
  [[noreturn]] void Fail(const char* action);

  std::string fileName_;
  std::FILE* file_ = nullptr;
  std::string buffer_;
  bool lineStarted_ = false;
};
