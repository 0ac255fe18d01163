#include "counters/text/cp1252.hpp"

#include <gtest/gtest.h>

#ifdef _WIN32
#include <windows.h>
#else
#include <iconv.h>
#endif

#include <algorithm>
#include <array>
#include <cstdio>
#include <optional>
#include <stdexcept>
#include <string>
#include <vector>

namespace korva {
namespace {

TEST(Cp1252, EveryByteRoundTripsThroughUnicode) {
    for (int b = 0; b < 256; ++b) {
        const std::string byte(1, static_cast<char>(b));
        EXPECT_EQ(Cp1252FromCodePoint(Cp1252ToCodePoint(static_cast<unsigned char>(b))), byte[0]);
        EXPECT_EQ(Utf8ToCp1252(Cp1252ToUtf8(byte)), byte) << b;
        EXPECT_EQ(Utf16ToCp1252(Cp1252ToUtf16(byte)), byte) << b;
        EXPECT_TRUE(IsValidUtf8(Cp1252ToUtf8(byte))) << b;
    }
}

// An independent table of the code page: Windows' own where the tests run on Windows (under wine,
// wine's), glibc's iconv elsewhere. nullopt where that table leaves the byte undefined.
#ifdef _WIN32
std::optional<char32_t> ReferenceCodePoint(unsigned char byte) {
    const char in = static_cast<char>(byte);
    wchar_t out = 0;
    if (MultiByteToWideChar(1252, MB_ERR_INVALID_CHARS, &in, 1, &out, 1) != 1) return std::nullopt;
    return out;
}
#else
std::optional<char32_t> ReferenceCodePoint(unsigned char byte) {
    const iconv_t converter = iconv_open("UTF-32LE", "CP1252");
    if (converter == reinterpret_cast<iconv_t>(-1)) throw std::runtime_error("iconv_open");
    char in = static_cast<char>(byte);
    unsigned char out[4] = {};
    char* in_at = &in;
    char* out_at = reinterpret_cast<char*>(out);
    std::size_t in_left = 1;
    std::size_t out_left = sizeof out;
    const std::size_t done = iconv(converter, &in_at, &in_left, &out_at, &out_left);
    iconv_close(converter);
    if (done == static_cast<std::size_t>(-1) || out_left != 0) return std::nullopt;
    return out[0] | out[1] << 8 | out[2] << 16 | static_cast<char32_t>(out[3]) << 24;
}
#endif

// The five bytes the code page leaves undefined stand for the C1 controls of their value, as on
// Windows; glibc leaves them unmapped.
constexpr std::array<unsigned char, 5> kUndefined = {0x81, 0x8D, 0x8F, 0x90, 0x9D};

bool IsUndefined(char32_t code_point) {
    return code_point < 0x100 &&
           std::find(kUndefined.begin(), kUndefined.end(), code_point) != kUndefined.end();
}

std::string Hex(char32_t value) {
    char text[16];
    std::snprintf(text, sizeof text, "%04X", static_cast<unsigned>(value));
    return text;
}

// Every byte to Unicode and back, against the independent table.
TEST(Cp1252, EveryByteBothWaysAsAnIndependentTableMapsIt) {
    std::vector<std::string> wrong;
    for (int b = 0; b < 256; ++b) {
        const auto byte = static_cast<unsigned char>(b);
        const std::optional<char32_t> reference = ReferenceCodePoint(byte);
        if (!reference && !IsUndefined(byte)) wrong.push_back("no reference for " + Hex(byte));
        const char32_t expected = reference.value_or(byte);
        if (Cp1252ToCodePoint(byte) != expected) {
            wrong.push_back("byte " + Hex(byte) + " gives U+" + Hex(Cp1252ToCodePoint(byte)) +
                            ", not U+" + Hex(expected));
        }
        if (Cp1252FromCodePoint(expected) != static_cast<char>(byte)) {
            wrong.push_back("U+" + Hex(expected) + " does not give byte " + Hex(byte));
        }
    }
    wrong.resize(std::min<std::size_t>(wrong.size(), 10));
    EXPECT_EQ(wrong, std::vector<std::string>{});
}

TEST(Cp1252, HighControlRangeAsWindowsMapsIt) {
    const std::pair<unsigned char, char32_t> rows[] = {
        {0x80, U'\u20AC'}, {0x81, U'\u0081'}, {0x8A, U'\u0160'}, {0x8D, U'\u008D'},
        {0x8F, U'\u008F'}, {0x90, U'\u0090'}, {0x9D, U'\u009D'}, {0x9F, U'\u0178'},
        {0xA0, U'\u00A0'}, {0xE4, U'\u00E4'}, {0xFF, U'\u00FF'}, {0x41, U'A'},
    };
    for (const auto& [byte, code_point] : rows) EXPECT_EQ(Cp1252ToCodePoint(byte), code_point);
}

TEST(Cp1252, CharactersItLacksBecomeQuestionMarks) {
    const std::pair<char32_t, char> rows[] = {
        {U'\uFF11', '?'},      // full-width digit one: no best fit
        {U'\u2028', '?'},      // line separator
        {U'\u0100', '?'},      // Ā
        {U'\U0001F600', '?'},  // outside the BMP
        {U'\u0080', '?'},      // C1 control that 0x80 does not stand for
        {U'\u20AC', '\x80'},  {U'\u00E4', '\xE4'},
    };
    for (const auto& [code_point, byte] : rows) EXPECT_EQ(Cp1252FromCodePoint(code_point), byte);
}

struct DecodeRow {
    const char* name;
    std::string utf8;
    std::string cp1252;
    bool valid;
};

TEST(Utf8ToCp1252, DecodesAndReplacesEachMaximalInvalidPieceOnce) {
    const DecodeRow rows[] = {
        // clang-format off
        {"ascii", "Eisenmine (4)", "Eisenmine (4)", true},
        {"umlaut", "Wohngeb\xC3\xA4ude", "Wohngeb\xE4ude", true},
        {"euro", "\xE2\x82\xAC", "\x80", true},
        {"truncated sequence keeps the next byte", "Eisenmine \xE2(4)", "Eisenmine ?(4)", false},
        {"truncated three-byte piece is one ?", "a\xE2\x82" "b", "a?b", false},
        {"stray continuation bytes", "\x80\x80", "??", false},
        {"latin-1 byte", "Wohngeb\xE4ude", "Wohngeb?ude", false},
        {"overlong slash", "\xC0\xAF", "??", false},
        {"overlong three-byte", "\xE0\x80\xAF", "???", false},
        {"surrogate", "\xED\xA0\x80", "???", false},
        {"past U+10FFFF", "\xF4\x90\x80\x80", "????", false},
        {"invalid lead bytes", "\xF5\xFF", "??", false},
        {"four-byte emoji is one ?", "\xF0\x9F\x98\x80", "?", true},
        {"truncated at the end", "x\xF0\x9F\x98", "x?", false},
        {"full-width digit", "\xEF\xBC\x91", "?", true},
        {"replacement character is valid", "\xEF\xBF\xBD", "?", true},
        {"NUL", std::string("a\0b", 3), std::string("a\0b", 3), true},
        // clang-format on
    };
    for (const auto& row : rows) {
        EXPECT_EQ(Utf8ToCp1252(row.utf8), row.cp1252) << row.name;
        EXPECT_EQ(IsValidUtf8(row.utf8), row.valid) << row.name;
    }
}

TEST(Utf16ToCp1252, SurrogatesAndUnpairedHalves) {
    const std::pair<std::u16string, std::string> rows[] = {
        {u"Wohngeb\u00E4ude", "Wohngeb\xE4ude"},
        {u"\U0001F600x", "?x"},
        {std::u16string{char16_t(0xD800), u'x'}, "?x"},
        {std::u16string{u'x', char16_t(0xDC00)}, "x?"},
        {u"\u00A012",
         "\xA0"
         "12"},
        {u"\u20AC\u0081", "\x80\x81"},
    };
    for (const auto& [utf16, cp1252] : rows) EXPECT_EQ(Utf16ToCp1252(utf16), cp1252);
}

TEST(FirstNonAscii, FindsTheFirstHighByteAtEveryPosition) {
    for (std::size_t length = 0; length <= 80; ++length) {
        const std::string ascii(length, '\x7F');
        EXPECT_EQ(FirstNonAscii(ascii, 0), std::string_view::npos) << length;
        for (std::size_t at = 0; at < length; ++at) {
            std::string text = ascii;
            text[at] = '\x80';
            if (at + 1 < length) text[length - 1] = '\xFF';
            EXPECT_EQ(FirstNonAscii(text, 0), at) << length << " " << at;
            EXPECT_EQ(FirstNonAscii(text, at), at) << length << " " << at;
            if (at + 1 < length) {
                EXPECT_EQ(FirstNonAscii(text, at + 1), length - 1);
            }
        }
    }
}

}  // namespace
}  // namespace korva
