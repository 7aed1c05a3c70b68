#pragma once

#include <cstdint>
#include <limits>

#include <xmmintrin.h>

[[noreturn]] void ThrowNearestOutOfRange(long double value);

// Rounds to the nearest integer, ties to even (the default floating-point
// rounding mode), as every zoom and every halving of a size does.
// Throws EIntOverflow when the result lies outside the 32-bit range.
//
// Inline and without a library call, since drawing rounds millions of
// values a second: adding and taking away 2^63 in extended precision (64
// mantissa bits) leaves exactly the integer nearest to the value, rounded as
// the current mode says. The sum is not folded away without -ffast-math.
inline std::int32_t Nearest(long double value) {
  static_assert(std::numeric_limits<long double>::digits == 64, "needs x87 extended precision");
  constexpr long double kShift = 0x1p63L;
  const long double rounded = value >= 0 ? (value + kShift) - kShift : (value - kShift) + kShift;
  if (!(rounded >= std::numeric_limits<std::int32_t>::min() &&
        rounded <= std::numeric_limits<std::int32_t>::max())) {
    ThrowNearestOutOfRange(value);
  }
  // Through double, which holds the whole number exactly: converting the
  // extended value straight to an integer would switch the processor's
  // rounding mode to truncation and back, which costs more than the rest.
  return static_cast<std::int32_t>(static_cast<double>(rounded));
}

// The same for a 32-bit float (a curve point), by the processor's own
// conversion, which rounds as the current mode says: a float converts to
// extended precision exactly, so this gives what the extended version gives.
inline std::int32_t Nearest(float value) {
  if (!(value >= -2147483648.0f && value < 2147483648.0f)) ThrowNearestOutOfRange(value);
  return _mm_cvtss_si32(_mm_set_ss(value));
}

// The smallest and the largest whole number at or beyond value, for bounds
// tests on every drawn item. The same shift as Nearest gives the nearest
// whole number without switching the rounding mode; a step corrects it.
// Values beyond ±2^52 (never a real coordinate) give ±2^62, which keeps a
// bound on the safe side and clear of overflow.
inline std::int64_t CeilWhole(long double value) {
  constexpr long double kExact = 0x1p52L;
  constexpr long double kShift = 0x1p63L;
  if (!(value < kExact)) return std::int64_t{1} << 62;
  if (!(value > -kExact)) return -(std::int64_t{1} << 62);
  long double rounded = value >= 0 ? (value + kShift) - kShift : (value - kShift) + kShift;
  if (rounded < value) rounded += 1;
  return static_cast<std::int64_t>(static_cast<double>(rounded));
}

inline std::int64_t FloorWhole(long double value) { return -CeilWhole(-value); }
