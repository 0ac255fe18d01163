#include "frontends/model/report_count.hpp"

#include "counters/pluen_counter.hpp"
#include "counters/sabo_counter.hpp"
#include "counters/text/cp1252.hpp"

namespace korva::form {

ResultLines CountSaboReport(std::string_view cp1252_text) {
    SaboTally tally;
    tally.AddText(cp1252_text);
    return tally.Lines();
}

ResultLines CountPluenReport(std::string_view cp1252_text) {
    PluenTally tally;
    tally.AddText(cp1252_text);
    return tally.Lines();
}

ResultLines CountSaboReportUtf8(std::string_view utf8_text) {
    SaboTally tally;
    std::string scratch;
    tally.AddText(utf8_text,
                  [&scratch](std::string_view line) { return Utf8LineToCp1252(line, scratch); });
    return tally.Lines();
}

ResultLines CountPluenReportUtf8(std::string_view utf8_text) {
    PluenTally tally;
    std::string scratch;
    tally.AddText(utf8_text,
                  [&scratch](std::string_view line) { return Utf8LineToCp1252(line, scratch); });
    return tally.Lines();
}

std::u16string ResultBoxText(const ResultLines& lines) {
    return Cp1252ToUtf16(OutputText(lines));
}

}  // namespace korva::form
