#include "project/IniFile.h"

#include "base/InOutError.h"
#include "model/DataFileWriter.h"

#include <algorithm>
#include <cctype>
#include <cerrno>
#include <cstring>
#include <fstream>

namespace {

std::string Trimmed(const std::string& text) {
  const auto first = text.find_first_not_of(" \t");
  if (first == std::string::npos) return {};
  const auto last = text.find_last_not_of(" \t");
  return text.substr(first, last - first + 1);
}

bool SameName(const std::string& a, const std::string& b) {
  return a.size() == b.size() &&
         std::equal(a.begin(), a.end(), b.begin(), [](unsigned char x, unsigned char y) {
           return std::tolower(x) == std::tolower(y);
         });
}

bool IsSectionHeader(const std::string& line) {
  const std::string trimmed = Trimmed(line);
  return trimmed.size() >= 2 && trimmed.front() == '[' && trimmed.back() == ']';
}

std::string SectionName(const std::string& line) {
  const std::string trimmed = Trimmed(line);
  return Trimmed(trimmed.substr(1, trimmed.size() - 2));
}

// The key of a "key=value" line, or an empty text for any other line.
std::string KeyOf(const std::string& line) {
  const auto equals = line.find('=');
  if (equals == std::string::npos) return {};
  return Trimmed(line.substr(0, equals));
}

}  // namespace

TIniFile TIniFile::Load(const std::string& fileName) {
  TIniFile ini;
  std::ifstream in(fileName, std::ios::binary);
  if (!in) {
    if (errno == ENOENT) return ini;
    throw EInOutError("Cannot open file", fileName, std::strerror(errno));
  }
  std::string line;
  while (std::getline(in, line)) {
    if (!line.empty() && line.back() == '\r') line.pop_back();
    ini.lines_.push_back(line);
  }
  if (in.bad()) throw EInOutError("Cannot read file", fileName, std::strerror(errno));
  return ini;
}

long TIniFile::FindSection(const std::string& section) const {
  for (std::size_t i = 0; i < lines_.size(); ++i) {
    if (IsSectionHeader(lines_[i]) && SameName(SectionName(lines_[i]), section)) {
      return static_cast<long>(i);
    }
  }
  return -1;
}

long TIniFile::SectionEnd(long header) const {
  auto i = static_cast<std::size_t>(header) + 1;
  while (i < lines_.size() && !IsSectionHeader(lines_[i])) ++i;
  return static_cast<long>(i);
}

long TIniFile::FindKey(long header, const std::string& key) const {
  const long end = SectionEnd(header);
  for (long i = header + 1; i < end; ++i) {
    if (SameName(KeyOf(lines_[static_cast<std::size_t>(i)]), key)) return i;
  }
  return -1;
}

std::string TIniFile::ReadString(const std::string& section, const std::string& key,
                                 const std::string& fallback) const {
  const long header = FindSection(section);
  if (header < 0) return fallback;
  const long line = FindKey(header, key);
  if (line < 0) return fallback;
  const std::string& text = lines_[static_cast<std::size_t>(line)];
  return Trimmed(text.substr(text.find('=') + 1));
}

void TIniFile::WriteString(const std::string& section, const std::string& key,
                           const std::string& value) {
  const std::string entry = key + "=" + value;
  long header = FindSection(section);
  if (header < 0) {
    lines_.push_back("[" + section + "]");
    lines_.push_back(entry);
    return;
  }
  const long line = FindKey(header, key);
  if (line >= 0) {
    lines_[static_cast<std::size_t>(line)] = entry;
    return;
  }
  // After the section's last entry, before any blank lines that separate it
  // from the next section.
  long insertAt = SectionEnd(header);
  while (insertAt > header + 1 && Trimmed(lines_[static_cast<std::size_t>(insertAt - 1)]).empty()) {
    --insertAt;
  }
  lines_.insert(lines_.begin() + insertAt, entry);
}

std::string TIniFile::Text() const {
  std::string text;
  for (const std::string& line : lines_) {
    text += line;
    text += "\r\n";
  }
  return text;
}

void TIniFile::SaveTo(const std::string& fileName) const {
  TDataFileWriter writer(fileName);
  for (const std::string& line : lines_) writer.RawLine(line);
  writer.Close();
}
