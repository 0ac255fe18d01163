#include <gtest/gtest.h>

#include <random>
#include <string>
#include <vector>

#include "counters/pluen_counter.hpp"
#include "counters/sabo_counter.hpp"
#include "counters/text/cp1252.hpp"
#include "expected_result.hpp"
#include "oracle.hpp"
#include "text_pieces.hpp"

namespace korva {
namespace {

using std::string_literals::operator""s;
using std::string_view_literals::operator""sv;
using text_pieces::Pieces;

// The result lines of a list of lines, each counted on its own, as the window's box divides them.
template <class Tally>
ResultLines Counted(const ReportLines& lines) {
    Tally tally;
    for (const auto line : lines) tally.AddLine(line);
    return tally.Lines();
}

// The help text the window starts with, in Windows-1252.
const std::vector<std::string> kHelpText = {
    "Hier alle Berichte mit allen Zeiten einf\xFCgen, dann Funktion ausw\xE4hlen.", "",
    "Funktionen:", "- Pl\xFCndercounter", "- Sabotage-counter"};

std::int64_t EisenmineAfter(const std::string& line) {
    SaboTally tally;
    tally.AddLine(line);
    return tally.Counts()[4];
}

struct LineRow {
    std::string line;
    std::int64_t added;
};

TEST(SaboCounter, WhatOneLineAddsToEisenmine) {
    const LineRow rows[] = {
        {"Eisenmine (4)", 4},
        {"Eisenmine", 1},
        {"Eisenmine (4", 1},
        {"Eisenmine )4(", 1},
        {"Eisenmine ()", 1},
        {"Eisenmine (vier)", 1},
        {"Eisenmine (1.000)", 1},
        {"Eisenmine ( 4)", 4},
        {"Eisenmine (4 )", 1},
        {"Eisenmine (\t4)", 1},
        {"Eisenmine ($A)", 10},
        {"Eisenmine (0)", 0},
        {"Eisenmine (-2)", -2},
        {"(3) 12:00 Eisenmine (4)", 3},
        {"Eisenminen (2)", 2},
        {"eisenmine (2)", 0},
        {"Eisenmin (2)", 0},
        {"Eisenmine (2147483647)", 2147483647},
        {"Eisenmine (2147483648)", 1},
        {"Eisenmine (-2147483648)", INT32_MIN},
        {"Eisenmine Eisenmine (5)", 5},  // a name twice in a line counts once
        {"Eisenmine (\xA0"
         "4)",
         1},
        {"Eisenmine (4\0)"s, 1},  // a ")" after a 0x00 byte is not seen
        {"\0Eisenmine (4)"s, 0},  // ... and the text the name is searched in
        {"Eisenmine (4)\0Eisenmine"s, 4},
        {"12:05 Eisenmine (3) zerst\xF6rt", 3},
    };
    for (const auto& row : rows) EXPECT_EQ(EisenmineAfter(row.line), row.added) << row.line;
}

TEST(SaboCounter, LineNamingTwoBuildingsAddsToBoth) {
    SaboTally tally;
    tally.AddLine("Eisenmine und Bohrturm (2)");
    EXPECT_EQ(tally.Counts()[4], 2);
    EXPECT_EQ(tally.Counts()[7], 2);
    EXPECT_EQ(tally.Total(), 4);
}

TEST(SaboCounter, UmlautMatchesOnlyAsTheWindows1252Byte) {
    SaboTally tally;
    tally.AddLine("Wohngeb\xE4ude (2)");
    tally.AddLine("Wohngeb\xC3\xA4ude (5)");  // UTF-8 bytes: the caller's decoding is missing
    tally.AddLine("Wohngebaude (7)");
    EXPECT_EQ(tally.Counts()[2], 2);
}

TEST(SaboCounter, DocumentedExample) {
    const std::vector<std::string> lines = {"Eisenmine (2)", "Raumhafen",
                                            "12:05 Eisenmine (3) zerst\xF6rt"};
    EXPECT_EQ(Counted<SaboTally>(ReportLines(lines.begin(), lines.end())),
              expected::Sabo({{"Raumhafen", 1}, {"Eisenmine", 5}}, 8));
}

TEST(SaboCounter, EmptyInputAndHelpTextGiveZeros) {
    for (const auto& input : {std::vector<std::string>{}, kHelpText}) {
        EXPECT_EQ(Counted<SaboTally>(ReportLines(input.begin(), input.end())),
                  expected::Sabo({}, 0));
    }
}

TEST(SaboCounter, LargeTotalsStayExactPast32Bits) {
    SaboTally tally;
    tally.AddLine("Raumhafen (2147483647)");
    tally.AddLine("Raumhafen (1)");
    EXPECT_EQ(tally.Lines(), expected::Sabo({{"Raumhafen", 2147483648LL}}, 3 * 2147483648LL));

    SaboTally negative;
    negative.AddLine("Eisenmine (-2147483648)");
    negative.AddLine("Eisenmine (-2147483648)");
    EXPECT_EQ(negative.Total(), -4294967296LL);
}

TEST(PluenCounter, WhatOneLineAdds) {
    struct Row {
        std::string line;
        std::size_t row;  // search order
        std::int64_t added;
    };
    const Row rows[] = {
        // clang-format off
        {"Wasserstoff 300", 3, 300},
        {"Wasserstoff 300", 5, 0},
        {"Wasser 200", 5, 200},
        {"Wasser 200", 3, 0},
        {"Eisenmine (2)", 0, 0},
        {"Kohlenstoffgewinnungsanlage (1)", 2, 0},
        {"Eisen: 1500", 0, 0},
        {"  Eisen 1500", 0, 0},
        {"Eisen 1.500", 0, 0},
        {"Eisen 1500 Einheiten", 0, 0},
        {"Eisen -50", 0, -50},
        {"Eisen1500", 0, 1500},
        {"Eisen", 0, 0},
        {"Eisen 1500   \t", 0, 1500},
        {"Eisen +20", 0, 20},
        {"Eisen $14", 0, 20},
        {"Eisen 0x14", 0, 20},
        {"Wasserstoff\t230", 3, 230},
        {"eisen 100", 0, 0},
        {"Eisen \xA0" "100", 0, 0},
        {"Eisen 12\0" "34"s, 0, 12},
        {"Eisen 2147483648", 0, 0},
        {"xEisen 1500", 0, 0},
        {"Sauerstoff 5 Eisen 7", 4, 0},
        // clang-format on
    };
    for (const auto& row : rows) {
        PluenTally tally;
        tally.AddLine(row.line);
        EXPECT_EQ(tally.Sums()[row.row], row.added) << row.line;
    }
}

TEST(PluenCounter, DocumentedExampleInOutputOrder) {
    const std::vector<std::string> lines = {"Eisen 1200", "Silizium 300", "Wasserstoff 40",
                                            "Eisen 800"};
    const ResultLines result = Counted<PluenTally>(ReportLines(lines.begin(), lines.end()));
    EXPECT_EQ(result, expected::Pluen({{"Eisen", 2000}, {"Silizium", 300}, {"Wasserstoff", 40}}));
    // The old window's order, not the search order.
    const std::string_view order[] = {"Eisen",  "Silizium",   "Kohlenstoff",
                                      "Wasser", "Sauerstoff", "Wasserstoff"};
    for (std::size_t i = 0; i < std::size(order); ++i) {
        EXPECT_TRUE(result.at(i + 1).starts_with(std::string(order[i]) + " = ")) << result[i + 1];
    }
    EXPECT_EQ(Counted<PluenTally>(ReportLines(kHelpText.begin(), kHelpText.end())),
              oracle::Pluen(std::vector<std::string>{}));
}

TEST(PluenCounter, SumsStayExactPast32Bits) {
    PluenTally tally;
    tally.AddLine("Sauerstoff 2147483647");
    tally.AddLine("Sauerstoff 2147483647");
    tally.AddLine("Sauerstoff 2");
    EXPECT_EQ(tally.Lines(), expected::Pluen({{"Sauerstoff", 4294967296LL}}));
}

// An empty view may carry no pointer at all, and no libc function may be handed that null.
TEST(Counters, EmptyViewWithoutStorageAddsNothing) {
    SaboTally sabo;
    sabo.AddLine(std::string_view());
    sabo.AddText(std::string_view());
    PluenTally pluen;
    pluen.AddLine(std::string_view());
    pluen.AddText(std::string_view());
    EXPECT_EQ(sabo.Lines(), Counted<SaboTally>({}));
    EXPECT_EQ(pluen.Lines(), Counted<PluenTally>({}));
}

TEST(OutputText, EveryLineEndsInCrLf) {
    EXPECT_EQ(OutputText({"x", "", "y"}), "x\r\n\r\ny\r\n");
    EXPECT_EQ(OutputText({}), "");
    const ResultLines sabo = Counted<SaboTally>({});
    const std::string text = OutputText(sabo);
    const ReportLines back = DivideIntoLines(text);
    EXPECT_EQ(ResultLines(back.begin(), back.end()), sabo);
}

// A text of fewer than `most` pieces drawn at random: a seed draws the same texts each run.
std::string Drawn(std::mt19937& random, const std::vector<std::string>& pieces, unsigned most) {
    std::string text;
    for (auto n = random() % most; n > 0; --n) text += pieces[random() % pieces.size()];
    return text;
}

// The whole-text path, decoding where given, against plain counting of the lines it should see.
template <class... Decode>
void ExpectWholeTextAgrees(const std::string& text, const std::vector<std::string>& lines,
                           const Decode&... decode) {
    SaboTally sabo;
    sabo.AddText(text, decode...);
    ASSERT_EQ(sabo.Lines(), oracle::Sabo(lines)) << text;
    PluenTally pluen;
    pluen.AddText(text, decode...);
    ASSERT_EQ(pluen.Lines(), oracle::Pluen(lines)) << text;
}

// Random lines built from the pieces reports are made of, with the awkward bytes mixed in: the
// counters must agree with the plain per-row counting on every one of them.
TEST(Counters, AgreeWithPlainCountingOnRandomLines) {
    const std::vector<std::string> pieces = {
        "Eisenmine", "Eisen",       "Wasser",     "Wasserstoff", "stoff",      "Wohngeb\xE4ude",
        "Raumhafen", "Kohlenstoff", "Sauerstoff", "Silizium",    "Bohrturm",   "(",
        ")",         " ",           "\t",         "-",           "+",          "$",
        "0x",        "x",           "1",          "7",           "2147483647", "9",
        "A",         "f",           "\0"s,        "\xA0",        "\xE4",       "12:00",
    };
    std::mt19937 random(7);
    for (int round = 0; round < 3000; ++round) {
        std::vector<std::string> lines(1 + random() % 4);
        for (auto& line : lines) line = Drawn(random, pieces, 8);
        const ReportLines views(lines.begin(), lines.end());
        ASSERT_EQ(Counted<SaboTally>(views), oracle::Sabo(lines)) << lines[0];
        ASSERT_EQ(Counted<PluenTally>(views), oracle::Pluen(lines)) << lines[0];
    }
}

// The whole-text path skips lines it judges unable to count; it must never skip one that does.
TEST(Counters, WholeTextAgreesWithLineByLineCounting) {
    const std::vector<std::string> pieces = Pieces(
        "Eisenmine|Eisen|Wasser|Wasserstoff|Sauerstoff|Silizium|Kohlenstoff|Wohngeb\xE4ude|"
        "Planetenzentrale|Planet|Forschungszentrum|Schiffsfabrik|Bohrturm|Recyclinganlage|"
        "Rohstofflager|Waffenfabrik|Chemiefabrik|Solarpark|Raumhafen|Siliziumraffinerie|"
        "Kohlenstoffgewinnungsanlage|\r\n|\n|\r| (|)| |5|\0|x"sv);
    std::mt19937 random(99);
    for (int round = 0; round < 3000 && !testing::Test::HasFatalFailure(); ++round) {
        const std::string text = Drawn(random, pieces, 12);
        const ReportLines lines = DivideIntoLines(text);
        ExpectWholeTextAgrees(text, std::vector<std::string>(lines.begin(), lines.end()));
    }
}

// Lines are decoded only when the scan finds they may count; the result must be that of decoding
// every line first. The decoder here reads valid UTF-8 lines as UTF-8, others as they are.
TEST(Counters, WholeTextWithDecodingAgreesWithDecodingEveryLine) {
    const std::vector<std::string> pieces = Pieces(
        "Wohngeb\xC3\xA4ude|Wohngeb\xE4ude|Wohngeb|Eisen|Eisenmine|\xC3\xA4|\xE2|\xEF\xBC\x91|\r\n|"
        "\n| (|)|3|\0| |Wasser"sv);
    std::string scratch;
    const auto decode = [&scratch](std::string_view line) -> std::string_view {
        if (!IsValidUtf8(line)) return line;
        scratch = Utf8ToCp1252(line);
        return scratch == line ? line : std::string_view(scratch);
    };
    std::mt19937 random(3);
    for (int round = 0; round < 3000 && !testing::Test::HasFatalFailure(); ++round) {
        const std::string text = Drawn(random, pieces, 10);
        std::vector<std::string> decoded;
        for (const auto line : DivideIntoLines(text)) decoded.emplace_back(decode(line));
        ExpectWholeTextAgrees(text, decoded, decode);
    }
}

TEST(Counters, EveryBuildingFoundAtEveryPlaceInALongLine) {
    for (std::size_t r = 0; r < BuildingTable.size(); ++r) {
        for (std::size_t at = 0; at < 80; at += 7) {
            const std::string line = std::string(at, '.') + std::string(BuildingTable[r].name) +
                                     std::string(80 - at, ' ') + "(2)";
            SaboTally tally;
            tally.AddText("x\n" + line + "\r\ny");
            EXPECT_EQ(tally.Counts()[r], 2) << line;
            EXPECT_EQ(tally.Total(), 2 * BuildingTable[r].points) << line;
        }
    }
}

}  // namespace
}  // namespace korva
