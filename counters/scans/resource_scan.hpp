// Finding the lines that can carry a plunder amount.
#pragma once

#include <string_view>

#include "counters/kernels/kernel_table.hpp"
#include "counters/kernels/scan_path.hpp"
#include "counters/tables/keyword_amount.hpp"

namespace korva {

// Calls on_line for every line of text (divided at each CR and LF) that may open with a resource
// keyword: every line that does, and a few that only look alike. Only such a line can add to a
// plunder sum (see PluenTally::AddLine), so counting the lines visited counts them all. ascii
// tells that the line holds no byte above 0x7F, so that it reads the same in every encoding.
void ForEachLineOpeningWithKeyword(std::string_view text, KeywordLineVisitor on_line,
                                   ScanPath path = ScanPath::kFastest);

// The same for the lines that may open with a keyword after blanks (bytes up to 0x20 but line
// breaks): the lines an explanation shows though they add 0, such as "  Eisen 1500".
void ForEachLineOpeningWithKeywordAfterBlanks(std::string_view text, KeywordLineVisitor on_line,
                                              ScanPath path = ScanPath::kFastest);

// What the lines of text opening with a keyword add (ForEachPlunderedRow), counted by the scan
// itself for the lines without bytes above 0x7F, which read the same in every encoding. Each other
// line that opens with a keyword goes to on_non_ascii instead, for the caller to decode and count;
// decoding never makes or unmakes a keyword's (ASCII) letters, so no other line could add.
ResourceSums KeywordAmounts(std::string_view text, NonAsciiLineVisitor on_non_ascii,
                            ScanPath path = ScanPath::kFastest);

}  // namespace korva
