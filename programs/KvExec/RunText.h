// The text KvExec types into the Run dialog: the command line as received, cut cleanly when it is too long.
#pragma once
#include <cstddef>

namespace kv {

// Characters of the run text buffer, its terminator included.
constexpr std::size_t kRunTextChars = 8192;

// How many leading characters of the command line go into a buffer of `capacity` characters (terminator
// included): all of them when they fit; otherwise up to the end of the last whole item that fits (items end
// at unquoted spaces), so that no path is typed half; a first item longer than the buffer alone is cut at
// the buffer's end, never between the two halves of a surrogate pair.
std::size_t RunTextLength(const wchar_t* commandLine, std::size_t length, std::size_t capacity = kRunTextChars);

}  // namespace kv
