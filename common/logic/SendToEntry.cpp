// The Send To entry rules, shared by the add and the remove program so that one finds what the other made.
#include "SendToEntry.h"

#include "ShortcutName.h"

namespace kv {

bool CopiedIntoSendTo(const std::wstring& item) { return HasLinkExtension(item); }

std::wstring SendToEntryPath(const std::wstring& sendToFolder, const std::wstring& item,
                             const std::wstring& driveText) {
  if (sendToFolder.empty() || item.find(L'\\') == std::wstring::npos) return {};
  return ShortcutFileName(sendToFolder, item, true, driveText);
}

}  // namespace kv
