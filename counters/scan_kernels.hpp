// The pieces the one-pass scans are made of, in several forms with one interface ("kernels"):
// a scalar one that runs on any CPU, and faster ones for the vector instructions of some CPUs
// (AVX2: 32 positions per step, the prefilter's tables held in registers), each giving the very
// answers of the scalar one. The scans are templates over a kernel, so each loop is compiled once
// per kernel with every piece inlined into it. Only the scans' .cpp files and scan_path.cpp
// include this.
//
// The layout:
// - Each kernel is a type in a file of its own (scalar_kernel.hpp, avx2_kernel.hpp). Only that
//   file holds its instructions, under one #if on what the compiler must offer; where it lacks
//   that, the kernel's name stands for Absent.
// - Kernels, below, lists them: the scalar one first, then the others from slower to faster.
// - scan_path.cpp asks each kernel once whether this CPU runs it (CpuRuns) and takes the last one
//   that does: the one place that answers which path the scans take.
// - A scan calls WithKernel(path, f, args...); f.operator()<Kernel>(args...) then runs inside
//   Kernel::Run, which compiles it for the kernel's instructions.
// Adding a kernel: write its type in a file of its own, with the members of ScalarKernel (and,
// with kWideCompare, SameBytesMask and ShortLineAt), in steps of 32 positions, as a block's masks
// have 32 bits (a 128-bit kernel takes two vectors a step). A kernel whose instructions are fixed
// when compiling, not asked of the CPU, answers true in CpuRuns. Include its file here and add it
// to Kernels: every scan, the tests over every kernel (EveryKernel in counters/tests) and the fuzz
// targets then run it.
#pragma once

#include <algorithm>
#include <array>
#include <cstddef>
#include <cstdint>
#include <string_view>
#include <tuple>
#include <type_traits>

#include "counters/kernels/avx2_kernel.hpp"
#include "counters/kernels/wasm_simd_kernel.hpp"
#include "counters/build_check.hpp"
#include "counters/fingerprint_scan.hpp"
#include "counters/kernels/scalar_kernel.hpp"
#include "counters/scan_path.hpp"

namespace korva::kernels {

// Every kernel, at its place (ScanPath): the scalar one first, then from slower to faster.
using Kernels = std::tuple<ScalarKernel, Avx2Kernel, WasmSimdKernel>;

// Calls f.operator()<Kernel>(place) for each kernel this build holds.
template <std::size_t kAt = 0, class F>
void ForEachKernel(F&& f) {
    using Kernel = std::tuple_element_t<kAt, Kernels>;
    if constexpr (!std::is_same_v<Kernel, Absent>) f.template operator()<Kernel>(kAt);
    if constexpr (kAt + 1 < std::tuple_size_v<Kernels>) ForEachKernel<kAt + 1>(f);
}

template <std::size_t kAt = 0, class F, class... Args>
auto WithKernelAt(std::size_t place, F f, Args... args) {
    if constexpr (kAt + 1 < std::tuple_size_v<Kernels>) {
        if (place != kAt) return WithKernelAt<kAt + 1>(place, f, args...);
    }
    using Kernel = std::tuple_element_t<kAt, Kernels>;
    if constexpr (std::is_same_v<Kernel, Absent>) {
        // Never asked for: KernelToRun knows only the kernels built.
        return ScalarKernel::Run(f, args...);
    } else {
        return Kernel::Run(f, args...);
    }
}

// The place of the fastest kernel this CPU runs, asked once as the program starts: the scans of
// single lines want it on every line. Read before that, by another file's start-up, it is 0, the
// scalar kernel, which runs everywhere.
inline const std::size_t kFastestKernel = KernelToRun(ScanPath::kFastest);

// f.operator()<Kernel>(args...) for the kernel that runs for path. The scans of single lines pass
// their arguments, by value, rather than have f capture them: in registers, not in memory, where
// the call itself counts.
template <class F, class... Args>
auto WithKernel(ScanPath path, F f, Args... args) {
    return WithKernelAt(path == ScanPath::kFastest ? kFastestKernel : KernelToRun(path), f,
                        args...);
}

// Each of a table's words (row.*word) in 32 zeroed bytes, so that a line is checked against one
// with a single 32-byte compare (SameBytesMask). A longer word fails the build here.
template <auto kWord, class Row, std::size_t kRows>
constexpr std::array<std::array<char, 32>, kRows> PaddedWords(const std::array<Row, kRows>& rows) {
    std::array<std::array<char, 32>, kRows> padded{};
    for (std::size_t r = 0; r < kRows; ++r) {
        const std::string_view word = rows[r].*kWord;
        if (word.size() > 32) FailBuild("a word longer than one load");
        std::copy(word.begin(), word.end(), padded[r].begin());
    }
    return padded;
}

// Where the line holding position block.base + j begins, from the block's breaks where they reach.
template <class Kernel>
std::size_t LineBeginOfHit(std::string_view text, const FingerprintBlock& block, int j) {
    if (const std::uint32_t before = block.breaks & LowBits(static_cast<std::size_t>(j))) {
        return block.base + static_cast<std::size_t>(32 - __builtin_clz(before));
    }
    return Kernel::LineBegin(text, block.base);
}

}  // namespace korva::kernels
