#include "frontends/cli/explanation.hpp"

#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>
#include <optional>
#include <string>
#include <vector>

#include "counters/pluen_counter.hpp"
#include "counters/sabo_counter.hpp"
#include "counters/text/cp1252.hpp"
#include "frontends/cli/input.hpp"
#include "json_reader.hpp"

namespace korva::cli {
namespace {

using cli_test::JsonReader;
using cli_test::JsonValue;
using std::string_literals::operator""s;

ExplainedLine Explained(Counter counter, std::uint64_t number, std::string_view line) {
    return {number, counter == Counter::kSabo ? SaboLineAdditions(line) : PluenLineAdditions(line),
            line};
}

struct TextRow {
    Counter counter;
    std::string file;
    std::string line;
    std::string shown;  // UTF-8, without the final LF
};

TEST(ExplainedText, SaysWhereWhatAndShowsTheLine) {
    const std::string long_line = "Eisenmine (1) " + std::string(186, 'x');  // 200 characters
    const TextRow rows[] = {
        {Counter::kSabo, "bericht.txt", "Eisenmine (3) und Bohrturm (2)",
         "bericht.txt:12: Eisenmine +3, Bohrturm +3 | Eisenmine (3) und Bohrturm (2)"},
        {Counter::kSabo, "-", "Eisenmine (-2)", "-:12: Eisenmine -2 | Eisenmine (-2)"},
        {Counter::kSabo, "-", "Eisenmine (1.000)",
         "-:12: Eisenmine +1 (Anzahl nicht lesbar) | Eisenmine (1.000)"},
        {Counter::kSabo, "-", "Wohngeb\xE4ude (2) zerst\xF6rt",
         "-:12: Wohngeb\xC3\xA4ude +2 | Wohngeb\xC3\xA4ude (2) zerst\xC3\xB6rt"},
        {Counter::kPluen, "-", "Eisen 1.234.567",
         "-:12: Eisen +0 (Betrag nicht lesbar) | Eisen 1.234.567"},
        {Counter::kPluen, "-", "Wasserstoff\t230", "-:12: Wasserstoff +230 | Wasserstoff^I230"},
        // No byte of a report reaches the terminal as a control character; each is shown in
        // ASCII, which every console font has.
        {Counter::kSabo, "-", "Eisenmine (2)\x1B]0;x\x07\x7F\x81\x9D\x80\0"s,
         "-:12: Eisenmine +2 | Eisenmine (2)^[]0;x^G^?M-^AM-^]\xE2\x82\xAC^@"},
        // A file name is shown as UTF-8 when it is, else read as Windows-1252.
        {Counter::kSabo, "b\xE4r\nicht", "Raumhafen",
         "b\xC3\xA4r^Jicht:12: Raumhafen +1 | Raumhafen"},
        {Counter::kSabo, "b\xC3\xA4r.txt", "Raumhafen",
         "b\xC3\xA4r.txt:12: Raumhafen +1 | Raumhafen"},
        {Counter::kSabo, "-", long_line, "-:12: Eisenmine +1 | " + long_line},
        {Counter::kSabo, "-", long_line + "y",
         "-:12: Eisenmine +1 | " + long_line + "\xE2\x80\xA6"},
        // The cut counts characters, and never splits one.
        {Counter::kSabo, "-", long_line.substr(0, 199) + "\xE4\xE4",
         "-:12: Eisenmine +1 | " + long_line.substr(0, 199) + "\xC3\xA4\xE2\x80\xA6"},
    };
    for (const TextRow& row : rows) {
        EXPECT_EQ(ExplainedText(row.counter, row.file, Explained(row.counter, 12, row.line)),
                  row.shown + "\n")
            << row.line;
    }
}

// A line is shown as it stands only where all of it is printable ASCII: a byte that is not is
// noticed wherever it falls among the eight-byte steps, and at the line's very end.
TEST(ExplainedText, ShowsEachByteThatIsNoPrintableAsciiWhereverItFalls) {
    const std::pair<char, std::string> bytes[] = {
        {'\0', "^@"}, {'\x1F', "^_"}, {'\x7F', "^?"}, {'\x81', "M-^A"}, {'\xE4', "\xC3\xA4"}};
    for (const auto& [byte, shown] : bytes) {
        for (std::size_t at = 0; at <= 17; ++at) {
            std::string line = "Raumhafen " + std::string(17, 'x');
            line.insert(line.begin() + 10 + static_cast<std::ptrdiff_t>(at), byte);
            std::string want = "Raumhafen " + std::string(17, 'x');
            want.insert(10 + at, shown);
            EXPECT_EQ(ExplainedText(Counter::kSabo, "-", Explained(Counter::kSabo, 1, line)),
                      "-:1: Raumhafen +1 | " + want + "\n")
                << int{byte} << " at " << at;
        }
    }
}

// Under eight bytes a line, or a file name, is checked byte by byte rather than a word at a time:
// the same bytes are shown the same there.
TEST(ExplainedText, ShowsEachByteThatIsNoPrintableAsciiInAShortLine) {
    const std::pair<char, std::string> bytes[] = {
        {'\0', "^@"}, {'\x1F', "^_"}, {'\x7F', "^?"}, {'\x81', "M-^A"}, {'\x9D', "M-^]"}};
    for (const auto& [byte, shown] : bytes) {
        const std::string line = "Eisen"s + byte;  // a row of its own, though it adds 0
        EXPECT_EQ(ExplainedText(Counter::kPluen, std::string(1, byte),
                                Explained(Counter::kPluen, 1, line)),
                  shown + ":1: Eisen +0 (Betrag nicht lesbar) | Eisen" + shown + "\n")
            << int{byte};
    }
}

// Numbers of every length, at each end of each length, in the place and as amounts, and in CSV.
TEST(ExplainedText, ShowsNumbersOfEveryLength) {
    std::vector<std::uint64_t> numbers = {1, 18'446'744'073'709'551'615u};
    for (std::uint64_t power = 10; power <= 10'000'000'000u; power *= 10) {
        numbers.insert(numbers.end(), {power - 1, power, power + 1});
    }
    for (const std::uint64_t number : numbers) {
        const std::string digits = std::to_string(number);
        const std::string amount = std::to_string(number % 2'147'483'648u);
        const std::string line = "Eisen " + amount;
        EXPECT_EQ(ExplainedText(Counter::kPluen, "-", Explained(Counter::kPluen, number, line)),
                  "-:" + digits + ": Eisen +" + amount + " | " + line + "\n");
        EXPECT_EQ(ExplainedText(Counter::kSabo, "-",
                                Explained(Counter::kSabo, number, "Eisenmine (-" + amount + ")")),
                  "-:" + digits + ": Eisenmine -" + amount + " | Eisenmine (-" + amount + ")\n");
        EXPECT_EQ(ExplainedFileCsv(Counter::kPluen, "-", Explained(Counter::kPluen, number, line)),
                  "-," + digits + ",pluen,Eisen," + amount + "," + line + "\r\n");
    }
}

TEST(ExplainedJson, HasTheAgreedShape) {
    EXPECT_EQ(ExplainedFileJson(Counter::kSabo, "-",
                                Explained(Counter::kSabo, 12, "Eisenmine (3) und Bohrturm (2)")),
              R"({"file":"-","line":12,"added":[{"name":"Eisenmine","count":3,"readable":true},)"
              R"({"name":"Bohrturm","count":3,"readable":true}],)"
              R"j("text":"Eisenmine (3) und Bohrturm (2)","cut":false})j");
    EXPECT_EQ(
        ExplainedFileJson(Counter::kPluen, "a.txt", Explained(Counter::kPluen, 1, "Eisen 1.5")),
        R"({"file":"a.txt","line":1,"added":[{"name":"Eisen","amount":0,"readable":false}],)"
        R"("text":"Eisen 1.5","cut":false})");
}

TEST(ExplainedJson, IsValidAndReadsBackForEveryByte) {
    std::string every_byte = "Eisenmine (7) ";
    for (int b = 0; b < 256; ++b) every_byte += static_cast<char>(b);
    const std::string lines[] = {
        "Eisenmine (2) \"zitiert\" und \\ zur\xFC\x63k",
        "Eisenmine (2)\t\r\x01\x1F\x7F\x81\x9D\x80",
        every_byte.substr(0, 200),
        every_byte,
    };
    for (const std::string& line : lines) {
        const std::string json = ExplainedFileJson(Counter::kSabo, "\"a\\b\"\x01\xFF",
                                                   Explained(Counter::kSabo, 3, line));
        for (std::size_t i = 0; i < json.size(); ++i) {
            const auto byte = static_cast<unsigned char>(json[i]);
            ASSERT_TRUE(byte >= 0x20 && byte != 0x7F) << "raw control byte at " << i;
        }
        ASSERT_TRUE(IsValidUtf8(json));
        const std::optional<JsonValue> value = JsonReader::Read(json);
        ASSERT_TRUE(value) << json;
        const bool cut = line.size() > kShownCharacters;
        const std::string shown = Cp1252ToUtf8(line.substr(0, kShownCharacters));
        EXPECT_EQ(value->Member("text")->string, cut ? shown + "\xE2\x80\xA6" : shown);
        EXPECT_EQ(value->Member("cut")->boolean, cut);
        EXPECT_EQ(value->Member("file")->string, "\"a\\b\"\x01\xC3\xBF");
        EXPECT_EQ(value->Member("line")->number, 3);
        ASSERT_EQ(value->Member("added")->array.size(), 1u);
        EXPECT_EQ(value->Member("added")->array[0].Member("count")->number,
                  line.starts_with("Eisenmine (7)") ? 7 : 2);
    }
}

// A writer that gathers what a file descriptor would get, and never fails.
auto Collector(std::string& out) {
    return [&out](std::string_view bytes) {
        out += bytes;
        return 0;
    };
}

// What an Explanation writes for these inputs and this result, as a file descriptor gets it.
std::string Written(Explanation& explanation, std::string_view result) {
    std::string out;
    EXPECT_EQ(explanation.WriteWithResult(Collector(out), result), 0);
    return out;
}

template <class Tally>
void Feed(Explanation& explanation, Tally& tally, std::string_view name, std::string_view bytes,
          std::size_t chunk) {
    explanation.StartFile(name);
    ForEachText(
        bytes, Encoding::kAuto,
        [&](std::string_view text, LineDecoder decode) {
            explanation.CountText(tally, text, decode);
        },
        chunk);
}

TEST(Explanation, NumbersLinesInEachFileHoweverTheyArrive) {
    // Line 2 ends in a lone CR, line 4 is empty; the file ends without a break.
    const std::string first = "Eisenmine\r\nx\rBohrturm (2)\n\nRaumhafen (4)";
    const std::string second = "\xEF\xBB\xBFRaumhafen\nWohngeb\xC3\xA4ude (3)\r\n";
    const std::string expected =
        "a:1: Eisenmine +1 | Eisenmine\n"
        "a:3: Bohrturm +2 | Bohrturm (2)\n"
        "a:5: Raumhafen +4 | Raumhafen (4)\n"
        "-:1: Raumhafen +1 | Raumhafen\n"
        "-:2: Wohngeb\xC3\xA4ude +3 | Wohngeb\xC3\xA4ude (3)\n"
        "Ergebnis\n";
    for (const std::size_t chunk : {1, 2, 3, 7, 1 << 20}) {
        Explanation explanation(Counter::kSabo, OutputFormat::kText);
        ASSERT_EQ(explanation.Error(), 0);
        SaboTally tally;
        Feed(explanation, tally, "a", first, chunk);
        Feed(explanation, tally, "-", second, chunk);
        EXPECT_EQ(Written(explanation, "Ergebnis\n"), expected) << "chunks of " << chunk;
        // Counted in the same pass: 1 + 2 + 4 + 1 buildings, 1 + 3 dwellings.
        EXPECT_EQ(tally.Total(), 1 * 1 + 2 * 1 + 4 * 3 + 1 * 3 + 3 * 1) << "chunks of " << chunk;
    }
}

TEST(Explanation, NumbersTheLinesOfAUtf16File) {
    std::string bytes = "\xFF\xFE";
    for (const char c : std::string_view("x\r\nEisenmine (2)\rRaumhafen")) {
        bytes += c;
        bytes += '\0';
    }
    for (const std::size_t chunk : {1, 3, 1 << 20}) {
        Explanation explanation(Counter::kSabo, OutputFormat::kText);
        SaboTally tally;
        Feed(explanation, tally, "u", bytes, chunk);
        EXPECT_EQ(Written(explanation, ""),
                  "u:2: Eisenmine +2 | Eisenmine (2)\nu:3: Raumhafen +1 | Raumhafen\n");
    }
}

TEST(Explanation, IsAnEmptyListInJsonWhenNoLineAdds) {
    const std::string result = R"({"counter":"pluen","resources":[]})"
                               "\n";
    Explanation none(Counter::kPluen, OutputFormat::kJson);
    PluenTally tally;
    Feed(none, tally, "-", "Eisenmine 5\nnichts\n", 1 << 20);
    EXPECT_EQ(Written(none, result), R"({"counter":"pluen","resources":[],"explain":[]})"
                                     "\n");
}

// Sets an environment variable, or removes it for nullopt.
void SetEnvironment(const char* name, const std::optional<std::string>& value) {
#ifdef _WIN32
    ::_putenv_s(name, value ? value->c_str() : "");
#else
    if (value) {
        ::setenv(name, value->c_str(), 1);
    } else {
        ::unsetenv(name);
    }
#endif
}

TEST(Spool, ReportsAFolderItCannotWriteIn) {
#ifdef _WIN32
    const char* const variable = "TMP";  // the first place Windows looks for its folder
    const std::string missing = "C:\\nonexistent-korva-folder";
#else
    const char* const variable = "TMPDIR";
    const std::string missing = "/nonexistent-korva-folder";
#endif
    const char* const old = std::getenv(variable);
    const std::optional<std::string> saved = old ? std::optional<std::string>(old) : std::nullopt;
    SetEnvironment(variable, missing);
    Spool spool;
    SetEnvironment(variable, saved);
    EXPECT_EQ(spool.Error(), ENOENT);
    spool.Append("x");
    std::string out;
    EXPECT_EQ(spool.CopyTo(Collector(out)), ENOENT);
    EXPECT_EQ(out, "");  // nothing reaches the output
}

// Whatever the memory holds before the file or the output takes the rest, and rows longer than
// it: all of it comes back once, in order.
TEST(Spool, GivesBackWhatItTookAcrossItsBuffer) {
    for (const bool to_output : {false, true}) {
        for (const std::size_t held : {std::size_t{16}, std::size_t{4096}, Spool::kHeldBytes}) {
            std::string passed;  // what the output took as it came
            const auto pass = Collector(passed);
            Spool spool = to_output ? Spool(pass, held) : Spool(held);
            ASSERT_EQ(spool.Error(), 0);
            std::string taken;
            for (int i = 0; i < 20000; ++i) {
                std::string piece = std::to_string(i) + (i % 7 == 0 ? "\r\n\x1A" : "\n");
                if (i % 5000 == 1) piece += std::string(held + 1, 'x');
                if (i % 2 == 0) {
                    spool.Append(piece);
                } else {
                    char* const room = spool.Room(piece.size() + 10);
                    spool.Take(std::copy(piece.begin(), piece.end(), room));
                }
                taken += piece;
            }
            std::string out;
            EXPECT_EQ(spool.CopyTo(Collector(out)), 0);
            EXPECT_EQ(passed + out, taken) << "holding " << held << (to_output ? ", passing" : "");
            EXPECT_EQ(passed.empty(), !to_output);
        }
    }
}

// An output that fails takes nothing more, and the failure is what is reported at the end.
TEST(Spool, ReportsAnOutputThatFails) {
    int writes = 0;
    const auto full = [&writes](std::string_view) { return ++writes >= 2 ? ENOSPC : 0; };
    Spool spool(full, 16);
    for (int i = 0; i < 10; ++i) spool.Append("0123456789");
    EXPECT_EQ(spool.Error(), ENOSPC);
    EXPECT_EQ(writes, 2);
    std::string out;
    EXPECT_EQ(spool.CopyTo(Collector(out)), ENOSPC);
    EXPECT_EQ(out, "");
}

}  // namespace
}  // namespace korva::cli
