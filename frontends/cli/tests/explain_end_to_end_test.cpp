// korva-count --explain as a user runs it: the built program, real files and standard input.
#include <gtest/gtest.h>

#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <map>
#include <string>
#include <vector>

#include "json_reader.hpp"
#include "process.hpp"
#include "scratch_dir_test.hpp"

namespace korva::cli_test {
namespace {

using Args = std::vector<std::string>;

class Explain : public ScratchDirTest {
  protected:
    Explain() : ScratchDirTest("korva-explain-") {}

    // The output with and without --explain: the result must be the same bytes.
    std::string ExplanationOnly(Args args, const std::string& stdin_bytes = "") {
        const ProcessResult plain = Run(args, stdin_bytes);
        args.insert(args.begin() + 1, "--explain");
        const ProcessResult explained = Run(args, stdin_bytes);
        EXPECT_TRUE(plain.ExitedWith(0)) << plain.err;
        EXPECT_TRUE(explained.ExitedWith(0)) << explained.err;
        EXPECT_EQ(explained.err, "");
        EXPECT_TRUE(explained.out.ends_with(plain.out)) << explained.out;
        return explained.out.substr(0, explained.out.size() - plain.out.size());
    }
};

struct LineEndRow {
    const char* name;
    const char* end;
};

TEST_F(Explain, NamesFileAndLineOfEveryAddingLineWhateverTheLineEnds) {
    const LineEndRow rows[] = {{"LF", "\n"}, {"CR LF", "\r\n"}, {"CR", "\r"}};
    for (const LineEndRow& row : rows) {
        const auto lines = [&row](std::vector<std::string> parts) {
            std::string text;
            for (const auto& part : parts) text += part + row.end;
            return text;
        };
        const std::string a =
            File("a.txt", lines({"12:00 Angriff", "Eisenmine (3) und Bohrturm (2)", "",
                                 "Raumhafen zerst\xC3\xB6rt"}));
        const std::string b = File("b.txt", lines({"Raumhafen (1.000)", "nichts"}));
        const std::string in = lines({"x", "x", "Wohngeb\xE4ude (4)"});  // Windows-1252
        EXPECT_EQ(ExplanationOnly({"sabo", a, "-", b}, in),
                  a + ":2: Eisenmine +3, Bohrturm +3 | Eisenmine (3) und Bohrturm (2)\n" + a +
                      ":4: Raumhafen +1 | Raumhafen zerst\xC3\xB6rt\n"
                      "-:3: Wohngeb\xC3\xA4ude +4 | Wohngeb\xC3\xA4ude (4)\n" +
                      b + ":1: Raumhafen +1 (Anzahl nicht lesbar) | Raumhafen (1.000)\n")
            << row.name;
    }
}

TEST_F(Explain, ShowsPlunderLinesThatAddNothing) {
    const std::string reports =
        "Eisen 1200\nEisen 1.234.567\nWasserstoff 300\nEisenmine (2)\n  Silizium 50\nWasser -3\n"
        "Sauerstoff\t230\nEisen 0012\nEisen 1234567890\nEisenx12\nEisen 12 \nWasser 9 Wasserstoff";
    // A tab is shown as ^I: a console's font may lack a picture for it.
    EXPECT_EQ(ExplanationOnly({"pluen"}, reports),
              "-:1: Eisen +1200 | Eisen 1200\n"
              "-:2: Eisen +0 (Betrag nicht lesbar) | Eisen 1.234.567\n"
              "-:3: Wasserstoff +300 | Wasserstoff 300\n"
              "-:5: Silizium +0 (Betrag nicht lesbar) |   Silizium 50\n"
              "-:6: Wasser -3 | Wasser -3\n"
              "-:7: Sauerstoff +230 | Sauerstoff^I230\n"
              // Amounts of other forms than "Eisen 1200" too, at the limits of that form.
              "-:8: Eisen +12 | Eisen 0012\n"
              "-:9: Eisen +1234567890 | Eisen 1234567890\n"
              "-:10: Eisen +18 | Eisenx12\n"
              "-:11: Eisen +12 | Eisen 12 \n"
              "-:12: Wasser +0 (Betrag nicht lesbar) | Wasser 9 Wasserstoff\n");
}

// The JSON output read back: the explained amounts add up to the totals it reports, with and
// without --explain alike.
TEST_F(Explain, JsonIsOneValidObjectWhoseExplanationAddsUpToTheTotals) {
    std::string reports;
    for (int i = 0; i < 3000; ++i) {
        reports += "Eisenmine (" + std::to_string(i % 7) + ") \"\\\x01\x1B\x7F\x9D\r\n";
        reports += i % 5 ? "Raumhafen\n" : "Raumhafen und Bohrturm (x)\r";
        reports += "Eisen " + std::to_string(i) + "\nWasserstoff 1.5\nnichts\n";
    }
#ifdef _WIN32
    // Windows names hold no quote or control character; the backslashes of its paths still need
    // escaping.
    const std::string file = File("re port.txt", reports);
#else
    const std::string file = File("r\"e\\port\x01.txt", reports);
#endif
    struct CounterRow {
        const char* counter;
        const char* rows;
        const char* key;
    };
    for (const CounterRow& c :
         {CounterRow{"sabo", "buildings", "count"}, CounterRow{"pluen", "resources", "amount"}}) {
        const ProcessResult plain = Run({c.counter, "--json", file});
        const ProcessResult explained = Run({c.counter, "--json", "--explain", file});
        ASSERT_TRUE(explained.ExitedWith(0)) << explained.err;
        ASSERT_EQ(explained.out.find('\n'), explained.out.size() - 1) << "one line";
        // The result's members come first, unchanged.
        EXPECT_TRUE(explained.out.starts_with(plain.out.substr(0, plain.out.size() - 2)));
        const std::optional<JsonValue> value = JsonReader::Read(explained.out);
        ASSERT_TRUE(value) << explained.out.substr(0, 2000);
        std::map<std::string, std::int64_t> explained_sums;
        std::size_t entries = 0;
        for (const JsonValue& entry : value->Member("explain")->array) {
            EXPECT_EQ(entry.Member("file")->string, file);
            for (const JsonValue& added : entry.Member("added")->array) {
                explained_sums[added.Member("name")->string] += added.Member(c.key)->number;
            }
            if (entry.Member("line")->number == 1) {
                EXPECT_EQ(entry.Member("text")->string, "Eisenmine (0) \"\\\x01\x1B\x7F\xC2\x9D");
            }
            ++entries;
        }
        EXPECT_EQ(entries, 6000u);  // two lines of the five add in each counter
        for (const JsonValue& row : value->Member(c.rows)->array) {
            EXPECT_EQ(explained_sums[row.Member("name")->string], row.Member(c.key)->number)
                << c.counter << " " << row.Member("name")->string;
        }
    }
}

TEST_F(Explain, FailureLeavesStandardOutputEmpty) {
    // A file written to is given rows as they come, and takes them back: a few, and more rows
    // than are held in memory before they are written.
    std::string many;
    for (int i = 0; i < 40000; ++i) many += "Eisenmine (2)\n";
    for (const std::string& first : {std::string("Eisenmine (2)\n"), many}) {
        for (const char* format : {"--explain", "--csv", "--json"}) {
            const ProcessResult missing =
                Run({"sabo", format, "--explain", File("a.txt", first), Utf8Path(dir_ / "fehlt")});
            EXPECT_TRUE(missing.ExitedWith(1)) << format;
            EXPECT_EQ(missing.out.size(), 0u) << format;
            EXPECT_NE(missing.err.find("fehlt"), std::string::npos) << missing.err;
        }
    }

    for (const Args& args :
         {Args{"sabo", "--explain", "--raw"}, Args{"pluen", "--raw", "--explain"}}) {
        const ProcessResult raw = Run(args, "Eisen 5\n");
        EXPECT_TRUE(raw.ExitedWith(2));
        EXPECT_EQ(raw.out, "");
        EXPECT_NE(raw.err.find("--raw und --explain schlie\xC3\x9F"
                               "en einander aus"),
                  std::string::npos)
            << raw.err;
    }
}

}  // namespace
}  // namespace korva::cli_test
