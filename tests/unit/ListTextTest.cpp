// The list text a drop-target hands its tool, from names of which some cannot be fetched.
#include <gtest/gtest.h>

#include "ListText.h"

namespace {

// Names given as written; an empty one stands for a name the drop handle cannot give.
class FakeNames : public kv::DroppedNames {
 public:
  explicit FakeNames(std::vector<std::wstring> names) : names_(std::move(names)) {}
  unsigned Count() const override { return static_cast<unsigned>(names_.size()); }
  bool Name(unsigned index, std::wstring& name) const override {
    if (names_[index].empty()) return false;
    name = names_[index];
    return true;
  }

 private:
  std::vector<std::wstring> names_;
};

struct Row {
  const char* rule;
  std::vector<std::wstring> names;
  std::wstring quoted;
  std::wstring nullSeparated;
};

TEST(ListText, QuotedAndNullSeparatedFormsLeaveOutNamesThatCannotBeFetched) {
  using namespace std::string_literals;
  const Row rows[] = {
      {"no names", {}, L"", L"\0"s},
      {"one name: quoted, no space", {L"C:\\a b.txt"}, L"\"C:\\a b.txt\"", L"C:\\a b.txt\0\0"s},
      {"three names", {L"C:\\a", L"C:\\b", L"C:\\c"}, L"\"C:\\a\" \"C:\\b\" \"C:\\c\"", L"C:\\a\0C:\\b\0C:\\c\0\0"s},
      {"the second cannot be fetched", {L"C:\\a", L"", L"C:\\c"}, L"\"C:\\a\" \"C:\\c\"", L"C:\\a\0C:\\c\0\0"s},
      {"the last cannot be fetched: the space stays", {L"C:\\a", L""}, L"\"C:\\a\" ", L"C:\\a\0\0"s},
      {"a name longer than a path buffer is kept whole", {std::wstring(300, L'x')},
       L"\"" + std::wstring(300, L'x') + L"\"", std::wstring(300, L'x') + L"\0\0"s},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(row.rule);
    EXPECT_EQ(kv::BuildListText(FakeNames(row.names), kv::ListForm::Quoted), row.quoted);
    EXPECT_EQ(kv::BuildListText(FakeNames(row.names), kv::ListForm::NullSeparated), row.nullSeparated);
  }
}

}  // namespace
