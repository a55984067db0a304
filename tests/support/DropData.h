// A data object as Explorer offers a selection to a drop target: the paths as CF_HDROP in global memory.
#pragma once
#include <windows.h>
#include <objidl.h>

#include <string>
#include <vector>

namespace kvtest {

// A new data object holding the paths (wide DROPFILES, or narrow in the system's code page); with
// offerDrop false it offers no format at all. The caller owns the one reference returned.
IDataObject* CreateDropData(const std::vector<std::wstring>& paths, bool offerDrop = true, bool wide = true);

}  // namespace kvtest
