// Test support for driving the real modules under Wine.
#include "KvTest.h"

#include <commctrl.h>
#include <shellapi.h>
#include <shlobj.h>

#include <algorithm>
#include <cstring>
#include <thread>

#include "kv_test_config.h"

namespace kvtest {

std::wstring Widen(const std::string& utf8) {
  if (utf8.empty()) return {};
  int n = MultiByteToWideChar(CP_UTF8, 0, utf8.data(), static_cast<int>(utf8.size()), nullptr, 0);
  std::wstring out(static_cast<size_t>(n), L'\0');
  MultiByteToWideChar(CP_UTF8, 0, utf8.data(), static_cast<int>(utf8.size()), &out[0], n);
  return out;
}

std::string Narrow(const std::wstring& text) {
  if (text.empty()) return {};
  int n = WideCharToMultiByte(CP_UTF8, 0, text.data(), static_cast<int>(text.size()), nullptr, 0, nullptr, nullptr);
  std::string out(static_cast<size_t>(n), '\0');
  WideCharToMultiByte(CP_UTF8, 0, text.data(), static_cast<int>(text.size()), &out[0], n, nullptr, nullptr);
  return out;
}

std::wstring FromUnixPath(const std::string& unixPath) {
  std::wstring path = L"Z:" + Widen(unixPath);
  std::replace(path.begin(), path.end(), L'/', L'\\');
  return path;
}

std::wstring ModulePath(const std::wstring& fileName) {
  for (const char* file : kModuleFiles) {
    std::wstring path = FromUnixPath(file);
    const size_t slash = path.find_last_of(L'\\');
    if (lstrcmpiW(path.c_str() + slash + 1, fileName.c_str()) == 0) return path;
  }
  return {};
}

std::vector<std::wstring> AllModules() {
  std::vector<std::wstring> modules;
  for (const char* file : kModuleFiles) modules.push_back(FromUnixPath(file));
  return modules;
}

std::wstring ArtefactDir() {
  std::wstring dir = FromUnixPath(KV_TEST_ARTEFACT_DIR);
  CreateDirectoryW(dir.c_str(), nullptr);
  return dir;
}

void PumpMessages() {
  MSG message;
  while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) {
    TranslateMessage(&message);
    DispatchMessageW(&message);
  }
}

bool WaitFor(const std::function<bool()>& cond, std::chrono::milliseconds timeout) {
  const auto end = std::chrono::steady_clock::now() + timeout;
  for (;;) {
    PumpMessages();
    if (cond()) return true;
    if (std::chrono::steady_clock::now() >= end) return false;
    MsgWaitForMultipleObjects(0, nullptr, FALSE, 10, QS_ALLINPUT);
  }
}

// --- files -------------------------------------------------------------------------------------

TempDir::TempDir() {
  wchar_t base[MAX_PATH];
  GetTempPathW(MAX_PATH, base);
  static unsigned counter = 0;
  for (;;) {
    wchar_t name[MAX_PATH];
    wsprintfW(name, L"%skvtest-%lu-%u", base, GetCurrentProcessId(), ++counter);
    if (CreateDirectoryW(name, nullptr)) {
      path_ = name;
      break;
    }
  }
}

TempDir::~TempDir() { RemoveTree(path_); }

std::wstring TempDir::AddFolder(const std::wstring& relative) const {
  std::wstring path = path_;
  size_t start = 0;
  while (start <= relative.size()) {
    size_t end = relative.find(L'\\', start);
    if (end == std::wstring::npos) end = relative.size();
    path += L"\\" + relative.substr(start, end - start);
    CreateDirectoryW(path.c_str(), nullptr);
    start = end + 1;
  }
  return path;
}

std::wstring TempDir::AddFile(const std::wstring& relative, const std::string& content) const {
  const size_t slash = relative.find_last_of(L'\\');
  if (slash != std::wstring::npos) AddFolder(relative.substr(0, slash));
  std::wstring path = path_ + L"\\" + relative;
  WriteFile(path, content);
  return path;
}

bool Exists(const std::wstring& path) { return GetFileAttributesW(path.c_str()) != INVALID_FILE_ATTRIBUTES; }

bool SamePath(const std::wstring& a, const std::wstring& b) { return lstrcmpiW(a.c_str(), b.c_str()) == 0; }

