#include "counters/scans/line_report.hpp"

#include "counters/scans/building_scan.hpp"
#include "counters/tables/keyword_amount.hpp"
#include "counters/tables/tables.hpp"
#include "counters/text/text_ops.hpp"

namespace korva {

namespace {

// text converts when the default does not show through: a text that does not convert gives
// each default back, one that does gives its number for both. value is TextToIntDefQuick(text,
// fallback), so a second conversion is needed only where it equals the default.
bool Converts(std::string_view text, Tally value, Tally fallback) {
    return value != fallback || TextToIntDefQuick(text, fallback == 0 ? 1 : 0) == value;
}

// A letter of German words in Windows-1252: ASCII letters, and the accented letters from 0xC0
// on (the umlauts and "ß" among them) but for the signs "×" and "÷".
bool IsLetter(char c) {
    const auto byte = static_cast<unsigned char>(c);
    return (byte >= 'A' && byte <= 'Z') || (byte >= 'a' && byte <= 'z') ||
           (byte >= 0xC0 && byte != 0xD7 && byte != 0xF7);
}

// opening, a line after its blanks, opens with keyword as a word of its own.
bool NamesAtStart(std::string_view opening, std::string_view keyword) {
    return opening.starts_with(keyword) &&
           (opening.size() == keyword.size() || !IsLetter(opening[keyword.size()]));
}

}  // namespace

void AddSaboRows(LineAdditions& additions, kernels::BuildingBits named,
                 const BracketAmount& amount) {
    const bool unreadable = !amount.text.empty() && !Converts(amount.text, amount.amount, 1);
    for (unsigned rows = named; rows; rows &= rows - 1) {
        const auto r = static_cast<std::size_t>(__builtin_ctz(rows));
        additions.push_back({r, BuildingTable[r].name, amount.amount, unreadable});
    }
}

void AddPlunderRowOfZero(LineAdditions& additions, std::size_t row, std::string_view amount_text,
                         std::string_view opening) {
    const std::string_view keyword = ResourceTable[row].keyword;
    if (!NamesAtStart(opening, keyword)) return;
    additions.push_back({row, keyword, Tally{0}, !Converts(amount_text, Tally{0}, 0)});
}

LineAdditions SaboLineAdditions(std::string_view line) {
    LineAdditions additions;
    const SaboLine rule = SaboLineRule(line);
    AddSaboRows(additions, rule.named, rule.amount);
    return additions;
}

LineAdditions PluenLineAdditions(std::string_view line) {
    LineAdditions additions;
    ForEachPlunderedRow(line, [&additions](std::size_t row, Tally amount,
                                           std::string_view amount_text, std::string_view opening) {
        AddPlunderRow(additions, row, amount, amount_text, opening);
    });
    return additions;
}

}  // namespace korva
