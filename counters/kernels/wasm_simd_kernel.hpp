// The WebAssembly SIMD kernel: the AVX2 kernel's steps of 32 positions, each done as two 16-byte
// halves with the 128-bit instructions every current browser has. The one file with WebAssembly
// SIMD instructions: built where the compiler targets WebAssembly with SIMD (-msimd128), in the
// page's module for browsers that have it; the page falls back to a module built without it.
#pragma once

#include "counters/kernels/scalar_kernel.hpp"

#if defined(__wasm_simd128__)
#define KORVA_HAVE_WASM_SIMD_PATH 1
#endif

#ifdef KORVA_HAVE_WASM_SIMD_PATH

#include <wasm_simd128.h>

#include <algorithm>
#include <cstdint>
#include <cstring>
#include <string_view>

namespace korva::kernels {

struct WasmSimdKernel {
    static constexpr std::string_view kName = "wasm_simd";
    static constexpr bool kWideCompare = true;

    // A module with SIMD instructions runs only where the engine validated them.
    static bool CpuRuns() { return true; }

    // The whole module is compiled for SIMD: nothing to switch on.
    template <class F, class... Args>
    static auto Run(F f, Args... args) {
        return f.template operator()<WasmSimdKernel>(args...);
    }

    explicit WasmSimdKernel(const Fingerprints& prints)
        : lo0(Table(prints.lo[0].data())),
          lo1(Table(prints.lo[1].data())),
          lo2(Table(prints.lo[2].data())),
          hi0(Table(prints.hi[0].data())),
          hi1(Table(prints.hi[1].data())),
          hi2(Table(prints.hi[2].data())) {}

    FingerprintBlock Next(std::string_view text, std::size_t from) const {
        const char* const p = text.data();
        std::size_t i = from;
        for (; i + 34 <= text.size(); i += 32) {
            if (const std::uint32_t hits = HitsAt(p + i, ~0u)) return Block(p + i, i, hits);
        }
        if (i + 3 <= text.size()) {
            alignas(16) char tail[64] = {};
            std::memcpy(tail, p + i, text.size() - i);
            if (const std::uint32_t hits = HitsAt(tail, LowBits(text.size() - i - 2))) {
                return Block(tail, i, hits);
            }
        }
        return {text.size(), 0, 0};
    }

    // Next for one call alone, as on a single line.
    static FingerprintBlock NextIn(std::string_view text, std::size_t from,
                                   const Fingerprints& prints) {
        return WasmSimdKernel(prints).Next(text, from);
    }

    FingerprintBlock NextAfterBreak(std::string_view text, std::size_t from) const {
        const char* const p = text.data();
        std::size_t i = from;
        for (; i + 34 <= text.size(); i += 32) {
            const std::uint32_t breaks = Breaks(Load(p + i));
            if (const std::uint32_t hits = breaks & LetterHitsAt(p + i)) return {i, hits, breaks};
        }
        if (i + 3 <= text.size()) {
            alignas(16) char tail[64] = {};
            std::memcpy(tail, p + i, text.size() - i);
            const std::uint32_t breaks = Breaks(Load(tail));
            if (const std::uint32_t hits =
                    breaks & LetterHitsAt(tail) & LowBits(text.size() - i - 2)) {
                return {i, hits, breaks};
            }
        }
        return {text.size(), 0, 0};
    }

    static std::size_t LineBegin(std::string_view text, std::size_t position) {
        for (; position >= 32; position -= 32) {
            if (const std::uint32_t breaks = Breaks(Load(text.data() + position - 32))) {
                return position - static_cast<std::size_t>(__builtin_clz(breaks));
            }
        }
        return ScalarKernel::LineBegin(text, position);
    }

    static LineFacts LineFrom(std::string_view text, std::size_t begin) {
        LineFacts facts{text.size(), {0, 0, false}, true};
        std::uint32_t high = 0;
        std::size_t at = begin;
        for (; at + 32 <= text.size(); at += 32) {
            if (AddFacts(Load(text.data() + at), at, begin, facts, high)) break;
        }
        if (at < text.size() && facts.end == text.size()) {
            alignas(16) char tail[32];
            std::memset(tail, '\n', sizeof tail);
            std::memcpy(tail, text.data() + at, text.size() - at);
            AddFacts(Load(tail), at, begin, facts, high);
            facts.end = std::min(facts.end, text.size());
        }
        facts.ascii = high == 0;
        return facts;
    }

    static LineEnd LineEndFrom(std::string_view text, std::size_t begin) {
        std::uint32_t high = 0;
        std::size_t at = begin;
        for (; at + 32 <= text.size(); at += 32) {
            const Bytes bytes = Load(text.data() + at);
            if (const std::uint32_t breaks = Breaks(bytes)) return EndAt(bytes, breaks, at, high);
            high |= Mask(bytes);
        }
        alignas(16) char tail[32];
        std::memset(tail, '\n', sizeof tail);
        if (at < text.size()) std::memcpy(tail, text.data() + at, text.size() - at);
        const Bytes bytes = Load(tail);
        return EndAt(bytes, Breaks(bytes), at, high);
    }

