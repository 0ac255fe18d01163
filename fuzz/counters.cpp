// Both counters over whole inputs, as lists, line by line and as whole texts, against the plain
// per-row counting; the same over the texts the command line reads in every encoding mode, where
// only the non-ASCII lines a counter looks at are decoded; the scans on every kernel this CPU
// runs against the scalar kernel and against what they promise of each line; and the result text
// the counters produce; and the web page's count of UTF-8 text against korva-count's reading of it.
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "counters/kernels/scan_path.hpp"
#include "counters/pluen_counter.hpp"
#include "counters/result_lines.hpp"
#include "counters/sabo_counter.hpp"
#include "counters/scans/building_scan.hpp"
#include "counters/scans/resource_scan.hpp"
#include "counters/tables/tables.hpp"
#include "counters/tests/oracle.hpp"
#include "counters/text/line_bounds.hpp"
#include "counters/text/report_lines.hpp"
#include "frontends/cli/input.hpp"
#include "frontends/cli/split_read.hpp"
#include "frontends/model/report_count.hpp"
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

// line is one whole line of text: a view into it between two breaks (or an end).
bool IsWholeLine(std::string_view text, std::string_view line) {
    if (line.data() < text.data() || line.data() + line.size() > text.data() + text.size()) {
        return text.empty() && line.empty();
    }
    const std::size_t begin = static_cast<std::size_t>(line.data() - text.data());
    const std::size_t end = begin + line.size();
    return (begin == 0 || korva::IsLineBreak(text[begin - 1])) &&
           (end == text.size() || korva::IsLineBreak(text[end])) &&
           line.find_first_of("\r\n") == std::string_view::npos;
}

bool IsAscii(std::string_view line) {
    for (const char c : line) {
        if (static_cast<unsigned char>(c) >= 0x80) return false;
    }
    return true;
}

struct Visit {
    const char* data;
    std::size_t size;
    std::uint16_t named;
    std::size_t open;
    std::size_t close;
    bool nul;
    bool ascii;
    bool operator==(const Visit&) const = default;
};

// The lines a scan visits on a kernel, each checked against what the scan promises of it.
std::vector<Visit> NamedLines(std::string_view text, korva::ScanPath path) {
    std::vector<Visit> visits;
    korva::ForEachLineNamingBuildings(
        text,
        [&](const korva::NamedLine& found) {
            const std::string_view line = found.line;
            Require(IsWholeLine(text, line), "the building scan visits whole lines");
            std::uint16_t named = 0;
            for (std::size_t r = 0; r < korva::BuildingTable.size(); ++r) {
                if (line.find(korva::BuildingTable[r].name) != std::string_view::npos) {
                    named |= static_cast<std::uint16_t>(1u << r);
                }
            }
            Require(found.named == named, "named are the rows whose name the line holds");
            Require(
                found.marks.open == line.find('(') + 1 && found.marks.close == line.find(')') + 1,
                "the marks are the first brackets of the line");
            Require(found.marks.nul == (line.find('\0') != std::string_view::npos),
                    "nul tells a 0x00 byte in the line");
            Require(found.ascii == IsAscii(line), "ascii tells a line without bytes above 0x7F");
            visits.push_back({line.data(), line.size(), found.named, found.marks.open,
                              found.marks.close, found.marks.nul, found.ascii});
        },
        path);
    return visits;
}

std::vector<Visit> KeywordLines(std::string_view text, korva::ScanPath path) {
    std::vector<Visit> visits;
    korva::ForEachLineOpeningWithKeyword(
        text,
        [&](std::string_view line, bool ascii) {
            Require(IsWholeLine(text, line), "the keyword scan visits whole lines");
            Require(ascii == IsAscii(line), "ascii tells a line without bytes above 0x7F");
            visits.push_back({line.data(), line.size(), 0, 0, 0, false, ascii});
        },
        path);
    return visits;
}

struct Amounts {
    korva::ResourceSums sums;
    std::vector<std::string_view> non_ascii;
    bool operator==(const Amounts&) const = default;
};

