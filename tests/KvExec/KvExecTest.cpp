// KvExec run as Explorer starts it: the Run dialog it opens, what its field holds, where it stands, and the
// dialogs of other processes it must leave alone.
#include <gtest/gtest.h>

#include <condition_variable>
#include <mutex>
#include <thread>

#include "KvTest.h"

namespace {

using namespace std::chrono_literals;

std::wstring KvExec() { return kvtest::ModulePath(L"KvExec.exe"); }

HWND FieldOf(HWND dialog) {
  HWND combo = FindWindowExW(dialog, nullptr, L"ComboBox", nullptr);
  return combo ? FindWindowExW(combo, nullptr, L"Edit", nullptr) : nullptr;
}

std::wstring LongText(HWND window) {
  DWORD_PTR length = 0;
  SendMessageTimeoutW(window, WM_GETTEXTLENGTH, 0, 0, SMTO_ABORTIFHUNG, 2000, &length);
  std::wstring text(length + 1, L'\0');
  DWORD_PTR copied = 0;
  SendMessageTimeoutW(window, WM_GETTEXT, length + 1, reinterpret_cast<LPARAM>(&text[0]), SMTO_ABORTIFHUNG, 2000,
                      &copied);
  text.resize(copied);
  return text;
}

struct RunDialog {
  HWND window = nullptr;
  std::wstring text;
  DWORD selectionStart = 0, selectionEnd = 0;
  bool okEnabled = false;
  HWND owner = nullptr;
  RECT rect = {};
};

// The Run dialog of the process once it holds text (or the time ran out), as the user sees it.
RunDialog ReadRunDialog(DWORD pid) {
  RunDialog dialog;
  dialog.window = kvtest::WaitForWindowTitled(pid, L"Run");
  if (!dialog.window) return dialog;
  EXPECT_EQ(kvtest::ClassName(dialog.window), L"#32770");
  HWND field = FieldOf(dialog.window);
  EXPECT_NE(field, nullptr);
  kvtest::WaitFor([&] { return !LongText(field).empty(); }, 10s);
  dialog.text = LongText(field);
  DWORD_PTR selection = 0;
  SendMessageTimeoutW(field, EM_GETSEL, 0, 0, SMTO_ABORTIFHUNG, 2000, &selection);
  dialog.selectionStart = LOWORD(selection);
  dialog.selectionEnd = HIWORD(selection);
  dialog.okEnabled = IsWindowEnabled(GetDlgItem(dialog.window, IDOK)) != FALSE;
  dialog.owner = GetWindow(dialog.window, GW_OWNER);
  GetWindowRect(dialog.window, &dialog.rect);
  return dialog;
}

// Starts KvExec as Explorer does, reads its Run dialog and cancels it; KvExec must end then.
RunDialog RunKvExec(const std::wstring& arguments, const std::wstring& screenshot = {}) {
  kvtest::Process process = kvtest::Start(KvExec(), arguments);
  EXPECT_TRUE(process);
  RunDialog dialog = ReadRunDialog(process.Id());
  EXPECT_NE(dialog.window, nullptr);
  if (!dialog.window) return dialog;
  if (!screenshot.empty()) kvtest::SaveScreenshot(screenshot);
  kvtest::PressButton(dialog.window, IDCANCEL);
  EXPECT_TRUE(process.Wait(10s));
  return dialog;
}

TEST(KvExec, ItsRunDialogHoldsTheCommandLineExactlyAsReceivedAllSelectedWithOkEnabled) {
  kvtest::TempDir dir;
  const std::wstring report = dir.AddFile(L"report.txt");
  const std::wstring spaced = dir.AddFile(L"My Report.txt");
  const std::wstring other = dir.AddFile(L"notes.txt");
  struct Row {
    const wchar_t* name;
    std::wstring arguments;
  } rows[] = {
      {L"run-one-path", report},
      {L"run-quoted-path", L"\"" + spaced + L"\""},
      {L"run-three-paths", report + L" \"" + spaced + L"\" " + other},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(kvtest::Narrow(row.arguments));
    const RunDialog dialog = RunKvExec(row.arguments, row.name);
    EXPECT_EQ(dialog.text, row.arguments);
    EXPECT_EQ(dialog.selectionStart, 0u);
    EXPECT_EQ(dialog.selectionEnd, row.arguments.size());
    EXPECT_TRUE(dialog.okEnabled);
  }
}

TEST(KvExec, WithoutItemsNothingIsShown) {
  kvtest::Process process = kvtest::Start(KvExec(), L"");
  ASSERT_TRUE(process);
  DWORD code = 1;
  EXPECT_TRUE(process.Wait(10s, &code));
}

TEST(KvExec, ACommandLineLongerThanTheRunTextIsCutAfterItsLastWholeItem) {
  std::wstring arguments;
  for (int i = 0; i < 40; ++i) {
    std::wstring path = L"C:\\" + std::wstring(230, static_cast<wchar_t>(L'a' + i % 26)) + L"\\item " +
                        std::to_wstring(i) + L".txt";
    arguments += (arguments.empty() ? L"" : L" ") + (L"\"" + path + L"\"");
  }
  ASSERT_GT(arguments.size(), 8191u);
  const RunDialog dialog = RunKvExec(arguments);
  EXPECT_LE(dialog.text.size(), 8191u);
  EXPECT_GT(dialog.text.size(), 8191u - 260u);
  EXPECT_EQ(arguments.compare(0, dialog.text.size(), dialog.text), 0);
  ASSERT_LT(dialog.text.size(), arguments.size());
  EXPECT_EQ(arguments[dialog.text.size()], L' ');  // the cut falls between two items
  EXPECT_EQ(dialog.text.back(), L'"');
}

// Windows of the test's own on a thread that serves their messages, as another application would.
class WindowThread {
 public:
  explicit WindowThread(std::function<void()> create) : thread_([this, create] { Serve(create); }) {
    std::unique_lock<std::mutex> lock(mutex_);
    ready_.wait(lock, [this] { return started_; });
  }
  ~WindowThread() {
    PostThreadMessageW(threadId_, WM_QUIT, 0, 0);
    thread_.join();
  }

