// Finding the lines that can carry a plunder amount.
#pragma once

#include <string_view>

#include "counters/function_ref.hpp"

namespace korva {

// Calls on_line for every line of text (divided at each CR and LF) that may open with a resource
// keyword: every line that does, and a few that only look alike. Only such a line can add to a
// plunder sum (see PluenTally::AddLine), so counting the lines visited counts them all.
void ForEachLineOpeningWithKeyword(std::string_view text, LineVisitor on_line);

}  // namespace korva
