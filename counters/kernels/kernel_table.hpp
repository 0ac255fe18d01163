// The one dispatch table: what the scans and text/ run for every byte, one entry per job, filled
// once per kernel by that kernel's own translation unit (scalar_kernel.cpp, sse42_kernel.cpp,
// avx2_kernel.cpp, wasm_simd_kernel.cpp), each compiled for its own instructions. The callers
// take a kernel's table by its path (KernelFor) and never see an instruction.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string_view>
#include <type_traits>

#include "counters/kernels/fingerprints.hpp"
#include "counters/kernels/line_facts.hpp"
#include "counters/kernels/scan_path.hpp"
#include "counters/kernels/scan_tables.hpp"
#include "counters/scans/sinks.hpp"
#include "counters/tables/keyword_amount.hpp"
#include "counters/text/function_ref.hpp"

namespace korva {

// A line that may name a building, with all the sabotage count needs of it, found in one pass.
struct NamedLine {
    std::string_view line;
    kernels::BuildingBits
        named;        // rows whose Windows-1252 name occurs in the line, a 0x00 notwithstanding
    LineMarks marks;  // of the whole line
    bool ascii;       // no byte above 0x7F, so the line reads the same in every encoding
};

using NamedLineVisitor = FunctionRef<void(const NamedLine& line)>;
using KeywordLineVisitor = FunctionRef<void(std::string_view line, bool ascii)>;
using NonAsciiLineVisitor = FunctionRef<void(std::string_view line)>;

}  // namespace korva

namespace korva::kernels {

// A counter's scan handing what each line adds to a sink of type Sink (counters/scans/sinks.hpp).
template <class Sink>
using ScanJob = void (*)(std::string_view text, LineDecoder decode, Sink& sink);

struct KernelTable {
    std::string_view name;  // "scalar", "sse42", "avx2", "wasm_simd"
    // Whether this CPU runs the kernel: compiled for any CPU, asked before the kernel is chosen.
    bool (*cpu_runs)();

    // The jobs of the whole-text scans (counters/scans/).
    FingerprintBlock (*next_block)(std::string_view text, std::size_t from,
                                   const Fingerprints& prints);
    BuildingBits (*buildings_named_in)(std::string_view line);
    void (*named_lines)(std::string_view text, NamedLineVisitor on_line);
    void (*keyword_lines)(std::string_view text, KeywordLineVisitor on_line,
                          const Fingerprints& prints);
    // Each counter's scan for the count alone and for the count with its explanation. Where a
    // job is missing (nullptr), the scan runs on named_lines or keyword_lines instead, each line
    // handed on through a call: the explanation alone always, made once when a player asks, and
    // in the page's module all but the plunder count, which it thus carries once (ScanSabo,
    // ScanPluen).
    ScanJob<SaboTallySink> sabo_tally;
    ScanJob<BothSinks<SaboTallySink>> sabo_both;
    ScanJob<PluenTallySink> pluen_tally;
    ScanJob<BothSinks<PluenTallySink>> pluen_both;

    // The jobs of lines and breaks (counters/text/).
    std::size_t (*line_begin)(std::string_view text, std::size_t position);
    std::size_t (*line_end)(std::string_view text, std::size_t position);
    LineMarks (*marks_of)(std::string_view line);
    std::uint64_t (*breaks_between)(std::string_view text, std::size_t from, std::size_t to);

    template <class Sink>
    ScanJob<Sink> SaboScan() const {
        if constexpr (std::is_same_v<Sink, SaboTallySink>) return sabo_tally;
        if constexpr (std::is_same_v<Sink, BothSinks<SaboTallySink>>) return sabo_both;
        return nullptr;
    }
    template <class Sink>
    ScanJob<Sink> PluenScan() const {
        if constexpr (std::is_same_v<Sink, PluenTallySink>) return pluen_tally;
        if constexpr (std::is_same_v<Sink, BothSinks<PluenTallySink>>) return pluen_both;
        return nullptr;
    }
};

// Each kernel's table, or nullptr where this build cannot make that kernel (another CPU family,
// or a WebAssembly module without SIMD). Defined in each kernel's file.
const KernelTable* ScalarTable();
const KernelTable* Sse42Table();
const KernelTable* Avx2Table();
const KernelTable* WasmSimdTable();

// The table of the kernel that runs for path (KernelToRun).
const KernelTable& KernelFor(ScanPath path) noexcept;

}  // namespace korva::kernels
