// Shared helpers of the Send To program tests.
#include "SendToSupport.h"

#include <shlobj.h>

#include "Handles.h"
#include "KvTest.h"

namespace sendto {

std::wstring SpecialFolder(int csidl) {
  wchar_t path[MAX_PATH] = {};
  if (!SHGetSpecialFolderPathW(nullptr, path, csidl, TRUE)) return {};
  return path;
}

Cleanup::Cleanup(std::vector<std::wstring> paths) : paths_(std::move(paths)) { Remove(); }
Cleanup::~Cleanup() { Remove(); }
void Cleanup::Remove() const {
  for (const std::wstring& path : paths_) kvtest::RemoveTree(path);
}

void ForceLanguage(DWORD language) {
  kvtest::SetRegistryDword(HKEY_CURRENT_USER, L"Software\\Zentavo", L"ForceLanguage", language);
}

}  // namespace sendto
