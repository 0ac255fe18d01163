// The AVX2 kernel's primitives: the vector kernels' algorithm (vector_kernel.hpp) with 32 bytes
// in one register. The one file with AVX2 instructions: built wherever GCC or clang targets
// x86-64, compiled for AVX2 only inside Run (the rest of the program runs on any x86-64), and run
// only where the CPU has AVX2.
#pragma once

#include "counters/kernels/scalar_kernel.hpp"

#if defined(__x86_64__) && (defined(__GNUC__) || defined(__clang__))
#define KORVA_HAVE_AVX2_PATH 1

#include <immintrin.h>

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <cstring>
#include <string_view>

#include "counters/kernels/fingerprints.hpp"
#include "counters/kernels/line_facts.hpp"

#define KORVA_AVX2 __attribute__((target("avx2")))

// The vector kernels' algorithm compiled for AVX2 (each of its functions inside this region):
// its functions pass the 32-byte vectors among each other, which only AVX2 code may do.
#if defined(__clang__)
#pragma clang attribute push(__attribute__((target("avx2"))), apply_to = function)
#else
#pragma GCC push_options
#pragma GCC target("avx2")
#endif
#include "counters/kernels/vector_kernel.hpp"
#if defined(__clang__)
#pragma clang attribute pop
#else
#pragma GCC pop_options
#endif

#endif

namespace korva::kernels {

#ifdef KORVA_HAVE_AVX2_PATH

struct Avx2 {
    static constexpr bool kBuilt = true;
    static constexpr std::string_view kName = "avx2";
    using Bytes = __m256i;
    using Table = __m256i;  // the 16 entries in each 128-bit lane, as the lookup reads them

    // The CPU's instructions and whether the system saves the 256-bit registers.
    static bool CpuRuns() {
        __builtin_cpu_init();
        return __builtin_cpu_supports("avx2");
    }

    KORVA_AVX2 static Bytes Load(const char* p) {
        return _mm256_loadu_si256(reinterpret_cast<const __m256i*>(p));
    }
    KORVA_AVX2 static Table LoadTable(const std::uint8_t* t) {
        return _mm256_broadcastsi128_si256(_mm_loadu_si128(reinterpret_cast<const __m128i*>(t)));
    }
    // One bit per byte whose top bit is set.
    KORVA_AVX2 static std::uint32_t Mask(Bytes v) {
        return static_cast<std::uint32_t>(_mm256_movemask_epi8(v));
    }
    KORVA_AVX2 static Bytes Equal(Bytes a, Bytes b) { return _mm256_cmpeq_epi8(a, b); }
    KORVA_AVX2 static Bytes Equal(Bytes a, char c) { return Equal(a, _mm256_set1_epi8(c)); }
    // Signed: bytes above 0x7F are below every ASCII character.
    KORVA_AVX2 static Bytes Above(Bytes a, char c) {
        return _mm256_cmpgt_epi8(a, _mm256_set1_epi8(c));
    }
    KORVA_AVX2 static Bytes Below(Bytes a, char c) {
        return _mm256_cmpgt_epi8(_mm256_set1_epi8(c), a);
    }
    KORVA_AVX2 static Bytes And(Bytes a, Bytes b) { return _mm256_and_si256(a, b); }
    KORVA_AVX2 static Bytes Or(Bytes a, Bytes b) { return _mm256_or_si256(a, b); }

    // Each byte's entry in lo (by its low nibble) and in hi (by its high nibble), ANDed.
    KORVA_AVX2 static Bytes Lookup(Bytes bytes, Table lo, Table hi) {
        const __m256i nibble = _mm256_set1_epi8(0x0F);
        const __m256i lo_bits = _mm256_shuffle_epi8(lo, _mm256_and_si256(bytes, nibble));
        const __m256i hi_bits =
            _mm256_shuffle_epi8(hi, _mm256_and_si256(_mm256_srli_epi16(bytes, 4), nibble));
        return _mm256_and_si256(lo_bits, hi_bits);
    }
};

#else

struct Avx2 : NotBuilt {};  // not x86-64, or neither GCC nor clang

#endif

}  // namespace korva::kernels
