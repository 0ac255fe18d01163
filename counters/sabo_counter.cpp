#include "counters/sabo_counter.hpp"

#include "counters/scans/building_scan.hpp"
#include "counters/scans/sinks.hpp"
#include "counters/text/text_ops.hpp"

namespace korva {

void SaboTally::AddLine(std::string_view line) {
    const SaboLine rule = SaboLineRule(line);
    SaboTallySink sink;
    sink.Named(rule.named, rule.amount);
    Add(sink.counts);
}

void SaboTally::AddText(std::string_view text) {
    AddText(text, [](std::string_view line) { return line; });
}

void SaboTally::AddText(std::string_view text, LineDecoder decode) {
    SaboTallySink sink;
    ScanSabo(text, decode, sink);
    Add(sink.counts);
}

void SaboTally::AddText(std::string_view text, LineDecoder decode, ExplanationSink& explanation) {
    BothSinks<SaboTallySink> sink{{}, explanation};
    ScanSabo(text, decode, sink);
    Add(sink.tally.counts);
}

void SaboTally::Add(const SaboTally& other) {
    Add(other.counts_);
}

void SaboTally::Add(const std::array<Tally, BuildingTable.size()>& counts) {
    for (std::size_t r = 0; r < counts_.size(); ++r)
        counts_[r] = WrappingAdd(counts_[r], counts[r]);
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

}  // namespace korva
