// The few operations every count goes through. Texts are Windows-1252 byte strings, one byte per
// character; positions are 1-based byte indexes. Positions are 64-bit because a line may be longer
// than 2 GiB; the number conversion keeps its 32-bit range.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

namespace korva {

// The text as TextPos and TextToIntDef see it: up to its first 0x00 byte.
std::string_view UpToNul(std::string_view text);

// 1-based position of the first occurrence of needle in text, 0 if none or either is empty.
// A 0x00 byte ends either text: nothing after it is searched.
std::int64_t TextPos(std::string_view needle, std::string_view text);

// At most count bytes of text from position index on. An index below 1 takes from the start
// with the full count; an index past the end or a count <= 0 gives the empty text.
std::string_view TextSub(std::string_view text, std::int64_t index, std::int64_t count);

// The number text holds (decimal with optional sign, or hexadecimal after "$", "x", "X" or
// "0x"), with leading spaces only; anything else, or a value outside 32 bits, gives def.
// A 0x00 byte ends the text.
std::int32_t TextToIntDef(std::string_view text, std::int32_t def);

// The same, with the usual case done inline, since the counters convert a number for every line
// they count: plain decimal digits, or a text that such digits make fail (a word after them).
inline std::int32_t TextToIntDefQuick(std::string_view text, std::int32_t def) {
    if (text.empty() || text[0] < '0' || text[0] > '9') return TextToIntDef(text, def);
    std::int32_t value = 0;
    for (std::size_t i = 0; i < text.size(); ++i) {
        const char c = text[i];
        if (c >= '0' && c <= '9') {
            // Nine digits always fit in 32 bits; longer numbers take the full checks.
            if (i == 9) return TextToIntDef(text, def);
            value = value * 10 + (c - '0');
            continue;
        }
        // A 0x00 byte ends the text, and "0x" opens a hexadecimal number; any other byte after a
        // digit fails the conversion.
        if (c == '\0' || (i == 1 && text[0] == '0' && (c == 'x' || c == 'X'))) {
            return TextToIntDef(text, def);
        }
        return def;
    }
    return value;
}

// text without leading and trailing bytes 0x00 to 0x20. Inline: the plunder count trims every
// amount it reads.
inline std::string_view TextTrim(std::string_view text) {
    const auto blank = [](char c) { return static_cast<unsigned char>(c) <= 0x20; };
    std::size_t begin = 0;
    std::size_t end = text.size();
    while (begin < end && blank(text[begin])) ++begin;
    while (end > begin && blank(text[end - 1])) --end;
    return text.substr(begin, end - begin);
}

// Decimal form: "-" for negatives, no grouping, no padding.
std::string IntToText(std::int64_t value);

}  // namespace korva
