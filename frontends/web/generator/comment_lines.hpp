// The page's script and style without their comment lines: they explain the source, and the
// page carries every byte to every player.
#pragma once

#include <string>
#include <string_view>

namespace korva::web {

// text without the lines that hold only a comment: "// ..." (script) or "/* ... */" (style).
// A comment after code stays, so no string that merely holds "//" is cut.
std::string WithoutCommentLines(std::string_view text);

}  // namespace korva::web
