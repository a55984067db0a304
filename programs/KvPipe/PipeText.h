// The clipboard text KvPipe builds from the bytes it reads, as a text-mode read and CR LF line ends make it.
#pragma once
#include <cstddef>

namespace kv {

// Units of the first buffer, and the least the text grows by when a larger step is refused.
constexpr std::size_t kPipeTextStep = 4096;

// Where the text's memory comes from; tests refuse it to reach the out-of-memory paths.
struct PipeMemory {
  void* (*allocate)(std::size_t bytes);  // null when refused
  void (*release)(void* block);
};
PipeMemory StandardMemory();

class PipeText {
 public:
  enum class Status {
    kOpen,         // read on
    kEnded,        // Ctrl+Z: the text-mode stream ends here
    kOutOfMemory,  // the text could not grow
  };

  // byteMap gives the code unit of every byte value (256 entries, kept by the caller).
  explicit PipeText(const wchar_t* byteMap, PipeMemory memory = StandardMemory());
  ~PipeText();
  PipeText(const PipeText&) = delete;
  PipeText& operator=(const PipeText&) = delete;

  // The first buffer of kPipeTextStep units; false when it is refused. When full, the text gains a buffer as
  // large as all before it, so its capacity doubles and nothing already read is copied again: reading n
  // bytes costs time in proportion to n.
  bool Start();
  // Adds the next bytes of the stream: CR LF and a lone LF both become CR LF, a lone CR stays, Ctrl+Z
  // ends the stream; bytes after a null byte are taken but dropped, as the text ends at the first null.
  Status Append(const unsigned char* bytes, std::size_t count);

  std::size_t Length() const { return length_; }
  std::size_t Capacity() const { return capacity_; }
  // Copies the text and its terminator to `out`, which holds Length() + 1 units.
  void CopyTo(wchar_t* out) const;

 private:
  struct Buffer;
  std::size_t UnitsFor(unsigned char byte) const;
  bool Grow();
  Status Translate(const unsigned char* bytes, std::size_t count);

  const wchar_t* map_;
  PipeMemory memory_;
  Buffer* first_ = nullptr;
  Buffer* last_ = nullptr;
  std::size_t capacity_ = 0;  // of all buffers
  std::size_t length_ = 0;    // of the whole text
  bool afterCr_ = false;
  bool nullSeen_ = false;
  bool ended_ = false;
};

}  // namespace kv
