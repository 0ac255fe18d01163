// The prefilter over whole texts: the kernels' Next (scalar, AVX2 or WebAssembly SIMD), on the
// kernel a path names.
#pragma once

#include <cstddef>
#include <string_view>

#include "counters/kernels/fingerprints.hpp"
#include "counters/kernels/scan_path.hpp"

namespace korva {

// The first block, starting at or after from, with a hit; every hit in it lies at or after from.
FingerprintBlock NextFingerprintBlock(std::string_view text, std::size_t from,
                                      const Fingerprints& prints,
                                      ScanPath path = ScanPath::kFastest);

}  // namespace korva
