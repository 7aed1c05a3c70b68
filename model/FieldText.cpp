#include "model/FieldText.h"

std::string TFieldText::SingleLine(std::string_view text) {
  std::string safe;
  safe.reserve(text.size());
  for (std::size_t i = 0; i < text.size(); ++i) {
    const char c = text[i];
    if (c == '\r' && i + 1 < text.size() && text[i + 1] == '\n') ++i;
    safe.push_back((c == '\r' || c == '\n') ? ' ' : StorableInLine(c));
  }
  return safe;
}

std::string TFieldText::MultiLine(std::string_view text) {
  std::string safe;
  safe.reserve(text.size());
  for (std::size_t i = 0; i < text.size(); ++i) {
    const char c = text[i];
    if (c == '\r' || c == '\n') {
      if (c == '\r' && i + 1 < text.size() && text[i + 1] == '\n') ++i;
      safe += "\r\n";
    } else {
      safe.push_back(StorableInText(c));
    }
  }
  return safe;
}
