#pragma once

#include "base/DataFileError.h"

#include <cstdint>
#include <cstdio>
#include <memory>
#include <string>
#include <string_view>

// Reads a data file line by line (CR LF or LF line ends) through a large
// buffer, counting physical lines so that errors can say where they are.
class TDataFileReader {
 public:
  static constexpr std::size_t kDefaultChunk = 1 << 20;

  // Throws EInOutError when the file cannot be opened. chunk is how much is
  // read at a time (a reader that only looks at the first line wants little).
  explicit TDataFileReader(const std::string& fileName, std::size_t chunk = kDefaultChunk);
  ~TDataFileReader();

  TDataFileReader(const TDataFileReader&) = delete;
  TDataFileReader& operator=(const TDataFileReader&) = delete;

  // Moves to the next physical line; false at the end of the file. The line
  // stays valid until the next call. Throws EInOutError on a read failure.
  bool NextLine();
  std::string_view Line() const { return line_; }
  std::int64_t LineNumber() const { return lineNumber_; }
  const std::string& FileName() const { return fileName_; }

  // Runs parse; an error without a place (a bad integer, an index outside a
  // pool) is raised again as an EDataFileError naming this file and line.
  template <typename F>
  void Guarded(F&& parse) const {
    try {
      parse();
    } catch (const EDataFileError&) {
      throw;
    } catch (const EQozError& error) {
      Fail(error.what());
    }
  }

  [[noreturn]] void Fail(const std::string& reason) const;

  // Calls readRecord(reader) for every line of fileName, guarded as above; a
  // record that spans lines may read on with NextLine.
  template <typename ReadRecord>
  static void ForEachLine(const std::string& fileName, ReadRecord&& readRecord) {
    ForEachLineThen(fileName, readRecord, [] {});
  }

  // The same, then finish(): also when a line fails, before its error goes
  // on, so that a loader can complete what it read before the bad line.
  template <typename ReadRecord, typename Finish>
  static void ForEachLineThen(const std::string& fileName, ReadRecord&& readRecord,
                              Finish&& finish) {
    TDataFileReader reader(fileName);
    try {
      while (reader.NextLine()) reader.Guarded([&] { readRecord(reader); });
    } catch (...) {
      finish();
      throw;
    }
    finish();
  }

 private:
  bool Refill();

  std::string fileName_;
  std::FILE* file_ = nullptr;
  std::size_t chunk_;
  // Not a std::string: its resize would clear every byte before each read.
  std::unique_ptr<char[]> buffer_;
  std::size_t capacity_ = 0;
  std::size_t start_ = 0;  // first unread byte of buffer_
  std::size_t end_ = 0;    // one past the last valid byte
  bool eof_ = false;
  std::string_view line_;
  std::int64_t lineNumber_ = 0;
};