std::vector<std::wstring> FolderEntries(const std::wstring& folder) {
  std::vector<std::wstring> names;
  WIN32_FIND_DATAW entry;
  HANDLE find = FindFirstFileW((folder + L"\\*").c_str(), &entry);
  if (find == INVALID_HANDLE_VALUE) return names;
  do {
    const std::wstring name = entry.cFileName;
    if (name != L"." && name != L"..") names.push_back(name);
  } while (FindNextFileW(find, &entry));
  FindClose(find);
  return names;
}

std::wstring CommandLine(const std::vector<std::wstring>& paths) {
  std::wstring line;
  for (const std::wstring& p : paths) {
    if (!line.empty()) line += L" ";
    line += p.find(L' ') == std::wstring::npos ? p : L"\"" + p + L"\"";
  }
  return line;
}

ShortcutContent ReadShortcut(const std::wstring& linkPath) {
  ShortcutContent content;
  IShellLinkW* link = nullptr;
  IPersistFile* file = nullptr;
  if (SUCCEEDED(CoCreateInstance(CLSID_ShellLink, nullptr, CLSCTX_INPROC_SERVER, IID_IShellLinkW,
                                 reinterpret_cast<void**>(&link))) &&
      SUCCEEDED(link->QueryInterface(IID_IPersistFile, reinterpret_cast<void**>(&file))) &&
      SUCCEEDED(file->Load(linkPath.c_str(), STGM_READ))) {
    content.loaded = true;
    wchar_t text[1024] = {};
    link->GetPath(text, 1024, nullptr, SLGP_RAWPATH);
    content.target = text;
    text[0] = L'\0';
    link->GetWorkingDirectory(text, 1024);
    content.workingDirectory = text;
    text[0] = L'\0';
    link->GetDescription(text, 1024);
    content.description = text;
    text[0] = L'\0';
    link->GetArguments(text, 1024);
    content.arguments = text;
  }
  if (file) file->Release();
  if (link) link->Release();
  return content;
}

std::string ReadFile(const std::wstring& path) {
  HANDLE h = CreateFileW(path.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                         OPEN_EXISTING, 0, nullptr);
  if (h == INVALID_HANDLE_VALUE) return {};
  std::string content;
  char buffer[65536];
  DWORD n = 0;
  while (::ReadFile(h, buffer, sizeof buffer, &n, nullptr) && n > 0) content.append(buffer, n);
  CloseHandle(h);
  return content;
}

