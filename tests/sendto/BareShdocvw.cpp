// A stand-in for a shdocvw.dll that has no Add Favorite dialog: it exports only the Organize Favorites one.
#include <windows.h>

extern "C" BOOL WINAPI DoOrganizeFavDlgW(HWND, LPWSTR) { return FALSE; }
