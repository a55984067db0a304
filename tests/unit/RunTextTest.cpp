// KvExec's run text: the command line as received, cut after its last whole item when it does not fit.
#include <gtest/gtest.h>

#include <string>

#include "RunText.h"

namespace {

std::wstring Cut(const std::wstring& line, std::size_t capacity) {
  return line.substr(0, kv::RunTextLength(line.c_str(), line.size(), capacity));
}

TEST(RunText, ACommandLineThatFitsIsTakenExactlyAsReceived) {
  const std::wstring line = L"\"C:\\My Files\\a b.txt\"  C:\\x.txt ";
  EXPECT_EQ(Cut(line, line.size() + 1), line);
  EXPECT_EQ(Cut(line, kv::kRunTextChars), line);
  EXPECT_EQ(Cut(L"", 1), L"");
}

TEST(RunText, ALongerCommandLineKeepsOnlyTheWholeItemsThatFit) {
  struct Row {
    std::wstring line;
    std::size_t capacity;
    std::wstring expected;
  } rows[] = {
      {L"C:\\aa C:\\bb C:\\cc", 12, L"C:\\aa C:\\bb"},  // the space right after the last fitting item
      {L"C:\\aa C:\\bb C:\\cc", 11, L"C:\\aa"},
      {L"C:\\aa   C:\\bb C:\\cc", 12, L"C:\\aa"},  // no trailing spaces
      // A space inside quotes ends nothing: the quoted path is one item.
      {L"C:\\aa \"C:\\b b\" C:\\cc", 16, L"C:\\aa \"C:\\b b\""},
      {L"C:\\aa \"C:\\b b\" C:\\cc", 14, L"C:\\aa"},
      {L"\"C:\\a a\"\"b\" C:\\cc", 13, L"\"C:\\a a\"\"b\""},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(testing::PrintToString(row.line));
    SCOPED_TRACE(row.capacity);
    EXPECT_EQ(Cut(row.line, row.capacity), row.expected);
  }
}

TEST(RunText, AFirstItemLongerThanTheBufferIsCutAtItsEndButNeverInsideASurrogatePair) {
  const std::wstring item(kv::kRunTextChars + 10, L'p');
  EXPECT_EQ(Cut(item + L" C:\\b", kv::kRunTextChars), item.substr(0, kv::kRunTextChars - 1));
  // U+1F600 as a surrogate pair whose second half would be the first character cut away.
  const std::wstring pair = L"\xD83D\xDE00";
  EXPECT_EQ(Cut(L"abc" + pair + L"def", 5), L"abc");
  EXPECT_EQ(Cut(L"ab" + pair + L"def", 5), L"ab" + pair);
  EXPECT_EQ(Cut(L"\"C:\\a b c d e\"", 8), L"\"C:\\a b");
}

}  // namespace
