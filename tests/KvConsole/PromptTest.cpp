// KvConsole's decisions: the folder and the text after a failed entry, the shell line, the delay, the keys of a character.
#include <gtest/gtest.h>

#include "Prompt.h"

namespace {

TEST(KvConsolePrompt, AShortcutIsRecognisedByItsExtensionInAnyCaseAndNotByAFolderName) {
  EXPECT_TRUE(kv::LooksLikeShortcut(L"C:\\Links\\Tools.lnk"));
  EXPECT_TRUE(kv::LooksLikeShortcut(L"C:\\Links\\Tools.LNK"));
  EXPECT_FALSE(kv::LooksLikeShortcut(L"C:\\a.lnk.d\\x"));
  EXPECT_FALSE(kv::LooksLikeShortcut(L"C:\\a.lnk.d"));
  EXPECT_FALSE(kv::LooksLikeShortcut(L"C:\\Links\\Tools"));
}

TEST(KvConsolePrompt, APathThatCannotBeEnteredSplitsAtItsLastBackslash) {
  struct Row {
    const wchar_t* path;
    const wchar_t* folder;
    const wchar_t* typed;
  } rows[] = {
      {L"C:\\Tools\\run me.cmd", L"C:\\Tools\\", L"\"run me.cmd\""},
      {L"C:\\Tools\\a.exe", L"C:\\Tools\\", L"a.exe"},
      {L"C:\\a.txt", L"C:\\", L"a.txt"},
      {L"C:\\Tools\\", L"C:\\Tools\\", L""},
      {L"\\\\server\\share\\my file", L"\\\\server\\share\\", L"\"my file\""},
      {L"\\name", L"\\name", L""},  // the first character is never the split point
      {L"nothing", L"nothing", L""},
      {L"", L"", L""},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(testing::PrintToString(std::wstring(row.path)));
    const kv::FolderSplit split = kv::SplitAtLastBackslash(row.path);
    EXPECT_EQ(split.folder, row.folder);
    EXPECT_EQ(split.typed, row.typed);
  }
}

TEST(KvConsolePrompt, QuotesOnlyAPathWithASpace) {
  EXPECT_EQ(kv::QuoteIfSpaced(L"C:\\My Tools\\a.exe"), L"\"C:\\My Tools\\a.exe\"");
  EXPECT_EQ(kv::QuoteIfSpaced(L"C:\\Tools\\a.exe"), L"C:\\Tools\\a.exe");
}

TEST(KvConsolePrompt, TheShellLineFollowsShiftTheSettingAndTheNetworkCase) {
  struct Row {
    bool commandCom;
    bool windows9x;
    const wchar_t* alternative;
    const wchar_t* folder;
    const wchar_t* line;
    bool fromProfile;
  } rows[] = {
      {false, false, L"", L"C:\\Tools\\", L"cmd.exe", false},
      {false, true, L"", L"C:\\Tools\\", L"command.com", false},
      {true, false, L"", L"C:\\Tools\\", L"command.com", false},
      {true, false, L"C:\\Shells\\sh.exe -i", L"C:\\Tools\\", L"command.com", false},
      {false, false, L"C:\\Shells\\sh.exe -i", L"C:\\Tools\\", L"C:\\Shells\\sh.exe -i", false},
      {false, false, L"C:\\Shells\\sh.exe -i", L"\\\\server\\share\\dir", L"C:\\Shells\\sh.exe -i", false},
      {false, false, L"", L"\\\\server\\share\\dir", L"cmd.exe /k pushd \\\\server\\share\\dir", true},
      {false, false, L"", L"\\\\server\\share\\dir\\", L"cmd.exe /k pushd \\\\server\\share\\dir\\", true},
      {false, true, L"", L"\\\\server\\share", L"command.com /k pushd \\\\server\\share", true},
      {true, false, L"", L"\\\\server\\share\\dir", L"command.com", false},
      {false, false, L"", L"\\\\s\\\u0141\u00E9\u4E2D", L"cmd.exe /k pushd \\\\s\\\u0141\u00E9\u4E2D", true},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(testing::PrintToString(std::wstring(row.line)));
    const kv::ShellStart start = kv::ChooseShell(row.commandCom, row.windows9x, row.alternative, row.folder);
    EXPECT_EQ(start.commandLine, row.line);
    EXPECT_EQ(start.fromUserProfile, row.fromProfile);
  }
}

TEST(KvConsolePrompt, TheShellLineIsCutCleanlyAt259Characters) {
  const std::wstring folder = L"\\\\server\\share\\" + std::wstring(300, L'x');
  const kv::ShellStart start = kv::ChooseShell(false, false, L"", folder);
  EXPECT_EQ(start.commandLine.size(), 259u);
  EXPECT_EQ(start.commandLine.substr(0, 33), L"cmd.exe /k pushd \\\\server\\share\\x");
  EXPECT_EQ(kv::FitShellLine(std::wstring(400, L'y')).size(), 259u);
}

TEST(KvConsolePrompt, TheDelayIsTheLeadingDecimalNumberAndNeverNegative) {
  struct Row {
    const wchar_t* text;
    unsigned long ms;
  } rows[] = {
      {L"500", 500},  {L"0", 0},        {L"", 0},          {L"soon", 0}, {L"250ms", 250},
      {L" 42", 42},   {L"+7", 7},       {L"-1", 0},        {L"-500", 0}, {L"99999999999", 2147483647},
      {L"2147483647", 2147483647},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(testing::PrintToString(std::wstring(row.text)));
    EXPECT_EQ(kv::ParseSendKeysDelay(row.text), row.ms);
  }
}

using Strokes = std::vector<std::pair<int, bool>>;
Strokes Plan(short keyScan) {
  Strokes out;
  for (const kv::KeyStroke& s : kv::PlanKeyStrokes(keyScan)) out.emplace_back(s.virtualKey, s.up);
  return out;
}

TEST(KvConsolePrompt, AKeyIsPressedInsideTheModifiersItsShiftStateAsksFor) {
  const int shift = 0x10, control = 0x11, alt = 0x12;
  struct Row {
    const char* what;
    short keyScan;
    Strokes strokes;
  } rows[] = {
      {"plain a", 0x0041, {{0x41, false}, {0x41, true}}},
      {"shifted A", 0x0141, {{shift, false}, {0x41, false}, {0x41, true}, {shift, true}}},
      {"Alt Gr backslash (German ß key)", 0x06DB,
       {{control, false}, {alt, false}, {0xDB, false}, {0xDB, true}, {alt, true}, {control, true}}},
      {"Control alone is taken as Alt Gr", 0x0243,
       {{control, false}, {alt, false}, {0x43, false}, {0x43, true}, {alt, true}, {control, true}}},
      {"Shift with Alt Gr", 0x0731,
       {{shift, false}, {control, false}, {alt, false}, {0x31, false}, {0x31, true}, {alt, true}, {control, true},
        {shift, true}}},
      {"Alt alone is not honoured", 0x0445, {{0x45, false}, {0x45, true}}},
      {"no key", -1, {}},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(row.what);
    EXPECT_EQ(Plan(row.keyScan), row.strokes);
  }
}

}  // namespace
