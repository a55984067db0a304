// Shared helpers of the Send To program tests.
#include "SendToSupport.h"

#include <shlobj.h>

#include "Handles.h"
#include "KvTest.h"

namespace sendto {

Shortcut ReadShortcut(const std::wstring& linkPath) {
  Shortcut content;
  kv::ComPtr<IShellLinkW> link;
  kv::ComPtr<IPersistFile> file;
  if (FAILED(CoCreateInstance(CLSID_ShellLink, nullptr, CLSCTX_INPROC_SERVER, IID_IShellLinkW, link.put_void())) ||
      FAILED(link->QueryInterface(IID_IPersistFile, file.put_void())) ||
      FAILED(file->Load(linkPath.c_str(), STGM_READ)))
    return content;
  content.loaded = true;
  wchar_t text[1024] = {};
  link->GetPath(text, 1024, nullptr, SLGP_RAWPATH);
  content.target = text;
  text[0] = L'\0';
  link->GetWorkingDirectory(text, 1024);
  content.workingDirectory = text;
  return content;
}

bool SamePath(const std::wstring& a, const std::wstring& b) { return lstrcmpiW(a.c_str(), b.c_str()) == 0; }

std::wstring SpecialFolder(int csidl) {
  wchar_t path[MAX_PATH] = {};
  if (!SHGetSpecialFolderPathW(nullptr, path, csidl, TRUE)) return {};
  return path;
}

std::vector<std::wstring> FolderEntries(const std::wstring& folder) {
  std::vector<std::wstring> names;
  WIN32_FIND_DATAW entry;
  kv::FindHandle find(FindFirstFileW((folder + L"\\*").c_str(), &entry));
  if (!find) return names;
  do {
    const std::wstring name = entry.cFileName;
    if (name != L"." && name != L"..") names.push_back(name);
  } while (FindNextFileW(find.get(), &entry));
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

Cleanup::Cleanup(std::vector<std::wstring> paths) : paths_(std::move(paths)) { Remove(); }
Cleanup::~Cleanup() { Remove(); }
void Cleanup::Remove() const {
  for (const std::wstring& path : paths_) kvtest::RemoveTree(path);
}

void ForceLanguage(DWORD language) {
  kvtest::SetRegistryDword(HKEY_CURRENT_USER, L"Software\\Zentavo", L"ForceLanguage", language);
}

}  // namespace sendto
