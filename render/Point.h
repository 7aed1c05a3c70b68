#pragma once

#include <cstdint>

// A point in world units or device pixels, as its user says.
struct TPoint {
  std::int32_t X = 0;
  std::int32_t Y = 0;
  bool operator==(const TPoint&) const = default;
};
