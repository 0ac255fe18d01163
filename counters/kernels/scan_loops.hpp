// The scans' loops over one kernel, Kernel, which the including file names: each kernel's file
// includes this inside its own namespace and target (see vector_kernel.hpp), so that the loops,
// the kernel's pieces and its primitives compile into one, and gives the jobs to the dispatch
// table through Table. Included after kernel_prelude.hpp; never on its own.

// Where the line holding position block.base + j begins, from the block's breaks where they reach.
inline std::size_t LineBeginOfHit(std::string_view text, const FingerprintBlock& block, int j) {
    if (const std::uint32_t before = block.breaks & LowBits(static_cast<std::size_t>(j))) {
        return block.base + static_cast<std::size_t>(32 - __builtin_clz(before));
    }
    return Kernel::LineBegin(text, block.base);
}

// Whether the b.size() bytes at a equal b. Eight bytes at a time, the last word overlapping the
// one before, since every name but the ASCII part of "Wohngeb\xE4ude" has at least eight.
inline bool SameBytes(const char* a, std::string_view b) {
    const auto word = [](const char* p) {
        std::uint64_t w;
        std::memcpy(&w, p, 8);
        return w;
    };
    const std::size_t n = b.size();
    if (n < 8) return std::memcmp(a, b.data(), n) == 0;
    for (std::size_t i = 0; i + 8 < n; i += 8) {
        if (word(a + i) != word(b.data() + i)) return false;
    }
    return word(a + n - 8) == word(b.data() + n - 8);
}

struct Found {
    BuildingBits by_prefix = 0;  // the name's ASCII part stands there
    BuildingBits by_name = 0;    // the whole Windows-1252 name stands there
};

// The row whose name stands in text around the fingerprint hit, its anchor letters at hit.
// A hit always has its three bytes inside the text. (A template, so that `if constexpr` leaves
// out what a kernel without kWideCompare lacks.)
template <class K = Kernel>
Found NameAround(std::string_view text, std::size_t hit) {
    const std::uint32_t key = AnchorKey(text.data() + hit);
    const int r = kRowOfSlot[Slot(key, kSlotMultiplier)];
    if (r < 0 || RowKey(r) != key) return {};
    const std::size_t offset = kAnchorOfRow[r].offset;
    if (hit < offset) return {};
    const std::size_t begin = hit - offset;
    const std::string_view name = kNames[r];
    const std::string_view prefix = kAsciiPrefixes[r];
    const auto bit = static_cast<BuildingBits>(BuildingBits{1} << r);
    if constexpr (K::kWideCompare) {
        if (text.size() - begin >= 32) {
            const std::uint32_t same =
                K::SameBytesMask(text.data() + begin, kPaddedNames[r].data());
            const std::uint32_t prefix_bits = LowBits(prefix.size());
            const std::uint32_t name_bits = LowBits(name.size());
            if ((same & prefix_bits) != prefix_bits) return {};
            return {bit, (same & name_bits) == name_bits ? bit : BuildingBits{0}};
        }
    }
    if (text.size() - begin < prefix.size() || !SameBytes(text.data() + begin, prefix)) return {};
    const bool whole = prefix.size() == name.size() ||
                       (text.size() - begin >= name.size() && SameBytes(text.data() + begin, name));
    return {bit, whole ? bit : BuildingBits{0}};
}

// The rows whose Windows-1252 names stand in line before its first 0x00 byte.
inline BuildingBits BuildingsNamedIn(std::string_view line) {
    line = UpToNul(line);
    BuildingBits named = 0;
    std::size_t from = 0;
    while (true) {
        const FingerprintBlock block = Kernel::NextIn(line, from, kBuildingPrints);
        if (block.hits == 0) return named;
        for (std::uint32_t hits = block.hits; hits; hits &= hits - 1) {
            named |= NameAround(line, block.base + __builtin_ctz(hits)).by_name;
        }
        from = block.base + 32;
    }
}

