// The AVX2 kernel: 32 positions per step, the prefilter's tables held in registers. The one file
// with AVX2 instructions: built wherever GCC or clang targets x86-64, each function compiled for
// AVX2 alone (the rest of the program runs on any x86-64), and run only where the CPU has AVX2.
#pragma once

#include "counters/kernels/scalar_kernel.hpp"

#if defined(__x86_64__) && (defined(__GNUC__) || defined(__clang__))
#define KORVA_HAVE_AVX2_PATH 1
#endif

#ifdef KORVA_HAVE_AVX2_PATH

#include <immintrin.h>

#include <algorithm>
#include <cstdint>
#include <cstring>
#include <string_view>

#define KORVA_AVX2 __attribute__((target("avx2")))

namespace korva::kernels {

struct Avx2Kernel {
    static constexpr std::string_view kName = "avx2";
    static constexpr bool kWideCompare = true;

    // The CPU's instructions and whether the system saves the 256-bit registers.
    static bool CpuRuns() {
        __builtin_cpu_init();
        return __builtin_cpu_supports("avx2");
    }

    // Calls f.operator()<Avx2Kernel>(args...) as one function compiled for AVX2, every call in it
    // inlined: the generic loop and the kernel's pieces become one.
    template <class F, class... Args>
    __attribute__((target("avx2"), flatten)) static auto Run(F f, Args... args) {
        return f.template operator()<Avx2Kernel>(args...);
    }

    KORVA_AVX2 explicit Avx2Kernel(const Fingerprints& prints)
        : lo0(Table(prints.lo[0].data())),
          lo1(Table(prints.lo[1].data())),
          lo2(Table(prints.lo[2].data())),
          hi0(Table(prints.hi[0].data())),
          hi1(Table(prints.hi[1].data())),
          hi2(Table(prints.hi[2].data())) {}

    KORVA_AVX2 FingerprintBlock Next(std::string_view text, std::size_t from) const {
        return NextWith(*this, text, from);
    }

    // Next for one call alone, as on a single line: each table is read from prints where a step
    // needs it. Read first, as the kernel's own are, they would be saved over the copy of the
    // tail and read back, all for a text that is mostly shorter than one step.
    KORVA_AVX2 static FingerprintBlock NextIn(std::string_view text, std::size_t from,
                                              const Fingerprints& prints) {
        return NextWith(TablesIn{prints}, text, from);
    }

    // Next for prints whose first class is exactly CR and LF: that class is two compares instead
    // of two table lookups, and the breaks are at hand for the block.
    KORVA_AVX2 FingerprintBlock NextAfterBreak(std::string_view text, std::size_t from) const {
        const char* const p = text.data();
        std::size_t i = from;
        for (; i + 34 <= text.size(); i += 32) {
            const std::uint32_t breaks = Breaks(Load(p + i));
            if (const std::uint32_t hits = breaks & LetterHitsAt(p + i)) return {i, hits, breaks};
        }
        if (i + 3 <= text.size()) {
            alignas(32) char tail[64] = {};
            std::memcpy(tail, p + i, text.size() - i);
            const std::uint32_t breaks = Breaks(Load(tail));
            if (const std::uint32_t hits =
                    breaks & LetterHitsAt(tail) & LowBits(text.size() - i - 2)) {
                return {i, hits, breaks};
            }
        }
        return {text.size(), 0, 0};
    }

    KORVA_AVX2 static std::size_t LineBegin(std::string_view text, std::size_t position) {
        for (; position >= 32; position -= 32) {
            if (const std::uint32_t breaks = Breaks(Load(text.data() + position - 32))) {
                return position - static_cast<std::size_t>(__builtin_clz(breaks));
            }
        }
        return ScalarKernel::LineBegin(text, position);
    }

    KORVA_AVX2 static LineFacts LineFrom(std::string_view text, std::size_t begin) {
        LineFacts facts{text.size(), {0, 0, false}, true};
        std::uint32_t high = 0;
        std::size_t at = begin;
        for (; at + 32 <= text.size(); at += 32) {
            if (AddFacts(Load(text.data() + at), at, begin, facts, high)) break;
        }
        if (at < text.size() && facts.end == text.size()) {
            // The last bytes, from a copy whose padding is a line break.
            alignas(32) char tail[32];
            std::memset(tail, '\n', sizeof tail);
            std::memcpy(tail, text.data() + at, text.size() - at);
            AddFacts(Load(tail), at, begin, facts, high);
            facts.end = std::min(facts.end, text.size());
        }
        facts.ascii = high == 0;
        return facts;
    }

