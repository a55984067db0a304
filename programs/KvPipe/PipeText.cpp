// The text-mode translation of KvPipe's input and its growing buffer.
#include "PipeText.h"

#include <cstdint>
#include <cstdlib>

namespace kv {
namespace {

constexpr unsigned char kCtrlZ = 0x1A;
constexpr unsigned char kLf = 0x0A;
constexpr unsigned char kCr = 0x0D;

void* Reallocate(void* block, std::size_t bytes) { return std::realloc(block, bytes); }
void Release(void* block) { std::free(block); }

constexpr std::size_t kMaxUnits = SIZE_MAX / sizeof(wchar_t);

}  // namespace

PipeMemory StandardMemory() { return {Reallocate, Release}; }

PipeText::PipeText(const wchar_t* byteMap, PipeMemory memory) : map_(byteMap), memory_(memory) {}

PipeText::~PipeText() {
  if (buffer_) memory_.release(buffer_);
}

bool PipeText::Start() {
  if (buffer_) return true;
  buffer_ = static_cast<wchar_t*>(memory_.reallocate(nullptr, kPipeTextStep * sizeof(wchar_t)));
  if (!buffer_) return false;
  capacity_ = kPipeTextStep;
  buffer_[0] = L'\0';
  return true;
}

std::size_t PipeText::UnitsFor(unsigned char byte) const {
  if (ended_ || nullSeen_ || byte == kCtrlZ || byte == 0) return 0;
  // Text mode turns CR LF into LF, and every LF gets its CR back: only a LF without a CR before it gains one.
  return byte == kLf && !afterCr_ ? 2 : 1;
}

bool PipeText::Grow() {
  // Doubling first; where that is refused, ever smaller steps down to the plain step, so that the buffer
  // grows wherever a unit-by-unit step would still fit.
  for (std::size_t extra = capacity_; extra >= kPipeTextStep; extra /= 2) {
    if (capacity_ > kMaxUnits - extra) continue;
    if (void* p = memory_.reallocate(buffer_, (capacity_ + extra) * sizeof(wchar_t))) {
      buffer_ = static_cast<wchar_t*>(p);
      capacity_ += extra;
      return true;
    }
  }
  return false;
}

PipeText::Status PipeText::Translate(const unsigned char* bytes, std::size_t count) {
  wchar_t* out = buffer_ + length_;
  bool afterCr = afterCr_;
  Status status = Status::kOpen;
  for (std::size_t i = 0; i < count; ++i) {
    const unsigned char byte = bytes[i];
    if (byte <= kCtrlZ) {
      if (byte == kCtrlZ) {
        ended_ = true;
        status = Status::kEnded;
        break;
      }
      if (byte == 0) {
        nullSeen_ = true;
        break;
      }
      if (byte == kLf && !afterCr) *out++ = L'\r';
    }
    *out++ = map_[byte];
    afterCr = byte == kCr;
  }
  afterCr_ = afterCr;
  length_ = static_cast<std::size_t>(out - buffer_);
  buffer_[length_] = L'\0';
  return status;
}

PipeText::Status PipeText::Append(const unsigned char* bytes, std::size_t count) {
  if (!buffer_ && !Start()) return Status::kOutOfMemory;
  std::size_t i = 0;
  while (i < count) {
    if (ended_) return Status::kEnded;
    if (nullSeen_) return Status::kOpen;
    // Every byte yields at most two units; the last slot stays free for the terminator.
    const std::size_t room = capacity_ - 1 - length_;
    std::size_t take = room / 2;
    if (take == 0) {
      // Nearly full: grow exactly when the next byte's units no longer fit, as a unit-by-unit append would.
      while (capacity_ - 1 - length_ < UnitsFor(bytes[i]))
        if (!Grow()) return Status::kOutOfMemory;
      take = 1;
    }
    if (take > count - i) take = count - i;
    const Status status = Translate(bytes + i, take);
    i += take;
    if (status != Status::kOpen) return status;
  }
  return ended_ ? Status::kEnded : Status::kOpen;
}

}  // namespace kv