// What the plunder scan counts in place, and the lines it hands back to be decoded.
Amounts KeywordAmounts(std::string_view text, korva::ScanPath path) {
    Amounts amounts;
    amounts.sums = korva::KeywordAmounts(
        text,
        [&](std::string_view line) {
            Require(IsWholeLine(text, line), "the plunder scan hands back whole lines");
            Require(!IsAscii(line), "the plunder scan counts every ASCII line itself");
            amounts.non_ascii.push_back(line);
        },
        path);
    return amounts;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view text = korva::fuzz::AsText(data, size);
    const korva::ReportLines lines = korva::DivideIntoLines(text);

    korva::SaboTally sabo_list;
    korva::PluenTally pluen_list;
    for (const auto line : lines) {
        sabo_list.AddLine(line);
        pluen_list.AddLine(line);
    }
    const korva::ResultLines sabo = sabo_list.Lines();
    const korva::ResultLines pluen = pluen_list.Lines();
    Require(sabo == korva::oracle::Sabo(lines), "SaboTally counts as the plain per-row rules");
    Require(pluen == korva::oracle::Pluen(lines), "PluenTally counts as the plain per-row rules");

    korva::SaboTally sabo_tally;
    korva::PluenTally pluen_tally;
    korva::ForEachLine(text, [&](std::string_view line) {
        sabo_tally.AddLine(line);
        pluen_tally.AddLine(line);
    });
    Require(sabo_tally.Lines() == sabo,
            "SaboTally fed the text line by line counts as over the list");
    Require(pluen_tally.Lines() == pluen,
            "PluenTally fed the text line by line counts as over the list");

    // The whole-text path skips the lines its prefilter judges unable to count.
    korva::SaboTally sabo_text;
    korva::PluenTally pluen_text;
    sabo_text.AddText(text);
    pluen_text.AddText(text);
    Require(sabo_text.Lines() == sabo, "SaboTally::AddText counts as line by line");
    Require(pluen_text.Lines() == pluen, "PluenTally::AddText counts as line by line");

    // Every kernel visits the lines the scalar one visits and finds the same in them.
    const auto named = NamedLines(text, korva::ScanPath::kScalar);
    const auto keyword_lines = KeywordLines(text, korva::ScanPath::kScalar);
    const auto amounts = KeywordAmounts(text, korva::ScanPath::kScalar);
    static const std::vector<korva::KernelPath> kernels = korva::KernelsThisCpuRuns();
    for (const korva::KernelPath& kernel : kernels) {
        Require(NamedLines(text, kernel.path) == named,
                "every kernel's building scan agrees with the scalar one");
        Require(KeywordLines(text, kernel.path) == keyword_lines,
                "every kernel's keyword scan agrees with the scalar one");
        Require(KeywordAmounts(text, kernel.path) == amounts,
                "every kernel's plunder count agrees with the scalar one");
    }

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

        // Split as korva-count splits a large file: after the first line break from the
        // middle on, the second half read as the inside of a file, both tallies added.
        const std::size_t middle = text.size() / 2;
        if (const auto after = korva::cli::AfterFirstBreak(text.substr(middle), true)) {
            const std::size_t split = middle + *after;
            korva::SaboTally sabo_halves[2];
            korva::PluenTally pluen_halves[2];
            for (const int half : {0, 1}) {
                korva::cli::ForEachText(
                    half == 0 ? text.substr(0, split) : text.substr(split), encoding,
                    [&](std::string_view read, korva::LineDecoder decode) {
                        sabo_halves[half].AddText(read, decode);
                        pluen_halves[half].AddText(read, decode);
                    },
                    static_cast<std::size_t>(-1),
                    half == 0 ? korva::cli::ReportDecoder::Start::kFileStart
                              : korva::cli::ReportDecoder::Start::kAfterLineBreak);
            }
            sabo_halves[0].Add(sabo_halves[1]);
            pluen_halves[0].Add(pluen_halves[1]);
            // A UTF-16 file is never split; its halves would be counted as bytes. Nor is a file
            // whose first half alone would be taken for UTF-16: korva-count splits files of
            // 64 MiB and more, whose first half holds all the bytes that decide.
            using korva::cli::FileStartOf;
            if (FileStartOf(text, encoding).form == korva::cli::TextForm::kBytes &&
                FileStartOf(text.substr(0, split), encoding).form == korva::cli::TextForm::kBytes) {
                Require(sabo_halves[0].Lines() == sabo_read.Lines(),
                        "a text counted in two halves counts as the whole (sabo)");
                Require(pluen_halves[0].Lines() == pluen_read.Lines(),
                        "a text counted in two halves counts as the whole (pluen)");
            }
        }
    }

    // The page hands over its text box in UTF-8 and counts it where it stands. korva-count reads
    // the same bytes after a byte-order mark, which it skips, so the text's own first bytes count
    // as they are, as in a text box.
    korva::SaboTally sabo_utf8;
    korva::PluenTally pluen_utf8;
    korva::cli::ForEachText("\xEF\xBB\xBF" + std::string(text), korva::cli::Encoding::kUtf8,
                            [&](std::string_view read, korva::LineDecoder decode) {
                                sabo_utf8.AddText(read, decode);
                                pluen_utf8.AddText(read, decode);
                            });
    Require(korva::form::CountLinesUtf8(korva::Counter::kSabo, text) == sabo_utf8.Lines(),
            "the page's count of UTF-8 text is korva-count's (sabo)");
    Require(korva::form::CountLinesUtf8(korva::Counter::kPluen, text) == pluen_utf8.Lines(),
            "the page's count of UTF-8 text is korva-count's (pluen)");

    CheckOutputText(sabo, 16);
    CheckOutputText(pluen, 7);
    return 0;
}