    // Only the end and the high bytes: a plunder line is short, and mostly done in one step.
    KORVA_AVX2 static LineEnd LineEndFrom(std::string_view text, std::size_t begin) {
        std::uint32_t high = 0;
        std::size_t at = begin;
        for (; at + 32 <= text.size(); at += 32) {
            const __m256i bytes = Load(text.data() + at);
            if (const std::uint32_t breaks = Breaks(bytes)) return EndAt(bytes, breaks, at, high);
            high |= Mask(bytes);
        }
        // The last bytes, from a copy whose padding is a line break.
        alignas(32) char tail[32];
        std::memset(tail, '\n', sizeof tail);
        if (at < text.size()) std::memcpy(tail, text.data() + at, text.size() - at);
        const __m256i bytes = Load(tail);
        return EndAt(bytes, Breaks(bytes), at, high);
    }

    // The marks of the whole of line, line breaks or not: 32 bytes at a time, the last 32 again,
    // overlapping (a mark still unset lies beyond what was read).
    KORVA_AVX2 static LineMarks MarksOf(std::string_view line) {
        if (line.size() < 32) return ScalarKernel::MarksOf(line);
        LineMarks marks{0, 0, false};
        std::size_t at = 0;
        for (; at + 32 <= line.size(); at += 32) {
            AddMarks(Load(line.data() + at), ~0u, at + 1, marks);
        }
        if (at < line.size()) {
            AddMarks(Load(line.data() + line.size() - 32), ~0u, line.size() - 31, marks);
        }
        return marks;
    }

    KORVA_AVX2 static std::uint32_t SameBytesMask(const char* a, const char* b) {
        return Mask(_mm256_cmpeq_epi8(Load(a), Load(b)));
    }

    KORVA_AVX2 static ShortLine ShortLineAt(const char* p) {
        const __m256i bytes = Load(p);
        // Signed compares: bytes above 0x7F are negative, neither digits nor (once high is
        // excluded) blanks.
        const __m256i digits =
            _mm256_and_si256(_mm256_cmpgt_epi8(bytes, _mm256_set1_epi8('0' - 1)),
                             _mm256_cmpgt_epi8(_mm256_set1_epi8('9' + 1), bytes));
        return {Breaks(bytes), Mask(bytes), Mask(_mm256_cmpgt_epi8(_mm256_set1_epi8(0x21), bytes)),
                Mask(digits)};
    }

  private:
    KORVA_AVX2 static __m256i Load(const char* p) {
        return _mm256_loadu_si256(reinterpret_cast<const __m256i*>(p));
    }
    KORVA_AVX2 static __m256i Table(const std::uint8_t* t) {
        return _mm256_broadcastsi128_si256(_mm_loadu_si128(reinterpret_cast<const __m128i*>(t)));
    }
    KORVA_AVX2 static std::uint32_t Mask(__m256i v) {
        return static_cast<std::uint32_t>(_mm256_movemask_epi8(v));
    }
    KORVA_AVX2 static std::uint32_t Matches(__m256i bytes, char c) {
        return Mask(_mm256_cmpeq_epi8(bytes, _mm256_set1_epi8(c)));
    }
    KORVA_AVX2 static std::uint32_t Breaks(__m256i bytes) {
        return Mask(_mm256_or_si256(_mm256_cmpeq_epi8(bytes, _mm256_set1_epi8('\r')),
                                    _mm256_cmpeq_epi8(bytes, _mm256_set1_epi8('\n'))));
    }

    KORVA_AVX2 static __m256i Lookup(__m256i bytes, __m256i lo, __m256i hi) {
        const __m256i nibble = _mm256_set1_epi8(0x0F);
        const __m256i lo_bits = _mm256_shuffle_epi8(lo, _mm256_and_si256(bytes, nibble));
        const __m256i hi_bits =
            _mm256_shuffle_epi8(hi, _mm256_and_si256(_mm256_srli_epi16(bytes, 4), nibble));
        return _mm256_and_si256(lo_bits, hi_bits);
    }

