#include "platform/QtText.h"

#include "base/Cp1252.h"

#include <QByteArray>

#include <string_view>

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

std::string TQtText::ToCp1252(const QString& text) {
  const QByteArray utf8 = text.toUtf8();
  return TCp1252::FromUtf8(std::string_view(utf8.constData(), static_cast<std::size_t>(utf8.size())));
}
