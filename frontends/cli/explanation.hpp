// korva-count --explain: the rows of frontends/printers/explained_rows.hpp for every file, each
// line placed by its file's name and number. Written before the result (inside the JSON object for
// --json), and held back until the count has succeeded (see Spool), so that standard output
// still gets nothing on failure while memory stays flat.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "frontends/cli/arguments.hpp"
#include "frontends/cli/spool.hpp"
#include "frontends/printers/explained_rows.hpp"

namespace korva::cli {

// "bericht.txt:12: Eisenmine +3, Bohrturm +3 | Eisenmine (3) und Bohrturm (2)" and LF, in UTF-8.
// file as named on the command line, "-" for standard input.
std::string ExplainedText(Counter counter, std::string_view file, const ExplainedLine& line);

// The JSON object of ExplainedJson for file.
std::string ExplainedFileJson(Counter counter, std::string_view file, const ExplainedLine& line);

// The CSV records of CsvPrinter for file.
std::string ExplainedFileCsv(Counter counter, std::string_view file, const ExplainedLine& line);

class Explanation {
  public:
    Explanation(Counter counter, OutputFormat format) : counter_(counter), format_(format) {}
    // Rows written to output as they come (see Spool) where the format puts them before the
    // result, which is all but JSON; held back otherwise.
    Explanation(Counter counter, OutputFormat format, ByteSink output);

    // Whether the rows go to output as they come.
    bool Passes() const { return passes_; }

    // 0, or the errno of a failure to hold the explanation back or to pass it on.
    int Error() const { return spool_.Error(); }

    // Lines are numbered anew in each file.
    void StartFile(std::string_view name);

    // A text of whole lines of the current file, as ReadTexts delivers them, counted into tally
    // and explained in the same pass.
    template <class Tally>
    void CountText(Tally& tally, std::string_view text, LineDecoder decode) {
        const auto add = [this](const ExplainedLine& line) { Add(line); };
        ExplanationSink sink(text, line_count_, add);
        tally.AddText(text, decode, sink);
        line_count_ = sink.LastLine();
    }

    // The explanation and the formatted result together, in the format's order. Returns 0 or
    // the errno of the failure.
    int WriteWithResult(ByteSink write, std::string_view result);

  private:
    void Add(const ExplainedLine& line);

    Counter counter_;
    OutputFormat format_;
    bool passes_ = false;
    Spool spool_;
    std::string file_;  // UTF-8
    std::optional<RowPrinter> rows_;
    std::optional<CsvPrinter> records_;
    std::string row_;
    std::uint64_t line_count_ = 0;
    bool any_ = false;
};

}  // namespace korva::cli