    static LineMarks MarksOf(std::string_view line) {
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

    static std::uint32_t SameBytesMask(const char* a, const char* b) {
        const Bytes x = Load(a);
        const Bytes y = Load(b);
        return Mask({wasm_i8x16_eq(x.lo, y.lo), wasm_i8x16_eq(x.hi, y.hi)});
    }

    static ShortLine ShortLineAt(const char* p) {
        const Bytes bytes = Load(p);
        // Signed compares: bytes above 0x7F are negative, neither digits nor (once high is
        // excluded) blanks.
        const auto digits = [](v128_t v) {
            return wasm_v128_and(wasm_i8x16_gt(v, wasm_i8x16_splat('0' - 1)),
                                 wasm_i8x16_lt(v, wasm_i8x16_splat('9' + 1)));
        };
        const auto blank = [](v128_t v) { return wasm_i8x16_lt(v, wasm_i8x16_splat(0x21)); };
        return {Breaks(bytes), Mask(bytes), Mask({blank(bytes.lo), blank(bytes.hi)}),
                Mask({digits(bytes.lo), digits(bytes.hi)})};
    }

  private:
    // 32 bytes as two halves.
    struct Bytes {
        v128_t lo;
        v128_t hi;
    };

    static Bytes Load(const char* p) { return {wasm_v128_load(p), wasm_v128_load(p + 16)}; }
    static v128_t Table(const std::uint8_t* t) { return wasm_v128_load(t); }
    // One bit per byte whose top bit is set, the low half first.
    static std::uint32_t Mask(Bytes v) {
        return static_cast<std::uint32_t>(wasm_i8x16_bitmask(v.lo)) |
               static_cast<std::uint32_t>(wasm_i8x16_bitmask(v.hi)) << 16;
    }
    static std::uint32_t Matches(Bytes bytes, char c) {
        const v128_t wanted = wasm_i8x16_splat(c);
        return Mask({wasm_i8x16_eq(bytes.lo, wanted), wasm_i8x16_eq(bytes.hi, wanted)});
    }
    static v128_t BreaksOf(v128_t v) {
        return wasm_v128_or(wasm_i8x16_eq(v, wasm_i8x16_splat('\r')),
                            wasm_i8x16_eq(v, wasm_i8x16_splat('\n')));
    }
    static std::uint32_t Breaks(Bytes bytes) {
        return Mask({BreaksOf(bytes.lo), BreaksOf(bytes.hi)});
    }

    static v128_t Lookup(v128_t bytes, v128_t lo, v128_t hi) {
        const v128_t lo_bits = wasm_i8x16_swizzle(lo, wasm_v128_and(bytes, wasm_i8x16_splat(0x0F)));
        const v128_t hi_bits = wasm_i8x16_swizzle(hi, wasm_u8x16_shr(bytes, 4));
        return wasm_v128_and(lo_bits, hi_bits);
    }

    // Buckets of the 16 positions from p.
    v128_t BucketsAt(const char* p) const {
        return wasm_v128_and(wasm_v128_and(Lookup(wasm_v128_load(p), lo0, hi0),
                                           Lookup(wasm_v128_load(p + 1), lo1, hi1)),
                             Lookup(wasm_v128_load(p + 2), lo2, hi2));
    }
    v128_t LetterBucketsAt(const char* p) const {
        return wasm_v128_and(Lookup(wasm_v128_load(p + 1), lo1, hi1),
                             Lookup(wasm_v128_load(p + 2), lo2, hi2));
    }
    static std::uint32_t NonZero(v128_t lo, v128_t hi) {
        const v128_t zero = wasm_i8x16_splat(0);
        return ~Mask({wasm_i8x16_eq(lo, zero), wasm_i8x16_eq(hi, zero)});
    }

    std::uint32_t HitsAt(const char* p, std::uint32_t valid) const {
        return NonZero(BucketsAt(p), BucketsAt(p + 16)) & valid;
    }

    // Positions whose second and third classes match, whatever the first.
    std::uint32_t LetterHitsAt(const char* p) const {
        return NonZero(LetterBucketsAt(p), LetterBucketsAt(p + 16));
    }

    static FingerprintBlock Block(const char* p, std::size_t base, std::uint32_t hits) {
        return {base, hits, Breaks(Load(p))};
    }

    static LineEnd EndAt(Bytes bytes, std::uint32_t breaks, std::size_t at, std::uint32_t high) {
        const int n = __builtin_ctz(breaks);
        return {at + static_cast<std::size_t>(n),
                (high | (Mask(bytes) & LowBits(static_cast<std::size_t>(n)))) == 0};
    }

    static void AddMarks(Bytes bytes, std::uint32_t inside, std::size_t offset, LineMarks& marks) {
        const std::uint32_t open = Matches(bytes, '(') & inside;
        const std::uint32_t close = Matches(bytes, ')') & inside;
        if (open && marks.open == 0) marks.open = offset + __builtin_ctz(open);
        if (close && marks.close == 0) marks.close = offset + __builtin_ctz(close);
        marks.nul = marks.nul || (Matches(bytes, '\0') & inside) != 0;
    }

    static bool AddFacts(Bytes bytes, std::size_t at, std::size_t begin, LineFacts& facts,
                         std::uint32_t& high) {
        const std::uint32_t breaks = Breaks(bytes);
        const std::uint32_t inside = breaks ? LowBits(__builtin_ctz(breaks)) : ~0u;
        AddMarks(bytes, inside, at - begin + 1, facts.marks);
        high |= Mask(bytes) & inside;
        if (breaks == 0) return false;
        facts.end = at + __builtin_ctz(breaks);
        return true;
    }

    v128_t lo0, lo1, lo2, hi0, hi1, hi2;
};

}  // namespace korva::kernels

#else

namespace korva::kernels {
using WasmSimdKernel = Absent;
}

#endif
