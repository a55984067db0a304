// The naming rules of the Send To programs: Send To entries, copied shortcuts, favourites.
#include <gtest/gtest.h>

#include <string>

#include "FavoriteName.h"
#include "KvTest.h"
#include "logic/SendToEntry.h"

namespace {

constexpr const wchar_t* kSendTo = L"C:\\users\\me\\SendTo";
constexpr const wchar_t* kEnglishDrive = L"\\Drive %c";

TEST(SendToEntryPath, KeepsTheExtensionNamesDrivesAndSkipsItemsWithoutABackslash) {
  struct Row {
    const wchar_t* item;
    const wchar_t* driveText;
    const wchar_t* expected;
  } rows[] = {
      {L"C:\\Tools\\edit.exe", kEnglishDrive, L"C:\\users\\me\\SendTo\\edit.exe.lnk"},
      {L"C:\\Data", kEnglishDrive, L"C:\\users\\me\\SendTo\\Data.lnk"},
      {L"D:\\", L"\\Lecteur %c", L"C:\\users\\me\\SendTo\\Lecteur D.lnk"},
      {L"D:\\", L"\\Laufwerk %c", L"C:\\users\\me\\SendTo\\Laufwerk D.lnk"},
      {L"C:\\Tools\\50%off.exe", kEnglishDrive, L"C:\\users\\me\\SendTo\\50%off.exe.lnk"},
      // A shortcut's entry is the copy of it, under its own name.
      {L"C:\\Desktop\\NOTEPAD.LNK", kEnglishDrive, L"C:\\users\\me\\SendTo\\NOTEPAD.LNK"},
      {L"C:\\Desktop\\Notepad.lnk", kEnglishDrive, L"C:\\users\\me\\SendTo\\Notepad.lnk"},
      {L"C:\\Projects\\Project.Alpha", kEnglishDrive, L"C:\\users\\me\\SendTo\\Project.Alpha.lnk"},
      {L"", kEnglishDrive, L""},
      {L"C:", kEnglishDrive, L""},
      {L"notes.txt", kEnglishDrive, L""},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(kvtest::Narrow(row.item));
    EXPECT_EQ(kv::SendToEntryPath(kSendTo, row.item, row.driveText), row.expected);
  }
  EXPECT_EQ(kv::SendToEntryPath(L"", L"C:\\Tools\\edit.exe", kEnglishDrive), L"");
}

TEST(SendToEntryPath, AnEntryPathBeyond259CharactersIsRefused) {
  const std::wstring folder = L"C:\\" + std::wstring(200, L's');
  const std::wstring fits = std::wstring(259 - folder.size() - 5, L'n');
  EXPECT_EQ(kv::SendToEntryPath(folder, L"C:\\x\\" + fits, kEnglishDrive).size(), 259u);
  EXPECT_EQ(kv::SendToEntryPath(folder, L"C:\\x\\" + fits + L"n", kEnglishDrive), L"");
}

TEST(CopiedIntoSendTo, IsAShortcutFileWhateverTheCaseOfItsExtension) {
  struct Row {
    const wchar_t* item;
    bool copied;
  } rows[] = {
      {L"C:\\Desktop\\Notepad.lnk", true},
      {L"C:\\Desktop\\NOTEPAD.LNK", true},
      {L"C:\\Desktop\\Notepad.Lnk", true},
      // A folder whose name holds ".lnk" is neither a shortcut nor does it make the items in it one.
      {L"C:\\old.lnkfiles\\tool.exe", false},
      {L"C:\\backup.lnk.old", false},
      {L"C:\\Tools\\edit.exe", false},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(kvtest::Narrow(row.item));
    EXPECT_EQ(kv::CopiedIntoSendTo(row.item), row.copied);
  }
}

TEST(FavoriteShortcutPath, CutsOnlyAThreeLetterExtensionAndAddsLnkWhenAbsent) {
  struct Row {
    const wchar_t* item;
    const wchar_t* expected;
  } rows[] = {
      {L"C:\\Docs\\notes.txt", L"C:\\Fav\\notes.lnk"},
      {L"C:\\Docs\\page.html", L"C:\\Fav\\page.html.lnk"},
      {L"C:\\Desktop\\link.lnk", L"C:\\Fav\\link.lnk"},
      {L"C:\\Desktop\\LINK.LNK", L"C:\\Fav\\LINK.lnk"},
      {L"C:\\Projects\\Project.Alpha", L"C:\\Fav\\Project.Alpha.lnk"},
      {L"C:\\old.lnkfiles\\tool.exe", L"C:\\Fav\\tool.lnk"},
      {L"C:\\Docs\\my.lnk.txt", L"C:\\Fav\\my.lnk"},
      {L"C:\\Docs\\my.lnkfile.txt", L"C:\\Fav\\my.lnkfile.lnk"},
      {L"C:\\Docs\\a.b", L"C:\\Fav\\a.b.lnk"},
      {L"notes.txt", L""},
      // A drive root names no favourite; a folder with its trailing backslash is named after itself.
      {L"C:\\", L""},
      {L"C:\\Data\\", L"C:\\Fav\\Data.lnk"},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(kvtest::Narrow(row.item));
    EXPECT_EQ(kv::FavoriteShortcutPath(L"C:\\Fav", row.item), row.expected);
  }
  EXPECT_EQ(kv::FavoriteShortcutPath(L"", L"C:\\Docs\\notes.txt"), L"");
  EXPECT_EQ(kv::FavoriteShortcutPath(L"C:\\Users\\a.lnkx\\Fav", L"C:\\Docs\\notes.txt"), L"C:\\Users\\a.lnkx\\Fav\\notes.lnk");
  const std::wstring folder = L"C:\\" + std::wstring(240, L'f');
  EXPECT_EQ(kv::FavoriteShortcutPath(folder, L"C:\\x\\" + std::wstring(11, L'n')).size(), 259u);
  EXPECT_EQ(kv::FavoriteShortcutPath(folder, L"C:\\x\\" + std::wstring(12, L'n')), L"");
}

TEST(ProposedFavoriteTitle, IsTheLastComponentWithoutAThreeLetterExtension) {
  EXPECT_EQ(kv::ProposedFavoriteTitle(L"C:\\Docs\\notes.txt"), L"notes");
  EXPECT_EQ(kv::ProposedFavoriteTitle(L"C:\\Docs\\page.html"), L"page.html");
  EXPECT_EQ(kv::ProposedFavoriteTitle(L"C:\\"), L"");
  EXPECT_EQ(kv::ProposedFavoriteTitle(L"C:\\Data\\"), L"Data");
  EXPECT_EQ(kv::ProposedFavoriteTitle(L"notes.txt"), L"");
}

TEST(ChosenFavoriteShortcutPath, IsTheChosenFolderAndTitleWithoutTheDialogsExtension) {
  struct Row {
    const wchar_t* path;
    const wchar_t* title;
    const wchar_t* expected;
  } rows[] = {
      {L"C:\\Fav\\News\\Weekly.url", L"Weekly.url", L"C:\\Fav\\News\\Weekly.lnk"},
      {L"C:\\Fav\\News\\", L"Weekly.url", L"C:\\Fav\\News\\Weekly.lnk"},
      {L"C:\\Fav\\x.url", L"old.lnk.url", L"C:\\Fav\\old.lnk"},
      {L"C:\\Fav\\x.url", L"my.lnkfile.url", L"C:\\Fav\\my.lnkfile.lnk"},
      // A title no longer than the extension names nothing; a path without a folder has none to use.
      {L"C:\\Fav\\News\\.url", L".url", L""},
      {L"C:\\Fav\\News\\x", L"x", L""},
      {L"Weekly.url", L"Weekly.url", L""},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(kvtest::Narrow(row.path) + " " + kvtest::Narrow(row.title));
    EXPECT_EQ(kv::ChosenFavoriteShortcutPath(row.path, row.title), row.expected);
  }
  EXPECT_EQ(kv::ChosenFavoriteShortcutPath(L"C:\\" + std::wstring(250, L'f') + L"\\a.url", L"longer title.url"), L"");
}

}  // namespace
