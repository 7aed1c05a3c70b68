#pragma once

#include <stdexcept>
#include <string>

// Root of every error the core raises. The message is complete and meant for
// the user: callers show what() as it stands.
class EQozError : public std::runtime_error {
 public:
  explicit EQozError(const std::string& message) : std::runtime_error(message) {}
};
