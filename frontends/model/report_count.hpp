// One count as every front end shows it: the report text to the result lines, and those to the
// result box's text and what a screen reader is told. The Qt window, the Win32 window and the
// page's module all take it from here.
#pragma once

#include <functional>
#include <string>
#include <string_view>

#include "counters/result_lines.hpp"
#include "counters/tables/counter.hpp"

namespace korva::form {

// The whole text at once, so that the counter skips the lines that cannot count unseen.
ResultLines CountLines(Counter counter, std::string_view cp1252_text);

// The same from UTF-8, as a browser hands over its text box: only the lines a counter looks at
// are decoded to Windows-1252, each character the code page lacks and each maximal invalid piece
// becoming one "?". A byte-order mark is a character like any other, as in the windows' boxes.
ResultLines CountLinesUtf8(Counter counter, std::string_view utf8_text);

struct ShownCount {
    std::string result_text;   // Windows-1252, every line followed by CR LF
    std::string announcement;  // UTF-8, "Ergebnis: 16 Zeilen, Gesamt zerstörte Punkte: 8"
};

ShownCount Shown(Counter counter, const ResultLines& lines);

inline ShownCount Count(Counter counter, std::string_view cp1252_text) {
    return Shown(counter, CountLines(counter, cp1252_text));
}

// What a window counts its report box with: Count, or in tests one that fails.
using WindowCount = std::function<ShownCount(Counter counter, std::string_view cp1252_text)>;

inline ShownCount CountUtf8(Counter counter, std::string_view utf8_text) {
    return Shown(counter, CountLinesUtf8(counter, utf8_text));
}

// The result text in UTF-16, for a window's text box.
std::u16string ResultBoxText(const ShownCount& shown);

}  // namespace korva::form
