// Plain, obviously-correct counters: every row searched in every line with the text operations,
// exactly as the counting rules read. The fast counters must always agree with these.
#pragma once

#include <array>
#include <string>
#include <string_view>
#include <vector>

#include "counters/result_lines.hpp"
#include "counters/tables/tables.hpp"
#include "counters/tables/tally.hpp"
#include "counters/tests/expected_result.hpp"
#include "counters/text/text_ops.hpp"

namespace korva::oracle {

template <class Lines>
ResultLines Sabo(const Lines& lines) {
    std::array<Tally, BuildingTable.size()> counts{};
    for (const auto& line_ : lines) {
        const std::string_view line = line_;
        for (std::size_t r = 0; r < BuildingTable.size(); ++r) {
            if (TextPos(BuildingTable[r].name, line) == 0) continue;
            const std::int64_t open = TextPos("(", line) + 1;
            const std::int64_t close = TextPos(")", line);
            counts[r] = WrappingAdd(counts[r], TextToIntDef(TextSub(line, open, close - open), 1));
        }
    }
    expected::Figures figures;
    Tally total = 0;
    for (std::size_t r = 0; r < BuildingTable.size(); ++r) {
        figures[BuildingTable[r].name] = counts[r];
        total = WrappingAdd(total, WrappingMul(counts[r], BuildingTable[r].points));
    }
    return expected::Sabo(figures, total);
}

template <class Lines>
ResultLines Pluen(const Lines& lines) {
    std::array<Tally, ResourceTable.size()> sums{};
    for (const auto& line_ : lines) {
        const std::string_view line = line_;
        for (std::size_t r = 0; r < ResourceTable.size(); ++r) {
            const std::string_view keyword = ResourceTable[r].keyword;
            if (TextPos(keyword, line) == 0) continue;
            const auto start = static_cast<std::int64_t>(keyword.size()) + 1;
            const auto amount =
                TextTrim(TextSub(line, start, static_cast<std::int64_t>(line.size())));
            sums[r] = WrappingAdd(sums[r], TextToIntDef(amount, 0));
        }
    }
    expected::Figures figures;
    for (std::size_t r = 0; r < ResourceTable.size(); ++r)
        figures[ResourceTable[r].keyword] = sums[r];
    return expected::Pluen(figures);
}

// Line division byte by byte: every CR LF, lone CR and lone LF ends a line; the empty piece
// after a final break is no line.
inline std::vector<std::string> Lines(std::string_view text) {
    std::vector<std::string> lines(1);
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (text[i] == '\r' || text[i] == '\n') {
            if (text[i] == '\r' && i + 1 < text.size() && text[i + 1] == '\n') ++i;
            lines.emplace_back();
        } else {
            lines.back().push_back(text[i]);
        }
    }
    if (lines.back().empty()) lines.pop_back();
    return lines;
}

}  // namespace korva::oracle
