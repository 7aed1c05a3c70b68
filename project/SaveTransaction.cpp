#include "project/SaveTransaction.h"

#include "base/InOutError.h"

#include <sys/stat.h>
#include <unistd.h>
#include <cerrno>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <system_error>

namespace {

// unlink, not remove: a folder standing where a file was expected is not ours
// to delete.
void RemoveFile(const std::string& name) { ::unlink(name.c_str()); }

// A second name for the previous file, so that it survives being replaced. A
// hard link costs nothing; a file system without them gets a copy.
bool KeepCopy(const std::string& from, const std::string& to) {
  RemoveFile(to);
  if (::link(from.c_str(), to.c_str()) == 0) return true;
  std::error_code error;
  return std::filesystem::copy_file(from, to, error);
}

}  // namespace

TSaveTransaction::~TSaveTransaction() {
  if (!committed_) RemoveFiles(0, &TemporaryName);
}

std::string TSaveTransaction::Stage(const std::string& target) {
  targets_.push_back(target);
  return TemporaryName(target);
}

void TSaveTransaction::RemoveFiles(std::size_t from,
                                   std::string (*nameOf)(const std::string&)) const {
  for (std::size_t i = from; i < targets_.size(); ++i) RemoveFile(nameOf(targets_[i]));
}

void TSaveTransaction::KeepBackups(std::vector<bool>& backedUp) const {
  for (std::size_t i = 0; i < targets_.size(); ++i) {
    std::error_code error;
    if (!std::filesystem::is_regular_file(targets_[i], error)) continue;
    if (!KeepCopy(targets_[i], BackupName(targets_[i]))) {
      const int reason = errno;
      RemoveFiles(0, &BackupName);
      throw EInOutError("Cannot keep a copy of file", targets_[i], std::strerror(reason));
    }
    backedUp[i] = true;
  }
}

void TSaveTransaction::RollBack(std::size_t replaced, const std::vector<bool>& backedUp) const {
  for (std::size_t i = 0; i < replaced; ++i) {
    const std::string& target = targets_[i];
    if (backedUp[i]) {
      std::rename(BackupName(target).c_str(), target.c_str());
    } else {
      RemoveFile(target);
    }
  }
}

void TSaveTransaction::TakeOverPermissions() const {
  for (const std::string& target : targets_) {
    struct stat old {};
    if (::stat(target.c_str(), &old) != 0) continue;  // a new file
    // Renaming needs only the folder's permission: a file the user made
    // read-only must stop the save as writing into it would.
    if (::access(target.c_str(), W_OK) != 0) {
      throw EInOutError("Cannot write file", target, std::strerror(errno));
    }
    // The new file keeps the old one's permissions, private ones included.
    ::chmod(TemporaryName(target).c_str(), old.st_mode & 07777);
  }
}

void TSaveTransaction::Commit() {
  TakeOverPermissions();
  std::vector<bool> backedUp(targets_.size(), false);
  KeepBackups(backedUp);
  for (std::size_t i = 0; i < targets_.size(); ++i) {
    const std::string& target = targets_[i];
    if (std::rename(TemporaryName(target).c_str(), target.c_str()) != 0) {
      const int reason = errno;
      RollBack(i, backedUp);
      RemoveFiles(0, &TemporaryName);
      RemoveFiles(0, &BackupName);
      committed_ = true;
      throw EInOutError("Cannot replace file", target, std::strerror(reason));
    }
  }
  RemoveFiles(0, &BackupName);
  committed_ = true;
}
