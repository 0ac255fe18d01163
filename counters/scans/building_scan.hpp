// Finding the buildings a text names, in one pass.
#pragma once

#include <string_view>

#include "counters/kernels/kernel_table.hpp"
#include "counters/kernels/scan_path.hpp"
#include "counters/tables/bracket_amount.hpp"
#include "counters/text/line_bounds.hpp"

namespace korva {

// Bit r is set when BuildingTable[r].name occurs in line before its first 0x00 byte.
kernels::BuildingBits BuildingsNamedIn(std::string_view line);

// The sabotage rule for one Windows-1252 line: the rows it names before its first 0x00 byte, and
// what each gains (AmountBetweenBrackets). Nothing for a line that names none. The scan applies
// the same rule, with the names and brackets found in its one pass (ScanSabo).
struct SaboLine {
    kernels::BuildingBits named = 0;
    BracketAmount amount{};
};
SaboLine SaboLineRule(std::string_view line);

// Hands sink what a line the sabotage scan found adds. An ASCII line is the same in every
// encoding: not decoded. What the scan found holds for the line as it stands, unless decoding
// changed it or a 0x00 byte hides part of it from the name search; then the rule looks anew.
template <class Sink>
void SaboLineFound(const NamedLine& found, LineDecoder decode, Sink& sink) {
    const std::string_view line = found.ascii ? found.line : decode(found.line);
    if (found.marks.nul || line.data() != found.line.data() || line.size() != found.line.size()) {
        const SaboLine rule = SaboLineRule(line);
        if (rule.named == 0) return;
        sink.Named(rule.named, rule.amount);
    } else {
        if (found.named == 0) return;
        sink.Named(found.named, AmountBetweenBrackets(line, found.marks));
    }
    sink.EndLine(found.line, line);
}

// Calls on_line for every line of text (divided at each CR and LF) that may name a building:
// every line that does, in Windows-1252 or in UTF-8, and a few that only look alike. Lines left
// out name no building, in either encoding.
void ForEachLineNamingBuildings(std::string_view text, NamedLineVisitor on_line,
                                ScanPath path = ScanPath::kFastest);

}  // namespace korva
