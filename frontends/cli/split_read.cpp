#include "frontends/cli/split_read.hpp"

namespace korva::cli {

std::optional<std::size_t> AfterFirstBreak(std::string_view window, bool at_end) {
    const std::size_t brk = window.find_first_of("\r\n");
    if (brk == std::string_view::npos) return std::nullopt;
    if (window[brk] == '\n') return brk + 1;
    if (brk + 1 < window.size()) return window[brk + 1] == '\n' ? brk + 2 : brk + 1;
    return at_end ? std::optional<std::size_t>(brk + 1) : std::nullopt;
}

}  // namespace korva::cli
