// Which kernel the scans run (kernel_list.cpp lists them and asks the CPU once which it runs):
// the fastest of them unless a test or benchmark asks for another.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string_view>
#include <vector>

namespace korva {

// A kernel by its place in the list of kernels, the scalar one first; kFastest stands for the
// last one in the list that this CPU runs.
enum class ScanPath : std::uint8_t { kScalar = 0, kFastest = 0xFF };

// The place in the list of the kernel that runs for path: the fastest this CPU runs for
// kFastest, the scalar one for a kernel it cannot run.
std::size_t KernelToRun(ScanPath path) noexcept;

struct KernelPath {
    ScanPath path;
    std::string_view name;  // "scalar", "sse42", "avx2", "wasm_simd"
};

// Every kernel this CPU runs, the scalar one first and the fastest last: for tests that each
// finds what the scalar one finds.
std::vector<KernelPath> KernelsThisCpuRuns();

}  // namespace korva
