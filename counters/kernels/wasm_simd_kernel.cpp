// The WebAssembly SIMD kernel: the generic algorithm (vector_kernel.hpp, scan_loops.hpp) with
// 32 bytes as two 16-byte halves, in the 128-bit instructions every current browser has. Built
// where the compiler targets WebAssembly with SIMD (-msimd128), in the page's module for browsers
// that have it; the page falls back to a module built without it. The whole module is compiled
// for SIMD, so this file needs no target of its own.
#include "counters/kernels/kernel_prelude.hpp"

#if defined(__wasm_simd128__)
#include <wasm_simd128.h>

namespace korva::kernels::wasm_simd {

// One 16-byte register's operations.
struct Half {
    using V = v128_t;

    static V Load(const char* p) { return wasm_v128_load(p); }
    static std::uint32_t Mask(V v) { return static_cast<std::uint32_t>(wasm_i8x16_bitmask(v)); }
    static V Equal(V a, V b) { return wasm_i8x16_eq(a, b); }
    static V Greater(V a, V b) { return wasm_i8x16_gt(a, b); }
    static V And(V a, V b) { return wasm_v128_and(a, b); }
    static V Or(V a, V b) { return wasm_v128_or(a, b); }
    static V Splat(char c) { return wasm_i8x16_splat(c); }
    static V Lookup(V bytes, V lo, V hi) {
        const V lo_bits = wasm_i8x16_swizzle(lo, wasm_v128_and(bytes, wasm_i8x16_splat(0x0F)));
        const V hi_bits = wasm_i8x16_swizzle(hi, wasm_u8x16_shr(bytes, 4));
        return wasm_v128_and(lo_bits, hi_bits);
    }
};

#include "counters/kernels/two_halves.hpp"
using Primitives = TwoHalves<Half>;

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
