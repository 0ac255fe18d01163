// The list of kernels and the choice among them: the CPU is asked once which kernels it runs, and
// the fastest of them is taken unless a test asks for another.
#include <array>
#include <cstdint>

#include "counters/kernels/kernel_table.hpp"
#include "counters/kernels/scan_path.hpp"

namespace korva::kernels {

namespace {

// The scalar one first, then from slower to faster; a path is a place in this list. Each is
// nullptr where this build lacks it. Made on first use, which may come from another file's
// start-up.
const std::array<const KernelTable*, 4>& Kernels() {
    static const std::array<const KernelTable*, 4> kernels = {ScalarTable(), Sse42Table(),
                                                              Avx2Table(), WasmSimdTable()};
    return kernels;
}

struct CpuAnswer {
    std::uint32_t runs = 0;   // bit i: the CPU runs the kernel at place i
    std::size_t fastest = 0;  // the last place whose bit is set
};

CpuAnswer AskTheCpu() {
    CpuAnswer answer;
    for (std::size_t place = 0; place < Kernels().size(); ++place) {
        if (Kernels()[place] == nullptr || !Kernels()[place]->cpu_runs()) continue;
        answer.runs |= std::uint32_t{1} << place;
        answer.fastest = place;
    }
    return answer;
}

const CpuAnswer& Answer() {
    static const CpuAnswer answer = AskTheCpu();
    return answer;
}

// The fastest kernel's place, asked once as the program starts: the scans of single lines want it
// on every line. Read before that, by another file's start-up, it is 0, the scalar kernel.
const std::size_t kFastest = Answer().fastest;

}  // namespace

const KernelTable& KernelFor(ScanPath path) noexcept {
    return *Kernels()[path == ScanPath::kFastest ? kFastest : KernelToRun(path)];
}

}  // namespace korva::kernels

namespace korva {

std::size_t KernelToRun(ScanPath path) noexcept {
    const kernels::CpuAnswer& answer = kernels::Answer();
    if (path == ScanPath::kFastest) return answer.fastest;
    const auto place = static_cast<std::size_t>(path);
    return place < 32 && ((answer.runs >> place) & 1) != 0 ? place : 0;
}

std::vector<KernelPath> KernelsThisCpuRuns() {
    std::vector<KernelPath> paths;
    for (std::size_t place = 0; place < kernels::Kernels().size(); ++place) {
        if ((kernels::Answer().runs >> place) & 1) {
            paths.push_back({static_cast<ScanPath>(place), kernels::Kernels()[place]->name});
        }
    }
    return paths;
}

}  // namespace korva
