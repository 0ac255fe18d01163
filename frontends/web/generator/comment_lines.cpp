#include "comment_lines.hpp"

namespace korva::web {

namespace {

bool IsCommentLine(std::string_view line) {
    const std::size_t start = line.find_first_not_of(" \t");
    if (start == std::string_view::npos) return false;
    line.remove_prefix(start);
    if (line.starts_with("//")) return true;
    return line.starts_with("/*") && line.find("*/") == line.size() - 2;
}

}  // namespace

std::string WithoutCommentLines(std::string_view text) {
    std::string out;
    while (!text.empty()) {
        const std::size_t end = text.find('\n');
        const std::size_t next = end == std::string_view::npos ? text.size() : end + 1;
        if (!IsCommentLine(text.substr(0, next - (end == std::string_view::npos ? 0 : 1)))) {
            out += text.substr(0, next);
        }
        text.remove_prefix(next);
    }
    return out;
}

}  // namespace korva::web
