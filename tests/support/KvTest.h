// Test support: drive the real modules as a user does (keys held, dialogs answered) and observe what they leave.
#pragma once
#include <windows.h>
#include <commctrl.h>

#include <chrono>
#include <functional>
#include <initializer_list>
#include <map>
#include <string>
#include <vector>

namespace kvtest {

// The built module of that name (KvTrash.exe ...), as a Windows path.
std::wstring ModulePath(const std::wstring& fileName);
// Every deliverable module of the build.
std::vector<std::wstring> AllModules();
// A folder under the build tree where tests leave screenshots and other artefacts for review.
std::wstring ArtefactDir();
// A Unix path as Wine sees it (through the drive Z:).
std::wstring FromUnixPath(const std::string& unixPath);
std::string Narrow(const std::wstring& text);
std::wstring Widen(const std::string& utf8);

// Dispatches the calling thread's pending messages: windows of a test that other processes' dialogs
// are owned by must answer, as Explorer's do.
void PumpMessages();
// Waits until cond() holds, polling every 10 ms and pumping messages; false when the time ran out.
bool WaitFor(const std::function<bool()>& cond, std::chrono::milliseconds timeout = std::chrono::seconds(20));

// A fresh folder under the Windows temporary folder, removed with everything in it at the end.
class TempDir {
 public:
  TempDir();
  ~TempDir();
  TempDir(const TempDir&) = delete;
  TempDir& operator=(const TempDir&) = delete;
  const std::wstring& Path() const { return path_; }
  std::wstring operator/(const std::wstring& name) const { return path_ + L"\\" + name; }
  // Creates a file (and its folders) below the folder with the given bytes; returns its full path.
  std::wstring AddFile(const std::wstring& relative, const std::string& content = {}) const;
  std::wstring AddFolder(const std::wstring& relative) const;

 private:
  std::wstring path_;
};

bool Exists(const std::wstring& path);
bool SamePath(const std::wstring& a, const std::wstring& b);
// The names of the entries directly in a folder ("." and ".." left out).
std::vector<std::wstring> FolderEntries(const std::wstring& folder);
// The paths as Explorer puts them on a command line: those holding a space quoted, one space between.
std::wstring CommandLine(const std::vector<std::wstring>& paths);

// What a shortcut file holds, read back with the shell's link object; COM must be initialised.
struct ShortcutContent {
  bool loaded = false;
  std::wstring target, workingDirectory, description, arguments;
};
ShortcutContent ReadShortcut(const std::wstring& linkPath);
std::string ReadFile(const std::wstring& path);
bool WriteFile(const std::wstring& path, const std::string& content);
void RemoveTree(const std::wstring& path);

// HKEY_CURRENT_USER\Software\Zentavo removed when the test starts and when it ends, and held by this test
// alone in between: tests running at the same time share one registry.
class CleanRegistry {
 public:
  CleanRegistry();
  ~CleanRegistry();
  CleanRegistry(const CleanRegistry&) = delete;
  CleanRegistry& operator=(const CleanRegistry&) = delete;

 private:
  HANDLE lock_;
};
bool SetRegistryDword(HKEY root, const wchar_t* path, const wchar_t* name, DWORD value);
bool SetRegistryString(HKEY root, const wchar_t* path, const wchar_t* name, const std::wstring& value);
// Every value of a key as text (REG_SZ as written, REG_DWORD in decimal); empty when the key is missing.
std::map<std::wstring, std::wstring> RegistryValues(HKEY root, const wchar_t* path);
bool RegistryKeyExists(HKEY root, const wchar_t* path);

// Holds keys down (SendInput) until released or destroyed.
class KeyHold {
 public:
  explicit KeyHold(std::initializer_list<WORD> keys);
  ~KeyHold() { Release(); }
  KeyHold(const KeyHold&) = delete;
  KeyHold& operator=(const KeyHold&) = delete;
  void Release();

