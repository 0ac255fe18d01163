// The kernels (counters/kernels/kernel_list.hpp) as the scans use them: on the kernel a path
// names, and the few helpers the scans share. Only the scans' .cpp files and scan_path.cpp
// include this.
#pragma once

#include <algorithm>
#include <array>
#include <cstddef>
#include <cstdint>
#include <string_view>

#include "counters/kernels/fingerprints.hpp"
#include "counters/kernels/kernel_list.hpp"
#include "counters/kernels/line_facts.hpp"
#include "counters/kernels/scan_path.hpp"
#include "counters/tables/build_check.hpp"

namespace korva::kernels {

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
