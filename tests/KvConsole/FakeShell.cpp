// A stand-in for the command interpreter: records where and how it was started and every character it receives.
#include <windows.h>

#include <string>

namespace {

std::wstring g_record;

void Append(const std::wstring& text) {
  const int n = WideCharToMultiByte(CP_UTF8, 0, text.data(), static_cast<int>(text.size()), nullptr, 0, nullptr, nullptr);
  std::string utf8(static_cast<size_t>(n), '\0');
  WideCharToMultiByte(CP_UTF8, 0, text.data(), static_cast<int>(text.size()), &utf8[0], n, nullptr, nullptr);
  HANDLE file = CreateFileW(g_record.c_str(), FILE_APPEND_DATA, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                            nullptr, OPEN_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
  if (file == INVALID_HANDLE_VALUE) return;
  DWORD written = 0;
  ::WriteFile(file, utf8.data(), static_cast<DWORD>(utf8.size()), &written, nullptr);
  CloseHandle(file);
}

LRESULT CALLBACK ConsoleProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_CHAR:
      Append(std::wstring(1, static_cast<wchar_t>(wParam)));
      return 0;
    case WM_TIMER:
      DestroyWindow(window);
      return 0;
    case WM_DESTROY:
      PostQuitMessage(0);
      return 0;
  }
  return DefWindowProcW(window, message, wParam, lParam);
}

}  // namespace

int WINAPI wWinMain(HINSTANCE instance, HINSTANCE, PWSTR, int) {
  wchar_t record[MAX_PATH];
  if (!GetEnvironmentVariableW(L"KV_FAKE_SHELL_RECORD", record, MAX_PATH)) return 1;
  g_record = record;
  wchar_t folder[MAX_PATH];
  GetCurrentDirectoryW(MAX_PATH, folder);
  Append(std::wstring(folder) + L"\n" + GetCommandLineW() + L"\n");

  WNDCLASSW windowClass = {};
  windowClass.lpfnWndProc = ConsoleProc;
  windowClass.hInstance = instance;
  windowClass.hCursor = LoadCursorW(nullptr, IDC_ARROW);
  windowClass.hbrBackground = static_cast<HBRUSH>(GetStockObject(BLACK_BRUSH));
  windowClass.lpszClassName = L"ConsoleWindowClass";
  RegisterClassW(&windowClass);
  HWND window = CreateWindowExW(0, L"ConsoleWindowClass", L"Fake console", WS_OVERLAPPEDWINDOW, 40, 40, 480, 240,
                                nullptr, nullptr, instance, nullptr);
  if (!window) return 2;
  ShowWindow(window, SW_SHOWNORMAL);
  // Never outlives a test that forgot it.
  SetTimer(window, 1, 60000, nullptr);
  MSG message;
  while (GetMessageW(&message, nullptr, 0, 0) > 0) {
    TranslateMessage(&message);
    DispatchMessageW(&message);
  }
  return 0;
}
