// The explanation: over the texts the command line reads in every encoding mode, the lines the
// scans pick are exactly the lines that add when each line is looked at, under the same numbers;
// their additions sum to the tallies the counters reach; and every explained line is one line of
// text without control characters (C0, DEL or C1) and one valid JSON object.
#include <array>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "counters/pluen_counter.hpp"
#include "counters/sabo_counter.hpp"
#include "counters/text/report_lines.hpp"
#include "frontends/cli/explanation.hpp"
#include "frontends/cli/input.hpp"
#include "frontends/cli/tests/json_reader.hpp"
#include "frontends/printers/explained_rows.hpp"
#include "fuzz/require.hpp"

namespace {

using korva::Counter;
using korva::fuzz::Require;

void CheckForms(Counter counter, const korva::ExplainedLine& line) {
    const std::string text = korva::cli::ExplainedText(counter, "-", line);
    Require(text.find('\n') == text.size() - 1, "an explained line is one line of text");
    for (std::size_t i = 0; i + 1 < text.size(); ++i) {
        const auto byte = static_cast<unsigned char>(text[i]);
        Require(byte >= 0x20 && byte != 0x7F, "an explained line holds no control byte");
        // The C1 controls U+0080 to U+009F are C2 80 to C2 9F in UTF-8.
        Require(!(byte == 0xC2 && static_cast<unsigned char>(text[i + 1]) <= 0x9F),
                "an explained line holds no C1 control character");
    }
    const std::string json = korva::cli::ExplainedFileJson(counter, "-", line);
    Require(korva::cli_test::JsonReader::Read(json).has_value(),
            "an explained line in JSON is valid JSON");
}

// Each line's additions, looked at one by one: what the scans must find.
struct Expected {
    std::uint64_t number;
    korva::LineAdditions additions;
    std::string line;
};

bool Same(const korva::LineAdditions& a, const korva::LineAdditions& b) {
    if (a.size() != b.size()) return false;
    for (std::size_t i = 0; i < a.size(); ++i) {
        if (a[i].row != b[i].row || a[i].amount != b[i].amount ||
            a[i].unreadable != b[i].unreadable) {
            return false;
        }
    }
    return true;
}

template <std::size_t rows>
void Explain(Counter counter, std::string_view text, korva::LineDecoder decode,
             std::uint64_t& lines, const std::vector<Expected>& expected, std::size_t& next,
             std::array<korva::Tally, rows>& sums) {
    lines = korva::ForEachExplainedLine(
        counter, text, decode, lines, [&](const korva::ExplainedLine& line) {
            Require(next < expected.size(), "the scan explains no line more");
            const Expected& want = expected[next++];
            Require(line.number == want.number && line.cp1252_line == want.line &&
                        Same(line.additions, want.additions),
                    "the scan explains the lines that add, under their numbers");
            for (const auto& a : line.additions)
                sums[a.row] = korva::WrappingAdd(sums[a.row], a.amount);
            CheckForms(counter, line);
        });
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view bytes = korva::fuzz::AsText(data, size);
    for (const auto encoding : {korva::cli::Encoding::kAuto, korva::cli::Encoding::kUtf8,
                                korva::cli::Encoding::kCp1252}) {
        korva::SaboTally sabo;
        korva::PluenTally pluen;
        std::array<korva::Tally, korva::BuildingTable.size()> counts{};
        std::array<korva::Tally, korva::ResourceTable.size()> sums{};
        std::uint64_t number = 0;
        std::uint64_t sabo_lines = 0;
        std::uint64_t pluen_lines = 0;
        korva::cli::ForEachText(
            bytes, encoding, [&](std::string_view text, korva::LineDecoder decode) {
                sabo.AddText(text, decode);
                pluen.AddText(text, decode);
                std::vector<Expected> built;
                std::vector<Expected> plundered;
                korva::ForEachLine(text, [&](std::string_view raw) {
                    const std::string line(decode(raw));
                    ++number;
                    korva::LineAdditions b = korva::SaboLineAdditions(line);
                    korva::LineAdditions p = korva::PluenLineAdditions(line);
                    if (!b.empty()) built.push_back({number, std::move(b), line});
                    if (!p.empty()) plundered.push_back({number, std::move(p), line});
                });
                std::size_t next_built = 0;
                std::size_t next_plundered = 0;
                Explain(Counter::kSabo, text, decode, sabo_lines, built, next_built, counts);
                Explain(Counter::kPluen, text, decode, pluen_lines, plundered, next_plundered,
                        sums);
                Require(next_built == built.size() && next_plundered == plundered.size(),
                        "the scan explains every line that adds");
                Require(sabo_lines == number && pluen_lines == number,
                        "the lines are counted as the counters divide them");
            });
        Require(counts == sabo.Counts(), "the explained additions sum to the sabotage tally");
        Require(sums == pluen.Sums(), "the explained additions sum to the plunder tally");
    }
    return 0;
}
