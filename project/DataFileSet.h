#pragma once

#include <string>

// The names of a project's six data files: the project file's directory, its
// base name, one of the suffixes "_Sht", "_Not", "_Rel", "_Pos", "_Att",
// "_Lnk", and ".dat".
class TDataFileSet {
 public:
  explicit TDataFileSet(const std::string& projectFileName);

  // The file name without its directory, cut before its first ".".
  static std::string BaseName(const std::string& fileName);
  // The directory part of fileName with its trailing separator; empty when
  // the name has no directory.
  static std::string DirectoryOf(const std::string& fileName);

  const std::string& Path() const { return path_; }
  const std::string& Base() const { return base_; }

  // The name a data file is written under.
  std::string NameFor(const char* suffix) const;
  // The data file to read: the exact name when it exists, else a file in the
  // same directory whose suffix differs only in case, else the exact name
  // (whose opening then fails, naming it).
  std::string Locate(const char* suffix) const;

 private:
  std::string path_;
  std::string base_;
};
