// Tarvelo is built without exceptions: it has no error to throw, and the
// exception machinery (unwinder, thread support, the demangling terminate
// handler and printf) is most of what a static C++ program otherwise weighs.
// The library still reports its own impossible cases (a string over its
// maximum length, memory exhausted) through these hooks; here they end the
// process at once instead of unwinding into a handler that does not exist.
#include <cstdlib>
#include <new>

namespace std {
[[noreturn]] void __throw_length_error(const char*) { std::abort(); }
[[noreturn]] void __throw_logic_error(const char*) { std::abort(); }
[[noreturn]] void __throw_out_of_range_fmt(const char*, ...) { std::abort(); }
[[noreturn]] void __throw_bad_alloc() { std::abort(); }
[[noreturn]] void __throw_bad_array_new_length() { std::abort(); }
}  // namespace std

void* operator new(std::size_t size) {
    if (void* block = std::malloc(size ? size : 1)) return block;
    std::abort();
}
void operator delete(void* block) noexcept { std::free(block); }
void operator delete(void* block, std::size_t) noexcept { std::free(block); }
void* operator new(std::size_t size, const std::nothrow_t&) noexcept { return std::malloc(size ? size : 1); }
void operator delete(void* block, const std::nothrow_t&) noexcept { std::free(block); }
