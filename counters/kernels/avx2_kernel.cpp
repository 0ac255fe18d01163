// The AVX2 kernel: the generic algorithm (vector_kernel.hpp, scan_loops.hpp) with 32 bytes in one
// register, compiled here for AVX2 and POPCNT, inside a namespace of its own, and run only where
// the CPU has both; the rest of the program runs on any x86-64. Built wherever GCC or clang
// targets x86-64.
#include "counters/kernels/kernel_prelude.hpp"

#if defined(__x86_64__) && (defined(__GNUC__) || defined(__clang__))
#include <immintrin.h>

#if defined(__clang__)
#pragma clang attribute push(__attribute__((target("avx2,popcnt"))), apply_to = function)
#else
#pragma GCC push_options
#pragma GCC target("avx2,popcnt")
#endif

namespace korva::kernels::avx2 {

struct Primitives {
    using Bytes = __m256i;
    using Table = __m256i;  // the 16 entries in each 128-bit lane, as the lookup reads them

    static Bytes Load(const char* p) {
        return _mm256_loadu_si256(reinterpret_cast<const __m256i*>(p));
    }
    static Table LoadTable(const std::uint8_t* t) {
        return _mm256_broadcastsi128_si256(_mm_loadu_si128(reinterpret_cast<const __m128i*>(t)));
    }
    // One bit per byte whose top bit is set.
    static std::uint32_t Mask(Bytes v) {
        return static_cast<std::uint32_t>(_mm256_movemask_epi8(v));
    }
    static Bytes Equal(Bytes a, Bytes b) { return _mm256_cmpeq_epi8(a, b); }
    static Bytes Equal(Bytes a, char c) { return Equal(a, _mm256_set1_epi8(c)); }
    // Signed: bytes above 0x7F are below every ASCII character.
    static Bytes Above(Bytes a, char c) { return _mm256_cmpgt_epi8(a, _mm256_set1_epi8(c)); }
    static Bytes Below(Bytes a, char c) { return _mm256_cmpgt_epi8(_mm256_set1_epi8(c), a); }
    static Bytes And(Bytes a, Bytes b) { return _mm256_and_si256(a, b); }
    static Bytes Or(Bytes a, Bytes b) { return _mm256_or_si256(a, b); }

    // Each byte's entry in lo (by its low nibble) and in hi (by its high nibble), ANDed.
    static Bytes Lookup(Bytes bytes, Table lo, Table hi) {
        const __m256i nibble = _mm256_set1_epi8(0x0F);
        const __m256i lo_bits = _mm256_shuffle_epi8(lo, _mm256_and_si256(bytes, nibble));
        const __m256i hi_bits =
            _mm256_shuffle_epi8(hi, _mm256_and_si256(_mm256_srli_epi16(bytes, 4), nibble));
        return _mm256_and_si256(lo_bits, hi_bits);
    }
};

#include "counters/kernels/vector_kernel.hpp"
using Kernel = VectorKernel<Primitives>;
#include "counters/kernels/scan_loops.hpp"

}  // namespace korva::kernels::avx2

#if defined(__clang__)
#pragma clang attribute pop
#else
#pragma GCC pop_options
#endif

namespace korva::kernels {

namespace {
// The instructions, and a system that saves the 256-bit registers (which the check includes).
bool CpuRunsAvx2() {
    __builtin_cpu_init();
    return __builtin_cpu_supports("avx2") && __builtin_cpu_supports("popcnt");
}
constexpr KernelTable kAvx2 = avx2::Table("avx2", &CpuRunsAvx2);
}  // namespace

const KernelTable* Avx2Table() {
    return &kAvx2;
}

}  // namespace korva::kernels

#else

const korva::kernels::KernelTable* korva::kernels::Avx2Table() {
    return nullptr;  // not x86-64, or neither GCC nor clang
}

#endif
