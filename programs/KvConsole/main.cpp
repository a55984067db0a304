// KvConsole: opens a command prompt in the folder of the item Explorer sends it and types the item's name there.
#include <windows.h>
#include <shlobj.h>

#include <string>
#include <vector>

#include "Handles.h"
#include "Keys.h"
#include "LocalizedStrings.h"
#include "Prompt.h"
#include "SettingsStore.h"
#include "Shortcuts.h"
#include "logic/ItemList.h"
#include "resource.h"

namespace {

kv::LocalizedStrings g_texts;

constexpr wchar_t kAlternativeShell[] = L"CommandPromptAlternativeShell";
constexpr wchar_t kSendKeysDelay[] = L"CommandPromptSendKeysDelay";

bool IsWindows9x() { return (GetVersion() & 0x80000000u) != 0; }

// Presses the keys that make the character in this thread's layout; a character no key makes is
// posted to the console as a character message instead.
void TypeCharacter(HWND console, wchar_t character) {
  const HKL layout = GetKeyboardLayout(0);
  const std::vector<kv::KeyStroke> strokes = kv::PlanKeyStrokes(VkKeyScanExW(character, layout));
  if (strokes.empty()) {
    SendMessageW(console, WM_CHAR, character, 0xE0001);
    return;
  }
  INPUT inputs[8] = {};
  UINT count = 0;
  for (const kv::KeyStroke& stroke : strokes) {
    INPUT& input = inputs[count++];
    input.type = INPUT_KEYBOARD;
    input.ki.wVk = stroke.virtualKey;
    input.ki.wScan = static_cast<WORD>(MapVirtualKeyExW(stroke.virtualKey, MAPVK_VK_TO_VSC, layout));
    input.ki.dwFlags = stroke.up ? KEYEVENTF_KEYUP : 0;
  }
  SendInput(count, inputs, sizeof(INPUT));
}

void ReportUnenterable(const std::wstring& folder) {
  const DWORD error = GetLastError();
  wchar_t* message = nullptr;
  FormatMessageW(FORMAT_MESSAGE_ALLOCATE_BUFFER | FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS, nullptr,
                 error, MAKELANGID(LANG_NEUTRAL, SUBLANG_DEFAULT), reinterpret_cast<wchar_t*>(&message), 0, nullptr);
  MessageBoxW(GetForegroundWindow(), message ? message : L"", folder.c_str(), MB_ICONINFORMATION);
  if (message) LocalFree(message);
}

// Starts the line as WinExec would (shown normally, waited for until idle) but wide, so every character of the folder reaches the shell.
void StartShell(const std::wstring& commandLine) {
  std::vector<wchar_t> line(commandLine.begin(), commandLine.end());
  line.push_back(L'\0');
  STARTUPINFOW startup = {};
  startup.cb = sizeof startup;
  startup.dwFlags = STARTF_USESHOWWINDOW;
  startup.wShowWindow = SW_SHOWNORMAL;
  PROCESS_INFORMATION started = {};
  if (!CreateProcessW(nullptr, line.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup, &started)) return;
  const kv::Handle thread(started.hThread);
  const kv::Handle process(started.hProcess);
  WaitForInputIdle(process.get(), 30000);
}

// False when the user cancelled; otherwise `folder` holds the choice and `chosen` whether it is a file-system folder.
bool ChooseFolder(std::wstring& folder, bool& chosen) {
  kv::ComScope com;
  wchar_t displayName[MAX_PATH];
  lstrcpynW(displayName, folder.c_str(), MAX_PATH);
  BROWSEINFOW browse = {};
  browse.hwndOwner = GetForegroundWindow();
  browse.pszDisplayName = displayName;
  browse.lpszTitle = g_texts.LoadText(IDS_SELECT_FOLDER);
  browse.ulFlags = BIF_RETURNONLYFSDIRS | BIF_EDITBOX | BIF_NEWDIALOGSTYLE;
  PIDLIST_ABSOLUTE item = SHBrowseForFolderW(&browse);
  if (!item) return false;
  folder = displayName;
  wchar_t path[MAX_PATH];
  if (SHGetPathFromIDListW(item, path)) {
    folder = path;
    chosen = true;
  }
  CoTaskMemFree(item);
  return true;
}

void OpenCommandPrompt(const kv::ItemList& items, bool useCommandCom, kv::SettingsStore& store) {
  std::wstring folder = items.Item(0);
  if (kv::LooksLikeShortcut(folder)) {
    kv::ComScope com;
    std::wstring target;
    kv::ResolveShortcut(folder.c_str(), target);
    folder = target;
  }
  const std::wstring quotedPath = kv::QuoteIfSpaced(folder);

  bool folderChosen = false;
  if (kv::KeyHeld(VK_CONTROL) && !ChooseFolder(folder, folderChosen)) return;

  std::wstring typed;
  if (!SetCurrentDirectoryW(folder.c_str())) {
    kv::FolderSplit split = kv::SplitAtLastBackslash(folder);
    folder = split.folder;
    typed = split.typed;
  }
  if (!SetCurrentDirectoryW(folder.c_str())) {
    ReportUnenterable(folder);
    return;
  }
  if (folderChosen) typed = quotedPath;

  const bool windows9x = IsWindows9x();
  const kv::ShellStart shell = kv::ChooseShell(useCommandCom, windows9x, store.Get(kAlternativeShell), folder);
  if (shell.fromUserProfile) {
    wchar_t profile[MAX_PATH];
    const DWORD length = GetEnvironmentVariableW(L"USERPROFILE", profile, MAX_PATH);
    if (length > 0 && length < MAX_PATH) SetCurrentDirectoryW(profile);
  }
  StartShell(shell.commandLine);
  if (typed.empty()) return;

  HWND console = nullptr;
  for (int attempt = 0; attempt < 21 && !console; ++attempt) {
    Sleep(100);
    console = FindWindowW(windows9x ? L"tty" : L"ConsoleWindowClass", nullptr);
  }
  if (!console) return;
  // The keys go to the focus window: the console found must be the one that receives them.
  SetForegroundWindow(console);
  const std::wstring& delay = store.Get(kSendKeysDelay);
  if (!delay.empty()) Sleep(kv::ParseSendKeysDelay(delay));
  for (wchar_t character : typed) {
    Sleep(10);
    TypeCharacter(console, character);
  }
  TypeCharacter(console, L' ');
}

}  // namespace

int WINAPI wWinMain(HINSTANCE, HINSTANCE, PWSTR commandLine, int) {
  kv::DiscardFirstKeySample();
  kv::SettingsStore store;
  store.Set(kAlternativeShell, L"");
  store.Set(kSendKeysDelay, L"");
  store.Load();

  bool useCommandCom = false;
  if (kv::KeyHeld(VK_SHIFT)) {
    useCommandCom = true;
    // The text is typed with the user's keys released, or it would come out shifted.
    while (kv::KeyHeld(VK_SHIFT)) Sleep(100);
  }
  const kv::ItemList items(commandLine, false, useCommandCom);
  if (items.Count() == 0) return 0;
  OpenCommandPrompt(items, useCommandCom, store);
  return 0;
}
