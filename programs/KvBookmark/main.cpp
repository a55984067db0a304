// KvBookmark: adds every item Explorer sends it to the Favorites; with Control through the Add Favorite dialog.
#include <windows.h>
#include <shlobj.h>

#include <string>

#include "FavoriteName.h"
#include "Handles.h"
#include "Keys.h"
#include "LocalizedStrings.h"
#include "Shortcuts.h"
#include "logic/ItemList.h"
#include "resource.h"

namespace {

kv::LocalizedStrings g_texts;

// shdocvw.dll's Add Favorite dialog: owner, chosen path and its size, title and its size, start folder.
using AddToFavoritesDialog = BOOL(WINAPI*)(HWND, LPWSTR, UINT, LPWSTR, UINT, LPITEMIDLIST);

void ShowError(unsigned text) {
  MessageBoxW(GetForegroundWindow(), g_texts.LoadText(text), g_texts.LoadText(IDS_CAPTION), MB_ICONERROR);
}

// The shortcut path the user chose in the dialog; empty when cancelled or the dialog is unavailable.
std::wstring AskForFavorite(const std::wstring& item) {
  const kv::Library library(LoadLibraryW(L"shdocvw.dll"));
  if (!library) {
    ShowError(IDS_NO_LIBRARY);
    return {};
  }
  const auto dialog = reinterpret_cast<AddToFavoritesDialog>(GetProcAddress(library.get(), "DoAddToFavDlgW"));
  if (!dialog) {
    ShowError(IDS_NO_FUNCTION);
    return {};
  }
  HWND owner = GetForegroundWindow();
  LPITEMIDLIST favorites = nullptr;
  if (FAILED(SHGetSpecialFolderLocation(owner, CSIDL_FAVORITES, &favorites)) || !favorites) {
    ShowError(IDS_NO_FOLDER);
    return {};
  }
  wchar_t path[MAX_PATH] = {};
  wchar_t title[MAX_PATH] = {};
  lstrcpynW(title, kv::ProposedFavoriteTitle(item).c_str(), MAX_PATH);
  const BOOL confirmed = dialog(owner, path, MAX_PATH, title, MAX_PATH, favorites);
  CoTaskMemFree(favorites);
  if (confirmed != 1) return {};
  // The dialog's answer is read only within its buffers, terminated or not.
  path[MAX_PATH - 1] = L'\0';
  title[MAX_PATH - 1] = L'\0';
  return kv::ChosenFavoriteShortcutPath(path, title);
}

void AddToFavorites(const std::wstring& item, bool withDialog) {
  if (item.find(L'\\') == std::wstring::npos) return;
  std::wstring link;
  if (withDialog) {
    link = AskForFavorite(item);
  } else {
    wchar_t favorites[MAX_PATH] = {};
    if (SHGetSpecialFolderPathW(nullptr, favorites, CSIDL_FAVORITES, FALSE))
      link = kv::FavoriteShortcutPath(favorites, item);
  }
  if (link.empty()) return;
  kv::ComScope com;
  kv::CreateShortcut(item.c_str(), link.c_str());
}

}  // namespace

int WINAPI wWinMain(HINSTANCE, HINSTANCE, PWSTR commandLine, int) {
  kv::DiscardFirstKeySample();
  const kv::ItemList items(commandLine);
  if (items.Count() == 0) return 0;
  const bool withDialog = kv::KeyHeld(VK_CONTROL);
  kv::ComScope com;
  for (const std::wstring& item : items.Items()) AddToFavorites(item, withDialog);
  return 0;
}
