// korva-count --explain: over the texts the command line reads in every encoding mode, the
// additions explained line by line sum to the tallies the counters reach, and every explained
// line is one line of text without control characters (C0, DEL or C1) and one valid JSON object.
#include <array>
#include <cstdint>
#include <string>
#include <string_view>

#include "cli/explain.hpp"
#include "cli/input.hpp"
#include "cli/tests/json_reader.hpp"
#include "counters/line_report.hpp"
#include "counters/pluen_counter.hpp"
#include "counters/report_lines.hpp"
#include "counters/sabo_counter.hpp"
#include "fuzz/require.hpp"

namespace {

using korva::fuzz::Require;

void CheckForms(korva::cli::Counter counter, const korva::cli::ExplainedLine& line) {
    const std::string text = korva::cli::ExplainedText(counter, line);
    Require(text.find('\n') == text.size() - 1, "an explained line is one line of text");
    for (std::size_t i = 0; i + 1 < text.size(); ++i) {
        const auto byte = static_cast<unsigned char>(text[i]);
        Require(byte >= 0x20 && byte != 0x7F, "an explained line holds no control byte");
        // The C1 controls U+0080 to U+009F are C2 80 to C2 9F in UTF-8.
        Require(!(byte == 0xC2 && static_cast<unsigned char>(text[i + 1]) <= 0x9F),
                "an explained line holds no C1 control character");
    }
    const std::string json = korva::cli::ExplainedJson(counter, line);
    Require(korva::cli_test::JsonReader::Read(json).has_value(),
            "an explained line in JSON is valid JSON");
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
        korva::cli::ForEachText(
            bytes, encoding, [&](std::string_view text, korva::LineDecoder decode) {
                sabo.AddText(text, decode);
                pluen.AddText(text, decode);
                korva::ForEachLine(text, [&](std::string_view raw) {
                    const std::string line(decode(raw));
                    ++number;
                    const korva::LineAdditions built = korva::SaboLineAdditions(line);
                    const korva::LineAdditions plundered = korva::PluenLineAdditions(line);
                    for (const auto& a : built) {
                        counts[a.row] = korva::WrappingAdd(counts[a.row], a.amount);
                    }
                    for (const auto& a : plundered) {
                        sums[a.row] = korva::WrappingAdd(sums[a.row], a.amount);
                    }
                    if (!built.empty())
                        CheckForms(korva::cli::Counter::kSabo, {"-", number, built, line});
                    if (!plundered.empty()) {
                        CheckForms(korva::cli::Counter::kPluen, {"-", number, plundered, line});
                    }
                });
            });
        Require(counts == sabo.Counts(), "the explained additions sum to the sabotage tally");
        Require(sums == pluen.Sums(), "the explained additions sum to the plunder tally");
    }
    return 0;
}
