// The pieces the one-pass scans are made of, in several forms with one interface ("kernels"):
// the scalar one that runs on any CPU, and two vector ones, AVX2 (on x86-64 CPUs that have it)
// and WebAssembly SIMD (in the page's module), each 32 positions per step with the prefilter's
// tables held in registers and giving the very answers of the scalar one. The scans are templates
// over a kernel, so each loop is compiled once per kernel with every piece inlined into it.
//
// The layout (this folder; it includes nothing of the scans):
// - scalar_kernel.hpp: the scalar kernel, and the one the others are tested against.
// - vector_kernel.hpp: the vector kernels' one algorithm, over a few primitives that each
//   instruction set gives in a file of its own (avx2_kernel.hpp, wasm_simd_kernel.hpp): a
//   32-byte Bytes, Load, compares, Mask and the table Lookup. Only those files hold instructions,
//   under one #if on what the compiler must offer; where it lacks that, the primitives are
//   NotBuilt and the kernel stands for Absent.
// - fingerprints.hpp, line_facts.hpp: what the kernels take and give back.
// - Kernels, below, lists them: the scalar one first, then the others from slower to faster.
// counters/scans/scan_path.cpp asks each kernel once whether this CPU runs it (CpuRuns) and takes
// the last one that does; a scan calls WithKernel (counters/scans/scan_kernels.hpp), and its loop
// then runs inside Kernel::Run, which compiles it for the kernel's instructions.
//
// Adding a vector kernel: one primitives file like wasm_simd_kernel.hpp (with kBuilt, kName,
// CpuRuns, and for instructions asked of the CPU, the algorithm included inside a target region
// as avx2_kernel.hpp does), its #include here and one entry in Kernels. Every scan, the tests
// over every kernel (EveryKernel in counters/tests) and the fuzz targets then run it. A kernel
// whose instructions are fixed when compiling, not asked of the CPU, answers true in CpuRuns.
#pragma once

#include <cstddef>
#include <tuple>
#include <type_traits>

// The primitives first: avx2_kernel.hpp compiles vector_kernel.hpp inside its AVX2 region.
#include "counters/kernels/avx2_kernel.hpp"
#include "counters/kernels/scalar_kernel.hpp"
#include "counters/kernels/vector_kernel.hpp"
#include "counters/kernels/wasm_simd_kernel.hpp"

namespace korva::kernels {

// The vector kernel over primitives V, or Absent where this build lacks them.
template <class V>
using Built = std::conditional_t<V::kBuilt, VectorKernel<V>, Absent>;

// Every kernel, at its place (ScanPath): the scalar one first, then from slower to faster.
using Kernels = std::tuple<ScalarKernel, Built<Avx2>, Built<WasmSimd>>;

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

}  // namespace korva::kernels