    KORVA_AVX2 std::uint32_t HitsAt(const char* p, std::uint32_t valid) const {
        const __m256i buckets = _mm256_and_si256(
            _mm256_and_si256(Lookup(Load(p), lo0, hi0), Lookup(Load(p + 1), lo1, hi1)),
            Lookup(Load(p + 2), lo2, hi2));
        return ~Mask(_mm256_cmpeq_epi8(buckets, _mm256_setzero_si256())) & valid;
    }

    // Positions whose second and third classes match, whatever the first.
    KORVA_AVX2 std::uint32_t LetterHitsAt(const char* p) const {
        const __m256i buckets =
            _mm256_and_si256(Lookup(Load(p + 1), lo1, hi1), Lookup(Load(p + 2), lo2, hi2));
        return ~Mask(_mm256_cmpeq_epi8(buckets, _mm256_setzero_si256()));
    }

    // The tables of prints, read at each use: the compiler keeps them over a loop.
    struct TablesIn {
        KORVA_AVX2 std::uint32_t HitsAt(const char* p, std::uint32_t valid) const {
            return Avx2Kernel(prints).HitsAt(p, valid);
        }
        const Fingerprints& prints;
    };

    template <class Tables>
    KORVA_AVX2 static FingerprintBlock NextWith(const Tables& tables, std::string_view text,
                                                std::size_t from) {
        const char* const p = text.data();
        std::size_t i = from;
        // 32 positions at a time while all three bytes of each are inside the text.
        for (; i + 34 <= text.size(); i += 32) {
            if (const std::uint32_t hits = tables.HitsAt(p + i, ~0u)) return Block(p + i, i, hits);
        }
        // The last positions, from a copy with room to read past the end; a hit needs all three
        // of its bytes inside the text.
        if (i + 3 <= text.size()) {
            alignas(32) char tail[64] = {};
            std::memcpy(tail, p + i, text.size() - i);
            // Fewer than 32 positions: the loop leaves at most 33 bytes.
            const std::uint32_t valid = (1u << (text.size() - i - 2)) - 1;
            if (const std::uint32_t hits = tables.HitsAt(tail, valid)) {
                return Block(tail, i, hits);
            }
        }
        return {text.size(), 0, 0};
    }

    KORVA_AVX2 static FingerprintBlock Block(const char* p, std::size_t base, std::uint32_t hits) {
        return {base, hits, Breaks(Load(p))};
    }

    KORVA_AVX2 static LineEnd EndAt(__m256i bytes, std::uint32_t breaks, std::size_t at,
                                    std::uint32_t high) {
        const int n = __builtin_ctz(breaks);
        return {at + static_cast<std::size_t>(n),
                (high | (Mask(bytes) & LowBits(static_cast<std::size_t>(n)))) == 0};
    }

    // Folds the bytes of inside, of the 32 from 1-based position offset, into marks.
    KORVA_AVX2 static void AddMarks(__m256i bytes, std::uint32_t inside, std::size_t offset,
                                    LineMarks& marks) {
        const std::uint32_t open = Matches(bytes, '(') & inside;
        const std::uint32_t close = Matches(bytes, ')') & inside;
        if (open && marks.open == 0) marks.open = offset + __builtin_ctz(open);
        if (close && marks.close == 0) marks.close = offset + __builtin_ctz(close);
        marks.nul = marks.nul || (Matches(bytes, '\0') & inside) != 0;
    }

    // Folds the 32 bytes at position at into facts; true once the line's break is among them.
    KORVA_AVX2 static bool AddFacts(__m256i bytes, std::size_t at, std::size_t begin,
                                    LineFacts& facts, std::uint32_t& high) {
        const std::uint32_t breaks = Breaks(bytes);
        const std::uint32_t inside = breaks ? LowBits(__builtin_ctz(breaks)) : ~0u;
        AddMarks(bytes, inside, at - begin + 1, facts.marks);
        high |= Mask(bytes) & inside;
        if (breaks == 0) return false;
        facts.end = at + __builtin_ctz(breaks);
        return true;
    }

    __m256i lo0, lo1, lo2, hi0, hi1, hi2;
};

}  // namespace korva::kernels

#else

namespace korva::kernels {
using Avx2Kernel = Absent;
}

#endif
