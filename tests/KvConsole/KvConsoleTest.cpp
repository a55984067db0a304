// KvConsole run as Explorer starts it, against a stand-in shell that records its folder, command line and typed text.
#include <gtest/gtest.h>

#include <algorithm>
#include <cwctype>

#include "KvTest.h"
#include "Shortcuts.h"
#include "Handles.h"
#include "kv_test_config.h"

namespace {

using namespace std::chrono_literals;

constexpr wchar_t kProductKey[] = L"Software\\Zentavo\\Korvane";
constexpr wchar_t kConsoleClass[] = L"ConsoleWindowClass";

std::wstring FakeShell() { return kvtest::FromUnixPath(KV_FAKE_SHELL); }

std::wstring Quoted(const std::wstring& path) {
  return path.find(L' ') == std::wstring::npos ? path : L"\"" + path + L"\"";
}

// Folders compare as the file system does: without case and without a trailing backslash.
std::wstring FolderKey(std::wstring path) {
  while (path.size() > 3 && path.back() == L'\\') path.pop_back();
  std::transform(path.begin(), path.end(), path.begin(), [](wchar_t c) { return static_cast<wchar_t>(std::towlower(c)); });
  return path;
}

struct Record {
  bool started = false;
  std::wstring folder;
  std::wstring line;
  std::wstring typed;
};

Record ReadRecord(const std::wstring& file) {
  const std::wstring text = kvtest::Widen(kvtest::ReadFile(file));
  Record record;
  const size_t first = text.find(L'\n');
  const size_t second = first == std::wstring::npos ? first : text.find(L'\n', first + 1);
  if (second == std::wstring::npos) return record;
  record.started = true;
  record.folder = text.substr(0, first);
  record.line = text.substr(first + 1, second - first - 1);
  record.typed = text.substr(second + 1);
  return record;
}

void CloseConsoles() {
  kvtest::WaitFor([] {
    HWND console = FindWindowW(kConsoleClass, nullptr);
    if (console) PostMessageW(console, WM_CLOSE, 0, 0);
    return console == nullptr;
  }, 5s);
}

class KvConsoleRun : public testing::Test {
 protected:
  void SetUp() override {
    CloseConsoles();
    // Focus changes resynchronise Wine's key state with the X server: held keys must come after them.
    Sleep(300);
    record_ = work_ / L"record.txt";
  }

  void UseFakeShell() {
    ASSERT_TRUE(kvtest::SetRegistryString(HKEY_CURRENT_USER, kProductKey, L"CommandPromptAlternativeShell",
                                          Quoted(FakeShell()) + L" /fake"));
  }
  // A copy of KvConsole beside stand-ins named like the built-in shells, which it then starts.
  std::wstring ConsoleBesideShells() {
    const std::wstring bin = work_.AddFolder(L"bin");
    EXPECT_TRUE(CopyFileW(kvtest::ModulePath(L"KvConsole.exe").c_str(), (bin + L"\\KvConsole.exe").c_str(), FALSE));
    EXPECT_TRUE(CopyFileW(FakeShell().c_str(), (bin + L"\\cmd.exe").c_str(), FALSE));
    EXPECT_TRUE(CopyFileW(FakeShell().c_str(), (bin + L"\\command.com").c_str(), FALSE));
    return bin + L"\\KvConsole.exe";
  }
  kvtest::Process StartConsole(const std::wstring& arguments, const std::wstring& exe = {}) {
    return kvtest::Start(exe.empty() ? kvtest::ModulePath(L"KvConsole.exe") : exe, arguments, {},
                         {L"KV_FAKE_SHELL_RECORD=" + record_});
  }
  // Waits for the shell to start and for `chars` characters to be typed into it.
  Record WaitForShell(size_t chars = 0) {
    kvtest::WaitFor([&] {
      const Record r = ReadRecord(record_);
      return r.started && r.typed.size() >= chars;
    }, 15s);
    return ReadRecord(record_);
  }

