// The pieces the one-pass scans are made of, in two forms with one interface: AVX2 (32 positions
// per step, the prefilter's tables held in registers) and plain scalar code that gives the same
// answers on any CPU. The scans are templates over a kernel, so each loop is compiled once per
// form with every piece inlined into it (see KORVA_AVX2_LOOP); the AVX2 form runs only where the
// CPU has AVX2. Only the scans' own .cpp files include this.
#pragma once

#include <algorithm>
#include <array>
#include <cstdint>
#include <cstring>
#include <string_view>

#include "counters/build_check.hpp"
#include "counters/fingerprint_scan.hpp"
#include "counters/line_bounds.hpp"

#if defined(__x86_64__) && (defined(__GNUC__) || defined(__clang__))
#define KORVA_HAVE_AVX2_PATH 1
#include <immintrin.h>
// A function holding an AVX2 loop: everything it calls is inlined into it, so the kernel's AVX2
// pieces and the generic loop around them become one function compiled for AVX2.
#define KORVA_AVX2_LOOP __attribute__((target("avx2"), flatten))
#define KORVA_AVX2 __attribute__((target("avx2")))
#endif

namespace korva::kernels {

// What a scan learns of a line in the one pass that finds its end.
struct LineFacts {
    std::size_t end;  // position of the break ending the line, or the text's size
    LineMarks marks;  // positions relative to the line's begin
    bool ascii;       // no byte above 0x7F: every supported encoding reads the line the same
};

// Where a line ends, and whether it holds no byte above 0x7F: all the plunder scan needs of it.
struct LineEnd {
    std::size_t end;  // position of the break ending the line, or the text's size
    bool ascii;
};

// What the 32 bytes from a line's start hold, one bit per byte: enough to count a short line in
// place.
struct ShortLine {
    std::uint32_t breaks;  // CR or LF
    std::uint32_t high;    // above 0x7F
    std::uint32_t blank;   // 0x00 to 0x20 (where not high)
    std::uint32_t digits;  // '0' to '9'
};

// Bits 0 to n-1 of a 32-bit mask.
constexpr std::uint32_t LowBits(std::size_t n) {
    return n >= 32 ? ~0u : (1u << n) - 1;
}

// Each of a table's words (row.*word) in 32 zeroed bytes, so that a line is checked against one
// with a single 32-byte compare (SameBytesMask). A longer word fails the build here.
template <auto kWord, class Row, std::size_t kRows>
constexpr std::array<std::array<char, 32>, kRows> PaddedWords(const std::array<Row, kRows>& rows) {
    std::array<std::array<char, 32>, kRows> padded{};
    for (std::size_t r = 0; r < kRows; ++r) {
        const std::string_view word = rows[r].*kWord;
        if (word.size() > 32) FailBuild("a word longer than one load");
        std::copy(word.begin(), word.end(), padded[r].begin());
    }
    return padded;
}

struct ScalarKernel {
    // Whether SameBytesMask is cheap enough to check a name in one go.
    static constexpr bool kWideCompare = false;

    explicit ScalarKernel(const Fingerprints& prints) : prints(prints) {}

    FingerprintBlock Next(std::string_view text, std::size_t from) const {
        return NextFingerprintBlockScalar(text, from, prints);
    }

    // Next for prints whose first class is exactly CR and LF.
    FingerprintBlock NextAfterBreak(std::string_view text, std::size_t from) const {
        return Next(text, from);
    }

    static std::size_t LineBegin(std::string_view text, std::size_t position) {
        while (position > 0 && !IsLineBreak(text[position - 1])) --position;
        return position;
    }

    static LineFacts LineFrom(std::string_view text, std::size_t begin) {
        LineFacts facts{text.size(), {0, 0, false}, true};
        for (std::size_t i = begin; i < text.size(); ++i) {
            const char c = text[i];
            if (IsLineBreak(c)) {
                facts.end = i;
                break;
            }
            if (c == '(' && facts.marks.open == 0) facts.marks.open = i - begin + 1;
            if (c == ')' && facts.marks.close == 0) facts.marks.close = i - begin + 1;
            if (c == '\0') facts.marks.nul = true;
            if (static_cast<unsigned char>(c) >= 0x80) facts.ascii = false;
        }
        return facts;
    }