// One pass: the prefilter's hits are checked where they stand, and the first real one of a line
// finds the line's bounds, brackets and bytes above 0x7F in one go; later hits before its end
// only add their rows.
template <class OnLine>
void NamedLinesTo(std::string_view text, OnLine&& on_line) {
    const Kernel kernel(kBuildingPrints);
    // The line open, in plain locals that stay in registers; the record is made only for the
    // call (building it in place cost a stalled store-to-load round trip per line).
    std::size_t begin = 0;
    LineFacts facts{0, {0, 0, false}, true};
    BuildingBits named = 0;
    bool open = false;
    const auto visit = [&] {
        on_line(NamedLine{text.substr(begin, facts.end - begin), named, facts.marks, facts.ascii});
    };
    std::size_t from = 0;
    while (true) {
        const FingerprintBlock block = kernel.Next(text, from);
        if (block.hits == 0) break;
        for (std::uint32_t hits = block.hits; hits; hits &= hits - 1) {
            const int j = __builtin_ctz(hits);
            const std::size_t hit = block.base + j;
            if (open && hit >= facts.end) {
                visit();
                open = false;
            }
            const Found found = NameAround(text, hit);
            if (found.by_prefix == 0) continue;
            if (!open) {
                begin = LineBeginOfHit(text, block, j);
                facts = Kernel::LineFrom(text, begin);
                named = 0;
                open = true;
            }
            named |= found.by_name;
        }
        from = block.base + 32;
    }
    if (open) visit();
}

__attribute__((flatten)) inline void NamedLines(std::string_view text, NamedLineVisitor on_line) {
    NamedLinesTo(text, on_line);
}

template <class Sink>
void SaboScan(std::string_view text, LineDecoder decode, Sink& sink) {
    NamedLinesTo(text, [&](const NamedLine& found) { korva::SaboLineFound(found, decode, sink); });
}

// The count's own scan, all in one: its sink inlined into the loop.
__attribute__((flatten)) inline void SaboCount(std::string_view text, LineDecoder decode,
                                               SaboTallySink& sink) {
    SaboScan(text, decode, sink);
}

// The count with its explanation, all in one as the count's own scan is, but for the
// explanation's calls of its own (its line numbers, its rows).
__attribute__((flatten)) inline void SaboCountAndExplain(std::string_view text, LineDecoder decode,
                                                         BothSinks<SaboTallySink>& sink) {
    SaboScan(text, decode, sink);
}

// Calls on_hit(begin) for the start of every line that may open with a keyword; on_hit returns
// where that line ends. A template over the visitor, so that the count's own visitor is inlined
// into the loop and the prefilter's tables stay in registers from one line to the next.
template <class OnHit>
void ScanKeywordLines(std::string_view text, const Kernel& kernel, OnHit&& on_hit) {
    // The first line has no break before it.
    std::size_t end = on_hit(std::size_t{0});
    std::size_t from = end;
    while (true) {
        const FingerprintBlock block = kernel.NextAfterBreak(text, from);
        if (block.hits == 0) return;
        // Hits stand on line breaks, so each one's line ends at or before the next hit.
        for (std::uint32_t hits = block.hits; hits; hits &= hits - 1) {
            end = on_hit(block.base + __builtin_ctz(hits) + 1);
        }
        from = std::max(block.base + 32, end);
    }
}

__attribute__((flatten)) inline void KeywordLines(std::string_view text, KeywordLineVisitor on_line,
                                                  const Fingerprints& prints) {
    ScanKeywordLines(text, Kernel(prints), [&](std::size_t begin) {
        const LineEnd line = Kernel::LineEndFrom(text, begin);
        on_line(text.substr(begin, line.end - begin), line.ascii);
        return line.end;
    });
}

