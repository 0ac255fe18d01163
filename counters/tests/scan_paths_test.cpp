// The whole-text scans on every path (the fastest this CPU has, and scalar) at the edges of their
// 32-byte steps: a name or keyword line at every offset, at the very end of the text, and lines
// longer than a step. Both paths must visit the same lines with the same findings, and the
// counters must count as the plain per-row rules.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "counters/building_scan.hpp"
#include "counters/pluen_counter.hpp"
#include "counters/report_lines.hpp"
#include "counters/resource_scan.hpp"
#include "counters/sabo_counter.hpp"
#include "oracle.hpp"

namespace korva {
namespace {

struct Seen {
    std::size_t begin;
    std::string line;
    std::uint16_t named;
    std::size_t open;
    std::size_t close;
    bool nul;
    bool ascii;
    bool operator==(const Seen&) const = default;
};

std::vector<Seen> NamedLinesOf(const std::string& text, ScanPath path) {
    std::vector<Seen> seen;
    ForEachLineNamingBuildings(
        text,
        [&](const NamedLine& l) {
            seen.push_back({static_cast<std::size_t>(l.line.data() - text.data()),
                            std::string(l.line), l.named, l.marks.open, l.marks.close, l.marks.nul,
                            l.ascii});
        },
        path);
    return seen;
}

std::vector<Seen> KeywordLinesOf(const std::string& text, ScanPath path) {
    std::vector<Seen> seen;
    ForEachLineOpeningWithKeyword(
        text,
        [&](std::string_view line, bool ascii) {
            seen.push_back({static_cast<std::size_t>(line.data() - text.data()), std::string(line),
                            0, 0, 0, false, ascii});
        },
        path);
    return seen;
}

// Lines that a counter counts, each put after padding of every length from 0 to 70, with and
// without a final break, so that names, brackets and breaks fall on every side of a step.
const std::vector<std::string> kLines = {
    "Eisenmine (4)",
    "(3) 12:00 Eisenmine (4) und Bohrturm",
    "Wohngeb\xE4ude (2)",
    "Wohngeb\xC3\xA4ude (2)",  // UTF-8, named only once decoded
    std::string("Eisenmine (4\0)", 15),
    "Kohlenstoffgewinnungsanlage (7) Forschungszentrum Forschungszentrum Schiffsfabrik (9)",
    "Eisen 1500",
    "Wasserstoff\t230",
    "Sauerstoff 12 \xE4",
    "Kohlenstoff",
};

TEST(ScanPaths, AgreeAndCountAtEveryOffset) {
    for (const std::string& counted : kLines) {
        for (std::size_t pad = 0; pad <= 70; ++pad) {
            for (const char* end : {"", "\r\n", "\r", "\n"}) {
                // After it: nothing, a plain line, or brackets that belong to the next line.
                const std::string after[] = {"", std::string(pad, 'y'), "(9) Eisen 5"};
                const std::string text =
                    std::string(pad, 'x') + "\n" + counted + end + after[pad % 3];
                SCOPED_TRACE(testing::Message() << "pad " << pad << ": " << text);
                const auto named = NamedLinesOf(text, ScanPath::kFastest);
                ASSERT_EQ(named, NamedLinesOf(text, ScanPath::kScalar));
                ASSERT_EQ(KeywordLinesOf(text, ScanPath::kFastest),
                          KeywordLinesOf(text, ScanPath::kScalar));

                SaboTally sabo;
                PluenTally pluen;
                sabo.AddText(text);
                pluen.AddText(text);
                const ReportLines lines = DivideIntoLines(text);
                ASSERT_EQ(sabo.Lines(), oracle::Sabo(lines));
                ASSERT_EQ(pluen.Lines(), oracle::Pluen(lines));
            }
        }
    }
}

// What the building scan reports of a line, on the path in use.
TEST(ScanPaths, FindingsOfANamedLine) {
    struct Row {
        std::string text;
        std::uint16_t named;
        std::size_t open, close;
        bool nul, ascii;
    };
    const Row rows[] = {
        {"Eisenmine (4)", 1u << 4, 11, 13, false, true},
        {"a)b(Bohrturm", 1u << 7, 4, 2, false, true},
        {"Wohngeb\xE4ude (2)", 1u << 2, 13, 15, false, false},
        {"Wohngeb\xC3\xA4ude", 0, 0, 0, false, false},  // looked at: it may decode to a name
        {std::string("Raumhafen\0(5)", 13), 1u << 1, 11, 13, true, true},
        {"Forschungszentrum" + std::string(40, ' ') + "Raumhafen (1)", (1u << 13) | (1u << 1), 68,
         70, false, true},
    };
    for (const Row& row : rows) {
        const auto seen = NamedLinesOf("x\r\n" + row.text + "\r\ny", ScanPath::kFastest);
        ASSERT_EQ(seen.size(), 1u) << row.text;
        EXPECT_EQ(seen[0], (Seen{3, row.text, row.named, row.open, row.close, row.nul, row.ascii}));
    }
}

}  // namespace
}  // namespace korva
