#include "counters/scans/line_report.hpp"

#include <gtest/gtest.h>

#include <random>
#include <string>
#include <vector>

#include "counters/pluen_counter.hpp"
#include "counters/sabo_counter.hpp"
#include "counters/text/report_lines.hpp"
#include "text_pieces.hpp"

namespace korva {
namespace {

using std::string_literals::operator""s;
using std::string_view_literals::operator""sv;

struct Added {
    std::string name;
    Tally amount;
    bool unreadable;
    bool operator==(const Added&) const = default;
};

std::vector<Added> Simplified(const LineAdditions& additions) {
    std::vector<Added> out;
    for (const auto& a : additions) out.push_back({std::string(a.name), a.amount, a.unreadable});
    return out;
}

std::ostream& operator<<(std::ostream& os, const Added& a) {
    return os << a.name << ' ' << a.amount << (a.unreadable ? " unreadable" : "");
}

struct Row {
    std::string line;
    std::vector<Added> added;
};

TEST(SaboLineAdditions, NamesEveryBuildingTheLineCountsFor) {
    const Row rows[] = {
        {"Eisenmine (3) und Bohrturm (2)", {{"Eisenmine", 3, false}, {"Bohrturm", 3, false}}},
        {"Eisenmine", {{"Eisenmine", 1, false}}},
        {"Eisenmine ()", {{"Eisenmine", 1, false}}},
        {"Eisenmine )4(", {{"Eisenmine", 1, false}}},
        {"Eisenmine (vier)", {{"Eisenmine", 1, true}}},
        {"Eisenmine (1.000)", {{"Eisenmine", 1, true}}},
        {"Eisenmine (4 )", {{"Eisenmine", 1, true}}},
        {"Eisenmine (1)", {{"Eisenmine", 1, false}}},
        {"Eisenmine (0)", {{"Eisenmine", 0, false}}},
        {"Eisenmine (-2)", {{"Eisenmine", -2, false}}},
        {"(3) 12:00 Eisenmine (4)", {{"Eisenmine", 3, false}}},
        {"Wohngeb\xE4ude (2)", {{"Wohngeb\xE4ude", 2, false}}},
        {"Planetenzentrale Forschungszentrum (2)",
         {{"Planetenzentrale", 2, false}, {"Forschungszentrum", 2, false}}},
        {"eisenmine (2)", {}},
        {"\0Eisenmine (4)"s, {}},
        {"", {}},
    };
    for (const Row& row : rows) {
        EXPECT_EQ(Simplified(SaboLineAdditions(row.line)), row.added) << row.line;
    }
}

TEST(PluenLineAdditions, NamesWhatAddsAndWhatNamesAResourceButAddsNothing) {
    const Row rows[] = {
        {"Eisen 1500", {{"Eisen", 1500, false}}},
        {"Eisen1500", {{"Eisen", 1500, false}}},
        {"Eisen -50", {{"Eisen", -50, false}}},
        {"Eisen 0", {{"Eisen", 0, false}}},
        {"Eisen $14", {{"Eisen", 20, false}}},
        {"Wasserstoff\t230", {{"Wasserstoff", 230, false}}},
        // The longer keyword is the word; "Wasser" is only part of it.
        {"Wasserstoff 300", {{"Wasserstoff", 300, false}}},
        {"Wasserstoff 1.500", {{"Wasserstoff", 0, true}}},
        {"Wasser 200", {{"Wasser", 200, false}}},
        {"Eisen 1.234.567", {{"Eisen", 0, true}}},
        {"Eisen: 1500", {{"Eisen", 0, true}}},
        {"  Eisen 1500", {{"Eisen", 0, true}}},
        {"\tEisen 1500", {{"Eisen", 0, true}}},
        {"Eisen 1500 Einheiten", {{"Eisen", 0, true}}},
        {"Eisen", {{"Eisen", 0, true}}},
        {"Eisen 99999999999", {{"Eisen", 0, true}}},
        {"Eisen 5\0 und mehr"s, {{"Eisen", 5, false}}},
        // Adds although "Eisenx" is no word: "x14" is hexadecimal.
        {"Eisenx14", {{"Eisen", 20, false}}},
        // Buildings and longer words name no resource.
        {"Eisenmine (2)", {}},
        {"Eisenerz 100", {}},
        {"Kohlenstoffgewinnungsanlage (1)", {}},
        {"Eisen\xE4 100", {}},
        {"Gestohlen: Eisen 1500", {}},
        {"eisen 100", {}},
        {"", {}},
    };
    for (const Row& row : rows) {
        EXPECT_EQ(Simplified(PluenLineAdditions(row.line)), row.added) << row.line;
    }
}

// Any text of report-like words: the additions of its lines, summed row by row, are the tally.
std::string RandomReports(std::mt19937& random) {
    static const std::vector<std::string> pieces = text_pieces::Pieces(
        "Eisen|Eisenmine|Wasser|Wasserstoff|Sauerstoff|Kohlenstoff|Silizium|Bohrturm|Raumhafen| |"
        "\t|(|)|1|23|-|$F|.|\n|\r|\r\n|\0|x"sv);
    std::uniform_int_distribution<std::size_t> pick(0, pieces.size() - 1);
    std::string text;
    for (int i = 0; i < 400; ++i) text += pieces[pick(random)];
    return text;
}

TEST(LineAdditions, SumToTheTalliesOverAnyText) {
    std::mt19937 random(20261207);
    for (int round = 0; round < 200; ++round) {
        const std::string text = RandomReports(random);
        SaboTally sabo;
        PluenTally pluen;
        sabo.AddText(text);
        pluen.AddText(text);
        std::array<Tally, BuildingTable.size()> counts{};
        std::array<Tally, ResourceTable.size()> sums{};
        ForEachLine(text, [&](std::string_view line) {
            for (const auto& a : SaboLineAdditions(line)) counts[a.row] += a.amount;
            for (const auto& a : PluenLineAdditions(line)) sums[a.row] += a.amount;
        });
        ASSERT_EQ(counts, sabo.Counts()) << text;
        ASSERT_EQ(sums, pluen.Sums()) << text;
    }
}

}  // namespace
}  // namespace korva
