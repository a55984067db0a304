// KvExec: opens the shell's Run dialog with the items Explorer sends it already typed in and selected.
#include <windows.h>

#include <cwchar>

#include "Handles.h"
#include "RunText.h"
#include "logic/ItemList.h"

namespace {

// The shell's Run dialog, exported by shell32.dll under ordinal 61 and under no name.
using RunFileDialog = void(WINAPI*)(HWND owner, HICON icon, LPCWSTR directory, LPCWSTR title, LPCWSTR prompt,
                                     UINT flags);
constexpr WORD kRunFileDialogOrdinal = 61;

// Written before the filler thread starts and only read by it afterwards.
struct RunContext {
  wchar_t text[kv::kRunTextChars];
  // The owner had to be found by its title: the dialog is then shifted beside the Start button.
  bool moveDialog;
  DWORD processId;
};

// Only this process's own dialog: another application's dialog in front must never receive the text.
// It is taken once visible, as the shell fills the field from its history while the dialog initialises.
HWND FindRunDialog(DWORD processId) {
  for (HWND w = FindWindowExW(nullptr, nullptr, L"#32770", nullptr); w;
       w = FindWindowExW(nullptr, w, L"#32770", nullptr)) {
    DWORD owner = 0;
    GetWindowThreadProcessId(w, &owner);
    if (owner == processId && IsWindowVisible(w)) return w;
  }
  return nullptr;
}

DWORD WINAPI FillRunDialog(void* parameter) {
  const RunContext* context = static_cast<const RunContext*>(parameter);
  for (;;) {
    Sleep(10);
    HWND dialog = FindRunDialog(context->processId);
    if (!dialog) continue;
    if (context->moveDialog) {
      RECT r;
      if (GetWindowRect(dialog, &r)) SetWindowPos(dialog, HWND_TOP, r.left + 13, r.top - 5, 0, 0, SWP_NOSIZE);
    }
    HWND combo = FindWindowExW(dialog, nullptr, L"ComboBox", nullptr);
    if (!combo) continue;
    HWND edit = FindWindowExW(combo, nullptr, L"Edit", nullptr);
    if (!edit) continue;
    SendMessageW(edit, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(context->text));
    SendMessageW(edit, EM_SETSEL, 0, -1);
    // The dialog enables OK only on typing, which WM_SETTEXT is not.
    EnableWindow(GetDlgItem(dialog, IDOK), TRUE);
    return 0;
  }
}

void ShowRunDialog(const wchar_t* text) {
  // Static: the filler thread is not waited for and may still read it while the process ends.
  static RunContext context;
  std::wmemset(context.text, L'\0', kv::kRunTextChars);
  std::wmemcpy(context.text, text, kv::RunTextLength(text, std::wcslen(text)));
  context.processId = GetCurrentProcessId();

  HMODULE shell = LoadLibraryW(L"shell32.dll");
  if (!shell) return;
  const auto run = reinterpret_cast<RunFileDialog>(GetProcAddress(shell, MAKEINTRESOURCEA(kRunFileDialogOrdinal)));
  if (!run) return;

  // The Start button, where it is a child of the taskbar; else a top-level Start button, beside which the
  // dialog would otherwise cover it.
  HWND owner = nullptr;
  if (HWND tray = FindWindowW(L"Shell_TrayWnd", L"")) owner = FindWindowExW(tray, nullptr, L"Button", nullptr);
  if (!owner) {
    owner = FindWindowW(L"Button", L"Start");
    context.moveDialog = true;
  }

  kv::Handle filler(CreateThread(nullptr, 0, FillRunDialog, &context, 0, nullptr));
  run(owner, nullptr, L"", nullptr, nullptr, 0);
}

}  // namespace

int WINAPI wWinMain(HINSTANCE, HINSTANCE, PWSTR commandLine, int) {
  const kv::ItemList items(commandLine);
  if (items.Count() == 0) return 0;
  ShowRunDialog(items.CommandLine());
  return 0;
}
