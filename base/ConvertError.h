#pragma once

#include "base/Convert.h"
#include "base/QozError.h"

#include <string>
#include <string_view>

// A text that should hold an integer does not: "'ab' is not a valid integer value".
class EConvertError : public EQozError {
 public:
  explicit EConvertError(std::string_view text)
      : EQozError(QuotedText(text) + " is not a valid integer value") {}
};
