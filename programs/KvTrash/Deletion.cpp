// The deletion list and the action rules of KvTrash, free of the system.
#include "Deletion.h"

namespace kv {

namespace {
constexpr unsigned kNoConfirmation = 0x0010;  // FOF_NOCONFIRMATION
constexpr unsigned kAllowUndo = 0x0040;       // FOF_ALLOWUNDO
constexpr unsigned kWantNukeWarning = 0x4000; // FOF_WANTNUKEWARNING
}  // namespace

TrashAction ChooseTrashAction(bool control, bool shift) {
  if (control) return TrashAction::Shred;
  return shift ? TrashAction::Delete : TrashAction::Recycle;
}

unsigned TrashFlags(TrashAction action) {
  switch (action) {
    case TrashAction::Shred: return kNoConfirmation;
    case TrashAction::Delete: return kWantNukeWarning;
    case TrashAction::Recycle: break;
  }
  // The warning tells the user when an item cannot go to the Recycle Bin and would be destroyed.
  return kAllowUndo | kWantNukeWarning;
}

std::vector<wchar_t> BuildDeletionList(const std::vector<std::wstring>& items) {
  std::vector<wchar_t> list;
  for (const std::wstring& item : items) {
    if (item.empty() || item.find_first_of(L"*?") != std::wstring::npos) continue;
    list.insert(list.end(), item.begin(), item.end());
    list.push_back(L'\0');
  }
  list.push_back(L'\0');
  if (list.size() == 1) list.push_back(L'\0');
  return list;
}

std::vector<std::wstring> SplitPathList(const wchar_t* list) {
  std::vector<std::wstring> paths;
  while (list && *list) {
    paths.emplace_back(list);
    list += paths.back().size() + 1;
  }
  return paths;
}

}  // namespace kv
