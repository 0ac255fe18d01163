// Where the line around a position begins and ends, lines being divided at each CR and LF.
#pragma once

#include <cstddef>
#include <string_view>

#include "counters/kernels/line_facts.hpp"
#include "counters/kernels/scan_path.hpp"

namespace korva {

// Position of the first byte of the line holding position.
std::size_t LineBegin(std::string_view text, std::size_t position,
                      ScanPath path = ScanPath::kFastest);

// Position of the break ending the line holding position, or text.size().
std::size_t LineEnd(std::string_view text, std::size_t position,
                    ScanPath path = ScanPath::kFastest);

// The line's marks (LineMarks), found in one pass.
LineMarks MarksOf(std::string_view line, ScanPath path = ScanPath::kFastest);

}  // namespace korva