 private:
  std::vector<WORD> keys_;
};

// A started module; killed at the end if it still runs.
class Process {
 public:
  Process() = default;
  Process(HANDLE process, DWORD pid) : handle_(process), pid_(pid) {}
  ~Process();
  Process(Process&& o) noexcept : handle_(o.handle_), pid_(o.pid_) { o.handle_ = nullptr; }
  Process(const Process&) = delete;
  Process& operator=(const Process&) = delete;
  explicit operator bool() const { return handle_ != nullptr; }
  DWORD Id() const { return pid_; }
  HANDLE Handle() const { return handle_; }
  // True when the process ended within the time; its exit code in *code.
  bool Wait(std::chrono::milliseconds timeout = std::chrono::seconds(30), DWORD* code = nullptr);
  bool Running() const;

 private:
  HANDLE handle_ = nullptr;
  DWORD pid_ = 0;
};

// Starts exe with the command line as Explorer passes it (exe quoted, then the arguments).
// extraEnvironment holds "NAME=value" entries added to this process's environment for the child, each
// replacing an inherited entry of the same name.
Process Start(const std::wstring& exe, const std::wstring& arguments, const std::wstring& workingDir = {},
              const std::vector<std::wstring>& extraEnvironment = {});
// Runs it to the end; the exit code, or -1 when it did not end within the time.
long Run(const std::wstring& exe, const std::wstring& arguments,
         std::chrono::milliseconds timeout = std::chrono::seconds(30));

// What a console program wrote on its standard output, and how it ended.
struct ConsoleRun {
  long exitCode = -1;  // -1 when it could not start or did not end within the time
  std::string output;  // the bytes as written
};
// Runs a console program with its standard input fed `input` through a pipe (closed after it) and its
// standard output collected through another.
ConsoleRun RunConsole(const std::wstring& exe, const std::wstring& arguments, const std::string& input = {},
                      const std::wstring& workingDir = {},
                      std::chrono::milliseconds timeout = std::chrono::seconds(60));

// The visible (or all) top-level windows of a process, optionally of one class.
std::vector<HWND> ProcessWindows(DWORD pid, const wchar_t* className = nullptr, bool includeHidden = false);
// The first visible dialog (#32770) of the process that appears within the time, or null.
HWND WaitForDialog(DWORD pid, std::chrono::milliseconds timeout = std::chrono::seconds(20),
                   const wchar_t* className = L"#32770");
// A visible dialog of the process whose caption is exactly `caption`.
HWND WaitForWindowTitled(DWORD pid, const std::wstring& caption,
                         std::chrono::milliseconds timeout = std::chrono::seconds(20));
std::wstring WindowText(HWND window);
std::wstring ClassName(HWND window);
// A message box's message (its static text control).
std::wstring MessageBoxText(HWND box);
// The texts of a window's child controls of a class, in z-order.
std::vector<std::wstring> ChildTexts(HWND parent, const wchar_t* className);
// Presses the button with that identifier as the user would (BM_CLICK).
bool PressButton(HWND dialog, int id);
// Clicks the left mouse button at the centre of a window as the user would (SendInput).
void ClickWindow(HWND window);

std::wstring ClipboardText();
// Replaces the clipboard's content by the text.
bool SetClipboardText(const std::wstring& text);
// The size in bytes of the clipboard's block of a format; 0 when there is none.
std::size_t ClipboardDataSize(UINT format);

// The text of a tree-view item of another process (read through that process's memory).
std::wstring TreeItemText(HWND tree, HTREEITEM item);
// Walks a tree view of another process from its root items: at each level expands the item found so far
// and takes the child whose text the level accepts; selects the last one. False when a level finds none.
bool SelectTreePath(HWND tree, const std::vector<std::function<bool(const std::wstring&)>>& levels);

// Saves the whole test display as NAME.png under ArtefactDir(); returns its path, empty on failure.
std::wstring SaveScreenshot(const std::wstring& name);

}  // namespace kvtest
