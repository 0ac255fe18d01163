// Dividing report text into lines. CR LF, a lone LF and a lone CR each end a line, so text from
// browsers and files of every platform divides the same way. Lines are never cut: a line is as
// long as the text between two breaks. Only the one empty line after a final break is dropped.
#pragma once

#include <cstring>
#include <string>
#include <string_view>
#include <vector>

namespace korva {

// Views into the text they were divided from; that text must outlive them.
using ReportLines = std::vector<std::string_view>;

// Calls on_line for every line ended by a break in text and returns what follows the last
// break. A CR at the very end is a break of its own; whether an LF follows is the caller's
// business when text is one chunk of a longer stream. Scans with memchr, which libc vectorises,
// remembering where the next CR and the next LF stand so that each byte is looked at twice at
// most.
template <class OnLine>
std::string_view DivideTerminatedLines(std::string_view text, OnLine&& on_line) {
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
    return std::string_view(start, static_cast<std::size_t>(end - start));
}

// Every line of a whole text, in order.
template <class OnLine>
void ForEachLine(std::string_view text, OnLine&& on_line) {
    const std::string_view rest = DivideTerminatedLines(text, on_line);
    if (!rest.empty()) on_line(rest);
}

ReportLines DivideIntoLines(std::string_view text);

// The same division over a stream that arrives in chunks of any size: a CR LF split between two
// chunks is still one break, and a line split between chunks is delivered whole.
class LineDivider {
  public:
    template <class OnLine>
    void Feed(std::string_view chunk, OnLine&& on_line) {
        if (chunk.empty()) return;  // it must not forget a CR that the next chunk's LF completes
        if (after_cr_ && !chunk.empty()) {
            if (chunk.front() == '\n') chunk.remove_prefix(1);
            after_cr_ = false;
        }
        if (!partial_.empty()) {
            const std::size_t brk = FirstBreak(chunk);
            partial_.append(chunk.substr(0, brk));
            if (brk == chunk.size()) return;
            on_line(std::string_view(partial_));
            partial_.clear();
            const bool cr = chunk[brk] == '\r';
            chunk.remove_prefix(brk + 1);
            if (cr && chunk.empty()) {
                after_cr_ = true;
                return;
            }
            if (cr && chunk.front() == '\n') chunk.remove_prefix(1);
        }
        const std::string_view rest = DivideTerminatedLines(chunk, on_line);
        after_cr_ = rest.empty() && !chunk.empty() && chunk.back() == '\r';
        partial_.assign(rest);
    }

    // Delivers the last line when the stream did not end with a break.
    template <class OnLine>
    void Finish(OnLine&& on_line) {
        if (!partial_.empty()) on_line(std::string_view(partial_));
        partial_.clear();
        after_cr_ = false;
    }

  private:
    static std::size_t FirstBreak(std::string_view s) {
        const void* cr = std::memchr(s.data(), '\r', s.size());
        const void* lf =
            std::memchr(s.data(), '\n', cr ? static_cast<const char*>(cr) - s.data() : s.size());
        const void* first = lf ? lf : cr;
        return first ? static_cast<std::size_t>(static_cast<const char*>(first) - s.data())
                     : s.size();
    }

    std::string partial_;
    bool after_cr_ = false;  // the last chunk ended in CR: an LF opening the next one belongs to it
};

}  // namespace korva
