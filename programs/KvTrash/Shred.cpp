// The overwrite of the shred action.
#include "Shred.h"

#include <emmintrin.h>
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

// Lane-wise 32-bit multiplication; SSE2 has only the 32x32->64 one of the even lanes.
__attribute__((target("sse2"))) __m128i Multiply(__m128i a, __m128i b) {
  const __m128i even = _mm_mul_epu32(a, b);
  const __m128i odd = _mm_mul_epu32(_mm_srli_epi64(a, 32), _mm_srli_epi64(b, 32));
  return _mm_unpacklo_epi32(_mm_shuffle_epi32(even, _MM_SHUFFLE(0, 0, 2, 0)),
                            _mm_shuffle_epi32(odd, _MM_SHUFFLE(0, 0, 2, 0)));
}

constexpr std::size_t kChunksPerWrite = 128;

}  // namespace

__attribute__((target("sse2"))) void ShredRandom::Fill(unsigned char* data, std::size_t n) {
  std::size_t i = 0;
  if (n >= 2 * kLanes) {
    alignas(16) std::uint32_t first[kLanes];
    for (std::uint32_t& l : first) l = state_ = state_ * kMul + kAdd;
    __m128i lane[4];
    for (int k = 0; k < 4; ++k) lane[k] = _mm_load_si128(reinterpret_cast<const __m128i*>(first) + k);
    const __m128i mul = _mm_set1_epi32(static_cast<int>(kJumpMul));
    const __m128i add = _mm_set1_epi32(static_cast<int>(kJumpAdd));
    const __m128i low = _mm_set1_epi32(0xFF);
    __m128i last = lane[3];
    for (; i + kLanes <= n; i += kLanes) {
      __m128i b[4];
      for (int k = 0; k < 4; ++k) b[k] = _mm_and_si128(_mm_srli_epi32(lane[k], 16), low);
      const __m128i bytes = _mm_packus_epi16(_mm_packs_epi32(b[0], b[1]), _mm_packs_epi32(b[2], b[3]));
      _mm_storeu_si128(reinterpret_cast<__m128i*>(data + i), bytes);
      last = lane[3];
      for (int k = 0; k < 4; ++k) lane[k] = _mm_add_epi32(Multiply(lane[k], mul), add);
    }
    state_ = static_cast<std::uint32_t>(_mm_cvtsi128_si32(_mm_shuffle_epi32(last, _MM_SHUFFLE(3, 3, 3, 3))));
  }
  for (; i < n; ++i) data[i] = NextByte();
}

bool OverwriteFile(void* file, ShredRandom& random, long long from) {
  LARGE_INTEGER size;
  LARGE_INTEGER start;
  start.QuadPart = from;
  if (!GetFileSizeEx(file, &size) || !SetFilePointerEx(file, start, nullptr, FILE_BEGIN)) return false;
  std::vector<unsigned char> block(kShredChunk * kChunksPerWrite);
  bool ok = true;
  for (long long left = size.QuadPart - from; left > 0 && ok;) {
    const DWORD n = left < static_cast<long long>(block.size()) ? static_cast<DWORD>(left) : block.size();
    random.Fill(block.data(), n);
    DWORD written = 0;
    ok = WriteFile(file, block.data(), n, &written, nullptr) && written == n;
    left -= n;
  }
  // The written pages must reach the disk before a truncation can let the system drop them.
  return FlushFileBuffers(file) && ok;
}

long long OverwriteDirect(const std::wstring& path, ShredRandom& random) {
  File file(CreateFileW(SystemPath(path).c_str(), GENERIC_WRITE, FILE_SHARE_READ, nullptr, OPEN_EXISTING,
                        FILE_FLAG_NO_BUFFERING | FILE_FLAG_WRITE_THROUGH, nullptr));
  LARGE_INTEGER size;
  if (!file || !GetFileSizeEx(file.get(), &size)) return 0;
  const std::size_t blockBytes = kShredChunk * kChunksPerWrite;
  // Unbuffered writes need a buffer aligned to the sector size; VirtualAlloc gives whole pages.
  void* block = VirtualAlloc(nullptr, blockBytes, MEM_COMMIT | MEM_RESERVE, PAGE_READWRITE);
  if (!block) return 0;
  const long long whole = size.QuadPart / kShredChunk * kShredChunk;
  long long done = 0;
  while (done < whole) {
    const DWORD n = whole - done < static_cast<long long>(blockBytes) ? static_cast<DWORD>(whole - done) : blockBytes;
    random.Fill(static_cast<unsigned char*>(block), n);
    DWORD written = 0;
    if (!WriteFile(file.get(), block, n, &written, nullptr) || written != n) break;
    done += n;
  }
  VirtualFree(block, 0, MEM_RELEASE);
  return done;
}

bool ShredFile(const std::wstring& path, ShredRandom& random) {
  const std::wstring sys = SystemPath(path);
  const DWORD attributes = GetFileAttributesW(sys.c_str());
  if (attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_READONLY))
    SetFileAttributesW(sys.c_str(), attributes & ~FILE_ATTRIBUTE_READONLY);
  // Whole chunks go to the disk unbuffered; where the file system refuses that, all goes through the cache.
  const long long direct = OverwriteDirect(path, random);
  File file(CreateFileW(sys.c_str(), GENERIC_WRITE, FILE_SHARE_READ, nullptr, OPEN_EXISTING,
                        FILE_FLAG_SEQUENTIAL_SCAN, nullptr));
  if (!file) return false;
  OverwriteFile(file.get(), random, direct);
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
