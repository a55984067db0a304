// Link labels: underlined font, size fitted to the text, hand cursor and the Explorer link colour.
#include "LinkLabel.h"

#include <commctrl.h>

#include <cwchar>

#include "Handles.h"
#include "logic/ExplorerColor.h"

namespace kv {

namespace {

constexpr UINT_PTR kLabelSubclass = 0x4B56;
constexpr DWORD kColorValueBytes = 4096;
constexpr WORD kHelpHandCursor = 106;

// Owns the label's underlined font: the font must outlive every paint of the label, so it is freed
// only once the window is gone.
LRESULT CALLBACK LinkLabelProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam, UINT_PTR id,
                               DWORD_PTR font) {
  if (message == WM_NCDESTROY) {
    RemoveWindowSubclass(window, LinkLabelProc, id);
    const LRESULT result = DefSubclassProc(window, message, wParam, lParam);
    DeleteObject(reinterpret_cast<HFONT>(font));
    return result;
  }
  return DefSubclassProc(window, message, wParam, lParam);
}

// The help viewer's hand, copied so that it survives the release of its file; loaded once per process
// because it becomes a class cursor that must stay valid for every later label.
HCURSOR HandCursor() {
  static HCURSOR cursor = nullptr;
  if (cursor) return cursor;
  wchar_t windows[MAX_PATH];
  const UINT n = GetWindowsDirectoryW(windows, MAX_PATH);
  wchar_t path[MAX_PATH];
  if (n > 0 && n < MAX_PATH) {
    const int written = _snwprintf(path, MAX_PATH, L"%s\\winhlp32.exe", windows);
    if (written > 0 && written < MAX_PATH) {
      Library viewer(LoadLibraryExW(path, nullptr, LOAD_LIBRARY_AS_DATAFILE));
      if (viewer) {
        if (HCURSOR hand = LoadCursorW(viewer.get(), MAKEINTRESOURCEW(kHelpHandCursor)))
          cursor = reinterpret_cast<HCURSOR>(CopyIcon(reinterpret_cast<HICON>(hand)));
      }
    }
  }
  if (!cursor) cursor = LoadCursorW(nullptr, IDC_HAND);
  return cursor;
}

}  // namespace

COLORREF ReadExplorerColor(const wchar_t* valueName, COLORREF defaultColor) {
  RegKey key;
  if (RegOpenKeyExW(HKEY_CURRENT_USER, L"Software\\Microsoft\\Internet Explorer\\Settings", 0, KEY_QUERY_VALUE,
                    key.put()) != ERROR_SUCCESS)
    return defaultColor;
  wchar_t text[kColorValueBytes / sizeof(wchar_t)];
  DWORD type = 0;
  DWORD bytes = sizeof text;
  if (RegQueryValueExW(key.get(), valueName, nullptr, &type, reinterpret_cast<BYTE*>(text), &bytes) != ERROR_SUCCESS)
    return defaultColor;
  if (type != REG_SZ && type != REG_EXPAND_SZ) return defaultColor;
  // An odd byte count leaves half a character, which is not part of the text.
  const std::size_t chars = bytes < sizeof text ? bytes / sizeof(wchar_t) : sizeof text / sizeof(wchar_t);
  return ParseExplorerColor(text, chars, defaultColor);
}

void MakeLinkLabel(HWND label) {
  if (!IsWindow(label)) return;
  SetWindowLongPtrW(label, GWL_STYLE, GetWindowLongPtrW(label, GWL_STYLE) | SS_NOTIFY);

  HFONT current = reinterpret_cast<HFONT>(SendMessageW(label, WM_GETFONT, 0, 0));
  // A static without a font of its own draws in the system font.
  if (!current) current = static_cast<HFONT>(GetStockObject(SYSTEM_FONT));
  LOGFONTW font;
  if (GetObjectW(current, sizeof font, &font) == sizeof font) {
    font.lfUnderline = TRUE;
    if (HFONT underlined = CreateFontIndirectW(&font)) {
      DWORD_PTR previous = 0;
      const bool hadFont = GetWindowSubclass(label, LinkLabelProc, kLabelSubclass, &previous) != FALSE;
      if (SetWindowSubclass(label, LinkLabelProc, kLabelSubclass, reinterpret_cast<DWORD_PTR>(underlined))) {
        SendMessageW(label, WM_SETFONT, reinterpret_cast<WPARAM>(underlined), TRUE);
        if (hadFont) DeleteObject(reinterpret_cast<HFONT>(previous));
      } else {
        DeleteObject(underlined);
      }
    }
  }
  FitWindowToText(label);
  SetClassLongPtrW(label, GCLP_HCURSOR, reinterpret_cast<LONG_PTR>(HandCursor()));
}

void FitWindowToText(HWND control) {
  RECT rect;
  if (!GetWindowRect(control, &rect)) return;
  POINT topLeft = {rect.left, rect.top};
  if (HWND parent = GetParent(control)) ScreenToClient(parent, &topLeft);

  wchar_t text[MAX_PATH];
  text[0] = L'\0';
  LRESULT length = SendMessageW(control, WM_GETTEXT, MAX_PATH, reinterpret_cast<LPARAM>(text));
  text[MAX_PATH - 1] = L'\0';
  if (length < 0 || length >= MAX_PATH) length = lstrlenW(text);

  HDC dc = GetDC(control);
  if (!dc) return;
  HGDIOBJ previous = nullptr;
  if (HFONT font = reinterpret_cast<HFONT>(SendMessageW(control, WM_GETFONT, 0, 0))) previous = SelectObject(dc, font);
  SIZE size = {};
  const BOOL measured = GetTextExtentPoint32W(dc, text, static_cast<int>(length), &size);
  if (previous) SelectObject(dc, previous);
  ReleaseDC(control, dc);
  if (measured) MoveWindow(control, topLeft.x, topLeft.y, size.cx, size.cy, TRUE);
}

HBRUSH PaintLinkLabel(HDC dc) {
  SetTextColor(dc, ReadExplorerColor(L"Anchor Color", kDefaultLinkColor));
  SetBkMode(dc, TRANSPARENT);
  return static_cast<HBRUSH>(GetStockObject(NULL_BRUSH));
}

}  // namespace kv
