// The vector kernels' one algorithm: 32 positions per step, the prefilter's tables held in
// registers, over the few things each instruction set does its own way, its primitives V: a
// 32-byte Bytes (one AVX2 register, two 16-byte halves for SSE4.2 and WebAssembly), Load, the
// compares, Mask (a bit per byte's top bit) and the table Lookup.
//
// Nothing here names an instruction, and nothing here is compiled on its own: each vector
// kernel's file (avx2_kernel.cpp, sse42_kernel.cpp, wasm_simd_kernel.cpp) includes it inside its
// own namespace and its own target, after kernel_prelude.hpp, so that each gets its own copy
// compiled for its own instructions and none leaks into another.

template <class V>
struct VectorKernel {
    using Bytes = typename V::Bytes;
    using Table = typename V::Table;

    static constexpr bool kWideCompare = true;

    explicit VectorKernel(const Fingerprints& prints)
        : lo0(V::LoadTable(prints.lo[0].data())),
          lo1(V::LoadTable(prints.lo[1].data())),
          lo2(V::LoadTable(prints.lo[2].data())),
          hi0(V::LoadTable(prints.hi[0].data())),
          hi1(V::LoadTable(prints.hi[1].data())),
          hi2(V::LoadTable(prints.hi[2].data())) {}

    FingerprintBlock Next(std::string_view text, std::size_t from) const {
        return NextWith(*this, text, from);
    }

    // Next for one call alone, as on a single line: each table is read from prints where a step
    // needs it. Read first, as the kernel's own are, they would be saved over the copy of the
    // tail and read back, all for a text that is mostly shorter than one step.
    static FingerprintBlock NextIn(std::string_view text, std::size_t from,
                                   const Fingerprints& prints) {
        return NextWith(TablesIn{prints}, text, from);
    }

    // Next for prints whose first class is exactly CR and LF: that class is two compares instead
    // of two table lookups, and the breaks are at hand for the block.
    FingerprintBlock NextAfterBreak(std::string_view text, std::size_t from) const {
        const char* const p = text.data();
        std::size_t i = from;
        for (; i + 34 <= text.size(); i += 32) {
            const std::uint32_t breaks = Breaks(V::Load(p + i));
            if (const std::uint32_t hits = breaks & LetterHitsAt(p + i)) return {i, hits, breaks};
        }
        if (i + 3 <= text.size()) {
            alignas(32) char tail[64] = {};
            std::memcpy(tail, p + i, text.size() - i);
            const std::uint32_t breaks = Breaks(V::Load(tail));
            if (const std::uint32_t hits =
                    breaks & LetterHitsAt(tail) & LowBits(text.size() - i - 2)) {
                return {i, hits, breaks};
            }
        }
        return {text.size(), 0, 0};
    }

