// The text-mode translation of KvPipe's input and the buffers that hold it.
#include "PipeText.h"

#include <cstdint>
#include <cstdlib>
#include <cstring>

namespace kv {
namespace {

constexpr unsigned char kCtrlZ = 0x1A;
constexpr unsigned char kLf = 0x0A;
constexpr unsigned char kCr = 0x0D;

void* Allocate(std::size_t bytes) { return std::malloc(bytes); }
void Release(void* block) { std::free(block); }

}  // namespace

struct PipeText::Buffer {
  Buffer* next;
  std::size_t capacity;
  std::size_t length;
  wchar_t* Units() { return reinterpret_cast<wchar_t*>(this + 1); }
  const wchar_t* Units() const { return reinterpret_cast<const wchar_t*>(this + 1); }
};

PipeMemory StandardMemory() { return {Allocate, Release}; }

PipeText::PipeText(const wchar_t* byteMap, PipeMemory memory) : map_(byteMap), memory_(memory) {}

PipeText::~PipeText() {
  for (Buffer* b = first_; b;) {
    Buffer* next = b->next;
    memory_.release(b);
    b = next;
  }
}

bool PipeText::Start() { return first_ || Grow(); }

bool PipeText::Grow() {
  // As large as all buffers before it; where that is refused, ever smaller down to the plain step, so that
  // the text grows wherever a unit-by-unit step would still fit.
  const std::size_t maxUnits = (SIZE_MAX - sizeof(Buffer)) / sizeof(wchar_t);
  for (std::size_t units = first_ ? capacity_ : kPipeTextStep; units >= kPipeTextStep; units /= 2) {
    if (units > maxUnits || capacity_ > SIZE_MAX - units) continue;
    void* p = memory_.allocate(sizeof(Buffer) + units * sizeof(wchar_t));
    if (!p) continue;
    Buffer* b = static_cast<Buffer*>(p);
    b->next = nullptr;
    b->capacity = units;
    b->length = 0;
    (last_ ? last_->next : first_) = b;
    last_ = b;
    capacity_ += units;
    return true;
  }
  return false;
}

std::size_t PipeText::UnitsFor(unsigned char byte) const {
  if (ended_ || nullSeen_ || byte == kCtrlZ || byte == 0) return 0;
  return byte == kLf && !afterCr_ ? 2 : 1;
}

PipeText::Status PipeText::Translate(const unsigned char* bytes, std::size_t count) {
  wchar_t* const start = last_->Units() + last_->length;
  wchar_t* out = start;
  Status status = Status::kOpen;
  std::size_t i = 0;
  for (; i < count; ++i) {
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
      // Text mode turns CR LF into LF, and every LF gets its CR back: only a LF without a CR before it gains one.
      if (byte == kLf && !(i > 0 ? bytes[i - 1] == kCr : afterCr_)) *out++ = L'\r';
    }
    *out++ = map_[byte];
  }
  if (i == count && count > 0) afterCr_ = bytes[count - 1] == kCr;
  const std::size_t added = static_cast<std::size_t>(out - start);
  last_->length += added;
  length_ += added;
  return status;
}

PipeText::Status PipeText::Append(const unsigned char* bytes, std::size_t count) {
  if (!Start()) return Status::kOutOfMemory;
  std::size_t i = 0;
  while (i < count) {
    if (ended_) return Status::kEnded;
    if (nullSeen_) return Status::kOpen;
    // Every byte yields at most two units.
    std::size_t take = (last_->capacity - last_->length) / 2;
    if (take == 0) {
      // Nearly full: grow exactly when the next byte's units no longer fit, as a unit-by-unit append would.
      if (last_->capacity - last_->length < UnitsFor(bytes[i]) && !Grow()) return Status::kOutOfMemory;
      take = 1;
    }
    if (take > count - i) take = count - i;
    const Status status = Translate(bytes + i, take);
    i += take;
    if (status != Status::kOpen) return status;
  }
  return ended_ ? Status::kEnded : Status::kOpen;
}

void PipeText::CopyTo(wchar_t* out) const {
  for (const Buffer* b = first_; b; b = b->next) {
    std::memcpy(out, b->Units(), b->length * sizeof(wchar_t));
    out += b->length;
  }
  *out = L'\0';
}

}  // namespace kv
