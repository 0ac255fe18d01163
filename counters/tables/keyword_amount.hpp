// The plunder rule for one line, inline: the scan that finds the lines applies it where it stands
// (with a quicker form of it for the plain "Eisen 1500" beside it, resource_scan.cpp), and
// PluenTally::AddLine to any line it is given.
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

// Row r's amount when opening (the line after its leading blanks) begins with r's keyword.
// Unrolled over the rows, so that each keyword's length is a constant and its comparison a few
// loads instead of a call.
template <std::size_t r, class OnRow>
void IfOpening(std::string_view line, std::string_view opening, OnRow& on_row) {
    constexpr std::string_view keyword = ResourceTable[r].keyword;
    if (opening.size() < keyword.size() || opening[0] != keyword[0] ||
        std::memcmp(opening.data(), keyword.data(), keyword.size()) != 0) {
        return;
    }
    // Cut from the fixed place, counted from the line's start, not from the keyword.
    const std::string_view amount_text = TextTrim(line.substr(keyword.size()));
    on_row(r, Tally{TextToIntDefQuick(amount_text, 0)}, amount_text, opening);
}

template <class OnRow, std::size_t... r>
void ForEachRow(std::string_view line, std::string_view opening, OnRow& on_row,
                std::index_sequence<r...>) {
    (IfOpening<r>(line, opening, on_row), ...);
}

}  // namespace detail

// The plunder rule, for one line: on_row(row, amount, amount_text, opening) for each row whose
// keyword opens the line after its leading blanks (bytes up to 0x20 before any 0x00), amount being
// amount_text converted (0 when it does not), amount_text the line from the fixed position keyword
// length + 1 on, trimmed, and opening the line from the keyword on.
// This is the whole of it: where a keyword stands later in a line, or after blanks, its own last
// letters fall inside that cut ("n", "m", "r", or the "f" of "...off" without a hexadecimal
// prefix), so the cut never converts and the row gains 0. Such rows are left out but for the ones
// after blanks, which the explanation shows ("  Eisen 1500" adds 0).
// A count, which such rows leave as they are, may pass over them (kAfterBlanks false).
template <bool kAfterBlanks = true, class OnRow>
void ForEachPlunderedRow(std::string_view line, OnRow&& on_row) {
    std::size_t blanks = 0;
    while (kAfterBlanks && blanks < line.size() && line[blanks] != '\0' &&
           static_cast<unsigned char>(line[blanks]) <= 0x20) {
        ++blanks;
    }
    const std::string_view opening(line.data() + blanks, line.size() - blanks);
    detail::ForEachRow(line, opening, on_row, std::make_index_sequence<ResourceTable.size()>());
}

// What the rule adds, summed into sums.
inline void AddOpeningAmount(std::string_view line, ResourceSums& sums) {
    ForEachPlunderedRow(line,
                        [&sums](std::size_t r, Tally amount, std::string_view, std::string_view) {
                            sums[r] = WrappingAdd(sums[r], amount);
                        });
}

}  // namespace korva
