#pragma once

#include <cstdint>

// A rectangle that covers Left..Right-1 and Top..Bottom-1, in world units or
// device pixels as its user says. Right <= Left or Bottom <= Top is empty.
struct TRect {
  std::int32_t Left = 0;
  std::int32_t Top = 0;
  std::int32_t Right = 0;
  std::int32_t Bottom = 0;

  bool IsEmpty() const { return Right <= Left || Bottom <= Top; }
  bool operator==(const TRect&) const = default;
};
