// The naming rules of shortcuts: file names, drive texts and working directories.
#include <gtest/gtest.h>

#include <string>

#include "KvTest.h"
#include "logic/ShortcutName.h"

namespace {

constexpr const wchar_t* kEnglishDrive = L"\\Drive %c";
constexpr const wchar_t* kFrenchDrive = L"\\Lecteur %c";

TEST(ShortcutFileName, NamesTheShortcutAfterTheTargetsLastComponentOrItsDrive) {
  struct Row {
    const wchar_t* folder;
    const wchar_t* target;
    bool keepExtension;
    const wchar_t* driveText;
    const wchar_t* expected;
  } rows[] = {
      {L"C:\\SendTo", L"C:\\", false, kEnglishDrive, L"C:\\SendTo\\Drive C.lnk"},
      {L"C:\\SendTo", L"C:\\", false, kFrenchDrive, L"C:\\SendTo\\Lecteur C.lnk"},
      {L"C:\\SendTo", L"d:\\", true, kEnglishDrive, L"C:\\SendTo\\Drive d.lnk"},
      {L"C:\\SendTo", L"E:", false, kFrenchDrive, L"C:\\SendTo\\Lecteur E.lnk"},
      {L"C:\\SendTo", L"C:\\Docs\\report.final.txt", false, kEnglishDrive, L"C:\\SendTo\\report.final.lnk"},
      {L"C:\\SendTo", L"C:\\Docs\\report.final.txt", true, kEnglishDrive, L"C:\\SendTo\\report.final.txt.lnk"},
      // A dot in a folder is no extension of the item; a dot followed by a space starts none either.
      {L"C:\\Out", L"C:\\My.Docs\\readme", false, kEnglishDrive, L"C:\\Out\\readme.lnk"},
      {L"C:\\Out", L"C:\\a\\my file. txt", false, kEnglishDrive, L"C:\\Out\\my file. txt.lnk"},
      {L"C:\\Out", L"C:\\a\\.profile", false, kEnglishDrive, L"C:\\Out\\.profile.lnk"},
      // A folder given with its trailing backslash is named after itself, and no separator is doubled.
      {L"C:\\Out\\", L"C:\\Data\\", false, kEnglishDrive, L"C:\\Out\\Data.lnk"},
      {L"C:\\Out", L"\\\\server\\share", false, kEnglishDrive, L"C:\\Out\\share.lnk"},
      {L"C:\\Out", L"C:/Tools/edit.exe", false, kEnglishDrive, L"C:\\Out\\edit.lnk"},
      {L"C:\\Out", L"", false, kEnglishDrive, L""},
      {L"C:\\Out", L"C:\\\\", false, kEnglishDrive, L"C:\\Out\\Drive C.lnk"},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(kvtest::Narrow(row.target) + (row.keepExtension ? " kept" : ""));
    EXPECT_EQ(kv::ShortcutFileName(row.folder, row.target, row.keepExtension, row.driveText), row.expected);
  }
}

TEST(ShortcutFileName, ANameThatWouldNotFitIn259CharactersIsRefused) {
  const std::wstring folder = L"C:\\" + std::wstring(237, L'f');
  // folder + "\" + name + ".lnk" is exactly 259 characters with a 14-character name.
  const std::wstring fits = kv::ShortcutFileName(folder, L"C:\\x\\" + std::wstring(14, L'n') + L".exe", false, kEnglishDrive);
  EXPECT_EQ(fits.size(), 259u);
  EXPECT_EQ(kv::ShortcutFileName(folder, L"C:\\x\\" + std::wstring(15, L'n'), false, kEnglishDrive), L"");
  EXPECT_EQ(kv::ShortcutFileName(L"C:\\Out", L"C:\\" + std::wstring(300, L'n'), true, kEnglishDrive), L"");
}

TEST(DriveShortcutName, FillsOnlyTheLetterPlaceholderAndDropsTheLeadingBackslash) {
  struct Row {
    const wchar_t* text;
    const wchar_t* expected;
  } rows[] = {
      {L"\\Drive %c", L"Drive C"},
      {L"\\Lecteur %c", L"Lecteur C"},
      {L"Drive %c", L"Drive C"},
      {L"\\%c: 100%%", L"C: 100%"},
      {L"\\Drive %s %d", L"Drive %s %d"},
      {L"\\Drive %", L"Drive %"},
      {L"", L""},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(kvtest::Narrow(row.text));
    EXPECT_EQ(kv::DriveShortcutName(row.text, L'C'), row.expected);
  }
}

TEST(ShortcutWorkingDirectory, IsTheTargetsFolderWithItsTrailingBackslash) {
  struct Row {
    const wchar_t* target;
    const wchar_t* expected;
  } rows[] = {
      {L"C:\\Tools\\app.exe", L"C:\\Tools\\"},
      {L"C:\\a b\\c d.txt", L"C:\\a b\\"},
      {L"C:\\Data\\", L"C:\\"},
      {L"C:\\", L""},
      {L"app.exe", L""},
      {L"\\\\server\\share\\x.txt", L"\\\\server\\share\\"},
      {L"C:app.exe", L"C:"},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(kvtest::Narrow(row.target));
    EXPECT_EQ(kv::ShortcutWorkingDirectory(row.target), row.expected);
  }
}

}  // namespace
