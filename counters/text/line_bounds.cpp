#include "counters/text/line_bounds.hpp"

#include "counters/kernels/kernel_table.hpp"

namespace korva {

// 32 bytes at a time where the CPU can: lines run to 100 bytes and more, and a search for their
// ends runs for every line that counts.
std::size_t LineBegin(std::string_view text, std::size_t position, ScanPath path) {
    return kernels::KernelFor(path).line_begin(text, position);
}

std::size_t LineEnd(std::string_view text, std::size_t position, ScanPath path) {
    return kernels::KernelFor(path).line_end(text, position);
}

LineMarks MarksOf(std::string_view line, ScanPath path) {
    return kernels::KernelFor(path).marks_of(line);
}

}  // namespace korva
