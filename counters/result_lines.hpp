// What a counter returns, and the exact text the result box holds for it.
#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace korva {

using ResultLines = std::vector<std::string>;

// Every line followed by CR LF, the last one included; no lines give the empty text.
std::string OutputText(const ResultLines& lines);

}  // namespace korva
