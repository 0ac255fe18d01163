#include "counters/line_bounds.hpp"

#if defined(__x86_64__) && (defined(__GNUC__) || defined(__clang__))
#define KORVA_HAVE_AVX2_PATH 1
#include <immintrin.h>
#endif

namespace korva {

namespace {

std::size_t LineBeginScalar(std::string_view text, std::size_t position) {
    while (position > 0 && !IsLineBreak(text[position - 1])) --position;
    return position;
}

std::size_t LineEndScalar(std::string_view text, std::size_t position) {
    while (position < text.size() && !IsLineBreak(text[position])) ++position;
    return position;
}

#ifdef KORVA_HAVE_AVX2_PATH

__attribute__((target("avx2"))) inline std::uint32_t BreaksAt(const char* p) {
    const __m256i bytes = _mm256_loadu_si256(reinterpret_cast<const __m256i*>(p));
    return static_cast<std::uint32_t>(
        _mm256_movemask_epi8(_mm256_or_si256(_mm256_cmpeq_epi8(bytes, _mm256_set1_epi8('\r')),
                                             _mm256_cmpeq_epi8(bytes, _mm256_set1_epi8('\n')))));
}

// 32 bytes at a time: lines run to 100 bytes and more, and a search for their ends runs for
// every line that counts.
__attribute__((target("avx2"))) std::size_t LineBeginAvx2(std::string_view text,
                                                          std::size_t position) {
    while (position >= 32) {
        if (const std::uint32_t breaks = BreaksAt(text.data() + position - 32)) {
            return position - static_cast<std::size_t>(__builtin_clz(breaks));
        }
        position -= 32;
    }
    return LineBeginScalar(text, position);
}

__attribute__((target("avx2"))) std::size_t LineEndAvx2(std::string_view text,
                                                        std::size_t position) {
    while (position + 32 <= text.size()) {
        if (const std::uint32_t breaks = BreaksAt(text.data() + position)) {
            return position + static_cast<std::size_t>(__builtin_ctz(breaks));
        }
        position += 32;
    }
    return LineEndScalar(text, position);
}

#endif

}  // namespace

#ifdef KORVA_HAVE_AVX2_PATH

std::size_t LineBegin(std::string_view text, std::size_t position) {
    return VectorPathAvailable() ? LineBeginAvx2(text, position) : LineBeginScalar(text, position);
}

std::size_t LineEnd(std::string_view text, std::size_t position) {
    return VectorPathAvailable() ? LineEndAvx2(text, position) : LineEndScalar(text, position);
}

#else

std::size_t LineBegin(std::string_view text, std::size_t position) {
    return LineBeginScalar(text, position);
}

std::size_t LineEnd(std::string_view text, std::size_t position) {
    return LineEndScalar(text, position);
}

#endif

}  // namespace korva
