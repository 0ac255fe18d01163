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

template <class Kernel>
void ScanKeywordLines(std::string_view text, KeywordLineVisitor on_line, const Kernel& kernel) {
    // The first line has no break before it.
    kernels::LineFacts facts = Kernel::LineFrom(text, 0);
    on_line(text.substr(0, facts.end), facts.ascii);
    std::size_t from = facts.end;
    while (true) {
        const FingerprintBlock block = kernel.Next(text, from);
        if (block.hits == 0) return;
        // Hits stand on line breaks, so each one's line ends at or before the next hit.
        std::size_t end = 0;
        for (std::uint32_t hits = block.hits; hits; hits &= hits - 1) {
            const std::size_t begin = block.base + __builtin_ctz(hits) + 1;
            facts = Kernel::LineFrom(text, begin);
            end = facts.end;
            on_line(text.substr(begin, end - begin), facts.ascii);
        }
        from = std::max(block.base + 32, end);
    }
}

#ifdef KORVA_HAVE_AVX2_PATH
KORVA_AVX2_LOOP void ScanKeywordLinesAvx2(std::string_view text, KeywordLineVisitor on_line) {
    ScanKeywordLines(text, on_line, kernels::Avx2Kernel(kLineOpeningPrints));
}
#endif

}  // namespace

void ForEachLineOpeningWithKeyword(std::string_view text, KeywordLineVisitor on_line,
                                   ScanPath path) {
#ifdef KORVA_HAVE_AVX2_PATH
    if (path == ScanPath::kFastest && VectorPathAvailable()) {
        ScanKeywordLinesAvx2(text, on_line);
        return;
    }
#endif
    ScanKeywordLines(text, on_line, kernels::ScalarKernel(kLineOpeningPrints));
}

}  // namespace korva
