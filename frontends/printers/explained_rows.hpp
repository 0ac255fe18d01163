// The explanation's lines (counters/scans/explained_lines.hpp) written out: as rows of text for a
// terminal or the page's box, as JSON objects, and as CSV records for a spreadsheet.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

#include "counters/scans/explained_lines.hpp"
#include "counters/tables/counter.hpp"

namespace korva {

// How many characters of a line a row of text or JSON shows; a longer one is cut and ends in "…".
inline constexpr std::size_t kShownCharacters = 200;

// The counter as korva-count names it: "sabo" or "pluen".
constexpr std::string_view CounterName(Counter counter) {
    return counter == Counter::kSabo ? "sabo" : "pluen";
}

// "bericht.txt:12: Eisenmine +3, Bohrturm +3 | Eisenmine (3) und Bohrturm (2)" with place
// "bericht.txt:12" (UTF-8), without a line break. Control characters, in the place too, are
// shown in caret notation ("^I" for a tab) so that no byte of a report can steer a terminal.
std::string ExplainedRow(Counter counter, std::string_view place, const ExplainedLine& line);
void AppendExplainedRow(std::string& out, Counter counter, std::string_view place,
                        const ExplainedLine& line);

// {"file":"-","line":12,"added":[{"name":"Eisenmine","count":3,"readable":true}],
// "text":"...","cut":false}; "amount" instead of "count" for the plunder counter. file is UTF-8.
std::string ExplainedJson(Counter counter, std::string_view file, const ExplainedLine& line);
void AppendExplainedJson(std::string& out, Counter counter, std::string_view file,
                         const ExplainedLine& line);

// The CSV's header record and one record per addition of a line (RFC 4180: fields separated by
// commas, records ended by CR LF), in UTF-8: file, line number, counter, building or resource,
// amount, and the whole line. With a tab as separator, the same table as a spreadsheet takes it
// from the clipboard, each field in a column of its own.
std::string CsvHeader(char separator = ',');
void AppendExplainedCsv(std::string& out, Counter counter, std::string_view file,
                        const ExplainedLine& line, char separator = ',');

}  // namespace korva