  kvtest::CleanRegistry clean_;
  kvtest::TempDir work_;
  kvtest::TempDir items_;
  std::wstring record_;
  // Closed before the folders are removed: a running shell keeps its folder in use.
  struct ConsoleCloser {
    ~ConsoleCloser() { CloseConsoles(); }
  } closer_;
};

TEST_F(KvConsoleRun, AFolderOpensThePromptInItAndTypesNothing) {
  UseFakeShell();
  const std::wstring folder = items_.AddFolder(L"my folder");
  kvtest::Process console = StartConsole(Quoted(folder));
  ASSERT_TRUE(console.Wait(15s));
  const Record record = WaitForShell();
  ASSERT_TRUE(record.started);
  EXPECT_EQ(FolderKey(record.folder), FolderKey(folder));
  EXPECT_EQ(record.line, Quoted(FakeShell()) + L" /fake");
  EXPECT_EQ(record.typed, L"");
}

TEST_F(KvConsoleRun, AFileOpensThePromptInItsFolderAndTypesItsQuotedNameAndASpace) {
  struct Row {
    const wchar_t* name;
    const wchar_t* typed;
  } rows[] = {
      {L"run me.cmd", L"\"run me.cmd\" "},
      {L"Plain_NAME.txt", L"Plain_NAME.txt "},
      // Shifted keys, and a character the US layout has no key for (sent as a character message).
      {L"Caf\u00E9 (1)+{x}.txt", L"\"Caf\u00E9 (1)+{x}.txt\" "},
  };
  UseFakeShell();
  for (const Row& row : rows) {
    SCOPED_TRACE(kvtest::Narrow(row.name));
    DeleteFileW(record_.c_str());
    const std::wstring file = items_.AddFile(std::wstring(L"Tools\\") + row.name, "x");
    kvtest::Process console = StartConsole(Quoted(file));
    const Record record = WaitForShell(lstrlenW(row.typed));
    EXPECT_TRUE(console.Wait(15s));
    EXPECT_EQ(FolderKey(record.folder), FolderKey(items_ / L"Tools"));
    EXPECT_EQ(record.typed, row.typed);
    CloseConsoles();
  }
}

TEST_F(KvConsoleRun, AShortcutToAFolderOpensThePromptInTheTarget) {
  UseFakeShell();
  const std::wstring target = items_.AddFolder(L"target dir");
  const std::wstring link = items_ / L"to target.lnk";
  {
    kv::ComScope com;
    ASSERT_TRUE(kv::CreateShortcut(target.c_str(), link.c_str()));
  }
  kvtest::Process console = StartConsole(Quoted(link));
  ASSERT_TRUE(console.Wait(15s));
  const Record record = WaitForShell();
  ASSERT_TRUE(record.started);
  EXPECT_EQ(FolderKey(record.folder), FolderKey(target));
  EXPECT_EQ(record.typed, L"");
}

TEST_F(KvConsoleRun, AFolderWhoseNameHoldsLnkIsNoShortcutAndOpensThePromptInIt) {
  UseFakeShell();
  const std::wstring folder = items_.AddFolder(L"backup.lnk.old");
  kvtest::Process console = StartConsole(Quoted(folder));
  ASSERT_TRUE(console.Wait(15s));
  const Record record = WaitForShell();
  ASSERT_TRUE(record.started);
  EXPECT_EQ(FolderKey(record.folder), FolderKey(folder));
  EXPECT_EQ(record.typed, L"");
}

std::wstring SystemText(DWORD error) {
  wchar_t* text = nullptr;
  FormatMessageW(FORMAT_MESSAGE_ALLOCATE_BUFFER | FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS, nullptr,
                 error, MAKELANGID(LANG_NEUTRAL, SUBLANG_DEFAULT), reinterpret_cast<wchar_t*>(&text), 0, nullptr);
  std::wstring result = text ? text : L"";
  if (text) LocalFree(text);
  return result;
}

TEST_F(KvConsoleRun, AFolderThatCannotBeEnteredIsReportedWithTheSystemTextAndNoShellStarts) {
  UseFakeShell();
  const std::wstring missing = items_ / L"gone\\missing dir";
  const std::wstring notALink = items_.AddFile(L"broken.lnk", "not a shortcut");
  struct Row {
    std::wstring sent;
    std::wstring caption;  // the folder that was tried last
  } rows[] = {
      {missing, items_ / L"gone\\"},
      {notALink, L""},  // an unresolvable shortcut leaves an empty folder
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(kvtest::Narrow(row.sent));
    SetCurrentDirectoryW(row.caption.c_str());
    const std::wstring expected = SystemText(GetLastError());
    kvtest::Process console = StartConsole(Quoted(row.sent));
    HWND box = kvtest::WaitForDialog(console.Id(), 15s);
    ASSERT_NE(box, nullptr);
    EXPECT_EQ(FolderKey(kvtest::WindowText(box)), FolderKey(row.caption));
    EXPECT_FALSE(expected.empty());
    EXPECT_EQ(kvtest::MessageBoxText(box), expected);
    if (row.caption.empty()) kvtest::SaveScreenshot(L"kvconsole-error");
    kvtest::PressButton(box, IDOK);
    EXPECT_TRUE(console.Wait(10s));
    EXPECT_FALSE(kvtest::Exists(record_));
  }
}

// The chosen folder lies at a drive root, where the browser's tree reaches it in three steps.
class ChoiceFolder {
 public:
  ChoiceFolder() : path_(L"C:\\kvconsole-choice-" + std::to_wstring(GetCurrentProcessId())) {
    CreateDirectoryW(path_.c_str(), nullptr);
  }
  ~ChoiceFolder() { kvtest::RemoveTree(path_); }
  const std::wstring& Path() const { return path_; }
  std::wstring Name() const { return path_.substr(3); }

