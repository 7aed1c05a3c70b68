#include "project/DataFileSet.h"

#include <algorithm>
#include <cctype>
#include <filesystem>
#include <system_error>

namespace {

bool EqualIgnoringCase(std::string_view a, std::string_view b) {
  return a.size() == b.size() &&
         std::equal(a.begin(), a.end(), b.begin(), [](unsigned char x, unsigned char y) {
           return std::tolower(x) == std::tolower(y);
         });
}

}  // namespace

TDataFileSet::TDataFileSet(const std::string& projectFileName)
    : path_(DirectoryOf(projectFileName)), base_(BaseName(projectFileName)) {}

std::string TDataFileSet::DirectoryOf(const std::string& fileName) {
  const auto slash = fileName.find_last_of('/');
  return slash == std::string::npos ? std::string() : fileName.substr(0, slash + 1);
}

std::string TDataFileSet::BaseName(const std::string& fileName) {
  const auto slash = fileName.find_last_of('/');
  const std::string name = slash == std::string::npos ? fileName : fileName.substr(slash + 1);
  return name.substr(0, name.find('.'));
}

std::string TDataFileSet::NameFor(const char* suffix) const {
  return path_ + base_ + suffix + ".dat";
}

std::string TDataFileSet::Locate(const char* suffix) const {
  const std::string exact = NameFor(suffix);
  std::error_code error;
  if (std::filesystem::exists(exact, error)) return exact;
  const std::string wanted = std::string(suffix) + ".dat";
  const std::filesystem::path folder =
      path_.empty() ? std::filesystem::path(".") : std::filesystem::path(path_);
  std::string found;
  for (const auto& entry : std::filesystem::directory_iterator(folder, error)) {
    const std::string name = entry.path().filename().string();
    if (name.size() != base_.size() + wanted.size() || name.compare(0, base_.size(), base_) != 0) {
      continue;
    }
    // Several candidates (x_Not.dat beside x_not.dat) are resolved the same
    // way every time: the first in byte order.
    if (EqualIgnoringCase(std::string_view(name).substr(base_.size()), wanted) &&
        (found.empty() || name < found)) {
      found = name;
    }
  }
  return found.empty() ? exact : path_ + found;
}
