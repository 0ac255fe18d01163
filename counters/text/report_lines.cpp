#include "counters/text/report_lines.hpp"

namespace korva {

ReportLines DivideIntoLines(std::string_view text) {
    ReportLines lines;
    ForEachLine(text, [&lines](std::string_view line) { lines.push_back(line); });
    return lines;
}

}  // namespace korva
