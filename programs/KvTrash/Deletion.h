// What KvTrash deletes and how: the path list handed to the shell and the choice of action by the keys held.
#pragma once
#include <string>
#include <vector>

namespace kv {

enum class TrashAction { Recycle, Delete, Shred };

// Control wins over Shift.
TrashAction ChooseTrashAction(bool control, bool shift);

// Shell file-operation flags of each action (the shred has already asked its own question).
unsigned TrashFlags(TrashAction action);

// The path list (each path null-terminated, then an empty path) of the items that name something:
// empty items and wildcard patterns are left out, so only the items that were sent are deleted.
std::vector<wchar_t> BuildDeletionList(const std::vector<std::wstring>& items);

// The paths of a path list, in order, up to its terminating empty path.
std::vector<std::wstring> SplitPathList(const wchar_t* list);

}  // namespace kv
