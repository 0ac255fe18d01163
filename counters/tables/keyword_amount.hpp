// The plunder count's rule for one line, inline: the scan that finds the lines applies it where it
// stands, and PluenTally::AddLine to any line it is given.
#pragma once

#include <array>
#include <cstdint>
#include <cstring>
#include <string_view>
#include <utility>

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

// Whether every two keywords in one slot open alike, and no slot holds three.
constexpr bool SlotsHoldTheirKeywords() {
    for (std::size_t a = 0; a < ResourceTable.size(); ++a) {
        std::size_t sharing = 0;
        for (std::size_t b = 0; b < ResourceTable.size(); ++b) {
            const std::string_view ka = ResourceTable[a].keyword, kb = ResourceTable[b].keyword;
            if (b == a || PairSlot(ka[0], ka[1]) != PairSlot(kb[0], kb[1])) continue;
            if (ka.substr(0, 2) != kb.substr(0, 2)) return false;
            ++sharing;
        }
        if (sharing > 1) return false;
    }
    return true;
}
static_assert(SlotsHoldTheirKeywords(),
              "Two resource keywords that open differently fall into one slot of kRowsOfSlot, "
              "or three into one (tables/keyword_amount.hpp): change PairSlot's hash of the first "
              "two letters, or give SlotRows more room.");

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
        // Only keywords that open alike share a slot (SlotsHoldTheirKeywords).
        const std::string_view other = ResourceTable[static_cast<std::size_t>(slot[0])].keyword;
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
