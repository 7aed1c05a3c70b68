#include "base/Convert.h"
#include "base/ConvertError.h"
#include "base/IntOverflow.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <limits>
#include <ostream>
#include <string>
#include <string_view>

namespace {

constexpr std::int32_t kMax = std::numeric_limits<std::int32_t>::max();
constexpr std::int32_t kMin = std::numeric_limits<std::int32_t>::min();

struct TIntText {
  const char* Name;
  std::string_view Text;
  bool Valid;
  std::int32_t Value;
};

void PrintTo(const TIntText& c, std::ostream* os) { *os << '"' << c.Text << '"'; }

class BaseConvertStrToInt : public ::testing::TestWithParam<TIntText> {};

TEST_P(BaseConvertStrToInt, AcceptsOnlyASignAndDecimalDigits) {
  const TIntText& c = GetParam();
  std::int32_t value = 12345;
  EXPECT_EQ(TryStrToInt(c.Text, value), c.Valid);
  if (c.Valid) {
    EXPECT_EQ(value, c.Value);
    EXPECT_EQ(StrToInt(c.Text), c.Value);
  } else {
    try {
      StrToInt(c.Text);
      ADD_FAILURE() << "no error for '" << c.Text << "'";
    } catch (const EConvertError& error) {
      EXPECT_EQ(error.what(), "'" + std::string(c.Text) + "' is not a valid integer value");
    }
  }
}

INSTANTIATE_TEST_SUITE_P(
    Base, BaseConvertStrToInt,
    ::testing::Values(TIntText{"Zero", "0", true, 0}, TIntText{"MinusOne", "-1", true, -1},
                      TIntText{"PlusFive", "+5", true, 5},
                      TIntText{"LeadingZeros", "007", true, 7},
                      TIntText{"Max", "2147483647", true, kMax},
                      TIntText{"Min", "-2147483648", true, kMin},
                      TIntText{"AboveMax", "2147483648", false, 0},
                      TIntText{"BelowMin", "-2147483649", false, 0},
                      TIntText{"Empty", "", false, 0}, TIntText{"Letters", "ab", false, 0},
                      TIntText{"LeadingSpace", " 1", false, 0},
                      TIntText{"TrailingSpace", "1 ", false, 0},
                      TIntText{"Hex", "0x1F", false, 0}, TIntText{"MinusOnly", "-", false, 0},
                      TIntText{"PlusOnly", "+", false, 0},
                      TIntText{"PlusMinus", "+-1", false, 0},
                      TIntText{"DoubleMinus", "--1", false, 0},
                      TIntText{"Fraction", "1.0", false, 0}),
    [](const ::testing::TestParamInfo<TIntText>& info) { return std::string(info.param.Name); });

TEST(BaseConvert, ErrorMessageQuotesTheText) {
  try {
    StrToInt("ab");
    FAIL() << "no error";
  } catch (const EQozError& error) {
    EXPECT_STREQ(error.what(), "'ab' is not a valid integer value");
  }
}

TEST(BaseConvert, IntToStrWritesPlainDecimalThatReadsBack) {
  const std::pair<std::int32_t, const char*> cases[] = {
      {0, "0"}, {-1, "-1"}, {42, "42"}, {1000, "1000"}, {kMax, "2147483647"}, {kMin, "-2147483648"}};
  for (const auto& [value, text] : cases) {
    EXPECT_EQ(IntToStr(value), text);
    EXPECT_EQ(StrToInt(IntToStr(value)), value);
  }
}

struct TArithmetic {
  bool Add;  // else subtract
  std::int32_t A;
  std::int32_t B;
  bool Overflows;
  std::int32_t Result;
};

TEST(BaseConvert, CheckedArithmeticThrowsInsteadOfWrapping) {
  const TArithmetic cases[] = {
      {true, 2, 3, false, 5},           {true, kMax, 0, false, kMax},
      {true, kMax, 1, true, 0},         {true, kMin, -1, true, 0},
      {true, kMax, kMin, false, -1},    {true, kMin, kMin, true, 0},
      {false, 2, 3, false, -1},         {false, kMin, 1, true, 0},
      {false, kMax, -1, true, 0},       {false, 0, kMin, true, 0},
      {false, -1, kMin, false, kMax},   {false, kMin, kMin, false, 0},
  };
  for (const TArithmetic& c : cases) {
    SCOPED_TRACE(std::to_string(c.A) + (c.Add ? " + " : " - ") + std::to_string(c.B));
    auto run = [&] { return c.Add ? CheckedAdd(c.A, c.B) : CheckedSub(c.A, c.B); };
    if (c.Overflows) {
      EXPECT_THROW(run(), EIntOverflow);
    } else {
      EXPECT_EQ(run(), c.Result);
    }
  }
}

}  // namespace
