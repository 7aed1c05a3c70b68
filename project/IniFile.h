#pragma once

#include <string>
#include <vector>

// An INI file read and updated key by key: sections and keys are matched
// without regard to case, and whatever else the file holds (other sections,
// other keys, comments) is written back as it was.
class TIniFile {
 public:
  // Reads fileName; a missing file gives an empty INI. Throws EInOutError
  // when the file exists but cannot be read.
  static TIniFile Load(const std::string& fileName);

  // The value of key in section, or fallback when either is missing.
  std::string ReadString(const std::string& section, const std::string& key,
                         const std::string& fallback) const;
  // Sets key in section, adding the section and the key where missing.
  void WriteString(const std::string& section, const std::string& key, const std::string& value);

  // The file's text, lines ended with CR LF.
  std::string Text() const;
  // Writes Text() to fileName; throws EInOutError on failure.
  void SaveTo(const std::string& fileName) const;

 private:
  // Index of the section's header line, or -1.
  long FindSection(const std::string& section) const;
  // Index of the key's line within the section starting at header, or -1.
  long FindKey(long header, const std::string& key) const;
  // Index one past the last line of the section starting at header.
  long SectionEnd(long header) const;

  std::vector<std::string> lines_;
};
