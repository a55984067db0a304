// KvPathCopy sent files as Explorer sends them: the clipboard text, Control and the settings dialog,
// and the settings the first drop writes.
#include <gtest/gtest.h>

#include <oleidl.h>
#include <psapi.h>

#include <algorithm>
#include <atomic>
#include <functional>
#include <thread>

#include "KvTest.h"
#include "ShellHost.h"

namespace {

using namespace std::chrono_literals;

constexpr wchar_t kProductKey[] = L"Software\\Zentavo\\Korvane";

const std::map<std::wstring, std::wstring> kDefaults = {
    {L"CompletePath", L"True"},  {L"Wrap", L"True"},          {L"WrapMode", L"Quotes"},
    {L"WrapBegin", L"<"},        {L"WrapEnd", L">"},          {L"KeepOnSeparateLines", L"False"},
    {L"EscapeFormat", L"False"}, {L"URLFormat", L"False"},    {L"URLFormatPrefix", L"file:///"},
    {L"UNCFormat", L"False"},    {L"EndWithSpace", L"True"},  {L"Sort", L"True"},
    {L"ShortNames", L"False"},
};

std::wstring Quoted(const std::wstring& name) { return L"\"" + name + L"\""; }

// A user's SendTo entry, two files (one with a space in its folder), the extension registered.
class PathCopy : public testing::Test {
 protected:
  void SetUp() override {
    ASSERT_TRUE(registered_.Ok());
    ASSERT_EQ(dir_.Path().find(L' '), std::wstring::npos) << "the expectations assume a folder without spaces";
    kvtest::SetRegistryDword(HKEY_CURRENT_USER, L"Software\\Zentavo", L"ForceLanguage", 1);
    entry_ = dir_.AddFile(L"SendTo\\Clipboard (as name).kvpathlist");
    a_ = dir_.AddFile(L"My Docs\\a.txt", "a");
    b_ = dir_.AddFile(L"b.txt", "b");
    kvtest::SetClipboardText(L"before the drop");
  }
  kvtest::SendToResult Send(const std::vector<std::wstring>& paths) { return kvtest::SendTo(entry_, paths); }

