// The naming rules of favourites, kept apart from the shell so that tests check them directly.
#include "FavoriteName.h"

#include "logic/ItemList.h"
#include "logic/ShortcutName.h"

namespace kv {

namespace {

constexpr std::size_t kDialogExtensionChars = 4;

// The item's last component; a folder given with its trailing backslash is named after itself, and a
// drive root names nothing (a favourite called ".lnk" would be no name at all).
std::wstring LastComponent(const std::wstring& item) {
  std::size_t end = item.size();
  while (end > 0 && item[end - 1] == L'\\') --end;
  const std::size_t slash = item.rfind(L'\\', end == 0 ? 0 : end - 1);
  if (slash == std::wstring::npos || end == 0) return {};
  return item.substr(slash + 1, end - slash - 1);
}

std::wstring Fitting(std::wstring path) {
  if (path.size() > kMaxPathChars) return {};
  return path;
}

}  // namespace

std::wstring WithoutThreeLetterExtension(const std::wstring& text) {
  if (text.size() > 4 && text[text.size() - 4] == L'.') return text.substr(0, text.size() - 4);
  return text;
}

std::wstring WithLinkExtension(const std::wstring& path) {
  if (HasLinkExtension(path)) return path;
  return path + L".lnk";
}

std::wstring ProposedFavoriteTitle(const std::wstring& item) {
  return WithoutThreeLetterExtension(LastComponent(item));
}

std::wstring FavoriteShortcutPath(const std::wstring& favorites, const std::wstring& item) {
  const std::wstring name = LastComponent(item);
  if (favorites.empty() || name.empty()) return {};
  return Fitting(WithLinkExtension(WithoutThreeLetterExtension(favorites + L"\\" + name)));
}

std::wstring ChosenFavoriteShortcutPath(const std::wstring& chosenPath, const std::wstring& chosenTitle) {
  const std::size_t slash = chosenPath.rfind(L'\\');
  // A title that is no longer than the dialog's extension would leave the folder itself to be cut.
  if (slash == std::wstring::npos || chosenTitle.size() <= kDialogExtensionChars) return {};
  const std::wstring name = chosenTitle.substr(0, chosenTitle.size() - kDialogExtensionChars);
  return Fitting(WithLinkExtension(chosenPath.substr(0, slash + 1) + name));
}

}  // namespace kv
