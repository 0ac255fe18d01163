// The one table of kernels: a test written as TEST_P(EveryKernel, ...) runs once for each kernel
// this CPU runs (KernelsThisCpuRuns, instantiated in scan_kernels_test.cpp), the scalar one among
// them, and checks it against the scalar one.
#pragma once

#include <gtest/gtest.h>

#include <ostream>

#include "counters/kernels/scan_path.hpp"

namespace korva {

inline void PrintTo(const KernelPath& kernel, std::ostream* out) {
    *out << kernel.name;
}

class EveryKernel : public testing::TestWithParam<KernelPath> {
  protected:
    static ScanPath Path() { return GetParam().path; }
};

}  // namespace korva
