#include "counters/scans/resource_scan.hpp"

#include <type_traits>

#include "counters/kernels/kernel_table.hpp"
#include "counters/scans/sinks.hpp"

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

template <class Sink>
void ScanPluen(std::string_view text, LineDecoder decode, Sink& sink, ScanPath path) {
    const auto job = kernels::KernelFor(path).PluenScan<Sink>();
    // Every kernel has the count's own job: no other way is built for it.
    if constexpr (std::is_same_v<Sink, PluenTallySink>) {
        job(text, decode, sink);
        return;
    }
    if (job) {
        job(text, decode, sink);
        return;
    }
    // Each line handed on through a call (see KernelTable), taking the rule itself.
    const auto on_line = [&](std::string_view raw, bool ascii) {
        const std::string_view line = ascii ? raw : decode(raw);
        ForEachPlunderedRow(line, sink);
        sink.EndLine(raw, line);
    };
    if (Sink::kLinesAfterBlanks) {
        ForEachLineOpeningWithKeywordAfterBlanks(text, on_line, path);
    } else {
        ForEachLineOpeningWithKeyword(text, on_line, path);
    }
}

template void ScanPluen(std::string_view, LineDecoder, PluenTallySink&, ScanPath);
template void ScanPluen(std::string_view, LineDecoder, ExplanationSink&, ScanPath);
template void ScanPluen(std::string_view, LineDecoder, BothSinks<PluenTallySink>&, ScanPath);

ResourceSums KeywordAmounts(std::string_view text, NonAsciiLineVisitor on_non_ascii,
                            ScanPath path) {
    PluenTallySink sink;
    // A line handed on is left out of the sums: it decodes to nothing here.
    ScanPluen(
        text,
        [&on_non_ascii](std::string_view line) {
            on_non_ascii(line);
            return std::string_view();
        },
        sink, path);
    return sink.sums;
}

}  // namespace korva
