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

// The rows of one counter's lines whose places share a prefix: what every row shows alike (the
// prefix and the names) made once, since rows are made by the hundred thousand.
class RowPrinter {
  public:
    // utf8_prefix: "bericht.txt:" or "Zeile ", before each line's number.
    RowPrinter(Counter counter, std::string_view utf8_prefix);

    // "bericht.txt:12: Eisenmine +3, Bohrturm +3 | Eisenmine (3) und Bohrturm (2)" without a
    // line break, written at out, which has room for MostBytes(line); returns its end. Control
    // characters, in the place too, are shown in caret notation ("^I" for a tab) so that no byte
    // of a report can steer a terminal.
    char* Put(char* out, const ExplainedLine& line) const;
    std::size_t MostBytes(const ExplainedLine& line) const;

  private:
    Counter counter_;
    std::string prefix_;  // in caret notation
};

// {"file":"-","line":12,"added":[{"name":"Eisenmine","count":3,"readable":true}],
// "text":"...","cut":false}; "amount" instead of "count" for the plunder counter. file is UTF-8.
std::string ExplainedJson(Counter counter, std::string_view file, const ExplainedLine& line);
void AppendExplainedJson(std::string& out, Counter counter, std::string_view file,
                         const ExplainedLine& line);

// The CSV's header record, and one record per addition of a line (RFC 4180: fields separated by
// commas, records ended by CR LF), in UTF-8: file, line number, counter, building or resource,
// amount, and the whole line. With a tab as separator, the same table as a spreadsheet takes it
// from the clipboard, each field in a column of its own.
std::string CsvHeader(char separator = ',');

// The records of one counter's lines in one file: the fields they share made once.
class CsvPrinter {
  public:
    CsvPrinter(Counter counter, std::string_view utf8_file, char separator = ',');

    // A line's records, written at out, which has room for MostBytes(line); returns their end.
    char* Put(char* out, const ExplainedLine& line) const;
    std::size_t MostBytes(const ExplainedLine& line) const;

  private:
    Counter counter_;
    char separator_;
    std::string file_;  // as a field
};

}  // namespace korva