bool WriteFile(const std::wstring& path, const std::string& content) {
  HANDLE h = CreateFileW(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
  if (h == INVALID_HANDLE_VALUE) return false;
  DWORD n = 0;
  bool ok = content.empty() || (::WriteFile(h, content.data(), static_cast<DWORD>(content.size()), &n, nullptr) &&
                                n == content.size());
  CloseHandle(h);
  return ok;
}

void RemoveTree(const std::wstring& given) {
  // The extended-length form reaches trees deeper than MAX_PATH.
  const std::wstring path = given.size() > 2 && given[1] == L':' ? L"\\\\?\\" + given : given;
  const DWORD attributes = GetFileAttributesW(path.c_str());
  if (attributes == INVALID_FILE_ATTRIBUTES) return;
  SetFileAttributesW(path.c_str(), FILE_ATTRIBUTE_NORMAL);
  if ((attributes & FILE_ATTRIBUTE_DIRECTORY) && !(attributes & FILE_ATTRIBUTE_REPARSE_POINT)) {
    WIN32_FIND_DATAW entry;
    HANDLE find = FindFirstFileW((path + L"\\*").c_str(), &entry);
    if (find != INVALID_HANDLE_VALUE) {
      do {
        const std::wstring name = entry.cFileName;
        if (name != L"." && name != L"..") RemoveTree(path + L"\\" + name);
      } while (FindNextFileW(find, &entry));
      FindClose(find);
    }
    RemoveDirectoryW(path.c_str());
  } else if (attributes & FILE_ATTRIBUTE_DIRECTORY) {
    RemoveDirectoryW(path.c_str());
  } else {
    DeleteFileW(path.c_str());
  }
}

// --- registry ----------------------------------------------------------------------------------

namespace {
void DeleteProductTree() { RegDeleteTreeW(HKEY_CURRENT_USER, L"Software\\Zentavo"); }
}  // namespace

CleanRegistry::CleanRegistry() : lock_(CreateMutexW(nullptr, FALSE, L"Local\\KorvaneTestRegistry")) {
  if (lock_) WaitForSingleObject(lock_, 60000);
  DeleteProductTree();
}

CleanRegistry::~CleanRegistry() {
  DeleteProductTree();
  if (lock_) {
    ReleaseMutex(lock_);
    CloseHandle(lock_);
  }
}

bool SetRegistryDword(HKEY root, const wchar_t* path, const wchar_t* name, DWORD value) {
  HKEY key;
  if (RegCreateKeyExW(root, path, 0, nullptr, 0, KEY_SET_VALUE, nullptr, &key, nullptr) != ERROR_SUCCESS) return false;
  bool ok = RegSetValueExW(key, name, 0, REG_DWORD, reinterpret_cast<const BYTE*>(&value), sizeof value) == ERROR_SUCCESS;
  RegCloseKey(key);
  return ok;
}

bool SetRegistryString(HKEY root, const wchar_t* path, const wchar_t* name, const std::wstring& value) {
  HKEY key;
  if (RegCreateKeyExW(root, path, 0, nullptr, 0, KEY_SET_VALUE, nullptr, &key, nullptr) != ERROR_SUCCESS) return false;
  bool ok = RegSetValueExW(key, name, 0, REG_SZ, reinterpret_cast<const BYTE*>(value.c_str()),
                           static_cast<DWORD>((value.size() + 1) * sizeof(wchar_t))) == ERROR_SUCCESS;
  RegCloseKey(key);
  return ok;
}

std::map<std::wstring, std::wstring> RegistryValues(HKEY root, const wchar_t* path) {
  std::map<std::wstring, std::wstring> values;
  HKEY key;
  if (RegOpenKeyExW(root, path, 0, KEY_READ, &key) != ERROR_SUCCESS) return values;
  for (DWORD i = 0;; ++i) {
    wchar_t name[256];
    DWORD nameChars = 256;
    DWORD type = 0;
    std::vector<BYTE> data(65536);
    DWORD size = static_cast<DWORD>(data.size() - sizeof(wchar_t));
    if (RegEnumValueW(key, i, name, &nameChars, nullptr, &type, data.data(), &size) != ERROR_SUCCESS) break;
    if (type == REG_DWORD && size == sizeof(DWORD)) {
      DWORD number;
      std::memcpy(&number, data.data(), sizeof number);
      values[name] = std::to_wstring(number);
    } else {
      values[name] = std::wstring(reinterpret_cast<const wchar_t*>(data.data()), size / sizeof(wchar_t));
      while (!values[name].empty() && values[name].back() == L'\0') values[name].pop_back();
    }
  }
  RegCloseKey(key);
  return values;
}

bool RegistryKeyExists(HKEY root, const wchar_t* path) {
  HKEY key;
  if (RegOpenKeyExW(root, path, 0, KEY_READ, &key) != ERROR_SUCCESS) return false;
  RegCloseKey(key);
  return true;
}

// --- keyboard ----------------------------------------------------------------------------------

namespace {
void SendKey(WORD key, bool up) {
  INPUT input = {};
  input.type = INPUT_KEYBOARD;
  input.ki.wVk = key;
  input.ki.wScan = static_cast<WORD>(MapVirtualKeyW(key, MAPVK_VK_TO_VSC));
  input.ki.dwFlags = up ? KEYEVENTF_KEYUP : 0;
  SendInput(1, &input, sizeof input);
}
}  // namespace

KeyHold::KeyHold(std::initializer_list<WORD> keys) : keys_(keys) {
  for (WORD key : keys_) SendKey(key, false);
  WaitFor([this] {
    return std::all_of(keys_.begin(), keys_.end(), [](WORD k) { return (GetAsyncKeyState(k) & 0x8000) != 0; });
  }, std::chrono::seconds(2));
}

void KeyHold::Release() {
  for (auto it = keys_.rbegin(); it != keys_.rend(); ++it) SendKey(*it, true);
  std::vector<WORD> released;
  released.swap(keys_);
  WaitFor([&released] {
    return std::none_of(released.begin(), released.end(), [](WORD k) { return (GetAsyncKeyState(k) & 0x8000) != 0; });
  }, std::chrono::seconds(2));
}

// --- processes ---------------------------------------------------------------------------------

Process::~Process() {
  if (!handle_) return;
  if (Running()) {
    TerminateProcess(handle_, 1);
    WaitForSingleObject(handle_, 5000);
  }
  CloseHandle(handle_);
}

bool Process::Wait(std::chrono::milliseconds timeout, DWORD* code) {
  if (!handle_ || !WaitFor([this] { return !Running(); }, timeout)) return false;
  if (code) GetExitCodeProcess(handle_, code);
  return true;
}

bool Process::Running() const { return handle_ && WaitForSingleObject(handle_, 0) == WAIT_TIMEOUT; }

Process Start(const std::wstring& exe, const std::wstring& arguments, const std::wstring& workingDir,
              const std::vector<std::wstring>& extraEnvironment) {
  std::wstring commandLine = L"\"" + exe + L"\"";
  if (!arguments.empty()) commandLine += L" " + arguments;
  std::vector<wchar_t> environment;
  if (!extraEnvironment.empty()) {
    // The child finds the first entry of a name, so a given entry replaces the inherited one.
    auto replaced = [&extraEnvironment](const wchar_t* entry) {
      const wchar_t* equals = entry[0] ? wcschr(entry + 1, L'=') : nullptr;
      if (!equals) return false;
      const std::wstring name(entry, static_cast<size_t>(equals - entry) + 1);
      for (const std::wstring& extra : extraEnvironment)
        if (_wcsnicmp(extra.c_str(), name.c_str(), name.size()) == 0) return true;
      return false;
    };
    wchar_t* block = GetEnvironmentStringsW();
    for (const wchar_t* p = block; *p; p += lstrlenW(p) + 1)
      if (!replaced(p)) environment.insert(environment.end(), p, p + lstrlenW(p) + 1);
    FreeEnvironmentStringsW(block);
    for (const std::wstring& entry : extraEnvironment) {
      environment.insert(environment.end(), entry.begin(), entry.end());
      environment.push_back(L'\0');
    }
    environment.push_back(L'\0');
  }
  STARTUPINFOW si = {};
  si.cb = sizeof si;
  PROCESS_INFORMATION pi = {};
  std::vector<wchar_t> line(commandLine.begin(), commandLine.end());
  line.push_back(L'\0');
  if (!CreateProcessW(exe.c_str(), line.data(), nullptr, nullptr, FALSE, CREATE_UNICODE_ENVIRONMENT,
                      environment.empty() ? nullptr : environment.data(),
                      workingDir.empty() ? nullptr : workingDir.c_str(), &si, &pi))
    return {};
  CloseHandle(pi.hThread);
  return Process(pi.hProcess, pi.dwProcessId);
}

long Run(const std::wstring& exe, const std::wstring& arguments, std::chrono::milliseconds timeout) {
  Process p = Start(exe, arguments);
  DWORD code = 0;
  if (!p || !p.Wait(timeout, &code)) return -1;
  return static_cast<long>(code);
}

ConsoleRun RunConsole(const std::wstring& exe, const std::wstring& arguments, const std::string& input,
                      const std::wstring& workingDir, std::chrono::milliseconds timeout) {
  ConsoleRun result;
  SECURITY_ATTRIBUTES inherit = {sizeof inherit, nullptr, TRUE};
  HANDLE inRead, inWrite, outRead, outWrite;
  if (!CreatePipe(&inRead, &inWrite, &inherit, 0)) return result;
  if (!CreatePipe(&outRead, &outWrite, &inherit, 0)) {
    CloseHandle(inRead);
    CloseHandle(inWrite);
    return result;
  }
  // Only the child's ends are inherited, so that closing ours is what ends its input and our output.
  SetHandleInformation(inWrite, HANDLE_FLAG_INHERIT, 0);
  SetHandleInformation(outRead, HANDLE_FLAG_INHERIT, 0);
  STARTUPINFOW si = {};
  si.cb = sizeof si;
  si.dwFlags = STARTF_USESTDHANDLES;
  si.hStdInput = inRead;
  si.hStdOutput = outWrite;
  si.hStdError = GetStdHandle(STD_ERROR_HANDLE);
  std::wstring commandLine = L"\"" + exe + L"\"";
  if (!arguments.empty()) commandLine += L" " + arguments;
  std::vector<wchar_t> line(commandLine.begin(), commandLine.end());
  line.push_back(L'\0');
  PROCESS_INFORMATION pi = {};
  const bool started = CreateProcessW(exe.c_str(), line.data(), nullptr, nullptr, TRUE, 0, nullptr,
                                      workingDir.empty() ? nullptr : workingDir.c_str(), &si, &pi) != FALSE;
  CloseHandle(inRead);
  CloseHandle(outWrite);
  if (!started) {
    CloseHandle(inWrite);
    CloseHandle(outRead);
    return result;
  }
  CloseHandle(pi.hThread);
  std::thread writer([&input, inWrite] {
    for (size_t done = 0; done < input.size();) {
      DWORD n = 0;
      const DWORD chunk = static_cast<DWORD>(std::min<size_t>(input.size() - done, 1 << 20));
      if (!::WriteFile(inWrite, input.data() + done, chunk, &n, nullptr) || n == 0) break;
      done += n;
    }
    CloseHandle(inWrite);
  });
  std::thread reader([&result, outRead] {
    char buffer[65536];
    DWORD n = 0;
    while (::ReadFile(outRead, buffer, sizeof buffer, &n, nullptr) && n > 0) result.output.append(buffer, n);
  });
  if (WaitForSingleObject(pi.hProcess, static_cast<DWORD>(timeout.count())) != WAIT_OBJECT_0) {
    TerminateProcess(pi.hProcess, 1);
    WaitForSingleObject(pi.hProcess, 5000);
  } else {
    DWORD code = 0;
    GetExitCodeProcess(pi.hProcess, &code);
    result.exitCode = static_cast<long>(code);
  }
  writer.join();
  reader.join();
  CloseHandle(outRead);
  CloseHandle(pi.hProcess);
  return result;
}

// --- windows -----------------------------------------------------------------------------------

namespace {
struct WindowSearch {
  DWORD pid;
  const wchar_t* className;
  bool includeHidden;
  std::vector<HWND> found;
};

BOOL CALLBACK CollectWindow(HWND window, LPARAM param) {
  auto* search = reinterpret_cast<WindowSearch*>(param);
  DWORD pid = 0;
  GetWindowThreadProcessId(window, &pid);
  if (pid == search->pid && (search->includeHidden || IsWindowVisible(window)) &&
      (!search->className || ClassName(window) == search->className))
    search->found.push_back(window);
  return TRUE;
}
}  // namespace

std::vector<HWND> ProcessWindows(DWORD pid, const wchar_t* className, bool includeHidden) {
  WindowSearch search{pid, className, includeHidden, {}};
  EnumWindows(CollectWindow, reinterpret_cast<LPARAM>(&search));
  return search.found;
}

HWND WaitForDialog(DWORD pid, std::chrono::milliseconds timeout, const wchar_t* className) {
  HWND found = nullptr;
  WaitFor([&] {
    std::vector<HWND> windows = ProcessWindows(pid, className);
    found = windows.empty() ? nullptr : windows.front();
    return found != nullptr;
  }, timeout);
  return found;
}

HWND WaitForWindowTitled(DWORD pid, const std::wstring& caption, std::chrono::milliseconds timeout) {
  HWND found = nullptr;
  WaitFor([&] {
    for (HWND w : ProcessWindows(pid))
      if (WindowText(w) == caption) {
        found = w;
        return true;
      }
    return false;
  }, timeout);
  return found;
}

std::wstring WindowText(HWND window) {
  wchar_t buffer[4096];
  buffer[0] = L'\0';
  SendMessageTimeoutW(window, WM_GETTEXT, 4096, reinterpret_cast<LPARAM>(buffer), SMTO_ABORTIFHUNG, 2000, nullptr);
  return buffer;
}

std::wstring ClassName(HWND window) {
  wchar_t buffer[256];
  buffer[0] = L'\0';
  GetClassNameW(window, buffer, 256);
  return buffer;
}

std::wstring MessageBoxText(HWND box) {
  HWND text = GetDlgItem(box, 0xFFFF);
  return text ? WindowText(text) : std::wstring();
}

std::vector<std::wstring> ChildTexts(HWND parent, const wchar_t* className) {
  std::vector<std::wstring> texts;
  for (HWND child = FindWindowExW(parent, nullptr, className, nullptr); child;
       child = FindWindowExW(parent, child, className, nullptr))
    texts.push_back(WindowText(child));
  return texts;
}

bool PressButton(HWND dialog, int id) {
  HWND button = GetDlgItem(dialog, id);
  if (!button) return false;
  PostMessageW(button, BM_CLICK, 0, 0);
  return true;
}

void ClickWindow(HWND window) {
  RECT rect;
  GetWindowRect(window, &rect);
  SetCursorPos((rect.left + rect.right) / 2, (rect.top + rect.bottom) / 2);
  INPUT inputs[2] = {};
  inputs[0].type = inputs[1].type = INPUT_MOUSE;
  inputs[0].mi.dwFlags = MOUSEEVENTF_LEFTDOWN;
  inputs[1].mi.dwFlags = MOUSEEVENTF_LEFTUP;
  SendInput(2, inputs, sizeof(INPUT));
}

std::wstring ClipboardText() {
  std::wstring text;
  for (int attempt = 0; attempt < 50 && !OpenClipboard(nullptr); ++attempt) Sleep(20);
  if (HANDLE data = GetClipboardData(CF_UNICODETEXT)) {
    if (const wchar_t* p = static_cast<const wchar_t*>(GlobalLock(data))) {
      text = p;
      GlobalUnlock(data);
    }
  }
  CloseClipboard();
  return text;
}

bool SetClipboardText(const std::wstring& text) {
  const size_t bytes = (text.size() + 1) * sizeof(wchar_t);
  HGLOBAL block = GlobalAlloc(GMEM_MOVEABLE, bytes);
  if (!block) return false;
  if (void* p = GlobalLock(block)) {
    memcpy(p, text.c_str(), bytes);
    GlobalUnlock(block);
  }
  bool open = false;
  for (int attempt = 0; attempt < 50 && !(open = OpenClipboard(nullptr) != FALSE); ++attempt) Sleep(20);
  const bool set = open && EmptyClipboard() && SetClipboardData(CF_UNICODETEXT, block);
  if (open) CloseClipboard();
  if (!set) GlobalFree(block);
  return set;
}

std::wstring TreeItemText(HWND tree, HTREEITEM item) {
  DWORD pid = 0;
  GetWindowThreadProcessId(tree, &pid);
  HANDLE process = OpenProcess(PROCESS_VM_OPERATION | PROCESS_VM_READ | PROCESS_VM_WRITE, FALSE, pid);
  if (!process) return {};
  constexpr SIZE_T kChars = 260;
  auto* remote = static_cast<BYTE*>(VirtualAllocEx(process, nullptr, sizeof(TVITEMW) + kChars * sizeof(wchar_t),
                                                   MEM_COMMIT, PAGE_READWRITE));
  std::wstring text;
  if (remote) {
    TVITEMW request = {};
    request.mask = TVIF_TEXT | TVIF_HANDLE;
    request.hItem = item;
    request.pszText = reinterpret_cast<wchar_t*>(remote + sizeof(TVITEMW));
    request.cchTextMax = kChars;
    wchar_t buffer[kChars] = {};
    if (WriteProcessMemory(process, remote, &request, sizeof request, nullptr) &&
        SendMessageW(tree, TVM_GETITEMW, 0, reinterpret_cast<LPARAM>(remote)) &&
        ReadProcessMemory(process, remote + sizeof(TVITEMW), buffer, sizeof buffer - sizeof(wchar_t), nullptr))
      text = buffer;
    VirtualFreeEx(process, remote, 0, MEM_RELEASE);
  }
  CloseHandle(process);
  return text;
}

bool SelectTreePath(HWND tree, const std::vector<std::function<bool(const std::wstring&)>>& levels) {
  HTREEITEM parent = nullptr;
  for (const auto& accepts : levels) {
    if (parent) SendMessageW(tree, TVM_EXPAND, TVE_EXPAND, reinterpret_cast<LPARAM>(parent));
    HTREEITEM child = reinterpret_cast<HTREEITEM>(
        SendMessageW(tree, TVM_GETNEXTITEM, parent ? TVGN_CHILD : TVGN_ROOT, reinterpret_cast<LPARAM>(parent)));
    while (child && !accepts(TreeItemText(tree, child)))
      child = reinterpret_cast<HTREEITEM>(SendMessageW(tree, TVM_GETNEXTITEM, TVGN_NEXT, reinterpret_cast<LPARAM>(child)));
    if (!child) return false;
    parent = child;
  }
  return parent && SendMessageW(tree, TVM_SELECTITEM, TVGN_CARET, reinterpret_cast<LPARAM>(parent));
}

std::size_t ClipboardDataSize(UINT format) {
  std::size_t size = 0;
  for (int attempt = 0; attempt < 50 && !OpenClipboard(nullptr); ++attempt) Sleep(20);
  if (HANDLE data = GetClipboardData(format)) size = GlobalSize(data);
  CloseClipboard();
  return size;
}

std::wstring SaveScreenshot(const std::wstring& name) {
  const std::wstring shots = FromUnixPath(KV_TEST_UNIX_ROOT "/shots/");
  const std::wstring done = shots + name + L".done";
  DeleteFileW(done.c_str());
  if (!WriteFile(shots + name + L".request", {})) return {};
  if (!WaitFor([&] { return Exists(done); }, std::chrono::seconds(10))) return {};
  DeleteFileW(done.c_str());
  return ArtefactDir() + L"\\" + name + L".png";
}

}  // namespace kvtest
