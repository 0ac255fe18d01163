// Running out of memory without exceptions: the module has none (Debian's WebAssembly C++
// runtime is built without them), so a failed allocation marks the module and stops it with a
// trap. The call that was running ends in the page with a RuntimeError; the page reads the mark,
// says "Out of memory." and drops this instance for a fresh one, since the trap may have left the
// heap in the middle of a change.
#include <cstdint>
#include <cstdlib>
#include <new>

namespace {

// The one mutable global: set once, on the way out, and read by the page after the trap.
std::int32_t out_of_memory = 0;

[[noreturn]] void OutOfMemory() {
    out_of_memory = 1;
    __builtin_trap();
}

}  // namespace

extern "C" __attribute__((export_name("korva_out_of_memory"))) std::int32_t korva_out_of_memory() {
    return out_of_memory;
}

// Replacing these also keeps libc++'s new handler, and with it the standard error stream and
// every import, out of the module.
void* operator new(std::size_t size) {
    if (void* block = std::malloc(size == 0 ? 1 : size)) return block;
    OutOfMemory();
}

void* operator new[](std::size_t size) {
    return operator new(size);
}

void operator delete(void* block) noexcept {
    std::free(block);
}

void operator delete[](void* block) noexcept {
    std::free(block);
}

void operator delete(void* block, std::size_t) noexcept {
    std::free(block);
}

void operator delete[](void* block, std::size_t) noexcept {
    std::free(block);
}
