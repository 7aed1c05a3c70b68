#pragma once

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

  // The line must hold exactly count fields (count - 1 separators).
  void ExpectFields(int count) const;
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

  std::int32_t Int(std::string_view field, const char* name) const;
  std::uint8_t Byte(std::string_view field, const char* name) const;
  bool Bool(std::string_view field, const char* name) const { return Byte(field, name) != 0; }

  std::int32_t NextInt(const char* name) { return Int(NextField(), name); }
  std::uint8_t NextByte(const char* name) { return Byte(NextField(), name); }
  bool NextBool(const char* name) { return Bool(NextField(), name); }
  std::string NextText() { return std::string(NextField()); }
  std::string NextMultiLineText() { return MultiLineText(NextField()); }

  std::int32_t LastInt(const char* name) const { return Int(rest_, name); }
  std::uint8_t LastByte(const char* name) const { return Byte(rest_, name); }
  bool LastBool(const char* name) const { return Bool(rest_, name); }

  // A stored multi-line text with every 0xFE turned back into CR LF.
  static std::string MultiLineText(std::string_view stored);
  static int FieldCount(std::string_view line);

 private:
  const TDataFileReader& reader_;
  std::string_view rest_;
};
