#include "counters/scans/building_scan.hpp"

namespace korva {

// The kernels' loops (counters/kernels/scan_loops.hpp), on the kernel the path names.
kernels::BuildingBits BuildingsNamedIn(std::string_view line) {
    return kernels::KernelFor(ScanPath::kFastest).buildings_named_in(line);
}

void ForEachLineNamingBuildings(std::string_view text, NamedLineVisitor on_line, ScanPath path) {
    kernels::KernelFor(path).named_lines(text, on_line);
}

}  // namespace korva
