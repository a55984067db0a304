// How the bytes of a stored setting become its text, kept free of the system so it is tested directly.
#pragma once
#include <cstddef>
#include <string>

namespace kv {

// The UTF-16 little-endian text in exactly `length` bytes: a lone last byte is no character, and the text ends
// at the first null character, so a stored terminator (and anything after it) is dropped.
inline std::wstring TextFromStoredBytes(const unsigned char* data, std::size_t length) {
  std::wstring text;
  text.reserve(length / 2);
  for (std::size_t i = 0; i + 1 < length; i += 2) {
    const wchar_t unit = static_cast<wchar_t>(data[i] | (data[i + 1] << 8));
    if (unit == L'\0') break;
    text.push_back(unit);
  }
  return text;
}

}  // namespace kv
