// The steps of a count that do not depend on a window system: the report text (Windows-1252)
// to the result lines, and the result lines to the text the result box shows. Both windows take
// them from here.
#pragma once

#include <string>
#include <string_view>

#include "counters/result_lines.hpp"

namespace korva::form {

// The whole text at once, so that the counters skip the lines that cannot count unseen.
ResultLines CountSaboReport(std::string_view cp1252_text);
ResultLines CountPluenReport(std::string_view cp1252_text);

// The same from UTF-8, as a browser hands over its text box: only the lines a counter looks at
// are decoded to Windows-1252, each character the code page lacks and each maximal invalid piece
// becoming one "?". A byte-order mark is a character like any other, as in the windows' boxes.
ResultLines CountSaboReportUtf8(std::string_view utf8_text);
ResultLines CountPluenReportUtf8(std::string_view utf8_text);

// Every line followed by CR LF, in UTF-16 for the window's text box.
std::u16string ResultBoxText(const ResultLines& lines);

}  // namespace korva::form
