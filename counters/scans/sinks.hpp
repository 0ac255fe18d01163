// What a counter's scan does with each line that may add: it finds the line once, applies the
// counter's rule to it, and hands the rule's result to a sink, given as a template parameter so
// that the count's own sink is inlined into the loop. The tally is one sink, the explanation's
// rows another, and both together a third, which counts and explains in a single pass.
//
// A sink takes, for each line:
//   Named(named, amount)               sabotage: amount.amount to each row whose bit is in named
//   (row, amount, amount_text, opening) plunder: amount to row, read from amount_text; opening is
//                                      the line from the keyword on; once for each row opened
//   EndLine(raw, line)                 after the line's rows: raw as it stands in the text, line
//                                      decoded to Windows-1252
// kLinesAfterBlanks: the plunder scan also hands the lines that open with a keyword after blanks,
// which add 0 but which an explanation shows.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <string_view>

#include "counters/scans/line_report.hpp"
#include "counters/tables/bracket_amount.hpp"
#include "counters/tables/keyword_amount.hpp"
#include "counters/tables/tables.hpp"
#include "counters/tables/tally.hpp"
#include "counters/text/function_ref.hpp"
#include "counters/text/line_breaks.hpp"

namespace korva {

using BuildingCounts = std::array<Tally, BuildingTable.size()>;

// The tallies' sinks hold their sums themselves, added to the tally's once the scan is done: a
// reference would be one more load on every line.
struct SaboTallySink {
    static constexpr bool kLinesAfterBlanks = false;
    BuildingCounts counts{};

    void Named(kernels::BuildingBits named, const BracketAmount& amount) {
        // Only the rows named: a line names one to three buildings, and a test of all fourteen
        // costs a mispredicted branch for most.
        for (unsigned rows = named; rows; rows &= rows - 1) {
            Tally& count = counts[static_cast<std::size_t>(__builtin_ctz(rows))];
            count = WrappingAdd(count, amount.amount);
        }
    }
    void EndLine(std::string_view, std::string_view) {}
};

struct PluenTallySink {
    static constexpr bool kLinesAfterBlanks = false;
    ResourceSums sums{};

    void operator()(std::size_t row, Tally amount, std::string_view, std::string_view) {
        sums[row] = WrappingAdd(sums[row], amount);
    }
    void EndLine(std::string_view, std::string_view) {}
};

struct ExplainedLine {
    std::uint64_t number;          // 1-based
    LineAdditions additions;       // never empty
    std::string_view cp1252_line;  // decoded, as the counter saw it
};

using ExplainedLineVisitor = FunctionRef<void(const ExplainedLine& line)>;

// Numbers the lines of text from lines_before on, as they are met in order: by the breaks since
// the last line numbered, so that each byte is counted once.
class LineNumbers {
  public:
    LineNumbers(std::string_view text, std::uint64_t lines_before)
        : text_(text), number_(lines_before + 1), breaks_(BreakCounterFor()) {}

    // The number of the line starting at begin, at or after the last one numbered.
    std::uint64_t Of(std::size_t begin) {
        number_ += breaks_(text_, at_, begin);
        at_ = begin;
        return number_;
    }

    // The number of the text's last line; lines_before for an empty text.
    std::uint64_t Last() const {
        if (text_.empty()) return number_ - 1;
        const std::uint64_t total = number_ + breaks_(text_, at_, text_.size());
        const bool open_end = text_.back() != '\r' && text_.back() != '\n';
        return open_end ? total : total - 1;
    }

  private:
    std::string_view text_;
    std::size_t at_ = 0;  // where the line numbered number_ starts
    std::uint64_t number_;
    BreakCounter breaks_;  // the kernel's, taken once for every line
};

// Makes each line that adds an ExplainedLine, numbered within text, for on_line.
class ExplanationSink {
  public:
    static constexpr bool kLinesAfterBlanks = true;

    ExplanationSink(std::string_view text, std::uint64_t lines_before, ExplainedLineVisitor on_line)
        : text_(text), numbers_(text, lines_before), on_line_(on_line) {}

    void Named(kernels::BuildingBits named, const BracketAmount& amount) {
        AddSaboRows(additions_, named, amount);
    }
    // A call in the page's module, which stays small so: the rule calls it for each row.
#if defined(__wasm__)
    [[gnu::noinline]]
#endif
    void
    operator()(std::size_t row, Tally amount, std::string_view amount_text,
               std::string_view opening) {
        AddPlunderRow(additions_, row, amount, amount_text, opening);
    }
    void EndLine(std::string_view raw, std::string_view line) {
        if (additions_.empty()) return;
        on_line_(
            {numbers_.Of(static_cast<std::size_t>(raw.data() - text_.data())), additions_, line});
        additions_.clear();
    }

    // The number of the text's last line, once the scan is done.
    std::uint64_t LastLine() const {
        return numbers_.Last();
    }

  private:
    std::string_view text_;
    LineNumbers numbers_;
    ExplainedLineVisitor on_line_;
    LineAdditions additions_;
};

// A tally's sink and the explanation's, fed in the same pass.
template <class TallySink>
struct BothSinks {
    static constexpr bool kLinesAfterBlanks = true;
    TallySink tally;
    ExplanationSink& explanation;

    void Named(kernels::BuildingBits named, const BracketAmount& amount) {
        tally.Named(named, amount);
        explanation.Named(named, amount);
    }
    void operator()(std::size_t row, Tally amount, std::string_view amount_text,
                    std::string_view opening) {
        tally(row, amount, amount_text, opening);
        explanation(row, amount, amount_text, opening);
    }
    void EndLine(std::string_view raw, std::string_view line) { explanation.EndLine(raw, line); }
};

// The scans, with every sink above (explicitly instantiated in their .cpp files).
template <class Sink>
void ScanSabo(std::string_view text, LineDecoder decode, Sink& sink,
              ScanPath path = ScanPath::kFastest);
template <class Sink>
void ScanPluen(std::string_view text, LineDecoder decode, Sink& sink,
               ScanPath path = ScanPath::kFastest);

}  // namespace korva
