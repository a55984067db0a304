// RAII holders for the system resources every module uses: each closes its resource on every path.
#pragma once
#include <windows.h>
#include <objbase.h>
#include <utility>

namespace kv {

// One owner of a raw value; Traits::Close releases it, Traits::Invalid() marks "nothing held".
template <typename Traits>
class Unique {
 public:
  using Value = typename Traits::Value;
  Unique() = default;
  explicit Unique(Value v) : v_(v) {}
  ~Unique() { reset(); }
  Unique(const Unique&) = delete;
  Unique& operator=(const Unique&) = delete;
  Unique(Unique&& o) noexcept : v_(o.release()) {}
  Unique& operator=(Unique&& o) noexcept {
    if (this != &o) reset(o.release());
    return *this;
  }
  Value get() const { return v_; }
  // For APIs that return the value through an out-parameter; releases what was held first.
  Value* put() {
    reset();
    return &v_;
  }
  explicit operator bool() const { return v_ != Traits::Invalid(); }
  Value release() {
    Value v = v_;
    v_ = Traits::Invalid();
    return v;
  }
  void reset(Value v = Traits::Invalid()) {
    if (v_ != Traits::Invalid()) Traits::Close(v_);
    v_ = v;
  }

 private:
  Value v_ = Traits::Invalid();
};

struct RegKeyTraits {
  using Value = HKEY;
  static Value Invalid() { return nullptr; }
  static void Close(Value v) { RegCloseKey(v); }
};
struct HandleTraits {
  using Value = HANDLE;
  static Value Invalid() { return nullptr; }
  static void Close(Value v) { CloseHandle(v); }
};
// CreateFileW reports failure as INVALID_HANDLE_VALUE, not null.
struct FileTraits {
  using Value = HANDLE;
  static Value Invalid() { return INVALID_HANDLE_VALUE; }
  static void Close(Value v) { CloseHandle(v); }
};
struct FindTraits {
  using Value = HANDLE;
  static Value Invalid() { return INVALID_HANDLE_VALUE; }
  static void Close(Value v) { FindClose(v); }
};
struct GlobalTraits {
  using Value = HGLOBAL;
  static Value Invalid() { return nullptr; }
  static void Close(Value v) { GlobalFree(v); }
};
struct LibraryTraits {
  using Value = HMODULE;
  static Value Invalid() { return nullptr; }
  static void Close(Value v) { FreeLibrary(v); }
};
struct ActCtxTraits {
  using Value = HANDLE;
  static Value Invalid() { return INVALID_HANDLE_VALUE; }
  static void Close(Value v) { ReleaseActCtx(v); }
};

using RegKey = Unique<RegKeyTraits>;
using Handle = Unique<HandleTraits>;
using File = Unique<FileTraits>;
using FindHandle = Unique<FindTraits>;
using GlobalMemory = Unique<GlobalTraits>;
using Library = Unique<LibraryTraits>;
using ActCtx = Unique<ActCtxTraits>;

// The locked view of a global memory block, unlocked when the scope ends.
class GlobalLockView {
 public:
  explicit GlobalLockView(HGLOBAL mem) : mem_(mem), p_(mem ? GlobalLock(mem) : nullptr) {}
  ~GlobalLockView() {
    if (p_) GlobalUnlock(mem_);
  }
  GlobalLockView(const GlobalLockView&) = delete;
  GlobalLockView& operator=(const GlobalLockView&) = delete;
  void* get() const { return p_; }

 private:
  HGLOBAL mem_;
  void* p_;
};

// The clipboard's open state; closed when the scope ends if opening succeeded.
class ClipboardSession {
 public:
  explicit ClipboardSession(HWND owner) : open_(OpenClipboard(owner) != FALSE) {}
  ~ClipboardSession() {
    if (open_) CloseClipboard();
  }
  ClipboardSession(const ClipboardSession&) = delete;
  ClipboardSession& operator=(const ClipboardSession&) = delete;
  bool IsOpen() const { return open_; }

 private:
  bool open_;
};

// COM initialisation of a scope, undone only if it succeeded.
class ComScope {
 public:
  ComScope() : ok_(SUCCEEDED(CoInitialize(nullptr))) {}
  ~ComScope() {
    if (ok_) CoUninitialize();
  }
  ComScope(const ComScope&) = delete;
  ComScope& operator=(const ComScope&) = delete;
  bool Ok() const { return ok_; }

 private:
  bool ok_;
};

// An activation context made current for a scope.
class ActivationScope {
 public:
  explicit ActivationScope(HANDLE ctx) {
    if (ctx != INVALID_HANDLE_VALUE && ctx) active_ = ActivateActCtx(ctx, &cookie_) != FALSE;
  }
  ~ActivationScope() {
    if (active_) DeactivateActCtx(0, cookie_);
  }
  ActivationScope(const ActivationScope&) = delete;
  ActivationScope& operator=(const ActivationScope&) = delete;

 private:
  bool active_ = false;
  ULONG_PTR cookie_ = 0;
};

// A counted COM interface pointer.
template <typename T>
class ComPtr {
 public:
  ComPtr() = default;
  ~ComPtr() { reset(); }
  ComPtr(const ComPtr&) = delete;
  ComPtr& operator=(const ComPtr&) = delete;
  ComPtr(ComPtr&& o) noexcept : p_(o.p_) { o.p_ = nullptr; }
  ComPtr& operator=(ComPtr&& o) noexcept {
    if (this != &o) {
      reset();
      p_ = o.p_;
      o.p_ = nullptr;
    }
    return *this;
  }
  T* get() const { return p_; }
  T* operator->() const { return p_; }
  explicit operator bool() const { return p_ != nullptr; }
  T** put() {
    reset();
    return &p_;
  }
  void** put_void() { return reinterpret_cast<void**>(put()); }
  void reset() {
    if (p_) p_->Release();
    p_ = nullptr;
  }

 private:
  T* p_ = nullptr;
};

}  // namespace kv
