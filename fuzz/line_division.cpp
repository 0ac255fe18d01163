// Line division, whole and streamed in chunks, against the byte-by-byte division. The input is
// read as: the number of chunk sizes, the chunk sizes (cycled; 0 feeds an empty chunk), and the
// text.
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "counters/report_lines.hpp"
#include "counters/tests/oracle.hpp"
#include "fuzz/require.hpp"

namespace {

using korva::fuzz::Require;
using Lines = std::vector<std::string>;

struct Input {
    std::string_view chunk_sizes;
    std::string_view text;
};

Input Split(std::string_view data) {
    if (data.empty()) return {};
    const std::size_t n = 1 + static_cast<std::uint8_t>(data.front()) % 8;
    data.remove_prefix(1);
    const std::string_view sizes = data.substr(0, n);
    data.remove_prefix(sizes.size());
    return {sizes, data};
}

// Sizes up to 63, so that a CR LF or a long line falls across chunk edges in every way.
Lines Streamed(korva::LineDivider& divider, std::string_view text, std::string_view sizes) {
    Lines lines;
    const auto collect = [&lines](std::string_view line) { lines.emplace_back(line); };
    bool advances = false;
    for (const char s : sizes) advances |= (static_cast<std::uint8_t>(s) % 64) != 0;
    std::size_t at = 0;
    for (std::size_t k = 0; at < text.size(); ++k) {
        std::size_t size =
            sizes.empty() ? 0 : static_cast<std::uint8_t>(sizes[k % sizes.size()]) % 64;
        if (!advances) size = 1;
        divider.Feed(text.substr(at, size), collect);
        at += size;
    }
    divider.Feed({}, collect);
    divider.Finish(collect);
    return lines;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const Input input = Split(korva::fuzz::AsText(data, size));
    const Lines expected = korva::oracle::Lines(input.text);

    const korva::ReportLines whole = korva::DivideIntoLines(input.text);
    Require(Lines(whole.begin(), whole.end()) == expected, "DivideIntoLines divides byte by byte");
    for (const std::string_view line : whole) {
        Require(
            line.empty() || (line.data() >= input.text.data() &&
                             line.data() + line.size() <= input.text.data() + input.text.size()),
            "whole-text lines are views into the text");
    }

    korva::LineDivider divider;
    Require(Streamed(divider, input.text, input.chunk_sizes) == expected,
            "LineDivider in chunks divides as the whole text");
    Require(Streamed(divider, input.text, input.chunk_sizes) == expected,
            "a LineDivider starts afresh after Finish");
    return 0;
}
