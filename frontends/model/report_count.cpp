#include "frontends/model/report_count.hpp"

#include "counters/pluen_counter.hpp"
#include "counters/sabo_counter.hpp"
#include "counters/text/cp1252.hpp"
#include "frontends/model/count_announcement.hpp"

namespace korva::form {
namespace {

template <typename Tally, typename... Decode>
ResultLines Tallied(std::string_view text, const Decode&... decode) {
    Tally tally;
    tally.AddText(text, decode...);
    return tally.Lines();
}

}  // namespace

ResultLines CountLines(Counter counter, std::string_view cp1252_text) {
    return counter == Counter::kSabo ? Tallied<SaboTally>(cp1252_text)
                                     : Tallied<PluenTally>(cp1252_text);
}

ResultLines CountLinesUtf8(Counter counter, std::string_view utf8_text) {
    std::string scratch;
    const auto decode = [&scratch](std::string_view line) {
        return Utf8LineToCp1252(line, scratch);
    };
    return counter == Counter::kSabo ? Tallied<SaboTally>(utf8_text, decode)
                                     : Tallied<PluenTally>(utf8_text, decode);
}

ShownCount Shown(Counter counter, const ResultLines& lines) {
    return {OutputText(lines), CountAnnouncement(counter, lines)};
}

std::u16string ResultBoxText(const ShownCount& shown) {
    return Cp1252ToUtf16(shown.result_text);
}

}  // namespace korva::form
