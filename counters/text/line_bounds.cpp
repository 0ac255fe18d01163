#include "counters/text/line_bounds.hpp"

#include "counters/scans/scan_kernels.hpp"

namespace korva {

// 32 bytes at a time where the CPU can: lines run to 100 bytes and more, and a search for their
// ends runs for every line that counts.
std::size_t LineBegin(std::string_view text, std::size_t position, ScanPath path) {
    return kernels::WithKernel(
        path,
        []<class Kernel>(std::string_view text, std::size_t position) {
            return Kernel::LineBegin(text, position);
        },
        text, position);
}

std::size_t LineEnd(std::string_view text, std::size_t position, ScanPath path) {
    return kernels::WithKernel(
        path,
        []<class Kernel>(std::string_view text, std::size_t position) {
            return Kernel::LineEndFrom(text, position).end;
        },
        text, position);
}

LineMarks MarksOf(std::string_view line, ScanPath path) {
    return kernels::WithKernel(
        path, []<class Kernel>(std::string_view line) { return Kernel::MarksOf(line); }, line);
}

}  // namespace korva
