// The clipboard-as-name settings dialog procedure: the modal dialog of KvPathCopy and the applet's page.
#pragma once
#include <windows.h>

#include <string>

#include "LocalizedStrings.h"
#include "SettingsStore.h"

namespace kv {

// Marks a dialog-mode creation parameter; a page record starts with its size, which is never this.
constexpr DWORD kClipboardAsNameContextMarker = 0x434E564B;

struct ClipboardAsNameContext {
  DWORD marker = kClipboardAsNameContextMarker;
  HMODULE module = nullptr;
  SettingsStore* settings = nullptr;
  std::wstring productName;
  LocalizedStrings* texts = nullptr;
};

// Registers the thirteen defaults of the group, in their order.
void RegisterClipboardAsNameDefaults(SettingsStore& settings);

// Dialog mode: the creation parameter is a ClipboardAsNameContext. Page mode: a page record whose lParam
// is -1; the page then builds, loads and saves a store of its own.
INT_PTR CALLBACK ClipboardAsNamePage(HWND window, UINT message, WPARAM wParam, LPARAM lParam);

}  // namespace kv
