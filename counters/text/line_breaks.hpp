// Counting line breaks as the counters divide lines (report_lines.hpp): each LF, and each CR but
// the one of a CR LF.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string_view>

#include "counters/kernels/scan_path.hpp"

namespace korva {

// The breaks in text[from, to), where to is the start of a line or the text's end, so that no
// CR LF straddles it.
std::uint64_t BreaksBetween(std::string_view text, std::size_t from, std::size_t to,
                            ScanPath path = ScanPath::kFastest);

// The same, as the kernel for path counts them: taken once for many counts.
using BreakCounter = std::uint64_t (*)(std::string_view text, std::size_t from, std::size_t to);
BreakCounter BreakCounterFor(ScanPath path = ScanPath::kFastest);

}  // namespace korva
