#include "counters/text/report_lines.hpp"

#include <gtest/gtest.h>

#include <random>
#include <string>
#include <vector>

#include "oracle.hpp"

namespace korva {
namespace {

using Lines = std::vector<std::string>;

Lines Divided(std::string_view text) {
    const ReportLines views = DivideIntoLines(text);
    return Lines(views.begin(), views.end());
}

struct DivisionRow {
    const char* name;
    std::string text;
    Lines expected;
};

const DivisionRow kDivisionRows[] = {
    // clang-format off
    {"empty", "", {}},
    {"one line", "abc", {"abc"}},
    {"final break dropped", "abc\r\n", {"abc"}},
    {"only one empty line dropped", "abc\r\n\r\n", {"abc", ""}},
    {"leading empty line", "\r\nabc", {"", "abc"}},
    {"inner empty line", "a\r\n\r\nb", {"a", "", "b"}},
    {"last line of blanks counts", "a\r\n   ", {"a", "   "}},
    {"lone LF", "a\nb\n", {"a", "b"}},
    {"lone CR", "a\rb\r", {"a", "b"}},
    {"CR CR LF is two breaks", "a\r\r\nb", {"a", "", "b"}},
    {"LF CR is two breaks", "a\n\rb", {"a", "", "b"}},
    {"only breaks", "\r\n\n\r", {"", "", ""}},
    {"one break", "\n", {""}},
    {"other controls do not break", "a\vb\fc\x85" "d", {"a\vb\fc\x85" "d"}},
    {"NUL kept inside a line", std::string("a\0b\nc", 5), {std::string("a\0b", 3), "c"}},
    // clang-format on
};

TEST(LineDivision, WholeText) {
    for (const auto& row : kDivisionRows) EXPECT_EQ(Divided(row.text), row.expected) << row.name;
}

// An empty view may carry no pointer at all; found by fuzzing (memchr was handed the null).
TEST(LineDivision, EmptyViewWithoutStorage) {
    EXPECT_TRUE(DivideIntoLines(std::string_view()).empty());
}

TEST(LineDivision, LongLinesAreNeverCut) {
    const std::string line(100'000, 'x');
    EXPECT_EQ(Divided(line + "\r\n" + line), (Lines{line, line}));
}

TEST(LineDivision, AgreesWithByteByByteDivisionOnRandomText) {
    std::mt19937 random(20261207);
    const char alphabet[] = {'a', ' ', '\r', '\n', '\0', '\xE4'};
    for (int round = 0; round < 2000; ++round) {
        std::string text(random() % 40, 'a');
        for (auto& c : text) c = alphabet[random() % sizeof alphabet];
        const Lines expected = oracle::Lines(text);
        EXPECT_EQ(Divided(text), expected);
    }
}

}  // namespace
}  // namespace korva
