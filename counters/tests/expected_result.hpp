// The result a player reads, written from the tables' names and labels with the figures a test
// expects: each row's figure, 0 where not named; the total given, not weighed again. Lines in
// Windows-1252, as the counters give them; Text joins them as a front end shows them.
#pragma once

#include <cstdio>
#include <cstdlib>
#include <map>
#include <string>
#include <string_view>

#include "counters/result_lines.hpp"
#include "counters/tables/tables.hpp"
#include "counters/tables/tally.hpp"
#include "counters/text/cp1252.hpp"
#include "counters/text/text_ops.hpp"

namespace korva::expected {

// Figures by building name or resource keyword, in Windows-1252.
using Figures = std::map<std::string_view, Tally>;

// A name no row has would be expected as 0 without a word: it stops the test instead.
template <class Table, class NameOf>
void RequireKnownNames(const Figures& figures, const Table& table, NameOf name_of) {
    for (const auto& named : figures) {
        bool known = false;
        for (const auto& row : table) known = known || name_of(row) == named.first;
        // No throw: the page's module and its kernel and fuzz targets are built without exceptions.
        if (!known) {
            std::fprintf(stderr, "no row named %.*s\n", static_cast<int>(named.first.size()),
                         named.first.data());
            std::abort();
        }
    }
}

inline Tally FigureOf(const Figures& figures, std::string_view name) {
    const auto found = figures.find(name);
    return found == figures.end() ? 0 : found->second;
}

inline ResultLines Sabo(const Figures& counts, Tally total) {
    RequireKnownNames(counts, BuildingTable, [](const Building& b) { return b.name; });
    ResultLines lines;
    for (const Building& building : BuildingTable) {
        lines.push_back(std::string(building.name) + "  (" +
                        IntToText(FigureOf(counts, building.name)) + ")");
    }
    lines.push_back("");
    lines.push_back(std::string(kSaboTotalLabel) + IntToText(total));
    return lines;
}

inline ResultLines Pluen(const Figures& sums) {
    RequireKnownNames(sums, ResourceTable, [](const Resource& r) { return r.keyword; });
    ResultLines lines(ResourceTable.size() + 1);
    lines[0] = kPluenHeading;
    for (const Resource& resource : ResourceTable) {
        lines.at(resource.output_line - 1) =
            std::string(resource.label) + IntToText(FigureOf(sums, resource.keyword));
    }
    return lines;
}

// Each line followed by eol; in UTF-8 unless raw, which keeps the counters' Windows-1252.
inline std::string Text(const ResultLines& lines, std::string_view eol, bool raw = false) {
    std::string text;
    for (const std::string& line : lines) text += line + std::string(eol);
    return raw ? text : Cp1252ToUtf8(text);
}

}  // namespace korva::expected
