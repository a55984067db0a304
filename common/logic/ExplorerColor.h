// The colour of link labels, parsed from Explorer's "r,g,b" setting text.
#pragma once
#include <cstddef>
#include <cstdint>

namespace kv {

// Blue, in the red-low-byte layout of a Windows colour.
constexpr std::uint32_t kDefaultLinkColor = 0xFF0000;

// Three decimal fields of one to three digits separated by commas (red, green, blue), each taken to its
// low 8 bits: red | green << 8 | blue << 16. The text ends at its first null or after `length`
// characters, whichever comes first. Anything else (other field counts, empty or longer fields, signs,
// spaces, letters) gives `defaultColor`.
std::uint32_t ParseExplorerColor(const wchar_t* text, std::size_t length, std::uint32_t defaultColor);

}  // namespace kv
