#pragma once

#include <cstdint>
#include <limits>
#include <string>
#include <string_view>

// Integer and text conversions of the data files and the project file.

// Decimal text to integer: an optional sign and digits, nothing else. Throws
// EConvertError for an empty text, any other character, or a value outside
// the 32-bit range.
std::int32_t StrToInt(std::string_view text);

// Like StrToInt, but answers false instead of throwing. Inline: it runs for
// every integer field of every record loaded.
inline bool TryStrToInt(std::string_view text, std::int32_t& value) {
  const char* p = text.data();
  const char* const end = p + text.size();
  if (p == end) return false;
  const bool negative = *p == '-';
  if (*p == '-' || *p == '+') {
    if (++p == end) return false;
  }
  while (end - p > 1 && *p == '0') ++p;  // leading zeros do not count as digits
  if (end - p > 10) return false;
  std::uint64_t magnitude = 0;
  for (; p < end; ++p) {
    const auto digit = static_cast<unsigned>(static_cast<unsigned char>(*p) - '0');
    if (digit > 9) return false;
    magnitude = magnitude * 10 + digit;
  }
  constexpr std::uint64_t kLargest = std::numeric_limits<std::int32_t>::max();
  if (magnitude > kLargest + (negative ? 1 : 0)) return false;
  value = negative ? static_cast<std::int32_t>(-static_cast<std::int64_t>(magnitude))
                   : static_cast<std::int32_t>(magnitude);
  return true;
}

// Decimal text, with a leading minus sign when negative, without leading zeros.
std::string IntToStr(std::int32_t value);

// text in single quotes for an error message: at most maxShown bytes (then
// "..."), and every byte that is not printable ASCII as \xHH, so that binary
// garbage or a NUL byte reads the same in any window or terminal.
std::string QuotedText(std::string_view text, std::size_t maxShown = 40);

[[noreturn]] void ThrowOverflow(std::int32_t a, const char* operation, std::int32_t b);

// Checked 32-bit arithmetic: throws EIntOverflow instead of wrapping. Inline,
// since every drawn coordinate passes through it.
inline std::int32_t CheckedAdd(std::int32_t a, std::int32_t b) {
  std::int32_t sum;
  if (__builtin_add_overflow(a, b, &sum)) ThrowOverflow(a, " + ", b);
  return sum;
}
// The same for a value summed in 64 bits: a + b must lie in the 32-bit range.
std::int32_t CheckedAdd(std::int32_t a, std::int64_t b);
inline std::int32_t CheckedSub(std::int32_t a, std::int32_t b) {
  std::int32_t difference;
  if (__builtin_sub_overflow(a, b, &difference)) ThrowOverflow(a, " - ", b);
  return difference;
}
