// The sabotage rule's number, inline: every building a line names gains the number between the
// line's first "(" and its first ")", wherever they stand, or 1 when that does not convert. The
// scan applies it where it finds a named line, SaboLineRule to any line it is given.
#pragma once

#include <cstdint>
#include <string_view>

#include "counters/kernels/line_facts.hpp"
#include "counters/tables/tally.hpp"
#include "counters/text/text_ops.hpp"

namespace korva {

struct BracketAmount {
    Tally amount;
    std::string_view text;  // what stood between the brackets, meant as the number
};

// line holds no 0x00 byte before its marks, so that they are where TextPos would find them.
inline BracketAmount AmountBetweenBrackets(std::string_view line, const LineMarks& marks) {
    const auto open = static_cast<std::int64_t>(marks.open) + 1;
    const auto close = static_cast<std::int64_t>(marks.close);
    const std::string_view inner = TextSub(line, open, close - open);
    return {TextToIntDefQuick(inner, 1), inner};
}

}  // namespace korva
