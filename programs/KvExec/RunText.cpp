// Where a command line too long for the run text buffer is cut.
#include "RunText.h"

namespace kv {

std::size_t RunTextLength(const wchar_t* commandLine, std::size_t length, std::size_t capacity) {
  if (capacity == 0) return 0;
  const std::size_t limit = capacity - 1;
  if (length <= limit) return length;
  std::size_t cut = 0;
  bool quoting = false;
  // The character at `limit` is the first that does not fit; an unquoted space there still ends an item.
  for (std::size_t i = 0; i <= limit; ++i) {
    const wchar_t c = commandLine[i];
    if (c == L'"')
      quoting = !quoting;
    else if (c == L' ' && !quoting && i > 0 && commandLine[i - 1] != L' ')
      cut = i;
  }
  if (cut > 0) return cut;
  cut = limit;
  if (cut > 0 && commandLine[cut - 1] >= 0xD800 && commandLine[cut - 1] <= 0xDBFF) --cut;
  return cut;
}

}  // namespace kv
