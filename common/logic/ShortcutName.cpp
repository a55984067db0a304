// The naming rules of shortcuts, written to match the shell's own path splitting.
#include "ShortcutName.h"

#include "ItemList.h"

namespace kv {

namespace {

bool IsSlash(wchar_t c) { return c == L'\\' || c == L'/'; }

// Where the extension of a file name starts, as the shell finds it: the last dot not followed by a
// space; npos when there is none.
std::size_t ExtensionStart(const std::wstring& name) {
  std::size_t dot = std::wstring::npos;
  for (std::size_t i = 0; i < name.size(); ++i) {
    if (name[i] == L' ' || name[i] == L'\\')
      dot = std::wstring::npos;
    else if (name[i] == L'.')
      dot = i;
  }
  return dot;
}

}  // namespace

std::size_t FileNamePartStart(const std::wstring& path) {
  std::size_t start = 0;
  for (std::size_t i = 0; i + 1 < path.size(); ++i) {
    if ((IsSlash(path[i]) || path[i] == L':') && !IsSlash(path[i + 1])) start = i + 1;
  }
  return start;
}

std::wstring ShortcutWorkingDirectory(const std::wstring& target) {
  return target.substr(0, FileNamePartStart(target));
}

bool HasLinkExtension(const std::wstring& path) {
  static constexpr wchar_t kExtension[] = L".lnk";
  if (path.size() < 4) return false;
  for (std::size_t i = 0; i < 4; ++i) {
    wchar_t c = path[path.size() - 4 + i];
    if (c >= L'A' && c <= L'Z') c = static_cast<wchar_t>(c - L'A' + L'a');
    if (c != kExtension[i]) return false;
  }
  return true;
}

bool IsDriveRoot(const std::wstring& path) {
  if (path.size() < 2 || path.size() > 3 || path[1] != L':') return false;
  const wchar_t letter = path[0];
  if (!((letter >= L'A' && letter <= L'Z') || (letter >= L'a' && letter <= L'z'))) return false;
  return path.size() == 2 || IsSlash(path[2]);
}

std::wstring DriveShortcutName(const std::wstring& driveText, wchar_t letter) {
  std::wstring name;
  std::size_t i = !driveText.empty() && driveText[0] == L'\\' ? 1 : 0;
  for (; i < driveText.size(); ++i) {
    if (driveText[i] == L'%' && i + 1 < driveText.size() && driveText[i + 1] == L'c') {
      name += letter;
      ++i;
    } else if (driveText[i] == L'%' && i + 1 < driveText.size() && driveText[i + 1] == L'%') {
      name += L'%';
      ++i;
    } else {
      name += driveText[i];
    }
  }
  return name;
}

std::wstring ShortcutFileName(const std::wstring& folder, const std::wstring& target, bool keepExtension,
                              const std::wstring& driveText) {
  std::size_t end = target.size();
  while (end > 0 && IsSlash(target[end - 1])) --end;
  const std::wstring trimmed = target.substr(0, end);
  std::wstring name;
  if (IsDriveRoot(trimmed)) {
    name = DriveShortcutName(driveText, target[0]);
  } else {
    name = trimmed.substr(FileNamePartStart(trimmed));
    if (!keepExtension) {
      // A name that is all extension (".profile") keeps it, or every such item would be named ".lnk".
      const std::size_t dot = ExtensionStart(name);
      if (dot != std::wstring::npos && dot > 0) name.erase(dot);
    }
  }
  if (name.empty()) return {};
  std::wstring path = folder;
  if (path.empty() || path.back() != L'\\') path += L'\\';
  path += name;
  path += L".lnk";
  if (path.size() > kMaxPathChars) return {};
  return path;
}

}  // namespace kv
