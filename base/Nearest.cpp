#include "base/Nearest.h"

#include "base/IntOverflow.h"

#include <cmath>
#include <limits>
#include <string>

std::int32_t Nearest(long double value) {
  const long double rounded = std::nearbyint(value);
  if (!(rounded >= std::numeric_limits<std::int32_t>::min() &&
        rounded <= std::numeric_limits<std::int32_t>::max())) {
    throw EIntOverflow("cannot round " + std::to_string(static_cast<double>(value)));
  }
  return static_cast<std::int32_t>(rounded);
}
