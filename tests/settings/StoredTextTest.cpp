// The bytes of a stored value turned into text: exactly the returned bytes, up to the first null character.
#include <gtest/gtest.h>

#include <string>

#include "logic/StoredText.h"

namespace {

TEST(StoredText, TextIsTheReturnedUtf16UnitsUpToTheFirstNull) {
  struct Row {
    const char* what;
    std::string bytes;
    std::wstring text;
  } rows[] = {
      {"nothing", std::string(), L""},
      {"without terminator", std::string("a\0b\0", 4), L"ab"},
      {"with terminator", std::string("a\0b\0\0\0", 6), L"ab"},
      {"null inside", std::string("a\0\0\0b\0", 6), L"a"},
      {"odd count drops the lone byte", std::string("a\0b\0c", 5), L"ab"},
      {"single byte", std::string("a", 1), L""},
      {"high bytes", std::string("\xE9\0\xAC\x20\x3D\xD8\x00\xDE", 8), L"\u00E9\u20AC\xD83D\xDE00"},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(row.what);
    EXPECT_EQ(kv::TextFromStoredBytes(reinterpret_cast<const unsigned char*>(row.bytes.data()), row.bytes.size()),
              row.text);
  }
}

TEST(StoredText, NothingBeyondTheGivenLengthIsRead) {
  // The bytes after the length say "zz": a reader that looked for a terminator past the end would take them.
  const unsigned char data[] = {'x', 0, 'y', 0, 'z', 0, 'z', 0, 0, 0};
  EXPECT_EQ(kv::TextFromStoredBytes(data, 4), L"xy");
  EXPECT_EQ(kv::TextFromStoredBytes(data, 3), L"x");
}

}  // namespace
