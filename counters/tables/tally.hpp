// Tallies are 64-bit so that a large total stays exact. Should one ever pass 2^63 it wraps like
// the 32-bit tallies of old rather than invoking undefined behaviour.
#pragma once

#include <cstdint>

namespace korva {

using Tally = std::int64_t;

constexpr Tally WrappingAdd(Tally a, Tally b) {
    return static_cast<Tally>(static_cast<std::uint64_t>(a) + static_cast<std::uint64_t>(b));
}

constexpr Tally WrappingMul(Tally a, Tally b) {
    return static_cast<Tally>(static_cast<std::uint64_t>(a) * static_cast<std::uint64_t>(b));
}

}  // namespace korva
