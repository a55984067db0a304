// Shell shortcuts through the shell's link object: creation, resolution, and resolution of path lists.
#include "Shortcuts.h"

#include <windows.h>
#include <shlobj.h>

#include "Handles.h"

namespace kv {

namespace {

constexpr CLSID kClsidShellLink = {0x00021401, 0x0000, 0x0000, {0xC0, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x46}};
constexpr IID kIidShellLinkW = {0x000214F9, 0x0000, 0x0000, {0xC0, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x46}};
constexpr IID kIidPersistFile = {0x0000010B, 0x0000, 0x0000, {0xC0, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x46}};

// A path the shell link can take: not empty and shorter than MAX_PATH.
bool Fits(const wchar_t* path) {
  if (!path || !*path) return false;
  for (std::size_t i = 0; i < MAX_PATH; ++i)
    if (path[i] == L'\0') return true;
  return false;
}

struct ShellLink {
  ComPtr<IShellLinkW> link;
  ComPtr<IPersistFile> file;

  bool Create() {
    if (FAILED(CoCreateInstance(kClsidShellLink, nullptr, CLSCTX_INPROC_SERVER, kIidShellLinkW, link.put_void())))
      return false;
    return SUCCEEDED(link->QueryInterface(kIidPersistFile, file.put_void()));
  }
};

}  // namespace

bool CreateShortcut(const wchar_t* target, const wchar_t* linkPath) {
  if (!Fits(target) || !Fits(linkPath)) return false;
  ShellLink shell;
  if (!shell.Create()) return false;
  const std::wstring folder = ShortcutWorkingDirectory(target);
  shell.link->SetPath(target);
  shell.link->SetWorkingDirectory(folder.c_str());
  shell.link->SetDescription(L"");
  return SUCCEEDED(shell.file->Save(linkPath, TRUE));
}

bool ResolveShortcut(const wchar_t* linkPath, wchar_t* target, std::size_t targetChars) {
  if (!target || targetChars == 0) return false;
  target[0] = L'\0';
  if (!Fits(linkPath)) return false;
  ShellLink shell;
  if (!shell.Create()) return false;
  // One character more than a path may have, so that a longer stored path shows as too long, not cut.
  wchar_t path[MAX_PATH + 1] = {};
  wchar_t description[MAX_PATH] = {};
  if (FAILED(shell.file->Load(linkPath, STGM_READ)) || FAILED(shell.link->Resolve(nullptr, 0)) ||
      shell.link->GetPath(path, MAX_PATH + 1, nullptr, 0) != S_OK ||
      FAILED(shell.link->GetDescription(description, MAX_PATH)))
    return false;
  path[MAX_PATH] = L'\0';
  const std::size_t length = static_cast<std::size_t>(lstrlenW(path));
  // A link to something without a file-system path has no target to hand on: an empty path in a
  // path list would end the list there.
  if (length == 0 || length >= MAX_PATH || length >= targetChars) return false;
  lstrcpynW(target, path, static_cast<int>(length + 1));
  return true;
}

bool ResolveShortcut(const wchar_t* linkPath, std::wstring& target) {
  wchar_t buffer[MAX_PATH];
  const bool ok = ResolveShortcut(linkPath, buffer);
  target = buffer;
  return ok;
}

std::vector<wchar_t> ResolveShortcutList(const wchar_t* list) {
  std::vector<wchar_t> result;
  wchar_t resolved[MAX_PATH];
  for (const wchar_t* p = list; p && *p; p += lstrlenW(p) + 1) {
    const wchar_t* chosen = ResolveShortcut(p, resolved) ? resolved : p;
    result.insert(result.end(), chosen, chosen + lstrlenW(chosen) + 1);
  }
  result.push_back(L'\0');
  if (result.size() < 2) result.push_back(L'\0');
  return result;
}

}  // namespace kv