  kvtest::CleanRegistry clean_;
  kvtest::RegisteredExtension registered_{kv::ExtensionId::PathCopy};
  kvtest::TempDir dir_;
  std::wstring entry_, a_, b_;
};

TEST_F(PathCopy, ShellFindsTheDropHandlerOfTheEntryExtensionFromTheSharedDefinition) {
  CLSID clsid;
  std::wstring library;
  ASSERT_TRUE(kvtest::FindDropHandler(L".kvpathlist", clsid, &library));
  EXPECT_TRUE(IsEqualCLSID(clsid, kv::Extension(kv::ExtensionId::PathCopy).clsid));
  EXPECT_EQ(library, kvtest::ModulePath(L"KvPathCopy.dll"));
}

TEST_F(PathCopy, FirstDropWritesTheDefaultsAndCopiesSortedNamesWithAFinalSpace) {
  ASSERT_FALSE(kvtest::RegistryKeyExists(HKEY_CURRENT_USER, kProductKey));
  const kvtest::SendToResult result = Send({a_, b_});
  EXPECT_EQ(result.created, S_OK);
  EXPECT_EQ(result.loaded, S_OK);
  EXPECT_EQ(result.entered, S_OK);
  EXPECT_EQ(result.effect, static_cast<DWORD>(DROPEFFECT_COPY));
  EXPECT_EQ(result.dropped, S_OK);
  EXPECT_EQ(result.dropEffect, static_cast<DWORD>(DROPEFFECT_COPY)) << "never the offered move";
  const std::wstring expected = b_ + L" " + Quoted(a_) + L" ";
  EXPECT_EQ(kvtest::ClipboardText(), expected);
  // The block is four times the list text long ("a" "b"); a reader stops at the first null.
  EXPECT_EQ(kvtest::ClipboardDataSize(CF_UNICODETEXT), 4 * (a_.size() + b_.size() + 5) * sizeof(wchar_t));
  EXPECT_EQ(kvtest::RegistryValues(HKEY_CURRENT_USER, kProductKey), kDefaults);
}

TEST_F(PathCopy, StoredSettingsShapeTheCopiedText) {
  const std::wstring spaced = dir_.AddFile(L"My Docs\\c d.txt", "c");
  wchar_t shortForm[MAX_PATH] = {};
  GetShortPathNameW(spaced.c_str(), shortForm, MAX_PATH);
  const struct {
    const char* rule;
    std::map<std::wstring, std::wstring> values;
    std::vector<std::wstring> paths;
    std::wstring expected;
  } rows[] = {
      {"only the last components", {{L"CompletePath", L"False"}}, {spaced, b_}, L"b.txt " + Quoted(L"c d.txt") + L" "},
      {"short names have no space to wrap", {{L"ShortNames", L"True"}}, {spaced}, std::wstring(shortForm) + L" "},
      {"separate lines, custom wrap, unsorted",
       {{L"KeepOnSeparateLines", L"True"}, {L"WrapMode", L"Custom"}, {L"Sort", L"False"}},
       {spaced, b_}, L"<" + spaced + L">\r\n" + b_ + L"\r\n"},
      {"URL format", {{L"URLFormat", L"True"}, {L"EndWithSpace", L"False"}}, {b_},
       L"file:///" + kvtest::Widen([&] {
         std::string s = kvtest::Narrow(b_);
         for (char& c : s)
           if (c == '\\') c = '/';
         return s;
       }())},
      {"UNC format leaves a local disk's name", {{L"UNCFormat", L"True"}}, {b_}, b_ + L" "},
  };
  for (const auto& row : rows) {
    SCOPED_TRACE(row.rule);
    kvtest::CleanRegistry clean;
    for (const auto& v : row.values) kvtest::SetRegistryString(HKEY_CURRENT_USER, kProductKey, v.first.c_str(), v.second);
    kvtest::SetClipboardText(L"before the drop");
    EXPECT_EQ(Send(row.paths).dropped, S_OK);
    EXPECT_EQ(kvtest::ClipboardText(), row.expected);
  }
  ASSERT_EQ(std::wstring(shortForm).find(L' '), std::wstring::npos);
}

TEST_F(PathCopy, TextsLongerThanAnyFixedBufferAreCopiedWhole) {
  // A name past the 259-character path limit (as written, it is not looked up) and a prefix far beyond the
  // capacity of four times the list text (and within what the store reads back): the clipboard block is
  // sized from the finished text.
  const std::wstring longName = L"C:\\" + std::wstring(150, L'd') + L"\\" + std::wstring(150, L'f') + L".txt";
  kvtest::SendTo(entry_, {longName, b_});
  EXPECT_EQ(kvtest::ClipboardText(), longName + L" " + b_ + L" ");

  const std::wstring prefix(1500, L'p');
  kvtest::SetRegistryString(HKEY_CURRENT_USER, kProductKey, L"URLFormat", L"True");
  kvtest::SetRegistryString(HKEY_CURRENT_USER, kProductKey, L"URLFormatPrefix", prefix);
  kvtest::SendTo(entry_, {b_});
  std::wstring slashed = b_;
  std::replace(slashed.begin(), slashed.end(), L'\\', L'/');
  EXPECT_EQ(kvtest::ClipboardText(), prefix + slashed + L" ");
  EXPECT_GE(kvtest::ClipboardDataSize(CF_UNICODETEXT), (prefix.size() + slashed.size() + 2) * sizeof(wchar_t));
}

TEST_F(PathCopy, NamesInTheSystemCodePageGiveTheSameText) {
  kvtest::SendToOptions narrow;
  narrow.wide = false;
  EXPECT_EQ(kvtest::SendTo(entry_, {a_, b_}, narrow).dropped, S_OK);
  EXPECT_EQ(kvtest::ClipboardText(), b_ + L" " + Quoted(a_) + L" ");
}

TEST_F(PathCopy, EscapingPercentEncodesSpacesAndNeverWraps) {
  kvtest::SetRegistryString(HKEY_CURRENT_USER, kProductKey, L"EscapeFormat", L"True");
  const std::wstring spaced = dir_.AddFile(L"My Docs\\c d.txt", "c");
  Send({spaced});
  const std::wstring text = kvtest::ClipboardText();
  EXPECT_NE(text.find(L"c%20d.txt"), std::wstring::npos) << kvtest::Narrow(text);
  EXPECT_EQ(text.find(L'"'), std::wstring::npos) << kvtest::Narrow(text);
  EXPECT_EQ(text.find(L"file://"), std::wstring::npos) << kvtest::Narrow(text);
}

// The desktop's foreground window at the drop, as Explorer's window is. It belongs to another process:
// under Wine a key sent with SendInput does not reach GetAsyncKeyState while the test's own thread owns
// the foreground window and waits.
class ForegroundWindow {
 public:
  ForegroundWindow() : process_(kvtest::Start(L"C:\\windows\\notepad.exe", L"")) {
    window_ = kvtest::WaitForDialog(process_.Id(), 10s, L"Notepad");
    if (!window_) return;
    WaitForInputIdle(process_.Handle(), 5000);
    SetForegroundWindow(window_);
    kvtest::WaitFor([this] { return GetForegroundWindow() == window_; }, 2s);
    // Wine takes the keyboard state from the X server when the window gains the X focus, which would undo a
    // key sent before; the focus settles within a few hundred milliseconds.
    Sleep(500);
  }
  HWND get() const { return window_; }