// The number of count (1 to 8) decimal digits ending at last, without a loop: the eight bytes up
// to last, those before the digits made '0', are combined in pairs, then quads, then all eight.
[[maybe_unused]] inline std::uint32_t DigitsEndingAt(const char* last, std::size_t count) {
    constexpr std::uint64_t kZeros = 0x3030303030303030u;
    std::uint64_t word;
    std::memcpy(&word, last - 7, sizeof word);
    const std::uint64_t before = (std::uint64_t{1} << (8 * (8 - count))) - 1;
    word = ((word & ~before) | (kZeros & before)) - kZeros;
    word = word * 10 + (word >> 8);
    word = ((word & 0x000000FF000000FFu) * (100 + (std::uint64_t{1000000} << 32)) +
            ((word >> 16) & 0x000000FF000000FFu) * (1 + (std::uint64_t{10000} << 32))) >>
           32;
    return static_cast<std::uint32_t>(word);
}

// The line after its leading blanks (bytes up to 0x20), where the explanation looks for a keyword.
inline std::string_view AfterBlanks(std::string_view line) {
    std::size_t start = 0;
    while (start < line.size() && static_cast<unsigned char>(line[start]) <= 0x20) ++start;
    return line.substr(start);
}

// Decoding changes only the bytes above 0x7F, into bytes above 0x7F or "?", so a line opens with
// a keyword after decoding just when it does before: the others need no decoding.
inline bool OpensWithKeyword(std::string_view line) {
    return std::any_of(ResourceTable.begin(), ResourceTable.end(),
                       [line](const Resource& r) { return line.starts_with(r.keyword); });
}

// The rule itself, for lines of other forms. Out of the scan's loop in the page's module, which
// stays small so; inlined elsewhere, where reports dense with plunder lines take it on most lines.
#if defined(__wasm__)
#define KORVA_RULE_OUT_OF_LOOP [[gnu::noinline]]
#else
#define KORVA_RULE_OUT_OF_LOOP
#endif
template <class Sink>
KORVA_RULE_OUT_OF_LOOP void PluenByRule(std::string_view raw, bool ascii, LineDecoder decode,
                                        Sink& sink) {
    const std::string_view line = ascii ? raw : decode(raw);
    ForEachPlunderedRow<Sink::kLinesAfterBlanks>(line, sink);
    sink.EndLine(raw, line);
}

// Hands the sink what the line from begin adds, and returns its end. A line that ends within
// 32 bytes is read from one load where its amount is plain digits: a quicker form of the rule
// (ForEachPlunderedRow) that gives the same additions, and the fuzz targets hold them together.
// Anything else takes the rule itself.
template <class Sink, class K = Kernel>
std::size_t PluenLineAt(std::string_view text, std::size_t begin, LineDecoder decode, Sink& sink) {
    if constexpr (K::kWideCompare) {
        const char* const p = text.data() + begin;
        // A line opening with a blank has its keyword, if any, past the load's first letters.
        if (text.size() - begin >= 32 &&
            !(Sink::kLinesAfterBlanks && static_cast<unsigned char>(p[0]) <= 0x20)) {
            const ShortLine bytes = K::ShortLineAt(p);
            if (bytes.breaks != 0) {
                const auto size = static_cast<std::size_t>(__builtin_ctz(bytes.breaks));
                // Views made unchecked: a check that may throw would stay though the tally reads
                // neither.
                const std::string_view raw(p, size);
                const std::uint32_t inside = LowBits(size);
                const SlotRows& slot = kRowsOfSlot[PairSlot(p[0], p[1])];
                for (const std::int8_t row : slot) {
                    if (row < 0) break;
                    const auto r = static_cast<std::size_t>(row);
                    const std::size_t length = ResourceTable[r].keyword.size();
                    const std::uint32_t keyword = LowBits(length);
                    if (length > size ||
                        (K::SameBytesMask(p, kPaddedKeywords[r].data()) & keyword) != keyword) {
                        continue;
                    }
                    // Opening with a keyword (see OpensWithKeyword), it is worth decoding.
                    if ((bytes.high & inside) != 0) {
                        PluenByRule(raw, false, decode, sink);
                        return begin + size;
                    }
                    // The amount: the bytes after the keyword, trimmed of blanks. A shorter
                    // keyword of the slot, opening the line too, is followed by a letter of this
                    // one and gains 0.
                    const std::uint32_t solid = ~bytes.blank & inside & ~keyword;
                    if (solid == 0) {
                        sink(r, Tally{0}, std::string_view(), raw);
                        sink.EndLine(raw, raw);
                        return begin + size;
                    }
                    const auto first = static_cast<std::size_t>(__builtin_ctz(solid));
                    const auto last = static_cast<std::size_t>(31 - __builtin_clz(solid));
                    const std::uint32_t run = LowBits(last + 1) & ~LowBits(first);
                    const std::size_t count = last - first + 1;
                    if ((bytes.digits & run) == run && count <= 8 && begin + last >= 7) {
                        sink(r, Tally{DigitsEndingAt(p + last, count)},
                             std::string_view(p + first, count), raw);
                        sink.EndLine(raw, raw);
                    } else {
                        PluenByRule(raw, true, decode, sink);
                    }
                    return begin + size;
                }
                return begin + size;
            }
        }
    }
    const LineEnd line = Kernel::LineEndFrom(text, begin);
    const std::string_view whole = text.substr(begin, line.end - begin);
    if (line.ascii || OpensWithKeyword(Sink::kLinesAfterBlanks ? AfterBlanks(whole) : whole)) {
        PluenByRule(whole, line.ascii, decode, sink);
    }
    return line.end;
}

