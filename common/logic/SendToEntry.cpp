// The Send To entry rules, shared by the add and the remove program so that one finds what the other made.
#include "SendToEntry.h"

#include "ItemList.h"
#include "ShortcutName.h"

namespace kv {

bool CopiedIntoSendTo(const std::wstring& item) { return HasLinkExtension(item); }

std::wstring SendToEntryPath(const std::wstring& sendToFolder, const std::wstring& item,
                             const std::wstring& driveText) {
  if (sendToFolder.empty() || item.find(L'\\') == std::wstring::npos) return {};
  // A shortcut is copied in under its own file name, so that name is its entry.
  if (CopiedIntoSendTo(item)) {
    std::wstring path = sendToFolder;
    if (path.back() != L'\\') path += L'\\';
    path += item.substr(FileNamePartStart(item));
    return path.size() > kMaxPathChars ? std::wstring() : path;
  }
  return ShortcutFileName(sendToFolder, item, true, driveText);
}

}  // namespace kv
