// The item list against the real file system: stored case, short names, wildcards.
#include <gtest/gtest.h>

#include "KvTest.h"
#include "logic/ItemList.h"

namespace {

std::wstring Upper(std::wstring s) {
  CharUpperW(&s[0]);
  return s;
}

TEST(SystemItemList, RewritesEveryComponentIntoItsStoredCase) {
  kvtest::TempDir dir;
  dir.AddFile(L"Mixed Case\\Report.Final.TXT", "x");
  const std::wstring typed = Upper(dir.Path()) + L"\\mixed case\\report.final.txt";
  const std::wstring line = L"\"" + typed + L"\"";
  kv::ItemList list(line.c_str());
  ASSERT_EQ(list.Count(), 1u);
  // The root keeps the case it was written in; everything after it is as stored.
  const std::wstring& item = list.Item(0);
  EXPECT_EQ(item.substr(0, 2), typed.substr(0, 2));
  EXPECT_EQ(lstrcmpiW(item.c_str(), (dir / L"Mixed Case\\Report.Final.TXT").c_str()), 0);
  EXPECT_NE(item.find(L"\\Mixed Case\\Report.Final.TXT"), std::wstring::npos);

  kv::ItemList nameOnly(line.c_str(), true);
  EXPECT_EQ(nameOnly.Item(0), L"Report.Final.TXT");
}

TEST(SystemItemList, ShortNamesFollowTheFileSystemsShortForms) {
  kvtest::TempDir dir;
  const std::wstring file = dir.AddFile(L"A Long Folder Name\\a long file name.text", "x");
  wchar_t expected[MAX_PATH];
  ASSERT_GT(GetShortPathNameW(file.c_str(), expected, MAX_PATH), 0u);
  kv::ItemList list((L"\"" + file + L"\"").c_str(), false, true);
  ASSERT_EQ(list.Count(), 1u);
  EXPECT_EQ(lstrcmpiW(list.Item(0).c_str(), expected), 0) << kvtest::Narrow(list.Item(0)) << " vs "
                                                          << kvtest::Narrow(expected);
}

TEST(SystemItemList, WildcardComponentBecomesTheFirstMatchAndMissingPathsStay) {
  kvtest::TempDir dir;
  dir.AddFile(L"only.log", "x");
  kv::ItemList list((dir.Path() + L"\\*.log " + dir.Path() + L"\\nothing\\here.txt").c_str());
  ASSERT_EQ(list.Count(), 2u);
  EXPECT_EQ(list.Item(0).substr(list.Item(0).size() - 9), L"\\only.log");
  EXPECT_EQ(list.Item(1), dir.Path() + L"\\nothing\\here.txt");
}

}  // namespace
