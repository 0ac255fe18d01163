#include "counters/pluen_counter.hpp"

#include <cstring>
#include <utility>

#include "counters/resource_scan.hpp"
#include "counters/text_ops.hpp"

namespace korva {

namespace {

// Row r's amount when line opens with its keyword. Unrolled over the rows, so that each keyword's
// length is a constant and its comparison a few loads instead of a call.
template <std::size_t r>
void AddIfOpening(std::string_view line, std::array<Tally, ResourceTable.size()>& sums) {
    constexpr std::string_view keyword = ResourceTable[r].keyword;
    if (line.size() < keyword.size() || line[0] != keyword[0] ||
        std::memcmp(line.data(), keyword.data(), keyword.size()) != 0) {
        return;
    }
    const auto amount = TextToIntDefQuick(TextTrim(line.substr(keyword.size())), 0);
    sums[r] = WrappingAdd(sums[r], amount);
}

template <std::size_t... r>
void AddToOpening(std::string_view line, std::array<Tally, ResourceTable.size()>& sums,
                  std::index_sequence<r...>) {
    (AddIfOpening<r>(line, sums), ...);
}

}  // namespace

void PluenTally::AddLine(std::string_view line) {
    // The amount is cut from the fixed position keyword length + 1, however the keyword was
    // found. Where the keyword does not open the line, its own last letters fall inside that
    // cut ("n", "m", "r", or the "f" of "...off" without a hexadecimal prefix), so the cut never
    // converts and the row gains 0. Only a line that starts with the keyword can add, which
    // saves searching the rest of the line.
    AddToOpening(line, sums_, std::make_index_sequence<ResourceTable.size()>());
}

void PluenTally::AddText(std::string_view text) {
    AddText(text, [](std::string_view line) { return line; });
}

void PluenTally::AddText(std::string_view text, LineDecoder decode) {
    // An ASCII line is the same in every encoding: not decoded.
    ForEachLineOpeningWithKeyword(
        text, [&](std::string_view line, bool ascii) { AddLine(ascii ? line : decode(line)); });
}

void PluenTally::Add(const PluenTally& other) {
    for (std::size_t r = 0; r < sums_.size(); ++r) sums_[r] = WrappingAdd(sums_[r], other.sums_[r]);
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
