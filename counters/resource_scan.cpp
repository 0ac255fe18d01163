#include "counters/resource_scan.hpp"

#include <algorithm>

#include "counters/fingerprint_scan.hpp"
#include "counters/line_bounds.hpp"
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

}  // namespace

void ForEachLineOpeningWithKeyword(std::string_view text, LineVisitor on_line) {
    // The first line has no break before it.
    std::size_t from = LineEnd(text, 0);
    on_line(text.substr(0, from));
    while (true) {
        const FingerprintBlock block = NextFingerprintBlock(text, from, kLineOpeningPrints);
        if (block.hits == 0) return;
        // Hits stand on line breaks, so each one's line ends at or before the next hit.
        std::size_t end = 0;
        for (std::uint32_t hits = block.hits; hits; hits &= hits - 1) {
            const int j = __builtin_ctz(hits);
            const std::size_t begin = block.base + j + 1;
            end = LineEndAfter(text, block, j);
            on_line(text.substr(begin, end - begin));
        }
        from = std::max(block.base + 32, end);
    }
}

}  // namespace korva
