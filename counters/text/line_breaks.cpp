#include "counters/text/line_breaks.hpp"

#include <algorithm>

namespace korva {

namespace {

// 1 for a byte that ends a line: an LF, or a CR that is not the first half of a CR LF.
std::uint8_t EndsLine(char c, char next) {
    return (c == '\n') | ((c == '\r') & (next != '\n'));
}

}  // namespace

// Summed in bytes over blocks of 255, which the compiler keeps in vector lanes, so that numbering
// lines runs at about the speed of the scans.
std::uint64_t BreaksBetween(std::string_view text, std::size_t from, std::size_t to) {
    if (from >= to) return 0;
    const char* const p = text.data();
    std::uint64_t breaks = 0;
    const std::size_t last = to - 1;
    for (std::size_t i = from; i < last;) {
        const std::size_t end = std::min(last, i + 255);
        std::uint8_t block = 0;
        for (; i < end; ++i) block += EndsLine(p[i], p[i + 1]);
        breaks += block;
    }
    return breaks + (p[last] == '\n' || p[last] == '\r');
}

}  // namespace korva
