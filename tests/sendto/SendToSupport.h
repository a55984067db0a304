// What the Send To program tests share: shortcut files read back, the shell's folders, and a run to the end.
#pragma once
#include <windows.h>

#include <string>
#include <vector>

namespace sendto {

struct Shortcut {
  bool loaded = false;
  std::wstring target, workingDirectory;
};

// The shortcut file read back through the shell's link object; COM must be initialised.
Shortcut ReadShortcut(const std::wstring& linkPath);
bool SamePath(const std::wstring& a, const std::wstring& b);

// The shell's folder (CSIDL_SENDTO, CSIDL_FAVORITES), created if missing.
std::wstring SpecialFolder(int csidl);
// The names of the entries directly in a folder.
std::vector<std::wstring> FolderEntries(const std::wstring& folder);

// The paths as Explorer puts them on a command line: those holding a space quoted, one space between.
std::wstring CommandLine(const std::vector<std::wstring>& paths);

// Files in the shell's folders that a test creates: removed when the test starts and when it ends.
class Cleanup {
 public:
  explicit Cleanup(std::vector<std::wstring> paths);
  ~Cleanup();
  Cleanup(const Cleanup&) = delete;
  Cleanup& operator=(const Cleanup&) = delete;

 private:
  void Remove() const;
  std::vector<std::wstring> paths_;
};

// Sets ForceLanguage for the programs started next (1 English, 2 French, 8 German ...).
void ForceLanguage(DWORD language);

}  // namespace sendto
