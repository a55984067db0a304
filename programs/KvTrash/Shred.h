// Overwriting the content of files and folder trees before they are deleted.
#pragma once
#include <cstdint>
#include <string>

namespace kv {

// The runtime's rand() sequence (seed * 214013 + 2531011, bits 16..30), produced inline: one call
// per byte costs more than the overwrite itself.
class ShredRandom {
 public:
  explicit ShredRandom(std::uint32_t seed) : state_(seed) {}
  unsigned char NextByte() {
    state_ = state_ * 214013u + 2531011u;
    return static_cast<unsigned char>(state_ >> 16);
  }
  void Fill(unsigned char* data, std::size_t n) {
    std::uint32_t s = state_;
    for (std::size_t i = 0; i < n; ++i) {
      s = s * 214013u + 2531011u;
      data[i] = static_cast<unsigned char>(s >> 16);
    }
    state_ = s;
  }

 private:
  std::uint32_t state_;
};

constexpr std::size_t kShredChunk = 8192;

// Overwrites every byte of an open file once from its start, in chunks of kShredChunk, and flushes
// it to the disk. False when not every byte could be written.
bool OverwriteFile(void* file, ShredRandom& random);

// Overwrites every byte of the file once, flushes it to the disk, then cuts it to zero length.
// A read-only file is made writable first. Returns false when the file could not be opened.
bool ShredFile(const std::wstring& path, ShredRandom& random);

// Shreds a file, or every file below a folder (hidden and system ones too). Junctions and symbolic
// links are neither followed nor overwritten: what they point to lies outside the selection.
void ShredPath(const std::wstring& path, ShredRandom& random);

}  // namespace kv
