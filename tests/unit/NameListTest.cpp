// The clipboard-as-name formatter and its ordering, against fake universal-name and URL services.
#include <gtest/gtest.h>

#include <functional>
#include <map>

#include "NameList.h"

namespace {

// Z: is a redirected network drive; C: a local disk. Escaping turns a drive path into a file URL.
class FakeServices : public kv::NameServices {
 public:
  bool UniversalName(const std::wstring& name, std::wstring& universal) const override {
    if (name.compare(0, 3, L"Z:\\") != 0) return false;
    universal = L"\\\\server\\share\\" + name.substr(3);
    return true;
  }
  bool CanonicalizeUrl(const std::wstring& name, std::wstring& canonical) const override {
    if (name == L"fail") return false;
    std::wstring escaped;
    for (wchar_t c : name) {
      if (c == L' ')
        escaped += L"%20";
      else if (c == L'<')
        escaped += L"%3C";
      else
        escaped += c;
    }
    canonical = (name.size() > 1 && name[1] == L':') ? L"file://" + escaped : escaped;
    return true;
  }
};

struct Row {
  const char* rule;
  std::vector<std::wstring> names;
  std::function<void(kv::NameListOptions&)> change;
  std::wstring expected;
  bool sort = true;
};

// What the drop handler does with the names: sort, quote, format.
std::wstring Format(std::vector<std::wstring> names, const kv::NameListOptions& options, bool sort) {
  if (sort) kv::SortNames(names);
  return kv::FormatNameList(kv::QuotedNameList(names), options, FakeServices());
}

const std::vector<std::wstring> kTwo = {L"C:\\My Docs\\a.txt", L"C:\\b.txt"};
void Defaults(kv::NameListOptions&) {}

TEST(NameList, FormatsEveryOptionAsTheStoredSettingsSay) {
  const Row rows[] = {
      {"defaults: sorted, spaced name quoted, final space", kTwo, Defaults,
       L"C:\\b.txt \"C:\\My Docs\\a.txt\" "},
      {"EndWithSpace off drops the final space", kTwo, [](auto& o) { o.endWithSpace = false; },
       L"C:\\b.txt \"C:\\My Docs\\a.txt\""},
      {"separate lines end every name with CR LF", kTwo, [](auto& o) { o.keepOnSeparateLines = true; },
       L"C:\\b.txt\r\n\"C:\\My Docs\\a.txt\"\r\n"},
      {"separate lines ignore EndWithSpace", kTwo,
       [](auto& o) { o.keepOnSeparateLines = true; o.endWithSpace = false; },
       L"C:\\b.txt\r\n\"C:\\My Docs\\a.txt\"\r\n"},
      {"custom wrap", kTwo, [](auto& o) { o.wrapMode = L"Custom"; },
       L"C:\\b.txt <C:\\My Docs\\a.txt> "},
      {"quotes in lower case mean custom", kTwo,
       [](auto& o) { o.wrapMode = L"quotes"; o.wrapBegin = L"[["; o.wrapEnd = L"]"; },
       L"C:\\b.txt [[C:\\My Docs\\a.txt] "},
      {"wrap off", kTwo, [](auto& o) { o.wrap = false; }, L"C:\\b.txt C:\\My Docs\\a.txt "},
      {"no name with a space: nothing wrapped", {L"C:\\x.txt", L"C:\\y.txt"}, Defaults, L"C:\\x.txt C:\\y.txt "},
      {"URL format with the default prefix; has-space flag set before the prefix", kTwo,
       [](auto& o) { o.urlFormat = true; }, L"file:///C:/b.txt \"file:///C:/My Docs/a.txt\" "},
      {"backslashes of the prefix become slashes too", {L"C:\\b.txt"},
       [](auto& o) { o.urlFormat = true; o.urlFormatPrefix = L"\\\\host\\"; }, L"//host/C:/b.txt "},
      {"a prefix with a space does not make a name wrapped", {L"C:\\b.txt"},
       [](auto& o) { o.urlFormat = true; o.urlFormatPrefix = L"my files:"; }, L"my files:C:/b.txt "},
      {"escaping suppresses wrapping and strips file://", kTwo, [](auto& o) { o.escapeFormat = true; },
       L"C:\\b.txt C:\\My%20Docs\\a.txt "},
      {"escaping of a bare name keeps the whole result", {L"a b<.txt"}, [](auto& o) { o.escapeFormat = true; },
       L"a%20b%3C.txt "},
      {"failed escaping leaves the name", {L"fail"}, [](auto& o) { o.escapeFormat = true; }, L"fail "},
      {"UNC on a local disk leaves the name", {L"C:\\b.txt"}, [](auto& o) { o.uncFormat = true; }, L"C:\\b.txt "},
      {"UNC on a network drive", {L"Z:\\dir\\f.txt"}, [](auto& o) { o.uncFormat = true; },
       L"\\\\server\\share\\dir\\f.txt "},
      {"UNC then URL then wrap, in that order", {L"Z:\\my dir\\f.txt"},
       [](auto& o) { o.uncFormat = true; o.urlFormat = true; o.urlFormatPrefix = L"file:"; },
       L"\"file://server/share/my dir/f.txt\" "},
      {"a short name without a space is not wrapped", {L"C:\\MYDOCS~1\\a.txt"}, Defaults, L"C:\\MYDOCS~1\\a.txt "},
      {"a single name without the final space is the name alone", {L"C:\\b.txt"},
       [](auto& o) { o.endWithSpace = false; }, L"C:\\b.txt"},
      {"a_b sorts before aB", {L"aB", L"a_b"}, Defaults, L"a_b aB "},
      {"unsorted keeps the list order", {L"aB", L"a_b"}, Defaults, L"aB a_b ", false},
      {"empty names are left out", {L"C:\\b.txt", L"", L"C:\\c.txt"}, [](auto& o) { o.endWithSpace = false; },
       L"C:\\b.txt C:\\c.txt", false},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(row.rule);
    kv::NameListOptions options;
    row.change(options);
    EXPECT_EQ(Format(row.names, options, row.sort), row.expected);
  }
}

TEST(NameList, OrderFoldsOnlyAsciiLettersAndPutsPrefixesFirst) {
  std::vector<std::wstring> names = {L"b", L"B2", L"a", L"\u00C4x", L"\u00E4x", L"Z", L"ab", L"A"};
  kv::SortNames(names);
  ASSERT_EQ(names.size(), 8u);
  EXPECT_TRUE(names[0] == L"a" || names[0] == L"A");
  EXPECT_TRUE(names[1] == L"a" || names[1] == L"A");
  EXPECT_EQ(names[2], L"ab");
  EXPECT_EQ(names[3], L"b");
  EXPECT_EQ(names[4], L"B2");
  EXPECT_EQ(names[5], L"Z");
  // U+00C4 is not folded to U+00E4, and both sort after every ASCII letter.
  EXPECT_EQ(names[6], L"\u00C4x");
  EXPECT_EQ(names[7], L"\u00E4x");
}

TEST(NameList, LongNamesAreKeptWholeAtEveryStep) {
  const std::wstring longName = L"C:\\" + std::wstring(255, L'x') + L" y";
  kv::NameListOptions options;
  options.urlFormat = true;
  options.urlFormatPrefix = std::wstring(300, L'p');
  options.wrapMode = L"Custom";
  options.wrapBegin = std::wstring(400, L'<');
  options.wrapEnd = std::wstring(400, L'>');
  const std::wstring text = kv::FormatNameList(kv::QuotedNameList({longName}), options, FakeServices());
  EXPECT_EQ(text, std::wstring(400, L'<') + std::wstring(300, L'p') + L"C:/" + std::wstring(255, L'x') + L" y" +
                      std::wstring(400, L'>') + L" ");
}

}  // namespace
