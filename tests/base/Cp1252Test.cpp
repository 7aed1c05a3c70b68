#include "base/Cp1252.h"

#include <gtest/gtest.h>

#include <array>
#include <string>

namespace {

// The characters of the bytes 0x80..0x9F; the five bytes the code page leaves
// undefined stand for the control characters of the same number.
constexpr std::array<char32_t, 32> kHigh = {
    0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021,
    0x02C6, 0x2030, 0x0160, 0x2039, 0x0152, 0x008D, 0x017D, 0x008F,
    0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022, 0x2013, 0x2014,
    0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178};

char32_t Expected(unsigned b) { return (b >= 0x80 && b <= 0x9F) ? kHigh[b - 0x80] : b; }

std::string Utf8(char32_t c) {
  std::string out;
  if (c < 0x80) {
    out += static_cast<char>(c);
  } else if (c < 0x800) {
    out += static_cast<char>(0xC0 | (c >> 6));
    out += static_cast<char>(0x80 | (c & 0x3F));
  } else {
    out += static_cast<char>(0xE0 | (c >> 12));
    out += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
    out += static_cast<char>(0x80 | (c & 0x3F));
  }
  return out;
}

TEST(BaseCp1252, EveryByteDecodesToItsCharacterAndBack) {
  std::string all;
  for (unsigned b = 0; b < 256; ++b) {
    SCOPED_TRACE(b);
    const std::string byte(1, static_cast<char>(b));
    EXPECT_EQ(TCp1252::CharOf(static_cast<unsigned char>(b)), Expected(b));
    EXPECT_EQ(TCp1252::ToUtf8(byte), Utf8(Expected(b)));
    EXPECT_EQ(TCp1252::ByteOf(Expected(b)), static_cast<int>(b));
    all += byte;
  }
  EXPECT_EQ(TCp1252::FromUtf8(TCp1252::ToUtf8(all)), all);
}

TEST(BaseCp1252, HighControlRangeEnds) {
  EXPECT_EQ(TCp1252::ToUtf8("\x80"), "\xE2\x82\xAC");  // euro sign
  EXPECT_EQ(TCp1252::ToUtf8("\x9F"), "\xC5\xB8");      // Y with diaeresis
  EXPECT_EQ(TCp1252::FromUtf8("\xE2\x82\xAC"), "\x80");
  EXPECT_EQ(TCp1252::FromUtf8("\xC5\xB8"), "\x9F");
}

TEST(BaseCp1252, CharactersOutsideTheCodePageBecomeQuestionMarks) {
  const std::pair<const char*, const char*> cases[] = {
      {"\xE4\xB8\xAD", "?"},            // a CJK ideograph
      {"\xC4\x80", "?"},                // A with macron, just above Latin-1
      {"a\xF0\x9F\x98\x80" "b", "a?b"},  // an emoji between letters
      {"\xE2\x80\x9C" "x\xE2\x80\x9D", "\x93x\x94"},
  };
  for (const auto& [utf8, bytes] : cases) {
    EXPECT_EQ(TCp1252::FromUtf8(utf8), bytes) << utf8;
  }
  EXPECT_EQ(TCp1252::ByteOf(0x4E2D), -1);
}

TEST(BaseCp1252, MalformedUtf8BecomesQuestionMarksOnly) {
  const char* cases[] = {
      "\xC3",              // lead byte at the end
      "\x80",              // lone continuation byte
      "\xBF\xBF",          // two continuation bytes
      "\xE2\x82",          // cut three-byte sequence
      "\xF0\x9F\x98",      // cut four-byte sequence
      "\xFF",              // never valid
      "\xFE",              // never valid
      "\xED\xA0\x80",      // a surrogate
      "\xF4\x90\x80\x80",  // above U+10FFFF
      "\xC0\xAF",          // overlong "/"
      "\xE0\x80\xAF",      // overlong "/"
      "\xC1\x81",          // overlong "A"
  };
  for (const char* utf8 : cases) {
    const std::string bytes = TCp1252::FromUtf8(utf8);
    EXPECT_FALSE(bytes.empty()) << testing::PrintToString(utf8);
    EXPECT_EQ(bytes.find_first_not_of('?'), std::string::npos)
        << testing::PrintToString(utf8) << " gave " << testing::PrintToString(bytes);
  }
  // What follows a broken sequence still comes through.
  EXPECT_EQ(TCp1252::FromUtf8("\xC3("), "?(");
  EXPECT_EQ(TCp1252::FromUtf8("a\x80z"), "a?z");
}

}  // namespace
