// KvPipe: puts its standard input, or the output of the command it is given, on the clipboard as text.
#include <windows.h>
#include <io.h>

#include <cstdio>
#include <cstdlib>
#include <cwchar>

#include "Handles.h"
#include "LocalizedStrings.h"
#include "PipeText.h"
#include "resource.h"

namespace {

constexpr char kNoMemory[] = "Not enough memory available.";
constexpr DWORD kBlockBytes = 64 * 1024;
constexpr int kExitNoMemory = 5;
// Nothing reached the clipboard (the command could not be started, the clipboard stayed busy): a script
// must not take that for a copy.
constexpr int kExitNotCopied = 1;

[[noreturn]] void EndOutOfMemory() {
  std::puts(kNoMemory);
  std::exit(kExitNoMemory);
}

// Bytes 0x00-0x7F are ASCII; a higher byte is the character it stands for in the console's output code
// page (what console programs write in), or the unit of the same value where it is no character alone.
void BuildByteMap(wchar_t map[256]) {
  UINT codePage = GetConsoleOutputCP();
  if (codePage == 0) codePage = GetOEMCP();
  for (int b = 0; b < 256; ++b) {
    map[b] = static_cast<wchar_t>(b);
    if (b < 0x80) continue;
    const char byte = static_cast<char>(b);
    wchar_t unit;
    if (MultiByteToWideChar(codePage, MB_ERR_INVALID_CHARS, &byte, 1, &unit, 1) == 1) map[b] = unit;
  }
}

// Retries briefly, as another process may hold the clipboard for a moment.
bool Publish(const kv::PipeText& text) {
  // Allocated before the clipboard is emptied, so that a refusal leaves the user's clipboard as it was.
  kv::GlobalMemory block(GlobalAlloc(GMEM_MOVEABLE, (text.Length() + 1) * sizeof(wchar_t)));
  if (!block) EndOutOfMemory();
  {
    kv::GlobalLockView view(block.get());
    if (!view.get()) EndOutOfMemory();
    text.CopyTo(static_cast<wchar_t*>(view.get()));
  }
  constexpr int kAttempts = 20;
  for (int attempt = 1;; ++attempt) {
    kv::ClipboardSession clipboard(nullptr);
    if (clipboard.IsOpen()) {
      EmptyClipboard();
      if (!SetClipboardData(CF_UNICODETEXT, block.get())) return false;
      block.release();
      return true;
    }
    if (attempt == kAttempts) return false;
    Sleep(50);
  }
}

bool ReadStreamToClipboard(HANDLE stream) {
  wchar_t map[256];
  BuildByteMap(map);
  kv::PipeText text(map);
  if (!text.Start()) EndOutOfMemory();
  unsigned char block[kBlockBytes];
  for (;;) {
    DWORD got = 0;
    if (!ReadFile(stream, block, kBlockBytes, &got, nullptr) || got == 0) break;
    const kv::PipeText::Status status = text.Append(block, got);
    if (status == kv::PipeText::Status::kOutOfMemory) EndOutOfMemory();
    if (status == kv::PipeText::Status::kEnded) break;
  }
  return Publish(text);
}

void PrintUsage() {
  kv::LocalizedStrings texts;
  constexpr int kChars = 256;
  wchar_t usage[kChars];
  lstrcpynW(usage, texts.LoadText(IDS_USAGE), kChars);
  // Sized for the widest OEM code page (three bytes a unit), so that no conversion runs past the buffer.
  char oem[kChars * 3 + 1];
  if (WideCharToMultiByte(CP_OEMCP, 0, usage, -1, oem, sizeof oem, nullptr, nullptr) == 0) oem[0] = '\0';
  std::puts(oem);
}

}  // namespace

int wmain(int argc, wchar_t** argv) {
  if (argc < 2) return ReadStreamToClipboard(GetStdHandle(STD_INPUT_HANDLE)) ? 0 : kExitNotCopied;
  if (std::wcscmp(argv[1], L"/?") == 0) {
    PrintUsage();
    return 0;
  }
  // Only the first argument is the command: "dir /w" unquoted runs dir alone.
  std::FILE* command = _wpopen(argv[1], L"r");
  if (!command) return kExitNotCopied;
  const bool copied = ReadStreamToClipboard(reinterpret_cast<HANDLE>(_get_osfhandle(_fileno(command))));
  _pclose(command);
  return copied ? 0 : kExitNotCopied;
}
