// Which lines made each total: for every line that adds to a total, its number, what it adds to
// which row, and the line itself. korva-count --explain and the web page both take their rows
// from here, so that both say the same for the same text.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

#include "counters/scans/sinks.hpp"
#include "counters/tables/counter.hpp"
#include "counters/text/function_ref.hpp"

namespace korva {

// How many characters of a line are shown; a longer one is cut and ends in "…".
inline constexpr std::size_t kShownCharacters = 200;

// "bericht.txt:12: Eisenmine +3, Bohrturm +3 | Eisenmine (3) und Bohrturm (2)" with place
// "bericht.txt:12" (UTF-8), without a line break. Control characters, in the place too, are
// shown in caret notation ("^I" for a tab) so that no byte of a report can steer a terminal.
std::string ExplainedRow(Counter counter, std::string_view place, const ExplainedLine& line);
void AppendExplainedRow(std::string& out, Counter counter, std::string_view place,
                        const ExplainedLine& line);

// {"file":"-","line":12,"added":[{"name":"Eisenmine","count":3,"readable":true}],
// "text":"...","cut":false}; "amount" instead of "count" for the plunder counter. file is UTF-8.
std::string ExplainedJson(Counter counter, std::string_view file, const ExplainedLine& line);

// Calls on_line for every line of text (divided as the counters divide it) that adds to a
// total, in order, numbered on from lines_before. Lines that cannot add are passed over by the
// counters' own scans, undecoded. Returns how many lines text holds.
std::uint64_t ForEachExplainedLine(Counter counter, std::string_view text, LineDecoder decode,
                                   std::uint64_t lines_before, ExplainedLineVisitor on_line);

}  // namespace korva
