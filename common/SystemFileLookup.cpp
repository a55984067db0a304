// The item list's file lookups against the real file system.
#include <windows.h>

#include "Handles.h"
#include "logic/ItemList.h"

namespace kv {
namespace {

class Win32FileLookup final : public FileLookup {
 public:
  bool Find(const std::wstring& path, std::wstring& storedName, std::wstring& shortName) const override {
    WIN32_FIND_DATAW data;
    FindHandle find(FindFirstFileW(path.c_str(), &data));
    if (!find) return false;
    storedName = data.cFileName;
    shortName = data.cAlternateFileName;
    return true;
  }
  bool ShortPath(const std::wstring& path, std::wstring& shortPath) const override {
    wchar_t buffer[MAX_PATH];
    DWORD n = GetShortPathNameW(path.c_str(), buffer, MAX_PATH);
    if (n == 0 || n >= MAX_PATH) return false;
    shortPath.assign(buffer, n);
    return true;
  }
};

}  // namespace

const FileLookup& SystemFileLookup() {
  static const Win32FileLookup lookup;
  return lookup;
}

}  // namespace kv
