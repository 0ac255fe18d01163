// The plunder count's rule for one line, inline: the scan that finds the lines applies it where it
// stands, and PluenTally::AddLine to any line it is given.
#pragma once

#include <array>
#include <cstring>
#include <string_view>
#include <utility>

#include "counters/tables/tables.hpp"
#include "counters/tables/tally.hpp"
#include "counters/text/text_ops.hpp"

namespace korva {

// In search order, as ResourceTable.
using ResourceSums = std::array<Tally, ResourceTable.size()>;

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
