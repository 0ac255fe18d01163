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
std::string_view CounterName(Counter counter);

// "bericht.txt:12: Eisenmine +3, Bohrturm +3 | Eisenmine (3) und Bohrturm (2)" without a line
// break, written at out, which has room for MostRowBytes; returns its end. The place is
// shown_prefix ("bericht.txt:", from ShownPrefix) and the line's number. Control characters, in
// the place too, are shown in caret notation ("^I" for a tab) so that no byte of a report can
// steer a terminal.
char* PutExplainedRow(char* out, Counter counter, std::string_view shown_prefix,
                      const ExplainedLine& line);
std::size_t MostRowBytes(std::size_t shown_prefix_bytes, const ExplainedLine& line);
// A UTF-8 prefix of a row's place, shown as rows show it: made once, for every row.
std::string ShownPrefix(std::string_view utf8_prefix);

// {"file":"-","line":12,"added":[{"name":"Eisenmine","count":3,"readable":true}],
// "text":"...","cut":false}; "amount" instead of "count" for the plunder counter. file is UTF-8.
std::string ExplainedJson(Counter counter, std::string_view file, const ExplainedLine& line);
void AppendExplainedJson(std::string& out, Counter counter, std::string_view file,
                         const ExplainedLine& line);

// The CSV's header record and one record per addition of a line (RFC 4180: fields separated by
// commas, records ended by CR LF), in UTF-8: file, line number, counter, building or resource,
// amount, and the whole line. PutExplainedCsv writes a line's records at out, which has room for
// MostCsvBytes, and returns their end; file_field is the file as CsvFileField gives it.
std::string_view CsvHeader();
std::string CsvFileField(std::string_view utf8_file);
char* PutExplainedCsv(char* out, Counter counter, std::string_view file_field,
                      const ExplainedLine& line);
std::size_t MostCsvBytes(std::size_t file_field_bytes, const ExplainedLine& line);

}  // namespace korva
