// Which lines made each total: for every line that adds to a total, its number, what it adds to
// which row, and the line itself, as facts; frontends/printers/ writes them out. korva-count
// --explain and the web page both take their lines from here, so that both say the same.
#pragma once

#include <cstdint>
#include <string_view>

#include "counters/scans/sinks.hpp"
#include "counters/tables/counter.hpp"
#include "counters/text/function_ref.hpp"

namespace korva {

// Calls on_line for every line of text (divided as the counters divide it) that adds to a
// total, in order, numbered on from lines_before. Lines that cannot add are passed over by the
// counters' own scans, undecoded. Returns how many lines text holds.
std::uint64_t ForEachExplainedLine(Counter counter, std::string_view text, LineDecoder decode,
                                   std::uint64_t lines_before, ExplainedLineVisitor on_line);

}  // namespace korva
