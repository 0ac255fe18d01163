#include "counters/kernels/scan_path.hpp"

#include <cstdint>

#include "counters/kernels/kernel_list.hpp"

namespace korva {

namespace {

struct CpuAnswer {
    std::uint32_t runs = 0;   // bit i: the CPU runs the kernel at place i
    std::size_t fastest = 0;  // the last place whose bit is set
};

CpuAnswer AskTheCpu() {
    CpuAnswer answer;
    kernels::ForEachKernel([&]<class Kernel>(std::size_t place) {
        if (!Kernel::CpuRuns()) return;
        answer.runs |= std::uint32_t{1} << place;
        answer.fastest = place;
    });
    return answer;
}

const CpuAnswer& Answer() {
    static const CpuAnswer answer = AskTheCpu();
    return answer;
}

}  // namespace

std::size_t KernelToRun(ScanPath path) noexcept {
    const CpuAnswer& answer = Answer();
    if (path == ScanPath::kFastest) return answer.fastest;
    const auto place = static_cast<std::size_t>(path);
    return place < 32 && ((answer.runs >> place) & 1) != 0 ? place : 0;
}

std::vector<KernelPath> KernelsThisCpuRuns() {
    std::vector<KernelPath> paths;
    kernels::ForEachKernel([&]<class Kernel>(std::size_t place) {
        if ((Answer().runs >> place) & 1) {
            paths.push_back({static_cast<ScanPath>(place), Kernel::kName});
        }
    });
    return paths;
}

}  // namespace korva
