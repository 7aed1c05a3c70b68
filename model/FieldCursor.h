#pragma once

#include "base/Convert.h"

#include <cstdint>
#include <string>
#include <string_view>

class TDataFileReader;

// Takes one record line apart. Fields are separated by the byte 0xFF; a
// multi-line text stores each line break as 0xFE. Conversion failures are
// raised as EDataFileError naming the file, the line and the field.
class TFieldCursor {
 public:
  static constexpr char kSeparator = '\xFF';
  static constexpr char kLineBreak = '\xFE';

  TFieldCursor(const TDataFileReader& reader, std::string_view line);

  // The line must hold exactly count fields (count - 1 separators), checked
  // now, by counting them.
  void ExpectFields(int count) const;
  // The same check made while the fields are taken, so that the line is read
  // only once: a missing separator fails at NextField, a spare one when the
  // last field is taken with a Last... call.
  void BeginRecord(int count);
  // The line must hold at least count fields.
  void ExpectAtLeastFields(int count) const;

  // Text up to the next separator, which is consumed; when the line holds no
  // further separator the field is empty and the line stays as it is.
  std::string_view NextField();
  // Text up to the next 0xFE, which is consumed (an older multi-line text).
  std::string_view NextTextPart();
  // What remains of the line: the last field.
  std::string_view Rest() const { return rest_; }
  // Continues on another physical line of the same record.
  void Reset(std::string_view line) { rest_ = line; }

  std::int32_t Int(std::string_view field, const char* name) const {
    std::int32_t value = 0;
    if (!TryStrToInt(field, value)) FailInt(field, name);
    return value;
  }
  std::uint8_t Byte(std::string_view field, const char* name) const;
  bool Bool(std::string_view field, const char* name) const { return Byte(field, name) != 0; }

  std::int32_t NextInt(const char* name) { return Int(NextField(), name); }
  std::uint8_t NextByte(const char* name) { return Byte(NextField(), name); }
  bool NextBool(const char* name) { return Bool(NextField(), name); }
  std::string NextText() { return std::string(NextField()); }
  std::string NextMultiLineText() { return MultiLineText(NextField()); }

  std::int32_t LastInt(const char* name) const { return Int(LastField(), name); }
  bool LastBool(const char* name) const { return Bool(LastField(), name); }
  std::string LastMultiLineText() const { return MultiLineText(LastField()); }

  // A stored multi-line text with every 0xFE turned back into CR LF.
  static std::string MultiLineText(std::string_view stored);
  static int FieldCount(std::string_view line);

 private:
  std::string_view LastField() const;
  [[noreturn]] void FailInt(std::string_view field, const char* name) const;
  [[noreturn]] void FailFieldCount(int expected) const;

  const TDataFileReader& reader_;
  std::string_view line_;
  std::string_view rest_;
  int expected_ = 0;  // fields the record must have; 0 when not checked as it is read
};
