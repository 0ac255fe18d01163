#include "counters/scans/line_report.hpp"

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

// The line after its leading blanks and control bytes.
std::string_view AfterBlanks(std::string_view line) {
    std::size_t start = 0;
    while (start < line.size() && static_cast<unsigned char>(line[start]) <= 0x20) ++start;
    return line.substr(start);
}

// opening, a line after its blanks, opens with keyword as a word of its own.
bool NamesAtStart(std::string_view opening, std::string_view keyword) {
    return opening.starts_with(keyword) &&
           (opening.size() == keyword.size() || !IsLetter(opening[keyword.size()]));
}

}  // namespace

LineAdditions SaboLineAdditions(std::string_view line) {
    kernels::BuildingBits named = 0;
    for (std::size_t r = 0; r < BuildingTable.size(); ++r) {
        if (TextPos(BuildingTable[r].name, line) != 0)
            named |= static_cast<kernels::BuildingBits>(kernels::BuildingBits{1} << r);
    }
    return named == 0 ? LineAdditions{} : SaboLineAdditions(line, named);
}

LineAdditions SaboLineAdditions(std::string_view line, kernels::BuildingBits named) {
    // The first "(" and ")" of the line decide the amount, for every name it holds.
    const std::int64_t open = TextPos("(", line) + 1;
    const std::int64_t close = TextPos(")", line);
    const std::string_view inner = TextSub(line, open, close - open);
    const Tally amount = TextToIntDefQuick(inner, 1);
    const bool unreadable = !inner.empty() && !Converts(inner, amount, 1);
    LineAdditions additions;
    for (unsigned rows = named; rows; rows &= rows - 1) {
        const auto r = static_cast<std::size_t>(__builtin_ctz(rows));
        additions.push_back({r, BuildingTable[r].name, amount, unreadable});
    }
    return additions;
}

LineAdditions PluenLineAdditions(std::string_view line) {
    // A keyword found further on adds 0 (see AddOpeningAmount) and is left out, so only the
    // keywords the line opens with, after blanks, are looked at.
    const std::string_view opening = AfterBlanks(UpToNul(line));
    LineAdditions additions;
    for (std::size_t r = 0; r < ResourceTable.size(); ++r) {
        const std::string_view keyword = ResourceTable[r].keyword;
        // The first letter first: most lines open with no keyword, and a call compares the rest.
        if (opening.empty() || opening[0] != keyword[0] || !opening.starts_with(keyword)) continue;
        const auto start = static_cast<std::int64_t>(keyword.size()) + 1;
        const std::string_view amount =
            TextTrim(TextSub(line, start, static_cast<std::int64_t>(line.size())));
        const Tally added = TextToIntDefQuick(amount, 0);
        if (added == 0 && !NamesAtStart(opening, keyword)) continue;
        additions.push_back({r, keyword, added, !Converts(amount, added, 0)});
    }
    return additions;
}

}  // namespace korva
