#include <gtest/gtest.h>

#include <random>
#include <string>
#include <vector>

#include "counters/pluen_counter.hpp"
#include "counters/sabo_counter.hpp"
#include "counters/tests/text_pieces.hpp"
#include "counters/text/report_lines.hpp"
#include "frontends/cli/input.hpp"
#include "frontends/cli/tests/decoded_at_once.hpp"

namespace korva::cli {
namespace {

using Lines = std::vector<std::string>;
using std::string_view_literals::operator""sv;
using text_pieces::Pieces;
using text_pieces::Utf16Bytes;

Lines Decode(std::string_view bytes, Encoding encoding, std::size_t chunk_size) {
    Lines lines;
    ForEachDecodedLine(
        bytes, encoding, [&](std::string_view line) { lines.emplace_back(line); }, chunk_size);
    return lines;
}

struct DecodeRow {
    const char* name;
    std::string bytes;
    Encoding encoding;
    Lines lines;
};

// Every row is fed whole and in chunks of every small size, so that each break, mark,
// multi-byte character and surrogate pair is also split across reads.
void ExpectRows(const std::vector<DecodeRow>& rows) {
    for (const DecodeRow& row : rows) {
        for (const std::size_t chunk :
             {std::size_t{1}, std::size_t{2}, std::size_t{3}, std::size_t{4}, std::size_t{5},
              std::size_t{7}, static_cast<std::size_t>(-1)}) {
            EXPECT_EQ(Decode(row.bytes, row.encoding, chunk), row.lines)
                << row.name << ", chunks of " << chunk;
        }
    }
}

constexpr Encoding kAuto = Encoding::kAuto;
constexpr Encoding kUtf8 = Encoding::kUtf8;
constexpr Encoding kCp1252 = Encoding::kCp1252;

TEST(DecodedLines, DivideOnEveryKindOfBreak) {
    using namespace std::string_literals;
    ExpectRows({
        {"empty", "", kAuto, {}},
        {"no final break", "abc", kAuto, {"abc"}},
        {"final CR LF dropped", "abc\r\n", kAuto, {"abc"}},
        {"only the last empty line is dropped", "a\r\n\r\n", kAuto, {"a", ""}},
        {"lone CR and lone LF", "a\rb\nc\r\n\nd", kAuto, {"a", "b", "c", "", "d"}},
        {"LF CR is two breaks", "a\n\rb", kAuto, {"a", "", "b"}},
        {"CR CR LF", "a\r\r\nb", kCp1252, {"a", "", "b"}},
        {"VT and FF stay inside the line", "a\vb\fc", kAuto, {"a\vb\fc"}},
        {"U+2028 is no break, and Windows-1252 lacks it", "a\xE2\x80\xA8z", kAuto, {"a?z"}},
        {"NEL is no break", "a\xC2\x85z", kUtf8, {"a?z"}},
        {"NEL byte in Windows-1252 is no break", "a\x85z", kCp1252, {"a\x85z"}},
        {"zero bytes are kept", "a\0b\n"s, kAuto, {"a\0b"s}},
    });
}

TEST(DecodedLines, SkipOneUtf8MarkAtTheStartInEveryMode) {
    const std::string kMark = "\xEF\xBB\xBF";
    ExpectRows({
        {"auto", kMark + "Eisen 5\n", kAuto, {"Eisen 5"}},
        {"utf-8", kMark + "Eisen 5\n", kUtf8, {"Eisen 5"}},
        {"cp1252", kMark + "Eisen 5\n", kCp1252, {"Eisen 5"}},
        {"mark alone", "\xEF\xBB\xBF", kAuto, {}},
        {"mark then break", "\xEF\xBB\xBF\r\n", kAuto, {""}},
        {"second mark is text: U+FEFF", "\xEF\xBB\xBF\xEF\xBB\xBFx", kAuto, {"?x"}},
        {"second mark kept as bytes", "\xEF\xBB\xBF\xEF\xBB\xBFx", kCp1252, {"\xEF\xBB\xBFx"}},
        {"mark on a later line is text", "a\n" + kMark + "b", kUtf8, {"a", "?b"}},
        {"start of a mark only, auto", "\xEF\xBB", kAuto, {"\xEF\xBB"}},
        {"start of a mark only, utf-8", "\xEF\xBB", kUtf8, {"?"}},
        {"start of a mark then text", "\xEF\xBBx\n", kCp1252, {"\xEF\xBBx"}},
        {"start of a mark then break", "\xEF\r\nx", kUtf8, {"?", "x"}},
    });
}

TEST(DecodedLines, AutoDecidesEachLineOnItsOwn) {
    ExpectRows({
        // clang-format off
        {"utf-8 and windows-1252 lines mixed",
         "Wohngeb\xC3\xA4ude (2)\r\nWohngeb\xE4ude (3)\r\n",
         kAuto,
         {"Wohngeb\xE4ude (2)", "Wohngeb\xE4ude (3)"}},
        {"euro sign in utf-8", "\xE2\x82\xAC", kAuto, {"\x80"}},
        {"one invalid byte keeps the whole line as bytes",
         "\xC3\xA4 \xE4", kAuto, {"\xC3\xA4 \xE4"}},
        {"truncated sequence before an ascii byte",
         "Eisenmine \xE2(4)", kAuto, {"Eisenmine \xE2(4)"}},
        {"full-width digit is no digit", "Eisenmine (\xEF\xBC\x94)", kAuto, {"Eisenmine (?)"}},
        {"a long line decoded after a short one keeps nothing of it",
         "\xC3\xA4\xC3\xA4\xC3\xA4\xC3\xA4\n\xC3\xBC\n", kAuto, {"\xE4\xE4\xE4\xE4", "\xFC"}},
        // clang-format on
    });
}

TEST(DecodedLines, Utf8ReplacesEachInvalidPieceWithOneQuestionMark) {
    ExpectRows({
        {"umlaut", "Wohngeb\xC3\xA4ude", kUtf8, {"Wohngeb\xE4ude"}},
        {"latin-1 byte", "Wohngeb\xE4ude (3)", kUtf8, {"Wohngeb?ude (3)"}},
        {"truncated sequence keeps the next byte", "Eisenmine \xE2(4)", kUtf8, {"Eisenmine ?(4)"}},
        {"truncated three-byte piece is one ?", "a\xE2\x82z", kUtf8, {"a?z"}},
        {"sequence cut by a break", "a\xE2\x82\r\n\xAC", kUtf8, {"a?", "?"}},
        {"utf-16 mark is no mark here",
         std::string("\xFF\xFEx\0\n", 5),
         kUtf8,
         {std::string("??x\0", 4)}},
        {"full-width digit", "(\xEF\xBC\x94)", kUtf8, {"(?)"}},
    });
}

TEST(DecodedLines, Cp1252TakesTheBytesAsTheyAre) {
    ExpectRows({
        {"utf-8 bytes stay bytes", "Wohngeb\xC3\xA4ude", kCp1252, {"Wohngeb\xC3\xA4ude"}},
        {"every high byte", "\x80\x81\xE4\xFF", kCp1252, {"\x80\x81\xE4\xFF"}},
        {"utf-16 divided on its raw bytes",
         std::string("\xFF\xFEx\0\r\0\n\0y\0", 10),
         kCp1252,
         {std::string("\xFF\xFEx\0", 4), std::string("\0", 1), std::string("\0y\0", 3)}},
    });
}

TEST(DecodedLines, AutoReadsUtf16ByItsMark) {
    const auto le = [](std::u16string_view text) { return Utf16Bytes(text, true, true); };
    const auto be = [](std::u16string_view text) { return Utf16Bytes(text, false, true); };
    ExpectRows({
        {"little endian", le(u"Eisen 100\r\nWasser 5\r\n"), kAuto, {"Eisen 100", "Wasser 5"}},
        {"big endian", be(u"Eisen 100\r\nWasser 5\r\n"), kAuto, {"Eisen 100", "Wasser 5"}},
        {"lone CR, lone LF, last line unended", le(u"a\rb\n\nc"), kAuto, {"a", "b", "", "c"}},
        {"umlaut and euro", le(u"Wohngeb\u00E4ude \u20AC"), kAuto, {"Wohngeb\xE4ude \x80"}},
        {"characters Windows-1252 lacks", be(u"\uFF14\u2028\u0100"), kAuto, {"???"}},
        {"a surrogate pair is one ?", le(u"a\U0001F600b"), kAuto, {"a?b"}},
        {"unpaired high surrogate", le(std::u16string{u'a', 0xD83D, u'b'}), kAuto, {"a?b"}},
        {"unpaired low surrogate", be(std::u16string{u'a', 0xDE00, u'b'}), kAuto, {"a?b"}},
        {"high surrogate at the end", le(std::u16string{u'a', 0xD83D}), kAuto, {"a?"}},
        {"high surrogate before a break",
         le(std::u16string{u'a', 0xD83D, u'\n', u'b'}),
         kAuto,
         {"a?", "b"}},
        {"odd trailing byte", le(u"ab") + "c", kAuto, {"ab?"}},
        {"high surrogate then odd byte", le(std::u16string{u'a', 0xD83D}) + "c", kAuto, {"a??"}},
        {"mark alone", "\xFF\xFE", kAuto, {}},
        {"mark and one byte", "\xFE\xFF\x41", kAuto, {"?"}},
        {"a second mark is text", le(u"\uFEFFx"), kAuto, {"?x"}},
        {"zero code units", le(std::u16string(2, u'\0')), kAuto, {std::string(2, '\0')}},
        {"lone FF is a windows-1252 byte", "\xFFx", kAuto, {"\xFFx"}},
        {"FF FE after a utf-8 mark is not utf-16", "\xEF\xBB\xBF\xFF\xFEx", kAuto, {"\xFF\xFEx"}},
    });
}

TEST(DecodedLines, AutoReadsUtf16WithoutAMarkByItsZeroBytes) {
    using namespace std::string_literals;
    const auto le = [](std::u16string_view text) { return Utf16Bytes(text, true); };
    const auto be = [](std::u16string_view text) { return Utf16Bytes(text, false); };
    const std::string ascii_4k(4096, 'x');
    ExpectRows({
        // clang-format off
        {"big endian", be(u"Eisen 100\r\nWasser 5\r\n"), kAuto, {"Eisen 100", "Wasser 5"}},
        {"umlauts, a euro sign and a character whose low byte is zero",
         le(u"Wohngeb\u00E4ude \u20AC\u0400\n"), kAuto, {"Wohngeb\xE4ude \x80?"}},
        {"odd length", le(u"Eisen 5\r\n") + "x", kAuto, {"Eisen 5", "?"}},
        // Three code units in four with a zero high byte are enough, fewer are not.
        {"6 of 8 units with a zero", le(u"Eisen\u20AC\u20AC\n"), kAuto, {"Eisen\x80\x80"}},
        {"5 of 8 units with a zero",
         le(u"Eis\u20AC\u20AC\u20ACn\n"), kAuto, {"E\0i\0s\0\xAC \xAC \xAC n\0"s, "\0"s}},
        {"four characters are enough", le(u"ab\r\n"), kAuto, {"ab"}},
        {"three are not", le(u"ab\n"), kAuto, {"a\0b\0"s, "\0"s}},
        {"only the named encodings take the bytes as they are",
         le(u"ab\r\n"), kCp1252, {"a\0b\0"s, "\0"s, "\0"s}},
        // Not UTF-16: the pattern must hold in the first 4 KB, beside every zero a character.
        {"utf-16 after 4 KB", ascii_4k + le(u"\nab"), kAuto, {ascii_4k, "\0a\0b\0"s}},
        {"a control character beside a zero",
         le(u"Eisen 5\x01\n"), kAuto, {"E\0i\0s\0e\0n\0 \0005\0\x01\0"s, "\0"s}},
        {"utf-32",
         "E\0\0\0i\0\0\0s\0\0\0e\0\0\0n\0\0\0"s, kAuto, {"E\0\0\0i\0\0\0s\0\0\0e\0\0\0n\0\0\0"s}},
        {"a few zero bytes in text",
         "Eisen 5\0\nEisen\0 7\0\n"s, kAuto, {"Eisen 5\0"s, "Eisen\0 7\0"s}},
        // clang-format on
    });
}

TEST(DecodedLines, AnyTwoReadsGiveTheSameLines) {
    const std::string bytes =
        "\xEF\xBB\xBFWohngeb\xC3\xA4ude (2)\r\n\xE4\r\rEisenmine \xE2(4)\n\xF0\x9F\x98\x80\r";
    const Lines whole = Decode(bytes, kAuto, bytes.size());
    ASSERT_EQ(whole, (Lines{"Wohngeb\xE4ude (2)", "\xE4", "", "Eisenmine \xE2(4)", "?"}));
    for (std::size_t cut = 0; cut <= bytes.size(); ++cut) {
        Lines lines;
        ReportDecoder decoder(kAuto);
        const auto sink = [&](std::string_view text, LineDecoder decode) {
            ForEachLine(text, [&](std::string_view line) { lines.emplace_back(decode(line)); });
        };
        decoder.Feed(std::string_view(bytes).substr(0, cut), sink);
        decoder.Feed(std::string_view(bytes).substr(cut), sink);
        decoder.Finish(sink);
        EXPECT_EQ(lines, whole) << "cut at " << cut;
    }
}

TEST(DecodedLines, MatchTheWholeContentDecodedAtOnce) {
    const std::vector<std::string> pieces = Pieces(
        "Eisenmine|Wohngeb\xC3\xA4ude|Wohngeb\xE4ude|Eisen|Wasserstoff| |(|)|4|$A|\r|\n|\r\n|\xE2|"
        "\x82\xAC|\xEF\xBB\xBF|\xEF\xBB|\xFF\xFE|\xFE\xFF|\xF0\x9F\x98\x80|\0|\0\r|\r\0|\xD8|\xDC|"
        "x|"
        "\xC3"sv);
    std::mt19937 random(20260101);
    const auto below = [&random](std::size_t n) {
        return std::uniform_int_distribution<std::size_t>(0, n - 1)(random);
    };
    for (int round = 0; round < 3000; ++round) {
        std::string bytes;
        for (std::size_t n = below(24); n > 0; --n) bytes += pieces[below(pieces.size())];
        const std::size_t chunk = below(4) == 0 ? bytes.size() : 1 + below(9);
        for (const Encoding encoding : {kAuto, kUtf8, kCp1252}) {
            const cli_test::DecodedAtOnce at_once = cli_test::DecodeAtOnce(bytes, encoding);
            const Lines& expected = at_once.lines;
            ASSERT_EQ(Decode(bytes, encoding, chunk), expected)
                << "round " << round << ", chunks of " << chunk;

            SaboTally sabo_by_text;
            PluenTally pluen_by_text;
            std::string joined;
            ForEachText(
                bytes, encoding,
                [&](std::string_view text, LineDecoder decode) {
                    ASSERT_FALSE(joined.ends_with('\r') && text.starts_with('\n'))
                        << "a CR LF split, round " << round;
                    joined += text;
                    // A line that needs no decoding comes back as the very same view.
                    ForEachLine(text, [&](std::string_view line) {
                        const std::string_view decoded = decode(line);
                        if (decoded == line) {
                            EXPECT_EQ(decoded.data(), line.data()) << "round " << round;
                        }
                    });
                    sabo_by_text.AddText(text, decode);
                    pluen_by_text.AddText(text, decode);
                },
                chunk);
            ASSERT_EQ(joined, at_once.content) << "round " << round;
            SaboTally sabo_by_line;
            PluenTally pluen_by_line;
            for (const auto& line : expected) {
                sabo_by_line.AddLine(line);
                pluen_by_line.AddLine(line);
            }
            ASSERT_EQ(sabo_by_text.Counts(), sabo_by_line.Counts()) << "round " << round;
            ASSERT_EQ(pluen_by_text.Sums(), pluen_by_line.Sums()) << "round " << round;
        }
    }
}

}  // namespace
}  // namespace korva::cli
