// KvEnlist and KvDelist run as Explorer starts them: the entries left in, and taken out of, the SendTo folder.
#include <gtest/gtest.h>

#include <shlobj.h>

#include <algorithm>

#include "Handles.h"
#include "KvTest.h"
#include "SendToSupport.h"
#include "Shortcuts.h"

namespace {

using sendto::CommandLine;
using sendto::ReadShortcut;
using sendto::SamePath;

long Enlist(const std::vector<std::wstring>& items) {
  return kvtest::Run(kvtest::ModulePath(L"KvEnlist.exe"), CommandLine(items));
}
long Delist(const std::vector<std::wstring>& items) {
  return kvtest::Run(kvtest::ModulePath(L"KvDelist.exe"), CommandLine(items));
}

class SendToMenu : public ::testing::Test {
 protected:
  // Names this test may leave in the SendTo folder; none is there before, none after.
  void Expect(std::vector<std::wstring> names) {
    std::vector<std::wstring> paths;
    for (const std::wstring& name : names) paths.push_back(sendTo + L"\\" + name);
    cleanup = std::make_unique<sendto::Cleanup>(paths);
  }
  std::wstring Entry(const std::wstring& name) const { return sendTo + L"\\" + name; }

  kvtest::CleanRegistry registry;
  kv::ComScope com;
  kvtest::TempDir dir;
  const std::wstring sendTo = sendto::SpecialFolder(CSIDL_SENDTO);
  std::unique_ptr<sendto::Cleanup> cleanup;
};

TEST_F(SendToMenu, KvEnlistLinksEveryItemUnderItsFullNameStartingInItsFolder) {
  Expect({L"edit.exe.lnk", L"Data.lnk", L"50%off.exe.lnk", L"My Tool.exe.lnk"});
  ASSERT_FALSE(sendTo.empty());
  const std::wstring edit = dir.AddFile(L"Tools\\edit.exe", "MZ");
  const std::wstring data = dir.AddFolder(L"Data");
  const std::wstring percent = dir.AddFile(L"Tools\\50%off.exe", "MZ");
  const std::wstring spaced = dir.AddFile(L"My Apps\\My Tool.exe", "MZ");

  ASSERT_EQ(Enlist({edit, data, percent, spaced}), 0);
  struct Row {
    std::wstring entry, target, workingDirectory;
  } rows[] = {
      {L"edit.exe.lnk", edit, dir / L"Tools\\"},
      {L"Data.lnk", data, dir.Path() + L"\\"},
      {L"50%off.exe.lnk", percent, dir / L"Tools\\"},
      {L"My Tool.exe.lnk", spaced, dir / L"My Apps\\"},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(kvtest::Narrow(row.entry));
    const sendto::Shortcut link = ReadShortcut(Entry(row.entry));
    ASSERT_TRUE(link.loaded);
    EXPECT_TRUE(SamePath(link.target, row.target)) << kvtest::Narrow(link.target);
    EXPECT_TRUE(SamePath(link.workingDirectory, row.workingDirectory)) << kvtest::Narrow(link.workingDirectory);
  }
}

TEST_F(SendToMenu, KvEnlistMakesTheEntriesInCommandLineOrderReplacingOneOfTheSameName) {
  Expect({L"same.exe.lnk", L"first.txt.lnk"});
  const std::wstring first = dir.AddFile(L"first.txt", "1");
  const std::wstring a = dir.AddFile(L"A\\same.exe", "a");
  const std::wstring b = dir.AddFile(L"B\\same.exe", "b");
  ASSERT_EQ(Enlist({first, a, b}), 0);
  EXPECT_TRUE(SamePath(ReadShortcut(Entry(L"first.txt.lnk")).target, first));
  const sendto::Shortcut same = ReadShortcut(Entry(L"same.exe.lnk"));
  EXPECT_TRUE(SamePath(same.target, b)) << kvtest::Narrow(same.target);
  EXPECT_TRUE(SamePath(same.workingDirectory, dir / L"B\\"));
}

TEST_F(SendToMenu, KvEnlistCopiesShortcutFilesInAnyCaseAndLinksAnItemInAFolderNamedWithLnk) {
  Expect({L"Notepad.lnk", L"Notepad.lnk.lnk", L"WORDPAD.LNK", L"WORDPAD.LNK.lnk", L"tool.exe", L"tool.exe.lnk"});
  const std::wstring notepad = dir / L"Notepad.lnk";
  const std::wstring wordpad = dir / L"WORDPAD.LNK";
  const std::wstring edit = dir.AddFile(L"Tools\\edit.exe", "MZ");
  ASSERT_TRUE(kv::CreateShortcut(edit.c_str(), notepad.c_str()));
  ASSERT_TRUE(kv::CreateShortcut(edit.c_str(), wordpad.c_str()));
  const std::wstring tool = dir.AddFile(L"old.lnkfiles\\tool.exe", "the tool itself");

  ASSERT_EQ(Enlist({notepad, wordpad, tool}), 0);
  EXPECT_EQ(kvtest::ReadFile(Entry(L"Notepad.lnk")), kvtest::ReadFile(notepad));
  EXPECT_EQ(kvtest::ReadFile(Entry(L"WORDPAD.LNK")), kvtest::ReadFile(wordpad));
  EXPECT_FALSE(kvtest::Exists(Entry(L"Notepad.lnk.lnk")));
  EXPECT_FALSE(kvtest::Exists(Entry(L"WORDPAD.LNK.lnk")));
  // The program is linked where it lies, not copied away from its folder.
  EXPECT_FALSE(kvtest::Exists(Entry(L"tool.exe")));
  EXPECT_TRUE(SamePath(ReadShortcut(Entry(L"tool.exe.lnk")).target, tool));
  EXPECT_TRUE(kvtest::Exists(notepad));
  EXPECT_TRUE(kvtest::Exists(tool));
}

TEST_F(SendToMenu, ADriveRootIsNamedByTheDriveTextOfTheUsersLanguageInBothPrograms) {
  Expect({L"Drive C.lnk", L"Lecteur C.lnk", L"Laufwerk C.lnk"});
  sendto::ForceLanguage(1);
  ASSERT_EQ(Enlist({L"C:\\"}), 0);
  sendto::ForceLanguage(2);
  ASSERT_EQ(Enlist({L"C:\\"}), 0);
  for (const wchar_t* name : {L"Drive C.lnk", L"Lecteur C.lnk"}) {
    SCOPED_TRACE(kvtest::Narrow(name));
    const sendto::Shortcut link = ReadShortcut(Entry(name));
    ASSERT_TRUE(link.loaded);
    EXPECT_TRUE(SamePath(link.target, L"C:\\")) << kvtest::Narrow(link.target);
    EXPECT_EQ(link.workingDirectory, L"");
  }
  sendto::ForceLanguage(8);
  ASSERT_EQ(Enlist({L"C:\\"}), 0);
  ASSERT_TRUE(kvtest::Exists(Entry(L"Laufwerk C.lnk")));
  ASSERT_EQ(Delist({L"C:\\"}), 0);
  EXPECT_FALSE(kvtest::Exists(Entry(L"Laufwerk C.lnk")));
  EXPECT_TRUE(kvtest::Exists(Entry(L"Drive C.lnk")));
  EXPECT_TRUE(kvtest::Exists(Entry(L"Lecteur C.lnk")));
  sendto::ForceLanguage(2);
  ASSERT_EQ(Delist({L"C:\\"}), 0);
  EXPECT_FALSE(kvtest::Exists(Entry(L"Lecteur C.lnk")));
  EXPECT_TRUE(kvtest::Exists(Entry(L"Drive C.lnk")));
}

TEST_F(SendToMenu, KvDelistRemovesExactlyTheEntriesKvEnlistMade) {
  Expect({L"edit.exe.lnk", L"edit.lnk", L"Data.lnk", L"Notepad.lnk", L"Notepad.lnk.lnk", L"keep.txt.lnk"});
  const std::wstring edit = dir.AddFile(L"Tools\\edit.exe", "MZ");
  const std::wstring data = dir.AddFolder(L"Data");
  const std::wstring keep = dir.AddFile(L"keep.txt", "k");
  const std::wstring notepad = dir / L"Notepad.lnk";
  ASSERT_TRUE(kv::CreateShortcut(edit.c_str(), notepad.c_str()));
  ASSERT_EQ(Enlist({edit, data, notepad, keep}), 0);
  // The applet's own entry for the same program drops the extension.
  ASSERT_TRUE(kv::CreateShortcut(edit.c_str(), Entry(L"edit.lnk").c_str()));
  ASSERT_TRUE(kvtest::Exists(Entry(L"edit.exe.lnk")) && kvtest::Exists(Entry(L"Data.lnk")) &&
              kvtest::Exists(Entry(L"Notepad.lnk")));

  ASSERT_EQ(Delist({edit, data, notepad, dir / L"missing.exe"}), 0);
  EXPECT_FALSE(kvtest::Exists(Entry(L"edit.exe.lnk")));
  EXPECT_FALSE(kvtest::Exists(Entry(L"Data.lnk")));
  EXPECT_TRUE(kvtest::Exists(Entry(L"edit.lnk")));
  // The entry KvEnlist made for the shortcut is its copy.
  EXPECT_FALSE(kvtest::Exists(Entry(L"Notepad.lnk")));
  EXPECT_TRUE(kvtest::Exists(Entry(L"keep.txt.lnk")));
  EXPECT_TRUE(kvtest::Exists(edit) && kvtest::Exists(data) && kvtest::Exists(notepad));
}

TEST_F(SendToMenu, KvDelistFindsTheEntryWhateverTheCaseOfTheItem) {
  Expect({L"edit.exe.lnk"});
  const std::wstring edit = dir.AddFile(L"Tools\\edit.exe", "MZ");
  ASSERT_EQ(Enlist({edit}), 0);
  ASSERT_TRUE(kvtest::Exists(Entry(L"edit.exe.lnk")));
  // Gone from disk, the item keeps the case it is sent in.
  DeleteFileW(edit.c_str());
  ASSERT_EQ(Delist({dir / L"Tools\\EDIT.EXE"}), 0);
  EXPECT_FALSE(kvtest::Exists(Entry(L"edit.exe.lnk")));
}

TEST_F(SendToMenu, ItemsWithoutABackslashAndEntriesBeyond259CharactersAreSkipped) {
  // The longest name whose entry just fits, and one character more.
  const std::size_t fitting = 259 - sendTo.size() - 1 - 4;
  ASSERT_LT(dir.Path().size() + 1 + fitting + 1, 260u);
  const std::wstring fits = std::wstring(fitting - 4, L'f') + L".exe";
  const std::wstring tooLong = std::wstring(fitting - 3, L'l') + L".exe";
  Expect({fits + L".lnk", L"ab.lnk", L"xyz.lnk", L"Drive C.lnk"});
  const std::wstring fitsItem = dir.AddFile(fits, "MZ");
  const std::wstring longItem = dir.AddFile(tooLong, "MZ");
  ASSERT_TRUE(kvtest::Exists(longItem));
  const std::vector<std::wstring> before = sendto::FolderEntries(sendTo);

  ASSERT_EQ(Enlist({L"ab", L"xyz", L"C:", longItem, fitsItem}), 0);
  EXPECT_TRUE(SamePath(ReadShortcut(Entry(fits + L".lnk")).target, fitsItem));
  std::vector<std::wstring> after = sendto::FolderEntries(sendTo);
  after.erase(std::remove(after.begin(), after.end(), fits + L".lnk"), after.end());
  EXPECT_EQ(after.size(), before.size());

  ASSERT_EQ(Delist({L"ab", L"xyz", L"C:", longItem, fitsItem}), 0);
  EXPECT_FALSE(kvtest::Exists(Entry(fits + L".lnk")));
  EXPECT_EQ(sendto::FolderEntries(sendTo).size(), before.size());
}

}  // namespace
