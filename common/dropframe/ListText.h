// The list text a drop-target hands its tool: the dropped names in the quoted or the null-separated form.
#pragma once
#include <string>

namespace kv {

enum class ListForm {
  Quoted,         // "a" "b": every name in double quotes, one space between names
  NullSeparated,  // a\0b\0\0: a path list
};

// The dropped selection as the frame reads it.
class DroppedNames {
 public:
  virtual ~DroppedNames() = default;
  virtual unsigned Count() const = 0;
  // Name i; false when it cannot be given, which leaves it out of the list.
  virtual bool Name(unsigned index, std::wstring& name) const = 0;
};

// The list text; in the null-separated form the final extra null is part of the text.
std::wstring BuildListText(const DroppedNames& names, ListForm form);

}  // namespace kv
