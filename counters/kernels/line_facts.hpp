// What the kernels find out about a line, in the same form from every kernel.
#pragma once

#include <cstddef>
#include <cstdint>

namespace korva {

inline bool IsLineBreak(char c) {
    return c == '\r' || c == '\n';
}

// What the sabotage count needs of a line besides its names, found in one pass.
struct LineMarks {
    std::size_t open;   // 1-based position of the first "(", 0 if none
    std::size_t close;  // 1-based position of the first ")", 0 if none
    bool nul;           // the line holds a 0x00 byte
};

}  // namespace korva

namespace korva::kernels {

// What a scan learns of a line in the one pass that finds its end.
struct LineFacts {
    std::size_t end;  // position of the break ending the line, or the text's size
    LineMarks marks;  // positions relative to the line's begin
    bool ascii;       // no byte above 0x7F: every supported encoding reads the line the same
};

// Where a line ends, and whether it holds no byte above 0x7F: all the plunder scan needs of it.
struct LineEnd {
    std::size_t end;  // position of the break ending the line, or the text's size
    bool ascii;
};

// What the 32 bytes from a line's start hold, one bit per byte: enough to count a short line in
// place. Only kernels with kWideCompare give it.
struct ShortLine {
    std::uint32_t breaks;  // CR or LF
    std::uint32_t high;    // above 0x7F
    std::uint32_t blank;   // 0x00 to 0x20 (where not high)
    std::uint32_t digits;  // '0' to '9'
};

// Bits 0 to n-1 of a 32-bit mask.
constexpr std::uint32_t LowBits(std::size_t n) {
    return n >= 32 ? ~0u : (1u << n) - 1;
}

}  // namespace korva::kernels
