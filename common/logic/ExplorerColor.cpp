// Parsing of Explorer's colour setting texts, strict so that a damaged value gives the default colour.
#include "ExplorerColor.h"

namespace kv {

std::uint32_t ParseExplorerColor(const wchar_t* text, std::size_t length, std::uint32_t defaultColor) {
  if (!text) return defaultColor;
  std::uint32_t fields[3] = {};
  std::size_t field = 0;
  std::size_t digits = 0;
  for (std::size_t i = 0; i < length && text[i] != L'\0'; ++i) {
    const wchar_t c = text[i];
    if (c >= L'0' && c <= L'9') {
      if (++digits > 3) return defaultColor;
      fields[field] = fields[field] * 10 + static_cast<std::uint32_t>(c - L'0');
    } else if (c == L',') {
      if (digits == 0 || field == 2) return defaultColor;
      ++field;
      digits = 0;
    } else {
      return defaultColor;
    }
  }
  if (field != 2 || digits == 0) return defaultColor;
  return (fields[0] & 0xFF) | (fields[1] & 0xFF) << 8 | (fields[2] & 0xFF) << 16;
}

}  // namespace kv
