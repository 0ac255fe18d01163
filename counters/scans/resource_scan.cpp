#include "counters/scans/resource_scan.hpp"

#include <algorithm>
#include <array>
#include <cstdint>
#include <cstring>

#include "counters/scans/fingerprint_scan.hpp"
#include "counters/scans/scan_kernels.hpp"
#include "counters/scans/sinks.hpp"
#include "counters/tables/build_check.hpp"
#include "counters/tables/tables.hpp"
#include "counters/text/line_bounds.hpp"

namespace korva {

namespace {

// A line break followed by a keyword's first two letters: the byte class "\r\n" is exact in
// nibbles, so a hit always stands at a line's start. "Wasserstoff" shares "Wa" with "Wasser".
// (Exact letter sets, one lookup per position, cost more than they save: the pairs they let
// through, "Ka" of every "Kampfbericht" among them, each cost a check.)
constexpr Fingerprints kLineOpeningPrints = [] {
    Fingerprints prints;
    int bucket = 0;
    for (const char* prefix : {"Ei", "Si", "Ko", "Wa", "Sa"}) {
        const std::string_view p = prefix;
        prints.Add(bucket++, "\r\n", p.substr(0, 1), p.substr(1, 1));
    }
    return prints;
}();

// A line break followed by a keyword's first two letters, or by a blank and anything. Blanks take
// three buckets, each exact in nibbles, so that the LF of a CR LF is no blank.
constexpr Fingerprints kBlankOrLineOpeningPrints = [] {
    Fingerprints prints;
    char every[256] = {};
    for (int c = 0; c < 256; ++c) every[c] = static_cast<char>(c);
    const std::string_view any_byte(every, sizeof every);
    for (const Resource& resource : ResourceTable) {
        prints.Add(0, "\r\n", resource.keyword.substr(0, 1), resource.keyword.substr(1, 1));
    }
    prints.Add(1, "\r\n", any_byte.substr(0x00, 0x0A), any_byte);
    prints.Add(2, "\r\n", "\x0B\x0C\x0E\x0F", any_byte);
    prints.Add(3, "\r\n", any_byte.substr(0x10, 0x11), any_byte);
    return prints;
}();

// Calls on_hit(begin) for the start of every line that may open with a keyword; on_hit returns
// where that line ends. A template over the visitor, so that the count's own visitor is inlined
// into the loop and the prefilter's tables stay in registers from one line to the next.
template <class Kernel, class OnHit>
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

template <class Kernel>
void ForEachKeywordLine(std::string_view text, KeywordLineVisitor on_line, const Kernel& kernel) {
    ScanKeywordLines(text, kernel, [&](std::size_t begin) {
        const kernels::LineEnd line = Kernel::LineEndFrom(text, begin);
        on_line(text.substr(begin, line.end - begin), line.ascii);
        return line.end;
    });
}

constexpr auto kPaddedKeywords = kernels::PaddedWords<&Resource::keyword>(ResourceTable);

// The number of count (1 to 8) decimal digits ending at last, without a loop: the eight bytes up
// to last, those before the digits made '0', are combined in pairs, then quads, then all eight.
// Only kernels with kWideCompare use it: a build with the scalar kernel alone has none.
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
std::string_view AfterBlanks(std::string_view line) {
    std::size_t start = 0;
    while (start < line.size() && static_cast<unsigned char>(line[start]) <= 0x20) ++start;
    return line.substr(start);
}

// Decoding changes only the bytes above 0x7F, into bytes above 0x7F or "?", so a line opens with
// a keyword after decoding just when it does before: the others need no decoding.
bool OpensWithKeyword(std::string_view line) {
    return std::any_of(ResourceTable.begin(), ResourceTable.end(),
                       [line](const Resource& r) { return line.starts_with(r.keyword); });
}

// Hands the sink what the line from begin adds, and returns its end. A line that ends within
// 32 bytes is read from one load where its amount is plain digits: a quicker form of the rule
// (ForEachPlunderedRow) that gives the same additions, and the fuzz targets hold them together.
// Anything else takes the rule itself.
// The rule itself, for the few lines of other forms: out of the scan's loop, whose registers it
// would take.
template <class Sink>
[[gnu::noinline]] void ByRule(std::string_view raw, bool ascii, LineDecoder decode, Sink& sink) {
    const std::string_view line = ascii ? raw : decode(raw);
    ForEachPlunderedRow(line, sink);
    sink.EndLine(raw, line);
}

template <class Kernel, class Sink>
std::size_t ScanLineAt(std::string_view text, std::size_t begin, LineDecoder decode, Sink& sink) {
    const auto by_rule = [&](std::string_view raw, bool ascii) {
        ByRule(raw, ascii, decode, sink);
    };
    if constexpr (Kernel::kWideCompare) {
        const char* const p = text.data() + begin;
        // A line opening with a blank has its keyword, if any, past the load's first letters.
        if (text.size() - begin >= 32 &&
            !(Sink::kLinesAfterBlanks && static_cast<unsigned char>(p[0]) <= 0x20)) {
            const kernels::ShortLine bytes = Kernel::ShortLineAt(p);
            if (bytes.breaks != 0) {
                const auto size = static_cast<std::size_t>(__builtin_ctz(bytes.breaks));
                // Views made unchecked: a check that may throw would stay though the tally reads
                // neither.
                const std::string_view raw(p, size);
                const std::uint32_t inside = kernels::LowBits(size);
                const SlotRows& slot = kRowsOfSlot[PairSlot(p[0], p[1])];
                for (const std::int8_t row : slot) {
                    if (row < 0) break;
                    const auto r = static_cast<std::size_t>(row);
                    const std::size_t length = ResourceTable[r].keyword.size();
                    const std::uint32_t keyword = kernels::LowBits(length);
                    if (length > size || (Kernel::SameBytesMask(p, kPaddedKeywords[r].data()) &
                                          keyword) != keyword) {
                        continue;
                    }
                    // Opening with a keyword (see OpensWithKeyword), it is worth decoding.
                    if ((bytes.high & inside) != 0) {
                        by_rule(raw, false);
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
                    const std::uint32_t run = kernels::LowBits(last + 1) & ~kernels::LowBits(first);
                    const std::size_t count = last - first + 1;
                    if ((bytes.digits & run) == run && count <= 8 && begin + last >= 7) {
                        sink(r, Tally{DigitsEndingAt(p + last, count)},
                             std::string_view(p + first, count), raw);
                        sink.EndLine(raw, raw);
                    } else {
                        by_rule(raw, true);
                    }
                    return begin + size;
                }
                return begin + size;
            }
        }
    }
    const kernels::LineEnd line = Kernel::LineEndFrom(text, begin);
    const std::string_view whole = text.substr(begin, line.end - begin);
    if (line.ascii || OpensWithKeyword(Sink::kLinesAfterBlanks ? AfterBlanks(whole) : whole)) {
        by_rule(whole, line.ascii);
    }
    return line.end;
}

}  // namespace

void ForEachLineOpeningWithKeyword(std::string_view text, KeywordLineVisitor on_line,
                                   ScanPath path) {
    kernels::WithKernel(path, [&]<class Kernel>() {
        ForEachKeywordLine(text, on_line, Kernel(kLineOpeningPrints));
    });
}

void ForEachLineOpeningWithKeywordAfterBlanks(std::string_view text, KeywordLineVisitor on_line,
                                              ScanPath path) {
    kernels::WithKernel(path, [&]<class Kernel>() {
        ForEachKeywordLine(text, on_line, Kernel(kBlankOrLineOpeningPrints));
    });
}

template <class Sink>
void ScanPluen(std::string_view text, LineDecoder decode, Sink& sink, ScanPath path) {
    kernels::WithKernel(path, [&]<class Kernel>() {
        const Kernel kernel(Sink::kLinesAfterBlanks ? kBlankOrLineOpeningPrints
                                                    : kLineOpeningPrints);
        ScanKeywordLines(text, kernel, [&](std::size_t begin) {
            return ScanLineAt<Kernel>(text, begin, decode, sink);
        });
    });
}

template void ScanPluen(std::string_view, LineDecoder, PluenTallySink&, ScanPath);
template void ScanPluen(std::string_view, LineDecoder, ExplanationSink&, ScanPath);
template void ScanPluen(std::string_view, LineDecoder, BothSinks<PluenTallySink>&, ScanPath);

ResourceSums KeywordAmounts(std::string_view text, NonAsciiLineVisitor on_non_ascii,
                            ScanPath path) {
    PluenTallySink sink;
    // A line handed on is left out of the sums: it decodes to nothing here.
    ScanPluen(
        text,
        [&on_non_ascii](std::string_view line) {
            on_non_ascii(line);
            return std::string_view();
        },
        sink, path);
    return sink.sums;
}

}  // namespace korva
