// Reading one large file as two halves at once, each on its own thread into its own buffer, so
// that a count takes about half the time on two cores. Lines never span the halves: the split
// stands right after a line break near the middle, so each half divides into whole lines and
// counting both gives what counting the file gives.
#pragma once

#include <cstddef>
#include <optional>
#include <span>
#include <string>
#include <string_view>

#include "frontends/cli/input.hpp"

namespace korva::cli {

// Below this size a second thread gains little next to what starting it costs.
inline constexpr std::size_t kSplitMinimumSize = std::size_t{64} << 20;
// The first half must hold all the first bytes that decide how the file is read.
static_assert(kSplitMinimumSize / 2 >= FileStartSize(Encoding::kAuto));

// The position right after the first line break in window (a CR LF whole), or std::nullopt
// when window holds none or ends in a CR that an LF may follow (unless at_end: the window is
// the rest of the file).
std::optional<std::size_t> AfterFirstBreak(std::string_view window, bool at_end);

enum class SplitRead {
    kNotSplit,  // not a regular file of minimum_size bytes, UTF-16, or no break past the middle
    kDone,
    kFailed,
};

struct SplitReadResult {
    SplitRead outcome;
    int error;  // with kFailed: the errno of the failed open or read
};

// Reads the file name in two halves at once when it is a regular file of minimum_size bytes or
// more: the first half's texts go to first on this thread, the second half's to second on
// another one, each half read in chunks of its own buffer's size. With kNotSplit nothing was
// delivered and the caller reads the file as usual.
SplitReadResult ReadTextsInTwo(const std::string& name, Encoding encoding, std::size_t minimum_size,
                               std::span<char> first_buffer, TextSink first,
                               std::span<char> second_buffer, TextSink second);

}  // namespace korva::cli
