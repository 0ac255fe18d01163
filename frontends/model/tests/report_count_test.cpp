// The result text both windows show: the core's result lines, each ended by CR LF, in UTF-16,
// from report text in Windows-1252 with any line breaks.
#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <string_view>

#include "counters/tests/expected_result.hpp"
#include "frontends/model/report_count.hpp"

namespace {

TEST(ReportCount, SaboResultTextAsTheBoxShowsIt) {
    const std::u16string text = korva::form::ResultBoxText(korva::form::Count(
        korva::Counter::kSabo,
        "Sabotagebericht vom 07.12.2026 14:32\r\n14:32:05 Eisenmine (3) zerst\xF6rt\r\n"
        "14:32:05 Raumhafen (1) zerst\xF6rt\n14:32:07 Wohngeb\xE4ude (2) zerst\xF6rt\r"
        "14:32:09 Forschungszentrum zerst\xF6rt"));
    const korva::expected::Figures counts = {
        {"Raumhafen", 1}, {"Wohngeb\xE4ude", 2}, {"Eisenmine", 3}, {"Forschungszentrum", 1}};
    EXPECT_EQ(text, korva::Cp1252ToUtf16(
                        korva::expected::Text(korva::expected::Sabo(counts, 11), "\r\n", true)));
}

TEST(ReportCount, PluenResultIsSevenLinesEachEndedByCrLf) {
    const std::u16string text =
        korva::form::ResultBoxText(korva::form::Count(korva::Counter::kPluen, ""));
    EXPECT_EQ(std::count(text.begin(), text.end(), u'\n'), 7);
    EXPECT_EQ(std::count(text.begin(), text.end(), u'\r'), 7);
    EXPECT_TRUE(text.ends_with(u"\r\n"));
    EXPECT_EQ(text.find(u"\r\n\r\n"), std::u16string::npos);
}

// What a screen reader is told after a count, in every front end: the line count and the totals,
// so that the figure a player counts for is heard without going into the box.
TEST(ReportCount, AnnouncementSaysTheTotals) {
    struct Case {
        korva::Counter counter;
        std::string_view report;
        std::string_view announcement;
    };
    const Case cases[] = {
        {korva::Counter::kSabo, "", "Ergebnis: 16 Zeilen, Gesamt zerstörte Punkte: 0"},
        {korva::Counter::kSabo, "Raumhafen (1) zerst\xF6rt\nWohngeb\xE4ude (2)\nEisen 5",
         "Ergebnis: 16 Zeilen, Gesamt zerstörte Punkte: 5"},
        {korva::Counter::kPluen, "",
         "Ergebnis: 7 Zeilen, Geplünderte Ressourcen gesamt: Eisen = 0, Silizium = 0, "
         "Kohlenstoff = 0, Wasser = 0, Sauerstoff = 0, Wasserstoff = 0"},
        {korva::Counter::kPluen, "Eisen 1500\r\nWasserstoff\t230\nSauerstoff -5\nWasser 2",
         "Ergebnis: 7 Zeilen, Geplünderte Ressourcen gesamt: Eisen = 1500, Silizium = 0, "
         "Kohlenstoff = 0, Wasser = 2, Sauerstoff = -5, Wasserstoff = 230"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.report);
        EXPECT_EQ(korva::form::Count(c.counter, c.report).announcement, c.announcement);
    }
}

// The page hands over its text box in UTF-8 and the windows theirs in Windows-1252: the same
// characters must count the same, "?" standing for what the code page lacks.
TEST(ReportCount, Utf8TextCountsAsItsWindows1252Form) {
    struct Case {
        std::string_view utf8;
        std::string_view cp1252;
    };
    const Case cases[] = {
        // clang-format off
        {"Wohngeb\xC3\xA4ude (2)\nEisen 1200\n", "Wohngeb\xE4ude (2)\nEisen 1200\n"},
        // A byte-order mark is a character the code page lacks, as in the windows' boxes.
        {"\xEF\xBB\xBF" "Eisen 5\nEisenmine (1)", "?Eisen 5\nEisenmine (1)"},
        {"Eisen\xE2\x80\x83" "5\nSilizium\xC2\xA0" "7", "Eisen?5\nSilizium\xA0" "7"},
        {"Eisenmine (\xF0\x9F\x98\x80)\nBohrturm (\xEF\xBC\x93)", "Eisenmine (?)\nBohrturm (?)"},
        {"\xE2\x82\xAC Eisen 7\r\nWasser\xE2\x82\xAC" "9", "\x80 Eisen 7\r\nWasser\x80" "9"},
        // Invalid pieces: one "?" each, never swallowing the byte after them.
        {"Eisenmine \xE2(4)\nEisen\xF0\x9F" "12\nRaumhafen (\xFF" "3)",
         "Eisenmine ?(4)\nEisen?12\nRaumhafen (?3)"},
        {"Wohngeb\xC3\xA4ude\rWohngeb\xC3\xA4ude (5)\r\n",
         "Wohngeb\xE4ude\rWohngeb\xE4ude (5)\r\n"},
        // clang-format on
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.cp1252);
        for (const korva::Counter counter : {korva::Counter::kSabo, korva::Counter::kPluen}) {
            EXPECT_EQ(korva::form::CountLinesUtf8(counter, c.utf8),
                      korva::form::CountLines(counter, c.cp1252));
        }
    }
}

}  // namespace