template <class Sink>
void PluenScan(std::string_view text, LineDecoder decode, Sink& sink) {
    const Kernel kernel(Sink::kLinesAfterBlanks ? kBlankOrLineOpeningPrints : kLineOpeningPrints);
    ScanKeywordLines(text, kernel,
                     [&](std::size_t begin) { return PluenLineAt(text, begin, decode, sink); });
}

__attribute__((flatten)) inline void PluenCount(std::string_view text, LineDecoder decode,
                                                PluenTallySink& sink) {
    PluenScan(text, decode, sink);
}

__attribute__((flatten)) inline void PluenCountAndExplain(std::string_view text, LineDecoder decode,
                                                          BothSinks<PluenTallySink>& sink) {
    PluenScan(text, decode, sink);
}

inline FingerprintBlock NextBlock(std::string_view text, std::size_t from,
                                  const Fingerprints& prints) {
    return Kernel::NextIn(text, from, prints);
}

inline std::size_t LineBeginAt(std::string_view text, std::size_t position) {
    return Kernel::LineBegin(text, position);
}

inline std::size_t LineEndAt(std::string_view text, std::size_t position) {
    return Kernel::LineEndFrom(text, position).end;
}

inline LineMarks MarksOfLine(std::string_view line) {
    return Kernel::MarksOf(line);
}

inline std::uint64_t BreaksBetween(std::string_view text, std::size_t from, std::size_t to) {
    return Kernel::BreaksIn(text, from, to);
}

// The page's module stays small without the scans of its own that korva-count wants (see
// KernelTable): the page counts and explains in calls of their own.
#if defined(__wasm__)
inline constexpr bool kNativeJobs = false;
#else
inline constexpr bool kNativeJobs = true;
#endif

// This kernel's jobs for the dispatch table; name and cpu_runs come from outside the target.
constexpr KernelTable Table(std::string_view name, bool (*cpu_runs)()) {
    return {name,
            cpu_runs,
            &NextBlock,
            &BuildingsNamedIn,
            &NamedLines,
            &KeywordLines,
            kNativeJobs ? &SaboCount : nullptr,
            kNativeJobs ? &SaboCountAndExplain : nullptr,
            &PluenCount,
            kNativeJobs ? &PluenCountAndExplain : nullptr,
            &LineBeginAt,
            &LineEndAt,
            &MarksOfLine,
            &BreaksBetween};
}
