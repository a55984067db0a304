// Overwriting the content of files and folder trees before they are deleted.
#pragma once
#include <cstddef>
#include <cstdint>
#include <string>

namespace kv {

// The multiplier (or increment) of `steps` steps of the generator x -> mul*x + add, in one.
constexpr std::uint32_t RandJump(std::uint32_t mul, std::uint32_t add, std::size_t steps, bool multiplier) {
  std::uint32_t m = 1, a = 0;
  for (std::size_t k = 0; k < steps; ++k) {
    m = m * mul;
    a = a * mul + add;
  }
  return multiplier ? m : a;
}

// The runtime's rand() sequence (seed * 214013 + 2531011, bits 16..30), produced inline: one call
// per byte costs more than the overwrite itself.
class ShredRandom {
 public:
  explicit ShredRandom(std::uint32_t seed) : state_(seed) {}
  unsigned char NextByte() {
    state_ = state_ * kMul + kAdd;
    return static_cast<unsigned char>(state_ >> 16);
  }

  // The same bytes as n calls of NextByte, computed in sixteen interleaved lanes (SSE2) that jump
  // sixteen steps at a time: one byte at a time the generator is slower than the disk.
  void Fill(unsigned char* data, std::size_t n);

  static constexpr std::uint32_t kMul = 214013u;
  static constexpr std::uint32_t kAdd = 2531011u;
  static constexpr std::size_t kLanes = 16;
  // x -> kMul*x + kAdd applied kLanes times is x -> kJumpMul*x + kJumpAdd.
  static constexpr std::uint32_t kJumpMul = RandJump(kMul, kAdd, kLanes, true);
  static constexpr std::uint32_t kJumpAdd = RandJump(kMul, kAdd, kLanes, false);

 private:
  std::uint32_t state_;
};

constexpr std::size_t kShredChunk = 8192;

// Overwrites every byte of an open file once from offset `from` to its end and flushes it to the disk.
// False when not every byte could be written.
bool OverwriteFile(void* file, ShredRandom& random, long long from = 0);

// Overwrites the file's whole chunks of kShredChunk bytes from its start, bypassing the system's cache;
// returns how many bytes it wrote (0 where unbuffered writing is refused).
long long OverwriteDirect(const std::wstring& path, ShredRandom& random);

// Overwrites every byte of the file once, flushes it to the disk, then cuts it to zero length.
// A read-only file is made writable first. Returns false when the file could not be opened.
bool ShredFile(const std::wstring& path, ShredRandom& random);

// Shreds a file, or every file below a folder (hidden and system ones too). Junctions and symbolic
// links are neither followed nor overwritten: what they point to lies outside the selection.
void ShredPath(const std::wstring& path, ShredRandom& random);

}  // namespace kv
