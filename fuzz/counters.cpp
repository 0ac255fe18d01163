// Both counters over whole inputs, as lists, line by line and as whole texts, against the plain
// per-row counting; the same over the texts the command line reads in every encoding mode, where
// only the lines a counter looks at are decoded; and the result text the counters produce.
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "cli/input.hpp"
#include "counters/pluen_counter.hpp"
#include "counters/report_lines.hpp"
#include "counters/result_lines.hpp"
#include "counters/sabo_counter.hpp"
#include "counters/tests/oracle.hpp"
#include "fuzz/require.hpp"

namespace {

using korva::fuzz::Require;

void CheckOutputText(const korva::ResultLines& result, std::size_t line_count) {
    Require(result.size() == line_count, "a counter gives its fixed number of result lines");
    const std::string text = korva::OutputText(result);
    std::size_t at = 0;
    for (const auto& line : result) {
        Require(text.compare(at, line.size(), line) == 0 &&
                    text.compare(at + line.size(), 2, "\r\n") == 0,
                "the output text is every line followed by CR LF");
        at += line.size() + 2;
    }
    Require(at == text.size(), "the output text holds nothing else");
    const korva::ReportLines back = korva::DivideIntoLines(text);
    Require(korva::ResultLines(back.begin(), back.end()) == result,
            "dividing the output text gives the result lines back");
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view text = korva::fuzz::AsText(data, size);
    const korva::ReportLines lines = korva::DivideIntoLines(text);

    const korva::ResultLines sabo = korva::SaboCounter(lines);
    const korva::ResultLines pluen = korva::PluenCounter(lines);
    Require(sabo == korva::oracle::Sabo(lines), "SaboCounter counts as the plain per-row rules");
    Require(pluen == korva::oracle::Pluen(lines), "PluenCounter counts as the plain per-row rules");

    korva::SaboTally sabo_tally;
    korva::PluenTally pluen_tally;
    korva::ForEachLine(text, [&](std::string_view line) {
        sabo_tally.AddLine(line);
        pluen_tally.AddLine(line);
    });
    Require(sabo_tally.Lines() == sabo, "SaboTally fed line by line counts as SaboCounter");
    Require(pluen_tally.Lines() == pluen, "PluenTally fed line by line counts as PluenCounter");

    // The whole-text path skips the lines its prefilter judges unable to count.
    korva::SaboTally sabo_text;
    korva::PluenTally pluen_text;
    sabo_text.AddText(text);
    pluen_text.AddText(text);
    Require(sabo_text.Lines() == sabo, "SaboTally::AddText counts as SaboCounter");
    Require(pluen_text.Lines() == pluen, "PluenTally::AddText counts as PluenCounter");

    for (const auto encoding : {korva::cli::Encoding::kAuto, korva::cli::Encoding::kUtf8,
                                korva::cli::Encoding::kCp1252}) {
        std::vector<std::string> decoded;
        korva::SaboTally sabo_read;
        korva::PluenTally pluen_read;
        korva::cli::ForEachText(
            text, encoding, [&](std::string_view read, korva::LineDecoder decode) {
                sabo_read.AddText(read, decode);
                pluen_read.AddText(read, decode);
                korva::ForEachLine(
                    read, [&](std::string_view line) { decoded.emplace_back(decode(line)); });
            });
        Require(sabo_read.Lines() == korva::oracle::Sabo(decoded),
                "SaboTally::AddText with a decoder counts as the decoded lines");
        Require(pluen_read.Lines() == korva::oracle::Pluen(decoded),
                "PluenTally::AddText with a decoder counts as the decoded lines");
    }

    CheckOutputText(sabo, 16);
    CheckOutputText(pluen, 7);
    return 0;
}
