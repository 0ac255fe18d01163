#include "counters/resource_scan.hpp"

#include <algorithm>

#include "counters/fingerprint_scan.hpp"
#include "counters/line_bounds.hpp"
#include "counters/scan_kernels.hpp"
#include "counters/tables.hpp"

namespace korva {

namespace {

// A line break followed by a keyword's first two letters: the byte class "\r\n" is exact in
// nibbles, so a hit always stands at a line's start. "Wasserstoff" shares "Wa" with "Wasser".
constexpr Fingerprints kLineOpeningPrints = [] {
    Fingerprints prints;
    int bucket = 0;
    for (const char* prefix : {"Ei", "Si", "Ko", "Wa", "Sa"}) {
        const std::string_view p = prefix;
        prints.Add(bucket++, "\r\n", p.substr(0, 1), p.substr(1, 1));
    }
    return prints;
}();

// Calls on_line(line, ascii) for every line that may open with a keyword. A template over the
// visitor, so that the count's own visitor is inlined into the loop and the prefilter's tables
// stay in registers from one line to the next.
template <class Kernel, class OnLine>
void ScanKeywordLines(std::string_view text, const Kernel& kernel, OnLine&& on_line) {
    // The first line has no break before it.
    kernels::LineEnd line = Kernel::LineEndFrom(text, 0);
    on_line(text.substr(0, line.end), line.ascii);
    std::size_t from = line.end;
    while (true) {
        const FingerprintBlock block = kernel.Next(text, from);
        if (block.hits == 0) return;
        // Hits stand on line breaks, so each one's line ends at or before the next hit.
        for (std::uint32_t hits = block.hits; hits; hits &= hits - 1) {
            const std::size_t begin = block.base + __builtin_ctz(hits) + 1;
            line = Kernel::LineEndFrom(text, begin);
            on_line(text.substr(begin, line.end - begin), line.ascii);
        }
        from = std::max(block.base + 32, line.end);
    }
}

template <class Kernel>
void ForEachKeywordLine(std::string_view text, KeywordLineVisitor on_line, const Kernel& kernel) {
    ScanKeywordLines(text, kernel, on_line);
}

template <class Kernel>
ResourceSums CountKeywordLines(std::string_view text, NonAsciiLineVisitor on_non_ascii,
                               const Kernel& kernel) {
    ResourceSums sums{};
    ScanKeywordLines(text, kernel, [&](std::string_view line, bool ascii) {
        if (ascii) {
            AddOpeningAmount(line, sums);
        } else {
            on_non_ascii(line);
        }
    });
    return sums;
}

#ifdef KORVA_HAVE_AVX2_PATH
KORVA_AVX2_LOOP void ForEachKeywordLineAvx2(std::string_view text, KeywordLineVisitor on_line) {
    ForEachKeywordLine(text, on_line, kernels::Avx2Kernel(kLineOpeningPrints));
}

KORVA_AVX2_LOOP ResourceSums CountKeywordLinesAvx2(std::string_view text,
                                                   NonAsciiLineVisitor on_non_ascii) {
    return CountKeywordLines(text, on_non_ascii, kernels::Avx2Kernel(kLineOpeningPrints));
}
#endif

}  // namespace

void ForEachLineOpeningWithKeyword(std::string_view text, KeywordLineVisitor on_line,
                                   ScanPath path) {
#ifdef KORVA_HAVE_AVX2_PATH
    if (path == ScanPath::kFastest && VectorPathAvailable()) {
        ForEachKeywordLineAvx2(text, on_line);
        return;
    }
#endif
    ForEachKeywordLine(text, on_line, kernels::ScalarKernel(kLineOpeningPrints));
}

ResourceSums KeywordAmounts(std::string_view text, NonAsciiLineVisitor on_non_ascii,
                            ScanPath path) {
#ifdef KORVA_HAVE_AVX2_PATH
    if (path == ScanPath::kFastest && VectorPathAvailable()) {
        return CountKeywordLinesAvx2(text, on_non_ascii);
    }
#endif
    return CountKeywordLines(text, on_non_ascii, kernels::ScalarKernel(kLineOpeningPrints));
}

}  // namespace korva
