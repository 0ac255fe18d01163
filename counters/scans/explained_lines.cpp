#include "counters/scans/explained_lines.hpp"

namespace korva {

std::uint64_t ForEachExplainedLine(Counter counter, std::string_view text, LineDecoder decode,
                                   std::uint64_t lines_before, ExplainedLineVisitor on_line) {
    ExplanationSink sink(text, lines_before, on_line);
    if (counter == Counter::kSabo) {
        ScanSabo(text, decode, sink);
    } else {
        ScanPluen(text, decode, sink);
    }
    return sink.LastLine();
}

}  // namespace korva
