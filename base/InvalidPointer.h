#pragma once

#include "base/QozError.h"

#include <string>

// A programming error: an object was used before its members were set, as in
// "TNoteDrawBot: Members not initialized...".
class EInvalidPointer : public EQozError {
 public:
  explicit EInvalidPointer(const std::string& message) : EQozError(message) {}
};
