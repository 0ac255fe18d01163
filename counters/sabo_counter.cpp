#include "counters/sabo_counter.hpp"

#include "counters/building_scan.hpp"
#include "counters/text_ops.hpp"

namespace korva {

void SaboTally::AddLine(std::string_view line) {
    const std::uint16_t named = BuildingsNamedIn(line);
    if (named == 0) return;
    // The first "(" and the first ")" of the whole line decide, wherever the name stands.
    const std::int64_t open = TextPos("(", line) + 1;
    const std::int64_t close = TextPos(")", line);
    const Tally amount = TextToIntDef(TextSub(line, open, close - open), 1);
    for (std::size_t r = 0; r < counts_.size(); ++r) {
        if (named & (1u << r)) counts_[r] = WrappingAdd(counts_[r], amount);
    }
}

void SaboTally::AddText(std::string_view text) {
    auto add = [this](std::string_view line) { AddLine(line); };
    ForEachLineNamingBuildings(text, add);
}

Tally SaboTally::Total() const {
    Tally total = 0;
    for (std::size_t r = 0; r < counts_.size(); ++r) {
        total = WrappingAdd(total, WrappingMul(counts_[r], BuildingTable[r].points));
    }
    return total;
}

ResultLines SaboTally::Lines() const {
    ResultLines lines;
    lines.reserve(BuildingTable.size() + 2);
    for (std::size_t r = 0; r < counts_.size(); ++r) {
        lines.push_back(std::string(BuildingTable[r].name) + "  (" + IntToText(counts_[r]) + ")");
    }
    lines.emplace_back();
    lines.push_back(std::string(kSaboTotalLabel) + IntToText(Total()));
    return lines;
}

ResultLines SaboCounter(const ReportLines& lines) {
    SaboTally tally;
    for (const auto line : lines) tally.AddLine(line);
    return tally.Lines();
}

}  // namespace korva