 private:
  kvtest::Process process_;
  HWND window_ = nullptr;
};

bool Checked(HWND dialog, int id) { return SendMessageW(GetDlgItem(dialog, id), BM_GETCHECK, 0, 0) == BST_CHECKED; }
bool Enabled(HWND dialog, int id) { return IsWindowEnabled(GetDlgItem(dialog, id)) != FALSE; }
void Click(HWND dialog, int id) { SendMessageW(GetDlgItem(dialog, id), BM_CLICK, 0, 0); }
std::wstring Text(HWND dialog, int id) { return kvtest::WindowText(GetDlgItem(dialog, id)); }
// Wine's comctl32 reports version 5.81 whichever is loaded; the side-by-side copy is told by its path.
bool CommonControlsSixLoaded() {
  HMODULE modules[512];
  DWORD bytes = 0;
  if (!K32EnumProcessModules(GetCurrentProcess(), modules, sizeof modules, &bytes)) return false;
  for (DWORD i = 0; i < bytes / sizeof(HMODULE) && i < 512; ++i) {
    wchar_t path[MAX_PATH] = {};
    GetModuleFileNameW(modules[i], path, MAX_PATH);
    CharLowerW(path);
    if (wcsstr(path, L"common-controls_6595b64144ccf1df_6.")) return true;
  }
  return false;
}

// Sends the paths with Control held; `answer` sees the settings dialog (and must close it) on another
// thread while the drop blocks, as the shell's thread is blocked.
struct DialogRun {
  HWND dialog = nullptr;
  HWND owner = nullptr;
  HWND foreground = nullptr;
  kvtest::SendToResult result;
};

DialogRun SendWithControl(const std::wstring& entry, const std::vector<std::wstring>& paths,
                          const std::function<void(HWND)>& answer) {
  DialogRun run;
  ForegroundWindow explorer;
  run.foreground = explorer.get();
  kvtest::KeyHold control({VK_CONTROL});
  std::thread answerer([&] {
    run.dialog = kvtest::WaitForDialog(GetCurrentProcessId(), 20s);
    control.Release();
    if (!run.dialog) return;
    run.owner = GetWindow(run.dialog, GW_OWNER);
    answer(run.dialog);
    // A dialog the answer left open would block the drop for good.
    if (!kvtest::WaitFor([&] { return !IsWindow(run.dialog); }, 10s)) PostMessageW(run.dialog, WM_COMMAND, IDCANCEL, 0);
  });
  run.result = kvtest::SendTo(entry, paths);
  answerer.join();
  return run;
}

TEST_F(PathCopy, ControlShowsTheDialogOwnedByTheForegroundWindowAndOkCopiesWithTheNewValues) {
  DialogRun run = SendWithControl(entry_, {a_, b_}, [](HWND d) {
    EXPECT_EQ(kvtest::WindowText(d), L"Send To \"Clipboard (as name)\" Settings");
    EXPECT_EQ(Text(d, 2101), L"&Include complete path");
    EXPECT_EQ(Text(d, 2104), L"be&tween");
    EXPECT_EQ(Text(d, 1), L"OK");
    EXPECT_EQ(Text(d, 2), L"Cancel");
    EXPECT_EQ(kvtest::WindowText(GetDlgItem(d, -1)), L"and");
    kvtest::SaveScreenshot(L"KvPathCopy-dialog-102-English");
    // The library's manifest is active around the dialog: version 6 of the common controls serves it, which
    // the host (this test, without a manifest of its own) never asked for.
    EXPECT_TRUE(CommonControlsSixLoaded());
    // First use: the defaults.
    for (int id : {2101, 2102, 2103, 2108, 2113}) EXPECT_TRUE(Checked(d, id)) << id;
    for (int id : {2104, 2107, 2109, 2110, 2112, 2114}) EXPECT_FALSE(Checked(d, id)) << id;
    EXPECT_EQ(Text(d, 2105), L"<");
    EXPECT_EQ(Text(d, 2106), L">");
    EXPECT_EQ(Text(d, 2111), L"file:///");
    for (int id : {2103, 2104, 2105, 2106, 2108, 2112}) EXPECT_TRUE(Enabled(d, id)) << id;
    // New values: separate lines (which disables the final space), custom wrapping between [ and ].
    Click(d, 2107);
    EXPECT_FALSE(Enabled(d, 2108));
    EXPECT_TRUE(Checked(d, 2108));
    Click(d, 2104);
    SetDlgItemTextW(d, 2105, L"[");
    SetDlgItemTextW(d, 2106, L"]");
    kvtest::PressButton(d, IDOK);
  });
  ASSERT_NE(run.dialog, nullptr);
  EXPECT_NE(run.owner, nullptr);
  EXPECT_EQ(run.owner, run.foreground);
  EXPECT_EQ(run.result.dropped, S_OK);
  EXPECT_EQ(kvtest::ClipboardText(), b_ + L"\r\n[" + a_ + L"]\r\n");
  std::map<std::wstring, std::wstring> expected = kDefaults;
  expected[L"KeepOnSeparateLines"] = L"True";
  expected[L"WrapMode"] = L"Custom";
  expected[L"WrapBegin"] = L"[";
  expected[L"WrapEnd"] = L"]";
  EXPECT_EQ(kvtest::RegistryValues(HKEY_CURRENT_USER, kProductKey), expected);
}

TEST_F(PathCopy, CancelLeavesClipboardAndRegistryAsTheyWere) {
  kvtest::SetRegistryString(HKEY_CURRENT_USER, kProductKey, L"Wrap", L"False");
  kvtest::SetRegistryString(HKEY_CURRENT_USER, kProductKey, L"WrapMode", L"Braces");
  // The drop loads (and so completes) the key before the dialog; the snapshot is taken inside it.
  std::map<std::wstring, std::wstring> before;
  DialogRun run = SendWithControl(entry_, {a_, b_}, [&](HWND d) {
    before = kvtest::RegistryValues(HKEY_CURRENT_USER, kProductKey);
    // Stored values, not defaults: Wrap off disables the wrap choices; a mode other than Quotes is custom.
    EXPECT_FALSE(Checked(d, 2102));
    EXPECT_TRUE(Checked(d, 2104));
    EXPECT_FALSE(Checked(d, 2103));
    for (int id : {2103, 2104, 2105, 2106}) EXPECT_FALSE(Enabled(d, id)) << id;
    Click(d, 2102);
    for (int id : {2103, 2104, 2105, 2106}) EXPECT_TRUE(Enabled(d, id)) << id;
    Click(d, 2101);
    EXPECT_FALSE(Enabled(d, 2112));
    Click(d, 2113);
    kvtest::PressButton(d, IDCANCEL);
  });
  ASSERT_NE(run.dialog, nullptr);
  EXPECT_EQ(run.result.dropped, S_OK);
  EXPECT_EQ(kvtest::ClipboardText(), L"before the drop");
  EXPECT_EQ(before[L"WrapMode"], L"Braces");
  EXPECT_EQ(kvtest::RegistryValues(HKEY_CURRENT_USER, kProductKey), before);
}

TEST_F(PathCopy, ControlPressedAndReleasedBeforeTheDropShowsNoDialog) {
  { kvtest::KeyHold control({VK_CONTROL}); }
  Send({b_});
  EXPECT_EQ(kvtest::ClipboardText(), b_ + L" ");
}

TEST_F(PathCopy, DialogShowsTheForcedLanguage) {
  kvtest::SetRegistryDword(HKEY_CURRENT_USER, L"Software\\Zentavo", L"ForceLanguage", 8);
  DialogRun run = SendWithControl(entry_, {b_}, [](HWND d) {
    EXPECT_EQ(kvtest::WindowText(d), L"Einstellungen f\u00FCr Senden an \"Zwischenablage (als Name)\"");
    EXPECT_EQ(Text(d, 2), L"Abbrechen");
    kvtest::SaveScreenshot(L"KvPathCopy-dialog-102-German");
    kvtest::PressButton(d, IDCANCEL);
  });
  EXPECT_NE(run.dialog, nullptr);
}

}  // namespace
