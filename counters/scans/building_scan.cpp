#include "counters/scans/building_scan.hpp"

#include "counters/kernels/kernel_table.hpp"
#include "counters/scans/sinks.hpp"
#include "counters/text/line_bounds.hpp"
#include "counters/text/text_ops.hpp"

namespace korva {

// The kernels' loops (counters/kernels/scan_loops.hpp), on the kernel the path names.
kernels::BuildingBits BuildingsNamedIn(std::string_view line) {
    return kernels::KernelFor(ScanPath::kFastest).buildings_named_in(line);
}

SaboLine SaboLineRule(std::string_view line) {
    // Neither the names nor the brackets are looked for past a 0x00 byte; the number between
    // the brackets then lies before it too.
    line = UpToNul(line);
    const kernels::BuildingBits named = BuildingsNamedIn(line);
    if (named == 0) return {};
    return {named, AmountBetweenBrackets(line, MarksOf(line))};
}

template <class Sink>
void ScanSabo(std::string_view text, LineDecoder decode, Sink& sink, ScanPath path) {
    if (const auto job = kernels::KernelFor(path).SaboScan<Sink>()) {
        job(text, decode, sink);
        return;
    }
    // Each line handed on through a call (see KernelTable).
    ForEachLineNamingBuildings(
        text, [&](const NamedLine& found) { SaboLineFound(found, decode, sink); }, path);
}

template void ScanSabo(std::string_view, LineDecoder, SaboTallySink&, ScanPath);
template void ScanSabo(std::string_view, LineDecoder, ExplanationSink&, ScanPath);
template void ScanSabo(std::string_view, LineDecoder, BothSinks<SaboTallySink>&, ScanPath);

void ForEachLineNamingBuildings(std::string_view text, NamedLineVisitor on_line, ScanPath path) {
    kernels::KernelFor(path).named_lines(text, on_line);
}

}  // namespace korva