 private:
  void Serve(const std::function<void()>& create) {
    MSG message;
    PeekMessageW(&message, nullptr, 0, 0, PM_NOREMOVE);  // the queue exists before the quit is posted
    create();
    {
      std::lock_guard<std::mutex> lock(mutex_);
      threadId_ = GetCurrentThreadId();
      started_ = true;
    }
    ready_.notify_all();
    while (GetMessageW(&message, nullptr, 0, 0) > 0) {
      TranslateMessage(&message);
      DispatchMessageW(&message);
    }
  }

  std::mutex mutex_;
  std::condition_variable ready_;
  bool started_ = false;
  DWORD threadId_ = 0;
  std::thread thread_;
};

HWND CreateForeignRunDialog() {
  HWND dialog = CreateWindowExW(WS_EX_TOPMOST, L"#32770", L"Run", WS_POPUP | WS_CAPTION | WS_VISIBLE, 600, 500, 320,
                                120, nullptr, nullptr, nullptr, nullptr);
  CreateWindowExW(0, L"ComboBox", L"", WS_CHILD | WS_VISIBLE | CBS_DROPDOWN, 10, 10, 280, 200, dialog,
                  reinterpret_cast<HMENU>(static_cast<INT_PTR>(12298)), nullptr, nullptr);
  CreateWindowExW(0, L"Button", L"OK", WS_CHILD | WS_VISIBLE | WS_DISABLED, 10, 50, 80, 24, dialog,
                  reinterpret_cast<HMENU>(static_cast<INT_PTR>(IDOK)), nullptr, nullptr);
  return dialog;
}

TEST(KvExec, ARunDialogOfAnotherProcessInFrontIsLeftAlone) {
  HWND foreign = nullptr;
  WindowThread windows([&foreign] { foreign = CreateForeignRunDialog(); });
  ASSERT_NE(FieldOf(foreign), nullptr);

  kvtest::TempDir dir;
  const std::wstring path = dir.AddFile(L"report.txt");
  kvtest::Process process = kvtest::Start(KvExec(), path);
  ASSERT_TRUE(process);
  const RunDialog own = ReadRunDialog(process.Id());
  ASSERT_NE(own.window, nullptr);
  // The foreign dialog stands first among the top-level dialogs: a plain search would have found it.
  EXPECT_EQ(FindWindowExW(nullptr, nullptr, L"#32770", nullptr), foreign);
  EXPECT_EQ(own.text, path);
  EXPECT_TRUE(own.okEnabled);
  EXPECT_EQ(kvtest::WindowText(FieldOf(foreign)), L"");
  EXPECT_FALSE(IsWindowEnabled(GetDlgItem(foreign, IDOK)));
  RECT rect;
  GetWindowRect(foreign, &rect);
  EXPECT_EQ(rect.left, 600);
  EXPECT_EQ(rect.top, 500);
  kvtest::PressButton(own.window, IDCANCEL);
  EXPECT_TRUE(process.Wait(10s));
  DestroyWindow(foreign);
}

// The shell's Run dialog opened by the test itself with that owner: where it stands when nobody moves
// it, and which owner the system gave it (Wine's desktop may own a dialog opened without one).
RECT UnmovedRunDialog(HWND owner, HWND* givenOwner = nullptr) {
  using RunFileDialog = void(WINAPI*)(HWND, HICON, LPCWSTR, LPCWSTR, LPCWSTR, UINT);
  const auto run = reinterpret_cast<RunFileDialog>(GetProcAddress(LoadLibraryW(L"shell32.dll"), MAKEINTRESOURCEA(61)));
  RECT rect = {};
  if (!run) return rect;
  std::thread shown([run, owner] { run(owner, nullptr, L"", nullptr, nullptr, 0); });
  HWND dialog = kvtest::WaitForWindowTitled(GetCurrentProcessId(), L"Run");
  if (dialog) {
    GetWindowRect(dialog, &rect);
    if (givenOwner) *givenOwner = GetWindow(dialog, GW_OWNER);
    kvtest::PressButton(dialog, IDCANCEL);
  }
  shown.join();
  return rect;
}

LRESULT CALLBACK TrayProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  return DefWindowProcW(window, message, wParam, lParam);
}

