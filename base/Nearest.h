#pragma once

#include <cstdint>

// Rounds to the nearest integer, ties to even (the default floating-point
// rounding mode), as every zoom and every halving of a size does.
// Throws EIntOverflow when the result lies outside the 32-bit range.
std::int32_t Nearest(long double value);
