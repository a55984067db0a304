// The naming rules of favourites: the shortcut file an item becomes in the Favorites or in the folder chosen.
#pragma once
#include <string>

namespace kv {

// The text cut at its last dot when that dot is fourth from the end of a text longer than four
// characters (a three-letter extension); any other text unchanged.
std::wstring WithoutThreeLetterExtension(const std::wstring& text);

// The path with ".lnk" appended unless it already ends in ".lnk" (in any letter case): a name or folder that
// merely holds ".lnk" still needs the extension, or the shell would not take the file for a shortcut.
std::wstring WithLinkExtension(const std::wstring& path);

// The title the Add Favorite dialog proposes for the item: its last component without a three-letter
// extension; empty for an item without a backslash.
std::wstring ProposedFavoriteTitle(const std::wstring& item);

// The shortcut written without the dialog: `favorites`, a backslash and the item's last component,
// without a three-letter extension, with ".lnk". Empty (refused) for an item without a backslash or a
// path that would not fit in 259 characters.
std::wstring FavoriteShortcutPath(const std::wstring& favorites, const std::wstring& item);

// The shortcut of a confirmed dialog: the folder of `chosenPath` (up to its last backslash) and
// `chosenTitle` without its four-character extension, with ".lnk". Empty (refused) when the path has no
// folder, the title no name before its extension, or the result would not fit in 259 characters.
std::wstring ChosenFavoriteShortcutPath(const std::wstring& chosenPath, const std::wstring& chosenTitle);

}  // namespace kv
