#include "app/window/report_count.hpp"

#include "counters/cp1252.hpp"
#include "counters/pluen_counter.hpp"
#include "counters/sabo_counter.hpp"

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

std::u16string ResultBoxText(const ResultLines& lines) {
    return Cp1252ToUtf16(OutputText(lines));
}

}  // namespace korva::form
