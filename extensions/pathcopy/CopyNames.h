// The clipboard-as-name tool: what KvPathCopy does with the dropped names.
#pragma once
#include <windows.h>

#include <string>

#include "NameList.h"
#include "SettingsStore.h"

namespace kv {

// The formatter's options as the clipboard-as-name settings hold them.
NameListOptions NameListOptionsFrom(SettingsStore& settings);

// Loads the settings, shows the settings dialog first while Control is held, and puts the formatted names
// of the quoted list text on the clipboard (nothing when the dialog is cancelled).
void CopyNames(HMODULE module, const wchar_t* listText);

}  // namespace kv
