#include "counters/result_lines.hpp"

namespace korva {

std::string OutputText(const ResultLines& lines) {
    std::string text;
    for (const auto& line : lines) {
        text += line;
        text += "\r\n";
    }
    return text;
}

}  // namespace korva
