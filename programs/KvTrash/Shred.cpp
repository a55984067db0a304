// The overwrite of the shred action.
#include "Shred.h"

#include <windows.h>

#include <vector>

#include "Handles.h"

namespace kv {
namespace {

// Paths at or beyond MAX_PATH only open in the extended-length form.
std::wstring SystemPath(const std::wstring& path) {
  if (path.size() < MAX_PATH || path.compare(0, 4, L"\\\\?\\") == 0) return path;
  if (path.compare(0, 2, L"\\\\") == 0) return L"\\\\?\\UNC\\" + path.substr(2);
  if (path.size() > 2 && path[1] == L':' && path[2] == L'\\') return L"\\\\?\\" + path;
  return path;
}

std::wstring Child(const std::wstring& folder, const std::wstring& name) {
  return folder.back() == L'\\' ? folder + name : folder + L'\\' + name;
}

void ShredTree(const std::wstring& folder, ShredRandom& random) {
  WIN32_FIND_DATAW entry;
  FindHandle find(FindFirstFileW(SystemPath(Child(folder, L"*.*")).c_str(), &entry));
  if (!find) return;
  do {
    const std::wstring name = entry.cFileName;
    if (name == L"." || name == L"..") continue;
    if (entry.dwFileAttributes & FILE_ATTRIBUTE_REPARSE_POINT) continue;
    const std::wstring child = Child(folder, name);
    if (entry.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY)
      ShredTree(child, random);
    else
      ShredFile(child, random);
  } while (FindNextFileW(find.get(), &entry));
}

}  // namespace

bool OverwriteFile(void* file, ShredRandom& random) {
  LARGE_INTEGER size;
  LARGE_INTEGER zero{};
  if (!GetFileSizeEx(file, &size) || !SetFilePointerEx(file, zero, nullptr, FILE_BEGIN)) return false;
  // Several chunks go to the system per write: one call per 8 KiB costs a fifth of the throughput.
  constexpr std::size_t kChunksPerWrite = 8;
  std::vector<unsigned char> block(kShredChunk * kChunksPerWrite);
  unsigned char* buffer = block.data();
  bool ok = true;
  for (long long left = size.QuadPart; left > 0 && ok;) {
    DWORD n = 0;
    for (std::size_t c = 0; c < kChunksPerWrite && left > 0; ++c) {
      const DWORD chunk = left < static_cast<long long>(kShredChunk) ? static_cast<DWORD>(left) : kShredChunk;
      random.Fill(buffer + n, chunk);
      n += chunk;
      left -= chunk;
    }
    DWORD written = 0;
    ok = WriteFile(file, buffer, n, &written, nullptr) && written == n;
  }
  // The written pages must reach the disk before a truncation can let the system drop them.
  return FlushFileBuffers(file) && ok;
}

bool ShredFile(const std::wstring& path, ShredRandom& random) {
  const std::wstring sys = SystemPath(path);
  const DWORD attributes = GetFileAttributesW(sys.c_str());
  if (attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_READONLY))
    SetFileAttributesW(sys.c_str(), attributes & ~FILE_ATTRIBUTE_READONLY);
  File file(CreateFileW(sys.c_str(), GENERIC_WRITE, FILE_SHARE_READ, nullptr, OPEN_EXISTING,
                        FILE_FLAG_SEQUENTIAL_SCAN, nullptr));
  if (!file) return false;
  OverwriteFile(file.get(), random);
  LARGE_INTEGER zero{};
  if (SetFilePointerEx(file.get(), zero, nullptr, FILE_BEGIN)) SetEndOfFile(file.get());
  FlushFileBuffers(file.get());
  return true;
}

void ShredPath(const std::wstring& path, ShredRandom& random) {
  if (path.empty()) return;
  const DWORD attributes = GetFileAttributesW(SystemPath(path).c_str());
  if (attributes == INVALID_FILE_ATTRIBUTES || (attributes & FILE_ATTRIBUTE_REPARSE_POINT)) return;
  if (attributes & FILE_ATTRIBUTE_DIRECTORY)
    ShredTree(path, random);
  else
    ShredFile(path, random);
}

}  // namespace kv
