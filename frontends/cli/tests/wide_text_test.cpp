#include "frontends/cli/wide_text.hpp"

#include <gtest/gtest.h>

#include <string>

namespace korva::cli {
namespace {

TEST(WideText, NamesRoundTripAsUtf8) {
    const struct {
        const char* name;
        std::u16string wide;
        std::string utf8;
    } rows[] = {
        // clang-format off
        {"empty", u"", ""},
        {"ASCII", u"a.txt", "a.txt"},
        {"umlaut, two bytes", u"Bericht \u00E4.txt", "Bericht \xC3\xA4.txt"},
        {"euro sign, three bytes", u"\u20AC", "\xE2\x82\xAC"},
        {"last character before the surrogates", u"\uD7FF", "\xED\x9F\xBF"},
        {"a pair: one four-byte character", u"\U0001F600", "\xF0\x9F\x98\x80"},
        {"highest code point", u"\U0010FFFF", "\xF4\x8F\xBF\xBF"},
        // Legal in Windows file names: kept as the three bytes of their own value.
        {"lone high surrogate", u"a\xD800" u"b", "a\xED\xA0\x80" "b"},
        {"lone low surrogate", u"\xDC00", "\xED\xB0\x80"},
        {"high surrogate at the end", u"x\xDBFF", "x\xED\xAF\xBF"},
        {"two highs, then a pair", u"\xD800\xD800\xDC00", "\xED\xA0\x80\xF0\x90\x80\x80"},
        // clang-format on
    };
    for (const auto& row : rows) {
        EXPECT_EQ(Utf8FromWide(row.wide), row.utf8) << row.name;
        EXPECT_EQ(WideFromUtf8(row.utf8), row.wide) << row.name;
    }
}

TEST(WideText, BytesNoNameCanHoldBecomeOneReplacementEach) {
    const struct {
        const char* name;
        std::string utf8;
        std::u16string wide;
    } rows[] = {
        {"stray continuation byte", "a\x80z", u"a\uFFFDz"},
        {"cut-off sequence at the end", "a\xE2\x82", u"a\uFFFD\uFFFD"},
        {"lead byte before ASCII", "\xE2(", u"\uFFFD("},
        {"overlong slash", "\xC0\xAF", u"\uFFFD\uFFFD"},
        {"overlong three-byte form", "\xE0\x80\xAF", u"\uFFFD\uFFFD\uFFFD"},
        {"past U+10FFFF", "\xF4\x90\x80\x80", u"\uFFFD\uFFFD\uFFFD\uFFFD"},
        {"0xFF", "\xFF", u"\uFFFD"},
    };
    for (const auto& row : rows) {
        EXPECT_EQ(WideFromUtf8(row.utf8), row.wide) << row.name;
    }
}

}  // namespace
}  // namespace korva::cli
