// The plunder scan counts short ASCII lines where it finds them, from one 32-byte load: the
// amounts it reads there must be those of the line-by-line rule, on every kernel, at the edges of
// that load (the text's start, its end, lines of 31 to 33 bytes) and for every amount that is
// not plain digits.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "counters/pluen_counter.hpp"
#include "counters/scans/resource_scan.hpp"
#include "counters/tables/keyword_amount.hpp"
#include "counters/text/report_lines.hpp"
#include "every_kernel.hpp"
#include "oracle.hpp"

namespace korva {
namespace {

using namespace std::string_literals;

struct Counted {
    ResourceSums sums;
    std::vector<std::string> non_ascii;
    bool operator==(const Counted&) const = default;
};

Counted CountedOn(const std::string& text, ScanPath path) {
    Counted counted;
    counted.sums = KeywordAmounts(
        text, [&](std::string_view line) { counted.non_ascii.emplace_back(line); }, path);
    return counted;
}

ResourceSums RuleSums(const std::string& text) {
    ResourceSums sums{};
    ForEachLine(text, [&](std::string_view line) { AddOpeningAmount(line, sums); });
    return sums;
}

TEST_P(EveryKernel, KeywordAmountsOfShortLinesAreThoseOfTheRule) {
    // Eight digits are the most read in one go. The padded Wasserstoff line has 32 bytes, its
    // break past the load; the two after it have 31.
    // clang-format off
    const std::vector<std::string> lines = {
        "Eisen 1", "Eisen 12345678", "Eisen 123456789", "Eisen 2147483647", "Eisen 2147483648",
        "Eisen 00000042", "Eisen 0", "Eisen", "Eisen   ", "Eisen1500", "Eisen 1500 \t ",
        "Eisen \t1500", "Eisen 15 00", "Eisen 1500x", "Eisen +20", "Eisen -20", "Eisen $14",
        "Eisen 0x14", "Eisen 12\0"s, "Eisen 12\0" "34"s, "Eisen \0" "12"s, "Eisenmine 12",
        "Eisberg 12", "Wasser 7", "Wasserstoff 8", "Wassers 9",
        "Wasserstoff" + std::string(20, ' ') + "1", "Sauerstoff " + std::string(19, '0') + "5",
        "Kohlenstoff " + std::string(18, ' ') + "5", "Silizium 99999999",
    };
    // clang-format on
    for (const std::string& line : lines) {
        // At the text's start, between other lines, and last without a break.
        for (const std::string& text : {line + "\nEisen 3\n" + std::string(40, 'y'),
                                        "Sauerstoff 1\r\n" + line + "\r\n" + std::string(40, 'y'),
                                        std::string(40, 'y') + "\r" + line}) {
            SCOPED_TRACE(testing::Message() << "text: " << text);
            const Counted counted = CountedOn(text, Path());
            EXPECT_EQ(counted, CountedOn(text, ScanPath::kScalar));
            EXPECT_TRUE(counted.non_ascii.empty());
            EXPECT_EQ(counted.sums, RuleSums(text));
            PluenTally tally;
            tally.AddText(text);
            EXPECT_EQ(tally.Lines(), oracle::Pluen(DivideIntoLines(text)));
        }
    }
}

// A line with a byte above 0x7F goes back to be decoded only when it opens with a keyword: no
// decoding turns other bytes into a keyword's letters.
TEST_P(EveryKernel, KeywordAmountsHandBackOnlyKeywordLinesWithHighBytes) {
    struct Row {
        std::string line;
        bool back;
    };
    const Row rows[] = {
        {"Eisen 5 \xE4", true},
        {"Eisen\xC3\xA4 5", true},
        {"Wasserstoff \xA0"
         "5",
         true},
        {"Eisberg \xE4", false},
        {"Sauerkraut \xFC", false},
        {"Kohlenstoff \xE4" + std::string(40, 'z'), true},  // longer than one load
        {"Kohle \xE4" + std::string(40, 'z'), false},
    };
    for (const Row& row : rows) {
        const std::string text = "x\n" + row.line + "\n" + std::string(40, 'y');
        const Counted counted = CountedOn(text, Path());
        EXPECT_EQ(counted.non_ascii,
                  row.back ? std::vector<std::string>{row.line} : std::vector<std::string>{})
            << row.line;
        EXPECT_EQ(counted.sums, ResourceSums{}) << row.line;
    }
}

}  // namespace
}  // namespace korva
