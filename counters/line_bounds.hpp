// Where the line around a position begins and ends, lines being divided at each CR and LF.
#pragma once

#include <algorithm>
#include <cstdint>
#include <string_view>

#include "counters/fingerprint_scan.hpp"

namespace korva {

inline bool IsLineBreak(char c) {
    return c == '\r' || c == '\n';
}

// Position of the first byte of the line holding position.
std::size_t LineBegin(std::string_view text, std::size_t position);

// Position of the break ending the line holding position, or text.size().
std::size_t LineEnd(std::string_view text, std::size_t position);

// What the sabotage count needs of a line besides its names, found in one pass.
struct LineMarks {
    std::size_t open;   // 1-based position of the first "(", 0 if none
    std::size_t close;  // 1-based position of the first ")", 0 if none
    bool nul;           // the line holds a 0x00 byte
};
LineMarks MarksOf(std::string_view line);

// The same for position block.base + j of a block of hits, read from the block's breaks where
// they reach.
inline std::size_t LineBeginBefore(std::string_view text, const FingerprintBlock& block, int j) {
    const std::uint32_t before = block.breaks & ((1u << j) - 1);
    if (before) return block.base + static_cast<std::size_t>(32 - __builtin_clz(before));
    return LineBegin(text, block.base);
}

inline std::size_t LineEndAfter(std::string_view text, const FingerprintBlock& block, int j) {
    const std::uint32_t after = j == 31 ? 0 : block.breaks & (~0u << (j + 1));
    if (after) return block.base + static_cast<std::size_t>(__builtin_ctz(after));
    return LineEnd(text, std::min(block.base + 32, text.size()));
}

}  // namespace korva