 private:
  std::wstring path_;
};

HWND WaitForBrowser(const kvtest::Process& console) { return kvtest::WaitForDialog(console.Id(), 15s); }

TEST_F(KvConsoleRun, ControlChoosesTheFolderAndTypesTheSentItemsQuotedFullPath) {
  UseFakeShell();
  ChoiceFolder choice;
  const std::wstring file = items_.AddFile(L"Tools\\a tool.exe", "x");
  kvtest::KeyHold control({VK_CONTROL});
  kvtest::Process console = StartConsole(Quoted(file));
  HWND browser = WaitForBrowser(console);
  control.Release();
  ASSERT_NE(browser, nullptr);
  const std::vector<std::wstring> statics = kvtest::ChildTexts(browser, L"Static");
  EXPECT_NE(std::find(statics.begin(), statics.end(), L"Select a folder:"), statics.end());
  HWND edit = FindWindowExW(browser, nullptr, L"Edit", nullptr);
  EXPECT_TRUE(edit && IsWindowVisible(edit)) << "the browser shows its edit box";
  HWND tree = FindWindowExW(browser, nullptr, L"SysTreeView32", nullptr);
  ASSERT_NE(tree, nullptr);
  const std::wstring name = choice.Name();
  ASSERT_TRUE(kvtest::SelectTreePath(tree, {
      [](const std::wstring&) { return true; },
      [](const std::wstring& t) { return t.find(L"Computer") != std::wstring::npos; },
      [](const std::wstring& t) { return t.find(L"(C:)") != std::wstring::npos; },
      [&](const std::wstring& t) { return lstrcmpiW(t.c_str(), name.c_str()) == 0; },
  }));
  kvtest::SaveScreenshot(L"kvconsole-browser");
  kvtest::PressButton(browser, IDOK);
  const std::wstring expected = L"\"" + file + L"\" ";
  const Record record = WaitForShell(expected.size());
  EXPECT_TRUE(console.Wait(15s));
  EXPECT_EQ(FolderKey(record.folder), FolderKey(choice.Path()));
  EXPECT_EQ(FolderKey(record.typed), FolderKey(expected));
  CloseConsoles();
}

TEST_F(KvConsoleRun, ControlAndACancelledBrowserStartNothing) {
  UseFakeShell();
  const std::wstring file = items_.AddFile(L"a.exe", "x");
  kvtest::KeyHold control({VK_CONTROL});
  kvtest::Process console = StartConsole(Quoted(file));
  HWND browser = WaitForBrowser(console);
  control.Release();
  ASSERT_NE(browser, nullptr);
  kvtest::PressButton(browser, IDCANCEL);
  EXPECT_TRUE(console.Wait(10s));
  Sleep(500);
  EXPECT_FALSE(kvtest::Exists(record_));
}

bool SettingExists(const wchar_t* name) {
  kv::RegKey key;
  if (RegOpenKeyExW(HKEY_CURRENT_USER, kProductKey, 0, KEY_READ, key.put()) != ERROR_SUCCESS) return false;
  return RegQueryValueExW(key.get(), name, nullptr, nullptr, nullptr, nullptr) == ERROR_SUCCESS;
}

std::wstring ShortPath(const std::wstring& path) {
  wchar_t buffer[MAX_PATH];
  const DWORD n = GetShortPathNameW(path.c_str(), buffer, MAX_PATH);
  return n && n < MAX_PATH ? buffer : L"";
}

TEST_F(KvConsoleRun, ShiftStartsTheOldShellWithShortNamesAfterShiftIsReleased) {
  const std::wstring exe = ConsoleBesideShells();
  const std::wstring file = items_.AddFile(L"Long Folder Name\\long file name.text", "x");
  const std::wstring shortFile = ShortPath(file);
  const std::wstring shortName = shortFile.substr(shortFile.find_last_of(L'\\') + 1);
  ASSERT_NE(shortName, L"long file name.text");
  kvtest::KeyHold shift({VK_SHIFT});
  kvtest::Process console = StartConsole(Quoted(file), exe);
  // The defaults are written on loading, just before Shift is read.
  EXPECT_TRUE(kvtest::WaitFor([] { return SettingExists(L"CommandPromptSendKeysDelay"); }, 15s));
  Sleep(300);
  shift.Release();
  const Record record = WaitForShell(shortName.size() + 1);
  EXPECT_TRUE(console.Wait(15s));
  EXPECT_EQ(record.line, L"command.com");
  EXPECT_EQ(FolderKey(record.folder), FolderKey(shortFile.substr(0, shortFile.find_last_of(L'\\'))));
  EXPECT_EQ(record.typed, shortName + L" ");
}

// \\kvserver\share is a folder of the Wine prefix's "unc" device.
class NetworkShare {
 public:
  NetworkShare() {
    const std::wstring device = kvtest::FromUnixPath(KV_TEST_UNIX_ROOT "/prefix/dosdevices/unc");
    CreateDirectoryW(device.c_str(), nullptr);
    path_ = device + L"\\kvserver";
    CreateDirectoryW(path_.c_str(), nullptr);
    CreateDirectoryW((path_ + L"\\share").c_str(), nullptr);
    CreateDirectoryW((path_ + L"\\share\\dir").c_str(), nullptr);
    kvtest::WriteFile(path_ + L"\\share\\dir\\notes.txt", "x");
  }
  ~NetworkShare() { kvtest::RemoveTree(path_); }
  bool Reachable() const { return kvtest::Exists(L"\\\\kvserver\\share\\dir\\notes.txt"); }

