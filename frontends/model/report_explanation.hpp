// The page's explanation of a count: the rows of frontends/printers/explained_rows.hpp for a report
// text in UTF-8, as a browser hands over its text box, each line placed as "Zeile 12". Made only
// when a player asks, so that counting stays as fast as before.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

#include "counters/tables/counter.hpp"

namespace korva::form {

// Reports of 50 MB can hold a million rows; a box shows the first of them, and the number of the
// rest, without running the page out of memory.
inline constexpr std::uint64_t kShownRows = 100'000;

struct ReportExplanation {
    std::string rows;  // UTF-8, each row ended by LF
    std::uint64_t shown = 0;
    std::uint64_t more = 0;  // rows past the first max_rows, counted but not made
};

// What a box's row says before its line's number: the page finds the line to go to after it.
inline constexpr std::string_view kRowPlace = "Zeile ";

// How the rows are written: as the box shows them ("Zeile 12: Eisen +1500 | Eisen 1500"), or as
// korva-count --csv writes them for a file named after the box they came from, Berichte, a header
// first: with commas for a file, with tabs for the clipboard, which a spreadsheet pastes into
// columns. The page passes the separator's character code.
enum class RowForm : char { kBox = 0, kCsv = ',', kTabs = '\t' };

// Lines are decoded as CountLinesUtf8 decodes them, so each row
// tells what that count added.
ReportExplanation ExplainReportUtf8(Counter counter, std::string_view utf8_text,
                                    std::uint64_t max_rows = kShownRows,
                                    RowForm form = RowForm::kBox);

}  // namespace korva::form
