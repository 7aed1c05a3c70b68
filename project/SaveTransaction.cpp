#include "project/SaveTransaction.h"

#include "base/InOutError.h"

#include <cerrno>
#include <cstdio>
#include <cstring>

TSaveTransaction::~TSaveTransaction() {
  if (committed_) return;
  for (const std::string& target : targets_) std::remove(TemporaryName(target).c_str());
}

std::string TSaveTransaction::Stage(const std::string& target) {
  targets_.push_back(target);
  return TemporaryName(target);
}

void TSaveTransaction::Commit() {
  for (std::size_t i = 0; i < targets_.size(); ++i) {
    const std::string& target = targets_[i];
    if (std::rename(TemporaryName(target).c_str(), target.c_str()) != 0) {
      const int error = errno;
      // What was renamed already stays; the rest must not linger as clutter.
      for (std::size_t j = i; j < targets_.size(); ++j) {
        std::remove(TemporaryName(targets_[j]).c_str());
      }
      committed_ = true;
      throw EInOutError("Cannot replace file", target, std::strerror(error));
    }
  }
  committed_ = true;
}
