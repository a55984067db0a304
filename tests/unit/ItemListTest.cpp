// Command-line splitting and the rewrite into stored names, against a fake file system.
#include <gtest/gtest.h>

#include <algorithm>
#include <cwctype>
#include <map>

#include "logic/ItemList.h"

namespace {

std::wstring Lower(std::wstring s) {
  std::transform(s.begin(), s.end(), s.begin(), [](wchar_t c) { return static_cast<wchar_t>(std::towlower(c)); });
  return s;
}

// Paths are found case-insensitively, as on a Windows volume; every lookup is recorded.
class FakeFiles : public kv::FileLookup {
 public:
  FakeFiles& Add(const std::wstring& path, const std::wstring& stored, const std::wstring& shortName = {}) {
    entries_[Lower(path)] = {stored, shortName};
    return *this;
  }
  FakeFiles& AddShort(const std::wstring& path, const std::wstring& shortPath) {
    shortPaths_[Lower(path)] = shortPath;
    return *this;
  }
  bool Find(const std::wstring& path, std::wstring& stored, std::wstring& shortName) const override {
    lookups.push_back(path);
    auto it = entries_.find(Lower(path));
    if (it == entries_.end()) return false;
    stored = it->second.first;
    shortName = it->second.second;
    return true;
  }
  bool ShortPath(const std::wstring& path, std::wstring& shortPath) const override {
    auto it = shortPaths_.find(Lower(path));
    shortPath = it == shortPaths_.end() ? path : it->second;
    return true;
  }
  mutable std::vector<std::wstring> lookups;

