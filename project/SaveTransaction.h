#pragma once

#include <string>
#include <vector>

// Saves a set of files all or nothing. Each file is written to a temporary
// sibling first; Commit renames them over their targets once every one of
// them was written and flushed. A transaction that is not committed removes
// its temporary files, leaving the previous files untouched.
class TSaveTransaction {
 public:
  TSaveTransaction() = default;
  ~TSaveTransaction();

  TSaveTransaction(const TSaveTransaction&) = delete;
  TSaveTransaction& operator=(const TSaveTransaction&) = delete;

  // The temporary file to write in place of target.
  std::string Stage(const std::string& target);

  // Renames every staged file over its target, in the order staged. Throws
  // EInOutError when a rename fails.
  void Commit();

  static std::string TemporaryName(const std::string& target) { return target + ".saving"; }

 private:
  std::vector<std::string> targets_;
  bool committed_ = false;
};
