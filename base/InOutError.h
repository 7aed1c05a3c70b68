#pragma once

#include "base/QozError.h"

#include <string>

// A file could not be opened, read, written or renamed. The message names the
// file and gives the system's reason.
class EInOutError : public EQozError {
 public:
  EInOutError(const std::string& action, const std::string& fileName, const std::string& reason)
      : EQozError(action + " \"" + fileName + "\": " + reason), FileName(fileName) {}

  std::string FileName;
};
