#pragma once

#include <QString>

#include <string>

// The texts the core keeps are Windows-1252 bytes; the windows show QStrings.
class TQtText {
 public:
  static QString FromCp1252(const std::string& bytes);
  // Characters the code page cannot hold become "?".
  static std::string ToCp1252(const QString& text);
};
