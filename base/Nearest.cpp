#include "base/Nearest.h"

#include "base/IntOverflow.h"

#include <string>

void ThrowNearestOutOfRange(long double value) {
  throw EIntOverflow("cannot round " + std::to_string(static_cast<double>(value)));
}
