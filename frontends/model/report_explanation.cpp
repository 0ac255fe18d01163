#include "frontends/model/report_explanation.hpp"

#include <algorithm>
#include <charconv>

#include "counters/text/cp1252.hpp"
#include "frontends/model/form.hpp"
#include "frontends/printers/explained_rows.hpp"

namespace korva::form {

ReportExplanation ExplainReportUtf8(Counter counter, std::string_view utf8_text,
                                    std::uint64_t max_rows, RowForm form) {
    ReportExplanation explanation;
    const auto separator = static_cast<char>(form);
    if (form != RowForm::kBox) explanation.rows = CsvHeader(separator);
    std::string scratch;
    ForEachExplainedLine(
        counter, utf8_text,
        [&scratch](std::string_view line) { return Utf8LineToCp1252(line, scratch); }, 0,
        [&](const ExplainedLine& line) {
            if (explanation.shown == max_rows) {
                ++explanation.more;
                return;
            }
            ++explanation.shown;
            if (form != RowForm::kBox) {
                AppendExplainedCsv(explanation.rows, counter, ControlOf(ControlId::kLabel1).caption,
                                   line, separator);
                return;
            }
            char place[32];
            std::copy(kRowPlace.begin(), kRowPlace.end(), place);
            const char* const end =
                std::to_chars(place + kRowPlace.size(), place + sizeof place, line.number).ptr;
            AppendExplainedRow(explanation.rows, counter,
                               std::string_view(place, static_cast<std::size_t>(end - place)),
                               line);
            explanation.rows += '\n';
        });
    return explanation;
}

}  // namespace korva::form
