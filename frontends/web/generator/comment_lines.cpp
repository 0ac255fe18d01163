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
        std::string_view line = text.substr(0, next);
        const std::size_t start = line.find_first_not_of(" \t");
        const bool blank = start == std::string_view::npos || line[start] == '\n';
        if (!blank && !IsCommentLine(line.substr(0, line.size() - (end == std::string_view::npos ? 0 : 1)))) {
            out += line.substr(start);
        }
        text.remove_prefix(next);
    }
    return out;
}

std::string CompactStyle(std::string_view style) {
    std::string out;
    char quote = 0;
    for (std::size_t i = 0; i < style.size(); ++i) {
        const char c = style[i];
        if (quote) {
            if (c == quote) quote = 0;
        } else if (c == '"' || c == '\'') {
            quote = c;
        } else if (c == ' ' && !out.empty() && std::string_view(":;{,").find(out.back()) != std::string_view::npos) {
            continue;
        } else if (c == ' ' && i + 1 < style.size() && (style[i + 1] == '{' || style[i + 1] == '}')) {
            continue;
        }
        out += c;
    }
    return out;
}

}  // namespace korva::web
