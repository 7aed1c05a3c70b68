#pragma once

#include <string>
#include <string_view>

// Keeps texts storable. The data files have no escapes: 0xFF separates
// fields, so no field may hold it; a multi-line text stores its line breaks as
// 0xFE, so it may not hold 0xFE itself; a single-line field may hold no line
// break. (0xFE, the letter thorn, is harmless in a single-line field and is
// kept there.) Setters and the plain adds pass texts through here so that
// what is in memory is exactly what the next load gives back.
class TFieldText {
 public:
  // 0xFF becomes "?"; CR LF, CR or LF become one space.
  static std::string SingleLine(std::string_view text);
  // 0xFF and 0xFE become "?"; every line break (CR LF, a lone CR, a lone LF)
  // becomes CR LF, the only break the data files keep.
  static std::string MultiLine(std::string_view text);

  // The byte that stands for c in a single-line field, and in a multi-line one.
  static char StorableInLine(char c) { return c == '\xFF' ? '?' : c; }
  static char StorableInText(char c) { return (c == '\xFF' || c == '\xFE') ? '?' : c; }
};
