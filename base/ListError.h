#pragma once

#include "base/QozError.h"

#include <cstdint>
#include <string>

// An index outside an ordered list: "List index out of bounds (7)".
class EListError : public EQozError {
 public:
  // context, when given, says which list and stands before the message.
  explicit EListError(std::int64_t index, const std::string& context = {})
      : EQozError((context.empty() ? std::string() : context + ": ") +
                  "List index out of bounds (" + std::to_string(index) + ")"),
        Index(index) {}

  std::int64_t Index;
};
