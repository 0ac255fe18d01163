// Numbers in decimal for the printers, which write one or two for each of a million rows: those
// below 10^8, nearly all, are made eight digits at once in one 64-bit word.
#pragma once

#include <cstddef>
#include <cstdint>

namespace korva {

// The most bytes PutDecimal writes, and the room it needs at out.
inline constexpr std::size_t kMostDecimalBytes = 20;

// value's digits at out, which has room for kMostDecimalBytes; returns their end.
char* PutDecimal(char* out, std::uint64_t value);

}  // namespace korva
