// KvTaskbar: puts a shortcut to every item Explorer sends it into the Quick Launch folder.
#include <windows.h>

#include <string>

#include "Handles.h"
#include "LocalizedStrings.h"
#include "SettingsStore.h"
#include "Shortcuts.h"
#include "logic/ItemList.h"
#include "resource.h"

namespace {

kv::LocalizedStrings g_texts;

constexpr wchar_t kQuickLaunchPath[] = L"QuickLaunchPath";

// The user's Quick Launch folder under the roaming application data.
std::wstring DefaultQuickLaunchFolder() {
  wchar_t appData[MAX_PATH] = {};
  const DWORD length = GetEnvironmentVariableW(L"APPDATA", appData, MAX_PATH);
  // A value that does not fit is no folder to build on.
  if (length == 0 || length >= MAX_PATH) appData[0] = L'\0';
  return std::wstring(appData) + L"\\Microsoft\\Internet Explorer\\Quick Launch";
}

void AddToQuickLaunch(const std::wstring& folder, const std::wstring& item) {
  if (item.find(L'\\') == std::wstring::npos) return;
  const std::wstring link = kv::ShortcutFileName(folder, item, false, g_texts.LoadText(IDS_DRIVE));
  if (link.empty()) return;
  kv::ComScope com;
  kv::CreateShortcut(item.c_str(), link.c_str());
}

}  // namespace

int WINAPI wWinMain(HINSTANCE, HINSTANCE, PWSTR commandLine, int) {
  const kv::ItemList items(commandLine);
  kv::SettingsStore settings;
  settings.Set(kQuickLaunchPath, DefaultQuickLaunchFolder());
  settings.Load();
  if (items.Count() == 0) return 0;
  const std::wstring folder = settings.Get(kQuickLaunchPath);
  if (folder.empty()) return 0;
  kv::ComScope com;
  for (const std::wstring& item : items.Items()) AddToQuickLaunch(folder, item);
  return 0;
}
