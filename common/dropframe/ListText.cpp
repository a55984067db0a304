// Joins the dropped names into a tool's list form.
#include "ListText.h"

namespace kv {

std::wstring BuildListText(const DroppedNames& names, ListForm form) {
  const unsigned count = names.Count();
  std::wstring text;
  std::wstring name;
  for (unsigned i = 0; i < count; ++i) {
    if (!names.Name(i, name)) continue;
    if (form == ListForm::Quoted) {
      text += L'"';
      text += name;
      text += L'"';
      // A skipped last name leaves this space at the end, which the tools read as an empty item.
      if (i + 1 < count) text += L' ';
    } else {
      text += name;
      text += L'\0';
    }
  }
  if (form == ListForm::NullSeparated) text += L'\0';
  return text;
}

}  // namespace kv
