#include "counters/resource_scan.hpp"

#include "counters/fingerprint_scan.hpp"
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

bool IsBreak(char c) {
    return c == '\r' || c == '\n';
}

std::size_t LineEnd(std::string_view text, std::size_t from) {
    while (from < text.size() && !IsBreak(text[from])) ++from;
    return from;
}

}  // namespace

void ForEachLineOpeningWithKeyword(std::string_view text, LineVisitor on_line) {
    // The first line has no break before it.
    std::size_t from = LineEnd(text, 0);
    on_line(text.substr(0, from));
    while (true) {
        const FingerprintHit hit = NextFingerprint(text, from, kLineOpeningPrints);
        if (hit.position == text.size()) return;
        const std::size_t begin = hit.position + 1;
        from = LineEnd(text, begin);
        on_line(text.substr(begin, from - begin));
    }
}

}  // namespace korva
