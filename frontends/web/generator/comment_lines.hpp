// The page's script and style without their comment lines: they explain the source, and the
// page carries every byte to every player.
#pragma once

#include <string>
#include <string_view>

namespace korva::web {

// text without the lines that hold only a comment, "// ..." (script) or "/* ... */" (style),
// without blank lines, and without the blanks that indent a line (no script or style here holds
// a string across lines). A comment after code stays, so no string that merely holds "//" is cut.
std::string WithoutCommentLines(std::string_view text);

// A style sheet without the blanks after ":", ";", "{" and "," and before "{" and "}", outside
// quotes: none of them means anything there ("and (" in a media query keeps its blank).
std::string CompactStyle(std::string_view style);

}  // namespace korva::web
