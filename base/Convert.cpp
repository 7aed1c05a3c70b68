#include "base/Convert.h"

#include "base/ConvertError.h"
#include "base/IntOverflow.h"

#include <charconv>
#include <limits>

std::int32_t StrToInt(std::string_view text) {
  std::int32_t value = 0;
  if (!TryStrToInt(text, value)) throw EConvertError(text);
  return value;
}

std::string IntToStr(std::int32_t value) {
  char buffer[16];
  auto [end, error] = std::to_chars(buffer, buffer + sizeof buffer, value);
  (void)error;  // 16 characters always hold a 32-bit integer
  return std::string(buffer, end);
}

std::string QuotedText(std::string_view text, std::size_t maxShown) {
  static constexpr char kHex[] = "0123456789ABCDEF";
  std::string quoted = "'";
  for (std::size_t i = 0; i < text.size() && i < maxShown; ++i) {
    const auto byte = static_cast<unsigned char>(text[i]);
    if (byte >= 0x20 && byte < 0x7F) {
      quoted.push_back(static_cast<char>(byte));
    } else {
      quoted += "\\x";
      quoted.push_back(kHex[byte >> 4]);
      quoted.push_back(kHex[byte & 0xF]);
    }
  }
  if (text.size() > maxShown) quoted += "...";
  return quoted + "'";
}

void ThrowOverflow(std::int32_t a, const char* operation, std::int32_t b) {
  throw EIntOverflow(IntToStr(a) + operation + IntToStr(b));
}

std::int32_t CheckedAdd(std::int32_t a, std::int64_t b) {
  constexpr std::int64_t kMin = std::numeric_limits<std::int32_t>::min();
  constexpr std::int64_t kMax = std::numeric_limits<std::int32_t>::max();
  if (b < kMin - a || b > kMax - a) throw EIntOverflow(IntToStr(a) + " + " + std::to_string(b));
  return static_cast<std::int32_t>(a + b);
}

