// The plunder count's rule for one line, inline: the scan that finds the lines applies it where it
// stands, and PluenTally::AddLine to any line it is given.
#pragma once

#include <array>
#include <cstdint>
#include <cstring>
#include <string_view>
#include <utility>

#include "counters/tables/build_check.hpp"
#include "counters/tables/tables.hpp"
#include "counters/tables/tally.hpp"
#include "counters/text/text_ops.hpp"

namespace korva {

// In search order, as ResourceTable.
using ResourceSums = std::array<Tally, ResourceTable.size()>;

// The rows a line's first two letters can open, the longer keyword first ("Wasserstoff" before
// "Wasser"), in one of 16 slots. A line opening with both adds to the shorter one only the
// conversion of the longer one's remaining letters, which is 0.
constexpr std::size_t PairSlot(char first, char second) {
    return (static_cast<unsigned char>(first) ^ static_cast<unsigned char>(second)) & 15;
}

using SlotRows = std::array<std::int8_t, 2>;
inline constexpr std::array<SlotRows, 16> kRowsOfSlot = [] {
    std::array<SlotRows, 16> table{};
    for (auto& slot : table) slot = {-1, -1};
    for (std::size_t r = 0; r < ResourceTable.size(); ++r) {
        const std::string_view keyword = ResourceTable[r].keyword;
        SlotRows& slot = table[PairSlot(keyword[0], keyword[1])];
        const auto row = static_cast<std::int8_t>(r);
        if (slot[0] < 0) {
            slot[0] = row;
            continue;
        }
        // Only keywords that open alike may share a slot: a clash fails the build here.
        const std::string_view other = ResourceTable[static_cast<std::size_t>(slot[0])].keyword;
        if (slot[1] >= 0 || other.substr(0, 2) != keyword.substr(0, 2)) FailBuild("slot clash");
        slot = other.size() >= keyword.size() ? SlotRows{slot[0], row} : SlotRows{row, slot[0]};
    }
    return table;
}();

namespace detail {

// Row r's amount when line opens with its keyword. Unrolled over the rows, so that each keyword's
// length is a constant and its comparison a few loads instead of a call.
template <std::size_t r>
void AddIfOpening(std::string_view line, ResourceSums& sums) {
    constexpr std::string_view keyword = ResourceTable[r].keyword;
    if (line.size() < keyword.size() || line[0] != keyword[0] ||
        std::memcmp(line.data(), keyword.data(), keyword.size()) != 0) {
        return;
    }
    const auto amount = TextToIntDefQuick(TextTrim(line.substr(keyword.size())), 0);
    sums[r] = WrappingAdd(sums[r], amount);
}

template <std::size_t... r>
void AddToOpening(std::string_view line, ResourceSums& sums, std::index_sequence<r...>) {
    (AddIfOpening<r>(line, sums), ...);
}

}  // namespace detail

// Adds line's amount to the row of each keyword it opens with. The amount is cut from the fixed
// position keyword length + 1, however the keyword was found. Where the keyword does not open the
// line, its own last letters fall inside that cut ("n", "m", "r", or the "f" of "...off" without
// a hexadecimal prefix), so the cut never converts and the row gains 0. Only a line that starts
// with the keyword can add, which saves searching the rest of the line.
inline void AddOpeningAmount(std::string_view line, ResourceSums& sums) {
    detail::AddToOpening(line, sums, std::make_index_sequence<ResourceTable.size()>());
}

}  // namespace korva