    static std::size_t LineBegin(std::string_view text, std::size_t position) {
        for (; position >= 32; position -= 32) {
            if (const std::uint32_t breaks = Breaks(V::Load(text.data() + position - 32))) {
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
            if (AddFacts(V::Load(text.data() + at), at, begin, facts, high)) break;
        }
        if (at < text.size() && facts.end == text.size()) {
            // The last bytes, from a copy whose padding is a line break.
            alignas(32) char tail[32];
            std::memset(tail, '\n', sizeof tail);
            std::memcpy(tail, text.data() + at, text.size() - at);
            AddFacts(V::Load(tail), at, begin, facts, high);
            facts.end = std::min(facts.end, text.size());
        }
        facts.ascii = high == 0;
        return facts;
    }

    // Only the end and the high bytes: a plunder line is short, and mostly done in one step.
    static LineEnd LineEndFrom(std::string_view text, std::size_t begin) {
        std::uint32_t high = 0;
        std::size_t at = begin;
        for (; at + 32 <= text.size(); at += 32) {
            const Bytes bytes = V::Load(text.data() + at);
            if (const std::uint32_t breaks = Breaks(bytes)) return EndAt(bytes, breaks, at, high);
            high |= V::Mask(bytes);
        }
        // The last bytes, from a copy whose padding is a line break.
        alignas(32) char tail[32];
        std::memset(tail, '\n', sizeof tail);
        if (at < text.size()) std::memcpy(tail, text.data() + at, text.size() - at);
        const Bytes bytes = V::Load(tail);
        return EndAt(bytes, Breaks(bytes), at, high);
    }

    // The marks of the whole of line, line breaks or not: 32 bytes at a time, the last 32 again,
    // overlapping (a mark still unset lies beyond what was read).
    static LineMarks MarksOf(std::string_view line) {
        if (line.size() < 32) return ScalarKernel::MarksOf(line);
        LineMarks marks{0, 0, false};
        std::size_t at = 0;
        for (; at + 32 <= line.size(); at += 32) {
            AddMarks(V::Load(line.data() + at), ~0u, at + 1, marks);
        }
        if (at < line.size()) {
            AddMarks(V::Load(line.data() + line.size() - 32), ~0u, line.size() - 31, marks);
        }
        return marks;
    }

    // The line breaks in text[from, to) as BreaksBetween counts them: an LF, or a CR whose next
    // byte is no LF. The next bytes come from a second load one byte on, so no CR LF is split
    // between steps; at the text's end the last step reads a copy, whose padding ends no CR LF.
    static std::uint64_t BreaksIn(std::string_view text, std::size_t from, std::size_t to) {
        const char* const p = text.data();
        std::uint64_t breaks = 0;
        std::size_t i = from;
        for (; i + 33 <= to; i += 32) breaks += __builtin_popcount(LineEnds(p + i, ~0u));
        if (i < to && i + 33 <= text.size()) {
            // Read on past to: no CR LF straddles it, so its next byte changes no count.
            breaks += __builtin_popcount(LineEnds(p + i, LowBits(to - i)));
        } else if (i < to) {
            alignas(32) char tail[64] = {};
            std::memcpy(tail, p + i, to - i);
            breaks += __builtin_popcount(LineEnds(tail, LowBits(to - i)));
        }
        return breaks;
    }

    static std::uint32_t SameBytesMask(const char* a, const char* b) {
        return V::Mask(V::Equal(V::Load(a), V::Load(b)));
    }

    static ShortLine ShortLineAt(const char* p) {
        const Bytes bytes = V::Load(p);
        // Signed compares: bytes above 0x7F are negative, neither digits nor (once high is
        // excluded) blanks.
        const Bytes digits = V::And(V::Above(bytes, '0' - 1), V::Below(bytes, '9' + 1));
        return {Breaks(bytes), V::Mask(bytes), V::Mask(V::Below(bytes, 0x21)), V::Mask(digits)};
    }

  private:
    static std::uint32_t Matches(Bytes bytes, char c) { return V::Mask(V::Equal(bytes, c)); }
    static std::uint32_t Breaks(Bytes bytes) {
        return V::Mask(V::Or(V::Equal(bytes, '\r'), V::Equal(bytes, '\n')));
    }
    static std::uint32_t LineEnds(const char* p, std::uint32_t inside) {
        const Bytes bytes = V::Load(p);
        const std::uint32_t lone_cr = Matches(bytes, '\r') & ~Matches(V::Load(p + 1), '\n');
        return (Matches(bytes, '\n') | lone_cr) & inside;
    }
    // The positions whose byte in buckets is not zero.
    static std::uint32_t NonZero(Bytes buckets) { return ~Matches(buckets, '\0'); }

    std::uint32_t HitsAt(const char* p, std::uint32_t valid) const {
        const Bytes buckets =
            V::And(V::And(V::Lookup(V::Load(p), lo0, hi0), V::Lookup(V::Load(p + 1), lo1, hi1)),
                   V::Lookup(V::Load(p + 2), lo2, hi2));
        return NonZero(buckets) & valid;
    }

    // Positions whose second and third classes match, whatever the first.
    std::uint32_t LetterHitsAt(const char* p) const {
        return NonZero(
            V::And(V::Lookup(V::Load(p + 1), lo1, hi1), V::Lookup(V::Load(p + 2), lo2, hi2)));
    }

    // The tables of prints, read at each use: the compiler keeps them over a loop.
    struct TablesIn {
        std::uint32_t HitsAt(const char* p, std::uint32_t valid) const {
            return VectorKernel(prints).HitsAt(p, valid);
        }
        const Fingerprints& prints;
    };

    template <class Tables>
    static FingerprintBlock NextWith(const Tables& tables, std::string_view text,
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

    static FingerprintBlock Block(const char* p, std::size_t base, std::uint32_t hits) {
        return {base, hits, Breaks(V::Load(p))};
    }

    static LineEnd EndAt(Bytes bytes, std::uint32_t breaks, std::size_t at, std::uint32_t high) {
        const int n = __builtin_ctz(breaks);
        return {at + static_cast<std::size_t>(n),
                (high | (V::Mask(bytes) & LowBits(static_cast<std::size_t>(n)))) == 0};
    }

    // Folds the bytes of inside, of the 32 from 1-based position offset, into marks.
    static void AddMarks(Bytes bytes, std::uint32_t inside, std::size_t offset, LineMarks& marks) {
        const std::uint32_t open = Matches(bytes, '(') & inside;
        const std::uint32_t close = Matches(bytes, ')') & inside;
        if (open && marks.open == 0) marks.open = offset + __builtin_ctz(open);
        if (close && marks.close == 0) marks.close = offset + __builtin_ctz(close);
        marks.nul = marks.nul || (Matches(bytes, '\0') & inside) != 0;
    }

    // Folds the 32 bytes at position at into facts; true once the line's break is among them.
    static bool AddFacts(Bytes bytes, std::size_t at, std::size_t begin, LineFacts& facts,
                         std::uint32_t& high) {
        const std::uint32_t breaks = Breaks(bytes);
        const std::uint32_t inside = breaks ? LowBits(__builtin_ctz(breaks)) : ~0u;
        AddMarks(bytes, inside, at - begin + 1, facts.marks);
        high |= V::Mask(bytes) & inside;
        if (breaks == 0) return false;
        facts.end = at + __builtin_ctz(breaks);
        return true;
    }

    Table lo0, lo1, lo2, hi0, hi1, hi2;
};
