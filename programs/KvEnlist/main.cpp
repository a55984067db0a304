// KvEnlist: puts every item Explorer sends it into the Send To menu, as a shortcut or, for shortcuts, a copy.
#include <windows.h>
#include <shellapi.h>
#include <shlobj.h>

#include <string>
#include <vector>

#include "Handles.h"
#include "LocalizedStrings.h"
#include "Shortcuts.h"
#include "logic/ItemList.h"
#include "logic/SendToEntry.h"
#include "resource.h"

namespace {

kv::LocalizedStrings g_texts;

std::wstring SendToFolder() {
  wchar_t folder[MAX_PATH] = {};
  if (!SHGetSpecialFolderPathW(nullptr, folder, CSIDL_SENDTO, FALSE)) return {};
  return folder;
}

// The shell's own dialogs handle name clashes and errors of the copy.
void CopyIntoFolder(const std::wstring& item, const std::wstring& folder) {
  std::vector<wchar_t> from(item.begin(), item.end());
  from.push_back(L'\0');
  from.push_back(L'\0');
  std::vector<wchar_t> to(folder.begin(), folder.end());
  to.push_back(L'\0');
  to.push_back(L'\0');
  SHFILEOPSTRUCTW op = {};
  op.wFunc = FO_COPY;
  op.pFrom = from.data();
  op.pTo = to.data();
  op.fFlags = FOF_ALLOWUNDO;
  SHFileOperationW(&op);
}

void AddToSendTo(const std::wstring& item) {
  const std::wstring folder = SendToFolder();
  if (folder.empty() || item.find(L'\\') == std::wstring::npos) return;
  if (kv::CopiedIntoSendTo(item)) {
    CopyIntoFolder(item, folder);
    return;
  }
  const std::wstring entry = kv::SendToEntryPath(folder, item, g_texts.LoadText(IDS_DRIVE));
  if (entry.empty()) return;
  kv::ComScope com;
  kv::CreateShortcut(item.c_str(), entry.c_str());
}

}  // namespace

int WINAPI wWinMain(HINSTANCE, HINSTANCE, PWSTR commandLine, int) {
  const kv::ItemList items(commandLine);
  if (items.Count() == 0) return 0;
  kv::ComScope com;
  for (const std::wstring& item : items.Items()) AddToSendTo(item);
  return 0;
}
