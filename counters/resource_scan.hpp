// Finding the lines that can carry a plunder amount.
#pragma once

#include <string_view>

#include "counters/fingerprint_scan.hpp"
#include "counters/function_ref.hpp"

namespace korva {

// Calls on_line for every line of text (divided at each CR and LF) that may open with a resource
// keyword: every line that does, and a few that only look alike. Only such a line can add to a
// plunder sum (see PluenTally::AddLine), so counting the lines visited counts them all. ascii
// tells that the line holds no byte above 0x7F, so that it reads the same in every encoding.
using KeywordLineVisitor = FunctionRef<void(std::string_view line, bool ascii)>;
void ForEachLineOpeningWithKeyword(std::string_view text, KeywordLineVisitor on_line,
                                   ScanPath path = ScanPath::kFastest);

}  // namespace korva
