// The WebAssembly SIMD kernel's primitives: the vector kernels' algorithm (vector_kernel.hpp) with
// 32 bytes as two 16-byte halves, in the 128-bit instructions every current browser has. The one
// file with WebAssembly SIMD instructions: built where the compiler targets WebAssembly with SIMD
// (-msimd128), in the page's module for browsers that have it; the page falls back to a module
// built without it.
#pragma once

#include "counters/kernels/scalar_kernel.hpp"

#if defined(__wasm_simd128__)
#include <wasm_simd128.h>

#include <cstdint>
#include <string_view>

// The whole module is compiled for SIMD: no region of its own for the algorithm.
#include "counters/kernels/vector_kernel.hpp"
#endif

namespace korva::kernels {

#if defined(__wasm_simd128__)

struct WasmSimd {
    static constexpr bool kBuilt = true;
    static constexpr std::string_view kName = "wasm_simd";
    // 32 bytes as two halves, the low one first.
    struct Bytes {
        v128_t lo;
        v128_t hi;
    };
    using Table = v128_t;

    // A module with SIMD instructions runs only where the engine validated them.
    static bool CpuRuns() { return true; }

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

#else

struct WasmSimd : NotBuilt {};  // a module without SIMD, or not WebAssembly

#endif

}  // namespace korva::kernels
