#include "counters/sabo_counter.hpp"

#include "counters/scans/building_scan.hpp"
#include "counters/text/line_bounds.hpp"
#include "counters/text/text_ops.hpp"

namespace korva {

void SaboTally::AddLine(std::string_view line) {
    // Neither the names nor the brackets are looked for past a 0x00 byte; the number between
    // the brackets then lies before it too.
    line = UpToNul(line);
    if (const kernels::BuildingBits named = BuildingsNamedIn(line))
        AddToNamed(line, named, MarksOf(line));
}

namespace {

// The number between the brackets, or 1.
Tally AmountBetween(std::string_view line, const LineMarks& marks) {
    // The first "(" and the first ")" of the whole line decide, wherever the name stands. The
    // line holds no 0x00 byte here, so its marks are where TextPos would find them.
    const auto open = static_cast<std::int64_t>(marks.open) + 1;
    const auto close = static_cast<std::int64_t>(marks.close);
    return TextToIntDefQuick(TextSub(line, open, close - open), 1);
}

}  // namespace

void SaboTally::AddToNamed(std::string_view line, kernels::BuildingBits named,
                           const LineMarks& marks) {
    const Tally amount = AmountBetween(line, marks);
    // Only the rows named: a line names one to three buildings, and a test of all fourteen
    // costs a mispredicted branch for most.
    for (unsigned rows = named; rows; rows &= rows - 1) {
        Tally& count = counts_[static_cast<std::size_t>(__builtin_ctz(rows))];
        count = WrappingAdd(count, amount);
    }
}

void SaboTally::AddText(std::string_view text) {
    AddText(text, [](std::string_view line) { return line; });
}

void SaboTally::AddText(std::string_view text, LineDecoder decode) {
    ForEachLineNamingBuildings(text, [&](const NamedLine& found) {
        // An ASCII line is the same in every encoding: not decoded. What the scan found holds
        // for the line as it stands, unless decoding changed it or a 0x00 byte hides part of it
        // from the name search.
        const std::string_view decoded = found.ascii ? found.line : decode(found.line);
        if (found.marks.nul || decoded.data() != found.line.data() ||
            decoded.size() != found.line.size()) {
            AddLine(decoded);
        } else if (found.named != 0) {
            AddToNamed(found.line, found.named, found.marks);
        }
    });
}

void SaboTally::Add(const SaboTally& other) {
    for (std::size_t r = 0; r < counts_.size(); ++r)
        counts_[r] = WrappingAdd(counts_[r], other.counts_[r]);
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
