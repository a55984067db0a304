// Which of the ten text blocks a system language identifier selects.
#pragma once
#include <cstddef>
#include <cstdint>

namespace kv {

constexpr int kEnglish = 1;

// Index 1..10 of the text block for a system language identifier (primary language in the low byte).
int LanguageIndexForLangId(std::uint16_t langId);

// The override as stored: the first four bytes, little-endian, whatever the value's type.
int LanguageIndexFromOverride(const unsigned char* data, std::size_t length);

}  // namespace kv
