#include "counters/report_lines.hpp"

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

Lines Streamed(std::string_view text, std::size_t chunk_size) {
    Lines lines;
    const auto collect = [&lines](std::string_view line) { lines.emplace_back(line); };
    LineDivider divider;
    for (std::size_t i = 0; i < text.size(); i += chunk_size) {
        divider.Feed(text.substr(i, chunk_size), collect);
    }
    divider.Finish(collect);
    return lines;
}

struct DivisionRow {
    const char* name;
    std::string text;
    Lines expected;
};

const DivisionRow kDivisionRows[] = {
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
    {"other controls do not break",
     "a\vb\fc\x85"
     "d",
     {"a\vb\fc\x85"
      "d"}},
    {"NUL kept inside a line", std::string("a\0b\nc", 5), {std::string("a\0b", 3), "c"}},
};

TEST(LineDivision, WholeText) {
    for (const auto& row : kDivisionRows) EXPECT_EQ(Divided(row.text), row.expected) << row.name;
}

TEST(LineDivision, StreamedInChunksOfEverySize) {
    for (const auto& row : kDivisionRows) {
        for (std::size_t chunk = 1; chunk <= row.text.size() + 1; ++chunk) {
            EXPECT_EQ(Streamed(row.text, chunk), row.expected) << row.name << ", chunk " << chunk;
        }
    }
}

// An empty view may carry no pointer at all; found by fuzzing (memchr was handed the null).
TEST(LineDivision, EmptyViewWithoutStorage) {
    EXPECT_TRUE(DivideIntoLines(std::string_view()).empty());
    Lines lines;
    const auto collect = [&lines](std::string_view line) { lines.emplace_back(line); };
    LineDivider divider;
    for (const std::string_view chunk :
         {std::string_view(), std::string_view("ab"), std::string_view(), std::string_view("c\r"),
          std::string_view(), std::string_view("\nd")}) {
        divider.Feed(chunk, collect);
    }
    divider.Finish(collect);
    EXPECT_EQ(lines, (Lines{"abc", "d"}));
}

TEST(LineDivision, LongLinesAreNeverCut) {
    const std::string line(100'000, 'x');
    EXPECT_EQ(Divided(line + "\r\n" + line), (Lines{line, line}));
    EXPECT_EQ(Streamed(line + "\r\n" + line, 4096), (Lines{line, line}));
}

TEST(LineDivision, AgreesWithByteByByteDivisionOnRandomText) {
    std::mt19937 random(20261207);
    const char alphabet[] = {'a', ' ', '\r', '\n', '\0', '\xE4'};
    for (int round = 0; round < 2000; ++round) {
        std::string text(random() % 40, 'a');
        for (auto& c : text) c = alphabet[random() % sizeof alphabet];
        const Lines expected = oracle::Lines(text);
        EXPECT_EQ(Divided(text), expected);
        EXPECT_EQ(Streamed(text, 1 + random() % 7), expected);
    }
}

}  // namespace
}  // namespace korva
