#pragma once

#include "base/QozError.h"

#include <string>

// A sum, difference or rounding left the 32-bit integer range; such values are
// refused rather than wrapped.
class EIntOverflow : public EQozError {
 public:
  explicit EIntOverflow(const std::string& what) : EQozError("Integer overflow: " + what) {}
};
