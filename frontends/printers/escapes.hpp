// The printers' escapers, one of each kind: caret notation for a terminal, JSON strings, CSV
// fields. Every printer of frontends/printers/ takes its escaping from here.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>

namespace korva {

// utf8 with every control character in caret notation, as cat -v shows it: "^I" for a tab, "^?"
// for DEL, "M-^A" for the C1 control U+0081. Plain ASCII, which every console font has, and
// nothing a terminal would act on. Writes at most two bytes for each byte of utf8.
char* PutVisible(char* out, std::string_view utf8);

// Windows-1252 text in UTF-8, with the control characters in caret notation as PutVisible shows
// them; at most kMostVisibleBytes for each byte.
inline constexpr std::size_t kMostVisibleBytes = 4;
char* PutVisibleCp1252(char* out, std::string_view cp1252);

// utf8 as a JSON string, quotes included. Besides what JSON demands, DEL and the C1 controls are
// escaped too, so the output holds no control character at all.
void AppendJsonString(std::string& out, std::string_view utf8);

// utf8 as one CSV field (RFC 4180): in double quotes, quotes doubled, where it holds a quote, a
// comma, a semicolon, a tab, a line break or blanks at either end, which a spreadsheet would
// otherwise split at or drop; as it stands otherwise.
void AppendCsvField(std::string& out, std::string_view utf8);

// Windows-1252 text as the same CSV field in UTF-8, written at out; at most kMostCsvBytes for each
// byte, and 2 more.
inline constexpr std::size_t kMostCsvBytes = 3;
char* PutCsvFieldCp1252(char* out, std::string_view cp1252);

}  // namespace korva
