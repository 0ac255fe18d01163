// Dividing report text into lines. CR LF, a lone LF and a lone CR each end a line, so text from
// browsers and files of every platform divides the same way. Lines are never cut: a line is as
// long as the text between two breaks. Only the one empty line after a final break is dropped.
#pragma once

#include <cstring>
#include <string_view>
#include <vector>

namespace korva {

// Views into the text they were divided from; that text must outlive them.
using ReportLines = std::vector<std::string_view>;

// Every line of a whole text, in order. Scans with memchr, which libc vectorises, remembering
// where the next CR and the next LF stand so that each byte is looked at twice at most.
template <class OnLine>
void ForEachLine(std::string_view text, OnLine&& on_line) {
    const char* const end = text.data() + text.size();
    const char* start = text.data();
    const auto find = [end](const char* from, char c) {
        if (from == end) return end;  // memchr must not get an empty view's null pointer
        const void* hit = std::memchr(from, c, static_cast<std::size_t>(end - from));
        return hit ? static_cast<const char*>(hit) : end;
    };
    const char* next_cr = find(start, '\r');
    const char* next_lf = find(start, '\n');
    while (true) {
        const char* brk = next_cr < next_lf ? next_cr : next_lf;
        if (brk == end) break;
        on_line(std::string_view(start, static_cast<std::size_t>(brk - start)));
        start = brk + 1;
        if (*brk == '\r' && start < end && *start == '\n') ++start;
        if (next_cr < start) next_cr = find(start, '\r');
        if (next_lf < start) next_lf = find(start, '\n');
    }
    // The piece after the last break is a line unless it is empty.
    if (start != end) on_line(std::string_view(start, static_cast<std::size_t>(end - start)));
}

ReportLines DivideIntoLines(std::string_view text);

}  // namespace korva
