#include "counters/pluen_counter.hpp"

#include "counters/resource_scan.hpp"
#include "counters/text_ops.hpp"

namespace korva {

void PluenTally::AddLine(std::string_view line) {
    // The amount is cut from the fixed position keyword length + 1, however the keyword was
    // found. Where the keyword does not open the line, its own last letters fall inside that
    // cut ("n", "m", "r", or the "f" of "...off" without a hexadecimal prefix), so the cut never
    // converts and the row gains 0. Only a line that starts with the keyword can add, which
    // saves searching the rest of the line.
    for (std::size_t r = 0; r < ResourceTable.size(); ++r) {
        const std::string_view keyword = ResourceTable[r].keyword;
        if (!line.starts_with(keyword)) continue;
        const auto amount = TextToIntDef(TextTrim(line.substr(keyword.size())), 0);
        sums_[r] = WrappingAdd(sums_[r], amount);
    }
}

void PluenTally::AddText(std::string_view text) {
    AddText(text, [](std::string_view line) { return line; });
}

void PluenTally::AddText(std::string_view text, LineDecoder decode) {
    ForEachLineOpeningWithKeyword(text, [&](std::string_view line) { AddLine(decode(line)); });
}

ResultLines PluenTally::Lines() const {
    ResultLines lines(ResourceTable.size() + 1);
    lines[0] = kPluenHeading;
    for (std::size_t r = 0; r < ResourceTable.size(); ++r) {
        const Resource& resource = ResourceTable[r];
        lines[resource.output_line - 1] = std::string(resource.label) + IntToText(sums_[r]);
    }
    return lines;
}

ResultLines PluenCounter(const ReportLines& lines) {
    PluenTally tally;
    for (const auto line : lines) tally.AddLine(line);
    return tally.Lines();
}

}  // namespace korva
