// Link labels: a dialog's static text shown and answering like a web link (underlined, hand cursor, link colour).
#pragma once
#include <windows.h>

namespace kv {

// The colour stored as "r,g,b" text under HKEY_CURRENT_USER Software\Microsoft\Internet Explorer\Settings,
// or `defaultColor` when the value is absent, not text, longer than 4096 bytes or malformed.
COLORREF ReadExplorerColor(const wchar_t* valueName, COLORREF defaultColor);

// Makes a static control a link label: clicks reach its dialog as WM_COMMAND (STN_CLICKED) from its
// identifier, its font becomes an underlined copy (freed when the label is destroyed), it is sized to
// its text, and its window class gets the hand cursor.
void MakeLinkLabel(HWND label);

// Moves the control to exactly the size of its text (the first 259 characters) in its font, keeping
// its top-left corner.
void FitWindowToText(HWND control);

// The dialog's answer to WM_CTLCOLORSTATIC for a link label: the "Anchor Color" text colour, a
// transparent background, and the stock null brush to return.
HBRUSH PaintLinkLabel(HDC dc);

}  // namespace kv
