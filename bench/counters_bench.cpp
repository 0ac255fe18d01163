// Throughput of both counters over generated report text, in the window's way (divide the whole
// text, then count) and line by line as korva-count streams it.
#include <benchmark/benchmark.h>

#include <string>

#include "counters/kernels/scan_path.hpp"
#include "counters/pluen_counter.hpp"
#include "counters/sabo_counter.hpp"
#include "counters/scans/building_scan.hpp"
#include "counters/scans/resource_scan.hpp"
#include "counters/text/cp1252.hpp"
#include "counters/text/report_lines.hpp"
#include "frontends/model/report_count.hpp"
#include "frontends/model/report_explanation.hpp"
#include "report_generator.hpp"

namespace {

const std::string& Reports(korva::bench::Shape shape) {
    static const std::string realistic = [] {
        std::string text;
        korva::bench::GenerateReports(text, 32 << 20, korva::bench::Shape::Realistic, 1);
        return korva::Utf8ToCp1252(text);
    }();
    static const std::string dense = [] {
        std::string text;
        korva::bench::GenerateReports(text, 32 << 20, korva::bench::Shape::Dense, 1);
        return korva::Utf8ToCp1252(text);
    }();
    return shape == korva::bench::Shape::Dense ? dense : realistic;
}

template <class Tally>
void CountLines(benchmark::State& state, korva::bench::Shape shape) {
    const std::string& text = Reports(shape);
    for (auto _ : state) {
        Tally tally;
        korva::ForEachLine(text, [&tally](std::string_view line) { tally.AddLine(line); });
        benchmark::DoNotOptimize(tally.Lines());
    }
    state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * text.size()));
}

// The whole text at once, skipping the lines that cannot count, as korva-count and the window do.
template <class Tally>
void CountText(benchmark::State& state, korva::bench::Shape shape) {
    const std::string& text = Reports(shape);
    for (auto _ : state) {
        Tally tally;
        tally.AddText(text);
        benchmark::DoNotOptimize(tally.Lines());
    }
    state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * text.size()));
}

void DivideOnly(benchmark::State& state) {
    const std::string& text = Reports(korva::bench::Shape::Realistic);
    for (auto _ : state) {
        std::size_t lines = 0;
        korva::ForEachLine(text, [&lines](std::string_view) { ++lines; });
        benchmark::DoNotOptimize(lines);
    }
    state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * text.size()));
}

void Sabo(benchmark::State& state) {
    CountLines<korva::SaboTally>(state, korva::bench::Shape::Realistic);
}
void Pluen(benchmark::State& state) {
    CountLines<korva::PluenTally>(state, korva::bench::Shape::Realistic);
}
void SaboDense(benchmark::State& state) {
    CountLines<korva::SaboTally>(state, korva::bench::Shape::Dense);
}
void PluenDense(benchmark::State& state) {
    CountLines<korva::PluenTally>(state, korva::bench::Shape::Dense);
}

void SaboText(benchmark::State& state) {
    CountText<korva::SaboTally>(state, korva::bench::Shape::Realistic);
}
void PluenText(benchmark::State& state) {
    CountText<korva::PluenTally>(state, korva::bench::Shape::Realistic);
}
void SaboTextDense(benchmark::State& state) {
    CountText<korva::SaboTally>(state, korva::bench::Shape::Dense);
}
void PluenTextDense(benchmark::State& state) {
    CountText<korva::PluenTally>(state, korva::bench::Shape::Dense);
}

// 5 MB of UTF-8 reports as the page hands them over: counted, and explained row by row. The
// explanation is to take at most twice the count's time.
const std::string& PageReports() {
    static const std::string text = [] {
        std::string reports;
        korva::bench::GenerateReports(reports, 5 << 20, korva::bench::Shape::Realistic, 1);
        return reports;
    }();
    return text;
}

void PageCount(benchmark::State& state, korva::Counter counter) {
    const std::string& text = PageReports();
    for (auto _ : state) {
        benchmark::DoNotOptimize(korva::form::CountLinesUtf8(counter, text));
    }
    state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * text.size()));
}

void PageExplain(benchmark::State& state, korva::Counter counter) {
    const std::string& text = PageReports();
    std::uint64_t rows = 0;
    for (auto _ : state) {
        const korva::form::ReportExplanation explanation =
            korva::form::ExplainReportUtf8(counter, text);
        rows = explanation.shown + explanation.more;
        benchmark::DoNotOptimize(explanation.rows.data());
    }
    state.counters["rows"] = static_cast<double>(rows);
    state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * text.size()));
}

BENCHMARK_CAPTURE(PageCount, Sabo5MB, korva::Counter::kSabo)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(PageExplain, Sabo5MB, korva::Counter::kSabo)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(PageCount, Pluen5MB, korva::Counter::kPluen)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(PageExplain, Pluen5MB, korva::Counter::kPluen)->Unit(benchmark::kMillisecond);
BENCHMARK(SaboText)->Unit(benchmark::kMillisecond);
BENCHMARK(PluenText)->Unit(benchmark::kMillisecond);
BENCHMARK(SaboTextDense)->Unit(benchmark::kMillisecond);
BENCHMARK(PluenTextDense)->Unit(benchmark::kMillisecond);
BENCHMARK(Sabo)->Unit(benchmark::kMillisecond);
BENCHMARK(Pluen)->Unit(benchmark::kMillisecond);
BENCHMARK(SaboDense)->Unit(benchmark::kMillisecond);
BENCHMARK(PluenDense)->Unit(benchmark::kMillisecond);
BENCHMARK(DivideOnly)->Unit(benchmark::kMillisecond);

// Each counter's scan over the realistic reports on each kernel this CPU runs, forced by its
// path: what a PC without AVX2 gains from the SSE4.2 kernel against the scalar one.
void ScanOn(benchmark::State& state, korva::Counter counter, korva::ScanPath path) {
    const std::string& text = Reports(korva::bench::Shape::Realistic);
    for (auto _ : state) {
        std::uint64_t seen = 0;
        if (counter == korva::Counter::kSabo) {
            korva::ForEachLineNamingBuildings(
                text, [&seen](const korva::NamedLine& line) { seen += line.named; }, path);
        } else {
            const korva::ResourceSums sums = korva::KeywordAmounts(
                text, [&seen](std::string_view) { ++seen; }, path);
            for (const korva::Tally sum : sums) seen += static_cast<std::uint64_t>(sum);
        }
        benchmark::DoNotOptimize(seen);
    }
    state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * text.size()));
}

}  // namespace

int main(int argc, char** argv) {
    for (const korva::KernelPath& kernel : korva::KernelsThisCpuRuns()) {
        for (const auto& [name, counter] : {std::pair{"Sabo", korva::Counter::kSabo},
                                            std::pair{"Pluen", korva::Counter::kPluen}}) {
            benchmark::RegisterBenchmark(
                ("ScanOn/" + std::string(name) + "/" + std::string(kernel.name)).c_str(), ScanOn,
                counter, kernel.path)
                ->Unit(benchmark::kMillisecond);
        }
    }
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv)) return 1;
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
