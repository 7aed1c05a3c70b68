#include "base/IntOverflow.h"
#include "base/Nearest.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <limits>

namespace {

TEST(BaseNearest, RoundsHalvesToEven) {
  const std::pair<long double, std::int32_t> cases[] = {
      {0.5L, 0},    {1.5L, 2},    {2.5L, 2},   {3.5L, 4},    {-0.5L, 0},
      {-1.5L, -2},  {-2.5L, -2},  {0.49L, 0},  {0.51L, 1},   {-0.51L, -1},
      {2.6L, 3},    {7.0L, 7},    {0.0L, 0},   {-0.0L, 0},   {1e-30L, 0},
      {25 * static_cast<long double>(0.1), 3},  // just above the half in extended precision
      {2147483646.5L, 2147483646},  {2147483647.0L, 2147483647},
      {-2147483648.5L, std::numeric_limits<std::int32_t>::min()},
  };
  for (const auto& [value, expected] : cases) {
    EXPECT_EQ(Nearest(value), expected) << static_cast<double>(value);
  }
}

TEST(BaseNearest, ResultOutsideTheIntegerRangeThrows) {
  const long double cases[] = {2147483647.5L,  2147483648.0L, -2147483649.0L, -2147483649.5L,
                               1e30L,          std::numeric_limits<long double>::infinity(),
                               -std::numeric_limits<long double>::infinity(),
                               std::numeric_limits<long double>::quiet_NaN()};
  for (long double value : cases) {
    EXPECT_THROW(Nearest(value), EIntOverflow) << static_cast<double>(value);
  }
}

TEST(BaseNearest, RoundsFloatsAsTheirExtendedValues) {
  const std::pair<float, std::int32_t> cases[] = {
      {2.5f, 2}, {3.5f, 4}, {-2.5f, -2}, {0.49999997f, 0}, {-1.5f, -2}, {1e9f, 1000000000}};
  for (const auto& [value, expected] : cases) {
    EXPECT_EQ(Nearest(value), expected) << value;
    EXPECT_EQ(Nearest(value), Nearest(static_cast<long double>(value))) << value;
  }
  EXPECT_THROW(Nearest(2147483648.0f), EIntOverflow);
  EXPECT_THROW(Nearest(-3e9f), EIntOverflow);
  EXPECT_THROW(Nearest(std::numeric_limits<float>::quiet_NaN()), EIntOverflow);
}

}  // namespace
