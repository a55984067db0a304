// KvTrash's action rules and the path list handed to the shell.
#include <gtest/gtest.h>

#include "Deletion.h"
#include "logic/ItemList.h"

namespace {

std::wstring Flatten(const std::vector<wchar_t>& list) { return std::wstring(list.begin(), list.end()); }

TEST(TrashAction, ControlShredsWhateverShiftSaysShiftDeletesNoneRecycles) {
  EXPECT_EQ(kv::ChooseTrashAction(false, false), kv::TrashAction::Recycle);
  EXPECT_EQ(kv::ChooseTrashAction(false, true), kv::TrashAction::Delete);
  EXPECT_EQ(kv::ChooseTrashAction(true, false), kv::TrashAction::Shred);
  EXPECT_EQ(kv::ChooseTrashAction(true, true), kv::TrashAction::Shred);
}

TEST(TrashAction, RecycleWarnsBeforeAnythingIsDestroyedAndShredAsksNothingMore) {
  EXPECT_EQ(kv::TrashFlags(kv::TrashAction::Recycle), 0x0040u | 0x4000u);
  EXPECT_EQ(kv::TrashFlags(kv::TrashAction::Delete), 0x4000u);
  EXPECT_EQ(kv::TrashFlags(kv::TrashAction::Shred), 0x0010u);
}

TEST(DeletionList, NamesExactlyTheItemsThatWereSent) {
  struct Row {
    const wchar_t* line;
    std::wstring list;
  } rows[] = {
      {L"\"C:\\My Files\\a.txt\" C:\\b.txt", std::wstring(L"C:\\My Files\\a.txt\0C:\\b.txt\0\0", 28)},
      // A quote inside a path must not end it: this is one item, not the folder C:\My Files.
      {L"C:\\\"My Files\"\\a.txt", std::wstring(L"C:\\My Files\\a.txt\0\0", 19)},
      // Empty items (doubled, leading or trailing spaces) end nothing: later items are still deleted.
      {L" C:\\a  C:\\b ", std::wstring(L"C:\\a\0C:\\b\0\0", 11)},
      {L"C:\\x \"C:\\unterminated", std::wstring(L"C:\\x\0\0", 6)},
      {L"C:\\dir\\*.tmp C:\\a?", std::wstring(L"\0\0", 2)},
      {L"", std::wstring(L"\0\0", 2)},
      {L"\"", std::wstring(L"\0\0", 2)},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(testing::PrintToString(std::wstring(row.line)));
    EXPECT_EQ(Flatten(kv::BuildDeletionList(kv::SplitCommandLine(row.line))), row.list);
  }
}

TEST(DeletionList, HoldsAnySelectionWholeAndSplitsBackInOrder) {
  std::vector<std::wstring> items;
  for (int i = 0; i < 100; ++i) items.push_back(L"C:\\folder\\" + std::wstring(200, wchar_t(L'a' + i % 26)));
  const std::vector<wchar_t> list = kv::BuildDeletionList(items);
  EXPECT_GT(list.size(), 8192u);
  EXPECT_EQ(kv::SplitPathList(list.data()), items);
}

}  // namespace
