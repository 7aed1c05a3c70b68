#include "base/Cp1252.h"

#include <array>
#include <cstdint>

namespace {

// Characters of the bytes 0x80..0x9F; the rest of the code page is Latin-1.
constexpr std::array<char32_t, 32> kHighControls = {
    0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6, 0x2030, 0x0160,
    0x2039, 0x0152, 0x008D, 0x017D, 0x008F, 0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022,
    0x2013, 0x2014, 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178};

void AppendUtf8(std::string& out, char32_t c) {
  if (c < 0x80) {
    out.push_back(static_cast<char>(c));
  } else if (c < 0x800) {
    out.push_back(static_cast<char>(0xC0 | (c >> 6)));
    out.push_back(static_cast<char>(0x80 | (c & 0x3F)));
  } else {
    out.push_back(static_cast<char>(0xE0 | (c >> 12)));
    out.push_back(static_cast<char>(0x80 | ((c >> 6) & 0x3F)));
    out.push_back(static_cast<char>(0x80 | (c & 0x3F)));
  }
}

constexpr char32_t kMalformed = 0xFFFD;

// Decodes one UTF-8 sequence at text[pos]; answers U+FFFD for a malformed one
// and always advances pos by at least one byte.
char32_t NextCodePoint(std::string_view text, std::size_t& pos) {
  const auto lead = static_cast<unsigned char>(text[pos++]);
  if (lead < 0x80) return lead;
  int extra = 0;
  char32_t c = 0;
  char32_t smallest = 0;  // below it the sequence is an overlong form
  if ((lead & 0xE0) == 0xC0) {
    extra = 1;
    c = lead & 0x1F;
    smallest = 0x80;
  } else if ((lead & 0xF0) == 0xE0) {
    extra = 2;
    c = lead & 0x0F;
    smallest = 0x800;
  } else if ((lead & 0xF8) == 0xF0) {
    extra = 3;
    c = lead & 0x07;
    smallest = 0x10000;
  } else {
    return kMalformed;
  }
  for (int i = 0; i < extra; ++i) {
    if (pos >= text.size()) return kMalformed;
    const auto next = static_cast<unsigned char>(text[pos]);
    if ((next & 0xC0) != 0x80) return kMalformed;
    c = (c << 6) | (next & 0x3F);
    ++pos;
  }
  // Overlong forms could smuggle in a "/" or a NUL; surrogates and values past
  // the last code point are no characters at all.
  if (c < smallest || (c >= 0xD800 && c <= 0xDFFF) || c > 0x10FFFF) return kMalformed;
  return c;
}

}  // namespace

char32_t TCp1252::CharOf(unsigned char byte) {
  if (byte >= 0x80 && byte <= 0x9F) return kHighControls[byte - 0x80];
  return byte;
}

int TCp1252::ByteOf(char32_t character) {
  if (character < 0x80 || (character >= 0xA0 && character <= 0xFF)) {
    return static_cast<int>(character);
  }
  for (std::size_t i = 0; i < kHighControls.size(); ++i) {
    if (kHighControls[i] == character) return static_cast<int>(0x80 + i);
  }
  return -1;
}

std::string TCp1252::ToUtf8(std::string_view bytes) {
  std::string out;
  out.reserve(bytes.size());
  for (char b : bytes) AppendUtf8(out, CharOf(static_cast<unsigned char>(b)));
  return out;
}

std::string TCp1252::FromUtf8(std::string_view utf8) {
  std::string out;
  out.reserve(utf8.size());
  std::size_t pos = 0;
  while (pos < utf8.size()) {
    const int byte = ByteOf(NextCodePoint(utf8, pos));
    out.push_back(byte < 0 ? '?' : static_cast<char>(byte));
  }
  return out;
}
