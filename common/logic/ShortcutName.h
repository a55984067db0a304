// The naming rules of shortcuts: the file a shortcut to an item is saved as, and the folder it starts in.
#pragma once
#include <cstddef>
#include <string>

namespace kv {

// Where the shell's file-name part of a path begins: after the last "\", "/" or ":" that is followed by a
// character other than "\" and "/" (so a trailing backslash belongs to that part).
std::size_t FileNamePartStart(const std::wstring& path);

// The folder of `target` with its trailing backslash: `target` cut just before its file-name part
// (empty for a drive root, whose file-name part is the whole path).
std::wstring ShortcutWorkingDirectory(const std::wstring& target);

// The path names a shortcut file: it ends in ".lnk" in any letter case, as the file system compares names.
bool HasLinkExtension(const std::wstring& path);

// "C:\" and the like (also "C:" and "C:/").
bool IsDriveRoot(const std::wstring& path);

// The drive text ("\Drive %c" in English) without its leading backslash, with "%c" replaced by the
// letter and "%%" by "%"; any other "%" is copied as it stands, so a faulty translation cannot misformat.
std::wstring DriveShortcutName(const std::wstring& driveText, wchar_t letter);

// `folder`, a backslash, the name and ".lnk". The name is the drive text for a drive root, else the
// target's last component (trailing backslashes ignored), without its extension unless `keepExtension`.
// Empty (refused) when the target has no name or the result would not fit in 259 characters.
std::wstring ShortcutFileName(const std::wstring& folder, const std::wstring& target, bool keepExtension,
                              const std::wstring& driveText);

}  // namespace kv
