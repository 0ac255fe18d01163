#include "app/window/report_count.hpp"

#include <algorithm>

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

namespace {

// Decodes one line at a time into a buffer reused from line to line; a line without bytes above
// 0x7F is handed back as it is, as the counters require.
class Utf8LineDecoder {
  public:
    std::string_view operator()(std::string_view line) {
        const auto high = [](char c) { return static_cast<unsigned char>(c) >= 0x80; };
        if (std::none_of(line.begin(), line.end(), high)) return line;
        decoded_.clear();
        AppendUtf8ToCp1252(decoded_, line);
        return decoded_;
    }

  private:
    std::string decoded_;
};

}  // namespace

ResultLines CountSaboReportUtf8(std::string_view utf8_text) {
    SaboTally tally;
    Utf8LineDecoder decode;
    tally.AddText(utf8_text, decode);
    return tally.Lines();
}

ResultLines CountPluenReportUtf8(std::string_view utf8_text) {
    PluenTally tally;
    Utf8LineDecoder decode;
    tally.AddText(utf8_text, decode);
    return tally.Lines();
}

std::u16string ResultBoxText(const ResultLines& lines) {
    return Cp1252ToUtf16(OutputText(lines));
}

}  // namespace korva::form
