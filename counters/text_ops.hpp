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

// text without leading and trailing bytes 0x00 to 0x20.
std::string_view TextTrim(std::string_view text);

// Decimal form: "-" for negatives, no grouping, no padding.
std::string IntToText(std::int64_t value);

}  // namespace korva
