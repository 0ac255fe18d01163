// Where the line around a position begins and ends, lines being divided at each CR and LF.
#pragma once

#include <cstddef>
#include <string_view>

#include "counters/scan_path.hpp"

namespace korva {

inline bool IsLineBreak(char c) {
    return c == '\r' || c == '\n';
}

// Position of the first byte of the line holding position.
std::size_t LineBegin(std::string_view text, std::size_t position,
                      ScanPath path = ScanPath::kFastest);

// Position of the break ending the line holding position, or text.size().
std::size_t LineEnd(std::string_view text, std::size_t position,
                    ScanPath path = ScanPath::kFastest);

// What the sabotage count needs of a line besides its names, found in one pass.
struct LineMarks {
    std::size_t open;   // 1-based position of the first "(", 0 if none
    std::size_t close;  // 1-based position of the first ")", 0 if none
    bool nul;           // the line holds a 0x00 byte
};
LineMarks MarksOf(std::string_view line, ScanPath path = ScanPath::kFastest);

}  // namespace korva
