#include "counters/text/text_ops.hpp"

#include <gtest/gtest.h>

#include <climits>
#include <string>

namespace korva {
namespace {

using std::string_literals::operator""s;

struct PosRow {
    std::string needle, text;
    std::int64_t expected;
};

TEST(TextPos, FindsFirstOccurrenceByteForByte) {
    const PosRow rows[] = {
        {"(", "Raumhafen (3)", 11},
        {"c", "abcabc", 3},
        {"Wasser", "Wasserstoff 300", 1},
        {"eisen", "Eisen 100", 0},  // case-sensitive
        {"abc", "ab", 0},
        {"", "abc", 0},
        {"a", "", 0},
        {"\xE4", "Wohngeb\xE4ude", 8},
        {"c", "ab\0c"s, 0},  // a 0x00 byte ends the text searched
        {"b", "ab\0c"s, 2},
        {"abc", "xxabc", 3},  // match at the very end
    };
    for (const auto& row : rows) {
        EXPECT_EQ(TextPos(row.needle, row.text), row.expected) << row.needle << " in " << row.text;
    }
}

struct SubRow {
    std::int64_t index, count;
    std::string expected;
};

TEST(TextSub, CutsWithinBoundsAndNeverFails) {
    const SubRow rows[] = {
        {1, 3, "abc"},      {4, 3, "def"},          {4, 10, "def"},           {6, 1, "f"},
        {7, 1, ""},         {0, 3, "abc"},          {-5, 3, "abc"},           {2, 0, ""},
        {2, -1, ""},        {1, INT_MAX, "abcdef"}, {1, INT64_MAX, "abcdef"}, {INT64_MIN, 2, "ab"},
        {INT64_MAX, 1, ""},
    };
    for (const auto& row : rows) {
        EXPECT_EQ(TextSub("abcdef", row.index, row.count), row.expected)
            << row.index << "," << row.count;
    }
    for (const auto& row : rows) EXPECT_EQ(TextSub("", row.index, row.count), "");
}

struct IntRow {
    std::string text;
    std::int32_t expected;  // kDef where the conversion must fail
};
constexpr std::int32_t kDef = -777;

const IntRow kIntRows[] = {
    // clang-format off
    {"", kDef},
    {" ", kDef},
    {"   ", kDef},
    {"12", 12},
    {" 12", 12},
    {"   12", 12},
    {"12 ", kDef},
    {" 12 ", kDef},
    {"\t12", kDef},
    {"+12", 12},
    {"-12", -12},
    {"- 12", kDef},
    {"+-12", kDef},
    {"--12", kDef},
    {"-", kDef},
    {"+", kDef},
    {"0", 0},
    {"-0", 0},
    {"+0", 0},
    {"00", 0},
    {"007", 7},
    {"1.000", kDef},
    {"1,5", kDef},
    {"1e3", kDef},
    {"12abc", kDef},
    {"1F", kDef},
    {"$1F", 31},
    {"$1f", 31},
    {"0x1F", 31},
    {"0X1f", 31},
    {"x1F", 31},
    {"X1F", 31},
    {"  0x1F", 31},
    {"$", kDef},
    {"x", kDef},
    {"0x", kDef},
    {"-$1F", kDef},
    {"+$1F", kDef},
    {"-0x1F", kDef},
    {"$7FFFFFFF", 2147483647},
    {"$80000000", INT32_MIN},
    {"$FFFFFFFF", -1},
    {"0xffffffff", -1},
    {"$100000000", kDef},
    {"$0000000001", 1},
    {"$1G", kDef},
    {"2147483647", 2147483647},
    {"2147483648", kDef},
    {"-2147483648", INT32_MIN},
    {"-2147483649", kDef},
    {"0000000000002147483647", 2147483647},
    {"4294967295", kDef},
    {"4294967296", kDef},   // would wrap to 0 in an unchecked 32-bit accumulator
    {"21474836470", kDef},  // caught before the multiplication overflows
    {"\xA0" "12", kDef},  // no-break space is not skipped
    {"12\0" "34"s, 12},  // a 0x00 byte ends the text
    {"\0" "12"s, kDef},
    {"\x81" "1", kDef},
    {"\xEF\xBC\x91", kDef},  // full-width digit one, in any encoding
    // Where the inline reading of plain digits hands over to the full one, or gives up.
    {"123456789", 123456789},
    {"1234567890", 1234567890},
    {"000000000012", 12},
    {"12 Einheiten", kDef},
    {"0x", kDef},
    {"0x7", 7},
    {"1x7", kDef},
    {"12\0" " x"s, 12},
    // clang-format on
};

// The counters' inline reading gives what the full conversion gives, on every form.
TEST(TextToIntDef, AcceptsExactlyTheNumberFormsInBothForms) {
    for (const auto& row : kIntRows) {
        EXPECT_EQ(TextToIntDef(row.text, kDef), row.expected) << "text «" << row.text << "»";
        EXPECT_EQ(TextToIntDefQuick(row.text, kDef), row.expected) << "quick «" << row.text << "»";
    }
}

TEST(TextToIntDef, ReturnsTheCallersDefault) {
    EXPECT_EQ(TextToIntDef("nope", 1), 1);
    EXPECT_EQ(TextToIntDef("nope", 0), 0);
    EXPECT_EQ(TextToIntDef("nope", INT32_MIN), INT32_MIN);
}

TEST(TextTrim, RemovesBytesUpToSpaceAtBothEnds) {
    const std::pair<std::string, std::string> rows[] = {
        // clang-format off
        {"  12 ", "12"},
        {"\t12\r", "12"},
        {" a b ", "a b"},
        {"   ", ""},
        {"", ""},
        {"\xA0" "12", "\xA0" "12"},
        {"\x7F", "\x7F"},
        {"\0\x01 x\x1F\0"s, "x"},
        // clang-format on
    };
    for (const auto& [text, expected] : rows) EXPECT_EQ(TextTrim(text), expected);
}

// TextSub gives a view without storage for an empty cut, and the counters pass it straight on:
// no operation may hand its null pointer to a libc function (the fuzzer found TextToIntDef did).
TEST(TextOps, TakeAnEmptyViewWithoutStorage) {
    const std::string_view none;
    EXPECT_EQ(TextPos(none, "abc"), 0);
    EXPECT_EQ(TextPos("a", none), 0);
    EXPECT_EQ(TextToIntDef(none, kDef), kDef);
    EXPECT_EQ(TextToIntDef(TextSub("Eisenmine", 1, -1), kDef), kDef);
    EXPECT_EQ(TextTrim(none), "");
    EXPECT_EQ(TextSub(none, 1, 1), "");
}

TEST(IntToText, PlainDecimal) {
    const std::pair<std::int64_t, std::string> rows[] = {
        {0, "0"},
        {42, "42"},
        {-7, "-7"},
        {2147483647, "2147483647"},
        {INT32_MIN, "-2147483648"},
        {2147483648LL, "2147483648"},
        {INT64_MIN, "-9223372036854775808"},
    };
    for (const auto& [value, expected] : rows) EXPECT_EQ(IntToText(value), expected);
}

}  // namespace
}  // namespace korva