    static LineEnd LineEndFrom(std::string_view text, std::size_t begin) {
        bool ascii = true;
        for (std::size_t i = begin; i < text.size(); ++i) {
            if (IsLineBreak(text[i])) return {i, ascii};
            if (static_cast<unsigned char>(text[i]) >= 0x80) ascii = false;
        }
        return {text.size(), ascii};
    }

    // Bit j set where a[j] == b[j], for the 32 bytes from each.
    static std::uint32_t SameBytesMask(const char* a, const char* b) {
        std::uint32_t mask = 0;
        for (int j = 0; j < 32; ++j) mask |= static_cast<std::uint32_t>(a[j] == b[j]) << j;
        return mask;
    }

    const Fingerprints& prints;
};

#ifdef KORVA_HAVE_AVX2_PATH

struct Avx2Kernel {
    static constexpr bool kWideCompare = true;

    KORVA_AVX2 explicit Avx2Kernel(const Fingerprints& prints)
        : lo0(Table(prints.lo[0].data())),
          lo1(Table(prints.lo[1].data())),
          lo2(Table(prints.lo[2].data())),
          hi0(Table(prints.hi[0].data())),
          hi1(Table(prints.hi[1].data())),
          hi2(Table(prints.hi[2].data())) {}

    KORVA_AVX2 FingerprintBlock Next(std::string_view text, std::size_t from) const {
        const char* const p = text.data();
        std::size_t i = from;
        // 32 positions at a time while all three bytes of each are inside the text.
        for (; i + 34 <= text.size(); i += 32) {
            if (const std::uint32_t hits = HitsAt(p + i, ~0u)) return Block(p + i, i, hits);
        }
        // The last positions, from a copy with room to read past the end; a hit needs all three
        // of its bytes inside the text.
        if (i + 3 <= text.size()) {
            alignas(32) char tail[64] = {};
            std::memcpy(tail, p + i, text.size() - i);
            if (const std::uint32_t hits = HitsAt(tail, LowBits(text.size() - i - 2))) {
                return Block(tail, i, hits);
            }
        }
        return {text.size(), 0, 0};
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

    KORVA_AVX2 static FingerprintBlock Block(const char* p, std::size_t base, std::uint32_t hits) {
        return {base, hits, Breaks(Load(p))};
    }

    KORVA_AVX2 static LineEnd EndAt(__m256i bytes, std::uint32_t breaks, std::size_t at,
                                    std::uint32_t high) {
        const int n = __builtin_ctz(breaks);
        return {at + static_cast<std::size_t>(n),
                (high | (Mask(bytes) & LowBits(static_cast<std::size_t>(n)))) == 0};
    }

    // Folds the 32 bytes at position at into facts; true once the line's break is among them.
    KORVA_AVX2 static bool AddFacts(__m256i bytes, std::size_t at, std::size_t begin,
                                    LineFacts& facts, std::uint32_t& high) {
        const std::uint32_t breaks = Breaks(bytes);
        const std::uint32_t inside = breaks ? LowBits(__builtin_ctz(breaks)) : ~0u;
        const std::size_t offset = at - begin + 1;
        const std::uint32_t open = Matches(bytes, '(') & inside;
        const std::uint32_t close = Matches(bytes, ')') & inside;
        if (open && facts.marks.open == 0) facts.marks.open = offset + __builtin_ctz(open);
        if (close && facts.marks.close == 0) facts.marks.close = offset + __builtin_ctz(close);
        facts.marks.nul = facts.marks.nul || (Matches(bytes, '\0') & inside) != 0;
        high |= Mask(bytes) & inside;
        if (breaks == 0) return false;
        facts.end = at + __builtin_ctz(breaks);
        return true;
    }

    __m256i lo0, lo1, lo2, hi0, hi1, hi2;
};

#endif

// Where the line holding position block.base + j begins, from the block's breaks where they reach.
template <class Kernel>
std::size_t LineBeginOfHit(std::string_view text, const FingerprintBlock& block, int j) {
    if (const std::uint32_t before = block.breaks & LowBits(static_cast<std::size_t>(j))) {
        return block.base + static_cast<std::size_t>(32 - __builtin_clz(before));
    }
    return Kernel::LineBegin(text, block.base);
}

}  // namespace korva::kernels
