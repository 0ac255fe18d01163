#include "counters/pluen_counter.hpp"

#include "counters/scans/sinks.hpp"
#include "counters/tables/keyword_amount.hpp"
#include "counters/text/text_ops.hpp"

namespace korva {

void PluenTally::AddLine(std::string_view line) {
    AddOpeningAmount(line, sums_);
}

void PluenTally::AddText(std::string_view text) {
    AddText(text, [](std::string_view line) { return line; });
}

void PluenTally::AddText(std::string_view text, LineDecoder decode) {
    PluenTallySink sink;
    ScanPluen(text, decode, sink);
    Add(sink.sums);
}

void PluenTally::AddText(std::string_view text, LineDecoder decode, ExplanationSink& explanation) {
    BothSinks<PluenTallySink> sink{{}, explanation};
    ScanPluen(text, decode, sink);
    Add(sink.tally.sums);
}

void PluenTally::Add(const PluenTally& other) {
    Add(other.sums_);
}

void PluenTally::Add(const ResourceSums& sums) {
    for (std::size_t r = 0; r < sums_.size(); ++r) sums_[r] = WrappingAdd(sums_[r], sums[r]);
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

}  // namespace korva