 private:
  std::map<std::wstring, std::pair<std::wstring, std::wstring>> entries_;
  std::map<std::wstring, std::wstring> shortPaths_;
};

FakeFiles StandardDisk() {
  FakeFiles fs;
  fs.Add(L"C:\\My Files", L"My Files", L"MYFILE~1")
      .Add(L"C:\\My Files\\a.txt", L"A.txt")
      .Add(L"C:\\b.txt", L"b.txt")
      .Add(L"C:\\windows", L"Windows")
      .Add(L"C:\\windows\\notepad.exe", L"notepad.exe")
      .Add(L"C:\\Program Files", L"Program Files", L"PROGRA~1")
      .Add(L"C:\\Program Files\\x.txt", L"x.txt")
      .Add(L"C:\\Program Files\\Long Name Tool.exe", L"Long Name Tool.exe", L"LONGNA~1.EXE")
      .Add(L"C:\\Docs", L"Docs")
      .Add(L"C:\\Docs\\Plan.TXT", L"Plan.txt")
      .Add(L"C:\\Docs\\*.txt", L"Plan.txt")
      .Add(L"\\\\server\\share\\dir", L"Dir")
      .Add(L"\\\\server\\share\\dir\\file", L"File")
      .AddShort(L"C:\\Program Files", L"C:\\PROGRA~1");
  return fs;
}

std::vector<std::wstring> Items(const wchar_t* line, bool nameOnly = false, bool shortNames = false) {
  FakeFiles fs = StandardDisk();
  return kv::ItemList(line, nameOnly, shortNames, fs).Items();
}

using List = std::vector<std::wstring>;

TEST(ItemList, SplitsAtUnquotedSpacesAndRewritesIntoStoredNames) {
  struct Row {
    const wchar_t* line;
    List items;
  } rows[] = {
      {L"", {}},
      {L"\"C:\\My Files\\a.txt\" C:\\b.txt", {L"C:\\My Files\\A.txt", L"C:\\b.txt"}},
      {L"c:\\windows\\notepad.exe", {L"c:\\Windows\\notepad.exe"}},
      {L"C:\\", {L"C:\\"}},
      {L"C:", {L"C:"}},
      {L"C:\\missing\\file.txt", {L"C:\\missing\\file.txt"}},
      {L"C:\\b.txt ", {L"C:\\b.txt", L""}},
      {L"C:\\b.txt  C:\\b.txt", {L"C:\\b.txt", L"", L"C:\\b.txt"}},
      {L" C:\\b.txt", {L"", L"C:\\b.txt"}},
      {L"C:\\\"My Files\"\\a.txt", {L"C:\\My Files\\A.txt"}},
      {L"C:\\b.txt \"C:\\My Files\\a.txt", {L"C:\\b.txt"}},
      {L"\"", {}},
      {L"\"\"", {L""}},
      {L"C:\\b.txt\tC:\\b.txt", {L"C:\\b.txt\tC:\\b.txt"}},
      {L"\\\\server\\share\\dir\\file", {L"\\\\server\\share\\Dir\\File"}},
      {L"\\\\server\\share", {L"\\\\server\\share"}},
      {L"\\\\server\\share\\", {L"\\\\server\\share\\"}},
      {L"C:\\Docs\\*.txt", {L"C:\\Docs\\Plan.txt"}},
      {L"plain", {L"plain"}},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(testing::PrintToString(std::wstring(row.line)));
    EXPECT_EQ(Items(row.line), row.items);
  }
}

TEST(ItemList, ShortNamesReplaceEveryComponentThatHasOne) {
  EXPECT_EQ(Items(L"\"C:\\Program Files\\x.txt\"", false, true), List{L"C:\\PROGRA~1\\x.txt"});
  EXPECT_EQ(Items(L"\"C:\\Program Files\\Long Name Tool.exe\"", false, true), List{L"C:\\PROGRA~1\\LONGNA~1.EXE"});
}

TEST(ItemList, NameOnlyKeepsTheLastComponentAsStored) {
  EXPECT_EQ(Items(L"C:\\Docs\\Plan.TXT", true), List{L"Plan.txt"});
  EXPECT_EQ(Items(L"\"C:\\Program Files\\Long Name Tool.exe\"", true, true), List{L"LONGNA~1.EXE"});
  // A path that cannot be looked up stays whole.
  EXPECT_EQ(Items(L"C:\\missing\\file.txt", true), List{L"C:\\missing\\file.txt"});
}

TEST(ItemList, TextLengthGrowsByWhatTheRewriteAdds) {
  FakeFiles fs = StandardDisk();
  fs.Add(L"C:\\PROGRA~1", L"Program Files").Add(L"C:\\PROGRA~1\\x.txt", L"x.txt");
  const wchar_t* line = L"C:\\PROGRA~1\\x.txt C:\\b.txt";
  kv::ItemList list(line, false, false, fs);
  ASSERT_EQ(list.Count(), 2u);
  EXPECT_EQ(list.Item(0), L"C:\\Program Files\\x.txt");
  EXPECT_EQ(list.TextLength(), std::wstring(line).size() + 5);
  EXPECT_EQ(list.CommandLine(), line);
}

TEST(ItemList, ShortItemsAndRootsAreNeverLookedUp) {
  FakeFiles fs = StandardDisk();
  kv::ItemList list(L"C: ab \\\\srv", false, false, fs);
  EXPECT_EQ(list.Count(), 3u);
  EXPECT_TRUE(fs.lookups.empty());
}

TEST(ItemList, OverlongPathsStayAsWrittenWithoutLookups) {
  FakeFiles fs = StandardDisk();
  const std::wstring longPath = L"C:\\" + std::wstring(300, L'x') + L"\\file.txt";
  kv::ItemList list(longPath.c_str(), false, false, fs);
  ASSERT_EQ(list.Count(), 1u);
  EXPECT_EQ(list.Item(0), longPath);
  EXPECT_TRUE(fs.lookups.empty());
}

TEST(ItemList, RewriteThatWouldPassTheLimitKeepsThePathAsWritten) {
  FakeFiles fs;
  const std::wstring longName(200, L'L');
  fs.Add(L"C:\\SHORT~1", longName).Add(L"C:\\SHORT~1\\" + std::wstring(60, L'f'), std::wstring(70, L'F'));
  const std::wstring path = L"C:\\SHORT~1\\" + std::wstring(60, L'f');
  EXPECT_EQ(kv::CanonicalizePath(path, false, false, fs), path);
}

TEST(ItemList, TenThousandCharactersSplitWithoutLoss) {
  std::wstring line;
  for (int i = 0; i < 1000; ++i) line += L"C:\\dir\\f" + std::to_wstring(i % 10) + L" ";
  line.resize(10000, L'x');
  FakeFiles fs;
  kv::ItemList list(line.c_str(), false, false, fs);
  size_t chars = 0;
  for (const auto& item : list.Items()) chars += item.size();
  EXPECT_EQ(chars + list.Count() - 1, line.size());
}

}  // namespace
