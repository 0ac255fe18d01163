#include "frontends/model/report_explanation.hpp"

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
    const RowPrinter printer(counter, kRowPlace);
    const CsvPrinter records(counter, ControlOf(ControlId::kLabel1).caption, separator);
    std::string& rows = explanation.rows;
    ForEachExplainedLine(
        counter, utf8_text,
        [&scratch](std::string_view line) { return Utf8LineToCp1252(line, scratch); }, 0,
        [&](const ExplainedLine& line) {
            if (explanation.shown == max_rows) {
                ++explanation.more;
                return;
            }
            ++explanation.shown;
            const std::size_t before = rows.size();
            if (form != RowForm::kBox) {
                rows.resize(before + records.MostBytes(line));
                rows.resize(static_cast<std::size_t>(records.Put(rows.data() + before, line) -
                                                     rows.data()));
                return;
            }
            rows.resize(before + printer.MostBytes(line) + 1);
            char* const end = printer.Put(rows.data() + before, line);
            *end = '\n';
            rows.resize(static_cast<std::size_t>(end + 1 - rows.data()));
        });
    return explanation;
}

}  // namespace korva::form
