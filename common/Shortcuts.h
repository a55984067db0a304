// Shell shortcuts: creating one for an item, resolving one or a whole path list back to the targets.
// COM must be initialised on the calling thread (kv::ComScope) around every call.
#pragma once
#include <cstddef>
#include <string>
#include <vector>

#include "logic/ShortcutName.h"

namespace kv {

// Saves a shortcut at `linkPath` to `target`, starting in the target's folder (with its trailing
// backslash), without description. False when it was not saved; paths of 260 characters or more
// are refused.
bool CreateShortcut(const wchar_t* target, const wchar_t* linkPath);

// The non-empty file-system path that the shortcut at `linkPath` points to, written into `target`
// (`targetChars` characters with the terminator). `target` is emptied first and stays empty on false;
// a target that does not fit is refused, never cut.
bool ResolveShortcut(const wchar_t* linkPath, wchar_t* target, std::size_t targetChars);
template <std::size_t N>
bool ResolveShortcut(const wchar_t* linkPath, wchar_t (&target)[N]) {
  return ResolveShortcut(linkPath, target, N);
}
bool ResolveShortcut(const wchar_t* linkPath, std::wstring& target);

// A copy of the path list (null-terminated paths ended by an empty path) in which every resolvable
// shortcut is replaced by its target, in order; always ended by two nulls. Paths too long to be a
// shortcut are copied whole.
std::vector<wchar_t> ResolveShortcutList(const wchar_t* list);

}  // namespace kv