TEST(KvExec, TheDialogIsOwnedByTheStartButtonAndMovedBesideItOnlyWhenTheButtonWasFoundByItsTitle) {
  kvtest::TempDir dir;
  const std::wstring path = dir.AddFile(L"report.txt");
  {
    SCOPED_TRACE("no Start button at all");
    // Wine's desktop may keep a taskbar window of its own, but never with a button in it.
    HWND wineTray = FindWindowW(L"Shell_TrayWnd", nullptr);
    ASSERT_TRUE(!wineTray || !FindWindowExW(wineTray, nullptr, L"Button", nullptr));
    ASSERT_EQ(FindWindowW(L"Button", L"Start"), nullptr);
    HWND ownerOfNone = nullptr;
    const RECT unmoved = UnmovedRunDialog(nullptr, &ownerOfNone);
    const RunDialog dialog = RunKvExec(path);
    EXPECT_EQ(dialog.owner, ownerOfNone);
    EXPECT_EQ(dialog.rect.left, unmoved.left + 13);
    EXPECT_EQ(dialog.rect.top, unmoved.top - 5);
    EXPECT_EQ(dialog.rect.right - dialog.rect.left, unmoved.right - unmoved.left);
  }
  {
    SCOPED_TRACE("a top-level Start button");
    HWND start = nullptr;
    WindowThread windows([&start] {
      start = CreateWindowExW(0, L"Button", L"Start", WS_POPUP | WS_VISIBLE, 200, 700, 80, 30, nullptr, nullptr,
                              nullptr, nullptr);
    });
    const RECT unmoved = UnmovedRunDialog(start);
    const RunDialog dialog = RunKvExec(path, L"run-beside-start");
    EXPECT_EQ(dialog.owner, start);
    EXPECT_EQ(dialog.rect.left, unmoved.left + 13);
    EXPECT_EQ(dialog.rect.top, unmoved.top - 5);
    PostMessageW(start, WM_CLOSE, 0, 0);
  }
  {
    SCOPED_TRACE("a Start button inside the taskbar");
    WNDCLASSW trayClass = {};
    trayClass.lpfnWndProc = TrayProc;
    trayClass.hInstance = GetModuleHandleW(nullptr);
    trayClass.lpszClassName = L"Shell_TrayWnd";
    ASSERT_NE(RegisterClassW(&trayClass), 0);
    HWND tray = nullptr, button = nullptr;
    WindowThread windows([&tray, &button] {
      // Topmost, so that it comes before a hidden taskbar of Wine's desktop in every window search.
      tray = CreateWindowExW(WS_EX_TOPMOST, L"Shell_TrayWnd", L"", WS_POPUP | WS_VISIBLE, 0, 960, 1280, 64, nullptr,
                             nullptr, GetModuleHandleW(nullptr), nullptr);
      button = CreateWindowExW(0, L"Button", L"Start", WS_CHILD | WS_VISIBLE, 0, 0, 80, 64, tray, nullptr, nullptr,
                               nullptr);
    });
    ASSERT_EQ(FindWindowW(L"Shell_TrayWnd", L""), tray);
    const RECT unmoved = UnmovedRunDialog(button);
    const RunDialog dialog = RunKvExec(path, L"run-taskbar-button");
    // A dialog's owner is always a top-level window: the system takes the button's taskbar.
    EXPECT_EQ(dialog.owner, GetAncestor(button, GA_ROOT));
    EXPECT_EQ(dialog.owner, tray);
    EXPECT_EQ(dialog.rect.left, unmoved.left);
    EXPECT_EQ(dialog.rect.top, unmoved.top);
    PostMessageW(tray, WM_CLOSE, 0, 0);
  }
}

}  // namespace
