// The SSE4.2 kernel, for x86-64 PCs without AVX2: the generic algorithm (vector_kernel.hpp,
// scan_loops.hpp) with 32 bytes as two 16-byte halves, compiled here for SSE4.2 and POPCNT (the
// x86-64-v2 level), inside a namespace of its own. The PCs still in use without AVX2 (Core i of
// 2008-2012, Pentium and Celeron to 2020, the Atom-born Celeron N and J, AMD's FX and Jaguar)
// all have that level, and Windows 11 asks for it; only the Core 2 would add SSSE3 alone. The
// algorithm needs SSSE3's byte shuffle for the prefilter and counts line breaks with POPCNT.
#include "counters/kernels/kernel_prelude.hpp"

#if defined(__x86_64__) && (defined(__GNUC__) || defined(__clang__))
#include <immintrin.h>

#if defined(__clang__)
#pragma clang attribute push(__attribute__((target("sse4.2,popcnt"))), apply_to = function)
#else
#pragma GCC push_options
#pragma GCC target("sse4.2,popcnt")
#endif

namespace korva::kernels::sse42 {

struct Primitives {
    // 32 bytes as two halves, the low one first.
    struct Bytes {
        __m128i lo;
        __m128i hi;
    };
    using Table = __m128i;

    static Bytes Load(const char* p) {
        return {_mm_loadu_si128(reinterpret_cast<const __m128i*>(p)),
                _mm_loadu_si128(reinterpret_cast<const __m128i*>(p + 16))};
    }
    static Table LoadTable(const std::uint8_t* t) {
        return _mm_loadu_si128(reinterpret_cast<const __m128i*>(t));
    }
    // One bit per byte whose top bit is set, the low half first.
    static std::uint32_t Mask(Bytes v) {
        return static_cast<std::uint32_t>(_mm_movemask_epi8(v.lo)) |
               static_cast<std::uint32_t>(_mm_movemask_epi8(v.hi)) << 16;
    }
    static Bytes Equal(Bytes a, Bytes b) {
        return {_mm_cmpeq_epi8(a.lo, b.lo), _mm_cmpeq_epi8(a.hi, b.hi)};
    }
    static Bytes Equal(Bytes a, char c) {
        const __m128i b = _mm_set1_epi8(c);
        return {_mm_cmpeq_epi8(a.lo, b), _mm_cmpeq_epi8(a.hi, b)};
    }
    // Signed: bytes above 0x7F are below every ASCII character.
    static Bytes Above(Bytes a, char c) {
        const __m128i b = _mm_set1_epi8(c);
        return {_mm_cmpgt_epi8(a.lo, b), _mm_cmpgt_epi8(a.hi, b)};
    }
    static Bytes Below(Bytes a, char c) {
        const __m128i b = _mm_set1_epi8(c);
        return {_mm_cmpgt_epi8(b, a.lo), _mm_cmpgt_epi8(b, a.hi)};
    }
    static Bytes And(Bytes a, Bytes b) {
        return {_mm_and_si128(a.lo, b.lo), _mm_and_si128(a.hi, b.hi)};
    }
    static Bytes Or(Bytes a, Bytes b) {
        return {_mm_or_si128(a.lo, b.lo), _mm_or_si128(a.hi, b.hi)};
    }

    // Each byte's entry in lo (by its low nibble) and in hi (by its high nibble), ANDed.
    static Bytes Lookup(Bytes bytes, Table lo, Table hi) {
        return {Lookup(bytes.lo, lo, hi), Lookup(bytes.hi, lo, hi)};
    }
    static __m128i Lookup(__m128i bytes, Table lo, Table hi) {
        const __m128i nibble = _mm_set1_epi8(0x0F);
        const __m128i lo_bits = _mm_shuffle_epi8(lo, _mm_and_si128(bytes, nibble));
        const __m128i hi_bits =
            _mm_shuffle_epi8(hi, _mm_and_si128(_mm_srli_epi16(bytes, 4), nibble));
        return _mm_and_si128(lo_bits, hi_bits);
    }
};

#include "counters/kernels/vector_kernel.hpp"
using Kernel = VectorKernel<Primitives>;
#include "counters/kernels/scan_loops.hpp"

}  // namespace korva::kernels::sse42

#if defined(__clang__)
#pragma clang attribute pop
#else
#pragma GCC pop_options
#endif

namespace korva::kernels {

namespace {
bool CpuRunsSse42() {
    __builtin_cpu_init();
    return __builtin_cpu_supports("sse4.2") && __builtin_cpu_supports("popcnt");
}
constexpr KernelTable kSse42 = sse42::Table("sse42", &CpuRunsSse42);
}  // namespace

const KernelTable* Sse42Table() {
    return &kSse42;
}

}  // namespace korva::kernels

#else

const korva::kernels::KernelTable* korva::kernels::Sse42Table() {
    return nullptr;  // not x86-64, or neither GCC nor clang
}

#endif