 private:
  std::wstring path_;
};

std::wstring UserProfile() {
  wchar_t profile[MAX_PATH] = {};
  GetEnvironmentVariableW(L"USERPROFILE", profile, MAX_PATH);
  return profile;
}

TEST_F(KvConsoleRun, ANetworkFolderStartsCmdWithPushdFromTheUserProfile) {
  NetworkShare share;
  ASSERT_TRUE(share.Reachable());
  // Characters outside Latin-1 and the ANSI code page reach the shell as they are.
  const std::wstring polish = L"\\\\kvserver\\share\\Ksi\u0119gowo\u015B\u0107 \u0141\u00F3d\u017A";
  ASSERT_TRUE(CreateDirectoryW(polish.c_str(), nullptr));
  const std::wstring exe = ConsoleBesideShells();
  struct Row {
    std::wstring sent;
    std::wstring line;
    std::wstring typed;
  } rows[] = {
      {L"\\\\kvserver\\share\\dir", L"cmd.exe /k pushd \\\\kvserver\\share\\dir", L""},
      {L"\\\\kvserver\\share\\dir\\notes.txt", L"cmd.exe /k pushd \\\\kvserver\\share\\dir\\", L"notes.txt "},
      {Quoted(polish), L"cmd.exe /k pushd " + polish, L""},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(kvtest::Narrow(row.sent));
    DeleteFileW(record_.c_str());
    kvtest::Process console = StartConsole(row.sent, exe);
    const Record record = WaitForShell(row.typed.size());
    EXPECT_TRUE(console.Wait(15s));
    EXPECT_EQ(record.line, row.line);
    EXPECT_EQ(FolderKey(record.folder), FolderKey(UserProfile()));
    EXPECT_EQ(record.typed, row.typed);
    CloseConsoles();
  }
}

TEST_F(KvConsoleRun, TheAlternativeShellStartsInTheNetworkFolderItself) {
  NetworkShare share;
  ASSERT_TRUE(share.Reachable());
  UseFakeShell();
  kvtest::Process console = StartConsole(L"\\\\kvserver\\share\\dir");
  const Record record = WaitForShell();
  EXPECT_TRUE(console.Wait(15s));
  EXPECT_EQ(record.line, Quoted(FakeShell()) + L" /fake");
  EXPECT_EQ(FolderKey(record.folder), FolderKey(L"\\\\kvserver\\share\\dir"));
}

TEST_F(KvConsoleRun, TheDelaySettingWaitsBetweenFindingTheConsoleAndTyping) {
  UseFakeShell();
  const std::wstring file = items_.AddFile(L"d.txt", "x");
  struct Row {
    const wchar_t* delay;
    long atLeastMs;
  } rows[] = {
      {L"2000", 2000},
      {L"-1", 0},  // a negative wait types at once instead of never
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(kvtest::Narrow(row.delay));
    DeleteFileW(record_.c_str());
    ASSERT_TRUE(kvtest::SetRegistryString(HKEY_CURRENT_USER, kProductKey, L"CommandPromptSendKeysDelay", row.delay));
    kvtest::Process console = StartConsole(Quoted(file));
    ASSERT_TRUE(kvtest::WaitFor([&] { return ReadRecord(record_).started; }, 15s));
    const auto started = std::chrono::steady_clock::now();
    ASSERT_TRUE(kvtest::WaitFor([&] { return ReadRecord(record_).typed == L"d.txt "; }, 15s));
    const auto waited = std::chrono::duration_cast<std::chrono::milliseconds>(std::chrono::steady_clock::now() - started);
    EXPECT_GE(waited.count(), row.atLeastMs - 50);
    EXPECT_TRUE(console.Wait(10s));
    CloseConsoles();
  }
}

}  // namespace
