// KvTrash: recycles, deletes or shreds the items Explorer sends it, chosen by the keys held.
#include <windows.h>
#include <commctrl.h>
#include <shellapi.h>
#include <shlobj.h>
#include <shlwapi.h>

#include <cstdio>

#include "Deletion.h"
#include "Handles.h"
#include "Keys.h"
#include "LocalizedStrings.h"
#include "Shred.h"
#include "logic/ItemList.h"
#include "resource.h"

namespace {

kv::LocalizedStrings g_texts;

constexpr CLSID kClsidProgressDialog = {0xF8383852, 0xFCD3, 0x11D1, {0xA6, 0xB9, 0x00, 0x60, 0x97, 0xDF, 0x5B, 0xD4}};
constexpr IID kIidProgressDialog = {0xEBBC7C04, 0x315E, 0x11D2, {0xB6, 0x2F, 0x00, 0x60, 0x97, 0xDF, 0x5B, 0xD4}};

bool ConfirmShred(HWND owner, const std::vector<std::wstring>& paths) {
  constexpr int kChars = 4096;
  wchar_t caption[kChars];
  wchar_t message[kChars];
  if (paths.size() == 1) {
    lstrcpynW(caption, g_texts.LoadText(IDS_CONFIRM_ONE), kChars);
    _snwprintf(message, kChars - 1, g_texts.LoadText(IDS_MESSAGE_ONE), PathFindFileNameW(paths[0].c_str()));
  } else {
    lstrcpynW(caption, g_texts.LoadText(IDS_CONFIRM_MANY), kChars);
    _snwprintf(message, kChars - 1, g_texts.LoadText(IDS_MESSAGE_MANY), static_cast<int>(paths.size()));
  }
  message[kChars - 1] = L'\0';
  return MessageBoxW(owner, message, caption, MB_YESNO | MB_ICONWARNING | MB_DEFBUTTON2) == IDYES;
}

// Returns false when the user declined: then nothing has been touched.
bool ShredItems(HWND owner, const std::vector<wchar_t>& deletionList) {
  InitCommonControls();
  const std::vector<std::wstring> paths = kv::SplitPathList(deletionList.data());
  if (!ConfirmShred(owner, paths)) return false;
  kv::ShredRandom random(GetTickCount());

  kv::ComScope com;
  kv::ComPtr<IProgressDialog> progress;
  if (com.Ok() && SUCCEEDED(CoCreateInstance(kClsidProgressDialog, nullptr, CLSCTX_INPROC_SERVER,
                                             kIidProgressDialog, progress.put_void()))) {
    progress->SetTitle(L"Korvane");
    progress->SetAnimation(GetModuleHandleW(nullptr), IDR_SHRED_CLIP);
    progress->SetCancelMsg(L"", nullptr);
    progress->StartProgressDialog(owner, nullptr, PROGDLG_NORMAL, nullptr);
    progress->Timer(PDTIMER_RESET, nullptr);
  }
  const DWORD total = static_cast<DWORD>(paths.size());
  for (DWORD i = 0; i < total; ++i) {
    if (progress) {
      progress->SetProgress(i, total);
      progress->SetLine(2, paths[i].c_str(), TRUE, nullptr);
    }
    kv::ShredPath(paths[i], random);
    // Cancel stops the overwrite only; the items are still deleted, as the user confirmed.
    if (progress && progress->HasUserCancelled()) break;
  }
  if (progress) progress->StopProgressDialog();
  return true;
}

}  // namespace

int WINAPI wWinMain(HINSTANCE, HINSTANCE, PWSTR commandLine, int) {
  kv::DiscardFirstKeySample();
  const kv::ItemList items(commandLine);
  if (items.Count() == 0) return 0;
  HWND owner = GetForegroundWindow();
  // Built from the same split as the item list, so a quote inside a path cannot split it in two.
  const std::vector<wchar_t> deletionList = kv::BuildDeletionList(kv::SplitCommandLine(commandLine));
  if (deletionList[0] == L'\0') return 0;

  const bool shift = kv::KeyHeld(VK_SHIFT);
  const bool control = kv::KeyHeld(VK_CONTROL);
  const kv::TrashAction action = kv::ChooseTrashAction(control, shift);
  if (action == kv::TrashAction::Shred && !ShredItems(owner, deletionList)) return 0;

  SHFILEOPSTRUCTW op = {};
  op.hwnd = owner;
  op.wFunc = FO_DELETE;
  op.pFrom = deletionList.data();
  op.fFlags = static_cast<FILEOP_FLAGS>(kv::TrashFlags(action));
  SHFileOperationW(&op);
  return 0;
}
