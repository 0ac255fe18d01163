#include "counters/scans/resource_scan.hpp"

#include "counters/kernels/kernel_table.hpp"

namespace korva {

// The kernels' loops (counters/kernels/scan_loops.hpp), on the kernel the path names.
void ForEachLineOpeningWithKeyword(std::string_view text, KeywordLineVisitor on_line,
                                   ScanPath path) {
    kernels::KernelFor(path).keyword_lines(text, on_line, kernels::kLineOpeningPrints);
}

void ForEachLineOpeningWithKeywordAfterBlanks(std::string_view text, KeywordLineVisitor on_line,
                                              ScanPath path) {
    kernels::KernelFor(path).keyword_lines(text, on_line, kernels::kBlankOrLineOpeningPrints);
}

ResourceSums KeywordAmounts(std::string_view text, NonAsciiLineVisitor on_non_ascii,
                            ScanPath path) {
    return kernels::KernelFor(path).keyword_amounts(text, on_non_ascii);
}

}  // namespace korva
