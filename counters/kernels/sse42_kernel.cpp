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

// One 16-byte register's operations.
struct Half {
    using V = __m128i;

    static V Load(const char* p) { return _mm_loadu_si128(reinterpret_cast<const __m128i*>(p)); }
    static std::uint32_t Mask(V v) { return static_cast<std::uint32_t>(_mm_movemask_epi8(v)); }
    static V Equal(V a, V b) { return _mm_cmpeq_epi8(a, b); }
    static V Greater(V a, V b) { return _mm_cmpgt_epi8(a, b); }
    static V And(V a, V b) { return _mm_and_si128(a, b); }
    static V Or(V a, V b) { return _mm_or_si128(a, b); }
    static V Splat(char c) { return _mm_set1_epi8(c); }
    static V Lookup(V bytes, V lo, V hi) {
        const V nibble = _mm_set1_epi8(0x0F);
        const V lo_bits = _mm_shuffle_epi8(lo, _mm_and_si128(bytes, nibble));
        const V hi_bits = _mm_shuffle_epi8(hi, _mm_and_si128(_mm_srli_epi16(bytes, 4), nibble));
        return _mm_and_si128(lo_bits, hi_bits);
    }
};

#include "counters/kernels/two_halves.hpp"
using Primitives = TwoHalves<Half>;

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
