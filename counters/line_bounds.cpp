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

// Folds the bytes from position on into marks; done once the three are known.
void AddMarksScalar(std::string_view line, std::size_t position, LineMarks& marks) {
    for (; position < line.size(); ++position) {
        const char c = line[position];
        if (c == '(' && marks.open == 0) marks.open = position + 1;
        if (c == ')' && marks.close == 0) marks.close = position + 1;
        if (c == '\0') marks.nul = true;
    }
}

#ifdef KORVA_HAVE_AVX2_PATH

__attribute__((target("avx2"))) inline std::uint32_t Matches(__m256i bytes, char c) {
    return static_cast<std::uint32_t>(
        _mm256_movemask_epi8(_mm256_cmpeq_epi8(bytes, _mm256_set1_epi8(c))));
}

__attribute__((target("avx2"))) inline void AddMarks(const char* p, std::size_t position,
                                                     LineMarks& marks) {
    const __m256i bytes = _mm256_loadu_si256(reinterpret_cast<const __m256i*>(p + position));
    const std::uint32_t open = Matches(bytes, '(');
    const std::uint32_t close = Matches(bytes, ')');
    if (open && marks.open == 0) marks.open = position + __builtin_ctz(open) + 1;
    if (close && marks.close == 0) marks.close = position + __builtin_ctz(close) + 1;
    marks.nul = marks.nul || Matches(bytes, '\0') != 0;
}

__attribute__((target("avx2"))) LineMarks MarksOfAvx2(std::string_view line) {
    LineMarks marks{0, 0, false};
    if (line.size() < 32) {
        AddMarksScalar(line, 0, marks);
        return marks;
    }
    std::size_t position = 0;
    for (; position + 32 <= line.size(); position += 32) AddMarks(line.data(), position, marks);
    // The last 32 bytes again, overlapping: a mark still unset lies beyond what was read.
    if (position < line.size()) AddMarks(line.data(), line.size() - 32, marks);
    return marks;
}

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

LineMarks MarksOf(std::string_view line) {
    if (VectorPathAvailable()) return MarksOfAvx2(line);
    LineMarks marks{0, 0, false};
    AddMarksScalar(line, 0, marks);
    return marks;
}

std::size_t LineBegin(std::string_view text, std::size_t position) {
    return VectorPathAvailable() ? LineBeginAvx2(text, position) : LineBeginScalar(text, position);
}

std::size_t LineEnd(std::string_view text, std::size_t position) {
    return VectorPathAvailable() ? LineEndAvx2(text, position) : LineEndScalar(text, position);
}

#else

LineMarks MarksOf(std::string_view line) {
    LineMarks marks{0, 0, false};
    AddMarksScalar(line, 0, marks);
    return marks;
}

std::size_t LineBegin(std::string_view text, std::size_t position) {
    return LineBeginScalar(text, position);
}

std::size_t LineEnd(std::string_view text, std::size_t position) {
    return LineEndScalar(text, position);
}

#endif

}  // namespace korva
