#include "counters/line_bounds.hpp"

#include <gtest/gtest.h>

#include <random>
#include <string>

namespace korva {
namespace {

// Lines from empty to a few hundred bytes, so that the 32-byte steps meet every edge.
TEST(LineBounds, AgreeWithAByteByByteSearchAtEveryPosition) {
    std::mt19937 random(17);
    for (int round = 0; round < 300; ++round) {
        std::string text;
        while (text.size() < 400) {
            text += std::string(random() % (round % 3 == 0 ? 200 : 40), 'x');
            text += "\r\n\r\n\n"[random() % 5];
        }
        for (std::size_t at = 0; at < text.size(); ++at) {
            std::size_t begin = at;
            while (begin > 0 && text[begin - 1] != '\r' && text[begin - 1] != '\n') --begin;
            std::size_t end = at;
            while (end < text.size() && text[end] != '\r' && text[end] != '\n') ++end;
            ASSERT_EQ(LineBegin(text, at), begin) << at;
            ASSERT_EQ(LineEnd(text, at), end) << at;
        }
    }
}

TEST(LineBounds, TextWithoutBreaks) {
    const std::string text(100, 'x');
    EXPECT_EQ(LineBegin(text, 99), 0u);
    EXPECT_EQ(LineEnd(text, 0), 100u);
    EXPECT_EQ(LineEnd(text, 100), 100u);
    EXPECT_EQ(LineBegin("", 0), 0u);
    EXPECT_EQ(LineEnd("", 0), 0u);
}

// The marks of the first "(" and ")" and of any 0x00 byte, wherever they fall in the 32-byte steps.
TEST(LineMarks, FirstBracketsAndNulAnywhere) {
    std::mt19937 random(23);
    const char alphabet[] = {'(', ')', '\0', 'x', 'x', 'x', 'x', 'x', 'x', 'x'};
    for (int round = 0; round < 3000; ++round) {
        std::string line(random() % 100, 'x');
        for (auto& c : line) c = alphabet[random() % sizeof alphabet];
        const LineMarks marks = MarksOf(line);
        EXPECT_EQ(marks.open, line.find('(') + 1) << line;  // npos + 1 is 0
        EXPECT_EQ(marks.close, line.find(')') + 1) << line;
        EXPECT_EQ(marks.nul, line.find('\0') != std::string::npos) << line;
    }
}

}  // namespace
}  // namespace korva
