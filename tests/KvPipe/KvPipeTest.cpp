// KvPipe run as a console user runs it: standard input or a command's output onto the clipboard, its usage.
#include <gtest/gtest.h>

#include "KvTest.h"

namespace {

std::wstring KvPipe() { return kvtest::ModulePath(L"KvPipe.exe"); }

// The clipboard after KvPipe read `input`; a sentinel set before shows whether KvPipe replaced it.
std::wstring PipeThrough(const std::string& input, long* exitCode = nullptr) {
  EXPECT_TRUE(kvtest::SetClipboardText(L"sentinel"));
  const kvtest::ConsoleRun run = kvtest::RunConsole(KvPipe(), L"", input);
  EXPECT_EQ(run.exitCode, 0);
  EXPECT_EQ(run.output, "");
  if (exitCode) *exitCode = run.exitCode;
  return kvtest::ClipboardText();
}

std::string Digits(size_t count) {
  std::string text;
  for (size_t i = 0; i < count; ++i) text += static_cast<char>('0' + i % 10);
  return text;
}

std::wstring Wide(const std::string& ascii) { return std::wstring(ascii.begin(), ascii.end()); }

TEST(KvPipe, StandardInputArrivesWithEveryLineEndedByCrLfAndALoneCrKept) {
  struct Row {
    std::string input;
    std::wstring expected;
  } rows[] = {
      {"one\ntwo\n", L"one\r\ntwo\r\n"},
      {"one\r\ntwo\r\n", L"one\r\ntwo\r\n"},
      {"one\rtwo", L"one\rtwo"},
      {"mixed\r\n\nand\r\r\n", L"mixed\r\n\r\nand\r\r\n"},
      {"kept\x1a" "dropped\n", L"kept"},
      {std::string("up to\0 the null", 15), L"up to"},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(testing::PrintToString(row.input));
    EXPECT_EQ(PipeThrough(row.input), row.expected);
  }
}

TEST(KvPipe, AClipboardThatStaysBusyEndsWithANonZeroCodeAndLeavesItAlone) {
  ASSERT_TRUE(kvtest::SetClipboardText(L"sentinel"));
  HWND holder = CreateWindowExW(0, L"STATIC", L"", 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr, nullptr, nullptr);
  ASSERT_TRUE(OpenClipboard(holder));
  const kvtest::ConsoleRun run = kvtest::RunConsole(KvPipe(), L"", "text\n");
  CloseClipboard();
  DestroyWindow(holder);
  EXPECT_EQ(run.exitCode, 1);
  EXPECT_EQ(kvtest::ClipboardText(), L"sentinel");
}

TEST(KvPipe, EmptyInputPutsAnEmptyTextOnTheClipboard) {
  EXPECT_EQ(PipeThrough(""), L"");
  EXPECT_TRUE(IsClipboardFormatAvailable(CF_UNICODETEXT));
  EXPECT_EQ(PipeThrough("\x1a" "after"), L"");
  EXPECT_TRUE(IsClipboardFormatAvailable(CF_UNICODETEXT));
}

TEST(KvPipe, LongInputArrivesWholeAcrossTheBufferEnlargements) {
  const std::string fiveThousand = Digits(5000);
  EXPECT_EQ(PipeThrough(fiveThousand), Wide(fiveThousand));
  // Around the first buffer's end (4096 units with the terminator) a line feed needs two units.
  for (size_t before : {4093u, 4094u, 4095u, 4096u}) {
    SCOPED_TRACE(before);
    const std::string head = Digits(before);
    EXPECT_EQ(PipeThrough(head + "\nz\n"), Wide(head) + L"\r\nz\r\n");
  }
  std::string lines;
  for (int i = 0; i < 20000; ++i) lines += Digits(static_cast<size_t>(i % 97)) + "\n";
  std::wstring expected;
  for (int i = 0; i < 20000; ++i) expected += Wide(Digits(static_cast<size_t>(i % 97))) + L"\r\n";
  EXPECT_EQ(PipeThrough(lines), expected);
}

TEST(KvPipe, EveryByteBecomesOneUnitAsciiAsItIsAndHighBytesInTheConsoleCodePage) {
  std::string input;
  std::wstring expected;
  for (int b = 1; b < 0x80; ++b) {
    if (b == '\n' || b == '\r' || b == 0x1A) continue;
    input += static_cast<char>(b);
    expected += static_cast<wchar_t>(b);
  }
  // The test and KvPipe share the console state, so its code page is the one KvPipe reads in.
  UINT codePage = GetConsoleOutputCP();
  if (codePage == 0) codePage = GetOEMCP();
  for (int b = 0x80; b <= 0xFF; ++b) {
    const char byte = static_cast<char>(b);
    input += byte;
    wchar_t unit = static_cast<wchar_t>(b);
    MultiByteToWideChar(codePage, MB_ERR_INVALID_CHARS, &byte, 1, &unit, 1);
    expected += unit;
  }
  const std::wstring text = PipeThrough(input);
  EXPECT_EQ(text.size(), input.size());
  EXPECT_EQ(text, expected);
  if (codePage == 437) {
    EXPECT_EQ(text[text.size() - 128 + 0x01], L'\u00FC');  // 0x81: u with diaeresis, not a control character
    EXPECT_EQ(text[text.size() - 128 + 0x61], L'\u00DF');  // 0xE1: sharp s
  }
}

// Lines of a temporary folder's listing run through KvPipe with the arguments.
std::wstring ListingThroughKvPipe(const kvtest::TempDir& dir, const std::wstring& arguments) {
  EXPECT_TRUE(kvtest::SetClipboardText(L"sentinel"));
  const kvtest::ConsoleRun run = kvtest::RunConsole(KvPipe(), arguments, {}, dir.Path());
  EXPECT_EQ(run.exitCode, 0);
  return kvtest::ClipboardText();
}

TEST(KvPipe, OnlyTheFirstArgumentIsTheCommandAndItsOutputLandsOnTheClipboard) {
  kvtest::TempDir dir;
  dir.AddFile(L"alpha-file.txt", "12345");
  dir.AddFolder(L"beta-folder");
  // Unquoted, /w is a second argument and is ignored: the long listing marks folders <DIR>.
  const std::wstring plain = ListingThroughKvPipe(dir, L"dir /w");
  EXPECT_NE(plain.find(L"alpha-file.txt"), std::wstring::npos) << kvtest::Narrow(plain);
  EXPECT_NE(plain.find(L"<DIR>"), std::wstring::npos) << kvtest::Narrow(plain);
  EXPECT_EQ(plain.find(L"[beta-folder]"), std::wstring::npos) << kvtest::Narrow(plain);
  // Quoted, the whole text is the command: the wide listing brackets folder names.
  const std::wstring wide = ListingThroughKvPipe(dir, L"\"dir /w\"");
  EXPECT_NE(wide.find(L"[beta-folder]"), std::wstring::npos) << kvtest::Narrow(wide);
  for (const std::wstring& text : {plain, wide}) {
    ASSERT_FALSE(text.empty());
    for (size_t i = 0; i < text.size(); ++i)
      if (text[i] == L'\n') EXPECT_TRUE(i > 0 && text[i - 1] == L'\r') << "line feed without CR at " << i;
  }
  EXPECT_NE(plain.find(L"\r\n"), std::wstring::npos);
}

TEST(KvPipe, ACommandThatWritesNothingLeavesAnEmptyTextAndStillEndsWithZero) {
  kvtest::TempDir dir;
  EXPECT_EQ(ListingThroughKvPipe(dir, L"\"echo error 1>&2\""), L"");
  EXPECT_TRUE(IsClipboardFormatAvailable(CF_UNICODETEXT));
}

// The usage as KvPipe must print it: its text, in the OEM code page, every line ended by CR LF.
std::string ExpectedUsage(const std::wstring& text) {
  std::string oem(text.size() * 3 + 1, '\0');
  const int n = WideCharToMultiByte(CP_OEMCP, 0, text.c_str(), static_cast<int>(text.size()), &oem[0],
                                    static_cast<int>(oem.size()), nullptr, nullptr);
  oem.resize(static_cast<size_t>(n));
  std::string lines;
  for (char c : oem) lines += c == '\n' ? std::string("\r\n") : std::string(1, c);
  return lines + "\r\n";
}

TEST(KvPipe, UsagePrintsTheTenLinesAndLeavesTheClipboardAlone) {
  kvtest::CleanRegistry registry;
  ASSERT_TRUE(kvtest::SetRegistryDword(HKEY_CURRENT_USER, L"Software\\Zentavo", L"ForceLanguage", 1));
  ASSERT_TRUE(kvtest::SetClipboardText(L"sentinel"));
  const kvtest::ConsoleRun run = kvtest::RunConsole(KvPipe(), L"/?", "ignored input\n");
  EXPECT_EQ(run.exitCode, 0);
  EXPECT_EQ(run.output,
            "Copies the output of a command to the clipboard.\r\n"
            "\r\n"
            "KVPIPE [command]\r\n"
            "\r\n"
            "If no command is specified, then the standard input is used instead.\r\n"
            "\r\n"
            "Examples:\r\n"
            "\r\n"
            "  KVPIPE \"MEM /C\"\r\n"
            "  TREE /A C: | KVPIPE\r\n");
  EXPECT_EQ(kvtest::ClipboardText(), L"sentinel");
  // Case matters, and only exactly "/?" asks for the usage.
  EXPECT_EQ(kvtest::RunConsole(KvPipe(), L"/?x").output, "");
}

TEST(KvPipe, UsageComesWholeInEveryLanguage) {
  kvtest::CleanRegistry registry;
  HMODULE module = LoadLibraryExW(KvPipe().c_str(), nullptr, LOAD_LIBRARY_AS_DATAFILE);
  ASSERT_NE(module, nullptr);
  const std::string english = kvtest::RunConsole(KvPipe(), L"/?").output;
  for (DWORD language = 1; language <= 10; ++language) {
    SCOPED_TRACE(language);
    wchar_t text[1024];
    const int length = LoadStringW(module, language * 100 + 1, text, 1024);
    ASSERT_GT(length, 0);
    EXPECT_LE(length, 255);  // what the text loader holds
    EXPECT_EQ(std::count(text, text + length, L'\n'), 9);
    ASSERT_TRUE(kvtest::SetRegistryDword(HKEY_CURRENT_USER, L"Software\\Zentavo", L"ForceLanguage", language));
    const std::string output = kvtest::RunConsole(KvPipe(), L"/?").output;
    EXPECT_EQ(output, ExpectedUsage(std::wstring(text, static_cast<size_t>(length))));
    if (language > 1) EXPECT_NE(output, english);
  }
  FreeLibrary(module);
}

}  // namespace
