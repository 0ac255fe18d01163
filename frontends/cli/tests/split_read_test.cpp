// A file read in two halves on two threads counts as the same file read whole, wherever the
// middle falls; files that must not be split are left to the usual read.
#include "frontends/cli/split_read.hpp"

#include <gtest/gtest.h>

#include <filesystem>
#include <optional>
#include <string>
#include <vector>

#include "counters/pluen_counter.hpp"
#include "counters/sabo_counter.hpp"
#include "process.hpp"
#include "scratch_dir_test.hpp"

namespace korva::cli {
namespace {

TEST(AfterFirstBreak, EndsAfterTheWholeBreak) {
    const struct {
        std::string_view window;
        bool at_end;
        std::optional<std::size_t> after;
    } rows[] = {
        {"abc\ndef", false, 4}, {"abc\r\ndef", false, 5},    {"abc\rdef", false, 4},
        {"\n\r\n", false, 1},   {"\r\n", false, 2},          {"abc\r", false, std::nullopt},
        {"abc\r", true, 4},     {"abc", true, std::nullopt}, {"", true, std::nullopt},
        {"\r\r\n", false, 1},
    };
    for (const auto& row : rows) {
        EXPECT_EQ(AfterFirstBreak(row.window, row.at_end), row.after) << row.window;
    }
}

class SplitReadTest : public cli_test::ScratchDirTest {
  protected:
    SplitReadTest() : ScratchDirTest("korva-split-") {}

    void SetUp() override {
#ifdef _WIN32
        GTEST_SKIP() << "Windows reads every file in one piece";
#endif
        ScratchDirTest::SetUp();
    }

    // A new file each time: a table's rows all stand at once.
    std::string File(std::string_view bytes) {
        const auto path = dir_ / ("reports" + std::to_string(files_++) + ".txt");
        cli_test::WriteBytes(path, bytes);
        return path.string();
    }

  private:
    int files_ = 0;
};

struct Counted {
    SplitReadResult result;
    ResultLines sabo;
    ResultLines pluen;
};

// Read in two with small buffers, so that both halves take several reads.
Counted InTwo(const std::string& name, Encoding encoding, std::size_t minimum_size = 0) {
    SaboTally sabo[2];
    PluenTally pluen[2];
    std::vector<char> buffers[2] = {std::vector<char>(7), std::vector<char>(5)};
    const auto sink = [&](int half) {
        return [&, half](std::string_view text, LineDecoder decode) {
            sabo[half].AddText(text, decode);
            pluen[half].AddText(text, decode);
        };
    };
    const auto first = sink(0);
    const auto second = sink(1);
    const SplitReadResult result =
        ReadTextsInTwo(name, encoding, minimum_size, buffers[0], first, buffers[1], second);
    sabo[0].Add(sabo[1]);
    pluen[0].Add(pluen[1]);
    return {result, sabo[0].Lines(), pluen[0].Lines()};
}

Counted Whole(const std::string& name, Encoding encoding) {
    SaboTally sabo;
    PluenTally pluen;
    std::vector<char> buffer(64);
    ReadTexts(name, encoding, buffer, [&](std::string_view text, LineDecoder decode) {
        sabo.AddText(text, decode);
        pluen.AddText(text, decode);
    });
    return {{SplitRead::kDone, 0}, sabo.Lines(), pluen.Lines()};
}

// Each file is split wherever its middle falls: on a CR, an LF, inside a CR LF, before a line
// that opens with bytes that would be a UTF-8 mark at the start of a file, or inside a UTF-8
// character.
TEST_F(SplitReadTest, CountsAsTheWholeFileWhereverTheMiddleFalls) {
    const std::string reports =
        "Eisenmine (4)\r\nEisen 1500\n\xEF\xBB\xBF"
        "Eisen 7\nWohngeb\xE4ude (2)\rWohngeb\xC3\xA4ude (3)\r\nRaumhafen\n\nWasserstoff\t230\r\n"
        "Bohrturm (5)";  // no break at the very end
    for (std::size_t lead = 0; lead < 160; ++lead) {
        const std::string content = std::string(lead, 'x') + reports;
        const std::string name = File(content);
        for (const Encoding encoding : {Encoding::kAuto, Encoding::kUtf8, Encoding::kCp1252}) {
            SCOPED_TRACE(testing::Message()
                         << "lead " << lead << " encoding " << static_cast<int>(encoding));
            const Counted two = InTwo(name, encoding);
            EXPECT_EQ(two.result.outcome, SplitRead::kDone);
            const Counted whole = Whole(name, encoding);
            EXPECT_EQ(two.sabo, whole.sabo);
            EXPECT_EQ(two.pluen, whole.pluen);
        }
    }
}

TEST_F(SplitReadTest, LeavesWhatMustNotBeSplitToTheUsualRead) {
    const std::string lines = "Eisen 1\nEisen 2\nEisen 3\nEisen 4\n";
    // Split after an LF byte, UTF-16 without a mark would lose its byte order in the second half.
    std::string utf16_le;
    std::string utf16_be;
    for (const char c : lines) {
        utf16_le += std::string{c, '\0'};
        utf16_be += std::string{'\0', c};
    }
    const struct {
        std::string name;
        std::size_t minimum_size;
    } rows[] = {
        {File(lines), lines.size() + 1},  // too small
        {File("\xFF\xFE" + lines), 0},    // UTF-16 little endian
        {File("\xFE\xFF" + lines), 0},    // UTF-16 big endian
        {File(utf16_le), 0},              // ... and without a mark
        {File(utf16_be), 0},
        {File("Eisen 1\n" + std::string(100, 'x')), 0},         // no break past the middle
        {File("Eisen 1\n" + std::string(100, 'x') + "\n"), 0},  // ... but the last
        {"-", 0},
        {dir_.string(), 0},
        {(dir_ / "missing.txt").string(), 0},
    };
    for (const auto& row : rows) {
        EXPECT_EQ(InTwo(row.name, Encoding::kAuto, row.minimum_size).result.outcome,
                  SplitRead::kNotSplit)
            << row.name;
    }
    // The same bytes as a UTF-16 mark are no mark when the encoding is given.
    EXPECT_EQ(InTwo(File("\xFF\xFE" + lines), Encoding::kCp1252).result.outcome, SplitRead::kDone);
}

}  // namespace
}  // namespace korva::cli
