// The Send To entry an item is given by the add program and looked for by the remove program.
#pragma once
#include <string>

namespace kv {

// True for an item that is copied into the SendTo folder rather than linked: a shortcut file, whatever the
// letter case of its extension; a folder on its path that holds ".lnk" makes no item a shortcut.
bool CopiedIntoSendTo(const std::wstring& item);

// The SendTo folder, a backslash, the item's last component with its extension (the drive text for a
// drive root) and ".lnk"; for a shortcut, which is copied in, the folder and the shortcut's own file name.
// Empty (the item is skipped) for an item without a backslash or a path that would not fit in 259 characters.
std::wstring SendToEntryPath(const std::wstring& sendToFolder, const std::wstring& item,
                             const std::wstring& driveText);

}  // namespace kv
