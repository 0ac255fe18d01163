// korva-count as a user runs it: the built program, real files, real exit statuses.
#ifdef _WIN32
#include <windows.h>
#else
#include <sys/stat.h>
#include <unistd.h>
#endif

#include <gtest/gtest.h>

#include <algorithm>
#include <cerrno>
#include <chrono>
#include <csignal>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <map>
#include <sstream>
#include <string>
#include <thread>
#include <vector>

#include "counters/tables/tables.hpp"
#include "counters/tables/tally.hpp"
#include "counters/tests/expected_result.hpp"
#include "counters/tests/text_pieces.hpp"
#include "counters/text/cp1252.hpp"
#include "counters/text/text_ops.hpp"
#include "frontends/cli/arguments.hpp"
#include "process.hpp"
#include "scratch_dir_test.hpp"

namespace korva::cli_test {
namespace {

using Args = std::vector<std::string>;

const std::string kSaboReports =
    "Eisenmine (2)\r\nRaumhafen\r\n12:05 Eisenmine (3) zerst\xC3\xB6rt\r\n";
const std::string kPluenReports = "Eisen 1200\nSilizium 300\nWasserstoff 40\nEisen 800\n";

const std::string kSaboText =
    expected::Text(expected::Sabo({{"Raumhafen", 1}, {"Eisenmine", 5}}, 8), "\n");
const expected::Figures kPluenSums = {{"Eisen", 2000}, {"Silizium", 300}, {"Wasserstoff", 40}};
const std::string kTotal = Cp1252ToUtf8(kSaboTotalLabel);
const std::string kPluenZeroText = expected::Text(expected::Pluen({}), "\n");

// The reasons users meet, in korva-count's own words whatever the locale (the tests run the
// program in the C locale, where the C library's would be English).
const std::string kNotFound = "Datei oder Ordner nicht gefunden";
const std::string kFolder = "Ist ein Ordner";
const std::string kNoPermission = "Keine Berechtigung";
const std::string kInUse = "Wird von einem anderen Programm verwendet";
const std::string kDiskFull = "Datentr\xC3\xA4ger voll";
const std::string kPipeClosed = "Der Empf\xC3\xA4nger hat die Pipe geschlossen";

std::vector<std::string> LinesOf(const std::string& out) {
    std::vector<std::string> lines;
    std::istringstream in(out);
    for (std::string line; std::getline(in, line);) lines.push_back(line);
    return lines;
}

// True when the default output holds this result line, whole.
bool HasLine(const std::string& out, const std::string& line) {
    for (const auto& l : LinesOf(out)) {
        if (l == line) return true;
    }
    return false;
}

// The code units after their order's mark.
std::string Utf16(std::u16string_view text, bool little_endian) {
    return text_pieces::Utf16Bytes(text, little_endian, true);
}

class KorvaCount : public ScratchDirTest {
  protected:
    KorvaCount() : ScratchDirTest("korva-count-") {}
};

void ExpectSuccess(const ProcessResult& result, const std::string& out) {
    EXPECT_TRUE(result.ExitedWith(0)) << result.wait_status << " " << result.err;
    EXPECT_EQ(result.out, out);
    EXPECT_EQ(result.err, "");
}

TEST_F(KorvaCount, CountsAFileIntoUtf8Lines) {
    ExpectSuccess(Run({"sabo", File("sabo.txt", kSaboReports)}), kSaboText);
}

// Input is bytes on every system: no CR LF translation, and 0x1A (the end of a text to old
// Windows programs) is one more byte of a line.
TEST_F(KorvaCount, ReadsEveryByteAsItIs) {
    const std::string reports = "Eisenmine (1)\r\n\x1A\r\nEisenmine (2)\n\x1A\x1A\rEisenmine (4)";
    const std::string file = File("ctrl-z.txt", reports);
    for (const auto& [name, result] :
         {std::pair{"file", Run({"sabo", file})}, std::pair{"stdin", Run({"sabo"}, reports)}}) {
        EXPECT_TRUE(result.ExitedWith(0)) << name;
        EXPECT_TRUE(HasLine(result.out, "Eisenmine  (7)")) << name << "\n" << result.out;
    }
}

TEST_F(KorvaCount, FileNamesMayHoldAnyCharacter) {
    const std::string names[] = {
        "Berichte \xC3\xA4\xC3\xB6\xC3\xBC\xC3\x9F.txt",  // German umlauts and sharp s
        "Pl\xC3\xBCnder \xE2\x82\xAC 100%.txt",           // euro sign, percent sign
        "\xE6\x97\xA5\xE6\x9C\xAC.txt",                   // CJK
        "\xF0\x9F\x9A\x80 Flotte.txt",                    // outside the 16-bit plane
        "a'b;c&d (1) [2].txt",
    };
    for (const std::string& name : names) {
        const std::string file = File(name, "Eisen 5\n");
        const ProcessResult found = Run({"pluen", file});
        EXPECT_TRUE(found.ExitedWith(0)) << name << ": " << found.err;
        EXPECT_TRUE(HasLine(found.out, "Eisen = 5")) << name << "\n" << found.out;
        // A file that is not there is named in the message exactly as it was given.
        const ProcessResult missing = Run({"pluen", file + ".fehlt"});
        EXPECT_TRUE(missing.ExitedWith(1)) << name;
        EXPECT_NE(missing.err.find(file + ".fehlt: " + kNotFound), std::string::npos)
            << missing.err;
    }
}

TEST_F(KorvaCount, CountsStandardInputWithoutFileOrWithDash) {
    const std::string sums = expected::Text(expected::Pluen(kPluenSums), "\n");
    ExpectSuccess(Run({"pluen"}, kPluenReports), sums);
    ExpectSuccess(Run({"pluen", "-"}, kPluenReports), sums);
}

TEST_F(KorvaCount, EmptyInputGivesEveryRowWithZero) {
    ExpectSuccess(Run({"pluen"}, ""), kPluenZeroText);
    ExpectSuccess(Run({"pluen", File("empty.txt", "")}), kPluenZeroText);
    const ProcessResult sabo = Run({"sabo"});
    EXPECT_TRUE(sabo.ExitedWith(0));
    EXPECT_EQ(LinesOf(sabo.out).size(), 16u);
    EXPECT_EQ(sabo.out, expected::Text(expected::Sabo({}, 0), "\n"));
}

TEST_F(KorvaCount, RawGivesTheBytesOfTheResultBox) {
    ExpectSuccess(
        Run({"sabo", "--raw", File("sabo.txt", kSaboReports)}),
        expected::Text(expected::Sabo({{"Raumhafen", 1}, {"Eisenmine", 5}}, 8), "\r\n", true));
    ExpectSuccess(Run({"pluen", "--raw"}, kPluenReports),
                  expected::Text(expected::Pluen(kPluenSums), "\r\n", true));
}

// The --json results from the tables: each row in the result's order, with its name (and a
// building's points) and the figure expected, 0 where not given.
std::string JsonRow(std::string_view name, std::string_view key, Tally figure,
                    const std::string& more = "") {
    return R"({"name":")" + Cp1252ToUtf8(name) + R"(",")" + std::string(key) +
           "\":" + IntToText(figure) + more + "},";
}

std::string SaboJson(const expected::Figures& counts, Tally total) {
    std::string rows;
    for (const Building& b : BuildingTable) {
        rows += JsonRow(b.name, "count", expected::FigureOf(counts, b.name),
                        ",\"points\":" + IntToText(b.points));
    }
    rows.pop_back();
    return R"({"counter":"sabo","buildings":[)" + rows + "],\"total\":" + IntToText(total) + "}\n";
}

std::string PluenJson(const expected::Figures& sums) {
    std::string rows;
    for (std::size_t line = 2; line <= ResourceTable.size() + 1; ++line) {
        for (const Resource& r : ResourceTable) {
            if (r.output_line == line) {
                rows += JsonRow(r.keyword, "amount", expected::FigureOf(sums, r.keyword));
            }
        }
    }
    rows.pop_back();
    return R"({"counter":"pluen","resources":[)" + rows + "]}\n";
}

TEST_F(KorvaCount, JsonGivesOneObjectOnOneLine) {
    ExpectSuccess(Run({"sabo", "--json", File("sabo.txt", kSaboReports)}),
                  SaboJson({{"Raumhafen", 1}, {"Eisenmine", 5}}, 8));
    // Sums past 32 bits stay exact; the order is the result box's, not the search order.
    ExpectSuccess(Run({"pluen", "--json"}, kPluenReports +
                                               "Sauerstoff 2147483647\nSauerstoff $7FFFFFFF\n"
                                               "Sauerstoff 2147483647\nWasser -3\nKohlenstoff 1\n"),
                  PluenJson({{"Eisen", 2000},
                             {"Silizium", 300},
                             {"Kohlenstoff", 1},
                             {"Wasser", -3},
                             {"Sauerstoff", 6442450941},
                             {"Wasserstoff", 40}}));
}

TEST_F(KorvaCount, ALineNeverContinuesIntoTheNextFile) {
    // Joined, the two files would read "Eisenmine (23)" and "Eisen100".
    const std::string a = File("a.txt", "Eisenmine (2");
    const std::string b = File("b.txt", "3)\nBohrturm (4)\n");
    const ProcessResult sabo = Run({"sabo", a, b});
    EXPECT_TRUE(sabo.ExitedWith(0));
    EXPECT_TRUE(HasLine(sabo.out, "Eisenmine  (1)")) << sabo.out;
    EXPECT_TRUE(HasLine(sabo.out, "Bohrturm  (4)")) << sabo.out;

    const ProcessResult pluen = Run({"pluen", File("c.txt", "Eisen"), File("d.txt", "100")});
    ExpectSuccess(pluen, kPluenZeroText);
}

TEST_F(KorvaCount, DashReadsStandardInputWhereItStands) {
    const std::string a = File("a.txt", "Eisen 1\r\n");
    const std::string b = File("b.txt", "Eisen 100");
    const ProcessResult with_dash = Run({"pluen", a, "-", b}, "Eisen 10\n");
    EXPECT_TRUE(HasLine(with_dash.out, "Eisen = 111")) << with_dash.out;
    const ProcessResult without_dash = Run({"pluen", a, b}, "Eisen 10\n");
    EXPECT_TRUE(HasLine(without_dash.out, "Eisen = 101")) << without_dash.out;
}

TEST_F(KorvaCount, Utf8MarkIsSkippedAtTheStartOfEachFileAndOfStandardInput) {
    // The plunder counter sees an amount only when the keyword opens the line.
    const std::string mark = "\xEF\xBB\xBF";
    const std::string a = File("a.txt", mark + "Eisen 1\n");
    const std::string b = File("b.txt", mark + "Eisen 20\n" + mark + "Eisen 300\n");
    for (const char* encoding : {"auto", "utf-8", "cp1252"}) {
        const ProcessResult result =
            Run({"pluen", "--encoding", encoding, a, "-", b}, mark + "Eisen 4000\n");
        EXPECT_TRUE(result.ExitedWith(0)) << encoding;
        EXPECT_TRUE(HasLine(result.out, "Eisen = 4021")) << encoding << "\n" << result.out;
    }
}

TEST_F(KorvaCount, EncodingDecidesWhichBytesNameABuilding) {
    const std::string file = File("mixed.txt",
                                  "Wohngeb\xC3\xA4ude (2)\r\n"  // UTF-8
                                  "Wohngeb\xE4ude (3)\r\n");    // Windows-1252
    const struct {
        const char* encoding;
        const char* line;
    } rows[] = {
        {"auto", "Wohngeb\xC3\xA4ude  (5)"},
        {"utf-8", "Wohngeb\xC3\xA4ude  (2)"},  // the lone 0xE4 becomes "?"
        {"cp1252", "Wohngeb\xC3\xA4ude  (3)"},
    };
    for (const auto& row : rows) {
        const ProcessResult result = Run({"sabo", "--encoding=" + std::string(row.encoding), file});
        EXPECT_TRUE(result.ExitedWith(0)) << row.encoding;
        EXPECT_TRUE(HasLine(result.out, row.line)) << row.encoding << "\n" << result.out;
    }
    const ProcessResult default_mode = Run({"sabo", file});
    EXPECT_TRUE(HasLine(default_mode.out, "Wohngeb\xC3\xA4ude  (5)")) << default_mode.out;
}

TEST_F(KorvaCount, InvalidUtf8NeverSwallowsTheNextByte) {
    const std::string file = File("cut.txt", "Eisenmine \xE2(4)\n");
    for (const char* encoding : {"auto", "utf-8", "cp1252"}) {
        const ProcessResult result = Run({"sabo", "--encoding", encoding, file});
        EXPECT_TRUE(HasLine(result.out, "Eisenmine  (4)")) << encoding << "\n" << result.out;
    }
}

TEST_F(KorvaCount, FullWidthDigitIsNoDigit) {
    const std::string four = "\xEF\xBC\x94";  // U+FF14
    const ProcessResult sabo = Run({"sabo"}, "Eisenmine (" + four + ")\n");
    EXPECT_TRUE(HasLine(sabo.out, "Eisenmine  (1)")) << sabo.out;
    ExpectSuccess(Run({"pluen"}, "Eisen " + four + "\n"), kPluenZeroText);
}

TEST_F(KorvaCount, Utf16WithAMarkIsDecodedInAutoMode) {
    const std::u16string reports = u"Eisen 100\r\nWasser 5\r\nWohngeb\u00E4ude (2)\r\n";
    for (const bool little_endian : {true, false}) {
        const std::string file = File("utf16.txt", Utf16(reports, little_endian));
        const ProcessResult pluen = Run({"pluen", file});
        EXPECT_TRUE(pluen.ExitedWith(0));
        EXPECT_TRUE(HasLine(pluen.out, "Eisen = 100")) << little_endian << "\n" << pluen.out;
        EXPECT_TRUE(HasLine(pluen.out, "Wasser = 5")) << little_endian << "\n" << pluen.out;
        const ProcessResult sabo = Run({"sabo"}, Utf16(reports, little_endian));
        EXPECT_TRUE(HasLine(sabo.out, "Wohngeb\xC3\xA4ude  (2)")) << little_endian << sabo.out;
        // Named encodings take the bytes as they are: every line starts with a zero byte or
        // the mark, so nothing counts.
        for (const char* encoding : {"utf-8", "cp1252"}) {
            ExpectSuccess(Run({"pluen", "--encoding", encoding, file}), kPluenZeroText);
        }
    }
}

// Older Windows tools write UTF-16 without a mark. Read as bytes it would count nothing; it is
// recognised by its zero bytes, and the user is told, once per file.
TEST_F(KorvaCount, Utf16WithoutAMarkIsRecognisedByItsZeroBytesAndSaidSo) {
    const std::u16string reports = u"Eisen 100\r\nWasser 5\r\n";
    const std::string le = Utf16(reports, true).substr(2);
    const std::string be = Utf16(reports, false).substr(2);
    // Zero bytes beside control bytes: binary data, whose text is counted as it stands.
    std::string binary;
    for (int i = 0; i < 2048; ++i) binary += std::string{static_cast<char>(1 + i % 255), '\0'};
    binary += "\nEisen 7\n";
    const std::string note =
        "korva-count: Datei als UTF-16 LE gelesen (ohne BOM, an den Nullbytes "
        "erkannt): ";
    const std::string le_file = File("le.txt", le);
    const std::string odd_file = File("odd.txt", le + "x");
    const std::string be_file = File("be.txt", be);
    const struct {
        const char* name;
        ProcessRequest request;
        std::string err;
        const char* line;
    } rows[] = {
        {"little endian", {.args = {"pluen", le_file}}, note + le_file + "\n", "Eisen = 100"},
        {"odd length", {.args = {"pluen", odd_file}}, note + odd_file + "\n", "Eisen = 100"},
        {"big endian",
         {.args = {"pluen", be_file}},
         "korva-count: Datei als UTF-16 BE gelesen (ohne BOM, an den Nullbytes erkannt): " +
             be_file + "\n",
         "Wasser = 5"},
        {"a pipe, a few bytes at a time",
         {.args = {"pluen"},
          .feed_stdin =
              [&le](const StdinWriter& write) {
                  for (std::size_t i = 0; i < le.size() && write(le.substr(i, 3)); i += 3) {
                  }
              }},
         "korva-count: Standardeingabe als UTF-16 LE gelesen (ohne BOM, an den Nullbytes "
         "erkannt)\n",
         "Eisen = 100"},
        {"too short to tell",
         {.args = {"pluen", File("tiny.txt", le.substr(0, 4))}},
         "",
         "Eisen = 0"},
        {"binary data", {.args = {"pluen", File("binary.bin", binary)}}, "", "Eisen = 7"},
    };
    for (const auto& row : rows) {
        const ProcessResult result = RunKorvaCount(dir_, row.request);
        EXPECT_TRUE(result.ExitedWith(0)) << row.name;
        EXPECT_EQ(result.err, row.err) << row.name;
        EXPECT_TRUE(HasLine(result.out, row.line)) << row.name << "\n" << result.out;
    }
}

TEST_F(KorvaCount, UsageErrorsWriteUsageToStderrAndNothingToStdout) {
    const std::string missing = Utf8Path(dir_ / "missing.txt");
    // clang-format off
    const std::vector<Args> rows = {
        {}, {"flotten"}, {"SABO"}, {"--raw"}, {"sabo", "--bogus"}, {"sabo", "-j"},
        {"sabo", "--raw", "--json"}, {"pluen", "--json", "--raw"}, {"pluen", "--csv", "--json"},
        {"sabo", "--raw", "--csv"}, {"sabo", "--encoding", "latin1"}, {"sabo", "--encoding"},
        {"sabo", "--encoding="}, {"sabo", "--encoding", "UTF-8"}, {"sabo", "--raw=1"}, {"-"},
        {"sabo", "--bogus", "--help"},
        // Arguments are checked before any file is read.
        {"sabo", missing, "--bogus"}, {"sabo", missing, "--raw", "--json"},
    };
    // clang-format on
    for (const Args& args : rows) {
        const ProcessResult result = Run(args, "Eisenmine (1)\n");
        const std::string shown = args.empty() ? "(none)" : args.back();
        EXPECT_TRUE(result.ExitedWith(2)) << shown << " " << result.wait_status;
        EXPECT_EQ(result.out, "") << shown;
        EXPECT_NE(result.err.find("Aufruf: korva-count sabo|pluen"), std::string::npos) << shown;
        EXPECT_EQ(result.err.find("Datei kann nicht gelesen werden"), std::string::npos) << shown;
    }
}

// What the user reads on standard error, byte for byte.
TEST_F(KorvaCount, UnreadableInputFailsWithoutAnyOutput) {
    const std::string good = File("good.txt", "Eisenmine (1)\n");
    const std::string missing = Utf8Path(dir_ / "missing.txt");
    const std::string directory = Utf8Path(dir_ / "sub");
    std::filesystem::create_directory(directory);
    const std::string cannot_read = "korva-count: Datei kann nicht gelesen werden: ";
    const struct {
        Args args;
        std::string err;
    } rows[] = {
        {{"sabo", missing}, cannot_read + missing + ": " + kNotFound + "\n"},
        {{"sabo", directory}, cannot_read + directory + ": " + kFolder + "\n"},
        {{"sabo", good, missing, good}, cannot_read + missing + ": " + kNotFound + "\n"},
        {{"pluen", "--json", good, directory, good},
         cannot_read + directory + ": " + kFolder + "\n"},
        {{"sabo", "--raw", good, "-", missing}, cannot_read + missing + ": " + kNotFound + "\n"},
#ifndef _WIN32
        // A rare reason keeps the system's own words.
        {{"sabo", good + "/x"}, cannot_read + good + "/x: " + std::strerror(ENOTDIR) + "\n"},
#endif
    };
    for (const auto& row : rows) {
        const ProcessResult result = Run(row.args, "Eisenmine (1)\n");
        EXPECT_TRUE(result.ExitedWith(1)) << row.err << " " << result.wait_status;
        EXPECT_EQ(result.out, "") << row.err;
        EXPECT_EQ(result.err, row.err);
    }
}

TEST_F(KorvaCount, StandardInputThatCannotBeReadFails) {
#ifdef _WIN32
    GTEST_SKIP() << "Windows cannot hand a directory to a program as its standard input";
#endif
    const ProcessResult result = RunKorvaCount(dir_, {.args = {"sabo"}, .stdin_path = dir_});
    EXPECT_TRUE(result.ExitedWith(1));
    EXPECT_EQ(result.out, "");
    EXPECT_EQ(result.err,
              "korva-count: Standardeingabe kann nicht gelesen werden: " + kFolder + "\n");
}

TEST_F(KorvaCount, FileWithoutReadPermissionFails) {
    const std::string locked = File("locked.txt", "Eisenmine (1)\n");
#ifdef _WIN32
    // What Windows users meet: another program holds the file open and shares it with no one.
    const HANDLE holder = ::CreateFileW((dir_ / "locked.txt").c_str(), GENERIC_READ, 0, nullptr,
                                        OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
    ASSERT_NE(holder, INVALID_HANDLE_VALUE);
    struct Release {
        HANDLE handle;
        ~Release() { ::CloseHandle(handle); }
    } release{holder};
#else
    if (::geteuid() == 0) GTEST_SKIP() << "root reads every file";
    ASSERT_EQ(::chmod(locked.c_str(), 0), 0);
#endif
    const ProcessResult result = Run({"sabo", File("good.txt", "Bohrturm\n"), locked});
    EXPECT_TRUE(result.ExitedWith(1));
    EXPECT_EQ(result.out, "");
#ifdef _WIN32
    const std::string reason = kInUse;
#else
    const std::string reason = kNoPermission;
#endif
    EXPECT_EQ(result.err,
              "korva-count: Datei kann nicht gelesen werden: " + locked + ": " + reason + "\n");
}

TEST_F(KorvaCount, FullDiskIsReportedAsFailure) {
    if (!kHasFullDevice) GTEST_SKIP() << "no device that is always full, like /dev/full, here";
    const std::string file = File("sabo.txt", kSaboReports);
    for (const Args& args : std::vector<Args>{{"sabo", file},
                                              {"pluen", "--json", file},
                                              {"sabo", "--raw", file},
                                              {"--help"},
                                              {"--version"}}) {
        const ProcessResult result =
            RunKorvaCount(dir_, {.args = args, .stdout_target = StdoutTarget::kFullDevice});
        EXPECT_TRUE(result.ExitedWith(1)) << args.front() << " " << result.wait_status;
        EXPECT_EQ(result.err,
                  "korva-count: Ausgabe kann nicht geschrieben werden: " + kDiskFull + "\n");
    }
}

TEST_F(KorvaCount, VanishedReaderIsNoSuccess) {
    const std::string file = File("sabo.txt", kSaboReports);
    // With SIGPIPE ignored (and on Windows, which has none) the failed write is how the program
    // learns of it.
    const ProcessResult result = RunKorvaCount(dir_, {.args = {"sabo", file},
                                                      .stdout_target = StdoutTarget::kClosedPipe,
                                                      .ignore_sigpipe = true});
    EXPECT_TRUE(result.ExitedWith(1)) << result.wait_status;
    EXPECT_EQ(result.err,
              "korva-count: Ausgabe kann nicht geschrieben werden: " + kPipeClosed + "\n");
#ifndef _WIN32
    const ProcessResult killed =
        RunKorvaCount(dir_, {.args = {"sabo", file}, .stdout_target = StdoutTarget::kClosedPipe});
    EXPECT_TRUE(killed.KilledBy(SIGPIPE)) << killed.wait_status;
#endif
}

TEST_F(KorvaCount, HelpAndVersionGoToStdout) {
    for (const Args& args :
         std::vector<Args>{{"--help"}, {"sabo", "--help"}, {"-h"}, {"sabo", "-h", "-x"}}) {
        const ProcessResult help = Run(args);
        EXPECT_TRUE(help.ExitedWith(0));
        EXPECT_EQ(help.out, korva::cli::UsageText());
        EXPECT_EQ(
            help.out.rfind("Aufruf: korva-count sabo|pluen [--encoding auto|utf-8|cp1252]\n", 0),
            0u);
        for (const char* option : {"--explain", "--csv", "--json", "--raw", "--encoding"}) {
            EXPECT_NE(help.out.find("  " + std::string(option) + " "), std::string::npos) << option;
        }
        EXPECT_NE(help.out.find("  -h, --help "), std::string::npos);
        EXPECT_EQ(help.err, "");
    }
    ExpectSuccess(Run({"--version"}), "korva-count 0.3.1.20\n");
}

// An 80-column console starts a new row at the 80th character and breaks words; so does a
// Windows console by default.
TEST_F(KorvaCount, HelpAndUsageErrorsFitAnEightyColumnConsole) {
    const ProcessResult help = Run({"--help"});
    const ProcessResult wrong = Run({"sabo", "--bogus"});
    for (const std::string& text : {help.out, wrong.err}) {
        ASSERT_FALSE(text.empty());
        for (const std::string& line : LinesOf(text)) {
            // One column per character: every byte but UTF-8's continuation bytes.
            const auto columns = std::count_if(line.begin(), line.end(), [](char c) {
                return (static_cast<unsigned char>(c) & 0xC0) != 0x80;
            });
            EXPECT_LT(columns, 80) << line;
        }
    }
}

// At a terminal the program would seem to hang without a word: it says once how to end the
// input. From a pipe or a file it says nothing. (The Windows console: tools/test-windows.sh.)
TEST_F(KorvaCount, SaysHowToEndTypedInputOnlyAtATerminal) {
    if (!kHasTerminal) GTEST_SKIP() << "no pseudo-terminal here";
    // Ctrl+D at the start of a line ends a read of the terminal; the second "-" reads on.
    const ProcessResult typed = RunKorvaCount(dir_, {.args = {"sabo", "-", "-"},
                                                     .typed_keys = "Eisenmine (2)\n\x04"
                                                                   "Bohrturm\n\x04"});
    EXPECT_TRUE(typed.ExitedWith(0)) << typed.wait_status;
    EXPECT_EQ(typed.err,
              "korva-count: Liest Berichte von der Tastatur (eintippen oder einf\xC3\xBCgen).\n"
              "Ende der Eingabe: Strg+D am Anfang einer Zeile.\n");
    EXPECT_TRUE(HasLine(typed.out, "Eisenmine  (2)")) << typed.out;
    EXPECT_TRUE(HasLine(typed.out, "Bohrturm  (1)")) << typed.out;

    const ProcessResult from_file = Run({"sabo", "-", "-"}, "Eisenmine (2)\n");
    const ProcessResult from_pipe = RunKorvaCount(
        dir_, {.args = {"sabo"},
               .feed_stdin = [](const StdinWriter& write) { write("Eisenmine (2)\n"); }});
    for (const ProcessResult& quiet : {from_file, from_pipe}) {
        EXPECT_TRUE(quiet.ExitedWith(0)) << quiet.err;
        EXPECT_EQ(quiet.err, "");
        EXPECT_TRUE(HasLine(quiet.out, "Eisenmine  (2)")) << quiet.out;
    }
}

TEST_F(KorvaCount, WaitsForNonBlockingStandardInput) {
#ifdef _WIN32
    GTEST_SKIP() << "Windows pipes have no non-blocking mode a program could inherit";
#endif
    // A shell may hand on a non-blocking pipe: no data yet is no error.
    const auto feed_late = [](const StdinWriter& write) {
        std::this_thread::sleep_for(std::chrono::milliseconds(200));
        EXPECT_TRUE(write("Eisenmine (4)\n"));
    };
    const ProcessResult result =
        RunKorvaCount(dir_, {.args = {"sabo"}, .feed_stdin = feed_late, .stdin_nonblocking = true});
    EXPECT_TRUE(result.ExitedWith(0)) << result.err;
    EXPECT_TRUE(HasLine(result.out, "Eisenmine  (4)")) << result.out;
}

TEST_F(KorvaCount, LongLinesAreCountedWhole) {
    // Far past the 4096 bytes the window's text box reads of a line.
    const std::string file =
        File("long.txt", std::string(3'000'000, 'x') + " Eisenmine (9)\r\nBohrturm\r\n");
    const ProcessResult result = Run({"sabo", file});
    EXPECT_TRUE(HasLine(result.out, "Eisenmine  (9)")) << result.out;
    EXPECT_TRUE(HasLine(result.out, "Bohrturm  (1)")) << result.out;
}

TEST_F(KorvaCount, StreamsLargeInputInSmallMemory) {
    std::string block;
    constexpr int kLinePairsPerBlock = 32768;
    constexpr int kBlocks = 48;  // about 64 MiB
    for (int i = 0; i < kLinePairsPerBlock; ++i) {
        block += "Eisenmine (3)\r\n12:05 Wohngeb\xC3\xA4ude (2) zerst\xC3\xB6rt\n";
    }
    const ProcessResult result =
        RunKorvaCount(dir_, {.args = {"sabo"}, .feed_stdin = [&](const StdinWriter& write) {
                                 for (int b = 0; b < kBlocks && write(block); ++b) {
                                 }
                             }});
    EXPECT_TRUE(result.ExitedWith(0)) << result.err;
    const long pairs = static_cast<long>(kLinePairsPerBlock) * kBlocks;
    EXPECT_TRUE(HasLine(result.out, "Eisenmine  (" + std::to_string(3 * pairs) + ")"))
        << result.out;
    EXPECT_TRUE(HasLine(result.out, "Wohngeb\xC3\xA4ude  (" + std::to_string(2 * pairs) + ")"))
        << result.out;
}

// A file of 64 MiB and more is counted in two halves at once; the result is that of the same
// bytes read as one stream.
TEST_F(KorvaCount, LargeFileCountsAsTheSameBytesOnStandardInput) {
    std::string block;
    for (int i = 0; block.size() < (1 << 20); ++i) {
        block += "Eisenmine (3)\r\nEisen " + std::to_string(i) + "\n12:05 Wohngeb\xC3\xA4ude (2)\r";
        block += "Wohngeb\xE4ude (5)\r\n\xEF\xBB\xBFSilizium 7\n";
    }
    std::string content;
    while (content.size() < (std::size_t{65} << 20)) content += block;
    const std::string file = File("large.txt", content);
    for (const std::string counter : {"sabo", "pluen"}) {
        const ProcessResult split = Run({counter, "--json", file});
        const ProcessResult stream =
            RunKorvaCount(dir_, {.args = {counter, "--json"}, .stdin_path = dir_ / "large.txt"});
        EXPECT_TRUE(split.ExitedWith(0)) << split.err;
        EXPECT_TRUE(stream.ExitedWith(0)) << stream.err;
        EXPECT_EQ(split.out, stream.out);
        EXPECT_NE(split.out.find(counter == "sabo" ? "\"count\":" : "\"amount\":"),
                  std::string::npos);
    }
}

// Input a user should never send, but will: each gives a clear result and loses no line.
TEST_F(KorvaCount, BadInputCountsWhatItHolds) {
    using std::string_literals::operator""s;
    std::string binary(1 << 20, '\0');
    std::uint32_t state = 12345;
    for (auto& c : binary) {
        state = state * 1103515245u + 12345u;
        c = static_cast<char>(state >> 24);
    }
    const struct {
        const char* name;
        std::string bytes;
        const char* counter;
        std::vector<std::string> lines;  // result lines the output must hold
    } rows[] = {
        {"only line breaks",
         std::string(300'000, '\n') + std::string(300'000, '\r'),
         "sabo",
         {"Eisenmine  (0)", kTotal + "0"}},
        {"NUL bytes hide what follows them in a line",
         "Eisenmine (4)\0\n\0Bohrturm (2)\nSolarpark\0 (6)\n"s,
         "sabo",
         {"Eisenmine  (4)", "Bohrturm  (0)", "Solarpark  (1)"}},
        {"NUL bytes before an amount are trimmed",
         "Eisen\0 5\nEisen 7\0 9\n"s,
         "pluen",
         {"Eisen = 12"}},
        {"binary garbage around a report line",
         binary + "\nEisenmine (7)\n" + binary,
         "sabo",
         {"Eisenmine  (7)"}},
        {"one line of 100 MB is counted whole",
         "Eisenmine (5)" + std::string(100'000'000, 'x') + " Bohrturm",
         "sabo",
         {"Eisenmine  (5)", "Bohrturm  (5)", kTotal + "10"}},
        {"an amount after 100 MB of blanks",
         "Eisen" + std::string(100'000'000, ' ') + "12\n",
         "pluen",
         {"Eisen = 12"}},
        {"amounts at and past the 32-bit bounds",
         "Eisen 2147483647\nEisen 2147483647\nEisen 2147483648\nEisen -2147483648\n",
         "pluen",
         {"Eisen = 2147483646"}},
        {"counts past 32 bits stay exact",
         "Raumhafen (2147483647)\nRaumhafen (2147483647)\n",
         "sabo",
         {"Raumhafen  (4294967294)", kTotal + "12884901882"}},
    };
    for (const auto& row : rows) {
        const ProcessResult result = Run({row.counter, File("input", row.bytes)});
        EXPECT_TRUE(result.ExitedWith(0)) << row.name << ": " << result.err;
        EXPECT_EQ(LinesOf(result.out).size(), std::string_view(row.counter) == "sabo" ? 16u : 7u)
            << row.name;
        for (const auto& line : row.lines) {
            EXPECT_TRUE(HasLine(result.out, line)) << row.name << ": " << line << "\n"
                                                   << result.out;
        }
    }
}

}  // namespace
}  // namespace korva::cli_test
