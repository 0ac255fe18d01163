// The scalar kernel's loops, for any CPU: the generic loops over ScalarKernel, without a target of
// their own.
#include "counters/kernels/kernel_prelude.hpp"

namespace korva::kernels::scalar {

using Kernel = ScalarKernel;
#include "counters/kernels/scan_loops.hpp"

namespace {
bool CpuRuns() {
    return true;
}
constexpr KernelTable kTable = Table("scalar", &CpuRuns);
}  // namespace

}  // namespace korva::kernels::scalar

namespace korva::kernels {

const KernelTable* ScalarTable() {
    return &scalar::kTable;
}

}  // namespace korva::kernels
