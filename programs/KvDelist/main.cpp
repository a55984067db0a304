// KvDelist: removes from the Send To menu the entry KvEnlist made for every item Explorer sends it.
#include <windows.h>
#include <shlobj.h>

#include <string>

#include "LocalizedStrings.h"
#include "logic/ItemList.h"
#include "logic/SendToEntry.h"
#include "resource.h"

namespace {

kv::LocalizedStrings g_texts;

void RemoveFromSendTo(const std::wstring& item) {
  wchar_t folder[MAX_PATH] = {};
  if (!SHGetSpecialFolderPathW(nullptr, folder, CSIDL_SENDTO, FALSE)) return;
  const std::wstring entry = kv::SendToEntryPath(folder, item, g_texts.LoadText(IDS_DRIVE));
  if (!entry.empty()) DeleteFileW(entry.c_str());
}

}  // namespace

int WINAPI wWinMain(HINSTANCE, HINSTANCE, PWSTR commandLine, int) {
  const kv::ItemList items(commandLine);
  for (const std::wstring& item : items.Items()) RemoveFromSendTo(item);
  return 0;
}
