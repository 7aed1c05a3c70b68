#pragma once

#include <string>
#include <vector>

// Saves a set of files all or nothing. Each file is written to a temporary
// sibling first; Commit renames them over their targets once every one of
// them was written and flushed. A transaction that is not committed removes
// its temporary files, leaving the previous files untouched. While Commit
// replaces the files, the previous ones are kept under a backup name, so that
// a rename failing half way through can put every one of them back.
class TSaveTransaction {
 public:
  TSaveTransaction() = default;
  ~TSaveTransaction();

  TSaveTransaction(const TSaveTransaction&) = delete;
  TSaveTransaction& operator=(const TSaveTransaction&) = delete;

  // The temporary file to write in place of target.
  std::string Stage(const std::string& target);

  // Renames every staged file over its target, in the order staged; a new
  // file takes over the permissions of the one it replaces. Throws
  // EInOutError when a target may not be written or a rename fails; every
  // target is then as it was before.
  void Commit();

  static std::string TemporaryName(const std::string& target) { return target + ".saving"; }
  static std::string BackupName(const std::string& target) { return target + ".previous"; }

 private:
  void TakeOverPermissions() const;
  void KeepBackups(std::vector<bool>& backedUp) const;
  void RollBack(std::size_t replaced, const std::vector<bool>& backedUp) const;
  void RemoveFiles(std::size_t from, std::string (*nameOf)(const std::string&)) const;

  std::vector<std::string> targets_;
  bool committed_ = false;
};
