#pragma once

#include "base/QozError.h"

#include <cstdint>
#include <string>

// A data file holds a line the readers cannot take: the message names the file,
// the line (counted from 1, as an editor shows it) and what is wrong there.
class EDataFileError : public EQozError {
 public:
  EDataFileError(const std::string& fileName, std::int64_t line, const std::string& reason)
      : EQozError("Error in data file \"" + fileName + "\", line " + std::to_string(line) + ": " +
                  reason),
        FileName(fileName),
        Line(line),
        Reason(reason) {}

  std::string FileName;
  std::int64_t Line;
  std::string Reason;
};
