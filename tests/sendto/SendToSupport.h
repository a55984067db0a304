// What the Send To program tests share: shortcut files read back, the shell's folders, and a run to the end.
#pragma once
#include <windows.h>

#include <string>
#include <vector>

#include "KvTest.h"

namespace sendto {

using Shortcut = kvtest::ShortcutContent;
using kvtest::CommandLine;
using kvtest::FolderEntries;
using kvtest::ReadShortcut;
using kvtest::SamePath;

// The shell's folder (CSIDL_SENDTO, CSIDL_FAVORITES), created if missing.
std::wstring SpecialFolder(int csidl);

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
