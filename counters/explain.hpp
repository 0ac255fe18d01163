// korva-count --explain: for every line that adds to a total, where it stands, what it adds to
// which row, and the line itself. Written before the result (inside the JSON object for --json),
// and held in a temporary file until the count has succeeded, so that standard output still gets
// nothing on failure while memory stays flat.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

#include "cli/arguments.hpp"
#include "cli/spool.hpp"
#include "counters/function_ref.hpp"
#include "counters/line_report.hpp"

namespace korva::cli {

// How many characters of a line are shown; a longer one is cut and ends in "…".
inline constexpr std::size_t kShownCharacters = 200;

struct ExplainedLine {
    std::string_view file;         // as named on the command line, "-" for standard input
    std::uint64_t number;          // 1-based, counted in the file
    LineAdditions additions;       // never empty
    std::string_view cp1252_line;  // decoded, as the counter saw it
};

// "bericht.txt:12: Eisenmine +3, Bohrturm +3 | Eisenmine (3) und Bohrturm (2)" and LF, in
// UTF-8, control characters in caret notation ("^I" for a tab) so that no byte of a report can
// steer the terminal.
std::string ExplainedText(Counter counter, const ExplainedLine& line);

// {"file":"-","line":12,"added":[{"name":"Eisenmine","count":3,"readable":true}],
// "text":"...","cut":false}; "amount" instead of "count" for the plunder counter.
std::string ExplainedJson(Counter counter, const ExplainedLine& line);

class Explanation {
  public:
    Explanation(Counter counter, OutputFormat format) : counter_(counter), format_(format) {}

    // 0, or the errno of a failure to hold the explanation back.
    int Error() const { return spool_.Error(); }

    // Lines are numbered anew in each file.
    void StartFile(std::string_view name);

    // A text of whole lines of the current file, as ReadTexts delivers them.
    void AddText(std::string_view text, LineDecoder decode);

    // The explanation and the formatted result together, in the format's order. Returns 0 or
    // the errno of the failure.
    int WriteWithResult(ByteSink write, std::string_view result);

  private:
    Counter counter_;
    OutputFormat format_;
    Spool spool_;
    std::string file_;
    std::uint64_t line_number_ = 0;
    bool any_ = false;
};

}  // namespace korva::cli
