#pragma once

#include <string>
#include <string_view>

// The single-byte code page of the stored texts (Windows-1252). Texts stay in
// it throughout the core; only the windows and qoztool convert.
class TCp1252 {
 public:
  // Every byte has a character: the five bytes the code page leaves undefined
  // (0x81, 0x8D, 0x8F, 0x90, 0x9D) map to the control characters of the same
  // number, so that decoding and encoding again gives back the same bytes.
  static std::string ToUtf8(std::string_view bytes);

  // Characters the code page cannot hold, and malformed UTF-8, become "?".
  static std::string FromUtf8(std::string_view utf8);

  static char32_t CharOf(unsigned char byte);
  // The byte for a character, or -1 when the code page has none.
  static int ByteOf(char32_t character);
};
