// Windows-1252, the code page all report text is counted in, to and from Unicode. The five bytes
// the code page leaves undefined (0x81, 0x8D, 0x8F, 0x90, 0x9D) stand for U+0081, U+008D, U+008F,
// U+0090 and U+009D, as on Windows. A character the code page lacks becomes "?": there is no
// best-fit mapping, so a full-width digit never turns into a digit.
#pragma once

#include <string>
#include <string_view>

namespace korva {

char32_t Cp1252ToCodePoint(unsigned char byte);

// The byte for a code point, '?' when Windows-1252 has none.
char Cp1252FromCodePoint(char32_t code_point);

std::string Cp1252ToUtf8(std::string_view text);

// True when text is well-formed UTF-8 (no overlongs, surrogates or values past U+10FFFF).
bool IsValidUtf8(std::string_view text);

// Decodes UTF-8 into Windows-1252. Each maximal invalid piece (the longest start of a
// well-formed sequence, or one stray byte) becomes one "?" and never swallows the byte after it.
std::string Utf8ToCp1252(std::string_view text);

// The same, appended to out, so that a caller decoding line after line can reuse one buffer.
void AppendUtf8ToCp1252(std::string& out, std::string_view text);

// Position of the first byte above 0x7F at or after from, or std::string_view::npos.
std::size_t FirstNonAscii(std::string_view text, std::size_t from);

// One line of UTF-8 in Windows-1252, decoded as Utf8ToCp1252 does: the line itself when it has
// no byte above 0x7F, else its decoding, held in scratch until the next call.
std::string_view Utf8LineToCp1252(std::string_view line, std::string& scratch);

// For text held by the window's widgets. An unpaired surrogate becomes "?", and so does a
// character outside the Basic Multilingual Plane (one "?" for its surrogate pair).
std::string Utf16ToCp1252(std::u16string_view text);
std::u16string Cp1252ToUtf16(std::string_view text);

}  // namespace korva
