// The floor of the clipboard pipe's job: standard input read in 64 KiB blocks, each byte widened into one
// unit, CF_UNICODETEXT set once; KvPipe's time is measured against it.
#include <windows.h>

#include <vector>

int wmain() {
  HANDLE input = GetStdHandle(STD_INPUT_HANDLE);
  std::vector<unsigned char> bytes;
  static unsigned char block[64 * 1024];
  DWORD got = 0;
  while (ReadFile(input, block, sizeof block, &got, nullptr) && got > 0) bytes.insert(bytes.end(), block, block + got);
  HGLOBAL memory = GlobalAlloc(GMEM_MOVEABLE, (bytes.size() + 1) * sizeof(wchar_t));
  if (!memory) return 1;
  wchar_t* text = static_cast<wchar_t*>(GlobalLock(memory));
  for (size_t i = 0; i < bytes.size(); ++i) text[i] = bytes[i];
  text[bytes.size()] = L'\0';
  GlobalUnlock(memory);
  if (!OpenClipboard(nullptr)) return 1;
  EmptyClipboard();
  const bool set = SetClipboardData(CF_UNICODETEXT, memory) != nullptr;
  CloseClipboard();
  return set ? 0 : 1;
}
