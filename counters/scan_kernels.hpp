// The pieces the one-pass scans are made of, in several forms with one interface ("kernels"):
// a scalar one that runs on any CPU, and faster ones for the vector instructions of some CPUs
// (AVX2: 32 positions per step, the prefilter's tables held in registers), each giving the very
// answers of the scalar one. The scans are templates over a kernel, so each loop is compiled once
// per kernel with every piece inlined into it. Only the scans' own .cpp files include this.
//
// The layout:
// - each kernel is a type in a file of its own (scalar_kernel.hpp, avx2_kernel.hpp). Only that
//   file holds its instructions, under one #if on what its compiler must offer; where that is
//   missing, its name stands for Absent.
// - Kernels, below, lists them: the scalar one first, then the others from slower to faster.
// - scan_path.cpp asks each kernel once whether this CPU runs it (CpuRuns) and takes the last
//   that does: the one place that answers which path the scans take.
// - A scan calls WithKernel(path, f); f.operator()<Kernel>() then runs inside Kernel::Run, which
//   compiles it for the kernel's instructions.
// Adding a kernel: write its type with the members of ScalarKernel (and, with kWideCompare,
// SameBytesMask and ShortLineAt), in a file of its own, steps of 32 positions (a block's masks
// have 32 bits); include it here and add it to Kernels. Every scan, the tests over every kernel
// (EveryKernel in counters/tests) and the fuzz targets then run it.
#pragma once

#include <algorithm>
#include <array>
#include <cstddef>
#include <cstdint>
#include <string_view>
#include <tuple>
#include <type_traits>
#include <utility>

#include "counters/avx2_kernel.hpp"
#include "counters/fingerprint_scan.hpp"
#include "counters/scalar_kernel.hpp"
#include "counters/scan_path.hpp"

namespace korva::kernels {

// Every kernel, at its place (ScanPath): the scalar one first, then from slower to faster.
using Kernels = std::tuple<ScalarKernel, Avx2Kernel>;

// Calls f.operator()<Kernel>(place) for each kernel this build holds.
template <class F>
void ForEachKernel(F&& f) {
    [&]<std::size_t... kPlace>(std::index_sequence<kPlace...>) {
        const auto one = [&]<std::size_t kAt>() {
            using Kernel = std::tuple_element_t<kAt, Kernels>;
            if constexpr (!std::is_same_v<Kernel, Absent>) f.template operator()<Kernel>(kAt);
        };
        (one.template operator()<kPlace>(), ...);
    }
    (std::make_index_sequence<std::tuple_size_v<Kernels>>{});
}

template <std::size_t kAt = 0, class F>
auto WithKernelAt(std::size_t place, F& f) {
    if constexpr (kAt + 1 < std::tuple_size_v<Kernels>) {
        if (place != kAt) return WithKernelAt<kAt + 1>(place, f);
    }
    using Kernel = std::tuple_element_t<kAt, Kernels>;
    if constexpr (std::is_same_v<Kernel, Absent>) {
        return ScalarKernel::Run(f);  // never asked for: KernelToRun knows only kernels built
    } else {
        return Kernel::Run(f);
    }
}

// f.operator()<Kernel>() for the kernel that runs for path (see KernelToRun).
template <class F>
auto WithKernel(ScanPath path, F&& f) {
    return WithKernelAt(KernelToRun(path), f);
}

// Each of a table's words (row.*word) in 32 zeroed bytes, so that a line is checked against one
// with a single 32-byte compare (SameBytesMask). A longer word fails the build here.
template <auto kWord, class Row, std::size_t kRows>
constexpr std::array<std::array<char, 32>, kRows> PaddedWords(const std::array<Row, kRows>& rows) {
    std::array<std::array<char, 32>, kRows> padded{};
    for (std::size_t r = 0; r < kRows; ++r) {
        const std::string_view word = rows[r].*kWord;
        if (word.size() > 32) throw "a word longer than one load";
        std::ranges::copy(word, padded[r].begin());
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
