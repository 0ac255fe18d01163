// The WebAssembly SIMD kernel: the generic algorithm (vector_kernel.hpp, scan_loops.hpp) with
// 32 bytes as two 16-byte halves, in the 128-bit instructions every current browser has. Built
// where the compiler targets WebAssembly with SIMD (-msimd128), in the page's module for browsers
// that have it; the page falls back to a module built without it. The whole module is compiled
// for SIMD, so this file needs no target of its own.
#include "counters/kernels/kernel_prelude.hpp"

#if defined(__wasm_simd128__)
#include <wasm_simd128.h>

namespace korva::kernels::wasm_simd {

struct Primitives {
    // 32 bytes as two halves, the low one first.
    struct Bytes {
        v128_t lo;
        v128_t hi;
    };
    using Table = v128_t;

    static Bytes Load(const char* p) { return {wasm_v128_load(p), wasm_v128_load(p + 16)}; }
    static Table LoadTable(const std::uint8_t* t) { return wasm_v128_load(t); }
    // One bit per byte whose top bit is set, the low half first.
    static std::uint32_t Mask(Bytes v) {
        return static_cast<std::uint32_t>(wasm_i8x16_bitmask(v.lo)) |
               static_cast<std::uint32_t>(wasm_i8x16_bitmask(v.hi)) << 16;
    }
    static Bytes Equal(Bytes a, Bytes b) {
        return {wasm_i8x16_eq(a.lo, b.lo), wasm_i8x16_eq(a.hi, b.hi)};
    }
    static Bytes Equal(Bytes a, char c) { return Equal(a, Splat(c)); }
    // Signed: bytes above 0x7F are below every ASCII character.
    static Bytes Above(Bytes a, char c) {
        const v128_t b = wasm_i8x16_splat(c);
        return {wasm_i8x16_gt(a.lo, b), wasm_i8x16_gt(a.hi, b)};
    }
    static Bytes Below(Bytes a, char c) {
        const v128_t b = wasm_i8x16_splat(c);
        return {wasm_i8x16_lt(a.lo, b), wasm_i8x16_lt(a.hi, b)};
    }
    static Bytes And(Bytes a, Bytes b) {
        return {wasm_v128_and(a.lo, b.lo), wasm_v128_and(a.hi, b.hi)};
    }
    static Bytes Or(Bytes a, Bytes b) {
        return {wasm_v128_or(a.lo, b.lo), wasm_v128_or(a.hi, b.hi)};
    }

    // Each byte's entry in lo (by its low nibble) and in hi (by its high nibble), ANDed.
    static Bytes Lookup(Bytes bytes, Table lo, Table hi) {
        return {Lookup(bytes.lo, lo, hi), Lookup(bytes.hi, lo, hi)};
    }

  private:
    static v128_t Lookup(v128_t bytes, Table lo, Table hi) {
        const v128_t lo_bits = wasm_i8x16_swizzle(lo, wasm_v128_and(bytes, wasm_i8x16_splat(0x0F)));
        const v128_t hi_bits = wasm_i8x16_swizzle(hi, wasm_u8x16_shr(bytes, 4));
        return wasm_v128_and(lo_bits, hi_bits);
    }
    static Bytes Splat(char c) { return {wasm_i8x16_splat(c), wasm_i8x16_splat(c)}; }
};

#include "counters/kernels/vector_kernel.hpp"
using Kernel = VectorKernel<Primitives>;
#include "counters/kernels/scan_loops.hpp"

namespace {
// A module with SIMD instructions runs only where the engine validated them.
bool CpuRuns() {
    return true;
}
constexpr KernelTable kTable = Table("wasm_simd", &CpuRuns);
}  // namespace

}  // namespace korva::kernels::wasm_simd

const korva::kernels::KernelTable* korva::kernels::WasmSimdTable() {
    return &wasm_simd::kTable;
}

#else

const korva::kernels::KernelTable* korva::kernels::WasmSimdTable() {
    return nullptr;  // a module without SIMD, or not WebAssembly
}

#endif
