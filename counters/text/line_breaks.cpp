#include "counters/text/line_breaks.hpp"

#include "counters/kernels/kernel_table.hpp"

namespace korva {

// 32 bytes at a time where the CPU can: the explanation numbers its lines by counting the breaks
// of the whole text, between the lines it shows.
std::uint64_t BreaksBetween(std::string_view text, std::size_t from, std::size_t to,
                            ScanPath path) {
    return kernels::KernelFor(path).breaks_between(text, from, to);
}

BreakCounter BreakCounterFor(ScanPath path) {
    return kernels::KernelFor(path).breaks_between;
}

}  // namespace korva
