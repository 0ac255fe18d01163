// Finding the buildings a text names, in one pass.
#pragma once

#include <cstdint>
#include <string_view>

#include "counters/scans/scan_path.hpp"
#include "counters/tables/bracket_amount.hpp"
#include "counters/text/function_ref.hpp"
#include "counters/text/line_bounds.hpp"

namespace korva {

// Bit r is set when BuildingTable[r].name occurs in line before its first 0x00 byte.
std::uint16_t BuildingsNamedIn(std::string_view line);

// The sabotage rule for one Windows-1252 line: the rows it names before its first 0x00 byte, and
// what each gains (AmountBetweenBrackets). Nothing for a line that names none. The scan applies
// the same rule, with the names and brackets found in its one pass (ScanSabo).
struct SaboLine {
    std::uint16_t named = 0;
    BracketAmount amount{};
};
SaboLine SaboLineRule(std::string_view line);

// A line that may name a building, with all the sabotage count needs of it, found in one pass.
struct NamedLine {
    std::string_view line;
    std::uint16_t named;  // rows whose Windows-1252 name occurs in the line, a 0x00 notwithstanding
    LineMarks marks;      // of the whole line
    bool ascii;           // no byte above 0x7F, so the line reads the same in every encoding
};

// Calls on_line for every line of text (divided at each CR and LF) that may name a building:
// every line that does, in Windows-1252 or in UTF-8, and a few that only look alike. Lines left
// out name no building, in either encoding.
using NamedLineVisitor = FunctionRef<void(const NamedLine& line)>;
void ForEachLineNamingBuildings(std::string_view text, NamedLineVisitor on_line,
                                ScanPath path = ScanPath::kFastest);

}  // namespace korva
