#include "platform/QtText.h"

#include "base/Cp1252.h"

// Byte by byte through the code page's table: the same characters as going
// through UTF-8, without the intermediate string.
QString TQtText::FromCp1252(const std::string& bytes) {
  QString text(static_cast<qsizetype>(bytes.size()), Qt::Uninitialized);
  QChar* out = text.data();
  for (const char byte : bytes) {
    *out++ = QChar(static_cast<char16_t>(TCp1252::CharOf(static_cast<unsigned char>(byte))));
  }
  return text;
}
