// The small C++ runtime of the modules: allocation that ends the process on failure, and the standard
// library's throw helpers replaced, so that neither the exception machinery nor iostreams are linked.
#include <windows.h>
#include <cstdlib>
#include <new>

namespace {
[[noreturn]] void OutOfMemory() { ExitProcess(ERROR_NOT_ENOUGH_MEMORY); }
[[noreturn]] void Fatal() { ExitProcess(ERROR_INTERNAL_ERROR); }
void* Allocate(std::size_t n) {
  void* p = std::malloc(n ? n : 1);
  if (!p) OutOfMemory();
  return p;
}
}  // namespace

void* operator new(std::size_t n) { return Allocate(n); }
void* operator new[](std::size_t n) { return Allocate(n); }
void* operator new(std::size_t n, const std::nothrow_t&) noexcept { return Allocate(n); }
void* operator new[](std::size_t n, const std::nothrow_t&) noexcept { return Allocate(n); }
void operator delete(void* p) noexcept { std::free(p); }
void operator delete[](void* p) noexcept { std::free(p); }
void operator delete(void* p, std::size_t) noexcept { std::free(p); }
void operator delete[](void* p, std::size_t) noexcept { std::free(p); }

// libstdc++ reports contract violations (length_error, out_of_range ...) through these; a module
// has no handler for them, so they end the process like a failed allocation.
namespace std {
void __throw_bad_exception() { Fatal(); }
void __throw_bad_alloc() { OutOfMemory(); }
void __throw_bad_array_new_length() { OutOfMemory(); }
void __throw_bad_cast() { Fatal(); }
void __throw_bad_typeid() { Fatal(); }
void __throw_logic_error(const char*) { Fatal(); }
void __throw_domain_error(const char*) { Fatal(); }
void __throw_invalid_argument(const char*) { Fatal(); }
void __throw_length_error(const char*) { OutOfMemory(); }
void __throw_out_of_range(const char*) { Fatal(); }
void __throw_out_of_range_fmt(const char*, ...) { Fatal(); }
void __throw_runtime_error(const char*) { Fatal(); }
void __throw_range_error(const char*) { Fatal(); }
void __throw_overflow_error(const char*) { Fatal(); }
void __throw_underflow_error(const char*) { Fatal(); }
void __throw_bad_function_call() { Fatal(); }
}  // namespace std

extern "C" void __cxa_pure_virtual() { Fatal(); }
